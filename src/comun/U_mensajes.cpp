#include "comun/U_mensajes.h"

#include "datos/ULog.h"

namespace {
std::shared_ptr<TInteraccion> gManejador;
}

std::shared_ptr<TInteraccion> u_instalaInteraccion(std::shared_ptr<TInteraccion> manejador) {
    std::swap(gManejador, manejador);
    return manejador;
}

std::shared_ptr<TInteraccion> u_interaccion() {
    return gManejador;
}

void u_mensaje(const QString &texto, int tipo) {
    if (gManejador)
        gManejador->mensaje(texto, tipo);
    else
        Log::log(QStringLiteral("mensaje: ") + texto, 1);
}

bool u_confirmaAceptarCancelar(const QString &texto) {
    return gManejador && gManejador->confirmaAceptarCancelar(texto);
}

bool u_confirmaSiNo(const QString &texto) {
    return gManejador && gManejador->confirmaSiNo(texto);
}

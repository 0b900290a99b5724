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

bool u_alertaStock(const TalertaStock &alerta) {
    return gManejador && gManejador->alertaStock(alerta);
}

QString u_encabezadoAlertaStock(bool maximo) {
    return maximo ? QStringLiteral("¡Alerta Stock Máximo!") : QStringLiteral("¡Alerta Stock Mínimo!");
}

QString u_etiquetaAlertaStock(bool maximo) {
    return maximo ? QStringLiteral("Máximo") : QStringLiteral("Mínimo");
}

QString u_textoAlertaStock(const TalertaStock &alerta) {
    return u_encabezadoAlertaStock(alerta.maximo) + QStringLiteral("\nAlmacen: ") + alerta.almacen +
           QStringLiteral("\nProducto: ") + alerta.producto + QStringLiteral("\nCantidad: ") +
           alerta.cantidad + QLatin1Char('\n') + u_etiquetaAlertaStock(alerta.maximo) + QStringLiteral(": ") +
           alerta.limite + QLatin1Char('\n') + kTextoAlertaStock;
}

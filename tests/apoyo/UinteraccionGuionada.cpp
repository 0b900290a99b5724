#include "apoyo/UinteraccionGuionada.h"

QStringList TinteraccionGuionada::textos() const {
    QStringList t;
    for (const auto &m : uMensajes)
        t.append(m.texto);
    return t;
}

void TinteraccionGuionada::limpia() {
    uMensajes.clear();
    uPreguntas.clear();
    uRespuestas.clear();
}

void TinteraccionGuionada::antesDePreguntar(const QString &inicio, std::function<void()> accion) {
    uInicio = inicio;
    uAccion = std::move(accion);
}

bool TinteraccionGuionada::responde(const QString &texto) {
    if (uAccion && texto.startsWith(uInicio))
        std::exchange(uAccion, nullptr)();
    uPreguntas.append(texto);
    return uRespuestas.isEmpty() ? false : uRespuestas.takeFirst();
}

TguionInstalado::TguionInstalado() : uGuion(std::make_shared<TinteraccionGuionada>()) {
    uAnterior = u_instalaInteraccion(uGuion);
}

TguionInstalado::~TguionInstalado() {
    u_instalaInteraccion(uAnterior);
}

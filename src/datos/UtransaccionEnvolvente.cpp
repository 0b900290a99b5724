#include "datos/UtransaccionEnvolvente.h"

namespace {
// Each thread has its own connection, so an envelope is a thread's affair.
thread_local envolvente::Testado tEstado;
} // namespace

envolvente::Testado *envolvente::activo(const TConexionSesion *sesion) {
    return sesion && tEstado.sesion == sesion ? &tEstado : nullptr;
}

TtransaccionEnvolvente::TtransaccionEnvolvente(TConexionSesion *sesion) : uMt(sesion) {}

TtransaccionEnvolvente::~TtransaccionEnvolvente() {
    revierte();
}

bool TtransaccionEnvolvente::inicia() {
    if (uAbierta || tEstado.sesion)
        return false;
    if (!uMt.transaccionInicia())
        return false;
    tEstado = {uMt.sesion(), 0, false};
    uAbierta = true;
    return true;
}

void TtransaccionEnvolvente::suelta() {
    tEstado = {};
    uAbierta = false;
}

bool TtransaccionEnvolvente::confirma() {
    if (!uAbierta)
        return false;
    const bool rota = tEstado.rota || tEstado.profundidad != 0;
    suelta();
    if (!rota && uMt.transaccionTermina())
        return true;
    uMt.transaccionRollback();
    return false;
}

void TtransaccionEnvolvente::revierte() {
    if (!uAbierta)
        return;
    suelta();
    uMt.transaccionRollback();
}

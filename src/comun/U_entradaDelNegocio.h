#pragma once

#include "datos/UmiddleTier.h"

// Statements that reach a receipt row only through its business: the subquery names the row
// (:entrada) and the business (:negocio), and enlazaEntrada binds both.
inline const QString kEntradaDelNegocio = QStringLiteral(
    "(SELECT en.id FROM inventarioEntrada en WHERE en.id = :entrada AND en.idNegocioFk = :negocio)");

inline void enlazaEntrada(TmiddleTier &t, int idEntrada, int idNegocio) {
    t.setParametroEntero(QStringLiteral("entrada"), idEntrada);
    t.setParametroEntero(QStringLiteral("negocio"), idNegocio);
}

// A write that must touch exactly one row; anything else is reported as a failure.
inline CmidTierResponse unaFila(const CmidTierResponse &r) {
    return r.isSuccess() && r.getFilasAfectadas() == 1 ? r : CmidTierResponse();
}

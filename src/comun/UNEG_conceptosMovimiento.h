#pragma once

#include "datos/UmiddleTier.h"

// The business's movement concepts as the concept catalogue, the capture screens' concept lists
// and the start-up check read and write them, and the accounting entries a concept may take.
class TconceptosMovimiento : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    CmidTierResponse selectMovimientoConcepto(int direccion, int idNegocio);
    CmidTierResponse selectMovimientoConceptoPorNombre(const QString &nombre, int idNegocio);
    // A concept the user creates is an ordinary one (family 1); modulo is the accounting module
    // prefix of its entry (610, 620…, 0 without one).
    CmidTierResponse insertMovimientoConcepto(const QString &etiqueta, int direccion,
                                              const QVariant &idAsiento, int modulo, int idNegocio);
    // Relabels a concept of the business; a null idAsiento keeps its accounting entry (and module
    // prefix), otherwise both are replaced.
    CmidTierResponse updateMovimientoConcepto(int id, const QString &etiqueta, const QVariant &idAsiento,
                                              int modulo, int idNegocio);
    // The business's basic accounting entries whose module number matches the LIKE pattern
    // ("61%" receipt entries, "62%" issue entries).
    CmidTierResponse selectAsientos(const QString &filtro, int idNegocio);
};

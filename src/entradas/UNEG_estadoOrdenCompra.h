#pragma once

#include "datos/UmiddleTier.h"

// What the receipts of a purchase order leave on it: each line's matched product, unit and
// quantity received so far, and the order's pending state. Written only for orders of the
// business.
class TestadoOrdenCompra : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // What a purchase-order line was matched to and how much of it arrived so far.
    struct TinventarioOrdenesCompraArticulos {
        int idLinea = 0; // AF_ID
        double cantidadAcumulada = 0;
        int idProducto = 0;
        int idUnidadRecibido = 0;
        double factorConversion = 1;
    };
    CmidTierResponse insertOrdenArticuloEstado(const TinventarioOrdenesCompraArticulos &estado,
                                               int idNegocio);
    CmidTierResponse updateOrdenArticuloEstado(const TinventarioOrdenesCompraArticulos &estado,
                                               int idNegocio);
    // Marks the order 1 (partly received) or 2 (every line complete) from its lines' state.
    CmidTierResponse updateAFOrdenesCompras(int numeroOrden, int idNegocio);
};

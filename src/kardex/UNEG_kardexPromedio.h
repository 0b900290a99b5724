#pragma once

#include "datos/UmidTierResponse.h"

class TescritorKardex;

// The weighted-average (Promedio Ponderado) rebuild of one warehouse and product: its movements
// are walked oldest first along the running balance the postings follow (TsaldoPromedio); a
// receipt or issue whose stored running columns differ is restated, and one ledger row per
// movement is written from the walked balance (no groups, no snapshot rows).
class TkardexPromedio {
public:
    explicit TkardexPromedio(TescritorKardex &escritor) : uEscritor(escritor) {}

    // False on the first failed write.
    bool construye(const CmidTierResponse &lista, int idAlmacen);

private:
    TescritorKardex &uEscritor;
};

#pragma once

#include "datos/UmidTierResponse.h"

class TescritorKardex;

// The weighted-average (Promedio Ponderado) steps of the rebuild for one warehouse and product:
// the recalculation of the running stock columns of its receipts and issues, and the average
// ledger (one row per movement, no groups and no snapshot rows).
class TkardexPromedio {
public:
    explicit TkardexPromedio(TescritorKardex &escritor) : uEscritor(escritor) {}

    // Money and unit costs in fixed point (1/10000, ties to even), the average truncated to
    // cents and the stock value restated from it. False on the first failed update.
    bool recalculaTablasEntradaSalidas(const CmidTierResponse &lista);
    // Reads the list as it was before the recalculation. False on the first failed insert.
    bool creaKardexPromedio(const CmidTierResponse &lista, int idAlmacen);

    // Fixed point: value × 10000 rounded to the nearest integer, ties to even.
    static qint64 aFijo(double valor);
    static double deFijo(qint64 fijo) { return double(fijo) / 10000.0; }

private:
    TescritorKardex &uEscritor;
};

#pragma once

#include "datos/UconexionSesion.h"

// A deterministic business for benchmarks: warehouses × products, each pair with its initial
// stock, receipts, issues drawn oldest layer first (some over two layers), customer returns and
// purchase returns, with the running columns a posting would store. Written several rows to a
// statement with explicit ids. The same seed and size give the same rows.
struct TgeneradorMovimientos {
    qint64 movimientos = 0; // asked for; the generator writes about as many
    int movimientosPorPar = 50;
    int almacenes = 10;
    quint32 semilla = 20240601;

    // Returns the business id, 0 when a write failed. `escritos` gets the movements written.
    int genera(TConexionSesion *sesion, qint64 &escritos) const;
};

#pragma once

#include "datos/UmiddleTier.h"

// The suite's receipts data class. Every statement is confined to the business: a receipt row of
// another business is invisible and cannot take serial numbers.
class Tentradas : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // Any row: the serial number is already recorded for the product.
    CmidTierResponse selectNoSeriePorNumeroPorProducto(const QString &numero, int idProducto, int idNegocio);
    // Any row: the receipt row already carries that serial number.
    CmidTierResponse selectNoSeriePorEntradaYNumero(int idEntrada, const QString &numero, int idNegocio);
    // One row with the receipt row's "inventarioProducto_id", "cantidad" and "noSeries" (how many
    // serial numbers it carries); no row when it is not the business's.
    CmidTierResponse selectEntradaParaNoSerie(int idEntrada, int idNegocio);
    // Inserts nothing (and reports failure) when the receipt row is not the business's.
    CmidTierResponse insertNoSerie(int idEntrada, const QString &numero, int idNegocio);
};

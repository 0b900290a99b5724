#pragma once

#include "datos/UmiddleTier.h"

#include <span>

// The serial numbers a receipt row carries: the checks before one is recorded, recording and
// deleting one, and the lists the choosers and the receipt detail show. Every statement reaches
// the receipt row only through its business. (An issue's serial numbers leave with the issue
// posting's own statement.)
// A serial number to record on a receipt row.
struct TnoSerieNuevo {
    int idEntrada = 0;
    QString numero;
};

class TnoSeries : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // Serial numbers insertNoSeries writes to a statement at most.
    static constexpr std::size_t kSeriesPorSentencia = 100;

    // Any row: the serial number is already recorded for the product.
    CmidTierResponse selectNoSeriePorNumeroPorProducto(const QString &numero, int idProducto, int idNegocio);
    // Any row: the receipt row already carries that serial number.
    CmidTierResponse selectNoSeriePorEntradaYNumero(int idEntrada, const QString &numero, int idNegocio);
    // One row with the receipt row's "inventarioProducto_id", "cantidad" and "noSeries" (how many
    // serial numbers it carries); no row when it is not the business's.
    CmidTierResponse selectEntradaParaNoSerie(int idEntrada, int idNegocio);
    // Inserts nothing (and reports failure) when the receipt row is not the business's.
    CmidTierResponse insertNoSerie(int idEntrada, const QString &numero, int idNegocio);
    // Several at once, in their order, up to kSeriesPorSentencia to a statement; reports failure
    // as soon as a statement writes fewer than its serial numbers (a receipt row not the
    // business's). Writes nothing for none.
    CmidTierResponse insertNoSeries(std::span<const TnoSerieNuevo> series, int idNegocio);
    // Deletes a serial number of the receipt row only while it is in the warehouse.
    CmidTierResponse deleteNoSerie(int idNoSerie, int idEntrada, int idNegocio);

    // The receipt row's serial numbers by id: "inventarioNoSerie_id", "inventarioNoSerie_numero",
    // "inventarioNoSerieEstado_id", "inventarioNoSeriEstado_etiqueta".
    CmidTierResponse selectNoSeriePorEntrada(int idEntrada, int idNegocio);
    // Those whose number matches the LIKE pattern, by number.
    CmidTierResponse selectNoSeriePorEntradaLikeNumero(int idEntrada, const QString &patron, int idNegocio);
    // Scalar: the receipt row's quantity, whose whole units are the serial numbers it admits.
    CmidTierResponse selectElementosEntrantesPorCapa(int idEntrada, int idNegocio);
};

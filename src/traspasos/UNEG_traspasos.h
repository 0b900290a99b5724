#pragma once

#include "datos/UmiddleTier.h"
#include "traspasos/UMOD_traspaso.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <span>

// The states of a transfer (inventarioTraspasoEstado).
namespace estadoTraspaso {
constexpr int kEnTransito = 1;
constexpr int kRecibido = 2;
constexpr int kCancelado = 3;
} // namespace estadoTraspaso

// A closed line's consumed layer and the receipt row it became.
struct TcopiaCapa {
    int origen = 0;
    int nueva = 0;
};

// The transfers' data class: the list and detail reads, the shipping and closing writes. Every
// statement is confined to the business: another business's transfer, line, warehouse, layer or
// serial number is invisible and untouchable (a write then affects no row).
class Ttraspaso : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // --- Reads of the screens ---

    // The transfers list, newest document first. Each filter is null for "any"; `documento` is a
    // LIKE pattern (ESCAPE '!'), see filtroDocumento(). Aliases: "inventarioTraspaso_documento",
    // "inventarioTraspaso_id", "ORIGENinventarioAlmacen_id", "origen_nombre",
    // "DESTINOinventarioAlmacen_id", "destino_nombre", "inventarioTraspaso_fechaSalida",
    // "inventarioTraspaso_fechaRecepcion", "inventarioTraspasoEstado_id",
    // "inventarioTraspasoEstado_etiqueta".
    CmidTierResponse selectTraspaso(const QVariant &origen, const QVariant &destino, const QVariant &estado,
                                    const QVariant &documento, int idNegocio);
    // The list's document filter from the typed text: null when blank, else "contains" with the
    // user's % and _ taken literally.
    static QVariant filtroDocumento(const QString &texto);
    // "inventarioTraspasoEstado_id", "inventarioTraspasoEstado_etiqueta"; no row when the transfer
    // is not the business's.
    CmidTierResponse selectTraspasoEstado(int id, int idNegocio);
    // The transfer as the list hands it to the detail (state re-read) and its shipping date-time;
    // false when it is not the business's or the read failed.
    bool leeTraspaso(int id, int idNegocio, Rtraspaso &traspaso, QDateTime *fechaSalida = nullptr);
    // The lines in id order: "inventarioTraspasoDetalle_id", "inventarioProducto_id",
    // "inventarioProducto_nombre", "inventarioTraspasoDetalle_cantidad",
    // "inventarioTraspasoDetalle_costo", "inventarioEntrada_id", and the product's unit
    // "unidadesMedida_id".
    CmidTierResponse selectTraspasoDetalle(int traspasoId, int idNegocio);
    // "inventarioTraspasoEstado_id", "inventarioTraspasoEstado_etiqueta" of every state, by id.
    CmidTierResponse selectTraspasoEstados();
    // Scalar "inventarioTraspaso_documento": the business's highest transfer number (null: none).
    CmidTierResponse selectUltimoIdDocumentoTraspaso(int idNegocio);
    // Scalar: the product's serial-number flag ("opControladoNoSerie"); no value when the product is
    // not the business's.
    CmidTierResponse selectControlNoSerie(int idProducto, int idNegocio);
    // The serial numbers travelling with the transfer's lines, line by line and by number within
    // a line: "inventarioTraspasoDetalle_id", "inventarioNoSerie_id", "inventarioNoSerie_numero".
    CmidTierResponse selectNoSeriePorTraspaso(int traspasoId, int idNegocio);

    // --- Shipping (inside the issue posting's transaction) ---

    // The writes that take a transfer's lines several to a statement take at most this many; none,
    // or more, fail without running.
    static constexpr int kLineasPorSentencia = 100;

    // The new transfer's id in getIdInsertado(); origin and destination must differ.
    CmidTierResponse insertTraspaso(int documento, int origen, int destino, const QDateTime &fechaSalida,
                                    const QDateTime &fechaRecepcion, int estado, int idNegocio);
    // Lines of one transfer in one statement, in their order (their traspasoID is the transfer);
    // a line whose product or transfer is not the business's is not written. A quantity or cost
    // that is not a number fails without running.
    CmidTierResponse insertTraspasoDetalle(std::span<const RtraspasoDetalle> detalles, int idNegocio);
    // The ids of the transfer's lines, in the order they were written: "inventarioTraspasoDetalle_id".
    CmidTierResponse selectIdsDetalle(int traspasoId, int idNegocio);
    // Ties each line (its id) to the layer it was taken from, in one statement: only a layer of the
    // transfer's origin and of the line's product.
    CmidTierResponse insertTraspasoDetalleAdicional(std::span<const RtraspasoDetalle> detalles,
                                                    int idNegocio);
    // The serial number travels with the line.
    CmidTierResponse insertTraspasoNoSerieTransito(int idDetalle, int idNoSerie, int idNegocio);

    // --- Closing (inside the receipt posting's transaction) ---

    // Each pair's consumed layer's declaration, lot and property values onto its new receipt row,
    // every pair in one statement; a pair copies nothing when either row is not the business's.
    CmidTierResponse copyPedimento(std::span<const TcopiaCapa> pares, int idNegocio);
    CmidTierResponse copyLote(std::span<const TcopiaCapa> pares, int idNegocio);
    CmidTierResponse copyAdicionales(std::span<const TcopiaCapa> pares, int idNegocio);
    // Moves the transfer from in transit to `estado` (received or cancelled): affects no row unless
    // it is the business's and still in transit.
    CmidTierResponse updateTraspasoEstado(int id, int estado, int idNegocio);

private:
    // `insercion` ("INSERT … SELECT n.id, x.… FROM <table> x ") from the consumed layers' rows.
    CmidTierResponse copia(const QString &insercion, std::span<const TcopiaCapa> pares, int idNegocio);
};

#pragma once

#include "comun/UNEG_movimientosInventario.h"
#include "salidas/UMOD_salida.h"

#include <span>

// A serial number leaving with an issue row taken from its layer (receipt row).
struct TserieSalida {
    int idNoSerie = 0;
    int idSalida = 0;
    int idEntrada = 0;
};

// The module's data class of issues. One object carries a whole posting's transaction. Every
// statement is confined to the business. An issue row carries the warehouse, product and business
// of the layer (receipt row) it consumed, copied from the layer when it is written.
class Tsalidas : public TmovimientosInventario {
public:
    using TmovimientosInventario::TmovimientosInventario;

    // Takes lines from their layers, in one statement: sets what each layer keeps (`existencia`),
    // only while the layer (of that warehouse, the line's product and the business) still holds
    // exactly what the line was split on (`existenciaPrevia`) and at least the line's quantity.
    // Affects fewer rows than lines when another posting changed one of the layers first.
    CmidTierResponse updateEntradas(std::span<const TlineaSalida> lineas, int idAlmacen, int idNegocio);
    // Lines a statement of updateEntradas takes at most. Several on MariaDB, where each statement
    // is a round trip; one on SQLite, where a statement costs what its rows cost and binding
    // several names a layer made a long issue slower.
    int capasPorSentencia() const { return esMySQL() ? 40 : 1; }
    // An issue row's columns and the values it stores, for the posting's multi-row inserts. Its
    // warehouse, product and business are the layer's, which updateEntradas has just checked.
    static const QStringList &columnasSalida();
    static QVector<QVariant> valoresSalida(const TinventarioSalida &salida);
    // The ids of an issue document's rows, in the order they were written.
    CmidTierResponse selectIdsDocumento(int documento, int idNegocio);
    // Serial numbers leave with their issue rows (state 2), up to kSeriesPorSentencia to a
    // statement; each only while it belongs to its layer, of the business, and is still in stock
    // (state 1), so a statement affects fewer rows than serial numbers when one is not.
    static constexpr std::size_t kSeriesPorSentencia = 100;
    CmidTierResponse updateNoSeriesSalida(std::span<const TserieSalida> series, int idNegocio);
    // Scalar "inventarioSalida_documento": the business's highest issue document number (none: null).
    CmidTierResponse selectUltimoIdDocumentoSalida(int idNegocio);
};

#pragma once

#include "comun/UNEG_movimientosInventario.h"
#include "salidas/UMOD_salida.h"

// The module's data class of issues. One object carries a whole posting's transaction. Every
// statement is confined to the business. An issue row carries the warehouse, product and business
// of the layer (receipt row) it consumed, copied from the layer when it is written.
class Tsalidas : public TmovimientosInventario {
public:
    using TmovimientosInventario::TmovimientosInventario;

    // Takes a line from its layer: sets what the layer keeps, only while the layer (of that
    // warehouse, product and business) still holds exactly `previa` and at least `cantidad`.
    // Affects no row when another posting changed the layer first.
    CmidTierResponse updateEntrada(const TlineaSalida &linea, double previa, int idAlmacen, int idNegocio);
    // An issue row's columns and the values it stores, for the posting's multi-row inserts. Its
    // warehouse, product and business are the layer's, which updateEntrada has just checked.
    static const QStringList &columnasSalida();
    static QVector<QVariant> valoresSalida(const TinventarioSalida &salida);
    // The ids of an issue document's rows, in the order they were written.
    CmidTierResponse selectIdsDocumento(int documento, int idNegocio);
    // The serial number leaves with the issue row (state 2); affects no row unless it belongs to
    // the layer and is still in stock (state 1).
    CmidTierResponse updateNoSerieSalidaFecha(int idNoSerie, int idSalida, int idEntrada);
    // Scalar "inventarioSalida_documento": the business's highest issue document number (none: null).
    CmidTierResponse selectUltimoIdDocumentoSalida(int idNegocio);
};

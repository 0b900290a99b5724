#pragma once

#include "comun/UNEG_movimientosInventario.h"
#include "salidas/UMOD_salida.h"
#include "traspasos/UMOD_traspaso.h"

// The module's data class of issues. One object carries a whole posting's transaction. Every
// statement is confined to the business: issue rows have no business of their own, so they are
// reached through the layer (receipt row) they consumed.
class Tsalidas : public TmovimientosInventario {
public:
    using TmovimientosInventario::TmovimientosInventario;

    // The current average unit cost of a product in a warehouse: the stock unit cost recorded by
    // the later of the newest open layer and the newest issue of an open layer (an issue after a
    // receipt of the same instant). Three columns: "inventarioEntrada_id",
    // "inventarioEntrada_fechaHora", "inventarioEntrada_existenciaCostoUnitario".
    CmidTierResponse selectExistenciaCostoUnitario(int idProducto, int idAlmacen, int idNegocio);

    // Takes a line from its layer: sets what the layer keeps, only while the layer (of that
    // warehouse, product and business) still holds exactly `previa` and at least `cantidad`.
    // Affects no row when another posting changed the layer first.
    CmidTierResponse updateEntrada(const TlineaSalida &linea, double previa, int idAlmacen, int idNegocio);
    // The new row's id in getIdInsertado().
    CmidTierResponse insertSalida(const TinventarioSalida &salida);
    // The serial number leaves with the issue row (state 2); affects no row unless it belongs to
    // the layer and is still in stock (state 1).
    CmidTierResponse updateNoSerieSalidaFecha(int idNoSerie, int idSalida, int idEntrada);
    // Scalar "inventarioSalida_documento": the business's highest issue document number.
    CmidTierResponse selectUltimoIdDocumentoSalida(int idNegocio);

    // The shipping step of a transfer, inside the posting's transaction. Each write is confined to
    // the business: it affects no row (getFilasAfectadas() 0) when a warehouse, the transfer, the
    // layer or the serial number is not the business's; a quantity or cost that is not a number
    // fails without running.
    // The new transfer's id in getIdInsertado(); origin and destination must differ.
    CmidTierResponse insertTraspaso(int documento, int origen, int destino, const QDateTime &fechaSalida,
                                    const QDateTime &fechaRecepcion, int estado, int idNegocio);
    // The new line's id in getIdInsertado().
    CmidTierResponse insertTraspasoDetalle(const RtraspasoDetalle &detalle, int idNegocio);
    // Ties the line to the layer it was taken from.
    CmidTierResponse insertTraspasoDetalleAdicional(const RtraspasoDetalle &detalle, int idNegocio);
    // The serial number travels with the line.
    CmidTierResponse insertTraspasoNoSerieTransito(int idDetalle, int idNoSerie, int idNegocio);
};

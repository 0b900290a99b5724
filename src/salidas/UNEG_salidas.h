#pragma once

#include "comun/UNEG_movimientosInventario.h"
#include "salidas/UMOD_salida.h"

// The module's data class of issues. One object carries a whole posting's transaction. Every
// statement is confined to the business: issue rows have no business of their own, so they are
// reached through the layer (receipt row) they consumed.
class Tsalidas : public TmovimientosInventario {
public:
    using TmovimientosInventario::TmovimientosInventario;

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
};

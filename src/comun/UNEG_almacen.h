#pragma once

#include "comun/UMOD_almacenDescripcion.h"
#include "comun/UNEG_movimientosInventario.h"

#include <QString>
#include <QVariant>

// The suite's warehouse data class: branches, warehouses, and the two option lookups every
// movement screen needs (the valuation method and the system concepts by family); the stock
// lookups of a warehouse come from the movements base.
class Talmacen : public TmovimientosInventario {
public:
    using TmovimientosInventario::TmovimientosInventario;

    static constexpr int kLargoNombre = 50;
    static constexpr int kLargoDireccion = 100;
    static constexpr int kLargoNota = 200;

    // Branch id (first column) and name (second), by name.
    CmidTierResponse selectSucursales(int idNegocio);
    // Null filters select everything; the name filter matches any part of the name.
    CmidTierResponse selectAlmacenes(const QVariant &idSucursal, const QVariant &nombre, int idNegocio);
    // Warehouses of the business whose name equals `nombre`, ignoring case and surrounding blanks
    // (the same on both engines); `excepto` leaves one warehouse out (the one being edited).
    // -1 when the lookup failed.
    qint64 selectAlmacenPorNombre(const QString &nombre, int idNegocio, int excepto = 0);
    // Both write only when the branch (and the warehouse) belong to the business: an insert
    // given another business's branch affects no row. Texts are cut at their column sizes.
    CmidTierResponse insertAlmacen(const TalmacenDescripcion &almacen);
    CmidTierResponse updateAlmacen(const TalmacenDescripcion &almacen);

    // The business's valuation method (1 PEPS, 2 weighted average); a Null scalar means none.
    CmidTierResponse selectMetodoKardex(int idNegocio);
    // The id of the business's system concept of a family (-1..-4); Null when there is none.
    CmidTierResponse selectIDfamiliaUnica(int familia, int idNegocio);

private:
    CmidTierResponse escribe(const TalmacenDescripcion &almacen);
};

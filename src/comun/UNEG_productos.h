#pragma once

#include "comun/UMOD_capturaCatalogos.h"
#include "datos/UmiddleTier.h"

#include <QVariant>

// The suite's products data class. Every read is of one business.
//
// A product row carries: producto_id, inventarioProducto_clave, producto_nombre,
// inventarioProducto_descripcion, producto_codigoBarras, categoria_identidad, categoria_etiqueta,
// unidadesMedida_id, unidadesMedida_descripcion, unidadesMedida_conjunto, unidadesMedida_relacion,
// inventarioProducto_opControlnoSerie, producto_estatus, producto_estado, productoEstado_etiqueta.
class Tproductos : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // Products whose name, key or barcode contains texto (empty: all) inside the category subtree
    // whose key starts with categoria (empty: all), by name.
    CmidTierResponse selectProductos(const QString &texto, const QString &categoria, int idNegocio);
    CmidTierResponse selectProductoPorId(int id, int idNegocio);
    CmidTierResponse selectProductoByCodigoBarras(const QString &codigo, int idNegocio);
    // id and label of each product state.
    CmidTierResponse selectProductoEstados();

    // The business's products other than excluyeId with that key (or barcode): id and name.
    CmidTierResponse selectClaveRepetida(const QString &clave, int excluyeId, int idNegocio);
    CmidTierResponse selectCodigoBarrasRepetido(const QString &codigo, int excluyeId, int idNegocio);
    // Scalar: receipts recorded for the product.
    CmidTierResponse selectMovimientosProducto(int id, int idNegocio);

    // Texts already checked and cut; estatus follows the state (only active products are received).
    CmidTierResponse insertProducto(const TproductoCaptura &p, int idNegocio);
    CmidTierResponse updateProducto(const TproductoCaptura &p, int idNegocio);

    // One row per warehouse of the business: almacen_id, almacen_nombre, inventarioStock_minimo,
    // inventarioStock_maximo (null where not set).
    CmidTierResponse selectStockProducto(int idProducto, int idNegocio);
    CmidTierResponse deleteStockProducto(int idProducto, int idAlmacen, int idNegocio);
    // A null variant leaves that limit unset.
    CmidTierResponse insertStockProducto(int idProducto, int idAlmacen, const QVariant &minimo,
                                         const QVariant &maximo, int idNegocio);

private:
    void bindProducto(const TproductoCaptura &p, int idNegocio);
};

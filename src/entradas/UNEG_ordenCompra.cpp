#include "entradas/UNEG_ordenCompra.h"

QString TordenCompra::iconoEstado(int estado) {
    switch (estado) {
    case kSinCaptura:
        return QStringLiteral("sinCambio");
    case kCapturaParcial:
        return QStringLiteral("exclamation");
    case kCapturaCompleta:
        return QStringLiteral("activo");
    default:
        return {};
    }
}

CmidTierResponse TordenCompra::selectOrdenCompra(const QVariant &proveedorNombre,
                                                 const QVariant &proveedorRfc, const QDateTime &inicial,
                                                 const QDateTime &final_, int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT o.AF_NumeroOrden AS ordenesCompra_numeroOrden, o.AF_IDProveedor AS "
        "ordenesCompra_idProveedor, "
        "o.AF_NombreProveedor AS ordenesCompra_nombreProveedor, o.AF_RFCProveedor AS "
        "ordenesCompra_rfcProveedor, "
        "o.AF_FechaPedido AS ordenesCompra_fechaPedido, o.AF_FechaEntrega AS ordenesCompra_fechaEntrega, "
        "o.AF_MontoIVA AS ordenesCompra_montoIva, o.AF_TotalOrden AS ordenesCompra_totalOrden, "
        "COALESCE(o.AF_OrdenPendiente, 0) AS ordenesCompra_ordenPendiente FROM AF_OrdenesCompra o "
        "WHERE (:proveedorNombre IS NULL OR o.AF_NombreProveedor LIKE :proveedorNombre) "
        "AND (:proveedorRfc IS NULL OR o.AF_RFCProveedor LIKE :proveedorRfc) "
        "AND o.AF_FechaEntrega BETWEEN :fechaInicial AND :fechaFinal AND o.AF_Destino = 1 "
        "AND o.AF_cancelada = 0 AND o.idNegocioFk = :negocio ORDER BY o.AF_FechaEntrega, o.AF_NumeroOrden"));
    setParametroVariant(QStringLiteral("proveedorNombre"), proveedorNombre);
    setParametroVariant(QStringLiteral("proveedorRfc"), proveedorRfc);
    setParametroFechaHora(QStringLiteral("fechaInicial"), inicial);
    setParametroFechaHora(QStringLiteral("fechaFinal"), final_);
    setParametroEntero(QStringLiteral("negocio"), idNegocio);
    return reader();
}

CmidTierResponse TordenCompra::selectOrdenCompraArticulos(int numeroOrden, int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT a.AF_ID AS articulosOrdenesCompra_id, a.AF_NumeroOrden AS "
        "articulosOrdenesCompra_numeroOrden, "
        "a.AF_CantidadSolicitada AS articulosOrdenesCompra_cantidadSolicitada, "
        "a.AF_DescripcionArticulo AS articulosOrdenesCompra_descripcionArticulo, "
        "a.AF_PrecioUnitario AS articulosOrdenesCompra_precioUnitario, "
        "a.AF_PrecioTotal AS articulosOrdenesCompra_precioTotal, "
        "ia.cantidadAcumulada AS inventarioOrdenesCompraArticulos_cantidadAcumulada, "
        "p.id AS inventarioProducto_id, p.nombre AS inventario_nombre, p.codigoBarras AS "
        "inventario_codigoBarras, "
        "p.opControladoNoSerie AS inventarioProducto_opControladoNoSerie, "
        "p.inventarioCategoria_identidad AS inventarioCategoria_identidad, "
        "cat.etiqueta AS inventarioCategoria_etiqueta, "
        "ia.UnidadesMedida_id AS inventarioOrdenesArticulos_unidadesMedida_id, "
        "ia.factorConversion AS inventarioOrdenesCompraArticulos_factorConversion, "
        "ur.id AS unidadMedidaRecibido_id, ur.descripcion AS unidadMedidaRecibido_descripcion, "
        "uc.id AS unidadMedidaCatalogo_id, uc.descripcion AS unidadMedidaCatalogo_descripcion "
        "FROM AF_ArticulosOrdenesCompra a "
        "JOIN AF_OrdenesCompra o ON o.AF_NumeroOrden = a.AF_NumeroOrden AND o.idNegocioFk = :negocio "
        "LEFT JOIN inventarioOrdenesCompraArticulos ia ON ia.AF_ID = a.AF_ID "
        "LEFT JOIN inventarioProducto p ON p.id = ia.inventarioProducto_id AND p.idNegocioFk = o.idNegocioFk "
        "LEFT JOIN inventarioCategoria cat ON cat.identidad = p.inventarioCategoria_identidad "
        "AND cat.idNegocioFk = o.idNegocioFk "
        "LEFT JOIN inventarioUnidadesMedida ur ON ur.id = ia.UnidadesMedida_id "
        "LEFT JOIN inventarioUnidadesMedida uc ON uc.id = p.unidadesMedida_id "
        "WHERE a.AF_NumeroOrden = :numeroOrden ORDER BY a.AF_ID"));
    setParametroEntero(QStringLiteral("negocio"), idNegocio);
    setParametroEntero(QStringLiteral("numeroOrden"), numeroOrden);
    return reader();
}

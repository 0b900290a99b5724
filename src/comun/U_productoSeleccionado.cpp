#include "comun/U_productoSeleccionado.h"

#include "comun/UNEG_productos.h"

TproductoSeleccionadoDescripcion u_productoDeFila(const CmidTierResponse &r, int f) {
    TproductoSeleccionadoDescripcion p;
    p.seleccionado = true;
    p.productoId = int(r.getCeldaAsInt(f, QStringLiteral("producto_id")));
    p.clave = r.getCelda(f, QStringLiteral("inventarioProducto_clave"));
    p.nombre = r.getCelda(f, QStringLiteral("producto_nombre"));
    p.descripcion = p.clave.isEmpty() ? p.nombre : p.clave + QStringLiteral(" - ") + p.nombre;
    p.codigoBarras = r.getCelda(f, QStringLiteral("producto_codigoBarras"));
    p.categoriaId = r.getCelda(f, QStringLiteral("categoria_identidad"));
    p.categoriaEtiqueta = r.getCelda(f, QStringLiteral("categoria_etiqueta"));
    p.unidadMedidaId = int(r.getCeldaAsInt(f, QStringLiteral("unidadesMedida_id")));
    p.unidadMedidaEtiqueta = r.getCelda(f, QStringLiteral("unidadesMedida_descripcion"));
    p.unidadMedidaConjunto = int(r.getCeldaAsInt(f, QStringLiteral("unidadesMedida_conjunto")));
    p.unidadMedidaRelacion = r.getCeldaAsFloat(f, QStringLiteral("unidadesMedida_relacion"));
    p.opControladoNoSerie = int(r.getCeldaAsInt(f, QStringLiteral("inventarioProducto_opControlnoSerie")));
    p.estatus = int(r.getCeldaAsInt(f, QStringLiteral("producto_estatus")));
    p.estado = int(r.getCeldaAsInt(f, QStringLiteral("producto_estado")));
    p.estadoEtiqueta = r.getCelda(f, QStringLiteral("productoEstado_etiqueta"));
    return p;
}

TproductoSeleccionadoDescripcion u_productoPorId(TConexionSesion *sesion, int idProducto, int idNegocio) {
    const CmidTierResponse r = Tproductos(sesion).selectProductoPorId(idProducto, idNegocio);
    if (!r.isSuccess() || r.getRowCount() != 1)
        return {};
    return u_productoDeFila(r, 0);
}

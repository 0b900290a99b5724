#include "comun/UNEG_productos.h"

#include "comun/U_busquedaTexto.h"

namespace {
const QString kNegocio = QStringLiteral("idNegocio");

// Category and unit are joined within the product's own business.
const QString kSelectProducto = QStringLiteral(
    "SELECT p.id AS producto_id, p.clave AS inventarioProducto_clave, p.nombre AS producto_nombre, "
    "p.descripcion AS inventarioProducto_descripcion, p.codigoBarras AS producto_codigoBarras, "
    "p.inventarioCategoria_identidad AS categoria_identidad, c.etiqueta AS categoria_etiqueta, "
    "p.unidadesMedida_id AS unidadesMedida_id, u.descripcion AS unidadesMedida_descripcion, "
    "u.conjunto AS unidadesMedida_conjunto, u.razon AS unidadesMedida_relacion, "
    "p.opControladoNoSerie AS inventarioProducto_opControlnoSerie, p.estatus AS producto_estatus, "
    "p.estado AS producto_estado, e.etiqueta AS productoEstado_etiqueta "
    "FROM inventarioProducto p "
    "LEFT JOIN inventarioCategoria c ON c.identidad = p.inventarioCategoria_identidad "
    "AND c.idNegocioFk = p.idNegocioFk "
    "LEFT JOIN inventarioUnidadesMedida u ON u.id = p.unidadesMedida_id AND u.idNegocioFk = p.idNegocioFk "
    "LEFT JOIN inventarioProductoEstado e ON e.id = p.estado "
    "WHERE p.idNegocioFk = :idNegocio");
} // namespace

CmidTierResponse Tproductos::selectProductos(const QString &texto, const QString &categoria, int idNegocio) {
    QString sql = kSelectProducto;
    const bool conTexto = !texto.trimmed().isEmpty();
    const bool conCategoria = !categoria.isEmpty();
    if (conTexto)
        sql += QStringLiteral(" AND (p.nombre LIKE :patron1 ESCAPE '!' OR p.clave LIKE :patron2 ESCAPE '!' "
                              "OR p.codigoBarras LIKE :patron3 ESCAPE '!')");
    if (conCategoria)
        sql += QStringLiteral(" AND p.inventarioCategoria_identidad LIKE :categoria ESCAPE '!'");
    sql += QStringLiteral(" ORDER BY p.nombre, p.id");
    setQuery(sql);
    setParametroEntero(kNegocio, idNegocio);
    if (conTexto) {
        const QString patron = u_patronContiene(texto);
        for (const char *nombre : {"patron1", "patron2", "patron3"})
            setParametroTexto(QString::fromLatin1(nombre), patron);
    }
    if (conCategoria)
        setParametroTexto(QStringLiteral("categoria"), u_patronContiene(categoria).mid(1));
    return reader();
}

CmidTierResponse Tproductos::selectProductoPorId(int id, int idNegocio) {
    setQuery(kSelectProducto + QStringLiteral(" AND p.id = :id"));
    setParametroEntero(kNegocio, idNegocio);
    setParametroEntero(QStringLiteral("id"), id);
    return reader();
}

CmidTierResponse Tproductos::selectProductoByCodigoBarras(const QString &codigo, int idNegocio) {
    setQuery(kSelectProducto + QStringLiteral(" AND p.codigoBarras = :codigo AND p.codigoBarras <> '' "
                                              "ORDER BY p.id"));
    setParametroEntero(kNegocio, idNegocio);
    setParametroTexto(QStringLiteral("codigo"), codigo.trimmed());
    return reader();
}

CmidTierResponse Tproductos::selectProductoEstados() {
    setQuery(QStringLiteral("SELECT id AS productoEstado_id, etiqueta AS productoEstado_etiqueta "
                            "FROM inventarioProductoEstado ORDER BY id"));
    return reader();
}

CmidTierResponse Tproductos::selectClaveRepetida(const QString &clave, int excluyeId, int idNegocio) {
    // Keys compare without regard to case: "tor-001" and "TOR-001" are the same key to a person.
    setQuery(QStringLiteral("SELECT id AS producto_id, nombre AS producto_nombre FROM inventarioProducto "
                            "WHERE LOWER(clave) = LOWER(:clave) AND id <> :excluye AND idNegocioFk = "
                            ":idNegocio"));
    setParametroTexto(QStringLiteral("clave"), clave);
    setParametroEntero(QStringLiteral("excluye"), excluyeId);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tproductos::selectCodigoBarrasRepetido(const QString &codigo, int excluyeId, int idNegocio) {
    setQuery(QStringLiteral("SELECT id AS producto_id, nombre AS producto_nombre FROM inventarioProducto "
                            "WHERE codigoBarras = :codigo AND id <> :excluye AND idNegocioFk = :idNegocio"));
    setParametroTexto(QStringLiteral("codigo"), codigo);
    setParametroEntero(QStringLiteral("excluye"), excluyeId);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tproductos::selectMovimientosProducto(int id, int idNegocio) {
    setQuery(QStringLiteral("SELECT COUNT(*) FROM inventarioEntrada WHERE inventarioProducto_id = :id "
                            "AND idNegocioFk = :idNegocio"));
    setParametroEntero(QStringLiteral("id"), id);
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

void Tproductos::bindProducto(const TproductoCaptura &p, int idNegocio) {
    setParametroTexto(QStringLiteral("clave"), p.clave);
    setParametroTexto(QStringLiteral("nombre"), p.nombre);
    setParametroTexto(QStringLiteral("descripcion"), p.descripcion);
    setParametroTexto(QStringLiteral("codigoBarras"), p.codigoBarras);
    setParametroTexto(QStringLiteral("categoria"), p.categoria);
    setParametroEntero(QStringLiteral("unidad"), p.unidadMedidaId);
    setParametroEntero(QStringLiteral("noSerie"), p.controladoNoSerie ? 1 : 0);
    setParametroEntero(QStringLiteral("estatus"), p.estado == 1 ? 1 : 0);
    setParametroEntero(QStringLiteral("estado"), p.estado);
    setParametroEntero(kNegocio, idNegocio);
}

CmidTierResponse Tproductos::insertProducto(const TproductoCaptura &p, int idNegocio) {
    setQuery(QStringLiteral(
        "INSERT INTO inventarioProducto (clave, nombre, descripcion, codigoBarras, "
        "inventarioCategoria_identidad, unidadesMedida_id, opControladoNoSerie, estatus, estado, "
        "idNegocioFk) "
        "VALUES (:clave, :nombre, :descripcion, :codigoBarras, :categoria, :unidad, :noSerie, :estatus, "
        ":estado, :idNegocio)"));
    bindProducto(p, idNegocio);
    return nonQuery();
}

CmidTierResponse Tproductos::updateProducto(const TproductoCaptura &p, int idNegocio) {
    setQuery(QStringLiteral(
        "UPDATE inventarioProducto SET clave = :clave, nombre = :nombre, descripcion = :descripcion, "
        "codigoBarras = :codigoBarras, inventarioCategoria_identidad = :categoria, unidadesMedida_id = "
        ":unidad, "
        "opControladoNoSerie = :noSerie, estatus = :estatus, estado = :estado "
        "WHERE id = :id AND idNegocioFk = :idNegocio"));
    bindProducto(p, idNegocio);
    setParametroEntero(QStringLiteral("id"), p.id);
    return nonQuery();
}

CmidTierResponse Tproductos::selectStockProducto(int idProducto, int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT a.id AS almacen_id, a.nombre AS almacen_nombre, s.minimo AS inventarioStock_minimo, "
        "s.maximo AS inventarioStock_maximo FROM inventarioAlmacen a "
        "LEFT JOIN inventarioStock s ON s.inventarioAlmacen_id = a.id AND s.inventarioProducto_id = "
        ":producto AND s.idNegocioFk = a.idNegocioFk "
        "WHERE a.idNegocioFk = :idNegocio ORDER BY a.nombre, a.id"));
    setParametroEntero(QStringLiteral("producto"), idProducto);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tproductos::deleteStockProducto(int idProducto, int idAlmacen, int idNegocio) {
    setQuery(QStringLiteral("DELETE FROM inventarioStock WHERE inventarioProducto_id = :producto AND "
                            "inventarioAlmacen_id = :almacen AND idNegocioFk = :idNegocio"));
    setParametroEntero(QStringLiteral("producto"), idProducto);
    setParametroEntero(QStringLiteral("almacen"), idAlmacen);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Tproductos::insertStockProducto(int idProducto, int idAlmacen, const QVariant &minimo,
                                                 const QVariant &maximo, int idNegocio) {
    setQuery(
        QStringLiteral("INSERT INTO inventarioStock (inventarioAlmacen_id, inventarioProducto_id, minimo, "
                       "maximo, idNegocioFk) VALUES (:almacen, :producto, :minimo, :maximo, :idNegocio)"));
    setParametroEntero(QStringLiteral("almacen"), idAlmacen);
    setParametroEntero(QStringLiteral("producto"), idProducto);
    setParametroVariant(QStringLiteral("minimo"), minimo);
    setParametroVariant(QStringLiteral("maximo"), maximo);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

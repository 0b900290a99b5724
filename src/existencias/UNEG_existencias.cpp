#include "existencias/UNEG_existencias.h"

#include "comun/U_busquedaTexto.h"
#include "comun/U_numeroCapturado.h"
#include "kardex/UNEG_valuacion.h"

namespace {
const QString kTotal = QStringLiteral("TOTAL");
const QString kExistencia = QStringLiteral("inventarioExistencias_existencia");

QVariant opcional(int id) {
    return id > 0 ? QVariant(id) : QVariant();
}

// A key taken as the start of longer keys, its own % and _ as letters.
QString patronPrefijo(const QString &clave) {
    QString patron = u_patronContiene(clave);
    patron.remove(0, 1);
    return patron;
}

QVariantHash filaDe(const CmidTierResponse &r, int f) {
    QVariantHash fila;
    const QStringList alias = r.getAlias();
    for (int c = 0; c < alias.size(); ++c)
        fila.insert(alias[c], r.getValor(f, c));
    fila.insert(kAliasTipoRenglon, kRenglonDetalle);
    return fila;
}
} // namespace

CmidTierResponse Texistencias::selectExistenciaGeneral(const QVariant &almacenID, const QVariant &productoID,
                                                       int negocioID, const QVariant &stockMaximo) {
    setQuery(QStringLiteral(
        "SELECT p.id AS inventarioProducto_id, p.nombre AS producto_titulo, a.id AS inventarioAlmacen_id, "
        "a.nombre AS inventarioAlmacen_nombre, x.existencia AS inventarioExistencias_existencia "
        "FROM inventarioAlmacen a "
        "JOIN inventarioExistencias x ON x.inventarioAlmacen_id = a.id "
        "JOIN inventarioProducto p ON p.id = x.inventarioProducto_id AND p.idNegocioFk = :negocio "
        "WHERE a.idNegocioFk = :negocio AND (:almacen IS NULL OR a.id = :almacen) AND (:producto IS NULL OR "
        "x.inventarioProducto_id = :producto) AND (:stock IS NULL OR x.existencia <= :stock) "
        "ORDER BY p.nombre, p.id, a.nombre, a.id"));
    setParametroEntero(QStringLiteral("negocio"), negocioID);
    setParametroVariant(QStringLiteral("almacen"), almacenID);
    setParametroVariant(QStringLiteral("producto"), productoID);
    setParametroVariant(QStringLiteral("stock"), stockMaximo);
    return reader();
}

CmidTierResponse Texistencias::selectExistenciaConsolidado(const QVariant &categoria,
                                                           const QVariant &productoID,
                                                           const QVariant &estadoID, int negocioID) {
    setQuery(QStringLiteral(
        "SELECT c.etiqueta AS inventarioCategoria_etiqueta, p.id AS inventarioProducto_id, p.nombre AS "
        "inventarioProducto_nombre, SUM(x.existencia) AS inventarioExistencias_existencia, pe.etiqueta AS "
        "inventarioProductoEstado_etiqueta "
        "FROM inventarioAlmacen a "
        "JOIN inventarioExistencias x ON x.inventarioAlmacen_id = a.id "
        "JOIN inventarioProducto p ON p.id = x.inventarioProducto_id AND p.idNegocioFk = :negocio "
        "LEFT JOIN inventarioCategoria c ON c.identidad = p.inventarioCategoria_identidad AND c.idNegocioFk "
        "= "
        ":negocio "
        "LEFT JOIN inventarioProductoEstado pe ON pe.id = p.estado "
        "WHERE a.idNegocioFk = :negocio AND (:categoria IS NULL OR p.inventarioCategoria_identidad LIKE "
        ":categoria ESCAPE '!') AND (:producto IS NULL OR p.id = :producto) AND (:estado IS NULL OR p.estado "
        "= :estado) "
        "GROUP BY p.id, p.nombre, c.etiqueta, pe.etiqueta "
        "ORDER BY c.etiqueta, p.nombre, p.id"));
    setParametroEntero(QStringLiteral("negocio"), negocioID);
    setParametroVariant(QStringLiteral("categoria"), categoria);
    setParametroVariant(QStringLiteral("producto"), productoID);
    setParametroVariant(QStringLiteral("estado"), estadoID);
    return reader();
}

CmidTierResponse Texistencias::selectExistenciaSmall(int productoID, int negocioID) {
    setQuery(QStringLiteral(
        "SELECT a.nombre AS inventarioAlmacen_nombre, x.existencia AS inventarioExisencias_existencia "
        "FROM inventarioAlmacen a JOIN inventarioExistencias x ON x.inventarioAlmacen_id = a.id AND "
        "x.inventarioProducto_id = :producto WHERE a.idNegocioFk = :negocio ORDER BY a.nombre, a.id"));
    setParametroEntero(QStringLiteral("producto"), productoID);
    setParametroEntero(QStringLiteral("negocio"), negocioID);
    return reader();
}

TreporteExistencias u_reporteGeneral(TConexionSesion *sesion, const TfiltroExistencias &filtro) {
    TreporteExistencias reporte;
    QVariant stock;
    if (!filtro.stock.trimmed().isEmpty()) {
        const TnumeroCapturado n =
            u_leeNumeroCapturado(filtro.stock, QStringLiteral("No. Stock"), TreglaNumero::CeroOPositivo);
        if (!n.ok) {
            reporte.exito = true;
            return reporte;
        }
        stock = n.valor;
    }
    Texistencias datos(sesion);
    const CmidTierResponse r = datos.selectExistenciaGeneral(
        opcional(filtro.almacenID), opcional(filtro.productoID), filtro.negocioID, stock);
    reporte.exito = r.isSuccess();
    const QString producto = QStringLiteral("inventarioProducto_id");
    double suma = 0;
    for (int f = 0; f < r.getRowCount(); ++f) {
        const qint64 id = r.getCeldaAsInt(f, producto);
        if (f == 0 || r.getCeldaAsInt(f - 1, producto) != id) {
            suma = 0;
            reporte.filas.append(QVariantHash{
                {QStringLiteral("producto_titulo"), r.getValor(f, QStringLiteral("producto_titulo"))},
                {producto, id},
                {kAliasTipoRenglon, kRenglonGrupo}});
        }
        QVariantHash fila = filaDe(r, f);
        fila.remove(QStringLiteral("producto_titulo"));
        reporte.filas.append(fila);
        suma += r.getCeldaAsFloat(f, kExistencia);
        if (f + 1 == r.getRowCount() || r.getCeldaAsInt(f + 1, producto) != id)
            reporte.filas.append(QVariantHash{{QStringLiteral("producto_titulo"), kTotal},
                                              {producto, id},
                                              {kExistencia, suma},
                                              {kAliasTipoRenglon, kRenglonTotal}});
    }
    return reporte;
}

TreporteExistencias u_reporteConsolidado(TConexionSesion *sesion, const TfiltroExistencias &filtro) {
    TreporteExistencias reporte;
    const QVariant categoria =
        filtro.categoria.isEmpty() ? QVariant() : QVariant(patronPrefijo(filtro.categoria));
    Texistencias datos(sesion);
    const CmidTierResponse r = datos.selectExistenciaConsolidado(categoria, opcional(filtro.productoID),
                                                                 opcional(filtro.estadoID), filtro.negocioID);
    reporte.exito = r.isSuccess();
    double suma = 0;
    for (int f = 0; f < r.getRowCount(); ++f) {
        reporte.filas.append(filaDe(r, f));
        suma += r.getCeldaAsFloat(f, kExistencia);
    }
    if (!reporte.filas.isEmpty())
        reporte.filas.append(QVariantHash{{QStringLiteral("inventarioCategoria_etiqueta"), kTotal},
                                          {kExistencia, suma},
                                          {kAliasTipoRenglon, kRenglonTotal}});
    return reporte;
}

TreporteExistencias u_reporteValuacion(const TreporteValuacion &valuacion) {
    TreporteExistencias reporte;
    reporte.exito = valuacion.exito;
    const QString almacen = QStringLiteral("inventarioAlmacen_nombre");
    const QString valor = QStringLiteral("valuacion_valor");
    const auto &r = valuacion.renglones;
    for (int i = 0; i < r.size(); ++i) {
        if (i == 0 || r[i - 1].almacenID != r[i].almacenID)
            reporte.filas.append(QVariantHash{{almacen, r[i].almacen}, {kAliasTipoRenglon, kRenglonGrupo}});
        reporte.filas.append(QVariantHash{{QStringLiteral("inventarioAlmacen_id"), r[i].almacenID},
                                          {QStringLiteral("inventarioProducto_id"), r[i].productoID},
                                          {QStringLiteral("inventarioProducto_nombre"), r[i].producto},
                                          {QStringLiteral("valuacion_cantidad"), r[i].cantidad},
                                          {QStringLiteral("valuacion_costoUnitario"), r[i].costoUnitario},
                                          {valor, r[i].valor},
                                          {kAliasTipoRenglon, kRenglonDetalle}});
        if (i + 1 == r.size() || r[i + 1].almacenID != r[i].almacenID)
            reporte.filas.append(QVariantHash{{almacen, kTotal},
                                              {valor, valuacion.totalAlmacen(r[i].almacenID)},
                                              {kAliasTipoRenglon, kRenglonTotal}});
    }
    if (!r.isEmpty())
        reporte.filas.append(QVariantHash{{almacen, QStringLiteral("TOTAL GENERAL")},
                                          {valor, valuacion.total},
                                          {kAliasTipoRenglon, kRenglonTotal}});
    return reporte;
}

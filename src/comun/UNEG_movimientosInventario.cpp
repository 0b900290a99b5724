#include "comun/UNEG_movimientosInventario.h"

namespace {
const QString kNegocio = QStringLiteral("negocioID");
const QString kAlmacen = QStringLiteral("almacenID");
const QString kProducto = QStringLiteral("productoID");
} // namespace

TconceptoMovimiento TmovimientosInventario::selectConcepto(int idConcepto, int idNegocio) {
    setQuery(QStringLiteral("SELECT id, etiqueta, direccion, familia, AsientosContables_id FROM "
                            "inventarioMovimientoConcepto WHERE id = :id AND idNegocioFk = :negocioID"));
    setParametroEntero(QStringLiteral("id"), idConcepto);
    setParametroEntero(kNegocio, idNegocio);
    const CmidTierResponse r = reader();
    TconceptoMovimiento c;
    if (!r.isSuccess() || r.getRowCount() == 0)
        return c;
    c.id = int(r.getCeldaAsInt(0, QStringLiteral("id")));
    c.etiqueta = r.getCelda(0, QStringLiteral("etiqueta"));
    c.direccion = int(r.getCeldaAsInt(0, QStringLiteral("direccion")));
    c.familia = int(r.getCeldaAsInt(0, QStringLiteral("familia")));
    c.idAsiento = int(r.getCeldaAsInt(0, QStringLiteral("AsientosContables_id")));
    return c;
}

QVariant TmovimientosInventario::selectNombreAlmacen(int idAlmacen, int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT nombre FROM inventarioAlmacen WHERE id = :almacenID AND idNegocioFk = :negocioID"));
    setParametroEntero(kAlmacen, idAlmacen);
    setParametroEntero(kNegocio, idNegocio);
    const CmidTierResponse r = reader();
    if (!r.isSuccess() || r.getRowCount() == 0)
        return {};
    return r.getCelda(0, 0);
}

bool TmovimientosInventario::productoDelNegocio(int idProducto, int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT id FROM inventarioProducto WHERE id = :productoID AND idNegocioFk = :negocioID"));
    setParametroEntero(kProducto, idProducto);
    setParametroEntero(kNegocio, idNegocio);
    const CmidTierResponse r = reader();
    return r.isSuccess() && r.getRowCount() == 1;
}

CmidTierResponse TmovimientosInventario::selectFechaHoraUltimoMovimiento(int idAlmacen, int idNegocio,
                                                                         QVariant &ultimo,
                                                                         QVariant *ultimaSalida) {
    // Each side reads the newest row of the warehouse from its (business, warehouse, date) index.
    // The issue side counts only when no receipt is newer, so `ultimaSalida` tells whether the
    // newest movement is (also) an issue.
    setQuery(QStringLiteral(
        "SELECT MAX(t.fechaHora) AS ultimo, MAX(t.salida) AS ultimaSalida FROM ("
        "SELECT * FROM (SELECT e.fechaHora, NULL AS salida FROM inventarioEntrada e WHERE e.idNegocioFk = "
        ":negocioID AND e.inventarioAlmacen_id = :almacenID ORDER BY e.fechaHora DESC LIMIT 1) r "
        "UNION ALL SELECT * FROM (SELECT s.fechaHora, s.fechaHora AS salida FROM inventarioSalida s WHERE "
        "s.idNegocioFk = :negocioID2 AND s.inventarioAlmacen_id = :almacenID2 AND s.fechaHora >= "
        "COALESCE((SELECT MAX(x.fechaHora) FROM inventarioEntrada x WHERE x.idNegocioFk = :negocioID3 AND "
        "x.inventarioAlmacen_id = :almacenID3), :desde) ORDER BY s.fechaHora DESC LIMIT 1) s) t"));
    for (const QString &sufijo : {QString(), QStringLiteral("2"), QStringLiteral("3")}) {
        setParametroEntero(kAlmacen + sufijo, idAlmacen);
        setParametroEntero(kNegocio + sufijo, idNegocio);
    }
    setParametroFechaHora(QStringLiteral("desde"), QDateTime(QDate(1900, 1, 1), QTime(0, 0)));
    const CmidTierResponse r = reader();
    const bool leido = r.isSuccess() && r.getRowCount() == 1;
    ultimo = leido ? r.getValor(0, 0) : QVariant();
    if (ultimaSalida)
        *ultimaSalida = leido ? r.getValor(0, 1) : QVariant();
    return r;
}

CmidTierResponse TmovimientosInventario::selectEntradasPorProductosPorAlmacen(int idProducto, int idAlmacen,
                                                                              int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT inventarioEntrada.id AS inventarioEntrada_id, inventarioEntrada.documento AS "
        "inventarioEntrada_documento, inventarioEntrada.existencia AS inventarioEntrada_existencia, "
        "inventarioEntrada.existenciaCostoUnitario AS inventarioEntrada_existenciaCostoUnitario FROM "
        "inventarioEntrada WHERE inventarioProducto_id = :inventarioProducto_id AND existencia > 0 AND "
        "inventarioAlmacen_id = :inventarioAlmacen_id AND idNegocioFk = :negocioID "
        "ORDER BY fechaHora ASC, inventarioEntrada.id ASC"));
    setParametroEntero(QStringLiteral("inventarioProducto_id"), idProducto);
    setParametroEntero(QStringLiteral("inventarioAlmacen_id"), idAlmacen);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse TmovimientosInventario::capasAbiertas(int idProducto, int idAlmacen, int idNegocio,
                                                       QMap<int, tCapa> &capas) {
    const CmidTierResponse r = selectEntradasPorProductosPorAlmacen(idProducto, idAlmacen, idNegocio);
    capas.clear();
    for (int f = 0; r.isSuccess() && f < r.getRowCount(); ++f) {
        tCapa c;
        c.almacenID = idAlmacen;
        c.productoID = idProducto;
        c.negocioID = idNegocio;
        c.entradaID = int(r.getCeldaAsInt(f, QStringLiteral("inventarioEntrada_id")));
        c.cantidad = r.getCeldaAsFloat(f, QStringLiteral("inventarioEntrada_existencia"));
        c.costoUnitario = r.getCeldaAsFloat(f, QStringLiteral("inventarioEntrada_existenciaCostoUnitario"));
        capas.insert(c.entradaID, c);
    }
    return r;
}

CmidTierResponse TmovimientosInventario::selectUltimoGrupoPorOrdenCronologicoPorAlmacen(int idAlmacen,
                                                                                        int idProducto,
                                                                                        int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT MAX(inventarioKardex.grupo) AS inventarioKardex_grupo FROM inventarioKardex WHERE "
        "inventarioKardex.inventarioProducto_id = :productoID AND inventarioKardex.inventarioAlmacen_id = "
        ":almacenID AND inventarioKardex.idNegocioFk = :negocioID"));
    setParametroEntero(kProducto, idProducto);
    setParametroEntero(kAlmacen, idAlmacen);
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

CmidTierResponse TmovimientosInventario::ultimoGrupo(int idAlmacen, int idProducto, int idNegocio,
                                                     int &grupo) {
    const CmidTierResponse r =
        selectUltimoGrupoPorOrdenCronologicoPorAlmacen(idAlmacen, idProducto, idNegocio);
    grupo = r.isSuccess() ? int(r.getScalarAsInt()) : 0;
    return r;
}

CmidTierResponse TmovimientosInventario::selectExistencia(int idAlmacen, int idProducto, int idNegocio,
                                                          TexistenciaAlmacen &x) {
    setQuery(QStringLiteral(
        "SELECT x.existencia AS inventarioExistencias_existencia FROM inventarioExistencias x JOIN "
        "inventarioAlmacen a ON a.id = x.inventarioAlmacen_id WHERE x.inventarioAlmacen_id = :almacenID "
        "AND x.inventarioProducto_id = :productoID AND a.idNegocioFk = :negocioID"));
    setParametroEntero(kAlmacen, idAlmacen);
    setParametroEntero(kProducto, idProducto);
    setParametroEntero(kNegocio, idNegocio);
    const CmidTierResponse r = reader();
    x = TexistenciaAlmacen();
    if (r.isSuccess() && r.getRowCount() > 0) {
        x.existe = true;
        x.existencia = r.getCeldaAsFloat(0, 0);
    }
    return r;
}

CmidTierResponse TmovimientosInventario::selectSaldoUltimoMovimiento(int idProducto, int idAlmacen,
                                                                     int idNegocio, TsaldoMovimiento &saldo) {
    // The newest movement in the order the rebuild walks them (at one instant receipts before
    // issues), open layer or not: a purchase return that emptied its layer set the average the
    // next issue leaves at. Issues carry no warehouse or product of their own: they are found through their
    // layers, read first on purpose. Left to itself MariaDB walks every issue newest first looking for one of
    // the product, which reads the whole table before a product's first issue.
    setQuery(conOrdenDeJoin(QStringLiteral(
        "SELECT t.existenciaCostoTotal AS _existenciaCostoTotal, t.existenciaCostoUnitario AS "
        "_existenciaCostoUnitario FROM ("
        "SELECT * FROM (SELECT e.fechaHora, 1 AS tipo, e.id, e.existenciaCostoTotal, "
        "e.existenciaCostoUnitario "
        "FROM inventarioEntrada e "
        "WHERE e.idNegocioFk = :negocioID AND e.inventarioAlmacen_id = :almacenID AND "
        "e.inventarioProducto_id = :productoID ORDER BY e.fechaHora DESC, e.id DESC LIMIT 1) r "
        "UNION ALL SELECT * FROM (SELECT %1 s.fechaHora, 2 AS tipo, s.id, s.existenciaCostoTotal, "
        "s.existenciaCostoUnitario FROM "
        "inventarioEntrada e %2 inventarioSalida s ON s.inventarioEntrada_id = e.id WHERE "
        "e.idNegocioFk = :negocioID2 AND e.inventarioAlmacen_id = :almacenID2 AND e.inventarioProducto_id = "
        ":productoID2 "
        "ORDER BY s.fechaHora DESC, s.id DESC LIMIT 1) s) t ORDER BY t.fechaHora DESC, t.tipo DESC, t.id "
        "DESC LIMIT 1")));
    for (const QString &sufijo : {QString(), QStringLiteral("2")}) {
        setParametroEntero(kNegocio + sufijo, idNegocio);
        setParametroEntero(kAlmacen + sufijo, idAlmacen);
        setParametroEntero(kProducto + sufijo, idProducto);
    }
    const CmidTierResponse r = reader();
    saldo = TsaldoMovimiento();
    if (r.isSuccess() && r.getRowCount() > 0)
        saldo = {r.getCeldaAsFloat(0, QStringLiteral("_existenciaCostoTotal")),
                 r.getCeldaAsFloat(0, QStringLiteral("_existenciaCostoUnitario"))};
    return r;
}

CmidTierResponse TmovimientosInventario::stockMinimo(int idAlmacen, int idProducto, int idNegocio,
                                                     double &minimo) {
    setQuery(QStringLiteral(
        "SELECT minimo FROM inventarioStock WHERE inventarioAlmacen_id = :almacenID AND "
        "inventarioProducto_id = :productoID AND idNegocioFk = :negocioID AND minimo IS NOT NULL"));
    setParametroEntero(kAlmacen, idAlmacen);
    setParametroEntero(kProducto, idProducto);
    setParametroEntero(kNegocio, idNegocio);
    const CmidTierResponse r = reader();
    minimo = r.isSuccess() && r.getRowCount() > 0 ? r.getCeldaAsFloat(0, 0) : -1.0;
    return r;
}

CmidTierResponse TmovimientosInventario::insertExistencia(int idAlmacen, int idProducto, double existencia,
                                                          int idNegocio) {
    setQuery(QStringLiteral(
        "INSERT INTO inventarioExistencias (inventarioAlmacen_id, inventarioProducto_id, existencia) "
        "SELECT a.id, :productoID, :existencia FROM inventarioAlmacen a WHERE a.id = :almacenID AND "
        "a.idNegocioFk = :negocioID"));
    setParametroEntero(kAlmacen, idAlmacen);
    setParametroEntero(kProducto, idProducto);
    setParametroFlotante(QStringLiteral("existencia"), existencia);
    setParametroEntero(kNegocio, idNegocio);
    CmidTierResponse r = nonQuery();
    return r.isSuccess() && r.getFilasAfectadas() != 1 ? CmidTierResponse() : r;
}

CmidTierResponse TmovimientosInventario::updateExistencia(int idAlmacen, int idProducto, double existencia,
                                                          int idNegocio) {
    setQuery(QStringLiteral(
        "UPDATE inventarioExistencias SET existencia = :existencia WHERE inventarioAlmacen_id = :almacenID "
        "AND inventarioProducto_id = :productoID AND EXISTS (SELECT 1 FROM inventarioAlmacen a WHERE a.id = "
        ":almacenID2 AND a.idNegocioFk = :negocioID)"));
    setParametroFlotante(QStringLiteral("existencia"), existencia);
    setParametroEntero(kAlmacen, idAlmacen);
    setParametroEntero(QStringLiteral("almacenID2"), idAlmacen);
    setParametroEntero(kProducto, idProducto);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

QString TmovimientosInventario::conOrdenDeJoin(const QString &sentencia) const {
    return sentencia.arg(segunProveedor(QStringLiteral("STRAIGHT_JOIN"), QString()),
                         segunProveedor(QStringLiteral("JOIN"), QStringLiteral("CROSS JOIN")));
}

#include "kardex/UNEG_valuacion.h"

#include "comun/U_utilerias.h"
#include "datos/UfechaHora.h"

CmidTierResponse Tvaluacion::selectValuacion(const QDate &dia, const QVariant &almacenID,
                                             const QVariant &productoID, int negocioID) {
    // Issue rows belong to the pair of the layer they drew on. At one instant an issue follows
    // the receipts it may draw on; the lines of one issue share the instant, the last line holds
    // the document's figures. A warehouse or product asked for is an equality, not ":x IS NULL OR",
    // so that one pair's movements are read through its index rather than the business's.
    QString filtro;
    if (!almacenID.isNull())
        filtro += QStringLiteral(" AND e.inventarioAlmacen_id = :almacen");
    if (!productoID.isNull())
        filtro += QStringLiteral(" AND e.inventarioProducto_id = :producto");
    setQuery(
        QStringLiteral(
            "SELECT a.id AS inventarioAlmacen_id, a.nombre AS inventarioAlmacen_nombre, p.id AS "
            "inventarioProducto_id, p.nombre AS inventarioProducto_nombre, m.existenciaTotal AS "
            "valuacion_cantidad, m.existenciaCostoTotal AS valuacion_valor "
            "FROM (SELECT almacen, producto, existenciaTotal, existenciaCostoTotal, "
            "ROW_NUMBER() OVER (PARTITION BY almacen, producto ORDER BY fechaHora DESC, tipo DESC, id DESC) "
            "AS "
            "orden FROM ("
            "SELECT e.inventarioAlmacen_id AS almacen, e.inventarioProducto_id AS producto, e.fechaHora AS "
            "fechaHora, 0 AS tipo, e.id AS id, e.existenciaTotal AS existenciaTotal, e.existenciaCostoTotal "
            "AS "
            "existenciaCostoTotal FROM inventarioEntrada e "
            "WHERE e.idNegocioFk = :negocio AND e.fechaHora <= :fecha%1 "
            "UNION ALL "
            "SELECT e.inventarioAlmacen_id, e.inventarioProducto_id, s.fechaHora, 1, s.id, "
            "s.existenciaTotal, "
            "s.existenciaCostoTotal FROM inventarioSalida s JOIN inventarioEntrada e "
            "ON e.id = s.inventarioEntrada_id WHERE e.idNegocioFk = :negocio AND s.fechaHora <= :fecha%1) "
            "movimientos) m "
            "JOIN inventarioAlmacen a ON a.id = m.almacen AND a.idNegocioFk = :negocio "
            "JOIN inventarioProducto p ON p.id = m.producto AND p.idNegocioFk = :negocio "
            "WHERE m.orden = 1 AND ABS(COALESCE(m.existenciaTotal, 0)) > 0.000000001 "
            "ORDER BY a.nombre, a.id, p.nombre, p.id")
            .arg(filtro));
    setParametroFechaHora(QStringLiteral("fecha"), fechaHora::finDelDia(dia));
    if (!almacenID.isNull())
        setParametroVariant(QStringLiteral("almacen"), almacenID);
    if (!productoID.isNull())
        setParametroVariant(QStringLiteral("producto"), productoID);
    setParametroEntero(QStringLiteral("negocio"), negocioID);
    return reader();
}

double TreporteValuacion::totalAlmacen(int almacenID) const {
    double suma = 0;
    for (const TvaluacionRenglon &r : renglones)
        if (r.almacenID == almacenID)
            suma += r.valor;
    return suma;
}

TreporteValuacion u_valuacion(TConexionSesion *sesion, const QDate &dia, int negocioID,
                              const QVariant &almacenID, const QVariant &productoID) {
    TreporteValuacion reporte;
    reporte.dia = dia;
    Tvaluacion datos(sesion);
    const CmidTierResponse r = datos.selectValuacion(dia, almacenID, productoID, negocioID);
    reporte.exito = r.isSuccess();
    for (int f = 0; f < r.getRowCount(); ++f) {
        TvaluacionRenglon v;
        v.almacenID = int(r.getCeldaAsInt(f, QStringLiteral("inventarioAlmacen_id")));
        v.almacen = r.getCelda(f, QStringLiteral("inventarioAlmacen_nombre"));
        v.productoID = int(r.getCeldaAsInt(f, QStringLiteral("inventarioProducto_id")));
        v.producto = r.getCelda(f, QStringLiteral("inventarioProducto_nombre"));
        v.cantidad = r.getCeldaAsFloat(f, QStringLiteral("valuacion_cantidad"));
        v.valor = r.getCeldaAsFloat(f, QStringLiteral("valuacion_valor"));
        // What a unit of the stock is worth: under PEPS the layers left differ in cost, and the
        // average's stored unit cost is truncated, so quantity × this gives the value shown.
        v.costoUnitario = v.valor / v.cantidad;
        reporte.total += v.valor;
        reporte.renglones.append(v);
    }
    return reporte;
}

QString u_tituloValuacion(const QDate &dia) {
    return QStringLiteral("Valuación al ") + dia.toString(QStringLiteral("dd-MM-yyyy"));
}

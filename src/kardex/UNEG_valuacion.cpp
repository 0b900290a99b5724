#include "kardex/UNEG_valuacion.h"

#include "comun/U_utilerias.h"
#include "datos/UfechaHora.h"

QString Tvaluacion::pares(bool conAlmacen, bool conProducto) const {
    const QString producto =
        conProducto ? QStringLiteral(" AND e.inventarioProducto_id = :producto") : QString();
    // MariaDB skips through the index by itself (a loose index scan of the GROUP BY); a recursive
    // walk there would stop silently at max_recursive_iterations.
    if (esMySQL())
        return QStringLiteral(
                   "SELECT e.inventarioAlmacen_id, e.inventarioProducto_id FROM inventarioEntrada e "
                   "WHERE e.idNegocioFk = :negocio%1%2 GROUP BY e.idNegocioFk, "
                   "e.inventarioAlmacen_id, e.inventarioProducto_id")
            .arg(conAlmacen ? QStringLiteral(" AND e.inventarioAlmacen_id = :almacen") : QString(), producto);
    // SQLite reads every index entry for that: each of the business's warehouses is walked instead,
    // a recursive step seeking its next product.
    const QString siguiente = QStringLiteral(
        "(SELECT e.inventarioProducto_id FROM inventarioEntrada e WHERE e.idNegocioFk = :negocio AND "
        "e.inventarioAlmacen_id = %1%2 ORDER BY e.inventarioProducto_id LIMIT 1)");
    return QStringLiteral(
               "SELECT a.id, %1 FROM inventarioAlmacen a WHERE a.idNegocioFk = :negocio%3 UNION ALL "
               "SELECT u.almacen, %2 FROM pares u WHERE u.producto IS NOT NULL")
        .arg(siguiente.arg(QStringLiteral("a.id"), producto),
             siguiente.arg(QStringLiteral("u.almacen"),
                           producto + QStringLiteral(" AND e.inventarioProducto_id > u.producto")),
             conAlmacen ? QStringLiteral(" AND a.id = :almacen") : QString());
}

CmidTierResponse Tvaluacion::selectValuacion(const QDate &dia, const QVariant &almacenID,
                                             const QVariant &productoID, int negocioID) {
    // The business's warehouse × product pairs come from the layers' (business, warehouse,
    // product) index one seek each; each pair's last receipt row and last issue row on or before
    // the day are one seek each (every issue row carries its layer's pair). At one instant an
    // issue follows the receipts it may draw on; the last line of an issue holds the document's
    // figures.
    const QString ultima = QStringLiteral(
        "(SELECT x.id FROM %1 x WHERE x.idNegocioFk = :negocio AND x.inventarioAlmacen_id = u.almacen AND "
        "x.inventarioProducto_id = u.producto AND x.fechaHora <= :fecha ORDER BY x.fechaHora DESC, x.id "
        "DESC LIMIT 1)");
    const QString esSalida =
        QStringLiteral("s.id IS NOT NULL AND (r.id IS NULL OR s.fechaHora >= r.fechaHora)");
    setQuery(QStringLiteral(
                 "WITH RECURSIVE pares (almacen, producto) AS (%1) "
                 "SELECT a.id AS inventarioAlmacen_id, a.nombre AS inventarioAlmacen_nombre, p.id AS "
                 "inventarioProducto_id, p.nombre AS inventarioProducto_nombre, m.cantidad AS "
                 "valuacion_cantidad, m.valor AS valuacion_valor FROM ("
                 "SELECT u.almacen, u.producto, CASE WHEN %4 THEN s.existenciaTotal ELSE r.existenciaTotal "
                 "END AS cantidad, CASE WHEN %4 THEN s.existenciaCostoTotal ELSE r.existenciaCostoTotal END "
                 "AS valor FROM (SELECT u.almacen, u.producto, %2 AS entrada, %3 AS salida FROM pares u "
                 "WHERE u.producto IS NOT NULL) u "
                 "LEFT JOIN inventarioEntrada r ON r.id = u.entrada "
                 "LEFT JOIN inventarioSalida s ON s.id = u.salida) m "
                 "%5 inventarioAlmacen a ON a.id = m.almacen AND a.idNegocioFk = :negocio "
                 "%5 inventarioProducto p ON p.id = m.producto AND p.idNegocioFk = :negocio "
                 "WHERE ABS(COALESCE(m.cantidad, 0)) > 0.000000001 "
                 "ORDER BY a.nombre, a.id, p.nombre, p.id")
                 .arg(pares(!almacenID.isNull(), !productoID.isNull()),
                      ultima.arg(QStringLiteral("inventarioEntrada")),
                      ultima.arg(QStringLiteral("inventarioSalida")), esSalida,
                      // SQLite would otherwise start from the names and look the pairs up.
                      segunProveedor(QStringLiteral("JOIN"), QStringLiteral("CROSS JOIN"))));
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

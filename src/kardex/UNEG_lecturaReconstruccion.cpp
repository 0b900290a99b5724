#include "kardex/UNEG_lecturaReconstruccion.h"

#include "datos/UcodigosInventario.h"

namespace {
const QString kNegocio = QStringLiteral("idNegocio");

// The movement kind of a receipt row and of an issue row, from the family of its concept (a
// receipt without a concept counts as ordinary).
QString tipoEntrada() {
    return u_conCodigos(
        QStringLiteral("CASE COALESCE(c.familia, %1) WHEN %2 THEN %3 WHEN %4 THEN %5 ELSE %6 END"),
        {kFamiliaOrdinaria, kFamiliaExistenciaInicial, kMovimientoInicial, kFamiliaDevolucionSalida,
         kMovimientoDevolucionVenta, kMovimientoEntrada});
}

QString tipoSalida() {
    return u_conCodigos(QStringLiteral("CASE WHEN c.familia = %1 THEN %2 ELSE %3 END"),
                        {kFamiliaDevolucionCompra, kMovimientoDevolucionCompra, kMovimientoSalida});
}
} // namespace

CmidTierResponse TlecturaReconstruccion::selectRegistrosKardex(int idNegocio) {
    setQuery(
        QStringLiteral("SELECT COUNT(*) AS _registros FROM inventarioKardex WHERE idNegocioFk = :idNegocio"));
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse TlecturaReconstruccion::selectEntradasSalidasTodas(int idNegocio) {
    // An issue has no business of its own: it is the business of the layer it consumed, so a
    // business with issues always has receipts.
    setQuery(QStringLiteral("SELECT id AS inventarioEntrada_id FROM inventarioEntrada WHERE idNegocioFk = "
                            ":idNegocio LIMIT 1"));
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse TlecturaReconstruccion::selectAlmacenesExistentes(int idNegocio) {
    setQuery(QStringLiteral("SELECT id AS inventarioAlmacen_id FROM inventarioAlmacen WHERE idNegocioFk = "
                            ":idNegocio ORDER BY id"));
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse TlecturaReconstruccion::selectProductosExistentes(int idNegocio) {
    setQuery(QStringLiteral("SELECT id AS inventarioProducto_id FROM inventarioProducto WHERE idNegocioFk = "
                            ":idNegocio ORDER BY id"));
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse TlecturaReconstruccion::selectNegocioParaReconstruir(int idNegocio) {
    setQuery(segunProveedor(QStringLiteral("SELECT id FROM negocio WHERE id = :idNegocio FOR UPDATE"),
                            QStringLiteral("SELECT id FROM negocio WHERE id = :idNegocio")));
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse TlecturaReconstruccion::selectEntradasSalidasPorOrdenCronologicoPorAlmacen(int idAlmacen,
                                                                                            int idProducto,
                                                                                            int idNegocio) {
    return selectMovimientos(QStringLiteral("= :desde"), QString(), idAlmacen, idProducto, idProducto,
                             idNegocio);
}

CmidTierResponse TlecturaReconstruccion::selectEntradasSalidasPorOrdenCronologicoPorProductos(int idAlmacen,
                                                                                              int idDesde,
                                                                                              int idHasta,
                                                                                              int idNegocio) {
    return selectMovimientos(QStringLiteral("BETWEEN :desde AND :hasta"),
                             QStringLiteral("inventarioProducto_id, "), idAlmacen, idDesde, idHasta,
                             idNegocio);
}

CmidTierResponse TlecturaReconstruccion::selectMovimientos(const QString &filtroProducto,
                                                           const QString &orden, int idAlmacen, int idDesde,
                                                           int idHasta, int idNegocio) {
    // Kinds by concept family (tipoEntrada, tipoSalida). A reversing receipt opens a layer of its own, as its
    // posting does (later issues draw on it).
    // "_capa_costoUnitario" is the cost of the layer a row opens or draws on: a purchase return
    // leaves at it.
    const QString texto =
        QStringLiteral(
            "SELECT * FROM ("
            "SELECT %3 AS inventarioEntrada_fechaHora, "
            "{tipoEntrada} AS "
            "inventarioMovimientoConcepto_id, "
            "e.inventarioProducto_id AS inventarioProducto_id, e.inventarioAlmacen_id AS "
            "inventarioAlmacen_id, "
            "e.id AS inventarioEntrada_id, e.documento AS inventarioEntrada_documento, "
            "e.cantidad AS inventarioEntrada_cantidad, "
            "COALESCE(e.existenciaCostoUnitario, e.costoUnitario) AS "
            "inventarioEntrada_existenciaCostoUnitario, "
            "NULL AS inventarioSalida_documento, NULL AS _id_entradaRelacionada, NULL AS "
            "inventarioSalida_cantidad, "
            "NULL AS inventarioSalida_existenciaCostoUnitario, "
            "CASE WHEN c.familia = {devolucionSalida} THEN e.id END AS "
            "_entrada_devolucionVentasIDrelacionado, "
            "e.idNegocioFk AS inventarioEntrada_idNegocioFk, e.existenciaTotal AS _existenciaTotal, "
            "e.existenciaCostoTotal AS _existenciaCostoTotal, e.existenciaCostoUnitario AS "
            "_existenciaCostoUnitario, "
            "e.costoUnitario AS inventarioEntrada_costoUnitario, NULL AS inventarioSalida_id, "
            "NULL AS inventarioSalida_salidaCostoUnitario, 0 AS _orden, e.id AS _movimiento, "
            "e.costoUnitario AS _capa_costoUnitario "
            "FROM inventarioEntrada e LEFT JOIN inventarioMovimientoConcepto c ON c.id = "
            "e.inventarioMovimientoConcepto_id "
            "WHERE e.idNegocioFk = :idNegocio AND e.inventarioAlmacen_id = :almacen AND "
            "e.inventarioProducto_id "
            "%1 "
            "UNION ALL "
            "SELECT %4, {tipoSalida}, l.inventarioProducto_id, "
            "l.inventarioAlmacen_id, NULL, NULL, NULL, NULL, s.documento, s.inventarioEntrada_id, "
            "s.cantidad, "
            "COALESCE(s.existenciaCostoUnitario, s.salidaCostoUnitario), NULL, l.idNegocioFk, "
            "s.existenciaTotal, "
            "s.existenciaCostoTotal, s.existenciaCostoUnitario, NULL, s.id, s.salidaCostoUnitario, 1, s.id, "
            "l.costoUnitario "
            "FROM inventarioSalida s JOIN inventarioEntrada l ON l.id = s.inventarioEntrada_id "
            "LEFT JOIN inventarioMovimientoConcepto c ON c.id = s.inventarioMovimientoConcepto_id "
            "WHERE l.idNegocioFk = :idNegocio AND l.inventarioAlmacen_id = :almacen AND "
            "l.inventarioProducto_id "
            "%1"
            ") m ORDER BY %2inventarioEntrada_fechaHora, _orden, _movimiento")
            .replace(QStringLiteral("{tipoEntrada}"), tipoEntrada())
            .replace(QStringLiteral("{tipoSalida}"), tipoSalida())
            .replace(QStringLiteral("{devolucionSalida}"), QString::number(kFamiliaDevolucionSalida));
    // Dates come back as the stored text on both engines (the same order, and no time-zone work
    // per row in the driver).
    setQuery(texto.arg(
        filtroProducto, orden,
        segunProveedor(QStringLiteral("CAST(e.fechaHora AS CHAR)"), QStringLiteral("e.fechaHora")),
        segunProveedor(QStringLiteral("CAST(s.fechaHora AS CHAR)"), QStringLiteral("s.fechaHora"))));
    setParametroEntero(kNegocio, idNegocio);
    setParametroEntero(QStringLiteral("almacen"), idAlmacen);
    setParametroEntero(QStringLiteral("desde"), idDesde);
    if (filtroProducto.contains(QLatin1String(":hasta")))
        setParametroEntero(QStringLiteral("hasta"), idHasta);
    return reader();
}

#include "salidas/UNEG_salidasConsulta.h"

#include "comun/U_busquedaTexto.h"
#include "datos/UfechaHora.h"

namespace {
// A typed whole number, or -1 (which no document and no stock limit of a list matches).
qint64 enteroOMenosUno(const QString &texto) {
    bool ok = false;
    const qint64 valor = texto.trimmed().toLongLong(&ok);
    return ok && valor >= 0 ? valor : -1;
}

QVariant patronONulo(const QString &texto) {
    return texto.trimmed().isEmpty() ? QVariant() : QVariant(u_patronContiene(texto));
}
} // namespace

CmidTierResponse TsalidasConsulta::selectSalidasTodo(const TfiltroSalidas &f) {
    // Stock kept as a double may sit a hair below a whole number after many movements.
    const QString existenciaEntera =
        segunProveedor(QStringLiteral("TRUNCATE(x.existencia + 0.000000001, 0)"),
                       QStringLiteral("CAST(x.existencia + 0.000000001 AS INTEGER)"));
    setQuery(
        QStringLiteral(
            "SELECT s.id AS inventarioSalida_id, s.documento AS inventarioSalida_documento, "
            "p.id AS inventarioProducto_id, p.nombre AS inventarioProducto_nombre, "
            "s.cantidad AS inventarioSalida_cantidad, "
            "s.salidaCostoUnitario AS inventarioEntrada_salidaCostoUnitario, "
            "s.existenciaCostoUnitario AS inventarioSalida_existenciaCostoUnitario, "
            "e.existencia AS inventarioEntrada_existencia, s.idComprobante AS "
            "inventarioSalida_idComprobante, "
            "s.fechaHora AS inventarioSalida_fechaHora, a.id AS inventarioAlmacen_id, "
            "a.nombre AS inventarioAlmacen_nombre, c.uuid AS comprobante_uuid, "
            "mc.etiqueta AS inventarioMovimientoConcepto_etiqueta, l.id AS inventarioLote_id, "
            "l.numero AS inventarioLote_numero, "
            "l.fechaProduccionEstablecida AS inventarioLote_fechaProduccionEstablecida, "
            "r.nombre AS receptor_nombre, r.rfc AS receptor_rfc, "
            "CASE WHEN l.fechaProduccionEstablecida = 1 THEN l.fechaProduccion END "
            "AS inventarioLote_fechaProduccion, "
            "l.fechaCaducidadEstablecida AS inventarioLote_fechaCaducidadEstablecida, "
            "CASE WHEN l.fechaCaducidadEstablecida = 1 THEN l.fechaCaducidad END "
            "AS inventarioLote_fechaCaducidad "
            "FROM inventarioSalida s "
            "JOIN inventarioEntrada e ON e.id = s.inventarioEntrada_id "
            "LEFT JOIN inventarioProducto p ON p.id = e.inventarioProducto_id "
            "LEFT JOIN inventarioAlmacen a ON a.id = e.inventarioAlmacen_id "
            "LEFT JOIN Comprobante c ON c.idComprobante = s.idComprobante AND c.idNegocioFk = e.idNegocioFk "
            "LEFT JOIN inventarioMovimientoConcepto mc ON mc.id = s.inventarioMovimientoConcepto_id "
            "LEFT JOIN inventarioLote l ON l.inventarioEntrada_id = e.id "
            "LEFT JOIN Receptor r ON r.idReceptor = c.receptor "
            "LEFT JOIN inventarioExistencias x ON x.inventarioAlmacen_id = e.inventarioAlmacen_id "
            "AND x.inventarioProducto_id = e.inventarioProducto_id "
            "WHERE s.idNegocioFk = :negocioID AND s.fechaHora BETWEEN :fechaInicial AND :fechaFinal "
            "AND (:almacenID IS NULL OR s.inventarioAlmacen_id = :almacenID) "
            "AND (:productoNombre IS NULL OR p.nombre LIKE :productoNombre ESCAPE '!') "
            "AND (:documento IS NULL OR s.documento = :documento) "
            "AND (:clienteNombre IS NULL OR r.nombre LIKE :clienteNombre ESCAPE '!') "
            "AND (:loteNumero IS NULL OR l.numero LIKE :loteNumero ESCAPE '!') "
            "AND (:fechaProduccionInicial IS NULL OR (l.fechaProduccionEstablecida = 1 "
            "AND l.fechaProduccion BETWEEN :fechaProduccionInicial AND :fechaProduccionFinal)) "
            "AND (:fechaCaducidadInicial IS NULL OR (l.fechaCaducidadEstablecida = 1 "
            "AND l.fechaCaducidad BETWEEN :fechaCaducidadInicial AND :fechaCaducidadFinal)) "
            "AND (:existencia IS NULL OR %1 <= :existencia) "
            "ORDER BY s.fechaHora ASC, s.id ASC")
            .arg(existenciaEntera));
    setParametroFechaHora(QStringLiteral("fechaInicial"), fechaHora::inicioDelDia(f.fechaInicial));
    setParametroFechaHora(QStringLiteral("fechaFinal"), fechaHora::finDelDia(f.fechaFinal));
    setParametroEntero(QStringLiteral("negocioID"), f.negocioID);
    setParametroVariant(QStringLiteral("almacenID"), f.almacenID > 0 ? QVariant(f.almacenID) : QVariant());
    setParametroVariant(QStringLiteral("productoNombre"), patronONulo(f.productoNombre));
    setParametroVariant(QStringLiteral("documento"), f.documento.trimmed().isEmpty()
                                                         ? QVariant()
                                                         : QVariant(enteroOMenosUno(f.documento)));
    setParametroVariant(QStringLiteral("clienteNombre"), patronONulo(f.clienteNombre));
    setParametroVariant(QStringLiteral("loteNumero"), patronONulo(f.loteNumero));
    const auto rango = [this](const QString &nombre, bool activo, const QDate &desde, const QDate &hasta) {
        if (!activo) {
            setParametroVariant(nombre + QStringLiteral("Inicial"), QVariant());
            setParametroVariant(nombre + QStringLiteral("Final"), QVariant());
            return;
        }
        setParametroFechaHora(nombre + QStringLiteral("Inicial"), fechaHora::inicioDelDia(desde));
        setParametroFechaHora(nombre + QStringLiteral("Final"), fechaHora::finDelDia(hasta));
    };
    rango(QStringLiteral("fechaProduccion"), f.produccion, f.produccionInicial, f.produccionFinal);
    rango(QStringLiteral("fechaCaducidad"), f.caducidad, f.caducidadInicial, f.caducidadFinal);
    setParametroVariant(QStringLiteral("existencia"), f.existencia.trimmed().isEmpty()
                                                          ? QVariant()
                                                          : QVariant(enteroOMenosUno(f.existencia)));
    return reader();
}

CmidTierResponse TsalidasConsulta::selectDesgloceEntreFechas(const QDate &fechaInicial,
                                                             const QDate &fechaFinal,
                                                             const QVariant &productoID,
                                                             const QVariant &almacenID, const QVariant &kitID,
                                                             int negocioID) {
    // One sold line per branch: a kit line is named and coded by its kit.
    // MariaDB: in the tables' own collation, or the CASE and the UNION mix two.
    const QString claveKit = segunProveedor(
        QStringLiteral("CAST(k.categoriaSAT33_id AS CHAR CHARACTER SET utf8mb4) COLLATE utf8mb4_unicode_ci"),
        QStringLiteral("CAST(k.categoriaSAT33_id AS TEXT)"));
    const QString rama = QStringLiteral(
        "SELECT d.inventarioProducto_id AS productoID, d.ventasKit_id AS kitID, "
        "CASE WHEN d.ventasKit_id > 0 THEN %1 ELSE d.claveSATproductoServicio END AS claveSAT, "
        "CASE WHEN d.ventasKit_id > 0 THEN k.nombre ELSE p.nombre END AS nombre, "
        "d.cantidad AS cantidad, d.%2 AS precioLista, d.descuento AS descuento, d.precioVenta AS importe, "
        "d.iepsT AS iepsT, d.ivaT AS ivaT, d.iepsR AS iepsR, d.ivaR AS ivaR, d.isrR AS isrR "
        "FROM %3 "
        "LEFT JOIN ventasKit k ON k.id = d.ventasKit_id AND k.idNegocioFk = v.idNegocioFk "
        "LEFT JOIN inventarioProducto p ON p.id = d.inventarioProducto_id AND p.idNegocioFk = v.idNegocioFk "
        "WHERE %4 BETWEEN :fechaInicial AND :fechaFinal AND %5 AND v.idNegocioFk = :negocioID "
        "AND (:almacenID IS NULL OR %6 = :almacenID) "
        "AND (:productoID IS NULL OR d.inventarioProducto_id = :productoID) "
        "AND (:kitID IS NULL OR d.ventasKit_id = :kitID)");
    const QString cotizaciones = rama.arg(
        claveKit, QStringLiteral("precioLista"),
        QStringLiteral("ventasCotizacionDetalle d JOIN ventasCotizacion v ON v.id = d.ventasCotizacion_id"),
        QStringLiteral("v.fechaVenta"), QStringLiteral("v.fechaVenta IS NOT NULL AND d.tipoInsercion < 10"),
        QStringLiteral("v.inventarioAlmacen_id"));
    const QString puntoVenta =
        rama.arg(claveKit, QStringLiteral("precio"),
                 QStringLiteral("puntoOperacionDetalle d JOIN puntoOperacion v ON v.id = d.puntoOperacion_id "
                                "LEFT JOIN puntoOperacionComplementario pc ON pc.puntoOperacion_id = v.id"),
                 QStringLiteral("v.fechaHora"), QStringLiteral("d.cabecera <= 1"),
                 QStringLiteral("pc.inventarioAlmacen_id"));
    // Grouped by kit too: every kit line has product 0, and two kits must not merge.
    setQuery(
        QStringLiteral(
            "SELECT t.productoID AS productoID, t.kitID AS kitID, MAX(t.claveSAT) AS claveSAT, "
            "MAX(t.nombre) AS nombre, COALESCE(SUM(t.cantidad), 0) AS unidades, "
            "COALESCE(SUM(t.descuento), 0) AS descuento, COALESCE(SUM(t.importe), 0) AS importe, "
            "COALESCE(SUM(t.iepsT), 0) AS iepsT, COALESCE(SUM(t.ivaT), 0) AS ivaT, "
            "COALESCE(SUM(t.iepsR), 0) AS iepsR, COALESCE(SUM(t.ivaR), 0) AS ivaR, "
            "COALESCE(SUM(t.isrR), 0) AS isrR, COALESCE(SUM(t.iepsT + t.ivaT), 0) AS totalTrasladados, "
            "COALESCE(SUM(t.iepsR + t.ivaR + t.isrR), 0) AS totalRetenidos, "
            "COALESCE(SUM(t.importe - t.descuento + t.iepsT + t.ivaT - t.iepsR - t.ivaR - t.isrR), 0) "
            "AS total, t.precioLista AS precioLista "
            "FROM (%1 UNION ALL %2) t "
            "GROUP BY t.productoID, t.kitID, t.precioLista ORDER BY t.productoID, t.kitID, t.precioLista")
            .arg(cotizaciones, puntoVenta));
    setParametroFechaHora(QStringLiteral("fechaInicial"), fechaHora::inicioDelDia(fechaInicial));
    setParametroFechaHora(QStringLiteral("fechaFinal"), fechaHora::finDelDia(fechaFinal));
    setParametroEntero(QStringLiteral("negocioID"), negocioID);
    setParametroVariant(QStringLiteral("almacenID"), almacenID);
    setParametroVariant(QStringLiteral("productoID"), productoID);
    setParametroVariant(QStringLiteral("kitID"), kitID);
    return reader();
}

CmidTierResponse TsalidasConsulta::selectSalida(int salidaID, int negocioID) {
    setQuery(QStringLiteral(
        "SELECT s.id AS inventarioSalida_id, s.documento AS inventarioSalida_documento, "
        "s.fechaHora AS inventarioSalida_fechaHora, p.id AS inventarioProducto_id, "
        "p.nombre AS inventarioProducto_nombre, a.id AS inventarioAlmacen_id, "
        "a.nombre AS inventarioAlmacen_nombre, s.cantidad AS inventarioSalida_cantidad, "
        "u.descripcion AS uniadesMedidaCatalogo_descripcion, "
        "s.existenciaCostoUnitario AS inventarioSalida_costoUnitario, "
        "s.idComprobante AS inventarioSalida_idComprobante, c.uuid AS comprobante_uuid, "
        "c.serie AS comprobantes_serie, c.folio AS comprobantes_folio, "
        "cat.etiqueta AS inventarioCategoria_etiqueta, cat.identidad AS inventarioCategoria_identidad, "
        "r.nombre AS receptor_nombre, r.rfc AS receptor_rfc "
        "FROM inventarioSalida s "
        "JOIN inventarioEntrada e ON e.id = s.inventarioEntrada_id "
        "LEFT JOIN inventarioAlmacen a ON a.id = e.inventarioAlmacen_id "
        "LEFT JOIN inventarioProducto p ON p.id = e.inventarioProducto_id "
        "LEFT JOIN inventarioCategoria cat ON cat.identidad = p.inventarioCategoria_identidad "
        "AND cat.idNegocioFk = e.idNegocioFk "
        "LEFT JOIN Comprobante c ON c.idComprobante = s.idComprobante AND c.idNegocioFk = e.idNegocioFk "
        "LEFT JOIN inventarioUnidadesMedida u ON u.id = p.unidadesMedida_id "
        "LEFT JOIN Receptor r ON r.idReceptor = c.receptor "
        "WHERE s.id = :inventarioSalida_id AND e.idNegocioFk = :negocioID"));
    setParametroEntero(QStringLiteral("inventarioSalida_id"), salidaID);
    setParametroEntero(QStringLiteral("negocioID"), negocioID);
    return reader();
}

CmidTierResponse TsalidasConsulta::updateSalidaComprobanteID(int salidaID, int comprobanteID, int negocioID) {
    setQuery(QStringLiteral(
        "UPDATE inventarioSalida SET idComprobante = :comprobanteID WHERE id = :salidaID "
        "AND inventarioEntrada_id IN (SELECT e.id FROM inventarioEntrada e WHERE e.idNegocioFk = :negocioID) "
        "AND EXISTS (SELECT 1 FROM Comprobante c WHERE c.idComprobante = :comprobanteID "
        "AND c.idNegocioFk = :negocioID)"));
    setParametroEntero(QStringLiteral("comprobanteID"), comprobanteID);
    setParametroEntero(QStringLiteral("salidaID"), salidaID);
    setParametroEntero(QStringLiteral("negocioID"), negocioID);
    return nonQuery();
}

#include "entradas/UNEG_entradasConsulta.h"

#include "comun/U_entradaDelNegocio.h"

namespace {
const QString kNegocio = QStringLiteral("negocio");
} // namespace

CmidTierResponse TentradasConsulta::selectEntradas(const TfiltroEntradas &f, int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT e.id AS inventarioEntrada_id, e.documento AS inventarioEntrada_documento, "
        "e.fechaHora AS inventarioEntrada_fechaHora, a.id AS inventarioAlmacen_id, "
        "a.nombre AS inventarioAlmacen_nombre, p.id AS inventarioProducto_id, "
        "p.nombre AS inventarioProducto_nombre, e.cantidad AS inventarioEntrada_cantidad, "
        "e.existencia AS inventarioEntrada_existencia, "
        "e.existenciaCostoUnitario AS inventarioEntrada_existenciaCostoUnitario, "
        "e.idComprobante AS inventarioEntrada_idComprobante, "
        "CASE WHEN e.AF_numeroOrden > 0 THEN e.AF_numeroOrden END AS inventarioEntrada_numeroOrden, "
        "c.uuid AS comprobante_uuid, mc.etiqueta AS inventarioMovimientoConcepto_etiqueta, "
        "COALESCE(em.nombre, pr.nombre) AS emisor_nombre, l.numero AS inventarioLote_numero, "
        "CASE WHEN l.fechaProduccionEstablecida = 1 THEN l.fechaProduccion END "
        "AS inventarioLote_fechaProduccion, "
        "CASE WHEN l.fechaCaducidadEstablecida = 1 THEN l.fechaCaducidad END AS "
        "inventarioLote_fechaCaducidad "
        "FROM inventarioEntrada e "
        "JOIN inventarioAlmacen a ON a.id = e.inventarioAlmacen_id "
        "JOIN inventarioProducto p ON p.id = e.inventarioProducto_id "
        "LEFT JOIN inventarioMovimientoConcepto mc ON mc.id = e.inventarioMovimientoConcepto_id "
        "LEFT JOIN Comprobante c ON c.idComprobante = e.idComprobante AND c.idNegocioFk = e.idNegocioFk "
        "LEFT JOIN Emisor em ON em.idEmisor = c.emisor "
        "LEFT JOIN inventarioEntradaProveedor ep ON ep.id = (SELECT MAX(x.id) FROM "
        "inventarioEntradaProveedor x WHERE x.inventarioEntrada_id = e.id) "
        "LEFT JOIN proveedor pr ON pr.id = ep.proveedor_id AND pr.idNegocioFk = e.idNegocioFk "
        "LEFT JOIN inventarioLote l ON l.id = (SELECT MIN(y.id) FROM inventarioLote y WHERE "
        "y.inventarioEntrada_id = e.id) "
        "WHERE e.idNegocioFk = :negocio AND e.fechaHora BETWEEN :inicial AND :final "
        "AND (:almacen IS NULL OR e.inventarioAlmacen_id = :almacen) "
        "AND (:concepto IS NULL OR e.inventarioMovimientoConcepto_id = :concepto) "
        "AND (:producto IS NULL OR e.inventarioProducto_id = :producto) "
        "AND (:documento IS NULL OR e.documento = :documento) "
        "AND (:proveedor IS NULL OR pr.id = :proveedor OR (:rfc IS NOT NULL AND em.rfc = :rfc)) "
        "AND (:lote IS NULL OR l.numero LIKE :lote ESCAPE '!') "
        "AND (:produccionInicial IS NULL OR (l.fechaProduccionEstablecida = 1 AND l.fechaProduccion "
        "BETWEEN :produccionInicial AND :produccionFinal)) "
        "AND (:caducidadInicial IS NULL OR (l.fechaCaducidadEstablecida = 1 AND l.fechaCaducidad "
        "BETWEEN :caducidadInicial AND :caducidadFinal)) "
        "ORDER BY e.documento DESC, e.id ASC"));
    setParametroEntero(kNegocio, idNegocio);
    setParametroFechaHora(QStringLiteral("inicial"), f.inicial);
    setParametroFechaHora(QStringLiteral("final"), f.final_);
    setParametroVariant(QStringLiteral("almacen"), f.almacen);
    setParametroVariant(QStringLiteral("concepto"), f.concepto);
    setParametroVariant(QStringLiteral("producto"), f.producto);
    setParametroVariant(QStringLiteral("documento"), f.documento);
    setParametroVariant(QStringLiteral("proveedor"), f.proveedor);
    setParametroVariant(QStringLiteral("rfc"), f.proveedorRfc);
    setParametroVariant(QStringLiteral("lote"), f.lote);
    setParametroFechaHora(QStringLiteral("produccionInicial"), f.produccionInicial);
    setParametroFechaHora(QStringLiteral("produccionFinal"), f.produccionFinal);
    setParametroFechaHora(QStringLiteral("caducidadInicial"), f.caducidadInicial);
    setParametroFechaHora(QStringLiteral("caducidadFinal"), f.caducidadFinal);
    return reader();
}

CmidTierResponse TentradasConsulta::selectEntrada(int idEntrada, int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT e.id AS inventarioEntrada_id, e.documento AS inventarioEntrada_documento, "
        "e.fechaHora AS inventarioEntrada_fechaHora, a.nombre AS inventarioAlmacen_nombre, "
        "cat.etiqueta AS inventarioCategoria_etiqueta, p.inventarioCategoria_identidad AS "
        "inventarioCategoria_identidad, p.nombre AS inventarioProducto_nombre, "
        "p.opControladoNoSerie AS inventarioProducto_opControladoNoSerie, "
        "e.costoUnitario AS inventarioEntrada_costoUnitario, e.cantidad AS inventarioEntrada_cantidad, "
        "e.existencia AS inventarioEntrada_existencia, e.idComprobante AS inventarioEntrada_idComprobante, "
        "c.uuid AS comprobante_uuid, c.serie AS comprabante_serie, c.folio AS comprabante_folio, "
        "CASE WHEN e.AF_numeroOrden > 0 THEN e.AF_numeroOrden END AS inventarioEntrada_numeroOrden, "
        "ue.descripcion AS uniadesMedidaEntrada_descripcion, e.factorConversion AS "
        "inventarioEntrada_factorConversion, uc.descripcion AS uniadesMedidaCatalogo_descripcion, "
        "COALESCE(em.nombre, pr.nombre) AS emisor_nombre, ep.id AS inventarioEntradaProveedor_id "
        "FROM inventarioEntrada e "
        "JOIN inventarioAlmacen a ON a.id = e.inventarioAlmacen_id "
        "JOIN inventarioProducto p ON p.id = e.inventarioProducto_id "
        "LEFT JOIN inventarioCategoria cat ON cat.identidad = p.inventarioCategoria_identidad "
        "AND cat.idNegocioFk = e.idNegocioFk "
        "LEFT JOIN inventarioUnidadesMedida ue ON ue.id = e.unidadesMedida_id "
        "LEFT JOIN inventarioUnidadesMedida uc ON uc.id = p.unidadesMedida_id "
        "LEFT JOIN Comprobante c ON c.idComprobante = e.idComprobante AND c.idNegocioFk = e.idNegocioFk "
        "LEFT JOIN Emisor em ON em.idEmisor = c.emisor "
        "LEFT JOIN inventarioEntradaProveedor ep ON ep.id = (SELECT MAX(x.id) FROM "
        "inventarioEntradaProveedor x WHERE x.inventarioEntrada_id = e.id AND x.proveedor_id > 0) "
        "LEFT JOIN proveedor pr ON pr.id = ep.proveedor_id AND pr.idNegocioFk = e.idNegocioFk "
        "WHERE e.id = :entrada AND e.idNegocioFk = :negocio"));
    enlazaEntrada(*this, idEntrada, idNegocio);
    return reader();
}

CmidTierResponse TentradasConsulta::selectPedimento(int idEntrada, int idNegocio) {
    setQuery(
        QStringLiteral("SELECT d.fechaDeAduana AS inventarioPedimento_fechaDeAduana, d.numeroPedimento AS "
                       "inventarioPedimento_numeroPedimento, d.aduana AS inventarioPedimento_aduana, "
                       "d.paisOrigen AS inventarioPedimento_paisOrigen FROM inventarioPedimento d "
                       "WHERE d.inventarioEntrada_id IN ") +
        kEntradaDelNegocio + QStringLiteral(" ORDER BY d.id"));
    enlazaEntrada(*this, idEntrada, idNegocio);
    return reader();
}

CmidTierResponse TentradasConsulta::selectLote(int idEntrada, int idNegocio) {
    setQuery(
        QStringLiteral("SELECT l.numero AS inventarioLote_numero, l.fechaProduccion AS "
                       "inventarioLote_fechaProduccion, l.fechaCaducidad AS inventarioLote_fechaCaducidad, "
                       "l.fechaProduccionEstablecida AS inventarioLote_fechaProduccionEstablecida, "
                       "l.fechaCaducidadEstablecida AS inventarioLote_fechaCaducidadEstablecida "
                       "FROM inventarioLote l WHERE l.inventarioEntrada_id IN ") +
        kEntradaDelNegocio + QStringLiteral(" ORDER BY l.id"));
    enlazaEntrada(*this, idEntrada, idNegocio);
    return reader();
}

CmidTierResponse TentradasConsulta::deleteEntradaProveedor(int idEntrada, int idNegocio) {
    setQuery(QStringLiteral("DELETE FROM inventarioEntradaProveedor WHERE inventarioEntrada_id IN ") +
             kEntradaDelNegocio);
    enlazaEntrada(*this, idEntrada, idNegocio);
    return nonQuery();
}

CmidTierResponse TentradasConsulta::insertEntradaProveedor(int idEntrada, int idProveedor, int idNegocio) {
    setQuery(QStringLiteral(
        "INSERT INTO inventarioEntradaProveedor (inventarioEntrada_id, proveedor_id) "
        "SELECT e.id, pr.id FROM inventarioEntrada e JOIN proveedor pr ON pr.id = :proveedor "
        "AND pr.idNegocioFk = e.idNegocioFk WHERE e.id = :entrada AND e.idNegocioFk = :negocio"));
    setParametroEntero(QStringLiteral("proveedor"), idProveedor);
    enlazaEntrada(*this, idEntrada, idNegocio);
    return unaFila(nonQuery());
}

CmidTierResponse TentradasConsulta::updateEntradaComprobanteID(int idEntrada, int idComprobante,
                                                               int idNegocio) {
    setQuery(
        QStringLiteral("UPDATE inventarioEntrada SET idComprobante = :comprobante WHERE id = :entrada AND "
                       "idNegocioFk = :negocio AND EXISTS (SELECT 1 FROM Comprobante c WHERE "
                       "c.idComprobante = :comprobante AND c.idNegocioFk = :negocio)"));
    setParametroEntero(QStringLiteral("comprobante"), idComprobante);
    enlazaEntrada(*this, idEntrada, idNegocio);
    return nonQuery();
}

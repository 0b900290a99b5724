// Tentradas: the statements of the receipts list, the receipt detail and the purchase-order line
// state. Every statement reaches a receipt row only through its business.
#include "comun/UNEG_entradas.h"

#include "datos/UcodigosInventario.h"
namespace {
const QString kNegocio = QStringLiteral("negocio");
const QString kEntrada = QStringLiteral("entrada");
const QString kPropiedad = QStringLiteral("propiedad");

// The receipt row :entrada when it belongs to :negocio.
const QString kEntradaDelNegocio = QStringLiteral(
    "(SELECT en.id FROM inventarioEntrada en WHERE en.id = :entrada AND en.idNegocioFk = :negocio)");
// Purchase-order lines of the business.
const QString kLineasDelNegocio = QStringLiteral(
    "(SELECT la.AF_ID FROM AF_ArticulosOrdenesCompra la JOIN AF_OrdenesCompra lo ON lo.AF_NumeroOrden = "
    "la.AF_NumeroOrden WHERE lo.idNegocioFk = :negocio)");

// Binds the receipt row and the business a statement confined by kEntradaDelNegocio names.
void enlazaEntrada(TmiddleTier &t, int idEntrada, int idNegocio) {
    t.setParametroEntero(kEntrada, idEntrada);
    t.setParametroEntero(kNegocio, idNegocio);
}

// A write that must touch exactly one row; anything else is reported as a failure.
CmidTierResponse unaFila(const CmidTierResponse &r) {
    return r.isSuccess() && r.getFilasAfectadas() == 1 ? r : CmidTierResponse();
}
} // namespace

CmidTierResponse Tentradas::selectEntradas(const TfiltroEntradas &f, int idNegocio) {
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

CmidTierResponse Tentradas::selectEntrada(int idEntrada, int idNegocio) {
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

CmidTierResponse Tentradas::selectPedimento(int idEntrada, int idNegocio) {
    setQuery(
        QStringLiteral("SELECT d.fechaDeAduana AS inventarioPedimento_fechaDeAduana, d.numeroPedimento AS "
                       "inventarioPedimento_numeroPedimento, d.aduana AS inventarioPedimento_aduana, "
                       "d.paisOrigen AS inventarioPedimento_paisOrigen FROM inventarioPedimento d "
                       "WHERE d.inventarioEntrada_id IN ") +
        kEntradaDelNegocio + QStringLiteral(" ORDER BY d.id"));
    enlazaEntrada(*this, idEntrada, idNegocio);
    return reader();
}

CmidTierResponse Tentradas::selectLote(int idEntrada, int idNegocio) {
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

CmidTierResponse Tentradas::selectNoSeriePorEntrada(int idEntrada, int idNegocio) {
    setQuery(QStringLiteral("SELECT s.id AS inventarioNoSerie_id, s.numero AS inventarioNoSerie_numero, "
                            "s.inventarioNoSerieEstado_id AS inventarioNoSerieEstado_id, "
                            "st.etiqueta AS inventarioNoSeriEstado_etiqueta FROM inventarioNoSerie s "
                            "LEFT JOIN inventarioNoSerieEstado st ON st.id = s.inventarioNoSerieEstado_id "
                            "WHERE s.inventarioEntrada_id IN ") +
             kEntradaDelNegocio + QStringLiteral(" ORDER BY s.id"));
    enlazaEntrada(*this, idEntrada, idNegocio);
    return reader();
}

CmidTierResponse Tentradas::selectAdicionales(const QString &categoria, int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT pl.id AS inventarioPropiedadListado_id, pl.nombre AS inventarioPropiedadListado_nombre, "
        "pl.propiedadTipo_id AS propiedadTipo_id FROM inventarioCategoriaPropiedad cp "
        "JOIN inventarioPropiedadListado pl ON pl.id = cp.inventarioPropiedadListado_id "
        "AND pl.idNegocioFk = cp.idNegocioFk WHERE cp.inventarioCategoria_identidad = :categoria "
        "AND cp.idNegocioFk = :negocio ORDER BY pl.nombre, pl.id"));
    setParametroTexto(QStringLiteral("categoria"), categoria);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tentradas::selectValores(int idEntrada, int idNegocio) {
    setQuery(
        QStringLiteral("SELECT v.inventarioPropiedadListado_id AS inventarioPropiedadListado_id, v.valor "
                       "AS inventarioProductoPropiedad_valor FROM inventarioProductoPropiedad v "
                       "WHERE v.inventarioEntrada_id IN ") +
        kEntradaDelNegocio + QStringLiteral(" ORDER BY v.id"));
    enlazaEntrada(*this, idEntrada, idNegocio);
    return reader();
}

CmidTierResponse Tentradas::deleteNoSerie(int idNoSerie, int idEntrada, int idNegocio) {
    // Only a number still in the warehouse goes: one that left with an issue stays.
    setQuery(QStringLiteral("DELETE FROM inventarioNoSerie WHERE id = :id AND inventarioNoSerieEstado_id = "
                            ":enAlmacen AND inventarioSalida_id IS NULL AND inventarioEntrada_id IN ") +
             kEntradaDelNegocio);
    setParametroEntero(QStringLiteral("id"), idNoSerie);
    setParametroEntero(QStringLiteral("enAlmacen"), kSerieEnAlmacen);
    enlazaEntrada(*this, idEntrada, idNegocio);
    return unaFila(nonQuery());
}

CmidTierResponse Tentradas::selectPropiedad(int idEntrada, int idPropiedad, int idNegocio) {
    setQuery(
        QStringLiteral("SELECT v.id AS inventarioProductoPropiedad_id FROM inventarioProductoPropiedad v "
                       "WHERE v.inventarioPropiedadListado_id = :propiedad AND v.inventarioEntrada_id IN ") +
        kEntradaDelNegocio);
    setParametroEntero(kEntrada, idEntrada);
    setParametroEntero(kPropiedad, idPropiedad);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tentradas::insertPropiedad(int idEntrada, int idPropiedad, const QString &valor,
                                            int idNegocio) {
    setQuery(QStringLiteral(
        "INSERT INTO inventarioProductoPropiedad (inventarioEntrada_id, inventarioPropiedadListado_id, "
        "valor) "
        "SELECT e.id, pl.id, :valor FROM inventarioEntrada e JOIN inventarioPropiedadListado pl ON "
        "pl.id = :propiedad AND pl.idNegocioFk = e.idNegocioFk WHERE e.id = :entrada AND e.idNegocioFk = "
        ":negocio"));
    setParametroTexto(QStringLiteral("valor"), valor);
    setParametroEntero(kPropiedad, idPropiedad);
    enlazaEntrada(*this, idEntrada, idNegocio);
    return unaFila(nonQuery());
}

CmidTierResponse Tentradas::updatePropiedad(int idEntrada, int idPropiedad, const QString &valor,
                                            int idNegocio) {
    setQuery(QStringLiteral("UPDATE inventarioProductoPropiedad SET valor = :valor WHERE "
                            "inventarioPropiedadListado_id = :propiedad AND inventarioEntrada_id IN ") +
             kEntradaDelNegocio);
    setParametroTexto(QStringLiteral("valor"), valor);
    setParametroEntero(kPropiedad, idPropiedad);
    enlazaEntrada(*this, idEntrada, idNegocio);
    return nonQuery();
}

CmidTierResponse Tentradas::deleteEntradaProveedor(int idEntrada, int idNegocio) {
    setQuery(QStringLiteral("DELETE FROM inventarioEntradaProveedor WHERE inventarioEntrada_id IN ") +
             kEntradaDelNegocio);
    enlazaEntrada(*this, idEntrada, idNegocio);
    return nonQuery();
}

CmidTierResponse Tentradas::insertEntradaProveedor(int idEntrada, int idProveedor, int idNegocio) {
    setQuery(QStringLiteral(
        "INSERT INTO inventarioEntradaProveedor (inventarioEntrada_id, proveedor_id) "
        "SELECT e.id, pr.id FROM inventarioEntrada e JOIN proveedor pr ON pr.id = :proveedor "
        "AND pr.idNegocioFk = e.idNegocioFk WHERE e.id = :entrada AND e.idNegocioFk = :negocio"));
    setParametroEntero(QStringLiteral("proveedor"), idProveedor);
    enlazaEntrada(*this, idEntrada, idNegocio);
    return unaFila(nonQuery());
}

CmidTierResponse Tentradas::updateEntradaComprobanteID(int idEntrada, int idComprobante, int idNegocio) {
    setQuery(
        QStringLiteral("UPDATE inventarioEntrada SET idComprobante = :comprobante WHERE id = :entrada AND "
                       "idNegocioFk = :negocio AND EXISTS (SELECT 1 FROM Comprobante c WHERE "
                       "c.idComprobante = :comprobante AND c.idNegocioFk = :negocio)"));
    setParametroEntero(QStringLiteral("comprobante"), idComprobante);
    enlazaEntrada(*this, idEntrada, idNegocio);
    return nonQuery();
}

CmidTierResponse Tentradas::insertOrdenArticuloEstado(const TinventarioOrdenesCompraArticulos &estado,
                                                      int idNegocio) {
    setQuery(
        QStringLiteral("INSERT INTO inventarioOrdenesCompraArticulos (AF_ID, inventarioProducto_id, "
                       "UnidadesMedida_id, factorConversion, cantidadAcumulada) SELECT la.AF_ID, :producto, "
                       ":unidad, :factor, :acumulada FROM AF_ArticulosOrdenesCompra la WHERE la.AF_ID = "
                       ":linea AND la.AF_ID IN ") +
        kLineasDelNegocio);
    setParametroEntero(QStringLiteral("producto"), estado.idProducto);
    setParametroEntero(QStringLiteral("unidad"), estado.idUnidadRecibido);
    setParametroFlotante(QStringLiteral("factor"), estado.factorConversion);
    setParametroFlotante(QStringLiteral("acumulada"), estado.cantidadAcumulada);
    setParametroEntero(QStringLiteral("linea"), estado.idLinea);
    setParametroEntero(kNegocio, idNegocio);
    return unaFila(nonQuery());
}

CmidTierResponse Tentradas::updateOrdenArticuloEstado(const TinventarioOrdenesCompraArticulos &estado,
                                                      int idNegocio) {
    setQuery(QStringLiteral("UPDATE inventarioOrdenesCompraArticulos SET inventarioProducto_id = :producto, "
                            "UnidadesMedida_id = :unidad, factorConversion = :factor, cantidadAcumulada = "
                            ":acumulada WHERE AF_ID = :linea AND AF_ID IN ") +
             kLineasDelNegocio);
    setParametroEntero(QStringLiteral("producto"), estado.idProducto);
    setParametroEntero(QStringLiteral("unidad"), estado.idUnidadRecibido);
    setParametroFlotante(QStringLiteral("factor"), estado.factorConversion);
    setParametroFlotante(QStringLiteral("acumulada"), estado.cantidadAcumulada);
    setParametroEntero(QStringLiteral("linea"), estado.idLinea);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Tentradas::updateAFOrdenesCompras(int numeroOrden, int idNegocio) {
    setQuery(QStringLiteral(
        "UPDATE AF_OrdenesCompra SET AF_OrdenPendiente = CASE WHEN EXISTS (SELECT 1 FROM "
        "AF_ArticulosOrdenesCompra la LEFT JOIN inventarioOrdenesCompraArticulos ia ON ia.AF_ID = la.AF_ID "
        "WHERE la.AF_NumeroOrden = :orden AND COALESCE(ia.cantidadAcumulada, 0) < la.AF_CantidadSolicitada "
        "- 0.000000001) THEN 1 ELSE 2 END WHERE AF_NumeroOrden = :orden AND idNegocioFk = :negocio"));
    setParametroEntero(QStringLiteral("orden"), numeroOrden);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

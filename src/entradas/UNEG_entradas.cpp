#include "entradas/UNEG_entradas.h"

#include "comun/U_utilerias.h"
#include "datos/UfechaHora.h"

namespace {
const QString kNegocio = QStringLiteral("idNegocio");
const QString kNumero = QStringLiteral("numero");
const QString kEntrada = QStringLiteral("entrada");

QVariant fechaOnula(bool establecida, TDateTime fecha) {
    return establecida ? QVariant(fechaHora::aTextoBD(fechaHora::deTDateTime(fecha))) : QVariant();
}
} // namespace

CmidTierResponse Tentradas::selectUltimoIdDocumentoEntrada(int idNegocio) {
    setQuery(QStringLiteral("SELECT MAX(documento) AS inventarioEntrada_documento FROM inventarioEntrada "
                            "WHERE idNegocioFk = :idNegocio"));
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

CmidTierResponse Tentradas::insertEntrada(const TinventarioEntrada &e) {
    setQuery(QStringLiteral(
        "INSERT INTO inventarioEntrada (documento, fechaHora, inventarioProducto_id, inventarioAlmacen_id, "
        "cantidad, existencia, idComprobante, AF_numeroOrden, unidadesMedida_id, factorConversion, "
        "inventarioMovimientoConcepto_id, existenciaTotal, costoUnitario, existenciaCostoUnitario, "
        "existenciaCostoTotal, idNegocioFk) VALUES (:documento, :fechaHora, :producto, :almacen, :cantidad, "
        ":existencia, :comprobante, :orden, :unidad, :factor, :concepto, :existenciaTotal, :costoUnitario, "
        ":existenciaCostoUnitario, :existenciaCostoTotal, :idNegocio)"));
    setParametroEntero(QStringLiteral("documento"), e.documento);
    setParametroFechaHora(QStringLiteral("fechaHora"), e.fechaHora);
    setParametroEntero(QStringLiteral("producto"), e.productoID);
    setParametroEntero(QStringLiteral("almacen"), e.almacenID);
    setParametroTexto(QStringLiteral("cantidad"), FloatToStr(e.cantidad));
    setParametroTexto(QStringLiteral("existencia"), FloatToStr(e.existencia));
    setParametroEntero(QStringLiteral("comprobante"), e.idComprobante);
    setParametroEntero(QStringLiteral("orden"), e.numeroOrden);
    setParametroVariant(QStringLiteral("unidad"),
                        e.unidadRecibidaID > 0 ? QVariant(e.unidadRecibidaID) : QVariant());
    setParametroTexto(QStringLiteral("factor"), FloatToStr(e.factorConversion));
    setParametroEntero(QStringLiteral("concepto"), e.conceptoID);
    setParametroTexto(QStringLiteral("existenciaTotal"), FloatToStr(e.existenciaTotal));
    setParametroTexto(QStringLiteral("costoUnitario"), FloatToStr(e.costoUnitario));
    setParametroTexto(QStringLiteral("existenciaCostoUnitario"), FloatToStr(e.existenciaCostoUnitario));
    setParametroTexto(QStringLiteral("existenciaCostoTotal"), FloatToStr(e.existenciaCostoTotal));
    setParametroEntero(kNegocio, e.negocioID);
    return nonQuery();
}

CmidTierResponse Tentradas::insertEntradaAdicional(int idEntrada, int idSalida) {
    setQuery(
        QStringLiteral("INSERT INTO inventarioEntradaAdicional (inventarioEntrada_id, inventarioSalida_id) "
                       "VALUES (:entrada, :salida)"));
    setParametroEntero(kEntrada, idEntrada);
    setParametroEntero(QStringLiteral("salida"), idSalida);
    return nonQuery();
}

CmidTierResponse Tentradas::insertProveedor(int idEntrada, int idProveedor) {
    setQuery(QStringLiteral("INSERT INTO inventarioEntradaProveedor (inventarioEntrada_id, proveedor_id) "
                            "VALUES (:entrada, :proveedor)"));
    setParametroEntero(kEntrada, idEntrada);
    setParametroEntero(QStringLiteral("proveedor"), idProveedor);
    return nonQuery();
}

CmidTierResponse Tentradas::insertPedimento(const Tpedimento &p) {
    setQuery(QStringLiteral("INSERT INTO inventarioPedimento (inventarioEntrada_id, numeroPedimento, "
                            "fechaDeAduana, aduana, paisOrigen) VALUES (:entrada, :numero, :fecha, :aduana, "
                            ":pais)"));
    setParametroEntero(kEntrada, p.inventarioEntrada_id);
    setParametroTexto(kNumero, p.numeroPedimento.left(kLargoNumero));
    setParametroVariant(QStringLiteral("fecha"), fechaOnula(p.tieneFecha(), p.fechaDeAduana));
    setParametroEntero(QStringLiteral("aduana"), p.aduana);
    setParametroTexto(QStringLiteral("pais"), p.paisOrigen.left(kLargoPais));
    return nonQuery();
}

CmidTierResponse Tentradas::insertLote(const Tlote &l) {
    setQuery(QStringLiteral(
        "INSERT INTO inventarioLote (inventarioEntrada_id, numero, fechaProduccion, fechaCaducidad, "
        "fechaProduccionEstablecida, fechaCaducidadEstablecida) VALUES (:entrada, :numero, :produccion, "
        ":caducidad, :produccionEstablecida, :caducidadEstablecida)"));
    setParametroEntero(kEntrada, l.inventarioEntrada_id);
    setParametroTexto(kNumero, l.numero.left(kLargoNumero));
    setParametroVariant(QStringLiteral("produccion"),
                        fechaOnula(l.fechaProduccionEstablecida, l.fechaProduccion));
    setParametroVariant(QStringLiteral("caducidad"),
                        fechaOnula(l.fechaCaducidadEstablecida, l.fechaCaducidad));
    setParametroEntero(QStringLiteral("produccionEstablecida"), l.fechaProduccionEstablecida ? 1 : 0);
    setParametroEntero(QStringLiteral("caducidadEstablecida"), l.fechaCaducidadEstablecida ? 1 : 0);
    return nonQuery();
}

CmidTierResponse Tentradas::insertProductoPropiedad(int idEntrada, int idPropiedad, const QString &valor) {
    setQuery(QStringLiteral("INSERT INTO inventarioProductoPropiedad (inventarioEntrada_id, "
                            "inventarioPropiedadListado_id, valor) VALUES (:entrada, :propiedad, :valor)"));
    setParametroEntero(kEntrada, idEntrada);
    setParametroEntero(QStringLiteral("propiedad"), idPropiedad);
    setParametroTexto(QStringLiteral("valor"), valor.left(kLargoValorPropiedad));
    return nonQuery();
}

CmidTierResponse Tentradas::selectSalidaParaDevolucion(int idSalida, int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT e.inventarioProducto_id AS producto_id, e.inventarioAlmacen_id AS almacen_id, s.cantidad - "
        "COALESCE((SELECT SUM(d.cantidad) FROM inventarioEntradaAdicional a JOIN inventarioEntrada d ON d.id "
        "= "
        "a.inventarioEntrada_id WHERE a.inventarioSalida_id = s.id), 0) AS _restante FROM inventarioSalida s "
        "JOIN inventarioEntrada e ON e.id = s.inventarioEntrada_id WHERE s.id = :salida AND e.idNegocioFk = "
        ":idNegocio"));
    setParametroEntero(QStringLiteral("salida"), idSalida);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

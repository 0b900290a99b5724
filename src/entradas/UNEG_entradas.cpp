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

const QStringList &Tentradas::columnasEntrada() {
    static const QStringList kColumnas = {QStringLiteral("documento"),
                                          QStringLiteral("fechaHora"),
                                          QStringLiteral("inventarioProducto_id"),
                                          QStringLiteral("inventarioAlmacen_id"),
                                          QStringLiteral("cantidad"),
                                          QStringLiteral("existencia"),
                                          QStringLiteral("idComprobante"),
                                          QStringLiteral("AF_numeroOrden"),
                                          QStringLiteral("unidadesMedida_id"),
                                          QStringLiteral("factorConversion"),
                                          QStringLiteral("inventarioMovimientoConcepto_id"),
                                          QStringLiteral("existenciaTotal"),
                                          QStringLiteral("costoUnitario"),
                                          QStringLiteral("existenciaCostoUnitario"),
                                          QStringLiteral("existenciaCostoTotal"),
                                          QStringLiteral("idNegocioFk")};
    return kColumnas;
}

QVector<QVariant> Tentradas::valoresEntrada(const TinventarioEntrada &e) {
    return {e.documento,
            fechaHora::aTextoBD(e.fechaHora),
            e.productoID,
            e.almacenID,
            FloatToStr(e.cantidad),
            FloatToStr(e.existencia),
            e.idComprobante,
            e.numeroOrden,
            e.unidadRecibidaID > 0 ? QVariant(e.unidadRecibidaID) : QVariant(),
            FloatToStr(e.factorConversion),
            e.conceptoID,
            FloatToStr(e.existenciaTotal),
            FloatToStr(e.costoUnitario),
            FloatToStr(e.existenciaCostoUnitario),
            FloatToStr(e.existenciaCostoTotal),
            e.negocioID};
}

CmidTierResponse Tentradas::selectIdsDocumento(int documento, int idNegocio) {
    setQuery(QStringLiteral("SELECT id FROM inventarioEntrada WHERE idNegocioFk = :idNegocio AND documento = "
                            ":documento ORDER BY id"));
    setParametroEntero(kNegocio, idNegocio);
    setParametroEntero(QStringLiteral("documento"), documento);
    return reader();
}

CmidTierResponse Tentradas::insertEntradaAdicional(int idEntrada, int idSalida) {
    setQuery(
        QStringLiteral("INSERT INTO inventarioEntradaAdicional (inventarioEntrada_id, inventarioSalida_id) "
                       "VALUES (:entrada, :salida)"));
    setParametroEntero(kEntrada, idEntrada);
    setParametroEntero(QStringLiteral("salida"), idSalida);
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

#include "salidas/UNEG_salidas.h"

#include "comun/U_utilerias.h"
#include "datos/UcodigosInventario.h"
#include "datos/UfechaHora.h"

#include <cmath>

namespace {
const QString kNegocio = QStringLiteral("negocioID");
const QString kAlmacen = QStringLiteral("almacenID");
const QString kProducto = QStringLiteral("productoID");
} // namespace

CmidTierResponse Tsalidas::updateEntrada(const TlineaSalida &linea, double previa, int idAlmacen,
                                         int idNegocio) {
    setQuery(QStringLiteral(
        "UPDATE inventarioEntrada SET existencia = :existencia WHERE id = :id AND inventarioAlmacen_id = "
        ":almacenID AND inventarioProducto_id = :productoID AND idNegocioFk = :negocioID AND existencia >= "
        ":minimo AND ABS(existencia - :previa) <= :tolerancia"));
    // The tolerance grows with the magnitude, so a remainder read back from its text still matches.
    const double tolerancia = kToleranciaCantidad * std::max(1.0, std::fabs(previa));
    setParametroTexto(QStringLiteral("existencia"), FloatToStr(linea.existencia));
    setParametroEntero(QStringLiteral("id"), linea.entradaID);
    setParametroEntero(kAlmacen, idAlmacen);
    setParametroEntero(kProducto, linea.producto.id);
    setParametroEntero(kNegocio, idNegocio);
    setParametroFlotante(QStringLiteral("minimo"), linea.cantidad - tolerancia);
    setParametroFlotante(QStringLiteral("previa"), previa);
    setParametroFlotante(QStringLiteral("tolerancia"), tolerancia);
    return nonQuery();
}

const QStringList &Tsalidas::columnasSalida() {
    static const QStringList kColumnas = {QStringLiteral("documento"),
                                          QStringLiteral("fechaHora"),
                                          QStringLiteral("inventarioEntrada_id"),
                                          QStringLiteral("idReceptor"),
                                          QStringLiteral("idComprobante"),
                                          QStringLiteral("inventarioMovimientoConcepto_id"),
                                          QStringLiteral("cantidad"),
                                          QStringLiteral("salidaCostoUnitario"),
                                          QStringLiteral("existenciaTotal"),
                                          QStringLiteral("existenciaCostoUnitario"),
                                          QStringLiteral("existenciaCostoTotal"),
                                          QStringLiteral("inventarioAlmacen_id"),
                                          QStringLiteral("inventarioProducto_id"),
                                          QStringLiteral("idNegocioFk")};
    return kColumnas;
}

QVector<QVariant> Tsalidas::valoresSalida(const TinventarioSalida &s) {
    return {s.documento,
            fechaHora::aTextoBD(s.fechaHora),
            s.inventarioEntrada_id,
            s.idReceptor,
            s.idComprobante,
            s.inventarioMovimientoConcepto_id,
            FloatToStr(s.cantidad),
            FloatToStr(s.salidaCostoUnitario),
            FloatToStr(s.existenciaTotal),
            FloatToStr(s.existenciaCostoUnitario),
            FloatToStr(s.existenciaCostoTotal),
            s.inventarioAlmacen_id,
            s.inventarioProducto_id,
            s.negocioID};
}

CmidTierResponse Tsalidas::selectIdsDocumento(int documento, int idNegocio) {
    setQuery(QStringLiteral("SELECT id FROM inventarioSalida WHERE idNegocioFk = :negocioID AND documento = "
                            ":documento ORDER BY id"));
    setParametroEntero(QStringLiteral("documento"), documento);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tsalidas::updateNoSerieSalidaFecha(int idNoSerie, int idSalida, int idEntrada) {
    setQuery(QStringLiteral(
        "UPDATE inventarioNoSerie SET inventarioNoSerieEstado_id = :conSalida, inventarioSalida_id "
        "= :salidaID WHERE id = :id AND inventarioEntrada_id = :entradaID AND "
        "inventarioNoSerieEstado_id = :enAlmacen"));
    setParametroEntero(QStringLiteral("conSalida"), kSerieConSalida);
    setParametroEntero(QStringLiteral("enAlmacen"), kSerieEnAlmacen);
    setParametroEntero(QStringLiteral("salidaID"), idSalida);
    setParametroEntero(QStringLiteral("id"), idNoSerie);
    setParametroEntero(QStringLiteral("entradaID"), idEntrada);
    return nonQuery();
}

CmidTierResponse Tsalidas::selectUltimoIdDocumentoSalida(int idNegocio) {
    setQuery(QStringLiteral("SELECT documento AS inventarioSalida_documento FROM inventarioSalida WHERE "
                            "idNegocioFk = :negocioID ORDER BY documento DESC LIMIT 1"));
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

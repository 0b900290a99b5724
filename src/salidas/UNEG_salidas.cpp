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

CmidTierResponse Tsalidas::insertSalida(const TinventarioSalida &s, int idNegocio) {
    setQuery(QStringLiteral(
        "INSERT INTO inventarioSalida (documento, fechaHora, inventarioEntrada_id, idReceptor, "
        "idComprobante, inventarioMovimientoConcepto_id, cantidad, salidaCostoUnitario, existenciaTotal, "
        "existenciaCostoUnitario, existenciaCostoTotal, inventarioAlmacen_id, inventarioProducto_id, "
        "idNegocioFk) SELECT :documentoNumero, :fechaHora, e.id, :idReceptor, :idComprobante, "
        ":inventarioMovimientoConcepto_id, :cantidad, :salidaCostoUnitario, :existenciaTotal, "
        ":existenciaCostoUnitario, :existenciaCostoTotal, e.inventarioAlmacen_id, e.inventarioProducto_id, "
        "e.idNegocioFk FROM inventarioEntrada e WHERE e.id = :inventarioEntrada_id AND e.idNegocioFk = "
        ":negocioID"));
    setParametroEntero(QStringLiteral("documentoNumero"), s.documento);
    setParametroFechaHora(QStringLiteral("fechaHora"), s.fechaHora);
    setParametroEntero(QStringLiteral("inventarioEntrada_id"), s.inventarioEntrada_id);
    setParametroEntero(QStringLiteral("idReceptor"), s.idReceptor);
    setParametroEntero(QStringLiteral("idComprobante"), s.idComprobante);
    setParametroEntero(QStringLiteral("inventarioMovimientoConcepto_id"), s.inventarioMovimientoConcepto_id);
    setParametroTexto(QStringLiteral("cantidad"), FloatToStr(s.cantidad));
    setParametroTexto(QStringLiteral("salidaCostoUnitario"), FloatToStr(s.salidaCostoUnitario));
    setParametroTexto(QStringLiteral("existenciaTotal"), FloatToStr(s.existenciaTotal));
    setParametroTexto(QStringLiteral("existenciaCostoUnitario"), FloatToStr(s.existenciaCostoUnitario));
    setParametroTexto(QStringLiteral("existenciaCostoTotal"), FloatToStr(s.existenciaCostoTotal));
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
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

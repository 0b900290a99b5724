#include "salidas/UNEG_salidas.h"

#include "comun/U_utilerias.h"

#include <cmath>

namespace {
const QString kNegocio = QStringLiteral("negocioID");
const QString kAlmacen = QStringLiteral("almacenID");
const QString kProducto = QStringLiteral("productoID");
} // namespace

CmidTierResponse Tsalidas::selectExistenciaCostoUnitario(int idProducto, int idAlmacen, int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT t.id AS inventarioEntrada_id, t.fechaHora AS inventarioEntrada_fechaHora, t.costo AS "
        "inventarioEntrada_existenciaCostoUnitario FROM ("
        "SELECT * FROM (SELECT e.id, e.fechaHora, 1 AS tipo, e.existenciaCostoUnitario AS costo FROM "
        "inventarioEntrada e WHERE e.idNegocioFk = :negocioID AND e.inventarioAlmacen_id = :almacenID AND "
        "e.inventarioProducto_id = :productoID AND e.existencia > 0 ORDER BY e.id DESC LIMIT 1) r "
        "UNION ALL SELECT * FROM (SELECT s.id, s.fechaHora, 2 AS tipo, s.existenciaCostoUnitario AS costo "
        "FROM inventarioSalida s JOIN inventarioEntrada e ON e.id = s.inventarioEntrada_id WHERE "
        "e.idNegocioFk = :negocioID2 AND e.inventarioAlmacen_id = :almacenID2 AND e.inventarioProducto_id = "
        ":productoID2 AND e.existencia > 0 ORDER BY s.id DESC LIMIT 1) s) t "
        "ORDER BY t.fechaHora DESC, t.tipo DESC LIMIT 1"));
    for (const QString &sufijo : {QString(), QStringLiteral("2")}) {
        setParametroEntero(kNegocio + sufijo, idNegocio);
        setParametroEntero(kAlmacen + sufijo, idAlmacen);
        setParametroEntero(kProducto + sufijo, idProducto);
    }
    return reader();
}

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

CmidTierResponse Tsalidas::insertSalida(const TinventarioSalida &s) {
    setQuery(QStringLiteral(
        "INSERT INTO inventarioSalida (documento, fechaHora, inventarioEntrada_id, idReceptor, "
        "idComprobante, "
        "inventarioMovimientoConcepto_id, cantidad, salidaCostoUnitario, existenciaTotal, "
        "existenciaCostoUnitario, existenciaCostoTotal) VALUES (:documentoNumero, :fechaHora, "
        ":inventarioEntrada_id, :idReceptor, :idComprobante, :inventarioMovimientoConcepto_id, :cantidad, "
        ":salidaCostoUnitario, :existenciaTotal, :existenciaCostoUnitario, :existenciaCostoTotal)"));
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
    return nonQuery();
}

CmidTierResponse Tsalidas::updateNoSerieSalidaFecha(int idNoSerie, int idSalida, int idEntrada) {
    setQuery(
        QStringLiteral("UPDATE inventarioNoSerie SET inventarioNoSerieEstado_id = 2, inventarioSalida_id "
                       "= :salidaID WHERE id = :id AND inventarioEntrada_id = :entradaID AND "
                       "inventarioNoSerieEstado_id = 1"));
    setParametroEntero(QStringLiteral("salidaID"), idSalida);
    setParametroEntero(QStringLiteral("id"), idNoSerie);
    setParametroEntero(QStringLiteral("entradaID"), idEntrada);
    return nonQuery();
}

CmidTierResponse Tsalidas::selectUltimoIdDocumentoSalida(int idNegocio) {
    // Walks the document index from the top down to the business's first issue.
    setQuery(QStringLiteral(
        "SELECT inventarioSalida.documento AS inventarioSalida_documento FROM inventarioSalida JOIN "
        "inventarioEntrada ON inventarioSalida.inventarioEntrada_id = inventarioEntrada.id WHERE "
        "inventarioEntrada.idNegocioFk = :negocioID ORDER BY inventarioSalida.documento DESC LIMIT 1"));
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

CmidTierResponse Tsalidas::updateSalidaComprobanteID(int idSalida, int idComprobante, int idNegocio) {
    setQuery(QStringLiteral(
        "UPDATE inventarioSalida SET idComprobante = :comprobanteID WHERE inventarioSalida.id = :salidaID "
        "AND "
        "EXISTS (SELECT 1 FROM inventarioEntrada e WHERE e.id = inventarioSalida.inventarioEntrada_id AND "
        "e.idNegocioFk = :negocioID)"));
    setParametroEntero(QStringLiteral("comprobanteID"), idComprobante);
    setParametroEntero(QStringLiteral("salidaID"), idSalida);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

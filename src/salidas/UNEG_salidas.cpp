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

CmidTierResponse Tsalidas::selectExistenciaCostoUnitario(int idProducto, int idAlmacen, int idNegocio) {
    // The average the newest movement left, in the order the rebuild walks them (at one instant
    // receipts before issues), open layer or not: a purchase return that emptied its layer set
    // the average the next issue leaves at.
    setQuery(conOrdenDeJoin(QStringLiteral(
        "SELECT t.id AS inventarioEntrada_id, t.fechaHora AS inventarioEntrada_fechaHora, t.costo AS "
        "inventarioEntrada_existenciaCostoUnitario FROM ("
        "SELECT * FROM (SELECT e.id, e.fechaHora, 1 AS tipo, e.existenciaCostoUnitario AS costo FROM "
        "inventarioEntrada e WHERE e.idNegocioFk = :negocioID AND e.inventarioAlmacen_id = :almacenID "
        "AND e.inventarioProducto_id = :productoID ORDER BY e.fechaHora DESC, e.id DESC LIMIT 1) r "
        "UNION ALL SELECT * FROM (SELECT %1 s.id, s.fechaHora, 2 AS tipo, s.existenciaCostoUnitario AS "
        "costo FROM inventarioEntrada e %2 inventarioSalida s ON s.inventarioEntrada_id = e.id WHERE "
        "e.idNegocioFk = :negocioID2 AND e.inventarioAlmacen_id = :almacenID2 AND "
        "e.inventarioProducto_id = :productoID2 ORDER BY s.fechaHora DESC, s.id DESC LIMIT 1) s) t "
        "ORDER BY t.fechaHora DESC, t.tipo DESC, t.id DESC LIMIT 1")));
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
                                          QStringLiteral("existenciaCostoTotal")};
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
            FloatToStr(s.existenciaCostoTotal)};
}

CmidTierResponse Tsalidas::selectIdsDocumento(int documento, int idNegocio) {
    setQuery(QStringLiteral("SELECT s.id FROM inventarioSalida s JOIN inventarioEntrada e ON e.id = "
                            "s.inventarioEntrada_id WHERE s.documento = :documento AND e.idNegocioFk = "
                            ":negocioID ORDER BY s.id"));
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
    // Walks the document index from the top down to the business's first issue; the join order is
    // forced (STRAIGHT_JOIN, CROSS JOIN), or the planners read every receipt of the business.
    setQuery(conOrdenDeJoin(
        QStringLiteral("SELECT %1 inventarioSalida.documento AS inventarioSalida_documento FROM "
                       "inventarioSalida %2 inventarioEntrada ON inventarioSalida.inventarioEntrada_id = "
                       "inventarioEntrada.id WHERE inventarioEntrada.idNegocioFk = :negocioID ORDER BY "
                       "inventarioSalida.documento DESC LIMIT 1")));
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

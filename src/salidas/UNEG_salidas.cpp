#include "salidas/UNEG_salidas.h"

#include "comun/U_utilerias.h"
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

namespace {
// The filter's conditions, each switched off by its null parameter.
const QString kCondicionesFiltro =
    QStringLiteral(" AND (:fechaInicial IS NULL OR %1.fechaHora >= :fechaInicial2) AND (:fechaFinal IS NULL "
                   "OR %1.fechaHora <= "
                   ":fechaFinal2) AND (:productoID IS NULL OR e.inventarioProducto_id = :productoID2) AND "
                   "(:documentoNum IS NULL "
                   "OR %1.documento = :documentoNum2) AND (:existenciaMinima IS NULL OR e.existencia > "
                   ":existenciaMinima2) AND "
                   "(:comprobante IS NULL OR c.uuid LIKE :comprobante2 ESCAPE '!')");
} // namespace

void Tsalidas::fijaFiltro(const tFiltroBuscarComprobante &f) {
    const QVector<QPair<QString, QVariant>> valores = {
        {QStringLiteral("fechaInicial"), f.fechaInicial},
        {QStringLiteral("fechaFinal"), f.fechaFinal},
        {QStringLiteral("productoID"), f.productoID},
        {QStringLiteral("documentoNum"), f.documentoNum},
        {QStringLiteral("existenciaMinima"), f.existenciaMinima},
        {QStringLiteral("comprobante"), f.comprobante}};
    for (const auto &v : valores) {
        const QVariant valor = v.second.typeId() == QMetaType::QDateTime
                                   ? QVariant(fechaHora::aTextoBD(v.second.toDateTime()))
                                   : v.second;
        setParametroVariant(v.first, valor);
        setParametroVariant(v.first + QLatin1Char('2'), valor);
    }
    setParametroEntero(kNegocio, f.negocioID);
    setParametroEntero(kAlmacen, f.almacenID);
}

CmidTierResponse Tsalidas::selectEntradasTodoPorIDPorDocumentoNum(const tFiltroBuscarComprobante &filtro) {
    setQuery(
        QStringLiteral(
            "SELECT e.id AS inventarioSalida_id, e.documento AS inventarioSalida_documento, "
            "e.inventarioProducto_id AS inventarioProducto_id, p.nombre AS inventarioProducto_nombre, "
            "e.cantidad AS inventarioSalida_cantidad, e.costoUnitario AS inventarioEntrada_costoUnitario, "
            "e.existencia AS inventarioEntrada_existencia, e.existencia AS _restante, "
            "e.existenciaCostoUnitario AS inventarioEntrada_salidaCostoUnitario, u.descripcion AS "
            "inventarioUnidadesMedida_descripcion, e.idComprobante AS inventarioSalida_idComprobante, "
            "e.fechaHora AS inventarioSalida_fechaHora, a.id AS inventarioAlmacen_id, a.nombre AS "
            "inventarioAlmacen_nombre, c.uuid AS comprobante_uuid, e.id AS inventarioEntrada_id, "
            "p.opControladoNoSerie AS inventarioProducto_opControladoNoSerie FROM inventarioEntrada e "
            "LEFT JOIN inventarioProducto p ON p.id = e.inventarioProducto_id LEFT JOIN inventarioAlmacen a "
            "ON a.id = e.inventarioAlmacen_id LEFT JOIN Comprobante c ON c.idComprobante = e.idComprobante "
            "AND c.idNegocioFk = e.idNegocioFk LEFT JOIN inventarioUnidadesMedida u ON u.id = "
            "p.unidadesMedida_id WHERE e.idNegocioFk = :negocioID AND e.inventarioAlmacen_id = :almacenID "
            "AND e.existencia > 0") +
        kCondicionesFiltro.arg(QStringLiteral("e")) + QStringLiteral(" ORDER BY e.fechaHora, e.id"));
    fijaFiltro(filtro);
    return reader();
}

CmidTierResponse Tsalidas::selectSalidasTodoPorIDPorDocumentoNum(const tFiltroBuscarComprobante &filtro) {
    const QString restante =
        QStringLiteral("(s.cantidad - COALESCE((SELECT SUM(d.cantidad) FROM inventarioEntradaAdicional x "
                       "JOIN inventarioEntrada d "
                       "ON d.id = x.inventarioEntrada_id WHERE x.inventarioSalida_id = s.id), 0))");
    setQuery(
        QStringLiteral(
            "SELECT s.id AS inventarioSalida_id, s.documento AS inventarioSalida_documento, "
            "e.inventarioProducto_id AS inventarioProducto_id, p.nombre AS inventarioProducto_nombre, "
            "s.cantidad AS inventarioSalida_cantidad, s.salidaCostoUnitario AS "
            "inventarioEntrada_salidaCostoUnitario, s.existenciaCostoUnitario AS "
            "inventarioSalida_existenciaCostoUnitario, e.existencia AS inventarioEntrada_existencia, e.id AS "
            "inventarioEntrada_id, s.idComprobante AS inventarioSalida_idComprobante, s.fechaHora AS "
            "inventarioSalida_fechaHora, a.id AS inventarioAlmacen_id, a.nombre AS inventarioAlmacen_nombre, "
            "c.uuid AS comprobante_uuid, m.etiqueta AS inventarioMovimientoConcepto_etiqueta, "
            "p.opControladoNoSerie AS inventarioProducto_opControladoNoSerie, u.descripcion AS "
            "inventarioUnidadesMedida_descripcion, %1 AS _restante FROM inventarioSalida s JOIN "
            "inventarioEntrada e ON e.id = s.inventarioEntrada_id LEFT JOIN inventarioProducto p ON p.id = "
            "e.inventarioProducto_id LEFT JOIN inventarioAlmacen a ON a.id = e.inventarioAlmacen_id LEFT "
            "JOIN "
            "Comprobante c ON c.idComprobante = s.idComprobante AND c.idNegocioFk = e.idNegocioFk LEFT JOIN "
            "inventarioMovimientoConcepto m ON m.id = s.inventarioMovimientoConcepto_id LEFT JOIN "
            "inventarioUnidadesMedida u ON u.id = p.unidadesMedida_id WHERE e.idNegocioFk = :negocioID AND "
            "e.inventarioAlmacen_id = :almacenID AND %1 > 0")
            .arg(restante) +
        kCondicionesFiltro.arg(QStringLiteral("s")) + QStringLiteral(" ORDER BY s.fechaHora, s.id"));
    fijaFiltro(filtro);
    return reader();
}

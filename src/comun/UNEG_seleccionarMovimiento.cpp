#include "comun/UNEG_seleccionarMovimiento.h"

#include "comun/U_busquedaTexto.h"
#include "datos/UfechaHora.h"

namespace {
const QString kNegocio = QStringLiteral("negocioID");
const QString kAlmacen = QStringLiteral("almacenID");

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

void TconsultaMovimientos::fijaFiltro(const tFiltroBuscarComprobante &f) {
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

CmidTierResponse
TconsultaMovimientos::selectEntradasTodoPorIDPorDocumentoNum(const tFiltroBuscarComprobante &filtro) {
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

CmidTierResponse
TconsultaMovimientos::selectSalidasTodoPorIDPorDocumentoNum(const tFiltroBuscarComprobante &filtro) {
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

CmidTierResponse u_buscaMovimientos(TConexionSesion *sesion, int idNegocio, TmodoMovimiento modo,
                                    int idAlmacen, const TbusquedaMovimiento &b) {
    if (idAlmacen <= 0)
        return {};
    tFiltroBuscarComprobante f;
    f.negocioID = idNegocio;
    f.almacenID = idAlmacen;
    if (b.inicial.isValid())
        f.fechaInicial = fechaHora::inicioDelDia(b.inicial);
    if (b.final.isValid())
        f.fechaFinal = fechaHora::finDelDia(b.final);
    if (b.productoID > 0)
        f.productoID = b.productoID;
    bool numero = false;
    const qint64 documento = b.documento.trimmed().toLongLong(&numero);
    if (!b.documento.trimmed().isEmpty())
        f.documentoNum = numero ? QVariant(documento) : QVariant(-1); // not a number: nothing matches
    if (!b.comprobante.trimmed().isEmpty())
        f.comprobante = u_patronContiene(b.comprobante.trimmed());
    TconsultaMovimientos consulta(sesion);
    if (modo == TmodoMovimiento::Entradas) {
        f.existenciaMinima = 0.0;
        return consulta.selectEntradasTodoPorIDPorDocumentoNum(f);
    }
    return consulta.selectSalidasTodoPorIDPorDocumentoNum(f);
}

UREC_seleccionarMovimiento u_leeMovimiento(const CmidTierResponse &filas, int fila, TmodoMovimiento modo,
                                           const UREC_seleccionarMovimiento &solicitud) {
    UREC_seleccionarMovimiento r = solicitud;
    r.aceptar = false;
    if (fila < 0 || fila >= filas.getRowCount())
        return r;
    r.aceptar = true;
    r.productoID = int(filas.getCeldaAsInt(fila, QStringLiteral("inventarioProducto_id")));
    r.productoNombre = filas.getCelda(fila, QStringLiteral("inventarioProducto_nombre"));
    r.cantidadMaxima = filas.getCeldaAsFloat(fila, QStringLiteral("_restante"));
    // A purchase return leaves at the receipt's own cost; a taken-back issue at the cost it left at.
    r.costoUnitario = filas.getCeldaAsFloat(
        fila, modo == TmodoMovimiento::Entradas ? QStringLiteral("inventarioEntrada_costoUnitario")
                                                : QStringLiteral("inventarioEntrada_salidaCostoUnitario"));
    r.movimientoID = int(filas.getCeldaAsInt(fila, QStringLiteral("inventarioSalida_id")));
    r.existencia = filas.getCeldaAsFloat(fila, QStringLiteral("inventarioEntrada_existencia"));
    r.unidadMedida = filas.getCelda(fila, QStringLiteral("inventarioUnidadesMedida_descripcion"));
    r.relacionadoID = int(filas.getCeldaAsInt(fila, QStringLiteral("inventarioEntrada_id")));
    r.controlNoSerie =
        int(filas.getCeldaAsInt(fila, QStringLiteral("inventarioProducto_opControladoNoSerie")));
    return r;
}

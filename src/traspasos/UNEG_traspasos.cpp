#include "traspasos/UNEG_traspasos.h"

#include "comun/U_busquedaTexto.h"
#include "comun/U_utilerias.h"
#include "datos/UfechaHora.h"
#include "datos/UtablaValores.h"

#include <cmath>

namespace {
const QString kNegocio = QStringLiteral("negocioID");
const QString kProducto = QStringLiteral("productoID");

// The canonical text of a quantity or cost the record carries; empty when it is not a number.
QString numeroDe(const QString &texto) {
    bool ok = false;
    const double valor = texto.trimmed().toDouble(&ok);
    return ok && std::isfinite(valor) ? FloatToStr(valor) : QString();
}

} // namespace

CmidTierResponse Ttraspaso::selectTraspaso(const QVariant &origen, const QVariant &destino,
                                           const QVariant &estado, const QVariant &documento, int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT inventarioTraspaso.documento AS inventarioTraspaso_documento, inventarioTraspaso.id AS "
        "inventarioTraspaso_id, inventarioTraspaso.ORIGENinventarioAlmacen_id AS ORIGENinventarioAlmacen_id, "
        "origen.nombre AS origen_nombre, inventarioTraspaso.DESTINOinventarioAlmacen_id AS "
        "DESTINOinventarioAlmacen_id, destino.nombre AS destino_nombre, inventarioTraspaso.fechaSalida AS "
        "inventarioTraspaso_fechaSalida, inventarioTraspaso.fechaRecepcion AS "
        "inventarioTraspaso_fechaRecepcion, inventarioTraspaso.inventarioTraspasoEstado_id AS "
        "inventarioTraspasoEstado_id, inventarioTraspasoEstado.etiqueta AS inventarioTraspasoEstado_etiqueta "
        "FROM inventarioTraspaso LEFT JOIN inventarioAlmacen AS origen ON origen.id = "
        "inventarioTraspaso.ORIGENinventarioAlmacen_id LEFT JOIN inventarioAlmacen AS destino ON destino.id "
        "= "
        "inventarioTraspaso.DESTINOinventarioAlmacen_id LEFT JOIN inventarioTraspasoEstado ON "
        "inventarioTraspasoEstado.id = inventarioTraspaso.inventarioTraspasoEstado_id "
        "WHERE inventarioTraspaso.idNegocioFk = :negocioID "
        "AND (:ORIGENinventarioAlmacen_id IS NULL OR inventarioTraspaso.ORIGENinventarioAlmacen_id = "
        ":ORIGENinventarioAlmacen_id) "
        "AND (:DESTINOinventarioAlmacen_id IS NULL OR inventarioTraspaso.DESTINOinventarioAlmacen_id = "
        ":DESTINOinventarioAlmacen_id) "
        "AND (:inventarioTraspasoEstado_id IS NULL OR inventarioTraspaso.inventarioTraspasoEstado_id = "
        ":inventarioTraspasoEstado_id) "
        "AND (:documento IS NULL OR inventarioTraspaso.documento LIKE :documento ESCAPE '!') "
        "ORDER BY inventarioTraspaso.documento DESC, inventarioTraspaso.id DESC"));
    setParametroVariant(QStringLiteral("ORIGENinventarioAlmacen_id"), origen);
    setParametroVariant(QStringLiteral("DESTINOinventarioAlmacen_id"), destino);
    setParametroVariant(QStringLiteral("inventarioTraspasoEstado_id"), estado);
    setParametroVariant(QStringLiteral("documento"), documento);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

QVariant Ttraspaso::filtroDocumento(const QString &texto) {
    return texto.trimmed().isEmpty() ? QVariant() : QVariant(u_patronContiene(texto));
}

CmidTierResponse Ttraspaso::selectTraspasoEstado(int id, int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT inventarioTraspaso.inventarioTraspasoEstado_id AS inventarioTraspasoEstado_id, "
        "inventarioTraspasoEstado.etiqueta AS inventarioTraspasoEstado_etiqueta FROM inventarioTraspaso LEFT "
        "JOIN inventarioTraspasoEstado ON inventarioTraspaso.inventarioTraspasoEstado_id = "
        "inventarioTraspasoEstado.id WHERE inventarioTraspaso.id = :id AND inventarioTraspaso.idNegocioFk = "
        ":negocioID"));
    setParametroEntero(QStringLiteral("id"), id);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

bool Ttraspaso::leeTraspaso(int id, int idNegocio, Rtraspaso &traspaso, QDateTime *fechaSalida) {
    setQuery(QStringLiteral(
        "SELECT t.id, t.ORIGENinventarioAlmacen_id, o.nombre, t.DESTINOinventarioAlmacen_id, d.nombre, "
        "t.inventarioTraspasoEstado_id, s.etiqueta, t.fechaSalida FROM inventarioTraspaso t LEFT JOIN "
        "inventarioAlmacen o ON "
        "o.id = t.ORIGENinventarioAlmacen_id LEFT JOIN inventarioAlmacen d ON d.id = "
        "t.DESTINOinventarioAlmacen_id LEFT JOIN inventarioTraspasoEstado s ON s.id = "
        "t.inventarioTraspasoEstado_id WHERE t.id = :id AND t.idNegocioFk = :negocioID"));
    setParametroEntero(QStringLiteral("id"), id);
    setParametroEntero(kNegocio, idNegocio);
    const CmidTierResponse t = reader();
    if (!t.isSuccess() || t.getRowCount() != 1)
        return false;
    traspaso.id = t.getCeldaAsInt(0, 0);
    traspaso.almacenOrigenID = t.getCeldaAsInt(0, 1);
    traspaso.almacenOrigen = t.getCelda(0, 2);
    traspaso.almacenDestinoID = t.getCeldaAsInt(0, 3);
    traspaso.almacenDestino = t.getCelda(0, 4);
    traspaso.estadoID = t.getCeldaAsInt(0, 5);
    traspaso.estado = t.getCelda(0, 6);
    if (fechaSalida)
        *fechaSalida = fechaHora::deValorBD(t.getValor(0, 7));
    return true;
}

CmidTierResponse Ttraspaso::selectTraspasoDetalle(int traspasoId, int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT inventarioTraspasoDetalle.id AS inventarioTraspasoDetalle_id, "
        "inventarioTraspasoDetalle.inventarioProducto_id AS inventarioProducto_id, inventarioProducto.nombre "
        "AS inventarioProducto_nombre, inventarioTraspasoDetalle.cantidad AS "
        "inventarioTraspasoDetalle_cantidad, inventarioTraspasoDetalle.costo AS "
        "inventarioTraspasoDetalle_costo, "
        "inventarioTraspasoDetalleAdicional.inventarioEntrada_id AS inventarioEntrada_id, "
        "inventarioProducto.unidadesMedida_id AS unidadesMedida_id "
        "FROM inventarioTraspasoDetalle JOIN inventarioTraspaso ON inventarioTraspaso.id = "
        "inventarioTraspasoDetalle.inventarioTraspaso_id AND inventarioTraspaso.idNegocioFk = :negocioID "
        "LEFT JOIN inventarioProducto ON inventarioProducto.id = "
        "inventarioTraspasoDetalle.inventarioProducto_id "
        "LEFT JOIN inventarioTraspasoDetalleAdicional ON "
        "inventarioTraspasoDetalleAdicional.inventarioTraspasoDetalle_id = inventarioTraspasoDetalle.id "
        "WHERE inventarioTraspasoDetalle.inventarioTraspaso_id = :invnetarioTraspasoDetalle "
        "ORDER BY inventarioTraspasoDetalle.id"));
    setParametroEntero(QStringLiteral("invnetarioTraspasoDetalle"), traspasoId);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Ttraspaso::selectTraspasoEstados() {
    setQuery(QStringLiteral("SELECT inventarioTraspasoEstado.id AS inventarioTraspasoEstado_id, "
                            "inventarioTraspasoEstado.etiqueta AS inventarioTraspasoEstado_etiqueta FROM "
                            "inventarioTraspasoEstado ORDER BY inventarioTraspasoEstado.id"));
    return reader();
}

CmidTierResponse Ttraspaso::selectUltimoIdDocumentoTraspaso(int idNegocio) {
    setQuery(QStringLiteral("SELECT MAX(inventarioTraspaso.documento) AS inventarioTraspaso_documento FROM "
                            "inventarioTraspaso WHERE idNegocioFk = :negocioID"));
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

CmidTierResponse Ttraspaso::selectControlNoSerie(int idProducto, int idNegocio) {
    setQuery(QStringLiteral("SELECT opControladoNoSerie FROM inventarioProducto WHERE id = :productoID AND "
                            "idNegocioFk = :negocioID"));
    setParametroEntero(kProducto, idProducto);
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

CmidTierResponse Ttraspaso::selectNoSeriePorTraspaso(int traspasoId, int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT d.id AS inventarioTraspasoDetalle_id, s.id AS inventarioNoSerie_id, s.numero AS "
        "inventarioNoSerie_numero FROM inventarioTraspaso t JOIN inventarioTraspasoDetalle d ON "
        "d.inventarioTraspaso_id = t.id JOIN inventarioTraspasoNoSerie ts ON "
        "ts.inventarioTraspasoDetalle_id = d.id JOIN inventarioNoSerie s ON s.id = ts.inventarioNoSerie_id "
        "WHERE t.id = :traspasoID AND t.idNegocioFk = :negocioID ORDER BY d.id, s.numero, s.id"));
    setParametroEntero(QStringLiteral("traspasoID"), traspasoId);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Ttraspaso::insertTraspaso(int documento, int origen, int destino,
                                           const QDateTime &fechaSalida, const QDateTime &fechaRecepcion,
                                           int estado, int idNegocio) {
    setQuery(QStringLiteral(
        "INSERT INTO inventarioTraspaso (documento, ORIGENinventarioAlmacen_id, DESTINOinventarioAlmacen_id, "
        "fechaSalida, fechaRecepcion, inventarioTraspasoEstado_id, idNegocioFk) SELECT :documento, o.id, "
        "d.id, "
        ":fechaSalida, :fechaRecepcion, :inventarioTraspasoEstado_id, o.idNegocioFk FROM inventarioAlmacen o "
        "JOIN inventarioAlmacen d ON d.id = :DESTINOinventarioAlmacen_id AND d.idNegocioFk = o.idNegocioFk "
        "WHERE o.id = :ORIGENinventarioAlmacen_id AND o.idNegocioFk = :negocioID AND o.id <> d.id"));
    setParametroEntero(QStringLiteral("documento"), documento);
    setParametroEntero(QStringLiteral("ORIGENinventarioAlmacen_id"), origen);
    setParametroEntero(QStringLiteral("DESTINOinventarioAlmacen_id"), destino);
    setParametroFechaHora(QStringLiteral("fechaSalida"), fechaSalida);
    setParametroFechaHora(QStringLiteral("fechaRecepcion"), fechaRecepcion);
    setParametroEntero(QStringLiteral("inventarioTraspasoEstado_id"), estado);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Ttraspaso::insertTraspasoDetalle(std::span<const RtraspasoDetalle> detalles, int idNegocio) {
    if (detalles.empty() || detalles.size() > size_t(kLineasPorSentencia))
        return {};
    QVector<QString> cantidades, costos;
    for (const RtraspasoDetalle &d : detalles) {
        cantidades << numeroDe(d.cantidad);
        costos << numeroDe(d.costo);
        if (cantidades.last().isEmpty() || costos.last().isEmpty() || d.traspasoID != detalles[0].traspasoID)
            return {};
    }
    setQuery(
        QStringLiteral("INSERT INTO inventarioTraspasoDetalle (inventarioProducto_id, inventarioTraspaso_id, "
                       "cantidad, costo) SELECT p.id, t.id, m.cantidad, m.costo FROM inventarioTraspaso t "
                       "CROSS JOIN (") +
        u_tablaDeValores({{'p', QStringLiteral("producto")},
                          {'c', QStringLiteral("cantidad")},
                          {'k', QStringLiteral("costo")}},
                         detalles.size()) +
        QStringLiteral(") m JOIN inventarioProducto p ON p.id = m.producto AND p.idNegocioFk = t.idNegocioFk "
                       "WHERE t.id = :traspasoID AND t.idNegocioFk = :negocioID ORDER BY m.orden"));
    for (size_t i = 0; i < detalles.size(); ++i) {
        const QString n = QString::number(i);
        setParametroEntero(QLatin1Char('p') + n, detalles[i].productoID);
        setParametroTexto(QLatin1Char('c') + n, cantidades[i]);
        setParametroTexto(QLatin1Char('k') + n, costos[i]);
    }
    setParametroEntero(QStringLiteral("traspasoID"), detalles[0].traspasoID);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Ttraspaso::selectIdsDetalle(int traspasoId, int idNegocio) {
    setQuery(
        QStringLiteral("SELECT d.id AS inventarioTraspasoDetalle_id FROM inventarioTraspasoDetalle d JOIN "
                       "inventarioTraspaso t ON t.id = d.inventarioTraspaso_id WHERE t.id = :traspasoID AND "
                       "t.idNegocioFk = :negocioID ORDER BY d.id"));
    setParametroEntero(QStringLiteral("traspasoID"), traspasoId);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Ttraspaso::insertTraspasoDetalleAdicional(std::span<const RtraspasoDetalle> detalles,
                                                           int idNegocio) {
    if (detalles.empty() || detalles.size() > size_t(kLineasPorSentencia))
        return {};
    // The layer must be of the transfer's origin warehouse and of the line's product.
    setQuery(QStringLiteral("INSERT INTO inventarioTraspasoDetalleAdicional (inventarioTraspasoDetalle_id, "
                            "inventarioEntrada_id) SELECT d.id, e.id FROM (") +
             u_tablaDeValores({{'d', QStringLiteral("detalle")}, {'e', QStringLiteral("entrada")}},
                              detalles.size()) +
             QStringLiteral(
                 ") m JOIN inventarioTraspasoDetalle d ON d.id = m.detalle JOIN inventarioTraspaso t ON "
                 "t.id = d.inventarioTraspaso_id JOIN inventarioEntrada e ON e.id = m.entrada AND "
                 "e.idNegocioFk = t.idNegocioFk AND e.inventarioAlmacen_id = "
                 "t.ORIGENinventarioAlmacen_id AND e.inventarioProducto_id = d.inventarioProducto_id "
                 "WHERE t.idNegocioFk = :negocioID ORDER BY m.orden"));
    for (size_t i = 0; i < detalles.size(); ++i) {
        const QString n = QString::number(i);
        setParametroEntero(QLatin1Char('d') + n, detalles[i].id);
        setParametroEntero(QLatin1Char('e') + n, detalles[i].entradaID);
    }
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Ttraspaso::insertTraspasoNoSerieTransito(int idDetalle, int idNoSerie, int idNegocio) {
    // The serial number must have come in with a layer of the line's product in the business.
    setQuery(QStringLiteral(
        "INSERT INTO inventarioTraspasoNoSerie (inventarioTraspasoDetalle_id, inventarioNoSerie_id) SELECT "
        "d.id, s.id FROM inventarioTraspasoDetalle d JOIN inventarioTraspaso t ON t.id = "
        "d.inventarioTraspaso_id JOIN inventarioNoSerie s ON s.id = :inventarioNoSerieID JOIN "
        "inventarioEntrada e ON e.id = s.inventarioEntrada_id AND e.idNegocioFk = t.idNegocioFk AND "
        "e.inventarioProducto_id = d.inventarioProducto_id WHERE d.id = :inventarioTraspasoDetalleID AND "
        "t.idNegocioFk = :negocioID"));
    setParametroEntero(QStringLiteral("inventarioNoSerieID"), idNoSerie);
    setParametroEntero(QStringLiteral("inventarioTraspasoDetalleID"), idDetalle);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Ttraspaso::copyPedimento(std::span<const TcopiaCapa> pares, int idNegocio) {
    return copia(QStringLiteral("INSERT INTO inventarioPedimento (inventarioEntrada_id, numeroPedimento, "
                                "fechaDeAduana, aduana, paisOrigen) SELECT n.id, x.numeroPedimento, "
                                "x.fechaDeAduana, x.aduana, x.paisOrigen FROM inventarioPedimento x "),
                 pares, idNegocio);
}

CmidTierResponse Ttraspaso::copyLote(std::span<const TcopiaCapa> pares, int idNegocio) {
    return copia(
        QStringLiteral("INSERT INTO inventarioLote (inventarioEntrada_id, numero, fechaProduccion, "
                       "fechaCaducidad, fechaProduccionEstablecida, fechaCaducidadEstablecida) SELECT "
                       "n.id, x.numero, x.fechaProduccion, x.fechaCaducidad, "
                       "x.fechaProduccionEstablecida, x.fechaCaducidadEstablecida FROM inventarioLote x "),
        pares, idNegocio);
}

CmidTierResponse Ttraspaso::copyAdicionales(std::span<const TcopiaCapa> pares, int idNegocio) {
    return copia(
        QStringLiteral("INSERT INTO inventarioProductoPropiedad (inventarioEntrada_id, "
                       "inventarioPropiedadListado_id, valor) SELECT n.id, "
                       "x.inventarioPropiedadListado_id, x.valor FROM inventarioProductoPropiedad x "),
        pares, idNegocio);
}

// The pairs are a table of their own, so two lines that took from the same layer each get its
// rows, in line order; the IN list lets the engine read only those layers' rows.
CmidTierResponse Ttraspaso::copia(const QString &insercion, std::span<const TcopiaCapa> pares,
                                  int idNegocio) {
    if (pares.empty() || pares.size() > size_t(kLineasPorSentencia))
        return {};
    QString enLista;
    for (size_t i = 0; i < pares.size(); ++i)
        enLista += (i ? QStringLiteral(", :p") : QStringLiteral(":p")) + QString::number(i);
    setQuery(
        insercion +
        QStringLiteral("JOIN inventarioEntrada o ON o.id = x.inventarioEntrada_id AND o.idNegocioFk = "
                       ":negocioID JOIN (") +
        u_tablaDeValores({{'o', QStringLiteral("origen")}, {'n', QStringLiteral("nueva")}}, pares.size()) +
        QStringLiteral(") m ON m.origen = o.id JOIN inventarioEntrada n ON n.id = m.nueva AND "
                       "n.idNegocioFk = o.idNegocioFk WHERE x.inventarioEntrada_id IN (") +
        enLista + QStringLiteral(") ORDER BY m.orden, x.id"));
    for (size_t i = 0; i < pares.size(); ++i) {
        const QString n = QString::number(i);
        setParametroEntero(QStringLiteral("o") + n, pares[i].origen);
        setParametroEntero(QStringLiteral("n") + n, pares[i].nueva);
        setParametroEntero(QStringLiteral("p") + n, pares[i].origen);
    }
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Ttraspaso::updateTraspasoEstado(int id, int estado, int idNegocio) {
    if (estado != estadoTraspaso::kRecibido && estado != estadoTraspaso::kCancelado)
        return {};
    setQuery(QStringLiteral("UPDATE inventarioTraspaso SET inventarioTraspasoEstado_id = "
                            ":inventarioTraspasoEstado_id WHERE id = :id AND idNegocioFk = :negocioID AND "
                            "inventarioTraspasoEstado_id = 1"));
    setParametroEntero(QStringLiteral("inventarioTraspasoEstado_id"), estado);
    setParametroEntero(QStringLiteral("id"), id);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

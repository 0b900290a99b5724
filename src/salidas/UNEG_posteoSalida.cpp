#include "salidas/UNEG_posteoSalida.h"

#include "comun/U_utilerias.h"
#include "datos/UcodigosInventario.h"
#include "datos/UinsercionMultiple.h"
#include "datos/UtablaValores.h"
#include "salidas/UNEG_repartoCapas.h"

#include <QSet>
#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

namespace {

// Stored figures read back may differ from the computed ones in the last bits only.
bool igual(double a, double b) {
    return std::fabs(a - b) <= kToleranciaCantidad * std::max(1.0, std::max(std::fabs(a), std::fabs(b)));
}

// The same layer, quantity and cost: the user's document as captured.
bool comoSeCapturo(const QVector<TlineaSalida> &capturadas, const QVector<TlineaSalida> &escritas) {
    if (capturadas.size() != escritas.size())
        return false;
    for (int i = 0; i < capturadas.size(); ++i) {
        const TlineaSalida &a = capturadas[i];
        const TlineaSalida &b = escritas[i];
        if (a.entradaID != b.entradaID || !igual(a.cantidad, b.cantidad) ||
            !igual(a.costoUnitario, b.costoUnitario))
            return false;
    }
    return true;
}
} // namespace

TposteoSalida::TposteoSalida(TConexionSesion *sesion, const TdatosSalida &datos)
    : uSalidas(sesion), uExistencias(uSalidas, datos.almacenID), uDatos(datos) {}

TfinPosteo TposteoSalida::escribe() {
    const TfechaPosteo fecha{uDatos.almacenID, uDatos.fechaHora,
                             QStringLiteral("Revise fecha/hora de salida")};
    return u_posteaEnTransaccion(
        uSalidas, uDatos.negocioID, [this](TintentoPosteo &intento) { return escribeDocumento(intento); },
        &fecha, &uMotivo);
}

bool TposteoSalida::escribeDocumento(TintentoPosteo &intento) {
    uCapas.clear();
    uKardex.descarta();
    uExistencias.descarta();
    uEscritas.clear();
    uTomas.clear();
    uRepartida = false;
    const CmidTierResponse ultimo = uSalidas.selectUltimoIdDocumentoSalida(uDatos.negocioID);
    if (!intento.ok(ultimo) || !intento.escrito(leeProductos()))
        return false;
    uDocumento = int(ultimo.getScalarAsInt()) + 1;
    // Each product's lines follow one another (a product added again replaces its lines).
    const QVector<TlineaSalida> &capturadas = uDatos.lineas;
    QHash<int, int> grupos; // product -> last ledger group written by the document (PEPS)
    TinsercionMultiple filas(uSalidas, QStringLiteral("inventarioSalida"), Tsalidas::columnasSalida());
    QSet<int> vistos;
    for (int i = 0; i < capturadas.size();) {
        int fin = i + 1;
        while (fin < capturadas.size() && capturadas[fin].producto.id == capturadas[i].producto.id)
            ++fin;
        QVector<TlineaSalida> lineas = capturadas.mid(i, fin - i);
        if ((vistos.contains(lineas.first().producto.id) &&
             !releeProducto(intento, filas, lineas.first().producto.id)) ||
            !lineasVigentes(intento, lineas))
            return false;
        uRepartida = uRepartida || !comoSeCapturo(capturadas.mid(i, fin - i), lineas);
        if (!escribeProducto(intento, lineas, filas, grupos))
            return false;
        uEscritas += lineas;
        vistos.insert(lineas.first().producto.id);
        i = fin;
    }
    if (!tomaDeCapas(intento, true) || !intento.escrito(filas.vacia()) || !escribeSeries(intento))
        return false;
    if (uDatos.metodoKardex == kMetodoPEPS)
        escribeRenglonesCapasRestantes(uCapas, uDatos.fechaHora, grupos);
    return intento.escrito(uKardex.escribe() && uExistencias.escribe()) &&
           (!uAdicional || uAdicional(intento, *this));
}

bool TposteoSalida::leeProductos() {
    QVector<int> productos;
    for (const TlineaSalida &l : uDatos.lineas)
        if (!productos.contains(l.producto.id))
            productos << l.producto.id;
    uLeidas.clear();
    return u_leeExistenciasProductos(uSalidas, uDatos.almacenID, productos, uDatos.negocioID,
                                     uDatos.metodoKardex != kMetodoPEPS, uLeidas);
}

bool TposteoSalida::releeProducto(TintentoPosteo &intento, TinsercionMultiple &filas, int idProducto) {
    TexistenciaProducto &x = uLeidas[idProducto];
    return tomaDeCapas(intento, true) && intento.escrito(filas.vacia() && uExistencias.escribe()) &&
           intento.escrito(u_leeExistenciaProducto(uSalidas, uDatos.almacenID, idProducto, uDatos.negocioID,
                                                   uDatos.metodoKardex != kMetodoPEPS, x));
}

bool TposteoSalida::lineasVigentes(TintentoPosteo &intento, QVector<TlineaSalida> &lineas) {
    const bool promedio = uDatos.metodoKardex != kMetodoPEPS;
    const TproductoSalida producto = lineas.first().producto;
    const TexistenciaProducto &x = uLeidas[producto.id];
    if (!promedio)
        recuerdaCapas(producto.id, x);
    if (uDatos.esDevolucionCompra()) {
        // Tied to the receipt the user returns: only while it still holds what it held.
        const TlineaSalida &l = lineas.first();
        const TexistenciaProducto::Tcapa *capa = x.capa(l.entradaID);
        if (!capa || !igual(capa->existencia, l.existenciaPrevia))
            return intento.conflicto(TmotivoConflicto::Otro);
        lineas = {u_lineaDevolucion(producto, l.cantidad, l.costoUnitario, l.entradaID, capa->existencia,
                                    x.instantanea, promedio)};
        return true;
    }
    // Serial numbers leave as the units chosen: a layer that no longer holds the line's units has
    // lost some of them.
    const bool conSeries = std::any_of(lineas.cbegin(), lineas.cend(),
                                       [](const TlineaSalida &l) { return !l.series.isEmpty(); });
    if (producto.controlNoSerie > 0 || conSeries)
        return u_recalculaEnSusCapas(lineas, x, promedio) || intento.conflicto(TmotivoConflicto::Series);
    double cantidad = 0;
    for (const TlineaSalida &l : std::as_const(lineas))
        cantidad += l.cantidad;
    return u_reparteEnCapas(producto, cantidad, x, promedio, lineas) ||
           intento.conflicto(TmotivoConflicto::Existencia);
}

bool TposteoSalida::escribeProducto(TintentoPosteo &intento, const QVector<TlineaSalida> &lineas,
                                    TinsercionMultiple &filas, QHash<int, int> &grupos) {
    const int producto = lineas.first().producto.id;
    const bool peps = uDatos.metodoKardex == kMetodoPEPS;
    // The document's own rows are held until it ends: a product met again goes on from them.
    int grupo = grupos.value(producto, uLeidas[producto].grupo);
    uTomas += lineas;
    if (!tomaDeCapas(intento, false))
        return false;
    for (int i = 0; i < lineas.size(); ++i) {
        if (peps)
            ++grupo;
        if (!escribeLinea(intento, lineas[i], filas, i == 0, peps ? grupo : 0))
            return false;
    }
    grupos.insert(producto, grupo);
    const double existencia = lineas.last().existenciaTotal;
    uExistencias.fija(producto, uLeidas[producto].idExistencia, u_esCero(existencia) ? 0.0 : existencia);
    return true;
}

bool TposteoSalida::tomaDeCapas(TintentoPosteo &intento, bool todas) {
    const int porSentencia = uSalidas.capasPorSentencia();
    while (uTomas.size() >= porSentencia || (todas && !uTomas.isEmpty())) {
        const int n = std::min(porSentencia, int(uTomas.size()));
        const CmidTierResponse capas =
            uSalidas.updateEntradas(std::span(uTomas.constData(), n), uDatos.almacenID, uDatos.negocioID);
        if (!intento.ok(capas))
            return false;
        if (capas.getFilasAfectadas() != n)
            return intento.conflicto(TmotivoConflicto::Otro);
        uTomas.remove(0, n);
    }
    return true;
}

bool TposteoSalida::escribeLinea(TintentoPosteo &intento, const TlineaSalida &linea,
                                 TinsercionMultiple &filas, bool primera, int grupo) {
    TinventarioSalida s;
    s.documento = uDocumento;
    s.fechaHora = uDatos.fechaHora;
    s.inventarioEntrada_id = linea.entradaID;
    s.cantidad = linea.cantidad;
    s.idComprobante = uDatos.comprobante.valido() ? uDatos.comprobante.idComprobante : -1;
    s.inventarioMovimientoConcepto_id = uDatos.concepto.id;
    s.salidaCostoUnitario = linea.costoUnitario;
    s.existenciaTotal = linea.existenciaTotal;
    s.existenciaCostoUnitario = linea.salidasCostoUnitario;
    s.existenciaCostoTotal = linea.existenciaCostoTotal;
    s.inventarioAlmacen_id = uDatos.almacenID;
    s.inventarioProducto_id = linea.producto.id;
    s.negocioID = uDatos.negocioID;
    if (!intento.escrito(filas.agrega(Tsalidas::valoresSalida(s))))
        return false;
    uKardex.agrega(renglonKardex(linea, primera, grupo));
    if (uDatos.metodoKardex == kMetodoPEPS)
        capaEliminaRevision(uCapas, linea.producto.id, linea.entradaID);
    return true;
}

// The serial numbers leave with their issue rows, whose ids are read back once the rows are written.
bool TposteoSalida::escribeSeries(TintentoPosteo &intento) {
    if (std::none_of(uEscritas.cbegin(), uEscritas.cend(),
                     [](const TlineaSalida &l) { return !l.series.isEmpty(); }))
        return true;
    const CmidTierResponse ids = uSalidas.selectIdsDocumento(uDocumento, uDatos.negocioID);
    if (!intento.ok(ids) || ids.getRowCount() != uEscritas.size())
        return false;
    std::vector<TserieSalida> series;
    for (int i = 0; i < uEscritas.size(); ++i) {
        for (const int serie : uEscritas[i].series)
            series.push_back({serie, int(ids.getCeldaAsInt(i, 0)), uEscritas[i].entradaID});
    }
    return u_enTramos(std::span<const TserieSalida>(series), Tsalidas::kSeriesPorSentencia,
                      [&](std::span<const TserieSalida> tramo) {
                          const CmidTierResponse r = uSalidas.updateNoSeriesSalida(tramo, uDatos.negocioID);
                          // One that is no longer in stock, or not of that layer, leaves the
                          // document refused whole.
                          return intento.ok(r) && (r.getFilasAfectadas() == int(tramo.size()) ||
                                                   intento.conflicto(TmotivoConflicto::Series));
                      });
}

TkardexRenglon TposteoSalida::renglonKardex(const TlineaSalida &linea, bool primera, int grupo) const {
    TkardexRenglon r;
    r.fechaHora = uDatos.fechaHora;
    r.almacenID = uDatos.almacenID;
    r.productoID = linea.producto.id;
    r.negocioID = uDatos.negocioID;
    r.documentoSalida = uDocumento;
    r.salidaEntradaRelacionada = linea.entradaID;
    const bool peps = uDatos.metodoKardex == kMetodoPEPS;
    // Under PEPS the row follows its layer; under the average it follows the whole stock.
    const double costo = peps ? linea.salidasCostoUnitario : linea.costoUnitario;
    if (uDatos.esDevolucionCompra()) {
        r.entradaCantidad = -linea.cantidad;
        r.entradaCostoUnitario = costo;
    } else {
        r.salidaCantidad = linea.cantidad;
        r.salidaCostoUnitario = costo;
    }
    r.totalCostoUnitario = linea.salidasCostoUnitario;
    if (peps) {
        r.totalCantidad = linea.existencia;
        r.division = primera ? QVariant(1) : QVariant();
        r.grupo = grupo;
    } else {
        r.totalCantidad = linea.existenciaTotal;
        r.totalExistencia = linea.existenciaCostoTotal;
    }
    return r;
}

void TposteoSalida::recuerdaCapas(int idProducto, const TexistenciaProducto &x) {
    if (uCapas.contains(idProducto))
        return;
    QMap<int, tCapa> &capas = uCapas[idProducto];
    for (const TexistenciaProducto::Tcapa &c : x.capas)
        capas.insert(c.entradaID,
                     {uDatos.almacenID, idProducto, uDatos.negocioID, c.existencia, c.costo, c.entradaID});
}

void TposteoSalida::capaEliminaRevision(TmapaCapas &mapa, int idProducto, int idEntrada) {
    const auto producto = mapa.find(idProducto);
    if (producto != mapa.end())
        producto->remove(idEntrada);
}

void TposteoSalida::escribeRenglonesCapasRestantes(const TmapaCapas &mapa, const QDateTime &fechaHora,
                                                   const QHash<int, int> &grupos) {
    for (auto producto = mapa.cbegin(); producto != mapa.cend(); ++producto) {
        const int grupo = grupos.value(producto.key()) + 1;
        for (const tCapa &capa : producto.value())
            uKardex.agrega(renglonKardex::revisionDeCapa(capa, fechaHora, grupo));
    }
}

bool u_contabilizaSalida(const TdatosSalida &datos, TConexionSesion *sesion, QString &error) {
    const TAsientoBasico &asiento = datos.concepto.asiento;
    QList<TActivoconcepto> conceptos;
    for (const TlineaSalida &l : datos.lineas) {
        TActivoconcepto c;
        c.setDescripcion(l.producto.nombre);
        c.setSubtotal(l.total);
        c.setAsientoBasico(asiento);
        c.setComprobante(datos.comprobante);
        conceptos.append(c);
    }
    return u_contabiliza(conceptos, datos.fechaHora.date(), sesion, datos.negocioID, error);
}

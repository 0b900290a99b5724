#include "traspasos/UNEG_cierreTraspaso.h"

#include "comun/UNEG_almacen.h"
#include "comun/UNEG_noSeries.h"
#include "comun/U_mensajes.h"
#include "comun/U_utilerias.h"
#include "datos/UcodigosInventario.h"
#include "datos/UfechaHora.h"
#include "entradas/UNEG_posteoEntrada.h"
#include "traspasos/UNEG_traspasos.h"

#include <QHash>

#include <algorithm>
#include <span>
#include <vector>

namespace {
const QString kReviseFecha = QStringLiteral("Revise fecha/hora de entrada");

// The consumed layers' declarations, lots and property values onto the new receipt rows, as many
// lines to a statement as it takes.
bool copiaCapas(TintentoPosteo &intento, Ttraspaso &t, const QVector<TcopiaCapa> &pares, int negocio) {
    for (qsizetype i = 0; i < pares.size(); i += Ttraspaso::kLineasPorSentencia) {
        const std::span<const TcopiaCapa> tramo(
            pares.constData() + i, std::min<qsizetype>(Ttraspaso::kLineasPorSentencia, pares.size() - i));
        if (!intento.ok(t.copyPedimento(tramo, negocio)) || !intento.ok(t.copyLote(tramo, negocio)) ||
            !intento.ok(t.copyAdicionales(tramo, negocio)))
            return false;
    }
    return true;
}
} // namespace

TcierreTraspaso::TcierreTraspaso(TConexionSesion *sesion, int idNegocio)
    : uSesion(sesion), uNegocio(idNegocio) {}

bool TcierreTraspaso::carga(int idTraspaso) {
    uLineas.clear();
    uNombres.clear();
    uUnidades.clear();
    Ttraspaso t(uSesion);
    if (!t.leeTraspaso(idTraspaso, uNegocio, uTraspaso, &uFechaSalida))
        return false;
    const CmidTierResponse r = t.selectTraspasoDetalle(idTraspaso, uNegocio);
    if (!r.isSuccess())
        return false;
    for (int f = 0; f < r.getRowCount(); ++f) {
        RtraspasoDetalle d;
        d.id = r.getCeldaAsInt(f, QStringLiteral("inventarioTraspasoDetalle_id"));
        d.productoID = r.getCeldaAsInt(f, QStringLiteral("inventarioProducto_id"));
        d.traspasoID = idTraspaso;
        d.cantidad = FloatToStr(r.getCeldaAsFloat(f, QStringLiteral("inventarioTraspasoDetalle_cantidad")));
        d.costo = FloatToStr(r.getCeldaAsFloat(f, QStringLiteral("inventarioTraspasoDetalle_costo")));
        d.entradaID = r.getCeldaAsInt(f, QStringLiteral("inventarioEntrada_id"));
        uLineas.append(d);
        uNombres.append(r.getCelda(f, QStringLiteral("inventarioProducto_nombre")));
        uUnidades.append(r.getCeldaAsInt(f, QStringLiteral("unidadesMedida_id")));
    }
    Talmacen almacen(uSesion);
    uMetodo = int(almacen.selectMetodoKardex(uNegocio).getScalarAsInt());
    const int concepto =
        int(almacen.selectIDfamiliaUnica(kFamiliaEntradaTraspaso, uNegocio).getScalarAsInt());
    uConcepto = almacen.selectConcepto(concepto, uNegocio);
    return true;
}

bool TcierreTraspaso::abierto() const {
    return uTraspaso.id > 0 && uTraspaso.estadoID == estadoTraspaso::kEnTransito;
}

int TcierreTraspaso::almacenReceptor(TaccionCierre accion) const {
    return accion == TaccionCierre::Recibir ? uTraspaso.almacenDestinoID : uTraspaso.almacenOrigenID;
}

QVariant TcierreTraspaso::fechaHoraUltimoMovimiento(TaccionCierre accion, bool &ok) const {
    QVariant ultimo;
    ok = TmovimientosInventario(uSesion)
             .selectFechaHoraUltimoMovimiento(almacenReceptor(accion), uNegocio, ultimo)
             .isSuccess();
    return ultimo;
}

bool TcierreTraspaso::compruebaCierre(TaccionCierre accion, const QDateTime &fechaHora) {
    // Another workstation may have closed it since it was read.
    Rtraspaso actual;
    if (!Ttraspaso(uSesion).leeTraspaso(uTraspaso.id, uNegocio, actual)) {
        u_avisaNoGuardado(uSesion);
        return false;
    }
    uTraspaso = actual;
    if (!abierto()) {
        u_mensaje(QStringLiteral("El traspaso ya no está en tránsito: %1.").arg(uTraspaso.estado),
                  kAdvertencia);
        return false;
    }
    if (uLineas.isEmpty())
        return false;
    if (uMetodo < 1) {
        u_mensaje(posteoEntrada::kSinMetodo, kAdvertencia);
        return false;
    }
    if (!uConcepto.valido()) {
        u_mensaje(
            QStringLiteral("Falta el concepto de entrada por traspaso; revise los conceptos en Opciones."),
            kAdvertencia);
        return false;
    }
    bool leido = false;
    const QVariant ultimo = fechaHoraUltimoMovimiento(accion, leido);
    if (!leido) {
        u_avisaNoGuardado(uSesion);
        return false;
    }
    // Received before it left, or before what the warehouse already recorded: the ledger's order.
    if (!fechaHora.isValid() || fechaHora < uFechaSalida ||
        (!ultimo.isNull() && fechaHora < fechaHora::deValorBD(ultimo))) {
        u_mensaje(kReviseFecha, kAdvertencia);
        return false;
    }
    return u_confirmaAceptarCancelar(posteoEntrada::kConfirmaGuardar);
}

TdatosEntrada TcierreTraspaso::documentoEntrada(TaccionCierre accion, const QDateTime &fechaHora,
                                                QVector<double> &cantidades) const {
    TdatosEntrada datos;
    datos.almacenID = almacenReceptor(accion);
    datos.conceptoID = uConcepto.id;
    datos.fechaHora = fechaHora;
    cantidades.clear();
    for (int i = 0; i < uLineas.size(); ++i) {
        TlineaEntrada l;
        l.productoID = uLineas[i].productoID;
        l.producto = uNombres[i];
        l.cantidad = uLineas[i].cantidad;
        l.costoUnitario = uLineas[i].costo.toDouble();
        l.unidadRecibidaID = uUnidades[i];
        l.factorConversion = 1;
        datos.lineas.append(l);
        cantidades.append(uLineas[i].cantidad.toDouble());
    }
    return datos;
}

bool TcierreTraspaso::cierra(TaccionCierre accion, const QDateTime &fechaHora) {
    uFin = TfinPosteo::Fallido;
    if (guardado()) {
        u_mensaje(QStringLiteral("El traspaso ya quedó cerrado con la entrada %1.").arg(documento()),
                  kAdvertencia);
        return false;
    }
    if (!compruebaCierre(accion, fechaHora))
        return false;
    QVector<double> cantidades;
    const TdatosEntrada datos = documentoEntrada(accion, fechaHora, cantidades);
    const int estado =
        accion == TaccionCierre::Recibir ? estadoTraspaso::kRecibido : estadoTraspaso::kCancelado;
    TposteoEntrada posteo(uSesion, uNegocio, uMetodo, uConcepto, datos, cantidades);
    posteo.setEscrituraAdicional([&](TintentoPosteo &intento, Tentradas &) {
        return escribeCierre(intento, posteo.entradasPorLinea(), estado);
    });
    uFin = posteo.escribe();
    if (uFin != TfinPosteo::Confirmado)
        return false;
    Ttraspaso(uSesion).leeTraspaso(uTraspaso.id, uNegocio, uTraspaso);
    registraPosteo(posteo.documento(), QStringLiteral("entrada"), [&](QString &error) {
        return u_contabilizaEntrada(datos, cantidades, uConcepto.asiento, uSesion, uNegocio, error);
    });
    return true;
}

bool TcierreTraspaso::escribeCierre(TintentoPosteo &intento, const QVector<int> &nuevas, int estado) {
    Ttraspaso t(uSesion); // the posting's connection, inside its transaction
    QVector<TcopiaCapa> pares;
    QHash<int, int> nuevaDeLinea; // each transfer line's new receipt row
    for (int i = 0; i < uLineas.size(); ++i) {
        if (nuevas.value(i) <= 0)
            return false;
        pares.append({uLineas[i].entradaID, nuevas[i]});
        nuevaDeLinea.insert(uLineas[i].id, nuevas[i]);
    }
    if (!copiaCapas(intento, t, pares, uNegocio))
        return false;
    // Each serial number comes back onto the receipt row of the line it travelled with.
    const CmidTierResponse series = t.selectNoSeriePorTraspaso(uTraspaso.id, uNegocio);
    if (!intento.ok(series))
        return false;
    std::vector<TnoSerieNuevo> porRecibir;
    porRecibir.reserve(size_t(series.getRowCount()));
    for (int f = 0; f < series.getRowCount(); ++f) {
        const int nueva =
            nuevaDeLinea.value(series.getCeldaAsInt(f, QStringLiteral("inventarioTraspasoDetalle_id")));
        if (nueva <= 0)
            return false;
        porRecibir.push_back({nueva, series.getCelda(f, QStringLiteral("inventarioNoSerie_numero"))});
    }
    TnoSeries noSeries(uSesion);
    if (!porRecibir.empty() && !intento.ok(noSeries.insertNoSeries(porRecibir, uNegocio)))
        return false;
    // The last write, and only while the transfer is still in transit: a second closing finds no row.
    const CmidTierResponse r = t.updateTraspasoEstado(uTraspaso.id, estado, uNegocio);
    if (!intento.ok(r))
        return false;
    return r.getFilasAfectadas() == 1 || intento.conflicto(TmotivoConflicto::Otro);
}

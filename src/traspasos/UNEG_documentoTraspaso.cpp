#include "traspasos/UNEG_documentoTraspaso.h"

#include "comun/UNEG_almacen.h"
#include "comun/UNEG_productos.h"
#include "comun/U_mensajes.h"
#include "comun/U_utilerias.h"
#include "datos/UcodigosInventario.h"
#include "datos/UfechaHora.h"
#include "datos/UtablaValores.h"
#include "traspasos/UNEG_traspasos.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <functional>
#include <span>

namespace {
// The write affected exactly its row; a row of another business, or gone, refuses the document.
bool escrita(TintentoPosteo &intento, const CmidTierResponse &r) {
    if (!intento.ok(r))
        return false;
    return r.getFilasAfectadas() == 1 || intento.conflicto(TmotivoConflicto::Otro);
}

// Writes the lines a statement for as many as it takes; each statement writes every line it was
// given, or the document is refused.
bool porTramos(TintentoPosteo &intento, const QVector<RtraspasoDetalle> &detalles,
               const std::function<CmidTierResponse(std::span<const RtraspasoDetalle>)> &escribe) {
    return u_enTramos(std::span<const RtraspasoDetalle>(detalles), Ttraspaso::kLineasPorSentencia,
                      [&](std::span<const RtraspasoDetalle> tramo) {
                          const CmidTierResponse r = escribe(tramo);
                          return intento.ok(r) && (r.getFilasAfectadas() == qint64(tramo.size()) ||
                                                   intento.conflicto(TmotivoConflicto::Otro));
                      });
}

double cantidadDe(const QVector<TlineaSalida> &lineas, int idProducto) {
    double suma = 0;
    for (const TlineaSalida &l : lineas)
        if (l.producto.id == idProducto)
            suma += l.cantidad;
    return suma;
}
} // namespace

TdocumentoTraspaso::TdocumentoTraspaso(TConexionSesion *sesion, int idNegocio)
    : uSesion(sesion), uNegocio(idNegocio), uSalida(sesion, idNegocio) {
    fijaConceptoEnvio();
    uSalida.setEscrituraAdicional([this](TintentoPosteo &intento, const TposteoSalida &posteo) {
        return escribeTraspaso(intento, posteo);
    });
}

bool TdocumentoTraspaso::fijaConceptoEnvio() {
    return uSalida.setConcepto(
        int(Talmacen(uSesion).selectIDfamiliaUnica(kFamiliaSalidaTraspaso, uNegocio).getScalarAsInt()));
}

bool TdocumentoTraspaso::setOrigen(int idAlmacen) {
    return uSalida.setAlmacen(idAlmacen);
}

bool TdocumentoTraspaso::setDestino(int idAlmacen) {
    const QVariant nombre = TmovimientosInventario(uSesion).selectNombreAlmacen(idAlmacen, uNegocio);
    uDestino = nombre.isNull() ? 0 : idAlmacen;
    uDestinoNombre = nombre.toString();
    return uDestino > 0;
}

void TdocumentoTraspaso::eliminaProducto(int fila) {
    if (fila >= 0 && fila < lineas().size())
        uSalida.quitaLineasDe(lineas()[fila].producto.id);
}

double TdocumentoTraspaso::existenciaOrigen(int idProducto) const {
    if (origen() <= 0)
        return 0;
    return uSalida.consultaExistenciaArticulo(idProducto) - cantidadDe(lineas(), idProducto);
}

double TdocumentoTraspaso::existenciaDestino(int idProducto) const {
    if (uDestino <= 0)
        return 0;
    TexistenciaAlmacen x;
    TmovimientosInventario(uSesion).selectExistencia(uDestino, idProducto, uNegocio, x);
    return x.existencia;
}

bool TdocumentoTraspaso::compruebaAlmacenes() {
    // Read again: a warehouse may have gone since it was chosen.
    const int destino = uDestino;
    if (origen() <= 0 || !uSalida.setAlmacen(origen())) {
        u_mensaje(QStringLiteral("Seleccione almacen de Origen"), kAdvertencia);
        return false;
    }
    if (destino <= 0 || !setDestino(destino)) {
        u_mensaje(QStringLiteral("Seleccione almacen de Destino"), kAdvertencia);
        return false;
    }
    if (origen() == uDestino) {
        u_mensaje(QStringLiteral("Seleccione almacenes distintos de origen y destino"), kAdvertencia);
        return false;
    }
    return true;
}

bool TdocumentoTraspaso::compruebaFechaSalida() const {
    QVariant ultimo;
    if (!TmovimientosInventario(uSesion)
             .selectFechaHoraUltimoMovimiento(origen(), uNegocio, ultimo)
             .isSuccess()) {
        u_avisaNoGuardado(uSesion);
        return false;
    }
    if (!fechaSalida().isValid() || (!ultimo.isNull() && fechaSalida() < fechaHora::deValorBD(ultimo))) {
        u_mensaje(QStringLiteral("Revise fecha/hora de salida"), kAdvertencia);
        return false;
    }
    return true;
}

// The minimum at the origin and the maximum at the destination; a limit of 0 or none never alerts.
bool TdocumentoTraspaso::aceptaLimites(const TproductoSalida &producto, double cantidad) {
    double minimo = -1;
    TmovimientosInventario(uSesion).stockMinimo(origen(), producto.id, uNegocio, minimo);
    if (u_esPositivo(minimo) && existenciaOrigen(producto.id) - cantidad < minimo &&
        !u_alertaStock(
            {false, uSalida.almacenNombre(), producto.nombre, FloatToStr(cantidad), FloatToStr(minimo)}))
        return false;
    const CmidTierResponse limites = Tproductos(uSesion).selectStockProducto(producto.id, uNegocio);
    double maximo = -1;
    for (int f = 0; limites.isSuccess() && f < limites.getRowCount(); ++f)
        if (limites.getCeldaAsInt(f, QStringLiteral("almacen_id")) == uDestino &&
            !limites.getCelda(f, QStringLiteral("inventarioStock_maximo")).isEmpty())
            maximo = limites.getCeldaAsFloat(f, QStringLiteral("inventarioStock_maximo"));
    return !u_esPositivo(maximo) || !u_esPositivo(existenciaDestino(producto.id) + cantidad - maximo) ||
           u_alertaStock({true, uDestinoNombre, producto.nombre, FloatToStr(cantidad), FloatToStr(maximo)});
}

bool TdocumentoTraspaso::agregaAlDocumento(const TproductoSalida &elegido, double cantidad) {
    if (!compruebaAlmacenes())
        return false;
    // Whether its units carry serial numbers is the stored product's, not the caller's say.
    const QVariant control = Ttraspaso(uSesion).selectControlNoSerie(elegido.id, uNegocio).getScalar();
    if (elegido.id <= 0 || control.isNull()) {
        u_mensaje(QStringLiteral("Seleccione un producto"), kAdvertencia);
        return false;
    }
    TproductoSalida producto = elegido;
    producto.controlNoSerie = control.toInt();
    if (!std::isfinite(cantidad) || !u_esPositivo(cantidad)) {
        u_mensaje(QStringLiteral("Capture la cantidad a traspasar"), kAdvertencia);
        return false;
    }
    if (u_esPositivo(cantidad - existenciaOrigen(producto.id))) {
        u_mensaje(QStringLiteral("Existencia insuficiente"), kAdvertencia);
        return false;
    }
    if (!compruebaFechaSalida() || !aceptaLimites(producto, cantidad))
        return false;
    // The serial numbers chosen stay with their layers when the product is split again.
    QHash<int, QVector<int>> series;
    for (const TlineaSalida &l : lineas())
        if (l.producto.id == producto.id)
            series.insert(l.entradaID, l.series);
    if (!uSalida.reemplazaProducto(producto, cantidad + cantidadDe(lineas(), producto.id)))
        return false;
    for (int i = 0; i < lineas().size(); ++i)
        if (lineas()[i].producto.id == producto.id && series.contains(lineas()[i].entradaID))
            uSalida.setSeries(i, series.value(lineas()[i].entradaID));
    return true;
}

bool TdocumentoTraspaso::compruebaSeries() const {
    QString faltantes;
    for (int i = 0; i < lineas().size(); ++i) {
        const TlineaSalida &l = lineas()[i];
        if (l.producto.controlNoSerie > 0 && l.series.size() < int(l.cantidad + kToleranciaCantidad))
            faltantes +=
                QStringLiteral("  Renglón %1 no se han capturado todos los números de serie \n\r").arg(i + 1);
    }
    if (faltantes.isEmpty())
        return true;
    u_mensaje(QStringLiteral("Para realziar el traspaso capture los números de serie faltantes: \n\r\n\r") +
                  faltantes,
              kAdvertencia);
    return false;
}

bool TdocumentoTraspaso::guardar() {
    if (uSalida.guardado()) {
        u_mensaje(
            QStringLiteral("El traspaso ya quedó guardado con el documento %1.").arg(uDocumentoTraspaso),
            kAdvertencia);
        return false;
    }
    if (lineas().isEmpty()) {
        u_mensaje(QStringLiteral("Agregue al menos un producto al traspaso."), kAdvertencia);
        return false;
    }
    if (!compruebaAlmacenes())
        return false;
    if (!uSalida.concepto().valido() && !fijaConceptoEnvio()) {
        u_mensaje(
            QStringLiteral("Falta el concepto de salida por traspaso; revise los conceptos en Opciones."),
            kAdvertencia);
        return false;
    }
    if (!uFechaRecepcion.isValid() || (fechaSalida().isValid() && uFechaRecepcion < fechaSalida())) {
        u_mensaje(QStringLiteral("Revise fecha/hora de recepción"), kAdvertencia);
        return false;
    }
    if (!compruebaSeries())
        return false;
    if (uSalida.guardar())
        return true;
    // A run that wrote them may have been rolled back.
    uTraspaso = 0;
    uDocumentoTraspaso = 0;
    return false;
}

bool TdocumentoTraspaso::escribeTraspaso(TintentoPosteo &intento, const TposteoSalida &posteo) {
    Ttraspaso t(uSesion); // the posting's connection, inside its transaction
    const CmidTierResponse ultimo = t.selectUltimoIdDocumentoTraspaso(uNegocio);
    if (!intento.ok(ultimo))
        return false;
    const int numero = int(ultimo.getScalarAsInt()) + 1;
    const CmidTierResponse cabecera = t.insertTraspaso(
        numero, origen(), uDestino, fechaSalida(), uFechaRecepcion, estadoTraspaso::kEnTransito, uNegocio);
    if (!escrita(intento, cabecera))
        return false;
    const int id = int(cabecera.getIdInsertado());
    const QVector<TlineaSalida> &lineas = posteo.lineasEscritas();
    QVector<RtraspasoDetalle> detalles;
    for (const TlineaSalida &l : lineas) {
        RtraspasoDetalle d;
        d.productoID = l.producto.id;
        d.traspasoID = id;
        d.cantidad = FloatToStr(l.cantidad);
        d.costo = FloatToStr(l.costoUnitario);
        d.entradaID = l.entradaID;
        detalles.append(d);
    }
    CmidTierResponse insercion;
    if (!porTramos(intento, detalles, [&](std::span<const RtraspasoDetalle> tramo) {
            return insercion = t.insertTraspasoDetalle(tramo, uNegocio);
        }))
        return false;
    if (detalles.size() == 1) {
        detalles[0].id = int(insercion.getIdInsertado());
    } else {
        // The lines were written in order, so their ids in order are theirs.
        const CmidTierResponse ids = t.selectIdsDetalle(id, uNegocio);
        if (!intento.ok(ids))
            return false;
        if (ids.getRowCount() != detalles.size())
            return intento.conflicto(TmotivoConflicto::Otro);
        for (int i = 0; i < detalles.size(); ++i)
            detalles[i].id = ids.getCeldaAsInt(i, 0);
    }
    if (!porTramos(intento, detalles, [&](std::span<const RtraspasoDetalle> tramo) {
            return t.insertTraspasoDetalleAdicional(tramo, uNegocio);
        }))
        return false;
    for (int i = 0; i < detalles.size(); ++i)
        for (const int serie : lineas[i].series)
            if (!escrita(intento, t.insertTraspasoNoSerieTransito(detalles[i].id, serie, uNegocio)))
                return false;
    uTraspaso = id;
    uDocumentoTraspaso = numero;
    return true;
}

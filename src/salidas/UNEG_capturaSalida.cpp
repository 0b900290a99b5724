#include "salidas/UNEG_capturaSalida.h"

#include "comun/UNEG_almacenesLista.h"
#include "comun/UNEG_conceptosMovimiento.h"
#include "comun/UNEG_productos.h"
#include "comun/U_mensajes.h"
#include "comun/U_numeroCapturado.h"
#include "comun/U_productoSeleccionado.h"
#include "comun/U_utilerias.h"
#include "datos/UcodigosInventario.h"
#include "datos/UfechaHora.h"

namespace {

const QString kSeleccioneAlmacen = QStringLiteral("Seleccione un almacén");
const QString kSinCoincidencia = QStringLiteral("No se encontro coincidencia");
const QString kPreguntaDevolucion =
    QStringLiteral("Se eliminarán los productos capturados, unicamente es posible agregar un producto para "
                   "este concepto.\n\r¿Desea continuar?");
} // namespace

bool u_almacenesCaptura(TConexionSesion *sesion, int idNegocio, QVector<TalmacenSalida> &almacenes) {
    TalmacenesLista lista(sesion);
    const CmidTierResponse a = lista.selectAlmacenesSeleccion(QString(), idNegocio);
    almacenes.clear();
    for (int f = 0; a.isSuccess() && f < a.getRowCount(); ++f)
        almacenes.append({int(a.getCeldaAsInt(f, QStringLiteral("almacen_id"))),
                          a.getCelda(f, QStringLiteral("almacen_nombre")),
                          a.getCelda(f, QStringLiteral("almacen_direccion")),
                          a.getCelda(f, QStringLiteral("almacen_nota"))});
    return a.isSuccess();
}

QString u_ultimoMovimientoAlmacen(TConexionSesion *sesion, int idAlmacen, int idNegocio,
                                  QDateTime &fechaHora) {
    fechaHora = QDateTime();
    TmovimientosInventario mt(sesion);
    QVariant ultimo;
    if (!mt.selectFechaHoraUltimoMovimiento(idAlmacen, idNegocio, ultimo).isSuccess() || ultimo.isNull())
        return {};
    fechaHora = fechaHora::deValorBD(ultimo);
    return fechaHora.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

bool u_productoPorCodigoBarras(TConexionSesion *sesion, const QString &codigo, int idNegocio,
                               TproductoSeleccionadoDescripcion &producto) {
    producto = TproductoSeleccionadoDescripcion();
    const QString texto = codigo.trimmed();
    const CmidTierResponse r = texto.isEmpty()
                                   ? CmidTierResponse()
                                   : Tproductos(sesion).selectProductoByCodigoBarras(texto, idNegocio);
    if (r.isSuccess() && r.getRowCount() > 0)
        producto = u_productoDeFila(r, 0);
    else if (texto.isEmpty() || r.isSuccess())
        u_mensaje(kSinCoincidencia, kAdvertencia);
    return producto.seleccionado;
}

TcapturaSalidaAlmacen::TcapturaSalidaAlmacen(const TsistemaDatos &sistema)
    : uSistema(sistema), uDocumento(sistema.getConexion(), sistema.getNegocio().getIdNegocio()) {}

bool TcapturaSalidaAlmacen::cargaCatalogos() {
    const int negocio = uSistema.getNegocio().getIdNegocio();
    const bool almacenes = u_almacenesCaptura(uSistema.getConexion(), negocio, uAlmacenes);
    TconceptosMovimiento opciones(uSistema.getConexion());
    const CmidTierResponse c = opciones.selectMovimientoConcepto(kConceptoSalida, negocio);
    uConceptos.clear();
    for (int f = 0; c.isSuccess() && f < c.getRowCount(); ++f) {
        const int familia = int(c.getCeldaAsInt(f, QStringLiteral("inventarioMovimientoConcepto_familia")));
        // The system concepts (negative families) are written by transfers, never captured here.
        if (familia > 0)
            uConceptos.append({int(c.getCeldaAsInt(f, QStringLiteral("inventarioMovimientoConcepto_id"))),
                               c.getCelda(f, QStringLiteral("inventarioMovimientoConcepto_etiqueta")),
                               familia});
    }
    return almacenes && c.isSuccess();
}

const TalmacenSalida *TcapturaSalidaAlmacen::almacen() const {
    return uIndiceAlmacen >= 0 ? &uAlmacenes[uIndiceAlmacen] : nullptr;
}

bool TcapturaSalidaAlmacen::compruebaAlmacen() const {
    if (uIndiceAlmacen >= 0)
        return true;
    u_mensaje(kSeleccioneAlmacen, kAdvertencia);
    return false;
}

bool TcapturaSalidaAlmacen::eligeAlmacen(int indice) {
    if (indice == uIndiceAlmacen)
        return true;
    if (indice < 0 || indice >= uAlmacenes.size())
        return false;
    if (!lineas().isEmpty() && !u_confirmaAceptarCancelar(kPreguntaCambioAlmacen))
        return false;
    uIndiceAlmacen = uDocumento.setAlmacen(uAlmacenes[indice].id) ? indice : -1;
    leeUltimoMovimiento();
    if (esDevolucionCompra()) {
        // The receipt chosen belongs to the other warehouse: the return starts over.
        eligeConcepto(-1);
    } else if (hayProducto()) {
        uExistencia = uDocumento.consultaExistenciaArticulo(uProducto.productoId);
    }
    return uIndiceAlmacen == indice;
}

void TcapturaSalidaAlmacen::leeUltimoMovimiento() {
    uTextoUltimoMovimiento.clear();
    uFechaHoraUltimoMovimiento = QDateTime();
    if (uIndiceAlmacen >= 0)
        uTextoUltimoMovimiento =
            u_ultimoMovimientoAlmacen(uSistema.getConexion(), uAlmacenes[uIndiceAlmacen].id,
                                      uSistema.getNegocio().getIdNegocio(), uFechaHoraUltimoMovimiento);
}

TcambioConcepto TcapturaSalidaAlmacen::eligeConcepto(int indice) {
    const auto ninguno = [this] {
        uIndiceConcepto = -1;
        uDevolucion = UREC_seleccionarMovimiento();
        uDocumento.setConcepto(0);
    };
    if (indice < 0 || indice >= uConceptos.size()) {
        if (esDevolucionCompra())
            limpiaProducto();
        ninguno();
        return TcambioConcepto::Elegido;
    }
    const TconceptoSalida &concepto = uConceptos[indice];
    if (concepto.familia != kFamiliaOrdinaria && uIndiceAlmacen < 0) {
        u_mensaje(kSeleccioneAlmacen, kAdvertencia);
        ninguno();
        return TcambioConcepto::Rechazado;
    }
    if (concepto.familia == kFamiliaDevolucionCompra) {
        // The lines stay until the user agrees to a document of one returned receipt.
        if (!lineas().isEmpty() && !u_confirmaAceptarCancelar(kPreguntaDevolucion)) {
            ninguno();
            return TcambioConcepto::Rechazado;
        }
    }
    uIndiceConcepto = uDocumento.setConcepto(concepto.id) ? indice : -1;
    if (!admiteComprobante())
        uComprobante = UREC_comprobante();
    if (uIndiceConcepto < 0)
        return TcambioConcepto::Rechazado;
    return esDevolucionCompra() ? TcambioConcepto::Devolucion : TcambioConcepto::Elegido;
}

bool TcapturaSalidaAlmacen::areaProductoHabilitada() const {
    if (uIndiceAlmacen < 0 || uIndiceConcepto < 0)
        return false;
    return !esDevolucionCompra() || lineas().isEmpty();
}

UREC_seleccionarMovimiento TcapturaSalidaAlmacen::solicitudDevolucion() const {
    UREC_seleccionarMovimiento s;
    s.almacenID = uIndiceAlmacen >= 0 ? uAlmacenes[uIndiceAlmacen].id : 0;
    if (hayProducto()) {
        s.productoID = uProducto.productoId;
        s.productoNombre = uProducto.nombre;
    }
    return s;
}

bool TcapturaSalidaAlmacen::tomaDevolucion(const UREC_seleccionarMovimiento &respuesta) {
    const TproductoSeleccionadoDescripcion producto =
        respuesta.aceptar && respuesta.productoID > 0
            ? u_productoPorId(uSistema.getConexion(), respuesta.productoID,
                              uSistema.getNegocio().getIdNegocio())
            : TproductoSeleccionadoDescripcion();
    if (!esDevolucionCompra() || !producto.seleccionado) {
        eligeConcepto(-1);
        return false;
    }
    uDevolucion = respuesta;
    uDevolucion.almacenID = uAlmacenes[uIndiceAlmacen].id;
    return tomaProducto(producto);
}

bool TcapturaSalidaAlmacen::eligeProducto(const TproductoSeleccionadoDescripcion &producto) {
    return producto.seleccionado && compruebaAlmacen() && tomaProducto(producto);
}

bool TcapturaSalidaAlmacen::buscaCodigoBarras(const QString &codigo) {
    if (!compruebaAlmacen()) {
        u_mensaje(kSinCoincidencia, kAdvertencia);
        return false;
    }
    TproductoSeleccionadoDescripcion producto;
    if (u_productoPorCodigoBarras(uSistema.getConexion(), codigo, uSistema.getNegocio().getIdNegocio(),
                                  producto))
        return tomaProducto(producto);
    limpiaProducto();
    return false;
}

bool TcapturaSalidaAlmacen::tomaProducto(const TproductoSeleccionadoDescripcion &producto) {
    uProducto = producto;
    uExistencia = uDocumento.consultaExistenciaArticulo(producto.productoId);
    return true;
}

void TcapturaSalidaAlmacen::limpiaProducto() {
    uProducto = TproductoSeleccionadoDescripcion();
    uExistencia = 0;
}

QString TcapturaSalidaAlmacen::textoExistencia() const {
    if (!hayProducto())
        return {};
    return u_esPositivo(uExistencia) ? FloatToStr(uExistencia) : QStringLiteral("0");
}

TproductoSalida u_productoSalida(const TproductoSeleccionadoDescripcion &producto) {
    TproductoSalida p;
    p.id = producto.productoId;
    p.nombre = producto.nombre;
    p.unidadMedida = producto.unidadMedidaEtiqueta;
    p.categoria = producto.categoriaEtiqueta;
    p.codigoBarras = producto.codigoBarras;
    p.controlNoSerie = producto.opControladoNoSerie;
    return p;
}

RECnumerosSerie u_solicitudSeriesLinea(const TlineaSalida &l) {
    RECnumerosSerie solicitud;
    solicitud.productoID = l.producto.id;
    solicitud.productoNombre = l.producto.nombre;
    solicitud.entradaID = l.entradaID;
    solicitud.documento = l.documentoEntrada.toInt();
    solicitud.cantidad = l.cantidad;
    solicitud.seleccionados = l.series;
    solicitud.controlNoSerie = l.producto.controlNoSerie;
    return solicitud;
}

bool TcapturaSalidaAlmacen::agrega(const QString &cantidad) {
    if (!hayProducto() || !areaProductoHabilitada())
        return false;
    const TnumeroCapturado q =
        u_leeNumeroCapturado(cantidad, QStringLiteral("Cantidad"), TreglaNumero::Positivo);
    if (!q.ok) {
        u_mensaje(q.mensaje, kAdvertencia);
        return false;
    }
    // A refusal (beyond the stock, the minimum-stock alert declined) leaves the document as it was.
    bool agregado = false;
    if (esDevolucionCompra()) {
        if (!uDevolucion.aceptar || !u_esPositivo(uDevolucion.cantidadMaxima))
            return false;
        agregado = uDocumento.agregaProductoValoresExplicitos(
            u_productoSalida(uProducto), q.valor, uDevolucion.costoUnitario, uDevolucion.movimientoID,
            uDevolucion.cantidadMaxima);
    } else {
        agregado = uDocumento.agregaAlDocumento(u_productoSalida(uProducto), q.valor);
    }
    if (!agregado)
        return false;
    uProductos.insert(uProducto.productoId, uProducto);
    if (!esDevolucionCompra())
        limpiaProducto();
    return true;
}

QVector<QVariantHash> TcapturaSalidaAlmacen::filasGrid() const {
    QVector<QVariantHash> filas;
    for (const TlineaSalida &l : lineas()) {
        const TproductoSeleccionadoDescripcion p = uProductos.value(l.producto.id);
        filas.append({
            {QStringLiteral("Producto_id"), l.producto.id},
            {QStringLiteral("Producto"), l.producto.nombre},
            {QStringLiteral("Cantidad"), l.cantidad},
            {QStringLiteral("CostoU"), l.costoUnitario},
            {QStringLiteral("Total"), l.total},
            {QStringLiteral("_uniMedidaCatalogo_id"), p.unidadMedidaId},
            {QStringLiteral("UMedida"), l.producto.unidadMedida},
            {QStringLiteral("Categoria_id"), p.categoriaId},
            {QStringLiteral("Categoria"), l.producto.categoria},
            {QStringLiteral("CBarras"), l.producto.codigoBarras},
            {QStringLiteral("_entradasID"), l.entradaID},
            {QStringLiteral("_salidasCostoUnitario"), l.salidasCostoUnitario},
            {QStringLiteral("_existencia"), l.existencia},
            {QStringLiteral("_existenciaTotal"), l.existenciaTotal},
            {QStringLiteral("_existenciaCostoTotal"), l.existenciaCostoTotal},
            {QStringLiteral("_productoControlNumeroSerie"), l.producto.controlNoSerie},
            {QStringLiteral("_documentoID"), l.documentoEntrada},
        });
    }
    return filas;
}

QString TcapturaSalidaAlmacen::textoTotal() const {
    return u_formatoMoneda(uDocumento.total());
}

void TcapturaSalidaAlmacen::eliminaLinea(int fila) {
    uDocumento.eliminaLinea(fila);
}

QString TcapturaSalidaAlmacen::textoSeries(int fila) const {
    if (fila < 0 || fila >= lineas().size())
        return {};
    const TlineaSalida &l = lineas()[fila];
    if (l.producto.controlNoSerie <= 0)
        return QStringLiteral("No esta controlado");
    return QStringLiteral("capturados %1 de %2").arg(l.series.size()).arg(FloatToStr(l.cantidad));
}

bool TcapturaSalidaAlmacen::solicitudSeries(int fila, RECnumerosSerie &solicitud) const {
    if (fila < 0 || fila >= lineas().size())
        return false;
    const TlineaSalida &l = lineas()[fila];
    if (l.producto.controlNoSerie <= 0) {
        u_mensaje(QStringLiteral("El producto no esta controlado por números de serie"), kAdvertencia);
        return false;
    }
    if (!u_esPositivo(l.cantidad))
        return false;
    solicitud = u_solicitudSeriesLinea(l);
    return true;
}

void TcapturaSalidaAlmacen::setSeries(int fila, const Tespacios &series) {
    uDocumento.setSeries(fila, series);
}

bool TcapturaSalidaAlmacen::setComprobante(const UREC_comprobante &comprobante) {
    if (!comprobante.aceptar)
        return false;
    uDocumento.setComprobante(comprobante.comprobante);
    uComprobante = hayComprobante() ? comprobante : UREC_comprobante();
    return hayComprobante();
}

void TcapturaSalidaAlmacen::quitaComprobante() {
    uDocumento.setComprobante(TComprobante());
    uComprobante = UREC_comprobante();
}

bool TcapturaSalidaAlmacen::guardar(const QDateTime &fechaHora) {
    uDocumento.setFechaHora(fechaHora);
    if (uDocumento.guardar())
        return true;
    // Another workstation may have posted meanwhile: the screen shows the newest movement.
    leeUltimoMovimiento();
    return false;
}

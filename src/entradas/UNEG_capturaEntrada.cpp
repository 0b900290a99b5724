#include "entradas/UNEG_capturaEntrada.h"

#include "comun/UNEG_almacenesLista.h"
#include "comun/UNEG_catalogo.h"
#include "comun/UNEG_conceptosMovimiento.h"
#include "comun/UNEG_productos.h"
#include "comun/U_mensajes.h"
#include "comun/U_productoSeleccionado.h"
#include "comun/U_utilerias.h"
#include "datos/UcodigosInventario.h"
#include "datos/UfechaHora.h"
#include "entradas/UNEG_documentoEntrada.h"
#include "entradas/UNEG_entradaCfdi.h"
#include "entradas/UNEG_entradas.h"

#include <cmath>

namespace {
const QString kFactorInicial = QStringLiteral("1.0000");
const QString kCantidadMayorACero = QStringLiteral("Cantidad recibida debe ser mayor a 0");

TrenglonArmado rechazo(const QString &mensaje) {
    TrenglonArmado r;
    r.mensaje = mensaje;
    return r;
}

// A factor typed empty counts as 1.
TnumeroCapturado leeFactor(const QString &factor) {
    if (factor.trimmed().isEmpty())
        return {true, 1.0, {}};
    return u_leeNumeroCapturado(factor, QStringLiteral("Factor de Conversión"), TreglaNumero::Positivo);
}
} // namespace

int TrenglonCaptura::seriesRequeridas() const {
    return int(cantidad + kToleranciaCantidad);
}

bool TrenglonCaptura::seriesCompletas() const {
    return controlNoSerie != 1 || informacion.noSerie.size() >= seriesRequeridas();
}

QString u_factorConversion(const TproductoSeleccionadoDescripcion &producto,
                           const REC_unidadMedidacomunicacion &recibida, const QString &actual) {
    if (producto.unidadMedidaConjunto < 1 || producto.unidadMedidaConjunto != recibida.conjunto ||
        !u_esPositivo(producto.unidadMedidaRelacion) || !std::isfinite(recibida.relacion))
        return actual;
    return FloatToStr(recibida.relacion / producto.unidadMedidaRelacion);
}

TnumeroCapturado u_cantidadRegistrada(const QString &cantidad, const QString &factor) {
    TnumeroCapturado q = u_leeNumeroCapturado(cantidad.trimmed().isEmpty() ? QStringLiteral("0") : cantidad,
                                              QStringLiteral("Cantidad"), TreglaNumero::CeroOPositivo);
    if (!q.ok)
        return q;
    const TnumeroCapturado f = leeFactor(factor);
    if (!f.ok)
        return f;
    TnumeroCapturado r;
    r.valor = q.valor * f.valor;
    if (!u_esPositivo(r.valor))
        r.mensaje = kCantidadMayorACero;
    else if (r.valor > kNumeroCapturadoMaximo)
        r.mensaje = QStringLiteral("El valor de Cantidad Registrada es demasiado grande.");
    else
        r.ok = true;
    return r;
}

bool u_excedeDevolucion(const QString &cantidad, double maximo) {
    const TnumeroCapturado q =
        u_leeNumeroCapturado(cantidad, QStringLiteral("Cantidad"), TreglaNumero::CeroOPositivo);
    return q.ok && u_esPositivo(q.valor - maximo);
}

TrenglonArmado u_armaRenglon(const TproductoSeleccionadoDescripcion &producto,
                             const REC_unidadMedidacomunicacion &recibida, const TpieCaptura &pie) {
    if (recibida.id < 0)
        return rechazo(QStringLiteral("Seleccione unidad de medida recibido."));
    const TnumeroCapturado registrada = u_cantidadRegistrada(pie.cantidad, pie.factor);
    if (!registrada.ok)
        return rechazo(registrada.mensaje);
    const TnumeroCapturado factor = leeFactor(pie.factor);
    const TnumeroCapturado costo =
        u_leeNumeroCapturado(pie.costo, QStringLiteral("Costo Unitario"), TreglaNumero::CeroOPositivo);
    if (!costo.ok)
        return rechazo(costo.mensaje);
    TrenglonArmado r;
    TrenglonCaptura &l = r.renglon;
    l.productoID = producto.productoId;
    l.producto = producto.nombre;
    l.cantidad = registrada.valor;
    l.costoUnitario = costo.valor / factor.valor;
    l.total = l.costoUnitario * l.cantidad;
    if (l.total > kNumeroCapturadoMaximo)
        return rechazo(QStringLiteral("El total del artículo es demasiado grande."));
    l.unidadRecibidaID = recibida.id;
    l.unidadCatalogoID = producto.unidadMedidaId;
    l.unidadEtiqueta = producto.unidadMedidaEtiqueta;
    l.categoriaID = producto.categoriaId;
    l.categoriaEtiqueta = producto.categoriaEtiqueta;
    l.codigoBarras = producto.codigoBarras;
    l.factor = pie.factor.trimmed().isEmpty() ? kFactorInicial : pie.factor.trimmed();
    l.controlNoSerie = producto.opControladoNoSerie;
    r.ok = true;
    return r;
}

TlineaEntrada u_lineaDocumento(const TrenglonCaptura &renglon) {
    TlineaEntrada l;
    l.productoID = renglon.productoID;
    l.producto = renglon.producto;
    l.cantidad = FloatToStr(renglon.cantidad);
    l.costoUnitario = renglon.costoUnitario;
    l.unidadRecibidaID = renglon.unidadRecibidaID;
    l.factorConversion = leeFactor(renglon.factor).valor;
    l.controlNoSerie = renglon.controlNoSerie;
    l.informacion = renglon.informacion;
    return l;
}

QString u_textoUltimoMovimiento(TConexionSesion *sesion, int idAlmacen, int idNegocio) {
    QVariant v;
    const bool ok = Tentradas(sesion).selectFechaHoraUltimoMovimiento(idAlmacen, idNegocio, v).isSuccess();
    return ok && !v.isNull() ? fechaHora::deValorBD(v).toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"))
                             : QString();
}

TcapturaEntrada::TcapturaEntrada(TConexionSesion *sesion, int idNegocio)
    : uSesion(sesion), uNegocio(idNegocio) {}

bool TcapturaEntrada::reinicia() {
    const CmidTierResponse conceptos =
        TconceptosMovimiento(uSesion).selectMovimientoConcepto(kConceptoEntrada, uNegocio);
    uConceptos.clear();
    for (int f = 0; conceptos.isSuccess() && f < conceptos.getRowCount(); ++f) {
        TopcionCaptura c;
        c.id = int(conceptos.getCeldaAsInt(f, QStringLiteral("inventarioMovimientoConcepto_id")));
        c.etiqueta = conceptos.getCelda(f, QStringLiteral("inventarioMovimientoConcepto_etiqueta"));
        c.familia = int(conceptos.getCeldaAsInt(f, QStringLiteral("inventarioMovimientoConcepto_familia")));
        if (c.familia == kFamiliaOrdinaria || c.familia == kFamiliaDevolucionSalida)
            uConceptos.append(c);
    }
    const CmidTierResponse almacenes = TalmacenesLista(uSesion).selectAlmacenesSeleccion({}, uNegocio);
    uAlmacenes.clear();
    for (int f = 0; almacenes.isSuccess() && f < almacenes.getRowCount(); ++f) {
        TopcionCaptura a;
        a.id = int(almacenes.getCeldaAsInt(f, QStringLiteral("almacen_id")));
        a.etiqueta = almacenes.getCelda(f, QStringLiteral("almacen_nombre"));
        a.direccion = almacenes.getCelda(f, QStringLiteral("almacen_direccion"));
        a.nota = almacenes.getCelda(f, QStringLiteral("almacen_nota"));
        uAlmacenes.append(a);
    }
    uIndiceAlmacen = uIndiceConcepto = uConceptoAnterior = -1;
    uTextoUltimoMovimiento.clear();
    uModoDevolucion = false;
    limpiaProducto();
    uPie = {};
    uTextoCantidadRegistrada.clear();
    limpiaComprobanteYProveedor();
    uRfcCfdi.clear();
    uComprobanteCfdi = 0;
    vaciaRenglones();
    return conceptos.isSuccess() && almacenes.isSuccess();
}

void TcapturaEntrada::eligeAlmacen(int indice) {
    uIndiceAlmacen = indice >= 0 && indice < uAlmacenes.size() ? indice : -1;
    const int id = almacen().id;
    uTextoUltimoMovimiento = id > 0 ? u_textoUltimoMovimiento(uSesion, id, uNegocio) : QString();
}

bool TcapturaEntrada::esDevolucion() const {
    const TopcionCaptura c = concepto();
    return c.id > 0 && c.familia != kFamiliaOrdinaria;
}

bool TcapturaEntrada::admiteComprobante() const {
    const QString etiqueta = concepto().etiqueta;
    return etiqueta != QLatin1String("ajustes") && etiqueta != QStringLiteral("entrada de fabricación");
}

bool TcapturaEntrada::agregarLibre() const {
    return !(concepto().familia == kFamiliaDevolucionSalida && !uRenglones.isEmpty());
}

bool TcapturaEntrada::eligeConcepto(int indice) {
    const bool eraDevolucion = uModoDevolucion;
    uModoDevolucion = false;
    uIndiceConcepto = indice >= 0 && indice < uConceptos.size() ? indice : -1;
    if (!admiteComprobante())
        limpiaComprobanteYProveedor();
    if (eraDevolucion)
        limpiaProducto(); // a product taken from an issue belongs to that return only
    if (!esDevolucion()) {
        uConceptoAnterior = uIndiceConcepto;
        return true;
    }
    if (almacen().id <= 0) {
        u_mensaje(QStringLiteral("Seleccione un almacén"), kAdvertencia);
        uIndiceConcepto = -1;
        return false;
    }
    if (!uRenglones.isEmpty()) {
        if (!u_confirmaAceptarCancelar(QStringLiteral(
                "Se eliminarán los productos capturados, unicamente es posible agregar un producto "
                "para este concepto.\n\r¿Desea continuar?"))) {
            uIndiceConcepto = uConceptoAnterior;
            uModoDevolucion = eraDevolucion && esDevolucion();
            return false;
        }
        vaciaRenglones();
    }
    uModoDevolucion = true;
    limpiaProducto();
    uPie.cantidad.clear();
    uPie.costo.clear();
    uTextoCantidadRegistrada.clear();
    uConceptoAnterior = uIndiceConcepto;
    return true;
}

namespace {
// Only an active product may be received; otherwise the user is told.
bool recibible(const TproductoSeleccionadoDescripcion &producto) {
    if (producto.estatus == 1)
        return true;
    u_mensaje(QStringLiteral("¡Producto ") + producto.nombre + QStringLiteral("!") + QStringLiteral("\r") +
                  QStringLiteral("No se puede agregar este producto"),
              kAdvertencia);
    return false;
}
} // namespace

bool TcapturaEntrada::tomaProducto(const TproductoSeleccionadoDescripcion &producto) {
    if (!producto.seleccionado || !recibible(producto))
        return false;
    uProducto = producto;
    uPie.factor = u_factorConversion(uProducto, uUnidadRecibida, uPie.factor);
    return true;
}

bool TcapturaEntrada::tomaCodigoBarras(const QString &codigo) {
    const TproductoSeleccionadoDescripcion producto = productoPorCodigo(codigo);
    if (!producto.seleccionado) {
        limpiaProducto();
        u_mensaje(QStringLiteral("No se encontro coincidencia"), kAdvertencia);
        return false;
    }
    return tomaProducto(producto);
}

bool TcapturaEntrada::tomaUnidadRecibida(const REC_unidadMedidacomunicacion &unidad) {
    if (!unidad.aceptado)
        return false;
    uUnidadRecibida = unidad;
    uPie.factor = u_factorConversion(uProducto, uUnidadRecibida, uPie.factor);
    return true;
}

UREC_seleccionarMovimiento TcapturaEntrada::solicitudDevolucion() const {
    UREC_seleccionarMovimiento solicitud;
    solicitud.almacenID = almacen().id;
    return solicitud;
}

bool TcapturaEntrada::tomaMovimiento(const UREC_seleccionarMovimiento &movimiento) {
    if (!movimiento.aceptar || movimiento.productoID <= 0)
        return false;
    const TproductoSeleccionadoDescripcion producto = productoPorId(movimiento.productoID);
    if (!producto.seleccionado)
        return false;
    uProducto = producto;
    uProducto.opControladoNoSerie = movimiento.controlNoSerie;
    uUnidadRecibida = {true, producto.unidadMedidaId, producto.unidadMedidaEtiqueta,
                       producto.unidadMedidaConjunto, producto.unidadMedidaRelacion};
    uCantidadMaximaDevolucion = movimiento.cantidadMaxima;
    uMovimientoSalidaDevolucion = movimiento.movimientoID;
    uPie = {FloatToStr(movimiento.cantidadMaxima), kFactorInicial, FloatToStr(movimiento.costoUnitario)};
    calculaCantidadRegistrada();
    return true;
}

void TcapturaEntrada::limpiaProducto() {
    uProducto = {};
    uUnidadRecibida = {};
    uCantidadMaximaDevolucion = 0;
    uPie.factor = kFactorInicial;
}

bool TcapturaEntrada::calculaCantidadRegistrada() {
    const TnumeroCapturado registrada = u_cantidadRegistrada(uPie.cantidad, uPie.factor);
    uTextoCantidadRegistrada = registrada.ok ? FloatToStr(registrada.valor) : QString();
    if (!registrada.ok)
        u_mensaje(registrada.mensaje, kAdvertencia);
    return registrada.ok;
}

TpasoAgregar TcapturaEntrada::agrega() {
    const bool sinCantidad = uPie.cantidad.trimmed().isEmpty();
    if (!sinCantidad && esDevolucion() && u_esPositivo(uCantidadMaximaDevolucion) &&
        u_excedeDevolucion(uPie.cantidad, uCantidadMaximaDevolucion)) {
        u_mensaje(QStringLiteral("Capture una cantidad igual o menor a ") +
                      FloatToStr(uCantidadMaximaDevolucion),
                  kAdvertencia);
        uPie.cantidad = FloatToStr(uCantidadMaximaDevolucion);
        return TpasoAgregar::Rechazado;
    }
    // An empty quantity is asked for, as an empty cost is, before the registered quantity is worked out.
    if (uProducto.productoId > 0 && uUnidadRecibida.id >= 0 && sinCantidad)
        return TpasoAgregar::PideCantidad;
    if (!calculaCantidadRegistrada() || uProducto.productoId <= 0)
        return TpasoAgregar::Rechazado;
    if (uUnidadRecibida.id < 0) {
        u_mensaje(QStringLiteral("Seleccione unidad de medida recibido."), kAdvertencia);
        return TpasoAgregar::Rechazado;
    }
    if (uPie.costo.trimmed().isEmpty())
        return TpasoAgregar::PideCosto;
    if (uPie.factor.trimmed().isEmpty())
        uPie.factor = kFactorInicial;
    const TrenglonArmado armado = u_armaRenglon(uProducto, uUnidadRecibida, uPie);
    if (!armado.ok) {
        u_mensaje(armado.mensaje, kAdvertencia);
        return TpasoAgregar::Rechazado;
    }
    if (!aceptaStockMaximo(armado.renglon))
        return TpasoAgregar::Rechazado;
    uRenglones.append(armado.renglon);
    limpiaProducto();
    uPie.cantidad.clear();
    uPie.costo.clear();
    uTextoCantidadRegistrada.clear();
    return TpasoAgregar::Agregado;
}

TproductoSeleccionadoDescripcion TcapturaEntrada::productoPorCodigo(const QString &codigo) const {
    if (codigo.trimmed().isEmpty())
        return {};
    const CmidTierResponse r = Tproductos(uSesion).selectProductoByCodigoBarras(codigo.trimmed(), uNegocio);
    if (!r.isSuccess() || r.getRowCount() == 0)
        return {};
    return u_productoDeFila(r, 0);
}

TproductoSeleccionadoDescripcion TcapturaEntrada::productoPorId(int idProducto) const {
    return u_productoPorId(uSesion, idProducto, uNegocio);
}

bool TcapturaEntrada::categoriaConPropiedades(const QString &categoria) {
    if (categoria.isEmpty())
        return false;
    auto it = uPropiedadesAdicionales.constFind(categoria);
    if (it != uPropiedadesAdicionales.constEnd())
        return it.value();
    const CmidTierResponse r = Tcatalogo(uSesion).selectCategoriaPropiedades(categoria, uNegocio);
    if (!r.isSuccess())
        return false; // not remembered: asked again next time
    const bool tiene = r.getRowCount() > 0;
    uPropiedadesAdicionales.insert(categoria, tiene);
    return tiene;
}

bool TcapturaEntrada::aceptaStockMaximo(const TrenglonCaptura &renglon) const {
    const int idAlmacen = almacen().id;
    const CmidTierResponse limites = Tproductos(uSesion).selectStockProducto(renglon.productoID, uNegocio);
    double maximo = -1;
    for (int f = 0; limites.isSuccess() && f < limites.getRowCount(); ++f) {
        if (limites.getCeldaAsInt(f, QStringLiteral("almacen_id")) == idAlmacen &&
            !limites.getCelda(f, QStringLiteral("inventarioStock_maximo")).isEmpty())
            maximo = limites.getCeldaAsFloat(f, QStringLiteral("inventarioStock_maximo"));
    }
    if (!u_esPositivo(maximo))
        return true;
    TexistenciaAlmacen fila;
    Tentradas(uSesion).selectExistencia(idAlmacen, renglon.productoID, uNegocio, fila);
    double existencia = fila.existencia;
    // Lines of the same product already in this document count as received.
    for (const TrenglonCaptura &r : uRenglones)
        if (r.productoID == renglon.productoID)
            existencia += r.cantidad;
    if (!u_esPositivo(existencia + renglon.cantidad - maximo))
        return true;
    TalertaStock alerta;
    alerta.maximo = true;
    alerta.almacen = almacen().etiqueta;
    alerta.producto = renglon.producto;
    alerta.cantidad = FloatToStr(renglon.cantidad);
    alerta.limite = FloatToStr(maximo);
    return u_alertaStock(alerta);
}

void TcapturaEntrada::elimina(int fila) {
    if (fila < 0 || fila >= uRenglones.size())
        return;
    uRenglones.removeAt(fila);
    uSeleccion = uRenglones.isEmpty() ? -1 : qMin(fila, int(uRenglones.size()) - 1);
}

void TcapturaEntrada::selecciona(int fila) {
    if (fila >= 0 && fila < uRenglones.size())
        uSeleccion = fila;
}

TestadoRenglon TcapturaEntrada::estadoSeleccion() const {
    if (uSeleccion < 0 || uSeleccion >= uRenglones.size())
        return {};
    const TEntradaInformacionOpcional &i = uRenglones[uSeleccion].informacion;
    TestadoRenglon e;
    e.pedimento = i.pedimento.capturado();
    e.lote = i.lote.capturado();
    e.noSerie = !i.noSerie.isEmpty();
    for (const QString &valor : i.propiedadesAdicionales)
        e.propiedades = e.propiedades || !valor.isEmpty();
    return e;
}

void TcapturaEntrada::setInformacion(const TEntradaInformacionOpcional &informacion) {
    if (uSeleccion >= 0 && uSeleccion < uRenglones.size())
        uRenglones[uSeleccion].informacion = informacion;
}

bool TcapturaEntrada::renglonPorRelacionar(int fila) const {
    return fila >= 0 && fila < uRenglones.size() &&
           (uRenglones[fila].productoID <= 0 || !uRenglones[fila].claveProveedor.isEmpty());
}

bool TcapturaEntrada::relacionaRenglon(int fila, const TproductoSeleccionadoDescripcion &producto) {
    if (fila < 0 || fila >= uRenglones.size() || !producto.seleccionado || !recibible(producto))
        return false;
    const TrenglonArmado armado = u_relacionaRenglonCfdi(uRenglones[fila], producto);
    if (!armado.ok) {
        u_mensaje(armado.mensaje, kAdvertencia);
        return false;
    }
    if (!aceptaStockMaximo(armado.renglon))
        return false;
    uRenglones[fila] = armado.renglon;
    return true;
}

bool TcapturaEntrada::preparaComprobante() {
    if (uProveedor.id > 0 &&
        !u_confirmaAceptarCancelar(QStringLiteral(
            "Seleccionar un comprobante eliminará la selección del proveedor actual.\r¿Desea continuar?")))
        return false;
    limpiaComprobanteYProveedor();
    return true;
}

bool TcapturaEntrada::preparaProveedor() {
    if (uComprobante.id > 0 &&
        !u_confirmaAceptarCancelar(QStringLiteral("Seleccionar un proveedor manualmente eliminará la "
                                                  "selección del comprobante actual.\r¿Desea continuar?")))
        return false;
    limpiaComprobanteYProveedor();
    return true;
}

void TcapturaEntrada::tomaComprobante(const UREC_comprobante &comprobante) {
    if (!comprobante.aceptar)
        return;
    limpiaComprobanteYProveedor();
    uComprobante = comprobante;
}

void TcapturaEntrada::tomaProveedor(const Rproveedor &proveedor) {
    if (!proveedor.aceptado)
        return;
    limpiaComprobanteYProveedor();
    uProveedor = proveedor;
}

void TcapturaEntrada::limpiaComprobanteYProveedor() {
    uComprobante = {};
    uProveedor = {};
}

bool TcapturaEntrada::tomaCfdi(const QString &ruta) {
    if (uModoDevolucion || !areaProductoHabilitada() || !admiteComprobante()) {
        u_mensaje(QStringLiteral("Seleccione un almacén y un concepto de compra antes de leer un CFDI."),
                  kAdvertencia);
        return false;
    }
    const TlecturaCfdi lectura = u_leeCfdiArchivo(ruta);
    if (!lectura.ok()) {
        u_mensaje(lectura.error, kAdvertencia);
        return false;
    }
    const TentradaCfdi cfdi(uSesion, uNegocio);
    TllenadoCfdi llenado = cfdi.llena(lectura.cfdi);
    if (!llenado.error.isEmpty()) {
        u_mensaje(llenado.error, kAdvertencia);
        return false;
    }
    if (!uRenglones.isEmpty() &&
        !u_confirmaAceptarCancelar(
            QStringLiteral("Los productos capturados se reemplazarán por los del CFDI.\r¿Desea continuar?")))
        return false;
    vaciaRenglones();
    limpiaComprobanteYProveedor();
    if (llenado.proveedor.id <= 0 &&
        u_confirmaSiNo(
            QStringLiteral("El proveedor \"%1\" (RFC %2) no está registrado.\r¿Desea darlo de alta?")
                .arg(llenado.proveedor.nombre, llenado.proveedor.rfc))) {
        QString error;
        llenado.proveedor.id = cfdi.creaProveedor(llenado.proveedor, error);
        if (!error.isEmpty())
            u_mensaje(error, kAdvertencia);
    }
    if (llenado.comprobante.valido())
        tomaComprobante(u_recComprobante(llenado.comprobante));
    else if (llenado.proveedor.id > 0)
        tomaProveedor({true, llenado.proveedor.id, llenado.proveedor.nombre, llenado.proveedor.rfc});
    uRfcCfdi = lectura.cfdi.emisorRfc;
    uComprobanteCfdi = llenado.comprobante.idComprobante;
    for (const TrenglonCaptura &r : llenado.renglones)
        if (r.productoID <= 0 || aceptaStockMaximo(r))
            uRenglones.append(r);
    if (!llenado.aviso().isEmpty())
        u_mensaje(llenado.aviso(), kInformacion);
    return true;
}

void TcapturaEntrada::vaciaRenglones() {
    uRenglones.clear();
    uSeleccion = -1;
}

TdatosEntrada TcapturaEntrada::documento(TdatosEntrada cabecera) const {
    cabecera.lineas.clear();
    for (const TrenglonCaptura &r : uRenglones)
        cabecera.lineas.append(u_lineaDocumento(r));
    return cabecera;
}

bool TcapturaEntrada::guardar(const QDateTime &fechaHora) const {
    TdatosEntrada cabecera;
    cabecera.almacenID = almacen().id;
    cabecera.conceptoID = concepto().id;
    cabecera.fechaHora = fechaHora;
    cabecera.comprobante = uComprobante.id > 0 ? uComprobante.comprobante : TComprobante();
    cabecera.proveedorID = uProveedor.id;
    cabecera.movimientoSalidaIDdevolucion = esDevolucion() ? uMovimientoSalidaDevolucion : 0;
    TdocumentoEntrada documento(uSesion, uNegocio);
    documento.datos() = this->documento(cabecera);
    if (!uRfcCfdi.isEmpty())
        documento.setEscrituraAdicional(u_escrituraCfdi(
            uNegocio, uComprobante.id == uComprobanteCfdi ? uComprobanteCfdi : 0, uRfcCfdi, uRenglones));
    return documento.guardar();
}

#include "salidas/UNEG_documentoSalida.h"

#include "comun/UNEG_almacen.h"
#include "comun/U_mensajes.h"
#include "comun/U_numeroCapturado.h"
#include "comun/U_posteoMovimientos.h"
#include "comun/U_utilerias.h"
#include "datos/UcodigosInventario.h"
#include "datos/UfechaHora.h"
#include "salidas/UNEG_posteoSalida.h"
#include "salidas/UNEG_repartoCapas.h"
#include "salidas/UNEG_salidas.h"

#include <cmath>

namespace {

const QString kSeleccioneAlmacen = QStringLiteral("Seleccione un almacén");
const QString kSobrepasaExistencia = QStringLiteral("La cantidad capturada sobrepasa la existencia actual");

// A quantity the logic accepts: a finite positive number within what can be typed.
bool cantidadValida(double cantidad) {
    return std::isfinite(cantidad) && u_esPositivo(cantidad) && cantidad <= kNumeroCapturadoMaximo;
}

} // namespace

TdocumentoSalida::TdocumentoSalida(TConexionSesion *sesion, int idNegocio) : uSesion(sesion) {
    uDatos.negocioID = idNegocio;
    Talmacen almacen(sesion);
    uDatos.metodoKardex = int(almacen.selectMetodoKardex(idNegocio).getScalarAsInt());
}

bool TdocumentoSalida::setAlmacen(int idAlmacen) {
    if (idAlmacen != uDatos.almacenID)
        uDatos.lineas.clear();
    TmovimientosInventario mt(uSesion);
    const QVariant nombre = mt.selectNombreAlmacen(idAlmacen, uDatos.negocioID);
    uDatos.almacenID = nombre.isNull() ? 0 : idAlmacen;
    uDatos.almacenNombre = nombre.toString();
    return uDatos.almacenID > 0;
}

bool TdocumentoSalida::setConcepto(int idConcepto) {
    const bool eraDevolucion = esDevolucionCompra();
    TmovimientosInventario mt(uSesion);
    TconceptoMovimiento concepto = mt.selectConcepto(idConcepto, uDatos.negocioID);
    if (concepto.direccion != kConceptoSalida)
        concepto = TconceptoMovimiento();
    uDatos.concepto = concepto;
    if (eraDevolucion != esDevolucionCompra())
        uDatos.lineas.clear();
    if (esMuestras())
        uDatos.comprobante = TComprobante();
    return concepto.valido();
}

bool TdocumentoSalida::esMuestras() const {
    return uDatos.concepto.valido() &&
           uDatos.concepto.etiqueta.trimmed().compare(QStringLiteral("muestras"), Qt::CaseInsensitive) == 0;
}

void TdocumentoSalida::setComprobante(const TComprobante &comprobante) {
    const bool delNegocio = comprobante.valido() && comprobante.idNegocio == uDatos.negocioID;
    uDatos.comprobante = delNegocio && !esMuestras() ? comprobante : TComprobante();
}

double TdocumentoSalida::total() const {
    double suma = 0;
    for (const TlineaSalida &l : uDatos.lineas)
        suma += l.total;
    return suma;
}

void TdocumentoSalida::eliminaLinea(int fila) {
    if (fila < 0 || fila >= uDatos.lineas.size())
        return;
    uDatos.lineas.remove(fila);
}

bool TdocumentoSalida::setSeries(int fila, const QVector<int> &series) {
    if (fila < 0 || fila >= uDatos.lineas.size())
        return false;
    TlineaSalida &linea = uDatos.lineas[fila];
    const int admitidas = int(std::floor(linea.cantidad + kToleranciaCantidad));
    QVector<int> unicas;
    for (const int id : series)
        if (!unicas.contains(id) && unicas.size() < admitidas)
            unicas.append(id);
    linea.series = unicas;
    return true;
}

double TdocumentoSalida::consultaExistenciaArticulo(int idProducto) const {
    return instantanea(idProducto).existencia;
}

double TdocumentoSalida::consultaStockMinimo(int idProducto) const {
    double minimo = -1;
    TmovimientosInventario(uSesion).stockMinimo(uDatos.almacenID, idProducto, uDatos.negocioID, minimo);
    return minimo;
}

double TdocumentoSalida::obtenerPrecioUnitarioPromedioPonderado(int idProducto) const {
    TsaldoMovimiento saldo;
    TmovimientosInventario(uSesion).selectSaldoUltimoMovimiento(idProducto, uDatos.almacenID,
                                                                uDatos.negocioID, saldo);
    return saldo.costoUnitario;
}

TinstantaneaExistencia TdocumentoSalida::instantanea(int idProducto) const {
    TmovimientosInventario mt(uSesion);
    TexistenciaAlmacen existencia;
    TsaldoMovimiento saldo;
    mt.selectExistencia(uDatos.almacenID, idProducto, uDatos.negocioID, existencia);
    mt.selectSaldoUltimoMovimiento(idProducto, uDatos.almacenID, uDatos.negocioID, saldo);
    return {existencia.existe, existencia.existencia, saldo.costoTotal};
}

void TdocumentoSalida::quitaLineasDe(int idProducto) {
    for (int i = uDatos.lineas.size() - 1; i >= 0; --i)
        if (uDatos.lineas[i].producto.id == idProducto)
            uDatos.lineas.remove(i);
}

bool TdocumentoSalida::agregaAlDocumento(const TproductoSalida &producto, double cantidad) {
    if (uDatos.almacenID <= 0) {
        u_mensaje(kSeleccioneAlmacen, kAdvertencia);
        return false;
    }
    if (esDevolucionCompra() || !cantidadValida(cantidad))
        return false;
    double previa = 0;
    for (const TlineaSalida &l : std::as_const(uDatos.lineas))
        if (l.producto.id == producto.id)
            previa += l.cantidad;
    const double q = cantidad + previa;
    const double existencia = consultaExistenciaArticulo(producto.id);
    if (u_esPositivo(q - existencia)) {
        u_mensaje(kSobrepasaExistencia, kAdvertencia);
        return false;
    }
    const double minimo = consultaStockMinimo(producto.id);
    if (existencia - q < minimo &&
        !u_alertaStock({false, uDatos.almacenNombre, producto.nombre, FloatToStr(q), FloatToStr(minimo)}))
        return false;
    // The product's lines go only once its new split is there: a refusal leaves the document as it was.
    return reemplazaProducto(producto, q);
}

bool TdocumentoSalida::agregarProducto(const TproductoSalida &producto, double cantidad) {
    return reparte(producto, cantidad, false);
}

bool TdocumentoSalida::reemplazaProducto(const TproductoSalida &producto, double cantidad) {
    return reparte(producto, cantidad, true);
}

bool TdocumentoSalida::reparte(const TproductoSalida &producto, double cantidad, bool reemplaza) {
    if (uDatos.almacenID <= 0) {
        u_mensaje(kSeleccioneAlmacen, kAdvertencia);
        return false;
    }
    if (!cantidadValida(cantidad))
        return false;
    TmovimientosInventario mt(uSesion);
    TexistenciaProducto existencia;
    if (!u_leeExistenciaProducto(mt, uDatos.almacenID, producto.id, uDatos.negocioID,
                                 uDatos.metodoKardex != kMetodoPEPS, existencia))
        return false;
    QVector<TlineaSalida> nuevas;
    if (!u_reparteEnCapas(producto, cantidad, existencia, uDatos.metodoKardex != kMetodoPEPS, nuevas)) {
        u_mensaje(kSobrepasaExistencia, kAdvertencia);
        return false;
    }
    if (reemplaza)
        quitaLineasDe(producto.id);
    uDatos.lineas += nuevas;
    return true;
}

bool TdocumentoSalida::agregaProductoValoresExplicitos(const TproductoSalida &producto, double cantidad,
                                                       double costo, int idEntrada, double maximo) {
    if (uDatos.almacenID <= 0) {
        u_mensaje(kSeleccioneAlmacen, kAdvertencia);
        return false;
    }
    if (!esDevolucionCompra() || !cantidadValida(cantidad) || !std::isfinite(costo) || costo < 0 ||
        !std::isfinite(maximo) || !u_esPositivo(maximo))
        return false;
    if (u_esPositivo(cantidad - maximo)) {
        u_mensaje(QStringLiteral("La cantidad debe ser igual o menor a ") + FloatToStr(maximo), kAdvertencia);
        return false;
    }
    uDatos.lineas = {u_lineaDevolucion(producto, cantidad, costo, idEntrada, maximo, instantanea(producto.id),
                                       uDatos.metodoKardex != kMetodoPEPS)};
    return true;
}

int TdocumentoSalida::obtieneSiguenteIDdocumentoSalida() const {
    Tsalidas salidas(uSesion);
    return int(salidas.selectUltimoIdDocumentoSalida(uDatos.negocioID).getScalarAsInt()) + 1;
}

// Asks product by product until the user declines; `leido` false when a lookup failed. The
// product's whole quantity in the document counts, not each layer's share of it.
bool TdocumentoSalida::compruebaStockMinimo(bool &leido) {
    TmovimientosInventario mt(uSesion);
    leido = true;
    for (int i = 0; i < uDatos.lineas.size(); ++i) {
        const TproductoSalida &producto = uDatos.lineas[i].producto;
        if (i > 0 && uDatos.lineas[i - 1].producto.id == producto.id)
            continue;
        double cantidad = 0;
        for (int j = i; j < uDatos.lineas.size() && uDatos.lineas[j].producto.id == producto.id; ++j)
            cantidad += uDatos.lineas[j].cantidad;
        double existencia = 0, minimo = -1;
        leido = mt.existenciaYMinimo(uDatos.almacenID, producto.id, uDatos.negocioID, existencia, minimo)
                    .isSuccess();
        if (!leido)
            return false;
        if (existencia - cantidad < minimo && !u_alertaStock({false, uDatos.almacenNombre, producto.nombre,
                                                              FloatToStr(cantidad), FloatToStr(minimo)}))
            return false;
    }
    return true;
}

bool TdocumentoSalida::compruebaDocumento() {
    if (uDatos.lineas.isEmpty()) {
        u_mensaje(QStringLiteral("Agregue al menos un producto a la salida."), kAdvertencia);
        return false;
    }
    // Read again when it was not there: set since the screen opened, or the read had failed.
    if (uDatos.metodoKardex < 1) {
        const CmidTierResponse metodo = Talmacen(uSesion).selectMetodoKardex(uDatos.negocioID);
        if (!metodo.isSuccess()) {
            u_avisaNoGuardado(uSesion);
            return false;
        }
        uDatos.metodoKardex = int(metodo.getScalarAsInt());
    }
    if (uDatos.metodoKardex < 1) {
        u_mensaje(
            QStringLiteral("El metodo de Valuación de Kardex no ha sido establecido, ingrese a la ventana "
                           "de 'Opciones' y seleccione un Método de Valoración para el inventario."),
            kAdvertencia);
        return false;
    }
    if (uDatos.almacenID <= 0) {
        u_mensaje(kSeleccioneAlmacen, kAdvertencia);
        return false;
    }
    if (!uDatos.comprobante.valido() && !esEnvioTraspaso() &&
        !u_confirmaAceptarCancelar(QStringLiteral("No ha seleccionado un comprobante ¿Desea continuar?")))
        return false;
    if (!uDatos.concepto.valido()) {
        u_mensaje(QStringLiteral("Seleccione un concepto"), kAdvertencia);
        return false;
    }
    TmovimientosInventario mt(uSesion);
    QVariant ultimo;
    if (!mt.selectFechaHoraUltimoMovimiento(uDatos.almacenID, uDatos.negocioID, ultimo).isSuccess()) {
        u_avisaNoGuardado(uSesion);
        return false;
    }
    if (!uDatos.fechaHora.isValid() ||
        (!ultimo.isNull() && uDatos.fechaHora < fechaHora::deValorBD(ultimo))) {
        u_mensaje(QStringLiteral("Revise fecha/hora de salida"), kAdvertencia);
        return false;
    }
    bool stockLeido = true;
    const bool stockAceptado = esEnvioTraspaso() || compruebaStockMinimo(stockLeido);
    if (!stockLeido) {
        u_avisaNoGuardado(uSesion);
        return false;
    }
    for (int i = 0; i < uDatos.lineas.size(); ++i) {
        const TlineaSalida &l = uDatos.lineas[i];
        if (l.producto.controlNoSerie > 0 && int(l.cantidad + kToleranciaCantidad) > l.series.size()) {
            u_mensaje(QStringLiteral("Artículo %1 capturar todos los números de serie").arg(i + 1),
                      kAdvertencia);
            return false;
        }
    }
    return stockAceptado &&
           u_confirmaAceptarCancelar(QStringLiteral(
               "¿Desea guardar esta información?\rVerifique que la información capturada sea correcta, una "
               "vez "
               "guardados estos datos no es posible realizar cambios al kardex del artículo."));
}

bool TdocumentoSalida::guardar() {
    if (guardado()) {
        u_mensaje(QStringLiteral("La salida ya quedó guardada con el documento %1.").arg(documento()),
                  kAdvertencia);
        return false;
    }
    uFin = TfinPosteo::Fallido;
    uMotivo = TmotivoConflicto::Ninguno;
    if (!compruebaDocumento())
        return false;
    TposteoSalida posteo(uSesion, uDatos);
    posteo.setEscrituraAdicional(uAdicional);
    uFin = posteo.escribe();
    uMotivo = posteo.motivo();
    // The stock no longer allows the lines: they must be captured again.
    if (uFin == TfinPosteo::Conflicto)
        uDatos.lineas.clear();
    if (uFin != TfinPosteo::Confirmado)
        return false;
    // What was written: the lines split again when another workstation had moved their layers.
    uDatos.lineas = posteo.lineasEscritas();
    if (posteo.repartida())
        u_mensaje(
            QStringLiteral("La salida se guardó con el documento %1. Otra estación registró movimientos "
                           "de estos productos mientras la capturaba, por lo que sus costos se tomaron "
                           "de las capas actuales (total %2).")
                .arg(posteo.documento())
                .arg(u_formatoMoneda(total())),
            kInformacion);
    registraPosteo(posteo.documento(), QStringLiteral("salida"),
                   [this](QString &error) { return contabiliza(error); });
    return true;
}

bool TdocumentoSalida::contabiliza(QString &error) const {
    return u_contabilizaSalida(uDatos, uSesion, error);
}

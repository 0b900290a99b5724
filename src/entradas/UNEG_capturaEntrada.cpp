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
#include "entradas/UNEG_entradas.h"

#include <cmath>

namespace {
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
    l.factor = pie.factor.trimmed().isEmpty() ? QStringLiteral("1.0000") : pie.factor.trimmed();
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

TcapturaEntrada::TcapturaEntrada(TConexionSesion *sesion, int idNegocio)
    : uSesion(sesion), uNegocio(idNegocio) {}

QVector<TopcionCaptura> TcapturaEntrada::conceptos() const {
    const CmidTierResponse r =
        TconceptosMovimiento(uSesion).selectMovimientoConcepto(kConceptoEntrada, uNegocio);
    QVector<TopcionCaptura> lista;
    for (int f = 0; r.isSuccess() && f < r.getRowCount(); ++f) {
        TopcionCaptura c;
        c.id = int(r.getCeldaAsInt(f, QStringLiteral("inventarioMovimientoConcepto_id")));
        c.etiqueta = r.getCelda(f, QStringLiteral("inventarioMovimientoConcepto_etiqueta"));
        c.familia = int(r.getCeldaAsInt(f, QStringLiteral("inventarioMovimientoConcepto_familia")));
        if (c.familia == kFamiliaOrdinaria || c.familia == kFamiliaDevolucionSalida)
            lista.append(c);
    }
    return lista;
}

QVector<TopcionCaptura> TcapturaEntrada::almacenes() const {
    const CmidTierResponse r = TalmacenesLista(uSesion).selectAlmacenesSeleccion({}, uNegocio);
    QVector<TopcionCaptura> lista;
    for (int f = 0; r.isSuccess() && f < r.getRowCount(); ++f) {
        TopcionCaptura a;
        a.id = int(r.getCeldaAsInt(f, QStringLiteral("almacen_id")));
        a.etiqueta = r.getCelda(f, QStringLiteral("almacen_nombre"));
        a.direccion = r.getCelda(f, QStringLiteral("almacen_direccion"));
        a.nota = r.getCelda(f, QStringLiteral("almacen_nota"));
        lista.append(a);
    }
    return lista;
}

QDateTime TcapturaEntrada::ultimoMovimiento(int idAlmacen) const {
    QVariant v;
    const bool ok = Tentradas(uSesion).selectFechaHoraUltimoMovimiento(idAlmacen, uNegocio, v).isSuccess();
    return ok && !v.isNull() ? fechaHora::deValorBD(v) : QDateTime();
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

bool TcapturaEntrada::aceptaStockMaximo(int idAlmacen, const QString &almacen,
                                        const TrenglonCaptura &renglon) const {
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
    alerta.almacen = almacen;
    alerta.producto = renglon.producto;
    alerta.cantidad = FloatToStr(renglon.cantidad);
    alerta.limite = FloatToStr(maximo);
    return u_alertaStock(alerta);
}

void TcapturaEntrada::elimina(int fila) {
    if (fila >= 0 && fila < uRenglones.size())
        uRenglones.removeAt(fila);
}

TdatosEntrada TcapturaEntrada::documento(TdatosEntrada cabecera) const {
    cabecera.lineas.clear();
    for (const TrenglonCaptura &r : uRenglones)
        cabecera.lineas.append(u_lineaDocumento(r));
    return cabecera;
}

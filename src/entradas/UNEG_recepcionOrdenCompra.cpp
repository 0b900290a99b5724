#include "entradas/UNEG_recepcionOrdenCompra.h"

#include "comun/UNEG_almacen.h"
#include "comun/UNEG_productos.h"
#include "comun/UNEG_proveedores.h"
#include "comun/U_mensajes.h"
#include "comun/U_productoSeleccionado.h"
#include "comun/U_utilerias.h"
#include "datos/UcodigosInventario.h"
#include "datos/UfechaHora.h"
#include "entradas/UNEG_capturaEntrada.h"
#include "entradas/UNEG_ordenCompra.h"
#include "entradas/UNEG_posteoEntrada.h"

#include <QHash>

#include <algorithm>

namespace {

bool avisa(const QString &texto) {
    u_mensaje(texto, kAdvertencia);
    return false;
}
} // namespace

void TlineaRecepcion::tomaProducto(const TproductoSeleccionadoDescripcion &p) {
    producto = p;
    orden.idProducto = p.productoId;
    orden.controlNoSerie = p.opControladoNoSerie == 1;
}

void TrecepcionOrdenCompra::eligeAlmacen(int idAlmacen) {
    almacenID = idAlmacen;
    uTextoUltimoMovimiento =
        idAlmacen > 0 ? u_textoUltimoMovimiento(uSesion, idAlmacen, uNegocio) : QString();
}

TrecepcionOrdenCompra::TrecepcionOrdenCompra(TConexionSesion *sesion, int idNegocio)
    : uSesion(sesion), uNegocio(idNegocio) {}

bool TrecepcionOrdenCompra::cargaOrden(const UREC_ordenCompra &orden) {
    const CmidTierResponse r =
        TordenCompra(uSesion).selectOrdenCompraArticulos(orden.numeroDeOrden, uNegocio);
    if (!r.isSuccess())
        return false;
    QVector<TlineaRecepcion> lineas;
    for (int f = 0; f < r.getRowCount(); ++f) {
        TlineaRecepcion l;
        l.orden = u_lineaOrdenDeFila(r, f);
        l.unidadRecibida = r.getCelda(f, QStringLiteral("unidadMedidaRecibido_descripcion"));
        // A line matched in an earlier receipt comes back with its product.
        if (l.orden.idProducto > 0)
            l.tomaProducto(u_productoPorId(uSesion, l.orden.idProducto, uNegocio));
        lineas.append(l);
    }
    uOrden = orden;
    uLineas = lineas;
    return true;
}

QString TrecepcionOrdenCompra::relacionaProducto(int i, const TproductoSeleccionadoDescripcion &p) {
    if (!p.seleccionado)
        return {};
    if (p.estatus != 1)
        return QStringLiteral("¡Producto ") + p.nombre +
               QStringLiteral("!\rNo se puede agregar este producto");
    TlineaRecepcion &l = uLineas[i];
    l.tomaProducto(p);
    ajustaFactor(l);
    return {};
}

QString TrecepcionOrdenCompra::relacionaCodigoBarras(int i, const QString &codigo) {
    const CmidTierResponse r = Tproductos(uSesion).selectProductoByCodigoBarras(codigo.trimmed(), uNegocio);
    if (!r.isSuccess() || r.getRowCount() == 0)
        return QStringLiteral("No se encontro coincidencia");
    return relacionaProducto(i, u_productoDeFila(r, 0));
}

void TrecepcionOrdenCompra::setUnidadRecibida(int i, const REC_unidadMedidacomunicacion &u) {
    if (!u.aceptado)
        return;
    TlineaRecepcion &l = uLineas[i];
    l.orden.idUnidadRecibido = u.id;
    l.unidadRecibida = u.etiqueta;
    l.unidad = u;
    ajustaFactor(l);
}

void TrecepcionOrdenCompra::ajustaFactor(TlineaRecepcion &l) {
    l.orden.factor = u_factorConversion(l.producto, l.unidad, FloatToStr(l.orden.factor)).toDouble();
}

QString TrecepcionOrdenCompra::setCantidadRecibida(int i, const QString &recibido, const QString &factor) {
    return u_fijaCantidadRecibida(uLineas[i].orden, recibido, factor);
}

bool TrecepcionOrdenCompra::sinGuardar() const {
    return !guardado() && std::any_of(uLineas.cbegin(), uLineas.cend(), [](const TlineaRecepcion &l) {
        return u_esPositivo(l.orden.recibido);
    });
}

bool TrecepcionOrdenCompra::guardar() {
    int metodo = 0;
    TconceptoMovimiento concepto;
    if (guardado())
        return avisa(QStringLiteral("La entrada ya quedó guardada con el documento %1.").arg(documento()));
    if (!compruebaRecepcion(metodo, concepto))
        return false;
    TdatosEntrada d;
    d.almacenID = almacenID;
    d.conceptoID = concepto.id;
    d.fechaHora = fechaHora;
    d.comprobante = comprobante;
    d.numeroOrden = uOrden.numeroDeOrden;
    // The order's provider is linked when it is one of the business's providers.
    const CmidTierResponse proveedor =
        Tproveedores(uSesion).selectProveedorPorId(uOrden.proveedorID, uNegocio);
    if (!proveedor.isSuccess()) {
        u_avisaNoGuardado(uSesion);
        return false;
    }
    if (proveedor.getRowCount() == 1)
        d.proveedorID = uOrden.proveedorID;
    QVector<double> cantidades;
    for (const TlineaRecepcion &l : std::as_const(uLineas)) {
        TlineaEntrada e;
        e.productoID = l.orden.idProducto;
        e.producto = l.orden.descripcion;
        e.cantidad = FloatToStr(l.orden.registrado());
        e.costoUnitario = l.orden.costoUnitarioRecibido();
        e.unidadRecibidaID = l.orden.idUnidadRecibido;
        e.factorConversion = l.orden.factor;
        e.controlNoSerie = l.orden.controlNoSerie ? 1 : 0;
        e.informacion = l.informacion;
        d.lineas.append(e);
        cantidades.append(u_esPositivo(l.orden.recibido) ? l.orden.registrado() : 0.0);
    }
    TposteoEntrada posteo(uSesion, uNegocio, metodo, concepto, d, cantidades);
    posteo.setEscrituraAdicional(
        [this](TintentoPosteo &intento, Tentradas &) { return escribeEstadoOrden(intento); });
    if (posteo.escribe() != TfinPosteo::Confirmado)
        return false;
    registraPosteo(posteo.documento(), QStringLiteral("entrada"), [&](QString &error) {
        return u_contabilizaEntrada(d, cantidades, concepto.asiento, uSesion, uNegocio, error);
    });
    return true;
}

bool TrecepcionOrdenCompra::compruebaRecepcion(int &metodo, TconceptoMovimiento &concepto) {
    Talmacen almacen(uSesion);
    // The business's one concept of the family, then what the checks need in one read with it.
    const CmidTierResponse idConcepto = almacen.selectIDfamiliaUnica(kFamiliaOrdenCompra, uNegocio);
    QVector<int> productos;
    for (const TlineaRecepcion &l : std::as_const(uLineas))
        if (u_esPositivo(l.orden.recibido) && !productos.contains(l.orden.idProducto))
            productos << l.orden.idProducto;
    TcontextoDocumento contexto;
    if (!idConcepto.isSuccess() ||
        !almacen.selectContextoDocumento(int(idConcepto.getScalarAsInt()), almacenID, uNegocio, productos,
                                         contexto)) {
        u_avisaNoGuardado(uSesion);
        return false;
    }
    metodo = contexto.metodo;
    if (metodo < 1)
        return avisa(posteoEntrada::kSinMetodo);
    if (almacenID <= 0 || contexto.nombreAlmacen.isNull())
        return avisa(QStringLiteral("Seleccione un almacén"));
    if (uOrden.numeroDeOrden < 0)
        return avisa(QStringLiteral("Seleccione una orden de compra"));
    // An invoice of another business is no invoice of this receipt.
    if (comprobante.valido() && comprobante.idNegocio != uNegocio)
        comprobante = TComprobante();
    if (!comprobante.valido() && !u_confirmaAceptarCancelar(posteoEntrada::kSinComprobante))
        return false;
    const QVariant &ultimo = contexto.ultimo;
    if (!fechaHora.isValid() || (!ultimo.isNull() && fechaHora < fechaHora::deValorBD(ultimo)))
        return avisa(QStringLiteral("Revise fecha/hora de entrada"));
    QVector<TlineaOrdenCompra> lineas;
    QVector<int> series;
    for (const TlineaRecepcion &l : std::as_const(uLineas)) {
        lineas.append(l.orden);
        series.append(int(l.informacion.noSerie.size()));
    }
    const QString revision = u_revisaLineasOrden(lineas, series);
    if (!revision.isEmpty())
        return avisa(revision);
    for (int i = 0; i < lineas.size(); ++i)
        if (u_esPositivo(lineas[i].recibido) && !contexto.productos.contains(lineas[i].idProducto))
            return avisa(QStringLiteral("Artículo %1 revisar: Producto Catálogo").arg(i + 1));
    concepto = contexto.concepto;
    if (!concepto.valido())
        return avisa(
            QStringLiteral("No existe el concepto \"Entrada por orden de compra\"; reinicie el módulo "
                           "de inventario para crearlo."));
    return u_confirmaAceptarCancelar(posteoEntrada::kConfirmaGuardar);
}

bool TrecepcionOrdenCompra::escribeEstadoOrden(TintentoPosteo &intento) {
    TestadoOrdenCompra estado(uSesion); // the posting's connection, inside its transaction
    // Another workstation may have received the same lines since they were loaded.
    const CmidTierResponse r =
        TordenCompra(uSesion).selectOrdenCompraArticulos(uOrden.numeroDeOrden, uNegocio);
    if (!intento.ok(r))
        return false;
    QHash<int, double> acumulados;
    for (int f = 0; f < r.getRowCount(); ++f) {
        const TlineaOrdenCompra guardada = u_lineaOrdenDeFila(r, f);
        acumulados.insert(guardada.idLinea, guardada.acumulado);
    }
    for (const TlineaRecepcion &l : std::as_const(uLineas)) {
        if (!u_esPositivo(l.orden.recibido))
            continue;
        const auto guardada = acumulados.constFind(l.orden.idLinea);
        if (guardada == acumulados.cend() || !u_esCero(*guardada - l.orden.acumulado))
            return intento.conflicto();
        if (!intento.ok(u_guardaEstadoLineaOrden(estado, l.orden, uNegocio)))
            return false;
    }
    return intento.ok(estado.updateAFOrdenesCompras(uOrden.numeroDeOrden, uNegocio));
}

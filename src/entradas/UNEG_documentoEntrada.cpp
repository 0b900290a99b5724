#include "entradas/UNEG_documentoEntrada.h"

#include "comun/UNEG_almacen.h"
#include "comun/U_mensajes.h"
#include "comun/U_numeroCapturado.h"
#include "comun/U_utilerias.h"
#include "datos/UcodigosInventario.h"
#include "datos/UfechaHora.h"
#include "entradas/UNEG_entradas.h"
#include "entradas/UNEG_posteoEntrada.h"

#include <cmath>

namespace {

bool avisa(const QString &texto, TtipoMensaje tipo = kAdvertencia) {
    u_mensaje(texto, tipo);
    return false;
}

bool noGuardado(TConexionSesion *sesion) {
    u_avisaNoGuardado(sesion);
    return false;
}

QString articulo(int fila, const QString &campo) {
    return QStringLiteral("Artículo %1 revisar: '%2'").arg(fila + 1).arg(campo);
}
} // namespace

TdocumentoEntrada::TdocumentoEntrada(TConexionSesion *sesion, int idNegocio)
    : uSesion(sesion), uNegocio(idNegocio) {}

bool TdocumentoEntrada::guardar() {
    if (guardado())
        return avisa(QStringLiteral("La entrada ya quedó guardada con el documento %1.").arg(documento()));
    if (!compruebaDocumento())
        return false;
    TposteoEntrada posteo(uSesion, uNegocio, uMetodo, uConcepto, uDatos, uCantidades);
    posteo.setEscrituraAdicional(uAdicional);
    if (posteo.escribe() != TfinPosteo::Confirmado)
        return false;
    registraPosteo(posteo.documento(), QStringLiteral("entrada"),
                   [this](QString &error) { return contabiliza(error); });
    return true;
}

// The document's own checks speak in the plain box; the lines' checks warn.
bool TdocumentoEntrada::compruebaDocumento() {
    QVector<int> productos;
    for (const TlineaEntrada &l : uDatos.lineas)
        if (!productos.contains(l.productoID))
            productos << l.productoID;
    TcontextoDocumento contexto;
    if (!Talmacen(uSesion).selectContextoDocumento(uDatos.conceptoID, uDatos.almacenID, uNegocio, productos,
                                                   contexto))
        return noGuardado(uSesion);
    uMetodo = contexto.metodo;
    if (uMetodo < 1)
        return avisa(posteoEntrada::kSinMetodo, kPersonalizado);
    uConcepto = contexto.concepto;
    if (uConcepto.direccion != kConceptoEntrada)
        return avisa(QStringLiteral("Seleccione un concepto"), kPersonalizado);
    if (contexto.nombreAlmacen.isNull())
        return avisa(QStringLiteral("Seleccione un almacén"), kPersonalizado);
    const QVariant &ultimo = contexto.ultimo;
    if (!uDatos.fechaHora.isValid() || (!ultimo.isNull() && uDatos.fechaHora < fechaHora::deValorBD(ultimo)))
        return avisa(QStringLiteral("Revise fecha/hora de entrada"), kPersonalizado);
    // An invoice of another business is no invoice of this receipt.
    if (uDatos.comprobante.valido() && uDatos.comprobante.idNegocio != uNegocio)
        uDatos.comprobante = TComprobante();
    if (uDatos.lineas.isEmpty())
        return avisa(QStringLiteral("Agregue al menos un producto a la entrada."));
    if (!compruebaCantidades(contexto.productos))
        return false;
    for (int i = 0; i < uDatos.lineas.size(); ++i) {
        const TlineaEntrada &l = uDatos.lineas[i];
        if (l.controlNoSerie > 0 && l.informacion.noSerie.size() != int(uCantidades[i] + kToleranciaCantidad))
            return avisa(
                QStringLiteral("Capturar número de serie para los prodcutos resaltados en color rojo"));
    }
    if (uConcepto.familia == kFamiliaDevolucionSalida && !compruebaDevolucion())
        return false;
    if (!uDatos.comprobante.valido() && uDatos.proveedorID <= 0 &&
        !u_confirmaAceptarCancelar(posteoEntrada::kSinComprobante))
        return false;
    return u_confirmaAceptarCancelar(posteoEntrada::kConfirmaGuardar);
}

// Every quantity and cost is a number a user could type, every product the business's, and
// something is received.
bool TdocumentoEntrada::compruebaCantidades(const QSet<int> &delNegocio) {
    uCantidades.clear();
    double suma = 0;
    for (int i = 0; i < uDatos.lineas.size(); ++i) {
        const TlineaEntrada &l = uDatos.lineas[i];
        const TnumeroCapturado q =
            u_leeNumeroCapturado(l.cantidad, QStringLiteral("Cantidad"), TreglaNumero::CeroOPositivo);
        if (!q.ok)
            return avisa(articulo(i, QStringLiteral("Cantidad Entrante")));
        if (!std::isfinite(l.costoUnitario) || l.costoUnitario < 0 ||
            l.costoUnitario > kNumeroCapturadoMaximo)
            return avisa(articulo(i, QStringLiteral("Costo Unitario")));
        if (!delNegocio.contains(l.productoID))
            return avisa(articulo(i, QStringLiteral("Producto")));
        uCantidades.append(q.valor);
        suma += q.valor;
    }
    if (!u_esPositivo(suma))
        return avisa(QStringLiteral("No se recibio producto alguno."));
    return true;
}

// A return takes back at most what is left of the issue row, of its product and warehouse.
bool TdocumentoEntrada::compruebaDevolucion() {
    Tentradas entradas(uSesion);
    const CmidTierResponse salida =
        entradas.selectSalidaParaDevolucion(uDatos.movimientoSalidaIDdevolucion, uNegocio);
    if (!salida.isSuccess())
        return noGuardado(uSesion);
    if (salida.getRowCount() == 0 ||
        salida.getCeldaAsInt(0, QStringLiteral("almacen_id")) != uDatos.almacenID)
        return avisa(QStringLiteral("Seleccione la salida que se devuelve"));
    const int producto = int(salida.getCeldaAsInt(0, QStringLiteral("producto_id")));
    double devuelto = 0;
    for (int i = 0; i < uDatos.lineas.size(); ++i) {
        if (!u_esPositivo(uCantidades[i]))
            continue;
        if (uDatos.lineas[i].productoID != producto)
            return avisa(QStringLiteral("Seleccione la salida que se devuelve"));
        devuelto += uCantidades[i];
    }
    const double restante = salida.getCeldaAsFloat(0, QStringLiteral("_restante"));
    if (u_esPositivo(devuelto - restante))
        return avisa(QStringLiteral("La cantidad devuelta excede lo que resta de la salida (") +
                     FloatToStr(restante) + QStringLiteral(")"));
    return true;
}

bool TdocumentoEntrada::contabiliza(QString &error) const {
    return u_contabilizaEntrada(uDatos, uCantidades, uConcepto.asiento, uSesion, uNegocio, error);
}

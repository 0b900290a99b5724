#include "existencias/UNEG_capturarExistencias.h"

#include "comun/UNEG_almacen.h"
#include "comun/U_mensajes.h"
#include "comun/U_numeroCapturado.h"
#include "comun/U_productoSeleccionado.h"
#include "comun/U_utilerias.h"
#include "datos/UcodigosInventario.h"
#include "entradas/UNEG_posteoEntrada.h"

namespace {

TfinCapturaExistencia avisa(const QString &texto) {
    u_mensaje(texto, kAdvertencia);
    return TfinCapturaExistencia::Rechazada;
}

// Scalar: the receipts of the product in the warehouse other than document `documento`; any means
// its stock was captured (or received) before.
CmidTierResponse recibidoAntes(TmiddleTier &mt, int idProducto, int idAlmacen, int idNegocio, int documento) {
    mt.setQuery(QStringLiteral("SELECT COUNT(*) FROM inventarioEntrada WHERE inventarioProducto_id = "
                               ":producto AND inventarioAlmacen_id = :almacen AND idNegocioFk = :negocio "
                               "AND documento <> :documento"));
    mt.setParametroEntero(QStringLiteral("producto"), idProducto);
    mt.setParametroEntero(QStringLiteral("almacen"), idAlmacen);
    mt.setParametroEntero(QStringLiteral("negocio"), idNegocio);
    mt.setParametroEntero(QStringLiteral("documento"), documento);
    return mt.scalar();
}

// One posted initial stock: the receipt document with its accounting hand-over.
class TexistenciaInicial : public TdocumentoPosteado {
public:
    void registra(int numero, const std::function<bool(QString &)> &contabiliza) {
        registraPosteo(numero, QStringLiteral("entrada"), contabiliza);
    }
};
} // namespace

TcapturaExistencias::TcapturaExistencias(const TsistemaDatos &sistema) : uSistema(sistema) {}

void TcapturaExistencias::tomaAlmacen(const TalmacenDescripcion &almacen) {
    if (almacen.seleccionado)
        uAlmacen = almacen;
}

void TcapturaExistencias::tomaProducto(const TproductoSeleccionadoDescripcion &producto) {
    if (!producto.seleccionado)
        return;
    uProducto = producto;
    if (producto.estatus != 1)
        u_mensaje(QStringLiteral("¡Producto ") + producto.nombre + QStringLiteral("!"), kInformacion);
}

void TcapturaExistencias::limpia() {
    uAlmacen = TalmacenDescripcion();
    uProducto = TproductoSeleccionadoDescripcion();
}

QString TcapturaExistencias::resumen(const QString &cantidad, double costo, double total) const {
    const QString fin = QStringLiteral("\n\r");
    return QStringLiteral("Almacén: ") + uAlmacen.nombre + fin + QStringLiteral("Producto: ") +
           uProducto.descripcion + fin + QStringLiteral("Cantidad: ") + cantidad.trimmed() + fin +
           QStringLiteral("Costo Unitario: ") + u_formatoMoneda(costo) + fin + QStringLiteral("Total: ") +
           u_formatoMoneda(total) + fin + fin + posteoEntrada::kConfirmaGuardar;
}

TfinCapturaExistencia TcapturaExistencias::guardar(const QString &cantidad, const QString &costo) {
    const int negocio = uSistema.getNegocio().getIdNegocio();
    if (uProducto.productoId < 1)
        return avisa(QStringLiteral("Seleccione un producto"));
    if (uAlmacen.id <= 0)
        return avisa(QStringLiteral("Seleccione un almacén"));
    // The product as stored now: of the business, and whether its units carry serial numbers.
    const TproductoSeleccionadoDescripcion actual =
        u_productoPorId(uSistema.getConexion(), uProducto.productoId, negocio);
    if (!actual.seleccionado)
        return avisa(QStringLiteral("Seleccione un producto"));
    if (actual.opControladoNoSerie > 0)
        return avisa(capturaExistencias::kConSerie);
    const TnumeroCapturado q =
        u_leeNumeroCapturado(cantidad, QStringLiteral("Cantidad"), TreglaNumero::Positivo);
    if (!q.ok)
        return avisa(QStringLiteral("Capture un valor para existencia"));
    const TnumeroCapturado c =
        u_leeNumeroCapturado(costo, QStringLiteral("Costo Unitario"), TreglaNumero::Positivo);
    if (!c.ok)
        return avisa(QStringLiteral("Capture un valor para costo unitario"));
    const double total = q.valor * c.valor;
    if (!u_esPositivo(total) || total > kNumeroCapturadoMaximo)
        return avisa(QStringLiteral("Compruebe los valores capturados e intente nuevamente"));
    Talmacen almacen(uSistema.getConexion());
    TexistenciaAlmacen x;
    if (!almacen.selectExistencia(uAlmacen.id, uProducto.productoId, negocio, x).isSuccess()) {
        u_mensaje(capturaExistencias::kNoGuardado, kError);
        return TfinCapturaExistencia::Fallida;
    }
    if (x.existe) {
        u_mensaje(capturaExistencias::kDuplicado, kAdvertencia);
        limpia();
        return TfinCapturaExistencia::Duplicada;
    }
    if (!u_confirmaAceptarCancelar(resumen(cantidad, c.valor, total)))
        return TfinCapturaExistencia::Rechazada;
    return posteaExistencia(q.valor, c.valor);
}

TfinCapturaExistencia TcapturaExistencias::posteaExistencia(double cantidad, double costo) {
    TConexionSesion *sesion = uSistema.getConexion();
    const int negocio = uSistema.getNegocio().getIdNegocio();
    Talmacen almacen(sesion);
    const int metodo = int(almacen.selectMetodoKardex(negocio).getScalarAsInt());
    if (metodo < 1)
        return avisa(posteoEntrada::kSinMetodo);
    // Without the business's initial-stock concept the receipt carries concept 0; a failed read
    // posts nothing.
    const CmidTierResponse idConcepto = almacen.selectIDfamiliaUnica(kFamiliaExistenciaInicial, negocio);
    TconceptoMovimiento concepto{0, QString(), 1, kFamiliaExistenciaInicial, {}};
    if (idConcepto.isSuccess() && idConcepto.getScalarAsInt() > 0)
        concepto = almacen.selectConcepto(int(idConcepto.getScalarAsInt()), negocio);
    if (!idConcepto.isSuccess() || (idConcepto.getScalarAsInt() > 0 && !concepto.valido())) {
        u_mensaje(capturaExistencias::kNoGuardado, kError);
        return TfinCapturaExistencia::Fallida;
    }

    TdatosEntrada datos;
    datos.almacenID = uAlmacen.id;
    datos.conceptoID = concepto.id;
    datos.fechaHora = QDateTime::currentDateTime();
    TlineaEntrada linea;
    linea.productoID = uProducto.productoId;
    linea.producto = uProducto.descripcion;
    linea.cantidad = FloatToStr(cantidad);
    linea.costoUnitario = costo;
    linea.unidadRecibidaID = uProducto.unidadMedidaId;
    datos.lineas.append(linea);
    const QVector<double> cantidades{cantidad};

    TposteoEntrada posteo(sesion, negocio, metodo, concepto, datos, cantidades);
    bool duplicada = false;
    // Under the lock: another workstation may have captured (or received) it since the check.
    posteo.setEscrituraAdicional([&](TintentoPosteo &intento, Tentradas &transaccion) {
        const CmidTierResponse antes =
            recibidoAntes(transaccion, linea.productoID, datos.almacenID, negocio, posteo.documento());
        if (!intento.ok(antes))
            return false;
        duplicada = antes.getScalarAsInt() > 0;
        return !duplicada || intento.conflicto();
    });
    const TfinPosteo fin = posteo.escribe();
    if (duplicada) {
        u_mensaje(capturaExistencias::kDuplicado, kAdvertencia);
        limpia();
        return TfinCapturaExistencia::Duplicada;
    }
    if (fin != TfinPosteo::Confirmado) {
        if (fin == TfinPosteo::Fallido)
            u_mensaje(capturaExistencias::kNoGuardado, kError);
        return TfinCapturaExistencia::Fallida;
    }
    uDocumento = posteo.documento();
    TexistenciaInicial documento;
    documento.registra(uDocumento, [&](QString &error) {
        return u_contabilizaEntrada(datos, cantidades, concepto.asiento, sesion, negocio, error);
    });
    u_mensaje(capturaExistencias::kGuardado, kInformacion);
    limpia();
    return TfinCapturaExistencia::Guardada;
}

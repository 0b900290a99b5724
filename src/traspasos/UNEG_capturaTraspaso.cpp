#include "traspasos/UNEG_capturaTraspaso.h"

#include "comun/UMOD_propiedadesAdicionales.h"
#include "comun/U_mensajes.h"
#include "comun/U_numeroCapturado.h"
#include "comun/U_utilerias.h"
#include "datos/UfechaHora.h"
#include "entradas/UNEG_entradasConsulta.h"
#include "entradas/UNEG_propiedadesEntrada.h"

namespace {
const QString kMismoAlmacen = QStringLiteral("El almacen de origen y destino es el mismo");
const QString kInsuficiente = QStringLiteral("Existencia Insuficiente");

// The typed quantity; blank counts as 0, which the document refuses with its own message.
TnumeroCapturado leeCantidad(const QString &texto) {
    if (texto.trimmed().isEmpty())
        return {true, 0.0, {}};
    return u_leeNumeroCapturado(texto, QStringLiteral("Cantidad"), TreglaNumero::CeroOPositivo);
}

QString textoExistencia(double existencia) {
    return u_esPositivo(existencia) ? FloatToStr(existencia) : QStringLiteral("0");
}

TDateTime fechaDe(const CmidTierResponse &r, const char *alias) {
    const QDateTime f = fechaHora::deValorBD(r.getValor(0, QString::fromLatin1(alias)));
    return f.isValid() ? fechaHora::aTDateTime(f) : fechaHora::kSinFecha;
}
} // namespace

TcapturaTraspaso::TcapturaTraspaso(const TsistemaDatos &sistema)
    : uSistema(sistema), uDocumento(sistema.getConexion(), sistema.getNegocio().getIdNegocio()) {}

bool TcapturaTraspaso::cargaAlmacenes() {
    return u_almacenesCaptura(uSistema.getConexion(), uSistema.getNegocio().getIdNegocio(), uAlmacenes);
}

bool TcapturaTraspaso::eligeOrigen(int indice) {
    if (indice == uIndiceOrigen)
        return true;
    if (indice < 0 || indice >= uAlmacenes.size())
        return false;
    if (!lineas().isEmpty() && !u_confirmaAceptarCancelar(kPreguntaCambioAlmacen))
        return false;
    uIndiceOrigen = uDocumento.setOrigen(uAlmacenes[indice].id) ? indice : -1;
    leeUltimoMovimiento();
    return uIndiceOrigen == indice;
}

bool TcapturaTraspaso::eligeDestino(int indice) {
    if (indice < 0 || indice >= uAlmacenes.size())
        return false;
    uIndiceDestino = uDocumento.setDestino(uAlmacenes[indice].id) ? indice : -1;
    return uIndiceDestino == indice;
}

void TcapturaTraspaso::leeUltimoMovimiento() {
    QDateTime fecha;
    uTextoUltimoMovimiento =
        uIndiceOrigen < 0 ? QString()
                          : u_ultimoMovimientoAlmacen(uSistema.getConexion(), uAlmacenes[uIndiceOrigen].id,
                                                      uSistema.getNegocio().getIdNegocio(), fecha);
}

bool TcapturaTraspaso::almacenesDistintos() const {
    return uIndiceOrigen < 0 || uIndiceDestino < 0 || uIndiceOrigen != uIndiceDestino;
}

bool TcapturaTraspaso::eligeProducto(const TproductoSeleccionadoDescripcion &producto) {
    return producto.seleccionado && tomaProducto(producto);
}

bool TcapturaTraspaso::buscaCodigoBarras(const QString &codigo) {
    TproductoSeleccionadoDescripcion producto;
    if (u_productoPorCodigoBarras(uSistema.getConexion(), codigo, uSistema.getNegocio().getIdNegocio(),
                                  producto))
        return tomaProducto(producto);
    limpiaProducto();
    return false;
}

bool TcapturaTraspaso::tomaProducto(const TproductoSeleccionadoDescripcion &producto) {
    uProducto = producto;
    return true;
}

void TcapturaTraspaso::limpiaProducto() {
    uProducto = TproductoSeleccionadoDescripcion();
}

QString TcapturaTraspaso::textoExistenciaOrigen() const {
    if (!hayProducto() || uIndiceOrigen < 0)
        return {};
    return textoExistencia(uDocumento.existenciaOrigen(uProducto.productoId));
}

QString TcapturaTraspaso::textoExistenciaDestino() const {
    if (!hayProducto() || uIndiceDestino < 0)
        return {};
    return textoExistencia(uDocumento.existenciaDestino(uProducto.productoId));
}

QString TcapturaTraspaso::textoCantidadDestino(const QString &cantidad) const {
    const TnumeroCapturado q = leeCantidad(cantidad);
    if (!q.ok || !u_esPositivo(q.valor) || !hayProducto() || uIndiceOrigen < 0 || uIndiceDestino < 0 ||
        !almacenesDistintos() || !mensajeTraspaso(cantidad).isEmpty())
        return {};
    return FloatToStr(std::max(0.0, uDocumento.existenciaDestino(uProducto.productoId)) + q.valor);
}

QString TcapturaTraspaso::mensajeTraspaso(const QString &cantidad) const {
    if (!almacenesDistintos())
        return kMismoAlmacen;
    const TnumeroCapturado q = leeCantidad(cantidad);
    if (q.ok && hayProducto() && uIndiceOrigen >= 0 &&
        u_esPositivo(q.valor - uDocumento.existenciaOrigen(uProducto.productoId)))
        return kInsuficiente;
    return {};
}

bool TcapturaTraspaso::agrega(const QString &cantidad, const QDateTime &fechaSalida) {
    const TnumeroCapturado leida = leeCantidad(cantidad);
    if (!leida.ok) {
        u_mensaje(leida.mensaje, kAdvertencia);
        return false;
    }
    uDocumento.setFechaSalida(fechaSalida);
    if (!uDocumento.agregaAlDocumento(u_productoSalida(uProducto), leida.valor))
        return false;
    uProductos.insert(uProducto.productoId, uProducto);
    limpiaProducto();
    return true;
}

QVector<QVariantHash> TcapturaTraspaso::filasGrid() const {
    QVector<QVariantHash> filas;
    for (const TlineaSalida &l : lineas()) {
        filas.append({
            {QStringLiteral("_productoID"), l.producto.id},
            {QStringLiteral("Categoria"), l.producto.categoria},
            {QStringLiteral("Producto"), l.producto.nombre},
            {QStringLiteral("Cantidad"), l.cantidad},
            {QStringLiteral("CostoU"), l.costoUnitario},
            {QStringLiteral("Total"), l.total},
            {QStringLiteral("UMedida"), l.producto.unidadMedida},
            {QStringLiteral("CBarras"), l.producto.codigoBarras},
            {QStringLiteral("_entradasID"), l.entradaID},
            {QStringLiteral("_existencia"), l.existencia},
            {QStringLiteral("_existenciaTotal"), l.existenciaTotal},
            {QStringLiteral("_existenciaCostoTotal"), l.existenciaCostoTotal},
            {QStringLiteral("_noSerie"), l.series.size()},
            {QStringLiteral("_noSerieControlado"), l.producto.controlNoSerie > 0 ? 1 : 0},
            {QStringLiteral("_disponiblePorCapa"), l.existenciaPrevia},
        });
    }
    return filas;
}

void TcapturaTraspaso::eliminaProducto(int fila) {
    uDocumento.eliminaProducto(fila);
}

bool TcapturaTraspaso::controlaSeries(int fila) const {
    return fila >= 0 && fila < lineas().size() && lineas()[fila].producto.controlNoSerie > 0;
}

QString TcapturaTraspaso::textoSeries(int fila) const {
    if (fila < 0 || fila >= lineas().size())
        return {};
    if (!controlaSeries(fila))
        return QStringLiteral(" no controlado");
    const TlineaSalida &l = lineas()[fila];
    return QStringLiteral("capturados: %1/%2").arg(l.series.size()).arg(FloatToStr(l.cantidad));
}

bool TcapturaTraspaso::solicitudSeries(int fila, RECnumerosSerie &solicitud) const {
    if (!controlaSeries(fila) || !u_esPositivo(lineas()[fila].cantidad))
        return false;
    solicitud = u_solicitudSeriesLinea(lineas()[fila]);
    return true;
}

void TcapturaTraspaso::setSeries(int fila, const Tespacios &series) {
    uDocumento.setSeries(fila, series);
}

TdatosCapaTraspaso TcapturaTraspaso::datosCapa(int fila) const {
    TdatosCapaTraspaso d;
    if (fila < 0 || fila >= lineas().size())
        return d;
    const TlineaSalida &l = lineas()[fila];
    const int negocio = uSistema.getNegocio().getIdNegocio();
    TentradasConsulta t(uSistema.getConexion());
    const CmidTierResponse lote = t.selectLote(l.entradaID, negocio);
    const CmidTierResponse pedimento = t.selectPedimento(l.entradaID, negocio);
    const CmidTierResponse valores =
        TpropiedadesEntrada(uSistema.getConexion()).selectValores(l.entradaID, negocio);
    if (!lote.isSuccess() || !pedimento.isSuccess() || !valores.isSuccess())
        return d;
    if (lote.getRowCount() > 0) {
        d.lote.inventarioEntrada_id = l.entradaID;
        d.lote.numero = lote.getCelda(0, QStringLiteral("inventarioLote_numero"));
        d.lote.fechaProduccionEstablecida =
            lote.getCeldaAsBool(0, QStringLiteral("inventarioLote_fechaProduccionEstablecida"));
        d.lote.fechaProduccion = fechaDe(lote, "inventarioLote_fechaProduccion");
        d.lote.fechaCaducidadEstablecida =
            lote.getCeldaAsBool(0, QStringLiteral("inventarioLote_fechaCaducidadEstablecida"));
        d.lote.fechaCaducidad = fechaDe(lote, "inventarioLote_fechaCaducidad");
    }
    if (pedimento.getRowCount() > 0) {
        d.pedimento.inventarioEntrada_id = l.entradaID;
        d.pedimento.fechaDeAduana = fechaDe(pedimento, "inventarioPedimento_fechaDeAduana");
        d.pedimento.numeroPedimento =
            pedimento.getCelda(0, QStringLiteral("inventarioPedimento_numeroPedimento"));
        d.pedimento.aduana = int(pedimento.getCeldaAsInt(0, QStringLiteral("inventarioPedimento_aduana")));
        d.pedimento.paisOrigen = pedimento.getCelda(0, QStringLiteral("inventarioPedimento_paisOrigen"));
    }
    for (int f = 0; f < valores.getRowCount(); ++f)
        d.propiedades.insert(
            u_clavePropiedad(int(valores.getCeldaAsInt(f, QStringLiteral("inventarioPropiedadListado_id")))),
            valores.getCelda(f, QStringLiteral("inventarioProductoPropiedad_valor")));
    d.producto = l.producto.nombre;
    d.categoria = uProductos.value(l.producto.id).categoriaId;
    d.leido = true;
    return d;
}

bool TcapturaTraspaso::guardar(const QDateTime &fechaSalida, const QDateTime &fechaRecepcion) {
    uDocumento.setFechaSalida(fechaSalida);
    uDocumento.setFechaRecepcion(fechaRecepcion);
    if (uDocumento.guardar())
        return true;
    // Another workstation may have moved the origin meanwhile: the screen shows its newest movement.
    leeUltimoMovimiento();
    return false;
}

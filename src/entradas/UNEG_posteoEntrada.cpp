#include "entradas/UNEG_posteoEntrada.h"

#include "comun/UMOD_propiedadesAdicionales.h"
#include "comun/U_utilerias.h"
#include "datos/UcodigosInventario.h"
#include "datos/UinsercionMultiple.h"
#include "kardex/U_saldoPromedio.h"

#include <vector>

TposteoEntrada::TposteoEntrada(TConexionSesion *sesion, int idNegocio, int metodoKardex,
                               const TconceptoMovimiento &concepto, const TdatosEntrada &datos,
                               const QVector<double> &cantidades)
    : uEntradas(sesion), uExistencias(uEntradas, datos.almacenID), uNegocio(idNegocio), uMetodo(metodoKardex),
      uConcepto(concepto), uDatos(datos), uCantidades(cantidades) {}

TfinPosteo TposteoEntrada::escribe() {
    const TfechaPosteo fecha{uDatos.almacenID, uDatos.fechaHora,
                             QStringLiteral("Revise fecha/hora de entrada"), true};
    return u_posteaEnTransaccion(
        uEntradas, uNegocio, [this](TintentoPosteo &intento) { return escribeDocumento(intento); }, &fecha);
}

// The receipt rows go first, several to a statement, and their ids are read back; then what ties
// to them (ledger rows, links, optional data) and the stock rows, the bulk ones held to the end.
bool TposteoEntrada::escribeDocumento(TintentoPosteo &intento) {
    uCorrida.clear();
    uKardex.descarta();
    uExistencias.descarta();
    const CmidTierResponse ultimo = uEntradas.selectUltimoIdDocumentoEntrada(uNegocio);
    if (!intento.ok(ultimo) || !intento.escrito(leeProductos()))
        return false;
    uDocumento = int(ultimo.getScalarAsInt()) + 1;
    uEntradasPorLinea.fill(0, uDatos.lineas.size());
    QVector<int> escritas;
    QVector<TkardexRenglon> renglones;
    TinsercionMultiple filas(uEntradas, QStringLiteral("inventarioEntrada"), Tentradas::columnasEntrada());
    for (int i = 0; i < uDatos.lineas.size(); ++i) {
        const TlineaEntrada &linea = uDatos.lineas[i];
        if (!u_esPositivo(uCantidades[i]))
            continue;
        acumula(linea, uCantidades[i]);
        if (!intento.escrito(filas.agrega(Tentradas::valoresEntrada(filaEntrada(linea, uCantidades[i])))))
            return false;
        renglones << renglonKardex(linea, uCantidades[i]);
        const tProductoE &corrida = uCorrida[linea.productoID];
        uExistencias.fija(linea.productoID, corrida.idExistencia, corrida.existencia);
        escritas << i;
    }
    if (!intento.escrito(filas.vacia() && leeIds(escritas, filas)))
        return false;
    TinsercionMultiple proveedores(uEntradas, QStringLiteral("inventarioEntradaProveedor"),
                                   {QStringLiteral("inventarioEntrada_id"), QStringLiteral("proveedor_id")});
    for (int k = 0; k < escritas.size(); ++k) {
        const TlineaEntrada &linea = uDatos.lineas[escritas[k]];
        const int idEntrada = uEntradasPorLinea[escritas[k]];
        if (!escribeKardex(intento, linea, renglones[k], idEntrada))
            return false;
        if (uConcepto.familia == kFamiliaDevolucionSalida &&
            !intento.ok(uEntradas.insertEntradaAdicional(idEntrada, uDatos.movimientoSalidaIDdevolucion)))
            return false;
        if (!intento.escrito(proveedores.agrega({idEntrada, uDatos.proveedorID})) ||
            !escribeInformacion(intento, linea, idEntrada))
            return false;
    }
    return intento.escrito(proveedores.vacia() && uKardex.escribe() && uExistencias.escribe()) &&
           (!uAdicional || uAdicional(intento, uEntradas));
}

bool TposteoEntrada::leeProductos() {
    QVector<int> productos;
    for (int i = 0; i < uDatos.lineas.size(); ++i)
        if (u_esPositivo(uCantidades[i]) && !productos.contains(uDatos.lineas[i].productoID))
            productos << uDatos.lineas[i].productoID;
    QHash<int, TestadoProducto> estados;
    if (!uEntradas.leeEstados(uDatos.almacenID, productos, uNegocio, estados))
        return false;
    for (const int producto : std::as_const(productos)) {
        const TestadoProducto e = estados.value(producto);
        uCorrida.insert(producto, {e.existencia.existencia, 0.0, e.costoTotal, e.idExistencia, e.grupo});
    }
    return true;
}

void TposteoEntrada::acumula(const TlineaEntrada &linea, double cantidad) {
    tProductoE &corrida = uCorrida[linea.productoID];
    if (uMetodo == kMetodoPEPS) {
        corrida.existencia += cantidad;
        corrida.total += linea.costoUnitario * cantidad;
        corrida.costoUnitario = linea.costoUnitario;
        return;
    }
    TsaldoPromedio saldo{corrida.existencia, corrida.costoUnitario, corrida.total};
    saldo.recibe(cantidad, linea.costoUnitario);
    corrida.existencia = saldo.existencia;
    corrida.costoUnitario = saldo.costoUnitario;
    corrida.total = saldo.costoTotal;
}

TinventarioEntrada TposteoEntrada::filaEntrada(const TlineaEntrada &linea, double cantidad) const {
    const tProductoE corrida = uCorrida.value(linea.productoID);
    TinventarioEntrada e;
    e.documento = uDocumento;
    e.fechaHora = uDatos.fechaHora;
    e.productoID = linea.productoID;
    e.almacenID = uDatos.almacenID;
    e.cantidad = cantidad;
    e.existencia = cantidad;
    e.idComprobante = uDatos.comprobante.valido() ? uDatos.comprobante.idComprobante : 0;
    e.numeroOrden = uDatos.numeroOrden;
    e.unidadRecibidaID = linea.unidadRecibidaID;
    e.factorConversion = linea.factorConversion;
    e.conceptoID = uConcepto.id;
    e.existenciaTotal = corrida.existencia;
    e.costoUnitario = linea.costoUnitario;
    e.existenciaCostoUnitario = corrida.costoUnitario;
    e.existenciaCostoTotal = corrida.total;
    e.negocioID = uNegocio;
    return e;
}

bool TposteoEntrada::leeIds(const QVector<int> &lineas, const TinsercionMultiple &filas) {
    // A single row written by a single statement: its id is the one the engine just gave.
    if (lineas.size() == 1 && filas.filasEscritas() == 1 && filas.ultimoIdInsertado() > 0) {
        uEntradasPorLinea[lineas[0]] = int(filas.ultimoIdInsertado());
        return true;
    }
    // The document number was taken under the lock: the document's rows are the ones just written,
    // in the order written.
    const CmidTierResponse ids = uEntradas.selectIdsDocumento(uDocumento, uNegocio);
    if (!ids.isSuccess() || ids.getRowCount() != lineas.size())
        return false;
    for (int k = 0; k < lineas.size(); ++k)
        uEntradasPorLinea[lineas[k]] = int(ids.getCeldaAsInt(k, 0));
    return true;
}

TkardexRenglon TposteoEntrada::renglonKardex(const TlineaEntrada &linea, double cantidad) const {
    const tProductoE corrida = uCorrida.value(linea.productoID);
    TkardexRenglon r;
    r.fechaHora = uDatos.fechaHora;
    r.productoID = linea.productoID;
    r.almacenID = uDatos.almacenID;
    r.documentoEntrada = uDocumento;
    r.negocioID = uNegocio;
    // A return shows on the issue side with a negative quantity.
    if (uConcepto.familia == kFamiliaDevolucionSalida) {
        r.salidaCantidad = -cantidad;
        r.salidaCostoUnitario = linea.costoUnitario;
    } else {
        r.entradaCantidad = cantidad;
        r.entradaCostoUnitario = linea.costoUnitario;
    }
    if (uMetodo != kMetodoPEPS) {
        r.totalCantidad = corrida.existencia;
        r.totalCostoUnitario = corrida.costoUnitario;
        r.totalExistencia = corrida.total;
        return r;
    }
    // Under PEPS the row shows its own layer, which holds the quantity just received.
    r.totalCantidad = cantidad;
    r.totalCostoUnitario = linea.costoUnitario;
    return r;
}

bool TposteoEntrada::escribeKardex(TintentoPosteo &intento, const TlineaEntrada &linea, TkardexRenglon r,
                                   int idEntrada) {
    r.entradaID = idEntrada;
    if (uMetodo != kMetodoPEPS) {
        uKardex.agrega(r);
        return true;
    }
    const bool devolucion = uConcepto.familia == kFamiliaDevolucionSalida;
    QMap<int, tCapa> capas;
    if (devolucion) {
        r.division = 1;
        if (!intento.ok(uEntradas.capasAbiertas(linea.productoID, uDatos.almacenID, uNegocio, capas)))
            return false;
    }
    const int grupo = uCorrida[linea.productoID].grupo;
    r.grupo = grupo;
    uKardex.agrega(r);
    if (devolucion)
        escribeRevisiones(capas, grupo, idEntrada);
    return true;
}

// The other open layers after a return, in ascending receipt id, in the group after the return's
// (`grupo`, the newest group of the product, which the return's row just joined); that group
// becomes the product's newest.
void TposteoEntrada::escribeRevisiones(QMap<int, tCapa> capas, int grupo, int idEntrada) {
    capas.remove(idEntrada);
    for (const tCapa &capa : std::as_const(capas))
        uKardex.agrega(renglonKardex::revisionDeCapa(capa, uDatos.fechaHora, grupo + 1));
    if (!capas.isEmpty())
        uCorrida[capas.first().productoID].grupo = grupo + 1;
}

bool TposteoEntrada::escribeInformacion(TintentoPosteo &intento, const TlineaEntrada &linea, int idEntrada) {
    const TEntradaInformacionOpcional &info = linea.informacion;
    if (info.pedimento.capturado()) {
        Tpedimento pedimento = info.pedimento;
        pedimento.inventarioEntrada_id = idEntrada;
        if (!intento.ok(uEntradas.insertPedimento(pedimento)))
            return false;
    }
    if (info.lote.capturado()) {
        Tlote lote = info.lote;
        lote.inventarioEntrada_id = idEntrada;
        if (!intento.ok(uEntradas.insertLote(lote)))
            return false;
    }
    if (!info.noSerie.isEmpty()) {
        std::vector<TnoSerieNuevo> series;
        series.reserve(info.noSerie.size());
        for (const QString &numero : info.noSerie)
            series.push_back({idEntrada, numero});
        if (!intento.ok(uSeries.insertNoSeries(series, uNegocio)))
            return false;
    }
    for (auto it = info.propiedadesAdicionales.cbegin(); it != info.propiedadesAdicionales.cend(); ++it) {
        const int idPropiedad = u_idPropiedad(it.key());
        if (idPropiedad > 0 && !it.value().isEmpty() &&
            !intento.ok(uEntradas.insertProductoPropiedad(idEntrada, idPropiedad, it.value())))
            return false;
    }
    return true;
}

bool u_contabilizaEntrada(const TdatosEntrada &datos, const QVector<double> &cantidades,
                          const TAsientoBasico &asiento, TConexionSesion *sesion, int idNegocio,
                          QString &error) {
    QList<TActivoconcepto> conceptos;
    for (int i = 0; i < datos.lineas.size() && i < cantidades.size(); ++i) {
        if (!u_esPositivo(cantidades[i]))
            continue;
        const TlineaEntrada &l = datos.lineas[i];
        TActivoconcepto c;
        c.setDescripcion(l.producto);
        c.setSubtotal(cantidades[i] * l.costoUnitario);
        c.setAsientoBasico(asiento);
        c.setComprobante(datos.comprobante);
        conceptos.append(c);
    }
    return u_contabiliza(conceptos, datos.fechaHora.date(), sesion, idNegocio, error);
}

#include "entradas/UNEG_posteoEntrada.h"

#include "comun/UMOD_propiedadesAdicionales.h"
#include "comun/U_utilerias.h"
#include "datos/UcodigosInventario.h"
#include "kardex/U_saldoPromedio.h"

TposteoEntrada::TposteoEntrada(TConexionSesion *sesion, int idNegocio, int metodoKardex,
                               const TconceptoMovimiento &concepto, const TdatosEntrada &datos,
                               const QVector<double> &cantidades)
    : uEntradas(sesion), uNegocio(idNegocio), uMetodo(metodoKardex), uConcepto(concepto), uDatos(datos),
      uCantidades(cantidades) {}

TfinPosteo TposteoEntrada::escribe() {
    const TfechaPosteo fecha{uDatos.almacenID, uDatos.fechaHora,
                             QStringLiteral("Revise fecha/hora de entrada"), true};
    return u_posteaEnTransaccion(
        uEntradas, uNegocio, [this](TintentoPosteo &intento) { return escribeDocumento(intento); }, &fecha);
}

bool TposteoEntrada::escribeDocumento(TintentoPosteo &intento) {
    uCorrida.clear();
    uKardex.descarta();
    const CmidTierResponse ultimo = uEntradas.selectUltimoIdDocumentoEntrada(uNegocio);
    if (!intento.ok(ultimo))
        return false;
    uDocumento = int(ultimo.getScalarAsInt()) + 1;
    uEntradasPorLinea.fill(0, uDatos.lineas.size());
    for (int i = 0; i < uDatos.lineas.size(); ++i) {
        if (!u_esPositivo(uCantidades[i]))
            continue;
        uEntradasPorLinea[i] = escribeLinea(intento, uDatos.lineas[i], uCantidades[i]);
        if (uEntradasPorLinea[i] <= 0)
            return false;
    }
    return intento.escrito(uKardex.escribe()) && (!uAdicional || uAdicional(intento, uEntradas));
}

bool TposteoEntrada::acumula(TintentoPosteo &intento, const TlineaEntrada &linea, double cantidad) {
    auto corrida = uCorrida.find(linea.productoID);
    if (corrida == uCorrida.end()) {
        TexistenciaAlmacen x;
        TsaldoMovimiento saldo;
        if (!intento.ok(uEntradas.selectExistencia(uDatos.almacenID, linea.productoID, uNegocio, x)) ||
            !intento.ok(
                uEntradas.selectSaldoUltimoMovimiento(linea.productoID, uDatos.almacenID, uNegocio, saldo)))
            return false;
        corrida = uCorrida.insert(linea.productoID, {x.existencia, 0.0, saldo.costoTotal, x.existe});
    }
    if (uMetodo == kMetodoPEPS) {
        corrida->existencia += cantidad;
        corrida->total += linea.costoUnitario * cantidad;
        corrida->costoUnitario = linea.costoUnitario;
        return true;
    }
    TsaldoPromedio saldo{corrida->existencia, corrida->costoUnitario, corrida->total};
    saldo.recibe(cantidad, linea.costoUnitario);
    corrida->existencia = saldo.existencia;
    corrida->costoUnitario = saldo.costoUnitario;
    corrida->total = saldo.costoTotal;
    return true;
}

int TposteoEntrada::escribeLinea(TintentoPosteo &intento, const TlineaEntrada &linea, double cantidad) {
    if (!acumula(intento, linea, cantidad))
        return 0;
    const tProductoE &corrida = uCorrida[linea.productoID];
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
    const CmidTierResponse fila = uEntradas.insertEntrada(e);
    if (!intento.ok(fila))
        return 0;
    const int idEntrada = int(fila.getIdInsertado());
    if (!escribeKardex(intento, linea, cantidad, idEntrada))
        return 0;
    if (uConcepto.familia == kFamiliaDevolucionSalida &&
        !intento.ok(uEntradas.insertEntradaAdicional(idEntrada, uDatos.movimientoSalidaIDdevolucion)))
        return 0;
    if (!intento.ok(uEntradas.insertProveedor(idEntrada, uDatos.proveedorID)))
        return 0;
    return escribeInformacion(intento, linea, idEntrada) && escribeExistencia(intento, linea.productoID)
               ? idEntrada
               : 0;
}

bool TposteoEntrada::escribeKardex(TintentoPosteo &intento, const TlineaEntrada &linea, double cantidad,
                                   int idEntrada) {
    const bool devolucion = uConcepto.familia == kFamiliaDevolucionSalida;
    const tProductoE &corrida = uCorrida[linea.productoID];
    TkardexRenglon r;
    r.fechaHora = uDatos.fechaHora;
    r.productoID = linea.productoID;
    r.almacenID = uDatos.almacenID;
    r.entradaID = idEntrada;
    r.documentoEntrada = uDocumento;
    r.negocioID = uNegocio;
    // A return shows on the issue side with a negative quantity.
    if (devolucion) {
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
        uKardex.agrega(r);
        return true;
    }
    // Under PEPS the row shows its own layer, which holds the quantity just received.
    r.totalCantidad = cantidad;
    r.totalCostoUnitario = linea.costoUnitario;
    QMap<int, tCapa> capas;
    if (devolucion) {
        r.division = 1;
        if (!intento.ok(uEntradas.capasAbiertas(linea.productoID, uDatos.almacenID, uNegocio, capas)))
            return false;
    }
    int grupo = 0;
    if (!ultimoGrupo(intento, linea.productoID, grupo))
        return false;
    r.grupo = grupo;
    uKardex.agrega(r);
    if (devolucion)
        escribeRevisiones(capas, grupo, idEntrada);
    return true;
}

bool TposteoEntrada::ultimoGrupo(TintentoPosteo &intento, int idProducto, int &grupo) {
    tProductoE &corrida = uCorrida[idProducto];
    if (corrida.grupo < 0 &&
        !intento.ok(uEntradas.ultimoGrupo(uDatos.almacenID, idProducto, uNegocio, corrida.grupo)))
        return false;
    grupo = corrida.grupo;
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
    for (const QString &numero : info.noSerie)
        if (!intento.ok(uSeries.insertNoSerie(idEntrada, numero, uNegocio)))
            return false;
    for (auto it = info.propiedadesAdicionales.cbegin(); it != info.propiedadesAdicionales.cend(); ++it) {
        const int idPropiedad = u_idPropiedad(it.key());
        if (idPropiedad > 0 && !it.value().isEmpty() &&
            !intento.ok(uEntradas.insertProductoPropiedad(idEntrada, idPropiedad, it.value())))
            return false;
    }
    return true;
}

bool TposteoEntrada::escribeExistencia(TintentoPosteo &intento, int idProducto) {
    tProductoE &corrida = uCorrida[idProducto];
    if (corrida.existeRenglon)
        return intento.ok(
            uEntradas.updateExistencia(uDatos.almacenID, idProducto, corrida.existencia, uNegocio));
    corrida.existeRenglon = true;
    return intento.ok(uEntradas.insertExistencia(uDatos.almacenID, idProducto, corrida.existencia, uNegocio));
}

bool u_contabilizaEntrada(const TdatosEntrada &datos, const QVector<double> &cantidades, int idAsiento,
                          TConexionSesion *sesion, int idNegocio, QString &error) {
    const TAsientoBasico asiento = getAsientosBasicosByIdAndNegocio(idAsiento, idNegocio, sesion);
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

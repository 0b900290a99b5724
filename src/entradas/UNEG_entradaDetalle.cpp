#include "entradas/UNEG_entradaDetalle.h"

#include "comun/UMOD_capturaCatalogos.h"
#include "comun/UNEG_noSeries.h"
#include "comun/UNEG_numerosSerie.h"
#include "comun/U_comprobante.h"
#include "comun/U_mensajes.h"
#include "comun/U_utilerias.h"
#include "datos/ULog.h"
#include "datos/UfechaHora.h"
#include "entradas/UNEG_entradasConsulta.h"
#include "entradas/UNEG_propiedadesEntrada.h"

#include <algorithm>

namespace {
QString fecha(const CmidTierResponse &r, const QString &alias, const QString &formato) {
    if (r.esNulo(0, alias))
        return {};
    const QDateTime f = fechaHora::deValorBD(r.getValor(0, alias));
    return f.isValid() ? f.toString(formato) : QString();
}

// Both parts or nothing: a lone part joined to nothing would read as a whole serie-folio.
QString serieFolio(const QString &serie, const QString &folio) {
    if (!serie.isEmpty() && !folio.isEmpty())
        return serie + QLatin1Char('-') + folio;
    return {};
}

TparesDetalle valoresEntrada(const CmidTierResponse &r) {
    const auto c = [&r](const char *alias) {
        return r.esNulo(0, QString::fromLatin1(alias)) ? QString()
                                                       : r.getCelda(0, QString::fromLatin1(alias));
    };
    const auto n = [&r](const char *alias) {
        return r.esNulo(0, QString::fromLatin1(alias))
                   ? QString()
                   : FloatToStr(r.getCeldaAsFloat(0, QString::fromLatin1(alias)));
    };
    return {
        {QStringLiteral("Entrada No."), c("inventarioEntrada_documento")},
        {QStringLiteral("Fecha/Hora"),
         fecha(r, QStringLiteral("inventarioEntrada_fechaHora"), QStringLiteral("dd/MM/yyyy HH:mm:ss"))},
        {QStringLiteral("Almacén"), c("inventarioAlmacen_nombre")},
        {QStringLiteral("Categoría"), c("inventarioCategoria_etiqueta")},
        {QStringLiteral("Producto"), c("inventarioProducto_nombre")},
        {QStringLiteral("Precio Unitario"),
         u_formatoMoneda(r.getCeldaAsFloat(0, QStringLiteral("inventarioEntrada_costoUnitario")))},
        {QStringLiteral("Cantidad"), n("inventarioEntrada_cantidad")},
        {QStringLiteral("Existencia"), n("inventarioEntrada_existencia")},
        {QStringLiteral("UUID Comprobante"), c("comprobante_uuid")},
        {QStringLiteral("Serie - Folio"), serieFolio(c("comprabante_serie"), c("comprabante_folio"))},
        {QStringLiteral("Orden de Compra"), c("inventarioEntrada_numeroOrden")},
        {QStringLiteral("Unidad de Compra"), c("uniadesMedidaEntrada_descripcion")},
        {QStringLiteral("Factor de Conversión"), n("inventarioEntrada_factorConversion")},
        {QStringLiteral("Unidad de Almacenamiento"), c("uniadesMedidaCatalogo_descripcion")},
        {QStringLiteral("Proveedor"), c("emisor_nombre")},
    };
}

TparesDetalle pedimento(const CmidTierResponse &r) {
    const bool hay = r.getRowCount() > 0;
    const QString aduana = hay ? r.getCelda(0, QStringLiteral("inventarioPedimento_aduana")) : QString();
    return {
        {QStringLiteral("Fecha Expedición"),
         hay ? fecha(r, QStringLiteral("inventarioPedimento_fechaDeAduana"), QStringLiteral("dd/MM/yyyy"))
             : QString()},
        {QStringLiteral("Número Pedimento"),
         hay ? r.getCelda(0, QStringLiteral("inventarioPedimento_numeroPedimento")) : QString()},
        {QStringLiteral("Aduana"), aduana == QLatin1String("-1") ? QString() : aduana},
        {QStringLiteral("País de Orígen"),
         hay ? r.getCelda(0, QStringLiteral("inventarioPedimento_paisOrigen")) : QString()},
    };
}

TparesDetalle lote(const CmidTierResponse &r) {
    const bool hay = r.getRowCount() > 0;
    // A date shows only when the lot says it was given.
    const auto fechaDada = [&](const char *alias, const char *bandera) {
        return hay && r.getCeldaAsBool(0, QString::fromLatin1(bandera))
                   ? fecha(r, QString::fromLatin1(alias), QStringLiteral("dd/MM/yyyy"))
                   : QString();
    };
    return {
        {QStringLiteral("No. Lote"),
         hay ? r.getCelda(0, QStringLiteral("inventarioLote_numero")) : QString()},
        {QStringLiteral("Fecha de Producción"),
         fechaDada("inventarioLote_fechaProduccion", "inventarioLote_fechaProduccionEstablecida")},
        {QStringLiteral("Fecha de Caducidad"),
         fechaDada("inventarioLote_fechaCaducidad", "inventarioLote_fechaCaducidadEstablecida")},
    };
}

// Ends a failed change: rolls back and answers false.
bool deshaz(TmiddleTier &t) {
    t.transaccionRollback();
    return false;
}
} // namespace

TdetalleEntrada u_cargaDetalleEntrada(TConexionSesion *sesion, int idEntrada, int idNegocio) {
    TdetalleEntrada d;
    TentradasConsulta t(sesion);
    const CmidTierResponse r = t.selectEntrada(idEntrada, idNegocio);
    if (!r.isSuccess() || r.getRowCount() == 0)
        return d;
    d.id = idEntrada;
    d.documento = int(r.getCeldaAsInt(0, QStringLiteral("inventarioEntrada_documento")));
    d.fechaHora = fechaHora::deValorBD(r.getValor(0, QStringLiteral("inventarioEntrada_fechaHora")));
    d.producto = r.getCelda(0, QStringLiteral("inventarioProducto_nombre"));
    d.categoriaIdentidad = r.getCelda(0, QStringLiteral("inventarioCategoria_identidad"));
    d.costoUnitario = r.getCeldaAsFloat(0, QStringLiteral("inventarioEntrada_costoUnitario"));
    d.controladoNoSerie = r.getCeldaAsInt(0, QStringLiteral("inventarioProducto_opControladoNoSerie")) == 1;
    d.idComprobante = int(r.getCeldaAsInt(0, QStringLiteral("inventarioEntrada_idComprobante")));
    d.idRelacionProveedor = int(r.getCeldaAsInt(0, QStringLiteral("inventarioEntradaProveedor_id")));
    d.valores = valoresEntrada(r);

    TnoSeries s(sesion);
    TpropiedadesEntrada v(sesion);
    const CmidTierResponse capa = s.selectElementosEntrantesPorCapa(idEntrada, idNegocio);
    const CmidTierResponse ped = t.selectPedimento(idEntrada, idNegocio);
    const CmidTierResponse lot = t.selectLote(idEntrada, idNegocio);
    const CmidTierResponse series = s.selectNoSeriePorEntrada(idEntrada, idNegocio);
    const CmidTierResponse propiedades = v.selectAdicionales(d.categoriaIdentidad, idNegocio);
    const CmidTierResponse valores = v.selectValores(idEntrada, idNegocio);
    if (!capa.isSuccess() || !ped.isSuccess() || !lot.isSuccess() || !series.isSuccess() ||
        !propiedades.isSuccess() || !valores.isSuccess())
        return d;
    const double unidades = capa.getScalar().toDouble();
    d.elementosPorCapa = unidades > 0 ? int(std::min(unidades + kToleranciaCantidad, 1e9)) : 0;
    d.pedimento = pedimento(ped);
    d.lote = lote(lot);
    for (int f = 0; f < series.getRowCount(); ++f)
        d.series.append({int(series.getCeldaAsInt(f, QStringLiteral("inventarioNoSerie_id"))),
                         series.getCelda(f, QStringLiteral("inventarioNoSerie_numero")),
                         series.getCelda(f, QStringLiteral("inventarioNoSeriEstado_etiqueta")),
                         series.getCeldaAsInt(f, QStringLiteral("inventarioNoSerieEstado_id")) == 1});
    QHash<int, QString> guardados;
    for (int f = 0; f < valores.getRowCount(); ++f)
        guardados.insert(int(valores.getCeldaAsInt(f, QStringLiteral("inventarioPropiedadListado_id"))),
                         valores.getCelda(f, QStringLiteral("inventarioProductoPropiedad_valor")));
    for (int f = 0; f < propiedades.getRowCount(); ++f) {
        const int id = int(propiedades.getCeldaAsInt(f, QStringLiteral("inventarioPropiedadListado_id")));
        d.propiedades.append({id,
                              propiedades.getCelda(f, QStringLiteral("inventarioPropiedadListado_nombre")),
                              guardados.value(id)});
    }
    d.existe = true;
    return d;
}

bool u_cambiaProveedorEntrada(TConexionSesion *sesion, const TdetalleEntrada &detalle, int idProveedor,
                              int idNegocio) {
    if (!detalle.existe || detalle.tieneComprobante() || idProveedor < 1)
        return false;
    TentradasConsulta t(sesion);
    if (!t.transaccionInicia())
        return false;
    if (!t.deleteEntradaProveedor(detalle.id, idNegocio).isSuccess() ||
        !t.insertEntradaProveedor(detalle.id, idProveedor, idNegocio).isSuccess())
        return deshaz(t);
    return t.transaccionTermina();
}

bool u_vinculaComprobanteEntrada(TConexionSesion *sesion, const TdetalleEntrada &detalle, int idComprobante,
                                 int idNegocio) {
    if (!detalle.existe || !getComprobanteById(idComprobante, idNegocio, sesion).valido())
        return false;
    TentradasConsulta t(sesion);
    if (!t.transaccionInicia())
        return false;
    // Every provider link goes: an invoiced receipt takes its provider from the invoice.
    if (!t.deleteEntradaProveedor(detalle.id, idNegocio).isSuccess() ||
        !t.updateEntradaComprobanteID(detalle.id, idComprobante, idNegocio).isSuccess())
        return deshaz(t);
    return t.transaccionTermina();
}

bool u_eliminaNoSerieEntrada(TConexionSesion *sesion, const TdetalleEntrada &detalle,
                             const TnoSerieDetalle &serie, int idNegocio) {
    if (serie.estado != detalleEntrada::kEnAlmacen) {
        u_mensaje(detalleEntrada::kNoEliminable, kAdvertencia);
        return false;
    }
    if (!u_confirmaAceptarCancelar(detalleEntrada::kConfirmaEliminar))
        return false;
    // The statement itself keeps an issued number, should it have left since the list was read.
    if (!TnoSeries(sesion).deleteNoSerie(serie.id, detalle.id, idNegocio).isSuccess()) {
        u_mensaje(detalleEntrada::kNoEliminable, kAdvertencia);
        return false;
    }
    return true;
}

bool u_insertaListadoNoSerieEntrada(TConexionSesion *sesion, const TdetalleEntrada &detalle,
                                    const QString &texto, int idNegocio) {
    if (!detalle.existe || !detalle.controladoNoSerie)
        return false;
    QStringList capturados;
    for (const TnoSerieDetalle &s : detalle.series)
        capturados.append(s.numero);
    TnoSeries consulta(sesion);
    const CmidTierResponse fila = consulta.selectEntradaParaNoSerie(detalle.id, idNegocio);
    if (!fila.isSuccess() || fila.getRowCount() == 0)
        return false;
    const int idProducto = int(fila.getCeldaAsInt(0, QStringLiteral("inventarioProducto_id")));
    const noSerie::Tlistado listado = TcapturaNoSerie(sesion, idProducto, idNegocio)
                                          .analizaListado(texto, capturados, detalle.elementosPorCapa);
    if (!listado.mensaje.isEmpty()) {
        u_mensaje(listado.mensaje, kAdvertencia);
        return false;
    }
    if (listado.numeros.isEmpty() ||
        !u_confirmaAceptarCancelar(noSerie::confirmacionListado(listado.numeros.size())))
        return false;
    TnoSeries t(sesion);
    if (!t.transaccionInicia())
        return false;
    // The layer's room is read again inside the transaction: another workstation may have added some.
    const CmidTierResponse ahora = t.selectEntradaParaNoSerie(detalle.id, idNegocio);
    if (!ahora.isSuccess() || ahora.getCeldaAsInt(0, QStringLiteral("noSeries")) + listado.numeros.size() >
                                  detalle.elementosPorCapa) {
        deshaz(t);
        u_mensaje(noSerie::kExcedeCantidad, kAdvertencia);
        return false;
    }
    for (const QString &numero : listado.numeros) {
        if (!t.insertNoSerie(detalle.id, numero, idNegocio).isSuccess()) {
            deshaz(t);
            Log::log(QStringLiteral("inconveniente insertando no de serie por grupo:") + numero, 3);
            u_mensaje(noSerie::kNoGuardado, kError);
            return false;
        }
    }
    if (!t.transaccionTermina())
        return false;
    u_mensaje(detalleEntrada::kCompletado, kInformacion);
    return true;
}

bool u_guardaPropiedadesEntrada(TConexionSesion *sesion, int idEntrada,
                                const TpropiedadesAdicionales &valores, int idNegocio) {
    TpropiedadesEntrada t(sesion);
    if (!t.transaccionInicia())
        return false;
    for (auto it = valores.begin(); it != valores.end(); ++it) {
        const int id = u_idPropiedad(it.key());
        if (id <= 0)
            continue;
        const QString valor = it.value().trimmed().left(limites::kValorPropiedad);
        const CmidTierResponse guardado = t.selectPropiedad(idEntrada, id, idNegocio);
        if (!guardado.isSuccess())
            return deshaz(t);
        const CmidTierResponse r = guardado.getRowCount() > 0
                                       ? t.updatePropiedad(idEntrada, id, valor, idNegocio)
                                       : t.insertPropiedad(idEntrada, id, valor, idNegocio);
        if (!r.isSuccess())
            return deshaz(t);
    }
    return t.transaccionTermina();
}

cTabla u_tablaDetalleEntrada(const TdetalleEntrada &d) {
    cTabla tabla;
    tabla.addCabecera(QString(), kContenidoTexto, 250, kAlineaIzquierda);
    tabla.addCabecera(QString(), kContenidoTexto, 250, kAlineaIzquierda);
    TTabla filas;
    const auto pares = [&filas](const TparesDetalle &p) {
        for (const auto &par : p)
            filas.append({par.first, par.second});
    };
    const auto seccion = [&filas](const QString &titulo, const QString &segunda = {}) {
        filas.append({titulo, segunda});
        filas.append({detalleEntrada::kSeparador, QString()});
    };
    pares(d.valores);
    seccion(QStringLiteral("PEDIMENTO"));
    pares(d.pedimento);
    seccion(QStringLiteral("LOTE"));
    pares(d.lote);
    seccion(QStringLiteral("NO. DE SERIE"), QStringLiteral("ESTADO"));
    for (const TnoSerieDetalle &s : d.series)
        filas.append({s.numero, s.estado});
    seccion(QStringLiteral("PROPIEDADES ADICIONALES"));
    for (const TpropiedadDetalle &p : d.propiedades)
        filas.append({p.nombre, p.valor});
    tabla.setFilas(filas);
    return tabla;
}

RECficha u_fichaDetalleEntrada(const TdetalleEntrada &d) {
    RECficha ficha;
    ficha.titulo = QStringLiteral("Entrada de Producto al Almacén");
    ficha.anchos = {28, 30, 30};
    auto &filas = ficha.filas;
    const auto par = [&filas](const QString &etiqueta, const QString &valor) {
        filas.append({{etiqueta, kFichaEtiqueta}, {valor, kFichaTexto, 2}});
    };
    const auto seccion = [&filas](const QString &titulo, const QString &segunda = {}) {
        filas.append(TfilaFicha());
        filas.append(segunda.isEmpty() ? TfilaFicha{{titulo, kFichaSeccion, 3}}
                                       : TfilaFicha{{titulo, kFichaSeccion}, {segunda, kFichaSeccion, 2}});
    };
    filas.append({{ficha.titulo, kFichaTitulo, 3}});
    for (const auto &p : d.valores) {
        if (p.first == QLatin1String("Precio Unitario"))
            filas.append({{p.first, kFichaEtiqueta}, {p.second, kFichaMoneda, 2, d.costoUnitario}});
        else
            par(p.first, p.second);
    }
    seccion(QStringLiteral("Pedimento"));
    for (const auto &p : d.pedimento)
        par(p.first, p.second);
    seccion(QStringLiteral("Lote"));
    for (const auto &p : d.lote)
        par(p.first, p.second);
    seccion(QStringLiteral("No. Serie"), QStringLiteral("Estatus"));
    for (const TnoSerieDetalle &s : d.series)
        filas.append({{s.numero, kFichaTexto}, {s.estado, kFichaTexto, 2}});
    seccion(QStringLiteral("Propiedades Adicionales"));
    for (const TpropiedadDetalle &p : d.propiedades)
        par(p.nombre, p.valor);
    return ficha;
}

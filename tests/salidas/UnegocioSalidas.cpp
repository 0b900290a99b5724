#include "salidas/UnegocioSalidas.h"

#include "apoyo/UfilasPrueba.h"
#include "comun/U_archivosSalida.h"
#include "comun/U_semillas.h"

#include <QFile>

TnegocioSalidas::TnegocioSalidas(TbasePrueba &b, const QString &nombre)
    : base(b), n(b, TnegocioPrueba::Tlectura{nombre}), negocio(n.negocio()) {
    compruebaUnidadesMedidaDummyExiste(base.sesion(), negocio);
    pieza = n.valor(QStringLiteral("SELECT id FROM inventarioUnidadesMedida WHERE idNegocioFk = :negocio"))
                .toInt();
    centro = n.almacen(QStringLiteral("Bodega Centro"));
    norte = n.almacen(QStringLiteral("Bodega Norte"));
    venta = n.concepto(kConceptoSalida, kFamiliaOrdinaria, QStringLiteral("Venta"));
    merma = n.concepto(kConceptoSalida, kFamiliaOrdinaria, QStringLiteral("Merma"));
    n.fila(QStringLiteral("inventarioCategoria"),
           {{"identidad", "0A"}, {"etiqueta", "Fijación"}, {"identidadPadre", "0"}});
    tornillo = producto(QStringLiteral("Tornillo 1/4"), QStringLiteral("0A"));
    taquete = producto(QStringLiteral("Taquete 5/16"), QStringLiteral("0A"));
    pintura = producto(QStringLiteral("Pintura vinílica"));

    capaTornillo = capa(centro, tornillo, 10, 2.5);
    lote(capaTornillo, QStringLiteral("A1-7"), momento(-10, {8, 0}), momento(300, {0, 0}));
    capaTaquete = capa(centro, taquete, 20, 1.1);
    lote(capaTaquete, QStringLiteral("XA1"), {}, {});
    capaPintura = capa(norte, pintura, 5, 100.25);
    capaTornilloB = capa(centro, tornillo, 5, 2.6);
    lote(capaTornilloB, QStringLiteral("B22"), momento(-60, {8, 0}), {});
    capaTornilloC = capa(centro, tornillo, 5, 2.7);
    existencia(centro, tornillo, 4);
    existencia(centro, taquete, 6);
    // 5.6 is 5 as an integer: truncated on both engines, never rounded up.
    existencia(norte, pintura, 5.6);

    facturaUno = comprobante(QStringLiteral("11111111-AAAA-4AAA-8AAA-000000000001"), QStringLiteral("A"),
                             QStringLiteral("101"), QStringLiteral("Cliente Uno"));
    salida2 = salida(2, capaTaquete, 3, 1.1, momento(-1, {8, 0}), venta);
    salida3 = salida(3, capaPintura, 1, 100.25, momento(-1, {12, 0}), merma);
    salida5[0] = salida(5, capaTornillo, 1, 2.5, momento(0, {10, 0}), venta);
    salida5[1] = salida(5, capaTornilloB, 1, 2.6, momento(0, {10, 0}), venta);
    salida5[2] = salida(5, capaTornilloC, 1, 2.7, momento(0, {10, 0}), venta);
    salida1 = salida(1, capaTornillo, 2, 2.5, momento(0, QTime(23, 59, 59, 500)), venta, facturaUno);
    salida4 = salida(4, capaTornillo, 1, 2.5, momento(-3, {9, 0}), venta);
}

QDateTime TnegocioSalidas::momento(int dias, const QTime &hora) {
    return QDateTime(QDate::currentDate().addDays(dias), hora);
}

int TnegocioSalidas::producto(const QString &nombre, const QString &categoria) {
    TcamposPrueba campos{{"nombre", nombre}, {"unidadesMedida_id", pieza}};
    if (!categoria.isEmpty())
        campos.append({"inventarioCategoria_identidad", categoria});
    return n.fila(QStringLiteral("inventarioProducto"), campos);
}

int TnegocioSalidas::capa(int almacen, int producto, double cantidad, double costo) {
    return n.fila(QStringLiteral("inventarioEntrada"), {{"documento", 1},
                                                        {"fechaHora", QVariant(momento(-20, {9, 0}))},
                                                        {"inventarioAlmacen_id", almacen},
                                                        {"inventarioProducto_id", producto},
                                                        {"cantidad", cantidad},
                                                        {"costoUnitario", costo},
                                                        {"existencia", cantidad},
                                                        {"existenciaCostoUnitario", costo}});
}

void TnegocioSalidas::lote(int capa, const QString &numero, const QVariant &produccion,
                           const QVariant &caducidad) {
    const QVariant cualquiera = QVariant(momento(-15, {0, 0}));
    u_insertaFila(base.sesion(), QStringLiteral("inventarioLote"),
                  {{"inventarioEntrada_id", capa},
                   {"numero", numero},
                   {"fechaProduccion", produccion.isValid() ? produccion : cualquiera},
                   {"fechaCaducidad", caducidad.isValid() ? caducidad : cualquiera},
                   {"fechaProduccionEstablecida", produccion.isValid() ? 1 : 0},
                   {"fechaCaducidadEstablecida", caducidad.isValid() ? 1 : 0}});
}

int TnegocioSalidas::salida(int documento, int capa, double cantidad, double costo,
                            const QDateTime &fechaHora, int concepto, int comprobante) {
    return u_insertaSalida(base.sesion(), {{"documento", documento},
                                           {"fechaHora", QVariant(fechaHora)},
                                           {"inventarioEntrada_id", capa},
                                           {"idComprobante", comprobante},
                                           {"inventarioMovimientoConcepto_id", concepto},
                                           {"cantidad", cantidad},
                                           {"salidaCostoUnitario", costo},
                                           {"existenciaCostoUnitario", costo}});
}

void TnegocioSalidas::existencia(int almacen, int producto, double cantidad) {
    u_insertaFila(
        base.sesion(), QStringLiteral("inventarioExistencias"),
        {{"inventarioAlmacen_id", almacen}, {"inventarioProducto_id", producto}, {"existencia", cantidad}});
}

int TnegocioSalidas::comprobante(const QString &uuid, const QString &serie, const QString &folio,
                                 const QString &receptor) {
    const int idReceptor =
        n.fila(QStringLiteral("Receptor"), {{"nombre", receptor}, {"rfc", "XAXX010101000"}});
    return n.fila(QStringLiteral("Comprobante"), {{"uuid", uuid},
                                                  {"serie", serie},
                                                  {"folio", folio},
                                                  {"fecha", QVariant(momento(0, {9, 0}))},
                                                  {"tipo", 0},
                                                  {"total", 116.0},
                                                  {"receptor", idReceptor}});
}

int TnegocioSalidas::comprobanteDeSalida(int id) const {
    return u_valorConsulta(base.sesion(),
                           QStringLiteral("SELECT idComprobante FROM inventarioSalida WHERE id = :id"),
                           {{"id", id}})
        .toInt();
}

TventasPrueba u_creaVentas(TnegocioSalidas &t) {
    const TnegocioPrueba &n = t.n;
    TConexionSesion *s = n.sesion();
    TventasPrueba v;
    const auto kit = [&](const char *nombre, int clave) {
        return n.fila(QStringLiteral("ventasKit"),
                      {{"nombre", QString::fromUtf8(nombre)}, {"categoriaSAT33_id", clave}});
    };
    v.kit1 = kit("Kit fijación", 31161500);
    v.kit2 = kit("Kit pintor", 31211500);
    const QDateTime ayer = TnegocioSalidas::momento(-1, {13, 0});
    const auto cotizacion = [&](const QVariant &vendida) {
        return n.fila(QStringLiteral("ventasCotizacion"), {{"folio", 1},
                                                           {"fecha", QVariant(ayer)},
                                                           {"fechaVenta", vendida},
                                                           {"inventarioAlmacen_id", t.centro}});
    };
    // producto, kit, clave, cantidad, precio, descuento, importe, ivaT, marca
    const auto linea = [&](const QString &tabla, const QString &documento, int id, int producto, int kitId,
                           double cantidad, double precio, double descuento, double ivaT, int marca) {
        const bool esCotizacion = tabla == QLatin1String("ventasCotizacionDetalle");
        u_insertaFila(s, tabla,
                      {{documento, id},
                       {"inventarioProducto_id", producto},
                       {"ventasKit_id", kitId},
                       {"claveSATproductoServicio", "31161700"},
                       {"cantidad", cantidad},
                       {esCotizacion ? "precioLista" : "precio", precio},
                       {"descuento", descuento},
                       {"precioVenta", cantidad * precio},
                       {"ivaT", ivaT},
                       {esCotizacion ? "tipoInsercion" : "cabecera", marca}});
    };
    const QString detalleQ = QStringLiteral("ventasCotizacionDetalle");
    const QString detalleP = QStringLiteral("puntoOperacionDetalle");
    const int q1 = cotizacion(QVariant(ayer));
    linea(detalleQ, QStringLiteral("ventasCotizacion_id"), q1, t.tornillo, 0, 10, 2.5, 0, 4, 0);
    linea(detalleQ, QStringLiteral("ventasCotizacion_id"), q1, 0, v.kit1, 1, 50, 0, 8, 0);
    linea(detalleQ, QStringLiteral("ventasCotizacion_id"), q1, t.tornillo, v.kit1, 4, 0, 0, 0, 10);
    const int q2 = cotizacion(QVariant());
    linea(detalleQ, QStringLiteral("ventasCotizacion_id"), q2, t.tornillo, 0, 99, 2.5, 0, 0, 0);

    const int ticket =
        n.fila(QStringLiteral("puntoOperacion"), {{"folio", 7}, {"fechaHora", QVariant(ayer)}});
    n.fila(QStringLiteral("puntoOperacionComplementario"),
           {{"puntoOperacion_id", ticket}, {"inventarioAlmacen_id", t.centro}});
    linea(detalleP, QStringLiteral("puntoOperacion_id"), ticket, t.tornillo, 0, 5, 2.5, 2.5, 1.6, 0);
    linea(detalleP, QStringLiteral("puntoOperacion_id"), ticket, 0, v.kit2, 1, 50, 0, 8, 1);
    linea(detalleP, QStringLiteral("puntoOperacion_id"), ticket, t.pintura, v.kit2, 1, 0, 0, 0, 2);
    return v;
}

TentornoSalidas::TentornoSalidas() : base(std::make_unique<TbasePrueba>()) {
    if (!base->valida())
        return;
    if (!base->creaEsquema()) {
        uError = base->error();
        return;
    }
    negocio = std::make_unique<TnegocioSalidas>(*base);
    u_instalaDialogoGuardar([this](const QString &propuesto, const QString &) {
        propuestos << propuesto;
        return ruta;
    });
    u_instalaAbridorArchivo([](const QString &) {});
}

TentornoSalidas::~TentornoSalidas() {
    u_instalaDialogoGuardar({});
    u_instalaAbridorArchivo({});
}

QString TentornoSalidas::rutaSiguiente(const QString &nombre) {
    ruta = carpeta.filePath(nombre);
    QFile::remove(ruta);
    return ruta;
}

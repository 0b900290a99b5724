#pragma once

// A small shop with saved receipts, filled by SQL (the posting is not needed to read, list or
// amend receipts).
#include "apoyo/UnegocioPrueba.h"
#include "apoyo/UrevisionPDF.h"

#include <QDateTime>
#include <QStringList>

struct TentradaPrueba {
    int documento = 1;
    QDateTime fechaHora;
    int almacen = 0;
    int producto = 0;
    int concepto = 0;
    double cantidad = 1;
    double costo = 10;
    int comprobante = 0;
    int orden = 0;
    int proveedor = 0; // provider link, 0 none
    QString lote;
    QDate produccion; // invalid: not given
    QDate caducidad;
    QString pedimento;
    QStringList series;
    QStringList seriesConSalida;
};

class TnegocioEntradas {
public:
    TbasePrueba &base;
    TnegocioPrueba n;
    int negocio = 0;
    int bodega = 0, mostrador = 0;
    int pieza = 0, caja = 0;
    int tornillo = 0, laptop = 0;
    int compra = 0, muestras = 0;
    int proveedor = 0;
    int emisor = 0, factura = 0;
    int color = 0, garantia = 0; // the laptop category's properties

    TnegocioEntradas(TbasePrueba &b, const QString &nombre)
        : base(b), n(b, TnegocioPrueba::Tlectura{nombre}), negocio(n.negocio()) {
        bodega = n.almacen(QStringLiteral("Bodega"));
        mostrador = n.almacen(QStringLiteral("Mostrador"));
        pieza = n.fila(QStringLiteral("inventarioUnidadesMedida"),
                       {{QStringLiteral("descripcion"), QStringLiteral("Pieza")}});
        caja =
            n.fila(QStringLiteral("inventarioUnidadesMedida"),
                   {{QStringLiteral("descripcion"), QStringLiteral("Caja")}, {QStringLiteral("razon"), 12}});
        n.fila(QStringLiteral("inventarioCategoria"),
               {{QStringLiteral("identidad"), QStringLiteral("A")},
                {QStringLiteral("etiqueta"), QStringLiteral("Cómputo")}});
        color = n.fila(
            QStringLiteral("inventarioPropiedadListado"),
            {{QStringLiteral("nombre"), QStringLiteral("Color")}, {QStringLiteral("propiedadTipo_id"), 1}});
        garantia = n.fila(QStringLiteral("inventarioPropiedadListado"),
                          {{QStringLiteral("nombre"), QStringLiteral("Garantía")},
                           {QStringLiteral("propiedadTipo_id"), 1}});
        for (int p : {color, garantia})
            n.fila(QStringLiteral("inventarioCategoriaPropiedad"),
                   {{QStringLiteral("inventarioCategoria_identidad"), QStringLiteral("A")},
                    {QStringLiteral("inventarioPropiedadListado_id"), p}});
        tornillo = n.fila(QStringLiteral("inventarioProducto"),
                          {{QStringLiteral("nombre"), QStringLiteral("Tornillo 1/4")},
                           {QStringLiteral("unidadesMedida_id"), pieza}});
        laptop = n.fila(QStringLiteral("inventarioProducto"),
                        {{QStringLiteral("nombre"), QStringLiteral("Laptop 14\"")},
                         {QStringLiteral("unidadesMedida_id"), pieza},
                         {QStringLiteral("inventarioCategoria_identidad"), QStringLiteral("A")},
                         {QStringLiteral("opControladoNoSerie"), 1}});
        compra = n.concepto(kConceptoEntrada, kFamiliaOrdinaria, QStringLiteral("Compra"));
        muestras = n.concepto(kConceptoEntrada, kFamiliaOrdinaria, QStringLiteral("Muestras recibidas"));
        proveedor = n.fila(QStringLiteral("proveedor"),
                           {{QStringLiteral("nombre"), QStringLiteral("Aceros del Norte")},
                            {QStringLiteral("rfc"), QStringLiteral("ANO010101AB1")}});
        emisor =
            n.fila(QStringLiteral("Emisor"), {{QStringLiteral("nombre"), QStringLiteral("Cómputo Global")},
                                              {QStringLiteral("rfc"), QStringLiteral("CGL010101AB1")}});
        factura = n.fila(QStringLiteral("Comprobante"),
                         {{QStringLiteral("uuid"), QStringLiteral("AAAA1111-0000-4000-8000-000000000001")},
                          {QStringLiteral("serie"), QStringLiteral("F")},
                          {QStringLiteral("folio"), QStringLiteral("77")},
                          {QStringLiteral("fecha"), QDateTime(QDate::currentDate(), QTime(8, 0))},
                          {QStringLiteral("tipo"), 1},
                          {QStringLiteral("emisor"), emisor}});
    }

    // A purchase order of the business for the warehouse, delivered on `entrega`.
    int orden(const QString &nombreProveedor, const QString &rfc, const QDate &entrega,
              bool cancelada = false) {
        return n.fila(QStringLiteral("AF_OrdenesCompra"),
                      {{QStringLiteral("AF_IDProveedor"), proveedor},
                       {QStringLiteral("AF_NombreProveedor"), nombreProveedor},
                       {QStringLiteral("AF_RFCProveedor"), rfc},
                       {QStringLiteral("AF_FechaPedido"), QDateTime(entrega.addDays(-7), QTime(10, 0))},
                       {QStringLiteral("AF_FechaEntrega"), QDateTime(entrega, QTime(12, 0))},
                       {QStringLiteral("AF_MontoIVA"), 96},
                       {QStringLiteral("AF_TotalOrden"), 696},
                       {QStringLiteral("AF_cancelada"), cancelada ? 1 : 0}});
    }
    // A line of the order: `cantidad` requested for `total`.
    int lineaOrden(int numero, const QString &descripcion, double cantidad, double total) {
        return u_insertaFila(n.sesion(), QStringLiteral("AF_ArticulosOrdenesCompra"),
                             {{QStringLiteral("AF_NumeroOrden"), numero},
                              {QStringLiteral("AF_CantidadSolicitada"), cantidad},
                              {QStringLiteral("AF_DescripcionArticulo"), descripcion},
                              {QStringLiteral("AF_PrecioUnitario"), total / cantidad},
                              {QStringLiteral("AF_PrecioTotal"), total}});
    }

    int entrada(TentradaPrueba e) {
        TConexionSesion *s = n.sesion();
        if (!e.fechaHora.isValid())
            e.fechaHora = QDateTime(QDate::currentDate(), QTime(9, 30));
        const int id =
            n.fila(QStringLiteral("inventarioEntrada"),
                   {{QStringLiteral("documento"), e.documento},
                    {QStringLiteral("fechaHora"), e.fechaHora},
                    {QStringLiteral("inventarioAlmacen_id"), e.almacen ? e.almacen : bodega},
                    {QStringLiteral("inventarioProducto_id"), e.producto ? e.producto : tornillo},
                    {QStringLiteral("inventarioMovimientoConcepto_id"), e.concepto ? e.concepto : compra},
                    {QStringLiteral("cantidad"), e.cantidad},
                    {QStringLiteral("existencia"), e.cantidad},
                    {QStringLiteral("costoUnitario"), e.costo},
                    {QStringLiteral("existenciaCostoUnitario"), e.costo},
                    {QStringLiteral("idComprobante"), e.comprobante},
                    {QStringLiteral("AF_numeroOrden"), e.orden},
                    {QStringLiteral("unidadesMedida_id"), caja},
                    {QStringLiteral("factorConversion"), 12}});
        if (e.proveedor)
            u_insertaFila(s, QStringLiteral("inventarioEntradaProveedor"),
                          {{QStringLiteral("inventarioEntrada_id"), id},
                           {QStringLiteral("proveedor_id"), e.proveedor}});
        if (!e.lote.isEmpty()) {
            TcamposPrueba lote = {{QStringLiteral("inventarioEntrada_id"), id},
                                  {QStringLiteral("numero"), e.lote}};
            if (e.produccion.isValid())
                lote << qMakePair(QStringLiteral("fechaProduccion"),
                                  QVariant(QDateTime(e.produccion, QTime(0, 0))))
                     << qMakePair(QStringLiteral("fechaProduccionEstablecida"), QVariant(1));
            if (e.caducidad.isValid())
                lote << qMakePair(QStringLiteral("fechaCaducidad"),
                                  QVariant(QDateTime(e.caducidad, QTime(0, 0))))
                     << qMakePair(QStringLiteral("fechaCaducidadEstablecida"), QVariant(1));
            u_insertaFila(s, QStringLiteral("inventarioLote"), lote);
        }
        if (!e.pedimento.isEmpty())
            u_insertaFila(s, QStringLiteral("inventarioPedimento"),
                          {{QStringLiteral("inventarioEntrada_id"), id},
                           {QStringLiteral("numeroPedimento"), e.pedimento},
                           {QStringLiteral("aduana"), 47},
                           {QStringLiteral("paisOrigen"), QStringLiteral("China")}});
        for (const QString &n : std::as_const(e.series))
            u_insertaFila(s, QStringLiteral("inventarioNoSerie"),
                          {{QStringLiteral("inventarioEntrada_id"), id}, {QStringLiteral("numero"), n}});
        for (const QString &n : std::as_const(e.seriesConSalida))
            u_insertaFila(s, QStringLiteral("inventarioNoSerie"),
                          {{QStringLiteral("inventarioEntrada_id"), id},
                           {QStringLiteral("numero"), n},
                           {QStringLiteral("inventarioNoSerieEstado_id"), 2},
                           {QStringLiteral("inventarioSalida_id"), 1}});
        return id;
    }
};

#include "datos/Uesquema.h"

#include "datos/UcodigosInventario.h"
// Every table of the module and of the suite's stand-ins, by version. A new version appends a
// step; a released step is never edited.
//
// Conventions: the primary key is `id` unless the suite names it otherwise; a foreign key is the
// target table's name followed by _id; `idNegocioFk` is the owning business. No FOREIGN KEY
// constraints: several columns carry sentinels (0 or -1 for "no invoice", "no order", concept 0
// when a system concept is missing) that a constraint would refuse. Text that is indexed or
// compared is VARCHAR, because MariaDB cannot index TEXT without a prefix.

namespace {

using esquema::Tindice;
using esquema::Ttabla;

// The suite around the module: business, branches, customers, providers, invoices, accounting and
// purchase orders. The module reads these; the stand-ins in src/comun write them.
QVector<Ttabla> tablasSuite() {
    return {
        {QStringLiteral("negocio"),
         QStringLiteral(
             "id {ID}, nombre VARCHAR(150) NOT NULL, rfc VARCHAR(13) NOT NULL DEFAULT '', "
             "razonSocial VARCHAR(250) NOT NULL DEFAULT '', direccionFiscal VARCHAR(400) NOT NULL "
             "DEFAULT '', codigoPostal VARCHAR(10) NOT NULL DEFAULT '', regimenFiscal VARCHAR(10) NOT "
             "NULL DEFAULT ''")},
        {QStringLiteral("sucursal"),
         QStringLiteral("id {ID}, nombre VARCHAR(100) NOT NULL, direccion VARCHAR(250) NOT NULL DEFAULT '', "
                        "idNegocioFk INTEGER NOT NULL")},
        {QStringLiteral("cliente"),
         QStringLiteral("id {ID}, nombre VARCHAR(250) NOT NULL, rfc VARCHAR(13) NOT NULL DEFAULT '', "
                        "idNegocioFk INTEGER NOT NULL")},
        {QStringLiteral("proveedor"),
         QStringLiteral(
             "id {ID}, nombre VARCHAR(250) NOT NULL, rfc VARCHAR(13) NOT NULL DEFAULT '', "
             "direccion VARCHAR(250) NOT NULL DEFAULT '', telefono VARCHAR(30) NOT NULL DEFAULT '', "
             "correo VARCHAR(100) NOT NULL DEFAULT '', idNegocioFk INTEGER NOT NULL")},
        // Electronic invoices (CFDI). `tipo` splits expense (1, 11) from income (0, 12) documents.
        {QStringLiteral("Emisor"),
         QStringLiteral("idEmisor {ID}, nombre VARCHAR(250) NOT NULL DEFAULT '', rfc VARCHAR(13) NOT NULL "
                        "DEFAULT '', idNegocioFk INTEGER NOT NULL DEFAULT 0")},
        {QStringLiteral("Receptor"),
         QStringLiteral("idReceptor {ID}, nombre VARCHAR(250) NOT NULL DEFAULT '', rfc VARCHAR(13) NOT NULL "
                        "DEFAULT '', idNegocioFk INTEGER NOT NULL DEFAULT 0")},
        {QStringLiteral("Comprobante"),
         QStringLiteral(
             "idComprobante {ID}, uuid VARCHAR(36) NOT NULL DEFAULT '', serie VARCHAR(25) NOT NULL "
             "DEFAULT '', folio VARCHAR(40) NOT NULL DEFAULT '', fecha {FECHA} NOT NULL, tipo INTEGER "
             "NOT NULL DEFAULT 0, version VARCHAR(5) NOT NULL DEFAULT '', subTotal DOUBLE NOT NULL "
             "DEFAULT 0, total DOUBLE NOT NULL DEFAULT 0, descuento DOUBLE NOT NULL DEFAULT 0, "
             "metodoDePago VARCHAR(100) NOT NULL DEFAULT '', formaDePago VARCHAR(100) NOT NULL DEFAULT "
             "'', condicionesDePago VARCHAR(250) NOT NULL DEFAULT '', moneda VARCHAR(10) NOT NULL "
             "DEFAULT '', tipoCambio DOUBLE NOT NULL DEFAULT 1, tipoDeComprobante VARCHAR(20) NOT NULL "
             "DEFAULT '', lugarExpedicion VARCHAR(250) NOT NULL DEFAULT '', noCertificado VARCHAR(20) "
             "NOT NULL DEFAULT '', certificado TEXT, sello TEXT, motivoDescuento VARCHAR(250) NOT NULL "
             "DEFAULT '', numCtaPago VARCHAR(50) NOT NULL DEFAULT '', folioFiscalOrig VARCHAR(36) NOT "
             "NULL DEFAULT '', serieFolioFiscalOrig VARCHAR(50) NOT NULL DEFAULT '', "
             "fechaFolioFiscalOrig {FECHA} NULL, montoFolioFiscalOrig DOUBLE NULL, emisor INTEGER NOT "
             "NULL DEFAULT 0, receptor INTEGER NOT NULL DEFAULT 0, idNegocioFk INTEGER NOT NULL, "
             "idSucursalFk INTEGER NOT NULL DEFAULT 0")},
        // Accounting: modules (61xx receipts, 62xx issues) are the suite's; templates are per business.
        {QStringLiteral("ModuloAsientosContables"),
         QStringLiteral("id {ID}, modulo INTEGER NOT NULL, nombre VARCHAR(150) NOT NULL DEFAULT ''")},
        {QStringLiteral("AsientosContables"),
         QStringLiteral(
             "id {ID}, nombre VARCHAR(150) NOT NULL, descripcion VARCHAR(250) NOT NULL DEFAULT '', "
             "ModuloAsientosContables_id INTEGER NOT NULL DEFAULT 0, cuentaCargo VARCHAR(30) NOT NULL "
             "DEFAULT '', cuentaAbono VARCHAR(30) NOT NULL DEFAULT '', idNegocioFk INTEGER NOT NULL")},
        // Journal entries posted after a movement commits: one header per posting, one line per concept.
        {QStringLiteral("AsientosAplicados"),
         QStringLiteral(
             "id {ID}, fecha {FECHA} NOT NULL, AsientosContables_id INTEGER NULL, descripcion "
             "VARCHAR(250) NOT NULL DEFAULT '', total DOUBLE NOT NULL DEFAULT 0, idNegocioFk INTEGER "
             "NOT NULL")},
        {QStringLiteral("AsientosAplicadosDetalle"),
         QStringLiteral("id {ID}, AsientosAplicados_id INTEGER NOT NULL, AsientosContables_id INTEGER NULL, "
                        "descripcion VARCHAR(250) NOT NULL DEFAULT '', subtotal DOUBLE NOT NULL DEFAULT 0, "
                        "idComprobante INTEGER NULL, idNegocioFk INTEGER NOT NULL")},
        // Purchase orders of the suite's purchasing module (names as that module spells them).
        {QStringLiteral("AF_OrdenesCompra"),
         QStringLiteral(
             "AF_NumeroOrden {ID}, AF_IDProveedor INTEGER NOT NULL DEFAULT 0, AF_NombreProveedor "
             "VARCHAR(250) NOT NULL DEFAULT '', AF_RFCProveedor VARCHAR(13) NOT NULL DEFAULT '', "
             "AF_FechaPedido {FECHA} NULL, AF_FechaEntrega {FECHA} NULL, AF_MontoIVA DOUBLE NOT NULL "
             "DEFAULT 0, AF_TotalOrden DOUBLE NOT NULL DEFAULT 0, AF_OrdenPendiente INTEGER NULL, "
             "AF_cancelada {BOOL} NOT NULL DEFAULT 0, AF_Destino INTEGER NOT NULL DEFAULT 1, "
             "idNegocioFk INTEGER NOT NULL")},
        {QStringLiteral("AF_ArticulosOrdenesCompra"),
         QStringLiteral(
             "AF_ID {ID}, AF_NumeroOrden INTEGER NOT NULL, AF_CantidadSolicitada DOUBLE NOT NULL "
             "DEFAULT 0, AF_DescripcionArticulo VARCHAR(250) NOT NULL DEFAULT '', AF_PrecioUnitario "
             "DOUBLE NOT NULL DEFAULT 0, AF_PrecioTotal DOUBLE NOT NULL DEFAULT 0")},
        // Product/service codes of the invoice catalogue; `id` is the numeric code itself.
        {QStringLiteral("categoriaSAT33"),
         QStringLiteral("id {ID}, clave VARCHAR(8) NOT NULL, nombre VARCHAR(250) NOT NULL DEFAULT ''")},
    };
}

// Quotations and point of sale, summed by the issues breakdown. A line with a kit (ventasKit_id > 0)
// is reported under the kit's name and code; `tipoInsercion` >= 10 and `cabecera` > 1 mark lines
// that are not sales of their own (kit components).
QVector<Ttabla> tablasVentas() {
    static const QString kImportes = QStringLiteral(
        "descuento DOUBLE NOT NULL DEFAULT 0, precioVenta DOUBLE NOT NULL DEFAULT 0, iepsT "
        "DOUBLE NOT NULL DEFAULT 0, ivaT DOUBLE NOT NULL DEFAULT 0, iepsR DOUBLE NOT NULL DEFAULT "
        "0, ivaR DOUBLE NOT NULL DEFAULT 0, isrR DOUBLE NOT NULL DEFAULT 0");
    return {
        {QStringLiteral("ventasKit"),
         QStringLiteral(
             "id {ID}, nombre VARCHAR(150) NOT NULL, categoriaSAT33_id INTEGER NOT NULL DEFAULT 0, "
             "idNegocioFk INTEGER NOT NULL")},
        {QStringLiteral("ventasCotizacion"),
         QStringLiteral(
             "id {ID}, folio INTEGER NOT NULL DEFAULT 0, fecha {FECHA} NOT NULL, fechaVenta {FECHA} "
             "NULL, cliente_id INTEGER NOT NULL DEFAULT 0, inventarioAlmacen_id INTEGER NOT NULL, "
             "idNegocioFk INTEGER NOT NULL")},
        {QStringLiteral("ventasCotizacionDetalle"),
         QStringLiteral(
             "id {ID}, ventasCotizacion_id INTEGER NOT NULL, inventarioProducto_id INTEGER NOT NULL "
             "DEFAULT 0, ventasKit_id INTEGER NOT NULL DEFAULT 0, claveSATproductoServicio VARCHAR(8) "
             "NOT NULL DEFAULT '', cantidad DOUBLE NOT NULL DEFAULT 0, precioLista DOUBLE NOT NULL "
             "DEFAULT 0, ") +
             kImportes + QStringLiteral(", tipoInsercion INTEGER NOT NULL DEFAULT 0")},
        {QStringLiteral("puntoOperacion"),
         QStringLiteral(
             "id {ID}, folio INTEGER NOT NULL DEFAULT 0, fechaHora {FECHA} NOT NULL, cliente_id "
             "INTEGER NOT NULL DEFAULT 0, total DOUBLE NOT NULL DEFAULT 0, idNegocioFk INTEGER NOT "
             "NULL")},
        {QStringLiteral("puntoOperacionDetalle"),
         QStringLiteral(
             "id {ID}, puntoOperacion_id INTEGER NOT NULL, inventarioProducto_id INTEGER NOT NULL "
             "DEFAULT 0, ventasKit_id INTEGER NOT NULL DEFAULT 0, claveSATproductoServicio VARCHAR(8) "
             "NOT NULL DEFAULT '', cantidad DOUBLE NOT NULL DEFAULT 0, precio DOUBLE NOT NULL DEFAULT "
             "0, ") +
             kImportes + QStringLiteral(", cabecera INTEGER NOT NULL DEFAULT 0")},
        {QStringLiteral("puntoOperacionComplementario"),
         QStringLiteral("id {ID}, puntoOperacion_id INTEGER NOT NULL, inventarioAlmacen_id INTEGER NOT NULL, "
                        "idNegocioFk INTEGER NOT NULL")},
    };
}

// The module's catalogues and options.
QVector<Ttabla> tablasCatalogos() {
    return {
        // metodoValoracionInventario: NULL until the user chooses (1 PEPS, 2 Promedio Ponderado).
        {QStringLiteral("inventarioOpciones"),
         QStringLiteral(
             "id {ID}, idNegocioFk INTEGER NOT NULL, metodoValoracionInventario INTEGER NULL, "
             "versionTablaSalidas INTEGER NOT NULL DEFAULT 0, CONSTRAINT uq_inventarioOpciones_negocio "
             "UNIQUE (idNegocioFk)")},
        // Filled by the start-up table check, never here.
        {QStringLiteral("inventarioTablaEstado"),
         QStringLiteral("id {ID}, nombre VARCHAR(64) NOT NULL, estado INTEGER NOT NULL")},
        {QStringLiteral("inventarioAlmacen"),
         QStringLiteral(
             "id {ID}, nombre VARCHAR(50) NOT NULL, direccion VARCHAR(100) NOT NULL DEFAULT '', "
             "nota VARCHAR(200) NOT NULL DEFAULT '', sucursal_id INTEGER NOT NULL, idNegocioFk INTEGER "
             "NOT NULL")},
        // A unit belongs to a set (`conjunto`, 0 = none) and counts `razon` of the set's base unit.
        {QStringLiteral("inventarioUnidadesMedidaConjunto"),
         QStringLiteral("id {ID}, nombre VARCHAR(50) NOT NULL, idNegocioFk INTEGER NOT NULL")},
        {QStringLiteral("inventarioUnidadesMedida"),
         QStringLiteral(
             "id {ID}, descripcion VARCHAR(50) NOT NULL, abreviatura VARCHAR(10) NOT NULL DEFAULT '', "
             "conjunto INTEGER NOT NULL DEFAULT 0, razon DOUBLE NOT NULL DEFAULT 1, idNegocioFk "
             "INTEGER NOT NULL")},
        // `identidad` is the path code: the parent is the identity without its last character.
        {QStringLiteral("inventarioCategoria"),
         QStringLiteral("id {ID}, identidad VARCHAR(25) NOT NULL, etiqueta VARCHAR(100) NOT NULL, "
                        "identidadPadre VARCHAR(25) NOT NULL DEFAULT '', nivel INTEGER NOT NULL DEFAULT 1, "
                        "carpeta {BOOL} NOT NULL DEFAULT 0, idNegocioFk INTEGER NOT NULL")},
        {QStringLiteral("inventarioCategoriaSAT33"),
         QStringLiteral(
             "id {ID}, inventarioCategoria_id INTEGER NOT NULL, categoriaSAT33_id INTEGER NOT NULL, "
             "idNegocioFk INTEGER NOT NULL")},
        {QStringLiteral("propiedadTipo"), QStringLiteral("id {ID}, tipo VARCHAR(50) NOT NULL")},
        {QStringLiteral("inventarioPropiedadListado"),
         QStringLiteral("id {ID}, nombre VARCHAR(25) NOT NULL, propiedadTipo_id INTEGER NULL, idNegocioFk "
                        "INTEGER NOT NULL")},
        {QStringLiteral("inventarioCategoriaPropiedad"),
         QStringLiteral("id {ID}, inventarioCategoria_identidad VARCHAR(25) NOT NULL, "
                        "inventarioPropiedadListado_id INTEGER NOT NULL, idNegocioFk INTEGER NOT NULL")},
        {QStringLiteral("inventarioProductoEstado"),
         QStringLiteral("id {ID}, etiqueta VARCHAR(50) NOT NULL")},
        // `estatus` 1 = may be received; `estado` points to inventarioProductoEstado.
        {QStringLiteral("inventarioProducto"),
         QStringLiteral(
             "id {ID}, clave VARCHAR(50) NOT NULL DEFAULT '', nombre VARCHAR(150) NOT NULL, "
             "descripcion VARCHAR(500) NOT NULL DEFAULT '', codigoBarras VARCHAR(50) NOT NULL DEFAULT "
             "'', inventarioCategoria_identidad VARCHAR(25) NOT NULL DEFAULT '', unidadesMedida_id "
             "INTEGER NOT NULL DEFAULT 0, opControladoNoSerie INTEGER NOT NULL DEFAULT 0, estatus "
             "INTEGER NOT NULL DEFAULT 1, estado INTEGER NOT NULL DEFAULT 1, idNegocioFk INTEGER NOT "
             "NULL")},
        // direccion: 1 receipt concepts, 2 issue concepts. familia: 1 ordinary, 2 reversing receipt,
        // 3 purchase return, -1..-4 the system concepts (one per business each).
        {QStringLiteral("inventarioMovimientoConcepto"),
         QStringLiteral(
             "id {ID}, etiqueta VARCHAR(100) NOT NULL, direccion INTEGER NOT NULL, "
             "AsientosContables_id INTEGER NULL, familia INTEGER NOT NULL DEFAULT 1, modulo INTEGER NOT "
             "NULL DEFAULT 0, idNegocioFk INTEGER NOT NULL")},
        {QStringLiteral("inventarioStock"),
         QStringLiteral(
             "id {ID}, inventarioAlmacen_id INTEGER NOT NULL, inventarioProducto_id INTEGER NOT NULL, "
             "minimo DOUBLE NULL, maximo DOUBLE NULL, idNegocioFk INTEGER NOT NULL")},
    };
}

// Movements: receipts (each one a cost layer), their optional data, issues, stock, ledger,
// purchase-order progress, transfers and physical counts.
QVector<Ttabla> tablasMovimientos() {
    return {
        // idComprobante: 0 general receipt without invoice, -1 purchase-order receipt without one.
        {QStringLiteral("inventarioEntrada"),
         QStringLiteral(
             "id {ID}, documento INTEGER NOT NULL, fechaHora {FECHA} NOT NULL, inventarioAlmacen_id "
             "INTEGER NOT NULL, inventarioProducto_id INTEGER NOT NULL, inventarioMovimientoConcepto_id "
             "INTEGER NOT NULL DEFAULT 0, cantidad DOUBLE NOT NULL DEFAULT 0, costoUnitario DOUBLE NOT "
             "NULL DEFAULT 0, existencia DOUBLE NOT NULL DEFAULT 0, existenciaTotal DOUBLE NULL, "
             "existenciaCostoUnitario DOUBLE NULL, existenciaCostoTotal DOUBLE NULL, idComprobante "
             "INTEGER NOT NULL DEFAULT 0, AF_numeroOrden INTEGER NOT NULL DEFAULT 0, unidadesMedida_id "
             "INTEGER NULL, factorConversion DOUBLE NOT NULL DEFAULT 1, idNegocioFk INTEGER NOT NULL")},
        {QStringLiteral("inventarioEntradaAdicional"),
         QStringLiteral(
             "id {ID}, inventarioEntrada_id INTEGER NOT NULL, inventarioSalida_id INTEGER NOT NULL")},
        // proveedor_id 0: the receipt names no provider.
        {QStringLiteral("inventarioEntradaProveedor"),
         QStringLiteral(
             "id {ID}, inventarioEntrada_id INTEGER NOT NULL, proveedor_id INTEGER NOT NULL DEFAULT "
             "0")},
        // aduana -1: no customs office; fechaDeAduana NULL: no date.
        {QStringLiteral("inventarioPedimento"),
         QStringLiteral(
             "id {ID}, inventarioEntrada_id INTEGER NOT NULL, numeroPedimento VARCHAR(50) NOT NULL "
             "DEFAULT '', fechaDeAduana {FECHA} NULL, aduana INTEGER NOT NULL DEFAULT -1, paisOrigen "
             "VARCHAR(150) NOT NULL DEFAULT ''")},
        {QStringLiteral("inventarioLote"),
         QStringLiteral(
             "id {ID}, inventarioEntrada_id INTEGER NOT NULL, numero VARCHAR(50) NOT NULL DEFAULT '', "
             "fechaProduccion {FECHA} NULL, fechaCaducidad {FECHA} NULL, fechaProduccionEstablecida "
             "{BOOL} NOT NULL DEFAULT 0, fechaCaducidadEstablecida {BOOL} NOT NULL DEFAULT 0")},
        {QStringLiteral("inventarioNoSerieEstado"), QStringLiteral("id {ID}, etiqueta VARCHAR(50) NOT NULL")},
        {QStringLiteral("inventarioNoSerie"),
         QStringLiteral("id {ID}, inventarioEntrada_id INTEGER NOT NULL, numero VARCHAR(50) NOT NULL, "
                        "inventarioNoSerieEstado_id INTEGER NOT NULL DEFAULT 1, inventarioSalida_id INTEGER "
                        "NULL")},
        // Additional-property values captured on a receipt line.
        {QStringLiteral("inventarioProductoPropiedad"),
         QStringLiteral(
             "id {ID}, inventarioEntrada_id INTEGER NOT NULL, inventarioPropiedadListado_id INTEGER "
             "NOT NULL, valor VARCHAR(250) NOT NULL DEFAULT ''")},
        // Version 5 adds the warehouse, product and business of the layer it consumed.
        {QStringLiteral("inventarioSalida"),
         QStringLiteral(
             "id {ID}, documento INTEGER NOT NULL, fechaHora {FECHA} NOT NULL, inventarioEntrada_id "
             "INTEGER NOT NULL, idReceptor INTEGER NOT NULL DEFAULT 0, idComprobante INTEGER NOT NULL "
             "DEFAULT -1, inventarioMovimientoConcepto_id INTEGER NOT NULL DEFAULT 0, cantidad DOUBLE "
             "NOT NULL DEFAULT 0, salidaCostoUnitario DOUBLE NULL, existenciaTotal DOUBLE NULL, "
             "existenciaCostoUnitario DOUBLE NULL, existenciaCostoTotal DOUBLE NULL")},
        {QStringLiteral("inventarioExistencias"),
         QStringLiteral(
             "id {ID}, inventarioAlmacen_id INTEGER NOT NULL, inventarioProducto_id INTEGER NOT NULL, "
             "existencia DOUBLE NOT NULL DEFAULT 0, costoUnitario DOUBLE NOT NULL DEFAULT 0, "
             "CONSTRAINT uq_inventarioExistencias_par UNIQUE (inventarioAlmacen_id, "
             "inventarioProducto_id)")},
        {QStringLiteral("inventarioKardex"),
         QStringLiteral(
             "id {ID}, fechaHora {FECHA} NOT NULL, inventarioEntrada_id INTEGER NULL, "
             "inventarioAlmacen_id INTEGER NOT NULL, inventarioProducto_id INTEGER NOT NULL, "
             "documentoEntrada INTEGER NULL, documentoSalida INTEGER NULL, entradaCantidad DOUBLE "
             "NULL, entradaCostoUnitario DOUBLE NULL, salidaEntradaRelacionada INTEGER NULL, "
             "salidaCantidad DOUBLE NULL, salidaCostoUnitario DOUBLE NULL, totalCantidad DOUBLE NULL, "
             "totalCostoUnitario DOUBLE NULL, totalExistencia DOUBLE NULL, idNegocioFk INTEGER NOT "
             "NULL, revision INTEGER NULL, division INTEGER NULL, grupo INTEGER NULL")},
        // The inventory side of a purchase-order line: what it was matched to and what arrived so far.
        {QStringLiteral("inventarioOrdenesCompraArticulos"),
         QStringLiteral(
             "id {ID}, AF_ID INTEGER NOT NULL, inventarioProducto_id INTEGER NOT NULL DEFAULT 0, "
             "UnidadesMedida_id INTEGER NOT NULL DEFAULT 0, factorConversion DOUBLE NOT NULL DEFAULT "
             "1, cantidadAcumulada DOUBLE NOT NULL DEFAULT 0, CONSTRAINT "
             "uq_inventarioOrdenesCompraArticulos_linea UNIQUE (AF_ID)")},
        {QStringLiteral("inventarioTraspasoEstado"),
         QStringLiteral("id {ID}, etiqueta VARCHAR(50) NOT NULL")},
        {QStringLiteral("inventarioTraspaso"),
         QStringLiteral(
             "id {ID}, documento INTEGER NOT NULL, ORIGENinventarioAlmacen_id INTEGER NOT NULL, "
             "DESTINOinventarioAlmacen_id INTEGER NOT NULL, fechaSalida {FECHA} NOT NULL, "
             "fechaRecepcion {FECHA} NULL, inventarioTraspasoEstado_id INTEGER NOT NULL DEFAULT 1, "
             "idNegocioFk INTEGER NOT NULL")},
        {QStringLiteral("inventarioTraspasoDetalle"),
         QStringLiteral(
             "id {ID}, inventarioTraspaso_id INTEGER NOT NULL, inventarioProducto_id INTEGER NOT NULL, "
             "cantidad DOUBLE NOT NULL DEFAULT 0, costo DOUBLE NOT NULL DEFAULT 0")},
        {QStringLiteral("inventarioTraspasoDetalleAdicional"),
         QStringLiteral(
             "id {ID}, inventarioTraspasoDetalle_id INTEGER NOT NULL, inventarioEntrada_id INTEGER NOT "
             "NULL")},
        {QStringLiteral("inventarioTraspasoNoSerie"),
         QStringLiteral(
             "id {ID}, inventarioTraspasoDetalle_id INTEGER NOT NULL, inventarioNoSerie_id INTEGER NOT "
             "NULL")},
        // Saved physical counts; the stock figures are kept as the sheet showed and the user typed them.
        {QStringLiteral("inventarioFisicoIndice"),
         QStringLiteral(
             "id {ID}, nombre VARCHAR(50) NOT NULL, nota VARCHAR(200) NOT NULL DEFAULT '', fechasHora "
             "{FECHA} NOT NULL, fechaHoraActualizacion {FECHA} NULL, inventarioAlmacen_id INTEGER NOT "
             "NULL DEFAULT 0, inventarioCategoria_identidad VARCHAR(25) NOT NULL DEFAULT '', "
             "idNegocioFk INTEGER NOT NULL")},
        {QStringLiteral("inventarioFisicoDetalle"),
         QStringLiteral(
             "id {ID}, inventarioFisicoIndice_id INTEGER NOT NULL, inventarioProducto_id INTEGER NOT "
             "NULL, existencia VARCHAR(30) NOT NULL DEFAULT '', existenciaFisica VARCHAR(30) NOT NULL "
             "DEFAULT ''")},
    };
}

// The access paths of the lists, lookups, postings and the ledger.
QVector<Tindice> indices() {
    auto ix = [](const char *nombre, const char *tabla, const char *columnas) {
        return Tindice{QString::fromLatin1(nombre), QString::fromLatin1(tabla),
                       QString::fromLatin1(columnas)};
    };
    return {
        ix("ix_sucursal_negocio", "sucursal", "idNegocioFk"),
        ix("ix_cliente_negocio_rfc", "cliente", "idNegocioFk, rfc"),
        ix("ix_proveedor_negocio_nombre", "proveedor", "idNegocioFk, nombre"),
        ix("ix_comprobante_negocio_fecha", "Comprobante", "idNegocioFk, fecha"),
        ix("ix_comprobante_uuid", "Comprobante", "uuid"),
        ix("ix_asientos_negocio", "AsientosContables", "idNegocioFk, ModuloAsientosContables_id"),
        ix("ix_modulo_asientos_modulo", "ModuloAsientosContables", "modulo"),
        ix("ix_asientos_aplicados_negocio_fecha", "AsientosAplicados", "idNegocioFk, fecha"),
        ix("ix_asientos_aplicados_detalle_asiento", "AsientosAplicadosDetalle", "AsientosAplicados_id"),
        ix("ix_ordenes_negocio_entrega", "AF_OrdenesCompra", "idNegocioFk, AF_FechaEntrega"),
        ix("ix_articulos_orden", "AF_ArticulosOrdenesCompra", "AF_NumeroOrden"),
        ix("ix_cotizacion_negocio_venta", "ventasCotizacion", "idNegocioFk, fechaVenta"),
        ix("ix_cotizacion_detalle_cotizacion", "ventasCotizacionDetalle", "ventasCotizacion_id"),
        ix("ix_punto_negocio_fecha", "puntoOperacion", "idNegocioFk, fechaHora"),
        ix("ix_punto_detalle_punto", "puntoOperacionDetalle", "puntoOperacion_id"),
        ix("ix_punto_complementario_punto", "puntoOperacionComplementario", "puntoOperacion_id"),

        ix("ix_almacen_negocio_nombre", "inventarioAlmacen", "idNegocioFk, nombre"),
        ix("ix_almacen_sucursal", "inventarioAlmacen", "sucursal_id"),
        ix("ix_unidades_negocio", "inventarioUnidadesMedida", "idNegocioFk, conjunto"),
        ix("ix_categoria_negocio_identidad", "inventarioCategoria", "idNegocioFk, identidad"),
        ix("ix_categoria_sat_categoria", "inventarioCategoriaSAT33", "inventarioCategoria_id"),
        ix("ix_propiedad_listado_negocio", "inventarioPropiedadListado", "idNegocioFk"),
        ix("ix_categoria_propiedad_identidad", "inventarioCategoriaPropiedad",
           "idNegocioFk, inventarioCategoria_identidad"),
        ix("ix_producto_negocio_nombre", "inventarioProducto", "idNegocioFk, nombre"),
        ix("ix_producto_negocio_clave", "inventarioProducto", "idNegocioFk, clave"),
        ix("ix_producto_negocio_barras", "inventarioProducto", "idNegocioFk, codigoBarras"),
        ix("ix_producto_negocio_categoria", "inventarioProducto",
           "idNegocioFk, inventarioCategoria_identidad"),
        ix("ix_concepto_negocio_direccion", "inventarioMovimientoConcepto", "idNegocioFk, direccion"),
        ix("ix_concepto_negocio_familia", "inventarioMovimientoConcepto", "idNegocioFk, familia"),
        ix("ix_stock_almacen_producto", "inventarioStock", "inventarioAlmacen_id, inventarioProducto_id"),

        // Open layers of a product in a warehouse, oldest first; the lists by date; the numbering.
        ix("ix_entrada_capas", "inventarioEntrada",
           "idNegocioFk, inventarioAlmacen_id, inventarioProducto_id, fechaHora"),
        ix("ix_entrada_negocio_fecha", "inventarioEntrada", "idNegocioFk, fechaHora"),
        ix("ix_entrada_almacen_fecha", "inventarioEntrada", "idNegocioFk, inventarioAlmacen_id, fechaHora"),
        ix("ix_entrada_negocio_documento", "inventarioEntrada", "idNegocioFk, documento"),
        ix("ix_entrada_adicional_entrada", "inventarioEntradaAdicional", "inventarioEntrada_id"),
        ix("ix_entrada_adicional_salida", "inventarioEntradaAdicional", "inventarioSalida_id"),
        ix("ix_entrada_proveedor_entrada", "inventarioEntradaProveedor", "inventarioEntrada_id"),
        ix("ix_pedimento_entrada", "inventarioPedimento", "inventarioEntrada_id"),
        ix("ix_lote_entrada", "inventarioLote", "inventarioEntrada_id"),
        ix("ix_noserie_entrada", "inventarioNoSerie", "inventarioEntrada_id, numero"),
        ix("ix_noserie_numero", "inventarioNoSerie", "numero"),
        ix("ix_noserie_salida", "inventarioNoSerie", "inventarioSalida_id"),
        ix("ix_producto_propiedad_entrada", "inventarioProductoPropiedad", "inventarioEntrada_id"),
        ix("ix_salida_entrada", "inventarioSalida", "inventarioEntrada_id"),
        ix("ix_salida_documento", "inventarioSalida", "documento"),
        ix("ix_salida_fecha", "inventarioSalida", "fechaHora"),
        // The ledger in id order per product and warehouse, and the newest row of a layer.
        ix("ix_kardex_negocio_almacen_producto", "inventarioKardex",
           "idNegocioFk, inventarioAlmacen_id, inventarioProducto_id, id"),
        ix("ix_kardex_almacen_producto", "inventarioKardex",
           "inventarioAlmacen_id, inventarioProducto_id, id"),
        ix("ix_kardex_entrada", "inventarioKardex", "inventarioEntrada_id, id"),
        ix("ix_traspaso_negocio_documento", "inventarioTraspaso", "idNegocioFk, documento"),
        ix("ix_traspaso_detalle_traspaso", "inventarioTraspasoDetalle", "inventarioTraspaso_id"),
        ix("ix_traspaso_adicional_detalle", "inventarioTraspasoDetalleAdicional",
           "inventarioTraspasoDetalle_id"),
        ix("ix_traspaso_noserie_detalle", "inventarioTraspasoNoSerie", "inventarioTraspasoDetalle_id"),
        ix("ix_fisico_indice_negocio_nombre", "inventarioFisicoIndice", "idNegocioFk, nombre"),
        ix("ix_fisico_detalle_indice", "inventarioFisicoDetalle", "inventarioFisicoIndice_id"),
    };
}

// Inserts one fixed row unless a row with its id exists, so that a step interrupted on MariaDB
// (where every DDL commits by itself) can run again without duplicating its seeds.
QString siFalta(const QString &tabla, const QString &columna, int id, const QString &valor) {
    QString texto = valor;
    texto.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QStringLiteral("INSERT INTO %1 (id, %2) SELECT %3, '%4' FROM (SELECT 1 AS uno) AS fila "
                          "WHERE NOT EXISTS (SELECT 1 FROM %1 WHERE id = %3)")
        .arg(tabla, columna, QString::number(id), texto);
}

// Rows that are the same in every database.
QStringList semillas() {
    QStringList s;
    const QString traspaso = QStringLiteral("inventarioTraspasoEstado");
    s << siFalta(traspaso, QStringLiteral("etiqueta"), kTraspasoEnTransito, QStringLiteral("En tránsito"))
      << siFalta(traspaso, QStringLiteral("etiqueta"), kTraspasoRecibido, QStringLiteral("Recibido"))
      << siFalta(traspaso, QStringLiteral("etiqueta"), kTraspasoCancelado, QStringLiteral("Cancelado"));
    // The receipt detail lets a serial number be removed only while its state reads "en almacén".
    s << siFalta(QStringLiteral("inventarioNoSerieEstado"), QStringLiteral("etiqueta"), kSerieEnAlmacen,
                 QStringLiteral("en almacén"))
      << siFalta(QStringLiteral("inventarioNoSerieEstado"), QStringLiteral("etiqueta"), kSerieConSalida,
                 QStringLiteral("con salida"));
    const QStringList tipos = {QStringLiteral("Texto"), QStringLiteral("Número"), QStringLiteral("Fecha")};
    for (int i = 0; i < tipos.size(); ++i)
        s << siFalta(QStringLiteral("propiedadTipo"), QStringLiteral("tipo"), i + 1, tipos[i]);
    s << siFalta(QStringLiteral("inventarioProductoEstado"), QStringLiteral("etiqueta"), 1,
                 QStringLiteral("Activo"))
      << siFalta(QStringLiteral("inventarioProductoEstado"), QStringLiteral("etiqueta"), 2,
                 QStringLiteral("Inactivo"));
    struct Tmodulo {
        int id;
        int modulo;
        const char *nombre;
    };
    static const Tmodulo kModulos[] = {
        {1, 6101, "Inventario: entradas por compra"},   {2, 6102, "Inventario: entradas por devolución"},
        {3, 6103, "Inventario: entradas por traspaso"}, {4, 6104, "Inventario: otras entradas"},
        {5, 6201, "Inventario: salidas por venta"},     {6, 6202, "Inventario: devoluciones a proveedor"},
        {7, 6203, "Inventario: salidas por traspaso"},  {8, 6204, "Inventario: otras salidas"},
    };
    for (const auto &m : kModulos) {
        s << QStringLiteral("INSERT INTO ModuloAsientosContables (id, modulo, nombre) SELECT %1, %2, '%3' "
                            "FROM (SELECT 1 AS uno) AS fila WHERE NOT EXISTS (SELECT 1 FROM "
                            "ModuloAsientosContables WHERE id = %1)")
                 .arg(m.id)
                 .arg(m.modulo)
                 .arg(QString::fromUtf8(m.nombre));
    }
    return s;
}

// Version 2: the business's fiscal address in the parts the reports print (the postal code already
// had its column). An address stored as one text moves whole into the street, where nothing of it
// is lost; the old column stays for the suite and is no longer read.
QVector<esquema::Tcolumna> domicilioEnPartes() {
    QVector<esquema::Tcolumna> columnas;
    for (const char *columna :
         {"calle VARCHAR(400)", "numeroExterior VARCHAR(30)", "numeroInterior VARCHAR(30)",
          "colonia VARCHAR(100)", "municipio VARCHAR(100)", "estado VARCHAR(50)"})
        columnas.append({QStringLiteral("negocio"),
                         QString::fromLatin1(columna) + QStringLiteral(" NOT NULL DEFAULT ''")});
    return columnas;
}

// Version 3: a physical count records when it was applied and by which receipt and issue documents
// (0: that side had nothing to adjust), so that it is applied once; every business gets the two
// system concepts the adjustments post under (new businesses get them from the start-up seeding).
QVector<esquema::Tcolumna> aplicacionConteo() {
    const QString tabla = QStringLiteral("inventarioFisicoIndice");
    return {{tabla, QStringLiteral("fechaHoraAplicacion {FECHA} NULL")},
            {tabla, QStringLiteral("documentoEntradaAjuste INTEGER NOT NULL DEFAULT 0")},
            {tabla, QStringLiteral("documentoSalidaAjuste INTEGER NOT NULL DEFAULT 0")}};
}

QStringList conceptosAjusteConteo() {
    struct Tconcepto {
        int familia;
        int direccion;
        const char *etiqueta;
    };
    static const Tconcepto kConceptos[] = {{-5, 1, "Ajuste por inventario físico (entrada)"},
                                           {-6, 2, "Ajuste por inventario físico (salida)"}};
    QStringList s;
    for (const auto &c : kConceptos)
        s << QStringLiteral(
                 "INSERT INTO inventarioMovimientoConcepto (etiqueta, direccion, AsientosContables_id, "
                 "familia, idNegocioFk) SELECT '%1', %2, NULL, %3, n.id FROM negocio n WHERE NOT "
                 "EXISTS (SELECT 1 FROM inventarioMovimientoConcepto c WHERE c.familia = %3 AND "
                 "c.idNegocioFk = n.id)")
                 .arg(QString::fromUtf8(c.etiqueta))
                 .arg(c.direccion)
                 .arg(c.familia);
    return s;
}

// Version 4: the product a business linked by hand to a supplier's key (the CFDI's
// NoIdentificacion), so the supplier's next CFDI finds it.
QVector<Ttabla> relacionesCfdi() {
    return {
        {QStringLiteral("inventarioRelacionCfdi"),
         QStringLiteral("id {ID}, idNegocioFk INTEGER NOT NULL, rfcProveedor VARCHAR(13) NOT NULL, "
                        "noIdentificacion VARCHAR(100) NOT NULL, inventarioProducto_id INTEGER NOT NULL")}};
}

// Version 5: an issue row carries the warehouse, product and business of the layer it consumed
// (every insert copies them from the layer, this step fills the rows already there), so that a
// warehouse's or a business's issues are read by their own index instead of through every layer:
// the valuation at a day, a warehouse's newest movement, the business's newest issue number.
QVector<esquema::Tcolumna> salidaConSuCapa() {
    const QString tabla = QStringLiteral("inventarioSalida");
    return {{tabla, QStringLiteral("inventarioAlmacen_id INTEGER NOT NULL DEFAULT 0")},
            {tabla, QStringLiteral("inventarioProducto_id INTEGER NOT NULL DEFAULT 0")},
            {tabla, QStringLiteral("idNegocioFk INTEGER NOT NULL DEFAULT 0")}};
}

QVector<Tindice> indicesSalidaConSuCapa() {
    const QString tabla = QStringLiteral("inventarioSalida");
    return {{QStringLiteral("ix_salida_negocio_almacen_producto"), tabla,
             QStringLiteral("idNegocioFk, inventarioAlmacen_id, inventarioProducto_id, fechaHora, id")},
            {QStringLiteral("ix_salida_negocio_almacen_fecha"), tabla,
             QStringLiteral("idNegocioFk, inventarioAlmacen_id, fechaHora")},
            {QStringLiteral("ix_salida_negocio_documento"), tabla, QStringLiteral("idNegocioFk, documento")}};
}

// Repeatable: a row is set from its layer however often it runs. A row whose layer is missing
// keeps 0, so no business reads it, as none did through the missing layer.
QString salidasDesdeSuCapa() {
    QStringList asignaciones;
    for (const char *columna : {"inventarioAlmacen_id", "inventarioProducto_id", "idNegocioFk"})
        asignaciones << QStringLiteral("%1 = (SELECT e.%1 FROM inventarioEntrada e WHERE e.id = "
                                       "inventarioSalida.inventarioEntrada_id)")
                            .arg(QString::fromLatin1(columna));
    return QStringLiteral("UPDATE inventarioSalida SET ") + asignaciones.join(QStringLiteral(", ")) +
           QStringLiteral(" WHERE EXISTS (SELECT 1 FROM inventarioEntrada e WHERE e.id = "
                          "inventarioSalida.inventarioEntrada_id)");
}

QVector<Tindice> indicesRetirados() {
    return {
        {QStringLiteral("ix_kardex_almacen_producto"), QStringLiteral("inventarioKardex"),
         QStringLiteral("inventarioAlmacen_id, inventarioProducto_id, id")},
        {QStringLiteral("ix_salida_documento"), QStringLiteral("inventarioSalida"),
         QStringLiteral("documento")},
        {QStringLiteral("ix_salida_fecha"), QStringLiteral("inventarioSalida"), QStringLiteral("fechaHora")}};
}

} // namespace

const QVector<esquema::Tversion> &esquema::versiones() {
    static const QVector<Tversion> kVersiones = [] {
        Tversion v1{1, tablasSuite(), indices(), semillas(), {}, {}};
        v1.tablas += tablasVentas();
        v1.tablas += tablasCatalogos();
        v1.tablas += tablasMovimientos();
        const Tversion v2{2,
                          {},
                          {},
                          {QStringLiteral("UPDATE negocio SET calle = direccionFiscal WHERE calle = '' AND "
                                          "direccionFiscal <> ''")},
                          domicilioEnPartes(),
                          {}};
        const Tversion v3{3, {}, {}, conceptosAjusteConteo(), aplicacionConteo(), {}};
        const Tversion v4{4,
                          relacionesCfdi(),
                          {{QStringLiteral("ix_relacion_cfdi"), QStringLiteral("inventarioRelacionCfdi"),
                            QStringLiteral("idNegocioFk, rfcProveedor, noIdentificacion")}},
                          {},
                          {},
                          {}};
        const Tversion v5{5, {}, indicesSalidaConSuCapa(), {salidasDesdeSuCapa()}, salidaConSuCapa(), {}};
        // Version 6: a product's newest ledger group is read from the top of an index instead of
        // walking every ledger row of the product, which grows with its history.
        const Tversion v6{
            6,
            {},
            {{QStringLiteral("ix_kardex_grupo"), QStringLiteral("inventarioKardex"),
              QStringLiteral("idNegocioFk, inventarioAlmacen_id, inventarioProducto_id, grupo")}},
            {},
            {},
            {}};
        // Version 7: the issues of a day of the business (the issues list) and a product's ledger
        // rows of a date range (the kardex report), found by date however long the history.
        const Tversion v7{
            7,
            {},
            {{QStringLiteral("ix_salida_negocio_fecha"), QStringLiteral("inventarioSalida"),
              QStringLiteral("idNegocioFk, fechaHora")},
             {QStringLiteral("ix_kardex_fecha"), QStringLiteral("inventarioKardex"),
              QStringLiteral("idNegocioFk, inventarioAlmacen_id, inventarioProducto_id, fechaHora")}},
            {},
            {},
            {}};
        // Version 8: indexes every read has outgrown, since each statement filters by business
        // (the ledger by warehouse and product, the issues by document or date). Each one was a
        // further index page to write for every movement.
        const Tversion v8{8, {}, {}, {}, {}, indicesRetirados()};
        // Version 9: a product's open layers in a warehouse are found among the receipts that
        // still hold stock instead of among all its receipts, which grow with its history.
        const Tversion v9{
            9,
            {},
            {{QStringLiteral("ix_entrada_abiertas"), QStringLiteral("inventarioEntrada"),
              QStringLiteral("idNegocioFk, inventarioAlmacen_id, inventarioProducto_id, existencia")}},
            {},
            {},
            {}};
        return QVector<Tversion>{v1, v2, v3, v4, v5, v6, v7, v8, v9};
    }();
    return kVersiones;
}

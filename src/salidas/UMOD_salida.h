#pragma once

#include "comun/UMOD_kardexRenglon.h"
#include "comun/UNEG_movimientosInventario.h"
#include "comun/U_comprobante.h"
#include "datos/UcodigosInventario.h"

#include <QDateTime>
#include <QHash>
#include <QMap>
#include <QString>
#include <QVariant>
#include <QVector>

// One issue row (inventarioSalida) as a posting writes it; the quantities and running values are
// stored as the text of the standard float-to-text conversion.
struct TinventarioSalida {
    int documento = 0;
    QDateTime fechaHora;
    int inventarioEntrada_id = 0;
    int idReceptor = 0;
    double cantidad = 0;
    int idComprobante = -1; // -1: no invoice
    int inventarioMovimientoConcepto_id = 0;
    double salidaCostoUnitario = 0;
    double existenciaTotal = 0;
    double existenciaCostoUnitario = 0;
    double existenciaCostoTotal = 0;
    // The layer's warehouse, product and business, stored with the row for the reads by key.
    int inventarioAlmacen_id = 0;
    int inventarioProducto_id = 0;
    int negocioID = 0;
};

// The product chosen on the issue screen, as the product chooser answers it.
struct TproductoSalida {
    int id = 0;
    QString nombre;
    QString unidadMedida;
    QString categoria;
    QString codigoBarras;
    int controlNoSerie = 0; // above 0: its units carry serial numbers
};

// One line of an issue document: a quantity taken from one layer (receipt row). The names follow
// the capture grid's columns (`_existencia`, `_existenciaTotal`…).
struct TlineaSalida {
    TproductoSalida producto;
    double cantidad = 0;
    double costoUnitario = 0;        // "Costo U.": the cost at which the quantity leaves
    double total = 0;                // cantidad × costoUnitario
    int entradaID = 0;               // the layer
    double existenciaPrevia = 0;     // what the layer held when the line was split from it
    QVariant documentoEntrada;       // the layer's receipt document (normal lines only)
    double existencia = 0;           // what the layer keeps after this line
    double salidasCostoUnitario = 0; // the stock's unit cost after this line
    double existenciaTotal = 0;      // the product's stock in the warehouse after this line
    double existenciaCostoTotal = 0; // its value after this line
    QVector<int> series;             // serial numbers (inventarioNoSerie.id) that leave with it
};

// A product's stock row in a warehouse and the stock's value.
struct TinstantaneaExistencia {
    bool existeRenglon = false; // the warehouse has a stock row for the product
    double existencia = 0;
    double costoTotal = 0;
};

// An issue document as captured, ready to post.
struct TdatosSalida {
    int negocioID = 0;
    int metodoKardex = 0; // 1 PEPS, 2 Promedio Ponderado
    int almacenID = 0;
    QString almacenNombre;
    TconceptoMovimiento concepto;
    QDateTime fechaHora;
    TComprobante comprobante; // id 0: none
    QVector<TlineaSalida> lineas;

    bool esDevolucionCompra() const { return concepto.familia == kFamiliaDevolucionCompra; }
};

// Layers of the products of a posting: product id -> (receipt id -> layer), in ascending receipt id.
using TmapaCapas = QMap<int, QMap<int, tCapa>>;

#pragma once

#include <QDateTime>

// One receipt row (inventarioEntrada) as a posting writes it: the cost layer and the product's
// running stock in the warehouse after it. Quantities and costs are stored as the text of the
// standard float-to-text conversion.
struct TinventarioEntrada {
    int documento = 0;
    QDateTime fechaHora;
    int productoID = 0;
    int almacenID = 0;
    double cantidad = 0;
    double existencia = 0; // what is left of the layer: the quantity when it is written
    int idComprobante = 0; // 0: no invoice
    int numeroOrden = 0;   // purchase order; 0: none
    int unidadRecibidaID = 0;
    double factorConversion = 1;
    int conceptoID = 0;
    double existenciaTotal = 0;
    double costoUnitario = 0;
    double existenciaCostoUnitario = 0;
    double existenciaCostoTotal = 0;
    int negocioID = 0;
};

#pragma once

#include <QString>

// The purchase order chosen in the order selection; `aceptar` says whether one was chosen.
struct UREC_ordenCompra {
    bool aceptar = false;
    int numeroDeOrden = -1;
    int proveedorID = 0;
    QString proveedorNombre;
    QString proveedorRFC;
    QString articuloDescripcion;
    QString articuloCantidad;
    QString articuloPrecioUnitario;
    QString fechaPedido;
    QString fechaEntrega;
    QString iva;
    QString total;
    int estado = 0;
};

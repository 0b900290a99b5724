#pragma once

#include "comun/UMOD_entradaInformacionOpcional.h"
#include "comun/UNEG_movimientosInventario.h"
#include "comun/U_comprobante.h"

#include <QDateTime>
#include <QString>
#include <QVector>

// One line of a receipt document as the capture screen holds it (its grid's "Producto_id",
// "Producto", "Cantidad", "Costo U.", "_uniMedidaRecibido_id", "Factor Conversión",
// "_opControlNoSerie") with the line's optional data.
struct TlineaEntrada {
    int productoID = 0;
    QString producto;
    QString cantidad;         // in the storage unit, as typed
    double costoUnitario = 0; // per storage unit
    int unidadRecibidaID = 0;
    double factorConversion = 1;
    int controlNoSerie = 0; // above 0: the units carry serial numbers
    TEntradaInformacionOpcional informacion;
};

// A receipt document as captured, ready to post.
struct TdatosEntrada {
    int almacenID = 0;
    int conceptoID = 0;
    QDateTime fechaHora;
    TComprobante comprobante; // id 0: none
    int proveedorID = 0;      // 0: none
    // A return of an issue (concept family 2): the issue row whose goods come back.
    int movimientoSalidaIDdevolucion = 0;
    int numeroOrden = 0; // the purchase order received; 0: none
    QVector<TlineaEntrada> lineas;
};

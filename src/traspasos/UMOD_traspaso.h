#pragma once

#include <QString>

// One transfer as the transfers list hands it to the detail screen.
struct Rtraspaso {
    int id = 0;
    int almacenOrigenID = 0;
    QString almacenOrigen;
    int almacenDestinoID = 0;
    QString almacenDestino;
    int estadoID = 0;
    QString estado;
};

// One line of a transfer as the shipping step writes it: quantity and unit cost as the text of the
// standard float-to-text conversion, and the layer (receipt row) it was taken from.
struct RtraspasoDetalle {
    int id = 0; // the line's id, once inserted
    int productoID = 0;
    int traspasoID = 0;
    QString cantidad;
    QString costo;
    int entradaID = 0;
};

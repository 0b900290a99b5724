#pragma once

#include "datos/UconexionSesion.h"

#include <QDateTime>
#include <QString>

// The suite's electronic invoice: the header and both parties. An empty object (id 0) stands for
// "no invoice" wherever one is optional.
class TComprobante {
public:
    int idComprobante = 0;
    QString uuid;
    QString serie;
    QString folio;
    QDateTime fecha;
    int tipo = 0;
    double subTotal = 0;
    double descuento = 0;
    double total = 0;
    QString moneda;
    QString metodoDePago;
    QString formaDePago;
    QString emisorRfc;
    QString emisorNombre;
    QString receptorRfc;
    QString receptorNombre;
    int idNegocio = 0;

    bool valido() const { return idComprobante > 0; }
};

// The business's invoice with that id; an empty object when there is none (or it belongs to
// another business, or the read fails).
TComprobante getComprobanteById(int idComprobante, int idNegocio, TConexionSesion *conexion);

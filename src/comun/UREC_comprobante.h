#pragma once

#include "comun/U_comprobante.h"
#include "datos/UfechaHora.h"

#include <QString>

// The invoice chosen in the invoice selection; `aceptar` says whether one was chosen.
struct UREC_comprobante {
    bool aceptar = false;
    TDateTime fechaInicial = 0;
    TDateTime fechaFinal = 0;
    int id = 0;
    QString emisorRFC; // the counterpart: issuer of an expense, receiver of an income
    QString emisorNombre;
    QString fechaHora;
    QString total;
    QString serie;
    QString folio;
    TComprobante comprobante;
};

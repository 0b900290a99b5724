#pragma once

#include "datos/UfechaHora.h"

#include <QMap>
#include <QString>
#include <QStringList>

// The optional data of one receipt line. The dialogs edit these records and write nothing; the
// receipt posting stores them with the line (it fills the receipt row id).

// Customs declaration (pedimento).
struct Tpedimento {
    int inventarioEntrada_id = 0;
    int reservado = 0;
    TDateTime fechaDeAduana = fechaHora::kSinFecha; // kSinFecha: no date
    QString numeroPedimento;
    int aduana = -1;    // customs office code; -1: none
    QString paisOrigen; // empty: none
    QString reservadoTexto;

    bool tieneFecha() const { return fechaDeAduana > fechaHora::kSinFecha; }
    bool capturado() const { return !numeroPedimento.isEmpty() || aduana >= 0 || !paisOrigen.isEmpty(); }
};

struct Tlote {
    int inventarioEntrada_id = 0;
    QString numero;
    bool fechaProduccionEstablecida = false;
    TDateTime fechaProduccion = 0;
    bool fechaCaducidadEstablecida = false;
    TDateTime fechaCaducidad = 0;

    bool capturado() const {
        return !numero.isEmpty() || fechaProduccionEstablecida || fechaCaducidadEstablecida;
    }
};

// Serial numbers of the line's units, in capture order.
using TnoSerie = QStringList;

// Additional-property values by edit-control name ("TXT_propiedadListadoID" + property id).
using TpropiedadesAdicionales = QMap<QString, QString>;

struct TEntradaInformacionOpcional {
    Tpedimento pedimento;
    Tlote lote;
    TnoSerie noSerie;
    TpropiedadesAdicionales propiedadesAdicionales;
};

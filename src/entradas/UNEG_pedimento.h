#pragma once

#include "comun/UMOD_entradaInformacionOpcional.h"

#include <QString>

// What the declaration dialog holds when the user accepts it.
struct TcapturaPedimento {
    bool fechaMarcada = false;
    TDateTime fecha = 0; // the picker's date; used only when marked
    QString numero;
    int aduana = -1;    // selected office code, -1 without selection
    QString paisOrigen; // selected country value, empty without selection
};

namespace pedimento {
inline const QString kSinNumero = QStringLiteral("Capturar el número de pedimento.");
// The number column holds 50 characters.
constexpr int kLargoNumero = 50;
} // namespace pedimento

// The declaration of a CFDI's customs entry. A number of the official fifteen digits (year, office,
// agent's licence, sequence) is written in its four parts separated by two blanks, and its office
// code is taken from it; any other text is kept as written.
Tpedimento u_pedimentoDeCfdi(const QString &numeroPedimento);
// The warning that keeps the dialog open (a dated declaration needs its number); empty when the
// capture can be accepted.
QString u_validaPedimento(const TcapturaPedimento &captura);
// The declaration as accepted: the captured values over the caller's record (its other fields
// kept); no date unless the date box is marked.
Tpedimento u_pedimentoCapturado(const Tpedimento &actual, const TcapturaPedimento &captura);

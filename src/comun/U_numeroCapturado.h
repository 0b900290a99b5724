#pragma once

#include <QString>

// Reading a number the user typed (quantities, costs, ratios, stock limits). Edit boxes filter
// keys already; this is the check the logic trusts, since text can arrive by other ways (paste,
// code, an older filter).

// The largest magnitude accepted: twelve integer digits, what the input filters allow.
constexpr double kNumeroCapturadoMaximo = 999999999999.0;

struct TnumeroCapturado {
    bool ok = false;
    double valor = 0;
    // Why it was refused, in Spanish, naming the field.
    QString mensaje;
};

enum class TreglaNumero { CeroOPositivo, Positivo };

// Trimmed text with '.' as separator; no signs, exponents, separators, NaN or infinities.
TnumeroCapturado u_leeNumeroCapturado(const QString &texto, const QString &campo, TreglaNumero regla);

#pragma once

#include <QDateTime>
#include <QString>

// A remaining quantity smaller than this in magnitude is zero (0.4 - 0.1 - 0.3 closes a layer).
constexpr double kToleranciaCantidad = 1e-9;
inline bool u_esCero(double cantidad) {
    return cantidad < kToleranciaCantidad && cantidad > -kToleranciaCantidad;
}
inline bool u_esPositivo(double cantidad) {
    return cantidad >= kToleranciaCantidad;
}

// The standard float-to-text conversion: up to 15 significant digits, '.' as separator and no
// exponent for ordinary magnitudes (0.1 + 0.2 -> "0.3", 24 -> "24", 1234567.5 -> "1234567.5").
QString FloatToStr(double valor);

// Truncates toward zero the decimal value the double stands for (its 15-digit text):
// 1.15 -> 1.15, 10.456 -> 10.45, -1.239 -> -1.23. trunc(x * 100) / 100 would give 1.14.
double u_truncaDecimales(double valor, int decimales);

// Money as "$ #,###,##0.00" (negative amounts as "-$ 1,234.50").
QString u_formatoMoneda(double valor);

// Turns a stored date-time text into a date-time ('YYYY-MM-DD HH:MM:SS[.zzz]').
QDateTime u_ordenaFecha(const QString &texto);

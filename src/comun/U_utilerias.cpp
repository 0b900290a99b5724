#include "comun/U_utilerias.h"

#include "datos/UfechaHora.h"

#include <QLocale>

#include <charconv>
#include <cmath>

namespace {
// Removes trailing zeros of a fixed-point text, and the point when nothing follows it.
QString sinCerosFinales(QString texto) {
    if (!texto.contains(QLatin1Char('.')))
        return texto;
    while (texto.endsWith(QLatin1Char('0')))
        texto.chop(1);
    if (texto.endsWith(QLatin1Char('.')))
        texto.chop(1);
    return texto;
}
} // namespace

QString FloatToStr(double valor) {
    if (!std::isfinite(valor))
        return QStringLiteral("0");
    if (valor == 0.0)
        return QStringLiteral("0");
    const double magnitud = std::fabs(valor);
    if (magnitud >= 1e15 || magnitud < 1e-5)
        return QString::number(valor, 'g', 15);
    // Digits after the point that keep 15 significant digits in all.
    const int enteros = int(std::floor(std::log10(magnitud))) + 1;
    const int decimales = std::max(0, 15 - enteros);
    // Every amount written passes here, so the digits come from std::to_chars, which rounds
    // exactly as Qt does except on an exact half: to_chars takes it to even, the stored rows have
    // it away from zero. A half is exact only when the value's binary digits end one decimal
    // place further, and those few values keep Qt's conversion.
    const double conUnaMas = std::ldexp(valor, decimales + 1), conLasPedidas = std::ldexp(valor, decimales);
    const bool mitadExacta = conUnaMas == std::trunc(conUnaMas) && conLasPedidas != std::trunc(conLasPedidas);
    if (mitadExacta)
        return sinCerosFinales(QString::number(valor, 'f', decimales));
    char cifras[48];
    const char *fin =
        std::to_chars(cifras, cifras + sizeof cifras, valor, std::chars_format::fixed, decimales).ptr;
    if (decimales > 0) {
        while (fin[-1] == '0')
            --fin;
        if (fin[-1] == '.')
            --fin;
    }
    return QString::fromLatin1(cifras, fin - cifras);
}

double u_truncaDecimales(double valor, int decimales) {
    if (!std::isfinite(valor))
        return 0.0;
    const QString texto = FloatToStr(valor);
    if (texto.contains(QLatin1Char('e')) || texto.contains(QLatin1Char('E'))) {
        // Beyond the ordinary magnitudes the double carries no decimals worth keeping, or only
        // ones below the precision asked for.
        const double escala = std::pow(10.0, decimales);
        return std::fabs(valor) >= 1e15 ? valor : std::trunc(valor * escala) / escala;
    }
    const int punto = texto.indexOf(QLatin1Char('.'));
    if (punto < 0)
        return valor;
    const QString truncado = decimales > 0 ? texto.left(punto + 1 + decimales) : texto.left(punto);
    return truncado.toDouble();
}

QString u_formatoMoneda(double valor) {
    static const QLocale kIngles(QLocale::English, QLocale::UnitedStates);
    // Round to cents first so -0.004 does not print as "-$ 0.00".
    const double centavos = std::round(valor * 100.0) / 100.0;
    const QString cifra = kIngles.toString(std::fabs(centavos), 'f', 2);
    return (centavos < 0 ? QStringLiteral("-$ ") : QStringLiteral("$ ")) + cifra;
}

QDateTime u_ordenaFecha(const QString &texto) {
    return fechaHora::deValorBD(QVariant(texto));
}

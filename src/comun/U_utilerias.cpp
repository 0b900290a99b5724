#include "comun/U_utilerias.h"

#include "datos/UfechaHora.h"

#include <QLocale>
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
    QString texto = sinCerosFinales(QString::number(valor, 'f', decimales));
    if (texto == QLatin1String("-0"))
        texto = QStringLiteral("0");
    return texto;
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

#include "datos/UfechaHora.h"

#include <cmath>

namespace {
const QDate kEpoca(1899, 12, 30);
constexpr qint64 kMsPorDia = 86400000;

// Digits [desde, desde + cuantos) of the text as a number; -1 when any is not a digit.
int digitos(QStringView texto, qsizetype desde, qsizetype cuantos) {
    int n = 0;
    for (qsizetype i = desde; i < desde + cuantos; ++i) {
        const char16_t c = texto[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        n = n * 10 + (c - u'0');
    }
    return n;
}

bool separadorEn(QStringView texto, qsizetype i, char16_t separador) {
    return texto[i].unicode() == separador;
}

// The layouts the program itself stores ('yyyy-MM-dd', then ' HH:mm:ss' or 'THH:mm:ss', then
// '.zzz'), read digit by digit: this runs for every date of every row a posting reads, and Qt's
// format parser costs several time zone look-ups a value. Anything else answers invalid.
QDateTime leeFormatoPropio(QStringView texto, Qt::TimeSpec zona) {
    const qsizetype n = texto.size();
    if ((n != 10 && n != 19 && n != 23) || !separadorEn(texto, 4, u'-') || !separadorEn(texto, 7, u'-'))
        return {};
    const int anio = digitos(texto, 0, 4), mes = digitos(texto, 5, 2), diaMes = digitos(texto, 8, 2);
    const QDate dia = anio > 0 ? QDate(anio, mes, diaMes) : QDate();
    if (!dia.isValid())
        return {};
    if (n == 10)
        return QDateTime(dia, QTime(0, 0), zona);
    if ((!separadorEn(texto, 10, u' ') && !separadorEn(texto, 10, u'T')) || !separadorEn(texto, 13, u':') ||
        !separadorEn(texto, 16, u':') || (n == 23 && !separadorEn(texto, 19, u'.')))
        return {};
    const int ms = n == 23 ? digitos(texto, 20, 3) : 0;
    const int horas = digitos(texto, 11, 2), minutos = digitos(texto, 14, 2),
              segundos = digitos(texto, 17, 2);
    if (ms < 0 || horas < 0 || minutos < 0 || segundos < 0)
        return {};
    const QTime hora(horas, minutos, segundos, ms);
    return hora.isValid() ? QDateTime(dia, hora, zona) : QDateTime();
}

// A stored value's wall-clock date and time, as a date-time of `zona`.
QDateTime deValor(const QVariant &valor, Qt::TimeSpec zona) {
    if (valor.isNull())
        return {};
    switch (valor.typeId()) {
    case QMetaType::QDateTime: {
        const QDateTime dt = valor.toDateTime();
        return QDateTime(dt.date(), dt.time(), zona);
    }
    case QMetaType::QDate:
        return QDateTime(valor.toDate(), QTime(0, 0), zona);
    default:
        break;
    }
    const QString texto = valor.toString().trimmed();
    if (const QDateTime propio = leeFormatoPropio(texto, zona); propio.isValid())
        return propio;
    for (const char *formato : {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss.zzz",
                                "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd"}) {
        const QDateTime dt = QDateTime::fromString(texto, QLatin1String(formato));
        if (dt.isValid())
            return QDateTime(dt.date(), dt.time(), zona);
    }
    return {};
}
} // namespace

TDateTime fechaHora::aTDateTime(const QDateTime &valor) {
    if (!valor.isValid())
        return 0.0;
    const qint64 dias = kEpoca.daysTo(valor.date());
    const double fraccion = valor.time().msecsSinceStartOfDay() / double(kMsPorDia);
    // Before the epoch the fraction is still added as a positive time of day, in magnitude.
    return dias >= 0 ? dias + fraccion : dias - fraccion;
}

QDateTime fechaHora::deTDateTime(TDateTime valor) {
    const double dias = std::trunc(valor);
    const double fraccion = std::fabs(valor - dias);
    qint64 ms = std::llround(fraccion * kMsPorDia);
    if (ms >= kMsPorDia)
        ms = kMsPorDia - 1;
    return QDateTime(kEpoca.addDays(qint64(dias)), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

QString fechaHora::aTextoBD(const QDateTime &valor) {
    // Written digit by digit for the years of four digits: every date a posting binds comes here.
    const QDate dia = valor.date();
    if (!valor.isValid() || dia.year() < 1 || dia.year() > 9999)
        return valor.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    const QTime hora = valor.time();
    QString texto(23, Qt::Uninitialized);
    QChar *c = texto.data();
    const auto cifras = [&c](int numero, int cuantas, char16_t separador) {
        for (int i = cuantas - 1; i >= 0; --i, numero /= 10)
            c[i] = QChar(char16_t(u'0' + numero % 10));
        c += cuantas;
        if (separador)
            *c++ = QChar(separador);
    };
    cifras(dia.year(), 4, u'-');
    cifras(dia.month(), 2, u'-');
    cifras(dia.day(), 2, u' ');
    cifras(hora.hour(), 2, u':');
    cifras(hora.minute(), 2, u':');
    cifras(hora.second(), 2, u'.');
    cifras(hora.msec(), 3, 0);
    return texto;
}

QDateTime fechaHora::deValorBD(const QVariant &valor) {
    return deValor(valor, Qt::LocalTime);
}

bool fechaHora::anteriorBD(const QVariant &a, const QVariant &b) {
    // As UTC no time zone is consulted: the fields compare as they are.
    return deValor(a, Qt::UTC) < deValor(b, Qt::UTC);
}

QDateTime fechaHora::inicioDelDia(const QDate &dia) {
    return QDateTime(dia, QTime(0, 0, 0, 0));
}

QDateTime fechaHora::finDelDia(const QDate &dia) {
    return QDateTime(dia, QTime(23, 59, 59, 999));
}

#include "datos/UfechaHora.h"

#include <cmath>

namespace {
const QDate kEpoca(1899, 12, 30);
constexpr qint64 kMsPorDia = 86400000;
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
    return valor.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

QDateTime fechaHora::deValorBD(const QVariant &valor) {
    if (valor.isNull())
        return {};
    switch (valor.typeId()) {
    case QMetaType::QDateTime: {
        QDateTime dt = valor.toDateTime();
        return QDateTime(dt.date(), dt.time());
    }
    case QMetaType::QDate:
        return QDateTime(valor.toDate(), QTime(0, 0));
    default:
        break;
    }
    const QString texto = valor.toString().trimmed();
    for (const char *formato : {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss.zzz",
                                "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd"}) {
        const QDateTime dt = QDateTime::fromString(texto, QLatin1String(formato));
        if (dt.isValid())
            return dt;
    }
    return {};
}

QDateTime fechaHora::inicioDelDia(const QDate &dia) {
    return QDateTime(dia, QTime(0, 0, 0, 0));
}

QDateTime fechaHora::finDelDia(const QDate &dia) {
    return QDateTime(dia, QTime(23, 59, 59, 999));
}

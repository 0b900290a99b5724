#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

// TDateTime: days since 1899-12-30 as a double, the fraction being the time of day.
using TDateTime = double;

namespace fechaHora {
// The value the records use for "no date" (the day before 0001-01-01).
constexpr TDateTime kSinFecha = -693594.0;

TDateTime aTDateTime(const QDateTime &valor);
QDateTime deTDateTime(TDateTime valor);
// Sortable text stored on SQLite and bound on both engines: 'YYYY-MM-DD HH:MM:SS.zzz'.
QString aTextoBD(const QDateTime &valor);
// Reads a stored date-time whatever the driver handed back (QDateTime, QDate or text).
QDateTime deValorBD(const QVariant &valor);
// Whether stored value `a` is earlier than stored value `b` as the database orders them: by their
// wall-clock fields, with no local-time conversion (which costs a time zone look-up a value, and
// across a clock change would order them otherwise than the database's MAX). An invalid or null
// value is earlier than any date.
bool anteriorBD(const QVariant &a, const QVariant &b);
// Start of the first day and end of the last day of a date range filter.
QDateTime inicioDelDia(const QDate &dia);
QDateTime finDelDia(const QDate &dia);
} // namespace fechaHora

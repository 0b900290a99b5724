#pragma once

#include <QString>

// A LIKE pattern that finds the typed text anywhere, with the user's % and _ taken literally.
// Statements that bind it say ESCAPE '!' (the same on SQLite and MariaDB).
inline QString u_patronContiene(const QString &texto) {
    QString t = texto.trimmed();
    t.replace(QLatin1Char('!'), QStringLiteral("!!"));
    t.replace(QLatin1Char('%'), QStringLiteral("!%"));
    t.replace(QLatin1Char('_'), QStringLiteral("!_"));
    return QLatin1Char('%') + t + QLatin1Char('%');
}

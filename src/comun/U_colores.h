#pragma once

#include <QHash>
#include <QString>

// The suite's theme: colour name -> ARGB. Unknown names are not in the map; callers that need a
// colour use colorOGris.
using TlistaColores = QHash<QString, quint32>;

TlistaColores getColores();
quint32 colorOGris(const TlistaColores &lista, const QString &nombre);

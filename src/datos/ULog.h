#pragma once

#include <QString>

// The suite's log manager: one diagnostic line per call on standard error (and in the log file
// when one is set). Level 1 is what the module uses for failures it recovers from.
namespace Log {
void log(const QString &mensaje, int nivel, const QString &detalle = QString());
void setArchivo(const QString &ruta);
} // namespace Log

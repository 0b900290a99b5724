#include "datos/ULog.h"

#include <QDateTime>
#include <QFile>
#include <QMutex>
#include <QTextStream>

namespace {
QMutex gCandado;
QString gArchivo;
} // namespace

void Log::setArchivo(const QString &ruta) {
    QMutexLocker bloqueo(&gCandado);
    gArchivo = ruta;
}

void Log::log(const QString &mensaje, int nivel, const QString &detalle) {
    const QString linea = QStringLiteral("%1 [%2] %3%4")
                              .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs))
                              .arg(nivel)
                              .arg(mensaje, detalle.isEmpty() ? QString() : QStringLiteral(" | ") + detalle);
    QMutexLocker bloqueo(&gCandado);
    QTextStream(stderr) << linea << '\n';
    if (gArchivo.isEmpty())
        return;
    QFile f(gArchivo);
    if (f.open(QIODevice::Append | QIODevice::Text))
        QTextStream(&f) << linea << '\n';
}

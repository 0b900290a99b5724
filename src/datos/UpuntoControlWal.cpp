#include "datos/UpuntoControlWal.h"

#include "datos/ULog.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <chrono>

namespace {
QAtomicInt gSiguiente{0};
constexpr std::chrono::milliseconds kIntervalo{200};
} // namespace

TpuntoControlWal::TpuntoControlWal(const QString &archivo) : uArchivo(archivo) {
    uHilo = std::thread([this] { corre(); });
}

TpuntoControlWal::~TpuntoControlWal() {
    {
        std::lock_guard<std::mutex> bloqueo(uCandado);
        uParar = true;
    }
    uAviso.notify_one();
    uHilo.join();
}

void TpuntoControlWal::corre() {
    const QString nombre = QStringLiteral("inventario_wal_%1").arg(gSiguiente.fetchAndAddRelaxed(1));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre);
        db.setDatabaseName(uArchivo);
        if (!db.open())
            Log::log(QStringLiteral("TpuntoControlWal: no se pudo abrir %1").arg(uArchivo), 1,
                     db.lastError().text());
        else {
            QSqlQuery q(db);
            std::unique_lock<std::mutex> bloqueo(uCandado);
            // PASSIVE never waits for readers or writers: whatever it cannot copy now waits for
            // the next turn.
            while (!uAviso.wait_for(bloqueo, kIntervalo, [this] { return uParar; })) {
                bloqueo.unlock();
                q.exec(QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)"));
                q.finish();
                bloqueo.lock();
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(nombre);
}

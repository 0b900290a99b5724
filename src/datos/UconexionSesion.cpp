#include "datos/UconexionSesion.h"

#include "datos/ULog.h"
#include "datos/UcacheSentencias.h"
#include "datos/UescrituraWal.h"
#include "datos/UmotivoError.h"
#include "datos/UpuntoControlWal.h"

#include <QAtomicInt>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QThread>

#include <mutex>

#include <sqlite3.h>

namespace {
QAtomicInt gSiguienteSesion{0};

// A statement's own rollback journal (every multi-row write of a posting keeps one inside its
// transaction) stays in memory up to this size; past SQLite's 64 KB default it went to a new
// temporary file, opened and deleted again for a posting of a few dozen lines.
constexpr int kDiarioSentenciaEnMemoria = 8 << 20;

// Once per process, before SQLite's first file: settings SQLite takes only before it starts, then
// the log's write layer.
void preparaSQLite() {
    static std::once_flag unaVez;
    std::call_once(unaVez, [] { sqlite3_config(SQLITE_CONFIG_STMTJRNL_SPILL, kDiarioSentenciaEnMemoria); });
    escrituraWal::instala();
}
} // namespace

TConexionSesion::TConexionSesion(const TparametrosConexion &parametros)
    : uParametros(parametros), uNumero(gSiguienteSesion.fetchAndAddRelaxed(1)),
      uPrefijo(QStringLiteral("inventario_%1").arg(uNumero)) {}

TConexionSesion::~TConexionSesion() {
    uPuntoControl.reset();
    QMutexLocker bloqueo(&uCandado);
    for (auto it = uAbiertas.constBegin(); it != uAbiertas.constEnd(); ++it) {
        cacheSentencias::descartaConexion(it.key());
        {
            QSqlDatabase db = QSqlDatabase::database(it.key(), false);
            if (db.isValid())
                db.close();
        }
        QSqlDatabase::removeDatabase(it.key());
    }
}

QString TConexionSesion::nombreParaHilo() const {
    // Every statement asks for it: a thread keeps the name of the session it used last.
    thread_local int sesion = -1;
    thread_local QString nombre;
    if (sesion != uNumero) {
        nombre = uPrefijo + QLatin1Char('_') +
                 QString::number(reinterpret_cast<quintptr>(QThread::currentThread()), 16);
        sesion = uNumero;
    }
    return nombre;
}

QString TConexionSesion::getDatabase() const {
    return esMySQL() ? uParametros.baseDatos : uParametros.archivo;
}

QString TConexionSesion::ultimoError() const {
    QMutexLocker bloqueo(&uCandado);
    return uUltimoError;
}

bool TConexionSesion::configura(QSqlDatabase &db, QSqlError &error) {
    QStringList sentencias;
    if (esMySQL()) {
        // Wall-clock dates are stored as given; keep the session from converting them.
        sentencias << QStringLiteral("SET time_zone = '+00:00'")
                   << QStringLiteral("SET SESSION sql_mode = 'STRICT_ALL_TABLES,NO_ENGINE_SUBSTITUTION'");
        if (uParametros.soloLectura)
            sentencias << QStringLiteral("SET SESSION TRANSACTION READ ONLY");
    } else if (!uParametros.soloLectura) {
        // The journal mode is written into the file: only a file known to be ours gets here.
        sentencias << QStringLiteral("PRAGMA foreign_keys = ON")
                   << QStringLiteral("PRAGMA journal_mode = WAL")
                   << QStringLiteral("PRAGMA synchronous = NORMAL")
                   << QStringLiteral("PRAGMA wal_autocheckpoint = 10000");
    }
    QSqlQuery q(db);
    for (const QString &sentencia : sentencias) {
        if (!q.exec(sentencia)) {
            error = q.lastError();
            return false;
        }
    }
    return true;
}

bool TConexionSesion::abre() {
    const QString nombre = nombreParaHilo();
    {
        QMutexLocker bloqueo(&uCandado);
        if (uAbiertas.contains(nombre) && QSqlDatabase::database(nombre, false).isOpen())
            return true;
    }
    // A connection opened again under the same name starts with no prepared statements.
    cacheSentencias::descartaConexion(nombre);
    QSqlDatabase db;
    if (esMySQL()) {
        db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), nombre);
        db.setDatabaseName(uParametros.baseDatos);
        db.setUserName(uParametros.usuario);
        db.setPassword(uParametros.contrasena);
        QString opciones = QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=5");
        if (!uParametros.socket.isEmpty()) {
            opciones += QStringLiteral(";UNIX_SOCKET=") + uParametros.socket;
        } else {
            db.setHostName(uParametros.servidor);
            db.setPort(uParametros.puerto);
        }
        db.setConnectOptions(opciones);
    } else {
        preparaSQLite();
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre);
        db.setDatabaseName(uParametros.archivo);
        db.setConnectOptions(uParametros.soloLectura
                                 ? QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000;QSQLITE_OPEN_READONLY")
                                 : QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    }
    QSqlError error;
    bool ok = db.open();
    if (!ok)
        error = db.lastError();
    else
        ok = configura(db, error);
    QMutexLocker bloqueo(&uCandado);
    uAbiertas.insert(nombre, ok);
    if (ok && !esMySQL() && !uParametros.soloLectura && !uPuntoControl)
        uPuntoControl = std::make_unique<TpuntoControlWal>(uParametros.archivo);
    if (!ok) {
        uUltimoError = u_motivoErrorBD(error, esMySQL());
        Log::log(QStringLiteral("TConexionSesion: no se pudo abrir %1").arg(getDatabase()), 1,
                 error.text() + QStringLiteral(" (") + error.nativeErrorCode() + QLatin1Char(')'));
    }
    return ok;
}

QSqlDatabase TConexionSesion::conexion() {
    const QString nombre = nombreParaHilo();
    {
        QMutexLocker bloqueo(&uCandado);
        if (uAbiertas.value(nombre, false))
            return QSqlDatabase::database(nombre, false);
    }
    abre();
    return QSqlDatabase::database(nombre, false);
}

void TConexionSesion::cierraHiloActual() {
    const QString nombre = nombreParaHilo();
    QMutexLocker bloqueo(&uCandado);
    if (!uAbiertas.contains(nombre))
        return;
    uAbiertas.remove(nombre);
    cacheSentencias::descartaConexion(nombre);
    {
        QSqlDatabase db = QSqlDatabase::database(nombre, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(nombre);
}

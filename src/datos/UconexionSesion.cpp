#include "datos/UconexionSesion.h"

#include "datos/UcacheSentencias.h"

#include <QAtomicInt>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

namespace {
QAtomicInt gSiguienteSesion{0};
}

TConexionSesion::TConexionSesion(const TparametrosConexion &parametros)
    : uParametros(parametros),
      uPrefijo(QStringLiteral("inventario_%1").arg(gSiguienteSesion.fetchAndAddRelaxed(1))) {}

TConexionSesion::~TConexionSesion() {
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
    return uPrefijo + QLatin1Char('_') +
           QString::number(reinterpret_cast<quintptr>(QThread::currentThread()), 16);
}

QString TConexionSesion::getDatabase() const {
    return esMySQL() ? uParametros.baseDatos : uParametros.archivo;
}

QString TConexionSesion::ultimoError() const {
    QMutexLocker bloqueo(&uCandado);
    return uUltimoError;
}

bool TConexionSesion::configura(QSqlDatabase &db) {
    QSqlQuery q(db);
    if (esMySQL()) {
        // Wall-clock dates are stored as given; keep the session from converting them.
        return q.exec(QStringLiteral("SET time_zone = '+00:00'")) &&
               q.exec(QStringLiteral("SET SESSION sql_mode = 'STRICT_ALL_TABLES,NO_ENGINE_SUBSTITUTION'"));
    }
    return q.exec(QStringLiteral("PRAGMA foreign_keys = ON")) &&
           q.exec(QStringLiteral("PRAGMA journal_mode = WAL")) &&
           q.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
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
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre);
        db.setDatabaseName(uParametros.archivo);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    }
    const bool ok = db.open() && configura(db);
    QMutexLocker bloqueo(&uCandado);
    uAbiertas.insert(nombre, ok);
    if (!ok)
        uUltimoError = db.lastError().text();
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

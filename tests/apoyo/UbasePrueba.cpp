#include "apoyo/UbasePrueba.h"

#include "datos/Uesquema.h"
#include "datos/UmiddleTier.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUuid>

namespace {
QAtomicInt gContador{0};

TparametrosConexion parametrosMySQL(const QString &baseDatos) {
    TparametrosConexion p;
    p.proveedor = QStringLiteral("MySQL");
    p.socket = qEnvironmentVariable("INVENTARIO_MYSQL_SOCKET");
    p.usuario = qEnvironmentVariable("INVENTARIO_MYSQL_USER", QStringLiteral("root"));
    p.contrasena = qEnvironmentVariable("INVENTARIO_MYSQL_PASSWORD");
    p.baseDatos = baseDatos;
    return p;
}

// Runs one statement on the server without a database selected (create or drop one).
bool administra(const QString &sentencia, QString &error) {
    const QString nombre = QStringLiteral("inventario_admin_prueba");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), nombre);
        const TparametrosConexion p = parametrosMySQL(QString());
        db.setUserName(p.usuario);
        db.setPassword(p.contrasena);
        db.setConnectOptions(QStringLiteral("UNIX_SOCKET=") + p.socket);
        if (db.open()) {
            QSqlQuery q(db);
            ok = q.exec(sentencia);
            if (!ok)
                error = q.lastError().text();
            db.close();
        } else {
            error = db.lastError().text();
        }
    }
    QSqlDatabase::removeDatabase(nombre);
    return ok;
}
} // namespace

QString TbasePrueba::motor() {
    return qEnvironmentVariable("INVENTARIO_MOTOR_PRUEBA", QStringLiteral("sqlite")).toLower();
}

QString TbasePrueba::carpetaSalida() {
    QString carpeta = qEnvironmentVariable("INVENTARIO_SALIDA_PRUEBAS");
    if (carpeta.isEmpty())
        carpeta = QDir::temp().filePath(QStringLiteral("inventario-test-output"));
    QDir().mkpath(carpeta);
    return carpeta;
}

TbasePrueba::TbasePrueba() {
    const int n = gContador.fetchAndAddRelaxed(1);
    if (motor() == QLatin1String("mysql")) {
        if (qEnvironmentVariable("INVENTARIO_MYSQL_SOCKET").isEmpty()) {
            uError =
                QStringLiteral("INVENTARIO_MYSQL_SOCKET no está definido: no hay servidor MariaDB de prueba");
            return;
        }
        uBaseMySQL = QStringLiteral("inv_prueba_%1_%2").arg(QCoreApplication::applicationPid()).arg(n);
        if (!administra(QStringLiteral("DROP DATABASE IF EXISTS ") + uBaseMySQL, uError) ||
            !administra(QStringLiteral("CREATE DATABASE ") + uBaseMySQL +
                            QStringLiteral(" CHARACTER SET utf8mb4 COLLATE utf8mb4_unicode_ci"),
                        uError))
            return;
        uSesion = std::make_unique<TConexionSesion>(parametrosMySQL(uBaseMySQL));
    } else {
        TparametrosConexion p;
        p.proveedor = QStringLiteral("SQLITE");
        uArchivo = QDir::temp().filePath(QStringLiteral("inventario_prueba_%1_%2_%3.db")
                                             .arg(QCoreApplication::applicationPid())
                                             .arg(n)
                                             .arg(QUuid::createUuid().toString(QUuid::Id128).left(8)));
        p.archivo = uArchivo;
        uSesion = std::make_unique<TConexionSesion>(p);
    }
    if (!uSesion->abre()) {
        uError = uSesion->ultimoError();
        uSesion.reset();
    }
}

TbasePrueba::~TbasePrueba() {
    uSesion.reset();
    if (!uArchivo.isEmpty()) {
        for (const char *sufijo : {"", "-wal", "-shm"})
            QFile::remove(uArchivo + QLatin1String(sufijo));
    }
    if (!uBaseMySQL.isEmpty()) {
        QString error;
        administra(QStringLiteral("DROP DATABASE IF EXISTS ") + uBaseMySQL, error);
    }
}

bool TbasePrueba::esMySQL() const {
    return uSesion && uSesion->esMySQL();
}

bool TbasePrueba::creaEsquema() {
    const auto r = esquema::creaOActualiza(uSesion.get());
    if (r.estado != esquema::Estado::Listo)
        uError = r.error;
    return r.estado == esquema::Estado::Listo;
}

int TbasePrueba::creaNegocio(const QString &nombre) {
    TmiddleTier mt(uSesion.get());
    mt.setQuery(
        QStringLiteral("INSERT INTO negocio (nombre, rfc, razonSocial) VALUES (:nombre, :rfc, :razon)"));
    mt.setParametroTexto(QStringLiteral("nombre"), nombre);
    mt.setParametroTexto(QStringLiteral("rfc"), QStringLiteral("XEXX010101000"));
    mt.setParametroTexto(QStringLiteral("razon"), nombre + QStringLiteral(" S.A. de C.V."));
    const int id = int(mt.nonQuery().getIdInsertado());
    mt.setQuery(QStringLiteral("INSERT INTO sucursal (nombre, idNegocioFk) VALUES ('Matriz', :negocio)"));
    mt.setParametroEntero(QStringLiteral("negocio"), id);
    mt.nonQuery();
    return id;
}

TsistemaDatos TbasePrueba::sistema(int idNegocio, int nivel) const {
    TsistemaDatos s;
    s.conexion = uSesion.get();
    s.negocio = TNegocio::carga(uSesion.get(), idNegocio);
    s.nivel = nivel;
    return s;
}

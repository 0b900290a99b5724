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
    if (motor() != QLatin1String("mysql")) {
        TparametrosConexion p;
        p.proveedor = QStringLiteral("SQLITE");
        uArchivo = QDir::temp().filePath(QStringLiteral("inventario_prueba_%1_%2_%3.db")
                                             .arg(QCoreApplication::applicationPid())
                                             .arg(gContador.fetchAndAddRelaxed(1))
                                             .arg(QUuid::createUuid().toString(QUuid::Id128).left(8)));
        p.archivo = uArchivo;
        abreSesion(p);
        return;
    }
    if (qEnvironmentVariable("INVENTARIO_MYSQL_SOCKET").isEmpty())
        uError =
            QStringLiteral("INVENTARIO_MYSQL_SOCKET no está definido: no hay servidor MariaDB de prueba");
    else
        administra(QStringLiteral("SELECT 1"), uError);
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

bool TbasePrueba::abreSesion(const TparametrosConexion &parametros) {
    uSesion = std::make_unique<TConexionSesion>(parametros);
    if (uSesion->abre())
        return true;
    uError = uSesion->ultimoError();
    uSesion.reset();
    return false;
}

bool TbasePrueba::abreBaseVaciaMySQL() {
    uBaseMySQL = QStringLiteral("inv_prueba_%1_%2")
                     .arg(QCoreApplication::applicationPid())
                     .arg(gContador.fetchAndAddRelaxed(1));
    if (!administra(QStringLiteral("DROP DATABASE IF EXISTS ") + uBaseMySQL, uError) ||
        !administra(QStringLiteral("CREATE DATABASE ") + uBaseMySQL +
                        QStringLiteral(" CHARACTER SET utf8mb4 COLLATE utf8mb4_unicode_ci"),
                    uError))
        return false;
    return abreSesion(parametrosMySQL(uBaseMySQL));
}

TConexionSesion *TbasePrueba::sesion() {
    if (!uSesion && uError.isEmpty() && motor() == QLatin1String("mysql"))
        abreBaseVaciaMySQL();
    return uSesion.get();
}

bool TbasePrueba::esMySQL() const {
    return motor() == QLatin1String("mysql");
}

namespace {
const QString kBaseEsquema = QStringLiteral("inv_esquema_%1").arg(QCoreApplication::applicationPid());
QString gFirmaEsquema; // tables, columns and indexes of the shared database as created

QString firma(TConexionSesion *sesion) {
    TmiddleTier mt(sesion);
    mt.setQuery(QStringLiteral(
        "SELECT (SELECT COUNT(*) FROM information_schema.tables WHERE table_schema = DATABASE()), "
        "(SELECT COUNT(*) FROM information_schema.columns WHERE table_schema = DATABASE()), "
        "(SELECT COUNT(*) FROM information_schema.statistics WHERE table_schema = DATABASE())"));
    const CmidTierResponse r = mt.reader();
    return r.isSuccess()
               ? QStringLiteral("%1:%2:%3").arg(r.getCelda(0, 0), r.getCelda(0, 1), r.getCelda(0, 2))
               : QString();
}

// Empties every table and puts back what a new database holds: the seeds and the version.
bool vacia(TConexionSesion *sesion) {
    TmiddleTier mt(sesion);
    mt.setQuery(
        QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = DATABASE()"));
    const CmidTierResponse tablas = mt.reader();
    if (!tablas.isSuccess() || !mt.transaccionInicia())
        return false;
    for (int i = 0; i < tablas.getRowCount(); ++i) {
        mt.setQuery(QStringLiteral("DELETE FROM `%1`").arg(tablas.getCelda(i, 0)));
        if (!mt.nonQuery().isSuccess())
            return false;
    }
    for (const auto &version : esquema::versiones()) {
        for (const auto &sentencia : version.sentencias) {
            mt.setQuery(esquema::traduce(sentencia, true));
            if (!mt.nonQuery().isSuccess())
                return false;
        }
    }
    mt.setQuery(QStringLiteral("INSERT INTO inventarioVersionEsquema (version) VALUES (:version)"));
    mt.setParametroEntero(QStringLiteral("version"), esquema::versionActual());
    return mt.nonQuery().isSuccess() && mt.transaccionTermina();
}

void borraBaseEsquema() {
    QString error;
    administra(QStringLiteral("DROP DATABASE IF EXISTS ") + kBaseEsquema, error);
}
} // namespace

bool TbasePrueba::preparaEsquemaCompartido() {
    if (!gFirmaEsquema.isEmpty()) {
        if (abreSesion(parametrosMySQL(kBaseEsquema)) && firma(uSesion.get()) == gFirmaEsquema &&
            vacia(uSesion.get()))
            return true;
        uSesion.reset();
        uError.clear();
    }
    if (gFirmaEsquema.isEmpty())
        std::atexit(borraBaseEsquema);
    gFirmaEsquema.clear();
    if (!administra(QStringLiteral("DROP DATABASE IF EXISTS ") + kBaseEsquema, uError) ||
        !administra(QStringLiteral("CREATE DATABASE ") + kBaseEsquema +
                        QStringLiteral(" CHARACTER SET utf8mb4 COLLATE utf8mb4_unicode_ci"),
                    uError) ||
        !abreSesion(parametrosMySQL(kBaseEsquema)))
        return false;
    const auto r = esquema::creaOActualiza(uSesion.get());
    if (r.estado != esquema::Estado::Listo) {
        uError = r.error;
        return false;
    }
    gFirmaEsquema = firma(uSesion.get());
    return !gFirmaEsquema.isEmpty();
}

bool TbasePrueba::creaEsquema() {
    if (!uError.isEmpty())
        return false;
    if (esMySQL() && !uSesion)
        return preparaEsquemaCompartido();
    const auto r = esquema::creaOActualiza(sesion());
    if (r.estado != esquema::Estado::Listo)
        uError = r.error;
    return r.estado == esquema::Estado::Listo;
}

int TbasePrueba::creaNegocio(const QString &nombre) {
    TmiddleTier mt(sesion());
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

TsistemaDatos TbasePrueba::sistema(int idNegocio, int nivel) {
    TsistemaDatos s;
    s.conexion = sesion();
    s.negocio = TNegocio::carga(s.conexion, idNegocio);
    s.nivel = nivel;
    return s;
}

bool u_baseConEsquema(std::unique_ptr<TbasePrueba> &base) {
    base = std::make_unique<TbasePrueba>();
    return base->valida() && base->creaEsquema();
}

#include "UapoyoBench.h"

#include "UgeneradorMovimientos.h"
#include "comun/UNEG_opciones.h"
#include "datos/UcacheSentencias.h"
#include "datos/Uesquema.h"
#include "datos/UzonaHoraria.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>
#include <ctime>

namespace {
const char *const kSufijosSQLite[] = {"", "-wal", "-shm"};
}

TbaseBench::TbaseBench(QCommandLineParser &p, qint64 movimientosPorOmision)
    : uOpMovimientos(QStringLiteral("movimientos"), QStringLiteral("Movimientos de la base de datos."),
                     QStringLiteral("n"), QString::number(movimientosPorOmision)),
      uOpMotor(QStringLiteral("motor"), QStringLiteral("sqlite o mysql."), QStringLiteral("motor"),
               QStringLiteral("sqlite")),
      uOpArchivo(QStringLiteral("archivo"), QStringLiteral("Archivo SQLite."), QStringLiteral("archivo")),
      uOpHost(QStringLiteral("mysql-host"), QStringLiteral("Servidor."), QStringLiteral("h"),
              QStringLiteral("127.0.0.1")),
      uOpPuerto(QStringLiteral("mysql-port"), QStringLiteral("Puerto."), QStringLiteral("p"),
                QStringLiteral("3306")),
      uOpSocket(QStringLiteral("mysql-socket"), QStringLiteral("Socket."), QStringLiteral("s")),
      uOpUsuario(QStringLiteral("mysql-user"), QStringLiteral("Usuario."), QStringLiteral("u"),
                 QStringLiteral("root")),
      uConMovimientos(movimientosPorOmision > 0) {
    // As the program does at start-up.
    u_zonaHorariaLeidaUnaVez();
    p.addHelpOption();
    if (uConMovimientos)
        p.addOption(uOpMovimientos);
    p.addOptions({uOpMotor, uOpArchivo, uOpHost, uOpPuerto, uOpSocket, uOpUsuario});
}

TbaseBench::~TbaseBench() {
    uSesion.reset();
    if (!uBaseMySQL.isEmpty())
        administraMySQL(QStringLiteral("DROP DATABASE IF EXISTS ") + uBaseMySQL);
    for (const char *sufijo : kSufijosSQLite) {
        if (uArchivoPropio)
            QFile::remove(uParametros.archivo + QLatin1String(sufijo));
    }
}

bool TbaseBench::prepara(const QCommandLineParser &p) {
    QTextStream errores(stderr);
    bool ok = !uConMovimientos;
    if (uConMovimientos)
        uMovimientos = p.value(uOpMovimientos).toLongLong(&ok);
    if (!ok || (uConMovimientos && uMovimientos <= 0)) {
        errores << "--movimientos debe ser un entero positivo" << Qt::endl;
        return false;
    }
    uMotor = p.value(uOpMotor);
    TparametrosConexion &c = uParametros;
    if (uMotor == QLatin1String("mysql")) {
        c.proveedor = QStringLiteral("MySQL");
        c.servidor = p.value(uOpHost);
        c.puerto = p.value(uOpPuerto).toInt();
        c.socket = p.value(uOpSocket);
        c.usuario = p.value(uOpUsuario);
        c.contrasena = qEnvironmentVariable("INVENTARIO_MYSQL_PASSWORD");
        uBaseMySQL = QStringLiteral("inventario_bench_%1").arg(QCoreApplication::applicationPid());
        c.baseDatos = uBaseMySQL;
    } else if (uMotor == QLatin1String("sqlite")) {
        c.proveedor = QStringLiteral("SQLITE");
        uArchivoPropio = !p.isSet(uOpArchivo);
        c.archivo =
            p.isSet(uOpArchivo)
                ? p.value(uOpArchivo)
                : QDir::temp().filePath(
                      QStringLiteral("inventario_bench_%1.db").arg(QCoreApplication::applicationPid()));
    } else {
        errores << "--motor debe ser sqlite o mysql" << Qt::endl;
        return false;
    }
    return baseNueva();
}

bool TbaseBench::baseNueva() {
    uSesion.reset();
    if (!uBaseMySQL.isEmpty() && (!administraMySQL(QStringLiteral("DROP DATABASE IF EXISTS ") + uBaseMySQL) ||
                                  !administraMySQL(QStringLiteral("CREATE DATABASE ") + uBaseMySQL)))
        return false;
    for (const char *sufijo : kSufijosSQLite) {
        if (!uParametros.archivo.isEmpty())
            QFile::remove(uParametros.archivo + QLatin1String(sufijo));
    }
    uSesion = std::make_unique<TConexionSesion>(uParametros);
    if (!uSesion->abre() || esquema::creaOActualiza(uSesion.get()).estado != esquema::Estado::Listo) {
        QTextStream(stderr) << "no se pudo preparar la base de datos: " << uSesion->ultimoError() << Qt::endl;
        return false;
    }
    return true;
}

int TbaseBench::generaNegocio(int metodo, int pares) {
    QElapsedTimer reloj;
    reloj.start();
    qint64 escritos = 0;
    TgeneradorMovimientos generador;
    generador.movimientos = uMovimientos;
    if (pares > 0)
        generador.movimientosPorPar = int(qMax<qint64>(2, uMovimientos / pares));
    const int negocio = generador.genera(sesion(), escritos);
    if (negocio <= 0 || !Topciones(sesion()).insertMetodoValoracionInventario(negocio, metodo).isSuccess())
        return 0;
    u_figura(QStringLiteral("motor"), uMotor);
    u_figura(QStringLiteral("movimientos"), escritos);
    u_figura(QStringLiteral("generacion_s"), reloj.elapsed() / 1000.0);
    return negocio;
}

bool TbaseBench::administraMySQL(const QString &sentencia) const {
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), QStringLiteral("bench_admin"));
        db.setUserName(uParametros.usuario);
        db.setPassword(uParametros.contrasena);
        if (uParametros.socket.isEmpty()) {
            db.setHostName(uParametros.servidor);
            db.setPort(uParametros.puerto);
        } else {
            db.setConnectOptions(QStringLiteral("UNIX_SOCKET=") + uParametros.socket);
        }
        ok = db.open() && QSqlQuery(db).exec(sentencia);
        if (!ok)
            QTextStream(stderr) << db.lastError().text() << Qt::endl;
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench_admin"));
    return ok;
}

qint64 u_inserta(TmiddleTier &mt, const QString &sentencia, const QList<QPair<QString, QVariant>> &valores) {
    mt.setQuery(sentencia);
    for (const auto &v : valores)
        mt.setParametroVariant(v.first, v.second);
    const CmidTierResponse r = mt.nonQuery();
    return r.isSuccess() ? r.getIdInsertado() : 0;
}

void u_figura(const QString &clave, const QVariant &valor) {
    const QString texto =
        valor.typeId() == QMetaType::Double ? QString::number(valor.toDouble(), 'f', 3) : valor.toString();
    QTextStream(stdout) << clave << '=' << texto << Qt::endl;
}

double u_segundosCPU() {
    return double(std::clock()) / CLOCKS_PER_SEC;
}

double u_memoriaPico() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &linea : f.readAll().split('\n')) {
        if (linea.startsWith("VmHWM:"))
            return linea.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

Tgrabadora::Tgrabadora() {
    uReloj.start();
    u_observaSentencias([this](const QString &texto, const TparametrosSentencia &parametros) {
        uGrabacion.append({texto, parametros, uReloj.nsecsElapsed()});
    });
}

Tgrabadora::~Tgrabadora() {
    u_observaSentencias({});
}

void enlaza(QSqlQuery &q, const TparametrosSentencia &parametros) {
    for (int i = 0; i < parametros.size(); ++i) {
        const auto &p = parametros[i];
        if (p.first.isEmpty())
            q.bindValue(i, p.second);
        else
            q.bindValue(p.first.startsWith(QLatin1Char(':')) ? p.first : QLatin1Char(':') + p.first,
                        p.second);
    }
}

QSqlQuery preparada(QSqlDatabase db, const Tsentencia &s, bool &ok, const QString &prefijo) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (s.parametros.isEmpty()) {
        ok = q.exec(prefijo + s.texto);
        return q;
    }
    ok = q.prepare(prefijo + s.texto);
    if (ok)
        enlaza(q, s.parametros);
    ok = ok && q.exec();
    return q;
}

void muestraPlanes(TConexionSesion *sesion, const Tgrabacion &grabacion, QSet<QString> &vistas) {
    const bool mysql = sesion->esMySQL();
    for (const Tsentencia &s : grabacion) {
        const QString inicio = s.texto.trimmed().left(6).toUpper();
        if (vistas.contains(s.texto) ||
            (inicio != QLatin1String("SELECT") && inicio != QLatin1String("UPDATE") &&
             inicio != QLatin1String("DELETE")))
            continue;
        vistas.insert(s.texto);
        bool ok = false;
        QSqlQuery q = preparada(sesion->conexion(), s, ok,
                                mysql ? QStringLiteral("EXPLAIN ") : QStringLiteral("EXPLAIN QUERY PLAN "));
        while (ok && q.next()) {
            const QString detalle = mysql ? q.value(QStringLiteral("type")).toString() + QLatin1Char(' ') +
                                                q.value(QStringLiteral("table")).toString()
                                          : q.value(QStringLiteral("detail")).toString();
            const bool recorre = mysql ? detalle.startsWith(QLatin1String("ALL ")) ||
                                             detalle.startsWith(QLatin1String("index "))
                                       : detalle.startsWith(QLatin1String("SCAN ")) &&
                                             !detalle.contains(QLatin1String("CONSTANT"));
            if (recorre)
                QTextStream(stderr) << "recorre: " << detalle << " | " << s.texto.simplified() << Qt::endl;
        }
    }
}

namespace {
void leeTodo(QSqlQuery &q) {
    const int columnas = q.record().count();
    while (q.isSelect() && q.next()) {
        for (int c = 0; c < columnas; ++c)
            q.value(c);
    }
}

// Runs one recorded statement the cheapest way the connection offers: prepared once and reused
// (the statement cache: the engine's own library holds it), or as plain text where that is one
// round trip (no values on MariaDB).
bool corre(QSqlDatabase db, const Tsentencia &s) {
    if (s.parametros.isEmpty() && db.driverName() == QLatin1String("QMYSQL")) {
        bool ok = false;
        QSqlQuery q = preparada(db, s, ok);
        if (ok)
            leeTodo(q);
        return ok;
    }
    QString error;
    int codigo = 0;
    cacheSentencias::Tpreparada *p = cacheSentencias::prepara(db, s.texto, error, codigo);
    if (!p)
        return false;
    bool ok;
    if (p->nativa) {
        TsentenciaNativa &n = *p->nativa;
        ok = n.ejecuta(s.parametros);
        while (ok && n.siguiente()) {
            for (int c = 0; c < n.columnas().size(); ++c)
                n.valor(c);
        }
        n.termina();
    } else {
        QSqlQuery *q = &p->consulta;
        enlaza(*q, s.parametros);
        ok = q->exec();
        if (ok)
            leeTodo(*q);
        q->finish();
    }
    if (!ok)
        cacheSentencias::descarta(db, s.texto);
    return ok;
}

} // namespace

double u_reproduce(TConexionSesion *sesion, const Tgrabacion &grabacion, int &fallidas,
                   QHash<QString, double> *porSentencia) {
    QSqlDatabase db = sesion->conexion();
    QElapsedTimer reloj, parcial;
    reloj.start();
    for (const Tsentencia &s : grabacion) {
        parcial.start();
        if (!corre(db, s)) {
            ++fallidas;
            continue;
        }
        if (porSentencia)
            (*porSentencia)[s.texto] += parcial.nsecsElapsed() / 1e9;
    }
    return reloj.nsecsElapsed() / 1e9;
}

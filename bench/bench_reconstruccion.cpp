// Rebuild benchmark: generates a deterministic business of the size asked for, rebuilds its
// ledger, then times the raw writes the rebuild had to make (the same number of ledger-row
// inserts and movement-row updates through one prepared statement each, in one transaction) and
// prints every figure as clave=valor, the ratio last.
//
//   bench_reconstruccion --movimientos 100000 --motor sqlite|mysql --metodo peps|promedio
//                        [--archivo f.db] [--mysql-socket s | --mysql-host h --mysql-port p]
//                        [--mysql-user u]   (password in INVENTARIO_MYSQL_PASSWORD)
#include "UgeneradorMovimientos.h"
#include "comun/UNEG_opciones.h"
#include "datos/Uesquema.h"
#include "datos/UmiddleTier.h"
#include "kardex/UNEG_construccionKardex.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <ctime>

namespace {
QTextStream salida(stdout);

void figura(const QString &clave, const QVariant &valor) {
    const QString texto =
        valor.typeId() == QMetaType::Double ? QString::number(valor.toDouble(), 'f', 3) : valor.toString();
    salida << clave << '=' << texto << Qt::endl;
}

// Processor time of this process so far, in seconds: on SQLite all the work is in-process, so it
// is a steadier figure than the wall clock on a busy machine.
double segundosCPU() {
    return double(std::clock()) / CLOCKS_PER_SEC;
}

// Peak resident memory of the process, in MB.
double memoriaPico() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &linea : f.readAll().split('\n')) {
        if (linea.startsWith("VmHWM:"))
            return linea.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

bool administraMySQL(const TparametrosConexion &p, const QString &sentencia) {
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), QStringLiteral("bench_admin"));
        db.setUserName(p.usuario);
        db.setPassword(p.contrasena);
        if (p.socket.isEmpty()) {
            db.setHostName(p.servidor);
            db.setPort(p.puerto);
        } else {
            db.setConnectOptions(QStringLiteral("UNIX_SOCKET=") + p.socket);
        }
        ok = db.open() && QSqlQuery(db).exec(sentencia);
        if (!ok)
            QTextStream(stderr) << db.lastError().text() << Qt::endl;
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench_admin"));
    return ok;
}

// The naive writes: one prepared single-row statement each, reused, in one transaction.
double escriturasCrudas(TConexionSesion *sesion, int negocio, qint64 renglones, qint64 actualizaciones) {
    TmiddleTier mt(sesion);
    QElapsedTimer reloj;
    reloj.start();
    mt.transaccionInicia();
    QSqlQuery inserta(sesion->conexion());
    inserta.prepare(QStringLiteral(
        "INSERT INTO inventarioKardex (fechaHora, inventarioEntrada_id, inventarioAlmacen_id, "
        "inventarioProducto_id, "
        "documentoEntrada, documentoSalida, entradaCantidad, entradaCostoUnitario, salidaEntradaRelacionada, "
        "salidaCantidad, salidaCostoUnitario, totalCantidad, totalCostoUnitario, totalExistencia, "
        "idNegocioFk, "
        "revision, division, grupo) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (qint64 i = 0; i < renglones; ++i) {
        const QVariant valores[] = {QStringLiteral("2024-01-01 10:00:00.000"),
                                    i + 1,
                                    1,
                                    1,
                                    i,
                                    QVariant(),
                                    10.0,
                                    12.5,
                                    QVariant(),
                                    QVariant(),
                                    QVariant(),
                                    QStringLiteral("10"),
                                    QStringLiteral("12.5"),
                                    QVariant(),
                                    negocio,
                                    QVariant(),
                                    1,
                                    i / 3};
        for (int c = 0; c < 18; ++c)
            inserta.bindValue(c, valores[c]);
        if (!inserta.exec()) {
            QTextStream(stderr) << inserta.lastError().text() << Qt::endl;
            return -1;
        }
    }
    QSqlQuery actualiza(sesion->conexion());
    actualiza.prepare(
        QStringLiteral("UPDATE inventarioEntrada SET existenciaCostoUnitario = ?, existenciaCostoTotal = "
                       "?, existenciaTotal = ? WHERE id = ?"));
    for (qint64 i = 0; i < actualizaciones; ++i) {
        actualiza.bindValue(0, QStringLiteral("12.5"));
        actualiza.bindValue(1, QStringLiteral("125"));
        actualiza.bindValue(2, QStringLiteral("10"));
        actualiza.bindValue(3, i + 1);
        if (!actualiza.exec())
            return -1;
    }
    mt.transaccionTermina();
    return reloj.elapsed() / 1000.0;
}
} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.addHelpOption();
    const QCommandLineOption movimientos(QStringLiteral("movimientos"),
                                         QStringLiteral("Movimientos a generar."), QStringLiteral("n"),
                                         QStringLiteral("100000"));
    const QCommandLineOption motor(QStringLiteral("motor"), QStringLiteral("sqlite o mysql."),
                                   QStringLiteral("motor"), QStringLiteral("sqlite"));
    const QCommandLineOption metodo(QStringLiteral("metodo"), QStringLiteral("peps o promedio."),
                                    QStringLiteral("metodo"), QStringLiteral("peps"));
    const QCommandLineOption archivo(QStringLiteral("archivo"), QStringLiteral("Archivo SQLite."),
                                     QStringLiteral("archivo"));
    const QCommandLineOption lectura(QStringLiteral("lectura"), QStringLiteral("bloques o par."),
                                     QStringLiteral("lectura"), QStringLiteral("bloques"));
    const QCommandLineOption host(QStringLiteral("mysql-host"), QStringLiteral("Servidor."),
                                  QStringLiteral("h"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption puerto(QStringLiteral("mysql-port"), QStringLiteral("Puerto."),
                                    QStringLiteral("p"), QStringLiteral("3306"));
    const QCommandLineOption socket(QStringLiteral("mysql-socket"), QStringLiteral("Socket."),
                                    QStringLiteral("s"));
    const QCommandLineOption usuario(QStringLiteral("mysql-user"), QStringLiteral("Usuario."),
                                     QStringLiteral("u"), QStringLiteral("root"));
    p.addOptions({movimientos, motor, metodo, archivo, lectura, host, puerto, socket, usuario});
    p.process(app);

    bool ok = false;
    const qint64 n = p.value(movimientos).toLongLong(&ok);
    if (!ok || n <= 0) {
        QTextStream(stderr) << "--movimientos debe ser un entero positivo" << Qt::endl;
        return 2;
    }
    const int codigoMetodo = p.value(metodo) == QLatin1String("promedio") ? 2 : 1;
    TparametrosConexion c;
    QString base;
    if (p.value(motor) == QLatin1String("mysql")) {
        c.proveedor = QStringLiteral("MySQL");
        c.servidor = p.value(host);
        c.puerto = p.value(puerto).toInt();
        c.socket = p.value(socket);
        c.usuario = p.value(usuario);
        c.contrasena = qEnvironmentVariable("INVENTARIO_MYSQL_PASSWORD");
        base = QStringLiteral("inventario_bench_%1").arg(QCoreApplication::applicationPid());
        if (!administraMySQL(c, QStringLiteral("CREATE DATABASE ") + base))
            return 3;
        c.baseDatos = base;
    } else {
        c.proveedor = QStringLiteral("SQLITE");
        c.archivo =
            p.isSet(archivo)
                ? p.value(archivo)
                : QDir::temp().filePath(
                      QStringLiteral("inventario_bench_%1.db").arg(QCoreApplication::applicationPid()));
        for (const char *sufijo : {"", "-wal", "-shm"})
            QFile::remove(c.archivo + QLatin1String(sufijo));
    }
    int salidaProceso = 0;
    {
        TConexionSesion sesion(c);
        if (!sesion.abre() || esquema::creaOActualiza(&sesion).estado != esquema::Estado::Listo) {
            QTextStream(stderr) << "no se pudo preparar la base de datos: " << sesion.ultimoError()
                                << Qt::endl;
            return 3;
        }
        QElapsedTimer reloj;
        reloj.start();
        qint64 escritos = 0;
        TgeneradorMovimientos generador;
        generador.movimientos = n;
        const int negocio = generador.genera(&sesion, escritos);
        if (negocio <= 0)
            return 4;
        Topciones(&sesion).insertMetodoValoracionInventario(negocio, codigoMetodo);
        figura(QStringLiteral("motor"), p.value(motor));
        figura(QStringLiteral("metodo"), p.value(metodo));
        figura(QStringLiteral("movimientos"), escritos);
        figura(QStringLiteral("generacion_s"), reloj.elapsed() / 1000.0);

        TconstruccionKardex construccion(&sesion, negocio);
        if (p.value(lectura) == QLatin1String("par"))
            construccion.setLectura(TconstruccionKardex::Tlectura::PorPar);
        reloj.restart();
        double cpu = segundosCPU();
        const bool construido = construccion.construye();
        const double segundos = reloj.elapsed() / 1000.0;
        cpu = segundosCPU() - cpu;
        figura(QStringLiteral("reconstruido"), construido ? 1 : 0);
        figura(QStringLiteral("renglones_kardex"), construccion.renglonesEscritos());
        figura(QStringLiteral("actualizaciones"), construccion.actualizaciones());
        figura(QStringLiteral("segundos"), segundos);
        figura(QStringLiteral("segundos_cpu"), cpu);
        figura(QStringLiteral("memoria_pico_mb"), qRound(memoriaPico()));
        double cpuCrudo = segundosCPU();
        const double crudo = escriturasCrudas(&sesion, negocio, construccion.renglonesEscritos(),
                                              construccion.actualizaciones());
        cpuCrudo = segundosCPU() - cpuCrudo;
        figura(QStringLiteral("segundos_escrituras_crudas"), crudo);
        figura(QStringLiteral("segundos_cpu_escrituras_crudas"), cpuCrudo);
        figura(QStringLiteral("ratio"),
               crudo > 0 ? QString::number(segundos / crudo, 'f', 2) : QStringLiteral("-"));
        salidaProceso = construido && crudo > 0 ? 0 : 1;
    }
    if (!base.isEmpty())
        administraMySQL(c, QStringLiteral("DROP DATABASE IF EXISTS ") + base);
    else if (!p.isSet(archivo))
        for (const char *sufijo : {"", "-wal", "-shm"})
            QFile::remove(c.archivo + QLatin1String(sufijo));
    return salidaProceso;
}

// Several tills at once: N processes post receipts and issues of the same products of one business
// and warehouse for S seconds, each document dated with the clock to the second as the capture
// screens do. It runs one station first and then N on the same business (another business's rows
// would slow the postings' newest-first reads), and prints per run the documents per second, the refusals by
// reason, the issues split again over the current layers, the commits found out of date order afterwards (a
// movement committed after another of its warehouse but dated before it) and the consistency check's
// findings; ratio= last is the documents per second of N stations over one.
//
//   bench_estaciones --estaciones 4 --segundos 20 --motor sqlite|mysql [--metodo 1|2]
//                    [--productos 3] [--archivo f.db] [--mysql-socket s | --mysql-host h
//                    --mysql-port p] [--mysql-user u]   (password in INVENTARIO_MYSQL_PASSWORD)
#include "UapoyoBench.h"
#include "UestacionPosteos.h"
#include "comun/UNEG_opciones.h"
#include "datos/UfechaHora.h"
#include "existencias/U_verificacion.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHash>
#include <QProcess>
#include <QSet>
#include <QTextStream>

#include <memory>

namespace {

// The business the stations post to: one warehouse, its products, a receipt and an issue concept.
TparametrosEstacion creaTienda(TConexionSesion *sesion, int metodo, int productos) {
    TmiddleTier mt(sesion);
    TparametrosEstacion t;
    t.reloj = true;
    t.negocio = int(u_inserta(mt, QStringLiteral("INSERT INTO negocio (nombre) VALUES (:x)"),
                              {{QStringLiteral("x"), QStringLiteral("Tienda de varias cajas")}}));
    if (t.negocio <= 0 || !Topciones(sesion).insertMetodoValoracionInventario(t.negocio, metodo).isSuccess())
        return {};
    const QVariant n = t.negocio;
    t.almacen =
        int(u_inserta(mt,
                      QStringLiteral("INSERT INTO inventarioAlmacen (nombre, sucursal_id, idNegocioFk) "
                                     "VALUES ('Mostrador', 1, :n)"),
                      {{QStringLiteral("n"), n}}));
    const qint64 plantilla = u_inserta(mt,
                                       QStringLiteral("INSERT INTO AsientosContables (nombre, "
                                                      "ModuloAsientosContables_id, idNegocioFk) VALUES "
                                                      "('Movimientos', 1, :n)"),
                                       {{QStringLiteral("n"), n}});
    auto concepto = [&](int direccion, const QString &etiqueta) {
        return int(
            u_inserta(mt,
                      QStringLiteral("INSERT INTO inventarioMovimientoConcepto (etiqueta, direccion, "
                                     "familia, AsientosContables_id, idNegocioFk) VALUES (:e, :d, 1, :a, "
                                     ":n)"),
                      {{QStringLiteral("e"), etiqueta},
                       {QStringLiteral("d"), direccion},
                       {QStringLiteral("a"), plantilla},
                       {QStringLiteral("n"), n}}));
    };
    t.compra = concepto(1, QStringLiteral("Compra"));
    t.venta = concepto(2, QStringLiteral("Venta"));
    for (int p = 0; p < productos; ++p)
        t.productos << int(u_inserta(
            mt,
            QStringLiteral("INSERT INTO inventarioProducto (nombre, estatus, estado, "
                           "idNegocioFk) VALUES (:x, 1, 1, :n)"),
            {{QStringLiteral("x"), QStringLiteral("Producto %1").arg(p + 1)}, {QStringLiteral("n"), n}}));
    return t;
}

// Documents with a ledger row dated before the newest one committed earlier (by id) in the same
// warehouse. Postings of a business commit one after the other, so the ledger's ids follow the
// order of the commits.
qint64 fueraDeOrden(TConexionSesion *sesion, int negocio) {
    TmiddleTier mt(sesion);
    mt.setQuery(
        QStringLiteral("SELECT inventarioAlmacen_id, fechaHora, documentoEntrada, documentoSalida FROM "
                       "inventarioKardex WHERE idNegocioFk = :n AND revision IS NULL ORDER BY id"));
    mt.setParametroEntero(QStringLiteral("n"), negocio);
    const CmidTierResponse r = mt.reader();
    QHash<qint64, QDateTime> ultimo;
    QSet<QString> documentos;
    for (int f = 0; f < r.getRowCount(); ++f) {
        const qint64 almacen = r.getCeldaAsInt(f, 0);
        const QDateTime fecha = r.getCeldaAsDate(f, 1);
        QDateTime &previa = ultimo[almacen];
        if (previa.isValid() && fecha < previa)
            documentos << (r.esNulo(f, QStringLiteral("documentoEntrada"))
                               ? QStringLiteral("S") + r.getCelda(f, 3)
                               : QStringLiteral("E") + r.getCelda(f, 2));
        else
            previa = fecha;
    }
    return documentos.size();
}

struct Tcorrida {
    TcuentaEstacion cuenta;
    double documentosPorSegundo = 0;
    qint64 fueraDeOrden = 0;
    int hallazgos = 0;
};

// One run: `estaciones` processes of this program in station mode for `segundos`.
Tcorrida corre(TConexionSesion *sesion, const QStringList &conexion, const TparametrosEstacion &t,
               int estaciones, int segundos) {
    Tcorrida c;
    QStringList ids;
    for (const int p : t.productos)
        ids << QString::number(p);
    const QStringList argumentos =
        conexion +
        QStringList{QStringLiteral("--estacion"), QStringLiteral("--negocio"), QString::number(t.negocio),
                    QStringLiteral("--almacen"),  QString::number(t.almacen),  QStringLiteral("--compra"),
                    QString::number(t.compra),    QStringLiteral("--venta"),   QString::number(t.venta),
                    QStringLiteral("--ids"),      ids.join(QLatin1Char(',')),  QStringLiteral("--segundos"),
                    QString::number(segundos)};
    std::vector<std::unique_ptr<QProcess>> procesos;
    for (int i = 0; i < estaciones; ++i) {
        procesos.push_back(std::make_unique<QProcess>());
        procesos.back()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        procesos.back()->start(QCoreApplication::applicationFilePath(), argumentos);
    }
    for (auto &p : procesos) {
        p->waitForFinished((segundos + 120) * 1000);
        const QList<QByteArray> lineas = p->readAllStandardOutput().trimmed().split('\n');
        c.cuenta += TcuentaEstacion::deTexto(QString::fromUtf8(lineas.last()));
    }
    c.documentosPorSegundo = double(c.cuenta.entradas + c.cuenta.salidas) / segundos;
    // The checks read through a fresh connection: the server may have been restarted meanwhile.
    sesion->cierraHiloActual();
    c.fueraDeOrden = fueraDeOrden(sesion, t.negocio);
    bool leido = false;
    c.hallazgos = int(u_verificaInventario(sesion, leido).size());
    if (!leido)
        c.hallazgos = -1;
    return c;
}

void imprime(const Tcorrida &c) {
    u_figura(QStringLiteral("documentos"), c.cuenta.entradas + c.cuenta.salidas);
    u_figura(QStringLiteral("documentos_s"), c.documentosPorSegundo);
    u_figura(QStringLiteral("rechazos_existencia"), c.cuenta.existencia);
    u_figura(QStringLiteral("rechazos_series"), c.cuenta.series);
    u_figura(QStringLiteral("rechazos_otros"), c.cuenta.otros);
    u_figura(QStringLiteral("fallas"), c.cuenta.fallas);
    u_figura(QStringLiteral("fecha_fechadas_de_nuevo"), c.cuenta.fecha);
    u_figura(QStringLiteral("salidas_repartidas"), c.cuenta.repartidas);
    u_figura(QStringLiteral("fuera_de_orden"), c.fueraDeOrden);
    u_figura(QStringLiteral("verificar_hallazgos"), c.hallazgos);
}

// Station mode: posts until the time is up and prints its counts as one line.
int estacion(const QCommandLineParser &p, const TparametrosConexion &conexion, TparametrosEstacion t) {
    TConexionSesion sesion(conexion);
    if (!sesion.abre())
        return 2;
    for (const QString &id : p.value(QStringLiteral("ids")).split(QLatin1Char(',')))
        t.productos << id.toInt();
    TestacionPosteos caja(&sesion, t);
    const QDeadlineTimer fin(p.value(QStringLiteral("segundos")).toInt() * 1000);
    while (!fin.hasExpired()) {
        caja.recibe();
        caja.entrega();
    }
    QTextStream(stdout) << caja.cuenta().texto() << Qt::endl;
    return 0;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    TbaseBench base(p, 1);
    auto opcion = [&](const char *nombre, const char *ayuda, const char *omision) {
        p.addOption(QCommandLineOption(QString::fromLatin1(nombre), QString::fromUtf8(ayuda),
                                       QStringLiteral("n"), QString::fromLatin1(omision)));
    };
    opcion("estaciones", "Procesos que postean a la vez.", "2");
    opcion("segundos", "Duración de cada corrida.", "20");
    opcion("metodo", "1 PEPS, 2 Promedio Ponderado.", "1");
    opcion("productos", "Productos de cada documento.", "3");
    for (const char *interna : {"negocio", "almacen", "compra", "venta", "ids", "mysql-database"})
        opcion(interna, "(modo estación)", "");
    p.addOption(QCommandLineOption(QStringLiteral("estacion"), QStringLiteral("(modo estación)")));
    p.process(app);

    if (p.isSet(QStringLiteral("estacion"))) {
        TparametrosConexion c;
        if (p.value(QStringLiteral("motor")) == QLatin1String("mysql")) {
            c.proveedor = QStringLiteral("MySQL");
            c.servidor = p.value(QStringLiteral("mysql-host"));
            c.puerto = p.value(QStringLiteral("mysql-port")).toInt();
            c.socket = p.value(QStringLiteral("mysql-socket"));
            c.usuario = p.value(QStringLiteral("mysql-user"));
            c.contrasena = qEnvironmentVariable("INVENTARIO_MYSQL_PASSWORD");
            c.baseDatos = p.value(QStringLiteral("mysql-database"));
        } else {
            c.proveedor = QStringLiteral("SQLITE");
            c.archivo = p.value(QStringLiteral("archivo"));
        }
        TparametrosEstacion t;
        t.reloj = true;
        t.negocio = p.value(QStringLiteral("negocio")).toInt();
        t.almacen = p.value(QStringLiteral("almacen")).toInt();
        t.compra = p.value(QStringLiteral("compra")).toInt();
        t.venta = p.value(QStringLiteral("venta")).toInt();
        return estacion(p, c, t);
    }

    if (!base.prepara(p))
        return 1;
    const int estaciones = p.value(QStringLiteral("estaciones")).toInt();
    const int segundos = p.value(QStringLiteral("segundos")).toInt();
    const int metodo = p.value(QStringLiteral("metodo")).toInt();
    const int productos = p.value(QStringLiteral("productos")).toInt();
    if (estaciones < 1 || segundos < 1 || (metodo != 1 && metodo != 2) || productos < 1) {
        QTextStream(stderr) << "--estaciones, --segundos y --productos deben ser positivos; --metodo 1 o 2"
                            << Qt::endl;
        return 1;
    }
    const TparametrosConexion &c = base.sesion()->parametros();
    QStringList conexion{QStringLiteral("--motor"), base.motor()};
    if (c.proveedor == QLatin1String("MySQL"))
        conexion << QStringLiteral("--mysql-host") << c.servidor << QStringLiteral("--mysql-port")
                 << QString::number(c.puerto) << QStringLiteral("--mysql-socket") << c.socket
                 << QStringLiteral("--mysql-user") << c.usuario << QStringLiteral("--mysql-database")
                 << c.baseDatos;
    else
        conexion << QStringLiteral("--archivo") << c.archivo;

    u_figura(QStringLiteral("motor"), base.motor());
    u_figura(QStringLiteral("metodo"), metodo);
    u_figura(QStringLiteral("segundos"), segundos);
    const TparametrosEstacion tienda = creaTienda(base.sesion(), metodo, productos);
    if (tienda.venta <= 0) {
        QTextStream(stderr) << "no se pudo crear el negocio" << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << "# 1 estación" << Qt::endl;
    const Tcorrida una = corre(base.sesion(), conexion, tienda, 1, segundos);
    imprime(una);
    QTextStream(stdout) << "# " << estaciones << " estaciones" << Qt::endl;
    const Tcorrida varias = corre(base.sesion(), conexion, tienda, estaciones, segundos);
    imprime(varias);
    u_figura(QStringLiteral("ratio"),
             una.documentosPorSegundo > 0 ? varias.documentosPorSegundo / una.documentosPorSegundo : 0.0);
    return 0;
}

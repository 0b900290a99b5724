// Posts receipts and issues in a loop until it is killed, for the test that kills it at random
// moments. Prints one line per posted document.
//
//   ayudante_posteos (--sqlite f | --mysql-socket s --mysql-database d) --negocio n --almacen a
//                    --productos p1,p2 --compra c --venta v
#include "UestacionPosteos.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    auto opcion = [&](const char *nombre) {
        const QCommandLineOption o(QString::fromLatin1(nombre), QString::fromLatin1(nombre),
                                   QStringLiteral("v"));
        p.addOption(o);
        return o;
    };
    const auto sqlite = opcion("sqlite"), socket = opcion("mysql-socket"), base = opcion("mysql-database");
    const auto negocio = opcion("negocio"), almacen = opcion("almacen"), productos = opcion("productos");
    const auto compra = opcion("compra"), venta = opcion("venta");
    p.process(app);

    TparametrosConexion c;
    if (p.isSet(sqlite)) {
        c.proveedor = QStringLiteral("SQLITE");
        c.archivo = p.value(sqlite);
    } else {
        c.proveedor = QStringLiteral("MySQL");
        c.socket = p.value(socket);
        c.baseDatos = p.value(base);
        c.usuario = qEnvironmentVariable("INVENTARIO_MYSQL_USER", QStringLiteral("root"));
        c.contrasena = qEnvironmentVariable("INVENTARIO_MYSQL_PASSWORD");
    }
    TConexionSesion sesion(c);
    if (!sesion.abre())
        return 2;
    TparametrosEstacion e;
    e.negocio = p.value(negocio).toInt();
    e.almacen = p.value(almacen).toInt();
    e.compra = p.value(compra).toInt();
    e.venta = p.value(venta).toInt();
    for (const QString &id : p.value(productos).split(QLatin1Char(',')))
        e.productos << id.toInt();
    TestacionPosteos estacion(&sesion, e);
    QTextStream salida(stdout);
    for (int n = 1;; ++n) {
        if (!estacion.recibe() || !estacion.entrega()) {
            QTextStream(stderr) << "no se guardó: " << estacion.ultimoAviso() << Qt::endl;
            return 3;
        }
        salida << n << Qt::endl;
    }
}

// Posts receipts and issues in a loop until it is killed, for the test that kills it at random
// moments. Prints one line per posted document.
//
//   ayudante_posteos (--sqlite f | --mysql-socket s --mysql-database d) --negocio n --almacen a
//                    --productos p1,p2 --compra c --venta v
#include "comun/U_interaccionAutomatica.h"
#include "comun/U_utilerias.h"
#include "datos/UfechaHora.h"
#include "datos/UmiddleTier.h"
#include "entradas/UNEG_documentoEntrada.h"
#include "salidas/UNEG_documentoSalida.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <random>

namespace {

struct Tayudante {
    TConexionSesion *sesion;
    int negocio, almacen, compra, venta;
    QVector<int> productos;
    QDateTime momento;
    std::mt19937 azar{std::random_device{}()};

    int entre(int minimo, int maximo) { return minimo + int(azar() % unsigned(maximo - minimo + 1)); }

    bool recibe() {
        TdocumentoEntrada doc(sesion, negocio);
        TdatosEntrada &d = doc.datos();
        d.almacenID = almacen;
        d.conceptoID = compra;
        d.fechaHora = momento = momento.addSecs(60);
        for (int producto : productos) {
            TlineaEntrada l;
            l.productoID = producto;
            l.producto = QStringLiteral("Producto %1").arg(producto);
            l.cantidad = QString::number(entre(1, 6));
            l.costoUnitario = entre(100, 999) / 100.0;
            d.lineas << l;
        }
        return doc.guardar();
    }

    // Takes part of each product's stock, usually over several layers.
    bool entrega() {
        TdocumentoSalida doc(sesion, negocio);
        doc.setAlmacen(almacen);
        doc.setConcepto(venta);
        doc.setFechaHora(momento = momento.addSecs(60));
        for (int producto : productos) {
            const double existencia = doc.consultaExistenciaArticulo(producto);
            TproductoSalida p;
            p.id = producto;
            p.nombre = QStringLiteral("Producto %1").arg(producto);
            const double cantidad = std::floor(existencia * entre(20, 90) / 100.0);
            if (cantidad >= 1 && !doc.agregarProducto(p, cantidad))
                return false;
        }
        return doc.lineas().isEmpty() || doc.guardar();
    }
};

} // namespace

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
    Tayudante a{&sesion,
                p.value(negocio).toInt(),
                p.value(almacen).toInt(),
                p.value(compra).toInt(),
                p.value(venta).toInt(),
                {},
                {}};
    for (const QString &id : p.value(productos).split(QLatin1Char(',')))
        a.productos << id.toInt();
    // After every movement already there, so each run's documents pass the date check.
    TmiddleTier mt(&sesion);
    mt.setQuery(QStringLiteral("SELECT MAX(fechaHora) FROM inventarioKardex WHERE idNegocioFk = :negocio"));
    mt.setParametroEntero(QStringLiteral("negocio"), a.negocio);
    const QVariant ultimo = mt.scalar().getScalar();
    a.momento = ultimo.isNull() ? QDateTime(QDate(2025, 1, 1), QTime(8, 0)) : fechaHora::deValorBD(ultimo);

    TinteraccionAutomatica usuario;
    QTextStream salida(stdout);
    for (int n = 1;; ++n) {
        if (!a.recibe() || !a.entrega()) {
            QTextStream(stderr) << "no se guardó: " << usuario.ultimoAviso() << Qt::endl;
            return 3;
        }
        salida << n << Qt::endl;
    }
}

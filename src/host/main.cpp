// The host program: opens the database, picks the business, enters the module and shows its panel.
#include "catalogos/U_categoriasConsola.h"
#include "comun/UNEG_negocios.h"
#include "comun/U_mensajes.h"
#include "comun/ui/U_reportes.h"
#include "comun/ui/UinteraccionQt.h"
#include "datos/UzonaHoraria.h"
#include "existencias/U_importacionConsola.h"
#include "existencias/U_verificacion.h"
#include "host/UFRM_nuevoNegocio.h"
#include "host/UaperturaHost.h"
#include "inventario/UFRM_inventario.h"
#include "inventario/U_historiaDemo.h"
#include "kardex/U_reconstruyeKardex.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QInputDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QTextStream>
#include <QTimer>

namespace {

bool sinPantalla() {
    // The console commands (rebuild, check) run without a window system at all.
    return !qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ||
           QGuiApplication::platformName() == QLatin1String("offscreen") ||
           QGuiApplication::platformName() == QLatin1String("minimal");
}

int falla(const QString &mensaje, int salida) {
    QTextStream(stderr) << mensaje << '\n';
    if (!sinPantalla())
        QMessageBox::critical(nullptr, QStringLiteral("Inventario"), mensaje);
    return salida;
}

const char *const kReconstruirKardex = "--reconstruir-kardex";
const char *const kVerificar = "--verificar";
// Work without a window: the rebuild, the check, the category spreadsheet exchange and the
// movement import.
const char *const kOpcionesConsola[] = {kReconstruirKardex, kVerificar, "--exportar-categorias",
                                        "--importar-categorias", "--importar-movimientos"};

bool leeOpciones(const QCoreApplication &app, TopcionesHost &o, QString &error) {
    QCommandLineParser p;
    p.setApplicationDescription(
        QStringLiteral("Inventario: almacenes, entradas, salidas, traspasos y kardex."));
    p.addHelpOption();
    const QCommandLineOption sqlite(QStringLiteral("sqlite"),
                                    QStringLiteral("Archivo de base de datos SQLite."),
                                    QStringLiteral("archivo"));
    const QCommandLineOption host(QStringLiteral("mysql-host"), QStringLiteral("Servidor MariaDB/MySQL."),
                                  QStringLiteral("servidor"));
    const QCommandLineOption puerto(QStringLiteral("mysql-port"), QStringLiteral("Puerto del servidor."),
                                    QStringLiteral("puerto"), QStringLiteral("3306"));
    const QCommandLineOption socket(QStringLiteral("mysql-socket"),
                                    QStringLiteral("Socket local del servidor."), QStringLiteral("ruta"));
    const QCommandLineOption base(QStringLiteral("mysql-database"),
                                  QStringLiteral("Base de datos del servidor."), QStringLiteral("nombre"));
    const QCommandLineOption usuario(
        QStringLiteral("mysql-user"),
        QStringLiteral("Usuario del servidor (contraseña en INVENTARIO_MYSQL_PASSWORD)."),
        QStringLiteral("usuario"), QStringLiteral("root"));
    const QCommandLineOption nivel(QStringLiteral("nivel"),
                                   QStringLiteral("Nivel de permisos (1 = restringido)."),
                                   QStringLiteral("n"), QStringLiteral("2"));
    const QCommandLineOption negocio(QStringLiteral("negocio"), QStringLiteral("Id del negocio a abrir."),
                                     QStringLiteral("id"));
    const QCommandLineOption demo(
        QStringLiteral("demo"),
        QStringLiteral("Llena una base de datos nueva con dos negocios de demostración con meses de "
                       "movimientos (abre el primero salvo que se indique --negocio)."));
    const QCommandLineOption abrir(QStringLiteral("abrir"),
                                   QStringLiteral("Entrada del menú a abrir al iniciar."),
                                   QStringLiteral("entrada"));
    const QCommandLineOption captura(QStringLiteral("captura"),
                                     QStringLiteral("Guarda la ventana como PNG al mostrarse y termina."),
                                     QStringLiteral("archivo.png"));
    const QCommandLineOption reconstruir(
        QString::fromLatin1(kReconstruirKardex + 2),
        QStringLiteral("Vacía y reconstruye el kardex del negocio, sin ventana, y termina."));
    const QCommandLineOption verificar(
        QString::fromLatin1(kVerificar + 2),
        QStringLiteral("Revisa que existencias, capas, kardex y números de serie concuerden y termina."));
    const QCommandLineOption exportarCategorias(
        QStringLiteral("exportar-categorias"),
        QStringLiteral("Escribe el árbol de categorías del negocio en un .xlsx, sin ventana, y termina."),
        QStringLiteral("archivo.xlsx"));
    const QCommandLineOption importarCategorias(
        QStringLiteral("importar-categorias"),
        QStringLiteral("Importa las categorías de un .xlsx (todo o nada), sin ventana, y termina."),
        QStringLiteral("archivo.xlsx"));
    const QCommandLineOption importarMovimientos(
        QStringLiteral("importar-movimientos"),
        QStringLiteral("Registra las entradas y salidas de un .csv o .xlsx, sin ventana, y termina."),
        QStringLiteral("archivo"));
    const QCommandLineOption simular(
        QStringLiteral("simular"),
        QStringLiteral("Con --importar-movimientos: revisa y registra todo, y luego lo deshace."));
    const QCommandLineOption crearProductos(
        QStringLiteral("crear-productos"),
        QStringLiteral("Con --importar-movimientos: da de alta las claves de producto que no existan."));
    const QCommandLineOption informe(
        QStringLiteral("informe"),
        QStringLiteral("Con --importar-movimientos: escribe las salidas registradas, por capa, en un .csv."),
        QStringLiteral("salida.csv"));
    p.addOptions({sqlite, host, puerto, socket, base, usuario, nivel, negocio, demo, abrir, captura,
                  reconstruir, verificar, exportarCategorias, importarCategorias, importarMovimientos,
                  simular, crearProductos, informe});
    p.process(app);

    bool puertoValido = false;
    const int numeroPuerto = p.value(puerto).toInt(&puertoValido);
    if (!puertoValido || numeroPuerto < 1 || numeroPuerto > 65535) {
        error = QStringLiteral("El puerto del servidor debe ser un número entero de 1 a 65535.");
        return false;
    }
    const bool mysql = p.isSet(host) || p.isSet(socket) || p.isSet(base) || p.isSet(puerto);
    if (mysql) {
        if (!p.isSet(base)) {
            error = QStringLiteral("Indique la base de datos del servidor con --mysql-database.");
            return false;
        }
        o.conexion.proveedor = QStringLiteral("MySQL");
        o.conexion.servidor = p.isSet(host) ? p.value(host) : QStringLiteral("127.0.0.1");
        o.conexion.puerto = numeroPuerto;
        o.conexion.socket = p.value(socket);
        o.conexion.baseDatos = p.value(base);
        o.conexion.usuario = p.value(usuario);
        o.conexion.contrasena = qEnvironmentVariable("INVENTARIO_MYSQL_PASSWORD");
    } else {
        o.conexion.proveedor = QStringLiteral("SQLITE");
        o.conexion.archivo = p.isSet(sqlite) ? p.value(sqlite) : rutaSQLitePredeterminada();
    }
    bool ok = true;
    o.nivel = p.value(nivel).toInt(&ok);
    if (!ok || o.nivel < 1) {
        error = QStringLiteral("El nivel de permisos debe ser un número entero positivo.");
        return false;
    }
    if (p.isSet(negocio)) {
        o.idNegocio = p.value(negocio).toInt(&ok);
        if (!ok || o.idNegocio <= 0) {
            error = QStringLiteral("El id del negocio debe ser un número entero positivo.");
            return false;
        }
    }
    o.demo = p.isSet(demo);
    o.verificar = p.isSet(verificar);
    o.abrir = p.value(abrir);
    o.captura = p.value(captura);
    o.reconstruirKardex = p.isSet(reconstruir);
    o.exportarCategorias = p.value(exportarCategorias);
    o.importarCategorias = p.value(importarCategorias);
    o.importarMovimientos = p.value(importarMovimientos);
    o.importacion.simular = p.isSet(simular);
    o.importacion.crearProductos = p.isSet(crearProductos);
    o.informeImportacion = p.value(informe);
    return true;
}

// The business to open: the one asked for, the only one, the one the user picks, or a new one.
int eligeNegocio(TConexionSesion *sesion, const TopcionesHost &o, QString &error) {
    const QList<QPair<int, QString>> lista = negocios::lista(sesion);
    if (o.idNegocio > 0) {
        for (const auto &n : lista) {
            if (n.first == o.idNegocio)
                return n.first;
        }
        error = QStringLiteral("La base de datos no tiene un negocio con id %1.").arg(o.idNegocio);
        return 0;
    }
    if (lista.size() == 1)
        return lista.first().first;
    if (sinPantalla()) {
        error = lista.isEmpty()
                    ? QStringLiteral("La base de datos no tiene ningún negocio; use --demo o abra el "
                                     "programa con pantalla para crearlo.")
                    : QStringLiteral("La base de datos tiene varios negocios; indique uno con --negocio.");
        return 0;
    }
    if (lista.isEmpty()) {
        TFRM_nuevoNegocio dialogo(sesion);
        return dialogo.exec() == QDialog::Accepted ? dialogo.idNegocio() : 0;
    }
    QStringList nombres;
    for (const auto &n : lista)
        nombres << QStringLiteral("%1 (id %2)").arg(n.second).arg(n.first);
    bool ok = false;
    const QString elegido = QInputDialog::getItem(nullptr, QStringLiteral("Inventario"),
                                                  QStringLiteral("Negocio a abrir:"), nombres, 0, false, &ok);
    return ok ? lista.at(nombres.indexOf(elegido)).first : 0;
}

} // namespace

int main(int argc, char *argv[]) {
    u_zonaHorariaLeidaUnaVez();
    const bool consola = std::any_of(argv + 1, argv + argc, [](const char *a) {
        return std::any_of(std::begin(kOpcionesConsola), std::end(kOpcionesConsola), [a](const char *opcion) {
            const QByteArray dado(a);
            return dado == opcion || dado.startsWith(QByteArray(opcion) + '=');
        });
    });
    std::unique_ptr<QCoreApplication> app =
        consola ? std::make_unique<QCoreApplication>(argc, argv) : std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("inventario"));
    QCoreApplication::setOrganizationName(QStringLiteral("Inventario"));

    TopcionesHost o;
    QString error;
    if (!leeOpciones(*app, o, error))
        return falla(error, 2);

    TaperturaHost apertura = abreBaseDatos(o.conexion, o.puedeCrear());
    if (!apertura.sesion)
        return falla(apertura.error, apertura.salida);
    TConexionSesion *sesion = apertura.sesion.get();

    if (o.demo && negocios::lista(sesion).isEmpty()) {
        QString errorDemo;
        historiaDemo::crea(sesion, QDate::currentDate(), errorDemo);
        if (!errorDemo.isEmpty())
            return falla(QStringLiteral("No se pudieron crear los datos de demostración: ") + errorDemo, 4);
    }
    // The demo database holds two businesses: without --negocio it opens the first.
    if (o.demo && o.idNegocio <= 0 && !negocios::lista(sesion).isEmpty())
        o.idNegocio = negocios::lista(sesion).first().first;

    if (o.verificar) {
        bool leido = false;
        const QStringList hallazgos = u_verificaInventario(sesion, leido);
        for (const QString &h : hallazgos)
            QTextStream(stdout) << h << '\n';
        if (!leido)
            return falla(QStringLiteral("No se pudo leer la base de datos para verificarla."), 5);
        return hallazgos.isEmpty() ? 0 : 1;
    }

    const int idNegocio = eligeNegocio(sesion, o, error);
    if (idNegocio <= 0)
        return error.isEmpty() ? 0 : falla(error, 2);

    if (o.reconstruirKardex) {
        QTextStream salida(stdout);
        return reconstruyeKardexEnConsola(sesion, idNegocio, salida);
    }
    if (!o.importarMovimientos.isEmpty()) {
        QTextStream salida(stdout);
        return importaMovimientosEnConsola(sesion, idNegocio, o.importarMovimientos, o.importacion,
                                           o.informeImportacion, salida);
    }
    if (!o.exportarCategorias.isEmpty() || !o.importarCategorias.isEmpty()) {
        QTextStream salida(stdout);
        return o.importarCategorias.isEmpty()
                   ? exportaCategoriasEnConsola(sesion, idNegocio, o.exportarCategorias, salida)
                   : importaCategoriasEnConsola(sesion, idNegocio, o.importarCategorias, salida);
    }

    if (!sinPantalla()) {
        u_instalaInteraccion(std::make_shared<TinteraccionQt>());
        u_instalaArchivosQt();
    }

    TsistemaDatos sistema;
    sistema.conexion = sesion;
    sistema.negocio = TNegocio::carga(sesion, idNegocio);
    sistema.nivel = o.nivel;

    QMainWindow ventana;
    ventana.setObjectName(QStringLiteral("ventanaPrincipal"));
    ventana.setWindowTitle(QStringLiteral("Inventario — %1").arg(sistema.negocio.getNombre()));
    QWidget *panel = TFRM_inventario::ExecForm(sistema);
    ventana.setCentralWidget(panel);
    ventana.resize(1280, 800);
    ventana.show();

    // Once the start-up checks of the first paint have run: open the entry asked for, take the
    // picture, leave.
    QTimer espera;
    espera.setInterval(50);
    int intentos = 0;
    QObject::connect(&espera, &QTimer::timeout, [&] {
        TFRM_inventario *principal = TFRM_inventario::actual();
        const bool listo = !principal || principal->arranqueRealizado() || ++intentos > 200;
        if (!listo)
            return;
        espera.stop();
        if (!o.abrir.isEmpty() && principal && !principal->abreEntradaPorTexto(o.abrir))
            QTextStream(stderr) << "No hay una entrada de menú llamada " << o.abrir << '\n';
        if (o.captura.isEmpty())
            return;
        QTimer::singleShot(400, &ventana, [&] {
            const bool guardado = ventana.grab().save(o.captura);
            QCoreApplication::exit(guardado ? 0 : 5);
        });
    });
    espera.start();
    return QCoreApplication::exec();
}

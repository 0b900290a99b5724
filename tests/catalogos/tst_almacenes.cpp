// The warehouse catalogue driven through its widgets: search, new and edit in the modal dialog,
// the name and branch rules, permissions and the exports.
#include "apoyo/UbasePrueba.h"
#include "apoyo/UinteraccionGuionada.h"
#include "apoyo/UrevisionPDF.h"
#include "apoyo/UwidgetsPrueba.h"
#include "catalogos/UFRM_almacen.h"
#include "catalogos/UFRM_almacenCaptura.h"
#include "catalogos/UNEG_almacenes.h"
#include "comun/U_archivosSalida.h"
#include "comun/U_lectorXlsx.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/UgridControl.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

class TpruebaAlmacenes : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<TguionInstalado> uGuion;
    std::unique_ptr<TFRM_almacenes> uPantalla;
    std::unique_ptr<QTemporaryDir> uCarpeta;
    int uNegocio = 0;
    int uMatriz = 0;
    int uNorte = 0;
    QString uRutaGuardar;
    int uPreguntasGuardar = 0;
    TproximoDialogo uDialogo;

    int sucursal(int negocio, const QString &nombre) {
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(QStringLiteral("INSERT INTO sucursal (nombre, idNegocioFk) VALUES (:nombre, :negocio)"));
        mt.setParametroTexto(QStringLiteral("nombre"), nombre);
        mt.setParametroEntero(QStringLiteral("negocio"), negocio);
        return int(mt.nonQuery().getIdInsertado());
    }
    void almacen(int idSucursal, const QString &nombre, int negocio = 0) {
        TalmacenDescripcion a;
        a.sucursalId = idSucursal;
        a.nombre = nombre;
        a.direccion = QStringLiteral("Calle 5");
        a.idNegocio = negocio ? negocio : uNegocio;
        QVERIFY(Talmacen(uBase->sesion()).insertAlmacen(a).getFilasAfectadas() == 1);
    }
    QStringList almacenesGuardados() {
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(
            QStringLiteral("SELECT nombre FROM inventarioAlmacen WHERE idNegocioFk = :n ORDER BY id"));
        mt.setParametroEntero(QStringLiteral("n"), uNegocio);
        const CmidTierResponse r = mt.reader();
        QStringList nombres;
        for (int f = 0; f < r.getRowCount(); ++f)
            nombres << r.getCelda(f, 0);
        return nombres;
    }
    QStringList nombresEnGrid() const {
        QStringList nombres;
        for (int f = 0; f < uPantalla->gridControl()->filas(); ++f)
            nombres << uPantalla->gridControl()->getCelda(f, QStringLiteral("almacen_nombre"));
        return nombres;
    }
    void abre(int nivel = 2) {
        localSYS = uBase->sistema(uNegocio, nivel);
        uPantalla = std::make_unique<TFRM_almacenes>();
        uPantalla->resize(900, 500);
        uPantalla->show();
        QVERIFY(uPantalla->init());
    }
    void enDialogo(std::function<void(TFRM_almacenCaptura *)> accion) { uDialogo.alAbrir(this, accion); }
    static void captura(TFRM_almacenCaptura *d, const QString &nombre, int indiceSucursal = 0) {
        d->CBOX_sucursal()->setCurrentIndex(indiceSucursal);
        d->TXT_nombre()->clear();
        QTest::keyClicks(d->TXT_nombre(), nombre);
        QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("BTN_aceptar")), Qt::LeftButton);
    }

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uNegocio = uBase->creaNegocio(QStringLiteral("Ferretería La Tuerca"));
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(QStringLiteral("SELECT id FROM sucursal WHERE idNegocioFk = :n"));
        mt.setParametroEntero(QStringLiteral("n"), uNegocio);
        uMatriz = int(mt.getScalarAsInt());
        uNorte = sucursal(uNegocio, QStringLiteral("Norte"));
        almacen(uMatriz, QStringLiteral("Bodega Central"));
        almacen(uMatriz, QStringLiteral("Mostrador"));
        almacen(uNorte, QStringLiteral("Bodega Norte"));
        const int otro = uBase->creaNegocio(QStringLiteral("Otra Empresa"));
        mt.setQuery(QStringLiteral("SELECT id FROM sucursal WHERE idNegocioFk = :n"));
        mt.setParametroEntero(QStringLiteral("n"), otro);
        almacen(int(mt.getScalarAsInt()), QStringLiteral("Bodega Ajena"), otro);
        uGuion = std::make_unique<TguionInstalado>();
        uCarpeta = std::make_unique<QTemporaryDir>();
        uPreguntasGuardar = 0;
        u_instalaDialogoGuardar([this](const QString &, const QString &) {
            ++uPreguntasGuardar;
            return uRutaGuardar;
        });
        u_instalaAbridorArchivo([](const QString &) {});
    }
    void cleanup() {
        uPantalla.reset();
        u_instalaDialogoGuardar({});
        u_instalaAbridorArchivo({});
        uGuion.reset();
        uBase.reset();
    }

    void busqueda_data() {
        QTest::addColumn<int>("sucursal"); // combo index, -1 none
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QStringList>("esperados");
        QTest::newRow("todo el negocio")
            << -1 << "" << QStringList{"Bodega Central", "Mostrador", "Bodega Norte"};
        // Branches are listed by name: Matriz, Norte.
        QTest::newRow("una sucursal") << 0 << "" << QStringList{"Bodega Central", "Mostrador"};
        QTest::newRow("parte del nombre") << -1 << "bodega" << QStringList{"Bodega Central", "Bodega Norte"};
        QTest::newRow("sucursal y nombre") << 1 << "bodega" << QStringList{"Bodega Norte"};
        QTest::newRow("comodines literales") << -1 << "%" << QStringList{};
        QTest::newRow("comillas") << -1 << "' OR '1'='1" << QStringList{};
    }
    void busqueda() {
        QFETCH(int, sucursal);
        QFETCH(QString, nombre);
        QFETCH(QStringList, esperados);
        abre();
        QCOMPARE(nombresEnGrid(), (QStringList{"Bodega Central", "Mostrador", "Bodega Norte"}));
        u_hijo<QComboBox>(uPantalla.get(), QStringLiteral("CBOX_sucursal"))->setCurrentIndex(sucursal);
        QTest::keyClicks(u_hijo<QLineEdit>(uPantalla.get(), QStringLiteral("TXT_nombre")), nombre);
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_buscar"));
        QCOMPARE(nombresEnGrid(), esperados);
        auto *mensaje = u_hijo<QLabel>(uPantalla.get(), QStringLiteral("LBL_msg"));
        QCOMPARE(mensaje->isVisible(), esperados.isEmpty());
        if (esperados.isEmpty())
            QCOMPARE(mensaje->text(), QStringLiteral("No hay elementos que mostrar"));
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_verTodos"));
        QCOMPARE(nombresEnGrid().size(), 3);
        QCOMPARE(u_hijo<QComboBox>(uPantalla.get(), QStringLiteral("CBOX_sucursal"))->currentIndex(), -1);
        QVERIFY(u_hijo<QLineEdit>(uPantalla.get(), QStringLiteral("TXT_nombre"))->text().isEmpty());
    }

    void nuevoAlmacenGuardadoComoSeTeclea() {
        abre();
        enDialogo([](TFRM_almacenCaptura *d) {
            QCOMPARE(d->findChild<QLabel *>(QStringLiteral("LBL_titulo"))->text(),
                     QStringLiteral("Almacén Nuevo"));
            QCOMPARE(d->CBOX_sucursal()->currentIndex(), 0);
            QTest::keyClicks(d->TXT_direccion(), QStringLiteral("Av. 5 de Mayo \"B\""));
            d->TXT_nota()->setPlainText(QString(250, QLatin1Char('n')));
            QCOMPARE(d->TXT_nota()->toPlainText().size(), 200);
            captura(d, QStringLiteral("Patio 'Sur'; DROP TABLE x  ") + QString(40, QLatin1Char('z')), 1);
        });
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_nuevo"));
        QVERIFY(uDialogo.abierto);
        QVERIFY(!uDialogo.quedoAbierto);
        const QString esperado =
            (QStringLiteral("Patio 'Sur'; DROP TABLE x  ") + QString(40, QLatin1Char('z'))).left(50);
        QCOMPARE(almacenesGuardados().last(), esperado);
        QVERIFY(nombresEnGrid().contains(esperado));
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(QStringLiteral("SELECT sucursal_id FROM inventarioAlmacen WHERE nombre = :n"));
        mt.setParametroTexto(QStringLiteral("n"), esperado);
        QCOMPARE(int(mt.getScalarAsInt()), uNorte);
    }

    void reglasDeCaptura_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<int>("sucursal");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("duplicado") << "Mostrador" << 0
                                   << "El nombre capturado esta duplicado, intente nuevamente.";
        QTest::newRow("duplicado en otra sucursal")
            << "Bodega Norte" << 0 << "El nombre capturado esta duplicado, intente nuevamente.";
        QTest::newRow("duplicado con mayúsculas y blancos")
            << "  bodega CENTRAL " << 1 << "El nombre capturado esta duplicado, intente nuevamente.";
        QTest::newRow("en blanco") << "" << 0 << "Capture el nombre del Alamcén";
        QTest::newRow("solo espacios") << "    " << 0 << "Capture el nombre del Alamcén";
        QTest::newRow("sin sucursal") << "Bodega Sur" << -1 << "Seleccione una sucursal";
    }
    void reglasDeCaptura() {
        QFETCH(QString, nombre);
        QFETCH(int, sucursal);
        QFETCH(QString, mensaje);
        abre();
        enDialogo([&](TFRM_almacenCaptura *d) { captura(d, nombre, sucursal); });
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_nuevo"));
        QVERIFY(uDialogo.quedoAbierto);
        QCOMPARE(uGuion->guion().textos(), QStringList{mensaje});
        QCOMPARE(almacenesGuardados().size(), 3);
    }

    void sinSucursalesNoAbreDialogo() {
        const int vacio = uBase->creaNegocio(QStringLiteral("Sin Sucursales"));
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(QStringLiteral("DELETE FROM sucursal WHERE idNegocioFk = :n"));
        mt.setParametroEntero(QStringLiteral("n"), vacio);
        QVERIFY(mt.nonQuery().isSuccess());
        uNegocio = vacio;
        abre();
        QCOMPARE(u_hijo<QLabel>(uPantalla.get(), QStringLiteral("LBL_msg"))->isVisible(), true);
        enDialogo([](TFRM_almacenCaptura *) {});
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_nuevo"));
        QTest::qWait(20);
        QVERIFY(!uDialogo.abierto);
        QCOMPARE(uGuion->guion().textos(),
                 QStringList{QStringLiteral("No existen sucursales. Es necesario crear una sucursal.")});
        QCOMPARE(uGuion->guion().mensajes()[0].tipo, int(kError));
    }

    // Branches that cannot be read leave nothing to create a warehouse in: the user is told so.
    void sucursalesIlegiblesNoAbrenDialogo() {
        abre();
        enDialogo([](TFRM_almacenCaptura *) {});
        TmiddleTier::setFallaEnSentencia(1);
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_nuevo"));
        TmiddleTier::setFallaEnSentencia(0);
        QTest::qWait(20);
        QVERIFY(!uDialogo.abierto);
        QCOMPARE(uGuion->guion().textos(),
                 QStringList{QStringLiteral("No existen sucursales. Es necesario crear una sucursal.")});
        QCOMPARE(uGuion->guion().mensajes()[0].tipo, int(kError));
        QCOMPARE(almacenesGuardados().size(), 3);
    }

    // Entering the branch list reloads it (a branch made elsewhere appears) and the choice is made again.
    void entrarALasSucursalesLasRecarga() {
        abre();
        auto *combo = u_hijo<QComboBox>(uPantalla.get(), QStringLiteral("CBOX_sucursal"));
        combo->setCurrentIndex(1);
        sucursal(uNegocio, QStringLiteral("Oriente"));
        QFocusEvent entra(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(combo, &entra);
        QStringList nombres;
        for (int i = 0; i < combo->count(); ++i)
            nombres << combo->itemText(i);
        QCOMPARE(nombres, (QStringList{"Matriz", "Norte", "Oriente"}));
        QCOMPARE(combo->currentIndex(), -1);
    }

    void edicionDesdeLaColumnaDeEdicion() {
        abre();
        // Row 1 is "Mostrador"; a click outside the edit column does nothing.
        enDialogo([](TFRM_almacenCaptura *) {});
        u_clicCelda(uPantalla->gridControl()->grid(), 1, 4);
        QTest::qWait(20);
        QVERIFY(!uDialogo.abierto);
        enDialogo([](TFRM_almacenCaptura *d) {
            QCOMPARE(d->findChild<QLabel *>(QStringLiteral("LBL_titulo"))->text(),
                     QStringLiteral("Editar Almacén"));
            QCOMPARE(d->TXT_nombre()->text(), QStringLiteral("Mostrador"));
            QCOMPARE(d->TXT_direccion()->text(), QStringLiteral("Calle 5"));
            QCOMPARE(d->CBOX_sucursal()->currentText(), QStringLiteral("Matriz"));
            captura(d, QStringLiteral("Mostrador"), 1); // its own name is no duplicate
        });
        u_clicCelda(uPantalla->gridControl()->grid(), 1, 0);
        QVERIFY(uDialogo.abierto && !uDialogo.quedoAbierto);
        QCOMPARE(almacenesGuardados(), (QStringList{"Bodega Central", "Mostrador", "Bodega Norte"}));
        QCOMPARE(uPantalla->gridControl()->getCelda(2, QStringLiteral("sucursal_nombre")),
                 QStringLiteral("Norte"));
        // Renaming onto another warehouse's name is refused like a new one.
        enDialogo([](TFRM_almacenCaptura *d) { captura(d, QStringLiteral("Bodega Norte"), 0); });
        u_clicCelda(uPantalla->gridControl()->grid(), 0, 0);
        QVERIFY(uDialogo.quedoAbierto);
        QCOMPARE(uGuion->guion().textos(),
                 QStringList{QStringLiteral("El nombre capturado esta duplicado, intente nuevamente.")});
        QCOMPARE(almacenesGuardados(), (QStringList{"Bodega Central", "Mostrador", "Bodega Norte"}));
    }

    void usuarioDeSoloLectura() {
        abre(kNivelRestringido);
        for (const char *boton : {"BTN_nuevo", "BTN_exportarExcel", "BTN_exportarPDF"})
            QVERIFY2(!u_hijo<QPushButton>(uPantalla.get(), QString::fromLatin1(boton))->isEnabled(), boton);
        enDialogo([](TFRM_almacenCaptura *d) {
            QVERIFY(!d->findChild<QPushButton *>(QStringLiteral("BTN_aceptar"))->isEnabled());
        });
        u_clicCelda(uPantalla->gridControl()->grid(), 0, 0);
        QVERIFY(uDialogo.abierto);
    }

    void otroNegocioNoRecibeAlmacenes() {
        // A branch of another business never takes a warehouse of this one.
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(QStringLiteral("SELECT MAX(id) FROM sucursal"));
        const int ajena = int(mt.getScalarAsInt());
        TalmacenDescripcion intruso;
        intruso.sucursalId = ajena;
        intruso.nombre = QStringLiteral("Intruso");
        intruso.idNegocio = uNegocio;
        QVERIFY(!u_guardaAlmacen(uBase->sesion(), intruso, true));
        QCOMPARE(almacenesGuardados().size(), 3);
    }

    void exportaciones() {
        abre();
        uRutaGuardar = uCarpeta->filePath(QStringLiteral("almacenes"));
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_exportarPDF"));
        const QString pdf = uRutaGuardar + QStringLiteral(".pdf");
        QVERIFY(QFile::exists(pdf));
        const QString contenido = u_textoPDF(pdf);
        for (const char *esperado :
             {"Almacenes", "Ferretería La Tuerca", "Sucursal", "Dirección", "Bodega Norte", "Calle 5"})
            QVERIFY2(contenido.contains(QString::fromUtf8(esperado)), esperado);
        QVERIFY(!contenido.contains(QStringLiteral("Bodega Ajena")));
        const QStringList faltas =
            u_faltasImpresion(contenido, {"Sucursal", "Nombre", "Dirección", "Nota"}, {});
        QVERIFY2(faltas.isEmpty(), qPrintable(faltas.join(QLatin1Char('\n'))));
        u_conservaEnSalida(pdf, QStringLiteral("almacenes.pdf"));
        uPantalla->grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/pantalla_almacenes.png"));

        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_exportarExcel"));
        TlectorXlsx libro;
        QVERIFY(libro.abre(uRutaGuardar + QStringLiteral(".xlsx")));
        QCOMPARE(libro.valor(0, QStringLiteral("A1")), QStringLiteral("Almacén"));
        QCOMPARE(libro.valor(0, QStringLiteral("B4")), QStringLiteral("Nombre"));
        QCOMPARE(libro.valor(0, QStringLiteral("B7")), QStringLiteral("Bodega Norte"));
        QCOMPARE(uPreguntasGuardar, 2);

        u_hijo<QLineEdit>(uPantalla.get(), QStringLiteral("TXT_nombre"))
            ->setText(QStringLiteral("no existe"));
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_buscar"));
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_exportarPDF"));
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_exportarExcel"));
        QCOMPARE(uPreguntasGuardar, 2);
        QCOMPARE(uGuion->guion().textos(), QStringList(2, QStringLiteral("No hay elementos que mostrar")));
    }
};

QTEST_MAIN(TpruebaAlmacenes)
#include "tst_almacenes.moc"

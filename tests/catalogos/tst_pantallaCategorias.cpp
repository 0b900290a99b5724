// The category screens driven through their widgets: the tree and its details, the capture
// dialog, delete, permissions, the property dialogs and the spreadsheet exchange.
#include "UnegocioCategorias.h"
#include "apoyo/UinteraccionGuionada.h"
#include "apoyo/UrevisionPDF.h"
#include "apoyo/UwidgetsPrueba.h"
#include "catalogos/UFRM_catalogo.h"
#include "catalogos/UFRM_categoriaCaptura.h"
#include "catalogos/UFRM_exportarImportar.h"
#include "catalogos/UFRM_propiedades.h"
#include "catalogos/UFRM_propiedadesCaptura.h"
#include "catalogos/UNEG_categorias.h"
#include "catalogos/UNEG_categoriasXlsx.h"
#include "comun/U_archivosSalida.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/UgridControl.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

class TpruebaPantallaCategorias : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<TguionInstalado> uGuion;
    std::unique_ptr<TnegocioCategorias> uNegocio;
    std::unique_ptr<TFRM_catalogo> uPantalla;
    QTemporaryDir uCarpeta;
    TproximoDialogo uDialogo;
    int uPeso = 0;

    void abre(int nivel = 2) {
        localSYS = uBase->sistema(uNegocio->id, nivel);
        uPantalla = std::make_unique<TFRM_catalogo>();
        uPantalla->resize(900, 560);
        uPantalla->show();
        QVERIFY(uPantalla->init());
    }
    QString etiqueta(const QString &nombre) const { return u_hijo<QLabel>(uPantalla.get(), nombre)->text(); }
    void selecciona(const QString &identidad) {
        uPantalla->arbol()->setCurrentItem(uPantalla->nodo(identidad));
    }

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uGuion = std::make_unique<TguionInstalado>();
        uNegocio = std::make_unique<TnegocioCategorias>(*uBase, QStringLiteral("Ferretería La Tuerca"));
        uNegocio->categorias({"0A>Herramientas", "0AA-Martillos", "0B-Pinturas"});
        uNegocio->enlazaSat(QStringLiteral("0A"), 27110000, QStringLiteral("Herramientas de mano"));
        uPeso = uNegocio->propiedad(QStringLiteral("Peso"));
        uNegocio->propiedad(QStringLiteral("Color"));
        QVERIFY(u_guardaSeleccionPropiedades(uBase->sesion(), uNegocio->id, QStringLiteral("0AA"), {uPeso}));
    }
    void cleanup() {
        uPantalla.reset();
        u_instalaDialogoGuardar({});
        u_instalaDialogoAbrir({});
        u_instalaAbridorArchivo({});
        uNegocio.reset();
        uGuion.reset();
        uBase.reset();
    }

    void arbolYDetallesTrasLaPausa() {
        abre();
        QTreeWidget *arbol = uPantalla->arbol();
        QCOMPARE(arbol->topLevelItemCount(), 1);
        QCOMPARE(arbol->topLevelItem(0)->text(0), QStringLiteral("General"));
        QCOMPARE(arbol->topLevelItem(0)->childCount(), 2);
        QCOMPARE(etiqueta(QStringLiteral("LBL_categoriaNombre")), QStringLiteral("Categoría: General"));
        QCOMPARE(etiqueta(QStringLiteral("LBL_loading")),
                 QStringLiteral("Únicamente las subcategorías poseen propiedades"));
        // Two quick selections: the details of the last one load once, after the pause.
        selecciona(QStringLiteral("0A"));
        selecciona(QStringLiteral("0AA"));
        QCOMPARE(etiqueta(QStringLiteral("LBL_catSat33")), QStringLiteral("Cargando..."));
        QTRY_COMPARE_WITH_TIMEOUT(etiqueta(QStringLiteral("LBL_origen")),
                                  QStringLiteral("* Nombre y clave heredados"), 3000);
        QCOMPARE(etiqueta(QStringLiteral("LBL_claveSat33")), QStringLiteral("27110000"));
        QCOMPARE(etiqueta(QStringLiteral("LBL_propiedadesTotales")), QStringLiteral("1"));
        QCOMPARE(uPantalla->gridControl()->getCelda(0, QStringLiteral("propiedadListado_nombre")),
                 QStringLiteral("Peso"));
        selecciona(QStringLiteral("0B"));
        uPantalla->TMR_1Timer();
        QCOMPARE(etiqueta(QStringLiteral("LBL_catSat33")), QStringLiteral("Sin establecer"));
        QCOMPARE(etiqueta(QStringLiteral("LBL_loading")), QStringLiteral("No hay elementos que mostrar"));
        uPantalla->grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/categorias.png"));
    }

    void nuevaCategoriaPorElDialogo() {
        abre();
        selecciona(QStringLiteral("0A"));
        uDialogo.alAbrir<TFRM_categoriaCaptura>(this, [](TFRM_categoriaCaptura *d) {
            QTest::keyClicks(u_hijo<QLineEdit>(d, QStringLiteral("TXT_nombre")), QStringLiteral("Pinzas"));
            QTest::keyClicks(u_hijo<QLineEdit>(d, QStringLiteral("TXT_claveSat")),
                             QStringLiteral("27110000"));
            u_clicBoton(d, QStringLiteral("BTN_aceptar"));
        });
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_categoriaNuevo"));
        QVERIFY(uDialogo.abierto);
        QVERIFY(!uDialogo.quedoAbierto);
        QCOMPARE(uPantalla->arbol()->currentItem()->text(0), QStringLiteral("Pinzas"));
        QVERIFY(uNegocio->arbol().contains(QStringLiteral("0AB-Pinzas")));
        // A subcategory takes no children: told, and no dialog.
        selecciona(QStringLiteral("0B"));
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_categoriaNuevo"));
        QCOMPARE((*uGuion)->textos(),
                 QStringList{"Las Categorías con Propiedades no pueden tener Subcategorías"});
    }

    void editaPorElDialogo() {
        abre();
        selecciona(QStringLiteral("0B"));
        uDialogo.alAbrir<TFRM_categoriaCaptura>(this, [](TFRM_categoriaCaptura *d) {
            auto *nombre = u_hijo<QLineEdit>(d, QStringLiteral("TXT_nombre"));
            QCOMPARE(nombre->text(), QStringLiteral("Pinturas"));
            nombre->setText(QStringLiteral("Herramientas")); // taken: refused, the dialog stays
            u_clicBoton(d, QStringLiteral("BTN_aceptar"));
        });
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_editar"));
        QVERIFY(uDialogo.quedoAbierto);
        QCOMPARE((*uGuion)->textos(), QStringList{kMensajeNombreDuplicado});
        QVERIFY(uNegocio->arbol().contains(QStringLiteral("0B-Pinturas")));
    }

    void eliminaPorElBoton() {
        abre();
        selecciona(QStringLiteral("0"));
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_eliminar"));
        QCOMPARE((*uGuion)->textos(), QStringList{"¡No se puede eliminar el nodo principal!"});
        selecciona(QStringLiteral("0B"));
        (*uGuion)->respuestas({true});
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_eliminar"));
        QCOMPARE((*uGuion)->preguntas(), QStringList{"¿Eliminar Categoría?"});
        QVERIFY(!uPantalla->nodo(QStringLiteral("0B")));
        QCOMPARE(uPantalla->arbol()->currentItem()->text(0), QStringLiteral("General"));
        QCOMPARE(etiqueta(QStringLiteral("LBL_catSat33")), QString());
    }

    void soloLectura() {
        abre(1);
        for (const char *boton :
             {"BTN_categoriaNuevo", "BTN_editar", "BTN_eliminar", "BTN_exportarExcel", "BTN_propiedades"})
            QVERIFY2(!u_hijo<QPushButton>(uPantalla.get(), QString::fromLatin1(boton))->isEnabled(), boton);
    }

    void seleccionDePropiedades() {
        TFRM_propiedades dialogo(uBase->sistema(uNegocio->id));
        QVERIFY(dialogo.prepara(QStringLiteral("0AA")));
        dialogo.show();
        TGridControl *grid = dialogo.gridControl();
        QCOMPARE(grid->filas(), 2);
        dialogo.grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/propiedades.png"));
        const int color =
            grid->getCelda(0, QStringLiteral("propiedadListado_nombre")) == QLatin1String("Color") ? 0 : 1;
        QCOMPARE(grid->getCelda(color, QStringLiteral("activo")), QStringLiteral("0"));
        QCOMPARE(grid->getCelda(1 - color, QStringLiteral("activo")), QStringLiteral("1"));
        // A click on the row's check toggles it; then both are stored.
        u_clicCelda(grid->grid(), color, 1);
        QCOMPARE(grid->getCelda(color, QStringLiteral("activo")), QStringLiteral("1"));
        u_clicBoton(&dialogo, QStringLiteral("BTN_aceptar"));
        QVERIFY(dialogo.uAceptar);
        QCOMPARE(uNegocio->cuenta(QStringLiteral(
                     "SELECT COUNT(*) FROM inventarioCategoriaPropiedad WHERE idNegocioFk = :n")),
                 2);
    }

    void capturaDePropiedad() {
        TFRM_propiedadesCaptura dialogo(uBase->sistema(uNegocio->id));
        QVERIFY(dialogo.preparaNuevo());
        dialogo.show();
        QTest::keyClicks(u_hijo<QLineEdit>(&dialogo, QStringLiteral("TXT_nombre")),
                         QStringLiteral("Voltaje"));
        u_clicBoton(&dialogo, QStringLiteral("BTN_aceptar"));
        QCOMPARE((*uGuion)->textos(), QStringList{"Seleccione un tipo de Propiedad"});
        QVERIFY(!dialogo.uAceptar);
        u_hijo<QComboBox>(&dialogo, QStringLiteral("CBOX_tipo"))->setCurrentIndex(1);
        u_clicBoton(&dialogo, QStringLiteral("BTN_aceptar"));
        QVERIFY(dialogo.uAceptar);
        const CmidTierResponse r = Tcatalogo(uBase->sesion()).selectPropiedades(uNegocio->id);
        QCOMPARE(r.getRowCount(), 3);
        QCOMPARE(r.getCelda(2, QStringLiteral("propiedadListado_nombre")), QStringLiteral("Voltaje"));
        QCOMPARE(r.getCelda(2, QStringLiteral("propiedadTipo_tipo")), QStringLiteral("Número"));
    }

    void exportaEImportaDesdeLaPantalla() {
        const QString libro = uCarpeta.filePath(QStringLiteral("exportado.xlsx"));
        const QString pdf = uCarpeta.filePath(QStringLiteral("Categorías.pdf"));
        u_instalaDialogoGuardar([&](const QString &propuesto, const QString &) {
            return propuesto.endsWith(QLatin1String(".pdf")) ? pdf : libro;
        });
        abre();
        QList<int> avance;
        uDialogo.alAbrir<TFRM_exportarImportar>(this, [&](TFRM_exportarImportar *d) {
            u_clicBoton(d, QStringLiteral("BTN_exportarExcel"));
            u_clicBoton(d, QStringLiteral("BTN_exportarPDF"));
            d->grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/exportarImportar.png"));
        });
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_exportarExcel"));
        QVERIFY(uDialogo.quedoAbierto); // exports leave the dialog open
        QVERIFY(QFileInfo(pdf).size() > 0);
        RECexportar matriz;
        QVERIFY(u_matrizCategorias(uBase->sesion(), uNegocio->id, matriz));
        const QStringList faltas = u_faltasImpresion(u_textoPDF(pdf), u_tablaCategorias(matriz));
        QVERIFY2(faltas.isEmpty(), qPrintable(faltas.join(QLatin1Char('\n'))));
        u_conservaEnSalida(pdf, QStringLiteral("categorias.pdf"));
        TlectorXlsx lector;
        QVERIFY(lector.abre(libro));

        // The exported workbook goes into another business through the same screens.
        uNegocio = std::make_unique<TnegocioCategorias>(*uBase, QStringLiteral("Sucursal Nueva"));
        uPantalla.reset();
        abre();
        u_instalaDialogoAbrir([&](const QString &titulo, const QString &) {
            return titulo == QLatin1String("Importar Archivo") ? libro : QString();
        });
        uDialogo.alAbrir<TFRM_exportarImportar>(this, [&](TFRM_exportarImportar *d) {
            connect(u_hijo<QProgressBar>(d, QStringLiteral("ProgressBar1")), &QProgressBar::valueChanged, d,
                    [&](int v) { avance << v; });
            u_clicBoton(d, QStringLiteral("BTN_importarExcel"));
        });
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_exportarExcel"));
        QVERIFY(!uDialogo.quedoAbierto);
        QCOMPARE((*uGuion)->textos(), QStringList{"Se importaron 3 categorías."});
        QVERIFY(avance.size() >= 3);
        QCOMPARE(avance.last(), 100);
        QVERIFY(std::is_sorted(avance.cbegin(), avance.cend()));
        QCOMPARE(uNegocio->arbol(),
                 (QStringList{"0-General", "0A>Herramientas", "0AA-Martillos", "0B-Pinturas"}));
        QVERIFY(uPantalla->nodo(QStringLiteral("0AA")));
    }

    void importacionRechazadaLoDice() {
        const QString libro = uCarpeta.filePath(QStringLiteral("malo.xls"));
        u_instalaDialogoAbrir([&](const QString &, const QString &) { return libro; });
        TFRM_exportarImportar dialogo(uBase->sistema(uNegocio->id));
        dialogo.show();
        u_clicBoton(&dialogo, QStringLiteral("BTN_importarExcel"));
        QCOMPARE((*uGuion)->textos(), QStringList{kMensajeArchivoNoExcel});
        QVERIFY(dialogo.isVisible());
        QVERIFY(u_hijo<QPushButton>(&dialogo, QStringLiteral("BTN_cancelar"))->isEnabled());
    }
};

QTEST_MAIN(TpruebaPantallaCategorias)
#include "tst_pantallaCategorias.moc"

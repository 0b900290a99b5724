// The main screen driven through its widgets: start-up on first paint, the side bar's accordion,
// the guard, and the one-screen rule. Screens are test stand-ins that count their inits.
#include "apoyo/UbasePrueba.h"
#include "apoyo/UinteraccionGuionada.h"
#include "comun/UNEG_opciones.h"
#include "inventario/UFRM_inventario.h"
#include "inventario/UNEG_arranqueInventario.h"
#include "inventario/UbarraLateral.h"
#include "inventario/UpaqueteInventario.h"

#include <QLabel>
#include <QMainWindow>
#include <QtTest>

namespace {
struct Tconteo {
    int creadas = 0;
    int inits = 0;
    bool resultado = true;
};

class TpantallaFalsa : public QWidget, public IPantallaInventario {
public:
    explicit TpantallaFalsa(Tconteo &conteo) : uConteo(conteo) { ++uConteo.creadas; }
    QWidget *panelPrincipal() override { return this; }
    bool init() override {
        ++uConteo.inits;
        return uConteo.resultado;
    }

private:
    Tconteo &uConteo;
};
} // namespace

class TpruebaPantallaPrincipal : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<QMainWindow> uVentana;
    std::unique_ptr<TguionInstalado> uGuion;
    std::array<Tconteo, kNumeroPantallas> uConteos;
    int uNegocio = 0;

    TFRM_inventario *principal() const { return TFRM_inventario::actual(); }
    template <typename T = QWidget> T *control(const QString &nombre) const {
        T *w = principal()->PNL_inventario()->findChild<T *>(nombre);
        if (!w)
            qWarning() << "no existe el control" << nombre;
        return w;
    }
    void clic(const QString &nombre) const { QTest::mouseClick(control(nombre), Qt::LeftButton); }
    int altura(const QString &grupo) const { return control(grupo)->height(); }
    Tconteo &conteo(Tpantalla p) { return uConteos[size_t(p)]; }

    void abreModulo() {
        uVentana = std::make_unique<QMainWindow>();
        uVentana->setCentralWidget(TFRM_inventario::ExecForm(uBase->sistema(uNegocio)));
        uVentana->resize(1100, 700);
        uVentana->show();
        QVERIFY(QTest::qWaitForWindowExposed(uVentana.get()));
        QTRY_VERIFY(principal()->arranqueRealizado());
    }

    void eligeMetodo() { Topciones(uBase->sesion()).insertMetodoValoracionInventario(uNegocio, 1); }

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uNegocio = uBase->creaNegocio(QStringLiteral("Papelería El Lápiz"));
        uGuion = std::make_unique<TguionInstalado>();
        for (int i = 0; i < kNumeroPantallas; ++i) {
            uConteos[size_t(i)] = Tconteo();
            Tconteo &c = uConteos[size_t(i)];
            setFabricaPantalla(Tpantalla(i), [&c] { return new TpantallaFalsa(c); });
        }
        abreModulo();
    }
    void cleanup() {
        uVentana.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (int i = 0; i < kNumeroPantallas; ++i)
            setFabricaPantalla(Tpantalla(i), {});
        uGuion.reset();
        uBase.reset();
    }

    void arranqueAlPrimerPintado() {
        QCOMPARE(control<QLabel>(QStringLiteral("LBL_moduloNombre"))->text(),
                 QStringLiteral("Operaciones\\Inventario"));
        const auto &modulos = principal()->modulos();
        QCOMPARE(modulos.size(), 2);
        QCOMPARE(modulos[0].contenedor->objectName(), QStringLiteral("lateral1_productos"));
        QCOMPARE(modulos[0].subentradas, 2);
        QCOMPARE(modulos[1].contenedor->objectName(), QStringLiteral("lateral2_existencias"));
        QCOMPARE(modulos[1].subentradas, 3);
        QVERIFY(!modulos[0].expandido && !modulos[1].expandido);
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(
            QStringLiteral("SELECT COUNT(*) FROM inventarioMovimientoConcepto WHERE etiqueta = 'Muestras'"));
        QCOMPARE(mt.getScalarAsInt(), 1);
        QVERIFY(principal()->ventanaActiva() == nullptr);
    }

    void etiquetasDeLaBarra_data() {
        QTest::addColumn<QString>("etiqueta");
        QTest::addColumn<QString>("texto");
        QTest::newRow("almacenes") << "LBL_menuAlmacenes"
                                   << "Almacenes";
        QTest::newRow("categorías") << "LBL_menuCategorías"
                                    << "Categorías";
        QTest::newRow("no serie") << "LBL_subNoSerie"
                                  << "No Serie";
        QTest::newRow("capturar") << "LBL_subCapturarExistencias"
                                  << "Capturar Existencias";
        QTest::newRow("físico") << "LBL_subInventarioFisico"
                                << "Inventario Físico";
        QTest::newRow("opciones") << "LBL_menuOpciones"
                                  << "Opciones";
    }
    void etiquetasDeLaBarra() {
        QFETCH(QString, etiqueta);
        QFETCH(QString, texto);
        QCOMPARE(control<QLabel>(etiqueta)->text(), texto);
    }

    void acordeonDeGrupos() {
        eligeMetodo();
        clic(QStringLiteral("BTN_menuProductos"));
        QCOMPARE(control<QLabel>(QStringLiteral("IMG_menuProductos"))->property("imagen").toString(),
                 QStringLiteral("cursorArribaGris"));
        QTRY_COMPARE(altura(QStringLiteral("lateral1_productos")), 124);
        clic(QStringLiteral("BTN_menuExistencias"));
        QTRY_COMPARE(altura(QStringLiteral("lateral2_existencias")), 164);
        QTRY_COMPARE(altura(QStringLiteral("lateral1_productos")), TentradaLateral::kAltura);
        clic(QStringLiteral("BTN_menuExistencias"));
        QCOMPARE(control<QLabel>(QStringLiteral("IMG_menuExistencias"))->property("imagen").toString(),
                 QStringLiteral("cursorAbajoGris"));
        QTRY_COMPARE(altura(QStringLiteral("lateral2_existencias")), TentradaLateral::kAltura);
        QVERIFY(!principal()->modulos()[0].expandido && !principal()->modulos()[1].expandido);
    }

    void subentradaDejaSuGrupoAbiertoYPrincipalCierraTodo() {
        clic(QStringLiteral("BTN_menuProductos"));
        QTRY_COMPARE(altura(QStringLiteral("lateral1_productos")), 124);
        clic(QStringLiteral("BTN_subNoSerie"));
        QVERIFY(principal()->modulos()[0].expandido);
        QCOMPARE(conteo(Tpantalla::NoSerie).inits, 1);
        clic(QStringLiteral("BTN_menuAlmacenes"));
        QTRY_COMPARE(altura(QStringLiteral("lateral1_productos")), TentradaLateral::kAltura);
        QVERIFY(!principal()->modulos()[0].expandido);
    }

    void guardaSinMetodo_data() {
        QTest::addColumn<QString>("entrada");
        QTest::newRow("entradas") << "BTN_menuEntradas";
        QTest::newRow("salidas") << "BTN_menuSalidas";
        QTest::newRow("traspasos") << "BTN_menuTraspasos";
        QTest::newRow("kardex") << "BTN_menuKardex";
        QTest::newRow("grupo existencias") << "BTN_menuExistencias";
    }
    void guardaSinMetodo() {
        QFETCH(QString, entrada);
        clic(QStringLiteral("BTN_menuAlmacenes"));
        clic(entrada);
        QCOMPARE((*uGuion)->textos(), QStringList{TarranqueInventario::kMensajeSinMetodo});
        QCOMPARE(control(QStringLiteral("BTN_menuAlmacenes"))->property("colorFondo").toString(),
                 QStringLiteral("menuSeleccionadoFondo"));
        QCOMPARE(principal()->ventanaActiva(), TFRM_inventario::pantallaEnRanura(Tpantalla::Almacenes));
        QTest::qWait(250);
        QCOMPARE(altura(QStringLiteral("lateral2_existencias")), TentradaLateral::kAltura);
    }

    void unaPantallaALaVezYLaMismaInstancia() {
        eligeMetodo();
        clic(QStringLiteral("BTN_menuEntradas"));
        QWidget *entradas = TFRM_inventario::pantallaEnRanura(Tpantalla::Entradas);
        QVERIFY(entradas);
        QCOMPARE(principal()->ventanaActiva(), entradas);
        QCOMPARE(control(QStringLiteral("BTN_menuEntradas"))->property("colorFondo").toString(),
                 QStringLiteral("menuSeleccionadoFondo"));
        QCOMPARE(control<QLabel>(QStringLiteral("IMG_menuEntradas"))->property("imagen").toString(),
                 QStringLiteral("checkIconoBlanco"));
        clic(QStringLiteral("BTN_menuOpciones"));
        QCOMPARE(control(QStringLiteral("BTN_menuEntradas"))->property("colorFondo").toString(),
                 QStringLiteral("menuVerticalInactivoFondo"));
        QVERIFY(entradas->parent() != principal()->CNT_inventarios());
        clic(QStringLiteral("BTN_menuEntradas"));
        clic(QStringLiteral("BTN_menuEntradas"));
        QCOMPARE(conteo(Tpantalla::Entradas).creadas, 1);
        QCOMPARE(conteo(Tpantalla::Entradas).inits, 3);
        QCOMPARE(TFRM_inventario::pantallaEnRanura(Tpantalla::Entradas), entradas);
        QCOMPARE(
            principal()->CNT_inventarios()->findChildren<TpantallaFalsa *>(Qt::FindDirectChildrenOnly).size(),
            1);
    }

    void initFallidoDejaElAreaVacia() {
        eligeMetodo();
        conteo(Tpantalla::Kardex).resultado = false;
        clic(QStringLiteral("BTN_menuKardex"));
        QVERIFY(principal()->ventanaActiva() == nullptr);
        QVERIFY(principal()->CNT_inventarios()->findChildren<TpantallaFalsa *>().isEmpty());
        QVERIFY(TFRM_inventario::pantallaEnRanura(Tpantalla::Kardex)); // kept for the next visit
    }

    void categoriasFallidasSeDescartan() {
        conteo(Tpantalla::Catalogo).resultado = false;
        clic(QStringLiteral("BTN_menuCategorias"));
        QCOMPARE((*uGuion)->textos(), QStringList{QStringLiteral("No se logro crear el formulario.")});
        QCOMPARE((*uGuion)->mensajes().first().tipo, int(kError));
        QVERIFY(TFRM_inventario::pantallaEnRanura(Tpantalla::Catalogo) == nullptr);
        conteo(Tpantalla::Catalogo).resultado = true;
        clic(QStringLiteral("BTN_menuCategorias"));
        QCOMPARE(conteo(Tpantalla::Catalogo).creadas, 2);
        QCOMPARE(principal()->ventanaActiva(), TFRM_inventario::pantallaEnRanura(Tpantalla::Catalogo));
    }

    void abrirDosVecesNoDejaPantallasDeLaPrimera() {
        clic(QStringLiteral("BTN_menuAlmacenes"));
        clic(QStringLiteral("BTN_menuOpciones"));
        QPointer<QWidget> almacenes = TFRM_inventario::pantallaEnRanura(Tpantalla::Almacenes);
        QPointer<QWidget> opciones = TFRM_inventario::pantallaEnRanura(Tpantalla::Opciones);
        QVERIFY(almacenes && opciones);
        abreModulo(); // the host opens the module again and drops the first panel
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!almacenes);
        QVERIFY(!opciones);
        clic(QStringLiteral("BTN_menuAlmacenes"));
        QCOMPARE(conteo(Tpantalla::Almacenes).creadas, 2);
        QVERIFY(TFRM_inventario::pantallaEnRanura(Tpantalla::Almacenes));
    }

    void paqueteCuentaSusCargas() {
        QVERIFY(registroClases::registrada(QStringLiteral("TFRM_inventario")));
        const int cargas = inventario_cargasPaquete();
        inventario_cargaPaquete();
        QCOMPARE(inventario_cargasPaquete(), cargas + 1);
        inventario_descargaPaquete();
        QVERIFY(registroClases::registrada(QStringLiteral("TFRM_inventario")));
        QCOMPARE(inventario_cargasPaquete(), cargas);
    }

    void capturaDePantalla() {
        eligeMetodo();
        clic(QStringLiteral("BTN_menuExistencias"));
        QTRY_COMPARE(altura(QStringLiteral("lateral2_existencias")), 164);
        QVERIFY(
            uVentana->grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/pantalla_principal.png")));
    }
};

QTEST_MAIN(TpruebaPantallaPrincipal)
#include "tst_pantallaPrincipal.moc"

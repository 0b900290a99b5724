// The options screen: the valuation method chosen once, and the concepts created and edited in
// their dialog with the accounting entries of their direction.
#include "apoyo/UbasePrueba.h"
#include "apoyo/UinteraccionGuionada.h"
#include "apoyo/UwidgetsPrueba.h"
#include "catalogos/UFRM_capturaConcepto.h"
#include "catalogos/UFRM_opciones.h"
#include "catalogos/UNEG_conceptos.h"
#include "comun/UNEG_conceptosMovimiento.h"
#include "comun/UNEG_opciones.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/UgridControl.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

namespace {
const QString kPregunta =
    QStringLiteral("¿Desea guardar esta información?\rVerifique que la información capturada sea correcta, "
                   "una vez guardados "
                   "estos datos no es posible realizar cambios al kardex del artículo.");

struct Tconcepto {
    QString etiqueta;
    int direccion;
    QVariant asiento;
    int modulo;
    int familia;
};
} // namespace

class TpruebaOpciones : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<TguionInstalado> uGuion;
    std::unique_ptr<TFRM_opciones> uPantalla;
    TproximoDialogo uDialogo;
    int uNegocio = 0;
    int uCompra = 0; // accounting entry on module 6101
    int uVenta = 0;  // on 6201

    int asiento(const QString &nombre, int idModulo, int negocio) {
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(
            QStringLiteral("INSERT INTO AsientosContables (nombre, ModuloAsientosContables_id, idNegocioFk) "
                           "VALUES (:nombre, :modulo, :negocio)"));
        mt.setParametroTexto(QStringLiteral("nombre"), nombre);
        mt.setParametroEntero(QStringLiteral("modulo"), idModulo);
        mt.setParametroEntero(QStringLiteral("negocio"), negocio);
        return int(mt.nonQuery().getIdInsertado());
    }
    QList<Tconcepto> conceptos() {
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(QStringLiteral("SELECT etiqueta, direccion, AsientosContables_id, modulo, familia FROM "
                                   "inventarioMovimientoConcepto WHERE idNegocioFk = :n ORDER BY id"));
        mt.setParametroEntero(QStringLiteral("n"), uNegocio);
        const CmidTierResponse r = mt.reader();
        QList<Tconcepto> lista;
        for (int f = 0; f < r.getRowCount(); ++f)
            lista.append({r.getCelda(f, 0), int(r.getCeldaAsInt(f, 1)), r.getValor(f, 2),
                          int(r.getCeldaAsInt(f, 3)), int(r.getCeldaAsInt(f, 4))});
        return lista;
    }
    void abre(int nivel = 2) {
        localSYS = uBase->sistema(uNegocio, nivel);
        uPantalla = std::make_unique<TFRM_opciones>();
        uPantalla->resize(800, 700);
        uPantalla->show();
        QVERIFY(uPantalla->init());
    }
    void enDialogo(std::function<void(TFRM_capturaConcepto *)> accion) { uDialogo.alAbrir(this, accion); }
    static void escribeYAcepta(TFRM_capturaConcepto *d, const QString &etiqueta) {
        d->TXT_concepto()->clear();
        d->TXT_concepto()->insert(etiqueta);
        QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("BTN_aceptar")), Qt::LeftButton);
    }
    void guardaMetodo(int metodo) {
        QVERIFY(Topciones(uBase->sesion()).insertMetodoValoracionInventario(uNegocio, metodo).isSuccess());
    }

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uNegocio = uBase->creaNegocio(QStringLiteral("Abarrotes Doña Chuy"));
        const int otro = uBase->creaNegocio(QStringLiteral("Otra Empresa"));
        uCompra = asiento(QStringLiteral("Compra de mercancía"), 1, uNegocio);
        uVenta = asiento(QStringLiteral("Costo de venta"), 5, uNegocio);
        asiento(QStringLiteral("Ajena"), 1, otro);
        uGuion = std::make_unique<TguionInstalado>();
    }
    void cleanup() {
        uPantalla.reset();
        uGuion.reset();
        uBase.reset();
    }

    void metodoAlAbrir_data() {
        QTest::addColumn<int>("guardado"); // 0: none
        QTest::addColumn<int>("nivel");
        QTest::addColumn<bool>("peps");
        QTest::addColumn<bool>("promedio");
        QTest::addColumn<bool>("libre"); // radios and "Guardar" enabled
        QTest::newRow("sin método") << 0 << 2 << false << false << true;
        QTest::newRow("sin método, solo lectura") << 0 << 1 << false << false << true;
        QTest::newRow("PEPS") << 1 << 2 << true << false << false;
        QTest::newRow("promedio") << 2 << 2 << false << true << false;
        QTest::newRow("código desconocido") << 7 << 2 << false << false << false;
    }
    void metodoAlAbrir() {
        QFETCH(int, guardado);
        QFETCH(int, nivel);
        QFETCH(bool, peps);
        QFETCH(bool, promedio);
        QFETCH(bool, libre);
        if (guardado)
            guardaMetodo(guardado);
        abre(nivel);
        QCOMPARE(u_hijo<QRadioButton>(uPantalla.get(), QStringLiteral("RAD_peps"))->isChecked(), peps);
        QCOMPARE(u_hijo<QRadioButton>(uPantalla.get(), QStringLiteral("RAD_promedioPonderado"))->isChecked(),
                 promedio);
        for (const char *nombre : {"RAD_peps", "RAD_promedioPonderado", "BTN_kardexGuardarMetodo"})
            QCOMPARE(u_hijo(uPantalla.get(), QString::fromLatin1(nombre))->isEnabled(), libre);
        QCOMPARE(u_hijo(uPantalla.get(), QStringLiteral("BTN_nuevoConceptoEntrada"))->isEnabled(),
                 nivel != 1);
        QCOMPARE(u_hijo(uPantalla.get(), QStringLiteral("BTN_nuevoConceptoSalida"))->isEnabled(), nivel != 1);
    }

    void guardarMetodo_data() {
        QTest::addColumn<QString>("radio"); // "" none
        QTest::addColumn<bool>("acepta");
        QTest::addColumn<int>("guardado");
        QTest::newRow("sin elegir") << "" << true << 0;
        QTest::newRow("cancelado") << "RAD_peps" << false << 0;
        QTest::newRow("PEPS") << "RAD_peps" << true << 1;
        QTest::newRow("promedio") << "RAD_promedioPonderado" << true << 2;
    }
    void guardarMetodo() {
        QFETCH(QString, radio);
        QFETCH(bool, acepta);
        QFETCH(int, guardado);
        abre();
        if (!radio.isEmpty())
            QTest::mouseClick(u_hijo<QRadioButton>(uPantalla.get(), radio), Qt::LeftButton);
        uGuion->guion().respuestas({acepta});
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_kardexGuardarMetodo"));
        QCOMPARE(u_metodoValuacion(uBase->sesion(), uNegocio), guardado);
        if (radio.isEmpty()) {
            QCOMPARE(uGuion->guion().textos(),
                     QStringList{QStringLiteral("Seleccione un metodo de valuación")});
            QCOMPARE(uGuion->guion().mensajes()[0].tipo, int(kAdvertencia));
            QVERIFY(uGuion->guion().preguntas().isEmpty());
        } else {
            QCOMPARE(uGuion->guion().preguntas(), QStringList{kPregunta});
        }
        QCOMPARE(u_hijo(uPantalla.get(), QStringLiteral("BTN_kardexGuardarMetodo"))->isEnabled(),
                 guardado == 0);
        QCOMPARE(u_hijo(uPantalla.get(), QStringLiteral("RAD_peps"))->isEnabled(), guardado == 0);
    }

    void metodoSoloUnaVez() {
        guardaMetodo(1);
        uGuion->guion().respuestas({true});
        QVERIFY(u_guardaMetodoValuacion(uBase->sesion(), uNegocio, 2));
        QCOMPARE(u_metodoValuacion(uBase->sesion(), uNegocio), 1);
    }

    void prefijoDeModulo_data() {
        QTest::addColumn<int>("modulo");
        QTest::addColumn<int>("prefijo");
        QTest::newRow("6101") << 6101 << 610;
        QTest::newRow("6204") << 6204 << 620;
        QTest::newRow("61") << 61 << 0;
        QTest::newRow("sin asiento") << 0 << 0;
    }
    void prefijoDeModulo() {
        QFETCH(int, modulo);
        QFETCH(int, prefijo);
        QCOMPARE(u_prefijoModulo(modulo), prefijo);
    }

    void nuevoConcepto_data() {
        QTest::addColumn<QString>("boton");
        QTest::addColumn<int>("filaAsiento"); // -1 none picked
        QTest::addColumn<QString>("etiqueta");
        QTest::addColumn<int>("direccion");
        QTest::addColumn<int>("asiento");
        QTest::addColumn<int>("modulo");
        QTest::newRow("entrada sin asiento") << "BTN_nuevoConceptoEntrada" << -1 << "Donación" << 1 << 0 << 0;
        QTest::newRow("entrada con asiento")
            << "BTN_nuevoConceptoEntrada" << 0 << "Compra local" << 1 << 1 << 610;
        QTest::newRow("salida con asiento") << "BTN_nuevoConceptoSalida" << 0 << "Merma" << 2 << 2 << 620;
        QTest::newRow("comillas tal cual")
            << "BTN_nuevoConceptoSalida" << -1 << "O'Brien \"x\"; --" << 2 << 0 << 0;
    }
    void nuevoConcepto() {
        QFETCH(QString, boton);
        QFETCH(int, filaAsiento);
        QFETCH(QString, etiqueta);
        QFETCH(int, direccion);
        QFETCH(int, asiento);
        QFETCH(int, modulo);
        abre();
        const int esperado = asiento == 1 ? uCompra : asiento == 2 ? uVenta : 0;
        enDialogo([&](TFRM_capturaConcepto *d) {
            QCOMPARE(d->windowTitle(), direccion == 1 ? QStringLiteral("Conceptos de Entrada")
                                                      : QStringLiteral("Conceptos de Salida"));
            QCOMPARE(d->findChild<QLabel *>(QStringLiteral("LBL_captura"))->text(),
                     QStringLiteral("Captura Concepto"));
            QCOMPARE(d->findChild<QLabel *>(QStringLiteral("LBL_titulo"))->text(), QStringLiteral("Nuevo"));
            QCOMPARE(d->focusWidget(), d->TXT_concepto());
            // Only this business's entries of the dialog's direction.
            QCOMPARE(d->gridControl()->filas(), 1);
            QCOMPARE(d->gridControl()->getCelda(0, QStringLiteral("AsientosContables_nombre")),
                     direccion == 1 ? QStringLiteral("Compra de mercancía")
                                    : QStringLiteral("Costo de venta"));
            if (filaAsiento >= 0)
                u_clicCelda(d->gridControl()->grid(), filaAsiento, 1);
            escribeYAcepta(d, etiqueta);
        });
        u_clicBoton(uPantalla.get(), boton);
        QVERIFY(uDialogo.abierto && !uDialogo.quedoAbierto);
        const QList<Tconcepto> lista = conceptos();
        QCOMPARE(lista.size(), 1);
        QCOMPARE(lista[0].etiqueta, etiqueta);
        QCOMPARE(lista[0].direccion, direccion);
        QCOMPARE(lista[0].asiento.toInt(), esperado);
        QCOMPARE(lista[0].modulo, modulo);
        QCOMPARE(lista[0].familia, 1);
        TGridControl *grid = direccion == 1 ? uPantalla->gridEntradas() : uPantalla->gridSalidas();
        QCOMPARE(grid->filas(), 1);
        QCOMPARE(grid->getCelda(0, QStringLiteral("inventarioMovimientoConcepto_etiqueta")), etiqueta);
    }

    void etiquetaVaciaNoGuarda_data() {
        QTest::addColumn<QString>("etiqueta");
        QTest::newRow("vacía") << "";
        QTest::newRow("espacios") << "   ";
    }
    void etiquetaVaciaNoGuarda() {
        QFETCH(QString, etiqueta);
        abre();
        enDialogo([&](TFRM_capturaConcepto *d) { escribeYAcepta(d, etiqueta); });
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_nuevoConceptoEntrada"));
        QVERIFY(uDialogo.quedoAbierto);
        QVERIFY(conceptos().isEmpty());
        QVERIFY(uGuion->guion().textos().isEmpty());
    }

    void enterGuardaYLargoLimitado() {
        abre();
        enDialogo([](TFRM_capturaConcepto *d) {
            QTest::keyClicks(d->TXT_concepto(), QString(120, QLatin1Char('x')));
            QTest::keyClick(d->TXT_concepto(), Qt::Key_Return);
        });
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_nuevoConceptoSalida"));
        QVERIFY(uDialogo.abierto && !uDialogo.quedoAbierto);
        QCOMPARE(conceptos().value(0).etiqueta, QString(100, QLatin1Char('x')));
    }

    void edicionConservaAsientoSinElegir() {
        QVERIFY(TconceptosMovimiento(uBase->sesion())
                    .insertMovimientoConcepto(QStringLiteral("Compra"), 1, uCompra, 610, uNegocio)
                    .isSuccess());
        abre();
        QTableView *grid = uPantalla->gridEntradas()->grid();
        QCOMPARE(uPantalla->gridEntradas()->getCelda(0, QStringLiteral("AsientosContables_nombre")),
                 QStringLiteral("Compra de mercancía"));
        enDialogo([](TFRM_capturaConcepto *) {});
        u_clicCelda(grid, 0, 2); // outside the edit column
        QTest::qWait(20);
        QVERIFY(!uDialogo.abierto);
        enDialogo([](TFRM_capturaConcepto *d) {
            QCOMPARE(d->findChild<QLabel *>(QStringLiteral("LBL_titulo"))->text(), QStringLiteral("Editar"));
            QCOMPARE(d->TXT_concepto()->text(), QStringLiteral("Compra"));
            escribeYAcepta(d, QStringLiteral("Compra nacional"));
        });
        u_clicCelda(grid, 0, 0);
        QVERIFY(uDialogo.abierto && !uDialogo.quedoAbierto);
        QCOMPARE(conceptos()[0].etiqueta, QStringLiteral("Compra nacional"));
        QCOMPARE(conceptos()[0].asiento.toInt(), uCompra);
        QCOMPARE(conceptos()[0].modulo, 610);
        QCOMPARE(
            uPantalla->gridEntradas()->getCelda(0, QStringLiteral("inventarioMovimientoConcepto_etiqueta")),
            QStringLiteral("Compra nacional"));
    }

    void edicionCambiaAsientoElegido() {
        QVERIFY(TconceptosMovimiento(uBase->sesion())
                    .insertMovimientoConcepto(QStringLiteral("Devolución"), 2, 0, 0, uNegocio)
                    .isSuccess());
        abre();
        enDialogo([](TFRM_capturaConcepto *d) {
            u_clicCelda(d->gridControl()->grid(), 0, 1);
            escribeYAcepta(d, QStringLiteral("Devolución a proveedor"));
        });
        u_clicCelda(uPantalla->gridSalidas()->grid(), 0, 0);
        QCOMPARE(conceptos()[0].asiento.toInt(), uVenta);
        QCOMPARE(conceptos()[0].modulo, 620);
    }

    void soloLecturaNoGuardaConceptos() {
        QVERIFY(TconceptosMovimiento(uBase->sesion())
                    .insertMovimientoConcepto(QStringLiteral("Compra"), 1, uCompra, 610, uNegocio)
                    .isSuccess());
        abre(kNivelRestringido);
        enDialogo([](TFRM_capturaConcepto *d) {
            QVERIFY(!d->findChild<QPushButton *>(QStringLiteral("BTN_aceptar"))->isEnabled());
            QTest::keyClicks(d->TXT_concepto(), QStringLiteral(" cambiada"));
            QTest::keyClick(d->TXT_concepto(), Qt::Key_Return);
        });
        u_clicCelda(uPantalla->gridEntradas()->grid(), 0, 0);
        QVERIFY(uDialogo.quedoAbierto);
        QCOMPARE(conceptos()[0].etiqueta, QStringLiteral("Compra"));
        uPantalla->grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/pantalla_opciones.png"));
    }
};

QTEST_MAIN(TpruebaOpciones)
#include "tst_opciones.moc"

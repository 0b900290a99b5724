// The start-up kardex check and its progress screen, on the engine of the run.
#include "apoyo/UbasePrueba.h"
#include "apoyo/UinteraccionGuionada.h"
#include "apoyo/UnegocioPrueba.h"
#include "inventario/UFRM_inventario.h"
#include "kardex/UFRM_construyendoKardex.h"
#include "kardex/UNEG_construccionKardex.h"
#include "kardex/u_threadConstruyeKardex.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QShowEvent>
#include <QtTest>

class TpruebaConstruyendoKardex : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;

    // What the screen showed while it worked, and the bars as it closed.
    struct Tvisto {
        QString titulo, texto;
        int trabajadoresAlReabrir = -1;
        QList<int> barrasAlCerrar;
    };

    // Looks at the progress screen 1.5 s after the check starts, shows it again, and records the
    // bars when it closes.
    static void observa(Tvisto &visto) {
        QTimer::singleShot(1500, [&visto] {
            TFRM_construyendoKardex *f = FRM_construyendoKardex;
            if (!f)
                return;
            visto.titulo = f->windowTitle();
            visto.texto = f->findChild<QLabel *>(QStringLiteral("titulo2texto"))->text();
            f->grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/construyendoKardex.png"));
            f->reject(); // refused while the worker runs
            QShowEvent otraVez;
            QCoreApplication::sendEvent(f, &otraVez);
            visto.trabajadoresAlReabrir = TthreadConstruyeKardex::trabajadoresIniciados();
            QObject::connect(f, &QDialog::finished, [&visto, f] {
                visto.barrasAlCerrar = {f->ProgressBar1()->value(), f->ProgressBar2()->value()};
            });
        });
    }

private slots:
    void init() { QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error())); }
    void cleanup() { uBase.reset(); }

    // The first paint of the main screen rebuilds an empty ledger behind the progress screen.
    void arranqueReconstruyeTrasLaPantallaDeAvance() {
        TnegocioPrueba n(*uBase, 1);
        n.llenaAlAzar(9);
        const int antes = TthreadConstruyeKardex::trabajadoresIniciados();
        Tvisto visto;
        observa(visto);
        QElapsedTimer reloj;
        reloj.start();
        QMainWindow ventana;
        ventana.setCentralWidget(TFRM_inventario::ExecForm(n.sistema()));
        ventana.resize(1000, 700);
        ventana.show();
        QTRY_VERIFY_WITH_TIMEOUT(TFRM_inventario::actual()->arranqueRealizado(), 30000);
        // 1 s + 2 s of the worker and 2.5 s of the closing pause.
        QVERIFY(reloj.elapsed() >= 5500);
        QCOMPARE(visto.titulo, QStringLiteral("Quiroval"));
        QCOMPARE(visto.texto, QStringLiteral("Calculando ...."));
        QCOMPARE(visto.trabajadoresAlReabrir, antes + 1);
        QCOMPARE(TthreadConstruyeKardex::trabajadoresIniciados(), antes + 1);
        QCOMPARE(visto.barrasAlCerrar, QList<int>({100, 100}));
        QVERIFY(FRM_construyendoKardex.isNull());
        QVERIFY(n.kardex().size() > 100);
        // Later paints do not check again.
        ventana.centralWidget()->update();
        QTest::qWait(50);
        QCOMPARE(TthreadConstruyeKardex::trabajadoresIniciados(), antes + 1);
    }

    // A start-up rebuild the database refuses says so on the screen; the ledger stays empty, for
    // the next start to try again.
    void reconstruccionFallidaLoDice() {
        TnegocioPrueba n(*uBase, 1);
        n.filaEntrada(QStringLiteral("R1"), n.almacen(), n.producto(), QStringLiteral("2024-01-01 09:00:00"),
                      1, 1);
        n.rechazaKardex(true);
        TguionInstalado guion;
        QString texto;
        // What the screen says as it closes.
        QTimer::singleShot(1500, [&texto] {
            TFRM_construyendoKardex *f = FRM_construyendoKardex;
            if (f)
                QObject::connect(f, &QDialog::finished, [&texto, f] {
                    texto = f->findChild<QLabel *>(QStringLiteral("titulo2texto"))->text();
                });
        });
        QWidget *panel = TFRM_inventario::ExecForm(n.sistema());
        TFRM_inventario::actual()->construyeKardex();
        delete panel;
        n.rechazaKardex(false);
        QCOMPARE(guion->textos(), QStringList{kReconstruccionFallida});
        QCOMPARE(texto, kReconstruccionFallida);
        QVERIFY(n.kardex().isEmpty());
    }

    // No screen when the ledger has rows (even if movements were added since) or when there is
    // nothing to build it from.
    void sinReconstruccion_data() {
        QTest::addColumn<bool>("conMovimientos");
        QTest::addColumn<bool>("conKardex");
        QTest::newRow("sin movimientos") << false << false;
        QTest::newRow("kardex con renglones") << true << true;
    }
    void sinReconstruccion() {
        QFETCH(bool, conMovimientos);
        QFETCH(bool, conKardex);
        TnegocioPrueba n(*uBase, 1);
        if (conMovimientos)
            n.filaEntrada(QStringLiteral("R1"), n.almacen(), n.producto(),
                          QStringLiteral("2024-01-01 09:00:00"), 1, 1);
        if (conKardex)
            n.ejecuta(
                QStringLiteral("INSERT INTO inventarioKardex (fechaHora, inventarioAlmacen_id, "
                               "inventarioProducto_id, idNegocioFk) VALUES ('2024-01-01 09:00:00', 1, 1, "
                               ":negocio)"));
        const int antes = TthreadConstruyeKardex::trabajadoresIniciados();
        QWidget *panel = TFRM_inventario::ExecForm(n.sistema());
        QElapsedTimer reloj;
        reloj.start();
        TFRM_inventario::actual()->construyeKardex();
        QVERIFY(reloj.elapsed() < 1000);
        QCOMPARE(TthreadConstruyeKardex::trabajadoresIniciados(), antes);
        QCOMPARE(n.kardex().size(), conKardex ? 1 : 0);
        delete panel;
    }
};

QTEST_MAIN(TpruebaConstruyendoKardex)
#include "tst_construyendoKardex.moc"

// The stock-count screens through their widgets: initial stock captured from the form (Enter in
// the cost field goes through "Guardar", so a read-only user cannot save), and a count taken in
// the grid's callout, saved through its dialog, reopened with its warehouse and quantities.
#include "apoyo/UnegocioPrueba.h"

#include "apoyo/UwidgetsPrueba.h"
#include "comun/U_productoSeleccionado.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/UgridControl.h"
#include "existencias/UFRM_capturarExistencias.h"
#include "existencias/UFRM_dialogosInventarioFisico.h"
#include "existencias/UFRM_inventarioFisico.h"
#include "existencias/U_verificacion.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

class TpruebaPantallasConteo : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    TproximoDialogo uDialogo;

private slots:
    void init() { QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error())); }

    void capturaDesdeLaPantalla_data() {
        QTest::addColumn<int>("nivel");
        QTest::newRow("captura") << 2;
        QTest::newRow("solo lectura") << 1;
    }

    void capturaDesdeLaPantalla() {
        QFETCH(int, nivel);
        TnegocioPrueba n(*uBase, 2);
        n.concepto(1, -4, QStringLiteral("Existencia inicial"));
        const int almacen = n.almacen();
        const int producto = n.producto(QStringLiteral("Cuaderno"));
        localSYS = uBase->sistema(n.negocio(), nivel);
        TFRM_capturarExistencias pantalla;
        QVERIFY(pantalla.init());
        TalmacenDescripcion a;
        a.seleccionado = true;
        a.id = almacen;
        a.nombre = QStringLiteral("Matriz");
        pantalla.tomaAlmacen(a);
        pantalla.tomaProducto(u_productoPorId(n.sesion(), producto, n.negocio()));
        QCOMPARE(u_hijo<QLabel>(&pantalla, QStringLiteral("LBL_almacenSeleccionado"))->text(),
                 QStringLiteral("Matriz"));
        auto *cantidad = u_hijo<QLineEdit>(&pantalla, QStringLiteral("TXT_cantidad"));
        auto *costo = u_hijo<QLineEdit>(&pantalla, QStringLiteral("TXT_costoUnitario"));
        QTest::keyClicks(cantidad, QStringLiteral("4a.5"));
        QCOMPARE(cantidad->text(), QStringLiteral("4.5"));
        QTest::keyClicks(costo, QStringLiteral("12"));
        n.guion().respuestas({true});
        QTest::keyClick(costo, Qt::Key_Return);
        if (nivel == 1) {
            QCOMPARE(n.existencia(almacen, producto), -1.0);
            QCOMPARE(costo->text(), QStringLiteral("12"));
            return;
        }
        QCOMPARE(n.existencia(almacen, producto), 4.5);
        QCOMPARE(n.guion().textos().last(), QStringLiteral("Valor actualizado"));
        QVERIFY(cantidad->text().isEmpty() && costo->text().isEmpty());
        QVERIFY(u_hijo<QLabel>(&pantalla, QStringLiteral("LBL_productoSeleccionado"))->text().isEmpty());
        bool ok = false;
        QCOMPARE(u_verificaInventario(n.sesion(), ok), QStringList());
    }

    void conteoDesdeLaPantalla() {
        TnegocioPrueba n(*uBase, 1);
        const int matriz = n.almacen(QStringLiteral("Matriz"));
        n.almacen(QStringLiteral("Bodega"));
        const int cuaderno = n.producto(QStringLiteral("Cuaderno"));
        n.recibe(QStringLiteral("C"), matriz, cuaderno, QStringLiteral("2024-03-01 09:00:00.000"), 10, 5);
        localSYS = uBase->sistema(n.negocio());
        TFRM_inventarioFisico pantalla;
        pantalla.resize(1000, 600);
        pantalla.show();
        QVERIFY(pantalla.init());
        auto *almacenes = u_hijo<QComboBox>(&pantalla, QStringLiteral("CMB_almacenInventarioFisico"));
        almacenes->setCurrentIndex(almacenes->findText(QStringLiteral("Matriz")));
        u_clicBoton(&pantalla, QStringLiteral("BTN_buscarInventarioFisico"));
        TGridControl *g = pantalla.grid();
        QCOMPARE(g->filas(), 1);
        u_clicCelda(g->grid(), 0, g->indiceColumnaPorCabecera(QStringLiteral("E. Física")));
        auto *captura = u_hijo<QLineEdit>(&pantalla, QStringLiteral("TXT_capturarExistencia"));
        QVERIFY(captura->isVisible());
        QTest::keyClicks(captura, QStringLiteral("7.5"));
        QTest::keyClick(captura, Qt::Key_Return);
        QCOMPARE(g->getCelda(0, QStringLiteral("diferencia")), QStringLiteral("-2.5"));

        uDialogo.alAbrir<TFRM_dialogoGuardarInventarioFisico>(
            this, [](TFRM_dialogoGuardarInventarioFisico *d) {
                u_hijo<QLineEdit>(d, QStringLiteral("TXT_nombre"))->setText(QStringLiteral("Marzo"));
                u_clicBoton(d, QStringLiteral("BTN_aceptar"));
            });
        u_clicBoton(&pantalla, QStringLiteral("BTN_guardar"));
        QVERIFY(uDialogo.abierto && !uDialogo.quedoAbierto);
        QCOMPARE(n.guion().textos().last(), QStringLiteral("Inventario físico guardado."));

        // Another sheet, then the saved count reopened: its warehouse and quantities come back.
        almacenes->setCurrentIndex(almacenes->findText(QStringLiteral("Bodega")));
        u_clicBoton(&pantalla, QStringLiteral("BTN_buscarInventarioFisico"));
        QCOMPARE(g->filas(), 0);
        uDialogo.alAbrir<TFRM_dialogoAbrirInventarioFisico>(this, [](TFRM_dialogoAbrirInventarioFisico *d) {
            d->gridControl()->grid()->selectRow(0);
            u_clicBoton(d, QStringLiteral("BTN_aceptar"));
        });
        u_clicBoton(&pantalla, QStringLiteral("BTN_abrir"));
        QVERIFY(uDialogo.abierto && !uDialogo.quedoAbierto);
        QCOMPARE(almacenes->currentText(), QStringLiteral("Matriz"));
        QCOMPARE(g->filas(), 1);
        QCOMPARE(g->getCelda(0, QStringLiteral("inventarioFisicoDetalle_existenciaFisica")),
                 QStringLiteral("7.5"));
        pantalla.grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/inventarioFisico.png"));
    }
};

QTEST_MAIN(TpruebaPantallasConteo)
#include "tst_pantallasConteo.moc"

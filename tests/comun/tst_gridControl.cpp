// The grid controller over real query results, and the input filters.
#include "apoyo/UbasePrueba.h"
#include "comun/ui/U_filtrosEntrada.h"
#include "comun/ui/UgridControl.h"
#include "datos/UmiddleTier.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

class TpruebaGridControl : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<QTableView> uVista;
    TGridControl *uControl = nullptr;

    CmidTierResponse consulta(const QString &sql) {
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(sql);
        return mt.reader();
    }
    // Two products as a list screen shows them: edit icon, hidden id, name, cost, stock.
    void cargaProductos() {
        const CmidTierResponse r = consulta(QStringLiteral(
            "SELECT 7 AS producto_id, 'Tornillo 1/4\"' AS producto_nombre, 1234567.5 AS producto_costo, "
            "2.5 AS producto_existencia UNION ALL SELECT 9, 'Tuerca', 0.1, 10"));
        QVERIFY(uControl->carga(r));
    }

private slots:
    void init() {
        uBase = std::make_unique<TbasePrueba>();
        QVERIFY2(uBase->valida(), qPrintable(uBase->error()));
        uVista = std::make_unique<QTableView>();
        uVista->setObjectName(QStringLiteral("GRD_main"));
        uControl = new TGridControl(uVista.get());
        uControl->agregaColumnaIcono(QStringLiteral("edita"), QPixmap(16, 16), 40);
        uControl->agregaColumna(QStringLiteral("producto_id"), QStringLiteral("id"), 60, false);
        uControl->agregaColumna(QStringLiteral("producto_nombre"), QStringLiteral("Nombre"), 150);
        uControl->agregaColumna(QStringLiteral("producto_costo"), QStringLiteral("Costo"), 100, true,
                                kColMoneda);
        uControl->agregaColumna(QStringLiteral("producto_existencia"), QStringLiteral("Existencia"), 80, true,
                                kColNumero);
        uControl->setColumnaEstirada(QStringLiteral("producto_nombre"));
        uVista->resize(600, 200);
    }
    void cleanup() {
        uVista.reset();
        uBase.reset();
    }

    void columnasPorAliasYCabecera() {
        cargaProductos();
        QCOMPARE(uControl->filas(), 2);
        QCOMPARE(uControl->indiceColumna(QStringLiteral("PRODUCTO_COSTO")), 3);
        QCOMPARE(uControl->indiceColumnaPorCabecera(QStringLiteral("Existencia")), 4);
        QCOMPARE(uControl->indiceColumnaPorCabecera(QStringLiteral("No existe")), -1);
        QVERIFY(uVista->isColumnHidden(1));
        QVERIFY(!uVista->isColumnHidden(0));
        QCOMPARE(uVista->columnWidth(3), 100);
        QCOMPARE(uVista->horizontalHeader()->sectionResizeMode(2), QHeaderView::Stretch);
        QCOMPARE(uVista->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Nombre"));
        QCOMPARE(uVista->model()->headerData(0, Qt::Horizontal).toString(), QString());
    }

    void celdasComoSeMuestran() {
        cargaProductos();
        QCOMPARE(uControl->getCeldaAsInt(1, QStringLiteral("producto_id")), 9);
        QCOMPARE(uControl->getTexto(0, 2), QStringLiteral("Tornillo 1/4\""));
        QCOMPARE(uControl->getTexto(0, 3), QStringLiteral("$ 1,234,567.50"));
        QCOMPARE(uControl->getTexto(1, 3), QStringLiteral("$ 0.10"));
        QCOMPARE(uControl->getTexto(0, 4), QStringLiteral("2.5"));
        QCOMPARE(uControl->getTexto(0, 0), QString());
        QCOMPARE(uVista->model()->data(uVista->model()->index(0, 3), Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignRight | Qt::AlignVCenter));
    }

    void tablasImprimibles() {
        cargaProductos();
        const TTabla pdf = uControl->getTTablaPDF();
        QCOMPARE(pdf.size(), 2);
        QCOMPARE(pdf[0], (QStringList{"Tornillo 1/4\"", "$ 1,234,567.50", "2.5"}));
        const TTabla nombradas =
            uControl->getTTabla({QStringLiteral("producto_id"), QStringLiteral("producto_costo")});
        QCOMPARE(nombradas[1], (QStringList{"9", "$ 0.10"}));
    }

    void respuestaFallidaConservaFilas() {
        cargaProductos();
        QVERIFY(!uControl->carga(consulta(QStringLiteral("SELECT * FROM tablaQueNoExiste"))));
        QCOMPARE(uControl->filas(), 2);
        QVERIFY(uControl->carga(consulta(QStringLiteral(
            "SELECT t.producto_id FROM (SELECT 1 AS producto_id) t WHERE t.producto_id = 0"))));
        QCOMPARE(uControl->filas(), 0);
        QVERIFY(uVista->isColumnHidden(1));
        QCOMPARE(uVista->columnWidth(4), 80);
    }

    void filasAgregadasYEditadas() {
        const int f = uControl->agregaFila({{QStringLiteral("producto_id"), 3},
                                            {QStringLiteral("producto_nombre"), QStringLiteral("Clavo")},
                                            {QStringLiteral("lote"), QStringLiteral("L-1")}});
        uControl->setCelda(f, QStringLiteral("producto_costo"), 12.5);
        QCOMPARE(uControl->getTexto(f, 3), QStringLiteral("$ 12.50"));
        QCOMPARE(uControl->getCelda(f, QStringLiteral("lote")), QStringLiteral("L-1"));
        uControl->eliminaFila(f);
        QCOMPARE(uControl->filas(), 0);
    }

    void clicDaFilaYAlias() {
        cargaProductos();
        uVista->show();
        QVERIFY(QTest::qWaitForWindowExposed(uVista.get()));
        QSignalSpy clics(uControl, &TGridControl::celdaClic);
        const QRect celda = uVista->visualRect(uVista->model()->index(1, 0));
        QTest::mouseClick(uVista->viewport(), Qt::LeftButton, {}, celda.center());
        QCOMPARE(clics.size(), 1);
        QCOMPARE(clics[0][0].toInt(), 1);
        QCOMPARE(clics[0][2].toString(), QStringLiteral("edita"));
        QCOMPARE(uControl->filaSeleccionada(), 1);
        QCOMPARE(uControl->getCeldaAsInt(uControl->filaSeleccionada(), QStringLiteral("producto_id")), 9);
    }

    void filtros_data() {
        QTest::addColumn<int>("decimales"); // -2: digits only
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<QString>("queda");
        QTest::newRow("decimal") << -1 << "12.345"
                                 << "12.345";
        QTest::newRow("dos decimales") << 2 << "12.345"
                                       << "12.34";
        QTest::newRow("sin decimales") << 0 << "7.5"
                                       << "75";
        QTest::newRow("exponente") << -1 << "1e308"
                                   << "1308";
        QTest::newRow("signo y letras") << -1 << "-3,5x"
                                        << "35";
        QTest::newRow("dos puntos") << -1 << "1.2.3"
                                    << "1.23";
        QTest::newRow("enorme") << -1 << "12345678901234"
                                << "123456789012";
        QTest::newRow("números") << -2 << "12a.3-4"
                                 << "1234";
    }
    void filtros() {
        QFETCH(int, decimales);
        QFETCH(QString, tecleado);
        QFETCH(QString, queda);
        QLineEdit edit;
        if (decimales == -2)
            u_soloNumeros(&edit);
        else
            u_soloDecimales(&edit, decimales);
        QTest::keyClicks(&edit, tecleado);
        QCOMPARE(edit.text(), queda);
    }
};

QTEST_MAIN(TpruebaGridControl)
#include "tst_gridControl.moc"

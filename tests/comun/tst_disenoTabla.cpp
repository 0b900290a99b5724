// The report table's layout arithmetic, measured with a fixed pitch (half the size per character):
// what counts as a figure, where lines break, how columns shrink and widen.
#include "apoyo/UrevisionPDF.h"
#include "comun/U_disenoTabla.h"

#include <QtTest>

namespace {
class TpasoFijo : public TmedidorTexto {
public:
    double ancho(const QString &texto, double puntos, bool) const override {
        return texto.size() * puntos / 2;
    }
};
const TpasoFijo kMedidor;
const TtipografiaTabla kTipografia; // 8.5 points, 6 at least, 3 of padding
constexpr double kPagina = 540;     // a portrait Letter page between margins

double anchoTotal(const TdisenoTabla &d) {
    double total = 0;
    for (const TcolumnaDiseno &c : d.columnas)
        total += c.ancho;
    return total;
}

// Lines of a cell in its laid-out column.
QStringList lineasEn(const QString &texto, const TcolumnaDiseno &c, bool cabecera = false) {
    return u_lineasTexto(texto, c.ancho - 2 * kTipografia.relleno, cabecera ? c.puntosCabecera : c.puntos,
                         cabecera, kMedidor, c.cortaPalabras && !cabecera);
}

// What every layout keeps: the page width, columns side by side, each figure on one line within
// its column, each header word whole within its column.
void compruebaInvariantes(const cTabla &t, const TdisenoTabla &d) {
    QCOMPARE(d.columnas.size(), t.cabeceras().size());
    QVERIFY(qAbs(anchoTotal(d) - kPagina) < 0.05);
    double x = 0;
    for (int c = 0; c < d.columnas.size(); ++c) {
        const TcolumnaDiseno &col = d.columnas[c];
        QVERIFY(qAbs(col.x - x) < 0.01);
        x += col.ancho;
        const double espacio = col.ancho - 2 * kTipografia.relleno + 0.01;
        for (const QString &palabra : t.cabeceras()[c].texto.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            QVERIFY2(kMedidor.ancho(palabra, col.puntosCabecera, true) <= espacio, qPrintable(palabra));
        for (const QStringList &fila : t.filas()) {
            const QString texto = u_textoCeldaReporte(t.cabeceras()[c], fila.value(c));
            if (!u_esTextoIndivisible(texto))
                continue;
            QCOMPARE(lineasEn(texto, col), QStringList{texto.trimmed()});
            QVERIFY2(kMedidor.ancho(texto.trimmed(), col.puntos, false) <= espacio, qPrintable(texto));
        }
    }
}
} // namespace

class TpruebaDisenoTabla : public QObject {
    Q_OBJECT

private slots:
    void figuras_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("indivisible");
        QTest::newRow("importe") << "$ 15,999.90" << true;
        QTest::newRow("importe negativo") << "-$ 0.10" << true;
        QTest::newRow("número") << "1234.5" << true;
        QTest::newRow("fecha y hora") << "10/01/2024 14:30" << true;
        QTest::newRow("pedimento") << "24 47 3807 4000123" << true;
        QTest::newRow("porcentaje") << "16%" << true;
        QTest::newRow("texto con fracción") << "Tornillo 1/4" << false;
        QTest::newRow("lote") << "LA1-2024" << false;
        QTest::newRow("vacía") << "" << false;
        QTest::newRow("raya") << "-----" << false;
        QTest::newRow("cifras pegadas de más") << QString(60, QLatin1Char('7')) << false;
    }
    void figuras() {
        QFETCH(QString, texto);
        QFETCH(bool, indivisible);
        QCOMPARE(u_esTextoIndivisible(texto), indivisible);
    }

    void separadores_data() {
        QTest::addColumn<QStringList>("fila");
        QTest::addColumn<bool>("separador");
        QTest::newRow("rayas") << QStringList{QString(137, QLatin1Char('-')), QString()} << true;
        QTest::newRow("iguales en otra celda") << QStringList{QString(), QStringLiteral("=====")} << true;
        QTest::newRow("vacía") << QStringList{QString(), QString()} << false;
        QTest::newRow("raya y texto") << QStringList{QStringLiteral("---"), QStringLiteral("x")} << false;
        QTest::newRow("un guion") << QStringList{QStringLiteral("-")} << false;
        QTest::newRow("resta") << QStringList{QStringLiteral("-3")} << false;
    }
    void separadores() {
        QFETCH(QStringList, fila);
        QFETCH(bool, separador);
        QCOMPARE(u_esFilaSeparador(fila), separador);
    }

    // At 10 points each character is 5 points wide.
    void lineas_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("caracteres");
        QTest::addColumn<bool>("cortaPalabras");
        QTest::addColumn<QStringList>("esperadas");
        QTest::newRow("en los espacios") << "uno dos tres" << 7 << false << QStringList{"uno dos", "tres"};
        QTest::newRow("palabra más ancha, entera") << "Existencia" << 5 << false << QStringList{"Existencia"};
        QTest::newRow("importe más ancho, entero")
            << "$ 15,999.90" << 4 << false << QStringList{"$ 15,999.90"};
        QTest::newRow("fecha con hora, una línea")
            << "10/01/2024 14:30" << 10 << true << QStringList{"10/01/2024 14:30"};
        QTest::newRow("sin cortar en guiones")
            << "LA1-2024 caja" << 6 << false << QStringList{"LA1-2024", "caja"};
        QTest::newRow("último recurso")
            << "Tornillo-de-acero x" << 6 << true << QStringList{"Tornil", "lo-de-", "acero", "x"};
        QTest::newRow("saltos propios") << "línea\nsegunda" << 20 << false << QStringList{"línea", "segunda"};
        QTest::newRow("vacía") << "" << 5 << false << QStringList{""};
    }
    void lineas() {
        QFETCH(QString, texto);
        QFETCH(int, caracteres);
        QFETCH(bool, cortaPalabras);
        QFETCH(QStringList, esperadas);
        QCOMPARE(u_lineasTexto(texto, caracteres * 5.0, 10, false, kMedidor, cortaPalabras), esperadas);
    }

    void proporcionesDadas() {
        const cTabla t = u_tablaPrueba({{"Sucursal", kContenidoTexto, 100}, {"Nota", kContenidoTexto, 200}},
                                       {{"Matriz", "Pasillo B"}});
        const TdisenoTabla d = u_disenaTabla(t, kPagina, kTipografia, kMedidor);
        compruebaInvariantes(t, d);
        QVERIFY(d.holgado);
        QCOMPARE(d.columnas[0].ancho, 180.0);
        QCOMPARE(d.columnas[1].ancho, 360.0);
        QCOMPARE(d.columnas[1].puntos, 8.5);
    }

    // "$ 15,999.90" is 46.75 points at 8.5; its 45-point column has 39 to offer.
    void importeEncogeSinEnsanchar() {
        const cTabla t = u_tablaPrueba({{"Producto", kContenidoTexto, 495}, {"C.Unit", kContenidoMoneda, 45}},
                                       {{"Tornillo", "15999.9"}});
        const TdisenoTabla d = u_disenaTabla(t, kPagina, kTipografia, kMedidor);
        compruebaInvariantes(t, d);
        QCOMPARE(d.columnas[1].ancho, 45.0);
        QVERIFY(d.columnas[1].puntos < 8.5 && d.columnas[1].puntos >= kTipografia.minimo);
        QCOMPARE(d.columnas[0].puntos, 8.5);
    }

    // Even at 6 points "$ 999,999,999,999.99" needs 60 + 6 of padding, more than its 56.8: the
    // text columns pay in proportion, the other money column keeps its width.
    void importeEnormeEnsanchaATextos() {
        const cTabla t = u_tablaPrueba({{"Nombre", kContenidoTexto, 100},
                                        {"Nota", kContenidoTexto, 200},
                                        {"Costo", kContenidoMoneda, 40},
                                        {"Total", kContenidoMoneda, 40}},
                                       {{"Bodega", "", "1", "999999999999.99"}, {"", "Pasillo", "", ""}});
        const TdisenoTabla d = u_disenaTabla(t, kPagina, kTipografia, kMedidor);
        compruebaInvariantes(t, d);
        QVERIFY(d.holgado);
        const double unidad = kPagina / 380;
        QCOMPARE(d.columnas[3].puntos, kTipografia.minimo);
        QCOMPARE(d.columnas[3].ancho, 66.0);
        QCOMPARE(d.columnas[2].ancho, 40 * unidad);
        QVERIFY(d.columnas[0].ancho < 100 * unidad);
        QVERIFY(qAbs(d.columnas[1].ancho / d.columnas[0].ancho - 2.0) < 1e-9);
    }

    void cabeceraEncogeSinPartirse() {
        const cTabla t = u_tablaPrueba(
            {{"Producto", kContenidoTexto, 500}, {"Existencia", kContenidoTexto, 40}}, {{"Tornillo", "12"}});
        const TdisenoTabla d = u_disenaTabla(t, kPagina, kTipografia, kMedidor);
        compruebaInvariantes(t, d);
        QVERIFY(d.columnas[1].puntosCabecera < 8.5);
        QCOMPARE(d.columnas[1].puntos, 8.5); // the body keeps its size
        QCOMPARE(lineasEn(QStringLiteral("Existencia"), d.columnas[1], true), QStringList{"Existencia"});
        const TdisenoTabla ancha = u_disenaTabla(
            u_tablaPrueba({{"Costo Unitario", kContenidoMoneda, 1}}, {{"1"}}), 30, kTipografia, kMedidor);
        QCOMPARE(lineasEn(QStringLiteral("Costo Unitario"), ancha.columnas[0], true),
                 (QStringList{"Costo", "Unitario"}));
    }

    // A word no page could hold is cut in its own column; the figures stay whole, even one in a text
    // column narrower than it.
    void palabraImposibleSoloCortaSuColumna() {
        const QString palabra(300, QLatin1Char('x'));
        const cTabla t =
            u_tablaPrueba({{"Nombre", kContenidoTexto, 20},
                           {"Nota", kContenidoTexto, 200},
                           {"Total", kContenidoMoneda, 100}},
                          {{"Bodega central", palabra, "999999999999.99"}, {"$ 999,999,999,999.99", "", ""}});
        const TdisenoTabla d = u_disenaTabla(t, kPagina, kTipografia, kMedidor);
        compruebaInvariantes(t, d);
        QVERIFY(!d.holgado);
        QVERIFY(d.columnas[1].cortaPalabras);
        QVERIFY(!d.columnas[0].cortaPalabras);
        QVERIFY(lineasEn(palabra, d.columnas[1]).size() > 1);
        QCOMPARE(lineasEn(QStringLiteral("Bodega central"), d.columnas[0]).join(' '), "Bodega central");
    }

    // Figures alone wider than the page: everything shrinks alike, nothing breaks.
    void cifrasMasAnchasQueLaPagina() {
        QVector<TcolumnaPrueba> columnas(12, {"Importe", kContenidoMoneda, 50});
        const cTabla t = u_tablaPrueba(columnas, {QStringList(12, QStringLiteral("-999999999999.99"))});
        const TdisenoTabla d = u_disenaTabla(t, kPagina, kTipografia, kMedidor);
        compruebaInvariantes(t, d);
        QVERIFY(!d.holgado);
        QVERIFY(d.columnas[0].puntos < kTipografia.minimo);
    }

    void celdasVaciasYSeparadores() {
        const cTabla t =
            u_tablaPrueba({{"", kContenidoTexto, 250}, {"", kContenidoTexto, 250}},
                          {{QString(137, QLatin1Char('-')), ""}, {"", ""}, {"Precio", "$ 1.00"}});
        const TdisenoTabla d = u_disenaTabla(t, kPagina, kTipografia, kMedidor);
        compruebaInvariantes(t, d);
        QVERIFY(d.holgado); // the dashes ask for no width
        QCOMPARE(d.columnas[0].ancho, 270.0);
    }
};

QTEST_MAIN(TpruebaDisenoTabla)
#include "tst_disenoTabla.moc"

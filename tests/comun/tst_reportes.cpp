// Report output: the PDF a list exports (read back with pdftotext / pdfinfo), the spreadsheet
// export read back cell by cell, and the save-dialog rules.
#include "apoyo/UbasePrueba.h"
#include "apoyo/UinteraccionGuionada.h"
#include "apoyo/UrevisionPDF.h"
#include "comun/U_archivosSalida.h"
#include "comun/U_escritorXlsx.h"
#include "comun/U_exportarExcel.h"
#include "comun/U_lectorXlsx.h"
#include "comun/ui/U_reportes.h"
#include "comun/ui/UgridControl.h"
#include "datos/UmiddleTier.h"

#include <QPainter>
#include <QProcess>
#include <QtTest>

namespace {
QString ejecuta(const QString &programa, const QStringList &argumentos) {
    QProcess p;
    p.start(programa, argumentos);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
int paginasPDF(const QString &ruta) {
    const QString info = ejecuta(QStringLiteral("pdfinfo"), {ruta});
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

const QString kEnorme = QStringLiteral("999999999999.99");
const QString kUuid = QStringLiteral("6F9619FF-8B86-D011-B42D-00C04FC964FF");
} // namespace
Q_DECLARE_METATYPE(cTabla)

class TpruebaReportes : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<TguionInstalado> uGuion;
    std::unique_ptr<QTemporaryDir> uCarpeta;
    TsistemaDatos uSistema;
    // What the scripted save dialog answers, and what it was asked and opened.
    QString uRespuesta;
    QStringList uPropuestos;
    QStringList uAbiertos;

    cTabla tablaAlmacenes(int filas) const {
        cTabla t;
        t.addCabecera(QStringLiteral("Sucursal"), kContenidoTexto, 100, kAlineaIzquierda);
        t.addCabecera(QStringLiteral("Nombre"), kContenidoTexto, 100, kAlineaIzquierda);
        t.addCabecera(QStringLiteral("Valor"), kContenidoMoneda, 90, kAlineaDerecha);
        t.addCabecera(QStringLiteral("Nota"), kContenidoTexto, 200, kAlineaIzquierda);
        TTabla r;
        for (int i = 1; i <= filas; ++i)
            r.append({QStringLiteral("Matriz"), QStringLiteral("Bodega %1").arg(i, 3, 10, QLatin1Char('0')),
                      i == 1 ? QStringLiteral("1234.5") : QStringLiteral("%1").arg(i * 10),
                      i == 2 ? QStringLiteral("Pasillo \"B\"; DROP TABLE x; -- con una nota larga que "
                                              "ocupa más de una línea en la columna de notas del reporte")
                             : QString()});
        t.setFilas(r);
        return t;
    }
    QString salida(const QString &nombre) const { return uCarpeta->filePath(nombre); }

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        const int negocio = uBase->creaNegocio(QStringLiteral("Papelería El Lápiz"));
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(
            QStringLiteral("UPDATE negocio SET direccionFiscal = 'Av. Juárez 120 Int. 3 Centro Morelia "
                           "Michoacán', codigoPostal = '58000' WHERE id = :id"));
        mt.setParametroEntero(QStringLiteral("id"), negocio);
        QVERIFY(mt.nonQuery().isSuccess());
        uSistema = uBase->sistema(negocio);
        uGuion = std::make_unique<TguionInstalado>();
        uCarpeta = std::make_unique<QTemporaryDir>();
        uPropuestos.clear();
        uAbiertos.clear();
        u_instalaDialogoGuardar([this](const QString &propuesto, const QString &) {
            uPropuestos.append(propuesto);
            return uRespuesta;
        });
        u_instalaAbridorArchivo([this](const QString &ruta) { uAbiertos.append(ruta); });
    }
    void cleanup() {
        u_instalaDialogoGuardar({});
        u_instalaAbridorArchivo({});
        uGuion.reset();
        uBase.reset();
    }

    void pdfConEncabezadoYMoneda() {
        uRespuesta = salida(QStringLiteral("Almacenes.pdf"));
        QVERIFY(u_exportaPDF(QStringLiteral("Almacenes"), tablaAlmacenes(3), uSistema,
                             {100.0, QStringLiteral("01/03/2024"), QStringLiteral("31/03/2024"), {}}));
        QCOMPARE(uPropuestos, QStringList{QStringLiteral("Almacenes.pdf")});
        QCOMPARE(uAbiertos, QStringList{uRespuesta});
        const QString texto = u_textoPDF(uRespuesta);
        for (const char *esperado :
             {"Almacenes", "Papelería El Lápiz", "RFC: XEXX010101000", "Papelería El Lápiz S.A. de C.V.",
              "Av. Juárez 120 Int. 3 Centro Morelia Michoacán 58000", "Del: 01/03/2024 Al: 31/03/2024",
              "Bodega 001", "$ 1,234.50", "$ 30.00", "Pasillo \"B\"; DROP TABLE x;", "Página 1 de 1"})
            QVERIFY2(texto.contains(QString::fromUtf8(esperado)), esperado);
        QCOMPARE(paginasPDF(uRespuesta), 1);
        const QString copia = TbasePrueba::carpetaSalida() + QStringLiteral("/reporte_almacenes.pdf");
        QFile::remove(copia);
        QFile::copy(uRespuesta, copia);
    }

    // Hostile tables printed and read back: every figure whole on one line, no header word split.
    void reportesSinCortes_data() {
        QTest::addColumn<cTabla>("tabla");
        QTest::addColumn<double>("escala");
        QTest::addColumn<QStringList>("enteras"); // words that must print whole as well
        const QString producto = QStringLiteral("Tornillo hexagonal galvanizado de alta resistencia 1/4");
        QTest::newRow("lista de entradas") // the receipts list's columns, compact
            << u_tablaPrueba(
                   {{"Doc.", 0, 30, 1},
                    {"Fecha/Hora", 0, 80, 1},
                    {"Almacén", 0, 90, 1},
                    {"Producto", 0, 160, 0},
                    {"Cantidad", 0, 40, 2},
                    {"Existencia", 0, 40, 2},
                    {"C.Unitario", 1, 45, 2},
                    {"O. Compra", 0, 45, 1},
                    {"Comprobante", 0, 120, 1},
                    {"Concepto", 0, 60, 1},
                    {"Proveedor", 0, 80, 1}},
                   {{"1", "10/01/2024 14:30", "Central", producto, "15999.9", "1000000", "15999.9", "", kUuid,
                     "Compra", "Aceros del Norte"},
                    {"99999", "31/12/2024 23:59", "", "", "0.001", "", kEnorme, "123456", "", "", ""},
                    {"", "", "", "", "", "", "", "", "", "", ""}})
            << 50.0 << QStringList{kUuid, QStringLiteral("galvanizado")};
        QTest::newRow("importes enormes")
            << u_tablaPrueba(
                   {{"Sucursal", 0, 100, 0}, {"Nombre", 0, 100, 0}, {"Valor", 1, 90, 2}, {"Nota", 0, 200, 0}},
                   {{"Matriz", "Bodega", kEnorme, ""},
                    {"", "", "-" + kEnorme, "sin valor"},
                    {"", "", "", ""}})
            << 100.0 << QStringList();
        QTest::newRow("palabras largas") // one fits once its column widens, one fits no page
            << u_tablaPrueba({{"Nombre", 0, 100, 0}, {"Nota", 0, 200, 0}, {"Importe", 1, 60, 2}},
                             {{"Electrodomésticosreacondicionadosgarantizados",
                               QString(400, QLatin1Char('x')), kEnorme},
                              {"Bodega", "Pasillo \"B\"; DROP TABLE x; --", "0.5"}})
            << 100.0 << QStringList{QStringLiteral("Electrodomésticosreacondicionadosgarantizados")};
        QTest::newRow("desglose de importes") // nine columns: landscape
            << u_tablaPrueba({{"Clave SAT", 0, 70, 1},
                              {"Nombre", 0, 200, 1},
                              {"Cantidad", 0, 70, 2},
                              {"Precio Lista", 1, 70, 2},
                              {"Descuento", 1, 70, 2},
                              {"Importe", 1, 70, 2},
                              {"Impuestos T", 1, 70, 2},
                              {"Impuestos R", 1, 70, 2},
                              {"Total", 1, 70, 2}},
                             {{"31161700", producto, "999999.5", kEnorme, "0", kEnorme, kEnorme,
                               "-" + kEnorme, kEnorme}})
            << 100.0 << QStringList();
        QTest::newRow("detalle con separadores")
            << u_tablaPrueba({{"", 0, 250, 0}, {"", 0, 250, 0}}, {{"Entrada No.", "41"},
                                                                  {"Precio Unitario", "$ 999,999,999,999.99"},
                                                                  {"PEDIMENTO", ""},
                                                                  {QString(137, QLatin1Char('-')), ""},
                                                                  {"Número", "24 47 3807 4000123"},
                                                                  {"Fecha", "10/01/2024"}})
            << 100.0 << QStringList{QStringLiteral("PEDIMENTO")};
    }
    void reportesSinCortes() {
        QFETCH(cTabla, tabla);
        QFETCH(double, escala);
        QFETCH(QStringList, enteras);
        uRespuesta = salida(QStringLiteral("reporte.pdf"));
        QVERIFY(u_exportaPDF(QStringLiteral("Reporte"), tabla, uSistema, {escala, {}, {}, {}}));
        u_conservaEnSalida(uRespuesta, QStringLiteral("reporte_") +
                                           QString::fromUtf8(QTest::currentDataTag()).replace(' ', '_') +
                                           QStringLiteral(".pdf"));
        const QString texto = u_textoPDF(uRespuesta);
        const QStringList faltas = u_faltasImpresion(texto, tabla) + u_faltasImpresion(texto, enteras, {});
        QVERIFY2(faltas.isEmpty(), qPrintable(faltas.join(QLatin1Char('\n')) + QLatin1Char('\n') + texto));
    }

    // The read-back check itself sees what the bookkeeper saw: split headers, an amount over three
    // lines, a separator of dashes.
    void laRevisionVeLosCortes() {
        const QString roto = QStringLiteral("Cantida   Existen   C.Unitari\nd         cia       o\n  $\n"
                                            "  15,999.9\n  0\n------------------");
        const QStringList faltas =
            u_faltasImpresion(roto, {"Cantidad", "Existencia", "C.Unitario"}, {"$ 15,999.90"});
        QCOMPARE(faltas.size(), 6);
        QVERIFY(u_faltasImpresion(QStringLiteral("Cantidad  $ 15,999.90\n"), {"Cantidad"}, {"$ 15,999.90"})
                    .isEmpty());
    }

    void listaLargaPaginada() {
        uRespuesta = salida(QStringLiteral("largo.pdf"));
        QVERIFY(u_exportaPDF(QStringLiteral("Almacenes"), tablaAlmacenes(180), uSistema));
        const int paginas = paginasPDF(uRespuesta);
        QVERIFY2(paginas >= 3, qPrintable(QString::number(paginas)));
        const QString texto = u_textoPDF(uRespuesta);
        QCOMPARE(texto.count(QStringLiteral("Sucursal")), paginas); // header row on every page
        for (int i = 1; i <= paginas; ++i)
            QVERIFY(texto.contains(QStringLiteral("Página %1 de %2").arg(i).arg(paginas)));
        for (int i = 1; i <= 180; ++i)
            QVERIFY(texto.contains(QStringLiteral("Bodega %1").arg(i, 3, 10, QLatin1Char('0'))));
    }

    void tablaAnchaApaisada() {
        cTabla t;
        for (int c = 0; c < 10; ++c)
            t.addCabecera(QStringLiteral("Col%1").arg(c), kContenidoTexto, 90, kAlineaIzquierda);
        t.setFilas({QStringList(10, QStringLiteral("x"))});
        uRespuesta = salida(QStringLiteral("ancho.pdf"));
        QVERIFY(u_exportaPDF(QStringLiteral("Ancho"), t, uSistema));
        QVERIFY(ejecuta(QStringLiteral("pdfinfo"), {uRespuesta}).contains(QStringLiteral("792 x 612")));
    }

    void logoDelNegocio() {
        // The logo is looked up relative to the working folder, as the suite keeps its formats.
        const QString anterior = QDir::currentPath();
        QDir::setCurrent(uCarpeta->path());
        QDir().mkpath(QStringLiteral("Formatos/XEXX010101000"));
        QImage logo(120, 60, QImage::Format_RGB32);
        logo.fill(Qt::darkBlue);
        QVERIFY(logo.save(QStringLiteral("Formatos/XEXX010101000/logo.png")));
        uRespuesta = salida(QStringLiteral("logo.pdf"));
        const bool escrito = u_exportaPDF(QStringLiteral("Almacenes"), tablaAlmacenes(2), uSistema);
        QDir::setCurrent(anterior);
        QVERIFY(escrito);
        const QString imagenes = ejecuta(QStringLiteral("pdfimages"), {QStringLiteral("-list"), uRespuesta});
        QVERIFY2(imagenes.contains(QStringLiteral(" 120    60 ")), qPrintable(imagenes));
    }

    void reglasDelDialogo_data() {
        QTest::addColumn<QString>("respuesta"); // relative to the test folder; "" cancels
        QTest::addColumn<QString>("archivo");   // what must exist afterwards; "" nothing
        QTest::newRow("sin extensión") << "reporte"
                                       << "reporte.pdf";
        QTest::newRow("extensión en mayúsculas") << "REPORTE.PDF"
                                                 << "REPORTE.PDF";
        QTest::newRow("cancelado") << ""
                                   << "";
    }
    void reglasDelDialogo() {
        QFETCH(QString, respuesta);
        QFETCH(QString, archivo);
        uRespuesta = respuesta.isEmpty() ? QString() : salida(respuesta);
        QCOMPARE(u_exportaPDF(QStringLiteral("Almacenes"), tablaAlmacenes(1), uSistema), !archivo.isEmpty());
        QCOMPARE(QDir(uCarpeta->path()).entryList(QDir::Files),
                 archivo.isEmpty() ? QStringList() : QStringList{archivo});
        QCOMPARE(uAbiertos.size(), archivo.isEmpty() ? 0 : 1);
    }

    void sinFilasNoPreguntaNiEscribe() {
        uRespuesta = salida(QStringLiteral("vacio.pdf"));
        cTabla t = tablaAlmacenes(0);
        QVERIFY(!u_exportaPDF(QStringLiteral("Almacenes"), t, uSistema));
        QVERIFY(!exportarREC({{QStringLiteral("A")}, {}, QStringLiteral("Vacío"), {}}, uSistema));
        QVERIFY(uPropuestos.isEmpty());
        QVERIFY(QDir(uCarpeta->path()).isEmpty());
    }

    void rutaNoEscribible() {
        uRespuesta = salida(QStringLiteral("no/existe/reporte.pdf"));
        QVERIFY(!u_exportaPDF(QStringLiteral("Almacenes"), tablaAlmacenes(2), uSistema));
        QVERIFY(!exportarREC({{QStringLiteral("A")}, {{QStringLiteral("1")}}, QStringLiteral("X"), {}},
                             uSistema));
        QCOMPARE(uGuion->guion().mensajes().size(), 2);
        QCOMPARE(uGuion->guion().mensajes()[0].tipo, int(kError));
        QVERIFY(
            uGuion->guion().mensajes()[0].texto.startsWith(QStringLiteral("No se pudo guardar el archivo")));
        QVERIFY(uAbiertos.isEmpty());
        QVERIFY(QDir(uCarpeta->path()).isEmpty());
    }

    void libroConCeldasTipadas() {
        RECexportar datos{{QStringLiteral("Clave"), QStringLiteral("Producto"), QStringLiteral("Cantidad"),
                           QStringLiteral("Costo"), QStringLiteral("Código")},
                          {{QStringLiteral("00123"), QStringLiteral("Lápiz \"HB\""), QStringLiteral("2.5"),
                            QStringLiteral("$ 1,234.50"), QStringLiteral("7501234567890")},
                           {QStringLiteral("A-1"), QStringLiteral("=1+1"), QStringLiteral("-3"),
                            QStringLiteral("-$ 0.10"), QString()}},
                          QStringLiteral("Existencias: marzo/abril"),
                          {}};
        uRespuesta = salida(QStringLiteral("existencias"));
        QVERIFY(exportarREC(datos, uSistema));
        QCOMPARE(uPropuestos, QStringList{QStringLiteral("Existencias: marzo/abril.xlsx")});
        const QString ruta = salida(QStringLiteral("existencias.xlsx"));
        QCOMPARE(uAbiertos, QStringList{ruta});
        TlectorXlsx libro;
        QVERIFY2(libro.abre(ruta), qPrintable(libro.error()));
        QCOMPARE(libro.hojas(), QStringList{QStringLiteral("Existencias marzoabril")});
        QCOMPARE(libro.valor(0, QStringLiteral("A1")), datos.titulo);
        QVERIFY(libro.valor(0, QStringLiteral("A2"))
                    .startsWith(QStringLiteral("Papelería El Lápiz · RFC XEXX010101000")));
        QCOMPARE(libro.valor(0, QStringLiteral("B4")), QStringLiteral("Producto"));
        const TceldaXlsx clave = libro.celda(0, QStringLiteral("A5"));
        QVERIFY(!clave.numerica);
        QCOMPARE(clave.valor, QStringLiteral("00123"));
        QCOMPARE(libro.valor(0, QStringLiteral("B5")), QStringLiteral("Lápiz \"HB\""));
        QCOMPARE(libro.valor(0, QStringLiteral("B6")), QStringLiteral("=1+1")); // stored as text, not run
        const TceldaXlsx cantidad = libro.celda(0, QStringLiteral("C5"));
        QVERIFY(cantidad.numerica);
        QCOMPARE(cantidad.valor.toDouble(), 2.5);
        QCOMPARE(cantidad.formato, QStringLiteral("General"));
        const TceldaXlsx costo = libro.celda(0, QStringLiteral("D5"));
        QVERIFY(costo.numerica);
        QCOMPARE(costo.valor.toDouble(), 1234.5);
        QCOMPARE(costo.formato, kFormatoMonedaXlsx);
        QCOMPARE(libro.celda(0, QStringLiteral("D6")).valor.toDouble(), -0.1);
        QVERIFY(!libro.celda(0, QStringLiteral("E5")).numerica); // barcodes stay text
    }

    void gridAlLibro() {
        QTableView vista;
        TGridControl grid(&vista);
        grid.agregaColumna(QStringLiteral("id"), QStringLiteral("id"), 0, false);
        grid.agregaColumna(QStringLiteral("clave"), QStringLiteral("Clave"), 80);
        grid.agregaColumna(QStringLiteral("costo"), QStringLiteral("Costo"), 80, true, kColMoneda);
        grid.agregaColumna(QStringLiteral("cantidad"), QStringLiteral("Cantidad"), 80, true, kColNumero);
        grid.agregaFila({{QStringLiteral("id"), 4},
                         {QStringLiteral("clave"), QStringLiteral("0042")},
                         {QStringLiteral("costo"), 99.999},
                         {QStringLiteral("cantidad"), 0.1 + 0.2}});
        uRespuesta = salida(QStringLiteral("grid.xlsx"));
        QVERIFY(exportarGridExcelUNI(grid, QStringLiteral("Almacén"), uSistema));
        TlectorXlsx libro;
        QVERIFY(libro.abre(uRespuesta));
        QCOMPARE(libro.valor(0, QStringLiteral("A4")), QStringLiteral("Clave"));
        QCOMPARE(libro.valor(0, QStringLiteral("D4")), QString()); // the hidden id is not exported
        QCOMPARE(libro.valor(0, QStringLiteral("A5")), QStringLiteral("0042"));
        QCOMPARE(libro.celda(0, QStringLiteral("B5")).valor.toDouble(), 100.0); // as shown: $ 100.00
        QCOMPARE(libro.celda(0, QStringLiteral("B5")).formato, kFormatoMonedaXlsx);
        QCOMPARE(libro.celda(0, QStringLiteral("C5")).valor.toDouble(), 0.3);
    }

    void lectorRechazaLoQueNoEsLibro() {
        QFile basura(salida(QStringLiteral("falso.xlsx")));
        QVERIFY(basura.open(QIODevice::WriteOnly));
        basura.write("no soy un libro");
        basura.close();
        TlectorXlsx libro;
        QVERIFY(!libro.abre(basura.fileName()));
        QVERIFY(!libro.error().isEmpty());
        QCOMPARE(TlectorXlsx::posicion(QStringLiteral("AA10")), qMakePair(9, 26));
        QCOMPARE(TlectorXlsx::posicion(QStringLiteral("10")), qMakePair(-1, -1));
    }
};

QTEST_MAIN(TpruebaReportes)
#include "tst_reportes.moc"

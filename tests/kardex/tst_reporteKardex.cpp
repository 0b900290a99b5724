// The kardex report through its screen: the day range, the loads and their messages, the layer
// snapshot rows and separators, the summary of both loads under both methods, and what the PDF
// and the workbook hold.
#include "apoyo/UbasePrueba.h"
#include "apoyo/UnegocioPrueba.h"
#include "apoyo/UrevisionPDF.h"
#include "apoyo/UwidgetsPrueba.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/UgridControl.h"
#include "datos/UcodigosInventario.h"
#include "existencias/UconsultasPrueba.h"
#include "kardex/UFRM_kardex.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {
const QDate kMarzo1(2024, 3, 1);

// R1 10 at 10.00 (1 March), R2 5 at 13.00 (2 March), 12 issued (3 March), R3 2 at 20.00 (4 March).
// PEPS: the issue costs 10 × 10 + 2 × 13 = 126, leaving 3 at 13 (39), then 79.
// Average: 15 at 11.00, the issue costs 132, leaving 33, then 73.
struct Tescena {
    std::unique_ptr<TnegocioPrueba> n;
    int almacen = 0;
    int producto = 0;
};
} // namespace

class TpruebaReporteKardex : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<TFRM_kardex> uPantalla;

    Tescena escena(int metodo, int familiaPrimera = 1) {
        Tescena e;
        e.n = std::make_unique<TnegocioPrueba>(*uBase, metodo);
        e.almacen = e.n->almacen();
        e.producto = e.n->producto(QStringLiteral("Toner"));
        TdocumentoEntrada primera = e.n->documentoEntrada(
            e.almacen, e.producto, QStringLiteral("2024-03-01 09:00:00"), 10, 10.0, familiaPrimera);
        primera.datos().proveedorID = 1;
        e.n->acepta();
        [&] { QVERIFY(primera.guardar()); }();
        e.n->recibe(QStringLiteral("R2"), e.almacen, e.producto, QStringLiteral("2024-03-02 09:00:00"), 5,
                    13.0);
        e.n->entrega(e.almacen, e.producto, QStringLiteral("2024-03-03 09:00:00"), 12);
        e.n->recibe(QStringLiteral("R3"), e.almacen, e.producto, QStringLiteral("2024-03-04 09:00:00"), 2,
                    20.0);
        return e;
    }
    TFRM_kardex *abre(const TnegocioPrueba &n, int nivel = 2) {
        localSYS = uBase->sistema(n.negocio(), nivel);
        uPantalla = std::make_unique<TFRM_kardex>();
        uPantalla->resize(1400, 600);
        uPantalla->show();
        [&] { QVERIFY(uPantalla->init()); }();
        return uPantalla.get();
    }
    template <typename T = QWidget> T *control(const char *nombre) const {
        return u_hijo<T>(uPantalla.get(), QString::fromLatin1(nombre));
    }
    void eligeAlmacen(int indice = 0) { control<QComboBox>("CMB_almacen")->setCurrentIndex(indice); }
    void eligeProducto(int id, const QString &nombre = QStringLiteral("Toner")) {
        TproductoSeleccionadoDescripcion p;
        p.seleccionado = true;
        p.productoId = id;
        p.nombre = nombre;
        p.descripcion = nombre;
        uPantalla->setProducto(p);
    }
    void rango(const QDate &desde, const QDate &hasta) {
        control<QDateEdit>("DTP_fechaInicial")->setDate(desde);
        control<QDateEdit>("DTP_fechaFinal")->setDate(hasta);
    }
    // The older load: Enter in the start date.
    void cargaAnterior() { QTest::keyClick(control<QDateEdit>("DTP_fechaInicial"), Qt::Key_Return); }
    QString texto(int fila, const QString &alias) const {
        const TGridControl *g = uPantalla->gridControl();
        return g->getTexto(fila, g->indiceColumna(alias));
    }
    QString etiqueta(const char *nombre) const { return control<QLabel>(nombre)->text(); }
    QString mensaje() const {
        auto *m = control<QLabel>("LBL_msgGRDkardex");
        return m->isVisibleTo(uPantalla.get()) ? m->text() : QString();
    }
    int fila(const QString &alias, const QString &valor) const {
        for (int f = 0; f < uPantalla->gridControl()->filas(); ++f)
            if (texto(f, alias) == valor)
                return f;
        return -1;
    }
    static void metodos() {
        QTest::addColumn<int>("metodo");
        QTest::newRow("PEPS") << int(kMetodoPEPS);
        QTest::newRow("Promedio Ponderado") << int(kMetodoPromedioPonderado);
    }

private slots:
    void init() { QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error())); }
    void cleanup() {
        uPantalla.reset();
        localSYS = TsistemaDatos();
        uBase.reset();
    }

    // The screen opens on yesterday to today, and today reaches its last instant.
    void ayerAHoyIncluyeLoDeHoy_data() { metodos(); }
    void ayerAHoyIncluyeLoDeHoy() {
        QFETCH(int, metodo);
        TnegocioPrueba n(*uBase, metodo);
        const int a = n.almacen();
        const int p = n.producto(QStringLiteral("Toner"));
        const QString hoy = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
        QVERIFY(n.recibe(QStringLiteral("R1"), a, p, hoy + QStringLiteral(" 00:00:01"), 4, 2.5) > 0);
        abre(n);
        QCOMPARE(control<QDateEdit>("DTP_fechaInicial")->date(), QDate::currentDate().addDays(-1));
        eligeAlmacen();
        eligeProducto(p);
        QCOMPARE(uPantalla->gridControl()->filas(), 1);
        QCOMPARE(texto(0, QStringLiteral("inventarioKardex_entradaCantidad")), QStringLiteral("4"));
        QCOMPARE(texto(0, QStringLiteral("_entradaCalculado")), QStringLiteral("$ 10.00"));
        QCOMPARE(etiqueta("LBL_inventarioFinal"), QStringLiteral("$ 10.00"));
        QCOMPARE(mensaje(), QString());
    }

    // Without a warehouse nothing is loaded and the grid says why; without a product a change of
    // warehouse leaves the grid as it was; "Buscar" warns about each.
    void sinAlmacenOProductoNoCarga() {
        Tescena e = escena(kMetodoPEPS);
        TinteraccionGuionada &guion = e.n->guion();
        abre(*e.n);
        guion.limpia();
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_buscar"));
        QCOMPARE(guion.textos(), QStringList{QStringLiteral("Seleccione un almacén")});
        eligeAlmacen();
        QCOMPARE(uPantalla->gridControl()->filas(), 0);
        QCOMPARE(mensaje(), QString());
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_buscar"));
        QCOMPARE(guion.textos().last(), QStringLiteral("Seleccione un producto"));
        QCOMPARE(guion.mensajes().last().tipo, int(kAdvertencia));
        control<QComboBox>("CMB_almacen")->setCurrentIndex(-1);
        eligeProducto(e.producto);
        QCOMPARE(mensaje(), QStringLiteral("Seleccione un Almacén y Producto"));
        QCOMPARE(uPantalla->gridControl()->filas(), 0);
    }

    void sinRenglonesLoDice() {
        Tescena e = escena(kMetodoPEPS);
        abre(*e.n);
        rango(QDate(2024, 2, 1), QDate(2024, 2, 28));
        eligeAlmacen();
        eligeProducto(e.producto);
        QCOMPARE(uPantalla->gridControl()->filas(), 0);
        QCOMPARE(mensaje(), QStringLiteral("No hay elementos que mostrar"));
        cargaAnterior();
        QCOMPARE(mensaje(), QStringLiteral("No hay elementos que mostrar"));
    }

    // Layer snapshot rows show neither date nor description and never start a movement; the first
    // row of each movement carries the separator.
    void instantaneasYSeparadores() {
        TnegocioPrueba n(*uBase, kMetodoPEPS);
        const int a = n.almacen();
        const int p = n.producto(QStringLiteral("Toner"));
        n.recibe(QStringLiteral("R1"), a, p, QStringLiteral("2024-03-01 09:00:00"), 10, 10.0);
        n.recibe(QStringLiteral("R2"), a, p, QStringLiteral("2024-03-02 09:00:00"), 5, 13.0);
        QVERIFY(n.entrega(a, p, QStringLiteral("2024-03-03 09:00:00"), 4) > 0); // R2 left untouched
        abre(n);
        rango(kMarzo1, QDate(2024, 3, 31));
        eligeAlmacen();
        eligeProducto(p);
        const TGridControl *g = uPantalla->gridControl();
        int instantaneas = 0;
        for (int f = 0; f < g->filas(); ++f) {
            const bool sinFecha = texto(f, QStringLiteral("inventarioKardex_fechaHora")).isEmpty();
            QCOMPARE(texto(f, QStringLiteral("inventarioMovimientoConcepto_etiqueta")).isEmpty(), sinFecha);
            if (sinFecha) {
                ++instantaneas;
                QVERIFY(g->getValor(f, QStringLiteral("inventarioKardex_division")).toInt() != 1);
                QCOMPARE(texto(f, QStringLiteral("_entradaCalculado")), QString());
                QCOMPARE(texto(f, QStringLiteral("_salidaCalculado")), QString());
            }
        }
        QVERIFY(instantaneas > 0);
        // The issue opens its group with the separator; R2's snapshot follows it without one.
        const int salida = fila(QStringLiteral("inventarioKardex_salidaCantidad"), QStringLiteral("4"));
        QVERIFY(salida >= 0);
        QCOMPARE(g->getValor(salida, QStringLiteral("inventarioKardex_division")).toInt(), 1);
        QCOMPARE(texto(salida + 1, QStringLiteral("inventarioKardex_fechaHora")), QString());
        QCOMPARE(texto(salida + 1, QStringLiteral("inventarioKardex_totalCantidad")), QStringLiteral("5"));
        uPantalla->grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/kardex_peps.png"));
    }

    // The ledger's summary: the stock value before the range, what came in and went out, the
    // value at its end; they add up.
    void resumenDelRango_data() {
        QTest::addColumn<int>("metodo");
        QTest::addColumn<QString>("salidas");
        QTest::addColumn<QString>("final_");
        QTest::newRow("PEPS") << int(kMetodoPEPS) << QStringLiteral("$ 126.00") << QStringLiteral("$ 39.00");
        QTest::newRow("Promedio Ponderado")
            << int(kMetodoPromedioPonderado) << QStringLiteral("$ 132.00") << QStringLiteral("$ 33.00");
    }
    void resumenDelRango() {
        QFETCH(int, metodo);
        QFETCH(QString, salidas);
        QFETCH(QString, final_);
        Tescena e = escena(metodo);
        abre(*e.n);
        rango(QDate(2024, 3, 2), QDate(2024, 3, 3));
        eligeAlmacen();
        eligeProducto(e.producto);
        QCOMPARE(etiqueta("LBL_inventarioInicial"), QStringLiteral("$ 100.00"));
        QCOMPARE(etiqueta("LBL_inventarioEntradas"), QStringLiteral("$ 65.00"));
        QCOMPARE(etiqueta("LBL_inventarioSalidas"), salidas);
        QCOMPARE(etiqueta("LBL_inventarioFinal"), final_);
        const TresumenKardex &r = uPantalla->resumen();
        QCOMPARE(r.inicial + r.entradas - r.salidas, r.final_);
        QCOMPARE(etiqueta("LBL_existenciaMaxima"), QStringLiteral(" - sin establecer -"));
    }

    // Every search reloads the limits and the summary: another product's figures never stay.
    void cadaBusquedaRecargaLimitesYResumen() {
        Tescena e = escena(kMetodoPEPS);
        const int otro = e.n->producto(QStringLiteral("Papel"));
        e.n->fila(QStringLiteral("inventarioStock"), {{QStringLiteral("inventarioAlmacen_id"), e.almacen},
                                                      {QStringLiteral("inventarioProducto_id"), e.producto},
                                                      {QStringLiteral("minimo"), 2.0},
                                                      {QStringLiteral("maximo"), 20.0}});
        abre(*e.n);
        rango(kMarzo1, QDate(2024, 3, 31));
        eligeAlmacen();
        eligeProducto(e.producto);
        QCOMPARE(etiqueta("LBL_existenciaMaxima"), QStringLiteral("20"));
        QCOMPARE(etiqueta("LBL_existenciaMinima"), QStringLiteral("2"));
        QCOMPARE(etiqueta("LBL_inventarioFinal"), QStringLiteral("$ 79.00"));
        eligeProducto(otro, QStringLiteral("Papel"));
        QCOMPARE(etiqueta("LBL_existenciaMaxima"), QStringLiteral(" - sin establecer -"));
        QCOMPARE(etiqueta("LBL_existenciaMinima"), QStringLiteral(" - sin establecer -"));
        for (const char *cifra : {"LBL_inventarioInicial", "LBL_inventarioEntradas", "LBL_inventarioSalidas",
                                  "LBL_inventarioFinal"})
            QCOMPARE(etiqueta(cifra), QStringLiteral("$ 0.00"));
        QCOMPARE(etiqueta("LBL_productoSeleccionado"), QStringLiteral("Papel"));
    }

    // The older load lands on the grid's own columns, and its summary is read by name.
    void cargaAnteriorPorNombre_data() {
        QTest::addColumn<int>("metodo");
        QTest::addColumn<QString>("salidas");
        QTest::addColumn<QString>("final_");
        QTest::newRow("PEPS") << int(kMetodoPEPS) << QStringLiteral("$ 126.00") << QStringLiteral("$ 79.00");
        QTest::newRow("Promedio Ponderado")
            << int(kMetodoPromedioPonderado) << QStringLiteral("$ 132.00") << QStringLiteral("$ 73.00");
    }
    void cargaAnteriorPorNombre() {
        QFETCH(int, metodo);
        QFETCH(QString, salidas);
        QFETCH(QString, final_);
        Tescena e = escena(metodo);
        abre(*e.n);
        rango(kMarzo1, QDate(2024, 3, 31));
        eligeAlmacen();
        eligeProducto(e.producto);
        cargaAnterior();
        QCOMPARE(uPantalla->gridControl()->filas(), 5); // the issue drew on two layers: two rows
        const int r2 = fila(QStringLiteral("inventarioKardex_entradaCantidad"), QStringLiteral("5"));
        QVERIFY(r2 >= 0);
        QCOMPARE(texto(r2, QStringLiteral("inventarioKardex_entradaCostoUnitario")),
                 QStringLiteral("$ 13.00"));
        QCOMPARE(texto(r2, QStringLiteral("_entradaCalculado")), QStringLiteral("$ 65.00"));
        QCOMPARE(texto(r2, QStringLiteral("inventarioKardex_totalCantidad")), QStringLiteral("15"));
        QCOMPARE(texto(r2, QStringLiteral("_total_calculado")), QStringLiteral("$ 165.00"));
        QVERIFY(texto(r2, QStringLiteral("inventarioMovimientoConcepto_etiqueta"))
                    .contains(QStringLiteral("documento de entrada")));
        QCOMPARE(texto(2, QStringLiteral("inventarioKardex_salidaCantidad")), QStringLiteral("10"));
        QCOMPARE(texto(3, QStringLiteral("inventarioKardex_salidaCantidad")), QStringLiteral("2"));
        QCOMPARE(etiqueta("LBL_inventarioInicial"), QStringLiteral("$ 0.00"));
        QCOMPARE(etiqueta("LBL_inventarioEntradas"), QStringLiteral("$ 205.00"));
        QCOMPARE(etiqueta("LBL_inventarioSalidas"), salidas);
        QCOMPARE(etiqueta("LBL_inventarioFinal"), final_);
    }

    // An initial-stock row opening the range is the initial value, not an entry.
    void cargaAnteriorConInventarioInicial() {
        Tescena e = escena(kMetodoPEPS, -4);
        abre(*e.n);
        rango(kMarzo1, QDate(2024, 3, 31));
        eligeAlmacen();
        eligeProducto(e.producto);
        cargaAnterior();
        QCOMPARE(etiqueta("LBL_inventarioInicial"), QStringLiteral("$ 100.00"));
        QCOMPARE(etiqueta("LBL_inventarioEntradas"), QStringLiteral("$ 105.00"));
    }

    // The PDF prints each figure under its own header although the grid shows one column more.
    void pdfPorColumna() {
        Tescena e = escena(kMetodoPromedioPonderado);
        TarchivosPrueba archivos;
        abre(*e.n);
        rango(kMarzo1, QDate(2024, 3, 31));
        eligeAlmacen();
        eligeProducto(e.producto);
        cargaAnterior();
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_exportarPDF"));
        QCOMPARE(archivos.propuestos, QStringList{QStringLiteral("Kardex.pdf")});
        QFile::remove(TbasePrueba::carpetaSalida() + QStringLiteral("/kardex.pdf"));
        QFile::copy(archivos.escritos.last(), TbasePrueba::carpetaSalida() + QStringLiteral("/kardex.pdf"));
        const QString texto = u_textoPDF(archivos.escritos.last());
        QVERIFY2(texto.contains(QStringLiteral("Del: 01/03/2024 Al: 31/03/2024")), qPrintable(texto));
        QVERIFY(!texto.contains(QStringLiteral("Capa")));
        const QVector<TpalabraPDF> palabras = u_palabrasPDF(archivos.escritos.last());
        // R2's row (the only one worth 165.00): each figure under its own header.
        const auto sobre = [&](const char *cifra) {
            return u_cabeceraSobre(palabras, QStringLiteral("Fecha/Hora"), QStringLiteral("165.00"),
                                   QString::fromLatin1(cifra));
        };
        QCOMPARE(sobre("5"), QStringLiteral("4 Entrada"));
        QCOMPARE(sobre("13.00"), QStringLiteral("5 Costo U."));
        QCOMPARE(sobre("65.00"), QStringLiteral("6 Total"));
        QCOMPARE(sobre("15"), QStringLiteral("10 Existencia"));
        QCOMPARE(sobre("11.00"), QStringLiteral("11 Costo U."));
        QCOMPARE(sobre("165.00"), QStringLiteral("12 Total"));
    }

    // The workbook keeps quantities and money as numbers.
    void libroConNumeros() {
        Tescena e = escena(kMetodoPEPS);
        TarchivosPrueba archivos;
        abre(*e.n);
        rango(kMarzo1, QDate(2024, 3, 31));
        eligeAlmacen();
        eligeProducto(e.producto);
        cargaAnterior();
        const int r2 = fila(QStringLiteral("inventarioKardex_entradaCantidad"), QStringLiteral("5"));
        const QString detalle = texto(r2, QStringLiteral("inventarioMovimientoConcepto_etiqueta"));
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_exportarExcel"));
        QCOMPARE(archivos.propuestos, QStringList{QStringLiteral("Kardex.xlsx")});
        TlectorXlsx libro;
        QVERIFY2(libro.abre(archivos.escritos.last()), qPrintable(libro.error()));
        QCOMPARE(libro.valor(0, QStringLiteral("A1")), QStringLiteral("Kardex"));
        const TceldaXlsx cantidad = u_celdaBajo(libro, QStringLiteral("Entradas"), detalle);
        QVERIFY(cantidad.numerica);
        QCOMPARE(cantidad.valor.toDouble(), 5.0);
        const TceldaXlsx total = u_celdaBajo(libro, QStringLiteral("Total"), detalle, 2);
        QVERIFY(total.numerica);
        QCOMPARE(total.valor.toDouble(), 165.0);
    }

    void soloLecturaNoExporta() {
        Tescena e = escena(kMetodoPEPS);
        abre(*e.n, kNivelRestringido);
        QVERIFY(!control<QPushButton>("BTN_exportarExcel")->isEnabled());
        QVERIFY(!control<QPushButton>("BTN_exportarPDF")->isEnabled());
    }
};

QTEST_MAIN(TpruebaReporteKardex)
#include "tst_reporteKardex.moc"

// The stock view (general and consolidated reports, the per-warehouse pop-up, the valuation at a
// date) and the serial-number search, through their screens: filters, totals, row kinds kept out
// of the cells, the business filter, hostile text, and what the exports hold.
#include "apoyo/UbasePrueba.h"
#include "apoyo/UfilasPrueba.h"
#include "apoyo/UnegocioPrueba.h"
#include "apoyo/UrevisionPDF.h"
#include "apoyo/UwidgetsPrueba.h"
#include "comun/UMOD_seleccion.h"
#include "comun/U_utilerias.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/UgridControl.h"
#include "datos/UcodigosInventario.h"
#include "existencias/UFRM_existencias.h"
#include "existencias/UFRM_productosNoSerie.h"
#include "existencias/UconsultasPrueba.h"
#include "kardex/UNEG_valuacion.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

// Two warehouses. Matriz: Toner R1 10 at 10.00 (1 March), R2 5 at 13.00 (2 March), 12 issued
// (3 March), R3 2 at 20.00 (4 March). Sucursal: Papel 4 at 2.50 (2 March), Toner 1 at 12.00 (5 March).
// At the end of 3 March: PEPS Toner 3 worth 39 (3 × 13), average 3 worth 33 (3 × 11.00); Papel 10.
struct Ttienda {
    std::unique_ptr<TnegocioPrueba> n;
    int matriz = 0, sucursal = 0, toner = 0, papel = 0;

    Ttienda(TbasePrueba &base, int metodo, const QString &nombre = QStringLiteral("Papelería Morelos")) {
        n = std::make_unique<TnegocioPrueba>(base, metodo, nombre);
        matriz = n->almacen(QStringLiteral("Matriz"));
        sucursal = n->almacen(QStringLiteral("Sucursal"));
        toner = n->producto(QStringLiteral("Toner"));
        papel = n->producto(QStringLiteral("Papel"));
        n->recibe(QStringLiteral("R1"), matriz, toner, QStringLiteral("2024-03-01 09:00:00"), 10, 10.0);
        n->recibe(QStringLiteral("R2"), matriz, toner, QStringLiteral("2024-03-02 09:00:00"), 5, 13.0);
        n->recibe(QStringLiteral("P1"), sucursal, papel, QStringLiteral("2024-03-02 10:00:00"), 4, 2.5);
        n->entrega(matriz, toner, QStringLiteral("2024-03-03 09:00:00"), 12);
        n->recibe(QStringLiteral("R3"), matriz, toner, QStringLiteral("2024-03-04 09:00:00"), 2, 20.0);
        n->recibe(QStringLiteral("T1"), sucursal, toner, QStringLiteral("2024-03-05 09:00:00"), 1, 12.0);
    }
    void categoria(int producto, const QString &identidad, const QString &etiqueta) const {
        n->fila(QStringLiteral("inventarioCategoria"),
                {{QStringLiteral("identidad"), identidad}, {QStringLiteral("etiqueta"), etiqueta}});
        TmiddleTier mt(n->sesion());
        mt.setQuery(
            QStringLiteral("UPDATE inventarioProducto SET inventarioCategoria_identidad = :c WHERE id = :p"));
        mt.setParametroTexto(QStringLiteral("c"), identidad);
        mt.setParametroEntero(QStringLiteral("p"), producto);
        mt.nonQuery();
    }
};

TproductoSeleccionadoDescripcion elegido(int id, const QString &nombre) {
    TproductoSeleccionadoDescripcion p;
    p.seleccionado = true;
    p.productoId = id;
    p.nombre = p.descripcion = nombre;
    return p;
}
} // namespace

class TpruebaExistencias : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<QWidget> uPantalla;

    template <typename T> T *abre(const TnegocioPrueba &n, int nivel = 2) {
        localSYS = uBase->sistema(n.negocio(), nivel);
        auto *p = new T;
        uPantalla.reset(p);
        p->resize(1300, 600);
        p->show();
        [&] { QVERIFY(p->init()); }();
        return p;
    }
    template <typename T = QWidget> T *control(const char *nombre) const {
        return u_hijo<T>(uPantalla.get(), QString::fromLatin1(nombre));
    }
    void elige(const char *combo, const QString &texto) const {
        auto *c = control<QComboBox>(combo);
        c->setCurrentIndex(c->findText(texto));
    }
    void clic(const char *boton) const { u_clicBoton(uPantalla.get(), QString::fromLatin1(boton)); }
    // The grid's rows as "shown texts of the visible columns" joined by '|', empty cells dropped.
    static QStringList filas(const TGridControl *g) {
        QStringList r;
        for (int f = 0; f < g->filas(); ++f) {
            QStringList celdas;
            for (int c : g->columnasImprimibles())
                if (!g->getTexto(f, c).isEmpty())
                    celdas << g->getTexto(f, c);
            r << celdas.join(QLatin1Char('|'));
        }
        return r;
    }
    QString mensaje() const {
        auto *m = control<QLabel>("LBL_msg");
        return m->isVisibleTo(uPantalla.get()) ? m->text() : QString();
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

    // The general report groups each product's warehouses under its name and closes with its
    // total; the row kind stays out of the texts. Another business's stock never shows.
    void reporteGeneralConTotales() {
        Ttienda t(*uBase, kMetodoPEPS);
        Ttienda ajena(*uBase, kMetodoPEPS, QStringLiteral("Otra"));
        auto *p = abre<TFRM_existencias>(*t.n);
        QCOMPARE(filas(p->gridControl()),
                 (QStringList{QStringLiteral("Papel"), QStringLiteral("Sucursal|4"),
                              QStringLiteral("TOTAL|4"), QStringLiteral("Toner"), QStringLiteral("Matriz|5"),
                              QStringLiteral("Sucursal|1"), QStringLiteral("TOTAL|6")}));
        const TGridControl *g = p->gridControl();
        QCOMPARE(g->getValor(0, kAliasTipoRenglon).toInt(), int(kRenglonGrupo));
        QCOMPARE(g->getValor(1, kAliasTipoRenglon).toInt(), int(kRenglonDetalle));
        QCOMPARE(g->getValor(2, kAliasTipoRenglon).toInt(), int(kRenglonTotal));
        for (const QString &fila : filas(g))
            for (QChar c : fila)
                QVERIFY(c.unicode() >= 0x20);
        // Warehouse and stock limit filters; a limit that is no number matches nothing.
        elige("CMB_almacen", QStringLiteral("Matriz"));
        clic("BTN_reporteGeneral");
        QCOMPARE(filas(g), (QStringList{QStringLiteral("Toner"), QStringLiteral("Matriz|5"),
                                        QStringLiteral("TOTAL|5")}));
        clic("BTN_reiniciarCMBalmacen");
        control<QLineEdit>("EdStock")->setText(QStringLiteral("4"));
        clic("BTN_reporteGeneral");
        QCOMPARE(filas(g), (QStringList{QStringLiteral("Papel"), QStringLiteral("Sucursal|4"),
                                        QStringLiteral("TOTAL|4"), QStringLiteral("Toner"),
                                        QStringLiteral("Sucursal|1"), QStringLiteral("TOTAL|1")}));
        for (const char *hostil : {"'; DROP TABLE inventarioExistencias; --", "1e400", "-1", "NaN"}) {
            control<QLineEdit>("EdStock")->setText(QString::fromLatin1(hostil));
            clic("BTN_reporteGeneral");
            QCOMPARE(g->filas(), 0);
            QCOMPARE(mensaje(), QStringLiteral("No hay elementos que mostrar"));
        }
        // The field takes twelve digits: a longer number is cut there and holds every stock.
        control<QLineEdit>("EdStock")->setText(QStringLiteral("99999999999999999999"));
        clic("BTN_reporteGeneral");
        QCOMPARE(g->filas(), 7);
    }

    // The consolidated report: one row per product with its category and state, then the total;
    // a category is a prefix of its subcategories' keys, its % and _ taken as letters.
    void reporteConsolidado() {
        Ttienda t(*uBase, kMetodoPEPS);
        t.categoria(t.toner, QStringLiteral("A1"), QStringLiteral("Consumibles"));
        t.categoria(t.papel, QStringLiteral("A%"), QStringLiteral("Papelería"));
        auto *p = abre<TFRM_existencias>(*t.n);
        control<QRadioButton>("RAD_reporteConsolidado")->setChecked(true);
        QVERIFY(!control("contenedor_filtrosReporteGeneral")->isVisibleTo(p));
        QVERIFY(control("contenedor_filtrosReporteConsolidado")->isVisibleTo(p));
        QCOMPARE(p->gridControl()->filas(), 7); // the general report stays until a search runs
        clic("BTN_reporteConsolidado");
        QCOMPARE(filas(p->gridControl()),
                 (QStringList{QStringLiteral("Consumibles|Toner|6|Activo"),
                              QStringLiteral("Papelería|Papel|4|Activo"), QStringLiteral("TOTAL|10")}));
        p->setCategoria(QStringLiteral("A"), QStringLiteral("Todo"));
        clic("BTN_reporteConsolidado");
        QCOMPARE(p->gridControl()->filas(), 3);
        p->setCategoria(QStringLiteral("A%"), QStringLiteral("Papelería"));
        clic("BTN_reporteConsolidado");
        QCOMPARE(filas(p->gridControl()),
                 (QStringList{QStringLiteral("Papelería|Papel|4|Activo"), QStringLiteral("TOTAL|4")}));
        p->setCategoria(QStringLiteral("_"), QStringLiteral("?"));
        clic("BTN_reporteConsolidado");
        QCOMPARE(mensaje(), QStringLiteral("No hay elementos que mostrar"));
    }

    // A click on a product's stock in the consolidated report shows it per warehouse; the general
    // report and the total row show nothing.
    void ventanaPorAlmacen() {
        Ttienda t(*uBase, kMetodoPEPS);
        auto *p = abre<TFRM_existencias>(*t.n);
        QWidget *ventana = control("PNL_small");
        p->clicCelda(5, 3, QPoint(10, 10));
        QVERIFY(!ventana->isVisible());
        clic("BTN_reporteConsolidado");
        const int toner = filas(p->gridControl()).indexOf(QStringLiteral("Toner|6|Activo"));
        QVERIFY(toner >= 0);
        p->clicCelda(toner, 3, QPoint(10, 10));
        QVERIFY(ventana->isVisible());
        QCOMPARE(filas(p->gridSmall()),
                 (QStringList{QStringLiteral("Matriz|5"), QStringLiteral("Sucursal|1")}));
        QCOMPARE(ventana->width(), 220);
        QCOMPARE(ventana->height(), 66);
        ventana->hide();
        p->clicCelda(p->gridControl()->filas() - 1, 3, QPoint(10, 10));
        QVERIFY(!ventana->isVisible());
    }

    // The valuation at the end of a past day, worked by hand under each method, per warehouse and
    // in total; another business's movements stay out.
    void valuacionAUnaFecha_data() {
        QTest::addColumn<int>("metodo");
        QTest::addColumn<double>("toner");
        QTest::newRow("PEPS") << int(kMetodoPEPS) << 39.0;
        QTest::newRow("Promedio Ponderado") << int(kMetodoPromedioPonderado) << 33.0;
    }
    void valuacionAUnaFecha() {
        QFETCH(int, metodo);
        QFETCH(double, toner);
        Ttienda t(*uBase, metodo);
        Ttienda ajena(*uBase, metodo, QStringLiteral("Otra"));
        const TreporteValuacion v = u_valuacion(t.n->sesion(), QDate(2024, 3, 3), t.n->negocio());
        QVERIFY(v.exito);
        QCOMPARE(v.renglones.size(), 2);
        QCOMPARE(v.renglones[0].almacen, QStringLiteral("Matriz"));
        QCOMPARE(v.renglones[0].cantidad, 3.0);
        QCOMPARE(v.renglones[0].valor, toner);
        QCOMPARE(v.renglones[0].costoUnitario, toner / 3);
        QCOMPARE(v.renglones[1].producto, QStringLiteral("Papel"));
        QCOMPARE(v.renglones[1].valor, 10.0);
        QCOMPARE(v.totalAlmacen(t.matriz), toner);
        QCOMPARE(v.total, toner + 10.0);
        // Before anything arrived there is nothing; the day's end includes its last movement.
        QCOMPARE(u_valuacion(t.n->sesion(), QDate(2024, 2, 29), t.n->negocio()).renglones.size(), 0);
        QCOMPARE(u_valuacion(t.n->sesion(), QDate(2024, 3, 4), t.n->negocio()).total,
                 metodo == kMetodoPEPS ? 89.0 : 83.0);
    }

    // The valuation goes by date, not by the order rows were written (rows imported or
    // written back-dated), an issue after a receipt of its instant; a pair whose stock ran out
    // drops; another business's rows at our warehouse and product ids stay out, with or without
    // a warehouse or product asked for.
    void valuacionPorFechaDeCadaPar_data() {
        QTest::addColumn<QDate>("dia");
        QTest::addColumn<QString>("filtro");
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("antes de todo") << QDate(2024, 3, 7) << QString() << QStringList();
        QTest::newRow("entrada escrita después con fecha anterior")
            << QDate(2024, 3, 8) << QString()
            << QStringList{QStringLiteral("Matriz|Tinta|4|40"), QStringLiteral("Sucursal|Papel|5|10")};
        QTest::newRow("salida y entrada del mismo instante")
            << QDate(2024, 3, 9) << QString()
            << QStringList{QStringLiteral("Matriz|Tinta|1|10"), QStringLiteral("Sucursal|Papel|5|10"),
                           QStringLiteral("Sucursal|Tinta|2|30")};
        QTest::newRow("sin existencia y con filas ajenas")
            << QDate(2024, 3, 12) << QString()
            << QStringList{QStringLiteral("Matriz|Tinta|10|100"), QStringLiteral("Sucursal|Tinta|2|30")};
        QTest::newRow("un almacén") << QDate(2024, 3, 12) << QStringLiteral("Matriz")
                                    << QStringList{QStringLiteral("Matriz|Tinta|10|100")};
        QTest::newRow("un producto") << QDate(2024, 3, 9) << QStringLiteral("Papel")
                                     << QStringList{QStringLiteral("Sucursal|Papel|5|10")};
        QTest::newRow("almacén ajeno") << QDate(2024, 3, 12) << QStringLiteral("ajeno") << QStringList();
    }
    void valuacionPorFechaDeCadaPar() {
        QFETCH(QDate, dia);
        QFETCH(QString, filtro);
        QFETCH(QStringList, esperado);
        TnegocioPrueba n(*uBase, kMetodoPEPS);
        TnegocioPrueba ajena(*uBase, kMetodoPEPS, QStringLiteral("Otra"));
        const int matriz = n.almacen(QStringLiteral("Matriz")),
                  sucursal = n.almacen(QStringLiteral("Sucursal"));
        const int tinta = n.producto(QStringLiteral("Tinta")), papel = n.producto(QStringLiteral("Papel"));
        // Rows as an import of old data leaves them, with the running figures of their date.
        const auto entrada = [&](int negocio, int almacen, int producto, const char *fecha, double total,
                                 double valor) {
            return u_insertaFila(n.sesion(), QStringLiteral("inventarioEntrada"),
                                 {{QStringLiteral("documento"), 1},
                                  {QStringLiteral("fechaHora"), TnegocioPrueba::fecha(QLatin1String(fecha))},
                                  {QStringLiteral("inventarioAlmacen_id"), almacen},
                                  {QStringLiteral("inventarioProducto_id"), producto},
                                  {QStringLiteral("existenciaTotal"), total},
                                  {QStringLiteral("existenciaCostoTotal"), valor},
                                  {QStringLiteral("idNegocioFk"), negocio}});
        };
        const auto salida = [&](int capa, const char *fecha, double total, double valor) {
            QVERIFY(u_insertaSalida(n.sesion(), {{QStringLiteral("documento"), 1},
                                                 {QStringLiteral("fechaHora"),
                                                  TnegocioPrueba::fecha(QLatin1String(fecha))},
                                                 {QStringLiteral("inventarioEntrada_id"), capa},
                                                 {QStringLiteral("existenciaTotal"), total},
                                                 {QStringLiteral("existenciaCostoTotal"), valor}}) > 0);
        };
        entrada(n.negocio(), matriz, tinta, "2024-03-10 09:00:00", 10, 100);
        const int atrasada = entrada(n.negocio(), matriz, tinta, "2024-03-08 09:00:00", 4, 40);
        salida(atrasada, "2024-03-09 09:00:00", 1, 10);
        entrada(n.negocio(), matriz, tinta, "2024-03-09 09:00:00", 3, 33);
        entrada(n.negocio(), sucursal, tinta, "2024-03-09 09:00:00", 2, 30);
        salida(entrada(n.negocio(), sucursal, papel, "2024-03-08 12:00:00", 5, 10), "2024-03-10 09:00:00", 0,
               0);
        salida(entrada(ajena.negocio(), matriz, tinta, "2024-03-11 09:00:00", 99, 990), "2024-03-12 09:00:00",
               98, 980);
        entrada(ajena.negocio(), sucursal, papel, "2024-03-11 09:00:00", 7, 70);

        QVariant almacen, producto;
        if (filtro == QLatin1String("Matriz"))
            almacen = matriz;
        else if (filtro == QLatin1String("ajeno"))
            almacen = ajena.almacen(QStringLiteral("Ajeno"));
        else if (filtro == QLatin1String("Papel"))
            producto = papel;
        const TreporteValuacion v = u_valuacion(n.sesion(), dia, n.negocio(), almacen, producto);
        QVERIFY(v.exito);
        QStringList renglones;
        for (const TvaluacionRenglon &r : v.renglones)
            renglones << QStringList{r.almacen, r.producto, FloatToStr(r.cantidad), FloatToStr(r.valor)}.join(
                QLatin1Char('|'));
        QCOMPARE(renglones, esperado);
    }

    // Today's valuation agrees with the stock rows the stock view shows, pair by pair.
    void valuacionDeHoyCoincideConExistencias_data() { metodos(); }
    void valuacionDeHoyCoincideConExistencias() {
        QFETCH(int, metodo);
        Ttienda t(*uBase, metodo);
        auto *p = abre<TFRM_existencias>(*t.n);
        QStringList existencias;
        const TGridControl *g = p->gridControl();
        for (int f = 0; f < g->filas(); ++f)
            if (g->getValor(f, kAliasTipoRenglon).toInt() == kRenglonDetalle)
                existencias << g->getCelda(f, QStringLiteral("inventarioAlmacen_nombre")) + QLatin1Char(' ') +
                                   FloatToStr(g->getCeldaAsFloat(
                                       f, QStringLiteral("inventarioExistencias_existencia")));
        QStringList valuadas;
        for (const TvaluacionRenglon &r :
             u_valuacion(t.n->sesion(), QDate::currentDate(), t.n->negocio()).renglones)
            valuadas << r.almacen + QLatin1Char(' ') + FloatToStr(r.cantidad);
        existencias.sort();
        valuadas.sort();
        QCOMPARE(valuadas, existencias);
    }

    // The valuation report on the screen and in its exports: each warehouse with its total, the
    // grand total, the header over its figure in the PDF and numbers in the workbook.
    void reporteDeValuacion() {
        Ttienda t(*uBase, kMetodoPromedioPonderado);
        TarchivosPrueba archivos;
        auto *p = abre<TFRM_existencias>(*t.n);
        control<QDateEdit>("DTP_valuacion")->setDate(QDate(2024, 3, 3));
        clic("BTN_valuacion");
        QCOMPARE(p->reporte(), TFRM_existencias::Treporte::Valuacion);
        QCOMPARE(control<QLabel>("titulo1texto")->text(), QStringLiteral("Valuación al 03-03-2024"));
        QCOMPARE(filas(p->gridControl()),
                 (QStringList{QStringLiteral("Matriz"), QStringLiteral("Toner|3|$ 11.00|$ 33.00"),
                              QStringLiteral("TOTAL|$ 33.00"), QStringLiteral("Sucursal"),
                              QStringLiteral("Papel|4|$ 2.50|$ 10.00"), QStringLiteral("TOTAL|$ 10.00"),
                              QStringLiteral("TOTAL GENERAL|$ 43.00")}));
        clic("BTN_exportarExistenciasPDF");
        QCOMPARE(archivos.propuestos.last(), QStringLiteral("Valuación al 03-03-2024.pdf"));
        const QString texto = u_textoPDF(archivos.escritos.last());
        QVERIFY2(texto.contains(QStringLiteral("Valuación al 03-03-2024")), qPrintable(texto));
        const QVector<TpalabraPDF> palabras = u_palabrasPDF(archivos.escritos.last());
        QCOMPARE(u_cabeceraSobre(palabras, QStringLiteral("Almacen"), QStringLiteral("Toner"),
                                 QStringLiteral("11.00")),
                 QStringLiteral("3 Costo U."));
        QCOMPARE(u_cabeceraSobre(palabras, QStringLiteral("Almacen"), QStringLiteral("Toner"),
                                 QStringLiteral("33.00")),
                 QStringLiteral("4 Valor"));
        QCOMPARE(u_cabeceraSobre(palabras, QStringLiteral("Almacen"), QStringLiteral("GENERAL"),
                                 QStringLiteral("43.00")),
                 QStringLiteral("4 Valor"));
        clic("BTN_exportarExcelExistencias");
        QCOMPARE(archivos.propuestos.last(), QStringLiteral("Valuación al 03-03-2024.xlsx"));
        TlectorXlsx libro;
        QVERIFY2(libro.abre(archivos.escritos.last()), qPrintable(libro.error()));
        const TceldaXlsx valor = u_celdaBajo(libro, QStringLiteral("Valor"), QStringLiteral("TOTAL GENERAL"));
        QVERIFY(valor.numerica);
        QCOMPARE(valor.valor.toDouble(), 43.0);
        QVERIFY(u_celdaBajo(libro, QStringLiteral("Existencia"), QStringLiteral("Toner")).numerica);
    }

    // The general and consolidated PDFs each print their own headers over their own figures.
    void pdfDeLosReportes() {
        Ttienda t(*uBase, kMetodoPEPS);
        TarchivosPrueba archivos;
        abre<TFRM_existencias>(*t.n);
        clic("BTN_exportarExistenciasPDF");
        QCOMPARE(archivos.propuestos.last(), QStringLiteral("Existencias.pdf"));
        QVector<TpalabraPDF> palabras = u_palabrasPDF(archivos.escritos.last());
        QCOMPARE(u_cabeceraSobre(palabras, QStringLiteral("Producto"), QStringLiteral("Matriz"),
                                 QStringLiteral("5")),
                 QStringLiteral("2 Existencia"));
        clic("BTN_reporteConsolidado");
        clic("BTN_exportarExistenciasPDF");
        palabras = u_palabrasPDF(archivos.escritos.last());
        QCOMPARE(u_cabeceraSobre(palabras, QStringLiteral("Categoría"), QStringLiteral("Toner"),
                                 QStringLiteral("6")),
                 QStringLiteral("2 Existencia"));
        QCOMPARE(u_cabeceraSobre(palabras, QStringLiteral("Categoría"), QStringLiteral("Toner"),
                                 QStringLiteral("Activo")),
                 QStringLiteral("3 Estado"));
        clic("BTN_exportarExcelExistencias");
        TlectorXlsx libro;
        QVERIFY2(libro.abre(archivos.escritos.last()), qPrintable(libro.error()));
        const TceldaXlsx total = u_celdaBajo(libro, QStringLiteral("Existencia"), QStringLiteral("TOTAL"));
        QVERIFY(total.numerica);
        QCOMPARE(total.valor, QStringLiteral("10"));
    }

    void soloLecturaNoExporta() {
        Ttienda t(*uBase, kMetodoPEPS);
        abre<TFRM_existencias>(*t.n, kNivelRestringido);
        QVERIFY(!control<QPushButton>("BTN_exportarExcelExistencias")->isEnabled());
        QVERIFY(!control<QPushButton>("BTN_exportarExistenciasPDF")->isEnabled());
        abre<TFRM_productosNoSerie>(*t.n, kNivelRestringido);
        QVERIFY(!control<QPushButton>("BTN_exportarExcelNoSerie")->isEnabled());
    }

    // Serial numbers: their receipt and issue, text found anywhere (typed % and _ as letters), the
    // document kept by "Ver Todos", another business's numbers never shown.
    void numerosDeSerie() {
        TnegocioPrueba n(*uBase, kMetodoPEPS);
        const int a = n.almacen();
        const int taladro = n.producto(QStringLiteral("Taladro"), 1);
        const int r =
            n.recibe(QStringLiteral("R1"), a, taladro, QStringLiteral("2024-03-01 09:00:00"), 3, 900.0,
                     {QStringLiteral("TX-100"), QStringLiteral("TX_200"), QStringLiteral("AB%300")});
        QVERIFY(r > 0);
        TnegocioPrueba ajeno(*uBase, kMetodoPEPS, QStringLiteral("Otra"));
        ajeno.recibe(QStringLiteral("R9"), ajeno.almacen(), ajeno.producto(QStringLiteral("Taladro"), 1),
                     QStringLiteral("2024-03-01 09:00:00"), 1, 900.0, {QStringLiteral("TX-999")});
        auto doc = n.documentoSalida(a, QStringLiteral("2024-03-02 09:00:00"));
        TproductoSalida articulo;
        articulo.id = taladro;
        articulo.nombre = QStringLiteral("Taladro");
        articulo.controlNoSerie = 1;
        QVERIFY(doc->agregarProducto(articulo, 1));
        const int primera = int(u_valorConsulta(n.sesion(),
                                                QStringLiteral("SELECT MIN(id) FROM inventarioNoSerie WHERE "
                                                               "inventarioEntrada_id = :e"),
                                                {{QStringLiteral("e"), r}})
                                    .toLongLong());
        doc->setSeries(0, {primera});
        n.acepta();
        QVERIFY(doc->guardar());

        auto *p = abre<TFRM_productosNoSerie>(n);
        const TGridControl *g = p->gridControl();
        QCOMPARE(g->filas(), 3);
        QCOMPARE(g->getCelda(0, QStringLiteral("inventarioNoSerie_numero")), QStringLiteral("TX-100"));
        QCOMPARE(g->getCelda(0, QStringLiteral("inventarioNoSerieEstado_etiqueta")),
                 QStringLiteral("con salida"));
        QVERIFY(!g->getCelda(0, QStringLiteral("inventarioSalida_fechahora")).isEmpty());
        QCOMPARE(g->getCelda(1, QStringLiteral("inventarioNoSerieEstado_etiqueta")),
                 QStringLiteral("en almacén"));
        QCOMPARE(g->getCelda(1, QStringLiteral("inventarioSalida_fechahora")), QString());
        auto *numero = control<QLineEdit>("TXT_numero");
        const auto busca = [&](const QString &texto) {
            numero->setText(texto);
            QTest::keyClick(numero, Qt::Key_Return);
            QStringList r;
            for (int f = 0; f < g->filas(); ++f)
                r << g->getCelda(f, QStringLiteral("inventarioNoSerie_numero"));
            return r;
        };
        QCOMPARE(busca(QStringLiteral("00")), (QStringList{"TX-100", "TX_200", "AB%300"}));
        QCOMPARE(busca(QStringLiteral("_")), QStringList{"TX_200"});
        QCOMPARE(busca(QStringLiteral("%")), QStringList{"AB%300"});
        QCOMPARE(busca(QStringLiteral("' OR 1=1 --")), QStringList());
        QCOMPARE(mensaje(), QStringLiteral("No hay elementos que mostrar"));
        QCOMPARE(busca(QString(301, QLatin1Char('x'))), QStringList());
        elige("CMB_estadoNoSerie", QStringLiteral("en almacén"));
        QCOMPARE(busca(QString()), (QStringList{"TX_200", "AB%300"}));
        // "Ver Todos" clears everything but the document.
        control<QLineEdit>("TXT_documento")->setText(QStringLiteral("999"));
        clic("BTN_verTodosNoSerie");
        QCOMPARE(g->filas(), 0);
        QCOMPARE(control<QComboBox>("CMB_estadoNoSerie")->currentIndex(), -1);
        control<QLineEdit>("TXT_documento")->clear();
        clic("BTN_buscarNoSerie");
        QCOMPARE(g->filas(), 3);
        // Reopening keeps the filters and the grid.
        p->setProducto(elegido(taladro, QStringLiteral("Taladro")));
        numero->setText(QStringLiteral("TX"));
        clic("BTN_buscarNoSerie");
        QCOMPARE(g->filas(), 2);
        QVERIFY(p->init());
        QCOMPARE(g->filas(), 2);
        QCOMPARE(numero->text(), QStringLiteral("TX"));
    }
};

QTEST_MAIN(TpruebaExistencias)
#include "tst_existencias.moc"

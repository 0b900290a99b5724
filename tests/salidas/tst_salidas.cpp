// The issues list driven through its widgets: the filters, the breakdown of sales, the three PDF
// reports and the spreadsheet, the row action, "Nueva Salida", permissions and business isolation.
#include "apoyo/UwidgetsPrueba.h"
#include "comun/U_lectorXlsx.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/UgridControl.h"
#include "salidas/UFRM_salidas.h"
#include "salidas/UnegocioSalidas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

class TpruebaSalidas : public QObject {
    Q_OBJECT

    std::unique_ptr<TentornoSalidas> uEntorno;
    TnegocioSalidas *uNegocio = nullptr;
    std::unique_ptr<TFRM_salidas> uPantalla;
    TproximoDialogo uDialogo;

    void abre(int nivel = 2) {
        localSYS = uEntorno->base->sistema(uNegocio->negocio, nivel);
        uPantalla = std::make_unique<TFRM_salidas>();
        uPantalla->resize(1300, 600);
        uPantalla->show();
        QVERIFY(uPantalla->init());
    }
    template <typename T = QWidget> T *control(const char *nombre) const {
        return u_hijo<T>(uPantalla.get(), QString::fromLatin1(nombre));
    }
    void clic(const char *nombre) { u_clicBoton(uPantalla.get(), QString::fromLatin1(nombre)); }
    QList<int> documentos() const {
        QList<int> docs;
        const TGridControl *g = uPantalla->gridControl();
        for (int f = 0; f < g->filas(); ++f)
            docs << int(g->getCeldaAsInt(f, QStringLiteral("inventarioSalida_documento")));
        return docs;
    }
    QString exporta(const char *boton, const QString &extension) {
        const QString ruta = uEntorno->rutaSiguiente(QStringLiteral("reporte") + extension);
        clic(boton);
        return QFile::exists(ruta) ? ruta : QString();
    }

private slots:
    void init() {
        uEntorno = std::make_unique<TentornoSalidas>();
        QVERIFY2(uEntorno->error().isEmpty(), qPrintable(uEntorno->error()));
        uNegocio = uEntorno->negocio.get();
    }
    void cleanup() {
        uPantalla.reset();
        setCapturaSalida({});
        uEntorno.reset();
    }

    void filtros_data() {
        QTest::addColumn<QString>("lote");
        QTest::addColumn<QString>("stock");
        QTest::addColumn<bool>("produccion");
        QTest::addColumn<QString>("cliente");
        QTest::addColumn<QString>("documento");
        QTest::addColumn<QList<int>>("esperados");
        // Yesterday and today, the last day to its end: document 1 is at 23:59:59.5.
        QTest::newRow("dos días enteros") << ""
                                          << "" << false << ""
                                          << "" << QList<int>{2, 3, 5, 5, 5, 1};
        QTest::newRow("lote A1") << "A1"
                                 << "" << false << ""
                                 << "" << QList<int>{2, 5, 1};
        QTest::newRow("stock hasta 5") << ""
                                       << "5" << false << ""
                                       << "" << QList<int>{3, 5, 5, 5, 1};
        QTest::newRow("stock hasta 3") << ""
                                       << "3" << false << ""
                                       << "" << QList<int>{};
        QTest::newRow("producción marcada") << ""
                                            << "" << true << ""
                                            << "" << QList<int>{5, 1};
        QTest::newRow("cliente") << ""
                                 << "" << false << "uno"
                                 << "" << QList<int>{1};
        QTest::newRow("documento") << ""
                                   << "" << false << ""
                                   << "5" << QList<int>{5, 5, 5};
        QTest::newRow("comodín literal") << "%"
                                         << "" << false << ""
                                         << "" << QList<int>{};
        QTest::newRow("comillas") << ""
                                  << "" << false << "' OR '1'='1"
                                  << "" << QList<int>{};
        QTest::newRow("documento no numérico") << ""
                                               << "" << false << ""
                                               << "x1y" << QList<int>{1};
    }
    void filtros() {
        QFETCH(QString, lote);
        QFETCH(QString, stock);
        QFETCH(bool, produccion);
        QFETCH(QString, cliente);
        QFETCH(QString, documento);
        QFETCH(QList<int>, esperados);
        abre();
        QCOMPARE(documentos(), (QList<int>{2, 3, 5, 5, 5, 1}));
        QCOMPARE(control<QLabel>("LBL_producto")->text(), QStringLiteral("Seleccionar... "));
        QVERIFY(!control<QDateEdit>("DTP_produccionInicial")->isEnabled());
        QTest::keyClicks(control<QLineEdit>("TXT_lote"), lote);
        QTest::keyClicks(control<QLineEdit>("EdStock"), stock);
        QTest::keyClicks(control<QLineEdit>("TXT_clienteNombre"), cliente);
        QTest::keyClicks(control<QLineEdit>("TXT_documento"), documento);
        control<QCheckBox>("CHK_produccion")->setChecked(produccion);
        QCOMPARE(control<QDateEdit>("DTP_produccionInicial")->isEnabled(), produccion);
        clic("BTN_buscar");
        QCOMPARE(documentos(), esperados);
        QCOMPARE(control<QLabel>("LBL_msg")->isVisible(), esperados.isEmpty());
        if (esperados.isEmpty())
            QCOMPARE(control<QLabel>("LBL_msg")->text(), QStringLiteral("No hay elementos que mostrar"));
    }

    void rangoDeProduccionDesmarcadoSeIgnora() {
        abre();
        auto *inicial = control<QDateEdit>("DTP_produccionInicial");
        control<QCheckBox>("CHK_produccion")->setChecked(true);
        inicial->setDate(QDate::currentDate().addDays(-3));
        clic("BTN_buscar");
        QCOMPARE(documentos(), QList<int>{});
        control<QCheckBox>("CHK_produccion")->setChecked(false);
        clic("BTN_buscar");
        QCOMPARE(documentos(), (QList<int>{2, 3, 5, 5, 5, 1}));
        // Its reset brings back a month ago and searches again.
        control<QCheckBox>("CHK_produccion")->setChecked(true);
        clic("BTN_masFiltros");
        QTRY_VERIFY(control<QPushButton>("BTN_reiniciarDTPproduccionInicial")->height() > 0);
        clic("BTN_reiniciarDTPproduccionInicial");
        QCOMPARE(inicial->date(), QDate::currentDate().addMonths(-1));
        QCOMPARE(documentos(), (QList<int>{5, 1}));
    }

    void almacenFechasYRenglon() {
        abre();
        auto *almacen = control<QComboBox>("CMB_almacen");
        QCOMPARE(almacen->count(), 2);
        almacen->setCurrentIndex(almacen->findText(QStringLiteral("Bodega Norte")));
        QCOMPARE(documentos(), QList<int>{3});
        clic("BTN_reiniciarCMBalmacen");
        QCOMPARE(documentos().size(), 6);
        control<QDateEdit>("DTP_fechaInicial")->setDate(QDate::currentDate().addDays(-3));
        clic("BTN_buscar");
        QCOMPARE(documentos(), (QList<int>{4, 2, 3, 5, 5, 5, 1}));
        const TGridControl *g = uPantalla->gridControl();
        QCOMPARE(g->getTexto(6, g->indiceColumnaPorCabecera(QStringLiteral("Costo Unitario"))),
                 QStringLiteral("$ 2.50"));
        QCOMPARE(g->getTexto(6, g->indiceColumnaPorCabecera(QStringLiteral("Cliente"))),
                 QStringLiteral("Cliente Uno"));
        QCOMPARE(g->getTexto(6, g->indiceColumnaPorCabecera(QStringLiteral("Lote"))), QStringLiteral("A1-7"));
        clic("BTN_reiniciarDTPfechaInicial");
        QCOMPARE(control<QDateEdit>("DTP_fechaInicial")->date(), QDate::currentDate().addDays(-1));

        // The row's "Edita" opens the detail of that row.
        QString mostrado;
        uDialogo.alAbrir<QDialog>(this, [&mostrado](QDialog *d) {
            mostrado = d->findChild<QLabel *>(QStringLiteral("LBL_no"))->text() + QLatin1Char('|') +
                       d->findChild<QLabel *>(QStringLiteral("LBL_producto"))->text();
            d->findChild<QPushButton *>(QStringLiteral("BTN_aceptar"))->click();
        });
        u_clicCelda(control<QTableView>("GRD_main"), 2, 0);
        QVERIFY(uDialogo.abierto);
        QCOMPARE(mostrado, QStringLiteral("3|Pintura vinílica"));
        QVERIFY(QTest::qWaitForWindowExposed(uPantalla.get()));
        uPantalla->grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/salidas_lista.png"));
    }

    void otroNegocioNoSeVe() {
        TnegocioSalidas ajeno(*uEntorno->base, QStringLiteral("Otra Ferretería"));
        u_creaVentas(ajeno);
        abre();
        QCOMPARE(documentos(), (QList<int>{2, 3, 5, 5, 5, 1}));
        QCOMPARE(control<QComboBox>("CMB_almacen")->count(), 2);
        clic("BTN_desglose");
        QCOMPARE(uPantalla->gridControl()->filas(), 0);
        QVERIFY(control<QLabel>("LBL_msg")->isVisible());
    }

    void desgloseYSusReportes() {
        const TventasPrueba ventas = u_creaVentas(*uNegocio);
        abre();
        clic("BTN_desglose");
        QVERIFY(uPantalla->enDesglose());
        const TGridControl *g = uPantalla->gridControl();
        // Kits (product 0) first, each on its own row though they share the price.
        QCOMPARE(g->filas(), 3);
        const auto texto = [g](int fila, const char *cabecera) {
            return g->getTexto(fila, g->indiceColumnaPorCabecera(QString::fromUtf8(cabecera)));
        };
        QCOMPARE(g->getCeldaAsInt(0, QStringLiteral("kitID")), ventas.kit1);
        QCOMPARE(texto(0, "Nombre"), QStringLiteral("Kit fijación"));
        QCOMPARE(texto(0, "Clave SAT"), QStringLiteral("31161500"));
        QCOMPARE(texto(1, "Nombre"), QStringLiteral("Kit pintor"));
        QCOMPARE(texto(2, "Nombre"), QStringLiteral("Tornillo 1/4"));
        QCOMPARE(texto(2, "Cantidad"), QStringLiteral("15"));
        QCOMPARE(texto(2, "Precio Lista"), QStringLiteral("$ 2.50"));
        QCOMPARE(texto(2, "Descuento"), QStringLiteral("$ 2.50"));
        QCOMPARE(texto(2, "Importe"), QStringLiteral("$ 37.50"));
        QCOMPARE(texto(2, "Impuestos T"), QStringLiteral("$ 5.60"));
        QCOMPARE(texto(2, "Impuestos R"), QStringLiteral("$ 0.00"));
        QCOMPARE(texto(2, "Total"), QStringLiteral("$ 40.60"));
        QVERIFY(!control<QPushButton>("BTN_exportarPDFlote")->isEnabled());
        uPantalla->grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/salidas_desglose.png"));

        // Each PDF prints whole: every figure of its columns on one line, no header word split.
        const auto sinCortes = [this](const QString &leido, const QStringList &cabeceras,
                                      const QStringList &aliases) {
            const QStringList faltas =
                u_faltasImpresion(leido, cabeceras, u_figuras(uPantalla->gridControl()->getTTabla(aliases)));
            QVERIFY2(faltas.isEmpty(), qPrintable(faltas.join(QLatin1Char('\n'))));
        };
        QString pdf = exporta("BTN_exportarPDF", QStringLiteral(".pdf"));
        QVERIFY(!pdf.isEmpty());
        QCOMPARE(uEntorno->propuestos.last(), QStringLiteral("Salidas (Desglose).pdf"));
        QString leido = u_textoPDF(pdf);
        sinCortes(leido,
                  {"Clave SAT", "Nombre", "Cantidad", "Precio Lista", "Descuento", "Importe", "Impuestos T",
                   "Impuestos R", "Total"},
                  {"claveSAT", "unidades", "precioLista", "descuento", "importe", "totalTrasladados",
                   "totalRetenidos", "total"});
        QVERIFY2(leido.contains(QStringLiteral("Clave SAT")) && leido.contains(QStringLiteral("Kit pintor")),
                 qPrintable(leido));
        QVERIFY(leido.contains(QStringLiteral("$ 40.60")));
        u_conservaEnSalida(pdf, QStringLiteral("salidas_desglose.pdf"));

        // The product filter narrows the breakdown by id; "Buscar" goes back to the issues.
        TproductoSeleccionadoDescripcion tornillo;
        tornillo.seleccionado = true;
        tornillo.productoId = uNegocio->tornillo;
        tornillo.nombre = QStringLiteral("Tornillo 1/4");
        uPantalla->setProducto(tornillo);
        QVERIFY(uPantalla->enDesglose());
        QCOMPARE(g->filas(), 1);
        clic("BTN_buscar");
        QVERIFY(!uPantalla->enDesglose());
        QCOMPARE(documentos(), (QList<int>{5, 5, 5, 1}));
        pdf = exporta("BTN_exportarPDF", QStringLiteral(".pdf"));
        QCOMPARE(uEntorno->propuestos.last(), QStringLiteral("Salidas.pdf"));
        leido = u_textoPDF(pdf);
        QVERIFY2(leido.contains(QStringLiteral("Comprobante")) && !leido.contains(QStringLiteral("Desglose")),
                 qPrintable(leido));
        QVERIFY(leido.contains(QStringLiteral("Cliente Uno")));
        const QStringList cifras{"inventarioSalida_documento", "inventarioSalida_fechaHora",
                                 "inventarioSalida_cantidad", "inventarioEntrada_salidaCostoUnitario"};
        sinCortes(leido,
                  {"Doc.", "Fecha/Hora", "Almacén", "Producto", "Cant.", "C.Unitario", "Comprobante",
                   "Concepto", "Cliente"},
                  cifras);
        u_conservaEnSalida(pdf, QStringLiteral("salidas.pdf"));

        pdf = exporta("BTN_exportarPDFlote", QStringLiteral(".pdf"));
        QCOMPARE(uEntorno->propuestos.last(), QStringLiteral("Salidas (Lote).pdf"));
        leido = u_textoPDF(pdf);
        QVERIFY2(leido.contains(QStringLiteral("A1-7")) && leido.contains(QStringLiteral("B22")),
                 qPrintable(leido));
        sinCortes(leido,
                  {"Doc.", "Fecha\\Hora", "Almacén", "Producto", "Cantidad", "Costo Unitario", "Lote",
                   "Producción", "Caducidad"},
                  cifras + QStringList{"inventarioLote_fechaProduccion", "inventarioLote_fechaCaducidad"});
        u_conservaEnSalida(pdf, QStringLiteral("salidas_lote.pdf"));
    }

    void excelDeLaLista() {
        abre();
        const QString xlsx = exporta("BTN_exportarExcel", QStringLiteral(".xlsx"));
        QVERIFY(!xlsx.isEmpty());
        QCOMPARE(uEntorno->propuestos.last(), QStringLiteral("Salida de Producto del Almacén.xlsx"));
        TlectorXlsx libro;
        QVERIFY2(libro.abre(xlsx), qPrintable(libro.error()));
        QCOMPARE(libro.valor(0, QStringLiteral("A1")), QStringLiteral("Salida de Producto del Almacén"));
        const auto filas = libro.hoja(0);
        int columnaCosto = -1;
        for (int c = 0; c < filas[3].size(); ++c)
            if (filas[3][c].valor == QLatin1String("Costo Unitario"))
                columnaCosto = c;
        QVERIFY(columnaCosto >= 0);
        const TceldaXlsx costo = filas[4][columnaCosto];
        QVERIFY(costo.numerica);
        QCOMPARE(costo.valor.toDouble(), 1.1);
        QVERIFY(costo.formato.contains(QLatin1String("#,##0.00")));
    }

    void usuarioDeSoloLectura() {
        abre(kNivelRestringido);
        for (const char *boton :
             {"BTN_exportarExcel", "BTN_exportarPDF", "BTN_exportarPDFlote", "BTN_salida"})
            QVERIFY2(!control<QPushButton>(boton)->isEnabled(), boton);
        clic("BTN_exportarPDF");
        clic("BTN_exportarExcel");
        QVERIFY(uEntorno->propuestos.isEmpty());
        QVERIFY(control<QPushButton>("BTN_buscar")->isEnabled());
    }

    void nuevaSalida() {
        abre();
        clic("BTN_salida");
        QCOMPARE(uEntorno->guion.guion().mensajes().size(), 1);
        QCOMPARE(uEntorno->guion.guion().mensajes().first().tipo, int(kInformacion));
        QCOMPARE(documentos().size(), 6);
        // A capture that posts makes the list search again.
        setCapturaSalida([this](QWidget *) {
            uNegocio->salida(6, uNegocio->capaTaquete, 1, 1.1, TnegocioSalidas::momento(0, {11, 0}),
                             uNegocio->venta);
            return true;
        });
        clic("BTN_salida");
        QCOMPARE(documentos(), (QList<int>{2, 3, 5, 5, 5, 6, 1}));
    }

    void masFiltrosDespliegaElPanel() {
        abre();
        auto *panel = control("contenedor_masFiltros");
        QCOMPARE(panel->maximumHeight(), 0);
        clic("BTN_masFiltros");
        QTRY_VERIFY(panel->maximumHeight() >= panel->sizeHint().height());
        uPantalla->grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/salidas_masFiltros.png"));
        clic("BTN_masFiltros");
        QTRY_COMPARE(panel->maximumHeight(), 0);
    }
};

QTEST_MAIN(TpruebaSalidas)
#include "tst_salidas.moc"

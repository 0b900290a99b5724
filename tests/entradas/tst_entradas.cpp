// The receipts list driven through its widgets: every filter, "Ver Todos", "Más Filtros", the
// detail from the edit column, the capture buttons, permissions and the three exports.
#include "apoyo/UinteraccionGuionada.h"
#include "apoyo/UwidgetsPrueba.h"
#include "comun/U_archivosSalida.h"
#include "comun/U_lectorXlsx.h"
#include "comun/ui/UFRM_seleccionarProducto.h"
#include "comun/ui/UFRM_seleccionarProveedor.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/UgridControl.h"
#include "entradas/UFRM_entradas.h"
#include "entradas/UFRM_entradasDetalle.h"
#include "entradas/UnegocioEntradas.h"
#include "inventario/UpantallasInventario.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QtTest>

class TpruebaEntradas : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<TnegocioEntradas> uTienda;
    std::unique_ptr<TguionInstalado> uGuion;
    std::unique_ptr<TFRM_entradas> uPantalla;
    std::unique_ptr<QTemporaryDir> uCarpeta;
    QStringList uPropuestos;
    TproximoDialogo uDialogo;

    QWidget *p() const { return uPantalla.get(); }
    template <typename T = QWidget> T *w(const QString &nombre) const { return u_hijo<T>(p(), nombre); }

    void abre(int nivel = 2) {
        localSYS = uBase->sistema(uTienda->negocio, nivel);
        uPantalla = std::make_unique<TFRM_entradas>();
        uPantalla->resize(1200, 520);
        uPantalla->show();
        QVERIFY(uPantalla->init());
    }
    QStringList documentos() const {
        QStringList r;
        for (int f = 0; f < uPantalla->gridControl()->filas(); ++f)
            r << uPantalla->gridControl()->getCelda(f, QStringLiteral("inventarioEntrada_documento"));
        return r;
    }
    // Filters by the provider the picker finds with `texto`.
    void eligeProveedor(const QString &texto) {
        uDialogo.alAbrir<TFRM_seleccionarProveedor>(this, [texto](TFRM_seleccionarProveedor *d) {
            QTest::keyClicks(d->findChild<QLineEdit *>(QStringLiteral("TXT_buscar")), texto);
            QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("BTN_aceptar")), Qt::LeftButton);
        });
        u_clicBoton(p(), QStringLiteral("BTN_proveedor"));
        QVERIFY(uDialogo.abierto);
    }
    void rangoFechas(const QDate &desde, const QDate &hasta) {
        w<QDateEdit>(QStringLiteral("DTP_fechaInicial"))->setDate(desde);
        w<QDateEdit>(QStringLiteral("DTP_fechaFinal"))->setDate(hasta);
    }

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uTienda = std::make_unique<TnegocioEntradas>(*uBase, QStringLiteral("Ferretería La Tuerca"));
        TnegocioEntradas &t = *uTienda;
        TentradaPrueba e;
        e.documento = 1;
        e.lote = QStringLiteral("LA1-2024");
        e.produccion = QDate(2024, 1, 10);
        e.caducidad = QDate(2025, 6, 30);
        e.proveedor = t.proveedor;
        e.cantidad = 12;
        e.costo = 8.5;
        t.entrada(e);
        e = {};
        e.documento = 2;
        e.producto = t.laptop;
        e.almacen = t.mostrador;
        e.concepto = t.muestras;
        e.comprobante = t.factura;
        e.lote = QStringLiteral("B77");
        e.costo = 15999.9;
        t.entrada(e);
        e = {};
        e.documento = 3;
        e.almacen = t.mostrador;
        e.lote = QStringLiteral("XA1");
        e.orden = 55;
        t.entrada(e);
        // Another business's receipt, same product name and document number: never listed.
        TnegocioEntradas otra(*uBase, QStringLiteral("Otra Empresa"));
        TentradaPrueba ajena;
        ajena.documento = 1;
        ajena.lote = QStringLiteral("LA1-AJENO");
        otra.entrada(ajena);

        uGuion = std::make_unique<TguionInstalado>();
        uCarpeta = std::make_unique<QTemporaryDir>();
        uPropuestos.clear();
        u_instalaDialogoGuardar([this](const QString &propuesto, const QString &) {
            uPropuestos << propuesto;
            return uCarpeta->filePath(propuesto);
        });
        u_instalaAbridorArchivo([](const QString &) {});
    }
    void cleanup() {
        uPantalla.reset();
        TFRM_entradas::setCapturaGeneral({});
        TFRM_entradas::setCapturaOrdenCompra({});
        u_instalaDialogoGuardar({});
        u_instalaAbridorArchivo({});
        uGuion.reset();
        localSYS = TsistemaDatos();
        uTienda.reset();
        uBase.reset();
    }

    void elLateralAbreLaLista() {
        localSYS = uBase->sistema(uTienda->negocio);
        std::unique_ptr<QWidget> pantalla(fabricaPantalla(Tpantalla::Entradas)());
        QVERIFY(qobject_cast<TFRM_entradas *>(pantalla.get()));
    }

    void filtros_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QStringList>("esperados");
        QTest::newRow("sin filtros: solo el negocio") << ""
                                                      << "" << QStringList{"3", "2", "1"};
        QTest::newRow("almacén") << "CMB_almacen"
                                 << "Mostrador" << QStringList{"3", "2"};
        QTest::newRow("concepto") << "CMB_concepto"
                                  << "Muestras recibidas" << QStringList{"2"};
        QTest::newRow("documento") << "TXT_documento"
                                   << "2" << QStringList{"2"};
        QTest::newRow("documento enorme") << "TXT_documento"
                                          << "999999999999" << QStringList{};
        QTest::newRow("lote contiene") << "TXT_lote"
                                       << "A1" << QStringList{"3", "1"};
        QTest::newRow("lote con comodín literal") << "TXT_lote"
                                                  << "%" << QStringList{};
        QTest::newRow("lote con comillas") << "TXT_lote"
                                           << "' OR '1'='1" << QStringList{};
    }
    void filtros() {
        QFETCH(QString, control);
        QFETCH(QString, valor);
        QFETCH(QStringList, esperados);
        abre();
        QCOMPARE(documentos(), (QStringList{"3", "2", "1"}));
        if (control.startsWith(QLatin1String("CMB"))) {
            auto *combo = w<QComboBox>(control);
            combo->setCurrentIndex(combo->findText(valor));
            u_clicBoton(p(), QStringLiteral("BTN_buscar"));
        } else if (!control.isEmpty()) {
            auto *campo = w<QLineEdit>(control);
            campo->setFocus();
            QTest::keyClicks(campo, valor);
            QTest::keyClick(campo, Qt::Key_Return);
        }
        QCOMPARE(documentos(), esperados);
        auto *mensaje = w<QLabel>(QStringLiteral("LBL_msg"));
        QCOMPARE(mensaje->isVisible(), esperados.isEmpty());
        if (esperados.isEmpty())
            QCOMPARE(mensaje->text(), QStringLiteral("No hay elementos que mostrar"));
        u_clicBoton(p(), QStringLiteral("BTN_verTodos"));
        QCOMPARE(documentos(), (QStringList{"3", "2", "1"}));
        QCOMPARE(w<QComboBox>(QStringLiteral("CMB_almacen"))->currentIndex(), 0);
        QVERIFY(w<QLineEdit>(QStringLiteral("TXT_lote"))->text().isEmpty());
    }

    void fechasDeLote() {
        abre();
        u_clicBoton(p(), QStringLiteral("BTN_masFiltros"));
        QTRY_COMPARE(w<QFrame>(QStringLiteral("PNL_busqueda"))->maximumHeight(), 118);
        QVERIFY(uPantalla->masFiltrosVisibles());
        auto *produccion = w<QCheckBox>(QStringLiteral("CHK_produccion"));
        w<QDateEdit>(QStringLiteral("DTP_produccionInicial"))->setDate(QDate(2024, 1, 10));
        w<QDateEdit>(QStringLiteral("DTP_produccionFinal"))->setDate(QDate(2024, 1, 10));
        QVERIFY(!w<QDateEdit>(QStringLiteral("DTP_produccionInicial"))->isEnabled());
        produccion->click();
        QVERIFY(w<QDateEdit>(QStringLiteral("DTP_produccionInicial"))->isEnabled());
        QCOMPARE(documentos(), QStringList{"1"});
        // A lot without the date given never matches a date filter.
        auto *caducidad = w<QCheckBox>(QStringLiteral("CHK_caducidad"));
        w<QDateEdit>(QStringLiteral("DTP_caducidadInicial"))->setDate(QDate(2025, 7, 1));
        w<QDateEdit>(QStringLiteral("DTP_caducidadFinal"))->setDate(QDate(2025, 12, 31));
        caducidad->click();
        QCOMPARE(documentos(), QStringList{});
        u_clicBoton(p(), QStringLiteral("BTN_verTodos"));
        QVERIFY(!produccion->isChecked() && !caducidad->isChecked());
        QCOMPARE(w<QDateEdit>(QStringLiteral("DTP_produccionInicial"))->date(), QDate::currentDate());
        QCOMPARE(documentos().size(), 3);
        u_clicBoton(p(), QStringLiteral("BTN_masFiltros"));
        QTRY_COMPARE(w<QFrame>(QStringLiteral("PNL_busqueda"))->maximumHeight(), 73);
    }

    void unMismoDiaCubreElDiaEntero() {
        const QDate dia(2024, 2, 29);
        const QList<QPair<int, QDateTime>> momentos = {
            {10, QDateTime(dia.addDays(-1), QTime(23, 59, 59, 999))},
            {11, QDateTime(dia, QTime(0, 0))},
            {12, QDateTime(dia, QTime(23, 59, 59, 999))},
            {13, QDateTime(dia.addDays(1), QTime(0, 0))},
        };
        for (const auto &m : momentos) {
            TentradaPrueba e;
            e.documento = m.first;
            e.fechaHora = m.second;
            uTienda->entrada(e);
        }
        abre();
        rangoFechas(dia, dia);
        QTest::keyClick(w<QDateEdit>(QStringLiteral("DTP_fechaFinal")), Qt::Key_Return);
        QCOMPARE(documentos(), (QStringList{"12", "11"}));
        QCOMPARE(uPantalla->gridControl()->getTexto(0, 3), QStringLiteral("29/02/2024 23:59"));
    }

    void productoYProveedorDesdeSusSelectores() {
        abre();
        uDialogo.alAbrir<TFRM_seleccionarProducto>(this, [](TFRM_seleccionarProducto *d) {
            QTest::keyClicks(d->findChild<QLineEdit *>(QStringLiteral("TXT_buscar")),
                             QStringLiteral("Laptop"));
            QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("BTN_aceptar")), Qt::LeftButton);
        });
        u_clicBoton(p(), QStringLiteral("BTN_producto"));
        QVERIFY(uDialogo.abierto && !uDialogo.quedoAbierto);
        QCOMPARE(w<QLabel>(QStringLiteral("LBL_producto"))->text(), QStringLiteral("Laptop 14\""));
        QCOMPARE(documentos(), QStringList{"2"});
        u_clicBoton(p(), QStringLiteral("BTN_reiniciarProducto"));
        QCOMPARE(w<QLabel>(QStringLiteral("LBL_producto"))->text(), QStringLiteral("Seleccionar... "));
        QCOMPARE(documentos().size(), 3);

        eligeProveedor(QStringLiteral("Aceros"));
        QCOMPARE(documentos(), QStringList{"1"});
        QCOMPARE(uPantalla->gridControl()->getCelda(0, QStringLiteral("emisor_nombre")),
                 QStringLiteral("Aceros del Norte"));
    }

    // A provider also finds the receipts invoiced by its RFC, though they carry no provider link.
    void proveedorTambienPorElRfcDelEmisor() {
        uTienda->n.fila(QStringLiteral("proveedor"),
                        {{QStringLiteral("nombre"), QStringLiteral("Cómputo Global SA")},
                         {QStringLiteral("rfc"), QStringLiteral("CGL010101AB1")}});
        abre();
        eligeProveedor(QStringLiteral("Global"));
        QCOMPARE(documentos(), QStringList{"2"});
        QCOMPARE(uPantalla->gridControl()->getCelda(0, QStringLiteral("emisor_nombre")),
                 QStringLiteral("Cómputo Global"));
    }

    void columnasDeLaLista() {
        abre();
        const TGridControl *g = uPantalla->gridControl();
        // Row 1 is document 2: invoiced, so its provider is the invoice's issuer.
        QCOMPARE(g->getCelda(1, QStringLiteral("comprobante_uuid")),
                 QStringLiteral("AAAA1111-0000-4000-8000-000000000001"));
        QCOMPARE(g->getCelda(1, QStringLiteral("emisor_nombre")), QStringLiteral("Cómputo Global"));
        QCOMPARE(g->getTexto(1, g->indiceColumnaPorCabecera(QStringLiteral("Costo Unitario"))),
                 QStringLiteral("$ 15,999.90"));
        QCOMPARE(g->getTexto(0, g->indiceColumnaPorCabecera(QStringLiteral("Orden Compra"))),
                 QStringLiteral("55"));
        QCOMPARE(g->getTexto(1, g->indiceColumnaPorCabecera(QStringLiteral("Orden Compra"))), QString());
        QCOMPARE(g->getTexto(2, g->indiceColumnaPorCabecera(QStringLiteral("Producción"))),
                 QStringLiteral("10/01/2024"));
        QVERIFY(uPantalla->gridControl()->grid()->isColumnHidden(1));
    }

    void laColumnaEditaAbreElDetalle() {
        abre();
        QString documento;
        uDialogo.alAbrir<TFRM_entradasDetalle>(this, [&documento](TFRM_entradasDetalle *d) {
            documento = d->findChild<QLabel *>(QStringLiteral("LBL_entradaNo"))->text();
            d->grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/entradasDetalle_desdeLista.png"));
            d->reject();
        });
        u_clicCelda(uPantalla->gridControl()->grid(), 1, 0);
        QVERIFY(uDialogo.abierto);
        QCOMPARE(documento, QStringLiteral("2"));
    }

    void botonesDeCaptura() {
        abre();
        QCOMPARE(w<QPushButton>(QStringLiteral("BTN_nuevaEntrada"))->text(),
                 QStringLiteral("Nueva Entrada General"));
        QCOMPARE(w<QPushButton>(QStringLiteral("BTN_nuevaEntradaOrdenCompra"))->text(),
                 QStringLiteral("Nueva Recepción Orden de Compra"));
        u_clicBoton(p(), QStringLiteral("BTN_nuevaEntrada"));
        u_clicBoton(p(), QStringLiteral("BTN_nuevaEntradaOrdenCompra"));
        QCOMPARE(uGuion->guion().textos(),
                 (QStringList{"La captura de entradas generales no está disponible.",
                              "La recepción de órdenes de compra no está disponible."}));
        QCOMPARE(uGuion->guion().mensajes()[0].tipo, int(kInformacion));
        // A capture that saves makes the list search again.
        TFRM_entradas::setCapturaGeneral([this](QWidget *) {
            TentradaPrueba e;
            e.documento = 4;
            uTienda->entrada(e);
            return true;
        });
        u_clicBoton(p(), QStringLiteral("BTN_nuevaEntrada"));
        QCOMPARE(documentos().first(), QStringLiteral("4"));
    }

    void usuarioRestringido() {
        abre(kNivelRestringido);
        for (const char *b : {"BTN_exportarExcel", "BTN_exportarPDF", "BTN_exportarPDFlote",
                              "BTN_nuevaEntrada", "BTN_nuevaEntradaOrdenCompra"})
            QVERIFY2(!w<QPushButton>(QString::fromLatin1(b))->isEnabled(), b);
        QCOMPARE(documentos().size(), 3);
    }

    void exportaciones() {
        abre();
        uPantalla->grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/entradas.png"));
        u_clicBoton(p(), QStringLiteral("BTN_exportarPDF"));
        u_clicBoton(p(), QStringLiteral("BTN_exportarPDFlote"));
        u_clicBoton(p(), QStringLiteral("BTN_exportarExcel"));
        QCOMPARE(uPropuestos, (QStringList{"Entradas.pdf", "Entradas (Lote).pdf", "Entradas.xlsx"}));
        for (const QString &nombre : {QStringLiteral("Entradas"), QStringLiteral("Entradas (Lote)")}) {
            const QString copia =
                TbasePrueba::carpetaSalida() + QLatin1Char('/') + nombre + QStringLiteral(".pdf");
            QFile::remove(copia);
            QFile::copy(uCarpeta->filePath(nombre + QStringLiteral(".pdf")), copia);
        }

        const QString lista = u_textoPDF(uCarpeta->filePath(QStringLiteral("Entradas.pdf")));
        for (const char *t : {"Entradas", "Ferretería La Tuerca", "Del:", "Doc.", "Tornillo 1/4", "Aceros",
                              "Norte", "$ 8.50"}) // the provider wraps at its spaces
            QVERIFY2(lista.contains(QString::fromUtf8(t)), t);
        QVERIFY(!lista.contains(QStringLiteral("LA1-2024"))); // the lot belongs to the lot report
        const QString lotes = u_textoPDF(uCarpeta->filePath(QStringLiteral("Entradas (Lote).pdf")));
        for (const char *t : {"Entradas (Lote)", "LA1-2024", "10/01/2024", "30/06/2025", "Caducidad"})
            QVERIFY2(lotes.contains(QString::fromUtf8(t)), t);
        // Cells are taken by column name: the lot, production and expiry dates sit under their own
        // headers, on the product's line, whatever else the grid shows.
        const QStringList lineasLote = lotes.split(QLatin1Char('\n'));
        const auto lineaLote = std::find_if(lineasLote.cbegin(), lineasLote.cend(), [](const QString &l) {
            return l.contains(QLatin1String("LA1-2024"));
        });
        QVERIFY(lineaLote != lineasLote.cend());
        const QRegularExpression orden(
            QStringLiteral("Tornillo.*\\$ 8\\.50.*LA1-2024.*10/01/2024.*30/06/2025"));
        QVERIFY2(orden.match(*lineaLote).hasMatch(), qPrintable(*lineaLote));
        QVERIFY(!lotes.contains(QStringLiteral("AJENO")));
        // Printed whole: every figure of the list on one line, no header word split.
        const TGridControl &grid = *uPantalla->gridControl();
        const QStringList cifras = u_figuras(grid.getTTabla(
            {"inventarioEntrada_documento", "inventarioEntrada_fechaHora", "inventarioEntrada_cantidad",
             "inventarioEntrada_existencia", "inventarioEntrada_existenciaCostoUnitario"}));
        QVERIFY(cifras.contains(QStringLiteral("$ 15,999.90")));
        QStringList faltas =
            u_faltasImpresion(lista,
                              {"Doc.", "Fecha/Hora", "Almacén", "Producto", "Cantidad", "Existencia",
                               "C.Unitario", "O. Compra", "Comprobante", "Concepto", "Proveedor"},
                              cifras);
        faltas += u_faltasImpresion(lotes,
                                    {"Doc.", "Fecha\\Hora", "Almacén", "Producto", "Cantidad", "Existencia",
                                     "Costo Unitario", "Lote", "Producción", "Caducidad"},
                                    cifras + u_figuras(grid.getTTabla({"inventarioLote_fechaProduccion",
                                                                       "inventarioLote_fechaCaducidad"})));
        QVERIFY2(faltas.isEmpty(), qPrintable(faltas.join(QLatin1Char('\n'))));

        TlectorXlsx libro;
        QVERIFY(libro.abre(uCarpeta->filePath(QStringLiteral("Entradas.xlsx"))));
        QCOMPARE(libro.valor(0, QStringLiteral("A1")), QStringLiteral("Entradas"));
        QCOMPARE(libro.valor(0, QStringLiteral("A4")), QStringLiteral("No"));
        QCOMPARE(libro.valor(0, QStringLiteral("D5")), QStringLiteral("Tornillo 1/4"));
        const TceldaXlsx costo = libro.celda(0, QStringLiteral("G6"));
        QVERIFY(costo.numerica);
        QCOMPARE(costo.valor.toDouble(), 15999.9);

        // An empty list exports nothing: the PDF buttons do nothing at all.
        w<QLineEdit>(QStringLiteral("TXT_documento"))->setText(QStringLiteral("777"));
        u_clicBoton(p(), QStringLiteral("BTN_buscar"));
        u_clicBoton(p(), QStringLiteral("BTN_exportarPDF"));
        u_clicBoton(p(), QStringLiteral("BTN_exportarPDFlote"));
        QCOMPARE(uPropuestos.size(), 3);
        QVERIFY(uGuion->guion().textos().isEmpty());
    }
};

QTEST_MAIN(TpruebaEntradas)
#include "tst_entradas.moc"

// The issue capture driven through its widgets: adding and recombining lines, quantities that are
// not numbers, the minimum-stock alert, samples and purchase returns, deleting a line, changing the
// warehouse, serial numbers, a scanner at the keyboard, a read-only user, a failed posting, and one
// issue posted from the issues list and found there.
#include "apoyo/UconduccionCaptura.h"
#include "apoyo/UfilasPrueba.h"
#include "apoyo/UnegocioPrueba.h"
#include "apoyo/UwidgetsPrueba.h"
#include "comun/ui/UFRM_capturarCodigoBarras.h"
#include "comun/ui/UFRM_seleccionarComprobante.h"
#include "comun/ui/UFRM_seleccionarNoSerie.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/UgridControl.h"
#include "datos/UfallaBaseDatos.h"
#include "datos/UmiddleTier.h"
#include "existencias/U_verificacion.h"
#include "inventario/UpantallasInventario.h"
#include "salidas/UFRM_salidas.h"
#include "salidas/UFRM_salidasAlmacen.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

namespace {
const QString kSobrepasa = QStringLiteral("La cantidad capturada sobrepasa la existencia actual");
const QString kSinCoincidencia = QStringLiteral("No se encontro coincidencia");

} // namespace

// A stationery shop posted through the postings: Matriz holds notebooks in two layers (4 at $2,
// then 8 at $3) and three laptops with serial numbers; Bodega holds 5 notebooks at $2.50.
struct Ttienda {
    Ttienda(TbasePrueba &base, int metodo) : n(base, metodo) {
        matriz = n.almacen(QStringLiteral("Matriz"));
        bodega = n.almacen(QStringLiteral("Bodega"));
        cuaderno = n.productoEnCatalogo(QStringLiteral("Cuaderno"), QStringLiteral("7501001"));
        laptop = n.productoEnCatalogo(QStringLiteral("Laptop"), QStringLiteral("7501002"), 1);
        for (const char *etiqueta : {"Venta", "Muestras", "muestras"})
            n.concepto(2, 1, QString::fromUtf8(etiqueta));
        n.concepto(2, 3, QStringLiteral("devolución de compras"));
        n.concepto(2, -1, QStringLiteral("Salida por traspaso"));
        r1 = n.recibe(QStringLiteral("R1"), matriz, cuaderno, TnegocioPrueba::dia(-3, "09:00:00"), 4, 2.0);
        r2 = n.recibe(QStringLiteral("R2"), matriz, cuaderno, TnegocioPrueba::dia(-2, "09:00:00"), 8, 3.0);
        rl = n.recibe(QStringLiteral("RL"), matriz, laptop, TnegocioPrueba::dia(-2, "10:00:00"), 3, 100.0,
                      {QStringLiteral("L-1"), QStringLiteral("L-2"), QStringLiteral("L-3")});
        n.recibe(QStringLiteral("RB"), bodega, cuaderno, TnegocioPrueba::dia(-2, "09:00:00"), 5, 2.5);
        n.guion().limpia();
    }
    TnegocioPrueba n;
    int matriz = 0, bodega = 0, cuaderno = 0, laptop = 0, r1 = 0, r2 = 0, rl = 0;
};

class TpruebaCapturaSalida : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<Ttienda> uTienda;
    std::unique_ptr<TFRM_salidasAlmacen> uPantalla;
    QWidget *uRaiz = nullptr; // the capture being driven
    TproximoDialogo uDialogo;
    TproximoDialogo uInterno; // a chooser opened from the capture while it runs modally

    TinteraccionGuionada &guion() const { return uTienda->n.guion(); }
    void abre(int nivel = 2) {
        // The invoice chooser reads the module's session.
        localSYS = uBase->sistema(uTienda->n.negocio(), nivel);
        uPantalla = std::make_unique<TFRM_salidasAlmacen>(localSYS);
        uRaiz = uPantalla.get();
        uPantalla->show();
        QVERIFY(QTest::qWaitForWindowExposed(uPantalla.get()));
        QVERIFY(uPantalla->prepara());
    }
    template <typename T = QWidget> T *w(const char *nombre) const {
        return u_hijo<T>(uRaiz, QString::fromLatin1(nombre));
    }
    QString texto(const char *etiqueta) const { return w<QLabel>(etiqueta)->text(); }
    void elige(const char *combo, const QString &opcion) const {
        auto *c = w<QComboBox>(combo);
        c->setCurrentIndex(c->findText(opcion));
    }
    QStringList opciones(const char *combo) const {
        QStringList l;
        for (int i = 0; i < w<QComboBox>(combo)->count(); ++i)
            l << w<QComboBox>(combo)->itemText(i);
        l.sort();
        return l;
    }
    void eligeVentaEnMatriz() const {
        elige("CMB_almacenes", QStringLiteral("Matriz"));
        elige("CMB_concepto", QStringLiteral("Venta"));
    }
    // The code as a scanner types it, into the barcode dialog opened from the keyboard.
    void escanea(const QString &codigo, bool cancela = false) {
        uInterno.alAbrir<TFRM_capturarCodigoBarras>(this, [codigo, cancela](TFRM_capturarCodigoBarras *d) {
            // The dialog opens with the current code selected: the first key replaces it.
            auto *campo = d->findChild<QLineEdit *>(QStringLiteral("TXT_codigoBarras"));
            QTest::keyClick(campo, Qt::Key_Backspace);
            QTest::keyClicks(campo, codigo);
            QTest::keyClick(cancela ? static_cast<QWidget *>(d) : campo,
                            cancela ? Qt::Key_Escape : Qt::Key_Return);
        });
        QTest::keyClick(w("contenedor_codigoBarras"), Qt::Key_Return);
    }
    // A quantity typed and Enter.
    void cantidad(const QString &valor) const {
        auto *campo = w<QLineEdit>("TXT_cantidad");
        campo->clear();
        QTest::keyClicks(campo, valor);
        QTest::keyClick(campo, Qt::Key_Return);
    }
    void agrega(const char *codigo, const QString &q) {
        escanea(QString::fromLatin1(codigo));
        cantidad(q);
    }
    TGridControl *grid() const { return qobject_cast<TFRM_salidasAlmacen *>(uRaiz)->gridControl(); }
    // "Producto cantidad costo" per line, as the grid shows them.
    QStringList lineas() const {
        const TGridControl *g = grid();
        QStringList l;
        for (int f = 0; f < g->filas(); ++f)
            l << QStringLiteral("%1 %2 %3")
                     .arg(g->getCelda(f, QStringLiteral("Producto")),
                          g->getTexto(f, g->indiceColumna(QStringLiteral("Cantidad"))),
                          g->getTexto(f, g->indiceColumna(QStringLiteral("CostoU"))));
        return l;
    }
    void clicFila(int fila, int columna) const { u_clicCelda(grid()->grid(), fila, columna); }
    void guarda(const char *nombre) const {
        QVERIFY(uRaiz->grab().save(TbasePrueba::carpetaSalida() + QLatin1Char('/') +
                                   QString::fromLatin1(nombre)));
    }
    QStringList escrito() const { return uTienda->n.estadoSalidas(); }

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uTienda = std::make_unique<Ttienda>(*uBase, 1);
        QVERIFY(uTienda->rl > 0);
    }
    void cleanup() {
        TmiddleTier::setFallaEnSentencia(0);
        u_fallaCuando({}, 0);
        setCapturaSalida({});
        uPantalla.reset();
        uTienda.reset();
        uBase.reset();
    }

    void alAbrirSoloLoDelNegocio() {
        {
            TnegocioPrueba otro(*uBase, 1, QStringLiteral("Otra Papelería"));
            otro.almacen(QStringLiteral("Ajeno"));
            otro.concepto(2, 1, QStringLiteral("Regalo"));
        }
        abre();
        QCOMPARE(uPantalla->windowTitle(), QStringLiteral("Salida del Almacén"));
        auto *pestanas = w<QTabWidget>("PGC_salida");
        QCOMPARE(pestanas->currentIndex(), 0);
        QCOMPARE(pestanas->tabText(1), QStringLiteral("Comprobante"));
        QCOMPARE(opciones("CMB_almacenes"), (QStringList{"Bodega", "Matriz"}));
        // The transfer concept is the transfers' own.
        QCOMPARE(opciones("CMB_concepto"),
                 (QStringList{"Muestras", "Venta", "devolución de compras", "muestras"}));
        QVERIFY(!w("contenedor_foot")->isEnabled());
        QCOMPARE(texto("LBL_totalSalida"), QStringLiteral("$ 0.00"));
        guarda("salidasAlmacen_vacia.png");
        // A purchase return needs the warehouse first.
        elige("CMB_concepto", QStringLiteral("devolución de compras"));
        QCOMPARE(guion().textos(), QStringList{"Seleccione un almacén"});
        QCOMPARE(w<QComboBox>("CMB_concepto")->currentIndex(), -1);

        elige("CMB_almacenes", QStringLiteral("Matriz"));
        QCOMPARE(texto("LBL_fechaHoraUltimo"),
                 QDate::currentDate().addDays(-2).toString(QStringLiteral("dd/MM/yyyy")) +
                     QStringLiteral(" 10:00:00"));
        QVERIFY(!w("contenedor_foot")->isEnabled());
        elige("CMB_concepto", QStringLiteral("Venta"));
        QVERIFY(w("contenedor_foot")->isEnabled());
    }

    void agregar_data() {
        QTest::addColumn<QString>("segunda");
        QTest::addColumn<QStringList>("esperadas");
        QTest::addColumn<QStringList>("mensajes");
        const QStringList cinco{"Cuaderno 4 $ 2.00", "Cuaderno 1 $ 3.00"};
        QTest::newRow("3 sobre 5 se vuelven a repartir")
            << "3" << QStringList{"Cuaderno 4 $ 2.00", "Cuaderno 4 $ 3.00"} << QStringList();
        QTest::newRow("más que la existencia") << "8" << cinco << QStringList{kSobrepasa};
        // A text that is not a positive number adds nothing and says why.
        const QStringList noNumero{
            QStringLiteral("El valor de Cantidad debe ser un número positivo, sin signos ni letras.")};
        QTest::newRow("no es número") << "abc" << cinco << noNumero;
        QTest::newRow("negativo") << "-3" << cinco << noNumero;
        QTest::newRow("1e308") << "1e308" << cinco << noNumero;
        QTest::newRow("enorme sin exponente") << "999999999999" << cinco << QStringList{kSobrepasa};
        QTest::newRow("más de doce cifras")
            << "9999999999999" << cinco
            << QStringList{QStringLiteral("El valor de Cantidad es demasiado grande.")};
        QTest::newRow("cero") << "0" << cinco
                              << QStringList{QStringLiteral("El valor de Cantidad debe ser mayor a 0.")};
        QTest::newRow("vacío") << "" << cinco
                               << QStringList{QStringLiteral("Capture un valor para Cantidad.")};
        QTest::newRow("comillas") << "' OR 1=1 --" << cinco << noNumero;
    }
    void agregar() {
        QFETCH(QString, segunda);
        QFETCH(QStringList, esperadas);
        QFETCH(QStringList, mensajes);
        abre();
        eligeVentaEnMatriz();
        agrega("7501001", QStringLiteral("5"));
        QCOMPARE(texto("LBL_totalSalida"), QStringLiteral("$ 11.00"));
        // Pasted text skips the key filter, and "Agregar" reads whatever the field holds.
        escanea(QStringLiteral("7501001"));
        w<QLineEdit>("TXT_cantidad")->setText(segunda);
        u_clicBoton(uRaiz, QStringLiteral("BTN_agregar"));
        QCOMPARE(lineas(), esperadas);
        QCOMPARE(guion().textos(), mensajes);
        QCOMPARE(escrito().first(), QStringLiteral("0"));
    }

    void escanerSinRaton() {
        abre();
        eligeVentaEnMatriz();
        escanea(QStringLiteral("7501001"));
        QVERIFY(uInterno.abierto && !uInterno.quedoAbierto);
        QCOMPARE(texto("LBL_producto"), QStringLiteral("Cuaderno"));
        QCOMPARE(texto("LBL_existencia"), QStringLiteral("12"));
        QCOMPARE(texto("LBL_unidadMedida"), QStringLiteral("Pieza"));
        QCOMPARE(uRaiz->focusWidget(), w("TXT_cantidad"));
        // The filter lets only a number be typed; Enter adds the line.
        QTest::keyClicks(w("TXT_cantidad"), QStringLiteral("-2x"));
        QCOMPARE(w<QLineEdit>("TXT_cantidad")->text(), QStringLiteral("2"));
        QTest::keyClick(w("TXT_cantidad"), Qt::Key_Return);
        QCOMPARE(lineas(), QStringList{"Cuaderno 2 $ 2.00"});
        QCOMPARE(texto("LBL_producto"), QString());
        QCOMPARE(uRaiz->focusWidget(), w("contenedor_codigoBarras"));
    }

    void codigoSinCoincidencia_data() {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<bool>("cancela");
        QTest::newRow("comillas") << "' OR '1'='1" << false;
        QTest::newRow("cerrado sin código") << "" << true;
    }
    void codigoSinCoincidencia() {
        QFETCH(QString, codigo);
        QFETCH(bool, cancela);
        abre();
        eligeVentaEnMatriz();
        escanea(QStringLiteral("7501002"));
        QCOMPARE(texto("LBL_producto"), QStringLiteral("Laptop"));
        escanea(codigo, cancela);
        QCOMPARE(guion().textos(), QStringList{kSinCoincidencia});
        QCOMPARE(texto("LBL_producto"), QString());
        QCOMPARE(texto("LBL_codigoBarras"), QString());
    }

    void alertaStockMinimo_data() {
        QTest::addColumn<bool>("acepta");
        QTest::addColumn<QStringList>("esperadas");
        QTest::newRow("acepta") << true << QStringList{"Cuaderno 4 $ 2.00", "Cuaderno 1 $ 3.00"};
        QTest::newRow("rechaza") << false << QStringList{"Cuaderno 2 $ 2.00"};
    }
    void alertaStockMinimo() {
        QFETCH(bool, acepta);
        QFETCH(QStringList, esperadas);
        uTienda->n.fila(QStringLiteral("inventarioStock"), {{"inventarioAlmacen_id", uTienda->matriz},
                                                            {"inventarioProducto_id", uTienda->cuaderno},
                                                            {"minimo", 10.0}});
        abre();
        eligeVentaEnMatriz();
        agrega("7501001", QStringLiteral("2")); // leaves 10: no question
        QVERIFY(guion().preguntas().isEmpty());
        guion().respuestas({acepta});
        agrega("7501001", QStringLiteral("3"));
        QCOMPARE(guion().preguntas(),
                 QStringList{u_textoAlertaStock({false, QStringLiteral("Matriz"), QStringLiteral("Cuaderno"),
                                                 QStringLiteral("5"), QStringLiteral("10")})});
        QCOMPARE(lineas(), esperadas);
    }

    void muestrasSinComprobante_data() {
        QTest::addColumn<QString>("concepto");
        QTest::newRow("Muestras") << "Muestras";
        QTest::newRow("muestras") << "muestras";
    }
    void muestrasSinComprobante() {
        QFETCH(QString, concepto);
        const int receptor = uTienda->n.fila(QStringLiteral("Receptor"),
                                             {{"nombre", "Cliente Uno"}, {"rfc", "XAXX010101000"}});
        uTienda->n.fila(QStringLiteral("Comprobante"),
                        {{"uuid", "AAAA0000-0000-4000-8000-000000000015"},
                         {"serie", "A"},
                         {"folio", "15"},
                         {"fecha", QVariant(QDateTime(QDate::currentDate(), QTime(0, 0, 1)))},
                         {"tipo", 0},
                         {"total", 116.0},
                         {"receptor", receptor}});
        abre();
        eligeVentaEnMatriz();
        uInterno.alAbrir<TFRM_seleccionarComprobante>(this, [](TFRM_seleccionarComprobante *d) {
            d->findChild<QTableWidget *>(QStringLiteral("GRD_comprobantes"))->selectRow(0);
            u_clicBoton(d, QStringLiteral("BTN_aceptar"));
        });
        QTest::mouseClick(w("contenedor_comprobante"), Qt::LeftButton);
        QVERIFY(!uInterno.quedoAbierto);
        QCOMPARE(texto("LBL_comprobante"), QStringLiteral("A 15"));
        QCOMPARE(texto("LBL_emisor"), QStringLiteral("Cliente Uno"));
        QVERIFY(uPantalla->captura().hayComprobante());

        auto *pestanas = w<QTabWidget>("PGC_salida");
        elige("CMB_concepto", concepto);
        QVERIFY(!pestanas->isTabEnabled(1));
        QCOMPARE(texto("LBL_comprobante"), QString());
        QVERIFY(!uPantalla->captura().hayComprobante());
        elige("CMB_concepto", QStringLiteral("Venta"));
        QVERIFY(pestanas->isTabEnabled(1));
        QCOMPARE(texto("LBL_comprobante"), QString());
    }

    void devolucionDeCompra_data() {
        QTest::addColumn<bool>("acepta");
        QTest::addColumn<QString>("devuelta");
        QTest::addColumn<QStringList>("esperadas");
        QTest::addColumn<QStringList>("mensajes");
        QTest::newRow("Cancelar conserva las líneas")
            << false << "" << QStringList{"Cuaderno 4 $ 2.00", "Cuaderno 1 $ 3.00"} << QStringList();
        QTest::newRow("más de lo que queda de la entrada")
            << true << "9" << QStringList() << QStringList{"La cantidad debe ser igual o menor a 8"};
        QTest::newRow("dentro de lo que queda")
            << true << "3" << QStringList{"Cuaderno 3 $ 3.00"} << QStringList();
    }
    void devolucionDeCompra() {
        QFETCH(bool, acepta);
        QFETCH(QString, devuelta);
        QFETCH(QStringList, esperadas);
        QFETCH(QStringList, mensajes);
        abre();
        eligeVentaEnMatriz();
        agrega("7501001", QStringLiteral("5"));
        guion().respuestas({acepta});
        // The chooser lists Matriz's receipts that hold stock: R2 has 8 left.
        u_alAbrirDevolucion(uInterno, this, QStringLiteral("8"));
        elige("CMB_concepto", QStringLiteral("devolución de compras"));
        QCOMPARE(
            guion().preguntas(),
            QStringList{"Se eliminarán los productos capturados, unicamente es posible agregar un producto "
                        "para este concepto.\n\r¿Desea continuar?"});
        QCOMPARE(uInterno.abierto, acepta);
        if (!acepta) {
            QCOMPARE(w<QComboBox>("CMB_concepto")->currentIndex(), -1);
            QVERIFY(!w("contenedor_foot")->isEnabled());
            QCOMPARE(lineas(), esperadas);
            return;
        }
        QVERIFY(!uInterno.quedoAbierto);
        QCOMPARE(texto("LBL_producto"), QStringLiteral("Cuaderno"));
        QCOMPARE(w<QLineEdit>("TXT_cantidad")->text(), QStringLiteral("8"));
        QVERIFY(!w("CMB_concepto")->isEnabled());
        QVERIFY(!w("contenedor_producto")->isEnabled());
        cantidad(devuelta);
        QCOMPARE(lineas(), esperadas);
        QCOMPARE(guion().textos(), mensajes);
        // The document holds that one line: the product area closes after it.
        QCOMPARE(w("contenedor_foot")->isEnabled(), esperadas.isEmpty());
        if (esperadas.isEmpty())
            return;
        guion().respuestas({true, true}); // no invoice, then the final confirmation
        u_clicBoton(uRaiz, QStringLiteral("BTN_aceptar"));
        QVERIFY(uPantalla->uAceptar);
        QCOMPARE(uTienda->n.existenciaCapa(uTienda->r2), 5.0);
        QCOMPARE(uTienda->n.existencia(uTienda->matriz, uTienda->cuaderno), 9.0);
    }

    void eliminarLaUnicaLinea() {
        abre();
        eligeVentaEnMatriz();
        agrega("7501001", QStringLiteral("3"));
        clicFila(0, 2);
        QCOMPARE(uPantalla->filaSeleccionada(), 0);
        QCOMPARE(texto("LBL_noSerieCaptura"), QStringLiteral("No esta controlado"));
        clicFila(0, 0);
        QCOMPARE(grid()->filas(), 0);
        QCOMPARE(uPantalla->filaSeleccionada(), -1);
        QCOMPARE(texto("LBL_noSerieCaptura"), QString());
        QCOMPARE(texto("LBL_totalSalida"), QStringLiteral("$ 0.00"));
    }

    void numerosDeSerie() {
        abre();
        eligeVentaEnMatriz();
        agrega("7501002", QStringLiteral("2"));
        agrega("7501001", QStringLiteral("1"));
        clicFila(0, 2);
        QCOMPARE(texto("LBL_noSerieCaptura"), QStringLiteral("capturados 0 de 2"));
        uInterno.alAbrir<TFRM_seleccionarNoSerie>(this, [](TFRM_seleccionarNoSerie *d) {
            u_clicBoton(d, QStringLiteral("BTN_todos"));
            u_clicBoton(d, QStringLiteral("BTN_aceptar"));
        });
        u_clicBoton(uRaiz, QStringLiteral("BTN_verNoSerie"));
        QVERIFY(uInterno.abierto && !uInterno.quedoAbierto);
        QCOMPARE(texto("LBL_noSerieCaptura"), QStringLiteral("capturados 2 de 2"));
        clicFila(1, 2);
        QCOMPARE(texto("LBL_noSerieCaptura"), QStringLiteral("No esta controlado"));
        u_clicBoton(uRaiz, QStringLiteral("BTN_verNoSerie"));
        QCOMPARE(guion().textos(), QStringList{"El producto no esta controlado por números de serie"});
    }

    void cambioDeAlmacen_data() {
        QTest::addColumn<bool>("acepta");
        QTest::addColumn<QString>("almacen");
        QTest::addColumn<QStringList>("esperadas");
        QTest::newRow("Cancelar conserva almacén y líneas")
            << false << "Matriz" << QStringList{"Cuaderno 4 $ 2.00", "Cuaderno 1 $ 3.00"};
        // The notebook then comes from Bodega's own layer.
        QTest::newRow("Aceptar vacía las líneas") << true << "Bodega" << QStringList{"Cuaderno 2 $ 2.50"};
    }
    void cambioDeAlmacen() {
        QFETCH(bool, acepta);
        QFETCH(QString, almacen);
        QFETCH(QStringList, esperadas);
        abre();
        eligeVentaEnMatriz();
        agrega("7501001", QStringLiteral("5"));
        guion().respuestas({acepta});
        elige("CMB_almacenes", QStringLiteral("Bodega"));
        QCOMPARE(guion().preguntas().size(), 1);
        QCOMPARE(w<QComboBox>("CMB_almacenes")->currentText(), almacen);
        if (acepta) {
            QCOMPARE(grid()->filas(), 0);
            agrega("7501001", QStringLiteral("2"));
        }
        QCOMPARE(lineas(), esperadas);
    }

    void usuarioDeSoloLectura() {
        localSYS = uBase->sistema(uTienda->n.negocio(), kNivelRestringido);
        TFRM_salidas lista;
        QVERIFY(lista.init());
        QVERIFY(!u_hijo<QPushButton>(&lista, QStringLiteral("BTN_salida"))->isEnabled());
        abre(kNivelRestringido);
        eligeVentaEnMatriz();
        agrega("7501001", QStringLiteral("2"));
        QVERIFY(!w<QPushButton>("BTN_aceptar")->isEnabled());
        guion().respuestas({true, true});
        u_clicBoton(uRaiz, QStringLiteral("BTN_aceptar"));
        QVERIFY(guion().preguntas().isEmpty());
        QCOMPARE(escrito().first(), QStringLiteral("0"));
    }

    // A statement failing anywhere leaves nothing and keeps the screen's lines; a technical failure
    // at the lock, the first write or the commit is told in a few words.
    void fallaAlGuardarNoDejaNada_data() {
        QTest::addColumn<int>("sentencia");
        QTest::addColumn<QString>("punto");
        for (const int n : {3, 11})
            QTest::addRow("falla la sentencia %d", n) << n << QString();
        QTest::newRow("bloqueo") << 0 << QStringLiteral("bloqueo");
        QTest::newRow("primera escritura") << 0 << QStringLiteral("escritura");
        QTest::newRow("confirmación") << 0 << QStringLiteral("COMMIT");
    }
    void fallaAlGuardarNoDejaNada() {
        QFETCH(int, sentencia);
        QFETCH(QString, punto);
        abre();
        eligeVentaEnMatriz();
        agrega("7501001", QStringLiteral("5"));
        const QStringList antes = escrito();
        guion().limpia();
        guion().respuestas({true, true});
        TmiddleTier::setFallaEnSentencia(sentencia);
        if (!punto.isEmpty())
            u_fallaCuando(u_sentenciaDelPunto(punto), 0);
        u_clicBoton(uRaiz, QStringLiteral("BTN_aceptar"));
        TmiddleTier::setFallaEnSentencia(0);
        u_fallaCuando({}, 0);
        QVERIFY(!uPantalla->uAceptar);
        QCOMPARE(escrito(), antes);
        QCOMPARE(lineas(), (QStringList{"Cuaderno 4 $ 2.00", "Cuaderno 1 $ 3.00"}));
        if (!punto.isEmpty())
            QCOMPARE(guion().textos(),
                     QStringList{QStringLiteral("No se guardó nada: la base de datos rechazó la "
                                                "operación. Lo capturado se conserva; intente "
                                                "guardar de nuevo.")});
        // The same capture saves once the fault is gone.
        guion().respuestas({true, true});
        u_clicBoton(uRaiz, QStringLiteral("BTN_aceptar"));
        QVERIFY(uPantalla->uAceptar);
    }

    // From the issues list's "Nueva Salida" to the stored rows and back to the list.
    void salidaDeExtremoAExtremo_data() {
        QTest::addColumn<int>("metodo");
        QTest::newRow("PEPS") << 1;
        QTest::newRow("Promedio Ponderado") << 2;
    }
    void salidaDeExtremoAExtremo() {
        QFETCH(int, metodo);
        uTienda.reset();
        uBase.reset();
        uBase = std::make_unique<TbasePrueba>();
        QVERIFY(uBase->creaEsquema());
        uTienda = std::make_unique<Ttienda>(*uBase, metodo);
        const QStringList antes = escrito();
        localSYS = uBase->sistema(uTienda->n.negocio());
        std::unique_ptr<QWidget> lista(fabricaPantalla(Tpantalla::Salidas)());
        lista->show();
        QVERIFY(dynamic_cast<IPantallaInventario *>(lista.get())->init());

        QStringList vistas;
        uDialogo.alAbrir<TFRM_salidasAlmacen>(this, [&](TFRM_salidasAlmacen *captura) {
            uRaiz = captura;
            eligeVentaEnMatriz();
            agrega("7501001", QStringLiteral("5"));
            agrega("7501002", QStringLiteral("2"));
            clicFila(2, 2);
            uInterno.alAbrir<TFRM_seleccionarNoSerie>(this, [](TFRM_seleccionarNoSerie *d) {
                u_clicBoton(d, QStringLiteral("BTN_todos"));
                u_clicBoton(d, QStringLiteral("BTN_aceptar"));
            });
            u_clicBoton(captura, QStringLiteral("BTN_verNoSerie"));
            vistas = lineas();
            guarda(metodo == 1 ? "salidasAlmacen_lineas.png" : "salidasAlmacen_lineasPromedio.png");
            guion().respuestas({true, true}); // no invoice, then the final confirmation
            u_clicBoton(captura, QStringLiteral("BTN_aceptar"));
        });
        u_clicBoton(lista.get(), QStringLiteral("BTN_salida"));
        QVERIFY(uDialogo.abierto && !uDialogo.quedoAbierto);
        QCOMPARE(vistas.size(), 3);
        QVERIFY2(guion().textos().isEmpty(), qPrintable(guion().textos().join(QLatin1Char('|'))));

        Ttienda &t = *uTienda;
        TmiddleTier filas(uBase->sesion());
        filas.setQuery(
            QStringLiteral("SELECT s.inventarioEntrada_id, s.cantidad, s.documento FROM inventarioSalida "
                           "s JOIN inventarioEntrada e ON e.id = s.inventarioEntrada_id WHERE "
                           "e.idNegocioFk = :negocio ORDER BY s.id"));
        filas.setParametroEntero(QStringLiteral("negocio"), t.n.negocio());
        const CmidTierResponse r = filas.reader();
        QStringList salidas;
        for (int f = 0; f < r.getRowCount(); ++f)
            salidas << QStringLiteral("%1 %2 %3")
                           .arg(r.getCeldaAsInt(f, 0) == t.r1   ? "R1"
                                : r.getCeldaAsInt(f, 0) == t.r2 ? "R2"
                                                                : "RL")
                           .arg(FloatToStr(r.getCeldaAsFloat(f, 1)))
                           .arg(r.getCeldaAsInt(f, 2));
        QCOMPARE(salidas, (QStringList{"R1 4 1", "R2 1 1", "RL 2 1"}));
        QCOMPARE(t.n.existenciaCapa(t.r1), 0.0);
        QCOMPARE(t.n.existenciaCapa(t.r2), 7.0);
        QCOMPARE(t.n.existencia(t.matriz, t.cuaderno), 7.0);
        QCOMPARE(t.n.existencia(t.matriz, t.laptop), 1.0);
        QCOMPARE(
            t.n.cuenta(QStringLiteral(
                "SELECT COUNT(*) FROM inventarioNoSerie n JOIN inventarioEntrada e ON e.id = "
                "n.inventarioEntrada_id WHERE e.idNegocioFk = :negocio AND n.inventarioNoSerieEstado_id = 2 "
                "AND n.inventarioSalida_id IS NOT NULL")),
            qint64(2));
        const QStringList despues = escrito();
        QVERIFY(despues[1].toInt() > antes[1].toInt());     // ledger rows written
        QCOMPARE(despues[5].toInt(), antes[5].toInt() + 1); // one journal entry
        bool ok = false;
        QCOMPARE(u_verificaInventario(uBase->sesion(), ok), QStringList());
        QVERIFY(ok);

        // The list searched again: today's rows of document 1.
        const TGridControl *g = static_cast<TFRM_salidas *>(lista.get())->gridControl();
        QStringList documentos;
        for (int f = 0; f < g->filas(); ++f)
            documentos << g->getCelda(f, QStringLiteral("inventarioSalida_documento"));
        QCOMPARE(documentos, (QStringList{"1", "1", "1"}));
    }
};

QTEST_MAIN(TpruebaCapturaSalida)
#include "tst_capturaSalida.moc"

// The receipt capture screen driven through its widgets: line arithmetic, bad input, serial-number
// painting, returns of an issue, the maximum-stock question, barcodes, and whole receipts saved
// and listed.
#include "apoyo/UconduccionCaptura.h"
#include "apoyo/UnegocioPrueba.h"
#include "apoyo/UwidgetsPrueba.h"
#include "comun/ui/UFRM_capturarCodigoBarras.h"
#include "comun/ui/UFRM_editar.h"
#include "comun/ui/UFRM_seleccionarComprobante.h"
#include "comun/ui/UFRM_seleccionarMovimiento.h"
#include "comun/ui/UFRM_seleccionarProveedor.h"
#include "comun/ui/UFRM_seleccionarUnidadMedida.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/UgridControl.h"
#include "datos/UmiddleTier.h"
#include "entradas/UFRM_entradaInventario.h"
#include "entradas/UFRM_entradas.h"
#include "entradas/UFRM_lote.h"
#include "entradas/UFRM_pedimento.h"
#include "inventario/UpantallasInventario.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

namespace {
const QColor kRojo = QColor::fromRgba(0xFFFADEE2);
const QColor kVerde = QColor::fromRgba(0xFFE1F7E4);
} // namespace

class TpruebaCapturaEntrada : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<TnegocioPrueba> uNegocio;
    std::unique_ptr<TFRM_entradaInventario> uPantalla;
    TproximoDialogo uDialogo;
    int uMatriz = 0, uCompra = 0, uDevolucion = 0;
    int uPieza = 0, uDocena = 0, uLitro = 0;
    int uTornillo = 0, uTaladro = 0;

    template <typename T = QWidget> T *w(const QString &nombre) const {
        return u_hijo<T>(uPantalla.get(), nombre);
    }
    TinteraccionGuionada &guion() const { return uNegocio->guion(); }
    TGridControl *grid() const { return uPantalla->gridControl(); }

    int unidad(const QString &nombre, int conjunto, double razon) {
        return uNegocio->fila(QStringLiteral("inventarioUnidadesMedida"),
                              {{QStringLiteral("descripcion"), nombre},
                               {QStringLiteral("conjunto"), conjunto},
                               {QStringLiteral("razon"), razon}});
    }
    int producto(const QString &nombre, const QString &codigo, int serie = 0, int estatus = 1) {
        return uNegocio->fila(QStringLiteral("inventarioProducto"),
                              {{QStringLiteral("nombre"), nombre},
                               {QStringLiteral("codigoBarras"), codigo},
                               {QStringLiteral("unidadesMedida_id"), uPieza},
                               {QStringLiteral("opControladoNoSerie"), serie},
                               {QStringLiteral("estatus"), estatus}});
    }

    void abre() {
        localSYS = uBase->sistema(uNegocio->negocio());
        uPantalla = std::make_unique<TFRM_entradaInventario>(localSYS);
        uPantalla->prepara();
        uPantalla->show();
    }
    void elige(const QString &combo, const QString &texto) {
        auto *c = w<QComboBox>(combo);
        c->setCurrentIndex(c->findText(texto));
        QVERIFY(c->currentIndex() >= 0);
    }
    void encabezado(const QString &concepto = QStringLiteral("Compra")) {
        elige(QStringLiteral("CMB_almacenes"), QStringLiteral("Matriz"));
        elige(QStringLiteral("CMB_concepto"), concepto);
    }
    REC_unidadMedidacomunicacion unidadRec(int id, int conjunto, double razon) const {
        return {true, id, QStringLiteral("U%1").arg(id), conjunto, razon};
    }
    // Footer typed and "Agregar Producto" pressed.
    void agrega(int idProducto, const QString &cantidad, const QString &factor, const QString &costo) {
        uPantalla->tomaProducto(uPantalla->capturaActual().productoPorId(idProducto));
        uPantalla->tomaUnidadRecibida(unidadRec(uPieza, 1, 1));
        w<QLineEdit>(QStringLiteral("TXT_cantidad"))->setText(cantidad);
        w<QLineEdit>(QStringLiteral("TXT_factorConversion"))->setText(factor);
        w<QLineEdit>(QStringLiteral("TXT_costoUnitario"))->setText(costo);
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_agregar"));
    }
    QStringList celdas(int fila) const {
        QStringList r;
        for (const char *alias : {"Producto", "Cantidad", "Costo U.", "Total"})
            r << grid()->getCelda(fila, QString::fromLatin1(alias));
        return r;
    }
    // Accepts the serial-number dialog of the selected line after typing the numbers.
    void capturaSeries(int fila, const QStringList &numeros) {
        QVERIFY(u_capturaSeries(uPantalla.get(), fila, numeros));
    }
    qint64 cuenta(const QString &sentencia) const { return uNegocio->cuenta(sentencia); }

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uNegocio = std::make_unique<TnegocioPrueba>(*uBase, 1, QStringLiteral("Ferretería El Clavo"));
        uMatriz = uNegocio->almacen(QStringLiteral("Matriz"));
        uCompra = uNegocio->concepto(1, 1, QStringLiteral("Compra"));
        uDevolucion = uNegocio->concepto(1, 2, QStringLiteral("Devolución de venta"));
        uNegocio->concepto(1, -3, QStringLiteral("Entrada por orden de compra"));
        uNegocio->concepto(1, 1, QStringLiteral("ajustes"));
        uNegocio->concepto(1, 1, QStringLiteral("entrada de fabricación"));
        uPieza = unidad(QStringLiteral("Pieza"), 1, 1);
        uDocena = unidad(QStringLiteral("Docena"), 1, 12);
        uLitro = unidad(QStringLiteral("Litro"), 2, 1);
        uTornillo = producto(QStringLiteral("Tornillo 1/4"), QStringLiteral("7501001"));
        uTaladro = producto(QStringLiteral("Taladro"), QStringLiteral("7501002"), 1);
        guion().limpia();
    }
    void cleanup() {
        uPantalla.reset();
        TmiddleTier::setFallaEnSentencia(0);
        TFRM_entradas::setCapturaGeneral({});
        localSYS = TsistemaDatos();
        uNegocio.reset();
        uBase.reset();
    }

    void combosSoloConConceptosCapturables() {
        abre();
        auto *conceptos = w<QComboBox>(QStringLiteral("CMB_concepto"));
        QCOMPARE(conceptos->count(), 4); // the purchase-order concept has its own screen
        QCOMPARE(conceptos->currentIndex(), -1);
        QVERIFY(!w(QStringLiteral("contenedor_foot"))->isEnabled());
        encabezado();
        QVERIFY(w(QStringLiteral("contenedor_foot"))->isEnabled());
        QVERIFY(uPantalla->grab().save(TbasePrueba::carpetaSalida() +
                                       QStringLiteral("/captura_entrada_vacia.png")));
    }

    void factorPorUnidad_data() {
        QTest::addColumn<int>("conjunto");
        QTest::addColumn<double>("razon");
        QTest::addColumn<QString>("factor");
        QTest::newRow("docena a pieza") << 1 << 12.0 << "12";
        QTest::newRow("otro conjunto: el factor tecleado") << 2 << 1.0 << "3";
    }
    void factorPorUnidad() {
        QFETCH(int, conjunto);
        QFETCH(double, razon);
        abre();
        encabezado();
        uPantalla->tomaProducto(uPantalla->capturaActual().productoPorId(uTornillo));
        w<QLineEdit>(QStringLiteral("TXT_factorConversion"))->setText(QStringLiteral("3"));
        uPantalla->tomaUnidadRecibida(unidadRec(uDocena, conjunto, razon));
        QTEST(w<QLineEdit>(QStringLiteral("TXT_factorConversion"))->text(), "factor");
    }

    void renglonCalculado_data() {
        QTest::addColumn<QString>("cantidad");
        QTest::addColumn<QString>("factor");
        QTest::addColumn<QString>("costo");
        QTest::addColumn<QStringList>("esperado");
        QTest::addColumn<QString>("costoMostrado");
        QTest::newRow("factor 12") << "2"
                                   << "12"
                                   << "120" << QStringList{"Tornillo 1/4", "24", "10", "240"} << "$ 10.00";
        QTest::newRow("factor vacío cuenta 1")
            << "5"
            << ""
            << "7.5" << QStringList{"Tornillo 1/4", "5", "7.5", "37.5"} << "$ 7.50";
        QTest::newRow("factor fraccionario")
            << "4"
            << "0.5"
            << "3" << QStringList{"Tornillo 1/4", "2", "6", "12"} << "$ 6.00";
        QTest::newRow("costo cero") << "1"
                                    << "1"
                                    << "0" << QStringList{"Tornillo 1/4", "1", "0", "0"} << "$ 0.00";
    }
    void renglonCalculado() {
        QFETCH(QString, cantidad);
        QFETCH(QString, factor);
        QFETCH(QString, costo);
        abre();
        encabezado();
        agrega(uTornillo, cantidad, factor, costo);
        QCOMPARE(guion().textos(), QStringList());
        QCOMPARE(grid()->filas(), 1);
        QTEST(celdas(0), "esperado");
        QTEST(grid()->getTexto(0, grid()->indiceColumna(QStringLiteral("Costo U."))), "costoMostrado");
        // The footer is ready for the next product.
        QCOMPARE(w<QLabel>(QStringLiteral("LBL_producto"))->text(), QStringLiteral("Haga clic aquí"));
        QCOMPARE(w<QLineEdit>(QStringLiteral("TXT_factorConversion"))->text(), QStringLiteral("1.0000"));
    }

    // Whatever is typed wrong, the line is refused with a message and the lines already captured
    // stay as they were; nothing reaches the database.
    void entradaInvalida_data() {
        QTest::addColumn<QString>("cantidad");
        QTest::addColumn<QString>("factor");
        QTest::addColumn<QString>("costo");
        QTest::addColumn<QString>("mensaje");
        const QString sinSignos =
            QStringLiteral("El valor de %1 debe ser un número positivo, sin signos ni letras.");
        const auto caso = [](const char *nombre, const char *cantidad, const char *factor, const char *costo,
                             const QString &mensaje) {
            QTest::newRow(nombre) << QString::fromUtf8(cantidad) << QString::fromUtf8(factor)
                                  << QString::fromUtf8(costo) << mensaje;
        };
        const QString grande = QStringLiteral("El valor de %1 es demasiado grande.");
        const QString cero = QStringLiteral("Cantidad recibida debe ser mayor a 0");
        caso("cantidad con letras", "abc", "1", "5", sinSignos.arg("Cantidad"));
        caso("cantidad negativa", "-3", "1", "5", sinSignos.arg("Cantidad"));
        caso("cantidad 1e308", "1e308", "1", "5", sinSignos.arg("Cantidad"));
        caso("cantidad de 13 cifras", "9999999999999", "1", "5", grande.arg("Cantidad"));
        caso("cantidad cero", "0", "1", "5", cero);
        caso("factor cero", "2", "0", "5",
             QStringLiteral("El valor de Factor de Conversión debe ser mayor a 0."));
        caso("factor con comilla", "2", "1'", "5", sinSignos.arg("Factor de Conversión"));
        caso("registrada desbordada", "999999999999", "12", "5", grande.arg("Cantidad Registrada"));
        caso("costo 1e308", "2", "1", "1e308", sinSignos.arg("Costo Unitario"));
        caso("costo negativo", "2", "1", "-5", sinSignos.arg("Costo Unitario"));
        caso("total desbordado", "999999999999", "1", "999999",
             QStringLiteral("El total del artículo es demasiado grande."));
    }
    void entradaInvalida() {
        QFETCH(QString, cantidad);
        QFETCH(QString, factor);
        QFETCH(QString, costo);
        abre();
        encabezado();
        agrega(uTornillo, QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("4"));
        const QStringList antes = celdas(0);
        guion().limpia();
        agrega(uTaladro, cantidad, factor, costo);
        QTEST(guion().textos().value(0), "mensaje");
        QCOMPARE(grid()->filas(), 1);
        QCOMPARE(uPantalla->capturaActual().renglones().size(), 1);
        QCOMPARE(celdas(0), antes);
        // The product stays chosen so the user can correct the number.
        QCOMPARE(w<QLabel>(QStringLiteral("LBL_producto"))->text(), QStringLiteral("Taladro"));
        QCOMPARE(
            cuenta(QStringLiteral("SELECT COUNT(*) FROM inventarioEntrada WHERE idNegocioFk = :negocio")), 0);
        // Saving now posts the good line alone.
        guion().respuestas({true, true});
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_aceptar"));
        QVERIFY(uPantalla->uAceptar);
        QCOMPARE(
            cuenta(QStringLiteral("SELECT COUNT(*) FROM inventarioEntrada WHERE idNegocioFk = :negocio AND "
                                  "cantidad = 3 AND costoUnitario = 4")),
            1);
        QCOMPARE(uNegocio->existencia(uMatriz, uTaladro), -1.0);
    }

    // An empty quantity is asked for in the numeric editor; declining adds nothing and says nothing.
    void cantidadVaciaSePide_data() {
        QTest::addColumn<QString>("tecleado"); // empty: the editor is cancelled
        QTest::addColumn<QStringList>("linea");
        QTest::newRow("acepta") << "2" << QStringList{"Tornillo 1/4", "2", "5", "10"};
        QTest::newRow("cancela") << "" << QStringList{};
    }
    void cantidadVaciaSePide() {
        QFETCH(QString, tecleado);
        QFETCH(QStringList, linea);
        abre();
        encabezado();
        QString titulo;
        uDialogo.alAbrir<TFRM_editar>(uPantalla.get(), [&](TFRM_editar *d) {
            titulo = d->findChild<QLabel *>(QStringLiteral("LBL_titulo"))->text();
            if (tecleado.isEmpty())
                return;
            auto *valor = d->findChild<QLineEdit *>(QStringLiteral("TXT_valor"));
            valor->setText(tecleado);
            QTest::keyClick(valor, Qt::Key_Return);
        });
        agrega(uTornillo, QString(), QStringLiteral("1"), QStringLiteral("5"));
        QVERIFY(uDialogo.abierto);
        QCOMPARE(titulo, QStringLiteral("Cantidad"));
        QCOMPARE(guion().textos(), QStringList{});
        QCOMPARE(grid()->filas(), linea.isEmpty() ? 0 : 1);
        if (!linea.isEmpty())
            QCOMPARE(celdas(0), linea);
    }

    void sinUnidadRecibida() {
        abre();
        encabezado();
        uPantalla->tomaProducto(uPantalla->capturaActual().productoPorId(uTornillo));
        w<QLineEdit>(QStringLiteral("TXT_cantidad"))->setText(QStringLiteral("2"));
        w<QLineEdit>(QStringLiteral("TXT_costoUnitario"))->setText(QStringLiteral("2"));
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_agregar"));
        QCOMPARE(guion().textos(), QStringList{QStringLiteral("Seleccione unidad de medida recibido.")});
        QCOMPARE(grid()->filas(), 0);
    }

    void pinturaSeries_data() {
        QTest::addColumn<int>("series");
        QTest::addColumn<QColor>("color");
        QTest::newRow("sin números") << 0 << kRojo;
        QTest::newRow("2 de 3") << 2 << kRojo;
        QTest::newRow("3 de 3") << 3 << kVerde;
    }
    void pinturaSeries() {
        QFETCH(int, series);
        QFETCH(QColor, color);
        abre();
        encabezado();
        agrega(uTornillo, QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("4"));
        agrega(uTaladro, QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("900"));
        QStringList numeros;
        for (int i = 1; i <= series; ++i)
            numeros << QStringLiteral("TAL-%1").arg(i);
        if (series > 0)
            capturaSeries(1, numeros);
        QCOMPARE(uPantalla->colorFila(0), QColor());
        QCOMPARE(uPantalla->colorFila(1), color);
        auto *vista = w<QTableView>(QStringLiteral("GRD_main"));
        vista->clearSelection();
        vista->setCurrentIndex({});
        const QRect celda = vista->visualRect(vista->model()->index(1, 3));
        const QImage imagen = vista->viewport()->grab().toImage();
        QCOMPARE(imagen.pixelColor(celda.right() - 2, celda.center().y()), color);
        QCOMPARE(w<QLabel>(QStringLiteral("LBL_noSerie"))->text(),
                 series > 0 ? QStringLiteral("Con Datos Capturados") : QString());
    }

    // A return of an issue takes the product from the issue and holds one line; deleting it lets
    // another be taken.
    void devolucionUnaLinea() {
        const QString hace2h = fechaHora::aTextoBD(QDateTime::currentDateTime().addSecs(-7200));
        const QString hace1h = fechaHora::aTextoBD(QDateTime::currentDateTime().addSecs(-3600));
        QVERIFY(uNegocio->recibe(QStringLiteral("E1"), uMatriz, uTornillo, hace2h, 10, 4) > 0);
        QVERIFY(uNegocio->entrega(uMatriz, uTornillo, hace1h, 6) > 0);
        guion().limpia();
        abre();
        auto *conceptos = w<QComboBox>(QStringLiteral("CMB_concepto"));
        conceptos->setCurrentIndex(conceptos->findText(QStringLiteral("Devolución de venta")));
        QCOMPARE(guion().textos(), QStringList{QStringLiteral("Seleccione un almacén")});
        QCOMPARE(conceptos->currentIndex(), -1);
        encabezado(QStringLiteral("Devolución de venta"));
        QVERIFY(!w(QStringLiteral("contenedor_codigoBarras"))->isEnabled());
        const auto tomaSalida = [this] {
            uDialogo.alAbrir<TFRM_seleccionarMovimiento>(uPantalla.get(), [](TFRM_seleccionarMovimiento *d) {
                u_hijo<QTableView>(d, QStringLiteral("GRD_movimiento"))->selectRow(0);
                u_clicBoton(d, QStringLiteral("BTN_aceptar"));
            });
            u_clicBoton(uPantalla.get(), QStringLiteral("BTN_seleccionarProducto"));
            QVERIFY(uDialogo.abierto && !uDialogo.quedoAbierto);
        };
        tomaSalida();
        QCOMPARE(w<QLabel>(QStringLiteral("LBL_producto"))->text(), QStringLiteral("Tornillo 1/4"));
        QCOMPARE(w<QLineEdit>(QStringLiteral("TXT_cantidad"))->text(), QStringLiteral("6"));
        QVERIFY(!w(QStringLiteral("TXT_costoUnitario"))->isEnabled());
        guion().limpia();
        w<QLineEdit>(QStringLiteral("TXT_cantidad"))->setText(QStringLiteral("7"));
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_agregar"));
        QCOMPARE(guion().textos(), QStringList{QStringLiteral("Capture una cantidad igual o menor a 6")});
        QCOMPARE(w<QLineEdit>(QStringLiteral("TXT_cantidad"))->text(), QStringLiteral("6"));
        QCOMPARE(grid()->filas(), 0);
        w<QLineEdit>(QStringLiteral("TXT_cantidad"))->setText(QStringLiteral("2"));
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_agregar"));
        QCOMPARE(grid()->filas(), 1);
        QCOMPARE(celdas(0), (QStringList{"Tornillo 1/4", "2", "4", "8"}));
        QVERIFY(!w(QStringLiteral("BTN_agregar"))->isEnabled());
        QVERIFY(!w(QStringLiteral("_hold_bProducto"))->isEnabled());
        u_clicCelda(w<QTableView>(QStringLiteral("GRD_main")), 0, 0); // "Elimina"
        QCOMPARE(grid()->filas(), 0);
        QVERIFY(w(QStringLiteral("BTN_agregar"))->isEnabled());
        QVERIFY(w(QStringLiteral("_hold_bProducto"))->isEnabled());
        tomaSalida();
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_agregar"));
        QCOMPARE(grid()->filas(), 1);
        // Switching to an ordinary concept with the line kept asks nothing and frees the footer.
        guion().limpia();
        guion().respuestas({true, true});
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_aceptar"));
        QVERIFY2(uPantalla->uAceptar, qPrintable(guion().textos().join(QStringLiteral(" / "))));
        QCOMPARE(cuenta(QStringLiteral(
                     "SELECT COUNT(*) FROM inventarioEntradaAdicional a JOIN inventarioEntrada e "
                     "ON e.id = a.inventarioEntrada_id WHERE e.idNegocioFk = :negocio")),
                 1);
        QCOMPARE(uNegocio->existencia(uMatriz, uTornillo), 10.0);
    }

    void cambioAConceptoDeDevolucionPreguntaPorLasLineas_data() {
        QTest::addColumn<bool>("acepta");
        QTest::addColumn<int>("filas");
        QTest::addColumn<QString>("concepto");
        QTest::newRow("Cancelar conserva el concepto y las líneas") << false << 2 << "Compra";
        QTest::newRow("Aceptar borra las líneas") << true << 0 << "Devolución de venta";
    }
    void cambioAConceptoDeDevolucionPreguntaPorLasLineas() {
        QFETCH(bool, acepta);
        abre();
        encabezado();
        agrega(uTornillo, QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("4"));
        agrega(uTornillo, QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("4"));
        guion().respuestas({acepta});
        elige(QStringLiteral("CMB_concepto"), QStringLiteral("Devolución de venta"));
        QCOMPARE(guion().preguntas(),
                 QStringList{
                     QStringLiteral("Se eliminarán los productos capturados, unicamente es posible agregar "
                                    "un producto para este concepto.\n\r¿Desea continuar?")});
        QTEST(grid()->filas(), "filas");
        QTEST(w<QComboBox>(QStringLiteral("CMB_concepto"))->currentText(), "concepto");
        QCOMPARE(w(QStringLiteral("contenedor_codigoBarras"))->isEnabled(), !acepta);
    }

    void conceptoSinComprobante_data() {
        QTest::addColumn<QString>("concepto");
        QTest::addColumn<bool>("comprobante");
        QTest::newRow("ajustes") << "ajustes" << false;
        QTest::newRow("entrada de fabricación") << "entrada de fabricación" << false;
        QTest::newRow("Compra") << "Compra" << true;
    }
    void conceptoSinComprobante() {
        QFETCH(QString, concepto);
        abre();
        elige(QStringLiteral("CMB_almacenes"), QStringLiteral("Matriz"));
        uPantalla->tomaProveedor(
            {true, 7, QStringLiteral("Aceros del Norte"), QStringLiteral("ANO010101AB1")});
        elige(QStringLiteral("CMB_concepto"), concepto);
        QTEST(w<QTabWidget>(QStringLiteral("TAB_entrada"))->isTabEnabled(1), "comprobante");
        QFETCH(bool, comprobante);
        QCOMPARE(w<QLabel>(QStringLiteral("LBL_proveedor"))->text(),
                 comprobante ? QStringLiteral("Aceros del Norte") : QStringLiteral("Haga clic aquí"));
    }

    // An invoice and a provider chosen by hand exclude each other; Cancel keeps the one there.
    void comprobanteYProveedorSeExcluyen() {
        abre();
        encabezado();
        uPantalla->tomaProveedor(
            {true, 7, QStringLiteral("Aceros del Norte"), QStringLiteral("ANO010101AB1")});
        guion().respuestas({false});
        u_clicBoton(uPantalla.get(), QStringLiteral("contenedor_comprobante"));
        QCOMPARE(guion().preguntas(),
                 QStringList{QStringLiteral("Seleccionar un comprobante eliminará la selección "
                                            "del proveedor actual.\r¿Desea continuar?")});
        QCOMPARE(w<QLabel>(QStringLiteral("LBL_proveedor"))->text(), QStringLiteral("Aceros del Norte"));
        // The chooser opens on today, not on the receipt's date.
        w<QDateEdit>(QStringLiteral("DTP_fecha"))->setDate(QDate::currentDate().addDays(-20));
        QDate desde, hasta;
        uDialogo.alAbrir<TFRM_seleccionarComprobante>(uPantalla.get(), [&](TFRM_seleccionarComprobante *d) {
            desde = d->findChild<QDateEdit *>(QStringLiteral("DTP_inicial"))->date();
            hasta = d->findChild<QDateEdit *>(QStringLiteral("DTP_final"))->date();
        });
        guion().respuestas({true});
        u_clicBoton(uPantalla.get(), QStringLiteral("contenedor_comprobante"));
        QVERIFY(uDialogo.abierto);
        QCOMPARE(desde, QDate::currentDate());
        QCOMPARE(hasta, QDate::currentDate());
        guion().limpia();
        uPantalla->tomaProveedor(
            {true, 7, QStringLiteral("Aceros del Norte"), QStringLiteral("ANO010101AB1")});
        UREC_comprobante factura;
        factura.aceptar = true;
        factura.id = 41;
        factura.serie = QStringLiteral("F");
        factura.folio = QStringLiteral("77");
        factura.emisorNombre = QStringLiteral("Cómputo Global");
        factura.emisorRFC = QStringLiteral("CGL010101AB1");
        uPantalla->tomaComprobante(factura);
        QCOMPARE(w<QLabel>(QStringLiteral("LBL_comprobante"))->text(), QStringLiteral("F 77"));
        QCOMPARE(w<QLabel>(QStringLiteral("LBL_proveedor"))->text(), QStringLiteral("Cómputo Global"));
        guion().limpia();
        guion().respuestas({false});
        u_clicBoton(uPantalla.get(), QStringLiteral("contenedor_proveedor"));
        QCOMPARE(guion().preguntas(),
                 QStringList{QStringLiteral("Seleccionar un proveedor manualmente eliminará la "
                                            "selección del comprobante actual.\r¿Desea continuar?")});
        QCOMPARE(w<QLabel>(QStringLiteral("LBL_comprobante"))->text(), QStringLiteral("F 77"));
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_reiniciarLBLcomprobante"));
        QCOMPARE(w<QLabel>(QStringLiteral("LBL_comprobante"))->text(), QStringLiteral("Haga clic aquí"));
        QCOMPARE(w<QLabel>(QStringLiteral("LBL_proveedor"))->text(), QStringLiteral("Haga clic aquí"));
        QCOMPARE(w<QLabel>(QStringLiteral("LBL_emisorRFC"))->text(), QString());
    }

    // The alert counts the stock and the lines of the same product already captured.
    void alertaStockMaximo_data() {
        QTest::addColumn<bool>("acepta");
        QTest::addColumn<int>("filas");
        QTest::newRow("Cancelar no agrega") << false << 1;
        QTest::newRow("Aceptar agrega") << true << 2;
    }
    void alertaStockMaximo() {
        QFETCH(bool, acepta);
        uNegocio->fila(QStringLiteral("inventarioStock"),
                       {{QStringLiteral("inventarioAlmacen_id"), uMatriz},
                        {QStringLiteral("inventarioProducto_id"), uTornillo},
                        {QStringLiteral("maximo"), 10}});
        abre();
        encabezado();
        agrega(uTornillo, QStringLiteral("8"), QStringLiteral("1"), QStringLiteral("1"));
        QCOMPARE(guion().preguntas(), QStringList());
        guion().respuestas({acepta});
        agrega(uTornillo, QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("1"));
        QCOMPARE(guion().preguntas().size(), 1);
        const QString pregunta = guion().preguntas().value(0);
        QVERIFY2(pregunta.contains(QStringLiteral("Matriz")) &&
                     pregunta.contains(QStringLiteral("Tornillo 1/4")) &&
                     pregunta.contains(QStringLiteral("10")),
                 qPrintable(pregunta));
        QTEST(grid()->filas(), "filas");
    }

    void codigoDeBarras_data() {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("producto");
        QTest::addColumn<QStringList>("mensajes");
        const QStringList sinCoincidencia{QStringLiteral("No se encontro coincidencia")};
        QTest::newRow("conocido") << "7501001"
                                  << "Tornillo 1/4" << QStringList();
        QTest::newRow("desconocido") << "0000"
                                     << "Haga clic aquí" << sinCoincidencia;
        QTest::newRow("con comilla") << "75'01"
                                     << "Haga clic aquí" << sinCoincidencia;
        QTest::newRow("de otro negocio") << "9900"
                                         << "Haga clic aquí" << sinCoincidencia;
        QTest::newRow("inactivo") << "7509"
                                  << "Haga clic aquí"
                                  << QStringList{QStringLiteral(
                                         "¡Producto Brocha!\rNo se puede agregar este producto")};
    }
    void codigoDeBarras() {
        QFETCH(QString, codigo);
        producto(QStringLiteral("Brocha"), QStringLiteral("7509"), 0, 2);
        TnegocioPrueba(*uBase, TnegocioPrueba::Tlectura{QStringLiteral("Otra Ferretería")})
            .fila(QStringLiteral("inventarioProducto"),
                  {{QStringLiteral("nombre"), QStringLiteral("Ajeno")},
                   {QStringLiteral("codigoBarras"), QStringLiteral("9900")}});
        abre();
        encabezado();
        // A scanner types the code and Enter: no mouse needed.
        uDialogo.alAbrir<TFRM_capturarCodigoBarras>(uPantalla.get(), [codigo](TFRM_capturarCodigoBarras *d) {
            auto *campo = u_hijo<QLineEdit>(d, QStringLiteral("TXT_codigoBarras"));
            QTest::keyClicks(campo, codigo);
            QTest::keyClick(campo, Qt::Key_Return);
        });
        u_clicBoton(uPantalla.get(), QStringLiteral("contenedor_codigoBarras"));
        QVERIFY(uDialogo.abierto && !uDialogo.quedoAbierto);
        QTEST(w<QLabel>(QStringLiteral("LBL_producto"))->text(), "producto");
        QTEST(guion().textos(), "mensajes");
    }

    // A clerk with a scanner never needs the mouse: Enter opens the barcode box, the scanner types
    // the code and Enter, Enter opens the unit received, then Enter moves from quantity to factor
    // to cost to "Agregar Producto", which Enter presses; focus goes back to the barcode box.
    void tecladoYLector() {
        abre();
        encabezado();
        QApplication::setActiveWindow(uPantalla.get());
        QVERIFY(QTest::qWaitForWindowActive(uPantalla.get()));
        const auto tecla = [](QWidget *w, Qt::Key k = Qt::Key_Return) { QTest::keyClick(w, k); };
        const auto enfocado = [this](const char *nombre) {
            return QApplication::focusWidget() == w(QString::fromLatin1(nombre));
        };
        for (int vuelta = 0; vuelta < 2; ++vuelta) {
            w(QStringLiteral("contenedor_codigoBarras"))->setFocus();
            uDialogo.alAbrir<TFRM_capturarCodigoBarras>(uPantalla.get(), [](TFRM_capturarCodigoBarras *d) {
                auto *campo = u_hijo<QLineEdit>(d, QStringLiteral("TXT_codigoBarras"));
                QTest::keyClicks(campo, QStringLiteral("7501001"));
                QTest::keyClick(campo, Qt::Key_Return);
            });
            tecla(w(QStringLiteral("contenedor_codigoBarras")));
            QVERIFY(uDialogo.abierto && !uDialogo.quedoAbierto);
            QApplication::setActiveWindow(uPantalla.get()); // the window manager's part offscreen
            QVERIFY(enfocado("contenedor_unidadEntrada"));
            uDialogo.alAbrir<TFRM_seleccionarUnidadMedida>(
                uPantalla.get(), [](TFRM_seleccionarUnidadMedida *d) {
                    auto *grid = u_hijo<QTableView>(d, QStringLiteral("GRD_main"));
                    for (int f = 0; f < d->gridControl()->filas(); ++f)
                        if (d->gridControl()->getCelda(f, QStringLiteral("unidadMedida_descripcion")) ==
                            QLatin1String("Docena"))
                            grid->setCurrentIndex(grid->model()->index(f, 1));
                    QTest::keyClick(grid, Qt::Key_Return);
                });
            tecla(w(QStringLiteral("contenedor_unidadEntrada")));
            QVERIFY(uDialogo.abierto && !uDialogo.quedoAbierto);
            QApplication::setActiveWindow(uPantalla.get());
            QVERIFY(enfocado("TXT_cantidad"));
            QTest::keyClicks(w(QStringLiteral("TXT_cantidad")), QStringLiteral("2"));
            tecla(w(QStringLiteral("TXT_cantidad")));
            QCOMPARE(w<QLabel>(QStringLiteral("LBL_cantidadRegistrada"))->text(), QStringLiteral("24"));
            QVERIFY(enfocado("TXT_factorConversion"));
            tecla(w(QStringLiteral("TXT_factorConversion")));
            QVERIFY(enfocado("TXT_costoUnitario"));
            QTest::keyClicks(w(QStringLiteral("TXT_costoUnitario")), QStringLiteral("120"));
            tecla(w(QStringLiteral("TXT_costoUnitario")));
            QVERIFY(enfocado("BTN_agregar"));
            tecla(w(QStringLiteral("BTN_agregar")));
            QCOMPARE(grid()->filas(), vuelta + 1);
            QCOMPARE(celdas(vuelta), (QStringList{"Tornillo 1/4", "24", "10", "240"}));
            QVERIFY(enfocado("contenedor_codigoBarras"));
        }
        QCOMPARE(guion().textos(), QStringList());
    }

    void laListaAbreLaCaptura() {
        localSYS = uBase->sistema(uNegocio->negocio());
        std::unique_ptr<QWidget> lista(fabricaPantalla(Tpantalla::Entradas)());
        lista->show();
        QVERIFY(static_cast<TFRM_entradas *>(lista.get())->init());
        QString titulo;
        uDialogo.alAbrir<TFRM_entradaInventario>(lista.get(), [&titulo](TFRM_entradaInventario *d) {
            titulo = d->windowTitle();
            QTest::keyClick(d, Qt::Key_Escape);
        });
        u_clicBoton(lista.get(), QStringLiteral("BTN_nuevaEntrada"));
        QVERIFY(uDialogo.abierto && !uDialogo.quedoAbierto);
        QCOMPARE(titulo, QStringLiteral("Entrada al Inventario"));
    }

    // A failed posting writes nothing and leaves every line and its optional data on the screen.
    void guardadoFallidoConservaTodo() {
        abre();
        encabezado();
        agrega(uTornillo, QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("4"));
        agrega(uTaladro, QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("900"));
        capturaSeries(1, {QStringLiteral("TAL-9")});
        const QString filas =
            QStringLiteral("SELECT COUNT(*) FROM inventarioEntrada WHERE idNegocioFk = :negocio");
        // Every statement of the save fails once in turn; until the save goes through nothing is
        // stored and the screen keeps the lines and their serial numbers.
        for (int falla = 1;; ++falla) {
            QVERIFY2(falla < 200, "the save never got past the fault");
            guion().limpia();
            guion().respuestas({true, true});
            TmiddleTier::setFallaEnSentencia(falla);
            u_clicBoton(uPantalla.get(), QStringLiteral("BTN_aceptar"));
            TmiddleTier::setFallaEnSentencia(0);
            if (uPantalla->uAceptar)
                break;
            QVERIFY(uPantalla->isVisible());
            QCOMPARE(grid()->filas(), 2);
            QCOMPARE(uPantalla->capturaActual().renglones()[1].informacion.noSerie, QStringList{"TAL-9"});
            QCOMPARE(cuenta(filas), 0);
        }
        QCOMPARE(cuenta(filas), 2);
        QCOMPARE(uNegocio->existencia(uMatriz, uTaladro), 1.0);
    }

    // A whole receipt through the widgets on a fresh database: product by picker and by barcode,
    // a unit of 12, a lot, a customs declaration and serial numbers, a provider; then the rows,
    // the ledger, the stock and the receipts list.
    void extremoAExtremo() {
        const int proveedor =
            uNegocio->fila(QStringLiteral("proveedor"),
                           {{QStringLiteral("nombre"), QStringLiteral("Herramientas del Bajío")},
                            {QStringLiteral("rfc"), QStringLiteral("HBA010101AB1")}});
        abre();
        encabezado();
        // Tornillo by the picker, received in dozens.
        QVERIFY(u_eligeProducto(uPantalla.get(), QStringLiteral("BTN_seleccionarProducto"),
                                QStringLiteral("Tornillo")));
        QVERIFY(u_eligeUnidad(uPantalla.get(), QStringLiteral("contenedor_unidadEntrada"),
                              QStringLiteral("Docena")));
        QCOMPARE(w<QLineEdit>(QStringLiteral("TXT_factorConversion"))->text(), QStringLiteral("12"));
        w<QLineEdit>(QStringLiteral("TXT_cantidad"))->setText(QStringLiteral("2"));
        w<QLineEdit>(QStringLiteral("TXT_costoUnitario"))->setText(QStringLiteral("120"));
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_agregar"));
        // Taladro by the scanner, two units in pieces.
        uDialogo.alAbrir<TFRM_capturarCodigoBarras>(uPantalla.get(), [](TFRM_capturarCodigoBarras *d) {
            auto *campo = u_hijo<QLineEdit>(d, QStringLiteral("TXT_codigoBarras"));
            QTest::keyClicks(campo, QStringLiteral("7501002"));
            QTest::keyClick(campo, Qt::Key_Return);
        });
        u_clicBoton(uPantalla.get(), QStringLiteral("contenedor_codigoBarras"));
        uPantalla->tomaUnidadRecibida(unidadRec(uPieza, 1, 1));
        w<QLineEdit>(QStringLiteral("TXT_cantidad"))->setText(QStringLiteral("2"));
        w<QLineEdit>(QStringLiteral("TXT_costoUnitario"))->setText(QStringLiteral("1500.50"));
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_agregar"));
        QCOMPARE(grid()->filas(), 2);
        QCOMPARE(guion().textos(), QStringList());
        capturaSeries(1, {QStringLiteral("TAL-001"), QStringLiteral("TAL-002")});
        // Lot and customs declaration of the screws.
        QVERIFY(u_datoOpcional<TFRM_lote>(uPantalla.get(), 0, QStringLiteral("BTN_verLote"),
                                          QStringLiteral("TXT_lote"), QStringLiteral("L-2024-07")));
        QVERIFY(u_datoOpcional<TFRM_pedimento>(uPantalla.get(), 0, QStringLiteral("BTN_verPedimento"),
                                               QStringLiteral("TXT_numeroPedimento"),
                                               QStringLiteral("24 47 3807 4001234")));
        QCOMPARE(w<QLabel>(QStringLiteral("LBL_lote"))->text(), QStringLiteral("Con Datos Capturados"));
        QCOMPARE(w<QLabel>(QStringLiteral("LBL_pedimento"))->text(), QStringLiteral("Con Datos Capturados"));
        // The provider.
        w<QTabWidget>(QStringLiteral("TAB_entrada"))->setCurrentIndex(1);
        uDialogo.alAbrir<TFRM_seleccionarProveedor>(uPantalla.get(), [](TFRM_seleccionarProveedor *d) {
            u_hijo<QTableView>(d, QStringLiteral("GRD_main"))->selectRow(0);
            u_clicBoton(d, QStringLiteral("BTN_aceptar"));
        });
        u_clicBoton(uPantalla.get(), QStringLiteral("contenedor_proveedor"));
        QCOMPARE(w<QLabel>(QStringLiteral("LBL_proveedor"))->text(),
                 QStringLiteral("Herramientas del Bajío"));
        w<QTabWidget>(QStringLiteral("TAB_entrada"))->setCurrentIndex(0);
        u_clicCelda(w<QTableView>(QStringLiteral("GRD_main")), 1, 1); // the drill's optional data
        QVERIFY(uPantalla->grab().save(TbasePrueba::carpetaSalida() +
                                       QStringLiteral("/captura_entrada_lineas.png")));

        guion().limpia();
        guion().respuestas({true});
        u_clicBoton(uPantalla.get(), QStringLiteral("BTN_aceptar"));
        QVERIFY2(uPantalla->uAceptar, qPrintable(guion().textos().join(QStringLiteral(" / "))));
        QCOMPARE(guion().preguntas().size(), 1); // a provider is set: only "¿Desea guardar…?"

        TmiddleTier mt(uBase->sesion());
        mt.setQuery(QStringLiteral(
            "SELECT e.documento, e.inventarioProducto_id, e.cantidad, e.existencia, e.costoUnitario, "
            "e.factorConversion, e.unidadesMedida_id FROM inventarioEntrada e "
            "WHERE e.idNegocioFk = :negocio ORDER BY e.id"));
        mt.setParametroEntero(QStringLiteral("negocio"), uNegocio->negocio());
        const CmidTierResponse filas = mt.reader();
        QVERIFY(filas.isSuccess());
        QCOMPARE(filas.getRowCount(), 2);
        QCOMPARE(filas.getCeldaAsInt(0, 0), 1);
        QCOMPARE(filas.getCeldaAsInt(0, 1), uTornillo);
        QCOMPARE(filas.getCeldaAsFloat(0, 2), 24.0);
        QCOMPARE(filas.getCeldaAsFloat(0, 4), 10.0);
        QCOMPARE(filas.getCeldaAsFloat(0, 5), 12.0);
        QCOMPARE(filas.getCeldaAsInt(0, 6), uDocena);
        QCOMPARE(filas.getCeldaAsInt(1, 0), 1);
        QCOMPARE(filas.getCeldaAsFloat(1, 2), 2.0);
        QCOMPARE(filas.getCeldaAsFloat(1, 4), 1500.5);
        QCOMPARE(uNegocio->existencia(uMatriz, uTornillo), 24.0);
        QCOMPARE(uNegocio->existencia(uMatriz, uTaladro), 2.0);
        QCOMPARE(uNegocio->kardex().size(), 2);
        const auto uno = [this](const QString &tabla) {
            return cuenta(QStringLiteral("SELECT COUNT(*) FROM %1 x JOIN inventarioEntrada e ON e.id = "
                                         "x.inventarioEntrada_id WHERE e.idNegocioFk = :negocio")
                              .arg(tabla));
        };
        QCOMPARE(uno(QStringLiteral("inventarioLote")), 1);
        QCOMPARE(uno(QStringLiteral("inventarioPedimento")), 1);
        QCOMPARE(uno(QStringLiteral("inventarioNoSerie")), 2);
        QCOMPARE(cuenta(QStringLiteral(
                            "SELECT COUNT(*) FROM inventarioEntradaProveedor x JOIN inventarioEntrada e ON "
                            "e.id = x.inventarioEntrada_id WHERE e.idNegocioFk = :negocio AND "
                            "x.proveedor_id = %1")
                            .arg(proveedor)),
                 2);

        TFRM_entradas lista;
        lista.show();
        QVERIFY(lista.init());
        QCOMPARE(lista.gridControl()->filas(), 2);
        QCOMPARE(lista.gridControl()->getCelda(0, QStringLiteral("inventarioEntrada_documento")),
                 QStringLiteral("1"));
    }
};

QTEST_MAIN(TpruebaCapturaEntrada)
#include "tst_capturaEntrada.moc"

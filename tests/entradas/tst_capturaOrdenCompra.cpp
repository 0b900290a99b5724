// Receiving a purchase order: what is outstanding bounds what arrives, a line received over two
// receipts keeps its state, the receipt and the order's state are written whole or not at all,
// and the screen receives an order end to end under both valuation methods.
#include "apoyo/UinteraccionGuionada.h"
#include "apoyo/UwidgetsPrueba.h"
#include "comun/UNEG_opciones.h"
#include "comun/U_utilerias.h"
#include "comun/ui/UFRM_capturarCodigoBarras.h"
#include "comun/ui/UFRM_seleccionarProducto.h"
#include "comun/ui/UFRM_seleccionarUnidadMedida.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/UgridControl.h"
#include "datos/UcodigosInventario.h"
#include "datos/UmiddleTier.h"
#include "entradas/UFRM_EntradaInventarioOrdenCompra.h"
#include "entradas/UFRM_entradas.h"
#include "entradas/UFRM_lote.h"
#include "entradas/UFRM_noSerie.h"
#include "entradas/UFRM_seleccionarOrdenCompra.h"
#include "entradas/UnegocioEntradas.h"
#include "inventario/UpantallasInventario.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
const QString kRebasa = QStringLiteral("La cantidad capturada rebasa el total, ¡porfavor verifique!");
const QString kPierdeOrden =
    QStringLiteral("Se perderán las cantidades capturadas de la orden actual.\r¿Desea continuar?");
} // namespace

class TpruebaCapturaOrdenCompra : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<TnegocioEntradas> uTienda;
    std::unique_ptr<TguionInstalado> uGuion;
    int uOrden = 0;
    int uLineaTornillos = 0; // 10 boxes of 12 screws for $600: $5 a screw
    int uLineaLaptops = 0;   // 2 laptops for $30,000

    TinteraccionGuionada &guion() const { return uGuion->guion(); }

    // The business values its stock by `metodo` and has the purchase-order receipt concept.
    void preparaNegocio(int metodo) {
        Topciones(uBase->sesion()).insertMetodoValoracionInventario(uTienda->negocio, metodo);
        const int plantilla = uTienda->n.fila(QStringLiteral("AsientosContables"),
                                              {{QStringLiteral("nombre"), QStringLiteral("Compras")},
                                               {QStringLiteral("ModuloAsientosContables_id"), 1}});
        uTienda->n.fila(QStringLiteral("inventarioMovimientoConcepto"),
                        {{QStringLiteral("etiqueta"), QStringLiteral("Entrada por orden de compra")},
                         {QStringLiteral("direccion"), 1},
                         {QStringLiteral("familia"), -3},
                         {QStringLiteral("AsientosContables_id"), plantilla}});
    }
    // What earlier receipts stored for the screws' line.
    void acumulado(double cantidad) {
        u_insertaFila(uBase->sesion(), QStringLiteral("inventarioOrdenesCompraArticulos"),
                      {{QStringLiteral("AF_ID"), uLineaTornillos},
                       {QStringLiteral("inventarioProducto_id"), uTienda->tornillo},
                       {QStringLiteral("UnidadesMedida_id"), uTienda->caja},
                       {QStringLiteral("factorConversion"), 12},
                       {QStringLiteral("cantidadAcumulada"), cantidad}});
    }
    int cuenta(const QString &sql) const {
        return uTienda->n.valor(sql, {{QStringLiteral("n"), uTienda->negocio}}).toInt();
    }
    // Receipt rows, ledger rows, order-line states and the order's state.
    QString escrito() const {
        return QStringLiteral("%1 %2 %3 %4")
            .arg(cuenta(QStringLiteral("SELECT COUNT(*) FROM inventarioEntrada WHERE idNegocioFk = :n")))
            .arg(cuenta(QStringLiteral("SELECT COUNT(*) FROM inventarioKardex WHERE idNegocioFk = :n")))
            .arg(cuenta(QStringLiteral("SELECT COUNT(*) FROM inventarioOrdenesCompraArticulos")))
            .arg(estadoOrden());
    }
    int estadoOrden() const {
        return cuenta(QStringLiteral("SELECT COALESCE(AF_OrdenPendiente, 0) FROM AF_OrdenesCompra WHERE "
                                     "idNegocioFk = :n AND AF_cancelada = 0"));
    }
    // The ledger in its compact text, each layer named by its product.
    QStringList kardex() const {
        uTienda->n.nombraCapas(
            {{uTienda->tornillo, QStringLiteral("tornillo")}, {uTienda->laptop, QStringLiteral("laptop")}});
        return uTienda->n.kardex();
    }
    // The running value of each ledger row, "-" when none is stored.
    QStringList valoresKardex() const {
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(QStringLiteral(
            "SELECT totalExistencia FROM inventarioKardex WHERE idNegocioFk = :n ORDER BY id"));
        mt.setParametroEntero(QStringLiteral("n"), uTienda->negocio);
        const CmidTierResponse r = mt.reader();
        QStringList filas;
        for (int f = 0; f < r.getRowCount(); ++f)
            filas << (r.getValor(f, 0).isNull() ? QStringLiteral("-") : FloatToStr(r.getCeldaAsFloat(f, 0)));
        return filas;
    }
    double existencia(int producto) const {
        return uTienda->n
            .valor(QStringLiteral("SELECT existencia FROM inventarioExistencias WHERE inventarioAlmacen_id = "
                                  ":a AND inventarioProducto_id = :p"),
                   {{QStringLiteral("a"), uTienda->bodega}, {QStringLiteral("p"), producto}})
            .toDouble();
    }

    // A receipt of the order built below the screen: line i receives recibidos[i] (0 skips it).
    std::unique_ptr<TrecepcionOrdenCompra> recepcion(const QVector<double> &recibidos) {
        auto r = std::make_unique<TrecepcionOrdenCompra>(uBase->sesion(), uTienda->negocio);
        UREC_ordenCompra o;
        o.aceptar = true;
        o.numeroDeOrden = uOrden;
        o.proveedorID = uTienda->proveedor;
        if (!r->cargaOrden(o))
            return {};
        r->almacenID = uTienda->bodega;
        r->fechaHora = QDateTime::currentDateTime();
        const int productos[] = {uTienda->tornillo, uTienda->laptop};
        for (int i = 0; i < recibidos.size(); ++i) {
            if (u_esCero(recibidos[i]))
                continue;
            TproductoSeleccionadoDescripcion p;
            p.seleccionado = true;
            p.estatus = 1;
            p.productoId = productos[i];
            p.opControladoNoSerie = i == 1;
            r->relacionaProducto(i, p);
            REC_unidadMedidacomunicacion u;
            u.aceptado = true;
            u.id = i == 0 ? uTienda->caja : uTienda->pieza;
            r->setUnidadRecibida(i, u);
            const QString factor = i == 0 ? QStringLiteral("12") : QStringLiteral("1");
            if (!r->setCantidadRecibida(i, FloatToStr(recibidos[i]), factor).isEmpty())
                return {};
            for (int s = 0; i == 1 && s < int(recibidos[i]); ++s)
                r->linea(i).informacion.noSerie << QStringLiteral("SN-%1").arg(s);
        }
        return r;
    }
    // Picks row `fila` of the order picker (orders by delivery date) on the screen.
    bool eligeOrden(TFRM_EntradaInventarioOrdenCompra &pantalla, int fila) {
        TproximoDialogo dialogo;
        dialogo.alAbrir<TFRM_seleccionarOrdenCompra>(this, [fila](TFRM_seleccionarOrdenCompra *d) {
            TGridControl *g = d->gridControl();
            u_clicCelda(g->grid(), fila, g->indiceColumna(QStringLiteral("ordenesCompra_nombreProveedor")));
            u_clicBoton(d, QStringLiteral("BTN_aceptar"));
        });
        u_clicBoton(&pantalla, QStringLiteral("BTN_ordenCompra"));
        return dialogo.abierto && !dialogo.quedoAbierto;
    }
    // The screen shown with the order picked and its first line selected.
    std::unique_ptr<TFRM_EntradaInventarioOrdenCompra> pantallaConOrden() {
        auto pantalla = std::make_unique<TFRM_EntradaInventarioOrdenCompra>(uBase->sistema(uTienda->negocio));
        pantalla->prepara();
        pantalla->show();
        if (!eligeOrden(*pantalla, 0))
            return {};
        return pantalla;
    }
    QLineEdit *campo(QWidget *pantalla, const QString &nombre) const {
        return u_hijo<QLineEdit>(pantalla, nombre);
    }
    QString lineaMostrada(QWidget *pantalla) const {
        return u_hijo<QLabel>(pantalla, QStringLiteral("LBL_descripcion"))->text();
    }
    // The grid's current row, when it is also the one row shown selected; -1 otherwise.
    static int filaMarcada(TGridControl *g) {
        const QModelIndexList marcadas = g->grid()->selectionModel()->selectedRows();
        const int actual = g->filaSeleccionada();
        return marcadas.size() == 1 && marcadas[0].row() == actual ? actual : -1;
    }
    void clicLinea(TFRM_EntradaInventarioOrdenCompra &pantalla, int fila) {
        TGridControl *g = pantalla.gridControl();
        u_clicCelda(g->grid(), fila,
                    g->indiceColumna(QStringLiteral("articulosOrdenesCompra_descripcionArticulo")));
        QCoreApplication::processEvents(); // a refused move goes back once the grid is done
    }
    bool guarda(TrecepcionOrdenCompra &r) {
        guion().limpia();
        guion().respuestas({true, true});
        return r.guardar();
    }

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uTienda = std::make_unique<TnegocioEntradas>(*uBase, QStringLiteral("Ferretería La Tuerca"));
        uOrden = uTienda->orden(QStringLiteral("Aceros del Norte"), QStringLiteral("ANO010101AB1"),
                                QDate::currentDate());
        uLineaTornillos = uTienda->lineaOrden(uOrden, QStringLiteral("Caja de tornillos"), 10, 600);
        uLineaLaptops = uTienda->lineaOrden(uOrden, QStringLiteral("Laptop"), 2, 30000);
        uGuion = std::make_unique<TguionInstalado>();
    }
    void cleanup() {
        TmiddleTier::setFallaEnSentencia(0);
        TFRM_entradas::setCapturaOrdenCompra({});
        localSYS = TsistemaDatos();
        uGuion.reset();
        uTienda.reset();
        uBase.reset();
    }

    // Requested 10 with 4 already received: the screen takes up to 6; anything else is refused
    // with the line keeping what it had, and the other line untouched.
    void cantidadContraLoPendiente_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<QString>("recibido");
        QTest::addColumn<QString>("icono");
        QTest::newRow("lo pendiente") << "6" << QString() << "6"
                                      << "activo";
        QTest::newRow("uno de más") << "7" << kRebasa << "3"
                                    << "exclamation";
        QTest::newRow("texto") << "seis" << QString("*") << "3"
                               << "exclamation";
        QTest::newRow("negativo") << "-1" << QString("*") << "3"
                                  << "exclamation";
        QTest::newRow("enorme") << "1e308" << QString("*") << "3"
                                << "exclamation";
        QTest::newRow("comillas") << "'; DELETE FROM inventarioEntrada; --" << QString("*") << "3"
                                  << "exclamation";
    }
    void cantidadContraLoPendiente() {
        QFETCH(QString, texto);
        QFETCH(QString, mensaje);
        QFETCH(QString, recibido);
        QFETCH(QString, icono);
        preparaNegocio(kMetodoPEPS);
        acumulado(4);
        const auto uno = pantallaConOrden();
        QVERIFY(uno);
        TFRM_EntradaInventarioOrdenCompra &pantalla = *uno;
        TGridControl *g = pantalla.gridControl();
        QCOMPARE(g->filas(), 2);
        // The line comes back as the earlier receipt left it.
        QCOMPARE(u_hijo<QLabel>(&pantalla, QStringLiteral("LBL_producto"))->text(),
                 QStringLiteral("Tornillo 1/4"));
        QCOMPARE(u_hijo<QLineEdit>(&pantalla, QStringLiteral("TXT_factorConversion"))->text(),
                 QStringLiteral("12"));
        auto *cantidad = u_hijo<QLineEdit>(&pantalla, QStringLiteral("TXT_cantidad"));
        // 3 boxes first, by keyboard; Enter moves to the laptops, which take 1.
        QTest::keyClicks(cantidad, QStringLiteral("3"));
        QTest::keyClick(cantidad, Qt::Key_Return);
        QCOMPARE(u_hijo<QLabel>(&pantalla, QStringLiteral("LBL_descripcion"))->text(),
                 QStringLiteral("Laptop"));
        QTest::keyClicks(cantidad, QStringLiteral("1"));
        QTest::keyClick(cantidad, Qt::Key_Return);
        pantalla.grab().save(TbasePrueba::carpetaSalida() +
                             QStringLiteral("/entradaOrdenCompra_captura.png"));

        clicLinea(pantalla, 0);
        guion().limpia();
        cantidad->setText(texto); // as pasted: the key filter is not the only way in
        u_clicBoton(&pantalla, QStringLiteral("BTN_confirmarCantidad"));
        const QStringList mensajes = guion().textos();
        if (mensaje.isEmpty())
            QVERIFY2(mensajes.isEmpty(), qPrintable(mensajes.join(QLatin1Char('|'))));
        else if (mensaje == QStringLiteral("*"))
            QCOMPARE(mensajes.size(), 1);
        else
            QCOMPARE(mensajes, QStringList{mensaje});
        QCOMPARE(g->getCelda(0, QStringLiteral("_recibido")), recibido);
        QCOMPARE(g->getCelda(0, QStringLiteral("_estado")), icono);
        QCOMPARE(cantidad->text(), recibido);
        QCOMPARE(g->getCelda(1, QStringLiteral("_recibido")), QStringLiteral("1"));
        QCOMPARE(g->getCelda(0, QStringLiteral("_registrado")), FloatToStr(recibido.toDouble() * 12));
        QCOMPARE(g->getCelda(0, QStringLiteral("_costoRecibido")), QStringLiteral("5"));
    }

    // Picking another order while quantities are captured, confirmed or only typed, asks first;
    // Cancel keeps the order, its lines and what was typed.
    void otraOrdenPreguntaAntes_data() {
        QTest::addColumn<bool>("confirmada");
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<bool>("respuesta");
        QTest::addColumn<bool>("pregunta");
        QTest::addColumn<bool>("cambia");
        QTest::addColumn<QString>("recibido"); // the first line's, afterwards
        QTest::addColumn<QString>("cantidad"); // the line editor's, afterwards
        QTest::newRow("nada capturado") << false << "" << false << false << true << "0"
                                        << "";
        QTest::newRow("confirmada, Cancelar") << true << "3" << false << true << false << "3"
                                              << "";
        QTest::newRow("confirmada, Aceptar") << true << "3" << true << true << true << "0"
                                             << "";
        QTest::newRow("sin confirmar, Cancelar") << false << "3" << false << true << false << "0"
                                                 << "3";
        QTest::newRow("sin confirmar, Aceptar") << false << "3" << true << true << true << "0"
                                                << "";
    }
    void otraOrdenPreguntaAntes() {
        QFETCH(bool, confirmada);
        QFETCH(QString, tecleado);
        QFETCH(bool, respuesta);
        QFETCH(bool, pregunta);
        QFETCH(bool, cambia);
        QFETCH(QString, recibido);
        QFETCH(QString, cantidad);
        preparaNegocio(kMetodoPEPS);
        const int otra = uTienda->orden(QStringLiteral("Plásticos del Sur"), QStringLiteral("PSU020202CD2"),
                                        QDate::currentDate().addDays(1));
        uTienda->lineaOrden(otra, QStringLiteral("Cubeta"), 5, 250);
        const auto pantalla = pantallaConOrden();
        QVERIFY(pantalla);
        QLineEdit *texto = campo(pantalla.get(), QStringLiteral("TXT_cantidad"));
        QTest::keyClicks(texto, tecleado);
        if (confirmada)
            QTest::keyClick(texto, Qt::Key_Return);
        guion().limpia();
        guion().respuestas({respuesta});
        QVERIFY(eligeOrden(*pantalla, 1));
        QCOMPARE(guion().preguntas(), pregunta ? QStringList{kPierdeOrden} : QStringList{});
        QVERIFY(guion().textos().isEmpty());
        TGridControl *g = pantalla->gridControl();
        QCOMPARE(u_hijo<QLabel>(pantalla.get(), QStringLiteral("LBL_noOrden"))->text(),
                 QString::number(cambia ? otra : uOrden));
        QCOMPARE(g->filas(), cambia ? 1 : 2);
        QCOMPARE(pantalla->recepcion().lineas().size(), g->filas());
        QCOMPARE(g->getCelda(0, QStringLiteral("_recibido")), recibido);
        QCOMPARE(texto->text(), cantidad);
    }

    // A quantity typed and not confirmed is taken when the selection leaves its line, as a
    // confirmation would take it; refused, the message shows and the line stays selected with what
    // was typed.
    void cantidadSinConfirmarAlCambiarDeLinea_data() {
        QTest::addColumn<QString>("previo"); // confirmed before
        QTest::addColumn<QString>("factor"); // typed; empty leaves it
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<QString>("recibido");
        QTest::addColumn<QString>("registrado");
        QTest::newRow("dentro de lo pendiente") << ""
                                                << ""
                                                << "6"
                                                << ""
                                                << "6"
                                                << "6";
        QTest::newRow("con su factor") << ""
                                       << "12"
                                       << "10"
                                       << ""
                                       << "10"
                                       << "120";
        QTest::newRow("borra lo confirmado") << "4"
                                             << ""
                                             << ""
                                             << ""
                                             << "0"
                                             << "0";
        QTest::newRow("rebasa") << "4"
                                << ""
                                << "11" << kRebasa << "4"
                                << "4";
        QTest::newRow("texto") << ""
                               << ""
                               << "seis"
                               << "*"
                               << "0"
                               << "0";
        QTest::newRow("enorme") << ""
                                << ""
                                << "1e308"
                                << "*"
                                << "0"
                                << "0";
        QTest::newRow("factor cero") << ""
                                     << "0"
                                     << "5"
                                     << "*"
                                     << "0"
                                     << "0";
        QTest::newRow("comillas") << ""
                                  << ""
                                  << "'; DELETE FROM inventarioEntrada; --"
                                  << "*"
                                  << "0"
                                  << "0";
    }
    void cantidadSinConfirmarAlCambiarDeLinea() {
        QFETCH(QString, previo);
        QFETCH(QString, factor);
        QFETCH(QString, texto);
        QFETCH(QString, mensaje);
        QFETCH(QString, recibido);
        QFETCH(QString, registrado);
        preparaNegocio(kMetodoPEPS);
        const auto pantalla = pantallaConOrden();
        QVERIFY(pantalla);
        QLineEdit *cantidad = campo(pantalla.get(), QStringLiteral("TXT_cantidad"));
        QLineEdit *factorCampo = campo(pantalla.get(), QStringLiteral("TXT_factorConversion"));
        if (!previo.isEmpty()) {
            cantidad->setText(previo);
            u_clicBoton(pantalla.get(), QStringLiteral("BTN_confirmarCantidad"));
        }
        if (!factor.isEmpty())
            factorCampo->setText(factor);
        cantidad->setText(texto); // as pasted
        const QString tecleado = cantidad->text();
        const QString factorTecleado = factorCampo->text();
        guion().limpia();
        clicLinea(*pantalla, 1);
        const QStringList mensajes = guion().textos();
        TGridControl *g = pantalla->gridControl();
        if (mensaje.isEmpty()) {
            QVERIFY2(mensajes.isEmpty(), qPrintable(mensajes.join(QLatin1Char('|'))));
            QCOMPARE(lineaMostrada(pantalla.get()), QStringLiteral("Laptop"));
            QCOMPARE(filaMarcada(g), 1);
            QCOMPARE(cantidad->text(), QString());
        } else {
            if (mensaje == QStringLiteral("*"))
                QCOMPARE(mensajes.size(), 1);
            else
                QCOMPARE(mensajes, QStringList{mensaje});
            QCOMPARE(lineaMostrada(pantalla.get()), QStringLiteral("Caja de tornillos"));
            QCOMPARE(filaMarcada(g), 0);
            QCOMPARE(cantidad->text(), tecleado);
            QCOMPARE(factorCampo->text(), factorTecleado);
        }
        QCOMPARE(g->getCelda(0, QStringLiteral("_recibido")), recibido);
        QCOMPARE(g->getCelda(0, QStringLiteral("_registrado")), registrado);
        QCOMPARE(g->getCelda(1, QStringLiteral("_recibido")), QStringLiteral("0"));
    }

    // "Aceptar" takes a quantity typed and not confirmed before its checks; refused, nothing is
    // written and the typed text stays.
    void cantidadSinConfirmarAlAceptar_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("lo pendiente") << "6"
                                      << "";
        QTest::newRow("rebasa") << "7" << kRebasa;
        QTest::newRow("texto") << "siete"
                               << "*";
    }
    void cantidadSinConfirmarAlAceptar() {
        QFETCH(QString, texto);
        QFETCH(QString, mensaje);
        preparaNegocio(kMetodoPEPS);
        acumulado(4); // the screws come back related, by the box of 12
        const auto pantalla = pantallaConOrden();
        QVERIFY(pantalla);
        u_hijo<QComboBox>(pantalla.get(), QStringLiteral("CMB_almacenes"))->setCurrentIndex(0);
        QLineEdit *cantidad = campo(pantalla.get(), QStringLiteral("TXT_cantidad"));
        cantidad->setText(texto);
        guion().limpia();
        guion().respuestas({true, true});
        u_clicBoton(pantalla.get(), QStringLiteral("BTN_aceptar"));
        const QStringList mensajes = guion().textos();
        if (mensaje.isEmpty()) {
            QVERIFY2(!pantalla->isVisible(), qPrintable(mensajes.join(QLatin1Char('|'))));
            QCOMPARE(escrito(), QStringLiteral("1 1 1 1"));
            QCOMPARE(existencia(uTienda->tornillo), 72.0);
            return;
        }
        if (mensaje == QStringLiteral("*"))
            QCOMPARE(mensajes.size(), 1);
        else
            QCOMPARE(mensajes, QStringList{mensaje});
        QVERIFY(guion().preguntas().isEmpty());
        QVERIFY(pantalla->isVisible());
        QCOMPARE(cantidad->text(), texto);
        QCOMPARE(escrito(), QStringLiteral("0 0 1 0"));
        // The typed quantity is work to lose: leaving asks first.
        guion().limpia();
        QTest::keyClick(pantalla.get(), Qt::Key_Escape);
        QCOMPARE(guion().preguntas().size(), 1);
        QVERIFY(pantalla->isVisible());
    }

    // Choosing the line's unit or its optional data keeps a quantity typed and not confirmed yet;
    // Enter then takes it.
    void edicionDeLaLineaConservaLoTecleado_data() {
        QTest::addColumn<QString>("boton");
        QTest::newRow("lote") << "BTN_lote";
        QTest::newRow("unidad recibida") << "BTN_unidadEntrada";
    }
    void edicionDeLaLineaConservaLoTecleado() {
        QFETCH(QString, boton);
        preparaNegocio(kMetodoPEPS);
        const auto pantalla = pantallaConOrden();
        QVERIFY(pantalla);
        QLineEdit *cantidad = campo(pantalla.get(), QStringLiteral("TXT_cantidad"));
        cantidad->setText(QStringLiteral("3"));
        TproximoDialogo dialogo;
        if (boton == QStringLiteral("BTN_lote"))
            dialogo.alAbrir<TFRM_lote>(this, [](TFRM_lote *l) {
                QTest::keyClicks(u_hijo<QLineEdit>(l, QStringLiteral("TXT_lote")), QStringLiteral("L-1"));
                u_clicBoton(l, QStringLiteral("BTN_aceptar"));
            });
        else
            dialogo.alAbrir<TFRM_seleccionarUnidadMedida>(this, [](TFRM_seleccionarUnidadMedida *u) {
                QTest::keyClicks(u_hijo<QLineEdit>(u, QStringLiteral("TXT_buscar")), QStringLiteral("Caja"));
                u_clicBoton(u, QStringLiteral("BTN_aceptar"));
            });
        u_clicBoton(pantalla.get(), boton);
        QVERIFY(dialogo.abierto);
        QCOMPARE(cantidad->text(), QStringLiteral("3"));
        QTest::keyClick(cantidad, Qt::Key_Return);
        QCOMPARE(pantalla->gridControl()->getCelda(0, QStringLiteral("_recibido")), QStringLiteral("3"));
    }

    // Escape cancels a dialog without touching the screen; on the screen itself it asks before
    // dropping what was captured.
    void escapeNoPierdeLoCapturado() {
        preparaNegocio(kMetodoPEPS);
        TFRM_EntradaInventarioOrdenCompra pantalla(uBase->sistema(uTienda->negocio));
        pantalla.prepara();
        pantalla.show();
        TproximoDialogo dialogo;
        dialogo.alAbrir<TFRM_seleccionarOrdenCompra>(
            this, [](TFRM_seleccionarOrdenCompra *d) { QTest::keyClick(d, Qt::Key_Escape); });
        u_clicBoton(&pantalla, QStringLiteral("BTN_ordenCompra"));
        QVERIFY(dialogo.abierto && !dialogo.quedoAbierto);
        QCOMPARE(pantalla.gridControl()->filas(), 0);
        dialogo.alAbrir<TFRM_seleccionarOrdenCompra>(
            this, [](TFRM_seleccionarOrdenCompra *d) { u_clicBoton(d, QStringLiteral("BTN_aceptar")); });
        u_clicBoton(&pantalla, QStringLiteral("BTN_ordenCompra"));
        auto *cantidad = u_hijo<QLineEdit>(&pantalla, QStringLiteral("TXT_cantidad"));
        QTest::keyClicks(cantidad, QStringLiteral("3"));
        QTest::keyClick(cantidad, Qt::Key_Return);
        guion().limpia();
        guion().respuestas({false});
        QTest::keyClick(&pantalla, Qt::Key_Escape);
        QVERIFY(pantalla.isVisible());
        QCOMPARE(pantalla.gridControl()->getCelda(0, QStringLiteral("_recibido")), QStringLiteral("3"));
        guion().respuestas({true});
        QTest::keyClick(&pantalla, Qt::Key_Escape);
        QVERIFY(!pantalla.isVisible());
        QVERIFY(!pantalla.uAceptar);
        QCOMPARE(escrito(), QStringLiteral("0 0 0 0"));
    }

    // A line received over two receipts: the first inserts its state, the second updates it; the
    // order is partly received, then complete. The ledger runs as the receipt posting writes it.
    void unaLineaEnDosRecepciones_data() {
        QTest::addColumn<int>("metodo");
        QTest::addColumn<QStringList>("esperado");
        QTest::addColumn<QStringList>("valores");
        QTest::newRow("PEPS") << int(kMetodoPEPS)
                              << QStringList{"tornillo 1 48 5 | - - - - | 48 5 | - - 0",
                                             "tornillo 2 72 5 | - - - - | 72 5 | - - 0",
                                             "laptop 2 2 15000 | - - - - | 2 15000 | - - 0"}
                              << QStringList{"-", "-", "-"};
        QTest::newRow("Promedio Ponderado") << int(kMetodoPromedioPonderado)
                                            << QStringList{"tornillo 1 48 5 | - - - - | 48 5 | - - -",
                                                           "tornillo 2 72 5 | - - - - | 120 5 | - - -",
                                                           "laptop 2 2 15000 | - - - - | 2 15000 | - - -"}
                                            << QStringList{"240", "600", "30000"};
    }
    void unaLineaEnDosRecepciones() {
        QFETCH(int, metodo);
        QFETCH(QStringList, esperado);
        QFETCH(QStringList, valores);
        preparaNegocio(metodo);
        auto primera = recepcion({4, 0});
        QVERIFY(primera && guarda(*primera));
        QCOMPARE(escrito(), QStringLiteral("1 1 1 1"));

        auto segunda = recepcion({});
        QVERIFY(segunda);
        const TlineaRecepcion &l = segunda->lineas()[0];
        QCOMPARE(l.orden.acumulado, 4.0);
        QCOMPARE(l.producto.nombre, QStringLiteral("Tornillo 1/4"));
        QCOMPARE(l.orden.factor, 12.0);
        QCOMPARE(segunda->setCantidadRecibida(0, QStringLiteral("7"), QStringLiteral("12")), kRebasa);
        segunda = recepcion({6, 2});
        QVERIFY(segunda && guarda(*segunda));
        QCOMPARE(escrito(), QStringLiteral("3 3 2 2"));
        QCOMPARE(cuenta(QStringLiteral("SELECT cantidadAcumulada FROM inventarioOrdenesCompraArticulos WHERE "
                                       "inventarioProducto_id IN (SELECT id FROM inventarioProducto WHERE "
                                       "idNegocioFk = :n AND opControladoNoSerie = 0)")),
                 10);
        QCOMPARE(kardex(), esperado);
        QCOMPARE(valoresKardex(), valores);
        QCOMPARE(existencia(uTienda->tornillo), 120.0);
        QCOMPARE(existencia(uTienda->laptop), 2.0);
        // Every receipt row names the order and the order's concept.
        QCOMPARE(cuenta(QStringLiteral(
                            "SELECT COUNT(*) FROM inventarioEntrada e JOIN inventarioMovimientoConcepto "
                            "c ON c.id = e.inventarioMovimientoConcepto_id WHERE e.idNegocioFk = :n AND "
                            "c.familia = -3 AND e.AF_numeroOrden = ") +
                        QString::number(uOrden)),
                 3);
        // Accounting takes what arrived (4 boxes = $240), not the order line's whole total.
        QCOMPARE(uTienda->n
                     .valor(QStringLiteral(
                                "SELECT MIN(subtotal) FROM AsientosAplicadosDetalle WHERE idNegocioFk = :n"),
                            {{QStringLiteral("n"), uTienda->negocio}})
                     .toDouble(),
                 240.0);
    }

    // Any statement that fails leaves nothing: no receipt, no ledger, no line state, the order as
    // it was; the first run that gets through writes everything.
    void fallaEnCualquierSentencia() {
        preparaNegocio(kMetodoPromedioPonderado);
        acumulado(4);
        auto r = recepcion({6, 0});
        QVERIFY(r);
        bool guardado = false;
        int fallidas = 0;
        for (int n = 1; n < 80 && !guardado; ++n) {
            TmiddleTier::setFallaEnSentencia(n);
            guardado = guarda(*r);
            TmiddleTier::setFallaEnSentencia(0);
            if (!guardado) {
                ++fallidas;
                QCOMPARE(escrito() + QStringLiteral(" n=") + QString::number(n),
                         QStringLiteral("0 0 1 0 n=") + QString::number(n));
            }
        }
        // The checks, then every write inside the transaction, failed in turn.
        QVERIFY(fallidas >= 11);
        QVERIFY(guardado);
        QCOMPARE(escrito(), QStringLiteral("1 1 1 1"));
        QCOMPARE(cuenta(QStringLiteral("SELECT cantidadAcumulada FROM inventarioOrdenesCompraArticulos")),
                 10);
    }

    // Another workstation received the line after it was loaded: nothing is written.
    void otraEstacionRecibioPrimero() {
        preparaNegocio(kMetodoPEPS);
        auto r = recepcion({6, 0});
        auto otra = recepcion({5, 0});
        QVERIFY(r && otra && guarda(*otra));
        QVERIFY(!guarda(*r));
        QCOMPARE(escrito(), QStringLiteral("1 1 1 1"));
        QCOMPARE(cuenta(QStringLiteral("SELECT cantidadAcumulada FROM inventarioOrdenesCompraArticulos")), 5);
    }

    // The checks before the save, in order, each with its message and nothing written.
    void revisionAntesDeGuardar_data() {
        QTest::addColumn<int>("caso");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("sin método") << 0
                                    << "El metodo de Valuación de Kardex no ha sido establecido, ingrese a "
                                       "la ventana de 'Opciones' y seleccione un Método de Valoración para "
                                       "el inventario.";
        QTest::newRow("almacén ajeno") << 1 << "Seleccione un almacén";
        QTest::newRow("fecha anterior al último movimiento") << 2 << "Revise fecha/hora de entrada";
    }
    void revisionAntesDeGuardar() {
        QFETCH(int, caso);
        QFETCH(QString, mensaje);
        if (caso != 0)
            preparaNegocio(kMetodoPEPS);
        auto r = recepcion({1, 2});
        QVERIFY(r);
        TnegocioEntradas otra(*uBase, QStringLiteral("Otra"));
        if (caso == 1)
            r->almacenID = otra.bodega;
        if (caso == 2) {
            TentradaPrueba posterior;
            posterior.fechaHora = r->fechaHora.addSecs(60);
            uTienda->entrada(posterior);
        }
        const QString antes = escrito();
        QVERIFY(!guarda(*r));
        QCOMPARE(guion().textos().value(0), mensaje);
        QCOMPARE(escrito(), antes);
    }

    // From the receipts list to the stored rows, through the widgets, on a fresh database: the
    // screws arrive by barcode and box with their lot, the laptops by the product picker with
    // their serial numbers.
    void deLaListaALosRenglones_data() {
        QTest::addColumn<int>("metodo");
        QTest::addColumn<QStringList>("esperado");
        QTest::addColumn<QStringList>("valores");
        QTest::newRow("PEPS") << int(kMetodoPEPS)
                              << QStringList{"tornillo 1 24 5 | - - - - | 24 5 | - - 0",
                                             "laptop 1 2 15000 | - - - - | 2 15000 | - - 0"}
                              << QStringList{"-", "-"};
        QTest::newRow("Promedio Ponderado") << int(kMetodoPromedioPonderado)
                                            << QStringList{"tornillo 1 24 5 | - - - - | 24 5 | - - -",
                                                           "laptop 1 2 15000 | - - - - | 2 15000 | - - -"}
                                            << QStringList{"120", "30000"};
    }
    void deLaListaALosRenglones() {
        QFETCH(int, metodo);
        QFETCH(QStringList, esperado);
        QFETCH(QStringList, valores);
        preparaNegocio(metodo);
        const int juegoPiezas = uTienda->n.fila(QStringLiteral("inventarioUnidadesMedidaConjunto"),
                                                {{QStringLiteral("nombre"), QStringLiteral("Piezas")}});
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(QStringLiteral("UPDATE inventarioUnidadesMedida SET conjunto = :c WHERE id IN (:p, :k)"));
        mt.setParametroEntero(QStringLiteral("c"), juegoPiezas);
        mt.setParametroEntero(QStringLiteral("p"), uTienda->pieza);
        mt.setParametroEntero(QStringLiteral("k"), uTienda->caja);
        QVERIFY(mt.nonQuery().isSuccess());
        mt.setQuery(QStringLiteral("UPDATE inventarioProducto SET codigoBarras = '7501234' WHERE id = :p"));
        mt.setParametroEntero(QStringLiteral("p"), uTienda->tornillo);
        QVERIFY(mt.nonQuery().isSuccess());

        localSYS = uBase->sistema(uTienda->negocio);
        std::unique_ptr<QWidget> lista(fabricaPantalla(Tpantalla::Entradas)());
        lista->resize(1200, 520);
        lista->show();
        QVERIFY(dynamic_cast<IPantallaInventario *>(lista.get())->init());

        TproximoDialogo captura, orden, barras, unidad, lote, producto, series;
        bool guardada = false;
        captura.alAbrir<TFRM_EntradaInventarioOrdenCompra>(this, [&](TFRM_EntradaInventarioOrdenCompra *d) {
            u_hijo<QComboBox>(d, QStringLiteral("CMB_almacenes"))->setCurrentIndex(0);
            orden.alAbrir<TFRM_seleccionarOrdenCompra>(
                this, [](TFRM_seleccionarOrdenCompra *o) { u_clicBoton(o, QStringLiteral("BTN_aceptar")); });
            u_clicBoton(d, QStringLiteral("BTN_ordenCompra"));
            // Screws: the scanner types the code and Enter.
            barras.alAbrir<TFRM_capturarCodigoBarras>(this, [](TFRM_capturarCodigoBarras *b) {
                auto *t = u_hijo<QLineEdit>(b, QStringLiteral("TXT_codigoBarras"));
                t->clear();
                QTest::keyClicks(t, QStringLiteral("7501234"));
                QTest::keyClick(t, Qt::Key_Return);
            });
            u_clicBoton(d, QStringLiteral("BTN_codigoBarras"));
            unidad.alAbrir<TFRM_seleccionarUnidadMedida>(this, [](TFRM_seleccionarUnidadMedida *u) {
                QTest::keyClicks(u_hijo<QLineEdit>(u, QStringLiteral("TXT_buscar")), QStringLiteral("Caja"));
                u_clicBoton(u, QStringLiteral("BTN_aceptar"));
            });
            u_clicBoton(d, QStringLiteral("BTN_unidadEntrada"));
            QCOMPARE(u_hijo<QLineEdit>(d, QStringLiteral("TXT_factorConversion"))->text(),
                     QStringLiteral("12"));
            lote.alAbrir<TFRM_lote>(this, [](TFRM_lote *l) {
                QTest::keyClicks(u_hijo<QLineEdit>(l, QStringLiteral("TXT_lote")), QStringLiteral("L-77"));
                u_clicBoton(l, QStringLiteral("BTN_aceptar"));
            });
            u_clicBoton(d, QStringLiteral("BTN_lote"));
            auto *cantidad = u_hijo<QLineEdit>(d, QStringLiteral("TXT_cantidad"));
            QTest::keyClicks(cantidad, QStringLiteral("2"));
            QTest::keyClick(cantidad, Qt::Key_Return);
            // Laptops: the product picker, two units, two serial numbers.
            producto.alAbrir<TFRM_seleccionarProducto>(this, [](TFRM_seleccionarProducto *p) {
                QTest::keyClicks(u_hijo<QLineEdit>(p, QStringLiteral("TXT_buscar")),
                                 QStringLiteral("Laptop"));
                u_clicBoton(p, QStringLiteral("BTN_aceptar"));
            });
            u_clicBoton(d, QStringLiteral("BTN_seleccionarProducto"));
            unidad.alAbrir<TFRM_seleccionarUnidadMedida>(this, [](TFRM_seleccionarUnidadMedida *u) {
                QTest::keyClicks(u_hijo<QLineEdit>(u, QStringLiteral("TXT_buscar")), QStringLiteral("Pieza"));
                u_clicBoton(u, QStringLiteral("BTN_aceptar"));
            });
            u_clicBoton(d, QStringLiteral("BTN_unidadEntrada"));
            QTest::keyClicks(cantidad, QStringLiteral("2"));
            QTest::keyClick(cantidad, Qt::Key_Return);
            series.alAbrir<TFRM_noSerie>(this, [](TFRM_noSerie *s) {
                auto *t = u_hijo<QLineEdit>(s, QStringLiteral("TXT_noSerie"));
                for (const QString &n : {QStringLiteral("LAP-001"), QStringLiteral("LAP-002")}) {
                    QTest::keyClicks(t, n);
                    QTest::keyClick(t, Qt::Key_Return);
                }
                u_clicBoton(s, QStringLiteral("BTN_aceptar"));
            });
            u_clicBoton(d, QStringLiteral("BTN_noSerie"));
            d->grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/entradaOrdenCompra_lista.png"));
            guion().limpia();
            guion().respuestas({true, true});
            u_clicBoton(d, QStringLiteral("BTN_aceptar"));
            guardada = !d->isVisible();
            if (!guardada) // leave without the question a scripted user would answer "no"
                d->done(QDialog::Rejected);
        });
        u_clicBoton(lista.get(), QStringLiteral("BTN_nuevaEntradaOrdenCompra"));
        QVERIFY(captura.abierto);
        QVERIFY2(guardada, qPrintable(guion().textos().join(QLatin1Char('|'))));
        QVERIFY(orden.abierto && barras.abierto && unidad.abierto && lote.abierto && producto.abierto &&
                series.abierto);

        QCOMPARE(kardex(), esperado);
        QCOMPARE(valoresKardex(), valores);
        QCOMPARE(existencia(uTienda->tornillo), 24.0);
        QCOMPARE(existencia(uTienda->laptop), 2.0);
        QCOMPARE(
            cuenta(QStringLiteral("SELECT COUNT(*) FROM inventarioLote l JOIN inventarioEntrada e ON e.id = "
                                  "l.inventarioEntrada_id WHERE e.idNegocioFk = :n AND l.numero = 'L-77' "
                                  "AND e.inventarioProducto_id = ") +
                   QString::number(uTienda->tornillo)),
            1);
        QCOMPARE(
            cuenta(QStringLiteral("SELECT COUNT(*) FROM inventarioNoSerie s JOIN inventarioEntrada e ON e.id "
                                  "= s.inventarioEntrada_id WHERE e.idNegocioFk = :n")),
            2);
        QCOMPARE(cuenta(QStringLiteral("SELECT COUNT(*) FROM inventarioEntrada WHERE idNegocioFk = :n AND "
                                       "unidadesMedida_id = ") +
                        QString::number(uTienda->caja) +
                        QStringLiteral(" AND factorConversion = 12 AND cantidad = 24")),
                 1);
        QCOMPARE(estadoOrden(), 1);
        // The list searched again and shows both rows of the new document.
        auto *pantallaLista = qobject_cast<TFRM_entradas *>(lista.get());
        QCOMPARE(pantallaLista->gridControl()->filas(), 2);
        QCOMPARE(pantallaLista->gridControl()->getCelda(0, QStringLiteral("inventarioEntrada_documento")),
                 QStringLiteral("1"));
    }
};

QTEST_MAIN(TpruebaCapturaOrdenCompra)
#include "tst_capturaOrdenCompra.moc"

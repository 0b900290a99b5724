// The transfer screens driven through their widgets: the new-transfer capture's rules (refusals,
// the split over the origin's layers and its top-up, the stock alerts, a change of origin), a
// transfer shipped from the list, received or cancelled from its detail, and the list's filters and
// permissions. After every posting the stored rows are checked and the consistency check is clean.
#include "apoyo/UfilasPrueba.h"
#include "apoyo/UnegocioPrueba.h"
#include "apoyo/UwidgetsPrueba.h"
#include "comun/U_utilerias.h"
#include "comun/ui/UFRM_capturarCodigoBarras.h"
#include "comun/ui/UFRM_seleccionarNoSerie.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/UgridControl.h"
#include "entradas/UFRM_lote.h"
#include "existencias/U_verificacion.h"
#include "inventario/UpantallasInventario.h"
#include "traspasos/UFRM_nuevoTraspaso.h"
#include "traspasos/UFRM_traspasoDetalle.h"
#include "traspasos/UFRM_traspasos.h"
#include "traspasos/UNEG_documentoTraspaso.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

// A stationery shop: Matriz holds notebooks in three layers (4 at $2, 3 at $3, 8 at $4, the last of
// lot C-0731) and three laptops with serial numbers; Bodega holds 5 notebooks at $2.50.
struct Ttienda {
    Ttienda(TbasePrueba &base, int metodo) : n(base, metodo) {
        matriz = n.almacen(QStringLiteral("Matriz"));
        bodega = n.almacen(QStringLiteral("Bodega"));
        cuaderno = n.productoEnCatalogo(QStringLiteral("Cuaderno"), QStringLiteral("7501001"));
        laptop = n.productoEnCatalogo(QStringLiteral("Laptop"), QStringLiteral("7501002"), 1);
        n.concepto(2, -1, QStringLiteral("Salida por traspaso"));
        n.concepto(1, -2, QStringLiteral("Entrada por traspaso"));
        n.recibe(QStringLiteral("R1"), matriz, cuaderno, TnegocioPrueba::dia(-3, "09:00:00"), 4, 2.0);
        n.recibe(QStringLiteral("R2"), matriz, cuaderno, TnegocioPrueba::dia(-2, "09:00:00"), 3, 3.0);
        const int r3 =
            n.recibe(QStringLiteral("R3"), matriz, cuaderno, TnegocioPrueba::dia(-2, "09:30:00"), 8, 4.0);
        u_insertaFila(base.sesion(), QStringLiteral("inventarioLote"),
                      {{"inventarioEntrada_id", r3},
                       {"numero", "C-0731"},
                       {"fechaCaducidad", "2031-07-31 00:00:00.000"},
                       {"fechaCaducidadEstablecida", 1}});
        n.recibe(QStringLiteral("RL"), matriz, laptop, TnegocioPrueba::dia(-2, "10:00:00"), 3, 100.0,
                 {QStringLiteral("L-1"), QStringLiteral("L-2"), QStringLiteral("L-3")});
        n.recibe(QStringLiteral("RB"), bodega, cuaderno, TnegocioPrueba::dia(-2, "09:00:00"), 5, 2.5);
        n.guion().limpia();
    }

    // Ships `cantidad` notebooks from Matriz to Bodega below the screens; the transfer's id.
    int envia(double cantidad) {
        TdocumentoTraspaso doc(n.sesion(), n.negocio());
        doc.setOrigen(matriz);
        doc.setDestino(bodega);
        doc.setFechaSalida(TnegocioPrueba::fecha(TnegocioPrueba::dia(-1, "09:00:00")));
        doc.setFechaRecepcion(TnegocioPrueba::fecha(TnegocioPrueba::dia(-1, "12:00:00")));
        TproductoSalida p;
        p.id = cuaderno;
        p.nombre = QStringLiteral("Cuaderno");
        n.acepta();
        const bool enviado = doc.agregaAlDocumento(p, cantidad) && doc.guardar();
        n.guion().limpia();
        return enviado ? doc.traspaso() : 0;
    }

    TnegocioPrueba n;
    int matriz = 0, bodega = 0, cuaderno = 0, laptop = 0;
};

class TpruebaPantallasTraspasos : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<Ttienda> uTienda;
    std::unique_ptr<TFRM_nuevoTraspaso> uPantalla;
    QWidget *uRaiz = nullptr; // the screen being driven
    TproximoDialogo uDialogo;
    TproximoDialogo uInterno; // a dialog opened from the screen while it runs modally

    TinteraccionGuionada &guion() const { return uTienda->n.guion(); }
    void nuevaTienda(int metodo) {
        uTienda.reset();
        uBase.reset();
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uTienda = std::make_unique<Ttienda>(*uBase, metodo);
    }
    void abre() {
        localSYS = uBase->sistema(uTienda->n.negocio());
        uPantalla = std::make_unique<TFRM_nuevoTraspaso>(localSYS);
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
    void almacenes(const QString &origen, const QString &destino) const {
        elige("CMB_almacenOrigen", origen);
        elige("CMB_almacenDestino", destino);
    }
    // The code as a scanner types it into the barcode dialog.
    void escanea(const QString &codigo) {
        uInterno.alAbrir<TFRM_capturarCodigoBarras>(this, [codigo](TFRM_capturarCodigoBarras *d) {
            auto *campo = d->findChild<QLineEdit *>(QStringLiteral("TXT_codigoBarras"));
            campo->setText(codigo);
            QTest::keyClick(campo, Qt::Key_Return);
        });
        QTest::keyClick(w("contenedor_codigoBarras"), Qt::Key_Return);
    }
    // The product scanned (none for an empty code), the quantity put in the field and "Agregar".
    void agrega(const QString &codigo, const QString &cantidad) {
        if (!codigo.isEmpty())
            escanea(codigo);
        // Set, not typed: text that the key filter would stop can still arrive (a paste).
        w<QLineEdit>("TXT_cantidad")->setText(cantidad);
        u_clicBoton(uRaiz, QStringLiteral("BTN_agregar"));
    }
    TGridControl *grid() const { return qobject_cast<TFRM_nuevoTraspaso *>(uRaiz)->gridControl(); }
    // "Producto cantidad costo | layer keeps | origin stock after" per line, as the grid holds them.
    QStringList lineas() const {
        const TGridControl *g = grid();
        QStringList l;
        for (int f = 0; f < g->filas(); ++f)
            l << QStringLiteral("%1 %2 %3|%4|%5")
                     .arg(g->getCelda(f, QStringLiteral("Producto")),
                          g->getTexto(f, g->indiceColumna(QStringLiteral("Cantidad"))),
                          g->getTexto(f, g->indiceColumna(QStringLiteral("CostoU"))),
                          FloatToStr(g->getCeldaAsFloat(f, QStringLiteral("_existencia"))),
                          FloatToStr(g->getCeldaAsFloat(f, QStringLiteral("_existenciaTotal"))));
        return l;
    }
    void guarda(QWidget *pantalla, const char *nombre) const {
        QVERIFY(pantalla->grab().save(TbasePrueba::carpetaSalida() + QLatin1Char('/') +
                                      QString::fromLatin1(nombre)));
    }
    QVariant valor(const QString &sentencia) const {
        return u_valorConsulta(uBase->sesion(), sentencia,
                               {{QStringLiteral("negocio"), uTienda->n.negocio()}});
    }
    void verificacionLimpia() const {
        bool ok = false;
        QCOMPARE(u_verificaInventario(uBase->sesion(), ok), QStringList());
        QVERIFY(ok);
    }
    // The list as the side-bar entry opens it, on the session of that level.
    std::unique_ptr<QWidget> lista(int nivel = 2) {
        localSYS = uBase->sistema(uTienda->n.negocio(), nivel);
        std::unique_ptr<QWidget> l(fabricaPantalla(Tpantalla::Traspasos)());
        l->resize(1100, 600);
        l->show();
        [&] { QVERIFY(dynamic_cast<IPantallaInventario *>(l.get())->init()); }();
        return l;
    }
    static QStringList documentos(const QWidget *lista) {
        const TGridControl *g = static_cast<const TFRM_traspasos *>(lista)->gridControl();
        QStringList l;
        for (int f = 0; f < g->filas(); ++f)
            l << g->getCelda(f, QStringLiteral("inventarioTraspaso_documento"));
        return l;
    }

private slots:
    void init() { nuevaTienda(1); }
    void cleanup() {
        uPantalla.reset();
        uTienda.reset();
        uBase.reset();
    }

    // Each refusal says why and leaves the lines as they were; an accepted quantity is split over
    // the origin's layers oldest first.
    void agregar_data() {
        QTest::addColumn<QString>("origen");
        QTest::addColumn<QString>("destino");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("cantidad");
        QTest::addColumn<QStringList>("esperadas");
        QTest::addColumn<QStringList>("mensajes");
        const QStringList ninguna;
        QTest::newRow("tres capas") << "Matriz"
                                    << "Bodega"
                                    << "7501001"
                                    << "10"
                                    << QStringList{"Cuaderno 4 $ 2.00|0|11", "Cuaderno 3 $ 3.00|0|8",
                                                   "Cuaderno 3 $ 4.00|5|5"}
                                    << QStringList();
        QTest::newRow("sin origen") << ""
                                    << "Bodega"
                                    << "7501001"
                                    << "1" << ninguna << QStringList{"Seleccione almacen de Origen"};
        QTest::newRow("sin destino") << "Matriz"
                                     << ""
                                     << "7501001"
                                     << "1" << ninguna << QStringList{"Seleccione almacen de Destino"};
        QTest::newRow("mismo almacén")
            << "Matriz"
            << "Matriz"
            << "7501001"
            << "1" << ninguna << QStringList{"Seleccione almacenes distintos de origen y destino"};
        QTest::newRow("sin producto") << "Matriz"
                                      << "Bodega"
                                      << ""
                                      << "1" << ninguna << QStringList{"Seleccione un producto"};
        QTest::newRow("cero") << "Matriz"
                              << "Bodega"
                              << "7501001"
                              << "0" << ninguna << QStringList{"Capture la cantidad a traspasar"};
        QTest::newRow("sobre la existencia") << "Matriz"
                                             << "Bodega"
                                             << "7501001"
                                             << "15.5" << ninguna << QStringList{"Existencia insuficiente"};
        QTest::newRow("no es número") << "Matriz"
                                      << "Bodega"
                                      << "7501001"
                                      << "1e3" << ninguna
                                      << QStringList{"El valor de Cantidad debe ser un número positivo, sin "
                                                     "signos ni letras."};
        QTest::newRow("enorme") << "Matriz"
                                << "Bodega"
                                << "7501001"
                                << "99999999999999" << ninguna
                                << QStringList{"El valor de Cantidad es demasiado grande."};
        QTest::newRow("código ajeno")
            << "Matriz"
            << "Bodega"
            << "' OR 1=1 --"
            << "1" << ninguna << QStringList{"No se encontro coincidencia", "Seleccione un producto"};
    }
    void agregar() {
        QFETCH(QString, origen);
        QFETCH(QString, destino);
        QFETCH(QString, codigo);
        QFETCH(QString, cantidad);
        QFETCH(QStringList, esperadas);
        QFETCH(QStringList, mensajes);
        abre();
        almacenes(origen, destino);
        agrega(codigo, cantidad);
        QCOMPARE(guion().textos(), mensajes);
        QCOMPARE(lineas(), esperadas);
    }

    // Adding the product again tops up its last layer from one snapshot; the origin stock shown
    // excludes the lines, the preview shows the destination after the quantity typed, and deleting
    // a line deletes the product. Changing the origin asks before dropping the lines.
    void completarEliminarYCambiarOrigen() {
        abre();
        almacenes(QStringLiteral("Matriz"), QStringLiteral("Bodega"));
        agrega(QStringLiteral("7501001"), QStringLiteral("10"));
        agrega(QStringLiteral("7501001"), QStringLiteral("2"));
        QCOMPARE(lineas(),
                 (QStringList{"Cuaderno 4 $ 2.00|0|11", "Cuaderno 3 $ 3.00|0|8", "Cuaderno 5 $ 4.00|3|3"}));
        escanea(QStringLiteral("7501001"));
        QCOMPARE(texto("LBL_existenciaOrigen"), QStringLiteral("3"));
        QCOMPARE(texto("LBL_existenciaDestino"), QStringLiteral("5"));
        QTest::keyClicks(w("TXT_cantidad"), QStringLiteral("2"));
        QCOMPARE(texto("LBL_cantidadDestino"), QStringLiteral("7"));
        QTest::keyClicks(w("TXT_cantidad"), QStringLiteral("0"));
        QCOMPARE(texto("LBL_mensajeTraspaso"), QStringLiteral("Existencia Insuficiente"));
        QVERIFY(guion().textos().isEmpty());

        u_clicCelda(grid()->grid(), 1, 0);
        QCOMPARE(lineas(), QStringList());
        agrega(QStringLiteral("7501001"), QStringLiteral("2"));
        guion().respuestas({false});
        elige("CMB_almacenOrigen", QStringLiteral("Bodega"));
        QCOMPARE(w<QComboBox>("CMB_almacenOrigen")->currentText(), QStringLiteral("Matriz"));
        QCOMPARE(lineas().size(), 1);
        guion().respuestas({true});
        elige("CMB_almacenOrigen", QStringLiteral("Bodega"));
        QCOMPARE(guion().preguntas().size(), 2);
        QCOMPARE(lineas(), QStringList());
        QCOMPARE(texto("LBL_mensajeTraspaso"), QStringLiteral("El almacen de origen y destino es el mismo"));
    }

    // The minimum at the origin and the maximum at the destination ask; declining adds nothing.
    void alertasDeStock_data() {
        QTest::addColumn<bool>("maximo");
        QTest::addColumn<bool>("acepta");
        QTest::newRow("mínimo aceptado") << false << true;
        QTest::newRow("mínimo rechazado") << false << false;
        QTest::newRow("máximo aceptado") << true << true;
        QTest::newRow("máximo rechazado") << true << false;
    }
    void alertasDeStock() {
        QFETCH(bool, maximo);
        QFETCH(bool, acepta);
        Ttienda &t = *uTienda;
        t.n.fila(QStringLiteral("inventarioStock"), {{"inventarioAlmacen_id", maximo ? t.bodega : t.matriz},
                                                     {"inventarioProducto_id", t.cuaderno},
                                                     {maximo ? "maximo" : "minimo", maximo ? 8.0 : 12.0}});
        abre();
        almacenes(QStringLiteral("Matriz"), QStringLiteral("Bodega"));
        guion().respuestas({acepta});
        agrega(QStringLiteral("7501001"), QStringLiteral("4"));
        QCOMPARE(guion().preguntas().size(), 1);
        QVERIFY2(
            guion().preguntas()[0].contains(maximo ? QStringLiteral("Bodega") : QStringLiteral("Matriz")),
            qPrintable(guion().preguntas()[0]));
        QCOMPARE(lineas().size(), acepta ? 1 : 0);
    }

    // From the list's "Nuevo Traspaso" to the stored rows, the list and a clean check. Missing
    // serial numbers keep the screen open with its lines.
    void envioDeExtremoAExtremo_data() {
        QTest::addColumn<int>("metodo");
        QTest::newRow("PEPS") << 1;
        QTest::newRow("Promedio Ponderado") << 2;
    }
    void envioDeExtremoAExtremo() {
        QFETCH(int, metodo);
        nuevaTienda(metodo);
        Ttienda &t = *uTienda;
        std::unique_ptr<QWidget> l = lista();
        QCOMPARE(documentos(l.get()), QStringList());
        QVERIFY(u_hijo<QLabel>(l.get(), QStringLiteral("LBL_msg"))->isVisible());
        QStringList faltantes;
        uDialogo.alAbrir<TFRM_nuevoTraspaso>(this, [&](TFRM_nuevoTraspaso *captura) {
            uRaiz = captura;
            almacenes(QStringLiteral("Matriz"), QStringLiteral("Bodega"));
            agrega(QStringLiteral("7501001"), QStringLiteral("10"));
            agrega(QStringLiteral("7501002"), QStringLiteral("2"));
            u_clicBoton(captura, QStringLiteral("BTN_aceptar"));
            faltantes = guion().textos();
            guion().limpia();
            u_clicCelda(grid()->grid(), 3, 2);
            QCOMPARE(texto("LBL_noSerieCaptura"), QStringLiteral("capturados: 0/2"));
            uInterno.alAbrir<TFRM_seleccionarNoSerie>(this, [](TFRM_seleccionarNoSerie *d) {
                u_clicBoton(d, QStringLiteral("BTN_todos"));
                u_clicBoton(d, QStringLiteral("BTN_aceptar"));
            });
            u_clicBoton(captura, QStringLiteral("BTN_verNoSerie"));
            QCOMPARE(texto("LBL_noSerieCaptura"), QStringLiteral("capturados: 2/2"));
            guarda(captura, metodo == 1 ? "nuevoTraspaso.png" : "nuevoTraspaso_promedio.png");
            guion().respuestas({true});
            u_clicBoton(captura, QStringLiteral("BTN_aceptar"));
        });
        u_clicBoton(l.get(), QStringLiteral("BTN_nuevoTraspaso"));
        QVERIFY(uDialogo.abierto && !uDialogo.quedoAbierto);
        QCOMPARE(faltantes.size(), 1);
        QVERIFY2(faltantes[0].contains(QStringLiteral("Renglón 4 no se han capturado")),
                 qPrintable(faltantes[0]));
        QVERIFY2(guion().textos().isEmpty(), qPrintable(guion().textos().join(QLatin1Char('|'))));

        QCOMPARE(
            valor(QStringLiteral("SELECT COUNT(*) FROM inventarioTraspaso WHERE idNegocioFk = :negocio AND "
                                 "documento = 1 AND inventarioTraspasoEstado_id = 1"))
                .toInt(),
            1);
        QCOMPARE(
            valor(QStringLiteral("SELECT COUNT(*) FROM inventarioTraspasoDetalle d JOIN inventarioTraspaso "
                                 "t ON t.id = d.inventarioTraspaso_id WHERE t.idNegocioFk = :negocio"))
                .toInt(),
            4);
        QCOMPARE(
            valor(QStringLiteral(
                      "SELECT COUNT(*) FROM inventarioTraspasoNoSerie s JOIN inventarioTraspasoDetalle d ON "
                      "d.id = s.inventarioTraspasoDetalle_id JOIN inventarioTraspaso t ON t.id = "
                      "d.inventarioTraspaso_id WHERE t.idNegocioFk = :negocio"))
                .toInt(),
            2);
        QCOMPARE(t.n.existencia(t.matriz, t.cuaderno), 5.0);
        QCOMPARE(t.n.existencia(t.matriz, t.laptop), 1.0);
        QCOMPARE(t.n.existencia(t.bodega, t.cuaderno), 5.0); // in transit: nowhere yet
        verificacionLimpia();
        QCOMPARE(documentos(l.get()), QStringList{"1"});
        QVERIFY(!u_hijo<QLabel>(l.get(), QStringLiteral("LBL_msg"))->isVisible());
    }

    // The detail opened from the list: nothing happens without a choice, a date before the
    // shipment is refused with the screen open, then the closing writes one receipt per line into
    // the receiving warehouse and the transfer opens read-only afterwards.
    void cierreDesdeElDetalle_data() {
        QTest::addColumn<bool>("recibir");
        QTest::newRow("recibir") << true;
        QTest::newRow("cancelar") << false;
    }
    void cierreDesdeElDetalle() {
        QFETCH(bool, recibir);
        Ttienda &t = *uTienda;
        QVERIFY(t.envia(10) > 0);
        std::unique_ptr<QWidget> l = lista();
        QStringList grid, mensajes;
        bool quedoAbierta = false;
        uDialogo.alAbrir<TFRM_traspasoDetalle>(this, [&](TFRM_traspasoDetalle *d) {
            uRaiz = d;
            QCOMPARE(texto("LBL_origen"), QStringLiteral("Matriz"));
            QCOMPARE(texto("LBL_estatus"), QStringLiteral("En tránsito"));
            const TGridControl *g = d->gridControl();
            for (int f = 0; f < g->filas(); ++f)
                grid << g->getTexto(f,
                                    g->indiceColumna(QStringLiteral("inventarioTraspasoDetalle_cantidad"))) +
                            QLatin1Char(' ') +
                            g->getTexto(f,
                                        g->indiceColumna(QStringLiteral("inventarioTraspasoDetalle_costo")));
            u_clicBoton(d, QStringLiteral("BTN_aceptar"));
            w<QRadioButton>(recibir ? "RAD_recibirTraspaso" : "RAD_cancelarTraspaso")->setChecked(true);
            QVERIFY(!texto("LBL_fechaHoraUltimo").isEmpty());
            w<QDateEdit>("DTP_fechaRecepcion")->setDate(QDate::currentDate().addDays(-3));
            u_clicBoton(d, QStringLiteral("BTN_aceptar"));
            mensajes = guion().textos();
            quedoAbierta = d->isVisible();
            guarda(d, "traspasoDetalle.png");
            w<QDateEdit>("DTP_fechaRecepcion")->setDate(QDate::currentDate());
            guion().respuestas({true});
            u_clicBoton(d, QStringLiteral("BTN_aceptar"));
        });
        u_clicCelda(static_cast<TFRM_traspasos *>(l.get())->gridControl()->grid(), 0, 0);
        QVERIFY(uDialogo.abierto && !uDialogo.quedoAbierto);
        QCOMPARE(grid, (QStringList{"4 $ 2.00", "3 $ 3.00", "3 $ 4.00"}));
        QCOMPARE(mensajes, QStringList{"Revise fecha/hora de entrada"});
        QVERIFY(quedoAbierta);

        QCOMPARE(valor(QStringLiteral("SELECT inventarioTraspasoEstado_id FROM inventarioTraspaso WHERE "
                                      "idNegocioFk = :negocio"))
                     .toInt(),
                 recibir ? 2 : 3);
        QCOMPARE(valor(QStringLiteral(
                           "SELECT COUNT(*) FROM inventarioEntrada e JOIN inventarioMovimientoConcepto c "
                           "ON c.id = e.inventarioMovimientoConcepto_id WHERE e.idNegocioFk = :negocio "
                           "AND c.familia = -2 AND e.inventarioAlmacen_id = ") +
                       QString::number(recibir ? t.bodega : t.matriz))
                     .toInt(),
                 3);
        QCOMPARE(t.n.existencia(t.bodega, t.cuaderno), recibir ? 15.0 : 5.0);
        QCOMPARE(t.n.existencia(t.matriz, t.cuaderno), recibir ? 5.0 : 15.0);
        verificacionLimpia();

        // Closed: the list shows the new state and the detail only consults.
        const TGridControl *g = static_cast<TFRM_traspasos *>(l.get())->gridControl();
        QCOMPARE(g->getCelda(0, QStringLiteral("inventarioTraspasoEstado_etiqueta")),
                 recibir ? QStringLiteral("Recibido") : QStringLiteral("Cancelado"));
        bool cierreHabilitado = true;
        uDialogo.alAbrir<TFRM_traspasoDetalle>(this, [&](TFRM_traspasoDetalle *d) {
            cierreHabilitado = u_hijo(d, QStringLiteral("contenedor_cierre"))->isEnabled();
            u_clicBoton(d, QStringLiteral("BTN_aceptar"));
        });
        u_clicCelda(g->grid(), 0, 0);
        QVERIFY(!cierreHabilitado);
    }

    // Filters: origin and state search at once, the destination waits for "Buscar", the document
    // matches by containment; another business's transfers never show. A read-only user consults.
    void listaFiltrosYPermisos() {
        Ttienda &t = *uTienda;
        const auto traspaso = [&](int negocio, int origen, int destino, int documento, int estado) {
            u_insertaFila(uBase->sesion(), QStringLiteral("inventarioTraspaso"),
                          {{"documento", documento},
                           {"ORIGENinventarioAlmacen_id", origen},
                           {"DESTINOinventarioAlmacen_id", destino},
                           {"fechaSalida", TnegocioPrueba::dia(-1, "09:00:00.000")},
                           {"fechaRecepcion", TnegocioPrueba::dia(0, "09:00:00.000")},
                           {"inventarioTraspasoEstado_id", estado},
                           {"idNegocioFk", negocio}});
        };
        for (const int documento : {7, 12, 112})
            traspaso(t.n.negocio(), t.matriz, t.bodega, documento, 1);
        traspaso(t.n.negocio(), t.bodega, t.matriz, 120, 2);
        {
            TnegocioPrueba otro(*uBase, 1, QStringLiteral("Otra Papelería"));
            const int a = otro.almacen(QStringLiteral("Ajeno")), b = otro.almacen(QStringLiteral("Lejano"));
            traspaso(otro.negocio(), a, b, 12, 1);
        }
        std::unique_ptr<QWidget> l = lista();
        uRaiz = l.get();
        QCOMPARE(documentos(l.get()), (QStringList{"120", "112", "12", "7"}));
        guarda(l.get(), "traspasos.png");
        QTest::keyClicks(w("TXT_documento"), QStringLiteral("12"));
        QTest::keyClick(w("TXT_documento"), Qt::Key_Return);
        QCOMPARE(documentos(l.get()), (QStringList{"120", "112", "12"}));
        w<QLineEdit>("TXT_documento")->setText(QStringLiteral("1%"));
        u_clicBoton(l.get(), QStringLiteral("BTN_buscar"));
        QCOMPARE(documentos(l.get()), QStringList()); // a pasted wildcard is a letter
        w<QLineEdit>("TXT_documento")->setText(QStringLiteral("12"));
        QTest::keyClick(w("TXT_documento"), Qt::Key_Return);
        elige("CMB_almacenDestino", QStringLiteral("Matriz"));
        QCOMPARE(documentos(l.get()), (QStringList{"120", "112", "12"}));
        u_clicBoton(l.get(), QStringLiteral("BTN_buscar"));
        QCOMPARE(documentos(l.get()), QStringList{"120"});
        elige("CMB_status", QStringLiteral("En tránsito"));
        QCOMPARE(documentos(l.get()), QStringList());
        QVERIFY(w<QLabel>("LBL_msg")->isVisible());
        QCOMPARE(texto("LBL_msg"), QStringLiteral("No hay elementos que mostrar"));
        u_clicBoton(l.get(), QStringLiteral("BTN_reiniciaCMBdestino"));
        QCOMPARE(documentos(l.get()), (QStringList{"112", "12"}));

        std::unique_ptr<QWidget> consulta = lista(kNivelRestringido);
        for (const char *boton : {"BTN_nuevoTraspaso", "BTN_excel", "BTN_exportarPDF"})
            QVERIFY(!u_hijo(consulta.get(), QString::fromLatin1(boton))->isEnabled());
        bool cierreHabilitado = true;
        uDialogo.alAbrir<TFRM_traspasoDetalle>(this, [&](TFRM_traspasoDetalle *d) {
            cierreHabilitado = u_hijo(d, QStringLiteral("contenedor_cierre"))->isEnabled();
            u_clicBoton(d, QStringLiteral("BTN_aceptar"));
        });
        u_clicCelda(static_cast<TFRM_traspasos *>(consulta.get())->gridControl()->grid(), 1, 0);
        QVERIFY(uDialogo.abierto && !uDialogo.quedoAbierto);
        QVERIFY(!cierreHabilitado);
    }
};

QTEST_MAIN(TpruebaPantallasTraspasos)
#include "tst_pantallasTraspasos.moc"

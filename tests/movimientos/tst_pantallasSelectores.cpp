// The movement and serial-number choosers on screen, driven by their controls' names.
#include "apoyo/UnegocioPrueba.h"

#include "apoyo/UwidgetsPrueba.h"
#include "comun/ui/UFRM_seleccionarMovimiento.h"
#include "comun/ui/UFRM_seleccionarNoSerie.h"
#include "comun/ui/U_imagenes.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

namespace {

int columna(QTableView *grid, const QString &cabecera) {
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
        if (grid->model()->headerData(c, Qt::Horizontal).toString() == cabecera)
            return c;
    }
    return -1;
}

QStringList textos(QTableView *grid, const QString &cabecera) {
    QStringList t;
    const int c = columna(grid, cabecera);
    for (int f = 0; c >= 0 && f < grid->model()->rowCount(); ++f)
        t << grid->model()->index(f, c).data().toString();
    return t;
}

bool visible(QTableView *grid, const QString &cabecera) {
    const int c = columna(grid, cabecera);
    return c >= 0 && !grid->isColumnHidden(c);
}

QString hoy(const char *hora) {
    return QDate::currentDate().toString(Qt::ISODate) + QLatin1Char(' ') + QLatin1String(hora);
}

// The layer's serial ids by number.
QHash<QString, int> idsNoSerie(TConexionSesion *sesion, int capa) {
    QHash<QString, int> ids;
    TmiddleTier mt(sesion);
    mt.setQuery(
        QStringLiteral("SELECT id, numero FROM inventarioNoSerie WHERE inventarioEntrada_id = :capa"));
    mt.setParametroEntero(QStringLiteral("capa"), capa);
    const CmidTierResponse r = mt.reader();
    for (int f = 0; f < r.getRowCount(); ++f)
        ids.insert(r.getCelda(f, 1), int(r.getCeldaAsInt(f, 0)));
    return ids;
}

} // namespace

class TpruebaPantallasSelectores : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<TnegocioPrueba> uNegocio;
    int uMatriz = 0, uProducto = 0, uR2 = 0;

    // Matriz: R1 (2.5, emptied by issue 1) and R2 (3, of which issue 2 took 1); Bodega: R3 (9).
    void movimientos() {
        uNegocio = std::make_unique<TnegocioPrueba>(*uBase, 1);
        TnegocioPrueba &n = *uNegocio;
        uMatriz = n.almacen();
        const int bodega = n.almacen(QStringLiteral("Bodega"));
        uProducto = n.producto(QStringLiteral("Cartulina"));
        n.recibe(QStringLiteral("R1"), uMatriz, uProducto, hoy("08:00:00"), 2.5, 1.0);
        uR2 = n.recibe(QStringLiteral("R2"), uMatriz, uProducto, hoy("08:00:00"), 3, 1.5);
        n.recibe(QStringLiteral("R3"), bodega, uProducto, hoy("08:00:00"), 9, 1.0);
        QCOMPARE(n.entrega(uMatriz, uProducto, hoy("09:00:00"), 2.5), 1);
        QCOMPARE(n.entrega(uMatriz, uProducto, hoy("09:30:00"), 1), 2);
    }

private slots:
    void init() { QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error())); }
    void cleanup() {
        uNegocio.reset();
        uBase.reset();
    }

    void movimientoFiltra_data() {
        QTest::addColumn<int>("modo");
        QTest::addColumn<QString>("documento");
        QTest::addColumn<QString>("comprobante");
        QTest::addColumn<QStringList>("documentos");
        const int entradas = int(TmodoMovimiento::Entradas), salidas = int(TmodoMovimiento::Salidas);
        QTest::newRow("entradas del almacén con existencia")
            << entradas << QString() << QString() << QStringList{QStringLiteral("2")};
        QTest::newRow("salidas por devolver")
            << salidas << QString() << QString() << QStringList{QStringLiteral("1"), QStringLiteral("2")};
        QTest::newRow("por documento")
            << salidas << QStringLiteral("2") << QString() << QStringList{QStringLiteral("2")};
        QTest::newRow("documento con comillas")
            << salidas << QStringLiteral("x'; --") << QString() << QStringList{};
        QTest::newRow("comodín en el comprobante")
            << salidas << QString() << QStringLiteral("%") << QStringList{};
        QTest::newRow("comprobante de 200 letras")
            << entradas << QString() << QString(200, QLatin1Char('A')) << QStringList{};
    }
    void movimientoFiltra() {
        QFETCH(int, modo);
        QFETCH(QString, documento);
        QFETCH(QString, comprobante);
        QFETCH(QStringList, documentos);
        movimientos();
        TFRM_seleccionarMovimiento d(uBase->sistema(uNegocio->negocio()));
        UREC_seleccionarMovimiento solicitud;
        solicitud.almacenID = uMatriz;
        d.prepara(TmodoMovimiento(modo), solicitud);
        u_hijo<QLineEdit>(&d, QStringLiteral("TXT_documento"))->setText(documento);
        u_hijo<QLineEdit>(&d, QStringLiteral("TXT_comprobante"))->setText(comprobante);
        u_clicBoton(&d, QStringLiteral("BTN_buscar"));
        auto *grid = u_hijo<QTableView>(&d, QStringLiteral("GRD_movimiento"));
        QCOMPARE(textos(grid, QStringLiteral("Documento")), documentos);
        QCOMPARE(u_hijo<QLabel>(&d, QStringLiteral("LBL_msgGRD"))->text(),
                 documentos.isEmpty() ? QStringLiteral("No hay elementos que mostrar") : QString());
        // A receipt shows what its layer holds; an issue row what left and its cost.
        const bool enEntradas = modo == int(TmodoMovimiento::Entradas);
        QCOMPARE(visible(grid, QStringLiteral("Existencia")), enEntradas);
        QCOMPARE(visible(grid, QStringLiteral("Cantidad")), !enEntradas);
        // Clearing the document filter lists everything again.
        u_clicBoton(&d, QStringLiteral("BTN_reiniciarTXTdocumento"));
        u_clicBoton(&d, QStringLiteral("BTN_reiniciarTXTcomprobante"));
        QCOMPARE(grid->model()->rowCount(), enEntradas ? 1 : 2);
    }

    void movimientoElegidoSeDevuelve() {
        movimientos();
        TFRM_seleccionarMovimiento d(uBase->sistema(uNegocio->negocio()));
        UREC_seleccionarMovimiento solicitud;
        solicitud.almacenID = uMatriz;
        d.prepara(TmodoMovimiento::Entradas, solicitud);
        auto *grid = u_hijo<QTableView>(&d, QStringLiteral("GRD_movimiento"));
        QCOMPARE(grid->model()->rowCount(), 1);
        u_clicCelda(grid, 0, columna(grid, QStringLiteral("Documento")));
        u_clicBoton(&d, QStringLiteral("BTN_aceptar"));
        const UREC_seleccionarMovimiento r = d.respuesta();
        QVERIFY(r.aceptar);
        QCOMPARE(r.movimientoID, uR2);
        QCOMPARE(r.productoID, uProducto);
        QCOMPARE(r.cantidadMaxima, 2.0);
        QCOMPARE(r.costoUnitario, 1.5);
        QCOMPARE(r.almacenID, uMatriz);
    }

    // Without the caller's warehouse nothing is listed and "Aceptar" chooses nothing.
    void sinAlmacenNoSeEligeNada() {
        movimientos();
        TFRM_seleccionarMovimiento d(uBase->sistema(uNegocio->negocio()));
        d.prepara(TmodoMovimiento::Salidas, {});
        QCOMPARE(u_hijo<QTableView>(&d, QStringLiteral("GRD_movimiento"))->model()->rowCount(), 0);
        u_clicBoton(&d, QStringLiteral("BTN_aceptar"));
        QVERIFY(!d.respuesta().aceptar);
    }

    // Five numbers came in with the layer; S-01 and S-02 already left. The line takes out two.
    void noSerieMarca_data() {
        QTest::addColumn<QStringList>("dados");
        QTest::addColumn<QString>("acciones"); // row numbers clicked, or a button's name
        QTest::addColumn<QStringList>("marcados");
        QTest::newRow("Todos marca los primeros en almacén")
            << QStringList{} << QStringLiteral("BTN_todos") << QStringList{"S-03", "S-04"};
        QTest::newRow("un vendido no se marca") << QStringList{} << QStringLiteral("0 1") << QStringList{};
        QTest::newRow("clic marca y desmarca")
            << QStringList{} << QStringLiteral("2 3 2") << QStringList{"S-04"};
        QTest::newRow("no más de los que salen")
            << QStringList{} << QStringLiteral("2 3 4") << QStringList{"S-03", "S-04"};
        QTest::newRow("Ninguno") << QStringList{"S-05"} << QStringLiteral("BTN_todos BTN_ninguno")
                                 << QStringList{};
        QTest::newRow("los dados llegan marcados") << QStringList{"S-05"} << QString() << QStringList{"S-05"};
        QTest::newRow("Cancelar deja los dados")
            << QStringList{"S-05"} << QStringLiteral("2 BTN_cancelar") << QStringList{"S-05"};
    }
    void noSerieMarca() {
        QFETCH(QStringList, dados);
        QFETCH(QString, acciones);
        QFETCH(QStringList, marcados);
        TnegocioPrueba n(*uBase, 1);
        const int almacen = n.almacen();
        const int producto = n.producto(QStringLiteral("Calculadora"), 1);
        const int capa = n.recibe(QStringLiteral("R"), almacen, producto, hoy("08:00:00"), 5, 120.0,
                                  {"S-03", "S-01", "S-05", "S-02", "S-04"});
        QVERIFY(capa > 0);
        const QHash<QString, int> ids = idsNoSerie(n.sesion(), capa);
        auto salida = n.documentoSalida(almacen, hoy("09:00:00"));
        TproductoSalida p;
        p.id = producto;
        p.nombre = QStringLiteral("Calculadora");
        p.controlNoSerie = 1;
        QVERIFY(salida->agregarProducto(p, 2));
        QVERIFY(salida->setSeries(0, {ids.value(QStringLiteral("S-01")), ids.value(QStringLiteral("S-02"))}));
        n.acepta();
        QVERIFY(salida->guardar());

        RECnumerosSerie solicitud;
        solicitud.productoID = producto;
        solicitud.entradaID = capa;
        solicitud.productoNombre = QStringLiteral("Calculadora");
        solicitud.cantidad = 2;
        solicitud.controlNoSerie = 1;
        for (const QString &d : dados)
            solicitud.seleccionados << ids.value(d);
        TFRM_seleccionarNoSerie d(uBase->sistema(n.negocio()));
        d.prepara(solicitud);
        auto *grid = u_hijo<QTableView>(&d, QStringLiteral("GRD_noSerie"));
        QCOMPARE(textos(grid, QStringLiteral("No. Serie")),
                 (QStringList{"S-01", "S-02", "S-03", "S-04", "S-05"}));
        for (const QString &a : acciones.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            bool fila = false;
            const int f = a.toInt(&fila);
            if (fila)
                u_clicCelda(grid, f, 0);
            else
                u_clicBoton(&d, a);
        }
        if (!acciones.contains(QLatin1String("BTN_cancelar")))
            u_clicBoton(&d, QStringLiteral("BTN_aceptar"));
        QStringList obtenidos;
        for (int id : d.resultado())
            obtenidos << ids.key(id);
        QCOMPARE(obtenidos, marcados);
        if (!acciones.contains(QLatin1String("BTN_cancelar")))
            QCOMPARE(u_hijo<QLabel>(&d, QStringLiteral("LBL_elementos"))->text(),
                     QStringLiteral("%1/2").arg(marcados.size()));
        // Every number the layer admits is there: no new one can be captured.
        QVERIFY(!u_hijo<QPushButton>(&d, QStringLiteral("BTN_capturarNoSerie"))->isEnabled());
    }

    // The chooser's caption and title; the mark column shows a box for the numbers in stock, the icon
    // column blocks the issued ones. A lookup that fails keeps the grid and its marks, so "Aceptar"
    // still hands back the numbers marked.
    void noSerieBusquedaFallidaConservaLaLista() {
        TnegocioPrueba n(*uBase, 1);
        const int almacen = n.almacen();
        const int producto = n.producto(QStringLiteral("Calculadora"), 1);
        const int capa = n.recibe(QStringLiteral("R"), almacen, producto, hoy("08:00:00"), 3, 120.0,
                                  {"AB-1", "AB-2", "C-3"});
        const QHash<QString, int> ids = idsNoSerie(n.sesion(), capa);
        auto salida = n.documentoSalida(almacen, hoy("09:00:00"));
        TproductoSalida p;
        p.id = producto;
        p.controlNoSerie = 1;
        QVERIFY(salida->agregarProducto(p, 1));
        QVERIFY(salida->setSeries(0, {ids.value(QStringLiteral("C-3"))}));
        n.acepta();
        QVERIFY(salida->guardar());

        RECnumerosSerie solicitud;
        solicitud.entradaID = capa;
        solicitud.cantidad = 2;
        solicitud.controlNoSerie = 1;
        solicitud.seleccionados = {ids.value(QStringLiteral("AB-1"))};
        TFRM_seleccionarNoSerie d(uBase->sistema(n.negocio()));
        d.prepara(solicitud);
        QCOMPARE(d.windowTitle(), QStringLiteral("Quiroval"));
        QCOMPARE(u_hijo<QLabel>(&d, QStringLiteral("LBL_titulo"))->text(),
                 QStringLiteral("Seleccionar No. de Serie"));
        auto *grid = u_hijo<QTableView>(&d, QStringLiteral("GRD_noSerie"));
        u_clicCelda(grid, 1, 0); // AB-2
        auto marcas = [grid](int columna) {
            QStringList m;
            for (int f = 0; f < grid->model()->rowCount(); ++f) {
                const qint64 clave =
                    grid->model()->index(f, columna).data(Qt::DecorationRole).value<QPixmap>().cacheKey();
                QString nombre;
                for (const char *imagen : {"checked", "unchecked", "blocked"})
                    if (mini_cargaImage(QString::fromLatin1(imagen)).cacheKey() == clave)
                        nombre = QString::fromLatin1(imagen);
                m << nombre;
            }
            return m;
        };
        const QStringList marcasAntes = marcas(0);
        QCOMPARE(marcasAntes, (QStringList{"checked", "checked", ""}));
        QCOMPARE(marcas(1), (QStringList{"", "", "blocked"}));

        auto *numero = u_hijo<QLineEdit>(&d, QStringLiteral("TXT_numero"));
        numero->setText(QStringLiteral("AB"));
        TmiddleTier::setFallaEnSentencia(1);
        u_clicBoton(&d, QStringLiteral("BTN_buscar"));
        TmiddleTier::setFallaEnSentencia(0);
        QCOMPARE(textos(grid, QStringLiteral("No. Serie")), (QStringList{"AB-1", "AB-2", "C-3"}));
        QCOMPARE(marcas(0), marcasAntes);
        QCOMPARE(u_hijo<QLabel>(&d, QStringLiteral("LBL_elementos"))->text(), QStringLiteral("2/2"));
        u_clicBoton(&d, QStringLiteral("BTN_aceptar"));
        QCOMPARE(d.resultado(),
                 (Tespacios{ids.value(QStringLiteral("AB-1")), ids.value(QStringLiteral("AB-2"))}));
    }

    // A narrower search keeps the marks of the numbers it shows again; a typed wildcard is a letter.
    void noSerieBuscaPorPrefijo() {
        TnegocioPrueba n(*uBase, 1);
        const int almacen = n.almacen();
        const int producto = n.producto(QStringLiteral("Calculadora"), 1);
        const int capa = n.recibe(QStringLiteral("R"), almacen, producto, hoy("08:00:00"), 3, 120.0,
                                  {"AB-1", "AB-2", "C_D"});
        RECnumerosSerie solicitud;
        solicitud.entradaID = capa;
        solicitud.cantidad = 2;
        solicitud.controlNoSerie = 1;
        TFRM_seleccionarNoSerie d(uBase->sistema(n.negocio()));
        d.prepara(solicitud);
        auto *grid = u_hijo<QTableView>(&d, QStringLiteral("GRD_noSerie"));
        u_clicCelda(grid, 1, 0); // AB-2
        auto *numero = u_hijo<QLineEdit>(&d, QStringLiteral("TXT_numero"));
        numero->setText(QStringLiteral("AB"));
        u_clicBoton(&d, QStringLiteral("BTN_buscar"));
        QCOMPARE(textos(grid, QStringLiteral("No. Serie")), (QStringList{"AB-1", "AB-2"}));
        QCOMPARE(u_hijo<QLabel>(&d, QStringLiteral("LBL_elementos"))->text(), QStringLiteral("1/2"));
        numero->setText(QStringLiteral("_"));
        u_clicBoton(&d, QStringLiteral("BTN_buscar"));
        QCOMPARE(grid->model()->rowCount(), 0);
        numero->setText(QStringLiteral("'; DROP TABLE inventarioNoSerie; --"));
        u_clicBoton(&d, QStringLiteral("BTN_buscar"));
        QCOMPARE(grid->model()->rowCount(), 0);
        u_clicBoton(&d, QStringLiteral("BTN_reiniciarCMBalmacen"));
        QCOMPARE(grid->model()->rowCount(), 3);
        grid->grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/seleccionarNoSerie.png"));
    }
};

QTEST_MAIN(TpruebaPantallasSelectores)
#include "tst_pantallasSelectores.moc"

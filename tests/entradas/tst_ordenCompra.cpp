// Purchase orders below the receipt screen: the order list and its picker, the line arithmetic
// (requested, accumulated, received now, factor) and the line state kept across receipts.
#include "apoyo/UinteraccionGuionada.h"
#include "apoyo/UwidgetsPrueba.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "datos/UfechaHora.h"
#include "entradas/UFRM_seleccionarOrdenCompra.h"
#include "entradas/UNEG_ordenCompra.h"
#include "entradas/U_lineaOrdenCompra.h"
#include "entradas/UnegocioEntradas.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

namespace {
TlineaOrdenCompra linea(double solicitado, double acumulado, int producto = 5) {
    TlineaOrdenCompra l;
    l.idLinea = 1;
    l.solicitado = solicitado;
    l.acumulado = acumulado;
    l.idProducto = producto;
    l.idUnidadRecibido = producto ? 3 : 0;
    return l;
}
} // namespace

class TpruebaOrdenCompra : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<TnegocioEntradas> uTienda;
    std::unique_ptr<TguionInstalado> uGuion;
    int uOrden = 0;
    int uLineaTornillo = 0;
    int uLineaLaptop = 0;
    int uOrdenAjena = 0;
    int uLineaAjena = 0;

    QVector<TlineaOrdenCompra> lineas(int numero, int negocio) {
        const CmidTierResponse r = TordenCompra(uBase->sesion()).selectOrdenCompraArticulos(numero, negocio);
        QVector<TlineaOrdenCompra> v;
        for (int f = 0; f < r.getRowCount(); ++f)
            v << u_lineaOrdenDeFila(r, f);
        return v;
    }
    int estadoOrden() {
        return uTienda->n
            .valor(QStringLiteral("SELECT AF_OrdenPendiente FROM AF_OrdenesCompra WHERE AF_NumeroOrden = :o"),
                   {{QStringLiteral("o"), uOrden}})
            .toInt();
    }
    // One receipt of the order: the lines' new state and the order's, in one transaction.
    bool recibe(const QVector<TlineaOrdenCompra> &recibidas) {
        TestadoOrdenCompra t(uBase->sesion());
        if (!t.transaccionInicia())
            return false;
        for (const TlineaOrdenCompra &l : recibidas)
            if (!u_guardaEstadoLineaOrden(t, l, uTienda->negocio).isSuccess())
                return false;
        return t.updateAFOrdenesCompras(uOrden, uTienda->negocio).isSuccess() && t.transaccionTermina();
    }

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uTienda = std::make_unique<TnegocioEntradas>(*uBase, QStringLiteral("Ferretería La Tuerca"));
        const QDate hoy = QDate::currentDate();
        uOrden = uTienda->orden(QStringLiteral("Aceros del Norte"), QStringLiteral("ANO010101AB1"), hoy);
        uLineaTornillo = uTienda->lineaOrden(uOrden, QStringLiteral("Caja de tornillos"), 10, 600);
        uLineaLaptop = uTienda->lineaOrden(uOrden, QStringLiteral("Laptop"), 2, 30000);
        uTienda->orden(QStringLiteral("Aceros del Norte"), QStringLiteral("ANO010101AB1"), hoy, true);
        uTienda->orden(QStringLiteral("Maderas Finas"), QStringLiteral("MFI010101AB1"), hoy.addMonths(-3));
        TnegocioEntradas otra(*uBase, QStringLiteral("Otra"));
        uOrdenAjena = otra.orden(QStringLiteral("Aceros del Norte"), QStringLiteral("ANO010101AB1"), hoy);
        uLineaAjena = uTienda->lineaOrden(uOrdenAjena, QStringLiteral("Ajeno"), 1, 1);
        uGuion = std::make_unique<TguionInstalado>();
    }
    void cleanup() {
        uGuion.reset();
        uTienda.reset();
        uBase.reset();
    }

    void cantidadRecibida_data() {
        QTest::addColumn<QString>("recibido");
        QTest::addColumn<QString>("factor");
        QTest::addColumn<bool>("aceptada");
        QTest::addColumn<QString>("estado");
        QTest::newRow("lo pendiente completa la línea") << "6"
                                                        << "1" << true << "activo";
        QTest::newRow("parte de lo pendiente") << "2.5"
                                               << "1" << true << "exclamation";
        QTest::newRow("cero") << "0"
                              << "1" << true << "exclamation";
        QTest::newRow("más de lo pendiente") << "7"
                                             << "1" << false << "";
        QTest::newRow("apenas más de lo pendiente") << "6.0001"
                                                    << "1" << false << "";
        QTest::newRow("texto") << "seis"
                               << "1" << false << "";
        QTest::newRow("negativo") << "-1"
                                  << "1" << false << "";
        QTest::newRow("enorme") << "1e308"
                                << "1" << false << "";
        QTest::newRow("vacío") << ""
                               << "1" << false << "";
        QTest::newRow("factor cero") << "1"
                                     << "0" << false << "";
        QTest::newRow("factor no numérico") << "1"
                                            << "'; DROP" << false << "";
    }
    void cantidadRecibida() {
        QFETCH(QString, recibido);
        QFETCH(QString, factor);
        QFETCH(bool, aceptada);
        QFETCH(QString, estado);
        TlineaOrdenCompra l = linea(10, 4);
        const QString mensaje = u_fijaCantidadRecibida(l, recibido, factor);
        QCOMPARE(mensaje.isEmpty(), aceptada);
        if (!aceptada) {
            QCOMPARE(l.recibido, 0.0); // the line keeps what it had
            QCOMPARE(l.factor, 1.0);
            return;
        }
        QCOMPARE(l.recibido, recibido.toDouble());
        QCOMPARE(l.estado(), estado);
    }

    void rebasarDiceElMensaje() {
        TlineaOrdenCompra l = linea(10, 4);
        QCOMPARE(u_fijaCantidadRecibida(l, QStringLiteral("7"), QStringLiteral("1")),
                 QStringLiteral("La cantidad capturada rebasa el total, ¡porfavor verifique!"));
    }

    void factorYCostoPorUnidadDeAlmacen() {
        TlineaOrdenCompra l = linea(5, 0);
        l.precioTotal = 600;
        QVERIFY(u_fijaCantidadRecibida(l, QStringLiteral("2"), QStringLiteral("12")).isEmpty());
        QCOMPARE(l.registrado(), 24.0);
        QCOMPARE(l.costoUnitarioRecibido(), 10.0);
        QCOMPARE(l.estadoDespues().cantidadAcumulada, 2.0);
        QVERIFY(l.estadoNuevo());
        QCOMPARE(linea(0, 0).costoUnitarioRecibido(), 0.0);
    }

    void iconoDeLaLinea() {
        QCOMPARE(linea(10, 0, 0).estado(), QStringLiteral("sinCambio"));
        QCOMPARE(linea(10, 0).estado(), QStringLiteral("exclamation")); // matched, nothing yet
        QCOMPARE(linea(10, 10).estado(), QStringLiteral("activo"));
        QCOMPARE(linea(10, 10, 0).estado(), QStringLiteral("exclamation"));
    }

    void revisionAntesDeGuardar_data() {
        QTest::addColumn<int>("caso");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("sin producto") << 0 << "Artículo 1 revisar: Producto Catálogo";
        QTest::newRow("sin unidad recibida") << 1 << "Artículo 2 revisar: unidad de medida recibido";
        QTest::newRow("nada recibido") << 2 << "No se recibio producto alguno.";
        QTest::newRow("faltan series") << 3 << "Artículo 2 capturar todos los números de serie";
        QTest::newRow("sobran series")
            << 4 << "Artículo 2 ha capturado mas números de serie de los registrados en la entrada";
        QTest::newRow("lista") << 5 << "";
        // 3 boxes of 2: six units stored, six serial numbers.
        QTest::newRow("series por unidad de almacén")
            << 6 << "Artículo 2 capturar todos los números de serie";
    }
    void revisionAntesDeGuardar() {
        QFETCH(int, caso);
        QFETCH(QString, mensaje);
        // Line 1: nothing before, nothing now, not matched (skipped); line 2: 3 serial-numbered units.
        QVector<TlineaOrdenCompra> v = {linea(4, 0, 0), linea(5, 0)};
        v[1].recibido = 3;
        v[1].controlNoSerie = true;
        QVector<int> series = {0, 3};
        switch (caso) {
        case 0:
            v[0].recibido = 1;
            break;
        case 1:
            v[1].idUnidadRecibido = 0;
            break;
        case 2:
            v[1].recibido = 0;
            break;
        case 3:
            series[1] = 2;
            break;
        case 4:
            series[1] = 4;
            break;
        case 6:
            v[1].factor = 2;
            break;
        default:
            break;
        }
        QCOMPARE(u_revisaLineasOrden(v, series), mensaje);
    }

    void listaDeOrdenes_data() {
        QTest::addColumn<QVariant>("nombre");
        QTest::addColumn<QVariant>("rfc");
        QTest::addColumn<int>("esperadas");
        QTest::newRow("todas del periodo") << QVariant() << QVariant() << 1;
        QTest::newRow("nombre con comodín") << QVariant("Acer%") << QVariant() << 1;
        QTest::newRow("nombre exacto que no está") << QVariant("Acer") << QVariant() << 0;
        QTest::newRow("rfc") << QVariant() << QVariant("ANO010101AB1") << 1;
        QTest::newRow("comillas") << QVariant("' OR 1=1 --") << QVariant() << 0;
    }
    void listaDeOrdenes() {
        QFETCH(QVariant, nombre);
        QFETCH(QVariant, rfc);
        QFETCH(int, esperadas);
        const QDate hoy = QDate::currentDate();
        // The cancelled order, the one delivered months ago and the other business's stay out.
        const CmidTierResponse r = TordenCompra(uBase->sesion())
                                       .selectOrdenCompra(nombre, rfc, fechaHora::inicioDelDia(hoy),
                                                          fechaHora::finDelDia(hoy), uTienda->negocio);
        QVERIFY(r.isSuccess());
        QCOMPARE(r.getRowCount(), esperadas);
        if (esperadas)
            QCOMPARE(int(r.getCeldaAsInt(0, QStringLiteral("ordenesCompra_numeroOrden"))), uOrden);
    }

    void unaLineaEnDosEntradas() {
        QVector<TlineaOrdenCompra> v = lineas(uOrden, uTienda->negocio);
        QCOMPARE(v.size(), 2);
        QCOMPARE(v[0].descripcion, QStringLiteral("Caja de tornillos"));
        QCOMPARE(v[0].estado(), QStringLiteral("sinCambio"));
        QVERIFY(lineas(uOrden, uTienda->negocio + 1000).isEmpty());
        QVERIFY(lineas(uOrdenAjena, uTienda->negocio).isEmpty());

        // First receipt: 4 boxes of 12.
        v[0].idProducto = uTienda->tornillo;
        v[0].idUnidadRecibido = uTienda->caja;
        QVERIFY(u_fijaCantidadRecibida(v[0], QStringLiteral("4"), QStringLiteral("12")).isEmpty());
        QVERIFY(recibe({v[0]}));
        QCOMPARE(estadoOrden(), 1);

        // The second receipt sees what the first stored, and updates it.
        v = lineas(uOrden, uTienda->negocio);
        QCOMPARE(v[0].acumulado, 4.0);
        QCOMPARE(v[0].idProducto, uTienda->tornillo);
        QCOMPARE(v[0].idUnidadRecibido, uTienda->caja);
        QCOMPARE(v[0].factor, 12.0);
        QVERIFY(!v[0].estadoNuevo());
        QVERIFY(!u_fijaCantidadRecibida(v[0], QStringLiteral("7"), QStringLiteral("12")).isEmpty());
        QVERIFY(u_fijaCantidadRecibida(v[0], QStringLiteral("6"), QStringLiteral("12")).isEmpty());
        QCOMPARE(v[0].estado(), QStringLiteral("activo"));
        v[1].idProducto = uTienda->laptop;
        v[1].idUnidadRecibido = uTienda->pieza;
        QVERIFY(u_fijaCantidadRecibida(v[1], QStringLiteral("2"), QStringLiteral("1")).isEmpty());
        QVERIFY(recibe(v));
        v = lineas(uOrden, uTienda->negocio);
        QCOMPARE(v[0].acumulado, 10.0);
        QCOMPARE(v[1].acumulado, 2.0);
        QCOMPARE(
            uTienda->n.valor(QStringLiteral("SELECT COUNT(*) FROM inventarioOrdenesCompraArticulos")).toInt(),
            2);
        QCOMPARE(estadoOrden(), 2);
    }

    void estadoDeLineaAjenaRechazado() {
        TlineaOrdenCompra l = linea(1, 0);
        l.idLinea = uLineaAjena;
        l.recibido = 1;
        TestadoOrdenCompra t(uBase->sesion());
        QVERIFY(!u_guardaEstadoLineaOrden(t, l, uTienda->negocio).isSuccess());
        QCOMPARE(
            uTienda->n.valor(QStringLiteral("SELECT COUNT(*) FROM inventarioOrdenesCompraArticulos")).toInt(),
            0);
    }

    void selectorDeOrdenes() {
        TFRM_seleccionarOrdenCompra selector(uBase->sistema(uTienda->negocio));
        selector.prepara();
        selector.show();
        QCOMPARE(selector.gridControl()->filas(), 1);
        QCOMPARE(selector.gridControl()->getCelda(0, QStringLiteral("ordenesCompra_ordenPendiente")),
                 QStringLiteral("0"));
        // The legend of the progress icons.
        for (const auto &[nombre, texto] :
             {std::pair{"LBL_sinCaptura", "Sin Captura"}, std::pair{"LBL_capturaParcial", "Captura Parcial"},
              std::pair{"LBL_capturaCompleta", "Captura Completa"}}) {
            const QLabel *leyenda = u_hijo<QLabel>(&selector, QString::fromLatin1(nombre));
            QVERIFY2(leyenda && leyenda->isVisible(), nombre);
            QCOMPARE(leyenda->text(), QString::fromLatin1(texto));
        }
        selector.grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/seleccionarOrdenCompra.png"));
        auto *rfc = u_hijo<QLineEdit>(&selector, QStringLiteral("TXT_proveedorRfc"));
        QTest::keyClicks(rfc, QStringLiteral("XXX"));
        QTest::keyClick(rfc, Qt::Key_Return);
        QCOMPARE(selector.gridControl()->filas(), 0);
        QCOMPARE(u_hijo<QLabel>(&selector, QStringLiteral("LBL_msgGRDordenCompra"))->text(),
                 QStringLiteral("No se encontraron registros."));
        rfc->clear(); // clearing a field searches again
        QCOMPARE(selector.gridControl()->filas(), 1);
        u_clicBoton(&selector, QStringLiteral("BTN_aceptar"));
        const UREC_ordenCompra &r = selector.resultado();
        QVERIFY(r.aceptar);
        QCOMPARE(r.numeroDeOrden, uOrden);
        QCOMPARE(r.proveedorID, uTienda->proveedor);
        QCOMPARE(r.proveedorNombre, QStringLiteral("Aceros del Norte"));
        QCOMPARE(r.total, QStringLiteral("$ 696.00"));
        QCOMPARE(r.fechaEntrega, QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    }
};

QTEST_MAIN(TpruebaOrdenCompra)
#include "tst_ordenCompra.moc"

#include "apoyo/UbasePrueba.h"
#include "apoyo/UfilasPrueba.h"
#include "apoyo/UintegridadPrueba.h"
#include "comun/UdatosDemo.h"
#include "datos/UfechaHora.h"
#include "datos/UmiddleTier.h"
#include "existencias/U_historiaDemo.h"
#include "existencias/U_verificacion.h"
#include "salidas/UNEG_salidasConsulta.h"

#include <QtTest>

namespace {

const QDate kHoy(2025, 6, 16);

// Rows of the business that a statement binding :negocio counts.
qint64 cuenta(TConexionSesion *sesion, const QString &sentencia, int negocio) {
    return u_valorConsulta(sesion, sentencia, {{QStringLiteral("negocio"), negocio}}).toLongLong();
}

} // namespace

class TpruebaHistoriaDemo : public QObject {
    Q_OBJECT

    // The demo, written once for the cases that only read it.
    std::unique_ptr<TbasePrueba> uDemo;
    historiaDemo::Tnegocios uNegocios;
    std::unique_ptr<TbasePrueba> uBase;

    TConexionSesion *demo() { return uDemo->sesion(); }
    TConexionSesion *sesion() { return uBase->sesion(); }

    // On a database of its own, never the process's shared schema database, which the next case
    // asking for the schema would empty under the demo.
    static void creaBasePropia(TbasePrueba &base) {
        QVERIFY2(base.valida() && base.sesion() && base.creaEsquema(), qPrintable(base.error()));
    }

    static void creaDemo(TbasePrueba &base, historiaDemo::Tnegocios &negocios) {
        creaBasePropia(base);
        if (QTest::currentTestFailed())
            return;
        QString error;
        negocios = historiaDemo::crea(base.sesion(), kHoy, error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(negocios.peps > 0 && negocios.promedio > 0);
    }

private slots:
    void initTestCase() {
        uDemo = std::make_unique<TbasePrueba>();
        creaDemo(*uDemo, uNegocios);
    }
    void cleanupTestCase() { uDemo.reset(); }
    void init() {
        uBase = std::make_unique<TbasePrueba>();
        QVERIFY2(uBase->valida(), qPrintable(uBase->error()));
    }
    void cleanup() {
        TmiddleTier::setFallaEnSentencia(0);
        uBase.reset();
    }

    // Each kind of movement the screens list is there, in both businesses.
    void cadaNegocioTieneSusMovimientos_data() {
        QTest::addColumn<QString>("sentencia");
        const QString salidas = QStringLiteral("SELECT COUNT(*) FROM inventarioSalida s JOIN "
                                               "inventarioEntrada e ON e.id = s.inventarioEntrada_id "
                                               "JOIN inventarioMovimientoConcepto c ON c.id = "
                                               "s.inventarioMovimientoConcepto_id AND c.idNegocioFk = "
                                               "e.idNegocioFk WHERE e.idNegocioFk = :negocio AND ");
        const QString entradas = QStringLiteral(
            "SELECT COUNT(*) FROM inventarioEntrada e JOIN inventarioMovimientoConcepto c ON c.id = "
            "e.inventarioMovimientoConcepto_id AND c.idNegocioFk = e.idNegocioFk WHERE e.idNegocioFk = "
            ":negocio "
            "AND ");
        QTest::newRow("compras") << entradas + QStringLiteral("c.etiqueta = 'Compra'");
        QTest::newRow("existencia inicial") << entradas + QStringLiteral("c.familia = -4");
        QTest::newRow("entrada por orden de compra") << entradas + QStringLiteral("c.familia = -3");
        QTest::newRow("devoluciones de clientes") << entradas + QStringLiteral("c.familia = 2");
        QTest::newRow("ventas") << salidas + QStringLiteral("c.etiqueta = 'Venta'");
        QTest::newRow("muestras") << salidas + QStringLiteral("c.etiqueta = 'Muestras'");
        QTest::newRow("devoluciones a proveedor") << salidas + QStringLiteral("c.familia = 3");
        QTest::newRow("ventas con factura") << salidas + QStringLiteral("s.idComprobante > 0");
        QTest::newRow("compras con factura") << entradas + QStringLiteral("e.idComprobante > 0");
        const QString deEntradas = QStringLiteral(
            " x JOIN inventarioEntrada e ON e.id = x.inventarioEntrada_id WHERE e.idNegocioFk = :negocio");
        QTest::newRow("proveedores") << QStringLiteral("SELECT COUNT(*) FROM inventarioEntradaProveedor") +
                                            deEntradas + QStringLiteral(" AND x.proveedor_id > 0");
        QTest::newRow("lotes") << QStringLiteral("SELECT COUNT(*) FROM inventarioLote") + deEntradas;
        QTest::newRow("pedimentos") << QStringLiteral("SELECT COUNT(*) FROM inventarioPedimento") +
                                           deEntradas;
        QTest::newRow("series vendidas") << QStringLiteral("SELECT COUNT(*) FROM inventarioNoSerie") +
                                                deEntradas +
                                                QStringLiteral(" AND x.inventarioNoSerieEstado_id = 2");
        QTest::newRow("series en almacén") << QStringLiteral("SELECT COUNT(*) FROM inventarioNoSerie") +
                                                  deEntradas +
                                                  QStringLiteral(" AND x.inventarioNoSerieEstado_id = 1");
        QTest::newRow("kardex") << QStringLiteral("SELECT COUNT(*) FROM inventarioKardex WHERE idNegocioFk = "
                                                  ":negocio AND documentoSalida IS NOT NULL");
        QTest::newRow("asientos") << QStringLiteral(
            "SELECT COUNT(*) FROM AsientosAplicados WHERE idNegocioFk = "
            ":negocio");
        QTest::newRow("desglose de ventas")
            << QStringLiteral("SELECT COUNT(*) FROM puntoOperacion WHERE idNegocioFk = :negocio");
        QTest::newRow("orden de compra parcial")
            << QStringLiteral("SELECT COUNT(*) FROM AF_OrdenesCompra WHERE idNegocioFk = :negocio AND "
                              "AF_OrdenPendiente = 1");
    }
    void cadaNegocioTieneSusMovimientos() {
        QFETCH(QString, sentencia);
        QVERIFY(cuenta(demo(), sentencia, uNegocios.peps) > 0);
        QVERIFY(cuenta(demo(), sentencia, uNegocios.promedio) > 0);
    }

    void cadaNegocioTieneSuMetodoYLaVerificacionNoEncuentraNada() {
        const QString metodo = QStringLiteral(
            "SELECT metodoValoracionInventario FROM inventarioOpciones WHERE idNegocioFk = :negocio");
        QCOMPARE(cuenta(demo(), metodo, uNegocios.peps), 1);
        QCOMPARE(cuenta(demo(), metodo, uNegocios.promedio), 2);
        bool leido = false;
        QCOMPARE(u_verificaInventario(demo(), leido), QStringList());
        QVERIFY(leido);
        QCOMPARE(u_documentosIncompletos(demo()), QStringList());
        // Every movement lies in the months before the day it was made for.
        const QVariant ultima =
            u_valorConsulta(demo(), QStringLiteral("SELECT MAX(fechaHora) FROM inventarioKardex"));
        QVERIFY(fechaHora::deValorBD(ultima) < QDateTime(kHoy, QTime()));
    }

    // The issues list's breakdown of the last weeks has the sales of both stores.
    void desgloseDeVentasConContenido() {
        for (int negocio : {uNegocios.peps, uNegocios.promedio}) {
            TsalidasConsulta consulta(demo());
            const CmidTierResponse r =
                consulta.selectDesgloceEntreFechas(kHoy.addDays(-30), kHoy, {}, {}, {}, negocio);
            QVERIFY(r.isSuccess());
            QVERIFY(r.getRowCount() >= 5);
        }
    }

    // A store under the average shows its running unit cost on every row, rounded as posted.
    void promedioLlevaSuCostoCorriendo() {
        QCOMPARE(
            cuenta(demo(),
                   QStringLiteral("SELECT COUNT(*) FROM inventarioKardex WHERE idNegocioFk = :negocio AND "
                                  "totalCostoUnitario IS NULL"),
                   uNegocios.promedio),
            0);
    }

    // A posting that fails half-way stops the history; what was posted before it is whole.
    void unaFallaDetieneLaHistoriaSinDocumentosAMedias_data() {
        QTest::addColumn<int>("sentencia");
        QTest::addColumn<bool>("antesHayDocumentos");
        QTest::newRow("al principio") << 40 << false;
        QTest::newRow("a la mitad") << 700 << true;
    }
    void unaFallaDetieneLaHistoriaSinDocumentosAMedias() {
        QFETCH(int, sentencia);
        QFETCH(bool, antesHayDocumentos);
        creaBasePropia(*uBase);
        if (QTest::currentTestFailed())
            return;
        const int negocio = datosDemo::crea(sesion(), kHoy);
        QVERIFY(negocio > 0);
        QString error;
        TmiddleTier::setFallaEnSentencia(sentencia);
        QVERIFY(!historiaDemo::escribeHistoria(sesion(), negocio, 1, kHoy, error));
        TmiddleTier::setFallaEnSentencia(0);
        QVERIFY(!error.isEmpty());
        QCOMPARE(cuenta(sesion(),
                        QStringLiteral("SELECT COUNT(*) FROM inventarioEntrada WHERE idNegocioFk = :negocio"),
                        negocio) > 0,
                 antesHayDocumentos);
        bool leido = false;
        QCOMPARE(u_verificaInventario(sesion(), leido), QStringList());
        QVERIFY(leido);
        QCOMPARE(u_documentosIncompletos(sesion()), QStringList());
    }

    // The same day gives the same documents: the demo reads the same on every machine.
    void mismoDiaMismosDocumentos() {
        historiaDemo::Tnegocios n;
        creaDemo(*uBase, n);
        if (QTest::currentTestFailed())
            return;
        const QString resumen =
            QStringLiteral("SELECT COUNT(*) * 1000000 + ROUND(SUM(COALESCE(entradaCantidad, 0) + "
                           "COALESCE(salidaCantidad, 0)) "
                           "* 100) FROM inventarioKardex WHERE idNegocioFk = :negocio");
        QCOMPARE(cuenta(sesion(), resumen, n.peps), cuenta(demo(), resumen, uNegocios.peps));
        QCOMPARE(cuenta(sesion(), resumen, n.promedio), cuenta(demo(), resumen, uNegocios.promedio));
    }
};

QTEST_GUILESS_MAIN(TpruebaHistoriaDemo)
#include "tst_historiaDemo.moc"

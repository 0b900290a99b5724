#include "apoyo/UbasePrueba.h"
#include "apoyo/UfilasPrueba.h"
#include "apoyo/UintegridadPrueba.h"
#include "apoyo/UnegocioPrueba.h"
#include "comun/U_utilerias.h"
#include "comun/UdatosDemo.h"
#include "datos/UfallaBaseDatos.h"
#include "datos/UfechaHora.h"
#include "datos/UmiddleTier.h"
#include "existencias/UNEG_aplicacionConteo.h"
#include "existencias/U_verificacion.h"
#include "inventario/U_historiaDemo.h"
#include "kardex/UNEG_construccionKardex.h"
#include "salidas/UNEG_salidasConsulta.h"

#include <QtTest>

namespace {

const QDate kHoy(2025, 6, 16);

// Rows of the business that a statement binding :negocio counts.
qint64 cuenta(TConexionSesion *sesion, const QString &sentencia, int negocio) {
    return u_valorConsulta(sesion, sentencia, {{QStringLiteral("negocio"), negocio}}).toLongLong();
}

// A statement's rows as text, one line per row, NULL as "-" and numbers to 15 digits.
QStringList filas(TConexionSesion *sesion, const QString &sentencia, int negocio) {
    TmiddleTier mt(sesion);
    mt.setQuery(sentencia);
    mt.setParametroEntero(QStringLiteral("negocio"), negocio);
    const CmidTierResponse r = mt.reader();
    QStringList texto;
    for (int f = 0; f < r.getRowCount(); ++f) {
        QStringList c;
        for (int k = 0; k < r.getColumnCount(); ++k) {
            const QVariant v = r.getValor(f, k);
            bool numero = false;
            const double d = v.toDouble(&numero);
            c << (v.isNull() || v.toString().isEmpty()           ? QStringLiteral("-")
                  : numero && v.typeId() != QMetaType::QDateTime ? FloatToStr(d)
                                                                 : v.toString());
        }
        texto << c.join(QLatin1Char(' '));
    }
    QTest::qVerify(r.isSuccess(), "filas", qPrintable(sentencia), __FILE__, __LINE__);
    return texto;
}

// The story the ledger tells per movement (receipt and issue rows, not the layer snapshots),
// warehouse by warehouse and product by product, in the order written.
QStringList historiaKardex(TConexionSesion *sesion, int negocio) {
    return filas(
        sesion,
        QStringLiteral("SELECT inventarioAlmacen_id, inventarioProducto_id, fechaHora, "
                       "inventarioEntrada_id, documentoEntrada, documentoSalida, "
                       "salidaEntradaRelacionada, entradaCantidad, entradaCostoUnitario, salidaCantidad, "
                       "salidaCostoUnitario, totalCantidad, totalCostoUnitario, totalExistencia FROM "
                       "inventarioKardex WHERE idNegocioFk = :negocio AND revision IS NULL ORDER BY "
                       "inventarioAlmacen_id, inventarioProducto_id, id"),
        negocio);
}

// Every stored figure of the business's receipts, issues and stock rows.
QStringList movimientos(TConexionSesion *sesion, int negocio) {
    return filas(sesion,
                 QStringLiteral(
                     "SELECT id, existencia, existenciaTotal, existenciaCostoUnitario, "
                     "existenciaCostoTotal FROM inventarioEntrada WHERE idNegocioFk = :negocio ORDER "
                     "BY id"),
                 negocio) +
           filas(sesion,
                 QStringLiteral("SELECT s.id, s.cantidad, s.salidaCostoUnitario, s.existenciaTotal, "
                                "s.existenciaCostoUnitario, s.existenciaCostoTotal, s.inventarioAlmacen_id, "
                                "s.inventarioProducto_id, s.idNegocioFk FROM inventarioSalida s JOIN "
                                "inventarioEntrada e ON e.id = s.inventarioEntrada_id WHERE e.idNegocioFk = "
                                ":negocio ORDER BY s.id"),
                 negocio) +
           filas(sesion,
                 QStringLiteral(
                     "SELECT x.id, x.existencia FROM inventarioExistencias x JOIN inventarioAlmacen a "
                     "ON a.id = x.inventarioAlmacen_id WHERE a.idNegocioFk = :negocio ORDER BY x.id"),
                 negocio);
}

// The whole ledger, every column but the row id, which a rebuild gives anew.
QStringList kardexSinIds(TConexionSesion *sesion, int negocio) {
    return filas(
        sesion,
        QStringLiteral("SELECT fechaHora, inventarioEntrada_id, inventarioAlmacen_id, "
                       "inventarioProducto_id, documentoEntrada, documentoSalida, entradaCantidad, "
                       "entradaCostoUnitario, salidaEntradaRelacionada, salidaCantidad, "
                       "salidaCostoUnitario, totalCantidad, totalCostoUnitario, totalExistencia, "
                       "revision, division, grupo FROM inventarioKardex WHERE idNegocioFk = :negocio "
                       "ORDER BY id"),
        negocio);
}

// Runs a statement that may bind :negocio.
void ejecuta(TConexionSesion *sesion, const QString &sentencia, int negocio = 0) {
    TmiddleTier mt(sesion);
    mt.setQuery(sentencia);
    if (sentencia.contains(QLatin1String(":negocio")))
        mt.setParametroEntero(QStringLiteral("negocio"), negocio);
    QTest::qVerify(mt.nonQuery().isSuccess(), "ejecuta", qPrintable(sentencia), __FILE__, __LINE__);
}

bool reconstruye(TConexionSesion *sesion, int negocio) {
    TconstruccionKardex construccion(sesion, negocio);
    construccion.setVaciaPrimero(true);
    return construccion.construye();
}

QStringList hallazgos(TConexionSesion *sesion) {
    bool leido = false;
    const QStringList h = u_verificaInventario(sesion, leido);
    return leido ? h : QStringList{QStringLiteral("no se pudo leer")};
}

// A history posted through the documents, in date order: receipts of several lines (two of one
// product), issues over several layers, a customer return sold again, a purchase return, initial
// stock in mid-history, movements at one instant and quantities such as 0.1 + 0.2.
void postaHistoria(TnegocioPrueba &n) {
    const int a = n.almacen();
    const int clavos = n.producto(QStringLiteral("Clavos"));
    const int pijas = n.producto(QStringLiteral("Pijas"));
    const auto ultimo = [&](const char *tabla) {
        return int(
            n.cuenta(QStringLiteral("SELECT MAX(t.id) FROM %1 t JOIN inventarioEntrada e ON e.id = %2 WHERE "
                                    "e.idNegocioFk = :negocio")
                         .arg(QLatin1String(tabla), QLatin1String(qstrcmp(tabla, "inventarioEntrada") == 0
                                                                      ? "t.id"
                                                                      : "t.inventarioEntrada_id"))));
    };
    const auto recibe = [&](const QString &fecha, const QVector<std::tuple<int, double, double>> &lineas,
                            int familia = 1, int salidaDevuelta = 0) {
        TdocumentoEntrada doc = n.documentoEntrada(a, std::get<0>(lineas[0]), fecha, std::get<1>(lineas[0]),
                                                   std::get<2>(lineas[0]), familia);
        for (int i = 1; i < lineas.size(); ++i) {
            TlineaEntrada l = doc.datos().lineas[0];
            l.productoID = std::get<0>(lineas[i]);
            l.cantidad = FloatToStr(std::get<1>(lineas[i]));
            l.costoUnitario = std::get<2>(lineas[i]);
            doc.datos().lineas << l;
        }
        doc.datos().proveedorID = 1;
        doc.datos().movimientoSalidaIDdevolucion = salidaDevuelta;
        n.guion().limpia();
        n.acepta();
        QVERIFY2(doc.guardar(), qPrintable(fecha + n.guion().textos().join(QLatin1Char('|'))));
    };
    const auto entrega = [&](const QString &fecha, int producto, double cantidad) {
        QVERIFY2(n.entrega(a, producto, fecha, cantidad) > 0, qPrintable(fecha));
    };
    recibe(QStringLiteral("2025-03-03 09:00:00"), {{clavos, 10, 5}, {clavos, 3.3, 5.1}, {pijas, 7, 2.25}});
    recibe(QStringLiteral("2025-03-04 09:00:00"), {{clavos, 4, 6.37}});
    entrega(QStringLiteral("2025-03-05 10:00:00"), clavos, 12.5);
    const int vendida = ultimo("inventarioSalida");
    entrega(QStringLiteral("2025-03-05 10:00:00"), pijas, 2);
    recibe(QStringLiteral("2025-03-06 08:00:00"), {{clavos, 1.5, 5.1}}, 2, vendida);
    recibe(QStringLiteral("2025-03-06 08:00:00"), {{pijas, 0.1, 3}});
    recibe(QStringLiteral("2025-03-06 08:00:00"), {{pijas, 0.2, 3.1}});
    entrega(QStringLiteral("2025-03-07 09:00:00"), clavos, 6);
    entrega(QStringLiteral("2025-03-07 09:00:00"), pijas, 5.3);
    recibe(QStringLiteral("2025-03-08 09:00:00"), {{clavos, 8, 7.13}});
    const int devuelta = ultimo("inventarioEntrada");
    recibe(QStringLiteral("2025-03-08 10:00:00"), {{pijas, 3, 2.5}}, -4);
    {
        auto doc = n.documentoSalida(a, QStringLiteral("2025-03-09 09:00:00"), 3);
        TproductoSalida p;
        p.id = clavos;
        p.nombre = QStringLiteral("Clavos");
        n.guion().limpia();
        n.acepta();
        QVERIFY(doc->agregaProductoValoresExplicitos(p, 2, 7.13, devuelta, n.existenciaCapa(devuelta)));
        QVERIFY(doc->guardar());
    }
    entrega(QStringLiteral("2025-03-10 09:00:00"), clavos, 6.3);
    entrega(QStringLiteral("2025-03-10 09:00:00"), pijas, 1);
    QCOMPARE(n.existencia(a, clavos), 0.0);
}

// A count taken after the history, applied: Clavos counted 2 (a surplus over no stock), Pijas 1.5
// (a shortage of 0.5 over two layers).
void aplicaConteo(TbasePrueba &base, TnegocioPrueba &n) {
    const int almacen =
        int(n.cuenta(QStringLiteral("SELECT MIN(id) FROM inventarioAlmacen WHERE idNegocioFk = :negocio")));
    QVector<TlineaConteo> lineas;
    QVERIFY(u_cargaHojaConteo(n.sesion(), QString(), almacen, n.negocio(), lineas));
    for (TlineaConteo &l : lineas)
        l.existenciaFisica =
            l.nombre == QLatin1String("Clavos") ? QStringLiteral("2") : QStringLiteral("1.5");
    UREC_inventarioFisicoIndice i;
    i.resultado = 1;
    i.nombre = QStringLiteral("Cierre");
    i.almacenID = almacen;
    i.creacion = i.modificacion = TnegocioPrueba::fecha(QStringLiteral("2025-03-11 09:00:00.000"));
    i.negocioID = n.negocio();
    QCOMPARE(u_guardaConteo(n.sesion(), i, lineas), TfinGuardadoConteo::Guardado);
    n.guion().limpia();
    n.acepta(1);
    QCOMPARE(TaplicacionConteo(base.sistema(n.negocio()), i.id).aplica(), TfinAplicacion::Aplicada);
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

    // A product's ledger rows in id order, as in the worked examples.
    QStringList kardexDe(int negocio, int producto) {
        TmiddleTier mt(sesion());
        mt.setQuery(
            QStringLiteral("SELECT entradaCantidad, entradaCostoUnitario, salidaCantidad, "
                           "salidaCostoUnitario, totalCantidad, totalCostoUnitario, totalExistencia, grupo "
                           "FROM inventarioKardex WHERE idNegocioFk = :n AND inventarioProducto_id = :p "
                           "ORDER BY id"));
        mt.setParametroEntero(QStringLiteral("n"), negocio);
        mt.setParametroEntero(QStringLiteral("p"), producto);
        const CmidTierResponse r = mt.reader();
        QStringList filas;
        for (int f = 0; f < r.getRowCount(); ++f) {
            QStringList c;
            for (int k = 0; k < 8; ++k) {
                const QVariant v = r.getValor(f, k);
                c << (v.isNull() || v.toString().isEmpty() ? QStringLiteral("-") : FloatToStr(v.toDouble()));
            }
            filas << QStringLiteral("%1 @ %2 | %3 @ %4 | %5 @ %6 = %7, %8")
                         .arg(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]);
        }
        return filas;
    }

    static void porMetodo() {
        QTest::addColumn<int>("metodo");
        QTest::newRow("PEPS") << 1;
        QTest::newRow("Promedio Ponderado") << 2;
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
        const QString traspasos =
            QStringLiteral("SELECT COUNT(*) FROM inventarioTraspaso WHERE idNegocioFk = :negocio AND "
                           "inventarioTraspasoEstado_id = ");
        QTest::newRow("traspaso en tránsito") << traspasos + QStringLiteral("1");
        QTest::newRow("traspaso recibido") << traspasos + QStringLiteral("2");
        QTest::newRow("traspaso cancelado") << traspasos + QStringLiteral("3");
        const QString seriesTraspasadas = QStringLiteral(
            "SELECT COUNT(*) FROM inventarioTraspasoNoSerie x JOIN inventarioTraspasoDetalle d ON d.id = "
            "x.inventarioTraspasoDetalle_id JOIN inventarioTraspaso t ON t.id = d.inventarioTraspaso_id "
            "WHERE "
            "t.idNegocioFk = :negocio AND t.inventarioTraspasoEstado_id ");
        QTest::newRow("series en tránsito") << seriesTraspasadas + QStringLiteral("= 1");
        QTest::newRow("series de un traspaso cerrado") << seriesTraspasadas + QStringLiteral("IN (2, 3)");
        QTest::newRow("lote traspasado")
            << QStringLiteral("SELECT COUNT(*) FROM inventarioLote") + deEntradas +
                   QStringLiteral(" AND e.inventarioMovimientoConcepto_id IN (SELECT id "
                                  "FROM inventarioMovimientoConcepto WHERE familia = -2)");
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

    // The ledger the postings wrote and the one a rebuild writes tell the same story, and the
    // rebuild restates nothing of an in-order history: a second rebuild changes no row.
    void reconstruccionCuentaLaMismaHistoria_data() { porMetodo(); }
    void reconstruccionCuentaLaMismaHistoria() {
        QFETCH(int, metodo);
        creaBasePropia(*uBase);
        if (QTest::currentTestFailed())
            return;
        TnegocioPrueba n(*uBase, metodo);
        postaHistoria(n);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(historiaKardex(sesion(), n.negocio()).size(), 22);
        aplicaConteo(*uBase, n);
        if (QTest::currentTestFailed())
            return;
        const QStringList historia = historiaKardex(sesion(), n.negocio());
        const QStringList figuras = movimientos(sesion(), n.negocio());
        QVERIFY(historia.size() > 22);
        QCOMPARE(hallazgos(sesion()), QStringList());
        QVERIFY(reconstruye(sesion(), n.negocio()));
        QCOMPARE(historiaKardex(sesion(), n.negocio()), historia);
        QCOMPARE(movimientos(sesion(), n.negocio()), figuras);
        QCOMPARE(hallazgos(sesion()), QStringList());
        const QStringList primera = kardexSinIds(sesion(), n.negocio());
        QVERIFY(reconstruye(sesion(), n.negocio()));
        QCOMPARE(kardexSinIds(sesion(), n.negocio()), primera);
        QCOMPARE(movimientos(sesion(), n.negocio()), figuras);
        if (metodo == 1)
            return;
        // Under the average no peso appears or vanishes: what came in is what left plus what stays.
        const auto importe = [&](const char *sql) {
            return u_valorConsulta(sesion(), QString::fromLatin1(sql),
                                   {{QStringLiteral("negocio"), n.negocio()}})
                .toDouble();
        };
        const double entro = importe("SELECT SUM(cantidad * costoUnitario) FROM inventarioEntrada WHERE "
                                     "idNegocioFk = :negocio");
        const double salio =
            importe("SELECT SUM(s.cantidad * s.salidaCostoUnitario) FROM inventarioSalida s JOIN "
                    "inventarioEntrada e ON e.id = s.inventarioEntrada_id WHERE e.idNegocioFk = "
                    ":negocio");
        const double queda = importe("SELECT SUM(totalExistencia) FROM inventarioKardex WHERE id IN (SELECT "
                                     "MAX(id) FROM inventarioKardex WHERE idNegocioFk = :negocio GROUP BY "
                                     "inventarioAlmacen_id, inventarioProducto_id)");
        QVERIFY2(std::fabs(entro - salio - queda) < 0.005,
                 qPrintable(QStringLiteral("%1 - %2 != %3").arg(entro).arg(salio).arg(queda)));
    }

    // A rebuild that fails at its last statement rolls back to the ledger it found, row for row.
    void reconstruccionFallidaDejaElKardexComoEstaba_data() { porMetodo(); }
    void reconstruccionFallidaDejaElKardexComoEstaba() {
        QFETCH(int, metodo);
        creaBasePropia(*uBase);
        if (QTest::currentTestFailed())
            return;
        TnegocioPrueba n(*uBase, metodo);
        postaHistoria(n);
        if (QTest::currentTestFailed())
            return;
        const QString todo =
            QStringLiteral("SELECT * FROM inventarioKardex WHERE idNegocioFk = :negocio ORDER BY id");
        const QStringList antes = filas(sesion(), todo, n.negocio());
        const QStringList figuras = movimientos(sesion(), n.negocio());
        // The statements a rebuild runs, counted on one that is then undone by hand.
        ejecuta(
            sesion(),
            QStringLiteral("CREATE TABLE kardexCopia AS SELECT * FROM inventarioKardex WHERE idNegocioFk = "
                           ":negocio"),
            n.negocio());
        const int inicio = TmiddleTier::sentenciasEjecutadas();
        QVERIFY(reconstruye(sesion(), n.negocio()));
        const int sentencias = TmiddleTier::sentenciasEjecutadas() - inicio;
        ejecuta(sesion(), QStringLiteral("DELETE FROM inventarioKardex WHERE idNegocioFk = :negocio"),
                n.negocio());
        ejecuta(sesion(), QStringLiteral("INSERT INTO inventarioKardex SELECT * FROM kardexCopia"));
        ejecuta(sesion(), QStringLiteral("DROP TABLE kardexCopia"));
        QCOMPARE(filas(sesion(), todo, n.negocio()), antes);

        TmiddleTier::setFallaEnSentencia(sentencias);
        QVERIFY(!reconstruye(sesion(), n.negocio()));
        TmiddleTier::setFallaEnSentencia(0);
        QCOMPARE(filas(sesion(), todo, n.negocio()), antes);
        QCOMPARE(movimientos(sesion(), n.negocio()), figuras);
    }

    // The check sees a layer and a value changed by hand.
    void verificacionVeLoCambiadoAMano_data() {
        QTest::addColumn<int>("metodo");
        QTest::addColumn<QString>("cambio");
        QTest::addColumn<QString>("hallazgo");
        const QString capa = QStringLiteral(
            "UPDATE inventarioEntrada SET existencia = existencia + 1 WHERE id = (SELECT m FROM (SELECT "
            "MAX(id) AS m FROM inventarioEntrada WHERE idNegocioFk = :negocio) x)");
        QTest::newRow("capa, PEPS") << 1 << capa << QStringLiteral("recibió");
        QTest::newRow("capa, Promedio Ponderado") << 2 << capa << QStringLiteral("recibió");
        QTest::newRow("costo de una capa, PEPS")
            << 1
            << QStringLiteral(
                   "UPDATE inventarioEntrada SET costoUnitario = costoUnitario + 0.01 WHERE id = (SELECT m "
                   "FROM (SELECT MAX(id) AS m FROM inventarioEntrada WHERE idNegocioFk = :negocio AND "
                   "existencia > 0) x)")
            << QStringLiteral("el valor del kardex es");
        QTest::newRow("valor del último movimiento, Promedio Ponderado")
            << 2
            << QStringLiteral(
                   "UPDATE inventarioSalida SET existenciaCostoTotal = existenciaCostoTotal + 0.01 WHERE id "
                   "= (SELECT m FROM (SELECT MAX(s.id) AS m FROM inventarioSalida s JOIN "
                   "inventarioEntrada e ON e.id = s.inventarioEntrada_id WHERE e.idNegocioFk = "
                   ":negocio) x)")
            << QStringLiteral("el último movimiento deja");
        const QString ultimaSalida =
            QStringLiteral(" WHERE id = (SELECT m FROM (SELECT MAX(s.id) AS m FROM inventarioSalida s JOIN "
                           "inventarioEntrada e "
                           "ON e.id = s.inventarioEntrada_id WHERE e.idNegocioFk = :negocio) x)");
        QTest::newRow("almacén de una salida")
            << 1
            << QStringLiteral("UPDATE inventarioSalida SET inventarioAlmacen_id = inventarioAlmacen_id + 1") +
                   ultimaSalida
            << QStringLiteral("no coincide con su capa");
        QTest::newRow("negocio de una salida")
            << 2
            << QStringLiteral("UPDATE inventarioSalida SET idNegocioFk = idNegocioFk + 100") + ultimaSalida
            << QStringLiteral("no coincide con su capa");
    }
    void verificacionVeLoCambiadoAMano() {
        QFETCH(int, metodo);
        QFETCH(QString, cambio);
        QFETCH(QString, hallazgo);
        creaBasePropia(*uBase);
        if (QTest::currentTestFailed())
            return;
        TnegocioPrueba n(*uBase, metodo);
        postaHistoria(n);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(hallazgos(sesion()), QStringList());
        ejecuta(sesion(), cambio, n.negocio());
        const QStringList h = hallazgos(sesion());
        QVERIFY2(h.join(QLatin1Char('\n')).contains(hallazgo), qPrintable(h.join(QLatin1Char('\n'))));
        QVERIFY2(
            h.first().startsWith(QStringLiteral("Negocio %1 (Papelería Morelos): almacén ").arg(n.negocio())),
            qPrintable(h.first()));
    }

    // A posting that fails half-way stops the history; what was posted before it is whole. The
    // n-th ledger write fails, which is always inside a posting.
    void unaFallaDetieneLaHistoriaSinDocumentosAMedias_data() {
        QTest::addColumn<int>("escrituraKardex");
        QTest::addColumn<bool>("antesHayDocumentos");
        QTest::newRow("al principio") << 1 << false;
        QTest::newRow("a la mitad") << 20 << true;
    }
    void unaFallaDetieneLaHistoriaSinDocumentosAMedias() {
        QFETCH(int, escrituraKardex);
        QFETCH(bool, antesHayDocumentos);
        creaBasePropia(*uBase);
        if (QTest::currentTestFailed())
            return;
        const int negocio = datosDemo::crea(sesion(), kHoy);
        QVERIFY(negocio > 0);
        QString error;
        auto vistas = std::make_shared<int>(0);
        u_fallaCuando(
            [=](const QString &s) {
                return s.startsWith(QLatin1String("INSERT INTO inventarioKardex")) &&
                       ++*vistas == escrituraKardex;
            },
            uBase->esMySQL() ? 1064 : 1);
        QVERIFY(!historiaDemo::escribeHistoria(sesion(), negocio, 1, kHoy, error));
        u_fallaCuando({}, 0);
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
    // A receipt and an issue posted on the demo agree with the worked example: a drill received
    // 4 at 2.00 (A1-A4) and 8 at 3.00 (B1-B8), then 10 issued with A1-A4 and B1-B6.
    void entradaYSalidaCuadranConElEjemploAMano_data() {
        QTest::addColumn<bool>("peps");
        QTest::addColumn<double>("costoSalida");
        QTest::addColumn<double>("valorRestante");
        QTest::addColumn<QStringList>("kardex");
        // Under PEPS each row follows its layer; each issue line opens the next group.
        QTest::newRow("PEPS") << true << 26.0 << 6.0 // 4 x 2.00 + 6 x 3.00
                              << QStringList{QStringLiteral("4 @ 2 | - @ - | 4 @ 2 = -, 0"),
                                             QStringLiteral("8 @ 3 | - @ - | 8 @ 3 = -, 0"),
                                             QStringLiteral("- @ - | 4 @ 2 | 0 @ 2 = -, 1"),
                                             QStringLiteral("- @ - | 6 @ 3 | 2 @ 3 = -, 2")};
        // Under the average the rows carry the running stock: 32 / 12 = 2.66 (truncated), and the
        // value goes down by what left at that cost: 32 - 10.64 - 15.96 = 5.40.
        QTest::newRow("Promedio Ponderado")
            << false << 26.6 << 5.4
            << QStringList{QStringLiteral("4 @ 2 | - @ - | 4 @ 2 = 8, -"),
                           QStringLiteral("8 @ 3 | - @ - | 12 @ 2.66 = 32, -"),
                           QStringLiteral("- @ - | 4 @ 2.66 | 8 @ 2.66 = 21.36, -"),
                           QStringLiteral("- @ - | 6 @ 2.66 | 2 @ 2.66 = 5.4, -")};
    }
    void entradaYSalidaCuadranConElEjemploAMano() {
        QFETCH(bool, peps);
        QFETCH(double, costoSalida);
        QFETCH(double, valorRestante);
        QFETCH(QStringList, kardex);
        historiaDemo::Tnegocios demo;
        creaDemo(*uBase, demo);
        if (QTest::currentTestFailed())
            return;
        TnegocioPrueba n(*uBase, TnegocioPrueba::Texistente{peps ? demo.peps : demo.promedio});
        const int almacen = int(
            n.cuenta(QStringLiteral("SELECT MIN(id) FROM inventarioAlmacen WHERE idNegocioFk = :negocio")));
        const int taladro = n.producto(QStringLiteral("Taladro de prueba"), 1);
        const qint64 asientosAntes =
            n.cuenta(QStringLiteral("SELECT COUNT(*) FROM AsientosAplicados WHERE idNegocioFk = :negocio"));
        auto recibe = [&](const QString &fecha, double cantidad, double costo, const QString &serie) {
            TdocumentoEntrada doc = n.documentoEntrada(almacen, taladro, fecha, cantidad, costo);
            doc.datos().lineas[0].controlNoSerie = 1;
            for (int i = 1; i <= int(cantidad); ++i)
                doc.datos().lineas[0].informacion.noSerie << serie + QString::number(i);
            n.guion().limpia();
            n.acepta();
            QVERIFY2(doc.guardar(), qPrintable(n.guion().textos().join(QLatin1Char('|'))));
        };
        recibe(QStringLiteral("2025-06-16 09:00:00"), 4, 2.0, QStringLiteral("A"));
        recibe(QStringLiteral("2025-06-16 09:30:00"), 8, 3.0, QStringLiteral("B"));
        if (QTest::currentTestFailed())
            return;
        auto serieId = [&](const QString &serie) {
            return int(u_valorConsulta(
                           sesion(),
                           QStringLiteral("SELECT s.id FROM inventarioNoSerie s JOIN inventarioEntrada e "
                                          "ON e.id = s.inventarioEntrada_id WHERE e.idNegocioFk = :n "
                                          "AND e.inventarioProducto_id = :p AND s.numero = :s"),
                           {{QStringLiteral("n"), n.negocio()},
                            {QStringLiteral("p"), taladro},
                            {QStringLiteral("s"), serie}})
                           .toLongLong());
        };
        auto salida = n.documentoSalida(almacen, QStringLiteral("2025-06-16 10:00:00"));
        TproductoSalida p;
        p.id = taladro;
        p.nombre = QStringLiteral("Taladro de prueba");
        n.guion().limpia();
        n.acepta();
        QVERIFY(salida->agregarProducto(p, 10));
        QCOMPARE(salida->lineas().size(), 2); // one line per layer reached
        QVector<int> deA, deB;
        for (int i = 1; i <= 4; ++i)
            deA << serieId(QStringLiteral("A%1").arg(i));
        for (int i = 1; i <= 6; ++i)
            deB << serieId(QStringLiteral("B%1").arg(i));
        QVERIFY(salida->setSeries(0, deA));
        QVERIFY(salida->setSeries(1, deB));
        QVERIFY2(salida->guardar(), qPrintable(n.guion().textos().join(QLatin1Char('|'))));

        auto valor = [&](const char *sql) {
            return u_valorConsulta(sesion(), QString::fromLatin1(sql),
                                   {{QStringLiteral("n"), n.negocio()}, {QStringLiteral("p"), taladro}})
                .toDouble();
        };
        // Layers oldest first: the first emptied, two left of the second; the stock row agrees.
        QCOMPARE(valor("SELECT MIN(existencia) FROM inventarioEntrada WHERE idNegocioFk = :n AND "
                       "inventarioProducto_id = :p"),
                 0.0);
        QCOMPARE(valor("SELECT MAX(existencia) FROM inventarioEntrada WHERE idNegocioFk = :n AND "
                       "inventarioProducto_id = :p"),
                 2.0);
        QCOMPARE(n.existencia(almacen, taladro), 2.0);
        // What left, at its cost, and the value that stays.
        QCOMPARE(valor("SELECT SUM(s.cantidad * s.salidaCostoUnitario) FROM inventarioSalida s JOIN "
                       "inventarioEntrada e ON e.id = s.inventarioEntrada_id WHERE e.idNegocioFk = :n "
                       "AND e.inventarioProducto_id = :p"),
                 costoSalida);
        QCOMPARE(
            valor("SELECT s.existenciaCostoTotal FROM inventarioSalida s JOIN inventarioEntrada e ON e.id = "
                  "s.inventarioEntrada_id WHERE e.idNegocioFk = :n AND e.inventarioProducto_id = :p "
                  "ORDER BY s.id DESC LIMIT 1"),
            valorRestante);
        // The ledger row for row: "received @ cost | issued @ cost | balance @ unit cost = value, group".
        QCOMPARE(kardexDe(n.negocio(), taladro), kardex);
        // Serial numbers: exactly the ten chosen left; B7 and B8 stay in the warehouse.
        QCOMPARE(valor("SELECT COUNT(*) FROM inventarioNoSerie s JOIN inventarioEntrada e ON e.id = "
                       "s.inventarioEntrada_id WHERE e.idNegocioFk = :n AND e.inventarioProducto_id = :p "
                       "AND s.inventarioNoSerieEstado_id = 2 AND (s.numero LIKE 'A%' OR s.numero IN "
                       "('B1','B2','B3','B4','B5','B6'))"),
                 10.0);
        QCOMPARE(valor("SELECT COUNT(*) FROM inventarioNoSerie s JOIN inventarioEntrada e ON e.id = "
                       "s.inventarioEntrada_id WHERE e.idNegocioFk = :n AND e.inventarioProducto_id = :p "
                       "AND s.inventarioNoSerieEstado_id = 1"),
                 2.0);
        // Journal entries: 8.00 and 24.00 received, the issue at its cost.
        TmiddleTier mt(sesion());
        mt.setQuery(QStringLiteral("SELECT total FROM AsientosAplicados WHERE idNegocioFk = :n ORDER BY id"));
        mt.setParametroEntero(QStringLiteral("n"), n.negocio());
        const CmidTierResponse asientos = mt.reader();
        QCOMPARE(qint64(asientos.getRowCount()), asientosAntes + 3);
        const int ultimo = asientos.getRowCount() - 1;
        QCOMPARE(asientos.getValor(ultimo - 2, 0).toDouble(), 8.0);
        QCOMPARE(asientos.getValor(ultimo - 1, 0).toDouble(), 24.0);
        QCOMPARE(asientos.getValor(ultimo, 0).toDouble(), costoSalida);
        bool leido = false;
        QCOMPARE(u_verificaInventario(sesion(), leido), QStringList());
        QVERIFY(leido);
    }

    // Last, since it rebuilds the shared demo: both stores rebuilt tell the postings' story, no
    // issue line lost, and the check is clean.
    void demoReconstruidaCuentaLaMismaHistoria() {
        for (int negocio : {uNegocios.peps, uNegocios.promedio}) {
            const QStringList historia = historiaKardex(demo(), negocio);
            const QStringList figuras = movimientos(demo(), negocio);
            QVERIFY(reconstruye(demo(), negocio));
            QCOMPARE(historiaKardex(demo(), negocio), historia);
            QCOMPARE(movimientos(demo(), negocio), figuras);
            QCOMPARE(
                cuenta(
                    demo(),
                    QStringLiteral("SELECT COUNT(*) FROM inventarioKardex WHERE idNegocioFk = :negocio AND "
                                   "documentoSalida IS NOT NULL"),
                    negocio),
                cuenta(demo(),
                       QStringLiteral("SELECT COUNT(*) FROM inventarioSalida s JOIN inventarioEntrada e ON "
                                      "e.id = s.inventarioEntrada_id WHERE e.idNegocioFk = :negocio"),
                       negocio));
        }
        QCOMPARE(hallazgos(demo()), QStringList());
    }
};

QTEST_GUILESS_MAIN(TpruebaHistoriaDemo)
#include "tst_historiaDemo.moc"

// Initial stock: the once-per-product-and-warehouse rule (checked again under the lock), the
// checks with their messages, the receipt, ledger and stock rows the receipt posting writes, and a
// failure at any statement leaving nothing.
#include "apoyo/UnegocioPrueba.h"

#include "comun/U_productoSeleccionado.h"
#include "comun/U_utilerias.h"
#include "datos/UcodigosInventario.h"
#include "datos/UmiddleTier.h"
#include "existencias/UNEG_capturarExistencias.h"
#include "existencias/U_verificacion.h"

#include <QtTest>

namespace {

// The posting's rows of the business: receipts, ledger, stock rows (x1000) and journal entries.
QStringList estado(const TnegocioPrueba &n) {
    QStringList s;
    for (const char *sql : {"SELECT COUNT(*) FROM inventarioEntrada WHERE idNegocioFk = :negocio",
                            "SELECT COUNT(*) FROM inventarioKardex WHERE idNegocioFk = :negocio",
                            "SELECT COALESCE(SUM(x.existencia), 0) * 1000 FROM inventarioExistencias x JOIN "
                            "inventarioAlmacen a ON a.id = x.inventarioAlmacen_id WHERE a.idNegocioFk = "
                            ":negocio",
                            "SELECT COUNT(*) FROM AsientosAplicados WHERE idNegocioFk = :negocio"})
        s << QString::number(n.cuenta(QString::fromLatin1(sql)));
    return s;
}
} // namespace

class TpruebaCapturarExistencias : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;

    // A business with a warehouse and a product chosen on a fresh capture.
    struct Tescena {
        std::unique_ptr<TnegocioPrueba> n;
        std::unique_ptr<TcapturaExistencias> captura;
        int almacen = 0;
        int producto = 0;
    };

    Tescena escena(int metodo, bool conConcepto = true, int controlNoSerie = 0) {
        Tescena e;
        e.n = std::make_unique<TnegocioPrueba>(*uBase, metodo);
        if (conConcepto)
            e.n->concepto(1, kFamiliaExistenciaInicial, QStringLiteral("Existencia inicial"));
        e.almacen = e.n->almacen();
        e.producto = e.n->producto(QStringLiteral("Cuaderno"), controlNoSerie);
        e.captura = std::make_unique<TcapturaExistencias>(uBase->sistema(e.n->negocio()));
        elige(e);
        return e;
    }

    static void elige(Tescena &e) {
        TalmacenDescripcion a;
        a.seleccionado = true;
        a.id = e.almacen;
        a.nombre = QStringLiteral("Matriz");
        e.captura->tomaAlmacen(a);
        e.captura->tomaProducto(u_productoPorId(e.n->sesion(), e.producto, e.n->negocio()));
    }

private slots:
    void init() { QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error())); }

    void capturaPorMetodo_data() {
        QTest::addColumn<int>("metodo");
        QTest::newRow("PEPS") << 1;
        QTest::newRow("Promedio") << 2;
    }

    // 0.5 at $10: one receipt of the initial-stock concept, its layer, its ledger row and the stock
    // row; the summary shows the total in money; a second capture, even of another quantity, is
    // refused and clears the choices.
    void capturaPorMetodo() {
        QFETCH(int, metodo);
        Tescena e = escena(metodo);
        e.n->guion().respuestas({true});
        QCOMPARE(e.captura->guardar(QStringLiteral("0.5"), QStringLiteral("10")),
                 TfinCapturaExistencia::Guardada);
        QVERIFY(e.n->guion().preguntas().last().contains(QStringLiteral("Total: $ 5.00\n\r")));
        QVERIFY(e.n->guion().preguntas().last().startsWith(QStringLiteral("Almacén: Matriz\n\rProducto: ")));
        QCOMPARE(e.n->guion().textos().last(), capturaExistencias::kGuardado);
        QCOMPARE(e.n->existencia(e.almacen, e.producto), 0.5);
        QCOMPARE(e.n->cuenta(QStringLiteral(
                     "SELECT COUNT(*) FROM inventarioEntrada r JOIN inventarioMovimientoConcepto c ON c.id = "
                     "r.inventarioMovimientoConcepto_id WHERE c.familia = -4 AND r.cantidad = 0.5 AND "
                     "r.costoUnitario = 10 AND r.existenciaCostoTotal = 5 AND r.idNegocioFk = :negocio")),
                 1);
        QCOMPARE(
            e.n->cuenta(QStringLiteral("SELECT COUNT(*) FROM inventarioKardex k JOIN inventarioEntrada r "
                                       "ON r.id = k.inventarioEntrada_id WHERE k.entradaCantidad = 0.5 "
                                       "AND k.totalCantidad = 0.5 AND k.idNegocioFk = :negocio")),
            1);
        QVERIFY(e.captura->producto().productoId == 0 && e.captura->almacen().id == 0);

        elige(e);
        const QStringList antes = estado(*e.n);
        QCOMPARE(e.captura->guardar(QStringLiteral("7"), QStringLiteral("3")),
                 TfinCapturaExistencia::Duplicada);
        QCOMPARE(e.n->guion().textos().last(), capturaExistencias::kDuplicado);
        QCOMPARE(estado(*e.n), antes);
        QCOMPARE(e.captura->producto().productoId, 0);
        bool ok = false;
        QCOMPARE(u_verificaInventario(e.n->sesion(), ok), QStringList());
        QVERIFY(ok);
    }

    // Another workstation's receipt between the check and the posting: the check under the lock
    // refuses it with the same warning and nothing is written.
    void duplicadaBajoElBloqueo() {
        Tescena e = escena(1);
        QVERIFY(e.n->recibe(QStringLiteral("A"), e.almacen, e.producto,
                            QStringLiteral("2024-01-02 10:00:00.000"), 4, 2) > 0);
        // The stock row read before the lock does not show it yet.
        TmiddleTier mt(e.n->sesion());
        mt.setQuery(QStringLiteral("DELETE FROM inventarioExistencias WHERE inventarioProducto_id = :p"));
        mt.setParametroEntero(QStringLiteral("p"), e.producto);
        QVERIFY(mt.nonQuery().isSuccess());
        const QStringList antes = estado(*e.n);
        e.n->guion().limpia();
        e.n->guion().respuestas({true});
        QCOMPARE(e.captura->guardar(QStringLiteral("3"), QStringLiteral("5")),
                 TfinCapturaExistencia::Duplicada);
        QCOMPARE(e.n->guion().textos().last(), capturaExistencias::kDuplicado);
        QCOMPARE(estado(*e.n), antes);
    }

    void rechazos_data() {
        QTest::addColumn<QString>("cantidad");
        QTest::addColumn<QString>("costo");
        QTest::addColumn<int>("serie");
        QTest::addColumn<QString>("mensaje");
        const QString sinExistencia = QStringLiteral("Capture un valor para existencia");
        const QString sinCosto = QStringLiteral("Capture un valor para costo unitario");
        QTest::newRow("cantidad 0") << "0"
                                    << "10" << 0 << sinExistencia;
        QTest::newRow("cantidad vacía") << ""
                                        << "10" << 0 << sinExistencia;
        QTest::newRow("cantidad texto") << "diez"
                                        << "10" << 0 << sinExistencia;
        QTest::newRow("cantidad negativa") << "-3"
                                           << "10" << 0 << sinExistencia;
        QTest::newRow("cantidad enorme") << "99999999999999"
                                         << "10" << 0 << sinExistencia;
        QTest::newRow("comillas") << "1'; DROP TABLE x"
                                  << "10" << 0 << sinExistencia;
        QTest::newRow("costo 0") << "2"
                                 << "0" << 0 << sinCosto;
        QTest::newRow("costo exponente") << "2"
                                         << "1e3" << 0 << sinCosto;
        QTest::newRow("total enorme")
            << "999999999"
            << "999999" << 0 << QStringLiteral("Compruebe los valores capturados e intente nuevamente");
        QTest::newRow("con número de serie") << "2"
                                             << "10" << 1 << capturaExistencias::kConSerie;
    }

    // Each refusal keeps the choices, writes nothing and asks nothing.
    void rechazos() {
        QFETCH(QString, cantidad);
        QFETCH(QString, costo);
        QFETCH(int, serie);
        QFETCH(QString, mensaje);
        Tescena e = escena(2, true, serie);
        const QStringList antes = estado(*e.n);
        QCOMPARE(e.captura->guardar(cantidad, costo), TfinCapturaExistencia::Rechazada);
        QCOMPARE(e.n->guion().textos(), QStringList{mensaje});
        QVERIFY(e.n->guion().preguntas().isEmpty());
        QCOMPARE(estado(*e.n), antes);
        QCOMPARE(e.captura->producto().productoId, e.producto);
    }

    void sinEleccion() {
        Tescena e = escena(1);
        TcapturaExistencias vacia(uBase->sistema(e.n->negocio()));
        QCOMPARE(vacia.guardar(QStringLiteral("1"), QStringLiteral("1")), TfinCapturaExistencia::Rechazada);
        QCOMPARE(e.n->guion().textos().last(), QStringLiteral("Seleccione un producto"));
        vacia.tomaProducto(u_productoPorId(e.n->sesion(), e.producto, e.n->negocio()));
        QCOMPARE(vacia.guardar(QStringLiteral("1"), QStringLiteral("1")), TfinCapturaExistencia::Rechazada);
        QCOMPARE(e.n->guion().textos().last(), QStringLiteral("Seleccione un almacén"));
        // Cancelling the summary writes nothing and keeps the form.
        const QStringList antes = estado(*e.n);
        e.n->guion().respuestas({false});
        QCOMPARE(e.captura->guardar(QStringLiteral("1"), QStringLiteral("1")),
                 TfinCapturaExistencia::Rechazada);
        QCOMPARE(estado(*e.n), antes);
        QCOMPARE(e.captura->producto().productoId, e.producto);
    }

    // Without an initial-stock concept the receipt carries concept 0.
    void sinConceptoCero() {
        Tescena e = escena(1, false);
        e.n->guion().respuestas({true});
        QCOMPARE(e.captura->guardar(QStringLiteral("2"), QStringLiteral("4")),
                 TfinCapturaExistencia::Guardada);
        QCOMPARE(
            e.n->cuenta(QStringLiteral("SELECT COUNT(*) FROM inventarioEntrada WHERE "
                                       "inventarioMovimientoConcepto_id = 0 AND idNegocioFk = :negocio")),
            1);
    }

    // A failure at any statement of the posting leaves nothing, keeps the form and is told.
    void fallaEnCadaSentencia() {
        Tescena e = escena(1);
        const QStringList antes = estado(*e.n);
        for (int n = 1;; ++n) {
            QVERIFY2(n < 60, "the posting never completes");
            e.n->guion().limpia();
            e.n->guion().respuestas({true});
            TmiddleTier::setFallaEnSentencia(n);
            const TfinCapturaExistencia fin = e.captura->guardar(QStringLiteral("3"), QStringLiteral("2.5"));
            TmiddleTier::setFallaEnSentencia(0);
            if (fin == TfinCapturaExistencia::Guardada)
                break;
            QCOMPARE(estado(*e.n), antes);
            QCOMPARE(e.captura->producto().productoId, e.producto);
            QVERIFY(!e.n->guion().textos().isEmpty());
        }
        QCOMPARE(e.n->existencia(e.almacen, e.producto), 3.0);
    }
};

QTEST_GUILESS_MAIN(TpruebaCapturarExistencias)
#include "tst_capturarExistencias.moc"

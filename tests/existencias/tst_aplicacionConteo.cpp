// Applying a saved physical count: surpluses in as one receipt and shortages out as one issue at
// the hand-worked layer and cost figures of both methods, the count applied once (also when
// another workstation applies it while the user reads the question), products moved after the
// count and serial-numbered ones listed and left out, unreadable figures left out, and a failure
// at any statement leaving nothing.
#include "apoyo/UnegocioPrueba.h"

#include "comun/U_utilerias.h"
#include "datos/UmiddleTier.h"
#include "existencias/UNEG_aplicacionConteo.h"
#include "existencias/U_verificacion.h"

#include <QtTest>

class TpruebaAplicacionConteo : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;

    // Cuaderno: 10 @ 5 and 4 @ 8 received, 6 issued (stock 8); Lápiz: 5 @ 2 and 5 @ 3 (stock 10).
    struct Tescena {
        std::unique_ptr<TnegocioPrueba> n;
        int matriz = 0;
        int cuaderno = 0;
        int lapiz = 0;
    };

    Tescena escena(int metodo) {
        Tescena e;
        e.n = std::make_unique<TnegocioPrueba>(*uBase, metodo);
        e.matriz = e.n->almacen();
        e.cuaderno = e.n->producto(QStringLiteral("Cuaderno"));
        e.lapiz = e.n->producto(QStringLiteral("Lápiz"));
        e.n->recibe(QStringLiteral("C1"), e.matriz, e.cuaderno, QStringLiteral("2024-03-01 09:00:00.000"), 10,
                    5);
        e.n->recibe(QStringLiteral("L1"), e.matriz, e.lapiz, QStringLiteral("2024-03-01 10:00:00.000"), 5, 2);
        e.n->recibe(QStringLiteral("C2"), e.matriz, e.cuaderno, QStringLiteral("2024-03-02 09:00:00.000"), 4,
                    8);
        e.n->recibe(QStringLiteral("L2"), e.matriz, e.lapiz, QStringLiteral("2024-03-02 10:00:00.000"), 5, 3);
        e.n->entrega(e.matriz, e.cuaderno, QStringLiteral("2024-03-03 09:00:00.000"), 6);
        return e;
    }

    // Saves the warehouse's sheet taken on 2024-03-10 with the counted quantities by product name.
    static int guardaConteo(Tescena &e, const QHash<QString, QString> &contados) {
        QVector<TlineaConteo> lineas;
        if (!u_cargaHojaConteo(e.n->sesion(), QString(), e.matriz, e.n->negocio(), lineas))
            return 0;
        for (TlineaConteo &l : lineas)
            l.existenciaFisica = contados.value(l.nombre);
        UREC_inventarioFisicoIndice i;
        i.resultado = 1;
        i.nombre = QStringLiteral("Marzo");
        i.almacenID = e.matriz;
        i.almacenNombre = QStringLiteral("Matriz");
        i.creacion = i.modificacion = TnegocioPrueba::fecha(QStringLiteral("2024-03-10 18:00:00.000"));
        i.negocioID = e.n->negocio();
        return u_guardaConteo(e.n->sesion(), i, lineas) == TfinGuardadoConteo::Guardado ? i.id : 0;
    }

    TfinAplicacion aplica(Tescena &e, int conteo, int negocio = 0, int nivel = 2) {
        return TaplicacionConteo(uBase->sistema(negocio ? negocio : e.n->negocio(), nivel), conteo).aplica();
    }

    static void responde(Tescena &e, int aceptar = 1) {
        e.n->guion().limpia();
        e.n->acepta(aceptar);
    }

    // "stock | open layers quantity@receipt cost | value after the newest movement".
    static QString estado(const Tescena &e, int producto) {
        TmovimientosInventario mt(e.n->sesion());
        TsaldoMovimiento saldo;
        mt.selectSaldoUltimoMovimiento(producto, e.matriz, e.n->negocio(), saldo);
        const double valor = saldo.costoTotal;
        mt.setQuery(QStringLiteral("SELECT existencia, costoUnitario FROM inventarioEntrada WHERE "
                                   "inventarioProducto_id = :p AND existencia > 0 ORDER BY id"));
        mt.setParametroEntero(QStringLiteral("p"), producto);
        const CmidTierResponse r = mt.reader();
        QStringList capas;
        for (int f = 0; f < r.getRowCount(); ++f)
            capas << FloatToStr(r.getCeldaAsFloat(f, 0)) + QLatin1Char('@') +
                         FloatToStr(r.getCeldaAsFloat(f, 1));
        return QStringLiteral("%1 | %2 | %3")
            .arg(FloatToStr(e.n->existencia(e.matriz, producto)), capas.join(QLatin1Char(' ')),
                 FloatToStr(valor));
    }

    // Everything an application may write, to prove that a refused or failed one wrote nothing.
    static QStringList escrito(const Tescena &e) {
        return e.n->estadoSalidas()
               << QString::number(e.n->cuenta(
                      QStringLiteral("SELECT COUNT(*) FROM inventarioEntrada WHERE idNegocioFk = :negocio")))
               << QString::number(e.n->cuenta(QStringLiteral(
                      "SELECT COUNT(*) FROM inventarioFisicoIndice WHERE idNegocioFk = :negocio AND "
                      "(fechaHoraAplicacion IS NOT NULL OR documentoEntradaAjuste <> 0)")));
    }

    static QStringList hallazgos(const Tescena &e) {
        bool leido = false;
        const QStringList h = u_verificaInventario(e.n->sesion(), leido);
        return leido ? h : QStringList{QStringLiteral("no se pudo leer")};
    }

    static const QHash<QString, QString> &conteoMarzo() {
        static const QHash<QString, QString> k{{QStringLiteral("Cuaderno"), QStringLiteral("10")},
                                               {QStringLiteral("Lápiz"), QStringLiteral("7")}};
        return k;
    }

private slots:
    void init() { QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error())); }

    void ajustaAlConteo_data() {
        QTest::addColumn<int>("metodo");
        QTest::addColumn<QString>("pregunta");
        QTest::addColumn<QString>("cuaderno");
        QTest::addColumn<QString>("lapiz");
        QTest::addColumn<QStringList>("asientos");
        // PEPS: the surplus at its newest layer's cost (8); the shortage from the oldest layer (2).
        QTest::newRow("PEPS") << 1
                              << "Suben 1 productos, con valor de $ 16.00 (una entrada).\n\rBajan 1 "
                                 "productos, con valor de $ 6.00"
                              << "10 | 4@5 4@8 2@8 | 68"
                              << "7 | 2@2 5@3 | 19" << QStringList{"16", "6"};
        // Average: 82 / 14 = 5.85 after the receipts; 6 left at 5.85 (46.90 stays); 2 come in at
        // 5.85 (58.60); the pencils leave at 25 / 10 = 2.50.
        QTest::newRow("Promedio Ponderado") << 2
                                            << "Suben 1 productos, con valor de $ 11.70 (una "
                                               "entrada).\n\rBajan 1 productos, con valor de $ 7.50"
                                            << "10 | 4@5 4@8 2@5.85 | 58.6"
                                            << "7 | 2@2 5@3 | 17.5" << QStringList{"11.7", "7.5"};
    }

    void ajustaAlConteo() {
        QFETCH(int, metodo);
        QFETCH(QString, pregunta);
        QFETCH(QString, cuaderno);
        QFETCH(QString, lapiz);
        QFETCH(QStringList, asientos);
        Tescena e = escena(metodo);
        const int conteo = guardaConteo(e, conteoMarzo());
        QVERIFY(conteo > 0);
        responde(e);
        QCOMPARE(aplica(e, conteo), TfinAplicacion::Aplicada);
        QVERIFY2(e.n->guion().preguntas().value(0).contains(pregunta),
                 qPrintable(e.n->guion().preguntas().value(0)));
        QCOMPARE(estado(e, e.cuaderno), cuaderno);
        QCOMPARE(estado(e, e.lapiz), lapiz);
        QCOMPARE(hallazgos(e), QStringList());
        // The count records its documents; each carries its system concept and its journal entry.
        TmiddleTier mt(e.n->sesion());
        mt.setQuery(QStringLiteral(
            "SELECT (SELECT c.etiqueta FROM inventarioEntrada x JOIN inventarioMovimientoConcepto c ON c.id "
            "= "
            "x.inventarioMovimientoConcepto_id WHERE x.idNegocioFk = i.idNegocioFk AND x.documento = "
            "i.documentoEntradaAjuste), (SELECT MAX(c.etiqueta) FROM inventarioSalida s JOIN "
            "inventarioEntrada x ON "
            "x.id = s.inventarioEntrada_id JOIN inventarioMovimientoConcepto c ON c.id = "
            "s.inventarioMovimientoConcepto_id WHERE x.idNegocioFk = i.idNegocioFk AND s.documento = "
            "i.documentoSalidaAjuste) FROM inventarioFisicoIndice i WHERE i.id = :id AND "
            "i.fechaHoraAplicacion IS "
            "NOT NULL"));
        mt.setParametroEntero(QStringLiteral("id"), conteo);
        const CmidTierResponse r = mt.reader();
        QCOMPARE(r.getRowCount(), 1);
        QCOMPARE(r.getCelda(0, 0), QStringLiteral("Ajuste por inventario físico (entrada)"));
        QCOMPARE(r.getCelda(0, 1), QStringLiteral("Ajuste por inventario físico (salida)"));
        mt.setQuery(QStringLiteral(
            "SELECT total FROM AsientosAplicados WHERE idNegocioFk = :negocio ORDER BY id DESC "
            "LIMIT 2"));
        mt.setParametroEntero(QStringLiteral("negocio"), e.n->negocio());
        const CmidTierResponse a = mt.reader();
        QCOMPARE((QStringList{FloatToStr(a.getCeldaAsFloat(1, 0)), FloatToStr(a.getCeldaAsFloat(0, 0))}),
                 asientos);
    }

    void rechazos_data() {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("aplicado antes") << "dos veces"
                                        << "ya se aplicaron el";
        QTest::newRow("otra estación lo aplica mientras pregunta") << "carrera"
                                                                   << "ya se aplicaron el";
        QTest::newRow("una venta mientras pregunta") << "venta" << aplicacionConteo::kCambio;
        QTest::newRow("usuario de consulta") << "nivel 1" << aplicacionConteo::kRestringido;
        QTest::newRow("todos los almacenes") << "todos" << aplicacionConteo::kSinAlmacen;
        QTest::newRow("conteo de otro negocio") << "otro negocio" << aplicacionConteo::kNoLeido;
        QTest::newRow("sin diferencias") << "igual" << aplicacionConteo::kSinDiferencias;
    }

    // Each refusal is told and writes nothing; another workstation's application or sale while
    // the user reads the question is found under the lock.
    void rechazos() {
        QFETCH(QString, caso);
        QFETCH(QString, mensaje);
        Tescena e = escena(1);
        const QHash<QString, QString> sinCambio{{QStringLiteral("Cuaderno"), QStringLiteral("8")}};
        const int conteo = guardaConteo(e, caso == QLatin1String("igual") ? sinCambio : conteoMarzo());
        QVERIFY(conteo > 0);
        int negocio = e.n->negocio();
        int nivel = 2;
        responde(e, 2);
        if (caso == QLatin1String("dos veces")) {
            QCOMPARE(aplica(e, conteo), TfinAplicacion::Aplicada);
        } else if (caso == QLatin1String("nivel 1")) {
            nivel = 1;
        } else if (caso == QLatin1String("todos")) {
            TmiddleTier mt(e.n->sesion());
            mt.setQuery(
                QStringLiteral("UPDATE inventarioFisicoIndice SET inventarioAlmacen_id = 0 WHERE id = :id"));
            mt.setParametroEntero(QStringLiteral("id"), conteo);
            QVERIFY(mt.nonQuery().isSuccess());
        } else if (caso == QLatin1String("otro negocio")) {
            negocio = uBase->creaNegocio(QStringLiteral("Otra"));
        }
        QStringList antes = escrito(e);
        if (caso == QLatin1String("carrera"))
            e.n->guion().antesDePreguntar(QStringLiteral("Aplicar los ajustes"), [&] {
                QCOMPARE(aplica(e, conteo), TfinAplicacion::Aplicada);
                antes = escrito(e);
            });
        if (caso == QLatin1String("venta"))
            e.n->guion().antesDePreguntar(QStringLiteral("Aplicar los ajustes"), [&] {
                QVERIFY(e.n->entrega(e.matriz, e.lapiz, QStringLiteral("2024-03-11 09:00:00.000"), 1) > 0);
                antes = escrito(e);
            });
        QCOMPARE(aplica(e, conteo, negocio, nivel), TfinAplicacion::Rechazada);
        const QString dicho = e.n->guion().textos().join(QLatin1Char('|'));
        QVERIFY2(dicho.contains(mensaje), qPrintable(dicho));
        QCOMPARE(escrito(e), antes);
        QCOMPARE(hallazgos(e), QStringList());
    }

    void dejaFuera_data() {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QString>("contado");
        QTest::addColumn<QString>("listado");
        const QString movido = QStringLiteral("Cuaderno: su existencia cambió después del conteo");
        const QString ilegible = QStringLiteral("Cuaderno: sus cifras no pueden leerse");
        QTest::newRow("vendido después del conteo") << "venta"
                                                    << "10" << movido;
        QTest::newRow("entrada y salida que se compensan") << "compensa"
                                                           << "10" << movido;
        QTest::newRow("con número de serie") << "serie"
                                             << ""
                                             << "Taladro: se controla por número de serie";
        QTest::newRow("texto") << ""
                               << "abc" << ilegible;
        QTest::newRow("con signo") << ""
                                   << "-3" << ilegible;
        QTest::newRow("exponente") << ""
                                   << "1e5" << ilegible;
        QTest::newRow("valor desmedido") << ""
                                         << "999999999999" << ilegible;
        QTest::newRow("sin contar") << ""
                                    << "" << QString();
    }

    // The product is listed (or, not counted, ignored) and keeps its stock; the pencils' shortage is
    // posted all the same.
    void dejaFuera() {
        QFETCH(QString, caso);
        QFETCH(QString, contado);
        QFETCH(QString, listado);
        Tescena e = escena(2);
        const int taladro = e.n->producto(QStringLiteral("Taladro"), 1);
        e.n->recibe(QStringLiteral("T1"), e.matriz, taladro, QStringLiteral("2024-03-05 09:00:00.000"), 2,
                    900, {QStringLiteral("S-1"), QStringLiteral("S-2")});
        const int conteo =
            guardaConteo(e, {{QStringLiteral("Cuaderno"), contado},
                             {QStringLiteral("Lápiz"), QStringLiteral("7")},
                             {QStringLiteral("Taladro"),
                              caso == QLatin1String("serie") ? QStringLiteral("1") : QStringLiteral("2")}});
        QVERIFY(conteo > 0);
        if (caso == QLatin1String("venta"))
            QVERIFY(e.n->entrega(e.matriz, e.cuaderno, QStringLiteral("2024-03-11 09:00:00.000"), 1) > 0);
        if (caso == QLatin1String("compensa")) {
            e.n->recibe(QStringLiteral("C3"), e.matriz, e.cuaderno, QStringLiteral("2024-03-11 09:00:00.000"),
                        1, 9);
            QVERIFY(e.n->entrega(e.matriz, e.cuaderno, QStringLiteral("2024-03-12 09:00:00.000"), 1) > 0);
        }
        const double cuaderno = e.n->existencia(e.matriz, e.cuaderno);
        responde(e);
        QCOMPARE(aplica(e, conteo), TfinAplicacion::Aplicada);
        const QString pregunta = e.n->guion().preguntas().value(0);
        QVERIFY2(pregunta.contains(QStringLiteral("Bajan 1 productos")), qPrintable(pregunta));
        QVERIFY2(listado.isEmpty() ? !pregunta.contains(QStringLiteral("Se dejan fuera"))
                                   : pregunta.contains(listado),
                 qPrintable(pregunta));
        QCOMPARE(e.n->existencia(e.matriz, e.cuaderno), cuaderno);
        QCOMPARE(e.n->existencia(e.matriz, taladro), 2.0);
        QCOMPARE(e.n->existencia(e.matriz, e.lapiz), 7.0);
        QCOMPARE(hallazgos(e), QStringList());
    }

    void unaFallaNoDejaNada_data() {
        QTest::addColumn<int>("metodo");
        QTest::newRow("PEPS") << 1;
        QTest::newRow("Promedio Ponderado") << 2;
    }

    // Every statement of the application fails in turn: until the posting commits, nothing of the
    // receipt, the issue or the record remains.
    void unaFallaNoDejaNada() {
        QFETCH(int, metodo);
        Tescena e = escena(metodo);
        const int conteo = guardaConteo(e, conteoMarzo());
        QVERIFY(conteo > 0);
        const QStringList antes = escrito(e);
        for (int n = 1;; ++n) {
            QVERIFY2(n < 300, "the application never completes");
            responde(e);
            TmiddleTier::setFallaEnSentencia(n);
            const TfinAplicacion fin = aplica(e, conteo);
            TmiddleTier::setFallaEnSentencia(0);
            if (fin == TfinAplicacion::Aplicada)
                break;
            QCOMPARE(escrito(e), antes);
        }
        QCOMPARE(e.n->existencia(e.matriz, e.cuaderno), 10.0);
        QCOMPARE(hallazgos(e), QStringList());
    }
};

QTEST_GUILESS_MAIN(TpruebaAplicacionConteo)
#include "tst_aplicacionConteo.moc"

// The ledger rebuild by FIFO layers and by weighted average, on hand-worked examples, on the
// engine of the run.
#include "apoyo/UbasePrueba.h"
#include "apoyo/UnegocioPrueba.h"
#include "comun/U_utilerias.h"
#include "datos/UmiddleTier.h"
#include "kardex/UNEG_construccionKardex.h"

#include <QtTest>

namespace {
using Tcorrida = TnegocioPrueba::Tcorrida;
using Tlectura = TconstruccionKardex::Tlectura;

Tcorrida corrida(double existencia, double costoUnitario, double costoTotal) {
    return {existencia, costoUnitario, costoTotal};
}

} // namespace

class TpruebaReconstruccion : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;

    static bool construye(TbasePrueba &base, const TnegocioPrueba &n, Tlectura lectura = Tlectura::PorBloques,
                          QList<QPair<int, int>> *avance = nullptr) {
        TconstruccionKardex c(base.sesion(), n.negocio());
        c.setLectura(lectura);
        if (avance)
            c.setAvance([avance](int productos, int almacenes) { avance->append({productos, almacenes}); });
        return c.construye();
    }
    bool construye(const TnegocioPrueba &n) { return construye(*uBase, n); }

    QStringList columnas(const QString &tabla, const QString &columnas, int id) {
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(QStringLiteral("SELECT %1 FROM %2 WHERE id = :id").arg(columnas, tabla));
        mt.setParametroEntero(QStringLiteral("id"), id);
        const CmidTierResponse r = mt.reader();
        QStringList valores;
        for (int c = 0; c < r.getColumnCount(); ++c)
            valores << (r.esNulo(0, r.getAlias().at(c)) ? QStringLiteral("-")
                                                        : FloatToStr(r.getCeldaAsFloat(0, c)));
        return valores;
    }

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        TmiddleTier::setFallaEnSentencia(0);
    }
    void cleanup() {
        TmiddleTier::setFallaEnSentencia(0);
        uBase.reset();
    }

    // Two receipts form group 0; the issue on the first is group 1 with the second layer's snapshot.
    void pepsDosEntradasYUnaSalida() {
        TnegocioPrueba n(*uBase, 1);
        const int a = n.almacen(), p = n.producto();
        const int r1 =
            n.filaEntrada(QStringLiteral("R1"), a, p, QStringLiteral("2024-01-01 09:00:00"), 10, 5);
        n.filaEntrada(QStringLiteral("R2"), a, p, QStringLiteral("2024-01-02 09:00:00"), 5, 6);
        const int s = n.filaSalida(r1, QStringLiteral("2024-01-03 09:00:00"), 4, 5, 1);
        QVERIFY(construye(n));
        QCOMPARE(n.kardex(), QStringList({
                                 QStringLiteral("R1 1 10 5 | - - - - | 10 5 | - 1 0"),
                                 QStringLiteral("R2 2 5 6 | - - - - | 5 6 | - - 0"),
                                 QStringLiteral("- - - - | 1 R1 4 5 | 6 5 | - 1 1"),
                                 QStringLiteral("R2 - - - | - - - - | 5 6 | 1 - 1"),
                             }));
        // Under PEPS the issue keeps the cost of its layer.
        QCOMPARE(columnas(QStringLiteral("inventarioSalida"),
                          QStringLiteral("salidaCostoUnitario, existenciaCostoUnitario"), s),
                 QStringList({QStringLiteral("5"), QStringLiteral("5")}));
    }

    // One issue document over two layers is one group; an emptied layer leaves the snapshots; an
    // issue on a closed layer leaves no row.
    void pepsSalidaSobreDosCapas() {
        TnegocioPrueba n(*uBase, 1);
        const int a = n.almacen(), p = n.producto();
        const int r1 =
            n.filaEntrada(QStringLiteral("R1"), a, p, QStringLiteral("2024-01-01 09:00:00"), 10, 5);
        const int r2 = n.filaEntrada(QStringLiteral("R2"), a, p, QStringLiteral("2024-01-02 09:00:00"), 5, 6);
        n.filaEntrada(QStringLiteral("R3"), a, p, QStringLiteral("2024-01-02 11:00:00"), 3, 7);
        n.filaSalida(r1, QStringLiteral("2024-01-03 09:00:00"), 10, 5, 7);
        n.filaSalida(r2, QStringLiteral("2024-01-03 09:00:00"), 2, 6, 7);
        n.filaSalida(r2, QStringLiteral("2024-01-04 09:00:00"), 1, 6, 8);
        n.filaSalida(r1, QStringLiteral("2024-01-05 09:00:00"), 1, 5, 9);
        QVERIFY(construye(n));
        QCOMPARE(n.kardex(), QStringList({
                                 QStringLiteral("R1 1 10 5 | - - - - | 10 5 | - 1 0"),
                                 QStringLiteral("R2 2 5 6 | - - - - | 5 6 | - - 0"),
                                 QStringLiteral("R3 3 3 7 | - - - - | 3 7 | - - 0"),
                                 QStringLiteral("- - - - | 7 R1 10 5 | 0 5 | - 1 1"),
                                 QStringLiteral("- - - - | 7 R2 2 6 | 3 6 | - - 1"),
                                 QStringLiteral("R3 - - - | - - - - | 3 7 | 1 - 1"),
                                 QStringLiteral("- - - - | 8 R2 1 6 | 2 6 | - 1 2"),
                                 QStringLiteral("R3 - - - | - - - - | 3 7 | 1 - 2"),
                             }));
    }

    // A customer return opens a layer of its own, as its posting does, and shows as a negative
    // issue; a purchase return shows as a negative receipt. Snapshots carry the movement's date.
    void pepsDevoluciones() {
        TnegocioPrueba n(*uBase, 1);
        const int a = n.almacen(), p = n.producto();
        const int r1 =
            n.filaEntrada(QStringLiteral("R1"), a, p, QStringLiteral("2024-01-01 09:00:00"), 10, 5);
        const int r2 = n.filaEntrada(QStringLiteral("R2"), a, p, QStringLiteral("2024-01-01 10:00:00"), 4, 6);
        const int s = n.filaSalida(r1, QStringLiteral("2024-01-02 09:00:00"), 4, 5, 1);
        n.devuelve(n.filaEntrada(QStringLiteral("Rd"), a, p, QStringLiteral("2024-01-03 09:00:00"), 1, 5, 2),
                   s);
        n.filaSalida(r2, QStringLiteral("2024-01-04 09:00:00"), 1, 6, 2, 3);
        QVERIFY(construye(n));
        QCOMPARE(n.kardex(), QStringList({
                                 QStringLiteral("R1 1 10 5 | - - - - | 10 5 | - 1 0"),
                                 QStringLiteral("R2 2 4 6 | - - - - | 4 6 | - - 0"),
                                 QStringLiteral("- - - - | 1 R1 4 5 | 6 5 | - 1 1"),
                                 QStringLiteral("R2 - - - | - - - - | 4 6 | 1 - 1"),
                                 QStringLiteral("Rd 3 - - | - - -1 5 | 1 5 | - 1 2"),
                                 QStringLiteral("R1 - - - | - - - - | 6 5 | 1 - 2"),
                                 QStringLiteral("R2 - - - | - - - - | 4 6 | 1 - 2"),
                                 QStringLiteral("- - -1 6 | 2 R2 - - | 3 6 | - 1 3"),
                                 QStringLiteral("R1 - - - | - - - - | 6 5 | 1 - 3"),
                                 QStringLiteral("Rd - - - | - - - - | 1 5 | 1 - 3"),
                             }));
        QCOMPARE(n.cuenta(QStringLiteral("SELECT COUNT(*) FROM inventarioKardex WHERE revision = 1 AND "
                                         "fechaHora > '2024-01-02 23:00:00' AND idNegocioFk = :negocio")),
                 4);
    }

    // Rows a replacing row (kind 2, 5, 7) or a skipped last row would have dropped are written.
    void pepsNingunRenglonSePierde_data() {
        QTest::addColumn<int>("caso");
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("dos existencias iniciales")
            << 0
            << QStringList({QStringLiteral("I1 1 5 3 | - - - - | 5 3 | - - 0"),
                            QStringLiteral("I2 2 2 4 | - - - - | 2 4 | - - 1")});
        QTest::newRow("última salida sobre una capa cerrada")
            << 1
            << QStringList({QStringLiteral("R1 1 5 5 | - - - - | 5 5 | - 1 0"),
                            QStringLiteral("- - - - | 1 R1 5 5 | 0 5 | - 1 1")});
        QTest::newRow("devolución de compra sobre una capa cerrada")
            << 2
            << QStringList({QStringLiteral("R1 1 2 5 | - - - - | 2 5 | - 1 0"),
                            QStringLiteral("- - - - | 1 R1 2 5 | 0 5 | - 1 1")});
    }
    void pepsNingunRenglonSePierde() {
        QFETCH(int, caso);
        QFETCH(QStringList, esperado);
        TnegocioPrueba n(*uBase, 1);
        const int a = n.almacen(), p = n.producto();
        if (caso == 0) {
            n.filaEntrada(QStringLiteral("I1"), a, p, QStringLiteral("2024-01-01 09:00:00"), 5, 3, -4);
            n.filaEntrada(QStringLiteral("I2"), a, p, QStringLiteral("2024-01-01 10:00:00"), 2, 4, -4);
        } else {
            const double cantidad = caso == 1 ? 5 : 2;
            const int r1 =
                n.filaEntrada(QStringLiteral("R1"), a, p, QStringLiteral("2024-01-01 09:00:00"), cantidad, 5);
            n.filaSalida(r1, QStringLiteral("2024-01-02 09:00:00"), cantidad, 5, 1);
            n.filaSalida(r1, QStringLiteral("2024-01-02 09:00:00"), 1, 5, caso == 1 ? 1 : 2,
                         caso == 1 ? 1 : 3);
        }
        QVERIFY(construye(n));
        QCOMPARE(n.kardex(), esperado);
    }

    // Fixed point, the average truncated to cents, the value carried (not restated from the
    // average) through zero and negative stock; the ledger rows are the walked balance.
    void promedioRecalculaYConstruye() {
        TnegocioPrueba n(*uBase, 2);
        const int a = n.almacen(), p = n.producto();
        const int r1 = n.filaEntrada(QStringLiteral("R1"), a, p, QStringLiteral("2024-01-01 09:00:00"), 10,
                                     10, 1, corrida(10, 10, 100));
        const int r2 = n.filaEntrada(QStringLiteral("R2"), a, p, QStringLiteral("2024-01-02 09:00:00"), 5,
                                     11.368, 1, corrida(15, 10.456, 156.84));
        const int s1 = n.filaSalida(r1, QStringLiteral("2024-01-03 09:00:00"), 3, 10.456, 1, 1,
                                    corrida(12, 10.456, 125.47));
        const int s2 =
            n.filaSalida(r1, QStringLiteral("2024-01-04 09:00:00"), 12, 10.45, 2, 1, corrida(0, 0, 0));
        const int s3 =
            n.filaSalida(r2, QStringLiteral("2024-01-05 09:00:00"), 1, 10.45, 3, 1, corrida(-1, 0, 0));
        QVERIFY(construye(n));
        const QString entrada =
            QStringLiteral("existenciaCostoUnitario, existenciaCostoTotal, existenciaTotal");
        const QString salida = QStringLiteral("salidaCostoUnitario, ") + entrada;
        QCOMPARE(columnas(QStringLiteral("inventarioEntrada"), entrada, r1),
                 QStringList({"10", "100", "10"}));
        QCOMPARE(columnas(QStringLiteral("inventarioEntrada"), entrada, r2),
                 QStringList({"10.45", "156.84", "15"}));
        QCOMPARE(columnas(QStringLiteral("inventarioSalida"), salida, s1),
                 QStringList({"10.45", "10.45", "125.49", "12"}));
        QCOMPARE(columnas(QStringLiteral("inventarioSalida"), salida, s2),
                 QStringList({"10.45", "10.45", "0.09", "0"}));
        QCOMPARE(columnas(QStringLiteral("inventarioSalida"), salida, s3),
                 QStringList({"10.45", "10.45", "-10.36", "-1"}));
        QCOMPARE(n.kardex(), QStringList({
                                 QStringLiteral("R1 1 10 10 | - - - - | 10 10 | - - -"),
                                 QStringLiteral("R2 2 5 11.368 | - - - - | 15 10.45 | - - -"),
                                 QStringLiteral("- - - - | 1 R1 3 10.45 | 12 10.45 | - - -"),
                                 QStringLiteral("- - - - | 2 R1 12 10.45 | 0 10.45 | - - -"),
                                 QStringLiteral("- - - - | 3 R2 1 10.45 | -1 10.45 | - - -"),
                             }));
    }

    // Each product starts from nothing: the first receipt's stored figures are restated, and an
    // issue right after it leaves at its average, not at 0.
    void promedioPrimeraSalidaConCosto() {
        TnegocioPrueba n(*uBase, 2);
        const int a = n.almacen(), p = n.producto();
        const int r1 = n.filaEntrada(QStringLiteral("R1"), a, p, QStringLiteral("2024-01-01 09:00:00"), 3, 10,
                                     1, corrida(3, 3.333, 10));
        const int s = n.filaSalida(r1, QStringLiteral("2024-01-02 09:00:00"), 1, 0, 1);
        QVERIFY(construye(n));
        QCOMPARE(
            columnas(QStringLiteral("inventarioSalida"),
                     QStringLiteral("salidaCostoUnitario, existenciaCostoUnitario, existenciaCostoTotal, "
                                    "existenciaTotal"),
                     s),
            QStringList({"10", "10", "20", "2"}));
    }

    // A receipt of quantity 0 is restated from nothing; returns change sides.
    void promedioUnRenglonYDevoluciones() {
        TnegocioPrueba n(*uBase, 2);
        const int a = n.almacen();
        const int p = n.producto(), q = n.producto(QStringLiteral("Pinzas"));
        const int r1 = n.filaEntrada(QStringLiteral("R1"), a, p, QStringLiteral("2024-01-01 09:00:00"), 0, 5,
                                     1, corrida(7, 3, 21));
        const int r2 = n.filaEntrada(QStringLiteral("R2"), a, q, QStringLiteral("2024-01-01 09:00:00"), 4, 5,
                                     1, corrida(4, 5, 20));
        const int s = n.filaSalida(r2, QStringLiteral("2024-01-02 09:00:00"), 2, 5, 1, 1, corrida(2, 5, 10));
        n.devuelve(n.filaEntrada(QStringLiteral("Rd"), a, q, QStringLiteral("2024-01-03 09:00:00"), 1, 5, 2,
                                 corrida(3, 5, 15)),
                   s);
        n.filaSalida(r2, QStringLiteral("2024-01-04 09:00:00"), 1, 5, 2, 3, corrida(2, 5, 10));
        QVERIFY(construye(n));
        QCOMPARE(columnas(QStringLiteral("inventarioEntrada"),
                          QStringLiteral("existenciaCostoUnitario, existenciaCostoTotal, existenciaTotal"),
                          r1),
                 QStringList({"0", "0", "0"}));
        QCOMPARE(n.kardex(), QStringList({
                                 QStringLiteral("R1 1 0 5 | - - - - | 0 0 | - - -"),
                                 QStringLiteral("R2 2 4 5 | - - - - | 4 5 | - - -"),
                                 QStringLiteral("- - - - | 1 R2 2 5 | 2 5 | - - -"),
                                 QStringLiteral("Rd 3 - - | - - -1 5 | 3 5 | - - -"),
                                 QStringLiteral("- - -1 5 | 2 R2 - - | 2 5 | - - -"),
                             }));
    }

    // Amounts far beyond any shop's saturate instead of overflowing; the rebuild still completes.
    void valoresEnormes_data() {
        QTest::addColumn<int>("metodo");
        QTest::newRow("PEPS") << 1;
        QTest::newRow("Promedio Ponderado") << 2;
    }
    void valoresEnormes() {
        QFETCH(int, metodo);
        TnegocioPrueba n(*uBase, metodo);
        const int a = n.almacen(), p = n.producto();
        const int r1 = n.filaEntrada(QStringLiteral("R1"), a, p, QStringLiteral("2024-01-01 09:00:00"), 1e308,
                                     1e308, 1, corrida(1e308, 1e308, 1e308));
        n.filaEntrada(QStringLiteral("R2"), a, p, QStringLiteral("2024-01-02 09:00:00"), 1e-300, -1e308);
        n.filaSalida(r1, QStringLiteral("2024-01-03 09:00:00"), 1e308, 1e308, 1);
        QVERIFY(construye(n));
        QVERIFY(n.kardex().size() >= 3);
    }

    void sinMetodoOSinAlmacenesNoEscribeNada() {
        TnegocioPrueba sinMetodo(*uBase, 0);
        const int a = sinMetodo.almacen(), p = sinMetodo.producto();
        sinMetodo.filaEntrada(QStringLiteral("R1"), a, p, QStringLiteral("2024-01-01 09:00:00"), 1, 1);
        QVERIFY(construye(sinMetodo));
        QVERIFY(sinMetodo.kardex().isEmpty());
        TnegocioPrueba vacio(*uBase, 1, QStringLiteral("Papelería Sol"));
        QVERIFY(construye(vacio));
        QVERIFY(vacio.kardex().isEmpty());
    }

    // Without a stored method there is nothing to value by: the running columns of the movements stay
    // as the postings left them, even figures an average would restate.
    void sinMetodoNoRecalculaLosMovimientos() {
        TnegocioPrueba n(*uBase, 0);
        const int a = n.almacen(), p = n.producto();
        const int r1 = n.filaEntrada(QStringLiteral("R1"), a, p, QStringLiteral("2024-01-01 09:00:00"), 2, 10,
                                     1, corrida(2, 10, 20));
        n.filaEntrada(QStringLiteral("R2"), a, p, QStringLiteral("2024-01-02 09:00:00"), 2, 20, 1,
                      corrida(4, 99, 1));
        n.filaSalida(r1, QStringLiteral("2024-01-03 09:00:00"), 1, 10, 1, 1, corrida(3, 77, 2));
        const QString corridas =
            QStringLiteral("SELECT COUNT(*) FROM inventarioEntrada e LEFT JOIN inventarioSalida s ON "
                           "s.inventarioEntrada_id = "
                           "e.id WHERE e.idNegocioFk = :negocio AND ((e.existenciaCostoUnitario = 99 AND "
                           "e.existenciaCostoTotal = 1) OR (s.existenciaCostoUnitario = 77 AND "
                           "s.existenciaCostoTotal = 2))");
        QCOMPARE(n.cuenta(corridas), 2);
        QVERIFY(construye(n));
        QVERIFY(n.kardex().isEmpty());
        QCOMPARE(n.cuenta(corridas), 2);
    }

    // A ledger with rows is never rebuilt over; another business's ledger does not count.
    void noReconstruyeSobreUnKardexConRenglones() {
        TnegocioPrueba n(*uBase, 1);
        const int a = n.almacen(), p = n.producto();
        n.filaEntrada(QStringLiteral("R1"), a, p, QStringLiteral("2024-01-01 09:00:00"), 1, 1);
        TnegocioPrueba otro(*uBase, 1, QStringLiteral("Papelería Sol"));
        otro.filaEntrada(QStringLiteral("X1"), otro.almacen(), otro.producto(),
                         QStringLiteral("2024-01-01 09:00:00"), 1, 1);
        QVERIFY(TconstruccionKardex::hayQueConstruir(uBase->sesion(), n.negocio()));
        QVERIFY(construye(otro));
        QVERIFY(TconstruccionKardex::hayQueConstruir(uBase->sesion(), n.negocio()));
        QVERIFY(!TconstruccionKardex::hayQueConstruir(uBase->sesion(), otro.negocio()));
        QVERIFY(!construye(otro));
        QCOMPARE(otro.kardex().size(), 1);
        TnegocioPrueba sinMovimientos(*uBase, 1, QStringLiteral("Tlapalería Luna"));
        QVERIFY(!TconstruccionKardex::hayQueConstruir(uBase->sesion(), sinMovimientos.negocio()));
    }

    // The ordered pass by blocks of products writes the ledger the per-pair walk writes, row for
    // row, and moves the bars the same way.
    void lecturaPorBloquesIgualAPorPar_data() {
        QTest::addColumn<int>("metodo");
        QTest::newRow("PEPS") << 1;
        QTest::newRow("Promedio Ponderado") << 2;
    }
    void lecturaPorBloquesIgualAPorPar() {
        QFETCH(int, metodo);
        TbasePrueba otraBase;
        QVERIFY2(otraBase.creaEsquema(), qPrintable(otraBase.error()));
        TnegocioPrueba porPar(*uBase, metodo), porBloques(otraBase, metodo);
        porPar.llenaAlAzar(20240601);
        porBloques.llenaAlAzar(20240601);
        QList<QPair<int, int>> avancePorPar, avancePorBloques;
        QVERIFY(construye(*uBase, porPar, Tlectura::PorPar, &avancePorPar));
        QVERIFY(construye(otraBase, porBloques, Tlectura::PorBloques, &avancePorBloques));
        QVERIFY(porPar.kardex().size() > 100);
        QCOMPARE(porBloques.kardex(), porPar.kardex());
        QCOMPARE(avancePorBloques, avancePorPar);
        QCOMPARE(avancePorPar.last(), qMakePair(83, 75));
    }

    // A failure in any statement of a PEPS rebuild leaves the whole ledger or none of it.
    void fallaEnPEPSNoDejaKardexParcial() {
        TnegocioPrueba n(*uBase, 1);
        n.llenaAlAzar(7);
        const int inicio = TmiddleTier::sentenciasEjecutadas();
        QVERIFY(construye(n));
        const int sentencias = TmiddleTier::sentenciasEjecutadas() - inicio;
        const QStringList completo = n.kardex();
        int fallidas = 0;
        for (int falla = 1; falla <= sentencias; ++falla) {
            n.ejecuta(QStringLiteral("DELETE FROM inventarioKardex WHERE idNegocioFk = :negocio"));
            TmiddleTier::setFallaEnSentencia(falla);
            const bool ok = construye(n);
            TmiddleTier::setFallaEnSentencia(0);
            fallidas += !ok;
            QCOMPARE(n.kardex(), ok ? completo : QStringList());
        }
        QVERIFY(fallidas > 0);
    }

    // A group the database refuses fails the whole rebuild: the ledger stays as it was.
    void grupoRechazadoDejaElKardexComoEstaba() {
        TnegocioPrueba n(*uBase, 1);
        const int a = n.almacen(), p = n.producto();
        const int r1 =
            n.filaEntrada(QStringLiteral("R1"), a, p, QStringLiteral("2024-01-01 09:00:00"), 10, 5);
        n.filaEntrada(QStringLiteral("R2"), a, p, QStringLiteral("2024-01-01 10:00:00"), 10, 6);
        n.filaSalida(r1, QStringLiteral("2024-01-02 09:00:00"), 1, 5, 1);
        n.filaSalida(r1, QStringLiteral("2024-01-03 09:00:00"), 1, 5, 666);
        QVERIFY(construye(n));
        const QStringList completo = n.kardex();
        n.ejecuta(
            uBase->esMySQL()
                ? QStringLiteral("CREATE TRIGGER rechaza666 BEFORE INSERT ON inventarioKardex FOR EACH ROW "
                                 "BEGIN IF NEW.documentoSalida = 666 THEN SIGNAL SQLSTATE '45000' SET "
                                 "MESSAGE_TEXT = 'rechazado'; END IF; END")
                : QStringLiteral("CREATE TRIGGER rechaza666 BEFORE INSERT ON inventarioKardex WHEN "
                                 "NEW.documentoSalida = 666 BEGIN SELECT RAISE(ABORT, 'rechazado'); END"));
        TconstruccionKardex otra(uBase->sesion(), n.negocio());
        otra.setVaciaPrimero(true);
        QVERIFY(!otra.construye());
        n.ejecuta(QStringLiteral("DROP TRIGGER rechaza666"));
        QCOMPARE(n.kardex(), completo);
    }

    // Under Promedio Ponderado any failure leaves the ledger (here empty) and the running columns
    // as they were.
    void fallaEnPromedioVaciaElKardex() {
        TnegocioPrueba n(*uBase, 2);
        n.llenaAlAzar(11);
        const QString suma = QStringLiteral(
            "SELECT SUM(COALESCE(existenciaCostoUnitario, 0) + COALESCE(existenciaTotal, 0)) * 100 FROM "
            "inventarioEntrada WHERE idNegocioFk = :negocio");
        // The first rebuild restates the running columns the fixture wrote by hand.
        QVERIFY(construye(n));
        n.ejecuta(QStringLiteral("DELETE FROM inventarioKardex WHERE idNegocioFk = :negocio"));
        const int inicio = TmiddleTier::sentenciasEjecutadas();
        QVERIFY(construye(n));
        const int sentencias = TmiddleTier::sentenciasEjecutadas() - inicio;
        const qint64 despues = n.cuenta(suma);
        const QStringList completo = n.kardex();
        int fallidas = 0;
        for (int falla = 1; falla <= sentencias; ++falla) {
            n.ejecuta(QStringLiteral("DELETE FROM inventarioKardex WHERE idNegocioFk = :negocio"));
            TmiddleTier::setFallaEnSentencia(falla);
            const bool ok = construye(n);
            TmiddleTier::setFallaEnSentencia(0);
            if (ok) {
                QCOMPARE(n.kardex(), completo);
                continue;
            }
            ++fallidas;
            QVERIFY(n.kardex().isEmpty());
            QCOMPARE(n.cuenta(suma), despues);
        }
        QVERIFY(fallidas > 0);
    }
};

QTEST_GUILESS_MAIN(TpruebaReconstruccion)
#include "tst_reconstruccion.moc"

// Bulk writes several rows to a statement, on the engine of the run.
#include "apoyo/UbasePrueba.h"
#include "datos/UactualizacionMultiple.h"
#include "datos/UinsercionMultiple.h"
#include "datos/UobservadorSentencias.h"

#include <QtTest>

class TpruebaEscrituraPorLotes : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;

    QStringList filas() const {
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(QStringLiteral("SELECT id, nombre, cantidad FROM renglon ORDER BY id"));
        const CmidTierResponse r = mt.reader();
        QStringList texto;
        for (int f = 0; f < r.getRowCount(); ++f)
            texto << QStringLiteral("%1 %2 %3")
                         .arg(r.getCelda(f, 0),
                              r.esNulo(f, QStringLiteral("nombre")) ? "-" : r.getCelda(f, 1),
                              r.getCelda(f, 2));
        return texto;
    }

private slots:
    void init() {
        uBase = std::make_unique<TbasePrueba>();
        QVERIFY2(uBase->valida(), qPrintable(uBase->error()));
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(uBase->esMySQL()
                        ? QStringLiteral("CREATE TABLE renglon (id INT NOT NULL PRIMARY KEY, nombre "
                                         "VARCHAR(40) NULL, cantidad DOUBLE NULL) ENGINE=InnoDB")
                        : QStringLiteral("CREATE TABLE renglon (id INTEGER PRIMARY KEY, nombre "
                                         "VARCHAR(40) NULL, cantidad DOUBLE NULL)"));
        QVERIFY(mt.nonQuery().isSuccess());
        TmiddleTier::setFallaEnSentencia(0);
    }
    void cleanup() {
        TmiddleTier::setFallaEnSentencia(0);
        uBase.reset();
    }

    // 5 rows, 2 to a statement: 3 statements; nulls and quotes are bound, not spliced.
    void insertaPorLotes() {
        TmiddleTier mt(uBase->sesion());
        TinsercionMultiple insercion(
            mt, QStringLiteral("renglon"),
            {QStringLiteral("id"), QStringLiteral("nombre"), QStringLiteral("cantidad")}, 2);
        const int antes = TmiddleTier::sentenciasEjecutadas();
        for (int i = 1; i <= 5; ++i)
            QVERIFY(insercion.agrega(
                {i, i == 3 ? QVariant() : QVariant(QStringLiteral("O'Brien %1").arg(i)), i * 1.5}));
        QCOMPARE(insercion.filasPendientes(), 1);
        QVERIFY(insercion.vacia());
        QCOMPARE(TmiddleTier::sentenciasEjecutadas() - antes, 3);
        QCOMPARE(insercion.filasEscritas(), 5);
        QCOMPARE(filas(), QStringList({"1 O'Brien 1 1.5", "2 O'Brien 2 3", "3 - 4.5", "4 O'Brien 4 6",
                                       "5 O'Brien 5 7.5"}));
        QVERIFY(!insercion.agrega({6, QStringLiteral("falta un valor")}));
    }

    // Thousands of values: MariaDB takes them in one statement, named in order; SQLite, whose
    // preparation grows with the square of the named values, in statements of at most 500.
    void sentenciaDeMilesDeValores() {
        constexpr int kFilas = 3000;
        QVector<QStringList> sentencias;
        u_observaSentencias([&sentencias](const QString &sentencia, const TparametrosSentencia &valores) {
            if (!sentencia.startsWith(QLatin1String("INSERT")))
                return;
            sentencias.append(QStringList());
            for (const auto &v : valores)
                sentencias.last() << v.first;
        });
        TmiddleTier mt(uBase->sesion());
        TinsercionMultiple insercion(
            mt, QStringLiteral("renglon"),
            {QStringLiteral("id"), QStringLiteral("nombre"), QStringLiteral("cantidad")}, kFilas);
        for (int i = 1; i <= kFilas; ++i)
            QVERIFY(insercion.agrega({i, QStringLiteral("r%1").arg(i), i * 0.5}));
        const bool escrito = insercion.vacia();
        u_observaSentencias({});
        QVERIFY2(escrito, qPrintable(insercion.error()));
        QCOMPARE(sentencias.size(), uBase->esMySQL() ? 1 : 19); // 166 rows of 3 values to a statement
        for (const QStringList &nombres : std::as_const(sentencias)) {
            QVERIFY(nombres.size() <= (uBase->esMySQL() ? 3 * kFilas : 500));
            for (int v = 0; v < nombres.size(); ++v)
                QCOMPARE(nombres.at(v), QStringLiteral(":v%1").arg(v));
        }
        const QStringList escritas = filas();
        QCOMPARE(escritas.size(), kFilas);
        QCOMPARE(escritas.last(), QStringLiteral("3000 r3000 1500"));
    }

    // A failed statement writes none of its rows; the writer goes on with the next ones.
    void sentenciaFallidaNoEscribeNadaDeLaSuya() {
        TmiddleTier mt(uBase->sesion());
        TinsercionMultiple insercion(mt, QStringLiteral("renglon"),
                                     {QStringLiteral("id"), QStringLiteral("cantidad")}, 2);
        TmiddleTier::setFallaEnSentencia(2);
        bool ok = true;
        for (int i = 1; i <= 6; ++i)
            ok = insercion.agrega({i, i}) && ok;
        QVERIFY(!ok);
        QVERIFY(insercion.vacia());
        QCOMPARE(filas(), QStringList({"1 - 1", "2 - 2", "5 - 5", "6 - 6"}));
    }

    // Rows updated by id: only those named change.
    void actualizaPorId() {
        TmiddleTier mt(uBase->sesion());
        TinsercionMultiple insercion(mt, QStringLiteral("renglon"),
                                     {QStringLiteral("id"), QStringLiteral("cantidad")});
        for (int i = 1; i <= 5; ++i)
            insercion.agrega({i, 0});
        QVERIFY(insercion.vacia());
        TactualizacionMultiple actualizacion(mt, QStringLiteral("renglon"),
                                             {QStringLiteral("nombre"), QStringLiteral("cantidad")}, 2);
        QVERIFY(actualizacion.agrega({QStringLiteral("dos"), QStringLiteral("2.25"), 2}));
        QVERIFY(actualizacion.agrega({QVariant(), QStringLiteral("1e308"), 4}));
        QVERIFY(actualizacion.agrega({QStringLiteral("x'; DROP TABLE renglon; --"), 5, 5}));
        QVERIFY(actualizacion.vacia());
        QCOMPARE(filas(), QStringList({"1 - 0", "2 dos 2.25", "3 - 0", "4 - 1e+308",
                                       "5 x'; DROP TABLE renglon; -- 5"}));
    }

    // Writers of the same size but another table or other columns, one after the other, each
    // write their own statement: the texts they share between them are told apart.
    void escritoresParecidosNoSeConfunden() {
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(
            QStringLiteral("CREATE TABLE otro (id INTEGER NOT NULL PRIMARY KEY, cantidad DOUBLE NULL)"));
        QVERIFY(mt.nonQuery().isSuccess());
        const QStringList idCantidad = {QStringLiteral("id"), QStringLiteral("cantidad")};
        for (int vuelta = 0; vuelta < 2; ++vuelta) {
            const int id = 10 * vuelta + 1;
            TinsercionMultiple enRenglon(mt, QStringLiteral("renglon"), idCantidad, 2);
            TinsercionMultiple enOtro(mt, QStringLiteral("otro"), idCantidad, 2);
            TinsercionMultiple conNombre(mt, QStringLiteral("renglon"),
                                         {QStringLiteral("id"), QStringLiteral("nombre")}, 2);
            QVERIFY(enRenglon.agrega({id, 1.5}) && enRenglon.vacia());
            QVERIFY(enOtro.agrega({id, 2.5}) && enOtro.vacia());
            QVERIFY(conNombre.agrega({id + 1, QStringLiteral("n")}) && conNombre.vacia());
            TactualizacionMultiple cantidad(mt, QStringLiteral("renglon"), {QStringLiteral("cantidad")});
            TactualizacionMultiple nombre(mt, QStringLiteral("renglon"), {QStringLiteral("nombre")});
            QVERIFY(cantidad.agrega({7, id + 1}) && cantidad.vacia());
            QVERIFY(nombre.agrega({QStringLiteral("m"), id}) && nombre.vacia());
        }
        QCOMPARE(filas(), QStringList({"1 m 1.5", "2 n 7", "11 m 1.5", "12 n 7"}));
        mt.setQuery(QStringLiteral("SELECT COUNT(*) FROM otro WHERE cantidad = 2.5"));
        QCOMPARE(mt.getScalarAsInt(), 2);
    }
};

QTEST_GUILESS_MAIN(TpruebaEscrituraPorLotes)
#include "tst_escrituraPorLotes.moc"

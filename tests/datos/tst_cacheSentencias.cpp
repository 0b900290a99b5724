// Statements prepared once per connection give what fresh ones give, and never outlive the
// connection or the schema they were prepared against.
#include "apoyo/UbasePrueba.h"
#include "datos/UcacheSentencias.h"
#include "datos/Uesquema.h"
#include "datos/UmiddleTier.h"
#include "datos/UobservadorSentencias.h"
#include "datos/UsentenciaMariaDB.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

namespace {
const QString kPorNombre = QStringLiteral("SELECT id, cantidad FROM renglon WHERE nombre = :nombre");
const QString kInserta =
    QStringLiteral("INSERT INTO renglon (id, nombre, cantidad) VALUES (:id, :nombre, :cantidad)");

qint64 preparadas() {
    return cacheSentencias::estadisticas().preparadas;
}
} // namespace

class TpruebaCacheSentencias : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;

    TConexionSesion *sesion() const { return uBase->sesion(); }

    void ejecuta(const QString &sentencia) {
        TmiddleTier mt(sesion());
        mt.setQuery(sentencia);
        const CmidTierResponse r = mt.nonQuery();
        QVERIFY2(r.isSuccess(), qPrintable(r.getError()));
    }

    CmidTierResponse inserta(TmiddleTier &mt, int id, const QString &nombre, double cantidad) {
        mt.setQuery(kInserta);
        mt.setParametroEntero(QStringLiteral("id"), id);
        mt.setParametroTexto(QStringLiteral("nombre"), nombre);
        mt.setParametroFlotante(QStringLiteral("cantidad"), cantidad);
        return mt.nonQuery();
    }

    CmidTierResponse porNombre(const QString &nombre) {
        TmiddleTier mt(sesion());
        mt.setQuery(kPorNombre);
        mt.setParametroTexto(QStringLiteral("nombre"), nombre);
        return mt.reader();
    }

    int cuenta() {
        TmiddleTier mt(sesion());
        mt.setQuery(QStringLiteral("SELECT COUNT(*) FROM renglon WHERE id > :cero"));
        mt.setParametroEntero(QStringLiteral("cero"), 0);
        return int(mt.getScalarAsInt());
    }

private slots:
    void init() {
        cacheSentencias::setActivo(true);
        TmiddleTier::setFallaEnSentencia(0);
        uBase = std::make_unique<TbasePrueba>();
        QVERIFY2(uBase->valida(), qPrintable(uBase->error()));
        ejecuta(QStringLiteral("CREATE TABLE renglon (id INTEGER NOT NULL PRIMARY KEY, nombre VARCHAR(40), "
                               "cantidad DOUBLE)"));
    }
    void cleanup() {
        TmiddleTier::setFallaEnSentencia(0);
        cacheSentencias::setCapacidad(256);
        cacheSentencias::setActivo(true);
        uBase.reset();
    }

    // One preparation serves every later run, each with its own values, reads and writes alike.
    void unaPreparacionParaTodasLasCorridas() {
        TmiddleTier mt(sesion());
        const qint64 antes = preparadas();
        for (int i = 1; i <= 5; ++i)
            QVERIFY(inserta(mt, i, QStringLiteral("r%1").arg(i), i * 1.5).isSuccess());
        for (int i = 1; i <= 5; ++i) {
            const CmidTierResponse r = porNombre(QStringLiteral("r%1").arg(i));
            QCOMPARE(r.getRowCount(), 1);
            QCOMPARE(r.getCeldaAsInt(0, QStringLiteral("id")), qint64(i));
            QCOMPARE(r.getCeldaAsFloat(0, QStringLiteral("cantidad")), i * 1.5);
        }
        QCOMPARE(porNombre(QStringLiteral("nadie")).getRowCount(), 0);
        QCOMPARE(preparadas() - antes, 2);
    }

    // On MariaDB a read of the catalogue is never prepared for the cache, however its name is
    // written (the 10.11 server crashed running such a statement a second time).
    void catalogoFueraDeLaCache_data() {
        QTest::addColumn<QString>("catalogo");
        QTest::newRow("minúsculas") << QStringLiteral("information_schema");
        QTest::newRow("mayúsculas") << QStringLiteral("INFORMATION_SCHEMA");
        QTest::newRow("mezcladas") << QStringLiteral("Information_Schema");
    }
    void catalogoFueraDeLaCache() {
        QFETCH(QString, catalogo);
        if (!uBase->esMySQL())
            QSKIP("SQLite has no information_schema");
        TmiddleTier mt(sesion());
        const qint64 antes = preparadas();
        for (int corrida = 0; corrida < 2; ++corrida) {
            mt.setQuery(QStringLiteral("SELECT COUNT(*) FROM %1.tables WHERE table_schema = DATABASE() AND "
                                       "table_name = :tabla")
                            .arg(catalogo));
            mt.setParametroTexto(QStringLiteral("tabla"), QStringLiteral("renglon"));
            QCOMPARE(mt.getScalarAsInt(), 1);
        }
        QCOMPARE(preparadas(), antes);
    }

    // Whatever a run binds, the cached statement answers as a fresh one: a name bound by an
    // earlier run and not by this one is NULL again, not the earlier value.
    void mismasRespuestasQueUnaSentenciaNueva_data() {
        QTest::addColumn<bool>("conCache");
        QTest::newRow("sin caché") << false;
        QTest::newRow("con caché") << true;
    }
    void mismasRespuestasQueUnaSentenciaNueva() {
        QFETCH(bool, conCache);
        cacheSentencias::setActivo(conCache);
        TmiddleTier mt(sesion());
        QVERIFY(inserta(mt, 1, QStringLiteral("uno"), 1).isSuccess());
        QVERIFY(inserta(mt, 2, QStringLiteral("dos"), 2).isSuccess());
        const QString filtro =
            QStringLiteral("SELECT COUNT(*) FROM renglon WHERE (:nombre IS NULL OR nombre = "
                           ":nombre) AND (:cantidad IS NULL OR cantidad = :cantidad)");
        using Tvalores = QVector<QPair<QString, QVariant>>;
        const QVector<Tvalores> corridas = {
            {{QStringLiteral("nombre"), QStringLiteral("uno")}, {QStringLiteral("cantidad"), 1.0}},
            {{QStringLiteral("nombre"), QStringLiteral("dos")}},
            {{QStringLiteral("cantidad"), 2.0}},
            {{QStringLiteral("nombre"), QStringLiteral("uno")}, {QStringLiteral("cantidad"), 2.0}},
            {{QStringLiteral("nombre"), QVariant()}}};
        QStringList respuestas;
        for (const Tvalores &valores : corridas) {
            mt.setQuery(filtro);
            for (const auto &v : valores)
                mt.setParametroVariant(v.first, v.second);
            respuestas << QString::number(mt.getScalarAsInt());
        }
        QCOMPARE(respuestas.join(QLatin1Char(' ')), QStringLiteral("1 1 1 0 2"));
    }

    // Names become places as Qt's driver turns them, outside quoted text only.
    void nombresAPosiciones_data() {
        QTest::addColumn<QString>("sentencia");
        QTest::addColumn<QString>("posicional");
        QTest::addColumn<QStringList>("nombres");
        QTest::newRow("dos nombres") << QStringLiteral("SELECT :a, :b_2") << QStringLiteral("SELECT ?, ?")
                                     << QStringList{QStringLiteral(":a"), QStringLiteral(":b_2")};
        QTest::newRow("un nombre dos veces")
            << QStringLiteral("WHERE (:n IS NULL OR x = :n)") << QStringLiteral("WHERE (? IS NULL OR x = ?)")
            << QStringList{QStringLiteral(":n"), QStringLiteral(":n")};
        QTest::newRow("entre comillas")
            << QStringLiteral("SELECT '12:30', \"a:b\", `c:d`, :e")
            << QStringLiteral("SELECT '12:30', \"a:b\", `c:d`, ?") << QStringList{QStringLiteral(":e")};
        QTest::newRow("doble dos puntos y dos puntos solos")
            << QStringLiteral("SELECT a::b, ': ', :") << QStringLiteral("SELECT a::b, ': ', :")
            << QStringList{};
        QTest::newRow("al final y pegado") << QStringLiteral("x=:v1,y=:v10") << QStringLiteral("x=?,y=?")
                                           << QStringList{QStringLiteral(":v1"), QStringLiteral(":v10")};
    }
    void nombresAPosiciones() {
        QFETCH(QString, sentencia);
        QFETCH(QString, posicional);
        QFETCH(QStringList, nombres);
        QStringList leidos;
        QCOMPARE(QString::fromUtf8(TsentenciaMariaDB::aPosiciones(sentencia, leidos)), posicional);
        QCOMPARE(leidos, nombres);
    }

    // Every kind of value comes back from a cached statement with the type and value a fresh
    // Qt query gives on the same connection, bound values included. Where Qt's query cannot read
    // the value (on MariaDB it sizes a bound value's column before knowing the value), the value
    // as the text Qt would have made of it: the server names such a column's type before knowing it.
    void mismosValoresQueQt_data() {
        QTest::addColumn<QString>("expresion");
        QTest::addColumn<QVariant>("valor");
        QTest::addColumn<QVariant>("esperado");
        const QVariant nada;
        if (TbasePrueba::motor() == QLatin1String("mysql"))
            filasMariaDB(nada);
        else
            filasSQLite(nada);
        QTest::newRow("entero enorme") << QStringLiteral(":v") << QVariant(qint64(9223372036854775807LL))
                                       << (TbasePrueba::motor() == QLatin1String("mysql")
                                               ? QVariant(QStringLiteral("9223372036854775807"))
                                               : nada);
        QTest::newRow("columna entera") << QStringLiteral("id + :v") << QVariant(1) << nada;
        QTest::newRow("flotante") << QStringLiteral("cantidad * :v") << QVariant(3.0) << nada;
        QTest::newRow("décimas") << QStringLiteral(":v + 0.2") << QVariant(0.1) << nada;
        QTest::newRow("suma de enteros") << QStringLiteral("SUM(id) + :v") << QVariant(1) << nada;
        QTest::newRow("conteo") << QStringLiteral("COUNT(*) + :v") << QVariant(0) << nada;
        QTest::newRow("texto vacío") << QStringLiteral(":v") << QVariant(QStringLiteral("")) << nada;
        QTest::newRow("nulo") << QStringLiteral(":v") << nada << nada;
        QTest::newRow("no es número")
            << QStringLiteral("cantidad + :v") << QVariant(QStringLiteral("abc")) << nada;
    }
    static void filasMariaDB(const QVariant &nada) {
        QTest::newRow("entero") << QStringLiteral("CAST(:v AS SIGNED)") << QVariant(qint64(-42)) << nada;
        QTest::newRow("texto con comillas")
            << QStringLiteral("CONCAT(nombre, :v)")
            << QVariant(QStringLiteral("'; DROP TABLE renglon; -- \"ñ\"")) << nada;
        QTest::newRow("texto largo") << QStringLiteral("CONCAT(:v, nombre)") << QVariant(QString(5000, u'x'))
                                     << QVariant(QString(5000, u'x') + QStringLiteral("uno"));
        QTest::newRow("entero nulo") << QStringLiteral("CAST(:v AS SIGNED)") << nada << nada;
        QTest::newRow("fecha y hora") << QStringLiteral("CAST(:v AS DATETIME(3))")
                                      << QVariant(QStringLiteral("2026-12-08 13:45:07.250")) << nada;
        QTest::newRow("fecha") << QStringLiteral("CAST(:v AS DATE)") << QVariant(QStringLiteral("2026-02-28"))
                               << nada;
        QTest::newRow("hora") << QStringLiteral("CAST(:v AS TIME)") << QVariant(QStringLiteral("25:30:00"))
                              << nada;
        QTest::newRow("decimal") << QStringLiteral("CAST(:v AS DECIMAL(18,4))") << QVariant(1234.5678)
                                 << nada;
        QTest::newRow("bytes") << QStringLiteral(":v") << QVariant(QByteArray("a\0b", 3))
                               << QVariant(QString::fromLatin1("a\0b", 3));
    }
    static void filasSQLite(const QVariant &nada) {
        QTest::newRow("entero") << QStringLiteral("CAST(:v AS INTEGER)") << QVariant(qint64(-42)) << nada;
        QTest::newRow("entero de 32 bits") << QStringLiteral(":v") << QVariant(int(-7)) << nada;
        QTest::newRow("verdadero") << QStringLiteral(":v") << QVariant(true) << nada;
        QTest::newRow("texto con comillas")
            << QStringLiteral("nombre || :v")
            << QVariant(QStringLiteral("'; DROP TABLE renglon; -- \"ñ\" \u00e9\U0001F600")) << nada;
        QTest::newRow("texto largo") << QStringLiteral(":v || nombre") << QVariant(QString(5000, u'x'))
                                     << nada;
        QTest::newRow("entero nulo") << QStringLiteral("CAST(:v AS INTEGER)") << nada << nada;
        QTest::newRow("texto nulo") << QStringLiteral(":v") << QVariant(QString()) << nada;
        QTest::newRow("fecha y hora")
            << QStringLiteral(":v") << QVariant(QDateTime(QDate(2026, 12, 8), QTime(13, 45, 7, 250))) << nada;
        QTest::newRow("fecha") << QStringLiteral(":v") << QVariant(QDate(2026, 2, 28)) << nada;
        QTest::newRow("número como texto")
            << QStringLiteral("CAST(:v AS REAL)") << QVariant(QStringLiteral("1234.5678")) << nada;
        QTest::newRow("bytes") << QStringLiteral(":v") << QVariant(QByteArray("a\0b", 3)) << nada;
        QTest::newRow("bytes vacíos") << QStringLiteral(":v") << QVariant(QByteArray("")) << nada;
    }
    void mismosValoresQueQt() {
        QFETCH(QString, expresion);
        QFETCH(QVariant, valor);
        QFETCH(QVariant, esperado);
        TmiddleTier mt(sesion());
        QVERIFY(inserta(mt, 1, QStringLiteral("uno"), 2.5).isSuccess());
        const QString sentencia =
            QStringLiteral("SELECT %1 AS v, MAX(nombre) AS n FROM renglon WHERE id > :cero").arg(expresion);
        QVariant deQt = esperado;
        QVariant nombreDeQt = QStringLiteral("uno");
        if (!esperado.isValid()) {
            QSqlQuery fresca(sesion()->conexion());
            QVERIFY(fresca.prepare(sentencia));
            fresca.bindValue(QStringLiteral(":v"), valor);
            fresca.bindValue(QStringLiteral(":cero"), 0);
            QVERIFY2(fresca.exec() && fresca.next(), qPrintable(fresca.lastError().text()));
            deQt = fresca.value(0);
            nombreDeQt = fresca.value(1);
        }
        for (int corrida = 0; corrida < 2; ++corrida) {
            mt.setQuery(sentencia);
            mt.setParametroVariant(QStringLiteral("v"), valor);
            mt.setParametroEntero(QStringLiteral("cero"), 0);
            const CmidTierResponse r = mt.reader();
            QVERIFY2(r.isSuccess(), qPrintable(r.getError()));
            QCOMPARE(r.getAlias(), QStringList({QStringLiteral("v"), QStringLiteral("n")}));
            const QVariant leido = r.getValor(0, 0);
            QCOMPARE(leido.typeId(), deQt.typeId());
            QCOMPARE(leido.isNull(), deQt.isNull());
            QCOMPARE(leido, deQt);
            if (leido.typeId() == QMetaType::QDateTime)
                QCOMPARE(leido.toDateTime().timeSpec(), deQt.toDateTime().timeSpec());
            QCOMPARE(r.getValor(0, 1), nombreDeQt);
        }
    }

    // Texts of every length in one result: a column grows for a long one and the short ones after
    // it read whole and only themselves.
    void textosDeTodoLargoEnUnResultado() {
        ejecuta(QStringLiteral("CREATE TABLE nota (id INTEGER NOT NULL PRIMARY KEY, texto TEXT)"));
        const QVector<int> largos = {10, 300, 5, 60000, 0, 64, 65};
        TmiddleTier mt(sesion());
        for (int i = 0; i < largos.size(); ++i) {
            mt.setQuery(QStringLiteral("INSERT INTO nota (id, texto) VALUES (:id, :texto)"));
            mt.setParametroEntero(QStringLiteral("id"), i);
            mt.setParametroTexto(QStringLiteral("texto"), QString(largos.at(i), QChar(u'a' + i)));
            QVERIFY(mt.nonQuery().isSuccess());
        }
        for (int corrida = 0; corrida < 2; ++corrida) {
            mt.setQuery(QStringLiteral("SELECT texto FROM nota WHERE id >= :cero ORDER BY id"));
            mt.setParametroEntero(QStringLiteral("cero"), 0);
            const CmidTierResponse r = mt.reader();
            QCOMPARE(r.getRowCount(), largos.size());
            for (int i = 0; i < largos.size(); ++i)
                QCOMPARE(r.getCelda(i, 0), QString(largos.at(i), QChar(u'a' + i)));
        }
    }

    // Many texts of one statement, of every kind and length, each come back as bound, run after
    // run: plain ASCII, accents, an emoji, empty text and a NUL inside.
    void muchosTextosEnUnaSentencia() {
        ejecuta(QStringLiteral("CREATE TABLE nota (id INTEGER NOT NULL PRIMARY KEY, texto TEXT)"));
        const QStringList muestras = {QStringLiteral("123.45"),
                                      QStringLiteral("Añil"),
                                      QStringLiteral(""),
                                      QStringLiteral("2026-12-08 10:00:00"),
                                      QStringLiteral("🦎"),
                                      QString(700, u'z'),
                                      QStringLiteral("a") + QChar(0) + QStringLiteral("b")};
        TmiddleTier mt(sesion());
        for (int corrida = 0; corrida < 3; ++corrida) {
            ejecuta(QStringLiteral("DELETE FROM nota"));
            QStringList marcadores, esperados;
            for (int i = 0; i < 40; ++i) {
                const QString texto = muestras.at((i + corrida) % muestras.size()) + QString::number(corrida);
                marcadores << QStringLiteral("(%1, :t%1)").arg(i);
                esperados << texto;
            }
            mt.setQuery(QStringLiteral("INSERT INTO nota (id, texto) VALUES ") +
                        marcadores.join(QLatin1Char(',')));
            for (int i = 0; i < esperados.size(); ++i)
                mt.setParametroTexto(QStringLiteral("t%1").arg(i), esperados.at(i));
            QVERIFY(mt.nonQuery().isSuccess());
            mt.setQuery(QStringLiteral("SELECT texto FROM nota WHERE id >= :cero ORDER BY id"));
            mt.setParametroEntero(QStringLiteral("cero"), 0);
            const CmidTierResponse r = mt.reader();
            QCOMPARE(r.getRowCount(), esperados.size());
            for (int i = 0; i < esperados.size(); ++i)
                QCOMPARE(r.getCelda(i, 0), esperados.at(i));
        }
    }

    // The engine's own number of a failure reaches the caller, and the statement works after it.
    void codigoDelMotorTrasUnaFalla() {
        TmiddleTier mt(sesion());
        QVERIFY(inserta(mt, 1, QStringLiteral("uno"), 1).isSuccess());
        const CmidTierResponse repetido = inserta(mt, 1, QStringLiteral("otra vez"), 1);
        QVERIFY(!repetido.isSuccess());
        if (uBase->esMySQL()) {
            QCOMPARE(repetido.getCodigoError(), 1062);
        } else {
            // The number Qt's driver reports for the same failure.
            QSqlQuery fresca(sesion()->conexion());
            QVERIFY(fresca.prepare(kInserta));
            fresca.bindValue(QStringLiteral(":id"), 1);
            QVERIFY(!fresca.exec());
            QCOMPARE(repetido.getCodigoError(), fresca.lastError().nativeErrorCode().toInt());
            QVERIFY(repetido.getCodigoError() != 0);
        }
        const CmidTierResponse largo = inserta(mt, 2, QString(41, u'x'), 1);
        if (uBase->esMySQL())
            QCOMPARE(largo.getCodigoError(), 1406); // too long for its column
        QVERIFY(inserta(mt, 3, QStringLiteral("tres"), 1).isSuccess());
        if (uBase->esMySQL()) {
            // A place without a name is refused, not run with values read from nowhere.
            mt.setQuery(QStringLiteral("SELECT nombre FROM renglon WHERE id = ? OR id = :id"));
            mt.setParametroEntero(QStringLiteral("id"), 1);
            QVERIFY(!mt.reader().isSuccess());
        }
    }

    // Commits, rollbacks and failed runs leave the statement usable and its rows right.
    void entreTransaccionesYTrasUnError() {
        TmiddleTier mt(sesion());
        QVERIFY(mt.transaccionInicia());
        QVERIFY(inserta(mt, 1, QStringLiteral("confirmado"), 1).isSuccess());
        QVERIFY(mt.transaccionTermina());
        QVERIFY(mt.transaccionInicia());
        QVERIFY(inserta(mt, 2, QStringLiteral("revertido"), 1).isSuccess());
        QVERIFY(mt.transaccionRollback());
        const CmidTierResponse repetido = inserta(mt, 1, QStringLiteral("clave repetida"), 1);
        QVERIFY(!repetido.isSuccess());
        QVERIFY(!repetido.getError().isEmpty());
        QVERIFY(inserta(mt, 3, QStringLiteral("después del error"), 1).isSuccess());
        QCOMPARE(cuenta(), 2);
        QCOMPARE(porNombre(QStringLiteral("revertido")).getRowCount(), 0);
        QCOMPARE(porNombre(QStringLiteral("después del error")).getRowCount(), 1);
    }

    // MariaDB: a prepared statement that failed on another workstation's lock (the server rolls back
    // as on a deadlock) runs again once the lock is gone, as a posting's retry does.
    void seRepiteTrasUnBloqueo() {
        if (!uBase->esMySQL())
            QSKIP("SQLite bloquea la base entera al iniciar la transacción");
        TmiddleTier a(sesion());
        QVERIFY(inserta(a, 1, QStringLiteral("uno"), 1).isSuccess());
        TConexionSesion otraEstacion(sesion()->parametros());
        TmiddleTier b(&otraEstacion);
        b.setQuery(QStringLiteral("SET SESSION innodb_lock_wait_timeout = 1"));
        QVERIFY(b.nonQuery().isSuccess());
        auto fija = [](TmiddleTier &mt, double cantidad) {
            mt.setQuery(QStringLiteral("UPDATE renglon SET cantidad = :cantidad WHERE id = :id"));
            mt.setParametroFlotante(QStringLiteral("cantidad"), cantidad);
            mt.setParametroEntero(QStringLiteral("id"), 1);
            return mt.nonQuery();
        };
        QVERIFY(fija(b, 2).isSuccess());
        QVERIFY(a.transaccionInicia());
        QVERIFY(fija(a, 5).isSuccess());
        QVERIFY(b.transaccionInicia());
        const CmidTierResponse bloqueada = fija(b, 7);
        QVERIFY(!bloqueada.isSuccess());
        QCOMPARE(bloqueada.getCodigoError(), 1205);
        QVERIFY(b.transaccionRollback());
        QVERIFY(a.transaccionTermina());
        QVERIFY(b.transaccionInicia());
        QCOMPARE(fija(b, 7).getFilasAfectadas(), 1);
        QVERIFY(b.transaccionTermina());
        QCOMPARE(porNombre(QStringLiteral("uno")).getCeldaAsFloat(0, QStringLiteral("cantidad")), 7.0);
    }

    // A write run where rows are read runs once, however often its (empty) result is asked for
    // more rows: a statement stepped past its end would run again.
    void escrituraLeidaCorreUnaVez_data() {
        QTest::addColumn<int>("tipo");
        QTest::newRow("lectura") << 0;
        QTest::newRow("escalar") << 1;
    }
    void escrituraLeidaCorreUnaVez() {
        QFETCH(int, tipo);
        TmiddleTier mt(sesion());
        QVERIFY(inserta(mt, 1, QStringLiteral("uno"), 0).isSuccess());
        for (int corrida = 1; corrida <= 3; ++corrida) {
            mt.setQuery(QStringLiteral("UPDATE renglon SET cantidad = cantidad + 1 WHERE id = :id"));
            mt.setParametroEntero(QStringLiteral("id"), 1);
            const CmidTierResponse r = tipo == 0 ? mt.reader() : mt.scalar();
            QVERIFY2(r.isSuccess(), qPrintable(r.getError()));
            QCOMPARE(r.getRowCount(), 0);
            QCOMPARE(porNombre(QStringLiteral("uno")).getCeldaAsFloat(0, QStringLiteral("cantidad")),
                     double(corrida));
        }
    }

    // A read whose third row fails to come fails, with the engine's number, rather than answer
    // the two rows before it as the whole result: a rebuild or a report would take them for all.
    void lecturaQueFallaAMitadFalla_data() {
        QTest::addColumn<bool>("conCache");
        QTest::newRow("sin caché") << false;
        QTest::newRow("con caché") << true;
    }
    void lecturaQueFallaAMitadFalla() {
        QFETCH(bool, conCache);
        cacheSentencias::setActivo(conCache);
        TmiddleTier mt(sesion());
        for (int i = 1; i <= 4; ++i)
            QVERIFY(inserta(mt, i, QStringLiteral("r%1").arg(i), i).isSuccess());
        // Only the third row overflows a whole number, which both engines refuse.
        const QString valor = uBase->esMySQL()
                                  ? QStringLiteral("CASE WHEN id = 3 THEN id + 9223372036854775807 "
                                                   "ELSE id END")
                                  : QStringLiteral("abs(id - 9223372036854775807 - 4)");
        for (int corrida = 0; corrida < 2; ++corrida) {
            mt.setQuery(
                QStringLiteral("SELECT %1 AS v FROM renglon WHERE id > :cero ORDER BY id").arg(valor));
            mt.setParametroEntero(QStringLiteral("cero"), 0);
            const CmidTierResponse r = mt.reader();
            QVERIFY(!r.isSuccess());
            QVERIFY(r.getCodigoError() != 0);
        }
        QCOMPARE(cuenta(), 4);
    }

    // A text of two statements is refused whole, never run in part.
    void dosSentenciasEnUnTextoSeRechazan() {
        TmiddleTier mt(sesion());
        QVERIFY(inserta(mt, 1, QStringLiteral("uno"), 1).isSuccess());
        for (int corrida = 0; corrida < 2; ++corrida) {
            mt.setQuery(
                QStringLiteral("UPDATE renglon SET cantidad = 7 WHERE id = :id; DELETE FROM renglon"));
            mt.setParametroEntero(QStringLiteral("id"), 1);
            QVERIFY(!mt.nonQuery().isSuccess());
        }
        const CmidTierResponse r = porNombre(QStringLiteral("uno"));
        QCOMPARE(r.getRowCount(), 1);
        QCOMPARE(r.getCeldaAsFloat(0, QStringLiteral("cantidad")), 1.0);
    }

    // A read that stops at its first row leaves nothing open: the table can be dropped at once.
    void lecturaParcialNoQuedaAbierta() {
        TmiddleTier mt(sesion());
        for (int i = 1; i <= 3; ++i)
            inserta(mt, i, QStringLiteral("r"), i);
        mt.setQuery(QStringLiteral("SELECT id FROM renglon WHERE nombre = :nombre ORDER BY id"));
        mt.setParametroTexto(QStringLiteral("nombre"), QStringLiteral("r"));
        QCOMPARE(mt.getScalarAsInt(), 1);
        ejecuta(QStringLiteral("DROP TABLE renglon"));
    }

    // A change of the schema drops the prepared statements: the next run sees the new columns.
    void cambioDeEsquemaNoCorreSentenciaVieja_data() {
        QTest::addColumn<bool>("otraConexion");
        QTest::newRow("esta conexión") << false;
        QTest::newRow("otra conexión") << true;
    }
    void cambioDeEsquemaNoCorreSentenciaVieja() {
        QFETCH(bool, otraConexion);
        if (otraConexion && uBase->esMySQL())
            QSKIP("SQLite: otra estación cambia el archivo que esta conexión tiene abierto");
        TmiddleTier mt(sesion());
        inserta(mt, 1, QStringLiteral("uno"), 1);
        const QString todo = QStringLiteral("SELECT * FROM renglon WHERE id = :id");
        mt.setQuery(todo);
        mt.setParametroEntero(QStringLiteral("id"), 1);
        QCOMPARE(mt.reader().getColumnCount(), 3);
        const QStringList cambio = {QStringLiteral("ALTER TABLE renglon ADD COLUMN nota VARCHAR(20)"),
                                    QStringLiteral("UPDATE renglon SET nota = 'nueva' WHERE id > 0")};
        if (otraConexion) {
            // Another workstation's change: this connection's cache is not told of it.
            const QString nombre = QStringLiteral("otra_estacion");
            {
                QSqlDatabase otra = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre);
                otra.setDatabaseName(sesion()->conexion().databaseName());
                QVERIFY(otra.open());
                for (const QString &sentencia : cambio)
                    QVERIFY2(QSqlQuery(otra).exec(sentencia), qPrintable(sentencia));
                otra.close();
            }
            QSqlDatabase::removeDatabase(nombre);
        } else {
            for (const QString &sentencia : cambio)
                ejecuta(sentencia);
        }
        mt.setQuery(todo);
        mt.setParametroEntero(QStringLiteral("id"), 1);
        const CmidTierResponse r = mt.reader();
        QVERIFY2(r.isSuccess(), qPrintable(r.getError()));
        QCOMPARE(r.getColumnCount(), 4);
        QCOMPARE(r.getCelda(0, QStringLiteral("nota")), QStringLiteral("nueva"));
    }

    // Bringing a database up to date prepares every statement again.
    void actualizacionDelEsquemaPreparaDeNuevo() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        auto version = [this] {
            TmiddleTier mt(sesion());
            mt.setQuery(
                QStringLiteral("SELECT version FROM inventarioVersionEsquema WHERE version >= :cero"));
            mt.setParametroEntero(QStringLiteral("cero"), 0);
            return mt.getScalarAsInt();
        };
        QCOMPARE(version(), qint64(esquema::versionActual()));
        {
            // Behind the cache's back, as another program would.
            QSqlQuery q(sesion()->conexion());
            QVERIFY(q.exec(QStringLiteral("DROP TABLE inventarioLote")));
            QVERIFY(q.exec(QStringLiteral("UPDATE inventarioVersionEsquema SET version = 0")));
        }
        const auto r = esquema::creaOActualiza(sesion());
        QVERIFY2(r.estado == esquema::Estado::Listo, qPrintable(r.error));
        const qint64 antes = preparadas();
        QCOMPARE(version(), qint64(esquema::versionActual()));
        QCOMPARE(preparadas() - antes, 1);
        QCOMPARE(version(), qint64(esquema::versionActual()));
        QCOMPARE(preparadas() - antes, 1); // and kept from then on
    }

    // A connection closed and opened again prepares its statements anew.
    void conexionReabiertaPreparaDeNuevo() {
        TmiddleTier mt(sesion());
        inserta(mt, 1, QStringLiteral("uno"), 1);
        QCOMPARE(porNombre(QStringLiteral("uno")).getRowCount(), 1);
        QVERIFY(cacheSentencias::sentenciasRetenidas() >= 2);
        sesion()->cierraHiloActual();
        QCOMPARE(cacheSentencias::sentenciasRetenidas(), 0);
        const qint64 antes = preparadas();
        const CmidTierResponse r = porNombre(QStringLiteral("uno"));
        QVERIFY2(r.isSuccess(), qPrintable(r.getError()));
        QCOMPARE(r.getRowCount(), 1);
        QCOMPARE(preparadas() - antes, 1);
    }

    // MariaDB: a connection closed and opened behind the cache's back does not run a statement of
    // the old one.
    void conexionReemplazadaSinAvisoPreparaDeNuevo() {
        if (!uBase->esMySQL())
            QSKIP("SQLite no cierra una conexión con sentencias vivas: la sesión las suelta antes");
        TmiddleTier mt(sesion());
        inserta(mt, 1, QStringLiteral("uno"), 1);
        QCOMPARE(porNombre(QStringLiteral("uno")).getRowCount(), 1);
        QSqlDatabase db = sesion()->conexion();
        db.close();
        QVERIFY(db.open());
        const qint64 antes = preparadas();
        const CmidTierResponse r = porNombre(QStringLiteral("uno"));
        QVERIFY2(r.isSuccess(), qPrintable(r.getError()));
        QCOMPARE(r.getRowCount(), 1);
        QCOMPARE(preparadas() - antes, 1);
    }

    // At most capacidad() statements a connection; the least recently used leaves first.
    void menosUsadaRecientementeSale() {
        cacheSentencias::setCapacidad(3);
        const qint64 antes = preparadas();
        const qint64 desalojadasAntes = cacheSentencias::estadisticas().desalojadas;
        auto corre = [this](int n) {
            TmiddleTier mt(sesion());
            mt.setQuery(QStringLiteral("SELECT %1 + :x").arg(n));
            mt.setParametroEntero(QStringLiteral("x"), 1);
            return mt.getScalarAsInt();
        };
        for (int n = 1; n <= 5; ++n)
            QCOMPARE(corre(n), qint64(n + 1));
        QCOMPARE(cacheSentencias::sentenciasRetenidas(), 3);
        QCOMPARE(cacheSentencias::estadisticas().desalojadas - desalojadasAntes, 2);
        QCOMPARE(preparadas() - antes, 5);
        corre(3); // still held: 3, 4 and 5
        QCOMPARE(preparadas() - antes, 5);
        corre(1); // gone: prepared again, and 4 leaves
        QCOMPARE(preparadas() - antes, 6);
        corre(5);
        corre(4);
        QCOMPARE(preparadas() - antes, 7);
        QCOMPARE(cacheSentencias::sentenciasRetenidas(), 3);
    }

    // The fault hook still breaks the chosen run of a prepared statement, and only that one.
    void fallaProvocadaSobreSentenciaPreparada() {
        TmiddleTier mt(sesion());
        QVERIFY(inserta(mt, 1, QStringLiteral("uno"), 1).isSuccess());
        QVERIFY(mt.transaccionInicia());
        TmiddleTier::setFallaEnSentencia(2);
        QVERIFY(inserta(mt, 2, QStringLiteral("dos"), 1).isSuccess());
        const CmidTierResponse fallida = inserta(mt, 3, QStringLiteral("tres"), 1);
        QVERIFY(!fallida.isSuccess());
        QCOMPARE(fallida.getError(), QStringLiteral("falla provocada por la prueba"));
        QVERIFY(mt.transaccionRollback());
        QVERIFY(inserta(mt, 3, QStringLiteral("tres"), 1).isSuccess());
        QCOMPARE(cuenta(), 2);
    }

    // The statement observer sees every run of a prepared statement with its values.
    void observadorVeCadaCorrida() {
        QStringList vistas;
        u_observaSentencias([&vistas](const QString &sentencia, const TparametrosSentencia &valores) {
            if (sentencia == kInserta)
                vistas << valores.value(1).second.toString();
        });
        TmiddleTier mt(sesion());
        inserta(mt, 1, QStringLiteral("uno"), 1);
        inserta(mt, 2, QStringLiteral("dos"), 1);
        u_observaSentencias({});
        QCOMPARE(vistas, QStringList({QStringLiteral("uno"), QStringLiteral("dos")}));
    }
};

QTEST_GUILESS_MAIN(TpruebaCacheSentencias)
#include "tst_cacheSentencias.moc"

// Statements prepared once per connection give what fresh ones give, and never outlive the
// connection or the schema they were prepared against.
#include "apoyo/UbasePrueba.h"
#include "datos/UcacheSentencias.h"
#include "datos/Uesquema.h"
#include "datos/UmiddleTier.h"
#include "datos/UobservadorSentencias.h"

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
    void cambioDeEsquemaNoCorreSentenciaVieja() {
        TmiddleTier mt(sesion());
        inserta(mt, 1, QStringLiteral("uno"), 1);
        const QString todo = QStringLiteral("SELECT * FROM renglon WHERE id = :id");
        mt.setQuery(todo);
        mt.setParametroEntero(QStringLiteral("id"), 1);
        QCOMPARE(mt.reader().getColumnCount(), 3);
        ejecuta(QStringLiteral("ALTER TABLE renglon ADD COLUMN nota VARCHAR(20)"));
        ejecuta(QStringLiteral("UPDATE renglon SET nota = 'nueva' WHERE id > 0"));
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

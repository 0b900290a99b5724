// The data-access contract every query class relies on, on the engine of the run.
#include "apoyo/UbasePrueba.h"
#include "datos/UfechaHora.h"
#include "datos/UmiddleTier.h"
#include "datos/UzonaHoraria.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlField>
#include <QSqlRecord>
#include <QTimeZone>
#include <QtTest>

namespace {
// TZ as a case sets it (unset when not `fijada`), and as it was again when the case ends, however
// it ends.
class TzonaHoraria {
public:
    TzonaHoraria(bool fijada, const QByteArray &valor)
        : uHabia(qEnvironmentVariableIsSet("TZ")), uAnterior(qgetenv("TZ")) {
        fijada ? qputenv("TZ", valor) : qunsetenv("TZ");
    }
    ~TzonaHoraria() { uHabia ? qputenv("TZ", uAnterior) : qunsetenv("TZ"); }
    TzonaHoraria(const TzonaHoraria &) = delete;
    TzonaHoraria &operator=(const TzonaHoraria &) = delete;

private:
    const bool uHabia;
    const QByteArray uAnterior;
};
} // namespace

class TpruebaDatos : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;

    TConexionSesion *sesion() const { return uBase->sesion(); }

    void creaTabla() {
        TmiddleTier mt(sesion());
        mt.setQuery(esquema_texto());
        QVERIFY2(mt.nonQuery().isSuccess(), "no se creó la tabla de prueba");
    }

    QString esquema_texto() const {
        return uBase->esMySQL()
                   ? QStringLiteral(
                         "CREATE TABLE renglon (id INT NOT NULL AUTO_INCREMENT PRIMARY KEY, nombre "
                         "VARCHAR(100), cantidad DOUBLE, fechaHora DATETIME(3), activo TINYINT(1), "
                         "idNegocioFk INT) ENGINE=InnoDB")
                   : QStringLiteral(
                         "CREATE TABLE renglon (id INTEGER PRIMARY KEY AUTOINCREMENT, nombre VARCHAR(100), "
                         "cantidad DOUBLE, fechaHora TEXT, activo INTEGER, idNegocioFk INTEGER)");
    }

    qint64 inserta(TmiddleTier &mt, const QString &nombre, double cantidad, int negocio = 1) {
        mt.setQuery(QStringLiteral("INSERT INTO renglon (nombre, cantidad, fechaHora, activo, idNegocioFk) "
                                   "VALUES (:nombre, :cantidad, :fecha, 1, :negocio)"));
        mt.setParametroTexto(QStringLiteral("nombre"), nombre);
        mt.setParametroFlotante(QStringLiteral("cantidad"), cantidad);
        mt.setParametroFechaHora(QStringLiteral("fecha"),
                                 QDateTime(QDate(2026, 3, 1), QTime(9, 30, 15, 250)));
        mt.setParametroEntero(QStringLiteral("negocio"), negocio);
        const CmidTierResponse r = mt.nonQuery();
        return r.isSuccess() ? r.getIdInsertado() : -1;
    }

    int cuenta() {
        TmiddleTier mt(sesion());
        mt.setQuery(QStringLiteral("SELECT COUNT(*) FROM renglon"));
        return int(mt.getScalarAsInt());
    }

private slots:
    void init() {
        uBase = std::make_unique<TbasePrueba>();
        QVERIFY2(uBase->valida(), qPrintable(uBase->error()));
        TmiddleTier::setFallaEnSentencia(0);
        creaTabla();
    }
    void cleanup() {
        TmiddleTier::setFallaEnSentencia(0);
        uBase.reset();
    }

    void proveedorYBaseDeDatos() {
        QCOMPARE(sesion()->getProvider(), TbasePrueba::motor() == QLatin1String("mysql")
                                              ? QStringLiteral("MySQL")
                                              : QStringLiteral("SQLITE"));
        QVERIFY(!sesion()->getDatabase().isEmpty());
    }

    // Text is stored exactly as typed, whatever it looks like.
    void textoHostilSeGuardaTalCual_data() {
        QTest::addColumn<QString>("texto");
        QTest::newRow("comillas") << QStringLiteral("O'Brien \"el grande\"");
        QTest::newRow("sql") << QStringLiteral("x'); DROP TABLE renglon; --");
        QTest::newRow("dos puntos") << QStringLiteral(":nombre :cantidad");
        QTest::newRow("acentos") << QStringLiteral("Ñandú, pingüino, café");
        QTest::newRow("vacío") << QString();
        QTest::newRow("largo") << QString(100, QLatin1Char('x'));
    }
    void textoHostilSeGuardaTalCual() {
        QFETCH(QString, texto);
        TmiddleTier mt(sesion());
        const qint64 id = inserta(mt, texto, 1);
        QVERIFY(id > 0);
        mt.setQuery(QStringLiteral("SELECT nombre AS renglon_nombre FROM renglon WHERE id = :id"));
        mt.setParametroEntero(QStringLiteral("id"), id);
        const CmidTierResponse r = mt.reader();
        QVERIFY(r.isSuccess());
        QCOMPARE(r.getCelda(0, QStringLiteral("renglon_nombre")),
                 texto.isNull() ? QStringLiteral("") : texto);
        QCOMPARE(cuenta(), 1);
    }

    void idsInsertadosYOrdenDeFilas() {
        TmiddleTier mt(sesion());
        const qint64 a = inserta(mt, QStringLiteral("b"), 2.5);
        const qint64 b = inserta(mt, QStringLiteral("a"), 0.1);
        QVERIFY(a > 0);
        QCOMPARE(b, a + 1);
        mt.setQuery(
            QStringLiteral("SELECT id, nombre, cantidad AS renglon_cantidad FROM renglon ORDER BY nombre"));
        const CmidTierResponse r = mt.reader();
        QCOMPARE(r.getRowCount(), 2);
        QCOMPARE(r.getCeldaAsInt(0, QStringLiteral("ID")), b); // aliases without regard to case
        QCOMPARE(r.getCeldaAsFloat(1, QStringLiteral("RENGLON_cantidad")), 2.5);
        QCOMPARE(r.getIndiceColumnaPorNombre(QStringLiteral("nombre")), 1);
        QCOMPARE(r.getIndiceColumnaPorNombre(QStringLiteral("noExiste")), -1);
        QCOMPARE(r.getCelda(5, QStringLiteral("nombre")), QString()); // out of range is empty, not a crash
    }

    // A statement run again keeps the columns it had; a result with other columns (a peer
    // changed the table under a cached statement) is read by its own names.
    void columnasDeUnaSentenciaCorridaDeNuevo_data() {
        QTest::addColumn<QStringList>("antes");
        QTest::addColumn<QStringList>("despues");
        QTest::addColumn<QString>("buscada");
        QTest::addColumn<int>("columna");
        QTest::newRow("mismas") << QStringList{"id", "existenciaTotal"}
                                << QStringList{"id", "existenciaTotal"} << "EXISTENCIATOTAL" << 1;
        QTest::newRow("otro nombre") << QStringList{"id", "nombre"} << QStringList{"id", "nota"} << "nota"
                                     << 1;
        QTest::newRow("ya no está") << QStringList{"id", "nombre"} << QStringList{"id", "nota"} << "nombre"
                                    << -1;
        QTest::newRow("una más") << QStringList{"id"} << QStringList{"id", "nota"} << "Nota" << 1;
        QTest::newRow("nombre en otro caso")
            << QStringList{"Id", "id"} << QStringList{"Id", "id"} << "Id" << 1;
    }
    void columnasDeUnaSentenciaCorridaDeNuevo() {
        QFETCH(QStringList, antes);
        QFETCH(QStringList, despues);
        QFETCH(QString, buscada);
        QFETCH(int, columna);
        auto registro = [](const QStringList &nombres) {
            QSqlRecord r;
            for (const QString &n : nombres)
                r.append(QSqlField(n));
            return r;
        };
        TcolumnasResultado columnas;
        columnas.toma(registro(antes));
        columnas.toma(registro(despues));
        QCOMPARE(columnas.alias, despues);
        // Found without regard to case; the alias as written, kept to spare lowering it, never
        // points elsewhere.
        QCOMPARE(columnas.indice.value(buscada.toLower(), -1), columna);
        QCOMPARE(columnas.indice.value(buscada, columna), columna);
    }

    // The zone is read once only where nobody chose one, and local date-times stay what they were.
    void zonaHorariaLeidaUnaVez_data() {
        QTest::addColumn<bool>("fijada");
        QTest::addColumn<QByteArray>("valor");
        QTest::addColumn<QByteArray>("queda");
        QTest::newRow("sin TZ") << false << QByteArray() << QByteArray(":/etc/localtime");
        QTest::newRow("zona elegida")
            << true << QByteArray("America/Mexico_City") << QByteArray("America/Mexico_City");
        QTest::newRow("TZ vacía (UTC)") << true << QByteArray() << QByteArray();
    }
    void zonaHorariaLeidaUnaVez() {
        QFETCH(bool, fijada);
        QFETCH(QByteArray, valor);
        QFETCH(QByteArray, queda);
        const TzonaHoraria zonaDelCaso(fijada, valor);
        const QDateTime local(QDate(2026, 4, 5), QTime(2, 30));
        const qint64 instante = local.toMSecsSinceEpoch();
        const QByteArray zona = QTimeZone::systemTimeZoneId();
        u_zonaHorariaLeidaUnaVez();
        const bool quedaFijada = qEnvironmentVariableIsSet("TZ");
        const QByteArray quedo = qgetenv("TZ");
        const qint64 despues = QDateTime(QDate(2026, 4, 5), QTime(2, 30)).toMSecsSinceEpoch();
        const QByteArray zonaDespues = QTimeZone::systemTimeZoneId();
        QVERIFY(quedaFijada);
        QCOMPARE(quedo, queda);
        QCOMPARE(despues, instante);
        QCOMPARE(zonaDespues, zona);
    }

    // A SQLite session that writes copies its log back into the file from a thread of its own; a
    // read-only one starts none. Its end stops the thread.
    void puntoDeControlPorSesion_data() {
        QTest::addColumn<bool>("soloLectura");
        QTest::addColumn<int>("hilos");
        QTest::newRow("escritura") << false << 1;
        QTest::newRow("solo lectura") << true << 0;
    }
    void puntoDeControlPorSesion() {
        if (uBase->esMySQL())
            QSKIP("MariaDB has no write-ahead log of the program's own");
        QFETCH(bool, soloLectura);
        QFETCH(int, hilos);
        const auto cuentaHilos = [] { return int(QDir(QStringLiteral("/proc/self/task")).count()) - 2; };
        const int antes = cuentaHilos();
        {
            TparametrosConexion parametros = sesion()->parametros();
            parametros.soloLectura = soloLectura;
            TConexionSesion otra(parametros);
            QVERIFY(otra.abre());
            QCOMPARE(cuentaHilos(), antes + hilos);
        }
        QCOMPARE(cuentaHilos(), antes);
    }

    // What is committed reaches the file without waiting for the log to fill: the saving
    // connection's own checkpoint would wait for thousands of pages.
    void loConfirmadoLlegaAlArchivo() {
        if (uBase->esMySQL())
            QSKIP("MariaDB has no write-ahead log of the program's own");
        const QFileInfo archivo(sesion()->getDatabase());
        const qint64 tamano = archivo.size();
        TmiddleTier mt(sesion());
        QVERIFY(mt.transaccionInicia());
        for (int i = 0; i < 200; ++i)
            QVERIFY(inserta(mt, QString(1000, QLatin1Char('x')), i) > 0);
        QVERIFY(mt.transaccionTermina());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(archivo.filePath()).size() > tamano + 100 * 1024, 5000);
    }

    void varianteNulaHaceVerdaderoIsNull() {
        TmiddleTier mt(sesion());
        inserta(mt, QStringLiteral("uno"), 1);
        mt.setQuery(
            QStringLiteral("SELECT COUNT(*) FROM renglon WHERE (:filtro IS NULL OR nombre = :filtro)"));
        mt.setParametroVariant(QStringLiteral("filtro"), QVariant());
        QCOMPARE(mt.getScalarAsInt(), 1);
        mt.setQuery(
            QStringLiteral("SELECT COUNT(*) FROM renglon WHERE (:filtro IS NULL OR nombre = :filtro)"));
        mt.setParametroVariant(QStringLiteral("filtro"), QStringLiteral("otro"));
        QCOMPARE(mt.getScalarAsInt(), 0);
        mt.setQuery(QStringLiteral("UPDATE renglon SET cantidad = :nada"));
        mt.setParametroVariant(QStringLiteral("nada"), QVariant());
        QVERIFY(mt.nonQuery().isSuccess());
        mt.setQuery(QStringLiteral("SELECT cantidad FROM renglon"));
        const CmidTierResponse r = mt.reader();
        QVERIFY(r.esNulo(0, QStringLiteral("cantidad")));
    }

    // A name bound again keeps its last value, with or without its colon, whether the statement
    // has a few names or hundreds; the next statement starts with none.
    void valoresPorNombre_data() {
        QTest::addColumn<int>("nombres");
        QTest::newRow("pocos") << 3;
        QTest::newRow("al pasar de pocos a muchos") << 9;
        QTest::newRow("cientos") << 300;
    }
    void valoresPorNombre() {
        QFETCH(int, nombres);
        TmiddleTier mt(sesion());
        for (int vuelta = 1; vuelta <= 2; ++vuelta) {
            QStringList terminos;
            for (int i = 0; i < nombres; ++i)
                terminos << QStringLiteral(":a%1").arg(i);
            mt.setQuery(QStringLiteral("SELECT ") + terminos.join(QStringLiteral(" + ")));
            for (int i = 0; i < nombres; ++i)
                mt.setParametroEntero(QStringLiteral("a%1").arg(i), 1000);
            qint64 esperado = 0;
            for (int i = 0; i < nombres; ++i) {
                mt.setParametroEntero((i % 2 ? QStringLiteral(":a%1") : QStringLiteral("a%1")).arg(i),
                                      i * vuelta);
                esperado += i * vuelta;
            }
            QCOMPARE(mt.getScalarAsInt(), esperado);
        }
    }

    // A bulk statement's values in order (:v0, :v1…), alone or after names bound one by one: a
    // value bound before under one of those names takes the new one.
    void valoresEnOrden_data() {
        QTest::addColumn<bool>("nombreAntes");
        QTest::newRow("solos") << false;
        QTest::newRow("tras un nombre") << true;
    }
    void valoresEnOrden() {
        QFETCH(bool, nombreAntes);
        TmiddleTier mt(sesion());
        mt.setQuery(QStringLiteral("SELECT :v0 + :v1 + :v2 + COALESCE(:x, 0)"));
        if (nombreAntes) {
            mt.setParametroEntero(QStringLiteral("v1"), 1000);
            mt.setParametroEntero(QStringLiteral("x"), 5);
        }
        mt.setValoresEnOrden({1, 20, 300, 4000}, 3);
        QCOMPARE(mt.getScalarAsInt(), nombreAntes ? 326 : 321);
    }

    void fechaHoraIdaYVuelta() {
        TmiddleTier mt(sesion());
        inserta(mt, QStringLiteral("f"), 1);
        mt.setQuery(
            QStringLiteral("SELECT fechaHora FROM renglon WHERE fechaHora BETWEEN :desde AND :hasta"));
        mt.setParametroFechaHora(QStringLiteral("desde"), fechaHora::inicioDelDia(QDate(2026, 3, 1)));
        mt.setParametroFechaHora(QStringLiteral("hasta"), fechaHora::finDelDia(QDate(2026, 3, 1)));
        const CmidTierResponse r = mt.reader();
        QCOMPARE(r.getRowCount(), 1);
        QCOMPARE(r.getCeldaAsDate(0, 0), QDateTime(QDate(2026, 3, 1), QTime(9, 30, 15, 250)));
        QCOMPARE(r.getCelda(0, 0), QStringLiteral("2026-03-01 09:30:15.250"));
    }

    void escalarDeConsultaVaciaYFallida() {
        TmiddleTier mt(sesion());
        mt.setQuery(QStringLiteral("SELECT cantidad FROM renglon WHERE id = -1"));
        const CmidTierResponse vacia = mt.scalar();
        QVERIFY(vacia.isSuccess());
        QVERIFY(vacia.isScalarNull());
        mt.setQuery(QStringLiteral("SELECT nada FROM tablaQueNoExiste"));
        const CmidTierResponse fallida = mt.scalar();
        QVERIFY(!fallida.isSuccess());
        QCOMPARE(fallida.getScalarAsInt(), 0);
        QVERIFY(!fallida.getError().isEmpty());
    }

    void rollbackDeshaceTodo() {
        TmiddleTier mt(sesion());
        inserta(mt, QStringLiteral("antes"), 1);
        QVERIFY(mt.transaccionInicia());
        inserta(mt, QStringLiteral("dentro 1"), 1);
        inserta(mt, QStringLiteral("dentro 2"), 1);
        QVERIFY(mt.transaccionRollback());
        QCOMPARE(cuenta(), 1);
        QVERIFY(mt.transaccionInicia());
        inserta(mt, QStringLiteral("confirmado"), 1);
        QVERIFY(mt.transaccionTermina());
        QCOMPARE(cuenta(), 2);
    }

    void objetoDestruidoConTransaccionAbiertaRevierte() {
        {
            TmiddleTier mt(sesion());
            QVERIFY(mt.transaccionInicia());
            inserta(mt, QStringLiteral("huérfano"), 1);
        }
        QCOMPARE(cuenta(), 0);
    }

    // The fault hook breaks exactly the n-th statement; a document that stops there leaves nothing.
    void fallaProvocadaEnLaEnesimaSentencia() {
        TmiddleTier mt(sesion());
        QVERIFY(mt.transaccionInicia());
        TmiddleTier::setFallaEnSentencia(2);
        QVERIFY(inserta(mt, QStringLiteral("1"), 1) > 0);
        QCOMPARE(inserta(mt, QStringLiteral("2"), 1), qint64(-1));
        QVERIFY(mt.transaccionRollback());
        QVERIFY(inserta(mt, QStringLiteral("3"), 1) > 0); // the hook fires once
        QCOMPARE(cuenta(), 1);
    }

    void puntosDeGuardado() {
        TmiddleTier mt(sesion());
        QVERIFY(mt.transaccionInicia());
        inserta(mt, QStringLiteral("grupo 1"), 1);
        QVERIFY(mt.puntoGuardado(QStringLiteral("grupo")));
        inserta(mt, QStringLiteral("grupo 2"), 1);
        QVERIFY(mt.regresaAPunto(QStringLiteral("grupo")));
        QVERIFY(mt.liberaPunto(QStringLiteral("grupo")));
        QVERIFY(mt.transaccionTermina());
        QCOMPARE(cuenta(), 1);
    }

    void conversionTDateTime_data() {
        QTest::addColumn<double>("dias");
        QTest::addColumn<QDateTime>("fecha");
        QTest::newRow("época") << 0.0 << QDateTime(QDate(1899, 12, 30), QTime(0, 0));
        QTest::newRow("mediodía") << 46082.5 << QDateTime(QDate(2026, 3, 1), QTime(12, 0));
        QTest::newRow("sin fecha") << fechaHora::kSinFecha << QDateTime(QDate(-1, 12, 31), QTime(0, 0));
    }
    void conversionTDateTime() {
        QFETCH(double, dias);
        QFETCH(QDateTime, fecha);
        QCOMPARE(fechaHora::deTDateTime(dias), fecha);
        QCOMPARE(fechaHora::aTDateTime(fecha), dias);
    }

    void fechaHoraDeTextoGuardado_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QDateTime>("fecha");
        const QDate dia(2026, 3, 1);
        QTest::newRow("con milisegundos") << "2026-03-01 14:05:09.007" << QDateTime(dia, QTime(14, 5, 9, 7));
        QTest::newRow("sin milisegundos") << "2026-03-01 14:05:09" << QDateTime(dia, QTime(14, 5, 9));
        QTest::newRow("con T") << "2026-03-01T14:05:09.250" << QDateTime(dia, QTime(14, 5, 9, 250));
        QTest::newRow("solo el día") << "2026-03-01" << QDateTime(dia, QTime(0, 0));
        QTest::newRow("espacios alrededor")
            << " 2026-03-01 23:59:59.999 " << QDateTime(dia, QTime(23, 59, 59, 999));
        QTest::newRow("fin de febrero bisiesto")
            << "2028-02-29 00:00:00.000" << QDateTime(QDate(2028, 2, 29), QTime(0, 0));
        QTest::newRow("día inexistente") << "2026-02-30 10:00:00.000" << QDateTime();
        QTest::newRow("hora inexistente") << "2026-03-01 24:00:00.000" << QDateTime();
        QTest::newRow("letra en el año") << "2O26-03-01 10:00:00.000" << QDateTime();
        QTest::newRow("separador ajeno") << "2026/03/01 10:00:00.000" << QDateTime();
        QTest::newRow("signo en los minutos") << "2026-03-01 10:-5:00.000" << QDateTime();
        QTest::newRow("vacío") << "" << QDateTime();
        QTest::newRow("año de tres cifras")
            << "0999-12-31 23:59:59.999" << QDateTime(QDate(999, 12, 31), QTime(23, 59, 59, 999));
    }
    // The stored text is written and read by hand for speed: it must agree with Qt on every
    // layout the program writes, and refuse what is not a date.
    void fechaHoraDeTextoGuardado() {
        QFETCH(QString, texto);
        QFETCH(QDateTime, fecha);
        QCOMPARE(fechaHora::deValorBD(texto), fecha);
        if (fecha.isValid()) {
            QCOMPARE(fechaHora::aTextoBD(fecha), fecha.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
            QCOMPARE(fechaHora::deValorBD(fechaHora::aTextoBD(fecha)), fecha);
        }
    }

    void ordenDeFechasGuardadas_data() {
        QTest::addColumn<QVariant>("a");
        QTest::addColumn<QVariant>("b");
        QTest::addColumn<bool>("anterior");
        const QVariant diez = QStringLiteral("2026-03-01 10:00:00.000");
        QTest::newRow("un milisegundo antes")
            << diez << QVariant(QStringLiteral("2026-03-01 10:00:00.001")) << true;
        QTest::newRow("un milisegundo después")
            << QVariant(QStringLiteral("2026-03-01 10:00:00.001")) << diez << false;
        QTest::newRow("el mismo instante") << diez << diez << false;
        // MariaDB hands back date-times, SQLite the stored text: the same instant either way.
        QTest::newRow("fecha-hora y texto iguales")
            << QVariant(QDateTime(QDate(2026, 3, 1), QTime(10, 0))) << diez << false;
        QTest::newRow("fecha-hora antes que texto")
            << QVariant(QDateTime(QDate(2026, 3, 1), QTime(9, 59, 59, 999))) << diez << true;
        QTest::newRow("día solo, medianoche")
            << QVariant(QDate(2026, 3, 1)) << QVariant(QStringLiteral("2026-03-01 00:00:00.000")) << false;
        QTest::newRow("nulo antes que una fecha") << QVariant() << diez << true;
        QTest::newRow("una fecha no antes que nulo") << diez << QVariant() << false;
        // The hour the clocks skip in a zone with summer time is no local date-time at all, yet a
        // stored value of it keeps the order the database's MAX gives it.
        QTest::newRow("hora saltada por el cambio de horario")
            << QVariant(QStringLiteral("2026-03-08 01:50:00.000"))
            << QVariant(QStringLiteral("2026-03-08 02:30:00.000")) << true;
    }
    void ordenDeFechasGuardadas() {
        QFETCH(QVariant, a);
        QFETCH(QVariant, b);
        QFETCH(bool, anterior);
        const TzonaHoraria conHorarioDeVerano(true, "America/Tijuana");
        QCOMPARE(fechaHora::anteriorBD(a, b), anterior);
    }
};

QTEST_GUILESS_MAIN(TpruebaDatos)
#include "tst_datos.moc"

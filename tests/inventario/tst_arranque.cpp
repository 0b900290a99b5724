// The module's start-up checks and its valuation-method guard, on the engine of the run.
#include "apoyo/UbasePrueba.h"
#include "apoyo/UinteraccionGuionada.h"
#include "comun/UNEG_conceptosMovimiento.h"
#include "comun/UNEG_opciones.h"
#include "inventario/UNEG_arranqueInventario.h"
#include "inventario/UNEG_estadoTablas.h"

#include <QtTest>

class TpruebaArranque : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    int uNegocio = 0;

    TarranqueInventario arranque(int negocio = 0) const {
        return TarranqueInventario(uBase->sistema(negocio ? negocio : uNegocio));
    }

    qint64 escalar(const QString &sentencia, int negocio = 0) const {
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(sentencia);
        if (sentencia.contains(QLatin1String(":negocio")))
            mt.setParametroEntero(QStringLiteral("negocio"), negocio ? negocio : uNegocio);
        return mt.getScalarAsInt();
    }

    void ejecuta(const QString &sentencia) const {
        TmiddleTier mt(uBase->sesion());
        mt.setQuery(sentencia);
        QVERIFY2(mt.nonQuery().isSuccess(), qPrintable(sentencia));
    }

    // What the start-up steps that touch data do, in their order.
    void secuenciaCompleta(int negocio = 0) const {
        TarranqueInventario a = arranque(negocio);
        a.aseguraPublicoGeneral();
        a.compruebaEstadoTabla();
        a.compruebaSemillas();
        a.agregaConceptoSalidaMuestras();
    }

    qint64 filasSemilla(int negocio = 0) const {
        return escalar(QStringLiteral("SELECT COUNT(*) FROM cliente WHERE idNegocioFk = :negocio"), negocio) +
               escalar(
                   QStringLiteral("SELECT COUNT(*) FROM inventarioCategoria WHERE idNegocioFk = :negocio"),
                   negocio) +
               escalar(QStringLiteral(
                           "SELECT COUNT(*) FROM inventarioMovimientoConcepto WHERE idNegocioFk = :negocio"),
                       negocio) +
               escalar(QStringLiteral(
                           "SELECT COUNT(*) FROM inventarioUnidadesMedida WHERE idNegocioFk = :negocio"),
                       negocio) +
               escalar(QStringLiteral(
                           "SELECT COUNT(*) FROM inventarioPropiedadListado WHERE idNegocioFk = :negocio"),
                       negocio);
    }

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uNegocio = uBase->creaNegocio(QStringLiteral("Abarrotes Lupita"));
        TmiddleTier::setFallaEnSentencia(0);
    }
    void cleanup() {
        TmiddleTier::setFallaEnSentencia(0);
        uBase.reset();
    }

    void primeraVezSiembraTodoYLaSegundaNada() {
        secuenciaCompleta();
        QCOMPARE(escalar(QStringLiteral("SELECT COUNT(*) FROM cliente WHERE rfc = 'XAXX010101000' AND "
                                        "idNegocioFk = :negocio")),
                 1);
        for (int familia : {-1, -2, -3, -4, -5, -6}) {
            QCOMPARE(
                escalar(QStringLiteral("SELECT COUNT(*) FROM inventarioMovimientoConcepto WHERE familia = %1 "
                                       "AND idNegocioFk = :negocio")
                            .arg(familia)),
                1);
        }
        QCOMPARE(escalar(QStringLiteral(
                     "SELECT COUNT(*) FROM inventarioMovimientoConcepto WHERE etiqueta = 'Muestras' "
                     "AND direccion = 2 AND familia = 1 AND modulo = 1 AND AsientosContables_id IS NULL AND "
                     "idNegocioFk = :negocio")),
                 1);
        QCOMPARE(
            escalar(QStringLiteral("SELECT MAX(estado) FROM inventarioTablaEstado WHERE nombre = 'snap'")),
            qint64(TestadoTablas::kEstadoTablasActual));
        const qint64 filas = filasSemilla();
        QVERIFY(filas >= 9);
        secuenciaCompleta();
        QCOMPARE(filasSemilla(), filas);
        QCOMPARE(escalar(QStringLiteral("SELECT COUNT(*) FROM inventarioTablaEstado")), 1);
    }

    // The upgrade runs below 170610 or with no record; on MariaDB it only records the state.
    void estadoDeTablas_data() {
        QTest::addColumn<int>("estado"); // 0: no record
        QTest::addColumn<bool>("actualiza");
        QTest::newRow("sin registro") << 0 << true;
        QTest::newRow("uno menos") << TestadoTablas::kEstadoTablasActual - 1 << true;
        QTest::newRow("el actual") << TestadoTablas::kEstadoTablasActual << false;
    }
    void estadoDeTablas() {
        QFETCH(int, estado);
        QFETCH(bool, actualiza);
        if (!uBase->esMySQL())
            ejecuta(QStringLiteral("ALTER TABLE inventarioProducto DROP COLUMN opControladoNoSerie"));
        if (estado > 0)
            ejecuta(QStringLiteral("INSERT INTO inventarioTablaEstado (nombre, estado) VALUES ('snap', %1)")
                        .arg(estado));
        arranque().compruebaEstadoTabla();
        QCOMPARE(escalar(QStringLiteral("SELECT COUNT(*) FROM inventarioTablaEstado")),
                 qint64(estado > 0) + actualiza);
        const qint64 columna = escalar(
            uBase->esMySQL() ? QStringLiteral("SELECT COUNT(*) FROM information_schema.columns WHERE "
                                              "table_schema = DATABASE() AND table_name = "
                                              "'inventarioProducto' AND column_name = 'opControladoNoSerie'")
                             : QStringLiteral("SELECT COUNT(*) FROM pragma_table_info('inventarioProducto') "
                                              "WHERE name = 'opControladoNoSerie'"));
        QCOMPARE(columna, qint64(uBase->esMySQL() || actualiza));
    }

    void tablaDeEstadoAusenteSeCrea() {
        ejecuta(QStringLiteral("DROP TABLE inventarioTablaEstado"));
        arranque().compruebaEstadoTabla();
        QCOMPARE(escalar(QStringLiteral("SELECT estado FROM inventarioTablaEstado")),
                 qint64(TestadoTablas::kEstadoTablasActual));
    }

    void muestrasNoSeRepite_data() {
        QTest::addColumn<QString>("existente");
        QTest::newRow("minúsculas") << QStringLiteral("muestras");
        QTest::newRow("mayúsculas") << QStringLiteral("MUESTRAS");
    }
    void muestrasNoSeRepite() {
        QFETCH(QString, existente);
        TconceptosMovimiento(uBase->sesion()).insertMovimientoConcepto(existente, 2, QVariant(), 1, uNegocio);
        arranque().agregaConceptoSalidaMuestras();
        QCOMPARE(escalar(QStringLiteral(
                     "SELECT COUNT(*) FROM inventarioMovimientoConcepto WHERE LOWER(etiqueta) = "
                     "'muestras' AND idNegocioFk = :negocio")),
                 1);
    }

    void muestrasNoSeAgregaSiLaBusquedaFalla() {
        TarranqueInventario a = arranque();
        TmiddleTier::setFallaEnSentencia(1);
        a.agregaConceptoSalidaMuestras();
        QCOMPARE(escalar(QStringLiteral("SELECT COUNT(*) FROM inventarioMovimientoConcepto")), 0);
    }

    void guardaDelMetodoDeValuacion() {
        TguionInstalado guion;
        QVERIFY(!arranque().compruebaMetodoValuacionInventario());
        QCOMPARE(guion->textos(), QStringList{TarranqueInventario::kMensajeSinMetodo});
        QCOMPARE(guion->mensajes().first().tipo, int(kInformacion));

        guion->limpia();
        TarranqueInventario a = arranque();
        TmiddleTier::setFallaEnSentencia(1); // a failed lookup lets the user through
        QVERIFY(a.compruebaMetodoValuacionInventario());
        QVERIFY(guion->textos().isEmpty());

        QVERIFY(Topciones(uBase->sesion()).insertMetodoValoracionInventario(uNegocio, 1).isSuccess());
        QVERIFY(arranque().compruebaMetodoValuacionInventario());
        QVERIFY(guion->textos().isEmpty());
    }

    void elMetodoSeEligeUnaSolaVez() {
        Topciones opciones(uBase->sesion());
        QCOMPARE(opciones.insertMetodoValoracionInventario(uNegocio, 2).getFilasAfectadas(), 1);
        QCOMPARE(opciones.insertMetodoValoracionInventario(uNegocio, 1).getFilasAfectadas(), 0);
        QCOMPARE(opciones.selectMetodoValoracionInventario(uNegocio).getScalarAsInt(), 2);
    }

    // Two businesses in one database never see or count each other's rows.
    void dosNegociosNoSeMezclan() {
        const int otro = uBase->creaNegocio(QStringLiteral("Ferretería Hidalgo"));
        secuenciaCompleta(uNegocio);
        QCOMPARE(filasSemilla(otro), 0);
        secuenciaCompleta(otro);
        QCOMPARE(filasSemilla(otro), filasSemilla(uNegocio));
        QVERIFY(Topciones(uBase->sesion()).insertMetodoValoracionInventario(uNegocio, 1).isSuccess());
        TguionInstalado guion;
        QVERIFY(!arranque(otro).compruebaMetodoValuacionInventario());
        QVERIFY(arranque(uNegocio).compruebaMetodoValuacionInventario());
    }

    void registroDeOpciones() {
        TarranqueInventario a = arranque();
        QVERIFY(a.preparaRegistroOpciones());
        QVERIFY(a.preparaRegistroOpciones());
        QCOMPARE(
            escalar(QStringLiteral("SELECT COUNT(*) FROM inventarioOpciones WHERE idNegocioFk = :negocio")),
            1);
        QVERIFY(a.agregaColumnaOpciones());
        QVERIFY(a.insertaVersionTablaSalida(3));
        QCOMPARE(a.bsucaVersionTablaSalida(), 3);
    }
};

QTEST_GUILESS_MAIN(TpruebaArranque)
#include "tst_arranque.moc"

// The administrator's rebuild (inventario --reconstruir-kardex), run as a separate process and
// killed at random moments: the ledger is always the whole one or an empty one.
#include "apoyo/UbasePrueba.h"
#include "apoyo/UnegocioPrueba.h"
#include "datos/UmiddleTier.h"
#include "kardex/UNEG_construccionKardex.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

class TpruebaReconstruccionConsola : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;

    QStringList argumentos(int negocio) const {
        const TparametrosConexion &p = uBase->sesion()->parametros();
        QStringList a = uBase->esMySQL() ? QStringList{QStringLiteral("--mysql-socket"), p.socket,
                                                       QStringLiteral("--mysql-database"), p.baseDatos}
                                         : QStringList{QStringLiteral("--sqlite"), p.archivo};
        return a << QStringLiteral("--negocio") << QString::number(negocio)
                 << QStringLiteral("--reconstruir-kardex");
    }

    static void prepara(QProcess &p) {
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.remove(QStringLiteral("QT_QPA_PLATFORM")); // no window system is needed at all
        entorno.remove(QStringLiteral("DISPLAY"));
        p.setProcessEnvironment(entorno);
    }

private slots:
    void init() { QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error())); }
    void cleanup() { uBase.reset(); }

    void reconstruyeSinVentanaEImprimeElAvance() {
        TnegocioPrueba n(*uBase, 1);
        n.llenaAlAzar(3);
        QProcess p;
        prepara(p);
        p.start(QStringLiteral(INVENTARIO_PROGRAMA), argumentos(n.negocio()));
        QVERIFY(p.waitForFinished(60000));
        const QString salida = QString::fromUtf8(p.readAllStandardOutput());
        QCOMPARE(p.exitCode(), 0);
        QVERIFY2(
            salida.contains(QStringLiteral("Reconstruyendo kardex: almacenes 25%, productos del almacén 0%")),
            qPrintable(salida));
        QVERIFY2(salida.contains(QLatin1String("Kardex reconstruido: ")), qPrintable(salida));
        const QStringList primero = n.kardex();
        QVERIFY(primero.size() > 100);
        // A second run empties the ledger and writes the same one again.
        p.start(QStringLiteral(INVENTARIO_PROGRAMA), argumentos(n.negocio()));
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(n.kardex(), primero);
    }

    // Killed while it works, the rebuild leaves the ledger it found (whole, or empty for the
    // start-up check to rebuild), never a part of one.
    void interrumpidaNoDejaKardexParcial() {
        TnegocioPrueba n(*uBase, 1);
        {
            TmiddleTier transaccion(uBase->sesion());
            QVERIFY(transaccion.transaccionInicia());
            n.llenaAlAzar(5, 4, 40, 30);
            QVERIFY(transaccion.transaccionTermina());
        }
        QVERIFY(TconstruccionKardex(uBase->sesion(), n.negocio()).construye());
        const QStringList completo = n.kardex();
        n.ejecuta(QStringLiteral("DELETE FROM inventarioKardex WHERE idNegocioFk = :negocio"));
        int vacios = 0;
        for (int espera : {0, 0, 20, 60, 150}) {
            QProcess p;
            prepara(p);
            p.start(QStringLiteral(INVENTARIO_PROGRAMA), argumentos(n.negocio()));
            // Once it reports progress it is inside its transaction.
            QVERIFY(p.waitForReadyRead(30000));
            QThread::msleep(espera);
            p.kill();
            p.waitForFinished(10000);
            const QStringList obtenido = n.kardex();
            QVERIFY2(
                obtenido.isEmpty() || obtenido == completo,
                qPrintable(QStringLiteral("%1 de %2 renglones").arg(obtenido.size()).arg(completo.size())));
            QCOMPARE(TconstruccionKardex::hayQueConstruir(uBase->sesion(), n.negocio()), obtenido.isEmpty());
            vacios += obtenido.isEmpty();
        }
        QVERIFY(vacios > 0);
    }

    // A rebuild the database refuses says so, and the ledger stays as it was, row for row.
    void reconstruccionFallidaLoDiceYDejaElKardex() {
        TnegocioPrueba n(*uBase, 1);
        n.llenaAlAzar(3);
        QVERIFY(TconstruccionKardex(uBase->sesion(), n.negocio()).construye());
        const QStringList completo = n.kardex();
        n.rechazaKardex(true);
        QProcess p;
        prepara(p);
        p.start(QStringLiteral(INVENTARIO_PROGRAMA), argumentos(n.negocio()));
        QVERIFY(p.waitForFinished(60000));
        n.rechazaKardex(false);
        const QString salida = QString::fromUtf8(p.readAllStandardOutput());
        QCOMPARE(p.exitCode(), 1);
        QVERIFY2(salida.contains(kReconstruccionFallida), qPrintable(salida));
        QCOMPARE(n.kardex(), completo);
    }

    // The check runs without a window system; on SQLite a damaged page is a finding, never
    // "clean".
    void verificaSinVentanaYVeUnaPaginaDanada() {
        TnegocioPrueba n(*uBase, 1);
        const int a = n.almacen(), p = n.producto();
        n.filaEntrada(QStringLiteral("R1"), a, p, QStringLiteral("2024-01-01 09:00:00"), 10, 5);
        n.filaEntrada(QStringLiteral("R2"), a, p, QStringLiteral("2024-01-02 09:00:00"), 5, 6);
        n.ejecuta(
            QStringLiteral("INSERT INTO inventarioExistencias (inventarioAlmacen_id, inventarioProducto_id, "
                           "existencia) VALUES (%1, %2, 15)")
                .arg(a)
                .arg(p));
        QVERIFY(TconstruccionKardex(uBase->sesion(), n.negocio()).construye());
        QStringList argumentos = this->argumentos(n.negocio());
        argumentos.replace(argumentos.indexOf(QStringLiteral("--reconstruir-kardex")),
                           QStringLiteral("--verificar"));
        QProcess proceso;
        prepara(proceso);
        proceso.start(QStringLiteral(INVENTARIO_PROGRAMA), argumentos);
        QVERIFY(proceso.waitForFinished(60000));
        QCOMPARE(QString::fromUtf8(proceso.readAllStandardOutput()), QString());
        QCOMPARE(proceso.exitStatus(), QProcess::NormalExit);
        QCOMPARE(proceso.exitCode(), 0);
        if (uBase->esMySQL())
            return;

        // Everything into the main file, then the first bytes of the ledger's root page spoiled.
        // The checkpoint thread may hold the log for a moment: a busy checkpoint (first column 1)
        // leaves pages in the log, where the verification would still read them whole.
        TmiddleTier mt(uBase->sesion());
        bool vaciado = false;
        for (int intento = 0; intento < 200 && !vaciado; ++intento) {
            mt.setQuery(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
            const CmidTierResponse r = mt.reader();
            QVERIFY(r.isSuccess());
            vaciado = r.getCeldaAsInt(0, 0) == 0;
            if (!vaciado)
                QTest::qWait(10);
        }
        QVERIFY(vaciado);
        mt.setQuery(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'inventarioKardex'"));
        const qint64 raiz = mt.scalar().getScalarAsInt();
        mt.setQuery(QStringLiteral("PRAGMA page_size"));
        const qint64 pagina = mt.scalar().getScalarAsInt();
        QVERIFY(raiz > 1 && pagina >= 512);
        QFile archivo(uBase->sesion()->parametros().archivo);
        QVERIFY(archivo.open(QIODevice::ReadWrite));
        QVERIFY(archivo.seek((raiz - 1) * pagina));
        QVERIFY(archivo.write(QByteArray(64, char(0xAA))) == 64);
        archivo.close();

        proceso.start(QStringLiteral(INVENTARIO_PROGRAMA), argumentos);
        QVERIFY(proceso.waitForFinished(60000));
        const QString salida = QString::fromUtf8(proceso.readAllStandardOutput());
        QVERIFY(proceso.exitCode() != 0);
        QVERIFY2(salida.contains(QStringLiteral("El archivo de la base de datos está dañado")),
                 qPrintable(salida));
    }
};

QTEST_GUILESS_MAIN(TpruebaReconstruccionConsola)
#include "tst_reconstruccionConsola.moc"

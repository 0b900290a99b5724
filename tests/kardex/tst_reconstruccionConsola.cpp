// The administrator's rebuild (inventario --reconstruir-kardex), run as a separate process and
// killed at random moments: the ledger is always the whole one or an empty one.
#include "UnegocioKardex.h"
#include "apoyo/UbasePrueba.h"
#include "datos/UmiddleTier.h"
#include "kardex/UNEG_construccionKardex.h"

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
        TnegocioKardex n(*uBase, 1);
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
        TnegocioKardex n(*uBase, 1);
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
};

QTEST_GUILESS_MAIN(TpruebaReconstruccionConsola)
#include "tst_reconstruccionConsola.moc"

// A process posting receipts and issues in a loop, killed at random moments: every document is
// whole or absent, the consistency check finds nothing, and the SQLite file stays sound.
#include "apoyo/UbasePrueba.h"
#include "apoyo/UfilasPrueba.h"
#include "apoyo/UintegridadPrueba.h"
#include "comun/UNEG_opciones.h"
#include "existencias/U_verificacion.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

class TpruebaPosteosInterrumpidos : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;

    TConexionSesion *sesion() { return uBase->sesion(); }

    int inserta(const QString &tabla, const TcamposPrueba &campos) {
        return u_insertaFila(sesion(), tabla, campos);
    }

    qint64 documentos() {
        return u_valorConsulta(sesion(),
                               QStringLiteral("SELECT COUNT(DISTINCT documento) FROM inventarioSalida"))
                   .toLongLong() +
               u_valorConsulta(sesion(),
                               QStringLiteral("SELECT COUNT(DISTINCT documento) FROM inventarioEntrada"))
                   .toLongLong();
    }

private slots:
    void init() { QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error())); }
    void cleanup() { uBase.reset(); }

    void cadaDocumentoQuedaEnteroOAusente_data() {
        QTest::addColumn<int>("metodo");
        QTest::newRow("PEPS") << 1;
        QTest::newRow("Promedio Ponderado") << 2;
    }
    void cadaDocumentoQuedaEnteroOAusente() {
        QFETCH(int, metodo);
        const int negocio = uBase->creaNegocio(QStringLiteral("Abarrotes Santa Rita"));
        QVERIFY(Topciones(sesion()).insertMetodoValoracionInventario(negocio, metodo).isSuccess());
        const int almacen = inserta(QStringLiteral("inventarioAlmacen"),
                                    {{QStringLiteral("nombre"), QStringLiteral("Bodega")},
                                     {QStringLiteral("sucursal_id"), 1},
                                     {QStringLiteral("idNegocioFk"), negocio}});
        const int plantilla = inserta(QStringLiteral("AsientosContables"),
                                      {{QStringLiteral("nombre"), QStringLiteral("Movimientos")},
                                       {QStringLiteral("ModuloAsientosContables_id"), 1},
                                       {QStringLiteral("idNegocioFk"), negocio}});
        auto concepto = [&](int direccion) {
            return inserta(QStringLiteral("inventarioMovimientoConcepto"),
                           {{QStringLiteral("etiqueta"),
                             direccion == 1 ? QStringLiteral("Compra") : QStringLiteral("Venta")},
                            {QStringLiteral("direccion"), direccion},
                            {QStringLiteral("familia"), 1},
                            {QStringLiteral("AsientosContables_id"), plantilla},
                            {QStringLiteral("idNegocioFk"), negocio}});
        };
        QStringList productos;
        for (const char *nombre : {"Arroz 1 kg", "Frijol 1 kg"})
            productos << QString::number(inserta(QStringLiteral("inventarioProducto"),
                                                 {{QStringLiteral("nombre"), QString::fromUtf8(nombre)},
                                                  {QStringLiteral("estatus"), 1},
                                                  {QStringLiteral("estado"), 1},
                                                  {QStringLiteral("idNegocioFk"), negocio}}));
        const TparametrosConexion &c = sesion()->parametros();
        QStringList argumentos = uBase->esMySQL()
                                     ? QStringList{QStringLiteral("--mysql-socket"), c.socket,
                                                   QStringLiteral("--mysql-database"), c.baseDatos}
                                     : QStringList{QStringLiteral("--sqlite"), c.archivo};
        argumentos << QStringLiteral("--negocio") << QString::number(negocio) << QStringLiteral("--almacen")
                   << QString::number(almacen) << QStringLiteral("--productos")
                   << productos.join(QLatin1Char(',')) << QStringLiteral("--compra")
                   << QString::number(concepto(1)) << QStringLiteral("--venta")
                   << QString::number(concepto(2));

        QRandomGenerator azar(20250616u + unsigned(metodo));
        qint64 antes = 0;
        for (int vuelta = 0; vuelta < 6; ++vuelta) {
            QProcess hijo;
            hijo.start(QStringLiteral(INVENTARIO_AYUDANTE), argumentos);
            // Once it has posted a document it is in its loop; then it dies at any moment.
            QVERIFY2(hijo.waitForReadyRead(30000),
                     qPrintable(QString::fromUtf8(hijo.readAllStandardError())));
            QThread::msleep(azar.bounded(5, 400));
            hijo.kill();
            QVERIFY(hijo.waitForFinished(10000));
            QCOMPARE(hijo.exitStatus(), QProcess::CrashExit);

            QCOMPARE(u_documentosIncompletos(sesion()), QStringList());
            bool leido = false;
            QCOMPARE(u_verificaInventario(sesion(), leido), QStringList());
            QVERIFY(leido);
            if (!uBase->esMySQL())
                QCOMPARE(u_valorConsulta(sesion(), QStringLiteral("PRAGMA integrity_check")).toString(),
                         QStringLiteral("ok"));
            const qint64 ahora = documentos();
            QVERIFY(ahora > antes); // every run got documents in before it died
            antes = ahora;
        }
    }
};

QTEST_GUILESS_MAIN(TpruebaPosteosInterrumpidos)
#include "tst_posteosInterrumpidos.moc"

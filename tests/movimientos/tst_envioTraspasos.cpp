// The shipping statements of a transfer: what they write, and that they never reach another
// business's warehouses, transfers, products, layers or serial numbers.
#include "apoyo/UnegocioPrueba.h"

#include "apoyo/UfilasPrueba.h"
#include "comun/U_utilerias.h"
#include "traspasos/UNEG_traspasos.h"

#include <QtTest>

class TpruebaEnvioTraspasos : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<TnegocioPrueba> uPropio, uOtro;
    int uMatriz = 0, uBodega = 0, uAjeno = 0; // warehouses: two of ours, one of the other business
    int uProducto = 0, uOtroProducto = 0, uProductoAjeno = 0;
    int uCapa = 0, uCapaBodega = 0, uCapaAjena = 0;

    TConexionSesion *sesion() { return uBase->sesion(); }
    int negocio() const { return uPropio->negocio(); }

    int traspaso() {
        Ttraspaso s(sesion());
        const CmidTierResponse r =
            s.insertTraspaso(7, uMatriz, uBodega,
                             TnegocioPrueba::fecha(QStringLiteral("2024-05-02 10:00:00")), {}, 1, negocio());
        return r.isSuccess() && r.getFilasAfectadas() == 1 ? int(r.getIdInsertado()) : 0;
    }

    int detalle(int traspasoID) {
        RtraspasoDetalle d;
        d.productoID = uProducto;
        d.traspasoID = traspasoID;
        d.cantidad = QStringLiteral("2.5");
        d.costo = QStringLiteral("3");
        Ttraspaso s(sesion());
        const CmidTierResponse r = s.insertTraspasoDetalle({&d, 1}, negocio());
        return r.getFilasAfectadas() == 1 ? int(r.getIdInsertado()) : 0;
    }

    qint64 filas(const QString &tabla) {
        return u_valorConsulta(sesion(), QStringLiteral("SELECT COUNT(*) FROM ") + tabla).toLongLong();
    }

    int serieDe(int capa) {
        return u_valorConsulta(sesion(),
                               QStringLiteral("SELECT MIN(id) FROM inventarioNoSerie WHERE "
                                              "inventarioEntrada_id = :capa"),
                               {{QStringLiteral("capa"), capa}})
            .toInt();
    }

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uOtro = std::make_unique<TnegocioPrueba>(*uBase, 1, QStringLiteral("Papelería del Sur"));
        uAjeno = uOtro->almacen();
        uProductoAjeno = uOtro->producto(QStringLiteral("Engrapadora"), 1);
        uCapaAjena = uOtro->recibe(QStringLiteral("A"), uAjeno, uProductoAjeno,
                                   QStringLiteral("2024-05-01 09:00:00"), 1, 80.0, {QStringLiteral("AJ-1")});
        uPropio = std::make_unique<TnegocioPrueba>(*uBase, 1);
        uMatriz = uPropio->almacen();
        uBodega = uPropio->almacen(QStringLiteral("Bodega"));
        uProducto = uPropio->producto(QStringLiteral("Engrapadora"), 1);
        uOtroProducto = uPropio->producto(QStringLiteral("Perforadora"));
        uCapa =
            uPropio->recibe(QStringLiteral("M"), uMatriz, uProducto, QStringLiteral("2024-05-01 09:00:00"), 2,
                            80.0, {QStringLiteral("EN-1"), QStringLiteral("EN-2")});
        uCapaBodega =
            uPropio->recibe(QStringLiteral("B"), uBodega, uProducto, QStringLiteral("2024-05-01 09:00:00"), 1,
                            80.0, {QStringLiteral("EN-3")});
        QVERIFY(uCapa > 0 && uCapaBodega > 0 && uCapaAjena > 0);
    }
    void cleanup() {
        uPropio.reset();
        uOtro.reset();
        uBase.reset();
    }

    void traspasoSoloEntreAlmacenesDelNegocio_data() {
        QTest::addColumn<QString>("origen");
        QTest::addColumn<QString>("destino");
        QTest::addColumn<int>("escritas");
        QTest::newRow("de la matriz a la bodega") << "matriz"
                                                  << "bodega" << 1;
        QTest::newRow("origen de otro negocio") << "ajeno"
                                                << "bodega" << 0;
        QTest::newRow("destino de otro negocio") << "matriz"
                                                 << "ajeno" << 0;
        QTest::newRow("al mismo almacén") << "matriz"
                                          << "matriz" << 0;
        QTest::newRow("almacén que no existe") << "matriz"
                                               << "ninguno" << 0;
    }
    void traspasoSoloEntreAlmacenesDelNegocio() {
        QFETCH(QString, origen);
        QFETCH(QString, destino);
        QFETCH(int, escritas);
        const QHash<QString, int> almacenes = {{QStringLiteral("matriz"), uMatriz},
                                               {QStringLiteral("bodega"), uBodega},
                                               {QStringLiteral("ajeno"), uAjeno},
                                               {QStringLiteral("ninguno"), 999999}};
        Ttraspaso s(sesion());
        const QDateTime salida = TnegocioPrueba::fecha(QStringLiteral("2024-05-02 10:00:00"));
        const CmidTierResponse r =
            s.insertTraspaso(7, almacenes.value(origen), almacenes.value(destino), salida, {}, 1, negocio());
        QVERIFY(r.isSuccess());
        QCOMPARE(int(r.getFilasAfectadas()), escritas);
        QCOMPARE(filas(QStringLiteral("inventarioTraspaso")), qint64(escritas));
        if (escritas == 0)
            return;
        TmiddleTier mt(sesion());
        mt.setQuery(
            QStringLiteral("SELECT documento, ORIGENinventarioAlmacen_id, DESTINOinventarioAlmacen_id, "
                           "fechaSalida, fechaRecepcion, inventarioTraspasoEstado_id, idNegocioFk FROM "
                           "inventarioTraspaso WHERE id = :id"));
        mt.setParametroEntero(QStringLiteral("id"), r.getIdInsertado());
        const CmidTierResponse t = mt.reader();
        QCOMPARE(t.getCeldaAsInt(0, 0), 7);
        QCOMPARE(t.getCeldaAsInt(0, 1), uMatriz);
        QCOMPARE(t.getCeldaAsInt(0, 2), uBodega);
        QCOMPARE(fechaHora::deValorBD(t.getValor(0, 3)), salida);
        QVERIFY(t.getValor(0, 4).isNull()); // in transit: not received yet
        QCOMPARE(t.getCeldaAsInt(0, 5), 1);
        QCOMPARE(t.getCeldaAsInt(0, 6), negocio());
    }

    void detalleGuardaNumerosYSoloDelNegocio_data() {
        QTest::addColumn<QString>("cantidad");
        QTest::addColumn<QString>("producto");
        QTest::addColumn<bool>("traspasoAjeno");
        QTest::addColumn<QString>("guardada"); // the stored quantity; empty: nothing written
        QTest::newRow("cantidad con decimales") << "2.50"
                                                << "propio" << false << "2.5";
        QTest::newRow("espacios alrededor") << " 4 "
                                            << "propio" << false << "4";
        QTest::newRow("producto de otro negocio") << "1"
                                                  << "ajeno" << false << "";
        QTest::newRow("traspaso de otro negocio") << "1"
                                                  << "propio" << true << "";
        QTest::newRow("texto") << "dos"
                               << "propio" << false << "";
        QTest::newRow("vacía") << ""
                               << "propio" << false << "";
        QTest::newRow("fuera de rango") << "1e999"
                                        << "propio" << false << "";
        QTest::newRow("comillas") << "1'); DELETE FROM inventarioTraspaso; --"
                                  << "propio" << false << "";
    }
    void detalleGuardaNumerosYSoloDelNegocio() {
        QFETCH(QString, cantidad);
        QFETCH(QString, producto);
        QFETCH(bool, traspasoAjeno);
        QFETCH(QString, guardada);
        const int propio = traspaso();
        QVERIFY(propio > 0);
        int ajeno = 0;
        {
            Ttraspaso s(sesion());
            ajeno = int(s.insertTraspaso(1, uAjeno, uOtro->almacen(QStringLiteral("Otra")),
                                         TnegocioPrueba::fecha(QStringLiteral("2024-05-02 10:00:00")), {}, 1,
                                         uOtro->negocio())
                            .getIdInsertado());
        }
        RtraspasoDetalle d;
        d.productoID = producto == QLatin1String("ajeno") ? uProductoAjeno : uProducto;
        d.traspasoID = traspasoAjeno ? ajeno : propio;
        d.cantidad = cantidad;
        d.costo = QStringLiteral("80");
        Ttraspaso s(sesion());
        const CmidTierResponse r = s.insertTraspasoDetalle({&d, 1}, negocio());
        QCOMPARE(r.getFilasAfectadas() == 1, !guardada.isEmpty());
        QCOMPARE(filas(QStringLiteral("inventarioTraspaso")), qint64(2));
        if (guardada.isEmpty()) {
            QCOMPARE(filas(QStringLiteral("inventarioTraspasoDetalle")), qint64(0));
            return;
        }
        QCOMPARE(
            FloatToStr(u_valorConsulta(
                           sesion(),
                           QStringLiteral("SELECT cantidad FROM inventarioTraspasoDetalle WHERE id = :id"),
                           {{QStringLiteral("id"), r.getIdInsertado()}})
                           .toDouble()),
            guardada);
    }

    // Several lines go in one statement, in their order; "x" is another business's product, "?" a
    // quantity that is not a number.
    void variasLineasEnUnaSentencia_data() {
        QTest::addColumn<QStringList>("lineas");
        QTest::addColumn<QStringList>("guardadas"); // empty with `fallida`: nothing ran
        QTest::addColumn<bool>("fallida");
        QTest::newRow("en su orden") << QStringList{"3", "1", "2"} << QStringList{"3", "1", "2"} << false;
        QTest::newRow("una de otro negocio") << QStringList{"1", "x", "3"} << QStringList{"1", "3"} << false;
        QTest::newRow("una cantidad que no es número") << QStringList{"1", "?"} << QStringList() << true;
        QTest::newRow("más de las que caben")
            << QStringList(Ttraspaso::kLineasPorSentencia + 1, QStringLiteral("1")) << QStringList() << true;
        QTest::newRow("ninguna") << QStringList() << QStringList() << true;
    }
    void variasLineasEnUnaSentencia() {
        QFETCH(QStringList, lineas);
        QFETCH(QStringList, guardadas);
        QFETCH(bool, fallida);
        const int t = traspaso();
        QVERIFY(t > 0);
        QVector<RtraspasoDetalle> detalles;
        for (const QString &l : lineas) {
            RtraspasoDetalle d;
            d.productoID = l == QLatin1String("x") ? uProductoAjeno : uProducto;
            d.traspasoID = t;
            d.cantidad = l == QLatin1String("x") ? QStringLiteral("9") : l;
            d.costo = QStringLiteral("5");
            detalles << d;
        }
        Ttraspaso s(sesion());
        const CmidTierResponse r = s.insertTraspasoDetalle(detalles, negocio());
        QCOMPARE(!r.isSuccess(), fallida);
        QCOMPARE(r.getFilasAfectadas(), qint64(guardadas.size()));
        QStringList escritas;
        for (const QString &fila : u_filasTexto(
                 sesion(), QStringLiteral("SELECT cantidad FROM inventarioTraspasoDetalle ORDER BY id")))
            escritas << FloatToStr(fila.toDouble());
        QCOMPARE(escritas, guardadas);
        QCOMPARE(s.selectIdsDetalle(t, negocio()).getRowCount(), int(guardadas.size()));
        QCOMPARE(s.selectIdsDetalle(t, uOtro->negocio()).getRowCount(), 0);
    }

    // A line takes from a layer of its own product in the transfer's origin warehouse.
    void capaDeLaLineaDelOrigen_data() {
        QTest::addColumn<QString>("capa");
        QTest::addColumn<int>("escritas");
        QTest::newRow("capa del origen") << "origen" << 1;
        QTest::newRow("capa del destino") << "bodega" << 0;
        QTest::newRow("capa de otro negocio") << "ajena" << 0;
    }
    void capaDeLaLineaDelOrigen() {
        QFETCH(QString, capa);
        QFETCH(int, escritas);
        RtraspasoDetalle d;
        d.id = detalle(traspaso());
        QVERIFY(d.id > 0);
        d.entradaID = capa == QLatin1String("origen")   ? uCapa
                      : capa == QLatin1String("bodega") ? uCapaBodega
                                                        : uCapaAjena;
        Ttraspaso s(sesion());
        QCOMPARE(int(s.insertTraspasoDetalleAdicional({&d, 1}, negocio()).getFilasAfectadas()), escritas);
        QCOMPARE(filas(QStringLiteral("inventarioTraspasoDetalleAdicional")), qint64(escritas));
    }

    void serieViajaConSuLinea_data() {
        QTest::addColumn<QString>("serie");
        QTest::addColumn<int>("escritas");
        QTest::newRow("serie del producto") << "propia" << 1;
        QTest::newRow("serie de otro negocio") << "ajena" << 0;
        QTest::newRow("serie que no existe") << "ninguna" << 0;
    }
    void serieViajaConSuLinea() {
        QFETCH(QString, serie);
        QFETCH(int, escritas);
        const int linea = detalle(traspaso());
        QVERIFY(linea > 0);
        const int id = serie == QLatin1String("propia")  ? serieDe(uCapa)
                       : serie == QLatin1String("ajena") ? serieDe(uCapaAjena)
                                                         : 999999;
        Ttraspaso s(sesion());
        QCOMPARE(int(s.insertTraspasoNoSerieTransito(linea, id, negocio()).getFilasAfectadas()), escritas);
        QCOMPARE(filas(QStringLiteral("inventarioTraspasoNoSerie")), qint64(escritas));
    }
};

QTEST_GUILESS_MAIN(TpruebaEnvioTraspasos)
#include "tst_envioTraspasos.moc"

// The movement chooser's lists and filters, and the serial chooser's marking rules.
#include "apoyo/UnegocioPrueba.h"

#include "comun/UNEG_seleccionarMovimiento.h"
#include "comun/UNEG_seleccionarNoSerie.h"

#include <QtTest>

class TpruebaSelectores : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;

    static QVector<TfilaNoSerie> series(const QVector<int> &estados) {
        QVector<TfilaNoSerie> filas;
        for (int i = 0; i < estados.size(); ++i)
            filas.append({i + 1, QStringLiteral("S-%1").arg(i + 1), estados[i], QString(), false});
        return filas;
    }

    static QStringList documentos(const CmidTierResponse &r) {
        QStringList d;
        for (int f = 0; f < r.getRowCount(); ++f)
            d << r.getCelda(f, QStringLiteral("inventarioSalida_documento"));
        return d;
    }

private slots:
    void init() { QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error())); }
    void cleanup() { uBase.reset(); }

    void marcas_data() {
        QTest::addColumn<QVector<int>>("estados");
        QTest::addColumn<Tespacios>("dados");
        QTest::addColumn<int>("requeridos");
        QTest::addColumn<QString>("accion");
        QTest::addColumn<Tespacios>("marcados");
        const QVector<int> cincoYDosVendidos = {2, 1, 2, 1, 1, 1, 1};
        QTest::newRow("Todos marca los primeros en almacén")
            << cincoYDosVendidos << Tespacios{} << 3 << QStringLiteral("todos") << Tespacios{2, 4, 5};
        QTest::newRow("Todos y luego un clic de más")
            << cincoYDosVendidos << Tespacios{} << 3 << QStringLiteral("todos 6") << Tespacios{2, 4, 5};
        QTest::newRow("Un vendido nunca se marca")
            << cincoYDosVendidos << Tespacios{} << 3 << QStringLiteral("1 3") << Tespacios{};
        QTest::newRow("Clic marca y desmarca")
            << cincoYDosVendidos << Tespacios{} << 3 << QStringLiteral("4 5 4") << Tespacios{5};
        QTest::newRow("Los dados llegan marcados")
            << cincoYDosVendidos << Tespacios{4, 7} << 3 << QString() << Tespacios{4, 7};
        QTest::newRow("Ninguno") << cincoYDosVendidos << Tespacios{4, 7} << 3 << QStringLiteral("ninguno")
                                 << Tespacios{};
    }
    void marcas() {
        QFETCH(QVector<int>, estados);
        QFETCH(Tespacios, dados);
        QFETCH(int, requeridos);
        QFETCH(QString, accion);
        QFETCH(Tespacios, marcados);
        TmarcasNoSerie m;
        m.carga(series(estados), dados, requeridos);
        for (const QString &paso : accion.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (paso == QLatin1String("todos"))
                m.todos();
            else if (paso == QLatin1String("ninguno"))
                m.ninguno();
            else
                m.alterna(paso.toInt() - 1);
        }
        QCOMPARE(m.seleccion(), marcados);
        QCOMPARE(m.texto(), QStringLiteral("%1/%2").arg(marcados.size()).arg(requeridos));
    }

    // Receipt mode: open layers of the caller's warehouse only; issue mode: issue rows not wholly
    // taken back. Filters by document, product, invoice piece (literal) and whole days.
    void listasDeMovimientos() {
        TnegocioPrueba n(*uBase, 1);
        const int matriz = n.almacen();
        const int bodega = n.almacen(QStringLiteral("Bodega"));
        const int p = n.producto(QStringLiteral("Cartulina"));
        const QString hoy = QDate::currentDate().toString(Qt::ISODate);
        n.recibe(QStringLiteral("R1"), matriz, p, hoy + QStringLiteral(" 08:00:00"), 2.5, 1.0);
        n.recibe(QStringLiteral("R2"), matriz, p, hoy + QStringLiteral(" 08:00:00"), 3, 1.0);
        n.recibe(QStringLiteral("R3"), bodega, p, hoy + QStringLiteral(" 08:00:00"), 9, 1.0);
        QCOMPARE(n.entrega(matriz, p, hoy + QStringLiteral(" 09:00:00"), 2.5), 1); // empties R1
        QCOMPARE(n.entrega(matriz, p, hoy + QStringLiteral(" 09:30:00"), 1), 2);
        TbusquedaMovimiento b;
        b.inicial = QDate::currentDate();
        b.final = QDate::currentDate();
        CmidTierResponse r =
            u_buscaMovimientos(n.sesion(), n.negocio(), TmodoMovimiento::Entradas, matriz, b);
        QCOMPARE(documentos(r), QStringList{QStringLiteral("2")}); // R1 is empty, R3 in the other warehouse
        const UREC_seleccionarMovimiento elegido = u_leeMovimiento(r, 0, TmodoMovimiento::Entradas, {});
        QVERIFY(elegido.aceptar);
        QCOMPARE(elegido.cantidadMaxima, 2.0);
        QCOMPARE(elegido.costoUnitario, 1.0);
        QCOMPARE(elegido.productoID, p);
        QVERIFY(!u_leeMovimiento(r, 5, TmodoMovimiento::Entradas, {}).aceptar);
        QVERIFY(!u_buscaMovimientos(n.sesion(), n.negocio(), TmodoMovimiento::Entradas, 0, b).isSuccess());

        r = u_buscaMovimientos(n.sesion(), n.negocio(), TmodoMovimiento::Salidas, matriz, b);
        QCOMPARE(documentos(r), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
        b.documento = QStringLiteral("2");
        r = u_buscaMovimientos(n.sesion(), n.negocio(), TmodoMovimiento::Salidas, matriz, b);
        QCOMPARE(documentos(r), QStringList{QStringLiteral("2")});
        QCOMPARE(r.getCeldaAsFloat(0, QStringLiteral("_restante")), 1.0);
        b.documento = QStringLiteral("x'; --");
        QCOMPARE(
            u_buscaMovimientos(n.sesion(), n.negocio(), TmodoMovimiento::Salidas, matriz, b).getRowCount(),
            0);
        b.documento.clear();
        b.comprobante = QStringLiteral("%");
        QCOMPARE(
            u_buscaMovimientos(n.sesion(), n.negocio(), TmodoMovimiento::Salidas, matriz, b).getRowCount(),
            0);
        b.comprobante.clear();
        b.inicial = b.final = QDate::currentDate().addDays(-1);
        QCOMPARE(
            u_buscaMovimientos(n.sesion(), n.negocio(), TmodoMovimiento::Salidas, matriz, b).getRowCount(),
            0);
    }
};

QTEST_GUILESS_MAIN(TpruebaSelectores)
#include "tst_selectores.moc"

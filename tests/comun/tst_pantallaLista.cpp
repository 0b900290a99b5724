// The pieces the list screens share: the warehouse list (confined to the business, keeping the
// choice on reload, with or without "Todos") and the notice over an empty grid.
#include "apoyo/UnegocioPrueba.h"
#include "comun/ui/U_listaIds.h"
#include "comun/ui/U_pantallaLista.h"
#include "datos/UmiddleTier.h"

#include <QComboBox>
#include <QLabel>
#include <QTableView>
#include <QtTest>

class TpruebaPantallaLista : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<TnegocioPrueba> uNegocio;

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uNegocio = std::make_unique<TnegocioPrueba>(*uBase, 1);
    }
    void cleanup() {
        uNegocio.reset();
        uBase.reset();
    }

    // What a reload lists and keeps chosen.
    void listaDeAlmacenes_data() {
        QTest::addColumn<QString>("todos");
        QTest::addColumn<bool>("borraElegido"); // the chosen warehouse is gone by the reload
        QTest::addColumn<QStringList>("lista");
        QTest::addColumn<QString>("elegido");
        QTest::newRow("sin Todos, se conserva") << "" << false << QStringList{"Matriz", "Norte"} << "Norte";
        QTest::newRow("sin Todos, ya no existe") << "" << true << QStringList{"Matriz"} << "";
        QTest::newRow("con Todos, se conserva")
            << "Todos" << false << QStringList{"Todos", "Matriz", "Norte"} << "Norte";
        QTest::newRow("con Todos, ya no existe")
            << "Todos" << true << QStringList{"Todos", "Matriz"} << "Todos";
    }
    void listaDeAlmacenes() {
        QFETCH(QString, todos);
        QFETCH(bool, borraElegido);
        uNegocio->almacen(QStringLiteral("Matriz"));
        const int norte = uNegocio->almacen(QStringLiteral("Norte"));
        TnegocioPrueba otro(*uBase, 1, QStringLiteral("Otra Papelería"));
        otro.almacen(QStringLiteral("Ajeno"));
        const TsistemaDatos sistema = uBase->sistema(uNegocio->negocio());
        QComboBox lista;
        QVector<int> ids;
        QVERIFY(u_llenaAlmacenes(&lista, ids, sistema, todos));
        lista.setCurrentIndex(lista.findText(QStringLiteral("Norte")));
        QSignalSpy cambios(&lista, &QComboBox::currentIndexChanged);
        if (borraElegido) {
            TmiddleTier borra(uNegocio->sesion());
            borra.setQuery(QStringLiteral("DELETE FROM inventarioAlmacen WHERE id = :id"));
            borra.setParametroEntero(QStringLiteral("id"), norte);
            QVERIFY(borra.nonQuery().isSuccess());
        }
        QVERIFY(u_llenaAlmacenes(&lista, ids, sistema, todos));
        QStringList textos;
        for (int i = 0; i < lista.count(); ++i)
            textos << lista.itemText(i);
        QTEST(textos, "lista");
        QTEST(lista.currentText(), "elegido");
        QCOMPARE(u_idElegido(&lista, ids).toInt(), lista.currentText() == QLatin1String("Norte") ? norte : 0);
        QCOMPARE(cambios.count(), 0);
    }

    void avisoListaVacia() {
        QTableView grid;
        TavisoListaVacia aviso(&grid);
        grid.resize(300, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        auto *etiqueta = grid.findChild<QLabel *>(QStringLiteral("LBL_msg"));
        QVERIFY(etiqueta && !etiqueta->isVisible());
        aviso.muestra(true);
        QVERIFY(etiqueta->isVisible());
        QCOMPARE(etiqueta->text(), QStringLiteral("No hay elementos que mostrar"));
        QCOMPARE(etiqueta->geometry(), grid.viewport()->geometry());
        grid.resize(500, 400);
        QTRY_COMPARE(etiqueta->geometry(), grid.viewport()->geometry());
        aviso.muestra(false);
        QVERIFY(!etiqueta->isVisible());
    }
};

QTEST_MAIN(TpruebaPantallaLista)
#include "tst_pantallaLista.moc"

// Issue posting: splitting over layers, the stored rows under both methods, the checks and their
// messages, every rollback, and two workstations posting against the same layer.
#include "apoyo/UnegocioPrueba.h"

#include "apoyo/UfilasPrueba.h"
#include "comun/U_utilerias.h"
#include "datos/UcodigosInventario.h"
#include "datos/UfallaBaseDatos.h"
#include "datos/UmiddleTier.h"
#include "existencias/U_verificacion.h"
#include "salidas/UNEG_posteoSalida.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace {

TproductoSalida articulo(int id, int controlNoSerie = 0) {
    TproductoSalida p;
    p.id = id;
    p.nombre = QStringLiteral("Cuaderno %1").arg(id);
    p.controlNoSerie = controlNoSerie;
    return p;
}
} // namespace

class TpruebaSalidas : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;

    // Layers of 4 at 2.0 and 8 at 3.0 (and optionally 5 at 4.0) of one product in one warehouse.
    struct Tescenario {
        std::unique_ptr<TnegocioPrueba> n;
        int almacen = 0, producto = 0, r1 = 0, r2 = 0, r3 = 0;
    };
    Tescenario escenario(int metodo, bool tercera = false) {
        Tescenario e;
        e.n = std::make_unique<TnegocioPrueba>(*uBase, metodo);
        e.almacen = e.n->almacen();
        e.producto = e.n->producto(QStringLiteral("Cuaderno"));
        e.r1 = e.n->recibe(QStringLiteral("R1"), e.almacen, e.producto, QStringLiteral("2024-03-01 09:00:00"),
                           4, 2.0);
        e.r2 = e.n->recibe(QStringLiteral("R2"), e.almacen, e.producto, QStringLiteral("2024-03-02 09:00:00"),
                           8, 3.0);
        if (tercera)
            e.r3 = e.n->recibe(QStringLiteral("R3"), e.almacen, e.producto,
                               QStringLiteral("2024-03-03 09:00:00"), 5, 4.0);
        return e;
    }

private slots:
    void init() { QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error())); }
    void cleanup() {
        TmiddleTier::setFallaEnSentencia(0);
        u_fallaCuando({}, 0);
        uBase.reset();
    }

    void diezDeCapasDeCuatroYOcho_data() {
        QTest::addColumn<int>("metodo");
        QTest::addColumn<double>("costo1");
        QTest::addColumn<double>("costo2");
        QTest::addColumn<QStringList>("kardex");
        QTest::newRow("PEPS") << int(kMetodoPEPS) << 2.0 << 3.0
                              << QStringList{QStringLiteral("- - - - | 1 R1 4 2 | 0 2 | - 1 1"),
                                             QStringLiteral("- - - - | 1 R2 6 3 | 2 3 | - - 2")};
        // The average of 32 over 12 is 2.666…, stored truncated: 2.66 on both lines.
        QTest::newRow("Promedio") << int(kMetodoPromedioPonderado) << 2.66 << 2.66
                                  << QStringList{QStringLiteral("- - - - | 1 R1 4 2.66 | 8 2.66 | - - -"),
                                                 QStringLiteral("- - - - | 1 R2 6 2.66 | 2 2.66 | - - -")};
    }
    void diezDeCapasDeCuatroYOcho() {
        QFETCH(int, metodo);
        QFETCH(double, costo1);
        QFETCH(double, costo2);
        QFETCH(QStringList, kardex);
        Tescenario e = escenario(metodo);
        auto doc = e.n->documentoSalida(e.almacen, QStringLiteral("2024-03-05 10:00:00"));
        QVERIFY(doc->agregarProducto(articulo(e.producto), 10));
        const QVector<TlineaSalida> &l = doc->lineas();
        QCOMPARE(l.size(), 2);
        QCOMPARE(l[0].cantidad, 4.0);
        QCOMPARE(l[0].costoUnitario, costo1);
        QCOMPARE(l[0].existencia, 0.0);
        QCOMPARE(l[0].existenciaTotal, 8.0);
        QCOMPARE(l[0].existenciaCostoTotal, 32.0 - costo1 * 4);
        QCOMPARE(l[1].cantidad, 6.0);
        QCOMPARE(l[1].costoUnitario, costo2);
        QCOMPARE(l[1].existencia, 2.0);
        QCOMPARE(l[1].existenciaTotal, 2.0);
        QCOMPARE(l[1].existenciaCostoTotal, 32.0 - costo1 * 4 - costo2 * 6);
        QCOMPARE(l[1].salidasCostoUnitario, costo2);
        e.n->acepta();
        QVERIFY(doc->guardar());
        QCOMPARE(doc->documento(), 1);
        QCOMPARE(e.n->existenciaCapa(e.r1), 0.0);
        QCOMPARE(e.n->existenciaCapa(e.r2), 2.0);
        QCOMPARE(e.n->existencia(e.almacen, e.producto), 2.0);
        const QStringList filas = e.n->kardex().mid(2); // after the two receipt rows
        QCOMPARE(filas, kardex);
        // The journal entry: one line per issue line at its total.
        QCOMPARE(
            e.n->cuenta(QStringLiteral("SELECT COUNT(*) FROM AsientosAplicadosDetalle WHERE idNegocioFk = "
                                       ":negocio AND subtotal > 0")),
            4); // two receipts and the two issue lines
        // Every entry and line under the template of its document's concept.
        QCOMPARE(e.n->cuenta(QStringLiteral(
                     "SELECT COUNT(*) FROM AsientosAplicadosDetalle d JOIN AsientosAplicados a ON a.id = "
                     "d.AsientosAplicados_id JOIN AsientosContables t ON t.id = a.AsientosContables_id AND "
                     "t.id = d.AsientosContables_id AND t.idNegocioFk = a.idNegocioFk WHERE a.idNegocioFk = "
                     ":negocio AND t.nombre IN ('Entrada 1', 'Salida 1')")),
                 4);
        QCOMPARE(u_valorConsulta(e.n->sesion(),
                                 QStringLiteral("SELECT total FROM AsientosAplicados WHERE idNegocioFk = :n "
                                                "ORDER BY id DESC LIMIT 1"),
                                 {{QStringLiteral("n"), e.n->negocio()}})
                     .toDouble(),
                 costo1 * 4 + costo2 * 6);
    }

    // Ends exactly at the first layer's end: the others are untouched and get revision rows in the
    // group after the issue's.
    void cantidadQueTerminaUnaCapa() {
        Tescenario e = escenario(kMetodoPEPS, true);
        QCOMPARE(e.n->entrega(e.almacen, e.producto, QStringLiteral("2024-03-05 10:00:00"), 4), 1);
        QCOMPARE(e.n->existenciaCapa(e.r1), 0.0);
        QCOMPARE(e.n->existenciaCapa(e.r2), 8.0);
        QCOMPARE(e.n->kardex().mid(3), (QStringList{QStringLiteral("- - - - | 1 R1 4 2 | 0 2 | - 1 1"),
                                                    QStringLiteral("R2 - - - | - - - - | 8 3 | 1 - 2"),
                                                    QStringLiteral("R3 - - - | - - - - | 5 4 | 1 - 2")}));
        // A second issue continues the groups from there.
        QCOMPARE(e.n->entrega(e.almacen, e.producto, QStringLiteral("2024-03-06 10:00:00"), 1), 2);
        QCOMPARE(e.n->kardex().mid(6), (QStringList{QStringLiteral("- - - - | 2 R2 1 3 | 7 3 | - 1 3"),
                                                    QStringLiteral("R3 - - - | - - - - | 5 4 | 1 - 4")}));
    }

    // An issue whose ledger rows outgrow one multi-row statement (128 rows): every row stored in
    // order across the statements, and a failure of the last one (a single row) leaves nothing of
    // the document.
    void libroEnVariasSentencias_data() {
        QTest::addColumn<int>("tomadas");
        QTest::newRow("una capa, las demás revisadas") << 1;
        QTest::newRow("todas las capas") << 201;
    }
    void libroEnVariasSentencias() {
        QFETCH(int, tomadas);
        constexpr int kCapas = 201;
        TnegocioPrueba n(*uBase, kMetodoPEPS);
        const int almacen = n.almacen();
        const int producto = n.producto(QStringLiteral("Tornillo"));
        const QDateTime inicio = TnegocioPrueba::fecha(QStringLiteral("2024-03-01 09:00:00"));
        for (int i = 1; i <= kCapas; ++i)
            QVERIFY(n.recibe(QStringLiteral("R%1").arg(i), almacen, producto,
                             inicio.addSecs(i).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), 1, i) > 0);
        const QStringList antes = n.estadoSalidas();
        u_fallaCuando(
            [](const QString &s) {
                return s.startsWith(QStringLiteral("INSERT INTO inventarioKardex")) &&
                       !s.contains(QStringLiteral("), ("));
            },
            0);
        QCOMPARE(n.entrega(almacen, producto, QStringLiteral("2024-03-05 10:00:00"), tomadas), 0);
        u_fallaCuando({}, 0);
        QCOMPARE(n.estadoSalidas(), antes);

        QCOMPARE(n.entrega(almacen, producto, QStringLiteral("2024-03-05 10:00:00"), tomadas), 1);
        QStringList esperado;
        for (int i = 1; i <= tomadas; ++i)
            esperado << QStringLiteral("- - - - | 1 R%1 1 %1 | 0 %1 | - %2 %1")
                            .arg(i)
                            .arg(i == 1 ? QStringLiteral("1") : QStringLiteral("-"));
        for (int j = tomadas + 1; j <= kCapas; ++j)
            esperado << QStringLiteral("R%1 - - - | - - - - | 1 %1 | 1 - %2").arg(j).arg(tomadas + 1);
        QCOMPARE(n.kardex().mid(kCapas), esperado);
        QCOMPARE(n.existencia(almacen, producto), double(kCapas - tomadas));
    }

    // An issue taking from many layers: each layer keeps exactly what its share leaves, across the
    // statements that take them (several layers to a statement on MariaDB, of one product or of
    // several), and a failure of the last of those statements leaves nothing.
    void capasEnVariasSentencias_data() {
        QTest::addColumn<int>("productos");
        QTest::addColumn<int>("tomadas");
        QTest::newRow("una sentencia llena en MariaDB") << 1 << 80;
        QTest::newRow("una capa en la segunda, a medias") << 1 << 81;
        QTest::newRow("todas las capas") << 1 << 170;
        QTest::newRow("dos productos en una sentencia") << 2 << 41;
    }
    void capasEnVariasSentencias() {
        QFETCH(int, productos);
        QFETCH(int, tomadas);
        constexpr int kCapas = 85; // of 2 units each
        TnegocioPrueba n(*uBase, kMetodoPEPS);
        const int almacen = n.almacen();
        const QDateTime inicio = TnegocioPrueba::fecha(QStringLiteral("2024-03-01 09:00:00"));
        QVector<int> ids;
        QVector<QVector<int>> capas(productos);
        for (int p = 0; p < productos; ++p) {
            ids << n.producto(QStringLiteral("Arandela %1").arg(p + 1));
            for (int i = 1; i <= kCapas; ++i)
                capas[p] << n.recibe(
                    QStringLiteral("R%1-%2").arg(p + 1).arg(i), almacen, ids[p],
                    inicio.addSecs(p * kCapas + i).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), 2, i);
        }
        const auto entrega = [&] {
            auto doc = n.documentoSalida(almacen, QStringLiteral("2024-03-05 10:00:00"));
            for (const int id : std::as_const(ids))
                if (!doc->agregarProducto(articulo(id), tomadas))
                    return false;
            n.acepta();
            return doc->guardar();
        };
        const QStringList antes = n.estadoSalidas();
        const int porSentencia = Tsalidas(n.sesion()).capasPorSentencia();
        const int sentencias = (productos * ((tomadas + 1) / 2) + porSentencia - 1) / porSentencia;
        auto vistas = std::make_shared<int>(0);
        u_fallaCuando(
            [vistas, sentencias](const QString &s) {
                return s.startsWith(QStringLiteral("UPDATE inventarioEntrada SET existencia = CASE")) &&
                       ++*vistas == sentencias;
            },
            0);
        QVERIFY(!entrega());
        u_fallaCuando({}, 0);
        QCOMPARE(*vistas, sentencias);
        QCOMPARE(n.estadoSalidas(), antes);

        QVERIFY(entrega());
        for (int p = 0; p < productos; ++p) {
            for (int i = 0; i < kCapas; ++i)
                QCOMPARE(n.existenciaCapa(capas[p][i]), double(std::clamp(2 * (i + 1) - tomadas, 0, 2)));
            QCOMPARE(n.existencia(almacen, ids[p]), double(2 * kCapas - tomadas));
        }
    }

    // The stored running columns chain from one posting to the next under the average.
    void valoresCorridosEncadenados() {
        TnegocioPrueba n(*uBase, kMetodoPromedioPonderado);
        const int a = n.almacen();
        const int p = n.producto(QStringLiteral("Toner"));
        n.recibe(QStringLiteral("R1"), a, p, QStringLiteral("2024-03-01 09:00:00"), 10, 10.0);
        n.recibe(QStringLiteral("R2"), a, p, QStringLiteral("2024-03-02 09:00:00"), 5,
                 13.0);                                                         // 15 at 165: 11.00
        QCOMPARE(n.entrega(a, p, QStringLiteral("2024-03-03 09:00:00"), 3), 1); // 132 left
        n.recibe(QStringLiteral("R3"), a, p, QStringLiteral("2024-03-04 09:00:00"), 2, 20.0); // 14 at 172
        QCOMPARE(u_valorConsulta(n.sesion(),
                                 QStringLiteral("SELECT existenciaCostoTotal FROM inventarioEntrada WHERE "
                                                "idNegocioFk = :n ORDER BY id DESC LIMIT 1"),
                                 {{QStringLiteral("n"), n.negocio()}})
                     .toDouble(),
                 172.0);
        QCOMPARE(u_valorConsulta(n.sesion(),
                                 QStringLiteral("SELECT existenciaCostoUnitario FROM inventarioEntrada WHERE "
                                                "idNegocioFk = :n ORDER BY id DESC LIMIT 1"),
                                 {{QStringLiteral("n"), n.negocio()}})
                     .toDouble(),
                 12.28); // 172 / 14 = 12.2857…, truncated
        QCOMPARE(n.existencia(a, p), 14.0);
    }

    void seriesIncompletasDetienenElPosteo() {
        TnegocioPrueba n(*uBase, kMetodoPEPS);
        const int a = n.almacen();
        const int p = n.producto(QStringLiteral("Calculadora"), 1);
        const int r = n.recibe(QStringLiteral("R1"), a, p, QStringLiteral("2024-03-01 09:00:00"), 3, 150.0,
                               {QStringLiteral("C-1"), QStringLiteral("C-2"), QStringLiteral("C-3")});
        QVERIFY(r > 0);
        QVector<int> series;
        TmiddleTier mt(n.sesion());
        mt.setQuery(
            QStringLiteral("SELECT id FROM inventarioNoSerie WHERE inventarioEntrada_id = :e ORDER BY id"));
        mt.setParametroEntero(QStringLiteral("e"), r);
        const CmidTierResponse ids = mt.reader();
        for (int f = 0; f < ids.getRowCount(); ++f)
            series << int(ids.getCeldaAsInt(f, 0));
        auto doc = n.documentoSalida(a, QStringLiteral("2024-03-02 09:00:00"));
        QVERIFY(doc->agregarProducto(articulo(p, 1), 3));
        doc->setSeries(0, series.mid(0, 2));
        n.guion().limpia();
        n.acepta();
        QVERIFY(!doc->guardar());
        QVERIFY(
            n.guion().textos().contains(QStringLiteral("Artículo 1 capturar todos los números de serie")));
        QCOMPARE(n.cuenta(QStringLiteral("SELECT COUNT(*) FROM inventarioKardex WHERE idNegocioFk = :negocio "
                                         "AND documentoSalida IS NOT NULL")),
                 0);
        doc->setSeries(0, series + series); // duplicates and extras are dropped
        QCOMPARE(doc->lineas()[0].series, series);
        n.acepta();
        QVERIFY(doc->guardar());
        QCOMPARE(n.cuenta(QStringLiteral("SELECT COUNT(*) FROM inventarioNoSerie s JOIN inventarioSalida x "
                                         "ON x.id = s.inventarioSalida_id "
                                         "JOIN inventarioEntrada e ON e.id = s.inventarioEntrada_id WHERE "
                                         "e.idNegocioFk = :negocio AND "
                                         "s.inventarioNoSerieEstado_id = 2")),
                 3);
    }

    // The checks in their order, each with its message; none writes or takes a number.
    void comprobaciones() {
        Tescenario e = escenario(kMetodoPEPS);
        const QStringList antes = e.n->estadoSalidas();
        auto doc = e.n->documentoSalida(e.almacen, QStringLiteral("2024-03-05 10:00:00"));
        e.n->guion().limpia();
        QVERIFY(!doc->guardar()); // no lines
        QCOMPARE(e.n->guion().textos(),
                 QStringList{QStringLiteral("Agregue al menos un producto a la salida.")});
        QVERIFY(doc->agregarProducto(articulo(e.producto), 5));
        e.n->guion().respuestas({false}); // no invoice: Cancel
        QVERIFY(!doc->guardar());
        QCOMPARE(e.n->guion().preguntas().value(0),
                 QStringLiteral("No ha seleccionado un comprobante ¿Desea continuar?"));
        doc->setFechaHora(TnegocioPrueba::fecha(QStringLiteral("2024-03-02 08:59:59")));
        e.n->guion().limpia();
        e.n->acepta();
        QVERIFY(!doc->guardar());
        QCOMPARE(e.n->guion().textos(), QStringList{QStringLiteral("Revise fecha/hora de salida")});
        // Equal to the last movement is accepted; cancelling the final question writes nothing.
        doc->setFechaHora(TnegocioPrueba::fecha(QStringLiteral("2024-03-02 09:00:00")));
        e.n->guion().limpia();
        e.n->guion().respuestas({true, false});
        QVERIFY(!doc->guardar());
        QVERIFY(e.n->guion().preguntas().value(1).startsWith(
            QStringLiteral("¿Desea guardar esta información?\r")));
        QCOMPARE(e.n->estadoSalidas(), antes);
        QCOMPARE(doc->obtieneSiguenteIDdocumentoSalida(), 1);
        // A minimum the issue would cross asks; declining stops it.
        e.n->fila(QStringLiteral("inventarioStock"), {{QStringLiteral("inventarioAlmacen_id"), e.almacen},
                                                      {QStringLiteral("inventarioProducto_id"), e.producto},
                                                      {QStringLiteral("minimo"), 8.0}});
        e.n->guion().limpia();
        e.n->guion().respuestas({true, false});
        QVERIFY(!doc->guardar());
        QVERIFY2(e.n->guion().preguntas().value(1).contains(QStringLiteral("Almacen: Matriz")),
                 qPrintable(e.n->guion().preguntas().join(" # ")));
        QCOMPARE(e.n->estadoSalidas(), antes);
        e.n->acepta();
        QVERIFY(doc->guardar());
        QCOMPARE(doc->documento(), 1);
        QVERIFY(!doc->guardar()); // posted once
        QCOMPARE(e.n->guion().textos().last(),
                 QStringLiteral("La salida ya quedó guardada con el documento 1."));
        QCOMPARE(e.n->cuenta(QStringLiteral("SELECT COUNT(DISTINCT s.documento) FROM inventarioSalida s JOIN "
                                            "inventarioEntrada e ON e.id = s.inventarioEntrada_id WHERE "
                                            "e.idNegocioFk = :negocio")),
                 1);
    }

    void agregaAlDocumentoCombinaYRespetaExistencia() {
        Tescenario e = escenario(kMetodoPEPS);
        auto doc = e.n->documentoSalida(e.almacen, QStringLiteral("2024-03-05 10:00:00"));
        QVERIFY(doc->agregaAlDocumento(articulo(e.producto), 5));
        QVERIFY(doc->agregaAlDocumento(articulo(e.producto), 3)); // 8 anew, from the oldest layer
        QCOMPARE(doc->lineas().size(), 2);
        QCOMPARE(doc->lineas()[0].cantidad + doc->lineas()[1].cantidad, 8.0);
        e.n->guion().limpia();
        QVERIFY(!doc->agregaAlDocumento(articulo(e.producto), 5)); // 13 > 12
        QCOMPARE(e.n->guion().textos(),
                 QStringList{QStringLiteral("La cantidad capturada sobrepasa la existencia actual")});
        QCOMPARE(doc->lineas().size(), 2);
    }

    // A refused "Agregar" leaves the document as it was: the product's lines, their layers and the
    // serial numbers chosen for them.
    void agregaRechazadoDejaElDocumento_data() {
        QTest::addColumn<double>("cantidad");
        QTest::addColumn<double>("minimo");
        QTest::addColumn<QString>("aviso");
        QTest::newRow("sobrepasa la existencia")
            << 5.0 << 0.0 << QStringLiteral("La cantidad capturada sobrepasa la existencia actual");
        QTest::newRow("alerta de mínimo declinada") << 1.0 << 8.0 << QString();
    }
    void agregaRechazadoDejaElDocumento() {
        QFETCH(double, cantidad);
        QFETCH(double, minimo);
        QFETCH(QString, aviso);
        Tescenario e = escenario(kMetodoPEPS);
        auto doc = e.n->documentoSalida(e.almacen, QStringLiteral("2024-03-05 10:00:00"));
        QVERIFY(doc->agregaAlDocumento(articulo(e.producto), 8)); // 4 of R1 and 4 of R2
        QVERIFY(doc->setSeries(1, {11, 12}));
        if (minimo > 0)
            u_insertaFila(e.n->sesion(), QStringLiteral("inventarioStock"),
                          {{QStringLiteral("inventarioAlmacen_id"), e.almacen},
                           {QStringLiteral("inventarioProducto_id"), e.producto},
                           {QStringLiteral("minimo"), minimo},
                           {QStringLiteral("idNegocioFk"), e.n->negocio()}});
        const auto lineas = [&] {
            QStringList l;
            for (const TlineaSalida &s : doc->lineas()) {
                QStringList series;
                for (const int id : s.series)
                    series << QString::number(id);
                l << QStringLiteral("%1 %2 %3")
                         .arg(s.entradaID)
                         .arg(s.cantidad)
                         .arg(series.join(QLatin1Char(',')));
            }
            return l;
        };
        const QStringList antes = lineas();
        e.n->guion().limpia();
        e.n->guion().respuestas({false});
        QVERIFY(!doc->agregaAlDocumento(articulo(e.producto), cantidad));
        QCOMPARE(e.n->guion().textos(), aviso.isEmpty() ? QStringList() : QStringList{aviso});
        QCOMPARE(lineas(), antes);
    }

    void cantidadesHostiles_data() {
        QTest::addColumn<double>("cantidad");
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("infinito") << std::numeric_limits<double>::infinity();
        QTest::newRow("1e308") << 1e308;
        QTest::newRow("negativa") << -1.0;
        QTest::newRow("cero") << 0.0;
        QTest::newRow("bajo la tolerancia") << 1e-12;
    }
    void cantidadesHostiles() {
        QFETCH(double, cantidad);
        Tescenario e = escenario(kMetodoPEPS);
        auto doc = e.n->documentoSalida(e.almacen, QStringLiteral("2024-03-05 10:00:00"));
        QVERIFY(!doc->agregarProducto(articulo(e.producto), cantidad));
        QVERIFY(!doc->agregaAlDocumento(articulo(e.producto), cantidad));
        QVERIFY(doc->lineas().isEmpty());
    }

    // A product whose lines stand apart in one document takes its later lines from the layers as
    // its earlier ones left them; a product of another business is never posted.
    void productoEnDosTramos_data() {
        QTest::addColumn<int>("metodo");
        QTest::addColumn<bool>("ajeno");
        QTest::newRow("PEPS") << int(kMetodoPEPS) << false;
        QTest::newRow("Promedio") << int(kMetodoPromedioPonderado) << false;
        QTest::newRow("producto de otro negocio") << int(kMetodoPEPS) << true;
    }
    void productoEnDosTramos() {
        QFETCH(int, metodo);
        QFETCH(bool, ajeno);
        Tescenario e = escenario(metodo);
        int otro = 0;
        std::unique_ptr<TnegocioPrueba> otroNegocio;
        if (ajeno) {
            otroNegocio =
                std::make_unique<TnegocioPrueba>(*uBase, metodo, QStringLiteral("Abarrotes Juárez"));
            otro = otroNegocio->producto(QStringLiteral("Lápiz"));
        } else {
            otro = e.n->producto(QStringLiteral("Lápiz"));
            QVERIFY(e.n->recibe(QStringLiteral("R3"), e.almacen, otro, QStringLiteral("2024-03-02 10:00:00"),
                                2, 1.0) > 0);
        }
        TdatosSalida d;
        d.negocioID = e.n->negocio();
        d.metodoKardex = metodo;
        d.almacenID = e.almacen;
        d.concepto = TmovimientosInventario(e.n->sesion()).selectConcepto(e.n->concepto(2, 1), d.negocioID);
        d.fechaHora = TnegocioPrueba::fecha(QStringLiteral("2024-03-05 10:00:00"));
        for (const auto &[producto, cantidad] :
             {std::pair{e.producto, 3.0}, {otro, 1.0}, {e.producto, 6.0}}) {
            TlineaSalida l;
            l.producto = articulo(producto);
            l.cantidad = cantidad;
            d.lineas << l;
        }
        const QStringList antes = e.n->estadoSalidas();
        TposteoSalida posteo(e.n->sesion(), d);
        QCOMPARE(posteo.escribe() == TfinPosteo::Confirmado, !ajeno);
        if (ajeno) {
            QCOMPARE(e.n->estadoSalidas(), antes);
            return;
        }
        QCOMPARE(e.n->existenciaCapa(e.r1), 0.0);
        QCOMPARE(e.n->existenciaCapa(e.r2), 3.0);
        QCOMPARE(e.n->existencia(e.almacen, e.producto), 3.0);
        QCOMPARE(e.n->existencia(e.almacen, otro), 1.0);
        QCOMPARE(posteo.lineasEscritas().size(), 4);
    }

    // A posting starts from each product's stock row and the running cost and value its newest
    // movement in the warehouse left; an issue of the same instant as a receipt came after it.
    void estadoDeLosProductos_data() {
        QTest::addColumn<int>("historia");
        QTest::addColumn<bool>("existe");
        QTest::addColumn<double>("existencia");
        QTest::addColumn<double>("costoUnitario");
        QTest::addColumn<double>("costoTotal");
        QTest::newRow("sin movimientos") << 0 << false << 0.0 << 0.0 << 0.0;
        QTest::newRow("una entrada") << 1 << true << 10.0 << 2.0 << 20.0;
        QTest::newRow("salida después de la entrada") << 2 << true << 6.0 << 2.0 << 12.0;
        QTest::newRow("salida del instante de la entrada") << 3 << true << 15.0 << 3.0 << 45.0;
        QTest::newRow("movimientos en otro almacén") << 4 << false << 0.0 << 0.0 << 0.0;
    }
    void estadoDeLosProductos() {
        QFETCH(int, historia);
        QFETCH(bool, existe);
        QFETCH(double, existencia);
        QFETCH(double, costoUnitario);
        QFETCH(double, costoTotal);
        TnegocioPrueba n(*uBase, kMetodoPromedioPonderado);
        const int a = n.almacen();
        const int p = n.producto(QStringLiteral("Cuaderno"));
        const int donde = historia == 4 ? n.almacen(QStringLiteral("Bodega")) : a;
        if (historia > 0)
            QVERIFY(n.recibe(QStringLiteral("R1"), donde, p, QStringLiteral("2024-03-01 09:00:00"), 10, 2.0));
        if (historia == 2 || historia == 4)
            QVERIFY(n.entrega(donde, p, QStringLiteral("2024-03-02 09:00:00"), 4) > 0);
        if (historia == 3) {
            QVERIFY(n.recibe(QStringLiteral("R2"), a, p, QStringLiteral("2024-03-02 09:00:00"), 10, 4.0));
            QVERIFY(n.entrega(a, p, QStringLiteral("2024-03-02 09:00:00"), 5) > 0);
        }
        TmovimientosInventario mt(n.sesion());
        QHash<int, TestadoProducto> estados;
        QVERIFY(mt.leeEstados(a, {p}, n.negocio(), estados));
        const TestadoProducto e = estados.value(p);
        QCOMPARE(e.existencia.existe, existe);
        QCOMPARE(e.existencia.existencia, existencia);
        QCOMPARE(e.costoUnitario, costoUnitario);
        QCOMPARE(e.costoTotal, costoTotal);

        // Another business's product or warehouse is never read as this one's.
        TnegocioPrueba otro(*uBase, kMetodoPromedioPonderado, QStringLiteral("Abarrotes Juárez"));
        QVERIFY(!mt.leeEstados(a, {p, otro.producto()}, n.negocio(), estados));
        QVERIFY(!mt.leeEstados(otro.almacen(), {p}, n.negocio(), estados));
    }

    // A layer, warehouse or concept of another business is never touched.
    void otroNegocioNoSeVe() {
        Tescenario e = escenario(kMetodoPEPS);
        TnegocioPrueba otro(*uBase, kMetodoPEPS, QStringLiteral("Abarrotes Juárez"));
        const int concepto = otro.concepto(2, 1);
        auto doc = e.n->documentoSalida(e.almacen, QStringLiteral("2024-03-05 10:00:00"));
        QVERIFY(!doc->setConcepto(concepto));
        QVERIFY(!doc->setAlmacen(otro.almacen()));
        auto suyo = otro.documentoSalida(e.almacen, QStringLiteral("2024-03-05 10:00:00"));
        QCOMPARE(suyo->almacen(), 0);
        QVERIFY(!suyo->agregarProducto(articulo(e.producto), 1));
    }

    void muestrasEnCualquierCaja_data() {
        QTest::addColumn<QString>("etiqueta");
        QTest::addColumn<bool>("muestras");
        QTest::newRow("Muestras") << QStringLiteral("Muestras") << true;
        QTest::newRow("muestras") << QStringLiteral("muestras") << true;
        QTest::newRow("MUESTRAS con blancos") << QStringLiteral(" MUESTRAS ") << true;
        QTest::newRow("Venta") << QStringLiteral("Venta") << false;
    }
    void muestrasEnCualquierCaja() {
        QFETCH(QString, etiqueta);
        QFETCH(bool, muestras);
        TnegocioPrueba n(*uBase, kMetodoPEPS);
        TdocumentoSalida doc(n.sesion(), n.negocio());
        TComprobante factura;
        factura.idComprobante = 5;
        factura.idNegocio = n.negocio();
        doc.setComprobante(factura);
        QVERIFY(doc.setConcepto(n.concepto(2, 1, etiqueta)));
        QCOMPARE(doc.esMuestras(), muestras);
        QCOMPARE(doc.comprobante().valido(), !muestras);
    }

    void devolucionDeCompra_data() {
        QTest::addColumn<int>("metodo");
        QTest::addColumn<double>("cantidad");
        QTest::addColumn<double>("costoUnitario");
        QTest::addColumn<QString>("renglon");
        QTest::newRow("PEPS") << int(kMetodoPEPS) << 3.0 << 3.0
                              << QStringLiteral("- - -3 3 | 1 R2 - - | 5 3 | - 1 1");
        // After 4 went out, returning the other 8 leaves no stock: the stored unit cost is 0.
        QTest::newRow("Promedio, todo") << int(kMetodoPromedioPonderado) << 8.0 << 0.0
                                        << QStringLiteral("- - -8 3 | 2 R2 - - | 0 0 | - - -");
    }
    void devolucionDeCompra() {
        QFETCH(int, metodo);
        QFETCH(double, cantidad);
        QFETCH(double, costoUnitario);
        QFETCH(QString, renglon);
        Tescenario e = escenario(metodo);
        if (metodo == kMetodoPromedioPonderado)
            QCOMPARE(e.n->entrega(e.almacen, e.producto, QStringLiteral("2024-03-03 09:00:00"), 4), 1);
        auto doc = e.n->documentoSalida(e.almacen, QStringLiteral("2024-03-05 10:00:00"), 3);
        QVERIFY(doc->esDevolucionCompra());
        e.n->guion().limpia();
        QVERIFY(!doc->agregaProductoValoresExplicitos(articulo(e.producto), 9, 3.0, e.r2, 8));
        QCOMPARE(e.n->guion().textos(),
                 QStringList{QStringLiteral("La cantidad debe ser igual o menor a 8")});
        QVERIFY(doc->agregaProductoValoresExplicitos(articulo(e.producto), cantidad, 3.0, e.r2, 8));
        QCOMPARE(doc->lineas()[0].salidasCostoUnitario, costoUnitario);
        e.n->acepta();
        QVERIFY(doc->guardar());
        QCOMPARE(e.n->existenciaCapa(e.r2), 8 - cantidad);
        QCOMPARE(u_valorConsulta(e.n->sesion(),
                                 QStringLiteral("SELECT existenciaCostoUnitario FROM inventarioSalida WHERE "
                                                "inventarioEntrada_id = :r ORDER BY id DESC LIMIT 1"),
                                 {{QStringLiteral("r"), e.r2}})
                     .toDouble(),
                 costoUnitario);
        QCOMPARE(e.n->kardex().value(metodo == kMetodoPEPS ? 2 : 3), renglon);
    }

    // A statement failing anywhere in a posting leaves nothing of the document: no issue, ledger or
    // stock change, no serial issued, no number taken.
    void cadaFallaRevierteElDocumento_data() {
        QTest::addColumn<int>("metodo");
        QTest::newRow("PEPS") << int(kMetodoPEPS);
        QTest::newRow("Promedio") << int(kMetodoPromedioPonderado);
    }
    void cadaFallaRevierteElDocumento() {
        QFETCH(int, metodo);
        Tescenario e = escenario(metodo, true);
        const QStringList antes = e.n->estadoSalidas();
        for (int n = 1;; ++n) {
            QVERIFY2(n < 200, "the posting never got past the fault");
            auto doc = e.n->documentoSalida(e.almacen, QStringLiteral("2024-03-05 10:00:00"));
            QVERIFY(doc->agregarProducto(articulo(e.producto), 13));
            e.n->guion().limpia();
            e.n->acepta();
            TmiddleTier::setFallaEnSentencia(n);
            const bool guardado = doc->guardar();
            TmiddleTier::setFallaEnSentencia(0);
            if (!guardado) {
                QCOMPARE(e.n->estadoSalidas(), antes);
                continue;
            }
            // The fault fell past the posting (on the journal entry's template lookup).
            QCOMPARE(doc->documento(), 1);
            QCOMPARE(e.n->existenciaCapa(e.r3), 4.0);
            QCOMPARE(e.n->existencia(e.almacen, e.producto), 4.0);
            QVERIFY(n > 10);
            break;
        }
    }

    // The journal entry failing after the commit leaves the document posted once and tells the user.
    void asientoFallidoDejaElDocumentoUnaVez() {
        Tescenario e = escenario(kMetodoPEPS);
        const int otro = e.n->producto(QStringLiteral("Lápiz"));
        // The same layers as the first product, so both postings run the same statements.
        e.n->recibe(QStringLiteral("R4"), e.almacen, otro, QStringLiteral("2024-03-02 09:00:00"), 4, 1.0);
        e.n->recibe(QStringLiteral("R5"), e.almacen, otro, QStringLiteral("2024-03-02 09:00:00"), 8, 1.0);
        auto medido = e.n->documentoSalida(e.almacen, QStringLiteral("2024-03-05 10:00:00"));
        auto doc = e.n->documentoSalida(e.almacen, QStringLiteral("2024-03-05 11:00:00"));
        QVERIFY(medido->agregarProducto(articulo(e.producto), 10));
        QVERIFY(doc->agregarProducto(articulo(otro), 10));
        e.n->acepta(8);
        const int antes = TmiddleTier::sentenciasEjecutadas();
        QVERIFY(medido->guardar());
        const int sentencias = TmiddleTier::sentenciasEjecutadas() - antes;
        e.n->guion().limpia();
        e.n->acepta();
        TmiddleTier::setFallaEnSentencia(sentencias); // the journal entry's last line
        QVERIFY(doc->guardar());
        TmiddleTier::setFallaEnSentencia(0);
        QVERIFY(doc->asientoPendiente());
        QVERIFY(e.n->guion().textos().last().startsWith(QStringLiteral(
            "La salida quedó guardada con el documento 2, pero su asiento contable no se registró")));
        QCOMPARE(e.n->existencia(e.almacen, otro), 2.0);
        QCOMPARE(e.n->cuenta(
                     QStringLiteral("SELECT COUNT(*) FROM AsientosAplicados WHERE idNegocioFk = :negocio")),
                 5); // four receipts and the first issue
        QVERIFY(!doc->guardar());
        QCOMPARE(e.n->cuenta(QStringLiteral("SELECT COUNT(DISTINCT s.documento) FROM inventarioSalida s JOIN "
                                            "inventarioEntrada e ON e.id = s.inventarioEntrada_id WHERE "
                                            "e.idNegocioFk = :negocio")),
                 2);
    }

    // Postings of both methods leave stock rows, layers, ledgers and serials that agree; a stock
    // row changed by hand and a serial marked issued without an issue are reported.
    void verificacion() {
        Tescenario peps = escenario(kMetodoPEPS, true);
        QCOMPARE(peps.n->entrega(peps.almacen, peps.producto, QStringLiteral("2024-03-05 10:00:00"), 5), 1);
        Tescenario promedio = escenario(kMetodoPromedioPonderado, true);
        QCOMPARE(promedio.n->entrega(promedio.almacen, promedio.producto,
                                     QStringLiteral("2024-03-05 10:00:00"), 7),
                 1);
        const int serie = u_insertaFila(peps.n->sesion(), QStringLiteral("inventarioNoSerie"),
                                        {{QStringLiteral("inventarioEntrada_id"), peps.r3},
                                         {QStringLiteral("numero"), QStringLiteral("X-1")}});
        bool ok = false;
        QCOMPARE(u_verificaInventario(peps.n->sesion(), ok), QStringList());
        QVERIFY(ok);
        TmiddleTier mt(peps.n->sesion());
        mt.setQuery(QStringLiteral("UPDATE inventarioExistencias SET existencia = existencia + 1 WHERE "
                                   "inventarioAlmacen_id = :a"));
        mt.setParametroEntero(QStringLiteral("a"), promedio.almacen);
        QVERIFY(mt.nonQuery().isSuccess());
        mt.setQuery(
            QStringLiteral("UPDATE inventarioNoSerie SET inventarioNoSerieEstado_id = 2 WHERE id = :id"));
        mt.setParametroEntero(QStringLiteral("id"), serie);
        QVERIFY(mt.nonQuery().isSuccess());
        const QStringList hallazgos = u_verificaInventario(peps.n->sesion(), ok);
        QCOMPARE(hallazgos.size(), 2);
        QVERIFY(hallazgos.join(QLatin1Char('\n'))
                    .contains(QStringLiteral("la existencia 11 no es la suma de sus capas (10)")));
        QVERIFY(hallazgos.join(QLatin1Char('\n')).contains(QStringLiteral("\"X-1\" figura con salida")));
    }

    // Another workstation (its own connection) receives and issues the same product after this one
    // captured its issue: "Aceptar" splits the lines again over the layers as they are and says so,
    // or refuses and writes nothing when the stock is no longer enough.
    void otraEstacionMueveLasCapas_data() {
        QTest::addColumn<int>("metodo");
        QTest::addColumn<double>("entregaOtra");
        QTest::addColumn<QStringList>("filas"); // this ledger rows; none when refused
        QTest::addColumn<double>("existencia");
        QTest::newRow("PEPS") << int(kMetodoPEPS) << 3.0
                              << QStringList{QStringLiteral("- - - - | 2 R1 1 2 | 0 2 | - 1 3"),
                                             QStringLiteral("- - - - | 2 R2 5 3 | 3 3 | - - 4"),
                                             QStringLiteral("R3 - - - | - - - - | 5 4 | 1 - 5")}
                              << 8.0;
        // 52 over 17 gives 3.05 after the other receipt; the other issue leaves 14 at 42.85.
        QTest::newRow("Promedio") << int(kMetodoPromedioPonderado) << 3.0
                                  << QStringList{QStringLiteral("- - - - | 2 R1 1 3.05 | 13 3.05 | - - -"),
                                                 QStringLiteral("- - - - | 2 R2 5 3.05 | 8 3.05 | - - -")}
                                  << 8.0;
        QTest::newRow("PEPS sin existencia") << int(kMetodoPEPS) << 12.0 << QStringList() << 5.0;
        QTest::newRow("Promedio sin existencia")
            << int(kMetodoPromedioPonderado) << 12.0 << QStringList() << 5.0;
    }
    void otraEstacionMueveLasCapas() {
        QFETCH(int, metodo);
        QFETCH(double, entregaOtra);
        QFETCH(QStringList, filas);
        QFETCH(double, existencia);
        Tescenario e = escenario(metodo);
        auto doc = e.n->documentoSalida(e.almacen, QStringLiteral("2024-03-04 10:00:00"));
        QVERIFY(doc->agregarProducto(articulo(e.producto), 6)); // 4 of R1 and 2 of R2

        TConexionSesion otraEstacion(e.n->sesion()->parametros());
        QVERIFY(otraEstacion.abre());
        TConexionSesion *propia = e.n->setEstacion(&otraEstacion);
        e.r3 = e.n->recibe(QStringLiteral("R3"), e.almacen, e.producto, QStringLiteral("2024-03-03 09:00:00"),
                           5, 4.0);
        QVERIFY(e.r3 > 0);
        QVERIFY(e.n->entrega(e.almacen, e.producto, QStringLiteral("2024-03-03 10:00:00"), entregaOtra) > 0);
        e.n->setEstacion(propia);
        const QStringList antes = e.n->estadoSalidas();
        const int renglones = e.n->kardex().size();

        e.n->guion().limpia();
        e.n->acepta();
        const bool guardada = doc->guardar();
        QCOMPARE(guardada, !filas.isEmpty());
        QCOMPARE(e.n->existencia(e.almacen, e.producto), existencia);
        if (!guardada) {
            QCOMPARE(doc->motivoConflicto(), TmotivoConflicto::Existencia);
            QVERIFY(e.n->guion().textos().last().contains(QStringLiteral("Capture el documento de nuevo")));
            QCOMPARE(e.n->estadoSalidas(), antes);
            QVERIFY(doc->lineas().isEmpty());
            otraEstacion.cierraHiloActual();
            return;
        }
        QCOMPARE(e.n->kardex().mid(renglones), filas);
        QCOMPARE(e.n->existenciaCapa(e.r1), 0.0);
        QCOMPARE(e.n->existenciaCapa(e.r2), 3.0);
        const double costo = metodo == kMetodoPEPS ? 2.0 * 1 + 3.0 * 5 : 3.05 * 6;
        QCOMPARE(doc->total(), costo);
        const auto &m = e.n->guion().mensajes();
        QVERIFY(std::any_of(m.cbegin(), m.cend(), [&](const TinteraccionGuionada::Tmensaje &x) {
            return x.tipo == kInformacion && x.texto.contains(QStringLiteral("costos se tomaron de las capas "
                                                                             "actuales (total ") +
                                                              u_formatoMoneda(costo));
        }));
        // The journal entry carries the written lines.
        QCOMPARE(u_valorConsulta(e.n->sesion(),
                                 QStringLiteral("SELECT total FROM AsientosAplicados WHERE idNegocioFk = :n "
                                                "ORDER BY id DESC LIMIT 1"),
                                 {{QStringLiteral("n"), e.n->negocio()}})
                     .toDouble(),
                 costo);
        bool ok = false;
        QCOMPARE(u_verificaInventario(e.n->sesion(), ok), QStringList());
        otraEstacion.cierraHiloActual();
    }

    // Serial-numbered units leave as chosen: another workstation issuing other units of the same
    // layer changes nothing, issuing one of the chosen units refuses the document.
    void seriesElegidasPorOtraEstacion_data() {
        QTest::addColumn<int>("otraSaca"); // index of the unit the other workstation issues
        QTest::addColumn<bool>("guardada");
        QTest::newRow("otra unidad") << 2 << true;
        QTest::newRow("una unidad elegida") << 0 << false;
    }
    void seriesElegidasPorOtraEstacion() {
        QFETCH(int, otraSaca);
        QFETCH(bool, guardada);
        TnegocioPrueba n(*uBase, kMetodoPEPS);
        const int a = n.almacen();
        const int p = n.producto(QStringLiteral("Calculadora"), 1);
        const int r = n.recibe(QStringLiteral("R1"), a, p, QStringLiteral("2024-03-01 09:00:00"), 3, 150.0,
                               {QStringLiteral("C-1"), QStringLiteral("C-2"), QStringLiteral("C-3")});
        QVector<int> series;
        for (const QString &numero : {QStringLiteral("C-1"), QStringLiteral("C-2"), QStringLiteral("C-3")})
            series << u_valorConsulta(n.sesion(),
                                      QStringLiteral("SELECT id FROM inventarioNoSerie WHERE numero = :n AND "
                                                     "inventarioEntrada_id = :e"),
                                      {{QStringLiteral("n"), numero}, {QStringLiteral("e"), r}})
                          .toInt();
        auto doc = n.documentoSalida(a, QStringLiteral("2024-03-03 09:00:00"));
        QVERIFY(doc->agregarProducto(articulo(p, 1), 2));
        doc->setSeries(0, series.mid(0, 2));

        TConexionSesion otraEstacion(n.sesion()->parametros());
        QVERIFY(otraEstacion.abre());
        TdocumentoSalida otra(&otraEstacion, n.negocio());
        otra.setAlmacen(a);
        otra.setConcepto(n.concepto(2, 1));
        otra.setFechaHora(TnegocioPrueba::fecha(QStringLiteral("2024-03-02 09:00:00")));
        QVERIFY(otra.agregarProducto(articulo(p, 1), 1));
        otra.setSeries(0, {series[otraSaca]});
        n.guion().limpia();
        n.acepta();
        QVERIFY(otra.guardar());
        const QStringList antes = n.estadoSalidas();

        n.guion().limpia();
        n.acepta();
        QCOMPARE(doc->guardar(), guardada);
        if (guardada) {
            QCOMPARE(n.existenciaCapa(r), 0.0);
            QCOMPARE(n.guion().mensajes().size(), 0); // same layer, same cost: nothing to tell
        } else {
            QCOMPARE(doc->motivoConflicto(), TmotivoConflicto::Series);
            QCOMPARE(n.estadoSalidas(), antes);
        }
        otraEstacion.cierraHiloActual();
    }

    // Serial numbers enter and leave a hundred to a statement: 150 of them enter in their order and
    // leave with their issue row; one of the second statement already gone refuses the document whole.
    void muchasSeriesEnTramos_data() {
        QTest::addColumn<bool>("ultimaYaSalio");
        QTest::newRow("todas en almacén") << false;
        QTest::newRow("la última ya salió") << true;
    }
    void muchasSeriesEnTramos() {
        QFETCH(bool, ultimaYaSalio);
        TnegocioPrueba n(*uBase, kMetodoPEPS);
        const int a = n.almacen();
        const int p = n.producto(QStringLiteral("Calculadora"), 1);
        QStringList numeros;
        for (int i = 0; i < 150; ++i)
            numeros << QStringLiteral("S-%1").arg(149 - i, 3, 10, QLatin1Char('0'));
        const int r =
            n.recibe(QStringLiteral("R1"), a, p, QStringLiteral("2024-03-01 09:00:00"), 150, 10.0, numeros);
        QVERIFY(r > 0);
        TmiddleTier mt(n.sesion());
        mt.setQuery(QStringLiteral(
            "SELECT id, numero FROM inventarioNoSerie WHERE inventarioEntrada_id = :e ORDER BY id"));
        mt.setParametroEntero(QStringLiteral("e"), r);
        const CmidTierResponse guardadas = mt.reader();
        QStringList enOrden;
        QVector<int> series;
        for (int f = 0; f < guardadas.getRowCount(); ++f) {
            series << int(guardadas.getCeldaAsInt(f, 0));
            enOrden << guardadas.getCelda(f, 1);
        }
        QCOMPARE(enOrden, numeros);
        if (ultimaYaSalio)
            n.ejecuta(
                QStringLiteral("UPDATE inventarioNoSerie SET inventarioNoSerieEstado_id = 2 WHERE id = %1")
                    .arg(series.last()));
        const QStringList antes = n.estadoSalidas();
        auto doc = n.documentoSalida(a, QStringLiteral("2024-03-02 09:00:00"));
        QVERIFY(doc->agregarProducto(articulo(p, 1), 150));
        doc->setSeries(0, series);
        n.guion().limpia();
        n.acepta();
        QCOMPARE(doc->guardar(), !ultimaYaSalio);
        if (ultimaYaSalio) {
            QCOMPARE(doc->motivoConflicto(), TmotivoConflicto::Series);
            QCOMPARE(n.estadoSalidas(), antes);
            return;
        }
        QCOMPARE(
            n.cuenta(QStringLiteral("SELECT COUNT(*) FROM inventarioNoSerie s JOIN inventarioSalida x ON "
                                    "x.id = s.inventarioSalida_id WHERE x.idNegocioFk = :negocio AND "
                                    "s.inventarioNoSerieEstado_id = 2 AND s.inventarioEntrada_id = %1")
                         .arg(r)),
            150);
    }

    // A purchase return is tied to the receipt it returns: another workstation taking from that
    // receipt refuses it, taking from another one only moves the running figures.
    void devolucionAtadaASuCapa_data() {
        QTest::addColumn<double>("entregaOtra");
        QTest::addColumn<bool>("guardada");
        QTest::newRow("otra capa") << 4.0 << true;
        QTest::newRow("la capa devuelta") << 6.0 << false;
    }
    void devolucionAtadaASuCapa() {
        QFETCH(double, entregaOtra);
        QFETCH(bool, guardada);
        Tescenario e = escenario(kMetodoPEPS);
        auto doc = e.n->documentoSalida(e.almacen, QStringLiteral("2024-03-04 10:00:00"), 3);
        QVERIFY(doc->agregaProductoValoresExplicitos(articulo(e.producto), 2, 3.0, e.r2, 8));
        TConexionSesion otraEstacion(e.n->sesion()->parametros());
        QVERIFY(otraEstacion.abre());
        TConexionSesion *propia = e.n->setEstacion(&otraEstacion);
        QVERIFY(e.n->entrega(e.almacen, e.producto, QStringLiteral("2024-03-03 10:00:00"), entregaOtra) > 0);
        e.n->setEstacion(propia);
        const QStringList antes = e.n->estadoSalidas();
        e.n->guion().limpia();
        e.n->acepta();
        QCOMPARE(doc->guardar(), guardada);
        if (guardada) {
            QCOMPARE(e.n->existenciaCapa(e.r2), 6.0);
            QCOMPARE(e.n->existencia(e.almacen, e.producto), 12.0 - entregaOtra - 2);
            QCOMPARE(doc->lineas().first().existenciaTotal, 12.0 - entregaOtra - 2);
        } else {
            QCOMPARE(doc->motivoConflicto(), TmotivoConflicto::Otro);
            QCOMPARE(e.n->estadoSalidas(), antes);
        }
        otraEstacion.cierraHiloActual();
    }

    // Another workstation posts a later movement while the user reads the final question: the
    // posting finds it under the lock and refuses the earlier date, writing nothing and keeping the
    // lines for another try.
    void fechaAnteriorAUnMovimientoDeOtraEstacion() {
        Tescenario e = escenario(kMetodoPEPS);
        auto doc = e.n->documentoSalida(e.almacen, QStringLiteral("2024-03-05 10:00:00"));
        QVERIFY(doc->agregarProducto(articulo(e.producto), 5));
        TConexionSesion otraEstacion(e.n->sesion()->parametros());
        QVERIFY(otraEstacion.abre());
        QStringList antes;
        e.n->guion().limpia();
        e.n->guion().antesDePreguntar(QStringLiteral("¿Desea guardar"), [&] {
            TConexionSesion *propia = e.n->setEstacion(&otraEstacion);
            QVERIFY(e.n->recibe(QStringLiteral("R3"), e.almacen, e.producto,
                                QStringLiteral("2024-03-06 09:00:00"), 1, 1.0) > 0);
            e.n->setEstacion(propia);
            antes = e.n->estadoSalidas();
            e.n->acepta(); // the question being read
        });
        e.n->acepta();
        QVERIFY(!doc->guardar());
        QCOMPARE(doc->ultimoFin(), TfinPosteo::FechaAnterior);
        QCOMPARE(e.n->guion().textos().last(), QStringLiteral("Revise fecha/hora de salida"));
        QCOMPARE(e.n->estadoSalidas(), antes);
        QCOMPARE(doc->lineas().size(), 2);
        doc->setFechaHora(TnegocioPrueba::fecha(QStringLiteral("2024-03-06 09:00:00")));
        e.n->acepta();
        QVERIFY(doc->guardar());
        otraEstacion.cierraHiloActual();
    }

    // A technical failure at the lock, the first write or the commit tells the user that nothing
    // was saved and why, leaves nothing, and keeps the lines: the next try saves.
    void fallaTecnicaConservaLaCaptura_data() {
        QTest::addColumn<QString>("punto");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("razon");
        const bool mysql = qEnvironmentVariable("INVENTARIO_MOTOR_PRUEBA") == QLatin1String("mysql");
        QTest::newRow("bloqueo") << QStringLiteral("bloqueo") << (mysql ? 1205 : 5)
                                 << QStringLiteral(
                                        "otra estación mantuvo ocupada la base de datos demasiado tiempo");
        QTest::newRow("primera escritura")
            << QStringLiteral("escritura") << (mysql ? 1021 : 13) << QStringLiteral("el disco está lleno");
        QTest::newRow("confirmación")
            << QStringLiteral("COMMIT") << (mysql ? 2013 : 11)
            << (mysql ? QStringLiteral("se perdió la conexión con el servidor de la base "
                                       "de datos")
                      : QStringLiteral("la base de datos está dañada"));
    }
    void fallaTecnicaConservaLaCaptura() {
        QFETCH(QString, punto);
        QFETCH(int, codigo);
        QFETCH(QString, razon);
        Tescenario e = escenario(kMetodoPromedioPonderado);
        auto doc = e.n->documentoSalida(e.almacen, QStringLiteral("2024-03-05 10:00:00"));
        QVERIFY(doc->agregarProducto(articulo(e.producto), 5));
        const QStringList antes = e.n->estadoSalidas();
        e.n->guion().limpia();
        e.n->acepta();
        u_fallaCuando(u_sentenciaDelPunto(punto), codigo);
        QVERIFY(!doc->guardar());
        u_fallaCuando({}, 0);
        QCOMPARE(e.n->guion().mensajes().last().tipo, int(kError));
        QCOMPARE(e.n->guion().textos().last(),
                 QStringLiteral("No se guardó nada: %1. Lo capturado se conserva; intente guardar de nuevo.")
                     .arg(razon));
        QCOMPARE(e.n->estadoSalidas(), antes);
        QCOMPARE(doc->lineas().size(), 2);
        e.n->acepta();
        QVERIFY(doc->guardar());
        QCOMPARE(e.n->existencia(e.almacen, e.producto), 7.0);
    }

    // Another workstation holds the business's write lock (a rebuild, say) longer than this one
    // waits: the posting says so and writes nothing; once the lock is free the same capture saves.
    void bloqueoRetenidoPorOtraEstacion() {
        Tescenario e = escenario(kMetodoPEPS);
        auto doc = e.n->documentoSalida(e.almacen, QStringLiteral("2024-03-05 10:00:00"));
        QVERIFY(doc->agregarProducto(articulo(e.producto), 5));
        TConexionSesion otraEstacion(e.n->sesion()->parametros());
        QVERIFY(otraEstacion.abre());
        TmiddleTier otra(&otraEstacion);
        QVERIFY(otra.transaccionInicia());
        QVERIFY(u_bloqueaNegocio(otra, e.n->negocio()));
        TmiddleTier espera(e.n->sesion());
        espera.setQuery(uBase->esMySQL() ? QStringLiteral("SET SESSION innodb_lock_wait_timeout = 1")
                                         : QStringLiteral("PRAGMA busy_timeout = 200"));
        QVERIFY(espera.nonQuery().isSuccess());
        const QStringList antes = e.n->estadoSalidas();
        e.n->guion().limpia();
        e.n->acepta();
        QVERIFY(!doc->guardar());
        QCOMPARE(e.n->guion().textos().last(),
                 QStringLiteral("No se guardó nada: otra estación mantuvo ocupada la base de datos demasiado "
                                "tiempo. Lo capturado se conserva; intente guardar de nuevo."));
        QVERIFY(otra.transaccionRollback());
        QCOMPARE(e.n->estadoSalidas(), antes);
        e.n->acepta();
        QVERIFY(doc->guardar());
        otraEstacion.cierraHiloActual();
    }
};

QTEST_GUILESS_MAIN(TpruebaSalidas)
#include "tst_posteoSalidas.moc"

// Transfers: shipping through the issue posting, receiving or cancelling through the receipt
// posting, under both methods; numbering, costs, serial numbers and the layer's data carried over,
// rollbacks, two workstations closing the same transfer, another business, hostile input.
#include "apoyo/UnegocioPrueba.h"

#include "apoyo/UfilasPrueba.h"
#include "comun/U_utilerias.h"
#include "datos/UcodigosInventario.h"
#include "datos/UfallaBaseDatos.h"
#include "existencias/U_verificacion.h"
#include "traspasos/UNEG_cierreTraspaso.h"
#include "traspasos/UNEG_documentoTraspaso.h"
#include "traspasos/UNEG_traspasos.h"

#include <QtTest>
#include <limits>

class TpruebaTraspasos : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;

    // A shop with layers of 4 at 2, 3 at 3 and 8 at 4 of a notebook in its main warehouse, and a
    // store room; the transfer concepts exist.
    struct Tescenario {
        std::unique_ptr<TnegocioPrueba> n;
        int matriz = 0, bodega = 0, producto = 0;
        QVector<int> capas;
    };
    Tescenario escenario(int metodo, int controlNoSerie = 0, const QString &nombre = QString()) {
        Tescenario e;
        e.n = nombre.isEmpty() ? std::make_unique<TnegocioPrueba>(*uBase, metodo)
                               : std::make_unique<TnegocioPrueba>(*uBase, metodo, nombre);
        e.matriz = e.n->almacen();
        e.bodega = e.n->almacen(QStringLiteral("Bodega"));
        e.producto = e.n->producto(QStringLiteral("Cuaderno"), controlNoSerie);
        e.n->concepto(2, -1, QStringLiteral("Salida por traspaso"));
        e.n->concepto(1, -2, QStringLiteral("Entrada por traspaso"));
        const QList<std::pair<double, double>> capas = {{4, 2.0}, {3, 3.0}, {8, 4.0}};
        for (int i = 0; i < capas.size(); ++i) {
            QStringList series;
            for (int s = 1; controlNoSerie && s <= int(capas[i].first); ++s)
                series << QStringLiteral("C%1-%2").arg(i + 1).arg(s);
            e.capas << e.n->recibe(QStringLiteral("R%1").arg(i + 1), e.matriz, e.producto,
                                   QStringLiteral("2024-03-0%1 09:00:00").arg(i + 1), capas[i].first,
                                   capas[i].second, series);
        }
        return e;
    }

    static TproductoSalida cuaderno(const Tescenario &e) {
        TproductoSalida p;
        p.id = e.producto;
        p.nombre = QStringLiteral("Cuaderno");
        // No serial-number flag, as a careless caller would send it: the stored product's counts.
        return p;
    }

    // Ships `cantidad` from the main warehouse to the store room; the transfer id, 0 when refused.
    int envia(Tescenario &e, double cantidad, const QString &fecha = QStringLiteral("2024-03-05 10:00:00"),
              const std::function<void(TdocumentoTraspaso &)> &antes = {}) {
        TdocumentoTraspaso doc(e.n->sesion(), e.n->negocio());
        doc.setOrigen(e.matriz);
        doc.setDestino(e.bodega);
        doc.setFechaSalida(TnegocioPrueba::fecha(fecha));
        doc.setFechaRecepcion(TnegocioPrueba::fecha(fecha).addDays(1));
        e.n->guion().limpia();
        e.n->acepta();
        if (!doc.agregaAlDocumento(cuaderno(e), cantidad))
            return 0;
        if (antes)
            antes(doc);
        return doc.guardar() ? doc.traspaso() : 0;
    }

    static bool cierra(Tescenario &e, int traspaso, TaccionCierre accion,
                       const QString &fecha = QStringLiteral("2024-03-06 10:00:00")) {
        TcierreTraspaso c(e.n->sesion(), e.n->negocio());
        e.n->guion().limpia();
        e.n->acepta();
        return c.carga(traspaso) && c.cierra(accion, TnegocioPrueba::fecha(fecha));
    }

    // "cantidad@costo" of each line, in line order.
    static QStringList lineas(const Tescenario &e, int traspaso) {
        const CmidTierResponse r = Ttraspaso(e.n->sesion()).selectTraspasoDetalle(traspaso, e.n->negocio());
        QStringList l;
        for (int f = 0; f < r.getRowCount(); ++f)
            l << FloatToStr(r.getCeldaAsFloat(f, QStringLiteral("inventarioTraspasoDetalle_cantidad"))) +
                     "@" +
                     FloatToStr(r.getCeldaAsFloat(f, QStringLiteral("inventarioTraspasoDetalle_costo")));
        return l;
    }

    // "cantidad@costo" of the transfer receipts (family -2) in a warehouse, with their document.
    static QStringList entradasPorTraspaso(const Tescenario &e, int almacen) {
        TmiddleTier mt(e.n->sesion());
        mt.setQuery(
            QStringLiteral("SELECT e.cantidad, e.costoUnitario, e.documento FROM inventarioEntrada e "
                           "JOIN inventarioMovimientoConcepto c ON c.id = e.inventarioMovimientoConcepto_id "
                           "WHERE c.familia = -2 AND e.inventarioAlmacen_id = :a ORDER BY e.id"));
        mt.setParametroEntero(QStringLiteral("a"), almacen);
        const CmidTierResponse r = mt.reader();
        QStringList l;
        for (int f = 0; f < r.getRowCount(); ++f)
            l << QStringLiteral("%1@%2 #%3")
                     .arg(FloatToStr(r.getCeldaAsFloat(f, 0)), FloatToStr(r.getCeldaAsFloat(f, 1)),
                          r.getCelda(f, 2));
        return l;
    }

    static int estado(const Tescenario &e, int traspaso) {
        const CmidTierResponse r = Ttraspaso(e.n->sesion()).selectTraspasoEstado(traspaso, e.n->negocio());
        return r.getRowCount() == 1 ? r.getCeldaAsInt(0, 0) : 0;
    }

    static QStringList verifica(TConexionSesion *sesion) {
        bool ok = false;
        QStringList h = u_verificaInventario(sesion, ok);
        if (!ok)
            h << QStringLiteral("la verificación no pudo leer");
        return h;
    }

    // Everything a shipment or a closing may write.
    QStringList estado(const Tescenario &e) const {
        QStringList s = e.n->estadoSalidas();
        for (const char *sql :
             {"SELECT COUNT(*) FROM inventarioEntrada WHERE idNegocioFk = :negocio",
              "SELECT COUNT(*) FROM inventarioTraspaso WHERE idNegocioFk = :negocio",
              "SELECT COUNT(*) FROM inventarioTraspasoDetalle",
              "SELECT COUNT(*) FROM inventarioTraspasoDetalleAdicional",
              "SELECT COUNT(*) FROM inventarioTraspasoNoSerie", "SELECT COUNT(*) FROM inventarioNoSerie",
              "SELECT SUM(inventarioTraspasoEstado_id) FROM inventarioTraspaso"})
            s << (QString::fromLatin1(sql).contains(QLatin1String(":negocio"))
                      ? QString::number(e.n->cuenta(QString::fromLatin1(sql)))
                      : u_valorConsulta(e.n->sesion(), QString::fromLatin1(sql)).toString());
        return s;
    }

private slots:
    void init() { QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error())); }
    void cleanup() {
        u_fallaCuando({}, 0);
        uBase.reset();
    }

    void metodos_data() {
        QTest::addColumn<int>("metodo");
        QTest::addColumn<QStringList>("lineas");
        QTest::newRow("PEPS: cada capa a su costo") << int(kMetodoPEPS) << QStringList{"4@2", "3@3", "3@4"};
        // 49 over 15 units: the average 3.2666… is kept truncated to cents.
        QTest::newRow("Promedio: al costo promedio")
            << int(kMetodoPromedioPonderado) << QStringList{"4@3.26", "3@3.26", "3@3.26"};
    }

    // Three layers give three lines; the stock leaves the origin and is in no warehouse.
    void envioTomaCapas_data() { metodos_data(); }
    void envioTomaCapas() {
        QFETCH(int, metodo);
        QFETCH(QStringList, lineas);
        Tescenario e = escenario(metodo);
        const int t = envia(e, 10);
        QVERIFY2(t > 0, qPrintable(e.n->guion().textos().join(" | ")));
        QCOMPARE(this->lineas(e, t), lineas);
        QCOMPARE(estado(e, t), estadoTraspaso::kEnTransito);
        QCOMPARE(e.n->existencia(e.matriz, e.producto), 5.0);
        QCOMPARE(e.n->existencia(e.bodega, e.producto), -1.0);
        QCOMPARE(e.n->existenciaCapa(e.capas[2]), 5.0);
        QCOMPARE(e.n->cuenta(QStringLiteral(
                     "SELECT COUNT(*) FROM inventarioSalida s JOIN inventarioMovimientoConcepto c ON c.id = "
                     "s.inventarioMovimientoConcepto_id WHERE c.familia = -1 AND c.idNegocioFk = :negocio")),
                 qint64(3));
        QCOMPARE(verifica(e.n->sesion()), QStringList());
    }

    // First number 1, then the highest plus one, gaps or not; another business's do not count.
    void numeracion_data() {
        QTest::addColumn<QList<int>>("existentes");
        QTest::addColumn<int>("siguiente");
        QTest::newRow("el primero") << QList<int>{} << 1;
        QTest::newRow("con huecos") << QList<int>{1, 2, 7} << 8;
        QTest::newRow("solo de otro negocio") << QList<int>{-50} << 1;
    }
    void numeracion() {
        QFETCH(QList<int>, existentes);
        QFETCH(int, siguiente);
        Tescenario otro = escenario(kMetodoPEPS, 0, QStringLiteral("Papelería del Sur"));
        Tescenario e = escenario(kMetodoPEPS);
        for (const int d : existentes) {
            Tescenario &quien = d < 0 ? otro : e;
            QVERIFY(Ttraspaso(quien.n->sesion())
                        .insertTraspaso(std::abs(d), quien.matriz, quien.bodega,
                                        TnegocioPrueba::fecha(QStringLiteral("2024-03-04 10:00:00")), {}, 1,
                                        quien.n->negocio())
                        .isSuccess());
        }
        TdocumentoTraspaso doc(e.n->sesion(), e.n->negocio());
        doc.setOrigen(e.matriz);
        doc.setDestino(e.bodega);
        doc.setFechaSalida(TnegocioPrueba::fecha(QStringLiteral("2024-03-05 10:00:00")));
        doc.setFechaRecepcion(doc.fechaSalida());
        e.n->acepta();
        QVERIFY(doc.agregaAlDocumento(cuaderno(e), 1));
        QVERIFY(doc.guardar());
        QCOMPARE(doc.documentoTraspaso(), siguiente);
    }

    // One receipt per line at the line's cost, one receipt number, into the receiving warehouse;
    // the consumed layers stay consumed.
    void cierreAbreCapas_data() {
        QTest::addColumn<int>("metodo");
        QTest::addColumn<bool>("recibir");
        QTest::addColumn<QStringList>("entradas");
        for (const bool recibir : {true, false}) {
            const char *accion = recibir ? "recibir" : "cancelar";
            QTest::addRow("PEPS, %s", accion)
                << int(kMetodoPEPS) << recibir << QStringList{"4@2 #4", "3@3 #4", "3@4 #4"};
            QTest::addRow("Promedio, %s", accion) << int(kMetodoPromedioPonderado) << recibir
                                                  << QStringList{"4@3.26 #4", "3@3.26 #4", "3@3.26 #4"};
        }
    }
    void cierreAbreCapas() {
        QFETCH(int, metodo);
        QFETCH(bool, recibir);
        QFETCH(QStringList, entradas);
        Tescenario e = escenario(metodo);
        const QString sqlAsientos =
            QStringLiteral("SELECT COUNT(*) FROM AsientosAplicados WHERE idNegocioFk = :negocio");
        const qint64 asientos = e.n->cuenta(sqlAsientos);
        const int t = envia(e, 10);
        QVERIFY(t > 0);
        QVERIFY2(cierra(e, t, recibir ? TaccionCierre::Recibir : TaccionCierre::Cancelar),
                 qPrintable(e.n->guion().textos().join(" | ")));
        const int receptor = recibir ? e.bodega : e.matriz, otro = recibir ? e.matriz : e.bodega;
        QCOMPARE(entradasPorTraspaso(e, receptor), entradas);
        QCOMPARE(entradasPorTraspaso(e, otro), QStringList());
        QCOMPARE(estado(e, t), recibir ? estadoTraspaso::kRecibido : estadoTraspaso::kCancelado);
        QCOMPARE(e.n->existencia(e.matriz, e.producto), recibir ? 5.0 : 15.0);
        QCOMPARE(e.n->existencia(e.bodega, e.producto), recibir ? 10.0 : -1.0);
        QCOMPARE(e.n->existenciaCapa(e.capas[0]) + e.n->existenciaCapa(e.capas[1]), 0.0);
        QCOMPARE(e.n->cuenta(sqlAsientos), asientos + 2); // the shipment's and the closing's
        QCOMPARE(verifica(e.n->sesion()), QStringList());
        // A closed transfer stays closed.
        QVERIFY(!cierra(e, t, TaccionCierre::Recibir));
        QCOMPARE(entradasPorTraspaso(e, receptor).size(), 3);
    }

    // Serial numbers, lot, declaration and properties of the consumed layer reappear on the new one.
    void cierreLlevaLoQueTraiaLaCapa_data() {
        QTest::addColumn<bool>("recibir");
        QTest::newRow("recibir") << true;
        QTest::newRow("cancelar") << false;
    }
    void cierreLlevaLoQueTraiaLaCapa() {
        QFETCH(bool, recibir);
        Tescenario e = escenario(kMetodoPEPS, 1);
        const int capa = e.capas[0];
        u_insertaFila(e.n->sesion(), QStringLiteral("inventarioLote"),
                      {{QStringLiteral("inventarioEntrada_id"), capa},
                       {QStringLiteral("numero"), QStringLiteral("L-77")}});
        u_insertaFila(e.n->sesion(), QStringLiteral("inventarioPedimento"),
                      {{QStringLiteral("inventarioEntrada_id"), capa},
                       {QStringLiteral("numeroPedimento"), QStringLiteral("P-9")}});
        u_insertaFila(e.n->sesion(), QStringLiteral("inventarioProductoPropiedad"),
                      {{QStringLiteral("inventarioEntrada_id"), capa},
                       {QStringLiteral("inventarioPropiedadListado_id"), 3},
                       {QStringLiteral("valor"), QStringLiteral("Rojo")}});
        const int t = envia(e, 2, QStringLiteral("2024-03-05 10:00:00"), [&](TdocumentoTraspaso &doc) {
            const QVariant serie = u_valorConsulta(
                e.n->sesion(), QStringLiteral("SELECT id FROM inventarioNoSerie WHERE numero = 'C1-3'"));
            QVERIFY(doc.setSeries(0, {serie.toInt()}));
        });
        QCOMPARE(t, 0); // one serial number short
        QVERIFY(e.n->guion().textos().join("").contains("Renglón 1 no se han capturado"));
        const int t2 = envia(e, 2, QStringLiteral("2024-03-05 10:00:00"), [&](TdocumentoTraspaso &doc) {
            const QVariant a = u_valorConsulta(
                e.n->sesion(), QStringLiteral("SELECT id FROM inventarioNoSerie WHERE numero = 'C1-3'"));
            const QVariant b = u_valorConsulta(
                e.n->sesion(), QStringLiteral("SELECT id FROM inventarioNoSerie WHERE numero = 'C1-1'"));
            QVERIFY(doc.setSeries(0, {a.toInt(), b.toInt()}));
        });
        QVERIFY2(t2 > 0, qPrintable(e.n->guion().textos().join(" | ")));
        QCOMPARE(verifica(e.n->sesion()), QStringList());
        QVERIFY(cierra(e, t2, recibir ? TaccionCierre::Recibir : TaccionCierre::Cancelar));
        const QVariant nueva = u_valorConsulta(
            e.n->sesion(),
            QStringLiteral("SELECT e.id FROM inventarioEntrada e JOIN inventarioMovimientoConcepto c "
                           "ON c.id = e.inventarioMovimientoConcepto_id WHERE c.familia = -2"));
        const TcamposPrueba id = {{QStringLiteral("e"), nueva}};
        TmiddleTier mt(e.n->sesion());
        mt.setQuery(QStringLiteral("SELECT numero FROM inventarioNoSerie WHERE inventarioEntrada_id = :e AND "
                                   "inventarioNoSerieEstado_id = 1 ORDER BY numero"));
        mt.setParametroEntero(QStringLiteral("e"), nueva.toInt());
        const CmidTierResponse series = mt.reader();
        QCOMPARE(series.getRowCount(), 2);
        QCOMPARE(series.getCelda(0, 0) + "," + series.getCelda(1, 0), QStringLiteral("C1-1,C1-3"));
        const QList<QPair<QString, QString>> copiados = {{"numero FROM inventarioLote", "L-77"},
                                                         {"numeroPedimento FROM inventarioPedimento", "P-9"},
                                                         {"valor FROM inventarioProductoPropiedad", "Rojo"}};
        for (const auto &[columna, esperado] : copiados)
            QCOMPARE(u_valorConsulta(e.n->sesion(),
                                     "SELECT " + columna + QStringLiteral(" WHERE inventarioEntrada_id = :e"),
                                     id)
                         .toString(),
                     esperado);
        QCOMPARE(verifica(e.n->sesion()), QStringList());
    }

    // The copies take many lines to a statement: each pair "origen>destino" names layers by index
    // ("A" is another business's layer); the lots stored afterwards as "layer:lot", in row order.
    void copiaPorPares_data() {
        QTest::addColumn<QString>("pares");
        QTest::addColumn<int>("filas"); // -1: refused without running
        QTest::addColumn<QStringList>("lotes");
        const QStringList antes = {"0:L-0", "1:L-1"};
        QTest::newRow("dos líneas de la misma capa")
            << "0>1,0>2" << 2 << antes + QStringList{"1:L-0", "2:L-0"};
        QTest::newRow("en el orden de las líneas") << "1>2,0>2" << 2 << antes + QStringList{"2:L-1", "2:L-0"};
        QTest::newRow("capa de otro negocio") << "A>1,0>2" << 1 << antes + QStringList{"2:L-0"};
        QTest::newRow("destino de otro negocio") << "0>A" << 0 << antes;
        QTest::newRow("sin pares") << "" << -1 << antes;
        QStringList muchas;
        for (int i = 0; i <= Ttraspaso::kLineasPorSentencia; ++i)
            muchas << QStringLiteral("0>1");
        QTest::newRow("más de las que caben") << muchas.join(',') << -1 << antes;
    }
    void copiaPorPares() {
        QFETCH(QString, pares);
        QFETCH(int, filas);
        QFETCH(QStringList, lotes);
        Tescenario ajeno = escenario(kMetodoPEPS, 0, QStringLiteral("Papelería del Sur"));
        Tescenario e = escenario(kMetodoPEPS);
        for (int i = 0; i < 2; ++i)
            QVERIFY(u_insertaFila(e.n->sesion(), QStringLiteral("inventarioLote"),
                                  {{QStringLiteral("inventarioEntrada_id"), e.capas[i]},
                                   {QStringLiteral("numero"), QStringLiteral("L-%1").arg(i)}}) > 0);
        QVERIFY(u_insertaFila(e.n->sesion(), QStringLiteral("inventarioLote"),
                              {{QStringLiteral("inventarioEntrada_id"), ajeno.capas[0]},
                               {QStringLiteral("numero"), QStringLiteral("L-X")}}) > 0);
        const auto capa = [&](const QString &indice) {
            return indice == QLatin1String("A") ? ajeno.capas[0] : e.capas[indice.toInt()];
        };
        QVector<TcopiaCapa> copias;
        for (const QString &par : pares.split(',', Qt::SkipEmptyParts))
            copias.append({capa(par.section('>', 0, 0)), capa(par.section('>', 1, 1))});
        const CmidTierResponse r = Ttraspaso(e.n->sesion()).copyLote(copias, e.n->negocio());
        QCOMPARE(r.isSuccess() ? int(r.getFilasAfectadas()) : -1, filas);
        QStringList guardados;
        for (const QString &fila :
             u_filasTexto(e.n->sesion(), QStringLiteral("SELECT inventarioEntrada_id, numero FROM "
                                                        "inventarioLote ORDER BY id"))) {
            const int indice = e.capas.indexOf(fila.section('|', 0, 0).toInt());
            if (indice >= 0)
                guardados << QStringLiteral("%1:%2").arg(indice).arg(fila.section('|', 1));
        }
        QCOMPARE(guardados, lotes);
    }

    // A closing of more lines than one copy statement takes: every received row carries the lot,
    // declaration and property value of the layer its line took from.
    void cierreDeMuchasLineas() {
        Tescenario e = escenario(kMetodoPEPS);
        const int extra = Ttraspaso::kLineasPorSentencia - 1;
        for (int i = 0; i < extra; ++i)
            e.capas << e.n->recibe(QStringLiteral("X%1").arg(i), e.matriz, e.producto,
                                   QStringLiteral("2024-03-04 %1:%2:00")
                                       .arg(8 + i / 60, 2, 10, QLatin1Char('0'))
                                       .arg(i % 60, 2, 10, QLatin1Char('0')),
                                   1, 5.0);
        QStringList esperados;
        for (int i = 0; i < e.capas.size(); ++i) {
            const TcamposPrueba entrada = {{QStringLiteral("inventarioEntrada_id"), e.capas[i]}};
            const QString n = QString::number(i);
            QVERIFY(u_insertaFila(e.n->sesion(), QStringLiteral("inventarioLote"),
                                  entrada + TcamposPrueba{{QStringLiteral("numero"), "L-" + n}}) > 0);
            QVERIFY(u_insertaFila(e.n->sesion(), QStringLiteral("inventarioPedimento"),
                                  entrada + TcamposPrueba{{QStringLiteral("numeroPedimento"), "P-" + n}}) >
                    0);
            QVERIFY(
                u_insertaFila(e.n->sesion(), QStringLiteral("inventarioProductoPropiedad"),
                              entrada + TcamposPrueba{{QStringLiteral("inventarioPropiedadListado_id"), 3},
                                                      {QStringLiteral("valor"), "V-" + n}}) > 0);
            esperados << QStringLiteral("L-%1|P-%1|V-%1").arg(n);
        }
        const int t = envia(e, 4 + 3 + 8 + extra);
        QVERIFY(t > 0);
        QCOMPARE(lineas(e, t).size(), Ttraspaso::kLineasPorSentencia + 2);
        QVERIFY(cierra(e, t, TaccionCierre::Recibir));
        QCOMPARE(
            u_filasTexto(e.n->sesion(),
                         QStringLiteral(
                             "SELECT l.numero, p.numeroPedimento, v.valor FROM inventarioEntrada n JOIN "
                             "inventarioMovimientoConcepto c ON c.id = n.inventarioMovimientoConcepto_id "
                             "AND c.familia = -2 JOIN inventarioLote l ON l.inventarioEntrada_id = n.id "
                             "JOIN inventarioPedimento p ON p.inventarioEntrada_id = n.id JOIN "
                             "inventarioProductoPropiedad v ON v.inventarioEntrada_id = n.id ORDER BY n.id")),
            esperados);
        QCOMPARE(verifica(e.n->sesion()), QStringList());
    }

    // A failed statement anywhere leaves nothing of the shipment or the closing, and the transfer in
    // transit.
    void fallaNoDejaNada_data() {
        QTest::addColumn<bool>("alCerrar");
        QTest::addColumn<QString>("sentencia");
        QTest::newRow("envío: encabezado") << false << "INSERT INTO inventarioTraspaso (";
        QTest::newRow("envío: número de serie") << false << "INSERT INTO inventarioTraspasoNoSerie";
        QTest::newRow("cierre: lote") << true << "INSERT INTO inventarioLote";
        QTest::newRow("cierre: número de serie") << true << "INSERT INTO inventarioNoSerie";
        QTest::newRow("cierre: la última escritura") << true << "UPDATE inventarioTraspaso SET";
    }
    void fallaNoDejaNada() {
        QFETCH(bool, alCerrar);
        QFETCH(QString, sentencia);
        Tescenario e = escenario(kMetodoPEPS, 1);
        auto conSeries = [&](TdocumentoTraspaso &doc) {
            QVector<int> ids;
            for (const char *n : {"C1-1", "C1-2", "C1-3", "C1-4"})
                ids << u_valorConsulta(e.n->sesion(),
                                       QStringLiteral("SELECT id FROM inventarioNoSerie WHERE "
                                                      "numero = :n"),
                                       {{QStringLiteral("n"), QString::fromLatin1(n)}})
                           .toInt();
            QVERIFY(doc.setSeries(0, ids));
        };
        const QStringList antes = estado(e);
        const auto falla = [sentencia](const QString &s) { return s.startsWith(sentencia); };
        int t = 0;
        if (!alCerrar) {
            u_fallaCuando(falla, 1);
            QCOMPARE(envia(e, 4, QStringLiteral("2024-03-05 10:00:00"), conSeries), 0);
            u_fallaCuando({}, 0);
            QCOMPARE(estado(e), antes);
            t = envia(e, 4, QStringLiteral("2024-03-05 10:00:00"), conSeries);
            QVERIFY(t > 0); // the same document goes through once the fault is gone
            return;
        }
        t = envia(e, 4, QStringLiteral("2024-03-05 10:00:00"), conSeries);
        QVERIFY(t > 0);
        const QStringList enviado = estado(e);
        u_fallaCuando(falla, 1);
        QVERIFY(!cierra(e, t, TaccionCierre::Recibir));
        u_fallaCuando({}, 0);
        QCOMPARE(estado(e), enviado);
        QCOMPARE(estado(e, t), estadoTraspaso::kEnTransito);
        QVERIFY(e.n->guion().textos().join("").contains("No se guardó nada"));
        QCOMPARE(verifica(e.n->sesion()), QStringList());
    }

    // Reception before the shipment, or before what the warehouse recorded, is refused.
    void fechaDeRecepcion_data() {
        QTest::addColumn<QString>("fecha");
        QTest::addColumn<bool>("aceptada");
        QTest::newRow("antes del envío") << "2024-03-05 09:59:59" << false;
        QTest::newRow("al enviarse") << "2024-03-05 10:00:00" << true;
    }
    void fechaDeRecepcion() {
        QFETCH(QString, fecha);
        QFETCH(bool, aceptada);
        Tescenario e = escenario(kMetodoPromedioPonderado);
        const int t = envia(e, 5);
        QVERIFY(t > 0);
        const QStringList antes = estado(e);
        QCOMPARE(cierra(e, t, TaccionCierre::Recibir, fecha), aceptada);
        if (!aceptada) {
            QCOMPARE(e.n->guion().textos(), QStringList{QStringLiteral("Revise fecha/hora de entrada")});
            QCOMPARE(estado(e), antes);
        }
    }

    // Two workstations close the same transfer at once: exactly one succeeds.
    void dosEstacionesCierranElMismo_data() {
        QTest::addColumn<bool>("otraRecibe");
        QTest::newRow("las dos reciben") << true;
        QTest::newRow("una recibe y otra cancela") << false;
    }
    void dosEstacionesCierranElMismo() {
        QFETCH(bool, otraRecibe);
        Tescenario e = escenario(kMetodoPEPS);
        const int t = envia(e, 10);
        QVERIFY(t > 0);
        TConexionSesion otraEstacion(e.n->sesion()->parametros());
        QVERIFY(otraEstacion.abre());
        TcierreTraspaso propia(e.n->sesion(), e.n->negocio()), otra(&otraEstacion, e.n->negocio());
        QVERIFY(propia.carga(t) && otra.carga(t));
        bool otraCerro = false;
        e.n->guion().limpia();
        e.n->guion().respuestas({true, true});
        // While this user reads the confirmation, the other workstation closes the transfer.
        e.n->guion().antesDePreguntar(QStringLiteral("¿Desea guardar"), [&] {
            otraCerro = otra.cierra(otraRecibe ? TaccionCierre::Recibir : TaccionCierre::Cancelar,
                                    TnegocioPrueba::fecha(QStringLiteral("2024-03-06 10:00:00")));
        });
        const bool propiaCerro = propia.cierra(TaccionCierre::Recibir,
                                               TnegocioPrueba::fecha(QStringLiteral("2024-03-06 11:00:00")));
        otraEstacion.cierraHiloActual();
        QVERIFY(otraCerro);
        QVERIFY(!propiaCerro);
        QCOMPARE(propia.ultimoFin(), TfinPosteo::Conflicto);
        QCOMPARE(entradasPorTraspaso(e, e.bodega).size() + entradasPorTraspaso(e, e.matriz).size(), 3);
        QCOMPARE(estado(e, t), otraRecibe ? estadoTraspaso::kRecibido : estadoTraspaso::kCancelado);
        QCOMPARE(verifica(e.n->sesion()), QStringList());
    }

    // The consistency check sees a transfer that no longer tells the same story as its movements.
    void verificacionVeLosTraspasos_data() {
        QTest::addColumn<QString>("cambio");
        QTest::addColumn<QString>("hallazgo");
        QTest::newRow("línea alterada") << "UPDATE inventarioTraspasoDetalle SET cantidad = cantidad + 1"
                                        << "los traspasos enviados suman 3 y las salidas por traspaso 2";
        QTest::newRow("recibido sin entradas")
            << "DELETE FROM inventarioEntrada WHERE inventarioMovimientoConcepto_id IN (SELECT id FROM "
               "inventarioMovimientoConcepto WHERE familia = -2)"
            << "los traspasos cerrados suman 2 y las entradas por traspaso 0";
        QTest::newRow("serie que no salió")
            << "UPDATE inventarioNoSerie SET inventarioNoSerieEstado_id = 1 WHERE "
               "inventarioSalida_id IS NOT NULL"
            << "del traspaso 1 no salió de su capa";
        QTest::newRow("serie que no llegó") << "DELETE FROM inventarioNoSerie WHERE numero = 'C1-2' AND "
                                               "inventarioSalida_id IS NULL"
                                            << "\"C1-2\" del traspaso 1 no llegó a su almacén";
    }
    void verificacionVeLosTraspasos() {
        QFETCH(QString, cambio);
        QFETCH(QString, hallazgo);
        Tescenario e = escenario(kMetodoPEPS, 1);
        const int t = envia(e, 2, QStringLiteral("2024-03-05 10:00:00"), [&](TdocumentoTraspaso &doc) {
            QVector<int> ids;
            for (const char *n : {"C1-1", "C1-2"})
                ids << u_valorConsulta(e.n->sesion(),
                                       QStringLiteral("SELECT id FROM inventarioNoSerie WHERE numero = :n"),
                                       {{QStringLiteral("n"), QString::fromLatin1(n)}})
                           .toInt();
            QVERIFY(doc.setSeries(0, ids));
        });
        QVERIFY(t > 0 && cierra(e, t, TaccionCierre::Recibir));
        QCOMPARE(verifica(e.n->sesion()), QStringList());
        TmiddleTier mt(e.n->sesion());
        mt.setQuery(cambio);
        QVERIFY(mt.nonQuery().isSuccess());
        const QString hallazgos = verifica(e.n->sesion()).join(QLatin1Char('\n'));
        QVERIFY2(hallazgos.contains(hallazgo), qPrintable(hallazgos));
    }

    // Another business's transfer: not listed, not read, not closed, not written to.
    void otroNegocioNoLoVe() {
        Tescenario ajeno = escenario(kMetodoPEPS, 0, QStringLiteral("Papelería del Sur"));
        const int t = envia(ajeno, 3);
        QVERIFY(t > 0);
        Tescenario e = escenario(kMetodoPEPS);
        Ttraspaso propio(e.n->sesion());
        const int negocio = e.n->negocio();
        QCOMPARE(propio.selectTraspaso({}, {}, {}, {}, negocio).getRowCount(), 0);
        QCOMPARE(propio.selectTraspasoEstado(t, negocio).getRowCount(), 0);
        QCOMPARE(propio.selectTraspasoDetalle(t, negocio).getRowCount(), 0);
        Rtraspaso r;
        QVERIFY(!propio.leeTraspaso(t, negocio, r));
        QCOMPARE(propio.updateTraspasoEstado(t, estadoTraspaso::kRecibido, negocio).getFilasAfectadas(), 0);
        QCOMPARE(propio.selectNoSeriePorTraspaso(t, negocio).getRowCount(), 0);
        const TcopiaCapa par{ajeno.capas[0], e.capas[0]};
        QCOMPARE(propio.copyLote({&par, 1}, negocio).getFilasAfectadas(), 0);
        TcierreTraspaso cierre(e.n->sesion(), negocio);
        QVERIFY(!cierre.carga(t));
        QCOMPARE(estado(ajeno, t), estadoTraspaso::kEnTransito);
        QCOMPARE(verifica(e.n->sesion()), QStringList());
    }

    // The list's filters; a typed % or quote is a letter.
    void filtrosDeLaLista_data() {
        QTest::addColumn<QString>("documento");
        QTest::addColumn<QString>("estado");
        QTest::addColumn<QList<int>>("documentos");
        QTest::newRow("todos, el más nuevo primero") << ""
                                                     << "" << QList<int>{12, 3, 2, 1};
        QTest::newRow("documento que contiene 1") << " 1 "
                                                  << "" << QList<int>{12, 1};
        QTest::newRow("por estado") << ""
                                    << "recibido" << QList<int>{2};
        QTest::newRow("por ciento") << "%"
                                    << "" << QList<int>{};
        QTest::newRow("comillas") << "1' OR '1'='1"
                                  << "" << QList<int>{};
    }
    void filtrosDeLaLista() {
        QFETCH(QString, documento);
        QFETCH(QString, estado);
        QFETCH(QList<int>, documentos);
        Tescenario e = escenario(kMetodoPEPS);
        for (const int d : {1, 2, 3, 12})
            QVERIFY(Ttraspaso(e.n->sesion())
                        .insertTraspaso(d, e.matriz, e.bodega,
                                        TnegocioPrueba::fecha(QStringLiteral("2024-03-04 10:00:00")), {}, 1,
                                        e.n->negocio())
                        .isSuccess());
        TmiddleTier mt(e.n->sesion());
        mt.setQuery(QStringLiteral(
            "UPDATE inventarioTraspaso SET inventarioTraspasoEstado_id = 2 WHERE documento = 2"));
        QVERIFY(mt.nonQuery().isSuccess());
        const CmidTierResponse r =
            Ttraspaso(e.n->sesion())
                .selectTraspaso(QVariant(), QVariant(), estado.isEmpty() ? QVariant() : QVariant(2),
                                Ttraspaso::filtroDocumento(documento), e.n->negocio());
        QVERIFY(r.isSuccess());
        QList<int> leidos;
        for (int f = 0; f < r.getRowCount(); ++f)
            leidos << r.getCeldaAsInt(f, QStringLiteral("inventarioTraspaso_documento"));
        QCOMPARE(leidos, documentos);
    }

    // "Agregar" refuses what cannot travel, with its message, and keeps the lines as they were.
    void agregarRechaza_data() {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<double>("cantidad");
        QTest::addColumn<QString>("mensaje");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("mismo almacén")
            << "mismo" << 1.0 << "Seleccione almacenes distintos de origen y destino";
        QTest::newRow("sin destino") << "sinDestino" << 1.0 << "Seleccione almacen de Destino";
        QTest::newRow("producto de otro negocio") << "ajeno" << 1.0 << "Seleccione un producto";
        QTest::newRow("cero") << "" << 0.0 << "Capture la cantidad a traspasar";
        QTest::newRow("negativa") << "" << -3.0 << "Capture la cantidad a traspasar";
        QTest::newRow("no es número") << "" << nan << "Capture la cantidad a traspasar";
        QTest::newRow("enorme") << "" << 1e300 << "Existencia insuficiente";
        QTest::newRow("más que la existencia") << "" << 4.0 << "Existencia insuficiente";
        QTest::newRow("antes del último movimiento") << "fecha" << 1.0 << "Revise fecha/hora de salida";
    }
    void agregarRechaza() {
        QFETCH(QString, caso);
        QFETCH(double, cantidad);
        QFETCH(QString, mensaje);
        // Another business first: the messages go to the fixture made last.
        Tescenario ajeno = escenario(kMetodoPEPS, 0, QStringLiteral("Papelería del Sur"));
        Tescenario e = escenario(kMetodoPEPS);
        TdocumentoTraspaso doc(e.n->sesion(), e.n->negocio());
        doc.setOrigen(e.matriz);
        doc.setDestino(e.bodega);
        doc.setFechaSalida(TnegocioPrueba::fecha(QStringLiteral("2024-03-05 10:00:00")));
        e.n->acepta();
        QVERIFY(doc.agregaAlDocumento(cuaderno(e), 12)); // 3 of the 15 are left
        const int lineas = int(doc.lineas().size());
        if (caso == "mismo")
            doc.setDestino(e.matriz);
        if (caso == "sinDestino")
            QVERIFY(!doc.setDestino(ajeno.bodega));
        if (caso == "fecha")
            doc.setFechaSalida(TnegocioPrueba::fecha(QStringLiteral("2024-03-02 10:00:00")));
        e.n->guion().limpia();
        TproductoSalida p = cuaderno(e);
        if (caso == "ajeno")
            p.id = ajeno.producto;
        QVERIFY(!doc.agregaAlDocumento(p, cantidad));
        QCOMPARE(e.n->guion().textos(), QStringList{mensaje});
        QCOMPARE(int(doc.lineas().size()), lineas);
    }
};

QTEST_GUILESS_MAIN(TpruebaTraspasos)
#include "tst_traspasos.moc"

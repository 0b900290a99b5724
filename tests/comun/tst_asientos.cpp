// The accounting hand-over and the invoice lookup: what a posting leaves in the journal tables,
// and that a failed posting leaves nothing.
#include "apoyo/UbasePrueba.h"
#include "apoyo/UfilasPrueba.h"
#include "comun/UNEG_movimientosInventario.h"
#include "comun/U_asientosContables.h"
#include "datos/UmiddleTier.h"

#include <QtTest>
#include <cmath>
#include <limits>

class TpruebaAsientos : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    int uNegocio = 0;
    int uOtroNegocio = 0;
    int uPlantilla = 0;

    TConexionSesion *sesion() const { return uBase->sesion(); }

    int creaPlantilla(int negocio, const QString &nombre) const {
        const int modulo =
            u_insertaFila(sesion(), QStringLiteral("ModuloAsientosContables"),
                          {{QStringLiteral("modulo"), 6101}, {QStringLiteral("nombre"), nombre}});
        return u_insertaFila(sesion(), QStringLiteral("AsientosContables"),
                             {{QStringLiteral("nombre"), nombre},
                              {QStringLiteral("ModuloAsientosContables_id"), modulo},
                              {QStringLiteral("cuentaCargo"), QStringLiteral("115.01")},
                              {QStringLiteral("cuentaAbono"), QStringLiteral("201.01")},
                              {QStringLiteral("idNegocioFk"), negocio}});
    }

    int creaComprobante(int negocio, const QString &serie) const {
        const int emisor = u_insertaFila(sesion(), QStringLiteral("Emisor"),
                                         {{QStringLiteral("nombre"), QStringLiteral("Papelera del Bajío")},
                                          {QStringLiteral("rfc"), QStringLiteral("PBA010101AB1")},
                                          {QStringLiteral("idNegocioFk"), negocio}});
        return u_insertaFila(
            sesion(), QStringLiteral("Comprobante"),
            {{QStringLiteral("uuid"), QStringLiteral("6F1C2A54-0B7D-4E88-9A1E-3C5D7E9F0A11")},
             {QStringLiteral("serie"), serie},
             {QStringLiteral("folio"), QStringLiteral("8812")},
             {QStringLiteral("fecha"), QDateTime(QDate(2024, 3, 14), QTime(10, 30))},
             {QStringLiteral("tipo"), 1},
             {QStringLiteral("subTotal"), 1000.0},
             {QStringLiteral("total"), 1160.0},
             {QStringLiteral("emisor"), emisor},
             {QStringLiteral("idNegocioFk"), negocio}});
    }

    // A movement concept of the business under that template, as a posting reads it.
    TconceptoMovimiento conceptoConPlantilla(int negocio, const QVariant &plantilla) const {
        const int id = u_insertaFila(sesion(), QStringLiteral("inventarioMovimientoConcepto"),
                                     {{QStringLiteral("etiqueta"), QStringLiteral("Compra")},
                                      {QStringLiteral("direccion"), 1},
                                      {QStringLiteral("AsientosContables_id"), plantilla},
                                      {QStringLiteral("idNegocioFk"), negocio}});
        return TmovimientosInventario(sesion()).selectConcepto(id, negocio);
    }
    TAsientoBasico plantillaDe(int negocio, int plantilla) const {
        return conceptoConPlantilla(negocio, plantilla).asiento;
    }

    TActivoconcepto concepto(const QString &descripcion, double subtotal, const TAsientoBasico &plantilla,
                             const TComprobante &comprobante = {}) const {
        TActivoconcepto c;
        c.setDescripcion(descripcion);
        c.setSubtotal(subtotal);
        c.setAsientoBasico(plantilla);
        c.setComprobante(comprobante);
        return c;
    }

    qint64 filas(const QString &tabla) const {
        return u_valorConsulta(sesion(), QStringLiteral("SELECT COUNT(*) FROM ") + tabla).toLongLong();
    }

    void sinAsientos() const {
        QCOMPARE(filas(QStringLiteral("AsientosAplicados")), 0);
        QCOMPARE(filas(QStringLiteral("AsientosAplicadosDetalle")), 0);
    }

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uNegocio = uBase->creaNegocio(QStringLiteral("Papelería El Lápiz"));
        uOtroNegocio = uBase->creaNegocio(QStringLiteral("Ferretería La Tuerca"));
        uPlantilla = creaPlantilla(uNegocio, QStringLiteral("Compra de mercancía"));
    }
    void cleanup() {
        TmiddleTier::setFallaEnSentencia(0);
        uBase.reset();
    }

    // The template comes with the concept that names it, only when it is the business's own.
    void plantillaLlegaConElConcepto_data() {
        QTest::addColumn<bool>("deOtroNegocio");
        QTest::addColumn<bool>("sinPlantilla");
        QTest::addColumn<bool>("llega");
        QTest::newRow("del negocio") << false << false << true;
        QTest::newRow("de otro negocio") << true << false << false;
        QTest::newRow("sin plantilla") << false << true << false;
    }
    void plantillaLlegaConElConcepto() {
        QFETCH(bool, deOtroNegocio);
        QFETCH(bool, sinPlantilla);
        QFETCH(bool, llega);
        const int ajena = creaPlantilla(uOtroNegocio, QStringLiteral("Ajena"));
        const TconceptoMovimiento c = conceptoConPlantilla(
            uNegocio, sinPlantilla ? QVariant() : QVariant(deOtroNegocio ? ajena : uPlantilla));
        QVERIFY(c.valido());
        QCOMPARE(c.asiento.valido(), llega);
        if (!llega)
            return;
        QCOMPARE(c.asiento.id, uPlantilla);
        QCOMPARE(c.asiento.nombre, QStringLiteral("Compra de mercancía"));
        QCOMPARE(c.asiento.modulo, 6101);
        QCOMPARE(c.asiento.cuentaCargo, QStringLiteral("115.01"));
        QCOMPARE(c.asiento.cuentaAbono, QStringLiteral("201.01"));
        QCOMPARE(c.asiento.idNegocio, uNegocio);
    }

    void comprobantePorId() {
        const int id = creaComprobante(uNegocio, QStringLiteral("A"));
        const TComprobante c = getComprobanteById(id, uNegocio, sesion());
        QVERIFY(c.valido());
        QCOMPARE(c.serie, QStringLiteral("A"));
        QCOMPARE(c.total, 1160.0);
        QCOMPARE(c.emisorRfc, QStringLiteral("PBA010101AB1"));
        QCOMPARE(c.fecha, QDateTime(QDate(2024, 3, 14), QTime(10, 30)));
        QVERIFY(!getComprobanteById(id, uOtroNegocio, sesion()).valido());
        QVERIFY(!getComprobanteById(0, uNegocio, sesion()).valido());
    }

    void aplicaEscribeEncabezadoYLineas() {
        const TAsientoBasico plantilla = plantillaDe(uNegocio, uPlantilla);
        const TComprobante factura =
            getComprobanteById(creaComprobante(uNegocio, QStringLiteral("A")), uNegocio, sesion());
        TAplicacionAsientoBPL bpl(
            {concepto(QStringLiteral("Cuaderno profesional"), 240.0, plantilla, factura),
             concepto(QStringLiteral("Lápiz HB"), 35.5, plantilla, factura)},
            QDate(2024, 3, 15), sesion(), uNegocio);
        const int id = bpl.aplica();
        QVERIFY(id > 0);

        TmiddleTier mt(sesion());
        mt.setQuery(QStringLiteral("SELECT fecha, AsientosContables_id, descripcion, total, idNegocioFk "
                                   "FROM AsientosAplicados WHERE id = :id"));
        mt.setParametroEntero(QStringLiteral("id"), id);
        const CmidTierResponse e = mt.reader();
        QCOMPARE(e.getRowCount(), 1);
        QCOMPARE(e.getCeldaAsDate(0, QStringLiteral("fecha")), QDate(2024, 3, 15).startOfDay());
        QCOMPARE(e.getCeldaAsInt(0, QStringLiteral("AsientosContables_id")), uPlantilla);
        QCOMPARE(e.getCelda(0, QStringLiteral("descripcion")), QStringLiteral("Compra de mercancía"));
        QCOMPARE(e.getCeldaAsFloat(0, QStringLiteral("total")), 275.5);
        QCOMPARE(e.getCeldaAsInt(0, QStringLiteral("idNegocioFk")), uNegocio);

        mt.setQuery(
            QStringLiteral("SELECT descripcion, subtotal, idComprobante, AsientosContables_id "
                           "FROM AsientosAplicadosDetalle WHERE AsientosAplicados_id = :id ORDER BY id"));
        mt.setParametroEntero(QStringLiteral("id"), id);
        const CmidTierResponse d = mt.reader();
        QCOMPARE(d.getRowCount(), 2);
        QCOMPARE(d.getCelda(1, QStringLiteral("descripcion")), QStringLiteral("Lápiz HB"));
        QCOMPARE(d.getCeldaAsFloat(1, QStringLiteral("subtotal")), 35.5);
        QCOMPARE(d.getCeldaAsInt(0, QStringLiteral("idComprobante")), factura.idComprobante);
        QCOMPARE(d.getCeldaAsInt(0, QStringLiteral("AsientosContables_id")), uPlantilla);
    }

    // A concept without a template is still journalled, without template; no invoice is null.
    void sinPlantillaNiComprobante() {
        const QString larga = QStringLiteral("Tornillo 'cabeza' \"plana\" ") + QString(300, QLatin1Char('x'));
        const int id = TAplicacionAsientoBPL({concepto(larga, 12.0, TAsientoBasico())}, QDate(2024, 1, 2),
                                             sesion(), uNegocio)
                           .aplica();
        QVERIFY(
            u_valorConsulta(sesion(), QStringLiteral("SELECT AsientosContables_id FROM AsientosAplicados"))
                .isNull());
        QVERIFY(
            u_valorConsulta(sesion(), QStringLiteral("SELECT idComprobante FROM AsientosAplicadosDetalle"))
                .isNull());
        QCOMPARE(u_valorConsulta(sesion(),
                                 QStringLiteral("SELECT descripcion FROM AsientosAplicadosDetalle "
                                                "WHERE AsientosAplicados_id = :id"),
                                 {{QStringLiteral("id"), id}})
                     .toString(),
                 larga.left(250));
    }

    void rechazaSinEscribir_data() {
        QTest::addColumn<double>("primero");
        QTest::addColumn<double>("segundo");
        QTest::addColumn<bool>("plantillaAjena");
        QTest::addColumn<bool>("sinNegocio");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("importe no numérico") << nan << 1.0 << false << false;
        QTest::newRow("total desbordado") << 1e308 << 1e308 << false << false;
        QTest::newRow("plantilla de otro negocio") << 1.0 << 2.0 << true << false;
        QTest::newRow("sin negocio") << 1.0 << 2.0 << false << true;
    }
    void rechazaSinEscribir() {
        QFETCH(double, primero);
        QFETCH(double, segundo);
        QFETCH(bool, plantillaAjena);
        QFETCH(bool, sinNegocio);
        const int ajena = creaPlantilla(uOtroNegocio, QStringLiteral("Ajena"));
        const TAsientoBasico plantilla =
            plantillaAjena ? plantillaDe(uOtroNegocio, ajena) : plantillaDe(uNegocio, uPlantilla);
        TAplicacionAsientoBPL bpl({concepto(QStringLiteral("uno"), primero, plantilla),
                                   concepto(QStringLiteral("dos"), segundo, plantilla)},
                                  QDate(2024, 3, 15), sesion(), sinNegocio ? 0 : uNegocio);
        QVERIFY_THROWS_EXCEPTION(TerrorAsiento, bpl.aplica());
        sinAsientos();
    }

    void listaVaciaRechazada() {
        TAplicacionAsientoBPL bpl({}, QDate(2024, 3, 15), sesion(), uNegocio);
        QVERIFY_THROWS_EXCEPTION(TerrorAsiento, bpl.aplica());
        sinAsientos();
    }

    // Every write of the entry, made to fail in turn: the entry raises and nothing remains.
    void fallaEnCualquierSentenciaNoDejaNada_data() {
        QTest::addColumn<int>("sentencia");
        QTest::newRow("encabezado") << 1;
        QTest::newRow("líneas") << 2;
    }
    void fallaEnCualquierSentenciaNoDejaNada() {
        QFETCH(int, sentencia);
        const TAsientoBasico plantilla = plantillaDe(uNegocio, uPlantilla);
        TAplicacionAsientoBPL bpl({concepto(QStringLiteral("uno"), 10.0, plantilla),
                                   concepto(QStringLiteral("dos"), 20.0, plantilla)},
                                  QDate(2024, 3, 15), sesion(), uNegocio);
        TmiddleTier::setFallaEnSentencia(sentencia);
        bool lanzo = false;
        try {
            bpl.aplica();
        } catch (const TerrorAsiento &e) {
            lanzo = true;
            QVERIFY(QString::fromStdString(e.what()).startsWith(QStringLiteral("No se registró el asiento")));
        }
        TmiddleTier::setFallaEnSentencia(0);
        QVERIFY(lanzo);
        sinAsientos();
        // The connection is left usable: the same entry posts once the fault is gone.
        QVERIFY(bpl.aplica() > 0);
        QCOMPARE(filas(QStringLiteral("AsientosAplicadosDetalle")), 2);
    }
};

QTEST_GUILESS_MAIN(TpruebaAsientos)
#include "tst_asientos.moc"

// The three report screens on the demo database, in the PEPS store and in the weighted-average
// one, through their widgets: each shows the store's data and exports it, and they agree with each
// other (the kardex's final value with the valuation, the valuation's quantities with the stock).
#include "apoyo/UbasePrueba.h"
#include "apoyo/UfilasPrueba.h"
#include "apoyo/UinteraccionGuionada.h"
#include "apoyo/UwidgetsPrueba.h"
#include "comun/U_bplpanelcontrol.h"
#include "comun/ui/UgridControl.h"
#include "existencias/UFRM_existencias.h"
#include "existencias/UFRM_productosNoSerie.h"
#include "existencias/UNEG_valuacion.h"
#include "existencias/U_historiaDemo.h"
#include "existencias/UconsultasPrueba.h"
#include "kardex/UFRM_kardex.h"

#include <QComboBox>
#include <QDateEdit>
#include <QtTest>
#include <cmath>

namespace {
const QString kGeneral = QStringLiteral("Almacén General");
const QString kTaladro = QStringLiteral("Taladro percutor 1/2\" 650 W");
} // namespace

class TpruebaConsultasDemo : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    historiaDemo::Tnegocios uNegocios;
    std::unique_ptr<TguionInstalado> uGuion;
    std::unique_ptr<TarchivosPrueba> uArchivos;
    int uNegocio = 0;

    void abreSesion() {
        QFETCH(bool, peps);
        uNegocio = peps ? uNegocios.peps : uNegocios.promedio;
        localSYS = uBase->sistema(uNegocio);
    }
    QVariant valor(const QString &sentencia, const TcamposPrueba &mas = {}) const {
        TcamposPrueba p = mas;
        p.append({QStringLiteral("negocio"), uNegocio});
        return u_valorConsulta(uBase->sesion(), sentencia, p);
    }
    int id(const char *tabla, const QString &nombre) const {
        return valor(QStringLiteral("SELECT id FROM %1 WHERE idNegocioFk = :negocio AND nombre = :nombre")
                         .arg(QString::fromLatin1(tabla)),
                     {{QStringLiteral("nombre"), nombre}})
            .toInt();
    }
    // Exports with the button and answers the file written.
    QString exporta(QWidget *pantalla, const char *boton) {
        const qsizetype antes = uArchivos->escritos.size();
        u_clicBoton(pantalla, QString::fromLatin1(boton));
        [&] { QVERIFY2(uArchivos->escritos.size() == antes + 1, boton); }();
        return uArchivos->escritos.value(antes);
    }
    void libroCon(const QString &ruta, const QString &texto) {
        TlectorXlsx libro;
        QVERIFY2(libro.abre(ruta), qPrintable(libro.error()));
        bool hallado = false;
        for (const auto &fila : libro.hoja(0))
            for (const TceldaXlsx &c : fila)
                hallado = hallado || c.valor == texto;
        QVERIFY2(hallado, qPrintable(texto));
    }
    static void ambasTiendas() {
        QTest::addColumn<bool>("peps");
        QTest::newRow("PEPS") << true;
        QTest::newRow("Promedio Ponderado") << false;
    }

private slots:
    void initTestCase() {
        uBase = std::make_unique<TbasePrueba>();
        QVERIFY2(uBase->valida() && uBase->sesion() && uBase->creaEsquema(), qPrintable(uBase->error()));
        QString error;
        uNegocios = historiaDemo::crea(uBase->sesion(), QDate::currentDate(), error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        uGuion = std::make_unique<TguionInstalado>();
        uArchivos = std::make_unique<TarchivosPrueba>();
    }
    void cleanupTestCase() {
        localSYS = TsistemaDatos();
        uArchivos.reset();
        uGuion.reset();
        uBase.reset();
    }

    // The kardex of the drill over the whole history: what its rows moved takes the value before
    // the range (the valuation's) to the value at its end, and it exports.
    void kardex_data() { ambasTiendas(); }
    void kardex() {
        abreSesion();
        TFRM_kardex pantalla;
        pantalla.resize(1400, 700);
        pantalla.show();
        QVERIFY(pantalla.init());
        u_hijo<QDateEdit>(&pantalla, QStringLiteral("DTP_fechaInicial"))
            ->setDate(QDate::currentDate().addYears(-1));
        auto *almacen = u_hijo<QComboBox>(&pantalla, QStringLiteral("CMB_almacen"));
        almacen->setCurrentIndex(almacen->findText(kGeneral));
        TproductoSeleccionadoDescripcion taladro;
        taladro.seleccionado = true;
        taladro.productoId = id("inventarioProducto", kTaladro);
        taladro.nombre = taladro.descripcion = kTaladro;
        pantalla.setProducto(taladro);
        QVERIFY(pantalla.gridControl()->filas() > 2);
        const TresumenKardex &r = pantalla.resumen();
        QVERIFY(r.entradas > 0 && r.salidas > 0);
        QVERIFY2(std::abs(r.inicial + r.entradas - r.salidas - r.final_) < 0.05,
                 qPrintable(QStringLiteral("%1 + %2 - %3 != %4")
                                .arg(r.inicial)
                                .arg(r.entradas)
                                .arg(r.salidas)
                                .arg(r.final_)));
        pantalla.grab().save(TbasePrueba::carpetaSalida() +
                             QStringLiteral("/demo_kardex_%1.png").arg(uNegocio));
        QVERIFY(exporta(&pantalla, "BTN_exportarPDF").endsWith(QLatin1String("Kardex.pdf")));
        libroCon(exporta(&pantalla, "BTN_exportarExcel"), QStringLiteral("Kardex"));
    }

    // The stock view and the valuation of today hold the same quantities; both export.
    void existenciasYValuacion_data() { ambasTiendas(); }
    void existenciasYValuacion() {
        abreSesion();
        TFRM_existencias pantalla;
        pantalla.resize(1300, 700);
        pantalla.show();
        QVERIFY(pantalla.init());
        const TGridControl *g = pantalla.gridControl();
        QVERIFY(g->filas() > 3);
        double existencias = 0;
        for (int f = 0; f < g->filas(); ++f)
            if (g->getValor(f, kAliasTipoRenglon).toInt() == kRenglonDetalle)
                existencias += g->getCeldaAsFloat(f, QStringLiteral("inventarioExistencias_existencia"));
        libroCon(exporta(&pantalla, "BTN_exportarExcelExistencias"), kTaladro);
        u_clicBoton(&pantalla, QStringLiteral("BTN_reporteConsolidado"));
        QVERIFY(g->filas() > 1);
        QCOMPARE(g->getCeldaAsFloat(g->filas() - 1, QStringLiteral("inventarioExistencias_existencia")),
                 existencias);
        u_clicBoton(&pantalla, QStringLiteral("BTN_valuacion"));
        const TreporteValuacion v = u_valuacion(uBase->sesion(), QDate::currentDate(), uNegocio);
        double valuadas = 0;
        for (const TvaluacionRenglon &r : v.renglones)
            valuadas += r.cantidad;
        QCOMPARE(valuadas, existencias);
        QVERIFY(v.total > 0);
        QCOMPARE(g->getCeldaAsFloat(g->filas() - 1, QStringLiteral("valuacion_valor")), v.total);
        pantalla.grab().save(TbasePrueba::carpetaSalida() +
                             QStringLiteral("/demo_valuacion_%1.png").arg(uNegocio));
        QVERIFY(exporta(&pantalla, "BTN_exportarExistenciasPDF").endsWith(QLatin1String(".pdf")));
    }

    // The serial numbers the demo received, some of them sold, and their export.
    void numerosDeSerie_data() { ambasTiendas(); }
    void numerosDeSerie() {
        abreSesion();
        TFRM_productosNoSerie pantalla;
        pantalla.resize(1300, 700);
        pantalla.show();
        QVERIFY(pantalla.init());
        const TGridControl *g = pantalla.gridControl();
        QCOMPARE(qint64(g->filas()),
                 valor(QStringLiteral("SELECT COUNT(*) FROM inventarioNoSerie ns JOIN inventarioEntrada e ON "
                                      "e.id = ns.inventarioEntrada_id WHERE e.idNegocioFk = :negocio"))
                     .toLongLong());
        QVERIFY(g->filas() > 0);
        bool vendido = false;
        for (int f = 0; f < g->filas(); ++f)
            vendido = vendido || !g->getCelda(f, QStringLiteral("inventarioSalida_fechahora")).isEmpty();
        QVERIFY(vendido);
        // A number that travelled and came back (the demo's cancelled transfer) is listed twice:
        // issued by the shipment, and in stock on the receipt that closed the transfer.
        QHash<QString, QStringList> estados;
        for (int f = 0; f < g->filas(); ++f)
            estados[g->getCelda(f, QStringLiteral("inventarioNoSerie_numero"))]
                << g->getCelda(f, QStringLiteral("inventarioNoSerieEstado_etiqueta"));
        const QString viajero =
            valor(QStringLiteral(
                      "SELECT MIN(ns.numero) FROM inventarioTraspasoNoSerie tn JOIN inventarioNoSerie ns "
                      "ON ns.id = tn.inventarioNoSerie_id JOIN inventarioTraspasoDetalle d ON d.id = "
                      "tn.inventarioTraspasoDetalle_id JOIN inventarioTraspaso t ON t.id = "
                      "d.inventarioTraspaso_id WHERE t.idNegocioFk = :negocio AND "
                      "t.inventarioTraspasoEstado_id = 3"))
                .toString();
        QVERIFY(!viajero.isEmpty());
        QStringList visto = estados.value(viajero);
        visto.sort();
        QCOMPARE(visto, QStringList({QStringLiteral("con salida"), QStringLiteral("en almacén")}));
        libroCon(exporta(&pantalla, "BTN_exportarExcelNoSerie"),
                 g->getCelda(0, QStringLiteral("inventarioNoSerie_numero")));
        QCOMPARE(uArchivos->propuestos.last(), QStringLiteral("No de Serie.xlsx"));
    }
};

QTEST_MAIN(TpruebaConsultasDemo)
#include "tst_consultasDemo.moc"

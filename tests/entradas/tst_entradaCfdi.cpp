// Receipts filled from a supplier's CFDI: the reader on both versions, the refusals, the product
// matching (key, barcode, the link remembered from last time) and one receipt captured from a CFDI
// through the screen and saved, with its stored rows checked.
#include "apoyo/UfilasPrueba.h"
#include "apoyo/UnegocioPrueba.h"
#include "apoyo/UwidgetsPrueba.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/UgridControl.h"
#include "datos/UfallaBaseDatos.h"
#include "datos/UmiddleTier.h"
#include "entradas/UFRM_entradaInventario.h"
#include "entradas/UNEG_entradaCfdi.h"
#include "entradas/UNEG_pedimento.h"

#include <QComboBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString kRfcNegocio = QStringLiteral("FCL990101XY2");
const QString kRfcProveedor = QStringLiteral("AND850101AB1");
const QString kUuid = QStringLiteral("6f1c2a8e-3b4d-4e5f-9a0b-1c2d3e4f5a6b");

struct Tconcepto {
    QString clave;
    QString cantidad;
    QString valorUnitario;
    QString descuento; // empty: no attribute
    QString pedimento; // empty: no customs entry
};

QString attr(const char *nombre, const QString &valor) {
    return valor.isEmpty()
               ? QString()
               : QStringLiteral(" %1=\"%2\"").arg(QString::fromLatin1(nombre), valor.toHtmlEscaped());
}

// A CFDI written for the tests. 3.3 and 4.0 differ in the namespace and the version only, as
// far as the receipt reads them.
QByteArray cfdi(const QList<Tconcepto> &conceptos, const QString &version = QStringLiteral("4.0"),
                const QString &tipo = QStringLiteral("I"), const QString &receptor = kRfcNegocio,
                const QString &uuid = kUuid) {
    const QString ns = version == QLatin1String("3.3") ? QStringLiteral("3") : QStringLiteral("4");
    QString x =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<cfdi:Comprobante "
                       "xmlns:cfdi=\"http://www.sat.gob.mx/cfd/%1\" "
                       "xmlns:tfd=\"http://www.sat.gob.mx/TimbreFiscalDigital\" Version=\"%2\" Serie=\"A\" "
                       "Folio=\"15\" Fecha=\"2026-12-01T10:00:00\"%3>\n")
            .arg(ns, version, attr("TipoDeComprobante", tipo));
    x += QStringLiteral(
             "<cfdi:Emisor Rfc=\"%1\" Nombre=\"Aceros del Norte\"/><cfdi:Receptor%2/>\n<cfdi:Conceptos>\n")
             .arg(kRfcProveedor, attr("Rfc", receptor));
    for (const Tconcepto &c : conceptos) {
        x += QStringLiteral("<cfdi:Concepto ClaveProdServ=\"31161500\"%1 Cantidad=\"%2\" ClaveUnidad=\"H87\" "
                            "Descripcion=\"Artículo %3\" ValorUnitario=\"%4\"%5>")
                 .arg(attr("NoIdentificacion", c.clave), c.cantidad, c.clave, c.valorUnitario,
                      attr("Descuento", c.descuento));
        x += QStringLiteral("<cfdi:Impuestos><cfdi:Traslados><cfdi:Traslado Base=\"1\" Impuesto=\"002\"/>"
                            "</cfdi:Traslados></cfdi:Impuestos>");
        if (!c.pedimento.isEmpty())
            x += QStringLiteral("<cfdi:InformacionAduanera%1/>").arg(attr("NumeroPedimento", c.pedimento));
        x += QStringLiteral("</cfdi:Concepto>\n");
    }
    x += QStringLiteral("</cfdi:Conceptos>\n<cfdi:Complemento><tfd:TimbreFiscalDigital Version=\"1.1\"%1/>"
                        "</cfdi:Complemento>\n</cfdi:Comprobante>\n")
             .arg(attr("UUID", uuid));
    return x.toUtf8();
}
} // namespace

class TpruebaEntradaCfdi : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<TnegocioPrueba> uNegocio;
    QTemporaryDir uCarpeta;
    int uMatriz = 0, uPieza = 0, uTornillo = 0, uTuerca = 0, uRondana = 0;

    TConexionSesion *sesion() const { return uBase->sesion(); }
    int negocio() const { return uNegocio->negocio(); }
    void ejecuta(const QString &sentencia, const TcamposPrueba &valores) const {
        TmiddleTier mt(sesion());
        mt.setQuery(sentencia);
        for (const auto &[nombre, valor] : valores)
            mt.setParametroVariant(nombre, valor);
        QVERIFY(mt.nonQuery().isSuccess());
    }
    int producto(const QString &nombre, const QString &clave, const QString &barras, int estatus = 1,
                 int idNegocio = 0) {
        return u_insertaFila(
            sesion(), QStringLiteral("inventarioProducto"),
            {{QStringLiteral("nombre"), nombre},
             {QStringLiteral("clave"), clave},
             {QStringLiteral("codigoBarras"), barras.isEmpty() ? QStringLiteral("") : barras},
             {QStringLiteral("unidadesMedida_id"), uPieza},
             {QStringLiteral("estatus"), estatus},
             {QStringLiteral("idNegocioFk"), idNegocio ? idNegocio : negocio()}});
    }
    int comprobante(const QString &uuid, int idNegocio) {
        return u_insertaFila(sesion(), QStringLiteral("Comprobante"),
                             {{QStringLiteral("uuid"), uuid},
                              {QStringLiteral("fecha"), QStringLiteral("2026-12-01 10:00:00")},
                              {QStringLiteral("tipo"), 1},
                              {QStringLiteral("idNegocioFk"), idNegocio}});
    }
    TllenadoCfdi llena(const QByteArray &xml) const {
        const TlecturaCfdi lectura = u_leeCfdi(xml);
        if (!lectura.ok())
            return {lectura.error, {}, {}, {}, {}};
        return TentradaCfdi(sesion(), negocio()).llena(lectura.cfdi);
    }
    QString escribe(const QByteArray &xml) {
        QFile f(uCarpeta.filePath(QStringLiteral("cfdi.xml")));
        return f.open(QIODevice::WriteOnly) && f.write(xml) == xml.size() ? f.fileName() : QString();
    }

private slots:
    void init() {
        QVERIFY(uCarpeta.isValid());
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uNegocio = std::make_unique<TnegocioPrueba>(*uBase, 1, QStringLiteral("Ferretería El Clavo"));
        ejecuta(QStringLiteral("UPDATE negocio SET rfc = :rfc WHERE id = :id"),
                {{QStringLiteral("rfc"), kRfcNegocio}, {QStringLiteral("id"), negocio()}});
        uMatriz = uNegocio->almacen(QStringLiteral("Matriz"));
        uNegocio->concepto(1, 1, QStringLiteral("Compra"));
        uPieza = uNegocio->fila(QStringLiteral("inventarioUnidadesMedida"),
                                {{QStringLiteral("descripcion"), QStringLiteral("Pieza")},
                                 {QStringLiteral("conjunto"), 1},
                                 {QStringLiteral("razon"), 1}});
        uTornillo =
            producto(QStringLiteral("Tornillo 1/4"), QStringLiteral("tor-14"), QStringLiteral("7501001"));
        uTuerca = producto(QStringLiteral("Tuerca 1/4"), QStringLiteral("TUE-14"), QStringLiteral("7501002"));
        uRondana = producto(QStringLiteral("Rondana"), QStringLiteral("RON-1"), QString());
        uNegocio->guion().limpia();
    }
    void cleanup() {
        u_fallaCuando({}, 0);
        localSYS = TsistemaDatos();
        uNegocio.reset();
        uBase.reset();
    }

    // Both versions: quantities, the unit cost after the line's discount, the customs data.
    void leeAmbasVersiones_data() {
        QTest::addColumn<QString>("version");
        QTest::newRow("4.0") << "4.0";
        QTest::newRow("3.3") << "3.3";
    }
    void leeAmbasVersiones() {
        QFETCH(QString, version);
        const TlecturaCfdi r =
            u_leeCfdi(cfdi({{QStringLiteral("TOR-14"), "10", "2.50", "5.00", "21  47  3807  8003832"},
                            {QStringLiteral("X-9"), "3", "100", "10", QString()},
                            {QString(), "0.5", "7", QString(), QString()}},
                           version));
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(r.cfdi.version, version);
        QCOMPARE(r.cfdi.uuid, kUuid.toUpper());
        QCOMPARE(r.cfdi.emisorRfc, kRfcProveedor);
        QCOMPARE(r.cfdi.conceptos.size(), 3);
        QCOMPARE(r.cfdi.conceptos[0].costoUnitarioNeto(), 2.0);
        QCOMPARE(r.cfdi.conceptos[0].pedimentos, QStringList{QStringLiteral("21  47  3807  8003832")});
        QCOMPARE(r.cfdi.conceptos[1].costoUnitarioNeto() * 3, 290.0);
        QCOMPARE(r.cfdi.conceptos[2].costoUnitarioNeto(), 7.0);
    }

    // The declaration dialog's parts: the official number spaced in four parts, its office code.
    void pedimentoEnPartes_data() {
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("esperado");
        QTest::addColumn<int>("aduana");
        QTest::newRow("como lo escribe el SAT") << "21  47  3807  8003832"
                                                << "21  47  3807  8003832" << 47;
        QTest::newRow("sin espacios") << "214738078003832"
                                      << "21  47  3807  8003832" << 47;
        QTest::newRow("otro formato") << " 21-47-3807 "
                                      << "21-47-3807" << -1;
    }
    void pedimentoEnPartes() {
        QFETCH(QString, numero);
        QFETCH(int, aduana);
        const Tpedimento p = u_pedimentoDeCfdi(numero);
        QTEST(p.numeroPedimento, "esperado");
        QCOMPARE(p.aduana, aduana);
        QVERIFY(!p.tieneFecha());
    }

    void rechazos_data() {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("mensaje");
        const QList<Tconcepto> uno{{QStringLiteral("TOR-14"), "1", "1", {}, {}}};
        QTest::newRow("otro receptor") << cfdi(uno, "4.0", "I", QStringLiteral("XAXX010101000"))
                                       << "El CFDI no está dirigido a este negocio: el RFC del receptor es "
                                          "\"XAXX010101000\" y el del negocio \"FCL990101XY2\".";
        QTest::newRow("egreso")
            << cfdi(uno, "4.0", "E")
            << "El CFDI no es un comprobante de ingreso del proveedor (tipo \"E\"); solo una "
               "factura de compra puede dar una entrada.";
        QTest::newRow("descuento mayor que el importe")
            << cfdi({{QStringLiteral("A"), "2", "10", "20.01", {}}})
            << "El CFDI tiene un descuento mayor que el importe en el concepto 1.";
        QTest::newRow("cantidad cero") << cfdi({{QStringLiteral("A"), "0", "10", {}, {}}})
                                       << "El CFDI tiene un valor no válido en el concepto 1 (Cantidad).";
        QTest::newRow("costo con comillas")
            << cfdi({{QStringLiteral("A"), "1", "1'; DROP TABLE x", {}, {}}}) << "(ValorUnitario)";
    }
    void rechazos() {
        QFETCH(QByteArray, xml);
        QFETCH(QString, mensaje);
        const TllenadoCfdi r = llena(xml);
        QVERIFY2(r.error.contains(mensaje), qPrintable(r.error));
        QVERIFY(r.renglones.isEmpty());
    }

    // A UUID already received by this business is refused; another business's receipt of it is
    // none of this business's concern.
    void uuidYaRecibido_data() {
        QTest::addColumn<bool>("propio");
        QTest::newRow("de este negocio") << true;
        QTest::newRow("de otro negocio") << false;
    }
    void uuidYaRecibido() {
        QFETCH(bool, propio);
        const int otro = uBase->creaNegocio(QStringLiteral("Otra"));
        const int dueno = propio ? negocio() : otro;
        u_insertaFila(sesion(), QStringLiteral("inventarioEntrada"),
                      {{QStringLiteral("documento"), 7},
                       {QStringLiteral("fechaHora"), QStringLiteral("2026-12-01 10:00:00")},
                       {QStringLiteral("inventarioAlmacen_id"), uMatriz},
                       {QStringLiteral("inventarioProducto_id"), uTornillo},
                       {QStringLiteral("idComprobante"), comprobante(kUuid.toUpper(), dueno)},
                       {QStringLiteral("idNegocioFk"), dueno}});
        const TllenadoCfdi r = llena(cfdi({{QStringLiteral("TOR-14"), "1", "1", {}, {}}}));
        QCOMPARE(r.error, propio ? QStringLiteral("El CFDI con UUID %1 ya está ligado a la entrada 7 de este "
                                                  "negocio.")
                                       .arg(kUuid.toUpper())
                                 : QString());
    }

    // Key (any case), barcode, nothing; never an inactive product or another business's.
    void productoPorClaveOBarras_data() {
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("producto");
        QTest::newRow("clave en otra caja") << "TOR-14"
                                            << "Tornillo 1/4";
        QTest::newRow("código de barras") << "7501002"
                                          << "Tuerca 1/4";
        QTest::newRow("desconocida") << "ZZ-1"
                                     << "Sin relacionar: Artículo ZZ-1";
        QTest::newRow("inactivo") << "INA-1"
                                  << "Sin relacionar: Artículo INA-1";
        QTest::newRow("de otro negocio") << "AJENO-1"
                                         << "Sin relacionar: Artículo AJENO-1";
        QTest::newRow("comillas") << "x' OR '1'='1"
                                  << "Sin relacionar: Artículo x' OR '1'='1";
    }
    void productoPorClaveOBarras() {
        QFETCH(QString, clave);
        producto(QStringLiteral("Inactivo"), QStringLiteral("INA-1"), QString(), 2);
        producto(QStringLiteral("Ajeno"), QStringLiteral("AJENO-1"), QString(), 1,
                 uBase->creaNegocio(QStringLiteral("Otra")));
        const TllenadoCfdi r = llena(cfdi({{clave, "4", "12.5", "2", "214738078003832"}}));
        QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
        QCOMPARE(r.renglones.size(), 1);
        QTEST(r.renglones[0].producto, "producto");
        QCOMPARE(r.renglones[0].cantidad, 4.0);
        QCOMPARE(r.renglones[0].costoUnitario, 12.0);
        QCOMPARE(r.renglones[0].informacion.pedimento.aduana, 47);
        QCOMPARE(r.proveedor.id, 0);
        QCOMPARE(r.proveedor.nombre, QStringLiteral("Aceros del Norte"));
    }

    // From the screen: provider registered when offered, the invoice linked by UUID, an unknown
    // line linked by hand, "Aceptar", and the stored rows. The next CFDI of that supplier finds
    // the product by the remembered link, even over a key that names another product here; the
    // same UUID is then refused.
    void recepcionDesdeLaPantalla() {
        const int factura = comprobante(kUuid.toUpper(), negocio());
        producto(QStringLiteral("Clavo"), QStringLiteral("ZZ-1"), QString(), 1,
                 uBase->creaNegocio(QStringLiteral("Otra")));
        localSYS = uBase->sistema(negocio());
        auto pantalla = std::make_unique<TFRM_entradaInventario>(localSYS);
        pantalla->prepara();
        for (const auto &[combo, texto] :
             {std::pair{"CMB_almacenes", "Matriz"}, std::pair{"CMB_concepto", "Compra"}}) {
            auto *c = u_hijo<QComboBox>(pantalla.get(), QString::fromLatin1(combo));
            c->setCurrentIndex(c->findText(QString::fromLatin1(texto)));
        }
        uNegocio->guion().respuestas({true}); // "¿Desea darlo de alta?"
        pantalla->tomaCfdi(
            escribe(cfdi({{QStringLiteral("TOR-14"), "10", "2.50", "5.00", "21  47  3807  8003832"},
                          {QStringLiteral("ZZ-1"), "3", "100", "10", QString()}})));
        QCOMPARE(pantalla->capturaActual().renglones().size(), 2);
        QCOMPARE(pantalla->gridControl()->getCelda(1, QStringLiteral("Producto")),
                 QStringLiteral("Sin relacionar: Artículo ZZ-1"));
        QCOMPARE(
            uNegocio->guion().textos().last(),
            QStringLiteral("Artículos sin producto relacionado: 1. Haga clic en el nombre de cada uno para "
                           "elegir su producto."));
        QCOMPARE(u_valorConsulta(sesion(),
                                 QStringLiteral("SELECT COUNT(*) FROM proveedor WHERE rfc = :r AND "
                                                "idNegocioFk = :n"),
                                 {{QStringLiteral("r"), kRfcProveedor}, {QStringLiteral("n"), negocio()}})
                     .toInt(),
                 1);
        pantalla->show();
        QVERIFY(pantalla->grab().save(TbasePrueba::carpetaSalida() +
                                      QStringLiteral("/captura_entrada_cfdi.png")));
        pantalla->tomaProductoRenglon(1, pantalla->capturaActual().productoPorId(uRondana));
        QCOMPARE(pantalla->gridControl()->getCelda(1, QStringLiteral("Producto")), QStringLiteral("Rondana"));

        // Another workstation received the invoice meanwhile: refused, nothing of this receipt written.
        const int ajena = u_insertaFila(sesion(), QStringLiteral("inventarioEntrada"),
                                        {{QStringLiteral("documento"), 99},
                                         {QStringLiteral("fechaHora"), QStringLiteral("2026-01-01 10:00:00")},
                                         {QStringLiteral("inventarioAlmacen_id"), uMatriz},
                                         {QStringLiteral("inventarioProducto_id"), uTuerca},
                                         {QStringLiteral("idComprobante"), factura},
                                         {QStringLiteral("idNegocioFk"), negocio()}});
        uNegocio->acepta();
        u_clicBoton(pantalla.get(), QStringLiteral("BTN_aceptar"));
        QCOMPARE(uNegocio->guion().textos().last(), kMensajeConflictoPosteo);
        ejecuta(QStringLiteral("DELETE FROM inventarioEntrada WHERE id = :id"),
                {{QStringLiteral("id"), ajena}});
        QCOMPARE(uNegocio->cuenta(QStringLiteral("SELECT COUNT(*) FROM inventarioEntrada WHERE idNegocioFk = "
                                                 ":negocio")),
                 0);
        // A failure while remembering the link rolls the whole receipt back.
        u_fallaCuando(
            [](const QString &s) { return s.contains(QLatin1String("INSERT INTO inventarioRelacionCfdi")); },
            0);
        uNegocio->acepta();
        u_clicBoton(pantalla.get(), QStringLiteral("BTN_aceptar"));
        u_fallaCuando({}, 0);
        QCOMPARE(uNegocio->cuenta(QStringLiteral("SELECT COUNT(*) FROM inventarioEntrada WHERE idNegocioFk = "
                                                 ":negocio")),
                 0);
        uNegocio->acepta();
        u_clicBoton(pantalla.get(), QStringLiteral("BTN_aceptar"));
        QCOMPARE(
            u_filasTexto(sesion(),
                         QStringLiteral("SELECT e.inventarioProducto_id, e.cantidad, e.costoUnitario, "
                                        "e.idComprobante, p.numeroPedimento, p.aduana FROM "
                                        "inventarioEntrada e LEFT JOIN inventarioPedimento p ON "
                                        "p.inventarioEntrada_id = e.id ORDER BY e.id")),
            (QStringList{QStringLiteral("%1|10|2|%2|21  47  3807  8003832|47").arg(uTornillo).arg(factura),
                         QStringLiteral("%1|3|96.6666666666667|%2||").arg(uRondana).arg(factura)}));
        QCOMPARE(
            u_filasTexto(sesion(), QStringLiteral("SELECT idNegocioFk, rfcProveedor, noIdentificacion, "
                                                  "inventarioProducto_id FROM inventarioRelacionCfdi")),
            QStringList{QStringLiteral("%1|%2|ZZ-1|%3").arg(negocio()).arg(kRfcProveedor).arg(uRondana)});

        producto(QStringLiteral("Clave ZZ-1 de aquí"), QStringLiteral("ZZ-1"), QString());
        const TllenadoCfdi segunda =
            llena(cfdi({{QStringLiteral("ZZ-1"), "1", "90", {}, {}}}, "3.3", "I", kRfcNegocio,
                       QStringLiteral("11111111-2222-3333-4444-555555555555")));
        QCOMPARE(segunda.renglones.value(0).productoID, uRondana);
        QVERIFY(segunda.proveedor.id > 0);
        QCOMPARE(llena(cfdi({{QStringLiteral("ZZ-1"), "1", "90", {}, {}}})).error,
                 QStringLiteral("El CFDI con UUID %1 ya está ligado a la entrada 1 de este negocio.")
                     .arg(kUuid.toUpper()));
    }
};

QTEST_MAIN(TpruebaEntradaCfdi)
#include "tst_entradaCfdi.moc"

// The receipt capture model without its screen: the concept rules of a return of an issue, the
// steps of "Agregar Producto", the invoice/provider exclusion, the barcode confined to the
// business, the selection after a removal, and "Aceptar" posting what was captured.
#include "apoyo/UnegocioPrueba.h"
#include "entradas/UNEG_capturaEntrada.h"

#include <QtTest>

class TpruebaModeloCapturaEntrada : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<TnegocioPrueba> uNegocio;
    std::unique_ptr<TcapturaEntrada> uCaptura;
    int uMatriz = 0, uTornillo = 0;

    TinteraccionGuionada &guion() const { return uNegocio->guion(); }
    int indice(const QVector<TopcionCaptura> &opciones, const QString &etiqueta) const {
        for (int i = 0; i < opciones.size(); ++i)
            if (opciones[i].etiqueta == etiqueta)
                return i;
        return -1;
    }
    void eligeConcepto(const QString &etiqueta) {
        uCaptura->eligeConcepto(indice(uCaptura->conceptos(), etiqueta));
    }
    void eligeMatriz() { uCaptura->eligeAlmacen(indice(uCaptura->almacenes(), QStringLiteral("Matriz"))); }
    REC_unidadMedidacomunicacion pieza() const {
        const TproductoSeleccionadoDescripcion p = uCaptura->productoPorId(uTornillo);
        return {true, p.unidadMedidaId, p.unidadMedidaEtiqueta, p.unidadMedidaConjunto,
                p.unidadMedidaRelacion};
    }
    TpasoAgregar agrega(const QString &cantidad, const QString &costo) {
        uCaptura->tomaProducto(uCaptura->productoPorId(uTornillo));
        uCaptura->tomaUnidadRecibida(pieza());
        uCaptura->setPie({cantidad, QStringLiteral("1"), costo});
        return uCaptura->agrega();
    }
    // A return of the issue of 6 of the 10 received at 4: the chooser's answer.
    UREC_seleccionarMovimiento salidaDevuelta() {
        const QString hace2h = fechaHora::aTextoBD(QDateTime::currentDateTime().addSecs(-7200));
        const QString hace1h = fechaHora::aTextoBD(QDateTime::currentDateTime().addSecs(-3600));
        uNegocio->recibe(QStringLiteral("E1"), uMatriz, uTornillo, hace2h, 10, 4);
        uNegocio->entrega(uMatriz, uTornillo, hace1h, 6);
        UREC_seleccionarMovimiento m;
        m.aceptar = true;
        m.productoID = uTornillo;
        m.cantidadMaxima = 6;
        m.costoUnitario = 4;
        m.movimientoID = int(uNegocio->cuenta(QStringLiteral(
            "SELECT MAX(id) FROM inventarioSalida s WHERE EXISTS (SELECT 1 FROM inventarioEntrada e "
            "WHERE e.id = s.inventarioEntrada_id AND e.idNegocioFk = :negocio)")));
        return m;
    }

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uNegocio = std::make_unique<TnegocioPrueba>(*uBase, 1, QStringLiteral("Ferretería El Clavo"));
        uMatriz = uNegocio->almacen(QStringLiteral("Matriz"));
        uNegocio->concepto(1, 1, QStringLiteral("Compra"));
        uNegocio->concepto(1, 2, QStringLiteral("Devolución de venta"));
        uNegocio->concepto(1, 1, QStringLiteral("ajustes"));
        uTornillo = uNegocio->productoEnCatalogo(QStringLiteral("Tornillo 1/4"), QStringLiteral("7501001"));
        uCaptura = std::make_unique<TcapturaEntrada>(uNegocio->sesion(), uNegocio->negocio());
        QVERIFY(uCaptura->reinicia());
        guion().limpia();
    }
    void cleanup() {
        uCaptura.reset();
        uNegocio.reset();
        uBase.reset();
    }

    // Choosing a return of an issue: it needs a warehouse, and with lines captured the user decides.
    void conceptoDeDevolucion_data() {
        QTest::addColumn<bool>("conAlmacen");
        QTest::addColumn<bool>("conLinea");
        QTest::addColumn<bool>("acepta");
        QTest::addColumn<QString>("concepto"); // the concept left chosen
        QTest::addColumn<bool>("modo");
        QTest::addColumn<int>("lineas");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("sin almacén") << false << false << true << "" << false << 0 << "Seleccione un almacén";
        QTest::newRow("sin líneas") << true << false << true << "Devolución de venta" << true << 0 << "";
        QTest::newRow("con líneas, Cancelar") << true << true << false << "Compra" << false << 1 << "";
        QTest::newRow("con líneas, Aceptar")
            << true << true << true << "Devolución de venta" << true << 0 << "";
    }
    void conceptoDeDevolucion() {
        QFETCH(bool, conAlmacen);
        QFETCH(bool, conLinea);
        QFETCH(bool, acepta);
        if (conAlmacen)
            eligeMatriz();
        eligeConcepto(QStringLiteral("Compra"));
        if (conLinea)
            QCOMPARE(agrega(QStringLiteral("3"), QStringLiteral("4")), TpasoAgregar::Agregado);
        guion().limpia();
        guion().respuestas({acepta});
        eligeConcepto(QStringLiteral("Devolución de venta"));
        QCOMPARE(guion().preguntas().size(), conLinea ? 1 : 0);
        QTEST(uCaptura->concepto().etiqueta, "concepto");
        QTEST(uCaptura->modoDevolucion(), "modo");
        QTEST(int(uCaptura->renglones().size()), "lineas");
        QTEST(guion().textos().value(0), "mensaje");
        // The product area works once a warehouse and a concept are chosen.
        QCOMPARE(uCaptura->areaProductoHabilitada(), conAlmacen);
    }

    // "Agregar Producto" asks the screen for what is missing and refuses what a return may not take.
    void pasosDeAgregar_data() {
        QTest::addColumn<QString>("cantidad");
        QTest::addColumn<QString>("costo");
        QTest::addColumn<int>("paso");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<QString>("cantidadQueda");
        QTest::newRow("sin cantidad") << ""
                                      << "4" << int(TpasoAgregar::PideCantidad) << ""
                                      << "";
        QTest::newRow("sin costo") << "2"
                                   << "" << int(TpasoAgregar::PideCosto) << ""
                                   << "2";
        QTest::newRow("cantidad con comilla")
            << "2'"
            << "4" << int(TpasoAgregar::Rechazado)
            << "El valor de Cantidad debe ser un número positivo, sin signos ni letras."
            << "2'";
        QTest::newRow("completa") << "2"
                                  << "4" << int(TpasoAgregar::Agregado) << ""
                                  << "";
    }
    void pasosDeAgregar() {
        QFETCH(int, paso);
        QFETCH(QString, cantidad);
        QFETCH(QString, costo);
        eligeMatriz();
        eligeConcepto(QStringLiteral("Compra"));
        QCOMPARE(int(agrega(cantidad, costo)), paso);
        QTEST(guion().textos().value(0), "mensaje");
        QTEST(uCaptura->pie().cantidad, "cantidadQueda");
        const bool agregado = paso == int(TpasoAgregar::Agregado);
        QCOMPARE(uCaptura->renglones().size(), agregado ? 1 : 0);
        // A line added leaves the area ready for the next product; otherwise the product stays.
        QCOMPARE(uCaptura->producto().seleccionado, !agregado);
        QCOMPARE(uCaptura->pie().factor, agregado ? QStringLiteral("1.0000") : QStringLiteral("1"));
    }

    // A return takes at most what was issued, at the cost, in one line; "Aceptar" posts it
    // against that issue.
    void devolucionDeSalida() {
        const UREC_seleccionarMovimiento salida = salidaDevuelta();
        QVERIFY(uCaptura->reinicia());
        eligeMatriz();
        eligeConcepto(QStringLiteral("Devolución de venta"));
        QCOMPARE(uCaptura->solicitudDevolucion().almacenID, uMatriz);
        QVERIFY(uCaptura->tomaMovimiento(salida));
        QVERIFY(!uCaptura->costoEditable());
        QCOMPARE(uCaptura->pie().cantidad, QStringLiteral("6"));
        QCOMPARE(uCaptura->textoCantidadRegistrada(), QStringLiteral("6"));
        guion().limpia();
        uCaptura->setPie({QStringLiteral("7"), QStringLiteral("1.0000"), QStringLiteral("4")});
        QCOMPARE(uCaptura->agrega(), TpasoAgregar::Rechazado);
        QCOMPARE(guion().textos(), QStringList{QStringLiteral("Capture una cantidad igual o menor a 6")});
        QCOMPARE(uCaptura->pie().cantidad, QStringLiteral("6"));
        uCaptura->setPie({QStringLiteral("2"), QStringLiteral("1.0000"), QStringLiteral("4")});
        QCOMPARE(uCaptura->agrega(), TpasoAgregar::Agregado);
        QVERIFY(!uCaptura->agregarLibre());
        uNegocio->acepta();
        QVERIFY(uCaptura->guardar(QDateTime::currentDateTime()));
        QCOMPARE(uNegocio->existencia(uMatriz, uTornillo), 6.0);
        QCOMPARE(uNegocio->cuenta(QStringLiteral(
                     "SELECT COUNT(*) FROM inventarioEntradaAdicional a JOIN inventarioEntrada e "
                     "ON e.id = a.inventarioEntrada_id WHERE e.idNegocioFk = :negocio")),
                 1);
    }

    // The invoice and the provider exclude each other; adjustments carry neither.
    void comprobanteOProveedor() {
        eligeMatriz();
        eligeConcepto(QStringLiteral("Compra"));
        uCaptura->tomaProveedor(
            {true, 7, QStringLiteral("Aceros del Norte"), QStringLiteral("ANO010101AB1")});
        guion().respuestas({false});
        QVERIFY(!uCaptura->preparaComprobante());
        QCOMPARE(uCaptura->proveedor().id, 7);
        UREC_comprobante factura;
        factura.aceptar = true;
        factura.id = 41;
        uCaptura->tomaComprobante(factura);
        QCOMPARE(uCaptura->proveedor().id, 0);
        QVERIFY(uCaptura->admiteComprobante());
        eligeConcepto(QStringLiteral("ajustes"));
        QVERIFY(!uCaptura->admiteComprobante());
        QCOMPARE(uCaptura->comprobante().id, 0);
    }

    // A barcode finds only this business's products, whatever is typed.
    void codigoDeBarras_data() {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<bool>("encontrado");
        QTest::newRow("propio, con espacios") << " 7501001 " << true;
        QTest::newRow("de otro negocio") << "7509999" << false;
        QTest::newRow("comilla") << "7501001' OR '1'='1" << false;
        QTest::newRow("vacío") << "" << false;
    }
    void codigoDeBarras() {
        QFETCH(QString, codigo);
        QFETCH(bool, encontrado);
        TnegocioPrueba(*uBase, TnegocioPrueba::Tlectura{QStringLiteral("Otra Ferretería")})
            .fila(QStringLiteral("inventarioProducto"),
                  {{QStringLiteral("nombre"), QStringLiteral("Ajeno")},
                   {QStringLiteral("codigoBarras"), QStringLiteral("7509999")},
                   {QStringLiteral("estatus"), 1}});
        QCOMPARE(uCaptura->tomaCodigoBarras(codigo), encontrado);
        QCOMPARE(uCaptura->producto().productoId, encontrado ? uTornillo : 0);
        QCOMPARE(guion().textos(),
                 encontrado ? QStringList() : QStringList{QStringLiteral("No se encontro coincidencia")});
    }

    // Removing a line keeps the selection on the line that takes its place.
    void seleccionTrasEliminar_data() {
        QTest::addColumn<int>("lineas");
        QTest::addColumn<int>("elimina");
        QTest::addColumn<int>("seleccion");
        QTest::newRow("en medio") << 3 << 1 << 1;
        QTest::newRow("la última") << 3 << 2 << 1;
        QTest::newRow("la única") << 1 << 0 << -1;
        QTest::newRow("fuera de rango") << 2 << 5 << 0;
    }
    void seleccionTrasEliminar() {
        QFETCH(int, lineas);
        QFETCH(int, elimina);
        eligeMatriz();
        eligeConcepto(QStringLiteral("Compra"));
        for (int i = 0; i < lineas; ++i)
            QCOMPARE(agrega(QString::number(i + 1), QStringLiteral("4")), TpasoAgregar::Agregado);
        uCaptura->selecciona(0);
        uCaptura->elimina(elimina);
        QTEST(uCaptura->seleccion(), "seleccion");
        QCOMPARE(int(uCaptura->renglones().size()), elimina < lineas ? lineas - 1 : lineas);
    }
};

QTEST_GUILESS_MAIN(TpruebaModeloCapturaEntrada)
#include "tst_modeloCapturaEntrada.moc"

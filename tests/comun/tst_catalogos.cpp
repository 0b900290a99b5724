// The catalogue logic below the screens: products with their stock limits, units of measure and
// providers, the lookups the pickers use, each read of one business, and every refusal.
#include "UnegocioCatalogos.h"
#include "comun/UNEG_productos.h"
#include "comun/U_productoCaptura.h"
#include "comun/U_productoSeleccionado.h"
#include "comun/U_proveedorCaptura.h"
#include "comun/U_unidadCaptura.h"

#include <QtTest>
#include <functional>

using Tcambio = std::function<void(TproductoCaptura &, const TnegocioCatalogos &, const TnegocioCatalogos &)>;
Q_DECLARE_METATYPE(Tcambio)

class TpruebaCatalogos : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    TnegocioCatalogos uN;

    TConexionSesion *sesion() const { return uBase->sesion(); }
    TresultadoCaptura guardaProducto(const TproductoCaptura &p) {
        return productoCaptura::guarda(sesion(), p, uN.id);
    }
    qint64 productos() {
        return u_valorConsulta(uBase->sesion(), QStringLiteral("SELECT COUNT(*) FROM inventarioProducto"))
            .toLongLong();
    }

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uN = creaNegocioCatalogos(*uBase, QStringLiteral("Ferretería El Clavo"));
    }
    void cleanup() {
        TmiddleTier::setFallaEnSentencia(0);
        uBase.reset();
    }

    void productoNuevoYEditadoConSusLimites() {
        const TresultadoCaptura alta = guardaProducto(productoValido(uN));
        QVERIFY2(alta.ok(), qPrintable(alta.mensaje));
        const TproductoSeleccionadoDescripcion p = u_productoPorId(sesion(), alta.id, uN.id);
        QVERIFY(p.seleccionado);
        QCOMPARE(p.clave, QStringLiteral("TOR-001"));
        QCOMPARE(p.descripcion, QStringLiteral("TOR-001 - Tornillo para madera 1/4\""));
        QCOMPARE(p.categoriaEtiqueta, QStringLiteral("Tornillos"));
        QCOMPARE(p.unidadMedidaEtiqueta, QStringLiteral("Caja de 12"));
        QCOMPARE(p.unidadMedidaConjunto, uN.conjuntoPiezas);
        QCOMPARE(p.unidadMedidaRelacionTexto(), QStringLiteral("12"));
        QCOMPARE(p.estatus, 1);
        QCOMPARE(p.estadoEtiqueta, QStringLiteral("Activo"));
        CmidTierResponse stock = Tproductos(sesion()).selectStockProducto(alta.id, uN.id);
        QCOMPARE(stock.getRowCount(), 2);
        QCOMPARE(stock.getCeldaAsFloat(0, QStringLiteral("inventarioStock_maximo")), 50.0);
        QVERIFY(stock.esNulo(1, QStringLiteral("inventarioStock_minimo")));

        // Inactive products may not be received; a limit cleared is gone, one set is written.
        TproductoCaptura cambio = productoValido(uN);
        cambio.id = alta.id;
        cambio.nombre = QStringLiteral("Tornillo para madera 1/4 x 2\"");
        cambio.estado = 2;
        cambio.limites[0].minimo.clear();
        cambio.limites[0].maximo.clear();
        cambio.limites[1].minimo = QStringLiteral("0.5");
        QVERIFY2(guardaProducto(cambio).ok(), "edición");
        const TproductoSeleccionadoDescripcion editado = u_productoPorId(sesion(), alta.id, uN.id);
        QCOMPARE(editado.nombre, QStringLiteral("Tornillo para madera 1/4 x 2\""));
        QCOMPARE(editado.estatus, 0);
        stock = Tproductos(sesion()).selectStockProducto(alta.id, uN.id);
        QVERIFY(stock.esNulo(0, QStringLiteral("inventarioStock_maximo")));
        QCOMPARE(stock.getCeldaAsFloat(1, QStringLiteral("inventarioStock_minimo")), 0.5);
        QCOMPARE(u_valorConsulta(uBase->sesion(), QStringLiteral("SELECT COUNT(*) FROM inventarioStock"))
                     .toLongLong(),
                 1);
    }

    void productoRechazado_data() {
        QTest::addColumn<Tcambio>("cambio");
        QTest::addColumn<QString>("mensaje");
        auto fila = [](const char *nombre, Tcambio c, const QString &m) { QTest::newRow(nombre) << c << m; };
        fila(
            "sin clave", [](auto &p, auto &, auto &) { p.clave = QStringLiteral("   "); },
            QStringLiteral("Capture la clave del producto."));
        fila(
            "sin nombre", [](auto &p, auto &, auto &) { p.nombre.clear(); },
            QStringLiteral("Capture el nombre del producto."));
        fila(
            "clave repetida", [](auto &p, auto &, auto &) { p.clave = QStringLiteral("tor-001"); },
            QStringLiteral("Ya existe un producto con la clave tor-001: Tornillo para madera 1/4\"."));
        fila(
            "código repetido", [](auto &p, auto &, auto &) { p.clave = QStringLiteral("OTRA"); },
            QStringLiteral("El código de barras 7501234000011 ya pertenece al producto Tornillo para madera "
                           "1/4\"."));
        fila(
            "categoría inexistente", [](auto &p, auto &, auto &) { p.categoria = QStringLiteral("0Z"); },
            QStringLiteral("Seleccione la categoría del producto."));
        fila(
            "unidad ajena", [](auto &p, auto &, auto &ajeno) { p.unidadMedidaId = ajeno.caja; },
            QStringLiteral("Seleccione la unidad de medida del producto."));
        fila(
            "mínimo con letras", [](auto &p, auto &, auto &) { p.limites[0].minimo = QStringLiteral("abc"); },
            QStringLiteral("El valor de mínimo en Almacén General debe ser un número positivo, sin signos ni "
                           "letras."));
        fila(
            "máximo negativo", [](auto &p, auto &, auto &) { p.limites[1].maximo = QStringLiteral("-5"); },
            QStringLiteral("El valor de máximo en Bodega Norte debe ser un número positivo, sin signos ni "
                           "letras."));
        fila(
            "máximo 1e308", [](auto &p, auto &, auto &) { p.limites[1].maximo = QStringLiteral("1e308"); },
            QStringLiteral("El valor de máximo en Bodega Norte debe ser un número positivo, sin signos ni "
                           "letras."));
        fila(
            "máximo enorme",
            [](auto &p, auto &, auto &) { p.limites[1].maximo = QStringLiteral("10000000000000"); },
            QStringLiteral("El valor de máximo en Bodega Norte es demasiado grande."));
        fila(
            "mínimo sobre máximo",
            [](auto &p, auto &, auto &) { p.limites[0].minimo = QStringLiteral("51"); },
            QStringLiteral("En Almacén General el mínimo no puede ser mayor que el máximo."));
        fila(
            "almacén ajeno", [](auto &p, auto &, auto &ajeno) { p.limites[1].almacenId = ajeno.bodega; },
            QStringLiteral("El almacén Bodega Norte no pertenece al negocio."));
        fila(
            "producto ajeno", [](auto &p, auto &, auto &) { p.id = 999999; },
            QStringLiteral("El producto ya no existe."));
    }
    void productoRechazado() {
        QFETCH(Tcambio, cambio);
        QFETCH(QString, mensaje);
        QVERIFY(guardaProducto(productoValido(uN)).ok());
        const TnegocioCatalogos ajeno = creaNegocioCatalogos(*uBase, QStringLiteral("Otro negocio"));
        TproductoCaptura p = productoValido(uN, QStringLiteral("TOR-002"));
        p.codigoBarras = QStringLiteral("7501234000028");
        if (QByteArray(QTest::currentDataTag()) == "código repetido")
            p.codigoBarras = QStringLiteral("7501234000011");
        cambio(p, uN, ajeno);
        const qint64 antes = productos();
        const qint64 limitesAntes =
            u_valorConsulta(uBase->sesion(), QStringLiteral("SELECT COUNT(*) FROM inventarioStock"))
                .toLongLong();
        const TresultadoCaptura r = guardaProducto(p);
        QCOMPARE(r.mensaje, mensaje);
        QCOMPARE(r.id, 0);
        QCOMPARE(productos(), antes);
        QCOMPARE(u_valorConsulta(uBase->sesion(), QStringLiteral("SELECT COUNT(*) FROM inventarioStock"))
                     .toLongLong(),
                 limitesAntes);
    }

    void textosHostilesSeGuardanComoSeEscriben() {
        TproductoCaptura p = productoValido(uN);
        p.clave = QStringLiteral("A'1%_");
        p.nombre =
            QStringLiteral("Robert'); DROP TABLE inventarioProducto;-- ") + QString(300, QLatin1Char('x'));
        p.descripcion = QStringLiteral("\"comillas\" y 'apóstrofos' ñ");
        const TresultadoCaptura r = guardaProducto(p);
        QVERIFY2(r.ok(), qPrintable(r.mensaje));
        const TproductoSeleccionadoDescripcion leido = u_productoPorId(sesion(), r.id, uN.id);
        QCOMPARE(leido.clave, QStringLiteral("A'1%_"));
        QCOMPARE(leido.nombre.size(), limites::kNombreProducto);
        QVERIFY(leido.nombre.startsWith(QStringLiteral("Robert'); DROP TABLE")));
        QCOMPARE(Tproductos(sesion())
                     .selectProductoPorId(r.id, uN.id)
                     .getCelda(0, "inventarioProducto_descripcion"),
                 p.descripcion);
        // The user's % and _ are letters to the search, not wildcards.
        TproductoCaptura otro = productoValido(uN, QStringLiteral("A11"));
        otro.codigoBarras.clear();
        QVERIFY(guardaProducto(otro).ok());
        QCOMPARE(Tproductos(sesion()).selectProductos(QStringLiteral("1%_"), {}, uN.id).getRowCount(), 1);
    }

    // Whichever statement of the save fails, nothing of the product or its limits remains.
    void cadaFallaRevierteElProducto() {
        TproductoCaptura base = productoValido(uN, QStringLiteral("BASE"));
        base.codigoBarras.clear();
        const int antes = TmiddleTier::sentenciasEjecutadas();
        QVERIFY(guardaProducto(base).ok());
        const int sentencias = TmiddleTier::sentenciasEjecutadas() - antes;
        QVERIFY(sentencias > 5);
        for (int n = 1; n <= sentencias; ++n) {
            TproductoCaptura p = productoValido(uN, QStringLiteral("F%1").arg(n));
            p.codigoBarras.clear();
            TmiddleTier::setFallaEnSentencia(n);
            const TresultadoCaptura r = guardaProducto(p);
            TmiddleTier::setFallaEnSentencia(0);
            QVERIFY2(!r.ok(), qPrintable(QStringLiteral("sentencia %1").arg(n)));
            QCOMPARE(
                u_valorConsulta(uBase->sesion(),
                                QStringLiteral("SELECT COUNT(*) FROM inventarioProducto WHERE clave = :c"),
                                {{QStringLiteral("c"), p.clave}})
                    .toLongLong(),
                0);
        }
        QCOMPARE(u_valorConsulta(
                     uBase->sesion(),
                     QStringLiteral("SELECT COUNT(*) FROM inventarioStock s WHERE NOT EXISTS (SELECT 1 "
                                    "FROM inventarioProducto p WHERE p.id = s.inventarioProducto_id)"))
                     .toLongLong(),
                 0);
    }

    void conMovimientosLaUnidadYLaSerieQuedanFijas() {
        const int id = guardaProducto(productoValido(uN)).id;
        u_insertaFila(uBase->sesion(), QStringLiteral("inventarioEntrada"),
                      {{QStringLiteral("documento"), 1},
                       {QStringLiteral("fechaHora"), QStringLiteral("2024-03-01 10:00:00.000")},
                       {QStringLiteral("inventarioAlmacen_id"), uN.matriz},
                       {QStringLiteral("inventarioProducto_id"), id},
                       {QStringLiteral("idNegocioFk"), uN.id}});
        TproductoCaptura p = productoValido(uN);
        p.id = id;
        p.unidadMedidaId = uN.pieza;
        const QString fijo =
            QStringLiteral("El producto ya tiene movimientos: no es posible cambiar su unidad de "
                           "medida ni el control de números de serie.");
        QCOMPARE(guardaProducto(p).mensaje, fijo);
        p.unidadMedidaId = uN.caja;
        p.controladoNoSerie = true;
        QCOMPARE(guardaProducto(p).mensaje, fijo);
        p.controladoNoSerie = false;
        p.nombre = QStringLiteral("Tornillo renombrado");
        QVERIFY(guardaProducto(p).ok());
    }

    void busquedas_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("categoria");
        QTest::addColumn<QStringList>("claves");
        QTest::newRow("todo") << ""
                              << "" << QStringList{"PIN-001", "TOR-001"};
        QTest::newRow("nombre") << "madera"
                                << "" << QStringList{"TOR-001"};
        QTest::newRow("clave") << "pin-0"
                               << "" << QStringList{"PIN-001"};
        QTest::newRow("código") << "7501234000028"
                                << "" << QStringList{"PIN-001"};
        QTest::newRow("categoría raíz") << ""
                                        << "0" << QStringList{"PIN-001", "TOR-001"};
        QTest::newRow("subcategoría") << ""
                                      << "0B" << QStringList{"PIN-001"};
        QTest::newRow("comodín literal") << "%"
                                         << "" << QStringList{};
    }
    void busquedas() {
        QFETCH(QString, texto);
        QFETCH(QString, categoria);
        QFETCH(QStringList, claves);
        QVERIFY(guardaProducto(productoValido(uN)).ok());
        TproductoCaptura pintura = productoValido(uN, QStringLiteral("PIN-001"));
        pintura.nombre = QStringLiteral("Pintura vinílica blanca");
        pintura.codigoBarras = QStringLiteral("7501234000028");
        pintura.categoria = uN.pinturas;
        QVERIFY(guardaProducto(pintura).ok());
        // Another business with the same key and text is never seen.
        const TnegocioCatalogos ajeno = creaNegocioCatalogos(*uBase, QStringLiteral("Otro negocio"));
        TproductoCaptura suyo = productoValido(ajeno, QStringLiteral("PIN-001"));
        suyo.nombre = QStringLiteral("Pintura para madera");
        QVERIFY(productoCaptura::guarda(sesion(), suyo, ajeno.id).ok());
        const CmidTierResponse r = Tproductos(sesion()).selectProductos(texto, categoria, uN.id);
        QVERIFY(r.isSuccess());
        QStringList halladas;
        for (int f = 0; f < r.getRowCount(); ++f)
            halladas << r.getCelda(f, QStringLiteral("inventarioProducto_clave"));
        halladas.sort();
        QCOMPARE(halladas, claves);
    }

    void otroNegocioNoSeVe() {
        const int id = guardaProducto(productoValido(uN)).id;
        const TnegocioCatalogos ajeno = creaNegocioCatalogos(*uBase, QStringLiteral("Otro negocio"));
        Tproductos t(sesion());
        QCOMPARE(t.selectProductos({}, {}, ajeno.id).getRowCount(), 0);
        QCOMPARE(t.selectProductoPorId(id, ajeno.id).getRowCount(), 0);
        QCOMPARE(t.selectProductoByCodigoBarras(QStringLiteral("7501234000011"), ajeno.id).getRowCount(), 0);
        QCOMPARE(t.selectProductoByCodigoBarras(QStringLiteral("7501234000011"), uN.id).getRowCount(), 1);
        // The same key is free in another business.
        TproductoCaptura suyo = productoValido(ajeno);
        QVERIFY(productoCaptura::guarda(sesion(), suyo, ajeno.id).ok());
    }

    void unidadesConConjuntoYRelacion_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("relacion");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("docena") << "Docena"
                                << "12"
                                << "";
        QTest::newRow("fracción") << "Media docena"
                                  << "6.5"
                                  << "";
        QTest::newRow("cero") << "Nada"
                              << "0"
                              << "El valor de la relación debe ser mayor a 0.";
        QTest::newRow("casi cero") << "Nada"
                                   << "0.0000000001"
                                   << "El valor de la relación debe ser mayor a 0.";
        QTest::newRow("negativa")
            << "Nada"
            << "-1"
            << "El valor de la relación debe ser un número positivo, sin signos ni letras.";
        QTest::newRow("letras")
            << "Nada"
            << "doce"
            << "El valor de la relación debe ser un número positivo, sin signos ni letras.";
        QTest::newRow("1e308")
            << "Nada"
            << "1e308"
            << "El valor de la relación debe ser un número positivo, sin signos ni letras.";
        QTest::newRow("enorme") << "Nada"
                                << "99999999999999"
                                << "El valor de la relación es demasiado grande.";
        QTest::newRow("vacía") << "Nada"
                               << " "
                               << "Capture un valor para la relación.";
        QTest::newRow("repetida") << "caja DE 12"
                                  << "12"
                                  << "Ya existe la unidad de medida caja DE 12.";
        QTest::newRow("sin nombre") << "  "
                                    << "1"
                                    << "Capture el nombre de la unidad de medida.";
    }
    void unidadesConConjuntoYRelacion() {
        QFETCH(QString, nombre);
        QFETCH(QString, relacion);
        QFETCH(QString, mensaje);
        const qint64 antes =
            u_valorConsulta(uBase->sesion(), QStringLiteral("SELECT COUNT(*) FROM inventarioUnidadesMedida"))
                .toLongLong();
        const TresultadoCaptura r = unidadCaptura::guarda(
            sesion(), {0, nombre, QStringLiteral("u"), uN.conjuntoPiezas, relacion}, uN.id);
        QCOMPARE(r.mensaje, mensaje);
        QCOMPARE(
            u_valorConsulta(uBase->sesion(), QStringLiteral("SELECT COUNT(*) FROM inventarioUnidadesMedida"))
                .toLongLong(),
            antes + (mensaje.isEmpty() ? 1 : 0));
        if (mensaje.isEmpty())
            QCOMPARE(u_valorConsulta(
                         uBase->sesion(),
                         QStringLiteral("SELECT razon * 10 FROM inventarioUnidadesMedida WHERE id = :id"),
                         {{QStringLiteral("id"), r.id}})
                         .toLongLong(),
                     qint64(relacion.toDouble() * 10));
    }

    void conjuntos() {
        const TresultadoCaptura peso =
            unidadCaptura::guardaConjunto(sesion(), 0, QStringLiteral(" Peso "), uN.id);
        QVERIFY(peso.ok());
        QCOMPARE(unidadCaptura::guardaConjunto(sesion(), 0, QStringLiteral("PESO"), uN.id).mensaje,
                 QStringLiteral("Ya existe el conjunto PESO."));
        QCOMPARE(unidadCaptura::guardaConjunto(sesion(), 0, QString(), uN.id).mensaje,
                 QStringLiteral("Capture el nombre del conjunto."));
        // Renaming keeps the row; a set of another business is not a place for a unit.
        QVERIFY(unidadCaptura::guardaConjunto(sesion(), peso.id, QStringLiteral("Masa"), uN.id).ok());
        const TnegocioCatalogos ajeno = creaNegocioCatalogos(*uBase, QStringLiteral("Otro negocio"));
        QCOMPARE(unidadCaptura::guarda(
                     sesion(), {0, QStringLiteral("Kilo"), {}, peso.id, QStringLiteral("1")}, ajeno.id)
                     .mensaje,
                 QStringLiteral("Seleccione el conjunto de la unidad de medida."));
        const QString largo(80, QLatin1Char('k'));
        const TresultadoCaptura kilo =
            unidadCaptura::guarda(sesion(), {0, largo, QStringLiteral("kilogramos"), peso.id, "1"}, uN.id);
        QVERIFY2(kilo.ok(), qPrintable(kilo.mensaje));
        QCOMPARE(
            u_valorConsulta(
                uBase->sesion(),
                QStringLiteral("SELECT LENGTH(descripcion) FROM inventarioUnidadesMedida WHERE id = :id"),
                {{QStringLiteral("id"), kilo.id}})
                .toLongLong(),
            limites::kUnidadDescripcion);
    }

    void proveedores_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("rfc");
        QTest::addColumn<QString>("correo");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("nuevo") << "Aceros del Norte"
                               << " adn010203ab1 "
                               << "ventas@adn.mx"
                               << "";
        QTest::newRow("rfc genérico repetido") << "Mostrador"
                                               << "XAXX010101000"
                                               << ""
                                               << "";
        QTest::newRow("sin nombre") << " "
                                    << ""
                                    << ""
                                    << "Capture el nombre del proveedor.";
        QTest::newRow("nombre repetido") << "tornillería central"
                                         << ""
                                         << ""
                                         << "Ya existe un proveedor con el nombre tornillería central.";
        QTest::newRow("rfc repetido") << "Otro"
                                      << "TCE990101AB2"
                                      << ""
                                      << "Ya existe un proveedor con el RFC TCE990101AB2.";
        QTest::newRow("rfc inválido") << "Otro"
                                      << "12345"
                                      << ""
                                      << "El RFC 12345 no es válido.";
        QTest::newRow("rfc con comilla") << "Otro"
                                         << "ABC'010101AB"
                                         << ""
                                         << "El RFC ABC'010101AB no es válido.";
        QTest::newRow("correo inválido") << "Otro"
                                         << ""
                                         << "ventas@"
                                         << "El correo electrónico ventas@ no es válido.";
    }
    void proveedores() {
        QFETCH(QString, nombre);
        QFETCH(QString, rfc);
        QFETCH(QString, correo);
        QFETCH(QString, mensaje);
        QVERIFY(
            proveedorCaptura::guarda(sesion(), {0, "Tornillería Central", "TCE990101AB2", {}, {}, {}}, uN.id)
                .ok());
        QVERIFY(proveedorCaptura::guarda(sesion(), {0, "Público", "XAXX010101000", {}, {}, {}}, uN.id).ok());
        const TresultadoCaptura r =
            proveedorCaptura::guarda(sesion(), {0, nombre, rfc, {}, {}, correo}, uN.id);
        QCOMPARE(r.mensaje, mensaje);
        QCOMPARE(u_valorConsulta(uBase->sesion(),
                                 QStringLiteral("SELECT COUNT(*) FROM proveedor WHERE idNegocioFk = :n"),
                                 {{QStringLiteral("n"), uN.id}})
                     .toLongLong(),
                 mensaje.isEmpty() ? 3 : 2);
        if (QByteArray(QTest::currentDataTag()) == "nuevo")
            QCOMPARE(
                u_valorConsulta(uBase->sesion(),
                                QStringLiteral("SELECT COUNT(*) FROM proveedor WHERE rfc = 'ADN010203AB1'"))
                    .toLongLong(),
                1);
    }
};

QTEST_GUILESS_MAIN(TpruebaCatalogos)
#include "tst_catalogos.moc"

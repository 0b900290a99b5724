// Physical count: the sheet of a warehouse (and category) of the business, saving under a name
// (multi-row, the name checked in the transaction, compared trimmed and without case), reopening
// with quantities and filters, overwriting in place, and a failure anywhere leaving nothing.
#include "apoyo/UnegocioPrueba.h"

#include "datos/UmiddleTier.h"
#include "existencias/UNEG_inventarioFisico.h"

#include <QtTest>

class TpruebaInventarioFisico : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;

    // Two warehouses; "Cuaderno" (category 01) in both, "Lápiz" (02) only in the first.
    struct Tescena {
        std::unique_ptr<TnegocioPrueba> n;
        int matriz = 0;
        int bodega = 0;
        int cuaderno = 0;
        int lapiz = 0;
    };

    Tescena escena() {
        Tescena e;
        e.n = std::make_unique<TnegocioPrueba>(*uBase, 1);
        e.matriz = e.n->almacen(QStringLiteral("Matriz"));
        e.bodega = e.n->almacen(QStringLiteral("Bodega"));
        e.cuaderno = e.n->producto(QStringLiteral("Cuaderno"));
        e.lapiz = e.n->producto(QStringLiteral("Lápiz"));
        categoriza(e, e.cuaderno, QStringLiteral("01"));
        categoriza(e, e.lapiz, QStringLiteral("02"));
        const QString dia = QStringLiteral("2024-03-01 09:00:00.000");
        e.n->recibe(QStringLiteral("C1"), e.matriz, e.cuaderno, dia, 10, 5);
        e.n->recibe(QStringLiteral("L1"), e.matriz, e.lapiz, dia, 4, 2);
        e.n->recibe(QStringLiteral("C2"), e.bodega, e.cuaderno, dia, 3, 5);
        return e;
    }

    static void categoriza(Tescena &e, int producto, const QString &clave) {
        TmiddleTier mt(e.n->sesion());
        mt.setQuery(
            QStringLiteral("UPDATE inventarioProducto SET inventarioCategoria_identidad = :c WHERE id = :p"));
        mt.setParametroTexto(QStringLiteral("c"), clave);
        mt.setParametroEntero(QStringLiteral("p"), producto);
        QVERIFY(mt.nonQuery().isSuccess());
    }

    static QStringList hoja(const QVector<TlineaConteo> &lineas) {
        QStringList s;
        for (const TlineaConteo &l : lineas)
            s << QStringLiteral("%1 %2/%3 %4")
                     .arg(l.nombre, l.existencia, l.existenciaFisica, l.diferencia());
        return s;
    }

    static UREC_inventarioFisicoIndice encabezado(const Tescena &e, const QString &nombre, int resultado) {
        UREC_inventarioFisicoIndice i;
        i.resultado = resultado;
        i.nombre = nombre;
        i.nota = QStringLiteral("Conteo de fin de mes");
        i.almacenID = e.matriz;
        i.almacenNombre = QStringLiteral("Matriz");
        i.categoriaID = QString();
        i.creacion = i.modificacion = TnegocioPrueba::fecha(QStringLiteral("2024-03-31 18:00:00.000"));
        i.negocioID = e.n->negocio();
        return i;
    }

    static QStringList guardados(const Tescena &e) {
        return {QString::number(e.n->cuenta(QStringLiteral(
                    "SELECT COUNT(*) FROM inventarioFisicoIndice WHERE idNegocioFk = :negocio"))),
                QString::number(e.n->cuenta(QStringLiteral(
                    "SELECT COUNT(*) FROM inventarioFisicoDetalle d JOIN inventarioFisicoIndice i ON i.id = "
                    "d.inventarioFisicoIndice_id WHERE i.idNegocioFk = :negocio")))};
    }

private slots:
    void init() { QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error())); }

    void hojaPorFiltros_data() {
        QTest::addColumn<QString>("categoria");
        QTest::addColumn<bool>("conAlmacen");
        QTest::addColumn<QStringList>("esperada");
        QTest::newRow("almacén") << QString() << true << QStringList{"Cuaderno 10/ ", "Lápiz 4/ "};
        QTest::newRow("almacén y categoría") << "01" << true << QStringList{"Cuaderno 10/ "};
        QTest::newRow("todos los almacenes")
            << QString() << false << QStringList{"Cuaderno 13/ ", "Lápiz 4/ "};
        QTest::newRow("categoría con comodín") << "%" << true << QStringList{};
    }

    // Only the business's stock rows; another business's warehouse and products never show.
    void hojaPorFiltros() {
        QFETCH(QString, categoria);
        QFETCH(bool, conAlmacen);
        QFETCH(QStringList, esperada);
        Tescena e = escena();
        TnegocioPrueba otro(*uBase, 1, QStringLiteral("Otra"));
        otro.recibe(QStringLiteral("X"), otro.almacen(), otro.producto(QStringLiteral("Borrador")),
                    QStringLiteral("2024-03-01 09:00:00.000"), 1, 1);
        QVector<TlineaConteo> lineas;
        QVERIFY(
            u_cargaHojaConteo(e.n->sesion(), categoria, conAlmacen ? e.matriz : 0, e.n->negocio(), lineas));
        for (QString &s : esperada)
            s = s.trimmed();
        QStringList obtenida = hoja(lineas);
        for (QString &s : obtenida)
            s = s.trimmed();
        QCOMPARE(obtenida, esperada);
    }

    // Saved, reopened with its quantities and filters, then overwritten under the same name typed
    // with other case and blanks: same id and creation date, new lines, a modification date.
    void guardaAbreSobreescribe() {
        Tescena e = escena();
        QVector<TlineaConteo> lineas;
        QVERIFY(u_cargaHojaConteo(e.n->sesion(), QString(), e.matriz, e.n->negocio(), lineas));
        lineas[0].existenciaFisica = QStringLiteral("12");
        lineas[1].existenciaFisica = QStringLiteral("0");
        UREC_inventarioFisicoIndice i = encabezado(e, QStringLiteral("Conteo Marzo"), 1);
        QCOMPARE(u_guardaConteo(e.n->sesion(), i, lineas), TfinGuardadoConteo::Guardado);
        QVERIFY(i.id > 0);

        UREC_inventarioFisicoIndice abierto;
        QVector<TlineaConteo> leidas;
        QVERIFY(u_abreConteo(e.n->sesion(), i.id, e.n->negocio(), abierto, leidas));
        QCOMPARE(hoja(leidas), (QStringList{"Cuaderno 10/12 2", "Lápiz 4/0 -4"}));
        QCOMPARE(abierto.almacenID, e.matriz);
        QCOMPARE(abierto.almacenNombre, QStringLiteral("Matriz"));
        QCOMPARE(abierto.nota, QStringLiteral("Conteo de fin de mes"));

        // The same name, new: refused in the transaction, nothing written.
        UREC_inventarioFisicoIndice repetido = encabezado(e, QStringLiteral(" conteo MARZO "), 1);
        QCOMPARE(u_guardaConteo(e.n->sesion(), repetido, lineas), TfinGuardadoConteo::NombreExistente);
        QCOMPARE(guardados(e), (QStringList{"1", "2"}));

        UREC_inventarioFisicoIndice sobre = encabezado(e, QStringLiteral(" conteo MARZO "), 2);
        sobre.nota = QStringLiteral("Segunda vuelta");
        sobre.modificacion = TnegocioPrueba::fecha(QStringLiteral("2024-04-01 08:00:00.000"));
        lineas.removeLast();
        lineas[0].existenciaFisica = QStringLiteral("9.5");
        QCOMPARE(u_guardaConteo(e.n->sesion(), sobre, lineas), TfinGuardadoConteo::Guardado);
        QCOMPARE(sobre.id, i.id);
        QVERIFY(u_abreConteo(e.n->sesion(), i.id, e.n->negocio(), abierto, leidas));
        QCOMPARE(hoja(leidas), QStringList{"Cuaderno 10/9.5 -0.5"});
        QCOMPARE(abierto.nombre, QStringLiteral("Conteo Marzo"));
        QCOMPARE(abierto.nota, QStringLiteral("Segunda vuelta"));
        QCOMPARE(abierto.creacion, i.creacion);
        QCOMPARE(abierto.modificacion, sobre.modificacion);
        QCOMPARE(guardados(e), (QStringList{"1", "1"}));
    }

    // Another business's count is neither opened nor listed, and its name does not collide.
    void otroNegocio() {
        Tescena e = escena();
        TnegocioPrueba otro(*uBase, 1, QStringLiteral("Otra"));
        UREC_inventarioFisicoIndice ajeno = encabezado(e, QStringLiteral("Conteo"), 1);
        ajeno.negocioID = otro.negocio();
        QCOMPARE(u_guardaConteo(e.n->sesion(), ajeno, {}), TfinGuardadoConteo::Guardado);
        UREC_inventarioFisicoIndice propio = encabezado(e, QStringLiteral("Conteo"), 1);
        QCOMPARE(u_guardaConteo(e.n->sesion(), propio, {}), TfinGuardadoConteo::Guardado);
        UREC_inventarioFisicoIndice abierto;
        QVector<TlineaConteo> leidas;
        QVERIFY(!u_abreConteo(e.n->sesion(), ajeno.id, e.n->negocio(), abierto, leidas));
        TinventarioFisico datos(e.n->sesion());
        QCOMPARE(datos.selectArchivosInventarioFisico(e.n->negocio()).getRowCount(), 1);
        // Overwriting by name reaches only the business's own count.
        UREC_inventarioFisicoIndice sobre = encabezado(e, QStringLiteral("conteo"), 2);
        QCOMPARE(u_guardaConteo(e.n->sesion(), sobre, {}), TfinGuardadoConteo::Guardado);
        QCOMPARE(sobre.id, propio.id);
    }

    void hostiles_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<int>("fin");
        QTest::newRow("vacío") << QString() << int(TfinGuardadoConteo::SinNombre);
        QTest::newRow("blancos") << "   " << int(TfinGuardadoConteo::SinNombre);
        QTest::newRow("comillas") << "O'Brien\"; DROP TABLE x" << int(TfinGuardadoConteo::Guardado);
        QTest::newRow("muy largo") << QString(300, QLatin1Char('n')) << int(TfinGuardadoConteo::Guardado);
    }

    void hostiles() {
        QFETCH(QString, nombre);
        QFETCH(int, fin);
        Tescena e = escena();
        UREC_inventarioFisicoIndice i = encabezado(e, nombre, 1);
        QCOMPARE(int(u_guardaConteo(e.n->sesion(), i, {})), fin);
        if (fin == int(TfinGuardadoConteo::Guardado)) {
            UREC_inventarioFisicoIndice abierto;
            QVector<TlineaConteo> leidas;
            QVERIFY(u_abreConteo(e.n->sesion(), i.id, e.n->negocio(), abierto, leidas));
            QCOMPARE(abierto.nombre, nombre.left(UREC_inventarioFisicoIndice::kLargoNombre));
        }
    }

    // A failure at any statement of a save (new or overwrite) leaves the saved counts as they were.
    void fallaEnCadaSentencia_data() {
        QTest::addColumn<int>("resultado");
        QTest::newRow("nuevo") << 1;
        QTest::newRow("sobreescribir") << 2;
    }

    void fallaEnCadaSentencia() {
        QFETCH(int, resultado);
        Tescena e = escena();
        QVector<TlineaConteo> lineas;
        QVERIFY(u_cargaHojaConteo(e.n->sesion(), QString(), e.matriz, e.n->negocio(), lineas));
        // Enough lines for more than one multi-row statement.
        while (lineas.size() < 450)
            lineas += lineas.first();
        UREC_inventarioFisicoIndice previo = encabezado(e, QStringLiteral("Previo"), 1);
        QCOMPARE(u_guardaConteo(e.n->sesion(), previo, lineas.mid(0, 1)), TfinGuardadoConteo::Guardado);
        const QStringList antes = guardados(e);
        for (int n = 1;; ++n) {
            QVERIFY2(n < 30, "the save never completes");
            UREC_inventarioFisicoIndice i =
                encabezado(e, resultado == 1 ? QStringLiteral("Nuevo") : QStringLiteral("previo"), resultado);
            TmiddleTier::setFallaEnSentencia(n);
            const TfinGuardadoConteo fin = u_guardaConteo(e.n->sesion(), i, lineas);
            TmiddleTier::setFallaEnSentencia(0);
            if (fin == TfinGuardadoConteo::Guardado)
                break;
            QCOMPARE(fin, TfinGuardadoConteo::Fallido);
            QCOMPARE(guardados(e), antes);
        }
        QCOMPARE(guardados(e).last().toInt(), antes.last().toInt() + 450 - (resultado == 2 ? 1 : 0));
    }
};

QTEST_GUILESS_MAIN(TpruebaInventarioFisico)
#include "tst_inventarioFisico.moc"

// A lock conflict met by any statement of a posting (MariaDB's deadlock or lock wait) runs the
// whole posting again, and the document is written once, as if nothing had happened. SQLite's
// writers queue at BEGIN IMMEDIATE instead, so there the same failure ends the posting with
// nothing written and the capture kept; saving again writes it once.
#include "apoyo/UnegocioPrueba.h"

#include "datos/UcodigosInventario.h"
#include "datos/UfallaBaseDatos.h"
#include "datos/UmiddleTier.h"

#include <QtTest>

namespace {

// Fails the first statement containing `fragmento` that runs inside a transaction, once, with
// the engine's error `codigo`: the checks a document runs before its posting are left alone.
// `pendiente` turns false once it has failed one.
std::function<bool(const QString &)> fallaUnaVezDentro(const QString &fragmento,
                                                       const std::shared_ptr<bool> &pendiente) {
    auto dentro = std::make_shared<bool>(false);
    return [=](const QString &s) {
        if (s.startsWith(QLatin1String("START TRANSACTION")) || s.startsWith(QLatin1String("BEGIN")))
            *dentro = true;
        else if (s == QLatin1String("COMMIT") || s == QLatin1String("ROLLBACK"))
            *dentro = false;
        if (!*dentro || !*pendiente || !s.contains(fragmento))
            return false;
        *pendiente = false;
        return true;
    };
}

} // namespace

class TpruebaReintentoPosteo : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;

    // A business with two layers of one product: R1 4 at 2.00, R2 8 at 3.00.
    struct Tnegocio {
        Tnegocio(TbasePrueba &base, int metodo, const QString &nombre) : n(base, metodo, nombre) {
            n.recibe(QStringLiteral("R1"), almacen, producto, QStringLiteral("2024-03-01 09:00:00"), 4, 2.0);
            n.recibe(QStringLiteral("R2"), almacen, producto, QStringLiteral("2024-03-02 09:00:00"), 8, 3.0);
        }
        TnegocioPrueba n;
        int almacen = n.almacen();
        int producto = n.producto(QStringLiteral("Cuaderno"));

        // The document under test, an issue of 6 (over both layers) or a receipt R3 of 5 at 4.00:
        // how many saves it took (saved again when a save wrote nothing; 0 when none saved it).
        int mueve(bool salida) {
            const QString fecha = QStringLiteral("2024-03-05 10:00:00");
            std::unique_ptr<TdocumentoSalida> doc = salida ? n.documentoSalida(almacen, fecha) : nullptr;
            TproductoSalida p;
            p.id = producto;
            p.nombre = QStringLiteral("Cuaderno");
            if (doc && !doc->agregarProducto(p, 6))
                return 0;
            for (int guardado = 1; guardado <= 2; ++guardado) {
                n.guion().limpia();
                n.acepta();
                if (doc ? doc->guardar()
                        : n.recibe(QStringLiteral("R3"), almacen, producto, fecha, 5, 4.0) > 0)
                    return guardado;
            }
            return 0;
        }

        // The ledger, the stock, and how many receipt documents, issue rows and journal entries.
        QStringList estado() const {
            return n.kardex() +
                   QStringList{
                       QString::number(n.existencia(almacen, producto)),
                       QString::number(n.cuenta(QStringLiteral(
                           "SELECT COUNT(DISTINCT documento) FROM inventarioEntrada WHERE idNegocioFk = "
                           ":negocio"))),
                       QString::number(n.cuenta(QStringLiteral(
                           "SELECT COUNT(*) FROM inventarioSalida s JOIN inventarioEntrada e ON e.id = "
                           "s.inventarioEntrada_id WHERE e.idNegocioFk = :negocio"))),
                       QString::number(n.cuenta(QStringLiteral(
                           "SELECT COUNT(*) FROM AsientosAplicados WHERE idNegocioFk = :negocio")))};
        }
    };

private slots:
    void init() { QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error())); }
    void cleanup() {
        u_fallaCuando({}, 0);
        uBase.reset();
    }

    // Each row breaks a statement whose failure the postings once told through a flag, a -1 or a
    // bare success check, or one of the runner's own reads.
    void conflictoDeBloqueoCorreElPosteoDeNuevo_data() {
        QTest::addColumn<bool>("salida");
        QTest::addColumn<int>("metodo");
        QTest::addColumn<QString>("sentencia");
        QTest::addColumn<int>("codigo");
        QTest::newRow("salida: estado de los productos")
            << true << int(kMetodoPEPS) << QStringLiteral("MAX(k.grupo)") << 1213;
        QTest::newRow("salida: capas abiertas")
            << true << int(kMetodoPEPS) << QStringLiteral("existencia > 0 AND") << 1205;
        QTest::newRow("salida: renglones de salida")
            << true << int(kMetodoPEPS) << QStringLiteral("INSERT INTO inventarioSalida") << 1213;
        QTest::newRow("salida: renglones del kardex")
            << true << int(kMetodoPromedioPonderado) << QStringLiteral("INSERT INTO inventarioKardex")
            << 1213;
        QTest::newRow("salida: renglón de existencias")
            << true << int(kMetodoPEPS) << QStringLiteral("UPDATE inventarioExistencias") << 1205;
        QTest::newRow("salida: último movimiento del almacén")
            << true << int(kMetodoPEPS) << QStringLiteral("MAX(e.fechaHora)") << 1205;
        QTest::newRow("entrada: estado de los productos")
            << false << int(kMetodoPromedioPonderado) << QStringLiteral("MAX(k.grupo)") << 1205;
        QTest::newRow("entrada: renglones de entrada")
            << false << int(kMetodoPEPS) << QStringLiteral("INSERT INTO inventarioEntrada ") << 1213;
        QTest::newRow("entrada: enlace con el proveedor")
            << false << int(kMetodoPEPS) << QStringLiteral("INSERT INTO inventarioEntradaProveedor") << 1213;
    }

    void conflictoDeBloqueoCorreElPosteoDeNuevo() {
        QFETCH(bool, salida);
        QFETCH(int, metodo);
        QFETCH(QString, sentencia);
        QFETCH(int, codigo);
        Tnegocio referencia(*uBase, metodo, QStringLiteral("Referencia"));
        QCOMPARE(referencia.mueve(salida), 1);

        Tnegocio negocio(*uBase, metodo, QStringLiteral("Papelería Morelos"));
        const bool mysql = uBase->esMySQL();
        // SQLite's own lock failure (SQLITE_BUSY) stands for MariaDB's.
        const auto pendiente = std::make_shared<bool>(true);
        u_fallaCuando(fallaUnaVezDentro(sentencia, pendiente), mysql ? codigo : 5);
        QCOMPARE(negocio.mueve(salida), mysql ? 1 : 2);
        u_fallaCuando({}, 0);
        QVERIFY2(!*pendiente, "the posting never ran that statement");
        QCOMPARE(negocio.estado(), referencia.estado());
    }
};

QTEST_GUILESS_MAIN(TpruebaReintentoPosteo)
#include "tst_reintentoPosteo.moc"

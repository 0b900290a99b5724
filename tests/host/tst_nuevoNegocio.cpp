// The first-run business dialog: the fiscal address captured part by part and stored that way,
// and what it refuses before writing anything.
#include "apoyo/UbasePrueba.h"
#include "apoyo/UfilasPrueba.h"
#include "apoyo/UwidgetsPrueba.h"
#include "datos/UmiddleTier.h"
#include "host/UFRM_nuevoNegocio.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

class TpruebaNuevoNegocio : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<TFRM_nuevoNegocio> uDialogo;

    void escribe(const char *campo, const QString &texto) {
        QLineEdit *t = u_hijo<QLineEdit>(uDialogo.get(), QString::fromLatin1(campo));
        t->clear();
        t->insert(texto); // as typed or pasted: the field's length limit applies
    }
    void llenaDatosFiscales() {
        escribe("TXT_nombre", QStringLiteral("Tlapalería El Nogal"));
        escribe("TXT_rfc", QStringLiteral("tno030917br6"));
        escribe("TXT_razonSocial", QStringLiteral("Tlapalería El Nogal, S. de R.L. de C.V."));
    }
    QStringList negociosGuardados() const {
        return u_filasTexto(uBase->sesion(),
                            QStringLiteral("SELECT nombre, calle, numeroExterior, numeroInterior, colonia, "
                                           "codigoPostal, municipio, estado FROM negocio ORDER BY id"));
    }

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uDialogo = std::make_unique<TFRM_nuevoNegocio>(uBase->sesion());
        uDialogo->show();
    }
    void cleanup() {
        uDialogo.reset();
        uBase.reset();
    }

    void guardaElDomicilioPorPartes() {
        llenaDatosFiscales();
        escribe("TXT_calle", QStringLiteral("  Calle \"Hidalgo\"'; DROP TABLE negocio; -- "));
        escribe("TXT_numeroExterior", QStringLiteral("218"));
        escribe("TXT_numeroInterior", QStringLiteral("B"));
        escribe("TXT_colonia", QStringLiteral("Centro"));
        escribe("TXT_codigoPostal", QStringLiteral("45500"));
        escribe("TXT_municipio", QStringLiteral("San Pedro Tlaquepaque"));
        escribe("TXT_estado", QStringLiteral("Jalisco"));
        u_clicBoton(uDialogo.get(), QStringLiteral("BTN_aceptar"));
        QCOMPARE(uDialogo->result(), int(QDialog::Accepted));
        QCOMPARE(
            negociosGuardados(),
            QStringList{QStringLiteral("Tlapalería El Nogal|Calle \"Hidalgo\"'; DROP TABLE negocio; --|218|B|"
                                       "Centro|45500|San Pedro Tlaquepaque|Jalisco")});
        const TNegocio negocio = TNegocio::carga(uBase->sesion(), uDialogo->idNegocio());
        QCOMPARE(negocio.getDatosFiscales().domicilio.enUnaLinea(),
                 QStringLiteral("Calle \"Hidalgo\"'; DROP TABLE negocio; -- 218 B Centro 45500 San Pedro "
                                "Tlaquepaque Jalisco"));
    }

    // Every address part is optional; a postal code, when given, is five digits.
    void codigoPostal_data() {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<bool>("guarda");
        QTest::newRow("vacío") << "" << true;
        QTest::newRow("cinco dígitos") << "01000" << true;
        QTest::newRow("con letra") << "4550A" << false;
        QTest::newRow("corto") << "455" << false;
    }
    void codigoPostal() {
        QFETCH(QString, codigo);
        QFETCH(bool, guarda);
        llenaDatosFiscales();
        escribe("TXT_codigoPostal", codigo);
        u_clicBoton(uDialogo.get(), QStringLiteral("BTN_aceptar"));
        QCOMPARE(negociosGuardados().size(), guarda ? 1 : 0);
        QCOMPARE(u_hijo<QLabel>(uDialogo.get(), QStringLiteral("LBL_msg"))->text(),
                 guarda ? QString() : QStringLiteral("El código postal debe tener 5 dígitos."));
        QCOMPARE(uDialogo->isVisible(), !guarda);
    }
};

QTEST_MAIN(TpruebaNuevoNegocio)
#include "tst_nuevoNegocio.moc"

// The invoice selection driven through its widgets: which invoices each side lists, the UUID
// filter, the day range, and what the picked invoice carries back.
#include "apoyo/UinteraccionGuionada.h"
#include "apoyo/UnegocioPrueba.h"
#include "comun/ui/UFRM_seleccionarComprobante.h"
#include "comun/ui/U_bplpanelcontrol.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

namespace {
const QDate kDia(2024, 3, 14);
}

class TpruebaSeleccionarComprobante : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<TguionInstalado> uGuion;
    std::unique_ptr<TFRM_seleccionarComprobante> uDialogo;
    std::unique_ptr<TnegocioPrueba> uTienda, uAjena;
    int uNegocio = 0;
    int uEmisor = 0;
    int uReceptor = 0;

    int factura(const TnegocioPrueba &n, int tipo, const QString &serie, const QString &uuid,
                const QDateTime &fecha, double total) const {
        const bool egreso = tipo == 1 || tipo == 11;
        return n.fila(QStringLiteral("Comprobante"), {{QStringLiteral("uuid"), uuid},
                                                      {QStringLiteral("serie"), serie},
                                                      {QStringLiteral("folio"), QStringLiteral("100")},
                                                      {QStringLiteral("fecha"), fecha},
                                                      {QStringLiteral("tipo"), tipo},
                                                      {QStringLiteral("subTotal"), total / 1.16},
                                                      {QStringLiteral("total"), total},
                                                      {QStringLiteral("metodoDePago"), QStringLiteral("PUE")},
                                                      {QStringLiteral("emisor"), egreso ? uEmisor : 0},
                                                      {QStringLiteral("receptor"), egreso ? 0 : uReceptor}});
    }
    QDateTime a(int hora, int minuto = 0, int segundo = 0, int dias = 0) const {
        return QDateTime(kDia.addDays(dias), QTime(hora, minuto, segundo));
    }

    template <typename T = QWidget> T *control(const QString &nombre) const {
        T *w = uDialogo->findChild<T *>(nombre);
        if (!w)
            qWarning() << "no existe el control" << nombre;
        return w;
    }
    QTableWidget *grid() const { return control<QTableWidget>(QStringLiteral("GRD_comprobantes")); }
    int columna(const QString &encabezado) const {
        for (int c = 0; c < grid()->columnCount(); ++c)
            if (grid()->horizontalHeaderItem(c)->text() == encabezado)
                return c;
        return -1;
    }
    QStringList columnaVisible(const QString &encabezado) const {
        QStringList textos;
        for (int f = 0; f < grid()->rowCount(); ++f)
            textos << grid()->item(f, columna(encabezado))->text();
        return textos;
    }
    void abre(bool ingresos) {
        uDialogo->prepara(ingresos, fechaHora::aTDateTime(QDateTime(kDia, QTime(12, 0))));
        uDialogo->show();
    }
    void clic(const QString &nombre) const { QTest::mouseClick(control(nombre), Qt::LeftButton); }

private slots:
    void init() {
        QVERIFY2(u_baseConEsquema(uBase), qPrintable(uBase->error()));
        uTienda = std::make_unique<TnegocioPrueba>(
            *uBase, TnegocioPrueba::Tlectura{QStringLiteral("Papelería El Lápiz")});
        uAjena = std::make_unique<TnegocioPrueba>(
            *uBase, TnegocioPrueba::Tlectura{QStringLiteral("Ferretería La Tuerca")});
        uNegocio = uTienda->negocio();
        localSYS = uBase->sistema(uNegocio);
        uGuion = std::make_unique<TguionInstalado>();
        uEmisor = uTienda->fila(QStringLiteral("Emisor"),
                                {{QStringLiteral("nombre"), QStringLiteral("Papelera del Bajío")},
                                 {QStringLiteral("rfc"), QStringLiteral("PBA010101AB1")}});
        uReceptor = uTienda->fila(QStringLiteral("Receptor"),
                                  {{QStringLiteral("nombre"), QStringLiteral("Escuela Juárez")},
                                   {QStringLiteral("rfc"), QStringLiteral("EJU990101XY2")}});
        factura(*uTienda, 1, QStringLiteral("A"), QStringLiteral("AAAA1111-0000-4000-8000-000000000001"),
                a(9), 1160.0);
        factura(*uTienda, 11, QStringLiteral("NC"), QStringLiteral("BBBB2222-0000-4000-8000-000000000002"),
                a(23, 59, 59), 116.0);
        factura(*uTienda, 1, QStringLiteral("B"), QStringLiteral("CCCC3333-0000-4000-8000-000000000003"),
                a(0, 0, 0, 1), 2320.0);
        factura(*uTienda, 0, QStringLiteral("F"), QStringLiteral("DDDD4444-0000-4000-8000-000000000004"),
                a(10), 580.0);
        factura(*uTienda, 12, QStringLiteral("NCF"), QStringLiteral("EEEE5555-0000-4000-8000-000000000005"),
                a(11), 58.0);
        factura(*uTienda, 2, QStringLiteral("P"), QStringLiteral("FFFF6666-0000-4000-8000-000000000006"),
                a(12), 10.0);
        factura(*uAjena, 1, QStringLiteral("X"), QStringLiteral("AAAA9999-0000-4000-8000-000000000009"), a(9),
                99.0);
        uDialogo = std::make_unique<TFRM_seleccionarComprobante>();
    }
    void cleanup() {
        uDialogo.reset();
        uGuion.reset();
        localSYS = TsistemaDatos();
        uTienda.reset();
        uAjena.reset();
        uBase.reset();
    }

    void cadaLadoListaSusComprobantesDelDia_data() {
        QTest::addColumn<bool>("ingresos");
        QTest::addColumn<QStringList>("series");
        QTest::addColumn<QString>("rfc");
        QTest::newRow("egresos: emitidas por el proveedor")
            << false << QStringList{"A 100", "NC 100"} << "PBA010101AB1";
        QTest::newRow("ingresos: recibidas por el cliente")
            << true << QStringList{"F 100", "NCF 100"} << "EJU990101XY2";
    }
    void cadaLadoListaSusComprobantesDelDia() {
        QFETCH(bool, ingresos);
        QFETCH(QStringList, series);
        QFETCH(QString, rfc);
        abre(ingresos);
        QCOMPARE(control<QRadioButton>(QStringLiteral("RAD_ingresos"))->isChecked(), ingresos);
        QCOMPARE(control<QRadioButton>(QStringLiteral("RAD_egresos"))->isChecked(), !ingresos);
        QCOMPARE(columnaVisible(QStringLiteral("Serie\\folio")), series);
        QCOMPARE(columnaVisible(QStringLiteral("RFC")), QStringList(series.size(), rfc));
        QVERIFY(control<QLabel>(QStringLiteral("LBL_msgGRDcomprobantes"))->isHidden());
        QVERIFY(grid()->isColumnHidden(columna(QStringLiteral("_comorobante_id"))));
        QVERIFY(grid()->isColumnHidden(columna(QStringLiteral("_serie"))));
        QVERIFY(!grid()->isColumnHidden(columna(QStringLiteral("UUID"))));
        uDialogo->grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/seleccionarComprobante.png"));
    }

    void importesConFormatoMoneda() {
        abre(false);
        QCOMPARE(columnaVisible(QStringLiteral("Total")), (QStringList{"$ 1,160.00", "$ 116.00"}));
        QCOMPARE(columnaVisible(QStringLiteral("Fecha")).first(), QStringLiteral("14/03/2024 09:00"));
    }

    void cambiarDeLadoRecarga() {
        abre(false);
        clic(QStringLiteral("RAD_ingresos"));
        QCOMPARE(columnaVisible(QStringLiteral("Serie\\folio")), (QStringList{"F 100", "NCF 100"}));
    }

    void ampliarElRangoYBuscar() {
        abre(false);
        control<QDateEdit>(QStringLiteral("DTP_final"))->setDate(kDia.addDays(1));
        clic(QStringLiteral("BTN_buscar"));
        QCOMPARE(columnaVisible(QStringLiteral("Serie\\folio")), (QStringList{"A 100", "NC 100", "B 100"}));
        control<QDateEdit>(QStringLiteral("DTP_inicial"))->setDate(kDia.addDays(1));
        QTest::keyClick(control(QStringLiteral("DTP_inicial")), Qt::Key_Return);
        QCOMPARE(columnaVisible(QStringLiteral("Serie\\folio")), QStringList{"B 100"});
    }

    void filtroPorUuid_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QStringList>("series");
        QTest::newRow("pieza") << "bbbb2222" << QStringList{"NC 100"};
        QTest::newRow("blancos = sin filtro") << "   " << QStringList{"A 100", "NC 100"};
        QTest::newRow("comodín tomado literal") << "%" << QStringList{};
        QTest::newRow("guion bajo literal") << "AAAA_111" << QStringList{};
        QTest::newRow("comillas") << "' OR 1=1 --" << QStringList{};
    }
    void filtroPorUuid() {
        QFETCH(QString, texto);
        QFETCH(QStringList, series);
        abre(false);
        QTest::keyClicks(control(QStringLiteral("TXT_comprobante")), texto);
        QTest::keyClick(control(QStringLiteral("TXT_comprobante")), Qt::Key_Return);
        QCOMPARE(columnaVisible(QStringLiteral("Serie\\folio")), series);
        clic(QStringLiteral("BTN_reiniciarTXTcomprobante"));
        QCOMPARE(grid()->rowCount(), 2);
    }

    void sinFilasNoSePuedeAceptar() {
        abre(false);
        QTest::keyClicks(control(QStringLiteral("TXT_comprobante")), QStringLiteral("no-existe"));
        QTest::keyClick(control(QStringLiteral("TXT_comprobante")), Qt::Key_Return);
        QCOMPARE(control<QLabel>(QStringLiteral("LBL_msgGRDcomprobantes"))->text(),
                 QStringLiteral("No hay elementos que mostrar"));
        clic(QStringLiteral("BTN_aceptar"));
        QTest::keyClick(grid(), Qt::Key_Return);
        QVERIFY(uDialogo->isVisible());
        QVERIFY(!uDialogo->respuesta().aceptar);
        clic(QStringLiteral("BTN_cancelar"));
        QVERIFY(!uDialogo->isVisible());
        QVERIFY(!uDialogo->uAceptar);
    }

    void elegirDevuelveElComprobante_data() {
        QTest::addColumn<QString>("forma");
        QTest::newRow("aceptar") << "aceptar";
        QTest::newRow("enter en el grid") << "enter";
        QTest::newRow("doble clic") << "doble";
    }
    void elegirDevuelveElComprobante() {
        QFETCH(QString, forma);
        abre(false);
        grid()->selectRow(1);
        if (forma == QLatin1String("aceptar"))
            clic(QStringLiteral("BTN_aceptar"));
        else if (forma == QLatin1String("enter"))
            QTest::keyClick(grid(), Qt::Key_Return);
        else
            emit grid()->cellDoubleClicked(1, 1);
        const UREC_comprobante &r = uDialogo->respuesta();
        QVERIFY(r.aceptar);
        QVERIFY(uDialogo->uAceptar);
        QCOMPARE(r.serie, QStringLiteral("NC"));
        QCOMPARE(r.folio, QStringLiteral("100"));
        QCOMPARE(r.emisorRFC, QStringLiteral("PBA010101AB1"));
        QCOMPARE(r.emisorNombre, QStringLiteral("Papelera del Bajío"));
        QCOMPARE(r.fechaHora, QStringLiteral("2024-03-14 23:59:59"));
        QCOMPARE(r.total, QStringLiteral("116"));
        QCOMPARE(r.comprobante.idComprobante, r.id);
        QCOMPARE(r.comprobante.uuid, QStringLiteral("BBBB2222-0000-4000-8000-000000000002"));
    }

    void escapeEnElGridVuelveALaFecha() {
        abre(false);
        uDialogo->activateWindow();
        grid()->setFocus();
        QTest::keyClick(grid(), Qt::Key_Escape);
        QVERIFY(uDialogo->isVisible());
        QTRY_VERIFY(control(QStringLiteral("DTP_inicial"))->hasFocus());
    }

    // The modal entry points, answered while exec() runs.
    void modal_data() {
        QTest::addColumn<QString>("boton");
        QTest::addColumn<bool>("aceptado");
        QTest::newRow("aceptar") << "BTN_aceptar" << true;
        QTest::newRow("cancelar") << "BTN_cancelar" << false;
    }
    void modal() {
        QFETCH(QString, boton);
        QFETCH(bool, aceptado);
        QTimer::singleShot(0, this, [this, boton] { clic(boton); });
        const UREC_comprobante r =
            uDialogo->initIngresos(fechaHora::aTDateTime(QDateTime(kDia, QTime(8, 0))));
        QCOMPARE(r.aceptar, aceptado);
        if (aceptado)
            QCOMPARE(r.serie, QStringLiteral("F"));
    }
};

QTEST_MAIN(TpruebaSeleccionarComprobante)
#include "tst_seleccionarComprobante.moc"

// Serial numbers of a receipt line: typed one by one, pasted as a list, and written straight to a
// stored receipt row; driven through the dialogs' widgets with the scripted user.
#include "apoyo/UinteraccionGuionada.h"
#include "apoyo/UnegocioPrueba.h"
#include "comun/UNEG_numerosSerie.h"
#include "comun/ui/UFRM_captuarNoSerie.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "datos/UmiddleTier.h"
#include "entradas/UFRM_noSerie.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {
constexpr int kProducto = 7;
constexpr int kOtroProducto = 8;
} // namespace

class TpruebaNumerosSerie : public QObject {
    Q_OBJECT

    std::unique_ptr<TbasePrueba> uBase;
    std::unique_ptr<TguionInstalado> uGuion;
    std::unique_ptr<TnegocioPrueba> uTienda, uAjena;
    int uNegocio = 0;

    TinteraccionGuionada &guion() const { return uGuion->guion(); }

    // A receipt row of the product with its serial numbers; its id.
    int entrada(TnegocioPrueba &n, int producto, double cantidad, const QStringList &series = {}) const {
        const int id = n.filaEntrada(QString(), 1, producto, QStringLiteral("2024-03-14 09:00:00"), cantidad,
                                     0, kFamiliaOrdinaria, {}, 1);
        for (const QString &s : series)
            u_insertaFila(uBase->sesion(), QStringLiteral("inventarioNoSerie"),
                          {{QStringLiteral("inventarioEntrada_id"), id}, {QStringLiteral("numero"), s}});
        return id;
    }
    qint64 seriesDe(int idEntrada) const {
        return u_valorConsulta(
                   uBase->sesion(),
                   QStringLiteral("SELECT COUNT(*) FROM inventarioNoSerie WHERE inventarioEntrada_id = :e"),
                   {{QStringLiteral("e"), idEntrada}})
            .toLongLong();
    }

    template <typename T = QWidget> static T *control(QWidget *dialogo, const QString &nombre) {
        T *w = dialogo->findChild<T *>(nombre);
        if (!w)
            qWarning() << "no existe el control" << nombre;
        return w;
    }
    static QStringList numeros(QWidget *dialogo) {
        auto *grid = control<QTableWidget>(dialogo, QStringLiteral("GRD_noSerie"));
        QStringList r;
        for (int f = 0; f < grid->rowCount(); ++f)
            r << grid->item(f, 1)->text();
        return r;
    }
    static void clic(QWidget *dialogo, const QString &nombre) {
        QTest::mouseClick(control(dialogo, nombre), Qt::LeftButton);
    }
    static QString contador(QWidget *dialogo) {
        return control<QLabel>(dialogo, QStringLiteral("LBL_seriesCapturadas"))->text();
    }

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
        entrada(*uTienda, kProducto, 2, {QStringLiteral("S-001"), QStringLiteral("S-002")});
        entrada(*uTienda, kOtroProducto, 1, {QStringLiteral("Q-001")});
        entrada(*uAjena, kProducto, 1, {QStringLiteral("X-001")});
    }
    void cleanup() {
        TmiddleTier::setFallaEnSentencia(0);
        uGuion.reset();
        localSYS = TsistemaDatos();
        uTienda.reset();
        uAjena.reset();
        uBase.reset();
    }

    void agregarUno_data() {
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<QStringList>("lista");
        const QStringList inicial{"S-050"};
        QTest::newRow("nuevo") << "S-100"
                               << "" << QStringList{"S-050", "S-100"};
        QTest::newRow("sin blancos alrededor") << "  S-101 "
                                               << "" << QStringList{"S-050", "S-101"};
        QTest::newRow("blanco: nada") << "   "
                                      << "" << inicial;
        QTest::newRow("ya en la lista") << "S-050" << noSerie::kDuplicadoEnLista << inicial;
        QTest::newRow("registrado del producto") << "S-001" << noSerie::kRegistrado << inicial;
        QTest::newRow("registrado de otro producto") << "Q-001"
                                                     << "" << QStringList{"S-050", "Q-001"};
        QTest::newRow("registrado en otro negocio") << "X-001"
                                                    << "" << QStringList{"S-050", "X-001"};
        QTest::newRow("comillas") << "O'Brien \"7\""
                                  << "" << QStringList{"S-050", "O'Brien \"7\""};
    }
    void agregarUno() {
        QFETCH(QString, tecleado);
        QFETCH(QString, mensaje);
        QFETCH(QStringList, lista);
        TFRM_noSerie d;
        d.prepara({QStringLiteral("S-050")}, 3, kProducto);
        d.show();
        auto *campo = control<QLineEdit>(&d, QStringLiteral("TXT_noSerie"));
        QTest::keyClicks(campo, tecleado);
        QTest::keyClick(campo, Qt::Key_Return);
        QCOMPARE(guion().textos(), mensaje.isEmpty() ? QStringList{} : QStringList{mensaje});
        QCOMPARE(numeros(&d), lista);
        if (lista.size() == 2) {
            QCOMPARE(contador(&d), QStringLiteral("2\\3"));
            QVERIFY(campo->text().isEmpty());
        }
    }

    void limiteDeshabilitaYEliminarHabilita() {
        TFRM_noSerie d;
        d.prepara({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}, 3, kProducto);
        d.show();
        const QStringList controles{"TXT_noSerie", "BTN_agregarNoSerie", "BTN_listado"};
        QCOMPARE(contador(&d), QStringLiteral("3/3"));
        for (const QString &c : controles)
            QVERIFY2(!control(&d, c)->isEnabled(), qPrintable(c));
        auto *grid = control<QTableWidget>(&d, QStringLiteral("GRD_noSerie"));
        const QRect celda = grid->visualRect(grid->model()->index(1, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, celda.center());
        QCOMPARE(numeros(&d), (QStringList{"A", "C"}));
        QCOMPARE(contador(&d), QStringLiteral("2/3"));
        for (const QString &c : controles)
            QVERIFY2(control(&d, c)->isEnabled(), qPrintable(c));
    }

    void pegarListado_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("requeridos");
        QTest::addColumn<bool>("respuesta");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<QStringList>("lista");
        const QString fila = QStringLiteral("Fila: %1‚\n%2");
        const QStringList inicial{"G-1", "G-2"};
        QTest::newRow("cabe y se confirma") << "A\r\n\r\n B \r\n"
                                            << 4 << true << "" << QStringList{"G-1", "G-2", "A", "B"};
        QTest::newRow("cabe pero se cancela") << "A\nB" << 4 << false << "" << inicial;
        QTest::newRow("excede la cantidad") << "A\nB" << 3 << true << noSerie::kExcedeCantidad << inicial;
        QTest::newRow("registrado tras una línea vacía")
            << "A\n\nS-001" << 9 << true << fila.arg(3).arg(noSerie::kRegistrado) << inicial;
        QTest::newRow("repetido en el listado")
            << "A\nB\nA" << 9 << true << fila.arg(3).arg(noSerie::kDuplicado) << inicial;
        QTest::newRow("ya en la lista")
            << "G-2" << 9 << true << fila.arg(1).arg(noSerie::kDuplicadoEnLista) << inicial;
        QTest::newRow("demasiado largo") << "A\n" + QString(51, QLatin1Char('9')) << 9 << true
                                         << fila.arg(2).arg(noSerie::kDemasiadoLargo) << inicial;
    }
    void pegarListado() {
        QFETCH(QString, texto);
        QFETCH(int, requeridos);
        QFETCH(bool, respuesta);
        QFETCH(QString, mensaje);
        QFETCH(QStringList, lista);
        TFRM_noSerie d;
        d.prepara({QStringLiteral("G-1"), QStringLiteral("G-2")}, requeridos, kProducto);
        d.show();
        QVERIFY(!control(&d, QStringLiteral("PNL_listado"))->isVisible());
        clic(&d, QStringLiteral("BTN_listado"));
        QVERIFY(control(&d, QStringLiteral("PNL_listado"))->isVisible());
        QCOMPARE(control<QLabel>(&d, QStringLiteral("LBL_listado"))->text(),
                 QStringLiteral("Pegue en este recuadro un listado de números de serie."));
        control<QPlainTextEdit>(&d, QStringLiteral("MEM_listado"))->setPlainText(texto);
        guion().respuestas({respuesta});
        clic(&d, QStringLiteral("BTN_insertarListado"));
        QCOMPARE(guion().textos(), mensaje.isEmpty() ? QStringList{} : QStringList{mensaje});
        QCOMPARE(guion().preguntas(),
                 mensaje.isEmpty() ? QStringList{noSerie::confirmacionListado(2)} : QStringList{});
        QCOMPARE(numeros(&d), lista);
        QCOMPARE(control(&d, QStringLiteral("PNL_listado"))->isVisible(),
                 lista == QStringList({"G-1", "G-2"}));
    }

    void aceptarDevuelveLaListaYCancelarLaEntrada_data() {
        QTest::addColumn<QString>("boton");
        QTest::addColumn<QStringList>("lista");
        QTest::newRow("aceptar") << "BTN_aceptar" << QStringList{"G-1", "N-1"};
        QTest::newRow("cancelar") << "BTN_cancelar" << QStringList{"G-1"};
    }
    void aceptarDevuelveLaListaYCancelarLaEntrada() {
        QFETCH(QString, boton);
        QFETCH(QStringList, lista);
        TFRM_noSerie d;
        d.prepara({QStringLiteral("G-1")}, 2, kProducto);
        d.show();
        QTest::keyClicks(control(&d, QStringLiteral("TXT_noSerie")), QStringLiteral("N-1"));
        clic(&d, QStringLiteral("BTN_agregarNoSerie"));
        clic(&d, boton);
        QCOMPARE(d.resultado(), lista);
    }

    void capturaEnEntrada_data() {
        QTest::addColumn<QString>("numero");
        QTest::addColumn<bool>("ajena");
        QTest::addColumn<double>("cantidad");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("nuevo") << "N-1" << false << 3.0 << "";
        QTest::newRow("repetido en la entrada") << "R-1" << false << 3.0 << noSerie::kDuplicado;
        QTest::newRow("registrado del producto") << "S-001" << false << 3.0 << noSerie::kRegistrado;
        QTest::newRow("la entrada ya está completa") << "N-1" << false << 1.0 << noSerie::kExcedeCantidad;
        QTest::newRow("entrada de otro negocio") << "N-1" << true << 3.0 << noSerie::kEntradaInexistente;
        QTest::newRow("vacío: nada") << "" << false << 3.0 << "";
    }
    void capturaEnEntrada() {
        QFETCH(QString, numero);
        QFETCH(bool, ajena);
        QFETCH(double, cantidad);
        QFETCH(QString, mensaje);
        const int id = entrada(ajena ? *uAjena : *uTienda, kProducto, cantidad, {QStringLiteral("R-1")});
        TFRM_captuarNoSerie d;
        d.prepara(QStringLiteral("Escáner de mano"), id);
        d.show();
        QTest::keyClicks(control(&d, QStringLiteral("TXT_numeroSerie")), numero);
        QTest::keyClick(control(&d, QStringLiteral("TXT_numeroSerie")), Qt::Key_Return);
        const bool escrito = mensaje.isEmpty() && !numero.isEmpty();
        QCOMPARE(guion().textos(), mensaje.isEmpty() ? QStringList{} : QStringList{mensaje});
        QCOMPARE(d.uAceptar, escrito);
        QCOMPARE(d.isVisible(), !escrito);
        QCOMPARE(seriesDe(id), escrito ? 2 : 1);
    }

    void insercionFallidaDejaElDialogoAbierto() {
        const int id = entrada(*uTienda, kProducto, 3);
        TFRM_captuarNoSerie d;
        d.prepara(QStringLiteral("Escáner de mano"), id);
        d.show();
        QTest::keyClicks(control(&d, QStringLiteral("TXT_numeroSerie")), QStringLiteral("N-9"));
        TmiddleTier::setFallaEnSentencia(4); // the three checks pass, the insert fails
        clic(&d, QStringLiteral("BTN_aceptar"));
        QCOMPARE(guion().textos(), QStringList{noSerie::kNoGuardado});
        QVERIFY(d.isVisible() && !d.uAceptar);
        QCOMPARE(seriesDe(id), 0);
    }

    void capturaLimitaElLargo() {
        TFRM_captuarNoSerie d;
        QCOMPARE(control<QLineEdit>(&d, QStringLiteral("TXT_numeroSerie"))->maxLength(), 50);
        QVERIFY(!u_capturaNoSerieEnEntrada(uBase->sesion(), entrada(*uTienda, kProducto, 3),
                                           QString(51, QLatin1Char('7')), uNegocio));
        QCOMPARE(guion().textos(), QStringList{noSerie::kDemasiadoLargo});
    }
};

QTEST_MAIN(TpruebaNumerosSerie)
#include "tst_numerosSerie.moc"

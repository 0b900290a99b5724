// Lot, customs declaration and barcode dialogs, and the customs catalogues they read. No data:
// these dialogs edit their caller's records and write nothing.
#include "apoyo/UinteraccionGuionada.h"
#include "comun/ui/UFRM_capturarCodigoBarras.h"
#include "entradas/UFRM_lote.h"
#include "entradas/UFRM_pedimento.h"
#include "entradas/UNEG_pedimento.h"
#include "entradas/U_catalogosXml.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {
TDateTime dia(int a, int m, int d) {
    return fechaHora::aTDateTime(QDate(a, m, d).startOfDay());
}
} // namespace

class TpruebaDialogosCaptura : public QObject {
    Q_OBJECT

    std::unique_ptr<TguionInstalado> uGuion;

    template <typename T = QWidget> static T *control(QWidget *dialogo, const QString &nombre) {
        T *w = dialogo->findChild<T *>(nombre);
        if (!w)
            qWarning() << "no existe el control" << nombre;
        return w;
    }
    static void clic(QWidget *dialogo, const QString &nombre) {
        QTest::mouseClick(control(dialogo, nombre), Qt::LeftButton);
    }
    static void escribe(const QTemporaryDir &dir, const QString &archivo, const QByteArray &contenido) {
        QFile f(dir.filePath(archivo));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contenido);
    }

private slots:
    void init() {
        // The catalogues as installed beside the program.
        catalogosXml::usaCarpeta(QStringLiteral(INVENTARIO_CARPETA_PROGRAMA "/") + catalogosXml::kCarpeta);
        uGuion = std::make_unique<TguionInstalado>();
    }
    void cleanup() {
        uGuion.reset();
        catalogosXml::usaCarpeta(QString());
    }

    void catalogosInstalados() {
        const auto aduanas = catalogosXml::leeAduanas(catalogosXml::rutaCatalogo(catalogosXml::kAduanas));
        QVERIFY(aduanas.error.isEmpty());
        QVERIFY(aduanas.elementos.size() >= 45);
        auto codigo = [&](int c) {
            for (const auto &a : aduanas.elementos)
                if (a.codigo == c)
                    return a.nombre;
            return QString();
        };
        QCOMPARE(codigo(1), QStringLiteral("Acapulco, Guerrero"));
        QCOMPARE(codigo(24), QStringLiteral("Nuevo Laredo, Tamaulipas"));
        QCOMPARE(codigo(47), QStringLiteral("Aeropuerto Internacional de la Ciudad de México"));
        const auto paises = catalogosXml::leePaises(catalogosXml::rutaCatalogo(catalogosXml::kPaises));
        QVERIFY(paises.error.isEmpty());
        QCOMPARE(paises.elementos.size(), 249);
        QVERIFY(std::any_of(paises.elementos.begin(), paises.elementos.end(), [](const auto &p) {
            return p.valor == QStringLiteral("México, MEX") && p.texto == QStringLiteral("México, MEX, MEX");
        }));
    }

    void catalogoDefectuoso_data() {
        QTest::addColumn<QByteArray>("contenido");
        QTest::addColumn<QString>("inicio");
        QTest::addColumn<int>("aduanas");
        QTest::newRow("falta el archivo") << QByteArray() << "No se encontró el catálogo CAduanas.xml" << 0;
        QTest::newRow("xml roto") << QByteArray("<Catalogo><Par><N>Uno</N><C>1</C></Par><Par>")
                                  << "El catálogo CAduanas.xml está dañado" << 0;
        QTest::newRow("otra raíz") << QByteArray("<Lista><Par><N>Uno</N><C>1</C></Par></Lista>")
                                   << "El catálogo CAduanas.xml no tiene el formato esperado" << 0;
        QTest::newRow("60000 niveles")
            << QByteArray("<Catalogo><Par>" + QByteArray("<N>").repeated(60000) + "x" +
                          QByteArray("</N>").repeated(60000) + "</Par></Catalogo>")
            << "El catálogo CAduanas.xml tiene demasiados niveles anidados" << 0;
        QTest::newRow("entradas ajenas y códigos no numéricos se omiten")
            << QByteArray("<Catalogo><Otro/><Par><N>Uno</N><C>x</C></Par><Par><N>Dos</N><C>02</C></Par>"
                          "<Par><N>Tres</N></Par></Catalogo>")
            << "" << 1;
    }
    void catalogoDefectuoso() {
        QFETCH(QByteArray, contenido);
        QFETCH(QString, inicio);
        QFETCH(int, aduanas);
        QTemporaryDir dir;
        if (!contenido.isNull())
            escribe(dir, catalogosXml::kAduanas, contenido);
        escribe(dir, catalogosXml::kPaises,
                "<Catalogo><Datos><a>Chile</a><b>CHL</b></Datos><Datos><a></a><b>XXX</b></Datos></Catalogo>");
        catalogosXml::usaCarpeta(dir.path());
        TFRM_pedimento d;
        d.prepara(Tpedimento());
        QCOMPARE(d.valueMember_CBOX_aduana.size(), aduanas);
        QCOMPARE(d.valueMember_CBOX_paisOrigen, QStringList{"Chile, CHL"});
        QCOMPARE((*uGuion)->textos().size(), inicio.isEmpty() ? 0 : 1);
        if (!inicio.isEmpty())
            QVERIFY2((*uGuion)->textos().first().startsWith(inicio), qPrintable((*uGuion)->textos().first()));
    }

    // Read once per run: a second opening neither reads the files again nor repeats the warning.
    void catalogosSeLeenUnaVez() {
        QTemporaryDir dir;
        escribe(dir, catalogosXml::kAduanas, "<Catalogo><Par><N>Uno</N><C>1</C></Par></Catalogo>");
        catalogosXml::usaCarpeta(dir.path());
        {
            TFRM_pedimento d;
            d.prepara(Tpedimento());
            QCOMPARE(d.valueMember_CBOX_aduana, QList<int>{1});
        }
        QCOMPARE((*uGuion)->textos().size(), 1); // CPais.xml is missing
        escribe(dir, catalogosXml::kAduanas, "<Catalogo><Par><N>Dos</N><C>2</C></Par></Catalogo>");
        TFRM_pedimento d;
        d.prepara(Tpedimento());
        QCOMPARE(d.valueMember_CBOX_aduana, QList<int>{1});
        QCOMPARE((*uGuion)->textos().size(), 1);
    }

    // Starting the program from a folder of one's own does not change what it reads.
    void directorioActualNoCuenta() {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(catalogosXml::kCarpeta);
        escribe(dir, catalogosXml::kCarpeta + QLatin1Char('/') + catalogosXml::kAduanas,
                "<Catalogo><Par><N>Falsa</N><C>999</C></Par></Catalogo>");
        const QString anterior = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        catalogosXml::usaCarpeta(QString());
        const QString ruta = catalogosXml::rutaCatalogo(catalogosXml::kAduanas);
        QDir::setCurrent(anterior);
        QVERIFY2(!ruta.startsWith(dir.path()), qPrintable(ruta));
        QCOMPARE(QFileInfo(ruta).fileName(), catalogosXml::kAduanas);
    }

    void loteInitYAceptar() {
        TFRM_lote d;
        Tlote l;
        l.inventarioEntrada_id = 12;
        l.numero = QStringLiteral("L-2024-03");
        l.fechaCaducidadEstablecida = true;
        l.fechaCaducidad = dia(2025, 6, 30);
        d.prepara(l);
        d.show();
        QCOMPARE(control<QLineEdit>(&d, QStringLiteral("TXT_lote"))->text(), l.numero);
        QVERIFY(!control(&d, QStringLiteral("DTP_fechaProduccion"))->isEnabled());
        QVERIFY(control(&d, QStringLiteral("DTP_fechaCaducidad"))->isEnabled());
        QCOMPARE(control<QDateEdit>(&d, QStringLiteral("DTP_fechaCaducidad"))->date(), QDate(2025, 6, 30));
        QCOMPARE(control<QDateEdit>(&d, QStringLiteral("DTP_fechaProduccion"))->date(), QDate::currentDate());
        clic(&d, QStringLiteral("CHKBOX_fechaProduccion"));
        QVERIFY(control(&d, QStringLiteral("DTP_fechaProduccion"))->isEnabled());
        control<QDateEdit>(&d, QStringLiteral("DTP_fechaProduccion"))->setDate(QDate(2024, 1, 15));
        clic(&d, QStringLiteral("BTN_reiniciarLote"));
        QTest::keyClicks(control(&d, QStringLiteral("TXT_lote")), QString(60, QLatin1Char('L')));
        clic(&d, QStringLiteral("BTN_aceptar"));
        const Tlote r = d.resultado();
        QCOMPARE(r.inventarioEntrada_id, 12);
        QCOMPARE(r.numero, QString(50, QLatin1Char('L')));
        QVERIFY(r.fechaProduccionEstablecida && r.fechaCaducidadEstablecida);
        QCOMPARE(r.fechaProduccion, dia(2024, 1, 15));
        QCOMPARE(r.fechaCaducidad, dia(2025, 6, 30));
    }

    void loteCancelarYEscapeDevuelvenLaEntrada_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("cancelar") << false;
        QTest::newRow("escape") << true;
    }
    void loteCancelarYEscapeDevuelvenLaEntrada() {
        QFETCH(bool, escape);
        TFRM_lote d;
        Tlote l;
        l.numero = QStringLiteral("L-1");
        QTimer::singleShot(0, this, [&] {
            QTest::keyClicks(control(&d, QStringLiteral("TXT_lote")), QStringLiteral("cambio"));
            if (escape)
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                clic(&d, QStringLiteral("BTN_cancelar"));
        });
        const Tlote r = d.init(l);
        QCOMPARE(r.numero, QStringLiteral("L-1"));
        QVERIFY(!d.uAceptar);
    }

    void consultasDeSoloLectura() {
        Tlote l;
        l.numero = QStringLiteral("L-7");
        TFRM_lote lote;
        QTimer::singleShot(0, this, [&] {
            QCOMPARE(control<QPushButton>(&lote, QStringLiteral("BTN_cancelar"))->text(),
                     QStringLiteral("Cerrar"));
            QVERIFY(!control(&lote, QStringLiteral("TXT_lote"))->isEnabled());
            QVERIFY(!control(&lote, QStringLiteral("BTN_aceptar"))->isEnabled());
            clic(&lote, QStringLiteral("BTN_cancelar"));
        });
        lote.initConsulta(l);

        Tpedimento p;
        p.numeroPedimento = QStringLiteral("24  40  3456  4001234");
        p.fechaDeAduana = dia(2024, 2, 1);
        p.aduana = 40;
        p.paisOrigen = QStringLiteral("Atlántida, ATL");
        TFRM_pedimento d;
        d.preparaConsulta(p);
        QVERIFY(control<QCheckBox>(&d, QStringLiteral("CHK_fechaExpedicion"))->isChecked());
        QCOMPARE(control<QComboBox>(&d, QStringLiteral("CBOX_aduana"))->currentText(),
                 QStringLiteral("Tijuana, Baja California"));
        auto *pais = control<QComboBox>(&d, QStringLiteral("CBOX_paisOrigen"));
        QCOMPARE(pais->count(), 1);
        QCOMPARE(pais->currentText(), p.paisOrigen);
        for (const char *c : {"TXT_numeroPedimento", "CBOX_aduana", "CBOX_paisOrigen", "BTN_aceptar"})
            QVERIFY2(!control(&d, QString::fromLatin1(c))->isEnabled(), c);
        QCOMPARE(control<QPushButton>(&d, QStringLiteral("BTN_cancelar"))->text(), QStringLiteral("Cerrar"));
    }

    void pedimentoSinFechaSeAbreDesmarcado() {
        Tpedimento p; // no date, no office
        p.paisOrigen = QStringLiteral("Chile, CHL");
        TFRM_pedimento d;
        d.prepara(p);
        d.show();
        QVERIFY(!control<QCheckBox>(&d, QStringLiteral("CHK_fechaExpedicion"))->isChecked());
        QVERIFY(!control(&d, QStringLiteral("DTP_fechaExpedicion"))->isEnabled());
        QVERIFY(!control(&d, QStringLiteral("BTN_reiniciarFecha"))->isEnabled());
        QCOMPARE(control<QDateEdit>(&d, QStringLiteral("DTP_fechaExpedicion"))->date(), QDate::currentDate());
        QCOMPARE(control<QComboBox>(&d, QStringLiteral("CBOX_aduana"))->currentIndex(), -1);
        QCOMPARE(control<QComboBox>(&d, QStringLiteral("CBOX_paisOrigen"))->currentText(),
                 QStringLiteral("Chile, CHL, CHL"));
        // Unchecked: an empty number is accepted and no date is stored, whatever the picker shows.
        control<QDateEdit>(&d, QStringLiteral("DTP_fechaExpedicion"))->setDate(QDate(2023, 5, 5));
        clic(&d, QStringLiteral("BTN_aceptar"));
        QVERIFY((*uGuion)->textos().isEmpty());
        const Tpedimento r = d.resultado();
        QCOMPARE(r.fechaDeAduana, fechaHora::kSinFecha);
        QCOMPARE(r.aduana, -1);
        QCOMPARE(r.paisOrigen, QStringLiteral("Chile, CHL"));
    }

    void pedimentoFechadoPideNumero() {
        TFRM_pedimento d;
        d.prepara(Tpedimento());
        d.show();
        clic(&d, QStringLiteral("CHK_fechaExpedicion"));
        control<QDateEdit>(&d, QStringLiteral("DTP_fechaExpedicion"))->setDate(QDate(2024, 2, 1));
        QTest::keyClicks(control(&d, QStringLiteral("TXT_numeroPedimento")), QStringLiteral("   "));
        clic(&d, QStringLiteral("BTN_aceptar"));
        QCOMPARE((*uGuion)->textos(), QStringList{pedimento::kSinNumero});
        QVERIFY(d.isVisible() && !d.uAceptar);

        QTest::keyClicks(control(&d, QStringLiteral("TXT_numeroPedimento")),
                         QStringLiteral("24 40 3456 4001234"));
        auto *aduana = control<QComboBox>(&d, QStringLiteral("CBOX_aduana"));
        aduana->setCurrentIndex(d.valueMember_CBOX_aduana.indexOf(16));
        control<QComboBox>(&d, QStringLiteral("CBOX_paisOrigen"))
            ->setCurrentIndex(d.valueMember_CBOX_paisOrigen.indexOf(QStringLiteral("China, CHN")));
        clic(&d, QStringLiteral("BTN_aceptar"));
        const Tpedimento r = d.resultado();
        QCOMPARE(r.fechaDeAduana, dia(2024, 2, 1));
        QCOMPARE(r.numeroPedimento, QStringLiteral("   24 40 3456 4001234"));
        QCOMPARE(r.aduana, 16);
        QCOMPARE(r.paisOrigen, QStringLiteral("China, CHN"));
    }

    void pedimentoReiniciaCombos() {
        Tpedimento p;
        p.aduana = 16;
        TFRM_pedimento d;
        d.prepara(p);
        d.show();
        QCOMPARE(control<QComboBox>(&d, QStringLiteral("CBOX_aduana"))->currentText(),
                 QStringLiteral("Manzanillo, Colima"));
        clic(&d, QStringLiteral("BTN_reiniciarAduana"));
        clic(&d, QStringLiteral("BTN_aceptar"));
        QCOMPARE(d.resultado().aduana, -1);
    }

    // A scanner types the code and Enter; the text comes back also when cancelled.
    void codigoDeBarras_data() {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<bool>("ok");
        QTest::newRow("enter del escáner") << int(Qt::Key_Return) << true;
        QTest::newRow("escape") << int(Qt::Key_Escape) << false;
    }
    void codigoDeBarras() {
        QFETCH(int, tecla);
        QFETCH(bool, ok);
        TFRM_capturarCodigoBarras d;
        auto *campo = control<QLineEdit>(&d, QStringLiteral("TXT_codigoBarras"));
        QCOMPARE(campo->maxLength(), 40);
        QString textoInicial;
        bool conFoco = false;
        QTimer::singleShot(0, this, [&] {
            textoInicial = campo->text();
            conFoco = d.focusWidget() == campo;
            // The current text is selected: the scanner's digits replace it.
            QTest::keyClicks(campo, QStringLiteral("7501031311309"));
            QTest::keyClick(campo, Qt::Key(tecla));
        });
        const TcodigoBarras r = d.init(QStringLiteral("750100000000"));
        QCOMPARE(textoInicial, QStringLiteral("750100000000"));
        QVERIFY(conFoco);
        QCOMPARE(r.ok, ok);
        QCOMPARE(r.codigo_barras, QStringLiteral("7501031311309"));
    }
};

QTEST_MAIN(TpruebaDialogosCaptura)
#include "tst_dialogosCaptura.moc"

// The minimum/maximum stock question: both entry points, their texts, and the answers.
#include "apoyo/UbasePrueba.h"
#include "apoyo/UinteraccionGuionada.h"
#include "comun/ui/UFRM_alertaStockMinimoMaximo.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class TpruebaAlertaStock : public QObject {
    Q_OBJECT

    static QString texto(QWidget *d, const QString &nombre) {
        auto *l = d->findChild<QLabel *>(nombre);
        return l ? l->text() : QStringLiteral("<sin control %1>").arg(nombre);
    }

private slots:
    void casoYTextos_data() {
        QTest::addColumn<bool>("maximo");
        QTest::addColumn<QString>("encabezado");
        QTest::addColumn<QString>("etiqueta");
        QTest::newRow("mínimo") << false << "¡Alerta Stock Mínimo!"
                                << "Mínimo";
        QTest::newRow("máximo") << true << "¡Alerta Stock Máximo!"
                                << "Máximo";
    }
    void casoYTextos() {
        QFETCH(bool, maximo);
        QFETCH(QString, encabezado);
        QFETCH(QString, etiqueta);
        TFRM_alertaStockMinimoMaximo d;
        QCOMPARE(d.windowTitle(), QStringLiteral("Stock Mínimo Máximo"));
        QString heading, almacen, producto, cantidad, rotulo, valor;
        QTimer::singleShot(0, this, [&] {
            heading = texto(&d, QStringLiteral("LBL_formularioTitulo"));
            almacen = texto(&d, QStringLiteral("LBL_almacen"));
            producto = texto(&d, QStringLiteral("LBL_producto"));
            cantidad = texto(&d, QStringLiteral("LBL_cantidad"));
            rotulo = texto(&d, QStringLiteral("LBL_minimoMaximoEtiqueta"));
            valor = texto(&d, QStringLiteral("LBL_minimoMaximoValor"));
            d.grab().save(TbasePrueba::carpetaSalida() + QStringLiteral("/alertaStock.png"));
            QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("BTN_aceptar")), Qt::LeftButton);
        });
        const QString almacenTxt = QStringLiteral("Bodega \"Centro\"");
        const bool r = maximo ? d.initAlertaMaximo(almacenTxt, QStringLiteral("Cuaderno"),
                                                   QStringLiteral("12.5"), QStringLiteral("100"))
                              : d.initAlertaMinimo(almacenTxt, QStringLiteral("Cuaderno"),
                                                   QStringLiteral("12.5"), QStringLiteral("100"));
        QVERIFY(r);
        QCOMPARE(heading, encabezado);
        QCOMPARE(almacen, almacenTxt);
        QCOMPARE(producto, QStringLiteral("Cuaderno"));
        QCOMPARE(cantidad, QStringLiteral("12.5"));
        QCOMPARE(rotulo, etiqueta);
        QCOMPARE(valor, QStringLiteral("100"));
        QCOMPARE(texto(&d, QStringLiteral("LBL_mensaje")),
                 QStringLiteral(
                     "¿Completar la operación?\r\nDe continuar la operación con la cantidad seleccionada la "
                     "existencia rebasará el stock mínimo/máximo para el producto y almacen "
                     "seleccionados.\r\n"));
    }

    void escapeYCancelarRehusan_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("escape") << true;
        QTest::newRow("cancelar") << false;
    }
    void escapeYCancelarRehusan() {
        QFETCH(bool, escape);
        TFRM_alertaStockMinimoMaximo d;
        QTimer::singleShot(0, this, [&] {
            if (escape)
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("BTN_cancelar")), Qt::LeftButton);
        });
        QVERIFY(!d.initAlertaMinimo(QStringLiteral("A"), QStringLiteral("P"), QStringLiteral("1"),
                                    QStringLiteral("2")));
    }

    // Logic asks through the seam; the scripted user answers it as an OK/Cancel question.
    void laCosturaPreguntaConElCaso() {
        TguionInstalado guion;
        guion->respuestas({false});
        QVERIFY(!u_alertaStock({true, QStringLiteral("Centro"), QStringLiteral("Lápiz"), QStringLiteral("30"),
                                QStringLiteral("25")}));
        QCOMPARE(guion->preguntas().size(), 1);
        QVERIFY(guion->preguntas().first().startsWith(QStringLiteral(
            "¡Alerta Stock Máximo!\nAlmacen: Centro\nProducto: Lápiz\nCantidad: 30\nMáximo: 25\n")));
    }
};

QTEST_MAIN(TpruebaAlertaStock)
#include "tst_alertaStock.moc"

// The numeric helpers every amount passes through.
#include "comun/U_utilerias.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>
#include <limits>

class TpruebaUtilerias : public QObject {
    Q_OBJECT
private slots:
    void flotanteATexto_data() {
        QTest::addColumn<double>("valor");
        QTest::addColumn<QString>("texto");
        QTest::newRow("suma inexacta") << 0.1 + 0.2 << "0.3";
        QTest::newRow("entero") << 24.0 << "24";
        QTest::newRow("millones") << 1234567.5 << "1234567.5";
        QTest::newRow("negativo") << -10.25 << "-10.25";
        QTest::newRow("cero negativo") << -0.0 << "0";
        QTest::newRow("tercios") << 10.0 / 3.0 << "3.33333333333333";
        QTest::newRow("centavos") << 1.15 << "1.15";
        QTest::newRow("enorme") << 1e20 << "1e+20";
        QTest::newRow("no finito") << std::numeric_limits<double>::infinity() << "0";
        QTest::newRow("cien milésimos") << 0.00001 << "0.00001";
        QTest::newRow("pequeño negativo") << -0.000012345678901234567 << "-0.0000123456789012346";
        QTest::newRow("redondeo que sube una cifra") << 999999999999999.9 << "1000000000000000";
        QTest::newRow("quince cifras") << 123456789.123456789 << "123456789.123457";
        QTest::newRow("sin ceros finales") << 0.1 + 0.7 << "0.8";
        QTest::newRow("medio centavo") << 2.675 << "2.675";
        // An exact half at the fifteenth digit rounds away from zero, as the stored rows have it.
        QTest::newRow("mitad exacta") << 123456789012.3125 << "123456789012.313";
    }
    void flotanteATexto() {
        QFETCH(double, valor);
        QFETCH(QString, texto);
        QCOMPARE(FloatToStr(valor), texto);
    }

    // Qt's conversion to 15 significant digits is the reference the stored rows were written
    // with: ordinary values at every magnitude, and values ending in an exact half at every place.
    void flotanteATextoComoQt() {
        const auto deQt = [](double v) {
            const int decimales = std::max(0, 15 - (int(std::floor(std::log10(std::fabs(v)))) + 1));
            QString t = QString::number(v, 'f', decimales);
            while (decimales > 0 && t.endsWith(QLatin1Char('0')))
                t.chop(1);
            if (t.endsWith(QLatin1Char('.')))
                t.chop(1);
            return t;
        };
        QRandomGenerator azar(20261208);
        QList<double> valores;
        for (int exponente = -5; exponente < 15; ++exponente)
            for (int i = 0; i < 2000; ++i)
                valores << (azar.bounded(2) ? -1 : 1) * std::pow(10.0, exponente + azar.generateDouble());
        for (int bits = 1; bits <= 24; ++bits)
            for (int i = 0; i < 200; ++i)
                valores << std::ldexp(double(azar.bounded(1 << 20) * 2 + 1), -bits) * (i % 2 ? -1 : 1) +
                               double(azar.bounded(1000000)) * (bits % 3);
        for (double v : std::as_const(valores))
            if (std::fabs(v) >= 1e-5 && std::fabs(v) < 1e15 && FloatToStr(v) != deQt(v))
                QFAIL(qPrintable(
                    QStringLiteral("%1: %2, Qt %3").arg(v, 0, 'g', 17).arg(FloatToStr(v), deQt(v))));
    }

    void truncaDecimales_data() {
        QTest::addColumn<double>("valor");
        QTest::addColumn<int>("decimales");
        QTest::addColumn<double>("esperado");
        QTest::newRow("1.15 no baja a 1.14") << 1.15 << 2 << 1.15;
        QTest::newRow("10.456") << 10.456 << 2 << 10.45;
        QTest::newRow("10.666…") << 32.0 / 3.0 << 2 << 10.66;
        QTest::newRow("negativo hacia cero") << -1.239 << 2 << -1.23;
        QTest::newRow("sin decimales") << 7.99 << 0 << 7.0;
        QTest::newRow("exacto") << 165.0 / 15.0 << 2 << 11.0;
        QTest::newRow("no finito") << std::numeric_limits<double>::quiet_NaN() << 2 << 0.0;
    }
    void truncaDecimales() {
        QFETCH(double, valor);
        QFETCH(int, decimales);
        QFETCH(double, esperado);
        QCOMPARE(u_truncaDecimales(valor, decimales), esperado);
    }

    // Every two-decimal value survives truncation to two decimals (the naive form breaks ~1 in 20).
    void truncaDecimalesRespetaCadaCentavo() {
        for (int centavos = -100000; centavos <= 100000; centavos += 7) {
            const double valor = centavos / 100.0;
            QCOMPARE(u_truncaDecimales(valor, 2), valor);
        }
    }

    void formatoMoneda_data() {
        QTest::addColumn<double>("valor");
        QTest::addColumn<QString>("texto");
        QTest::newRow("miles") << 1234567.891 << "$ 1,234,567.89";
        QTest::newRow("cero") << 0.0 << "$ 0.00";
        QTest::newRow("casi cero negativo") << -0.004 << "$ 0.00";
        QTest::newRow("negativo") << -1500.5 << "-$ 1,500.50";
    }
    void formatoMoneda() {
        QFETCH(double, valor);
        QFETCH(QString, texto);
        QCOMPARE(u_formatoMoneda(valor), texto);
    }

    void toleranciaDeCantidades() {
        QVERIFY(u_esCero(0.4 - 0.1 - 0.3));
        QVERIFY(!u_esPositivo(0.4 - 0.1 - 0.3));
        QVERIFY(u_esPositivo(0.001));
        QVERIFY(!u_esCero(-0.001));
    }

    void ordenaFecha() {
        QCOMPARE(u_ordenaFecha(QStringLiteral("2026-12-06 15:04:05.120")),
                 QDateTime(QDate(2026, 12, 6), QTime(15, 4, 5, 120)));
        QVERIFY(!u_ordenaFecha(QStringLiteral("no es fecha")).isValid());
    }
};

QTEST_GUILESS_MAIN(TpruebaUtilerias)
#include "tst_utilerias.moc"

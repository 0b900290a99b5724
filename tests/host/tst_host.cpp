// The inventario program run as a shop would run it: what it does to the files it is pointed at.
#include "apoyo/UbasePrueba.h"
#include "datos/UmiddleTier.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TpruebaHost : public QObject {
    Q_OBJECT

    QTemporaryDir uCarpeta;

    struct Tcorrida {
        int salida;
        QString errores;
    };

    Tcorrida corre(const QStringList &argumentos, const QProcessEnvironment &extra = {}) const {
        QProcess p;
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        entorno.insert(QStringLiteral("XDG_DATA_HOME"), uCarpeta.filePath(QStringLiteral("datos")));
        for (const QString &clave : extra.keys())
            entorno.insert(clave, extra.value(clave));
        p.setProcessEnvironment(entorno);
        p.start(QStringLiteral(INVENTARIO_PROGRAMA), argumentos);
        if (!p.waitForFinished(60000)) {
            p.kill();
            return {-1, QStringLiteral("tiempo agotado")};
        }
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2,
                QString::fromUtf8(p.readAllStandardError())};
    }

    static QByteArray huella(const QString &ruta) {
        QFile f(ruta);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }

    QString ruta(const QString &nombre) const { return uCarpeta.filePath(nombre); }

    // One value read from the SQLite file the program left; -1 when it does not open.
    static qint64 valorEn(const QString &archivo, const QString &sentencia) {
        TparametrosConexion p;
        p.proveedor = QStringLiteral("SQLITE");
        p.archivo = archivo;
        TConexionSesion s(p);
        if (!s.abre())
            return -1;
        TmiddleTier mt(&s);
        mt.setQuery(sentencia);
        return mt.getScalarAsInt();
    }

private slots:
    void initTestCase() { QVERIFY(uCarpeta.isValid()); }

    void archivoQueNoEsBaseDeDatosQuedaIntacto_data() {
        QTest::addColumn<QByteArray>("contenido");
        QTest::newRow("texto") << QByteArray("Lista de precios\nmartillo,120\n");
        QTest::newRow("binario") << QByteArray::fromHex("89504e470d0a1a0a0000000d49484452");
    }
    void archivoQueNoEsBaseDeDatosQuedaIntacto() {
        QFETCH(QByteArray, contenido);
        const QString archivo = ruta(QStringLiteral("precios_%1.csv").arg(QTest::currentDataTag()));
        QFile f(archivo);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contenido);
        f.close();
        const QByteArray antes = huella(archivo);
        const Tcorrida r = corre({QStringLiteral("--sqlite"), archivo, QStringLiteral("--demo")});
        QVERIFY(r.salida != 0);
        QVERIFY2(r.errores.contains(QStringLiteral("no es una base de datos")), qPrintable(r.errores));
        QCOMPARE(huella(archivo), antes);
        QVERIFY(!QFile::exists(archivo + QStringLiteral("-wal")));
    }

    void archivoDeSoloLecturaSeRechaza() {
        const QString archivo = ruta(QStringLiteral("solo_lectura.db"));
        QVERIFY(corre({QStringLiteral("--sqlite"), archivo, QStringLiteral("--demo"),
                       QStringLiteral("--captura"), ruta(QStringLiteral("x.png"))})
                    .salida == 0);
        QFile::setPermissions(archivo, QFileDevice::ReadOwner | QFileDevice::ReadUser);
        if (QFileInfo(archivo).isWritable())
            QSKIP("el usuario de la prueba puede escribir en archivos de solo lectura (root)");
        const QByteArray antes = huella(archivo);
        const Tcorrida r = corre({QStringLiteral("--sqlite"), archivo});
        QVERIFY(r.salida != 0);
        QVERIFY(r.errores.contains(QStringLiteral("solo lectura")));
        QCOMPARE(huella(archivo), antes);
    }

    void demoSeAbreDeNuevoSinCambios() {
        const QString archivo = ruta(QStringLiteral("demo.db"));
        const QString imagen = ruta(QStringLiteral("principal.png"));
        Tcorrida r = corre({QStringLiteral("--sqlite"), archivo, QStringLiteral("--demo"),
                            QStringLiteral("--captura"), imagen});
        QCOMPARE(r.salida, 0);
        QVERIFY(QFileInfo(imagen).size() > 10000); // a real window picture, not an empty file
        QCOMPARE(valorEn(archivo, QStringLiteral("SELECT COUNT(*) FROM negocio")), 2); // PEPS and average
        QVERIFY(valorEn(archivo, QStringLiteral("SELECT COUNT(*) FROM inventarioProducto")) > 10);
        r = corre({QStringLiteral("--sqlite"), archivo, QStringLiteral("--demo"), QStringLiteral("--captura"),
                   imagen});
        QCOMPARE(r.salida, 0);
        QCOMPARE(valorEn(archivo, QStringLiteral("SELECT COUNT(*) FROM negocio")), 2);
    }

    // The demo's months of postings agree with themselves, right after creating them and later.
    void demoConHistoriaPasaLaVerificacion() {
        const QString archivo = ruta(QStringLiteral("historia.db"));
        QCOMPARE(corre({QStringLiteral("--sqlite"), archivo, QStringLiteral("--demo"),
                        QStringLiteral("--verificar")})
                     .salida,
                 0);
        QCOMPARE(corre({QStringLiteral("--sqlite"), archivo, QStringLiteral("--verificar")}).salida, 0);
        QVERIFY(valorEn(archivo, QStringLiteral("SELECT COUNT(DISTINCT documento) FROM inventarioSalida")) >
                20);
    }

    void versionMasNuevaSeRechazaSinTocarla() {
        const QString archivo = ruta(QStringLiteral("futura.db"));
        QCOMPARE(corre({QStringLiteral("--sqlite"), archivo, QStringLiteral("--demo"),
                        QStringLiteral("--captura"), ruta(QStringLiteral("f.png"))})
                     .salida,
                 0);
        {
            TparametrosConexion p;
            p.proveedor = QStringLiteral("SQLITE");
            p.archivo = archivo;
            TConexionSesion s(p);
            QVERIFY(s.abre());
            TmiddleTier mt(&s);
            mt.setQuery(QStringLiteral("UPDATE inventarioVersionEsquema SET version = 999"));
            QVERIFY(mt.nonQuery().isSuccess());
            mt.setQuery(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
            mt.reader();
        }
        const QByteArray antes = huella(archivo);
        const Tcorrida r = corre({QStringLiteral("--sqlite"), archivo});
        QCOMPARE(r.salida, 3);
        QVERIFY(r.errores.contains(QStringLiteral("versión más reciente")));
        QCOMPARE(huella(archivo), antes);
    }

    void opcionesInvalidas_data() {
        QTest::addColumn<QStringList>("argumentos");
        QTest::newRow("nivel no numérico") << QStringList{QStringLiteral("--nivel"), QStringLiteral("uno")};
        QTest::newRow("negocio negativo") << QStringList{QStringLiteral("--negocio"), QStringLiteral("-4")};
        QTest::newRow("servidor sin base")
            << QStringList{QStringLiteral("--mysql-host"), QStringLiteral("127.0.0.1")};
        QTest::newRow("carpeta") << QStringList{QStringLiteral("--sqlite"), QDir::tempPath()};
    }
    void opcionesInvalidas() {
        QFETCH(QStringList, argumentos);
        const Tcorrida r = corre(argumentos);
        QVERIFY(r.salida != 0);
        QVERIFY(!r.errores.trimmed().isEmpty());
    }

    void servidorConContrasenaEquivocada() {
        if (TbasePrueba::motor() != QLatin1String("mysql"))
            QSKIP("solo con servidor MariaDB");
        QProcessEnvironment extra;
        extra.insert(QStringLiteral("INVENTARIO_MYSQL_PASSWORD"), QStringLiteral("equivocada"));
        const Tcorrida r =
            corre({QStringLiteral("--mysql-socket"), qEnvironmentVariable("INVENTARIO_MYSQL_SOCKET"),
                   QStringLiteral("--mysql-database"), QStringLiteral("mysql"),
                   QStringLiteral("--mysql-user"), QStringLiteral("root")},
                  extra);
        QCOMPARE(r.salida, 2);
        QVERIFY2(r.errores.contains(QStringLiteral("No se pudo conectar")), qPrintable(r.errores));
    }
};

QTEST_GUILESS_MAIN(TpruebaHost)
#include "tst_host.moc"

// The inventario program run as a shop would run it: what it does to the files it is pointed at.
#include "apoyo/UbasePrueba.h"
#include "datos/UmiddleTier.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtEndian>
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

    // The demo's history written into `archivo` and checked at once: the program's exit code.
    int creaDemoYVerifica(const QString &archivo) const {
        return corre({QStringLiteral("--sqlite"), archivo, QStringLiteral("--demo"),
                      QStringLiteral("--verificar")})
            .salida;
    }

    // Builds a SQLite file from one of the corpus's scripts, with SQLite's own defaults.
    static bool creaDesdeGuion(const QString &guion, const QString &archivo) {
        QFile f(QStringLiteral(INVENTARIO_CORPUS "/bases/") + guion);
        if (!f.open(QIODevice::ReadOnly))
            return false;
        const QString nombre = QStringLiteral("guion_") + guion;
        bool ok = true;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre);
            db.setDatabaseName(archivo);
            ok = db.open();
            QSqlQuery q(db);
            for (const QString &sentencia : QString::fromUtf8(f.readAll()).split(QLatin1Char(';'))) {
                QString limpia;
                for (const QString &linea : sentencia.split(QLatin1Char('\n')))
                    if (!linea.trimmed().startsWith(QLatin1String("--")))
                        limpia += linea + QLatin1Char('\n');
                if (ok && !limpia.trimmed().isEmpty())
                    ok = q.exec(limpia);
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(nombre);
        return ok;
    }

    static bool ejecutaEn(const QString &archivo, const QString &sentencia) {
        const QString nombre = QStringLiteral("ajuste_prueba");
        bool ok = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre);
            db.setDatabaseName(archivo);
            ok = db.open() && QSqlQuery(db).exec(sentencia);
            db.close();
        }
        QSqlDatabase::removeDatabase(nombre);
        return ok;
    }

    static bool escribeBytes(const QString &archivo, const QByteArray &bytes) {
        QFile f(archivo);
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
    }

    static QByteArray bytesDe(const QString &archivo) {
        QFile f(archivo);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The file of one case: a corpus script, or bytes made here from a sound database (a few
    // pages of another application's data) cut or overwritten.
    bool preparaAjeno(const QString &origen, const QString &archivo) const {
        if (origen.endsWith(QLatin1String(".sql")))
            return creaDesdeGuion(origen, archivo);
        if (origen == QLatin1String("texto"))
            return escribeBytes(archivo, "Lista de precios\nmartillo,120\n");
        if (origen == QLatin1String("imagen"))
            return escribeBytes(archivo, QByteArray::fromHex("89504e470d0a1a0a0000000d49484452"));
        if (origen == QLatin1String("vacio"))
            return escribeBytes(archivo, QByteArray());
        const QString sana = archivo + QStringLiteral(".sana");
        if (!creaDesdeGuion(QStringLiteral("otra_aplicacion.sql"), sana) ||
            !ejecutaEn(sana,
                       QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE "
                                      "i < 3000) INSERT INTO tickets (cliente, total, fecha) SELECT 1, i, "
                                      "'2025-01-01' FROM n")))
            return false;
        QByteArray bytes = bytesDe(sana);
        if (origen == QLatin1String("truncada"))
            bytes.truncate(bytes.size() / 2);
        else if (origen == QLatin1String("cabecera"))
            bytes.truncate(100);
        else if (origen == QLatin1String("cabecera corta"))
            bytes.truncate(50);
        else if (origen == QLatin1String("basura"))
            bytes = bytes.left(100) + QByteArray(bytes.size() - 100, char(0xAB));
        return escribeBytes(archivo, bytes);
    }

    // What a refused file's folder must not gain.
    static bool sinCompanerosNuevos(const QString &archivo) {
        for (const char *sufijo : {"-wal", "-shm", "-journal"})
            if (QFileInfo::exists(archivo + QLatin1String(sufijo)))
                return false;
        return true;
    }

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

    // A file the program must not take as its own, offered as a shop would: to open, to fill with
    // the demo, to verify and to rebuild. Each answer is checked, and the file byte for byte.
    void archivoAjenoQuedaIntacto_data() {
        QTest::addColumn<QString>("origen"); // a corpus script, or how the test makes the bytes
        QTest::addColumn<QStringList>("opciones");
        QTest::addColumn<int>("salida");
        QTest::addColumn<QString>("mensaje");
        const QString ajena = QStringLiteral("no es una base de datos de Inventario");
        const QString version = QStringLiteral("no tiene una versión de Inventario válida");
        const QString danado = QStringLiteral("está dañado");
        const QStringList demo{QStringLiteral("--demo")};
        const QStringList verificar{QStringLiteral("--verificar")};
        const QStringList reconstruir{QStringLiteral("--reconstruir-kardex")};
        QTest::newRow("texto") << "texto" << demo << 2 << ajena;
        QTest::newRow("imagen") << "imagen" << demo << 2 << ajena;
        QTest::newRow("otra aplicación") << "otra_aplicacion.sql" << QStringList() << 2 << ajena;
        QTest::newRow("otra aplicación con --demo") << "otra_aplicacion.sql" << demo << 2 << ajena;
        QTest::newRow("otra aplicación con --verificar") << "otra_aplicacion.sql" << verificar << 2 << ajena;
        QTest::newRow("otra aplicación con --reconstruir-kardex")
            << "otra_aplicacion.sql" << reconstruir << 2 << ajena;
        QTest::newRow("versión escrita como texto") << "version_texto.sql" << QStringList() << 2 << version;
        QTest::newRow("versión negativa") << "version_negativa.sql" << verificar << 2 << version;
        QTest::newRow("tablas nuestras sin versión") << "sin_version.sql" << demo << 2 << version;
        QTest::newRow("versión más nueva en modo diario")
            << "version_futura.sql" << QStringList() << 3 << QStringLiteral("versión más reciente");
        QTest::newRow("versión más nueva en modo WAL")
            << "version_futura_wal.sql" << QStringList() << 3 << QStringLiteral("versión más reciente");
        QTest::newRow("versión más nueva con --verificar")
            << "version_futura.sql" << verificar << 3 << QStringLiteral("versión más reciente");
        QTest::newRow("sin tablas con --verificar")
            << "sin_tablas.sql" << verificar << 2 << QStringLiteral("está vacía");
        QTest::newRow("vacío con --verificar") << "vacio" << verificar << 2 << QStringLiteral("está vacía");
        QTest::newRow("vacío con --reconstruir-kardex")
            << "vacio" << reconstruir << 2 << QStringLiteral("está vacía");
        QTest::newRow("truncada") << "truncada" << QStringList() << 2 << danado;
        QTest::newRow("solo la cabecera") << "cabecera" << QStringList() << 2 << danado;
        QTest::newRow("cabecera corta") << "cabecera corta" << QStringList() << 2 << danado;
        QTest::newRow("páginas de basura") << "basura" << verificar << 2 << danado;
    }
    void archivoAjenoQuedaIntacto() {
        QFETCH(QString, origen);
        QFETCH(QStringList, opciones);
        QFETCH(int, salida);
        QFETCH(QString, mensaje);
        const QString archivo = ruta(QStringLiteral("ajeno_%1.db").arg(QTest::currentDataTag()));
        QVERIFY(preparaAjeno(origen, archivo));
        const QByteArray antes = huella(archivo);
        const Tcorrida r = corre(QStringList{QStringLiteral("--sqlite"), archivo} + opciones);
        QCOMPARE(r.salida, salida);
        QVERIFY2(r.errores.contains(mensaje), qPrintable(r.errores));
        QCOMPARE(huella(archivo), antes);
        QVERIFY(sinCompanerosNuevos(archivo));
    }

    // --verificar and --reconstruir-kardex work on an existing database: a mistyped path is an
    // error, and no file appears there.
    void rutaInexistenteNoSeCrea_data() {
        QTest::addColumn<QString>("opcion");
        QTest::newRow("verificar") << "--verificar";
        QTest::newRow("reconstruir") << "--reconstruir-kardex";
    }
    void rutaInexistenteNoSeCrea() {
        QFETCH(QString, opcion);
        const QString archivo = ruta(QStringLiteral("mal_escrita_%1.db").arg(opcion.mid(2)));
        const Tcorrida r = corre({QStringLiteral("--sqlite"), archivo, opcion});
        QCOMPARE(r.salida, 2);
        QVERIFY2(r.errores.contains(QStringLiteral("el archivo no existe")), qPrintable(r.errores));
        QVERIFY(!QFileInfo::exists(archivo));
        QVERIFY(sinCompanerosNuevos(archivo));
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
        QCOMPARE(creaDemoYVerifica(archivo), 0);
        QCOMPARE(corre({QStringLiteral("--sqlite"), archivo, QStringLiteral("--verificar")}).salida, 0);
        QVERIFY(valorEn(archivo, QStringLiteral("SELECT COUNT(DISTINCT documento) FROM inventarioSalida")) >
                20);
    }

    // Another workstation is copying its log back into the file: the first page already counts
    // pages the file has not reached yet, which are still in the log. That file is sound.
    void archivoAMedioDeCopiarSuRegistroSeAbre() {
        const QString archivo = ruta(QStringLiteral("copiando.db"));
        QCOMPARE(creaDemoYVerifica(archivo), 0);
        const QString nombre = QStringLiteral("otra_estacion");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre);
            db.setDatabaseName(archivo);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("PRAGMA wal_autocheckpoint = 0")));
            QVERIFY(q.exec(QStringLiteral("CREATE TABLE relleno (x BLOB)")));
            QVERIFY(
                q.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                      "WHERE i < 500) INSERT INTO relleno SELECT randomblob(2000) FROM n")));
            QVERIFY(q.exec(QStringLiteral("DROP TABLE relleno")));
            QVERIFY(QFileInfo(archivo + QStringLiteral("-wal")).size() > 0);

            // The first page as the copy writes it: the new page count, valid for its change counter.
            QFile f(archivo);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QByteArray cabecera = f.read(100);
            const quint32 pagina = qFromBigEndian<quint16>(cabecera.constData() + 16);
            const quint32 paginas = quint32(f.size() / pagina) + 200;
            qToBigEndian(paginas, cabecera.data() + 28);
            cabecera.replace(92, 4, cabecera.mid(24, 4));
            QVERIFY(f.seek(0) && f.write(cabecera) == 100);
            f.close();

            const Tcorrida r = corre({QStringLiteral("--sqlite"), archivo, QStringLiteral("--verificar")});
            QVERIFY2(r.salida == 0, qPrintable(r.errores));
            db.close();
        }
        QSqlDatabase::removeDatabase(nombre);
    }

    void opcionesInvalidas_data() {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<QString>("mensaje");
        const QString puerto =
            QStringLiteral("El puerto del servidor debe ser un número entero de 1 a 65535.");
        const QString negocio = QStringLiteral("El id del negocio debe ser un número entero positivo.");
        QTest::newRow("nivel no numérico") << QStringList{QStringLiteral("--nivel"), QStringLiteral("uno")}
                                           << "El nivel de permisos debe ser un número entero positivo.";
        QTest::newRow("negocio negativo")
            << QStringList{QStringLiteral("--negocio"), QStringLiteral("-4")} << negocio;
        QTest::newRow("negocio no numérico")
            << QStringList{QStringLiteral("--negocio"), QStringLiteral("abc")} << negocio;
        QTest::newRow("negocio enorme")
            << QStringList{QStringLiteral("--negocio"), QStringLiteral("99999999999")} << negocio;
        QTest::newRow("puerto no numérico")
            << QStringList{QStringLiteral("--mysql-port"), QStringLiteral("abc")} << puerto;
        QTest::newRow("puerto fuera de rango")
            << QStringList{QStringLiteral("--mysql-host"),     QStringLiteral("localhost"),
                           QStringLiteral("--mysql-port"),     QStringLiteral("70000"),
                           QStringLiteral("--mysql-database"), QStringLiteral("x")}
            << puerto;
        QTest::newRow("puerto cero") << QStringList{QStringLiteral("--mysql-port"), QStringLiteral("0")}
                                     << puerto;
        QTest::newRow("servidor sin base")
            << QStringList{QStringLiteral("--mysql-host"), QStringLiteral("127.0.0.1")}
            << "Indique la base de datos del servidor con --mysql-database.";
        QTest::newRow("carpeta") << QStringList{QStringLiteral("--sqlite"), QDir::tempPath()}
                                 << "es una carpeta, no una base de datos";
        QTest::newRow("carpeta inexistente")
            << QStringList{QStringLiteral("--sqlite"), QStringLiteral("/no/existe/inventario.db")}
            << "la carpeta no existe";
    }
    void opcionesInvalidas() {
        QFETCH(QStringList, argumentos);
        QFETCH(QString, mensaje);
        const Tcorrida r = corre(argumentos);
        QCOMPARE(r.salida, 2);
        QVERIFY2(r.errores.contains(mensaje), qPrintable(r.errores));
    }

    // Nothing listens on port 1: the user is told what to check; the driver's words stay in the
    // log lines.
    void servidorInalcanzable() {
        const Tcorrida r = corre({QStringLiteral("--mysql-host"), QStringLiteral("127.0.0.1"),
                                  QStringLiteral("--mysql-port"), QStringLiteral("1"),
                                  QStringLiteral("--mysql-database"), QStringLiteral("inventario")});
        QCOMPARE(r.salida, 2);
        const QStringList mensaje =
            r.errores.split(QLatin1Char('\n')).filter(QStringLiteral("No se pudo conectar con el servidor"));
        QCOMPARE(mensaje.size(), 1);
        QCOMPARE(mensaje.first(),
                 QStringLiteral("No se pudo conectar con el servidor «127.0.0.1:1» (base de datos "
                                "«inventario»): el servidor no responde; revise el nombre del "
                                "servidor y el puerto, y que el servidor esté encendido."));
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
        QVERIFY2(r.errores.contains(QStringLiteral("usuario o contraseña incorrectos")),
                 qPrintable(r.errores));
    }

    // A server database of another application (here the server's own) is not filled with ours.
    void baseDelServidorAjena() {
        if (TbasePrueba::motor() != QLatin1String("mysql"))
            QSKIP("solo con servidor MariaDB");
        TbasePrueba base;
        QVERIFY2(base.valida() && base.sesion(), qPrintable(base.error()));
        TmiddleTier mt(base.sesion());
        mt.setQuery(QStringLiteral("CREATE TABLE clientes (id INT PRIMARY KEY, nombre VARCHAR(40))"));
        QVERIFY(mt.nonQuery().isSuccess());
        const QString nombre = base.sesion()->getDatabase();
        const Tcorrida r =
            corre({QStringLiteral("--mysql-socket"), qEnvironmentVariable("INVENTARIO_MYSQL_SOCKET"),
                   QStringLiteral("--mysql-database"), nombre, QStringLiteral("--mysql-user"),
                   qEnvironmentVariable("INVENTARIO_MYSQL_USER", QStringLiteral("root")),
                   QStringLiteral("--demo")});
        QCOMPARE(r.salida, 2);
        QVERIFY2(r.errores.contains(QStringLiteral("no es una base de datos de Inventario")),
                 qPrintable(r.errores));
        mt.setQuery(
            QStringLiteral("SELECT COUNT(*) FROM information_schema.tables WHERE table_schema = DATABASE()"));
        QCOMPARE(mt.getScalarAsInt(), 1);
    }

    void baseInexistenteEnElServidor() {
        if (TbasePrueba::motor() != QLatin1String("mysql"))
            QSKIP("solo con servidor MariaDB");
        const Tcorrida r =
            corre({QStringLiteral("--mysql-socket"), qEnvironmentVariable("INVENTARIO_MYSQL_SOCKET"),
                   QStringLiteral("--mysql-database"), QStringLiteral("no_existe_inventario"),
                   QStringLiteral("--mysql-user"),
                   qEnvironmentVariable("INVENTARIO_MYSQL_USER", QStringLiteral("root"))});
        QCOMPARE(r.salida, 2);
        QVERIFY2(r.errores.contains(QStringLiteral("la base de datos no existe en el servidor")),
                 qPrintable(r.errores));
    }
};

QTEST_GUILESS_MAIN(TpruebaHost)
#include "tst_host.moc"

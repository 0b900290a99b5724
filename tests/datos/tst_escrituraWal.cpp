#include "datos/UescrituraWal.h"

#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A connection of SQLite's own API: what it reads is what the file holds, not what a cache of
// ours believes.
class Tbase {
public:
    explicit Tbase(const QString &archivo, int bytesPagina = 0) {
        sqlite3_open_v2(archivo.toUtf8().constData(), &uDb, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr);
        if (bytesPagina > 0) // a new file only
            ejecuta(QByteArray("PRAGMA page_size = " + QByteArray::number(bytesPagina)).constData());
        ejecuta("PRAGMA journal_mode = WAL");
        ejecuta("PRAGMA synchronous = NORMAL");
        ejecuta("PRAGMA wal_autocheckpoint = 0"); // what is committed stays in the log
    }
    ~Tbase() { sqlite3_close(uDb); }
    Tbase(const Tbase &) = delete;
    Tbase &operator=(const Tbase &) = delete;

    int ejecuta(const char *sentencia) { return sqlite3_exec(uDb, sentencia, nullptr, nullptr, nullptr); }

    qint64 numero(const char *consulta) {
        sqlite3_stmt *s = nullptr;
        qint64 n = -1;
        if (sqlite3_prepare_v2(uDb, consulta, -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW)
            n = sqlite3_column_int64(s, 0);
        sqlite3_finalize(s);
        return n;
    }

    QString texto(const char *consulta) {
        sqlite3_stmt *s = nullptr;
        QString t;
        if (sqlite3_prepare_v2(uDb, consulta, -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW)
            t = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, 0)));
        sqlite3_finalize(s);
        return t;
    }

    // n rows of `bytes` bytes each in one statement; a few bytes of them tell them apart.
    int agrega(int n, int bytes) {
        const QByteArray s =
            QStringLiteral("WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c "
                           "WHERE i < %1) INSERT INTO t (v, relleno) SELECT i, randomblob(%2) FROM c")
                .arg(n)
                .arg(bytes)
                .toUtf8();
        return ejecuta(s.constData());
    }

private:
    sqlite3 *uDb = nullptr;
};

// Runs `hijo` in a child process that ends without closing anything, as a crash would end it;
// returns its exit code.
template <typename F> int enOtroProceso(F hijo) {
    const pid_t pid = fork();
    if (pid == 0)
        _exit(hijo());
    int estado = 0;
    waitpid(pid, &estado, 0);
    return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
}

} // namespace

class tst_escrituraWal : public QObject {
    Q_OBJECT

    QTemporaryDir uDir;
    QString uArchivo;

private slots:
    void initTestCase() {
        escrituraWal::instala();
        QCOMPARE(QByteArray(sqlite3_vfs_find(nullptr)->zName), QByteArray("inventario"));
    }

    void init() {
        static int siguiente = 0;
        uArchivo = uDir.filePath(QStringLiteral("%1.db").arg(++siguiente));
    }

    void creaTabla(int bytesPagina = 0) {
        Tbase b(uArchivo, bytesPagina);
        QCOMPARE(b.ejecuta("CREATE TABLE t (id INTEGER PRIMARY KEY, v INTEGER, relleno BLOB)"), SQLITE_OK);
        QCOMPARE(b.ejecuta("CREATE INDEX ix_t_v ON t (v)"), SQLITE_OK);
        QCOMPARE(b.numero("PRAGMA page_size"), qint64(bytesPagina > 0 ? bytesPagina : 4096));
    }

    // Another connection reads every committed transaction at once, whether it was held whole
    // until its commit or spilled into the log before it (a page cache of a few pages); a spilled
    // transaction rolled back leaves nothing, and the log rewritten over it reads whole.
    void otraConexionVeCadaConfirmacion_data() {
        QTest::addColumn<int>("bytesPagina");
        QTest::addColumn<int>("paginasCache");
        QTest::addColumn<int>("filas");
        QTest::addColumn<int>("bytes");
        QTest::newRow("documentos pequeños") << 0 << 2000 << 3 << 100;
        QTest::newRow("transacción mayor que la caché") << 0 << 10 << 400 << 900;
        QTest::newRow("transacción mayor que una escritura") << 0 << 2000 << 300 << 3000;
        QTest::newRow("páginas de 1 KB") << 1024 << 2000 << 40 << 300;
        QTest::newRow("páginas de 64 KB") << 65536 << 2000 << 60 << 20000;
    }
    void otraConexionVeCadaConfirmacion() {
        QFETCH(int, bytesPagina);
        QFETCH(int, paginasCache);
        QFETCH(int, filas);
        QFETCH(int, bytes);
        creaTabla(bytesPagina);
        Tbase escritor(uArchivo);
        Tbase lector(uArchivo);
        QCOMPARE(escritor.ejecuta(
                     QByteArray("PRAGMA cache_size = " + QByteArray::number(paginasCache)).constData()),
                 SQLITE_OK);
        qint64 esperadas = 0;
        for (int vuelta = 0; vuelta < 20; ++vuelta) {
            QCOMPARE(escritor.ejecuta("BEGIN IMMEDIATE"), SQLITE_OK);
            QCOMPARE(escritor.agrega(filas, bytes), SQLITE_OK);
            if (vuelta % 5 == 4) {
                QCOMPARE(escritor.ejecuta("ROLLBACK"), SQLITE_OK);
            } else {
                QCOMPARE(escritor.ejecuta("COMMIT"), SQLITE_OK);
                esperadas += filas;
            }
            QCOMPARE(lector.numero("SELECT count(*) FROM t"), esperadas);
            QCOMPARE(
                lector.numero("SELECT count(*) FROM t WHERE length(relleno) = " + QByteArray::number(bytes)),
                esperadas);
        }
        Tbase nueva(uArchivo);
        QCOMPARE(nueva.texto("PRAGMA integrity_check"), QStringLiteral("ok"));
        QCOMPARE(nueva.numero("SELECT count(*) FROM t"), esperadas);
    }

    // A process that ends right after its commit, closing nothing, leaves the commit in the file;
    // a transaction it had going, spilled into the log or not, is not there.
    void confirmadoSobreviveAlProceso_data() {
        QTest::addColumn<int>("filasAMedias");
        QTest::newRow("termina tras confirmar") << 0;
        QTest::newRow("termina con una transacción a medias") << 3;
        QTest::newRow("termina con una transacción volcada al log") << 400;
    }
    void confirmadoSobreviveAlProceso() {
        QFETCH(int, filasAMedias);
        creaTabla();
        const int salida = enOtroProceso([this, filasAMedias] {
            Tbase b(uArchivo);
            b.ejecuta("PRAGMA cache_size = 10");
            if (b.ejecuta("BEGIN IMMEDIATE") != SQLITE_OK || b.agrega(50, 200) != SQLITE_OK ||
                b.ejecuta("COMMIT") != SQLITE_OK)
                return 1;
            if (filasAMedias > 0 &&
                (b.ejecuta("BEGIN IMMEDIATE") != SQLITE_OK || b.agrega(filasAMedias, 900) != SQLITE_OK))
                return 2;
            _exit(0); // with the connection open
        });
        QCOMPARE(salida, 0);
        Tbase b(uArchivo);
        QCOMPARE(b.texto("PRAGMA integrity_check"), QStringLiteral("ok"));
        QCOMPARE(b.numero("SELECT count(*) FROM t"), qint64(50));
    }

    // A write the file system refuses (the file may grow no further) fails the commit, however
    // long the frames were held; the file keeps what was committed before.
    void escrituraRechazadaNoConfirma() {
        creaTabla();
        {
            Tbase b(uArchivo);
            QCOMPARE(b.agrega(20, 100), SQLITE_OK);
        }
        const int salida = enOtroProceso([this] {
            Tbase b(uArchivo);
            b.numero("SELECT count(*) FROM t"); // the log is open before the limit
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limite{256 * 1024, 256 * 1024};
            setrlimit(RLIMIT_FSIZE, &limite);
            if (b.ejecuta("BEGIN IMMEDIATE") != SQLITE_OK)
                return 1;
            const int insercion = b.agrega(600, 1000);
            const int confirmacion = insercion == SQLITE_OK ? b.ejecuta("COMMIT") : insercion;
            return confirmacion == SQLITE_OK ? 2 : 0;
        });
        QCOMPARE(salida, 0);
        Tbase b(uArchivo);
        QCOMPARE(b.texto("PRAGMA integrity_check"), QStringLiteral("ok"));
        QCOMPARE(b.numero("SELECT count(*) FROM t"), qint64(20));
        QCOMPARE(b.agrega(5, 100), SQLITE_OK);
        QCOMPARE(b.numero("SELECT count(*) FROM t"), qint64(25));
    }
};

QTEST_GUILESS_MAIN(tst_escrituraWal)
#include "tst_escrituraWal.moc"

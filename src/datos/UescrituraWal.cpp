#include "datos/UescrituraWal.h"

#include <sqlite3.h>

#include <cstddef>
#include <mutex>
#include <new>
#include <vector>

namespace {

// The log's own format: a frame is a 24-byte header followed by the page; bytes 4 to 7 of the
// header hold the file's size after the commit in the frame that commits, zero in any other.
constexpr int kEncabezadoMarco = 24;
// Held bytes are written out once they pass this much. SQLite's file layer takes less than 128 KB in
// one write: what is held, one more header and the largest page a file may have must stay below.
constexpr size_t kMaximoRetenido = 60 * 1024;
static_assert(kMaximoRetenido + kEncabezadoMarco + 65536 < 128 * 1024);

sqlite3_vfs *gBase = nullptr;
sqlite3_vfs gCapa;

// A log file: SQLite's own file right after this record, in the memory SQLite gives the file.
struct Tlog {
    sqlite3_file base;
    sqlite3_file *real;
    std::vector<char> pendiente;
    sqlite3_int64 inicio = 0; // where the held bytes go
    sqlite3_int64 fin = -1;   // where the last write, held or not, ended
    bool esperaPagina = false;
    bool confirma = false;
};

constexpr size_t desplazamientoReal() {
    return (sizeof(Tlog) + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) *
           alignof(std::max_align_t);
}

Tlog *comoLog(sqlite3_file *f) {
    return reinterpret_cast<Tlog *>(f);
}

int vacia(Tlog *l) {
    l->esperaPagina = false;
    if (l->pendiente.empty())
        return SQLITE_OK;
    const int rc =
        l->real->pMethods->xWrite(l->real, l->pendiente.data(), int(l->pendiente.size()), l->inicio);
    l->pendiente.clear();
    return rc;
}

int guarda(Tlog *l, const void *datos, int cuantos, sqlite3_int64 desde) {
    if (l->pendiente.empty())
        l->inicio = desde;
    const char *bytes = static_cast<const char *>(datos);
    l->pendiente.insert(l->pendiente.end(), bytes, bytes + cuantos);
    l->fin = desde + cuantos;
    return SQLITE_OK;
}

// Only the pattern SQLite writes a frame in is held: a header right where the log ends, then its
// page right after it. Anything else (the log's own header, a frame rewritten in place, a page
// split at a sync point) writes out what is held and goes straight through.
int escribe(sqlite3_file *f, const void *datos, int cuantos, sqlite3_int64 desde) {
    Tlog *l = comoLog(f);
    const bool seguido = desde == l->fin;
    if (seguido && !l->esperaPagina && cuantos == kEncabezadoMarco) {
        const auto *b = static_cast<const unsigned char *>(datos);
        l->confirma = (b[4] | b[5] | b[6] | b[7]) != 0;
        guarda(l, datos, cuantos, desde);
        l->esperaPagina = true;
        return SQLITE_OK;
    }
    if (seguido && l->esperaPagina) {
        guarda(l, datos, cuantos, desde);
        l->esperaPagina = false;
        return l->confirma || l->pendiente.size() >= kMaximoRetenido ? vacia(l) : SQLITE_OK;
    }
    if (const int rc = vacia(l); rc != SQLITE_OK)
        return rc;
    l->fin = desde + cuantos;
    return l->real->pMethods->xWrite(l->real, datos, cuantos, desde);
}

int cierra(sqlite3_file *f) {
    Tlog *l = comoLog(f);
    const int rc = vacia(l);
    const int rcReal = l->real->pMethods->xClose(l->real);
    l->~Tlog();
    return rc != SQLITE_OK ? rc : rcReal;
}

// A call on the log after what is held is written out.
template <auto Metodo, typename... Argumentos> int trasVaciar(sqlite3_file *f, Argumentos... argumentos) {
    Tlog *l = comoLog(f);
    if (const int rc = vacia(l); rc != SQLITE_OK)
        return rc;
    return (l->real->pMethods->*Metodo)(l->real, argumentos...);
}

// A call that neither reads nor writes the log's bytes.
template <auto Metodo, typename... Argumentos> int directo(sqlite3_file *f, Argumentos... argumentos) {
    Tlog *l = comoLog(f);
    return (l->real->pMethods->*Metodo)(l->real, argumentos...);
}

int trunca(sqlite3_file *f, sqlite3_int64 largo) {
    Tlog *l = comoLog(f);
    if (const int rc = vacia(l); rc != SQLITE_OK)
        return rc;
    l->fin = -1;
    return l->real->pMethods->xTruncate(l->real, largo);
}

// Version 1: a log file is never memory-mapped nor holds the shared-memory index.
const sqlite3_io_methods kMetodosLog = [] {
    sqlite3_io_methods m{};
    m.iVersion = 1;
    m.xClose = cierra;
    m.xRead = trasVaciar<&sqlite3_io_methods::xRead>;
    m.xWrite = escribe;
    m.xTruncate = trunca;
    m.xSync = trasVaciar<&sqlite3_io_methods::xSync>;
    m.xFileSize = trasVaciar<&sqlite3_io_methods::xFileSize>;
    m.xLock = directo<&sqlite3_io_methods::xLock>;
    m.xUnlock = directo<&sqlite3_io_methods::xUnlock>;
    m.xCheckReservedLock = directo<&sqlite3_io_methods::xCheckReservedLock>;
    m.xFileControl = trasVaciar<&sqlite3_io_methods::xFileControl>;
    m.xSectorSize = directo<&sqlite3_io_methods::xSectorSize>;
    m.xDeviceCharacteristics = directo<&sqlite3_io_methods::xDeviceCharacteristics>;
    return m;
}();

// Every other file is SQLite's own, opened in place.
int abre(sqlite3_vfs *, sqlite3_filename nombre, sqlite3_file *f, int banderas, int *salida) {
    if (!(banderas & SQLITE_OPEN_WAL))
        return gBase->xOpen(gBase, nombre, f, banderas, salida);
    auto *l = new (f) Tlog;
    l->base.pMethods = nullptr;
    l->real = reinterpret_cast<sqlite3_file *>(reinterpret_cast<char *>(f) + desplazamientoReal());
    const int rc = gBase->xOpen(gBase, nombre, l->real, banderas, salida);
    if (rc != SQLITE_OK || !l->real->pMethods) {
        // SQLite calls no method of a file whose open failed: nothing else frees the record.
        if (l->real->pMethods)
            l->real->pMethods->xClose(l->real);
        l->~Tlog();
        f->pMethods = nullptr;
        return rc != SQLITE_OK ? rc : SQLITE_CANTOPEN;
    }
    l->base.pMethods = &kMetodosLog;
    return SQLITE_OK;
}

// The rest of the layer is the one beneath, called as itself.
template <auto Metodo, typename... Argumentos> auto haciaBase(sqlite3_vfs *, Argumentos... argumentos) {
    return (gBase->*Metodo)(gBase, argumentos...);
}

} // namespace

void escrituraWal::instala() {
    static std::once_flag unaVez;
    std::call_once(unaVez, [] {
        gBase = sqlite3_vfs_find(nullptr);
        if (!gBase)
            return;
        gCapa = sqlite3_vfs{};
        // Version 2: the calls to replace system calls, for tests of SQLite itself, stay unreached.
        gCapa.iVersion = 2;
        gCapa.szOsFile = int(desplazamientoReal()) + gBase->szOsFile;
        gCapa.mxPathname = gBase->mxPathname;
        gCapa.zName = "inventario";
        gCapa.xOpen = abre;
        gCapa.xDelete = haciaBase<&sqlite3_vfs::xDelete>;
        gCapa.xAccess = haciaBase<&sqlite3_vfs::xAccess>;
        gCapa.xFullPathname = haciaBase<&sqlite3_vfs::xFullPathname>;
        gCapa.xDlOpen = haciaBase<&sqlite3_vfs::xDlOpen>;
        gCapa.xDlError = haciaBase<&sqlite3_vfs::xDlError>;
        gCapa.xDlSym = haciaBase<&sqlite3_vfs::xDlSym>;
        gCapa.xDlClose = haciaBase<&sqlite3_vfs::xDlClose>;
        gCapa.xRandomness = haciaBase<&sqlite3_vfs::xRandomness>;
        gCapa.xSleep = haciaBase<&sqlite3_vfs::xSleep>;
        gCapa.xCurrentTime = haciaBase<&sqlite3_vfs::xCurrentTime>;
        gCapa.xGetLastError = haciaBase<&sqlite3_vfs::xGetLastError>;
        gCapa.xCurrentTimeInt64 = haciaBase<&sqlite3_vfs::xCurrentTimeInt64>;
        if (gBase->iVersion < 2 || !gBase->xCurrentTimeInt64 || !gBase->xGetLastError ||
            sqlite3_vfs_register(&gCapa, 1) != SQLITE_OK)
            gBase = nullptr;
    });
}

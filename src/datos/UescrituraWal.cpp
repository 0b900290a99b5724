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

int lee(sqlite3_file *f, void *datos, int cuantos, sqlite3_int64 desde) {
    Tlog *l = comoLog(f);
    if (const int rc = vacia(l); rc != SQLITE_OK)
        return rc;
    return l->real->pMethods->xRead(l->real, datos, cuantos, desde);
}

int trunca(sqlite3_file *f, sqlite3_int64 largo) {
    Tlog *l = comoLog(f);
    if (const int rc = vacia(l); rc != SQLITE_OK)
        return rc;
    l->fin = -1;
    return l->real->pMethods->xTruncate(l->real, largo);
}

int sincroniza(sqlite3_file *f, int banderas) {
    Tlog *l = comoLog(f);
    if (const int rc = vacia(l); rc != SQLITE_OK)
        return rc;
    return l->real->pMethods->xSync(l->real, banderas);
}

int tamano(sqlite3_file *f, sqlite3_int64 *largo) {
    Tlog *l = comoLog(f);
    if (const int rc = vacia(l); rc != SQLITE_OK)
        return rc;
    return l->real->pMethods->xFileSize(l->real, largo);
}

int controla(sqlite3_file *f, int operacion, void *argumento) {
    Tlog *l = comoLog(f);
    if (const int rc = vacia(l); rc != SQLITE_OK)
        return rc;
    return l->real->pMethods->xFileControl(l->real, operacion, argumento);
}

int bloquea(sqlite3_file *f, int nivel) {
    return comoLog(f)->real->pMethods->xLock(comoLog(f)->real, nivel);
}

int desbloquea(sqlite3_file *f, int nivel) {
    return comoLog(f)->real->pMethods->xUnlock(comoLog(f)->real, nivel);
}

int reservado(sqlite3_file *f, int *sal) {
    return comoLog(f)->real->pMethods->xCheckReservedLock(comoLog(f)->real, sal);
}

int sector(sqlite3_file *f) {
    return comoLog(f)->real->pMethods->xSectorSize(comoLog(f)->real);
}

int caracteristicas(sqlite3_file *f) {
    return comoLog(f)->real->pMethods->xDeviceCharacteristics(comoLog(f)->real);
}

// Version 1: a log file is never memory-mapped nor holds the shared-memory index.
const sqlite3_io_methods kMetodosLog = [] {
    sqlite3_io_methods m{};
    m.iVersion = 1;
    m.xClose = cierra;
    m.xRead = lee;
    m.xWrite = escribe;
    m.xTruncate = trunca;
    m.xSync = sincroniza;
    m.xFileSize = tamano;
    m.xLock = bloquea;
    m.xUnlock = desbloquea;
    m.xCheckReservedLock = reservado;
    m.xFileControl = controla;
    m.xSectorSize = sector;
    m.xDeviceCharacteristics = caracteristicas;
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
int borra(sqlite3_vfs *, const char *nombre, int sincronizar) {
    return gBase->xDelete(gBase, nombre, sincronizar);
}
int accede(sqlite3_vfs *, const char *nombre, int banderas, int *sal) {
    return gBase->xAccess(gBase, nombre, banderas, sal);
}
int rutaCompleta(sqlite3_vfs *, const char *nombre, int largo, char *sal) {
    return gBase->xFullPathname(gBase, nombre, largo, sal);
}
void *abreBiblioteca(sqlite3_vfs *, const char *nombre) {
    return gBase->xDlOpen(gBase, nombre);
}
void errorBiblioteca(sqlite3_vfs *, int largo, char *sal) {
    gBase->xDlError(gBase, largo, sal);
}
void (*simbolo(sqlite3_vfs *, void *biblioteca, const char *nombre))(void) {
    return gBase->xDlSym(gBase, biblioteca, nombre);
}
void cierraBiblioteca(sqlite3_vfs *, void *biblioteca) {
    gBase->xDlClose(gBase, biblioteca);
}
int azar(sqlite3_vfs *, int largo, char *sal) {
    return gBase->xRandomness(gBase, largo, sal);
}
int duerme(sqlite3_vfs *, int microsegundos) {
    return gBase->xSleep(gBase, microsegundos);
}
int hora(sqlite3_vfs *, double *sal) {
    return gBase->xCurrentTime(gBase, sal);
}
int ultimoError(sqlite3_vfs *, int largo, char *sal) {
    return gBase->xGetLastError ? gBase->xGetLastError(gBase, largo, sal) : 0;
}
int horaEntera(sqlite3_vfs *, sqlite3_int64 *sal) {
    return gBase->xCurrentTimeInt64(gBase, sal);
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
        gCapa.xDelete = borra;
        gCapa.xAccess = accede;
        gCapa.xFullPathname = rutaCompleta;
        gCapa.xDlOpen = abreBiblioteca;
        gCapa.xDlError = errorBiblioteca;
        gCapa.xDlSym = simbolo;
        gCapa.xDlClose = cierraBiblioteca;
        gCapa.xRandomness = azar;
        gCapa.xSleep = duerme;
        gCapa.xCurrentTime = hora;
        gCapa.xGetLastError = ultimoError;
        gCapa.xCurrentTimeInt64 = horaEntera;
        if (gBase->iVersion < 2 || !gBase->xCurrentTimeInt64 || sqlite3_vfs_register(&gCapa, 1) != SQLITE_OK)
            gBase = nullptr;
    });
}

#include "datos/UfallaBaseDatos.h"

#include <QAtomicInt>
#include <QMutex>

namespace {

thread_local TfallaSentencia tUltimaFalla;

QAtomicInt gHayFallaPorTexto{0};
QMutex gCandadoFalla;
std::function<bool(const QString &)> gFallaCuando;
int gCodigoFalla = 0;

TtipoFalla tipoSQLite(int codigo) {
    // Primary result codes; extended codes carry them in the low byte.
    switch (codigo & 0xFF) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return TtipoFalla::Bloqueo;
    case 13: // SQLITE_FULL
        return TtipoFalla::DiscoLleno;
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        return TtipoFalla::ArchivoDanado;
    case 10: // SQLITE_IOERR
    case 14: // SQLITE_CANTOPEN
        return TtipoFalla::EntradaSalida;
    case 8: // SQLITE_READONLY
        return TtipoFalla::SoloLectura;
    default:
        return TtipoFalla::Otra;
    }
}

TtipoFalla tipoMySQL(int codigo) {
    switch (codigo) {
    case 1053: // ER_SERVER_SHUTDOWN
    case 1927: // ER_CONNECTION_KILLED
    case 2002: // CR_CONNECTION_ERROR
    case 2003: // CR_CONN_HOST_ERROR
    case 2006: // CR_SERVER_GONE_ERROR
    case 2013: // CR_SERVER_LOST
    case 2055: // CR_SERVER_LOST_EXTENDED
        return TtipoFalla::Conexion;
    case 1205: // ER_LOCK_WAIT_TIMEOUT
    case 1213: // ER_LOCK_DEADLOCK
        return TtipoFalla::Bloqueo;
    case 1021: // ER_DISK_FULL
    case 1114: // ER_RECORD_FILE_FULL
        return TtipoFalla::DiscoLleno;
    case 1194: // ER_CRASHED_ON_USAGE
    case 1195: // ER_CRASHED_ON_REPAIR
        return TtipoFalla::ArchivoDanado;
    case 1036: // ER_OPEN_AS_READONLY
    case 1290: // ER_OPTION_PREVENTS_STATEMENT (read-only server)
        return TtipoFalla::SoloLectura;
    default:
        return TtipoFalla::Otra;
    }
}

} // namespace

TtipoFalla TfallaSentencia::tipo() const {
    if (!hay)
        return TtipoFalla::Ninguna;
    if (sinConexion)
        return TtipoFalla::Conexion;
    return mysql ? tipoMySQL(codigo) : tipoSQLite(codigo);
}

TfallaSentencia u_ultimaFalla() {
    return tUltimaFalla;
}

void u_olvidaFalla() {
    tUltimaFalla = TfallaSentencia();
}

void u_registraFalla(const TfallaSentencia &falla) {
    tUltimaFalla = falla;
}

void u_fallaCuando(std::function<bool(const QString &)> cumple, int codigo) {
    QMutexLocker bloqueo(&gCandadoFalla);
    gFallaCuando = std::move(cumple);
    gCodigoFalla = codigo;
    gHayFallaPorTexto.storeRelaxed(gFallaCuando ? 1 : 0);
}

bool u_fallaPorTexto(const QString &sentencia, int &codigo) {
    if (!gHayFallaPorTexto.loadRelaxed())
        return false;
    QMutexLocker bloqueo(&gCandadoFalla);
    if (!gFallaCuando || !gFallaCuando(sentencia))
        return false;
    codigo = gCodigoFalla;
    return true;
}

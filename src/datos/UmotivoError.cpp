#include "datos/UmotivoError.h"

namespace {

QString motivoSQLite(int codigo) {
    // Primary result codes: the low byte of an extended code.
    switch (codigo & 0xff) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return QStringLiteral(
            "la base de datos está en uso por otro programa; intente de nuevo en un momento");
    case 8: // SQLITE_READONLY
        return QStringLiteral(
            "el archivo o su carpeta es de solo lectura; Inventario necesita poder escribir "
            "en ambos");
    case 10: // SQLITE_IOERR
        return QStringLiteral("falló la lectura o escritura del disco");
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        return QStringLiteral("el archivo está dañado o no es una base de datos; recupere una copia de "
                              "respaldo");
    case 13: // SQLITE_FULL
        return QStringLiteral("el disco está lleno");
    case 14: // SQLITE_CANTOPEN
        return QStringLiteral(
            "no se pudo abrir el archivo; revise la ruta y que la carpeta permita escribir");
    case 23: // SQLITE_AUTH
        return QStringLiteral("el archivo no permite el acceso");
    default:
        return QStringLiteral("la base de datos respondió con un error (vea el registro)");
    }
}

QString motivoMySQL(int codigo) {
    switch (codigo) {
    case 1044: // ER_DBACCESS_DENIED_ERROR
        return QStringLiteral("el usuario no tiene permiso sobre esa base de datos");
    case 1045: // ER_ACCESS_DENIED_ERROR
        return QStringLiteral("usuario o contraseña incorrectos");
    case 1049: // ER_BAD_DB_ERROR
        return QStringLiteral("la base de datos no existe en el servidor; revise su nombre");
    case 1040: // ER_CON_COUNT_ERROR
        return QStringLiteral("el servidor tiene demasiadas conexiones; intente más tarde");
    case 1205: // lock wait timeout
    case 1213: // deadlock
        return QStringLiteral("la base de datos está ocupada por otra estación; intente de nuevo");
    case 2002: // CR_CONNECTION_ERROR (socket)
    case 2003: // CR_CONN_HOST_ERROR
    case 2005: // CR_UNKNOWN_HOST
        return QStringLiteral("el servidor no responde; revise el nombre del servidor y el puerto, y que el "
                              "servidor esté encendido");
    case 2006: // CR_SERVER_GONE_ERROR
    case 2013: // CR_SERVER_LOST
        return QStringLiteral("se perdió la conexión con el servidor");
    default:
        return QStringLiteral("el servidor respondió con un error (vea el registro)");
    }
}

} // namespace

QString u_motivoErrorBD(int codigo, bool mysql) {
    return mysql ? motivoMySQL(codigo) : motivoSQLite(codigo);
}

QString u_motivoErrorBD(const QSqlError &error, bool mysql) {
    return u_motivoErrorBD(error.nativeErrorCode().toInt(), mysql);
}

#pragma once

#include "datos/UconexionSesion.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The one source of the database schema, for SQLite and MariaDB alike. A table is written once
// with engine-neutral tokens:
//   {ID}    integer primary key that numbers itself
//   {FECHA} a date-time, sortable ('YYYY-MM-DD HH:MM:SS.zzz' text on SQLite, DATETIME(3) on MariaDB)
//   {BOOL}  a 0/1 flag
// Other types (INTEGER, BIGINT, DOUBLE, VARCHAR(n), TEXT) mean the same on both engines.
namespace esquema {

struct Ttabla {
    QString nombre;
    QString columnas; // the text between the parentheses of CREATE TABLE
};

struct Tindice {
    QString nombre;
    QString tabla;
    QString columnas;
};

// A column a step adds to a table that already exists.
struct Tcolumna {
    QString tabla;
    QString definicion; // "name TYPE …", as in CREATE TABLE
};

// One step of the upgrade path: what brings a database from version n-1 to version n. Applied in
// this order: tables, added columns, indexes, statements.
struct Tversion {
    int version;
    QVector<Ttabla> tablas;
    QVector<Tindice> indices;
    QStringList sentencias; // further engine-neutral statements (data fixes)
    QVector<Tcolumna> columnas;
};

// Version 1 onwards, in order. The last one is the version this program writes.
const QVector<Tversion> &versiones();
int versionActual();

enum class Estado { Listo, VersionMasNueva, Error };

struct TresultadoEsquema {
    Estado estado = Estado::Error;
    int versionEncontrada = 0; // 0: the database had no schema yet
    QString error;
};

// The version recorded in the database; 0 when it has none, -1 when it cannot be read.
int versionRegistrada(TConexionSesion *sesion);
// Creates what is missing and runs every step above the recorded version. A database recorded
// by a newer program is left untouched.
TresultadoEsquema creaOActualiza(TConexionSesion *sesion);

// Engine text of a token-written definition (exposed for the tests and the benchmarks).
QString traduce(const QString &texto, bool mysql);
QString sentenciaCreaTabla(const Ttabla &tabla, bool mysql);

} // namespace esquema

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
// this order: tables, added columns, statements, indexes, indexes retired.
struct Tversion {
    int version;
    QVector<Ttabla> tablas;
    QVector<Tindice> indices;
    QStringList sentencias; // further engine-neutral statements (data fixes)
    QVector<Tcolumna> columnas;
    QVector<Tindice> retirados; // indexes no statement reads any more: each one costs every write
};

// Version 1 onwards, in order. The last one is the version this program writes.
const QVector<Tversion> &versiones();
int versionActual();

enum class Estado { Listo, VersionMasNueva, Ajena, VersionInvalida, Error };

// What a database holds, told from reads alone.
enum class Contenido {
    Vacia,           // no table at all: a new database
    Propia,          // ours, at `version` (0: a first run that stopped before its first step)
    Ajena,           // tables of another application, none of ours
    SinVersion,      // tables named like ours but no version record
    VersionInvalida, // a version record that is not a whole number (text, fraction, negative)
    VersionMasNueva, // written by a newer program
    Ilegible,        // the tables cannot be read (damaged file, lost connection)
};

struct Texamen {
    Contenido contenido = Contenido::Ilegible;
    int version = 0;
    QString error; // with Ilegible: the reason, in Spanish
};

struct TresultadoEsquema {
    Estado estado = Estado::Error;
    int versionEncontrada = 0; // 0: the database had no schema yet
    QString error;
};

// Reads only: safe on a read-only connection to a file that may not be ours.
Texamen examina(TConexionSesion *sesion);
// The version recorded in the database; 0 when it has none, -1 when it cannot be read.
int versionRegistrada(TConexionSesion *sesion);
// Creates what is missing on an empty database and runs every step above the recorded version,
// up to `hasta` (the tests build a database of an earlier version with it). A database that is
// not ours, or recorded by a newer program, is left untouched.
TresultadoEsquema creaOActualiza(TConexionSesion *sesion, int hasta = versionActual());

// Engine text of a token-written definition (exposed for the tests and the benchmarks).
QString traduce(const QString &texto, bool mysql);
QString sentenciaCreaTabla(const Ttabla &tabla, bool mysql);

} // namespace esquema

#pragma once

#include "datos/UmidTierResponse.h"
#include "datos/UsentenciaNativa.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include <memory>

// Prepared statements kept per connection. A statement text is prepared once on a connection and
// run again with new values: on SQLite that saves compiling it, on MariaDB a round trip to the
// server and its parsing. Each connection keeps at most capacidad() statements, the least recently
// used leaves first. A connection's statements go when it is closed or opened again, and every
// connection's when the schema changes (invalida()), so no statement outlives what it was
// prepared against.
namespace cacheSentencias {

// A statement held, and what its last run leaves for the next one. On MariaDB and SQLite it is
// held by the engine's own library (nativa), elsewhere by Qt (consulta).
struct Tpreparada {
    QSqlQuery consulta;
    std::unique_ptr<TsentenciaNativa> nativa;
    QStringList enlazados;       // the names the last run bound (consulta)
    TcolumnasResultado columnas; // the columns its result had
};

struct Testadisticas {
    qint64 reutilizadas = 0; // runs that found their statement prepared
    qint64 preparadas = 0;   // statements prepared for the cache
    qint64 desalojadas = 0;  // left as least recently used
    int sentenciasPico = 0;  // most statements held at once, every connection together
    qint64 textoPico = 0;    // bytes of statement text held at that peak
};

// Off: every run prepares its statement afresh (the benchmarks compare both ways); what was held
// is dropped. Like setCapacidad, for a moment when no other thread runs statements.
void setActivo(bool activo);
bool activo();
// Statements kept per connection (at least 1); the statements above it leave at once.
void setCapacidad(int sentencias);
int capacidad();

// The statement prepared on `db`, ready to bind and run; nullptr (with the engine's text and
// number in `error` and `codigo`) when it does not prepare. The pointer is valid until the next
// call for the same connection. The caller finishes the query (QSqlQuery::finish or
// TsentenciaNativa::termina) once its rows are read, and calls descarta() when a run fails.
Tpreparada *prepara(const QSqlDatabase &db, const QString &sentencia, QString &error, int &codigo);
// Drops one statement of the connection (a failed run may have left it unusable).
void descarta(const QSqlDatabase &db, const QString &sentencia);
// Drops the statements of the named connection: call before the connection is closed or its name
// is opened again.
void descartaConexion(const QString &nombreConexion);
// The schema changed: every connection prepares its statements again.
void invalida();

// Statements held now on every connection.
int sentenciasRetenidas();
Testadisticas estadisticas();
void reiniciaEstadisticas();

} // namespace cacheSentencias

#pragma once

#include "datos/UsentenciaNativa.h"

#include <QHash>

#include <memory>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// A statement prepared on a SQLite connection through SQLite itself, for the statement cache.
// Qt's driver copies every bound value into a list by name and every row into a cache of its
// own before handing it over; this one binds each value where its name goes and reads the
// columns straight from the engine. The connection is Qt's (the driver's handle), so a statement
// must be dropped before the connection closes: SQLite does not close a connection that still
// has statements.
class TsentenciaSQLite : public TsentenciaNativa {
public:
    // Prepares `sentencia` on the connection `db` (a QSQLITE one); nullptr, with the engine's
    // text and number in `error` and `codigo`, when it does not prepare.
    static std::unique_ptr<TsentenciaSQLite> prepara(const QSqlDatabase &db, const QString &sentencia,
                                                     QString &error, int &codigo);
    ~TsentenciaSQLite() override;
    TsentenciaSQLite(const TsentenciaSQLite &) = delete;
    TsentenciaSQLite &operator=(const TsentenciaSQLite &) = delete;

    bool vigenteEn(const QSqlDatabase &db) const override;
    bool ejecuta(const TparametrosSentencia &parametros) override;
    bool siguiente() override;
    QVariant valor(int columna) const override;
    void termina() override;
    qint64 filasAfectadas() const override;
    qint64 idInsertado() const override;

private:
    TsentenciaSQLite(sqlite3 *conexion, sqlite3_stmt *sentencia);
    void tomaColumnas();
    bool enlaza(const TparametrosSentencia &parametros);
    int lugarDe(const QString &nombre);
    int enlazaValor(int lugar, const QVariant &valor);
    // A text that outlives the run (`perdura`) may be bound in place.
    int enlazaTexto(int lugar, const QString &texto, bool perdura);
    bool falla(int codigo);

    sqlite3 *uConexion;
    sqlite3_stmt *uSentencia;
    // The names the last run bound, in its order, and the place of each (0: not in the text).
    QStringList uNombres;
    std::vector<int> uLugares;
    bool uEnlazaTodos = false;          // those names cover every place of the text
    QHash<QString, int> uLugarDeNombre; // every name of the text, read once
    bool uNombresLeidos = false;
    // The run's ASCII texts as UTF-8, bound in place once all are in; kept between runs up to
    // kTextosQueSeGuardan bytes.
    struct TtextoPorEnlazar {
        int lugar;
        std::size_t desde, largo;
    };
    std::string uTextos;
    std::vector<TtextoPorEnlazar> uTextosPorEnlazar;
    static constexpr std::size_t kTextosQueSeGuardan = 64 * 1024;
    bool uFilaPendiente = false; // the run's first row, stepped to by ejecuta
    bool uAcabada = true;        // the run has no further row
};

#pragma once

#include "datos/UobservadorSentencias.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <memory>

// A statement prepared on a MariaDB connection through the client library itself, for the
// statement cache. Qt's driver resets a prepared statement on the server before every run, a
// round trip of its own; this one only runs it, so a cached statement costs one round trip.
// It reads and binds values as Qt's driver does (the same types for the same columns, names
// turned into positions the same way), so callers cannot tell the two apart.
class TsentenciaMariaDB {
public:
    // Prepares `sentencia` on the connection `db` (a QMYSQL one); nullptr, with the server's text
    // and number in `error` and `codigo`, when it does not prepare.
    static std::unique_ptr<TsentenciaMariaDB> prepara(const QSqlDatabase &db, const QString &sentencia,
                                                      QString &error, int &codigo);
    ~TsentenciaMariaDB();
    TsentenciaMariaDB(const TsentenciaMariaDB &) = delete;
    TsentenciaMariaDB &operator=(const TsentenciaMariaDB &) = delete;

    // False once the connection it was prepared on was closed or replaced.
    bool vigenteEn(const QSqlDatabase &db) const;

    // Runs it with these values, each bound to every place of its name; a name not given binds
    // NULL. On failure the server's text and number are in error() and codigo().
    bool ejecuta(const TparametrosSentencia &parametros);
    // The result's next row, while there is one; its values by column.
    bool siguiente();
    QVariant valor(int columna) const;
    // Lets go of the rest of the result, so the connection can run something else.
    void termina();

    const QStringList &columnas() const { return uAlias; }
    qint64 filasAfectadas() const;
    qint64 idInsertado() const;
    QString error() const { return uError; }
    int codigo() const { return uCodigo; }

    // The statement's text with each :name replaced by a place (?), and the names in place order.
    // Quoted text is left alone; '::' is no name.
    static QByteArray aPosiciones(const QString &sentencia, QStringList &nombres);

private:
    struct Tdatos;
    explicit TsentenciaMariaDB(std::unique_ptr<Tdatos> datos);
    bool falla();

    std::unique_ptr<Tdatos> d;
    QStringList uAlias;
    QString uError;
    int uCodigo = 0;
};

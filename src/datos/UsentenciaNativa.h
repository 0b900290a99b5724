#pragma once

#include "datos/UobservadorSentencias.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

// A statement of the cache held by the engine's own client library rather than by Qt's driver,
// which does more work around every run than a cached statement needs. It binds and reads values
// as Qt's driver does (the same types for the same columns, names bound the same way), so callers
// cannot tell the two apart.
class TsentenciaNativa {
public:
    virtual ~TsentenciaNativa() = default;

    // False once the connection it was prepared on was closed or replaced.
    virtual bool vigenteEn(const QSqlDatabase &db) const = 0;

    // Runs it with these values, each bound to every place of its name; a name not given binds
    // NULL. On failure the engine's text and number are in error() and codigo().
    virtual bool ejecuta(const TparametrosSentencia &parametros) = 0;
    // The result's next row, while there is one; its values by column. False too when the row
    // could not be read, and then fallo() tells it.
    virtual bool siguiente() = 0;
    virtual QVariant valor(int columna) const = 0;
    // Lets go of the rest of the result, so the connection can run something else.
    virtual void termina() = 0;

    virtual qint64 filasAfectadas() const = 0;
    virtual qint64 idInsertado() const = 0;
    const QStringList &columnas() const { return uAlias; }
    QString error() const { return uError; }
    int codigo() const { return uCodigo; }
    // The last run failed, in ejecuta or at a row siguiente could not bring.
    bool fallo() const { return uCodigo != 0 || !uError.isEmpty(); }

    // Qt's test of a value it binds as NULL: a null QVariant, or a null string, array, date or
    // time inside one.
    static bool esNulo(const QVariant &v);

protected:
    QStringList uAlias;
    QString uError;
    int uCodigo = 0;
};

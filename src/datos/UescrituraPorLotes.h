#pragma once

#include "datos/UmiddleTier.h"

#include <QString>
#include <QVariant>
#include <QVector>

// Bulk writes: rows are held and written several to a statement, through statements prepared
// once per connection (the statement cache, when on) and bound again for every run. On MariaDB each statement
// is a network round trip, so a few hundred rows to a statement beat one statement per row; on SQLite the
// reuse of one prepared statement is what counts. Runs on the connection (and inside the transaction) of the
// TmiddleTier given; a failed statement writes none of its rows.
class TescrituraPorLotes {
public:
    TescrituraPorLotes(TmiddleTier &mt, int columnas, int filasPorSentencia);
    virtual ~TescrituraPorLotes() = default;
    TescrituraPorLotes(const TescrituraPorLotes &) = delete;
    TescrituraPorLotes &operator=(const TescrituraPorLotes &) = delete;

    // Holds one row (its values in column order) and writes a statement's worth when full.
    bool agrega(const QVector<QVariant> &fila);
    // Writes the rows held.
    bool vacia();
    // Forgets the rows held without writing them.
    void descarta() { uValores.clear(); }
    int filasPendientes() const { return int(uValores.size()) / uColumnas; }
    qint64 filasEscritas() const { return uEscritas; }
    // The id the engine gave the last row of the last statement written (0 if none).
    qint64 ultimoIdInsertado() const { return uUltimoId; }
    QString error() const { return uError; }

protected:
    // The statement for `filas` rows, its values named in order by marcador().
    virtual QString sentencia(int filas) const = 0;
    // Tells writers apart by the statements they build: two with the same one build the same.
    virtual QString familia() const = 0;
    int columnas() const { return uColumnas; }
    // The name of the statement's valor-th value (from 0, row after row).
    static QString marcador(int valor);
    // Appends "(:v3, :v4, :v5)", the row `fila` (from 0) of a statement of three columns.
    void agregaMarcadores(QString &texto, int fila) const;

private:
    bool escribe(int filas);
    const QString &texto(int filas) const;

    TmiddleTier &uMt;
    int uColumnas;
    int uFilasPorSentencia;
    QVector<QVariant> uValores;
    qint64 uEscritas = 0;
    qint64 uUltimoId = 0;
    QString uError;
};

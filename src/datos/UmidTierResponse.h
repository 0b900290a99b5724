#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

class QSqlRecord;

// The columns of a result: their aliases in order, and the lower-case alias of each to find it.
struct TcolumnasResultado {
    QStringList alias;
    QHash<QString, int> indice;
    // Takes the record's columns, keeping what is held when they are the same (a statement run
    // again): the index is then shared, not built once more.
    void toma(const QSqlRecord &registro);
    void toma(const QStringList &nombres);

private:
    void indexa();
};

// The tabular result of one statement. A value the caller owns; it outlives the TmiddleTier that
// produced it. Columns are addressed by alias (without regard to case) or by index.
class CmidTierResponse {
public:
    CmidTierResponse() = default;

    bool isSuccess() const { return uExito; }
    int getRowCount() const { return uFilas.size(); }
    int getColumnCount() const { return uColumnas.alias.size(); }
    QStringList getAlias() const { return uColumnas.alias; }
    int getIndiceColumnaPorNombre(const QString &alias) const;

    QVariant getValor(int fila, int columna) const;
    QVariant getValor(int fila, const QString &alias) const;
    bool esNulo(int fila, const QString &alias) const;

    QString getCelda(int fila, const QString &alias) const;
    QString getCelda(int fila, int columna) const;
    qint64 getCeldaAsInt(int fila, const QString &alias) const;
    qint64 getCeldaAsInt(int fila, int columna) const;
    double getCeldaAsFloat(int fila, const QString &alias) const;
    double getCeldaAsFloat(int fila, int columna) const;
    QDateTime getCeldaAsDate(int fila, const QString &alias) const;
    QDateTime getCeldaAsDate(int fila, int columna) const;
    bool getCeldaAsBool(int fila, const QString &alias) const;
    bool getCeldaAsBool(int fila, int columna) const;

    // Rows desde .. desde + cuantas - 1 with the same columns (rows are shared, not copied).
    CmidTierResponse filas(int desde, int cuantas) const;

    // One-value statements: the first cell, null when there is no row.
    QVariant getScalar() const;
    bool isScalarNull() const { return getScalar().isNull(); }
    // 0 when the statement failed or gave nothing, as callers expect of a failed lookup.
    qint64 getScalarAsInt() const;

    // Non-queries.
    qint64 getIdInsertado() const { return uIdInsertado; }
    int getFilasAfectadas() const { return uFilasAfectadas; }

    QString getError() const { return uError; }
    // The engine's own error number (1213 deadlock, 1205 lock wait on MariaDB; 5 busy on SQLite).
    int getCodigoError() const { return uCodigoError; }

private:
    friend class TmiddleTier;
    bool uExito = false;
    TcolumnasResultado uColumnas;
    QVector<QVector<QVariant>> uFilas;
    qint64 uIdInsertado = 0;
    int uFilasAfectadas = 0;
    QString uError;
    int uCodigoError = 0;
};

#pragma once

#include "datos/UescrituraPorLotes.h"

#include <QStringList>

// Updates rows by id: each row is the new values of the columns, in order, then the id. On
// MariaDB several rows go to a statement as a derived table joined on the id (UPDATE … JOIN); on
// SQLite one row to a reused prepared statement, as a single row goes on both.
class TactualizacionMultiple : public TescrituraPorLotes {
public:
    TactualizacionMultiple(TmiddleTier &mt, const QString &tabla, const QStringList &columnas,
                           int filasPorSentencia = 200);

protected:
    QString sentencia(int filas) const override;
    QString familia() const override { return uFamilia; }

private:
    bool uMySQL;
    QString uTabla;
    QStringList uColumnas;
    QString uFamilia;
};

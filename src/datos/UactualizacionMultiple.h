#pragma once

#include "datos/UescrituraPorLotes.h"

#include <QStringList>

// Updates rows by id, several to a statement: each row is its id followed by the new values of
// the columns, in order. The rows come in as a derived table joined on the id (UPDATE … JOIN on
// MariaDB, UPDATE … FROM on SQLite).
class TactualizacionMultiple : public TescrituraPorLotes {
public:
    TactualizacionMultiple(TmiddleTier &mt, const QString &tabla, const QStringList &columnas,
                           int filasPorSentencia = 200);

protected:
    QString sentencia(int filas) const override;

private:
    bool uMySQL;
    QString uTabla;
    QStringList uColumnas;
};

#pragma once

#include "datos/UescrituraPorLotes.h"

#include <QStringList>

// INSERT INTO tabla (columnas) VALUES (...), (...), ... several rows to a statement.
class TinsercionMultiple : public TescrituraPorLotes {
public:
    TinsercionMultiple(TmiddleTier &mt, const QString &tabla, const QStringList &columnas,
                       int filasPorSentencia = 200);

protected:
    QString sentencia(int filas) const override;
    QString familia() const override { return uEncabezado; }

private:
    QString uEncabezado;
};

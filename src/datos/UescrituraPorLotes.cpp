#include "datos/UescrituraPorLotes.h"

#include <QStringList>

TescrituraPorLotes::TescrituraPorLotes(TmiddleTier &mt, int columnas, int filasPorSentencia)
    : uMt(mt), uColumnas(qMax(1, columnas)), uFilasPorSentencia(qMax(1, filasPorSentencia)) {
    uValores.reserve(uColumnas * uFilasPorSentencia);
}

QString TescrituraPorLotes::marcadores() const {
    QString texto = QStringLiteral("(?");
    for (int c = 1; c < uColumnas; ++c)
        texto += QStringLiteral(", ?");
    return texto + QLatin1Char(')');
}

bool TescrituraPorLotes::agrega(const QVector<QVariant> &fila) {
    if (fila.size() != uColumnas) {
        uError = QStringLiteral("renglón de %1 valores para %2 columnas").arg(fila.size()).arg(uColumnas);
        return false;
    }
    uValores += fila;
    return filasPendientes() < uFilasPorSentencia || escribe(uFilasPorSentencia);
}

bool TescrituraPorLotes::vacia() {
    bool ok = true;
    while (ok && filasPendientes() > 0)
        ok = escribe(qMin(filasPendientes(), uFilasPorSentencia));
    return ok;
}

bool TescrituraPorLotes::escribe(int filas) {
    // The full-size statement is prepared once; a shorter last one is prepared for its run.
    uError.clear();
    QSqlQuery corta;
    QSqlQuery *q = &uCompleta;
    if (filas == uFilasPorSentencia) {
        if (!uCompletaLista) {
            uCompleta = uMt.preparaConsulta(sentencia(filas), uError);
            uCompletaLista = uError.isEmpty();
        }
    } else {
        corta = uMt.preparaConsulta(sentencia(filas), uError);
        q = &corta;
    }
    const int valores = filas * uColumnas;
    if (uError.isEmpty()) {
        for (int i = 0; i < valores; ++i)
            q->bindValue(i, uValores.at(i));
        const CmidTierResponse r = uMt.ejecutaPreparada(*q);
        uError = r.getError();
        if (r.isSuccess())
            uEscritas += filas;
    }
    // A failed statement writes none of its rows, and they are not tried again.
    uValores.remove(0, valores);
    return uError.isEmpty();
}

#include "datos/UescrituraPorLotes.h"

#include "datos/UcacheSentencias.h"
#include "datos/UconexionSesion.h"

#include <QSqlDatabase>
#include <QStringList>

namespace {
// SQLite finds a named value by walking the names before it, so preparing a statement of n values
// takes n²/2 comparisons: 114 ms at 5,000 values, 1 ms at 500. With no round trip to save, a few
// dozen rows to a statement cost SQLite nothing more than a few hundred.
constexpr int kValoresPorSentenciaSQLite = 500;
} // namespace

TescrituraPorLotes::TescrituraPorLotes(TmiddleTier &mt, int columnas, int filasPorSentencia)
    : uMt(mt), uColumnas(qMax(1, columnas)),
      uFilasPorSentencia(qMax(1, mt.esMySQL()
                                     ? filasPorSentencia
                                     : qMin(filasPorSentencia, kValoresPorSentenciaSQLite / uColumnas))) {
    uValores.reserve(uColumnas * uFilasPorSentencia);
}

void TescrituraPorLotes::agregaMarcadores(QString &texto, int fila) const {
    texto += QLatin1Char('(');
    for (int c = 0; c < uColumnas; ++c) {
        if (c > 0)
            texto += QLatin1String(", ");
        texto += marcador(fila * uColumnas + c);
    }
    texto += QLatin1Char(')');
}

QString TescrituraPorLotes::marcador(int valor) {
    return TmiddleTier::marcadorValor(valor);
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
    // Through the connection's statement cache when it is on: a statement of a given size is
    // prepared once on the connection, whichever writer runs it next.
    uError.clear();
    if (filas != uFilasTexto) {
        uTexto = sentencia(filas);
        uFilasTexto = filas;
    }
    const QString &texto = uTexto;
    const QSqlDatabase db = uMt.sesion()->conexion();
    const bool enCache = cacheSentencias::activo() && db.isOpen();
    QSqlQuery fresca;
    QSqlQuery *q = nullptr;
    if (enCache) {
        int codigo = 0;
        if (cacheSentencias::Tpreparada *p = cacheSentencias::prepara(db, texto, uError, codigo))
            q = &p->consulta;
    } else {
        fresca = uMt.preparaConsulta(texto, uError);
        q = &fresca;
    }
    const int valores = filas * uColumnas;
    if (uError.isEmpty()) {
        const CmidTierResponse r = uMt.ejecutaPreparada(*q, uValores, valores);
        uError = r.getError();
        if (r.isSuccess()) {
            uEscritas += filas;
            uUltimoId = r.getIdInsertado();
        }
        if (enCache) {
            q->finish();
            if (!r.isSuccess())
                cacheSentencias::descarta(db, texto);
        }
    }
    // A failed statement writes none of its rows, and they are not tried again.
    uValores.remove(0, valores);
    return uError.isEmpty();
}

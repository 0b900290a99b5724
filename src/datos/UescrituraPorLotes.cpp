#include "datos/UescrituraPorLotes.h"

#include "datos/UconexionSesion.h"

#include <QHash>
#include <QStringList>

#include <utility>

namespace {
// SQLite finds a named value by walking the names before it, so preparing a statement of n values
// takes n²/2 comparisons: 114 ms at 5,000 values, 1 ms at 500. With no round trip to save, a few
// dozen rows to a statement cost SQLite nothing more than a few hundred.
constexpr int kValoresPorSentenciaSQLite = 500;
// Texts kept, of every writer kind and size, before they are all built again.
constexpr int kTextosGuardados = 256;
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

const QString &TescrituraPorLotes::texto(int filas) const {
    // Each posting makes its writers anew, and a statement of a few hundred values takes longer
    // to write out than to run: the texts outlive the writers.
    thread_local QHash<std::pair<QString, int>, QString> textos;
    const std::pair<QString, int> clave(familia(), filas);
    auto hallado = textos.constFind(clave);
    if (hallado == textos.constEnd()) {
        if (textos.size() >= kTextosGuardados)
            textos.clear();
        hallado = textos.insert(clave, sentencia(filas));
    }
    return *hallado;
}

bool TescrituraPorLotes::escribe(int filas) {
    // Through the connection's statement cache like any statement: one of a given size is
    // prepared once on the connection, whichever writer runs it next.
    const int valores = filas * uColumnas;
    TmiddleTier mt(uMt.sesion());
    mt.setQuery(texto(filas));
    mt.setValoresEnOrden(uValores, valores);
    const CmidTierResponse r = mt.nonQuery();
    uError = r.getError();
    if (r.isSuccess()) {
        uEscritas += filas;
        uUltimoId = r.getIdInsertado();
    }
    // A failed statement writes none of its rows, and they are not tried again.
    uValores.remove(0, valores);
    return r.isSuccess();
}

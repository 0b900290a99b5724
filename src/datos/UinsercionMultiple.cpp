#include "datos/UinsercionMultiple.h"

TinsercionMultiple::TinsercionMultiple(TmiddleTier &mt, const QString &tabla, const QStringList &columnas,
                                       int filasPorSentencia)
    : TescrituraPorLotes(mt, int(columnas.size()), filasPorSentencia),
      uEncabezado(
          QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(tabla, columnas.join(QStringLiteral(", ")))) {}

QString TinsercionMultiple::sentencia(int filas) const {
    const QString fila = marcadores();
    QString texto = uEncabezado;
    texto.reserve(texto.size() + filas * (fila.size() + 2));
    for (int f = 0; f < filas; ++f) {
        if (f > 0)
            texto += QStringLiteral(", ");
        texto += fila;
    }
    return texto;
}

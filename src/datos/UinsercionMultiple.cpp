#include "datos/UinsercionMultiple.h"

TinsercionMultiple::TinsercionMultiple(TmiddleTier &mt, const QString &tabla, const QStringList &columnas,
                                       int filasPorSentencia)
    : TescrituraPorLotes(mt, int(columnas.size()), filasPorSentencia),
      uEncabezado(
          QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(tabla, columnas.join(QStringLiteral(", ")))) {}

QString TinsercionMultiple::sentencia(int filas) const {
    // One buffer sized for ", :v1234" a value.
    QString texto;
    texto.reserve(uEncabezado.size() + filas * (columnas() * 8 + 4));
    texto += uEncabezado;
    for (int f = 0; f < filas; ++f) {
        if (f > 0)
            texto += QLatin1String(", ");
        agregaMarcadores(texto, f);
    }
    return texto;
}

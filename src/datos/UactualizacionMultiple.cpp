#include "datos/UactualizacionMultiple.h"

TactualizacionMultiple::TactualizacionMultiple(TmiddleTier &mt, const QString &tabla,
                                               const QStringList &columnas, int filasPorSentencia)
    // SQLite accepts at most 500 terms in one compound SELECT.
    : TescrituraPorLotes(mt, int(columnas.size()) + 1, qMin(filasPorSentencia, 400)), uMySQL(mt.esMySQL()),
      uTabla(tabla), uColumnas(columnas) {}

QString TactualizacionMultiple::sentencia(int filas) const {
    QString primera = QStringLiteral("SELECT ? AS id");
    for (int c = 0; c < uColumnas.size(); ++c)
        primera += QStringLiteral(", ? AS v%1").arg(c);
    QString otra = QStringLiteral(" UNION ALL SELECT ?");
    for (int c = 0; c < uColumnas.size(); ++c)
        otra += QStringLiteral(", ?");
    QString valores = primera;
    for (int f = 1; f < filas; ++f)
        valores += otra;
    QStringList asignaciones;
    for (int c = 0; c < uColumnas.size(); ++c)
        asignaciones << QStringLiteral("%1 = v.v%2").arg(uColumnas[c]).arg(c);
    if (uMySQL) {
        for (QString &a : asignaciones)
            a.prepend(QStringLiteral("t."));
        return QStringLiteral("UPDATE %1 AS t JOIN (%2) AS v ON t.id = v.id SET %3")
            .arg(uTabla, valores, asignaciones.join(QStringLiteral(", ")));
    }
    return QStringLiteral("UPDATE %1 SET %3 FROM (%2) AS v WHERE %1.id = v.id")
        .arg(uTabla, valores, asignaciones.join(QStringLiteral(", ")));
}

#include "datos/UactualizacionMultiple.h"

TactualizacionMultiple::TactualizacionMultiple(TmiddleTier &mt, const QString &tabla,
                                               const QStringList &columnas, int filasPorSentencia)
    // SQLite plans UPDATE … FROM as a scan of the whole table per statement: there one row to a
    // reused prepared statement is the fast way, as no round trip is saved anyway.
    : TescrituraPorLotes(mt, int(columnas.size()) + 1, mt.esMySQL() ? filasPorSentencia : 1),
      uMySQL(mt.esMySQL()), uTabla(tabla), uColumnas(columnas) {}

QString TactualizacionMultiple::sentencia(int filas) const {
    if (!uMySQL) {
        QStringList asignaciones;
        for (const QString &columna : uColumnas)
            asignaciones << columna + QStringLiteral(" = ?");
        return QStringLiteral("UPDATE %1 SET %2 WHERE id = ?")
            .arg(uTabla, asignaciones.join(QStringLiteral(", ")));
    }
    QString primera = QStringLiteral("SELECT");
    QString otra = QStringLiteral(" UNION ALL SELECT");
    for (int c = 0; c < uColumnas.size(); ++c) {
        primera += QStringLiteral(" ? AS v%1,").arg(c);
        otra += QStringLiteral(" ?,");
    }
    primera += QStringLiteral(" ? AS id");
    otra += QStringLiteral(" ?");
    QString valores = primera;
    for (int f = 1; f < filas; ++f)
        valores += otra;
    QStringList asignaciones;
    for (int c = 0; c < uColumnas.size(); ++c)
        asignaciones << QStringLiteral("%1 = v.v%2").arg(uColumnas[c]).arg(c);
    for (QString &a : asignaciones)
        a.prepend(QStringLiteral("t."));
    return QStringLiteral("UPDATE %1 AS t JOIN (%2) AS v ON t.id = v.id SET %3")
        .arg(uTabla, valores, asignaciones.join(QStringLiteral(", ")));
}

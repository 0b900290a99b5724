#include "datos/UactualizacionMultiple.h"

TactualizacionMultiple::TactualizacionMultiple(TmiddleTier &mt, const QString &tabla,
                                               const QStringList &columnas, int filasPorSentencia)
    // SQLite plans UPDATE … FROM as a scan of the whole table per statement: there one row to a
    // reused prepared statement is the fast way, as no round trip is saved anyway.
    : TescrituraPorLotes(mt, int(columnas.size()) + 1, mt.esMySQL() ? filasPorSentencia : 1),
      uMySQL(mt.esMySQL()), uTabla(tabla), uColumnas(columnas),
      uFamilia((uMySQL ? QStringLiteral("UPDATE MySQL ") : QStringLiteral("UPDATE SQLite ")) + tabla +
               QLatin1Char(' ') + columnas.join(QLatin1Char(','))) {}

QString TactualizacionMultiple::sentencia(int filas) const {
    const int porFila = columnas();
    // One row by its key also on MariaDB, which builds the derived table on every run.
    if (!uMySQL || filas == 1) {
        QStringList asignaciones;
        for (int c = 0; c < uColumnas.size(); ++c)
            asignaciones << uColumnas[c] + QStringLiteral(" = ") + marcador(c);
        return QStringLiteral("UPDATE %1 SET %2 WHERE id = %3")
            .arg(uTabla, asignaciones.join(QStringLiteral(", ")), marcador(porFila - 1));
    }
    QString valores;
    for (int f = 0; f < filas; ++f) {
        valores += f == 0 ? QStringLiteral("SELECT") : QStringLiteral(" UNION ALL SELECT");
        for (int c = 0; c < uColumnas.size(); ++c) {
            valores += QLatin1Char(' ') + marcador(f * porFila + c);
            if (f == 0)
                valores += QStringLiteral(" AS v") + QString::number(c);
            valores += QLatin1Char(',');
        }
        valores += QLatin1Char(' ') + marcador(f * porFila + porFila - 1);
        if (f == 0)
            valores += QStringLiteral(" AS id");
    }
    QStringList asignaciones;
    for (int c = 0; c < uColumnas.size(); ++c)
        asignaciones << QStringLiteral("%1 = v.v%2").arg(uColumnas[c]).arg(c);
    for (QString &a : asignaciones)
        a.prepend(QStringLiteral("t."));
    return QStringLiteral("UPDATE %1 AS t JOIN (%2) AS v ON t.id = v.id SET %3")
        .arg(uTabla, valores, asignaciones.join(QStringLiteral(", ")));
}

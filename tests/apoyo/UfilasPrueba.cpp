#include "apoyo/UfilasPrueba.h"

#include "datos/UmiddleTier.h"

#include <QStringList>

namespace {
// INSERT INTO tabla (campos…, extra…) followed by `origen`, which gives the values: the marks of
// the fields and then the extra columns' values.
int insertaDesde(TConexionSesion *sesion, const QString &tabla, const TcamposPrueba &campos,
                 const QStringList &extra, const QString &origen) {
    QStringList columnas, marcas;
    for (const auto &c : campos) {
        columnas << c.first;
        marcas << QLatin1Char(':') + c.first;
    }
    TmiddleTier mt(sesion);
    mt.setQuery(
        QStringLiteral("INSERT INTO %1 (%2) ").arg(tabla, (columnas + extra).join(QStringLiteral(", "))) +
        origen.arg(marcas.join(QStringLiteral(", "))));
    for (const auto &c : campos) {
        if (c.second.typeId() == QMetaType::QDateTime)
            mt.setParametroFechaHora(c.first, c.second.toDateTime());
        else
            mt.setParametroVariant(c.first, c.second);
    }
    const CmidTierResponse r = mt.nonQuery();
    return r.isSuccess() && r.getFilasAfectadas() == 1 ? int(r.getIdInsertado()) : 0;
}
} // namespace

int u_insertaFila(TConexionSesion *sesion, const QString &tabla, const TcamposPrueba &campos) {
    return insertaDesde(sesion, tabla, campos, {}, QStringLiteral("VALUES (%1)"));
}

int u_insertaSalida(TConexionSesion *sesion, const TcamposPrueba &campos) {
    return insertaDesde(sesion, QStringLiteral("inventarioSalida"), campos,
                        {QStringLiteral("inventarioAlmacen_id"), QStringLiteral("inventarioProducto_id"),
                         QStringLiteral("idNegocioFk")},
                        QStringLiteral("SELECT %1, e.inventarioAlmacen_id, e.inventarioProducto_id, "
                                       "e.idNegocioFk FROM inventarioEntrada e WHERE e.id = "
                                       ":inventarioEntrada_id"));
}

QStringList u_filasTexto(TConexionSesion *sesion, const QString &sentencia) {
    TmiddleTier mt(sesion);
    mt.setQuery(sentencia);
    const CmidTierResponse r = mt.reader();
    QStringList filas;
    for (int f = 0; f < r.getRowCount(); ++f) {
        QStringList celdas;
        for (int c = 0; c < r.getColumnCount(); ++c)
            celdas << r.getCelda(f, c);
        filas << celdas.join(QLatin1Char('|'));
    }
    return filas;
}

QVariant u_valorConsulta(TConexionSesion *sesion, const QString &sentencia, const TcamposPrueba &parametros) {
    TmiddleTier mt(sesion);
    mt.setQuery(sentencia);
    for (const auto &p : parametros)
        mt.setParametroVariant(p.first, p.second);
    return mt.scalar().getScalar();
}

std::function<bool(const QString &)> u_sentenciaDelPunto(const QString &punto) {
    if (punto == QLatin1String("bloqueo"))
        return [](const QString &s) {
            return s.startsWith(QLatin1String("BEGIN IMMEDIATE")) || s.contains(QLatin1String("FOR UPDATE"));
        };
    if (punto == QLatin1String("escritura"))
        return [](const QString &s) {
            return s.startsWith(QLatin1String("INSERT")) || s.startsWith(QLatin1String("UPDATE")) ||
                   s.startsWith(QLatin1String("DELETE"));
        };
    if (punto == QLatin1String("contexto"))
        return [](const QString &s) { return s.contains(QLatin1String(" FROM inventarioOpciones o ")); };
    return [punto](const QString &s) { return s == punto; };
}

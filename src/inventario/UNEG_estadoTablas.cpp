#include "inventario/UNEG_estadoTablas.h"

#include <QList>
#include <QPair>

bool TestadoTablas::columnaExiste(const QString &tabla, const QString &columna) {
    setQuery(segunProveedor(QStringLiteral("SELECT COUNT(*) FROM information_schema.columns WHERE "
                                           "table_schema = DATABASE() AND table_name = :tabla AND "
                                           "column_name = :columna"),
                            QStringLiteral("SELECT COUNT(*) FROM pragma_table_info(:tabla) WHERE "
                                           "LOWER(name) = LOWER(:columna)")));
    setParametroTexto(QStringLiteral("tabla"), tabla);
    setParametroTexto(QStringLiteral("columna"), columna);
    return getScalarAsInt() > 0;
}

CmidTierResponse TestadoTablas::alterAgregaColumnaOpciones() {
    if (columnaExiste(QStringLiteral("inventarioOpciones"), QStringLiteral("versionTablaSalidas"))) {
        setQuery(QStringLiteral("SELECT 1"));
        return scalar();
    }
    setQuery(QStringLiteral("ALTER TABLE inventarioOpciones ADD COLUMN versionTablaSalidas INTEGER NOT NULL "
                            "DEFAULT 0"));
    return nonQuery();
}

CmidTierResponse TestadoTablas::selectTablaEstado() {
    setQuery(
        segunProveedor(QStringLiteral("SELECT table_name FROM information_schema.tables WHERE "
                                      "table_schema = DATABASE() AND table_name = 'inventarioTablaEstado'"),
                       QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                      "name = 'inventarioTablaEstado'")));
    return reader();
}

CmidTierResponse TestadoTablas::insertTablaEstado() {
    setQuery(segunProveedor(
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS inventarioTablaEstado (id INT NOT NULL AUTO_INCREMENT PRIMARY KEY, "
            "nombre VARCHAR(64) NOT NULL, estado INTEGER NOT NULL) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4"),
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS inventarioTablaEstado (id INTEGER PRIMARY KEY AUTOINCREMENT, "
            "nombre VARCHAR(64) NOT NULL, estado INTEGER NOT NULL)")));
    return nonQuery();
}

CmidTierResponse TestadoTablas::selectColumnaSnap() {
    setQuery(QStringLiteral("SELECT estado FROM inventarioTablaEstado WHERE nombre = 'snap' "
                            "ORDER BY estado DESC"));
    return reader();
}

CmidTierResponse TestadoTablas::insertTablaEstadoSnap() {
    setQuery(QStringLiteral("INSERT INTO inventarioTablaEstado (nombre, estado) VALUES ('snap', :estado)"));
    setParametroEntero(QStringLiteral("estado"), kEstadoTablasActual);
    return nonQuery();
}

CmidTierResponse TestadoTablas::actualizaTablaProducto() {
    // Columns that product tables of older databases may lack, with what older rows mean.
    static const QList<QPair<QString, QString>> kColumnas = {
        {QStringLiteral("codigoBarras"), QStringLiteral("VARCHAR(50) NOT NULL DEFAULT ''")},
        {QStringLiteral("opControladoNoSerie"), QStringLiteral("INTEGER NOT NULL DEFAULT 0")},
        {QStringLiteral("estado"), QStringLiteral("INTEGER NOT NULL DEFAULT 1")},
    };
    for (const auto &columna : kColumnas) {
        if (columnaExiste(QStringLiteral("inventarioProducto"), columna.first))
            continue;
        setQuery(QStringLiteral("ALTER TABLE inventarioProducto ADD COLUMN ") + columna.first +
                 QLatin1Char(' ') + columna.second);
        const CmidTierResponse r = nonQuery();
        if (!r.isSuccess())
            return r;
    }
    setQuery(QStringLiteral("SELECT 1"));
    return scalar();
}

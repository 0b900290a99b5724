#include "comun/UNEG_opciones.h"

#include <QStringList>

namespace {
const QString kNegocio = QStringLiteral("idNegocio");
}

CmidTierResponse Topciones::selectRegistroOpciones(int idNegocio) {
    setQuery(QStringLiteral("SELECT COUNT(*) FROM inventarioOpciones WHERE idNegocioFk = :idNegocio"));
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

CmidTierResponse Topciones::insertRegistroOpciones(int idNegocio) {
    setQuery(QStringLiteral("INSERT INTO inventarioOpciones (idNegocioFk) VALUES (:idNegocio)"));
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Topciones::updateVersionTablaSalidas(int version, int idNegocio) {
    setQuery(QStringLiteral("UPDATE inventarioOpciones SET versionTablaSalidas = :version "
                            "WHERE idNegocioFk = :idNegocio"));
    setParametroEntero(QStringLiteral("version"), version);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Topciones::selectVersionTablaSalidas(int idNegocio) {
    setQuery(
        QStringLiteral("SELECT versionTablaSalidas FROM inventarioOpciones WHERE idNegocioFk = :idNegocio"));
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

bool Topciones::columnaExiste(const QString &tabla, const QString &columna) {
    setQuery(segunProveedor(QStringLiteral("SELECT COUNT(*) FROM information_schema.columns WHERE "
                                           "table_schema = DATABASE() AND table_name = :tabla AND "
                                           "column_name = :columna"),
                            QStringLiteral("SELECT COUNT(*) FROM pragma_table_info(:tabla) WHERE "
                                           "LOWER(name) = LOWER(:columna)")));
    setParametroTexto(QStringLiteral("tabla"), tabla);
    setParametroTexto(QStringLiteral("columna"), columna);
    return getScalarAsInt() > 0;
}

CmidTierResponse Topciones::alterAgregaColumnaOpciones() {
    if (columnaExiste(QStringLiteral("inventarioOpciones"), QStringLiteral("versionTablaSalidas"))) {
        setQuery(QStringLiteral("SELECT 1"));
        return scalar();
    }
    setQuery(QStringLiteral("ALTER TABLE inventarioOpciones ADD COLUMN versionTablaSalidas INTEGER NOT NULL "
                            "DEFAULT 0"));
    return nonQuery();
}

CmidTierResponse Topciones::selectCapasPorProductoNegocioFecha(TDateTime desde, TDateTime hasta,
                                                               int idProducto, int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT e.id AS inventarioEntrada_id, e.documento AS inventarioEntrada_documento, "
        "e.fechaHora AS inventarioEntrada_fechaHora, e.inventarioAlmacen_id AS "
        "inventarioEntrada_inventarioAlmacen_id, "
        "e.cantidad AS inventarioEntrada_cantidad, e.costoUnitario AS inventarioEntrada_costoUnitario, "
        "e.existencia AS inventarioEntrada_existencia "
        "FROM inventarioEntrada e WHERE e.fechaHora BETWEEN :desde AND :hasta "
        "AND e.inventarioProducto_id = :producto AND e.idNegocioFk = :idNegocio AND e.existencia > "
        "0.000000001 "
        "ORDER BY e.fechaHora, e.id"));
    setParametroFechaHora(QStringLiteral("desde"), fechaHora::deTDateTime(desde));
    setParametroFechaHora(QStringLiteral("hasta"), fechaHora::deTDateTime(hasta));
    setParametroEntero(QStringLiteral("producto"), idProducto);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Topciones::selectTablaEstado() {
    setQuery(
        segunProveedor(QStringLiteral("SELECT table_name FROM information_schema.tables WHERE "
                                      "table_schema = DATABASE() AND table_name = 'inventarioTablaEstado'"),
                       QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                      "name = 'inventarioTablaEstado'")));
    return reader();
}

CmidTierResponse Topciones::insertTablaEstado() {
    setQuery(segunProveedor(
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS inventarioTablaEstado (id INT NOT NULL AUTO_INCREMENT PRIMARY KEY, "
            "nombre VARCHAR(64) NOT NULL, estado INTEGER NOT NULL) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4"),
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS inventarioTablaEstado (id INTEGER PRIMARY KEY AUTOINCREMENT, "
            "nombre VARCHAR(64) NOT NULL, estado INTEGER NOT NULL)")));
    return nonQuery();
}

CmidTierResponse Topciones::selectColumnaSnap() {
    setQuery(QStringLiteral("SELECT estado FROM inventarioTablaEstado WHERE nombre = 'snap' "
                            "ORDER BY estado DESC"));
    return reader();
}

CmidTierResponse Topciones::insertTablaEstadoSnap() {
    setQuery(QStringLiteral("INSERT INTO inventarioTablaEstado (nombre, estado) VALUES ('snap', :estado)"));
    setParametroEntero(QStringLiteral("estado"), kEstadoTablasActual);
    return nonQuery();
}

CmidTierResponse Topciones::actualizaTablaProducto() {
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

CmidTierResponse Topciones::selectMetodoValoracionInventario(int idNegocio) {
    setQuery(QStringLiteral("SELECT metodoValoracionInventario FROM inventarioOpciones "
                            "WHERE idNegocioFk = :idNegocio"));
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

CmidTierResponse Topciones::insertMetodoValoracionInventario(int idNegocio, int metodo) {
    // The method is chosen once: the write only lands where none is stored yet.
    setQuery(QStringLiteral("SELECT COUNT(*) FROM inventarioOpciones WHERE idNegocioFk = :idNegocio"));
    setParametroEntero(kNegocio, idNegocio);
    if (getScalarAsInt() == 0) {
        CmidTierResponse r = insertRegistroOpciones(idNegocio);
        if (!r.isSuccess())
            return r;
    }
    setQuery(QStringLiteral("UPDATE inventarioOpciones SET metodoValoracionInventario = :metodo "
                            "WHERE idNegocioFk = :idNegocio AND (metodoValoracionInventario IS NULL OR "
                            "metodoValoracionInventario = 0)"));
    setParametroEntero(QStringLiteral("metodo"), metodo);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Topciones::selectMovimientoConcepto(int direccion, int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT c.id AS inventarioMovimientoConcepto_id, c.etiqueta AS "
        "inventarioMovimientoConcepto_etiqueta, "
        "c.familia AS inventarioMovimientoConcepto_familia, a.nombre AS AsientosContables_nombre, "
        "a.id AS AsientosContables_id, m.modulo AS ModuloAsientosContables_modulo "
        "FROM inventarioMovimientoConcepto c "
        "LEFT JOIN AsientosContables a ON a.id = c.AsientosContables_id AND a.idNegocioFk = c.idNegocioFk "
        "LEFT JOIN ModuloAsientosContables m ON m.id = a.ModuloAsientosContables_id "
        "WHERE c.direccion = :direccion AND c.idNegocioFk = :idNegocio ORDER BY c.etiqueta, c.id"));
    setParametroEntero(QStringLiteral("direccion"), direccion);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Topciones::selectMovimientoConceptoPorNombre(const QString &nombre, int idNegocio) {
    setQuery(QStringLiteral("SELECT id AS inventarioMovimientoConcepto_id, etiqueta AS "
                            "inventarioMovimientoConcepto_etiqueta FROM inventarioMovimientoConcepto "
                            "WHERE LOWER(etiqueta) = LOWER(:nombre) AND idNegocioFk = :idNegocio"));
    setParametroTexto(QStringLiteral("nombre"), nombre);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Topciones::insertMovimientoConcepto(const QString &etiqueta, int direccion,
                                                     const QVariant &idAsiento, int modulo, int idNegocio) {
    setQuery(
        QStringLiteral("INSERT INTO inventarioMovimientoConcepto (etiqueta, direccion, AsientosContables_id, "
                       "familia, modulo, idNegocioFk) VALUES (:etiqueta, :direccion, :asiento, 1, :modulo, "
                       ":idNegocio)"));
    setParametroTexto(QStringLiteral("etiqueta"), etiqueta.left(100));
    setParametroEntero(QStringLiteral("direccion"), direccion);
    setParametroVariant(QStringLiteral("asiento"), idAsiento);
    setParametroEntero(QStringLiteral("modulo"), modulo);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Topciones::updateMovimientoConcepto(int id, const QString &etiqueta,
                                                     const QVariant &idAsiento, int modulo, int idNegocio) {
    setQuery(QStringLiteral("UPDATE inventarioMovimientoConcepto SET etiqueta = :etiqueta, "
                            "AsientosContables_id = CASE WHEN :sinAsiento = 1 THEN AsientosContables_id ELSE "
                            ":asiento END, modulo = CASE WHEN :sinAsiento2 = 1 THEN modulo ELSE :modulo END "
                            "WHERE id = :id AND idNegocioFk = :idNegocio"));
    const int sinAsiento = idAsiento.isNull() ? 1 : 0;
    setParametroTexto(QStringLiteral("etiqueta"), etiqueta.left(100));
    setParametroEntero(QStringLiteral("sinAsiento"), sinAsiento);
    setParametroEntero(QStringLiteral("sinAsiento2"), sinAsiento);
    setParametroVariant(QStringLiteral("asiento"), idAsiento);
    setParametroEntero(QStringLiteral("modulo"), modulo);
    setParametroEntero(QStringLiteral("id"), id);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Topciones::selectAsientos(const QString &filtro, int idNegocio) {
    setQuery(QStringLiteral("SELECT a.id AS AsientosContables_id, a.nombre AS AsientosContables_nombre, "
                            "m.modulo AS ModuloAsientosContables_modulo FROM AsientosContables a "
                            "JOIN ModuloAsientosContables m ON m.id = a.ModuloAsientosContables_id "
                            "WHERE a.idNegocioFk = :idNegocio AND CAST(m.modulo AS CHAR) LIKE :filtro "
                            "ORDER BY a.nombre, a.id"));
    setParametroTexto(QStringLiteral("filtro"), filtro);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

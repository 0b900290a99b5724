#include "comun/UNEG_opciones.h"

#include "datos/UcodigosInventario.h"

#include <QStringList>

namespace {
const QString kNegocio = QStringLiteral("idNegocio");

// The movement kind of a receipt row and of an issue row, from the family of its concept (a
// receipt without a concept counts as ordinary).
QString tipoEntrada() {
    return u_conCodigos(
        QStringLiteral("CASE COALESCE(c.familia, %1) WHEN %2 THEN %3 WHEN %4 THEN %5 ELSE %6 END"),
        {kFamiliaOrdinaria, kFamiliaExistenciaInicial, kMovimientoInicial, kFamiliaDevolucionSalida,
         kMovimientoDevolucionVenta, kMovimientoEntrada});
}

QString tipoSalida() {
    return u_conCodigos(QStringLiteral("CASE WHEN c.familia = %1 THEN %2 ELSE %3 END"),
                        {kFamiliaDevolucionCompra, kMovimientoDevolucionCompra, kMovimientoSalida});
}
} // namespace

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
                       "familia, modulo, idNegocioFk) VALUES (:etiqueta, :direccion, :asiento, :familia, "
                       ":modulo, :idNegocio)"));
    setParametroTexto(QStringLiteral("etiqueta"), etiqueta.left(100));
    setParametroEntero(QStringLiteral("direccion"), direccion);
    setParametroEntero(QStringLiteral("familia"), kFamiliaOrdinaria);
    setParametroVariant(QStringLiteral("asiento"), idAsiento);
    setParametroEntero(QStringLiteral("modulo"), modulo);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Topciones::insertRenglonKardex(const TkardexRenglon &renglon) {
    renglonKardex::preparaInsercion(*this, renglon);
    return nonQuery();
}

std::unique_ptr<TinsercionMultiple> Topciones::insercionRenglonesKardex() {
    return std::make_unique<TinsercionMultiple>(*this, QStringLiteral("inventarioKardex"),
                                                renglonKardex::columnas());
}

CmidTierResponse Topciones::selectRegistrosKardex(int idNegocio) {
    setQuery(
        QStringLiteral("SELECT COUNT(*) AS _registros FROM inventarioKardex WHERE idNegocioFk = :idNegocio"));
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Topciones::deleteInventarioKardex(int idNegocio) {
    setQuery(QStringLiteral("DELETE FROM inventarioKardex WHERE idNegocioFk = :idNegocio"));
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Topciones::selectEntradasSalidasTodas(int idNegocio) {
    // An issue has no business of its own: it is the business of the layer it consumed, so a
    // business with issues always has receipts.
    setQuery(QStringLiteral("SELECT id AS inventarioEntrada_id FROM inventarioEntrada WHERE idNegocioFk = "
                            ":idNegocio LIMIT 1"));
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Topciones::selectAlmacenesExistentes(int idNegocio) {
    setQuery(QStringLiteral("SELECT id AS inventarioAlmacen_id FROM inventarioAlmacen WHERE idNegocioFk = "
                            ":idNegocio ORDER BY id"));
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Topciones::selectProductosExistentes(int idNegocio) {
    setQuery(QStringLiteral("SELECT id AS inventarioProducto_id FROM inventarioProducto WHERE idNegocioFk = "
                            ":idNegocio ORDER BY id"));
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Topciones::selectNegocioParaReconstruir(int idNegocio) {
    setQuery(segunProveedor(QStringLiteral("SELECT id FROM negocio WHERE id = :idNegocio FOR UPDATE"),
                            QStringLiteral("SELECT id FROM negocio WHERE id = :idNegocio")));
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Topciones::ajustaCacheParaReconstruccion() {
    setQuery(segunProveedor(QStringLiteral("SELECT 1"), QStringLiteral("PRAGMA cache_size = -131072")));
    return nonQuery();
}

CmidTierResponse Topciones::selectEntradasSalidasPorOrdenCronologicoPorAlmacen(int idAlmacen, int idProducto,
                                                                               int idNegocio) {
    return selectMovimientos(QStringLiteral("= :desde"), QString(), idAlmacen, idProducto, idProducto,
                             idNegocio);
}

CmidTierResponse Topciones::selectEntradasSalidasPorOrdenCronologicoPorProductos(int idAlmacen, int idDesde,
                                                                                 int idHasta, int idNegocio) {
    return selectMovimientos(QStringLiteral("BETWEEN :desde AND :hasta"),
                             QStringLiteral("inventarioProducto_id, "), idAlmacen, idDesde, idHasta,
                             idNegocio);
}

CmidTierResponse Topciones::selectMovimientos(const QString &filtroProducto, const QString &orden,
                                              int idAlmacen, int idDesde, int idHasta, int idNegocio) {
    // Kinds by concept family (tipoEntrada, tipoSalida). A reversing receipt opens a layer of its own, as its
    // posting does (later issues draw on it).
    // "_capa_costoUnitario" is the cost of the layer a row opens or draws on: a purchase return
    // leaves at it.
    const QString texto =
        QStringLiteral(
            "SELECT * FROM ("
            "SELECT %3 AS inventarioEntrada_fechaHora, "
            "{tipoEntrada} AS "
            "inventarioMovimientoConcepto_id, "
            "e.inventarioProducto_id AS inventarioProducto_id, e.inventarioAlmacen_id AS "
            "inventarioAlmacen_id, "
            "e.id AS inventarioEntrada_id, e.documento AS inventarioEntrada_documento, "
            "e.cantidad AS inventarioEntrada_cantidad, "
            "COALESCE(e.existenciaCostoUnitario, e.costoUnitario) AS "
            "inventarioEntrada_existenciaCostoUnitario, "
            "NULL AS inventarioSalida_documento, NULL AS _id_entradaRelacionada, NULL AS "
            "inventarioSalida_cantidad, "
            "NULL AS inventarioSalida_existenciaCostoUnitario, "
            "CASE WHEN c.familia = {devolucionSalida} THEN e.id END AS "
            "_entrada_devolucionVentasIDrelacionado, "
            "e.idNegocioFk AS inventarioEntrada_idNegocioFk, e.existenciaTotal AS _existenciaTotal, "
            "e.existenciaCostoTotal AS _existenciaCostoTotal, e.existenciaCostoUnitario AS "
            "_existenciaCostoUnitario, "
            "e.costoUnitario AS inventarioEntrada_costoUnitario, NULL AS inventarioSalida_id, "
            "NULL AS inventarioSalida_salidaCostoUnitario, 0 AS _orden, e.id AS _movimiento, "
            "e.costoUnitario AS _capa_costoUnitario "
            "FROM inventarioEntrada e LEFT JOIN inventarioMovimientoConcepto c ON c.id = "
            "e.inventarioMovimientoConcepto_id "
            "WHERE e.idNegocioFk = :idNegocio AND e.inventarioAlmacen_id = :almacen AND "
            "e.inventarioProducto_id "
            "%1 "
            "UNION ALL "
            "SELECT %4, {tipoSalida}, l.inventarioProducto_id, "
            "l.inventarioAlmacen_id, NULL, NULL, NULL, NULL, s.documento, s.inventarioEntrada_id, "
            "s.cantidad, "
            "COALESCE(s.existenciaCostoUnitario, s.salidaCostoUnitario), NULL, l.idNegocioFk, "
            "s.existenciaTotal, "
            "s.existenciaCostoTotal, s.existenciaCostoUnitario, NULL, s.id, s.salidaCostoUnitario, 1, s.id, "
            "l.costoUnitario "
            "FROM inventarioSalida s JOIN inventarioEntrada l ON l.id = s.inventarioEntrada_id "
            "LEFT JOIN inventarioMovimientoConcepto c ON c.id = s.inventarioMovimientoConcepto_id "
            "WHERE l.idNegocioFk = :idNegocio AND l.inventarioAlmacen_id = :almacen AND "
            "l.inventarioProducto_id "
            "%1"
            ") m ORDER BY %2inventarioEntrada_fechaHora, _orden, _movimiento")
            .replace(QStringLiteral("{tipoEntrada}"), tipoEntrada())
            .replace(QStringLiteral("{tipoSalida}"), tipoSalida())
            .replace(QStringLiteral("{devolucionSalida}"), QString::number(kFamiliaDevolucionSalida));
    // Dates come back as the stored text on both engines (the same order, and no time-zone work
    // per row in the driver).
    setQuery(texto.arg(
        filtroProducto, orden,
        segunProveedor(QStringLiteral("CAST(e.fechaHora AS CHAR)"), QStringLiteral("e.fechaHora")),
        segunProveedor(QStringLiteral("CAST(s.fechaHora AS CHAR)"), QStringLiteral("s.fechaHora"))));
    setParametroEntero(kNegocio, idNegocio);
    setParametroEntero(QStringLiteral("almacen"), idAlmacen);
    setParametroEntero(QStringLiteral("desde"), idDesde);
    if (filtroProducto.contains(QLatin1String(":hasta")))
        setParametroEntero(QStringLiteral("hasta"), idHasta);
    return reader();
}

std::unique_ptr<TactualizacionMultiple> Topciones::updateTablaEntradas() {
    return std::make_unique<TactualizacionMultiple>(*this, QStringLiteral("inventarioEntrada"),
                                                    QStringList{QStringLiteral("existenciaCostoUnitario"),
                                                                QStringLiteral("existenciaCostoTotal"),
                                                                QStringLiteral("existenciaTotal")});
}

std::unique_ptr<TactualizacionMultiple> Topciones::updateTablaSalidas() {
    return std::make_unique<TactualizacionMultiple>(
        *this, QStringLiteral("inventarioSalida"),
        QStringList{QStringLiteral("salidaCostoUnitario"), QStringLiteral("existenciaCostoUnitario"),
                    QStringLiteral("existenciaCostoTotal"), QStringLiteral("existenciaTotal")});
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

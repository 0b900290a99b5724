#include "comun/UNEG_almacen.h"

namespace {
const QString kNegocio = QStringLiteral("idNegocio");

// LIKE pattern that matches the text anywhere, its own % and _ taken literally.
QString patronContiene(const QString &texto) {
    QString escapado = texto;
    escapado.replace(QLatin1Char('!'), QStringLiteral("!!"))
        .replace(QLatin1Char('%'), QStringLiteral("!%"))
        .replace(QLatin1Char('_'), QStringLiteral("!_"));
    return QLatin1Char('%') + escapado + QLatin1Char('%');
}
} // namespace

CmidTierResponse Talmacen::selectSucursales(int idNegocio) {
    setQuery(QStringLiteral("SELECT id AS sucursal_id, nombre AS sucursal_nombre FROM sucursal "
                            "WHERE idNegocioFk = :idNegocio ORDER BY nombre, id"));
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Talmacen::selectAlmacenes(const QVariant &idSucursal, const QVariant &nombre,
                                           int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT a.id AS almacen_id, a.sucursal_id AS sucursal_id, s.nombre AS sucursal_nombre, "
        "a.nombre AS almacen_nombre, a.direccion AS almacen_direccion, a.nota AS almacen_nota "
        "FROM inventarioAlmacen a LEFT JOIN sucursal s ON s.id = a.sucursal_id AND s.idNegocioFk = "
        "a.idNegocioFk "
        "WHERE a.idNegocioFk = :idNegocio AND (:sucursal IS NULL OR a.sucursal_id = :sucursal2) "
        "AND (:nombre IS NULL OR a.nombre LIKE :patron ESCAPE '!') "
        "ORDER BY s.nombre, a.nombre, a.id"));
    setParametroEntero(kNegocio, idNegocio);
    setParametroVariant(QStringLiteral("sucursal"), idSucursal);
    setParametroVariant(QStringLiteral("sucursal2"), idSucursal);
    setParametroVariant(QStringLiteral("nombre"), nombre);
    setParametroVariant(QStringLiteral("patron"),
                        nombre.isNull() ? QVariant() : QVariant(patronContiene(nombre.toString())));
    return reader();
}

qint64 Talmacen::selectAlmacenPorNombre(const QString &nombre, int idNegocio, int excepto) {
    // Compared here, not in SQL: SQLite lowers only ASCII and MariaDB pads spaces, so the
    // engines would disagree on "Almacén " against "ALMACÉN".
    setQuery(QStringLiteral(
        "SELECT nombre FROM inventarioAlmacen WHERE idNegocioFk = :idNegocio AND id <> :excepto"));
    setParametroEntero(kNegocio, idNegocio);
    setParametroEntero(QStringLiteral("excepto"), excepto);
    const CmidTierResponse r = reader();
    if (!r.isSuccess())
        return -1;
    const QString buscado = nombre.trimmed();
    qint64 iguales = 0;
    for (int f = 0; f < r.getRowCount(); ++f)
        if (r.getCelda(f, 0).trimmed().compare(buscado, Qt::CaseInsensitive) == 0)
            ++iguales;
    return iguales;
}

CmidTierResponse Talmacen::escribe(const TalmacenDescripcion &a) {
    setParametroTexto(QStringLiteral("nombre"), a.nombre.left(kLargoNombre));
    setParametroTexto(QStringLiteral("direccion"), a.direccion.left(kLargoDireccion));
    setParametroTexto(QStringLiteral("nota"), a.nota.left(kLargoNota));
    setParametroEntero(QStringLiteral("sucursal"), a.sucursalId);
    setParametroEntero(kNegocio, a.idNegocio);
    return nonQuery();
}

CmidTierResponse Talmacen::insertAlmacen(const TalmacenDescripcion &a) {
    setQuery(
        QStringLiteral("INSERT INTO inventarioAlmacen (nombre, direccion, nota, sucursal_id, idNegocioFk) "
                       "SELECT :nombre, :direccion, :nota, s.id, s.idNegocioFk FROM sucursal s "
                       "WHERE s.id = :sucursal AND s.idNegocioFk = :idNegocio"));
    return escribe(a);
}

CmidTierResponse Talmacen::updateAlmacen(const TalmacenDescripcion &a) {
    setQuery(
        QStringLiteral("UPDATE inventarioAlmacen SET nombre = :nombre, direccion = :direccion, nota = :nota, "
                       "sucursal_id = :sucursal WHERE id = :id AND idNegocioFk = :idNegocio AND EXISTS "
                       "(SELECT 1 FROM sucursal s WHERE s.id = :sucursal2 AND s.idNegocioFk = :idNegocio2)"));
    setParametroEntero(QStringLiteral("id"), a.id);
    setParametroEntero(QStringLiteral("sucursal2"), a.sucursalId);
    setParametroEntero(QStringLiteral("idNegocio2"), a.idNegocio);
    return escribe(a);
}

CmidTierResponse Talmacen::selectMetodoKardex(int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT metodoValoracionInventario FROM inventarioOpciones WHERE idNegocioFk = :idNegocio"));
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

CmidTierResponse Talmacen::selectIDfamiliaUnica(int familia, int idNegocio) {
    setQuery(QStringLiteral("SELECT MIN(id) FROM inventarioMovimientoConcepto WHERE familia = :familia "
                            "AND idNegocioFk = :idNegocio"));
    setParametroEntero(QStringLiteral("familia"), familia);
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

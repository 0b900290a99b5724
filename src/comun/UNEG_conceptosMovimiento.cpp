#include "comun/UNEG_conceptosMovimiento.h"

#include "datos/UcodigosInventario.h"

namespace {
const QString kNegocio = QStringLiteral("idNegocio");
} // namespace

CmidTierResponse TconceptosMovimiento::selectMovimientoConcepto(int direccion, int idNegocio) {
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

CmidTierResponse TconceptosMovimiento::selectMovimientoConceptoPorNombre(const QString &nombre,
                                                                         int idNegocio) {
    setQuery(QStringLiteral("SELECT id AS inventarioMovimientoConcepto_id, etiqueta AS "
                            "inventarioMovimientoConcepto_etiqueta FROM inventarioMovimientoConcepto "
                            "WHERE LOWER(etiqueta) = LOWER(:nombre) AND idNegocioFk = :idNegocio"));
    setParametroTexto(QStringLiteral("nombre"), nombre);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse TconceptosMovimiento::insertMovimientoConcepto(const QString &etiqueta, int direccion,
                                                                const QVariant &idAsiento, int modulo,
                                                                int idNegocio) {
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

CmidTierResponse TconceptosMovimiento::updateMovimientoConcepto(int id, const QString &etiqueta,
                                                                const QVariant &idAsiento, int modulo,
                                                                int idNegocio) {
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

CmidTierResponse TconceptosMovimiento::selectAsientos(const QString &filtro, int idNegocio) {
    setQuery(QStringLiteral("SELECT a.id AS AsientosContables_id, a.nombre AS AsientosContables_nombre, "
                            "m.modulo AS ModuloAsientosContables_modulo FROM AsientosContables a "
                            "JOIN ModuloAsientosContables m ON m.id = a.ModuloAsientosContables_id "
                            "WHERE a.idNegocioFk = :idNegocio AND CAST(m.modulo AS CHAR) LIKE :filtro "
                            "ORDER BY a.nombre, a.id"));
    setParametroTexto(QStringLiteral("filtro"), filtro);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

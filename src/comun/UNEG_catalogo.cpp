#include "comun/UNEG_catalogo.h"

namespace {
const QString kNegocio = QStringLiteral("idNegocio");
const QString kColumnasCategoria = QStringLiteral(
    "SELECT identidad AS categoria_identidad, etiqueta AS categoria_etiqueta, "
    "CASE WHEN carpeta = 1 THEN 'True' ELSE 'False' END AS categoria_carpeta, "
    "identidadPadre AS categoria_padre FROM inventarioCategoria WHERE idNegocioFk = :idNegocio");
} // namespace

CmidTierResponse Tcatalogo::selectCategorias(int idNegocio) {
    // Identities are ASCII path codes, so LENGTH counts characters on both engines.
    setQuery(kColumnasCategoria + QStringLiteral(" ORDER BY LENGTH(identidad), identidad"));
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tcatalogo::selectCategoriaPorIdentidad(const QString &identidad, int idNegocio) {
    setQuery(kColumnasCategoria + QStringLiteral(" AND identidad = :identidad"));
    setParametroEntero(kNegocio, idNegocio);
    setParametroTexto(QStringLiteral("identidad"), identidad);
    return reader();
}

CmidTierResponse Tcatalogo::selectCategoriaPropiedades(const QString &identidad, int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT l.id AS propiedadListado_id, l.nombre AS propiedadListado_nombre, t.id AS propiedadTipo_id, "
        "t.tipo AS propiedadTipo_tipo FROM inventarioCategoriaPropiedad cp "
        "JOIN inventarioPropiedadListado l ON l.id = cp.inventarioPropiedadListado_id "
        "AND l.idNegocioFk = cp.idNegocioFk "
        "LEFT JOIN propiedadTipo t ON t.id = l.propiedadTipo_id "
        "WHERE cp.inventarioCategoria_identidad = :identidad AND cp.idNegocioFk = :idNegocio "
        "ORDER BY l.nombre, l.id"));
    setParametroTexto(QStringLiteral("identidad"), identidad);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

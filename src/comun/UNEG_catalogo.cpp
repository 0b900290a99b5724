#include "comun/UNEG_catalogo.h"

namespace {
const QString kNegocio = QStringLiteral("idNegocio");
const QString kIdentidad = QStringLiteral("identidad");
const QString kNombre = QStringLiteral("nombre");
const QString kColumnasCategoria = QStringLiteral(
    "SELECT identidad AS categoria_identidad, etiqueta AS categoria_etiqueta, "
    "CASE WHEN carpeta = 1 THEN 'True' ELSE 'False' END AS categoria_carpeta, "
    "identidadPadre AS categoria_padre FROM inventarioCategoria WHERE idNegocioFk = :idNegocio");
const QString kColumnasPropiedad = QStringLiteral(
    "SELECT l.id AS propiedadListado_id, l.nombre AS propiedadListado_nombre, t.id AS propiedadTipo_id, "
    "t.tipo AS propiedadTipo_tipo ");
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
    setParametroTexto(kIdentidad, identidad);
    return reader();
}

CmidTierResponse Tcatalogo::selectCategoriaPropiedades(const QString &identidad, int idNegocio) {
    setQuery(kColumnasPropiedad +
             QStringLiteral("FROM inventarioCategoriaPropiedad cp "
                            "JOIN inventarioPropiedadListado l ON l.id = cp.inventarioPropiedadListado_id "
                            "AND l.idNegocioFk = cp.idNegocioFk "
                            "LEFT JOIN propiedadTipo t ON t.id = l.propiedadTipo_id "
                            "WHERE cp.inventarioCategoria_identidad = :identidad AND cp.idNegocioFk = "
                            ":idNegocio ORDER BY l.nombre, l.id"));
    setParametroTexto(kIdentidad, identidad);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tcatalogo::selectCategoriaRelacionSAT33(const QString &identidad, int idNegocio) {
    setQuery(QStringLiteral("SELECT s.id, s.nombre, s.clave FROM inventarioCategoria c "
                            "JOIN inventarioCategoriaSAT33 r ON r.inventarioCategoria_id = c.id AND "
                            "r.idNegocioFk = c.idNegocioFk "
                            "JOIN categoriaSAT33 s ON s.id = r.categoriaSAT33_id "
                            "WHERE c.identidad = :identidad AND c.idNegocioFk = :idNegocio ORDER BY r.id"));
    setParametroTexto(kIdentidad, identidad);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tcatalogo::selectInventarioCategoriaIDFROMidentidad(const QString &identidad,
                                                                     int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT id FROM inventarioCategoria WHERE identidad = :identidad AND idNegocioFk = :idNegocio"));
    setParametroTexto(kIdentidad, identidad);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tcatalogo::selectClaveSAT33(const QString &clave) {
    setQuery(QStringLiteral("SELECT id, clave, nombre FROM categoriaSAT33 WHERE clave = :clave"));
    setParametroTexto(QStringLiteral("clave"), clave);
    return reader();
}

CmidTierResponse Tcatalogo::deleteRelacionCatSAT33(int idCategoria, int idNegocio) {
    setQuery(QStringLiteral("DELETE FROM inventarioCategoriaSAT33 WHERE inventarioCategoria_id = :id AND "
                            "idNegocioFk = :idNegocio"));
    setParametroEntero(QStringLiteral("id"), idCategoria);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Tcatalogo::insertRelacionCatSAT33(int idCategoria, int idSat, int idNegocio) {
    setQuery(
        QStringLiteral("INSERT INTO inventarioCategoriaSAT33 (inventarioCategoria_id, categoriaSAT33_id, "
                       "idNegocioFk) SELECT id, :sat, idNegocioFk FROM inventarioCategoria WHERE id = :id "
                       "AND idNegocioFk = :idNegocio"));
    setParametroEntero(QStringLiteral("sat"), idSat);
    setParametroEntero(QStringLiteral("id"), idCategoria);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Tcatalogo::deleteCategoria(const QString &identidad, int idNegocio) {
    setQuery(QStringLiteral(
        "DELETE FROM inventarioCategoria WHERE identidad = :identidad AND idNegocioFk = :idNegocio"));
    setParametroTexto(kIdentidad, identidad);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Tcatalogo::selectHijosCategoria(const QString &identidad, int idNegocio) {
    // Whatever lies below: identities that start with this one and are longer.
    setQuery(QStringLiteral("SELECT COUNT(*) FROM inventarioCategoria WHERE idNegocioFk = :idNegocio AND "
                            "LENGTH(identidad) > :largo AND SUBSTR(identidad, 1, :largo2) = :identidad"));
    setParametroTexto(kIdentidad, identidad);
    setParametroEntero(QStringLiteral("largo"), identidad.size());
    setParametroEntero(QStringLiteral("largo2"), identidad.size());
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

CmidTierResponse Tcatalogo::selectProductosCategoria(const QString &identidad, int idNegocio) {
    setQuery(QStringLiteral("SELECT COUNT(*) FROM inventarioProducto WHERE idNegocioFk = :idNegocio AND "
                            "inventarioCategoria_identidad = :identidad"));
    setParametroTexto(kIdentidad, identidad);
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

CmidTierResponse Tcatalogo::updateCategoria(const QString &identidad, const QString &nombre, int idNegocio) {
    setQuery(
        QStringLiteral("UPDATE inventarioCategoria SET etiqueta = :nombre WHERE identidad = :identidad AND "
                       "idNegocioFk = :idNegocio"));
    setParametroTexto(kNombre, nombre);
    setParametroTexto(kIdentidad, identidad);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Tcatalogo::updateCarpetaCategoria(const QString &identidad, bool carpeta, int idNegocio) {
    setQuery(
        QStringLiteral("UPDATE inventarioCategoria SET carpeta = :carpeta WHERE identidad = :identidad AND "
                       "idNegocioFk = :idNegocio"));
    setParametroEntero(QStringLiteral("carpeta"), carpeta ? 1 : 0);
    setParametroTexto(kIdentidad, identidad);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Tcatalogo::insertCategoria(const QString &identidad, const QString &nombre, bool carpeta,
                                            int idNegocio) {
    setQuery(QStringLiteral(
        "INSERT INTO inventarioCategoria (identidad, etiqueta, identidadPadre, nivel, carpeta, "
        "idNegocioFk) VALUES (:identidad, :nombre, :padre, :nivel, :carpeta, :idNegocio)"));
    setParametroTexto(kIdentidad, identidad);
    setParametroTexto(kNombre, nombre);
    setParametroTexto(QStringLiteral("padre"), identidad.left(identidad.size() - 1));
    setParametroEntero(QStringLiteral("nivel"), identidad.size());
    setParametroEntero(QStringLiteral("carpeta"), carpeta ? 1 : 0);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Tcatalogo::selectPropiedades(int idNegocio) {
    setQuery(kColumnasPropiedad + QStringLiteral("FROM inventarioPropiedadListado l "
                                                 "LEFT JOIN propiedadTipo t ON t.id = l.propiedadTipo_id "
                                                 "WHERE l.idNegocioFk = :idNegocio ORDER BY l.nombre, l.id"));
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tcatalogo::selectPropiedadesSeleccionadas(const QString &identidad, int idNegocio) {
    setQuery(QStringLiteral("SELECT inventarioPropiedadListado_id FROM inventarioCategoriaPropiedad WHERE "
                            "inventarioCategoria_identidad = :identidad AND idNegocioFk = :idNegocio"));
    setParametroTexto(kIdentidad, identidad);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tcatalogo::deletePropiedades(const QString &identidad, int idNegocio) {
    setQuery(QStringLiteral("DELETE FROM inventarioCategoriaPropiedad WHERE inventarioCategoria_identidad = "
                            ":identidad AND idNegocioFk = :idNegocio"));
    setParametroTexto(kIdentidad, identidad);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Tcatalogo::insertPropiedad(const QString &identidad, int idPropiedad, int idNegocio) {
    setQuery(
        QStringLiteral("INSERT INTO inventarioCategoriaPropiedad (inventarioCategoria_identidad, "
                       "inventarioPropiedadListado_id, idNegocioFk) SELECT :identidad, id, idNegocioFk FROM "
                       "inventarioPropiedadListado WHERE id = :propiedad AND idNegocioFk = :idNegocio"));
    setParametroTexto(kIdentidad, identidad);
    setParametroEntero(QStringLiteral("propiedad"), idPropiedad);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Tcatalogo::selectTipos() {
    setQuery(QStringLiteral("SELECT id, tipo FROM propiedadTipo ORDER BY id"));
    return reader();
}

CmidTierResponse Tcatalogo::insertPropiedadListado(const QString &nombre, int tipoId, int idNegocio) {
    setQuery(QStringLiteral("INSERT INTO inventarioPropiedadListado (nombre, propiedadTipo_id, idNegocioFk) "
                            "SELECT :nombre, id, :idNegocio FROM propiedadTipo WHERE id = :tipo"));
    setParametroTexto(kNombre, nombre);
    setParametroEntero(QStringLiteral("tipo"), tipoId);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse Tcatalogo::updatePropiedad(int id, const QString &nombre, int tipoId, int idNegocio) {
    setQuery(
        QStringLiteral("UPDATE inventarioPropiedadListado SET nombre = :nombre, propiedadTipo_id = :tipo "
                       "WHERE id = :id AND idNegocioFk = :idNegocio AND EXISTS (SELECT 1 FROM propiedadTipo "
                       "t WHERE t.id = :tipo2)"));
    setParametroTexto(kNombre, nombre);
    setParametroEntero(QStringLiteral("tipo"), tipoId);
    setParametroEntero(QStringLiteral("tipo2"), tipoId);
    setParametroEntero(QStringLiteral("id"), id);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

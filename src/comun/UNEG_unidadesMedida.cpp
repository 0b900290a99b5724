#include "comun/UNEG_unidadesMedida.h"

namespace {
const QString kNegocio = QStringLiteral("idNegocio");
const QString kSelectUnidad = QStringLiteral(
    "SELECT u.id AS unidadMedida_id, u.descripcion AS unidadMedida_descripcion, u.abreviatura AS "
    "unidadMedida_abreviatura, u.conjunto AS unidadMedida_conjunto, c.nombre AS conjunto_nombre, "
    "u.razon AS unidadMedida_relacion FROM inventarioUnidadesMedida u "
    "LEFT JOIN inventarioUnidadesMedidaConjunto c ON c.id = u.conjunto AND c.idNegocioFk = u.idNegocioFk "
    "WHERE u.idNegocioFk = :idNegocio");
} // namespace

CmidTierResponse TunidadesMedida::selectConjuntos(int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT c.id AS conjunto_id, c.nombre AS conjunto_nombre, "
        "(SELECT COUNT(*) FROM inventarioUnidadesMedida u WHERE u.conjunto = c.id AND u.idNegocioFk = "
        "c.idNegocioFk) AS conjunto_unidades FROM inventarioUnidadesMedidaConjunto c "
        "WHERE c.idNegocioFk = :idNegocio ORDER BY c.nombre, c.id"));
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse TunidadesMedida::selectUnidades(int conjunto, int idNegocio) {
    setQuery(kSelectUnidad + (conjunto > 0 ? QStringLiteral(" AND u.conjunto = :conjunto") : QString()) +
             QStringLiteral(" ORDER BY c.nombre, u.conjunto, u.razon, u.descripcion"));
    setParametroEntero(kNegocio, idNegocio);
    if (conjunto > 0)
        setParametroEntero(QStringLiteral("conjunto"), conjunto);
    return reader();
}

CmidTierResponse TunidadesMedida::selectUnidadPorId(int id, int idNegocio) {
    setQuery(kSelectUnidad + QStringLiteral(" AND u.id = :id"));
    setParametroEntero(kNegocio, idNegocio);
    setParametroEntero(QStringLiteral("id"), id);
    return reader();
}

CmidTierResponse TunidadesMedida::selectConjuntoPorId(int id, int idNegocio) {
    setQuery(QStringLiteral("SELECT id AS conjunto_id, nombre AS conjunto_nombre FROM "
                            "inventarioUnidadesMedidaConjunto WHERE id = :id AND idNegocioFk = :idNegocio"));
    setParametroEntero(QStringLiteral("id"), id);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse TunidadesMedida::selectConjuntoRepetido(const QString &nombre, int excluyeId,
                                                         int idNegocio) {
    setQuery(QStringLiteral("SELECT COUNT(*) FROM inventarioUnidadesMedidaConjunto WHERE LOWER(nombre) = "
                            "LOWER(:nombre) AND id <> :excluye AND idNegocioFk = :idNegocio"));
    setParametroTexto(QStringLiteral("nombre"), nombre);
    setParametroEntero(QStringLiteral("excluye"), excluyeId);
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

CmidTierResponse TunidadesMedida::selectUnidadRepetida(const QString &descripcion, int excluyeId,
                                                       int idNegocio) {
    setQuery(QStringLiteral("SELECT COUNT(*) FROM inventarioUnidadesMedida WHERE LOWER(descripcion) = "
                            "LOWER(:descripcion) AND id <> :excluye AND idNegocioFk = :idNegocio"));
    setParametroTexto(QStringLiteral("descripcion"), descripcion);
    setParametroEntero(QStringLiteral("excluye"), excluyeId);
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

CmidTierResponse TunidadesMedida::insertConjunto(const QString &nombre, int idNegocio) {
    setQuery(QStringLiteral(
        "INSERT INTO inventarioUnidadesMedidaConjunto (nombre, idNegocioFk) VALUES (:nombre, :idNegocio)"));
    setParametroTexto(QStringLiteral("nombre"), nombre);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

CmidTierResponse TunidadesMedida::updateConjunto(int id, const QString &nombre, int idNegocio) {
    setQuery(QStringLiteral("UPDATE inventarioUnidadesMedidaConjunto SET nombre = :nombre WHERE id = :id AND "
                            "idNegocioFk = :idNegocio"));
    setParametroTexto(QStringLiteral("nombre"), nombre);
    setParametroEntero(QStringLiteral("id"), id);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

void TunidadesMedida::bindUnidad(const TunidadCaptura &u, double relacion, int idNegocio) {
    setParametroTexto(QStringLiteral("descripcion"), u.descripcion);
    setParametroTexto(QStringLiteral("abreviatura"), u.abreviatura);
    setParametroEntero(QStringLiteral("conjunto"), u.conjunto);
    setParametroFlotante(QStringLiteral("razon"), relacion);
    setParametroEntero(kNegocio, idNegocio);
}

CmidTierResponse TunidadesMedida::insertUnidad(const TunidadCaptura &u, double relacion, int idNegocio) {
    setQuery(
        QStringLiteral("INSERT INTO inventarioUnidadesMedida (descripcion, abreviatura, conjunto, razon, "
                       "idNegocioFk) VALUES (:descripcion, :abreviatura, :conjunto, :razon, :idNegocio)"));
    bindUnidad(u, relacion, idNegocio);
    return nonQuery();
}

CmidTierResponse TunidadesMedida::updateUnidad(const TunidadCaptura &u, double relacion, int idNegocio) {
    setQuery(QStringLiteral("UPDATE inventarioUnidadesMedida SET descripcion = :descripcion, abreviatura = "
                            ":abreviatura, conjunto = :conjunto, razon = :razon WHERE id = :id AND "
                            "idNegocioFk = :idNegocio"));
    bindUnidad(u, relacion, idNegocio);
    setParametroEntero(QStringLiteral("id"), u.id);
    return nonQuery();
}

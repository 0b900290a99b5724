#include "comun/UNEG_proveedores.h"

#include "comun/U_busquedaTexto.h"

namespace {
const QString kNegocio = QStringLiteral("idNegocio");
const QString kSelectProveedor = QStringLiteral(
    "SELECT id AS proveedor_id, nombre AS proveedor_nombre, rfc AS proveedor_rfc, direccion AS "
    "proveedor_direccion, telefono AS proveedor_telefono, correo AS proveedor_correo FROM proveedor "
    "WHERE idNegocioFk = :idNegocio");
} // namespace

CmidTierResponse Tproveedores::selectProveedores(const QString &texto, int idNegocio) {
    const bool conTexto = !texto.trimmed().isEmpty();
    setQuery(kSelectProveedor +
             (conTexto
                  ? QStringLiteral(" AND (nombre LIKE :patron1 ESCAPE '!' OR rfc LIKE :patron2 ESCAPE '!')")
                  : QString()) +
             QStringLiteral(" ORDER BY nombre, id"));
    setParametroEntero(kNegocio, idNegocio);
    if (conTexto) {
        setParametroTexto(QStringLiteral("patron1"), u_patronContiene(texto));
        setParametroTexto(QStringLiteral("patron2"), u_patronContiene(texto));
    }
    return reader();
}

CmidTierResponse Tproveedores::selectProveedorPorId(int id, int idNegocio) {
    setQuery(kSelectProveedor + QStringLiteral(" AND id = :id"));
    setParametroEntero(kNegocio, idNegocio);
    setParametroEntero(QStringLiteral("id"), id);
    return reader();
}

CmidTierResponse Tproveedores::selectNombreRepetido(const QString &nombre, int excluyeId, int idNegocio) {
    setQuery(QStringLiteral("SELECT COUNT(*) FROM proveedor WHERE LOWER(nombre) = LOWER(:nombre) AND id <> "
                            ":excluye AND idNegocioFk = :idNegocio"));
    setParametroTexto(QStringLiteral("nombre"), nombre);
    setParametroEntero(QStringLiteral("excluye"), excluyeId);
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

CmidTierResponse Tproveedores::selectRfcRepetido(const QString &rfc, int excluyeId, int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT COUNT(*) FROM proveedor WHERE rfc = :rfc AND id <> :excluye AND idNegocioFk = :idNegocio"));
    setParametroTexto(QStringLiteral("rfc"), rfc);
    setParametroEntero(QStringLiteral("excluye"), excluyeId);
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

void Tproveedores::bindProveedor(const TproveedorCaptura &p, int idNegocio) {
    setParametroTexto(QStringLiteral("nombre"), p.nombre);
    setParametroTexto(QStringLiteral("rfc"), p.rfc);
    setParametroTexto(QStringLiteral("direccion"), p.direccion);
    setParametroTexto(QStringLiteral("telefono"), p.telefono);
    setParametroTexto(QStringLiteral("correo"), p.correo);
    setParametroEntero(kNegocio, idNegocio);
}

CmidTierResponse Tproveedores::insertProveedor(const TproveedorCaptura &p, int idNegocio) {
    setQuery(QStringLiteral("INSERT INTO proveedor (nombre, rfc, direccion, telefono, correo, idNegocioFk) "
                            "VALUES (:nombre, :rfc, :direccion, :telefono, :correo, :idNegocio)"));
    bindProveedor(p, idNegocio);
    return nonQuery();
}

CmidTierResponse Tproveedores::updateProveedor(const TproveedorCaptura &p, int idNegocio) {
    setQuery(
        QStringLiteral("UPDATE proveedor SET nombre = :nombre, rfc = :rfc, direccion = :direccion, "
                       "telefono = :telefono, correo = :correo WHERE id = :id AND idNegocioFk = :idNegocio"));
    bindProveedor(p, idNegocio);
    setParametroEntero(QStringLiteral("id"), p.id);
    return nonQuery();
}

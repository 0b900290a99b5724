#pragma once

#include "comun/UMOD_capturaCatalogos.h"
#include "datos/UmiddleTier.h"

// The suite's providers data class.
class Tproveedores : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // proveedor_id, proveedor_nombre, proveedor_rfc, proveedor_direccion, proveedor_telefono,
    // proveedor_correo; name or RFC containing texto (empty: all), by name.
    CmidTierResponse selectProveedores(const QString &texto, int idNegocio);
    CmidTierResponse selectProveedorPorId(int id, int idNegocio);
    // Scalars: other providers than excluyeId with that name (case ignored) or that RFC.
    CmidTierResponse selectNombreRepetido(const QString &nombre, int excluyeId, int idNegocio);
    CmidTierResponse selectRfcRepetido(const QString &rfc, int excluyeId, int idNegocio);
    CmidTierResponse insertProveedor(const TproveedorCaptura &p, int idNegocio);
    CmidTierResponse updateProveedor(const TproveedorCaptura &p, int idNegocio);

private:
    void bindProveedor(const TproveedorCaptura &p, int idNegocio);
};

#include "comun/UsistemaDatos.h"

#include "datos/UmiddleTier.h"

TNegocio TNegocio::carga(TConexionSesion *sesion, int id) {
    TmiddleTier mt(sesion);
    mt.setQuery(
        QStringLiteral("SELECT id, nombre, rfc, razonSocial, direccionFiscal, codigoPostal, regimenFiscal "
                       "FROM negocio WHERE id = :id"));
    mt.setParametroEntero(QStringLiteral("id"), id);
    const CmidTierResponse r = mt.reader();
    if (!r.isSuccess() || r.getRowCount() == 0)
        return {};
    TdatosFiscales f{r.getCelda(0, QStringLiteral("rfc")), r.getCelda(0, QStringLiteral("razonSocial")),
                     r.getCelda(0, QStringLiteral("direccionFiscal")),
                     r.getCelda(0, QStringLiteral("codigoPostal")),
                     r.getCelda(0, QStringLiteral("regimenFiscal"))};
    return TNegocio(int(r.getCeldaAsInt(0, QStringLiteral("id"))), r.getCelda(0, QStringLiteral("nombre")),
                    f);
}

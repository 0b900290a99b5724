#include "comun/UsistemaDatos.h"

#include "datos/UmiddleTier.h"

#include <QStringList>

QString TdomicilioFiscal::enUnaLinea() const {
    return QStringList{calle, numeroExterior, numeroInterior, colonia, codigoPostal, municipio, estado}
        .join(QLatin1Char(' '))
        .simplified();
}

TNegocio TNegocio::carga(TConexionSesion *sesion, int id) {
    TmiddleTier mt(sesion);
    mt.setQuery(QStringLiteral("SELECT id, nombre, rfc, razonSocial, calle, numeroExterior, numeroInterior, "
                               "colonia, codigoPostal, municipio, estado, regimenFiscal "
                               "FROM negocio WHERE id = :id"));
    mt.setParametroEntero(QStringLiteral("id"), id);
    const CmidTierResponse r = mt.reader();
    if (!r.isSuccess() || r.getRowCount() == 0)
        return {};
    auto celda = [&r](const char *columna) { return r.getCelda(0, QString::fromLatin1(columna)); };
    const TdomicilioFiscal domicilio{celda("calle"),   celda("numeroExterior"), celda("numeroInterior"),
                                     celda("colonia"), celda("codigoPostal"),   celda("municipio"),
                                     celda("estado")};
    const TdatosFiscales f{celda("rfc"), celda("razonSocial"), domicilio, celda("regimenFiscal")};
    return TNegocio(int(r.getCeldaAsInt(0, QStringLiteral("id"))), r.getCelda(0, QStringLiteral("nombre")),
                    f);
}

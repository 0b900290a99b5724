#include "comun/U_comprobante.h"

#include "datos/UmiddleTier.h"

TComprobante getComprobanteById(int idComprobante, int idNegocio, TConexionSesion *conexion) {
    TComprobante c;
    if (idComprobante <= 0 || conexion == nullptr)
        return c;
    TmiddleTier mt(conexion);
    mt.setQuery(QStringLiteral(
        "SELECT c.idComprobante, c.uuid, c.serie, c.folio, c.fecha, c.tipo, c.subTotal, c.descuento, "
        "c.total, c.moneda, c.metodoDePago, c.formaDePago, e.rfc AS emisorRfc, e.nombre AS emisorNombre, "
        "r.rfc AS receptorRfc, r.nombre AS receptorNombre, c.idNegocioFk "
        "FROM Comprobante c LEFT JOIN Emisor e ON e.idEmisor = c.emisor "
        "LEFT JOIN Receptor r ON r.idReceptor = c.receptor "
        "WHERE c.idComprobante = :id AND c.idNegocioFk = :idNegocio"));
    mt.setParametroEntero(QStringLiteral("id"), idComprobante);
    mt.setParametroEntero(QStringLiteral("idNegocio"), idNegocio);
    const CmidTierResponse r = mt.reader();
    if (!r.isSuccess() || r.getRowCount() == 0)
        return c;
    c.idComprobante = int(r.getCeldaAsInt(0, QStringLiteral("idComprobante")));
    c.uuid = r.getCelda(0, QStringLiteral("uuid"));
    c.serie = r.getCelda(0, QStringLiteral("serie"));
    c.folio = r.getCelda(0, QStringLiteral("folio"));
    c.fecha = r.getCeldaAsDate(0, QStringLiteral("fecha"));
    c.tipo = int(r.getCeldaAsInt(0, QStringLiteral("tipo")));
    c.subTotal = r.getCeldaAsFloat(0, QStringLiteral("subTotal"));
    c.descuento = r.getCeldaAsFloat(0, QStringLiteral("descuento"));
    c.total = r.getCeldaAsFloat(0, QStringLiteral("total"));
    c.moneda = r.getCelda(0, QStringLiteral("moneda"));
    c.metodoDePago = r.getCelda(0, QStringLiteral("metodoDePago"));
    c.formaDePago = r.getCelda(0, QStringLiteral("formaDePago"));
    c.emisorRfc = r.getCelda(0, QStringLiteral("emisorRfc"));
    c.emisorNombre = r.getCelda(0, QStringLiteral("emisorNombre"));
    c.receptorRfc = r.getCelda(0, QStringLiteral("receptorRfc"));
    c.receptorNombre = r.getCelda(0, QStringLiteral("receptorNombre"));
    c.idNegocio = int(r.getCeldaAsInt(0, QStringLiteral("idNegocioFk")));
    return c;
}

#include "entradas/UNEG_estadoOrdenCompra.h"

#include "comun/U_entradaDelNegocio.h"

namespace {
const QString kNegocio = QStringLiteral("negocio");
// Purchase-order lines of the business.
const QString kLineasDelNegocio = QStringLiteral(
    "(SELECT la.AF_ID FROM AF_ArticulosOrdenesCompra la JOIN AF_OrdenesCompra lo ON lo.AF_NumeroOrden = "
    "la.AF_NumeroOrden WHERE lo.idNegocioFk = :negocio)");

// Binds a line's state and the business to the statement that writes it.
void enlaza(TmiddleTier &t, const TestadoOrdenCompra::TinventarioOrdenesCompraArticulos &estado,
            int idNegocio) {
    t.setParametroEntero(QStringLiteral("producto"), estado.idProducto);
    t.setParametroEntero(QStringLiteral("unidad"), estado.idUnidadRecibido);
    t.setParametroFlotante(QStringLiteral("factor"), estado.factorConversion);
    t.setParametroFlotante(QStringLiteral("acumulada"), estado.cantidadAcumulada);
    t.setParametroEntero(QStringLiteral("linea"), estado.idLinea);
    t.setParametroEntero(kNegocio, idNegocio);
}
} // namespace

CmidTierResponse
TestadoOrdenCompra::insertOrdenArticuloEstado(const TinventarioOrdenesCompraArticulos &estado,
                                              int idNegocio) {
    setQuery(
        QStringLiteral("INSERT INTO inventarioOrdenesCompraArticulos (AF_ID, inventarioProducto_id, "
                       "UnidadesMedida_id, factorConversion, cantidadAcumulada) SELECT la.AF_ID, :producto, "
                       ":unidad, :factor, :acumulada FROM AF_ArticulosOrdenesCompra la WHERE la.AF_ID = "
                       ":linea AND la.AF_ID IN ") +
        kLineasDelNegocio);
    enlaza(*this, estado, idNegocio);
    return unaFila(nonQuery());
}

CmidTierResponse
TestadoOrdenCompra::updateOrdenArticuloEstado(const TinventarioOrdenesCompraArticulos &estado,
                                              int idNegocio) {
    setQuery(QStringLiteral("UPDATE inventarioOrdenesCompraArticulos SET inventarioProducto_id = :producto, "
                            "UnidadesMedida_id = :unidad, factorConversion = :factor, cantidadAcumulada = "
                            ":acumulada WHERE AF_ID = :linea AND AF_ID IN ") +
             kLineasDelNegocio);
    enlaza(*this, estado, idNegocio);
    return nonQuery();
}

CmidTierResponse TestadoOrdenCompra::updateAFOrdenesCompras(int numeroOrden, int idNegocio) {
    setQuery(QStringLiteral(
        "UPDATE AF_OrdenesCompra SET AF_OrdenPendiente = CASE WHEN EXISTS (SELECT 1 FROM "
        "AF_ArticulosOrdenesCompra la LEFT JOIN inventarioOrdenesCompraArticulos ia ON ia.AF_ID = la.AF_ID "
        "WHERE la.AF_NumeroOrden = :orden AND COALESCE(ia.cantidadAcumulada, 0) < la.AF_CantidadSolicitada "
        "- 0.000000001) THEN 1 ELSE 2 END WHERE AF_NumeroOrden = :orden AND idNegocioFk = :negocio"));
    setParametroEntero(QStringLiteral("orden"), numeroOrden);
    setParametroEntero(kNegocio, idNegocio);
    return nonQuery();
}

#pragma once

#include "datos/UmiddleTier.h"

#include <QDateTime>
#include <QVariant>

// The statements of the receipts list and the receipt detail: the list with its filters, one
// receipt row with what it carries, and the detail's edits of its provider and invoice links.
// Every statement reaches a receipt row only through its business.
class TentradasConsulta : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // Filters of the receipts list; a null value does not filter.
    struct TfiltroEntradas {
        QDateTime inicial;
        QDateTime final_;
        QVariant almacen;
        QVariant concepto;
        QVariant producto;
        QVariant documento;
        QVariant proveedor;
        QVariant proveedorRfc; // also the receipts invoiced by that RFC
        QVariant lote;         // a LIKE pattern (ESCAPE '!')
        // Lot dates; an invalid date-time does not filter.
        QDateTime produccionInicial, produccionFinal;
        QDateTime caducidadInicial, caducidadFinal;
    };
    // One row per receipt row of the business, newest document first, with the aliases of the list.
    CmidTierResponse selectEntradas(const TfiltroEntradas &filtro, int idNegocio);
    // The receipt row with its warehouse, product, units, invoice and provider; no row when it is
    // not the business's.
    CmidTierResponse selectEntrada(int idEntrada, int idNegocio);
    CmidTierResponse selectPedimento(int idEntrada, int idNegocio);
    CmidTierResponse selectLote(int idEntrada, int idNegocio);
    // The provider link of a receipt row: removed whole, or one new link (provider of the business).
    CmidTierResponse deleteEntradaProveedor(int idEntrada, int idNegocio);
    CmidTierResponse insertEntradaProveedor(int idEntrada, int idProveedor, int idNegocio);
    // Links the receipt row to an invoice of the business; no row changes otherwise.
    CmidTierResponse updateEntradaComprobanteID(int idEntrada, int idComprobante, int idNegocio);
};

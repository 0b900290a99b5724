#pragma once

#include "datos/UmiddleTier.h"

#include <QString>
#include <QVariant>

// The serial-number search. A serial number has no business of its own: it belongs to the
// business of the receipt that brought it in.
class TproductosNoSerie : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // "inventarioNoSerie_id", "inventarioNoSerie_numero", "inventarioNoSerieEstado_id",
    // "inventarioNoSerieEstado_etiqueta", "inventarioProducto_nombre", "inventarioCategoria_etiqueta",
    // "inventarioAlmacen_nombre", "inventarioEntrada_id", "inventarioEntrada_documento",
    // "inventarioEntrada_fechaHora", "conceptoEntrada_etiqueta", "inventarioSalida_fechahora",
    // "conceptoSalida_etiqueta"; by receipt, in the order captured. Null filters select everything; the
    // two texts match anywhere, their % and _ taken as letters.
    CmidTierResponse selectNoSerie(const QVariant &almacenID, const QVariant &productoID,
                                   const QVariant &estadoID, const QString &numero, const QString &documento,
                                   int negocioID);
    // id and label of each serial-number state.
    CmidTierResponse selectNoSerieEstados();
};

#pragma once

#include "datos/UmiddleTier.h"

// The property values a receipt row holds for its category's properties, as the receipt detail
// shows and edits them. Every statement reaches the receipt row only through its business.
class TpropiedadesEntrada : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // The properties of a category: "inventarioPropiedadListado_id",
    // "inventarioPropiedadListado_nombre", "propiedadTipo_id".
    CmidTierResponse selectAdicionales(const QString &categoria, int idNegocio);
    // Every value the receipt row holds: "inventarioPropiedadListado_id",
    // "inventarioProductoPropiedad_valor".
    CmidTierResponse selectValores(int idEntrada, int idNegocio);
    CmidTierResponse selectPropiedad(int idEntrada, int idPropiedad, int idNegocio);
    // Only for a property of the business.
    CmidTierResponse insertPropiedad(int idEntrada, int idPropiedad, const QString &valor, int idNegocio);
    CmidTierResponse updatePropiedad(int idEntrada, int idPropiedad, const QString &valor, int idNegocio);
};

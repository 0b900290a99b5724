#pragma once

#include "datos/UmiddleTier.h"

// The business's options record: its valuation method (chosen once) and the issues-table version
// the start-up upgrades record.
class Topciones : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    CmidTierResponse selectRegistroOpciones(int idNegocio);
    CmidTierResponse insertRegistroOpciones(int idNegocio);
    CmidTierResponse updateVersionTablaSalidas(int version, int idNegocio);
    CmidTierResponse selectVersionTablaSalidas(int idNegocio);

    CmidTierResponse selectMetodoValoracionInventario(int idNegocio);
    CmidTierResponse insertMetodoValoracionInventario(int idNegocio, int metodo);
};

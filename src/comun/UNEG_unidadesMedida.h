#pragma once

#include "comun/UMOD_capturaCatalogos.h"
#include "datos/UmiddleTier.h"

// The suite's units-of-measure data class. A unit belongs to a set and counts `razon` of the
// set's base unit (a box of 12 in the set of pieces has ratio 12).
class TunidadesMedida : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // conjunto_id, conjunto_nombre, conjunto_unidades (how many units it holds), by name.
    CmidTierResponse selectConjuntos(int idNegocio);
    // unidadMedida_id, unidadMedida_descripcion, unidadMedida_abreviatura, unidadMedida_conjunto,
    // conjunto_nombre, unidadMedida_relacion; of one set, or all when conjunto is 0; by set, ratio.
    CmidTierResponse selectUnidades(int conjunto, int idNegocio);
    CmidTierResponse selectUnidadPorId(int id, int idNegocio);
    CmidTierResponse selectConjuntoPorId(int id, int idNegocio);

    // Scalars: rows other than excluyeId with that name (case ignored).
    CmidTierResponse selectConjuntoRepetido(const QString &nombre, int excluyeId, int idNegocio);
    CmidTierResponse selectUnidadRepetida(const QString &descripcion, int excluyeId, int idNegocio);

    CmidTierResponse insertConjunto(const QString &nombre, int idNegocio);
    CmidTierResponse updateConjunto(int id, const QString &nombre, int idNegocio);
    CmidTierResponse insertUnidad(const TunidadCaptura &u, double relacion, int idNegocio);
    CmidTierResponse updateUnidad(const TunidadCaptura &u, double relacion, int idNegocio);

private:
    void bindUnidad(const TunidadCaptura &u, double relacion, int idNegocio);
};

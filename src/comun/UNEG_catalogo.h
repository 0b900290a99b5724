#pragma once

#include "datos/UmiddleTier.h"

// The suite's category data class: the category tree and the properties of its subcategories.
// A category's `identidad` is its path code; its parent is the identity without the last character.
class Tcatalogo : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // categoria_identidad, categoria_etiqueta, categoria_carpeta ("True" for a folder),
    // categoria_padre, parents before children.
    CmidTierResponse selectCategorias(int idNegocio);
    CmidTierResponse selectCategoriaPorIdentidad(const QString &identidad, int idNegocio);
    // propiedadListado_id, propiedadListado_nombre, propiedadTipo_id, propiedadTipo_tipo, by name.
    CmidTierResponse selectCategoriaPropiedades(const QString &identidad, int idNegocio);
};

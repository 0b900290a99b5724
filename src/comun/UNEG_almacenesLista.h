#pragma once

#include "datos/UmiddleTier.h"

// The warehouse list the warehouse picker shows (the warehouse catalogue keeps its own class).
class TalmacenesLista : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // almacen_id, almacen_nombre, almacen_direccion, almacen_nota, sucursal_id, sucursal_nombre;
    // name containing texto (empty: all), by branch and name.
    CmidTierResponse selectAlmacenesSeleccion(const QString &texto, int idNegocio);
};

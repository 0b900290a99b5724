#pragma once

#include "comun/UMOD_capturaCatalogos.h"
#include "datos/UconexionSesion.h"

// Checking and saving the sets of units and the units of measure of the business.
namespace unidadCaptura {

// A set needs a name no other set of the business has (case ignored).
TresultadoCaptura guardaConjunto(TConexionSesion *sesion, int id, const QString &nombre, int idNegocio);

// The first reason the unit cannot be saved, empty when it can: a name no other unit has, an
// existing set and a ratio to the set's base that is a number above 0.
QString valida(TConexionSesion *sesion, const TunidadCaptura &u, int idNegocio);
TresultadoCaptura guarda(TConexionSesion *sesion, const TunidadCaptura &u, int idNegocio);

} // namespace unidadCaptura

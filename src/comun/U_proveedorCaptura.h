#pragma once

#include "comun/UMOD_capturaCatalogos.h"
#include "datos/UconexionSesion.h"

// Checking and saving the providers of the business.
namespace proveedorCaptura {

// Texts trimmed, RFC in capitals, everything cut at its column limit.
TproveedorCaptura normaliza(TproveedorCaptura p);
// The first reason the (normalised) provider cannot be saved, empty when it can: a name no other
// provider has, an RFC of the fiscal form (12 or 13 characters) that no other provider has (the
// generic RFCs of the public and of foreigners may repeat), and a plausible e-mail address.
QString valida(TConexionSesion *sesion, const TproveedorCaptura &p, int idNegocio);
TresultadoCaptura guarda(TConexionSesion *sesion, const TproveedorCaptura &p, int idNegocio);

} // namespace proveedorCaptura

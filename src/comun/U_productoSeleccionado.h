#pragma once

#include "comun/UMOD_seleccion.h"
#include "datos/UconexionSesion.h"
#include "datos/UmidTierResponse.h"

// The product picker's record, filled from a Tproductos product row (marked as chosen).
TproductoSeleccionadoDescripcion u_productoDeFila(const CmidTierResponse &filas, int fila);
// The record of one product of the business; not chosen when it does not exist there.
TproductoSeleccionadoDescripcion u_productoPorId(TConexionSesion *sesion, int idProducto, int idNegocio);

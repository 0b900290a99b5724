#pragma once

#include "comun/UNEG_almacen.h"

// The accept step of the warehouse dialog: the checks in the order the user meets them, each
// with its message, then the insert or update. True when saved (the dialog closes).
//  - the name may not repeat another warehouse's of the business (ignoring case and surrounding
//    blanks), neither on creation nor when renaming;
//  - a branch must be chosen, and the name may not be blank.
bool u_guardaAlmacen(TConexionSesion *sesion, const TalmacenDescripcion &almacen, bool nuevo);

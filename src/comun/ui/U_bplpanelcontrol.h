#pragma once

#include "comun/UsistemaDatos.h"

#include <QString>

// The module-wide copy of the host's session, taken at entry, and the alias of its database. Only
// screens read it (it lives with them); logic takes the session it works on as an argument.
extern TsistemaDatos localSYS;
extern QString SYS_aliasRutaDB;

// Shortcuts for the screens.
inline TConexionSesion *sesionActual() {
    return localSYS.conexion;
}
inline int negocioActual() {
    return localSYS.negocio.getIdNegocio();
}

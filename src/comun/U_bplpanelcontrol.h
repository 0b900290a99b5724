#pragma once

#include "comun/UsistemaDatos.h"

#include <QString>

// The module-wide copy of the host's session, taken at entry, and the alias of its database.
extern TsistemaDatos localSYS;
extern QString SYS_aliasRutaDB;

// Shortcuts every query class uses.
inline TConexionSesion *sesionActual() {
    return localSYS.conexion;
}
inline int negocioActual() {
    return localSYS.negocio.getIdNegocio();
}

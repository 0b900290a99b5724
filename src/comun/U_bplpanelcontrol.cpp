#include "comun/U_bplpanelcontrol.h"

TsistemaDatos localSYS;
QString SYS_aliasRutaDB;

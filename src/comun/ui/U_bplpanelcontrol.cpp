#include "comun/ui/U_bplpanelcontrol.h"

TsistemaDatos localSYS;
QString SYS_aliasRutaDB;

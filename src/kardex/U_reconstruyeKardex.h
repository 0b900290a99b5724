#pragma once

#include "datos/UconexionSesion.h"

#include <QTextStream>

// The administrator's rebuild (inventario --reconstruir-kardex): empties the business's ledger
// and builds it again on the calling thread, printing the progress of the two bars and the
// figures. Returns the process exit status: 0 done, 1 failed.
int reconstruyeKardexEnConsola(TConexionSesion *sesion, int idNegocio, QTextStream &salida);

#pragma once

#include "comun/UMOD_kardexRenglon.h"
#include "comun/UsistemaDatos.h"

// Ledger rows recorded one movement at a time, for the suite's other modules (the module's own
// screens write theirs through their data classes). Each call opens its own data-access object
// on the given session's connection, reads only that session's business and reports failure
// only through its result; a caller that writes several rows does so inside its own transaction.

// A receipt row: the receipt side and its totals, in the current (not a new) group.
bool kardexEntrada(const TsistemaDatos &sistema, const TkardexRenglon &renglon);
// One issue row against one layer: a new group unless it continues the newest issue document of
// its warehouse and product; its total is what the layer keeps after the issue.
bool kardexSalida(const TsistemaDatos &sistema, const TkardexRenglon &renglon);
// The largest group of a warehouse and product; 0 when there is none.
int kardexGetUltimoGrupoPorAlmacenPorProducto(const TsistemaDatos &sistema, int idAlmacen, int idProducto);
// The issue document of the newest row of a warehouse and product; 0 when there is none.
int kardexGetUltimoSalidaDocumentoID(const TsistemaDatos &sistema, int idAlmacen, int idProducto);

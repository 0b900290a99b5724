#pragma once

#include "comun/UMOD_capturaCatalogos.h"
#include "datos/UconexionSesion.h"

// Checking and saving a product of the catalogue with its stock limits per warehouse.
namespace productoCaptura {

// Texts trimmed and cut at their column limits (what the user typed past a limit is dropped).
TproductoCaptura normaliza(TproductoCaptura p);

// Whether a product may be saved without a category (a product created by a movement import).
enum class Tcategoria { Requerida, Opcional };

// The first reason the (normalised) product cannot be saved, empty when it can: name and key
// given, key and barcode not used by another product of the business, an existing category (or
// none, when optional) and unit, limits that are numbers with the minimum not above the maximum, and, once
// the product has receipts, its unit and serial-number control unchanged (stock is kept in that unit).
QString valida(TConexionSesion *sesion, const TproductoCaptura &p, int idNegocio,
               Tcategoria categoria = Tcategoria::Requerida);

// Normalises, checks and writes product and limits in one transaction.
TresultadoCaptura guarda(TConexionSesion *sesion, const TproductoCaptura &p, int idNegocio,
                         Tcategoria categoria = Tcategoria::Requerida);

} // namespace productoCaptura

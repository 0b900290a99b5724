#pragma once

#include "datos/UconexionSesion.h"

// The suite's seeding checks run at start-up. Each makes sure the rows it stands for exist for
// the business and answers whether they do now; running one twice adds nothing.
namespace semillas {
constexpr const char *kRfcPublicoGeneral = "XAXX010101000";
constexpr const char *kCategoriaInicial = "0";
} // namespace semillas

// The general-public customer sales are made to when no customer is named.
bool u_rfcPublicoGeneralExiste(TConexionSesion *sesion, int idNegocio);
// The root of the category tree, under which the user's categories hang.
bool compruebaCategoriaInicialExiste(TConexionSesion *sesion, int idNegocio);
// One concept per system family (transfer issue and receipt, purchase-order receipt, initial stock).
bool compruebaMovimientoConceptoDummyExiste(TConexionSesion *sesion, int idNegocio);
// The piece, base of the unit set every product can fall back to.
bool compruebaUnidadesMedidaDummyExiste(TConexionSesion *sesion, int idNegocio);
// The empty property list a category without properties points to.
bool compruebaPropiedadListadoDummyExiste(TConexionSesion *sesion, int idNegocio);

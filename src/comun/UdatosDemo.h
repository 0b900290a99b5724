#pragma once

#include "comun/UsistemaDatos.h"
#include "datos/UconexionSesion.h"

#include <QDate>

// A realistic demo business for a database that already holds the schema: a hardware store with
// branches, warehouses, unit sets, a category tree, products (some serial-numbered), providers,
// invoices, purchase orders, movement concepts of every family with their accounting templates,
// and sales for the issues breakdown. No receipts, issues or ledger rows, and no valuation method:
// the user chooses it and posts the first movements.
namespace datosDemo {

// Who the demo business is; everything else it holds is the same for every identity.
struct Tidentidad {
    QString nombre;
    QString rfc;
    QString razonSocial;
    TdomicilioFiscal domicilio;
};

// The hardware store the demo has always been.
Tidentidad identidadPrincipal();

// Writes everything in one transaction and returns the new negocio.id; 0 (and nothing written)
// when any statement fails. Dates fall around `hoy`, so that the screens' default ranges show
// them; the same `hoy` gives the same rows.
int crea(TConexionSesion *sesion, const QDate &hoy);
int crea(TConexionSesion *sesion, const QDate &hoy, const Tidentidad &identidad);
// The same, dated around today.
int crea(TConexionSesion *sesion);

} // namespace datosDemo

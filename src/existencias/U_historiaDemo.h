#pragma once

#include <QDate>
#include <QString>

class TConexionSesion;

// The demo with history (`inventario --demo`): two hardware stores holding the demo catalogues,
// one valued by PEPS and one by weighted average, each with about three months of receipts and
// issues posted through the postings themselves (lots, serial numbers, customs declarations,
// invoices and providers, sales, samples, customer and purchase returns, transfers received,
// cancelled and in transit, a partly received purchase order), so that the ledger, the lists and the reports
// have real content. The same `hoy` gives the same documents; the history ends a few days before it.
namespace historiaDemo {

struct Tnegocios {
    int peps = 0;     // Ferretería La Esperanza
    int promedio = 0; // the second store
};

// For a database that holds the schema and no business. `error` stays empty when everything was
// written. Both ids are 0 when a catalogue could not be written (nothing of it is left); a posting
// that fails stops the history there, every document before it whole.
Tnegocios crea(TConexionSesion *sesion, const QDate &hoy, QString &error);

// The months of movements of a business that already holds the demo catalogues; sets its
// valuation method (1 PEPS, 2 Promedio Ponderado) first. False, with the reason, when a posting
// was refused or failed.
bool escribeHistoria(TConexionSesion *sesion, int idNegocio, int metodo, const QDate &hoy, QString &error);

} // namespace historiaDemo

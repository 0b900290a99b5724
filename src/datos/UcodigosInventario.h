#pragma once

#include <QString>

#include <initializer_list>

// The codes the inventory stores in its rows and compares in its rules. Each enum keeps the stored
// value, so an enumerator binds and compares as the integer the database holds.

// The business's valuation method (`Topciones::selectMetodoValoracionInventario`); none stored = 0.
enum TmetodoValuacion : int { kMetodoNinguno = 0, kMetodoPEPS = 1, kMetodoPromedioPonderado = 2 };

// Which capture lists a movement concept: receipts (entries) or issues (exits).
enum TdireccionConcepto : int { kConceptoEntrada = 1, kConceptoSalida = 2 };

// A concept's family. The positive ones are picked by the user; each negative one is a system
// concept that exactly one row per business carries and that is looked up by family alone.
enum TfamiliaConcepto : int {
    kFamiliaOrdinaria = 1,
    kFamiliaDevolucionSalida = 2, // a receipt taking back stock issued before
    kFamiliaDevolucionCompra = 3, // an issue sending back stock received before
    kFamiliaSalidaTraspaso = -1,
    kFamiliaEntradaTraspaso = -2,
    kFamiliaOrdenCompra = -3,
    kFamiliaExistenciaInicial = -4,
    kFamiliaAjusteConteoEntrada = -5, // a physical count's surplus, received
    kFamiliaAjusteConteoSalida = -6,  // a physical count's shortage, issued
};

// The kind of a movement in the chronological list the kardex rebuild reads.
enum TtipoMovimiento : int {
    kMovimientoInicial = 2,         // initial-stock receipt: opens a layer and a new group
    kMovimientoEntrada = 3,         // receipt: opens a layer
    kMovimientoSalida = 4,          // issue: draws on its layer
    kMovimientoDevolucionVenta = 5, // reversing receipt: puts stock back into a layer
    kMovimientoDevolucionCompra = 7 // purchase return: takes stock out of its layer
};

// A serial number's state (`inventarioNoSerieEstado`).
enum TestadoNoSerie : int { kSerieEnAlmacen = 1, kSerieConSalida = 2 };

// A transfer's state (`inventarioTraspasoEstado`): 1 → 2 or 1 → 3; 2 and 3 are final.
enum TestadoTraspaso : int { kTraspasoEnTransito = 1, kTraspasoRecibido = 2, kTraspasoCancelado = 3 };

// SQL text with codes written in for %1, %2, …: codes are fixed integers, never user input, so a
// statement can name them where a bound value cannot stand (a CASE label, a list built once).
inline QString u_conCodigos(QString texto, std::initializer_list<int> codigos) {
    for (int codigo : codigos)
        texto = texto.arg(codigo);
    return texto;
}

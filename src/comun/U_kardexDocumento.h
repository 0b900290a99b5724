#pragma once

#include "comun/UNEG_movimientosInventario.h"

#include <QVector>

// A posted document's ledger rows, held and written when the document ends, several to a
// statement, on the posting's connection and inside its transaction, in the order given: a
// document of thousands of lines costs a few round trips for its ledger instead of one per row. Nothing in
// the posting reads back the rows it holds (each product's newest group is carried by the posting itself),
// and the posting writes them before anything else may read the ledger.
class TkardexDocumento {
public:
    explicit TkardexDocumento(TmovimientosInventario &mt) : uMt(mt) {}

    void agrega(const TkardexRenglon &renglon) { uRenglones.append(renglon); }
    // Writes the rows held and forgets them; false when a write failed (the caller rolls the
    // document back).
    bool escribe();
    // Forgets what is held: a document tried again starts clean.
    void descarta() { uRenglones.clear(); }

private:
    TmovimientosInventario &uMt;
    QVector<TkardexRenglon> uRenglones;
};

#pragma once

#include "datos/UmiddleTier.h"

#include <QHash>
#include <QVector>

// A posted document's stock rows, held as its lines run and written when it ends: each product's
// stock once, whatever number of lines it had, new rows several to a statement and changed rows
// by their id (TactualizacionMultiple). The row ids come from the posting's read of its products
// (TmovimientosInventario::leeEstados), which also confirmed the warehouse is the business's.
class TexistenciasDocumento {
public:
    TexistenciasDocumento(TmiddleTier &mt, int idAlmacen) : uMt(mt), uAlmacen(idAlmacen) {}

    // The product's stock after the document; `idExistencia` its row, 0 when it has none yet.
    void fija(int idProducto, int idExistencia, double existencia);
    // Writes what is held and forgets it; false when a write failed.
    bool escribe();
    void descarta() {
        uFilas.clear();
        uIndice.clear();
    }

private:
    struct Tfila {
        int producto;
        int id;
        double existencia;
    };
    TmiddleTier &uMt;
    int uAlmacen;
    QVector<Tfila> uFilas; // in the order products were first met: new rows keep the ids they had
    QHash<int, int> uIndice;
};

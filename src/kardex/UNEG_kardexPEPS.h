#pragma once

#include "comun/UMOD_kardexRenglon.h"
#include "datos/UmidTierResponse.h"
#include "kardex/UMOD_movimientoKardex.h"

#include <QMap>
#include <QVector>

class TescritorKardex;

// The FIFO (PEPS) ledger of one warehouse and product, built from its movement list: receipts
// open cost layers, issues draw on their named layer, and after each movement one snapshot row
// (revision 1) is written for every other layer that still holds stock. The rows of one movement
// form a group.
class TkardexPEPS {
public:
    explicit TkardexPEPS(TescritorKardex &escritor) : uEscritor(escritor) {}

    // False when a write failed.
    bool creaKardexPEPS(const CmidTierResponse &lista, int idAlmacen);

private:
    TkardexRenglon renglonDe(const CmidTierResponse &lista, const TcolumnasMovimiento &c, int fila) const;
    void recepcion(TkardexRenglon &r);
    void salida(TkardexRenglon &r, bool ultimo, const CmidTierResponse &lista, const TcolumnasMovimiento &c,
                int fila);
    // A customer return opens its own layer, as its posting does.
    void devolucionDeVenta(TkardexRenglon &r);
    // False when the returned layer is not open: the row is skipped.
    bool devolucionDeCompra(TkardexRenglon &r);
    // A kind-2, 5 or 7 row starts a list of its own: whatever is pending is written first.
    void reemplazaPendientes(TkardexRenglon &r);
    void agregaCapasRestantes();
    void vacia();

    TescritorKardex &uEscritor;
    QMap<int, tCapa> uCapas;
    QVector<TkardexRenglon> uPendientes;
    int uGrupo = 0;
    QDateTime uFechaCapas;
};

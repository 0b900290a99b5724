#pragma once

#include "datos/UmiddleTier.h"

#include <QDate>

// The module's read class for the ledger: the ledger of one product in one warehouse over a date
// range (as stored, and the older view built from receipts and issues), the product's stock
// limits and the small lookups used when recording issue rows. Every read is filtered by business.
class Tkardex : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // The ledger as stored, in row order. Snapshot rows (revision 1) show no date and no
    // description. A failed response on a provider other than "MySQL" and "SQLITE".
    CmidTierResponse selectKardex2(const QDate &inicio, const QDate &fin, int idAlmacen, int idProducto,
                                   int idNegocio);
    // The older view: receipts and issues of the range with their running stock.
    CmidTierResponse selectKardex(const QDate &inicio, const QDate &fin, int idAlmacen, int idProducto,
                                  int idNegocio);
    CmidTierResponse selectProductoMaximoMinimo(int idAlmacen, int idProducto, int idNegocio);
    // "inventarioKardex_totalCantidad" of the newest row of a layer: its receipt or snapshot row, or
    // an issue row drawn on it (issue rows carry the layer in salidaEntradaRelacionada only, so
    // without them a second issue would start again from the layer's received quantity).
    CmidTierResponse selectExistenciaCapa(int idEntrada, int idNegocio);
    // "inventarioKardex_grupo": the largest group of a warehouse and product (one NULL row when
    // there is none).
    CmidTierResponse selectUltimoGrupoPorAlmacenPorProducto(int idAlmacen, int idProducto, int idNegocio);
    // "documentoSalida" of the newest row of a warehouse and product (of any kind).
    CmidTierResponse selectUltimoDocumentoSalidaID(int idAlmacen, int idProducto, int idNegocio);
    // "_fila": the first row from a date on, the last row up to a date.
    CmidTierResponse selectKardexRenglonInicial(const QDateTime &fecha, int idProducto, int idAlmacen,
                                                int idNegocio);
    CmidTierResponse selectKardexRenglonFinal(const QDateTime &fecha, int idProducto, int idAlmacen,
                                              int idNegocio);

private:
    bool proveedorConocido() const;
    // a || b || c on SQLite, CONCAT(a, b, c) on MariaDB (where || is a logical OR).
    QString concatena(const QStringList &partes) const;
    void fijaRango(const QDate &inicio, const QDate &fin);
    CmidTierResponse selectRenglonLimite(const QString &agregado, const QString &comparacion,
                                         const QDateTime &fecha, int idProducto, int idAlmacen,
                                         int idNegocio);
};

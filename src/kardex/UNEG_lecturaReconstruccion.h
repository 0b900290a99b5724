#pragma once

#include "datos/UmiddleTier.h"

// What the ledger rebuild reads: whether there is anything to build, the business's warehouses
// and products, the lock that serialises rebuilds, and each warehouse's movements in walk order.
class TlecturaReconstruccion : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // Column "_registros": the business's ledger rows.
    CmidTierResponse selectRegistrosKardex(int idNegocio);
    // At least one row when the business has a receipt or an issue.
    CmidTierResponse selectEntradasSalidasTodas(int idNegocio);
    // Column "inventarioAlmacen_id" / "inventarioProducto_id", ascending.
    CmidTierResponse selectAlmacenesExistentes(int idNegocio);
    CmidTierResponse selectProductosExistentes(int idNegocio);
    // Serialises rebuilds of one business across workstations (a row lock on MariaDB; SQLite's
    // BEGIN IMMEDIATE already does it).
    CmidTierResponse selectNegocioParaReconstruir(int idNegocio);
    // The movements of a warehouse and product, oldest first (then receipts before issues at the
    // same instant, then id), with the kind in "inventarioMovimientoConcepto_id": 2 initial stock,
    // 3 any other receipt but a reversing one, 4 any issue but a purchase return, 5 reversing
    // receipt, 7 purchase return. A receipt row has null issue columns and an issue row null
    // receipt columns; an issue's layer is in "_id_entradaRelacionada".
    CmidTierResponse selectEntradasSalidasPorOrdenCronologicoPorAlmacen(int idAlmacen, int idProducto,
                                                                        int idNegocio);
    // The same for the products idDesde..idHasta of a warehouse in one pass, by product first.
    CmidTierResponse selectEntradasSalidasPorOrdenCronologicoPorProductos(int idAlmacen, int idDesde,
                                                                          int idHasta, int idNegocio);

private:
    CmidTierResponse selectMovimientos(const QString &filtroProducto, const QString &orden, int idAlmacen,
                                       int idDesde, int idHasta, int idNegocio);
};

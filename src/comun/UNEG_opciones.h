#pragma once

#include "comun/UMOD_kardexRenglon.h"
#include "datos/UactualizacionMultiple.h"
#include "datos/UfechaHora.h"
#include "datos/UinsercionMultiple.h"
#include "datos/UmiddleTier.h"

#include <memory>

// The suite's options data class: the business's options record, the table-state record the
// start-up check reads, the valuation method and the movement concepts.
class Topciones : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // The table-state record (value 170610 and up means the upgrades of that state are in).
    static constexpr int kEstadoTablasActual = 170610;

    CmidTierResponse selectRegistroOpciones(int idNegocio);
    CmidTierResponse insertRegistroOpciones(int idNegocio);
    CmidTierResponse updateVersionTablaSalidas(int version, int idNegocio);
    CmidTierResponse selectVersionTablaSalidas(int idNegocio);
    CmidTierResponse alterAgregaColumnaOpciones();
    CmidTierResponse selectCapasPorProductoNegocioFecha(TDateTime desde, TDateTime hasta, int idProducto,
                                                        int idNegocio);

    CmidTierResponse selectTablaEstado();
    CmidTierResponse insertTablaEstado();
    CmidTierResponse selectColumnaSnap();
    CmidTierResponse insertTablaEstadoSnap();
    // Brings an older product table up to the columns the module reads (SQLite databases only:
    // MariaDB databases were always created whole).
    CmidTierResponse actualizaTablaProducto();

    CmidTierResponse selectMetodoValoracionInventario(int idNegocio);
    CmidTierResponse insertMetodoValoracionInventario(int idNegocio, int metodo);

    CmidTierResponse selectMovimientoConcepto(int direccion, int idNegocio);
    CmidTierResponse selectMovimientoConceptoPorNombre(const QString &nombre, int idNegocio);
    // A concept the user creates is an ordinary one (family 1); modulo is the accounting module
    // prefix of its entry (610, 620…, 0 without one).
    CmidTierResponse insertMovimientoConcepto(const QString &etiqueta, int direccion,
                                              const QVariant &idAsiento, int modulo, int idNegocio);
    // Relabels a concept of the business; a null idAsiento keeps its accounting entry (and module
    // prefix), otherwise both are replaced.
    CmidTierResponse updateMovimientoConcepto(int id, const QString &etiqueta, const QVariant &idAsiento,
                                              int modulo, int idNegocio);
    // The business's basic accounting entries whose module number matches the LIKE pattern
    // ("61%" receipt entries, "62%" issue entries).
    CmidTierResponse selectAsientos(const QString &filtro, int idNegocio);

    // The ledger and its rebuild.
    CmidTierResponse insertRenglonKardex(const TkardexRenglon &renglon);
    // Ledger rows written several to a statement (the rebuild).
    std::unique_ptr<TinsercionMultiple> insercionRenglonesKardex();
    // Column "_registros": the business's ledger rows.
    CmidTierResponse selectRegistrosKardex(int idNegocio);
    CmidTierResponse deleteInventarioKardex(int idNegocio);
    // At least one row when the business has a receipt or an issue.
    CmidTierResponse selectEntradasSalidasTodas(int idNegocio);
    // Column "inventarioAlmacen_id" / "inventarioProducto_id", ascending.
    CmidTierResponse selectAlmacenesExistentes(int idNegocio);
    CmidTierResponse selectProductosExistentes(int idNegocio);
    // Serialises rebuilds of one business across workstations (a row lock on MariaDB; SQLite's
    // BEGIN IMMEDIATE already does it).
    CmidTierResponse selectNegocioParaReconstruir(int idNegocio);
    // A larger page cache for the rebuild's connection on SQLite: a ledger of millions of rows
    // written in one transaction otherwise spills dirty pages and reads them back from the WAL.
    CmidTierResponse ajustaCacheParaReconstruccion();
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
    // The running stock columns of receipts (existenciaCostoUnitario, existenciaCostoTotal,
    // existenciaTotal, then the id) and of issues (salidaCostoUnitario, existenciaCostoUnitario,
    // existenciaCostoTotal, existenciaTotal, then the id), several rows to a statement.
    std::unique_ptr<TactualizacionMultiple> updateTablaEntradas();
    std::unique_ptr<TactualizacionMultiple> updateTablaSalidas();

private:
    CmidTierResponse selectMovimientos(const QString &filtroProducto, const QString &orden, int idAlmacen,
                                       int idDesde, int idHasta, int idNegocio);
    bool columnaExiste(const QString &tabla, const QString &columna);
};

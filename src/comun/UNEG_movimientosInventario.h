#pragma once

#include "comun/UMOD_kardexRenglon.h"
#include "datos/UmiddleTier.h"

#include <QDateTime>
#include <QHash>
#include <QMap>
#include <QString>

// What a posting needs to know of a movement concept of the business.
struct TconceptoMovimiento {
    int id = 0;
    QString etiqueta;
    int direccion = 0; // 1 receipt concepts, 2 issue concepts
    int familia = 0;
    int idAsiento = 0; // accounting template; 0 when none

    bool valido() const { return id > 0; }
};

// The stock row (inventarioExistencias) of a warehouse and product.
struct TexistenciaAlmacen {
    bool existe = false;
    double existencia = 0;
};

// What a posting reads of each product of its document before it writes.
struct TestadoProducto {
    TexistenciaAlmacen existencia; // the stock row
    int idExistencia = 0;          // its id; 0 when there is none
    // The running unit cost and stock value the newest movement of the product in the warehouse
    // left (its newest receipt or issue row, by date-time, an issue after a receipt of the same
    // instant); 0 when the product never moved there.
    double costoUnitario = 0;
    double costoTotal = 0;
    int grupo = 0; // the largest ledger group, 0 when there is none
};

// One open layer: its receipt row, document, what it holds and its unit cost.
struct TcapaAbierta {
    int entradaID = 0;
    QVariant documento;
    double existencia = 0;
    double costo = 0;
};

// Statements every posting shares, receipts and issues alike: the lock that serialises the
// postings of a business, the concept and warehouse checks, the product's layers, the stock row
// and the ledger rows. Every statement is confined to the business.
class TmovimientosInventario : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // The concept with that id when it belongs to the business (an invalid one otherwise).
    TconceptoMovimiento selectConcepto(int idConcepto, int idNegocio);
    // The warehouse's name, null when the warehouse is not the business's (or the read failed).
    QVariant selectNombreAlmacen(int idAlmacen, int idNegocio);
    // True when the product belongs to the business.
    bool productoDelNegocio(int idProducto, int idNegocio);
    // Newest receipt or issue of the warehouse; null when there is none. `ok` false when the read
    // failed. `ultimaSalida`, when given, gets the newest issue's date-time when no receipt of the
    // warehouse is newer (null otherwise).
    QVariant selectFechaHoraUltimoMovimiento(int idAlmacen, int idNegocio, bool &ok,
                                             QVariant *ultimaSalida = nullptr);

    // Open layers of a product in a warehouse, oldest first: "inventarioEntrada_id",
    // "inventarioEntrada_documento", "inventarioEntrada_existencia",
    // "inventarioEntrada_existenciaCostoUnitario".
    CmidTierResponse selectEntradasPorProductosPorAlmacen(int idProducto, int idAlmacen, int idNegocio);
    // Those layers by receipt id (ascending); `ok` false when the read failed.
    QMap<int, tCapa> capasAbiertas(int idProducto, int idAlmacen, int idNegocio, bool &ok);
    // "inventarioKardex_grupo": the largest ledger group of the warehouse and product.
    CmidTierResponse selectUltimoGrupoPorOrdenCronologicoPorAlmacen(int idAlmacen, int idProducto,
                                                                    int idNegocio);
    // The largest group, 0 when there is none; -1 when the read failed.
    int ultimoGrupo(int idAlmacen, int idProducto, int idNegocio);
    CmidTierResponse insertRenglonKardex(const TkardexRenglon &renglon);

    // The stock row; `ok` false when the read failed.
    TexistenciaAlmacen selectExistencia(int idAlmacen, int idProducto, int idNegocio, bool &ok);
    // "_existenciaCostoTotal": the stock value after the warehouse's and product's newest movement
    // (the running value of its newest receipt or issue row, by date-time, an issue after a
    // receipt of the same instant, then id); no row when the product never moved there.
    CmidTierResponse selectExistenciaCostoTotal(int idProducto, int idAlmacen, int idNegocio);
    // That value, 0 when there is none; `ok` false when the read failed.
    double existenciaCostoTotal(int idProducto, int idAlmacen, int idNegocio, bool &ok);
    // The product's minimum stock in the warehouse; -1 when none is set (no stock falls below it).
    double stockMinimo(int idAlmacen, int idProducto, int idNegocio, bool &ok);

    // The state of every product of a document at once, a few statements for thousands of
    // products. False when a read failed or the warehouse is not the business's.
    bool leeEstados(int idAlmacen, const QVector<int> &productos, int idNegocio,
                    QHash<int, TestadoProducto> &estados);
    // The open layers of those products, each product's oldest first; false when a read failed.
    bool leeCapasAbiertas(int idAlmacen, const QVector<int> &productos, int idNegocio,
                          QHash<int, QVector<TcapaAbierta>> &capas);

    CmidTierResponse insertExistencia(int idAlmacen, int idProducto, double existencia, int idNegocio);
    // Succeeds only when it changed the stock row of a warehouse of the business.
    CmidTierResponse updateExistencia(int idAlmacen, int idProducto, double existencia, int idNegocio);

protected:
    // The statement with its join order fixed: "%1" right after SELECT and "%2" as the join become
    // STRAIGHT_JOIN and JOIN on MariaDB, nothing and CROSS JOIN on SQLite, so the tables are read in
    // the order written.
    QString conOrdenDeJoin(const QString &sentencia) const;

private:
    // The running figures of each product's newest receipt and issue rows (row id -> product), at
    // most `n` of each.
    bool leeCifras(int n, const QHash<int, int> &deEntrada, const QHash<int, int> &deSalida, int idNegocio,
                   QHash<int, TestadoProducto> &estados);
};

#pragma once

#include "comun/UMOD_kardexRenglon.h"
#include "comun/U_asientosContables.h"
#include "datos/UmiddleTier.h"

#include <QDateTime>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QString>

// What a posting needs to know of a movement concept of the business.
struct TconceptoMovimiento {
    int id = 0;
    QString etiqueta;
    int direccion = 0; // 1 receipt concepts, 2 issue concepts
    int familia = 0;
    TAsientoBasico asiento; // its accounting template, read with it; empty when none

    bool valido() const { return id > 0; }
};

// What a document's checks read about it before its posting, in one statement.
struct TcontextoDocumento {
    int metodo = 0;               // the business's valuation method, 0 when none is chosen
    TconceptoMovimiento concepto; // invalid when it is not the business's
    QVariant nombreAlmacen;       // null when the warehouse is not the business's
    QVariant ultimo;              // the warehouse's newest receipt or issue, null when none
    QSet<int> productos;          // of the products asked about, those of the business
};

// The stock row (inventarioExistencias) of a warehouse and product.
struct TexistenciaAlmacen {
    bool existe = false;
    double existencia = 0;
};

// The stock of a warehouse and product after its newest movement: its value and unit cost (the
// current average); zeros when the product never moved there.
struct TsaldoMovimiento {
    double costoTotal = 0;
    double costoUnitario = 0;
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
// and the ledger rows. Every statement is confined to the business. A read that hands back a value
// answers its statement's response (a posting checks it with TintentoPosteo::ok) and fills the
// value only when it succeeded.
class TmovimientosInventario : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // The concept with that id when it belongs to the business (an invalid one otherwise).
    TconceptoMovimiento selectConcepto(int idConcepto, int idNegocio);
    // The valuation method, the concept, the warehouse's name and its newest movement, as
    // selectConcepto, selectNombreAlmacen and selectFechaHoraUltimoMovimiento read them, and which
    // of `productos` are the business's; all empty when the business has no options row. False
    // when a read failed.
    bool selectContextoDocumento(int idConcepto, int idAlmacen, int idNegocio, const QVector<int> &productos,
                                 TcontextoDocumento &contexto);
    // The warehouse's name, null when the warehouse is not the business's (or the read failed).
    QVariant selectNombreAlmacen(int idAlmacen, int idNegocio);
    // `ultimo`: the newest receipt or issue of the warehouse, null when there is none.
    // `ultimaSalida`, when given, gets the newest issue's date-time when no receipt of the
    // warehouse is newer (null otherwise).
    CmidTierResponse selectFechaHoraUltimoMovimiento(int idAlmacen, int idNegocio, QVariant &ultimo,
                                                     QVariant *ultimaSalida = nullptr);

    // Open layers of a product in a warehouse, oldest first: "inventarioEntrada_id",
    // "inventarioEntrada_documento", "inventarioEntrada_existencia",
    // "inventarioEntrada_existenciaCostoUnitario".
    CmidTierResponse selectEntradasPorProductosPorAlmacen(int idProducto, int idAlmacen, int idNegocio);
    // Those layers by receipt id (ascending).
    CmidTierResponse capasAbiertas(int idProducto, int idAlmacen, int idNegocio, QMap<int, tCapa> &capas);

    CmidTierResponse selectExistencia(int idAlmacen, int idProducto, int idNegocio, TexistenciaAlmacen &x);
    // The stock after the warehouse's and product's newest movement: the running columns of its
    // newest receipt or issue row (by date-time, an issue after a receipt of the same instant, then
    // id).
    CmidTierResponse selectSaldoUltimoMovimiento(int idProducto, int idAlmacen, int idNegocio,
                                                 TsaldoMovimiento &saldo);
    // `minimo`: the product's minimum stock in the warehouse; -1 when none is set (no stock falls
    // below it).
    CmidTierResponse stockMinimo(int idAlmacen, int idProducto, int idNegocio, double &minimo);
    // The same minimum and the product's stock in the warehouse (0 without a stock row), in one read.
    CmidTierResponse existenciaYMinimo(int idAlmacen, int idProducto, int idNegocio, double &existencia,
                                       double &minimo);

    // The state of every product of a document at once, a few statements for thousands of
    // products. False when a read failed or the warehouse or a product is not the business's (a
    // posting passes the answer to TintentoPosteo::escrito).
    bool leeEstados(int idAlmacen, const QVector<int> &productos, int idNegocio,
                    QHash<int, TestadoProducto> &estados);
    // The open layers of those products, each product's oldest first; false when a read failed.
    bool leeCapasAbiertas(int idAlmacen, const QVector<int> &productos, int idNegocio,
                          QHash<int, QVector<TcapaAbierta>> &capas);

private:
    // Binds the warehouse, product and business of a statement that names them twice (the second
    // time with the suffix 2), once for each side it reads.
    void fijaParDosVeces(int idAlmacen, int idProducto, int idNegocio);
};

#pragma once

#include "datos/UmiddleTier.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <QVector>

// Stock valued at the end of a day, read from the running columns every posting stores on its
// receipt and issue rows (the stock, unit cost and value of the warehouse and product after the
// movement): for each warehouse × product, the figures of its last movement on or before that day.
// The same under both valuation methods, since each method wrote its own figures there.
class Tvaluacion : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // "inventarioAlmacen_id", "inventarioAlmacen_nombre", "inventarioProducto_id",
    // "inventarioProducto_nombre", "valuacion_cantidad", "valuacion_valor";
    // pairs left with no stock are left out; by warehouse and product name. Null warehouse or
    // product: every one.
    CmidTierResponse selectValuacion(const QDate &dia, const QVariant &almacenID, const QVariant &productoID,
                                     int negocioID);

private:
    // The statement that lists the business's warehouse × product pairs with a receipt (the
    // columns of "pares (almacen, producto)"; on SQLite also one row per warehouse with a null
    // product, which the caller drops).
    QString pares(bool conAlmacen, bool conProducto) const;
};

struct TvaluacionRenglon {
    int almacenID = 0;
    QString almacen;
    int productoID = 0;
    QString producto;
    double cantidad = 0;
    double costoUnitario = 0; // valor / cantidad
    double valor = 0;
};

// The report "Valuación al …": the rows, the total of each warehouse and the grand total.
struct TreporteValuacion {
    bool exito = false;
    QDate dia;
    QVector<TvaluacionRenglon> renglones;
    double total = 0;
    // Value of a warehouse's rows.
    double totalAlmacen(int almacenID) const;
};

TreporteValuacion u_valuacion(TConexionSesion *sesion, const QDate &dia, int negocioID,
                              const QVariant &almacenID = {}, const QVariant &productoID = {});
// "Valuación al dd-MM-yyyy" (also the proposed file name, so no slashes).
QString u_tituloValuacion(const QDate &dia);

#pragma once

#include "datos/UmiddleTier.h"

#include <QString>
#include <QVariant>
#include <QVariantHash>
#include <QVector>

struct TreporteValuacion;

// The statements of the stock view. inventarioExistencias has no business of its own: every read
// goes through the business's warehouses.
class Texistencias : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // Stock rows by product and warehouse name: "inventarioProducto_id", "producto_titulo",
    // "inventarioAlmacen_id", "inventarioAlmacen_nombre", "inventarioExistencias_existencia".
    // Null warehouse or product: every one; a stock limit keeps the rows holding at most that.
    CmidTierResponse selectExistenciaGeneral(const QVariant &almacenID, const QVariant &productoID,
                                             int negocioID, const QVariant &stockMaximo);
    // Stock per product over the business's warehouses, by category and name:
    // "inventarioCategoria_etiqueta", "inventarioProducto_id", "inventarioProducto_nombre",
    // "inventarioExistencias_existencia", "inventarioProductoEstado_etiqueta". The category key is
    // a prefix (its subcategories are included); null filters select everything.
    CmidTierResponse selectExistenciaConsolidado(const QVariant &categoria, const QVariant &productoID,
                                                 const QVariant &estadoID, int negocioID);
    // One product's stock per warehouse of the business: "inventarioAlmacen_nombre",
    // "inventarioExisencias_existencia".
    CmidTierResponse selectExistenciaSmall(int productoID, int negocioID);
};

// The stock view's filters as the screen gathers them (text as typed, 0 / empty for none).
struct TfiltroExistencias {
    int almacenID = 0;
    int productoID = 0;
    QString stock;
    QString categoria;
    int estadoID = 0;
    int negocioID = 0;
};

// How a row of a stock report is painted; carried in the hidden column "_tipoRenglon" so that
// cell texts stay clean for the exports.
enum TtipoRenglonExistencias { kRenglonDetalle = 0, kRenglonGrupo = 1, kRenglonTotal = 2 };
inline const QString kAliasTipoRenglon = QStringLiteral("_tipoRenglon");

// A report's rows by the grid's aliases.
struct TreporteExistencias {
    bool exito = false;
    QVector<QVariantHash> filas;
};

// General report: for each product a group row with its name, one row per warehouse and a "TOTAL"
// row with its stock over those warehouses. A stock limit that is not a number matches nothing.
TreporteExistencias u_reporteGeneral(TConexionSesion *sesion, const TfiltroExistencias &filtro);
// Consolidated report: one row per product, then a "TOTAL" row.
TreporteExistencias u_reporteConsolidado(TConexionSesion *sesion, const TfiltroExistencias &filtro);
// Valuation report rows: for each warehouse a group row, its products (quantity, unit cost,
// value) and a "TOTAL" row with its value; last a "TOTAL GENERAL" row.
TreporteExistencias u_reporteValuacion(const TreporteValuacion &valuacion);

#pragma once

#include "datos/UmiddleTier.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <QVector>

// A saved count's header. resultado: what the save dialog answered (0 cancelled, 1 a new name,
// 2 overwrite the count of that name).
struct UREC_inventarioFisicoIndice {
    bool aceptado = false;
    int resultado = 0;
    int id = 0;
    QDateTime creacion;
    QDateTime modificacion;
    int almacenID = 0; // 0: every warehouse
    QString almacenNombre;
    QString categoriaID; // empty: every category
    QString categoriaEtiqueta;
    QString nombre;
    QString nota;
    int negocioID = 0;
    // When its adjustments were posted (invalid: not applied) and by which documents (0: none).
    QDateTime aplicacion;
    int documentoEntradaAjuste = 0;
    int documentoSalidaAjuste = 0;

    bool aplicado() const { return aplicacion.isValid(); }

    static constexpr int kLargoNombre = 50;
    static constexpr int kLargoNota = 200;
};

// One product of a count sheet: the stock recorded when the sheet was read and the quantity
// counted (empty while the product has not been counted).
struct TlineaConteo {
    int productoID = 0;
    QString clave;
    QString nombre;
    QString descripcion;
    QString unidad;
    QString existencia;
    QString existenciaFisica;

    bool contado() const { return !existenciaFisica.isEmpty(); }
    // counted - recorded as shown ("" while not counted).
    QString diferencia() const;
};

// The statements of the physical count. Every one is confined to the business: a count's lines
// are reached only through its header.
class TinventarioFisico : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // The sheet: the products with a stock row in the warehouse (null: summed over the business's
    // warehouses) whose category key starts with `categoria` (null: any), by name.
    CmidTierResponse selectHojaConteo(const QVariant &categoria, const QVariant &almacenID, int negocioID);
    // Saved counts of the business whose name contains `texto`, newest first: "_id", "Reporte",
    // "creacion", "modificacion", "Nota".
    CmidTierResponse selectArchivosInventarioFisico(int negocioID, const QString &texto = QString());
    // The counts of the business whose name is `nombre`, trimmed and without regard to case (the
    // same on both engines); -1 when the read failed, else the id (0 when none).
    qint64 selectArchivoNombre(const QString &nombre, int negocioID);
    // One saved header with its warehouse's name and category's label; no row when it is not the
    // business's.
    CmidTierResponse selectIndice(int id, int negocioID);
    // A saved count's lines in the sheet's columns, in saved order.
    CmidTierResponse selectInventarioFisicoDetalle(int indiceID, int negocioID);

    CmidTierResponse insertInventarioFisicoIndice(const UREC_inventarioFisicoIndice &indice);
    // Overwrite: note, warehouse, category and modification date of the business's header.
    CmidTierResponse updateInventarioFisicoIndice(const UREC_inventarioFisicoIndice &indice);
    CmidTierResponse deleteInventarioFisicoDetalle(int indiceID, int negocioID);
    // Records the application of a count not applied yet; affects no row when it already was.
    CmidTierResponse updateAplicacion(const UREC_inventarioFisicoIndice &indice);
    // All lines in multi-row statements; false when one failed.
    bool insertInventarioFisicoDetalle(int indiceID, const QVector<TlineaConteo> &lineas);

private:
    // Binds what insert and update share (note, modification date, filters, business) and runs.
    CmidTierResponse escribeIndice(const UREC_inventarioFisicoIndice &indice);
};

// How a save ended.
enum class TfinGuardadoConteo {
    Guardado,
    SinNombre,       // a header without a name is not saved
    NombreExistente, // a new name already taken meanwhile (another workstation)
    Aplicado,        // the count of that name was applied: its lines are the record of the adjustments
    Fallido          // a statement failed: nothing of the count remains
};

// The sheet read; false when the read failed (the caller keeps what it shows).
bool u_cargaHojaConteo(TConexionSesion *sesion, const QString &categoria, int almacenID, int negocioID,
                       QVector<TlineaConteo> &lineas);
// Saves a count in one transaction under the business's lock, the name checked again there:
// resultado 1 inserts a header and its lines; 2 replaces the lines and note of the count of that
// name, keeping its id and creation date and setting its modification date. `indice.id` gets the
// saved id.
TfinGuardadoConteo u_guardaConteo(TConexionSesion *sesion, UREC_inventarioFisicoIndice &indice,
                                  const QVector<TlineaConteo> &lineas);
// A saved count: its header (filters restored) and lines; false when it is not the business's or
// a read failed.
bool u_abreConteo(TConexionSesion *sesion, int id, int negocioID, UREC_inventarioFisicoIndice &indice,
                  QVector<TlineaConteo> &lineas);

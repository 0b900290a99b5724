#pragma once

#include "entradas/UNEG_estadoOrdenCompra.h"

#include <QString>
#include <QVector>

// One purchase-order line being received: what was requested, what arrived in earlier receipts,
// what arrives now (in the order's unit) and the factor to the product's storage unit.
struct TlineaOrdenCompra {
    int idLinea = 0; // AF_ID
    QString descripcion;
    double solicitado = 0;
    double acumulado = 0;
    double recibido = 0;
    double factor = 1;
    double precioUnitario = 0;
    double precioTotal = 0;
    // What the line is matched to (0 while it is not).
    int idProducto = 0;
    int idUnidadRecibido = 0;
    bool controlNoSerie = false;

    double pendiente() const { return solicitado - acumulado; }
    // "Rec. Almacén": what arrives now in the storage unit.
    double registrado() const { return recibido * factor; }
    // "Costo U. rec": the line's total over the requested quantity in the storage unit; 0 when
    // nothing was requested.
    double costoUnitarioRecibido() const;
    // The icon of the line: "sinCambio", "activo" or "exclamation".
    QString estado() const;
    // The line's state once this receipt is saved.
    TestadoOrdenCompra::TinventarioOrdenesCompraArticulos estadoDespues() const;
    // Nothing arrived before: the state row is inserted rather than updated.
    bool estadoNuevo() const;
};

namespace ordenCompra {
inline const QString kRebasa = QStringLiteral("La cantidad capturada rebasa el total, ¡porfavor verifique!");
inline const QString kNadaRecibido = QStringLiteral("No se recibio producto alguno.");
} // namespace ordenCompra

// The line as the order's line list reads it (TordenCompra::selectOrdenCompraArticulos).
TlineaOrdenCompra u_lineaOrdenDeFila(const CmidTierResponse &filas, int fila);

// Takes the typed factor and quantity received into the line. Refuses, with the message to show
// and the line untouched, a text that is not a number, a factor not above 0, or a quantity above
// what is still outstanding; any quantity up to it is accepted.
QString u_fijaCantidadRecibida(TlineaOrdenCompra &linea, const QString &recibido, const QString &factor);

// The checks before saving a receipt of the order, in order; the first message that stops it,
// empty when it may be saved. `series` holds how many serial numbers each line carries.
QString u_revisaLineasOrden(const QVector<TlineaOrdenCompra> &lineas, const QVector<int> &series);

// Writes the line's new state inside the caller's transaction (insert or update).
CmidTierResponse u_guardaEstadoLineaOrden(TestadoOrdenCompra &t, const TlineaOrdenCompra &linea,
                                          int idNegocio);

#pragma once

#include "comun/UMOD_almacenDescripcion.h"
#include "comun/UMOD_seleccion.h"
#include "comun/U_posteoMovimientos.h"
#include "comun/UsistemaDatos.h"

#include <QString>

namespace capturaExistencias {
inline const QString kDuplicado =
    QStringLiteral("¡Ya existe un valor capturado! \rNo es posible agregar una existencia diferente");
inline const QString kConSerie = QStringLiteral(
    "El producto se controla por número de serie: su existencia inicial no puede capturarse aquí, ya "
    "que cada pieza necesita su número. Regístrela con una entrada general capturando los números de "
    "serie.");
inline const QString kNoGuardado =
    QStringLiteral("No se guardó la existencia. La información capturada se conserva; intente de nuevo.");
inline const QString kGuardado = QStringLiteral("Valor actualizado");
} // namespace capturaExistencias

// How "Guardar" ended, for the screen to keep or clear the form.
enum class TfinCapturaExistencia {
    Rechazada, // a check refused it or the user cancelled: the form stays as it is
    Duplicada, // the product already has stock in the warehouse: the form is cleared
    Fallida,   // the posting failed; the user was told and the form stays
    Guardada   // posted: the form is cleared
};

// The opening stock of one product in one warehouse: posted once, as a receipt of the business's
// initial-stock concept (family -4) through the receipt posting, so it writes the receipt row
// (the product's first layer), its ledger row and the stock row together. The "already captured"
// check is repeated inside the posting's locked transaction.
class TcapturaExistencias {
public:
    explicit TcapturaExistencias(const TsistemaDatos &sistema);

    void tomaAlmacen(const TalmacenDescripcion &almacen);
    // A product that is not active is told ("¡Producto …!") and taken all the same.
    void tomaProducto(const TproductoSeleccionadoDescripcion &producto);
    const TalmacenDescripcion &almacen() const { return uAlmacen; }
    const TproductoSeleccionadoDescripcion &producto() const { return uProducto; }

    // Checks, asks with the summary, posts. `cantidad` and `costo` as typed.
    TfinCapturaExistencia guardar(const QString &cantidad, const QString &costo);
    // The form's choices are forgotten (after a save or a duplicate).
    void limpia();

    // The summary the user confirms.
    QString resumen(const QString &cantidad, double costo, double total) const;
    // The receipt document of the last save; 0 when none was posted.
    int documento() const { return uDocumento; }

private:
    TfinCapturaExistencia posteaExistencia(double cantidad, double costo);

    TsistemaDatos uSistema;
    TalmacenDescripcion uAlmacen;
    TproductoSeleccionadoDescripcion uProducto;
    int uDocumento = 0;
};

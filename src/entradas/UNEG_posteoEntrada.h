#pragma once

#include "comun/UNEG_noSeries.h"
#include "comun/U_existenciasDocumento.h"
#include "comun/U_kardexDocumento.h"
#include "comun/U_posteoMovimientos.h"
#include "entradas/UMOD_entrada.h"
#include "entradas/UNEG_entradas.h"

#include <QHash>
#include <functional>

class TinsercionMultiple;

namespace posteoEntrada {
inline const QString kSinMetodo = QStringLiteral(
    "El metodo de Valuación de Kardex no ha sido establecido, ingrese a la ventana de 'Opciones' y "
    "seleccione un Método de Valoración para el inventario.");
inline const QString kSinComprobante = QStringLiteral("No ha seleccionado un comprobante ¿Desea continuar?");
inline const QString kConfirmaGuardar = QStringLiteral(
    "¿Desea guardar esta información?\rVerifique que la información capturada sea correcta, una vez "
    "guardados estos datos no es posible realizar cambios al kardex del artículo.");
} // namespace posteoEntrada

// Writes one checked receipt document in one transaction: one receipt row (a new cost layer) per
// line with a quantity, its ledger rows, the returned-issue link, the provider link, the
// declaration, lot, serial numbers and property values, and the stock rows. The document number,
// the date check and the running stock are read inside the transaction, so a receipt never
// conflicts with what other workstations posted meanwhile.
class TposteoEntrada {
public:
    // `cantidades`: each line's quantity as read by the checks.
    TposteoEntrada(TConexionSesion *sesion, int idNegocio, int metodoKardex,
                   const TconceptoMovimiento &concepto, const TdatosEntrada &datos,
                   const QVector<double> &cantidades);

    // Writes of the caller that belong to the same document (a purchase order's state): run last,
    // inside the transaction, on its data object; false rolls everything back.
    using TescrituraAdicional = std::function<bool(TintentoPosteo &intento, Tentradas &transaccion)>;
    void setEscrituraAdicional(TescrituraAdicional escritura) { uAdicional = std::move(escritura); }

    TfinPosteo escribe();
    // The document's writes alone, for a caller that posts it together with other writes in one
    // transaction it opened, locked and date-checked through u_posteaEnTransaccion.
    bool escribeDocumento(TintentoPosteo &intento);
    int documento() const { return uDocumento; }
    // The receipt row written for each line (0 for a line without a quantity), line for line;
    // what the caller's own writes tie to.
    const QVector<int> &entradasPorLinea() const { return uEntradasPorLinea; }

private:
    // The product's running stock in the warehouse across the document's lines.
    struct tProductoE {
        double existencia = 0;
        double costoUnitario = 0;
        double total = 0;
        int idExistencia = 0; // its stock row, 0 when it has none
        int grupo = 0;        // newest ledger group (PEPS)
    };

    // Every product's stock, value and newest group, read at once.
    bool leeProductos();
    void acumula(const TlineaEntrada &linea, double cantidad);
    TinventarioEntrada filaEntrada(const TlineaEntrada &linea, double cantidad) const;
    // The ids of the rows written, line for line; false when they cannot be read back whole.
    bool leeIds(const QVector<int> &lineas, const TinsercionMultiple &filas);
    // The line's ledger row as the running stock stands after it; its receipt row and group are
    // set when it is held (escribeKardex).
    TkardexRenglon renglonKardex(const TlineaEntrada &linea, double cantidad) const;
    bool escribeKardex(TintentoPosteo &intento, const TlineaEntrada &linea, TkardexRenglon r, int idEntrada);
    void escribeRevisiones(QMap<int, tCapa> capas, int grupo, int idEntrada);
    bool escribeInformacion(TintentoPosteo &intento, const TlineaEntrada &linea, int idEntrada);

    Tentradas uEntradas;
    TnoSeries uSeries{uEntradas.sesion()};
    TkardexDocumento uKardex{uEntradas};
    TexistenciasDocumento uExistencias;
    int uNegocio;
    int uMetodo;
    const TconceptoMovimiento &uConcepto;
    const TdatosEntrada &uDatos;
    const QVector<double> &uCantidades;
    int uDocumento = 0;
    QHash<int, tProductoE> uCorrida;
    QVector<int> uEntradasPorLinea;
    TescrituraAdicional uAdicional;
};

// The accounting hand-over of a posted receipt: one journal line per line with a quantity
// (description, quantity x unit cost). False (with the reason) when the entry was not posted.
bool u_contabilizaEntrada(const TdatosEntrada &datos, const QVector<double> &cantidades,
                          const TAsientoBasico &asiento, TConexionSesion *sesion, int idNegocio,
                          QString &error);

#pragma once

#include "comun/UNEG_entradas.h"
#include "comun/U_posteoMovimientos.h"
#include "entradas/UMOD_entrada.h"

#include <QHash>

// Writes one checked receipt document in one transaction: one receipt row (a new cost layer) per
// line with a quantity, its ledger rows, the returned-issue link, the provider link, the
// declaration, lot, serial numbers and property values, and the stock rows. The document number
// and the running stock are read inside the transaction.
class TposteoEntrada {
public:
    // `cantidades`: each line's quantity as read by the checks.
    TposteoEntrada(TConexionSesion *sesion, int idNegocio, int metodoKardex,
                   const TconceptoMovimiento &concepto, const TdatosEntrada &datos,
                   const QVector<double> &cantidades);

    TfinPosteo escribe();
    int documento() const { return uDocumento; }

private:
    // The product's running stock in the warehouse across the document's lines.
    struct tProductoE {
        double existencia = 0;
        double costoUnitario = 0;
        double total = 0;
        bool existeRenglon = false;
    };

    bool escribeDocumento(TintentoPosteo &intento);
    bool acumula(const TlineaEntrada &linea, double cantidad);
    bool escribeLinea(TintentoPosteo &intento, const TlineaEntrada &linea, double cantidad);
    bool escribeKardex(TintentoPosteo &intento, const TlineaEntrada &linea, double cantidad, int idEntrada);
    bool escribeRevisiones(TintentoPosteo &intento, QMap<int, tCapa> capas, int idProducto, int idEntrada);
    bool escribeInformacion(TintentoPosteo &intento, const TlineaEntrada &linea, int idEntrada);
    bool escribeExistencia(TintentoPosteo &intento, int idProducto);

    Tentradas uEntradas;
    int uNegocio;
    int uMetodo;
    const TconceptoMovimiento &uConcepto;
    const TdatosEntrada &uDatos;
    const QVector<double> &uCantidades;
    int uDocumento = 0;
    QHash<int, tProductoE> uCorrida;
};

#pragma once

#include "datos/UmiddleTier.h"

#include <QDate>
#include <QString>
#include <QVariant>

class TConexionSesion;

// The filter of the movement chooser's lists; a null variant switches its condition off.
struct tFiltroBuscarComprobante {
    QVariant fechaInicial;
    QVariant fechaFinal;
    QVariant productoID;
    QVariant documentoNum;
    QVariant existenciaMinima;
    QVariant comprobante; // LIKE pattern on the invoice UUID
    int negocioID = 0;
    int almacenID = 0; // receipt mode: only the caller's warehouse
};

// The movement chooser's lists (columns as the chooser's grid names them), confined to the business.
class TconsultaMovimientos : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // Receipts of the filter's warehouse that still hold stock ("_restante": what is left).
    CmidTierResponse selectEntradasTodoPorIDPorDocumentoNum(const tFiltroBuscarComprobante &filtro);
    // Issue rows of the filter's warehouse not yet wholly taken back ("_restante" > 0).
    CmidTierResponse selectSalidasTodoPorIDPorDocumentoNum(const tFiltroBuscarComprobante &filtro);

private:
    void fijaFiltro(const tFiltroBuscarComprobante &filtro);
};

// The movement chooser's request and answer.
struct UREC_seleccionarMovimiento {
    bool aceptar = false;
    int almacenID = 0; // the caller's warehouse; the chooser lists nothing without one
    double costoUnitario = 0;
    int productoID = 0; // in: a product to filter by, or 0
    QString productoNombre;
    double cantidadMaxima = 0; // "Restante"
    int movimientoID = 0;      // the receipt row (receipt mode) or issue row (issue mode)
    double existencia = 0;     // what is left of the layer
    QString unidadMedida;
    int relacionadoID = 0; // the layer (receipt row)
    int controlNoSerie = 0;
};

// Issue mode lists issue rows to take back; receipt mode lists receipts to return to a provider.
enum class TmodoMovimiento { Salidas = 1, Entradas = 2 };

// What the user typed in the chooser's filters.
struct TbusquedaMovimiento {
    QDate inicial;
    QDate final;
    int productoID = 0;  // 0: any
    QString documento;   // empty: any
    QString comprobante; // a piece of the invoice UUID, taken literally; empty: any
};

// The rows of the caller's warehouse for the filters (whole days; receipt mode only receipts that
// still hold stock; issue mode only issue rows not wholly taken back). A failed response when the
// warehouse id is not above 0.
CmidTierResponse u_buscaMovimientos(TConexionSesion *sesion, int idNegocio, TmodoMovimiento modo,
                                    int idAlmacen, const TbusquedaMovimiento &busqueda);
// The answer for row `fila` of those rows; the request's warehouse and product name are kept.
UREC_seleccionarMovimiento u_leeMovimiento(const CmidTierResponse &filas, int fila, TmodoMovimiento modo,
                                           const UREC_seleccionarMovimiento &solicitud);

#pragma once

#include "comun/UMOD_entradaInformacionOpcional.h"
#include "comun/UMOD_seleccion.h"
#include "comun/U_comprobante.h"
#include "comun/U_posteoMovimientos.h"
#include "entradas/UREC_ordenCompra.h"
#include "entradas/U_lineaOrdenCompra.h"

#include <QDateTime>
#include <QVector>

class TConexionSesion;

// One order line on the receipt screen: the line's arithmetic, the catalogue product it is
// related to (with what the screen shows of it) and its optional data.
struct TlineaRecepcion {
    TlineaOrdenCompra orden;
    TproductoSeleccionadoDescripcion producto; // not chosen while the line is not related
    REC_unidadMedidacomunicacion unidad;       // the unit received, when chosen on this screen
    QString unidadRecibida;                    // "UdM a.", also as an earlier receipt stored it
    TEntradaInformacionOpcional informacion;

    // The line is the product's (none when the record was not chosen).
    void tomaProducto(const TproductoSeleccionadoDescripcion &p);
};

// A receipt of a purchase order as the screen captures it: the order's lines with what arrives
// now, the warehouse, the date-time and the invoice. guardar() checks in the order the user
// expects, asks, and posts the receipt together with the lines' and the order's new state in one
// transaction, then hands it to accounting.
class TrecepcionOrdenCompra : public TdocumentoPosteado {
public:
    TrecepcionOrdenCompra(TConexionSesion *sesion, int idNegocio);

    // Loads the order's lines with what earlier receipts stored (product, unit, factor, quantity).
    // False when the read failed; the order stays as it was then.
    bool cargaOrden(const UREC_ordenCompra &orden);
    const UREC_ordenCompra &orden() const { return uOrden; }
    const QVector<TlineaRecepcion> &lineas() const { return uLineas; }
    TlineaRecepcion &linea(int i) { return uLineas[i]; }

    // Relates line i to a catalogue product; the refusal message when the product may not be
    // received, empty when taken. The factor is worked out again from the units.
    QString relacionaProducto(int i, const TproductoSeleccionadoDescripcion &producto);
    // The product with this barcode, related to line i; the message when there is none.
    QString relacionaCodigoBarras(int i, const QString &codigo);
    void setUnidadRecibida(int i, const REC_unidadMedidacomunicacion &unidad);
    // The typed factor and quantity received (u_fijaCantidadRecibida); the refusal, empty when taken.
    QString setCantidadRecibida(int i, const QString &recibido, const QString &factor);

    // The warehouse received into (0: none); its newest movement is read.
    void eligeAlmacen(int idAlmacen);
    QString textoUltimoMovimiento() const { return uTextoUltimoMovimiento; }

    int almacenID = 0;
    QDateTime fechaHora;
    TComprobante comprobante; // id 0: none

    // True when the receipt was written (once). The journal entry may still be pending.
    bool guardar();
    // Some line received a quantity that is not saved yet.
    bool sinGuardar() const;

private:
    bool compruebaRecepcion(int &metodo, TconceptoMovimiento &concepto);
    void ajustaFactor(TlineaRecepcion &l);
    // Inside the posting's transaction: every line still holds what it was loaded with, then the
    // lines' new state and the order's.
    bool escribeEstadoOrden(TintentoPosteo &intento);

    TConexionSesion *uSesion;
    int uNegocio;
    UREC_ordenCompra uOrden;
    QVector<TlineaRecepcion> uLineas;
    QString uTextoUltimoMovimiento;
};

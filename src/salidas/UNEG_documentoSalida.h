#pragma once

#include "comun/U_posteoMovimientos.h"
#include "salidas/UMOD_salida.h"
#include "salidas/UNEG_posteoSalida.h"

#include <QDateTime>

class TConexionSesion;

// An issue document being captured: the capture screen only gathers the user's choices and
// calls this. It splits each product over its open layers (oldest first) as it is added, keeps
// the serial numbers chosen per line, checks the document and posts it. Questions and messages go
// through the message seam (u_mensaje, u_confirmaAceptarCancelar, u_alertaStock).
class TdocumentoSalida : public TdocumentoPosteado {
public:
    TdocumentoSalida(TConexionSesion *sesion, int idNegocio);

    int metodoKardex() const { return uDatos.metodoKardex; }

    // False (and no warehouse) when it is not a warehouse of the business. Changing the warehouse
    // drops the lines: they were split over the other warehouse's layers.
    bool setAlmacen(int idAlmacen);
    int almacen() const { return uDatos.almacenID; }
    // An issue concept of the business (false otherwise). Switching between a purchase return and
    // any other concept drops the lines; the samples concept drops the invoice.
    bool setConcepto(int idConcepto);
    const TconceptoMovimiento &concepto() const { return uDatos.concepto; }
    // "Muestras" in any letter case: issued without an invoice.
    bool esMuestras() const;
    bool esDevolucionCompra() const { return uDatos.esDevolucionCompra(); }
    // The shipment of a transfer (family -1): no invoice, and its stock limits were asked as each
    // product was added.
    bool esEnvioTraspaso() const { return uDatos.concepto.familia == -1; }
    void setFechaHora(const QDateTime &fechaHora) { uDatos.fechaHora = fechaHora; }
    const QDateTime &fechaHora() const { return uDatos.fechaHora; }
    const QString &almacenNombre() const { return uDatos.almacenNombre; }
    // Writes that belong to the same document, run last inside the posting's transaction.
    void setEscrituraAdicional(TposteoSalida::TescrituraAdicional escritura) {
        uAdicional = std::move(escritura);
    }
    // Ignored for samples; an invoice of another business counts as none.
    void setComprobante(const TComprobante &comprobante);
    const TComprobante &comprobante() const { return uDatos.comprobante; }

    const QVector<TlineaSalida> &lineas() const { return uDatos.lineas; }
    double total() const;
    void eliminaLinea(int fila);
    // Every line of the product.
    void quitaLineasDe(int idProducto);
    // The serial numbers leaving with a line: duplicates dropped, at most its whole units.
    bool setSeries(int fila, const QVector<int> &series);

    // Lookups of the product in the chosen warehouse.
    double consultaExistenciaArticulo(int idProducto) const;
    double consultaStockMinimo(int idProducto) const;
    double obtenerPrecioUnitarioPromedioPonderado(int idProducto) const;

    // The capture screen's "Agregar": a product already in the document is split anew for the
    // combined quantity, refused beyond its stock ("La cantidad capturada sobrepasa la existencia
    // actual") or when the user declines the minimum-stock alert. A refusal leaves the document as
    // it was, the product's lines and serial numbers included.
    bool agregaAlDocumento(const TproductoSalida &producto, double cantidad);
    // Splits a quantity over the product's open layers, oldest first, one line per layer reached.
    bool agregarProducto(const TproductoSalida &producto, double cantidad);
    // The product's lines split again for its whole quantity `cantidad`; its lines stay as they
    // were when the layers do not hold that much.
    bool reemplazaProducto(const TproductoSalida &producto, double cantidad);
    // The one line of a purchase return: `cantidad` of receipt `idEntrada` (of which `maximo` is
    // left) at that receipt's cost.
    bool agregaProductoValoresExplicitos(const TproductoSalida &producto, double cantidad, double costo,
                                         int idEntrada, double maximo);

    // The number the next issue document of the business would take (the posting takes its own).
    int obtieneSiguenteIDdocumentoSalida() const;
    // Checks, asks, and posts the document once. True when it was written; the journal entry may
    // still be pending (asientoPendiente()), which the user has been told. When another workstation
    // moved the layers meanwhile, the lines are split again over the stock as it is (and the user
    // told); a refusal or a failure has been told too. A conflict drops the lines; anything else
    // keeps them for another try.
    bool guardar();
    // How the last save ended (Fallido too when a check before the posting stopped it), and why a
    // conflict refused it.
    TfinPosteo ultimoFin() const { return uFin; }
    TmotivoConflicto motivoConflicto() const { return uMotivo; }

    // The accounting hand-over of the posted document; false when the entry was not posted.
    bool contabiliza(QString &error) const;

private:
    bool compruebaDocumento();
    bool compruebaStockMinimo(bool &leido);
    // The product's lines for `cantidad` over its open layers as they are now, added to the
    // document or (`reemplaza`) in place of the product's lines.
    bool reparte(const TproductoSalida &producto, double cantidad, bool reemplaza);
    TinstantaneaExistencia instantanea(int idProducto) const;

    TConexionSesion *uSesion;
    TdatosSalida uDatos;
    TfinPosteo uFin = TfinPosteo::Fallido;
    TmotivoConflicto uMotivo = TmotivoConflicto::Ninguno;
    TposteoSalida::TescrituraAdicional uAdicional;
};

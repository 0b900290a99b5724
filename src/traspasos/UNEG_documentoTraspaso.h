#pragma once

#include "comun/U_posteoMovimientos.h"
#include "salidas/UNEG_documentoSalida.h"
#include "salidas/UNEG_posteoSalida.h"

#include <QDateTime>
#include <QVector>

class TConexionSesion;

// A transfer being captured and shipped: the new-transfer screen only gathers the user's choices
// and calls this. The shipment is an issue at the origin under the business's family -1 concept
// (the issue document underneath splits each product over the origin's open layers, oldest first,
// one line per layer), posted by the issue posting, whose last writes store the transfer in
// transit with one line per consumed layer, its layer link and its serial numbers, all in one
// transaction. Messages and questions go through the message seam.
class TdocumentoTraspaso {
public:
    TdocumentoTraspaso(TConexionSesion *sesion, int idNegocio);

    int metodoKardex() const { return uSalida.metodoKardex(); }

    // Warehouses of the business only (false and none otherwise). Changing the origin drops the
    // lines: they were split over the other warehouse's layers.
    bool setOrigen(int idAlmacen);
    bool setDestino(int idAlmacen);
    int origen() const { return uSalida.almacen(); }
    int destino() const { return uDestino; }
    void setFechaSalida(const QDateTime &fechaHora) { uSalida.setFechaHora(fechaHora); }
    const QDateTime &fechaSalida() const { return uSalida.fechaHora(); }
    // The reception as planned when shipping; never before the shipment.
    void setFechaRecepcion(const QDateTime &fechaHora) { uFechaRecepcion = fechaHora; }

    // The lines, one per consumed layer, each with its layer (`entradaID`), what the layer held
    // (`existenciaPrevia`) and keeps (`existencia`), the running stock and value, and its serial
    // numbers.
    const QVector<TlineaSalida> &lineas() const { return uSalida.lineas(); }
    double total() const { return uSalida.total(); }
    // Deletes every line of that row's product.
    void eliminaProducto(int fila);
    // The serial numbers leaving with a line: duplicates dropped, at most its whole units.
    bool setSeries(int fila, const QVector<int> &series) { return uSalida.setSeries(fila, series); }

    // The origin's stock of the product less what the lines already take of it.
    double existenciaOrigen(int idProducto) const;
    // The destination's stock of the product.
    double existenciaDestino(int idProducto) const;

    // "Agregar": checks in order (origin, destination, product, distinct warehouses, quantity,
    // origin stock, shipping date against the origin's newest movement), the minimum alert at the
    // origin and the maximum alert at the destination, then splits the product's whole quantity in
    // the transfer (what its lines held plus `cantidad`) over the origin's layers again. False,
    // with the lines unchanged, on any refusal.
    bool agregaAlDocumento(const TproductoSalida &producto, double cantidad);

    // Checks (distinct warehouses read again, serial numbers complete, reception not before the
    // shipment), asks, and ships once through the issue posting; then posts the family -1 journal
    // entry. True when it was committed; on any failure the lines stay for another try (a conflict
    // drops them: the stock changed under them) and the user has been told why.
    bool guardar();
    TfinPosteo ultimoFin() const { return uSalida.ultimoFin(); }
    // After a save: the new transfer's id and number, and the issue document written.
    int traspaso() const { return uTraspaso; }
    int documentoTraspaso() const { return uDocumentoTraspaso; }
    int documentoSalida() const { return uSalida.documento(); }

private:
    // The business's shipping concept (family -1), read again when it was missing.
    bool fijaConceptoEnvio();
    // Origin and destination chosen, the business's and distinct; the first failure is told.
    bool compruebaAlmacenes();
    bool compruebaFechaSalida() const;
    bool aceptaLimites(const TproductoSalida &producto, double cantidad);
    bool compruebaSeries() const;
    bool escribeTraspaso(TintentoPosteo &intento, const TposteoSalida &posteo);

    TConexionSesion *uSesion;
    int uNegocio;
    TdocumentoSalida uSalida;
    int uDestino = 0;
    QString uDestinoNombre;
    QDateTime uFechaRecepcion;
    int uTraspaso = 0;
    int uDocumentoTraspaso = 0;
};

#pragma once

#include "comun/U_posteoMovimientos.h"
#include "entradas/UMOD_entrada.h"
#include "entradas/UNEG_entradas.h"
#include "traspasos/UMOD_traspaso.h"

#include <QDateTime>
#include <QVariant>
#include <QVector>

class TConexionSesion;

// How a transfer in transit is closed.
enum class TaccionCierre {
    Recibir, // into the destination: state 2
    Cancelar // back into the origin: state 3
};

// Closes one transfer in transit (the detail screen only gathers the choice and the date): one
// receipt row, a new cost layer, per line at the line's cost, under the business's family -2
// concept, into the receiving warehouse, with the consumed layer's lot, declaration, properties
// and serial numbers; the state moves from in transit as the last write, and only while it is
// still in transit, so two workstations can never close the same transfer twice. Everything is
// written by the receipt posting in one transaction; the journal entry follows the commit.
class TcierreTraspaso : public TdocumentoPosteado {
public:
    TcierreTraspaso(TConexionSesion *sesion, int idNegocio);

    // Reads the transfer (state re-read) and its lines; false when it is not the business's or a
    // read failed.
    bool carga(int idTraspaso);
    const Rtraspaso &traspaso() const { return uTraspaso; }
    const QVector<RtraspasoDetalle> &lineas() const { return uLineas; }
    // Only a transfer in transit can be received or cancelled.
    bool abierto() const;
    QDateTime fechaSalida() const { return uFechaSalida; }

    // The receiving warehouse of the action and its newest movement (null when none; `ok` false
    // when the read failed), for the screen's "Último Movimiento".
    int almacenReceptor(TaccionCierre accion) const;
    QVariant fechaHoraUltimoMovimiento(TaccionCierre accion, bool &ok) const;

    // Checks (in transit, lines, date not before the shipment nor the receiving warehouse's newest
    // movement: "Revise fecha/hora de entrada"), asks, writes once; then posts the family -2 journal
    // entry. True when committed; otherwise the user has been told why and nothing was written.
    bool cierra(TaccionCierre accion, const QDateTime &fechaHora);
    TfinPosteo ultimoFin() const { return uFin; }

private:
    bool compruebaCierre(TaccionCierre accion, const QDateTime &fechaHora);
    // One receipt line per transfer line, at its quantity and cost.
    TdatosEntrada documentoEntrada(TaccionCierre accion, const QDateTime &fechaHora,
                                   QVector<double> &cantidades) const;
    // After the receipt rows: what each line's layer carried, then the state.
    bool escribeCierre(TintentoPosteo &intento, const QVector<int> &nuevas, int estado);

    TConexionSesion *uSesion;
    int uNegocio;
    int uMetodo = 0;
    Rtraspaso uTraspaso;
    QDateTime uFechaSalida;
    QVector<RtraspasoDetalle> uLineas;
    QVector<QString> uNombres; // product names, line for line
    QVector<int> uUnidades;    // the products' units, line for line
    TconceptoMovimiento uConcepto;
    TfinPosteo uFin = TfinPosteo::Fallido;
};

#pragma once

#include "comun/UNEG_movimientosInventario.h"
#include "salidas/UMOD_salida.h"

#include <QHash>
#include <QVariant>
#include <QVector>

class TmovimientosInventario;

// A product's stock in a warehouse as an issue is split against it: its open layers oldest first,
// the stock row and its value, and the average unit cost (read under Promedio Ponderado only).
// The capture splits against it when a product is added; the posting reads it again inside its
// transaction and splits against what is there then.
struct TexistenciaProducto {
    using Tcapa = TcapaAbierta;
    QVector<Tcapa> capas;
    TinstantaneaExistencia instantanea;
    double costoPromedio = 0;
    int idExistencia = 0; // the stock row, 0 when there is none
    int grupo = 0;        // the newest ledger group

    // The open layer with that receipt id; nullptr when it is not open.
    const Tcapa *capa(int entradaID) const;
};

// Reads it for every product at once (a few statements for thousands); false when a read failed.
bool u_leeExistenciasProductos(TmovimientosInventario &salidas, int idAlmacen, const QVector<int> &productos,
                               int idNegocio, bool promedio, QHash<int, TexistenciaProducto> &existencias);
// Reads it; false when a read failed.
bool u_leeExistenciaProducto(TmovimientosInventario &salidas, int idAlmacen, int idProducto, int idNegocio,
                             bool promedio, TexistenciaProducto &existencia);

// `cantidad` over the open layers, oldest first: one line per layer reached, the last one possibly
// partial, each at its layer's cost (PEPS) or the average (Promedio Ponderado), with the stock and
// its value running down line by line. False when the layers do not hold that much.
bool u_reparteEnCapas(const TproductoSalida &producto, double cantidad, const TexistenciaProducto &existencia,
                      bool promedio, QVector<TlineaSalida> &lineas);

// The same lines on the same layers (a serial-numbered product leaves as the units chosen), with
// the costs and running figures of the stock as it is now. False when a layer no longer holds its
// line's quantity.
bool u_recalculaEnSusCapas(QVector<TlineaSalida> &lineas, const TexistenciaProducto &existencia,
                           bool promedio);

// The one line of a purchase return: `cantidad` of receipt `idEntrada`, of which `maximo` is left,
// at that receipt's `costo`. Under Promedio Ponderado the stock's unit cost after it is the value
// left over the quantity left, truncated to cents (0 when nothing is left).
TlineaSalida u_lineaDevolucion(const TproductoSalida &producto, double cantidad, double costo, int idEntrada,
                               double maximo, const TinstantaneaExistencia &existencia, bool promedio);

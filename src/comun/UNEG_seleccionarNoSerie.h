#pragma once

#include "datos/UcodigosInventario.h"

#include <QString>
#include <QVector>

class TConexionSesion;

// Serial-number ids (inventarioNoSerie.id).
using Tespacios = QVector<int>;

// The serial chooser's request: the line whose units leave and the serial numbers already chosen.
struct RECnumerosSerie {
    int productoID = 0;
    int entradaID = 0; // the layer the line takes from
    QString productoNombre;
    double cantidad = 0; // units the line takes out
    Tespacios seleccionados;
    int controlNoSerie = 0; // the product's mode; 3 and up lets the chooser capture new ones
    int documento = 0;      // the layer's receipt document
};

// One serial number of the layer as listed.
struct TfilaNoSerie {
    int id = 0;
    QString numero;
    int estado = kSerieEnAlmacen;
    QString etiqueta;
    bool marcado = false;
};

// The marking rules of the serial chooser: only numbers in stock can be marked, never more than
// the line takes out.
class TmarcasNoSerie {
public:
    void carga(const QVector<TfilaNoSerie> &filas, const Tespacios &seleccionados, int requeridos);

    // A click on the mark: marks an unmarked number in stock while fewer than required are marked;
    // unmarks a marked one. False when nothing changed.
    bool alterna(int fila);
    // Marks the first numbers in stock, from the top, up to the required count.
    void todos();
    // Unmarks every number in stock.
    void ninguno();

    const QVector<TfilaNoSerie> &filas() const { return uFilas; }
    int marcados() const;
    int requeridos() const { return uRequeridos; }
    // "marked/required", as the chooser shows it.
    QString texto() const;
    // The marked ids, in list order.
    Tespacios seleccion() const;

private:
    QVector<TfilaNoSerie> uFilas;
    int uRequeridos = 0;
};

// The layer's serial numbers whose number begins with `prefijo` (taken literally), by number.
// False when the lookup fails; `filas` is then left as it was.
bool u_leeNumerosSerie(TConexionSesion *sesion, int idNegocio, int idEntrada, const QString &prefijo,
                       QVector<TfilaNoSerie> &filas);
// How many serial numbers the layer admits (its whole units).
int u_numerosSerieAdmitidos(TConexionSesion *sesion, int idNegocio, int idEntrada);

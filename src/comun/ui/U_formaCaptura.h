#pragma once

#include "comun/ui/U_controles.h"
#include "comun/ui/UdialogoModal.h"
#include "comun/ui/UgridControl.h"

#include <QLabel>
#include <QPushButton>

// Pieces the capture forms (issues, transfers) build alike.

// A column of a capture grid: width 0 hides it (it carries a line's ids and running figures).
struct TcolumnaCaptura {
    const char *alias;
    const char *cabecera;
    int ancho;
    TtipoColumnaGrid tipo;
};

template <int N> void u_agregaColumnasCaptura(TGridControl *grid, const TcolumnaCaptura (&columnas)[N]) {
    for (const TcolumnaCaptura &c : columnas)
        grid->agregaColumna(QString::fromLatin1(c.alias), QString::fromUtf8(c.cabecera), c.ancho, c.ancho > 0,
                            c.tipo);
}

// A label that shows a value, wide enough to read it.
inline QLabel *u_valorCaptura(QWidget *padre, const char *nombre, int ancho = 120) {
    QLabel *l = u_etiqueta(padre, QString::fromLatin1(nombre));
    l->setMinimumWidth(ancho);
    return l;
}

inline QLabel *u_tituloCaptura(QWidget *padre, const char *nombre, const char *texto) {
    return u_etiqueta(padre, QString::fromLatin1(nombre), QString::fromUtf8(texto));
}

// The shared clear button, never pressed by Enter in a field of the dialog.
inline QPushButton *u_reinicioCaptura(QWidget *padre, const char *nombre) {
    QPushButton *b = u_creaBotonLimpiar(QString::fromLatin1(nombre), padre);
    b->setAutoDefault(false);
    return b;
}

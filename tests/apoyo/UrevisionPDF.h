#pragma once

#include "comun/U_modelopdf.h"

#include <QStringList>

// Report tables for tests, and a printed report read back as a bookkeeper reads it.

// A report table in a few lines: its columns (header, content type, width, alignment) and rows.
struct TcolumnaPrueba {
    const char *cabecera;
    int tipo;
    int ancho;
    int alineacion = kAlineaIzquierda;
};
cTabla u_tablaPrueba(const QVector<TcolumnaPrueba> &columnas, const TTabla &filas);

// The text of a PDF as pdftotext -layout lays it out.
QString u_textoPDF(const QString &ruta);

// Keeps a copy of a produced file in the test output folder under the name, replacing an older one.
void u_conservaEnSalida(const QString &ruta, const QString &nombre);

// What a reader would read wrong in that text: a figure (amount, number, date) not whole on one
// line, a header word split, a "$" cut from its amount, a separator printed as dashes. Empty when
// the report prints well.
QStringList u_faltasImpresion(const QString &texto, const QStringList &cabeceras, const QStringList &figuras);
// The figures among the cells (amounts, numbers, dates), once each.
QStringList u_figuras(const TTabla &filas);
// The same check, with the headers and the figures of the table that was printed.
QStringList u_faltasImpresion(const QString &texto, const cTabla &tabla);

#pragma once

#include "comun/U_modelopdf.h"

#include <QStringList>
#include <QVector>

// How a report table fits its page: column widths, font sizes and line breaks. Kept apart from the
// drawing so the arithmetic can be checked with any text measure.
//
// The rules: an amount, a number or a date is printed on one line; text breaks only at spaces, so a
// word is never split; a header wraps only at spaces. A column whose widest piece does not fit
// first shrinks its font (down to a readable minimum) and only then widens, taking width from the
// text columns in proportion to their widths (then from any column with room to spare). The given
// widths are the starting proportions.

// Measures text in points; the PDF generator measures with its fonts, tests with a fixed pitch.
class TmedidorTexto {
public:
    virtual ~TmedidorTexto() = default;
    virtual double ancho(const QString &texto, double puntos, bool negrita) const = 0;
};

// The text a cell prints: money columns format plain numbers ("1234.5" → "$ 1,234.50").
QString u_textoCeldaReporte(const TcabeceraTabla &cabecera, const QString &texto);

// An amount, number, date or time ("$ 15,999.90", "-3.5", "10/01/2024 14:30", a customs
// declaration "24 47 3807 4000123"): digits with their signs and separators, no letters.
bool u_esTextoIndivisible(const QString &texto);

// A row that only separates sections: some cell a run of dashes, underscores or equal signs and
// the rest empty. The generator draws it as a rule.
bool u_esFilaSeparador(const QStringList &fila);

// The lines a text prints in the width at the size: an indivisible text is one line; other text
// breaks only at spaces (and at the line breaks it carries). A word wider than the width keeps a
// line of its own, whole; only with cortaPalabras (the last resort of a word wider than the page
// can give its column) is it cut where the width ends.
QStringList u_lineasTexto(const QString &texto, double ancho, double puntos, bool negrita,
                          const TmedidorTexto &medidor, bool cortaPalabras = false);

struct TtipografiaTabla {
    double cuerpo = 8.5;   // body size, points
    double cabecera = 8.5; // header size, points (bold)
    double minimo = 6.0;   // smallest readable size a column shrinks to
    double relleno = 3.0;  // cell padding on each side, points
};

struct TcolumnaDiseno {
    double x = 0;
    double ancho = 0;
    double puntos = 0;         // body size of the column
    double puntosCabecera = 0; // header size of the column
    bool cortaPalabras = false;
};

struct TdisenoTabla {
    QVector<TcolumnaDiseno> columnas;
    // Every amount and word fits at a readable size. False asks for a wider page; the columns are
    // then the best that fits: text columns cut words wider than they can get, and if the amounts
    // alone are wider than the page every size shrinks below the minimum so none breaks.
    bool holgado = true;
};

TdisenoTabla u_disenaTabla(const cTabla &tabla, double anchoPagina, const TtipografiaTabla &tipografia,
                           const TmedidorTexto &medidor);

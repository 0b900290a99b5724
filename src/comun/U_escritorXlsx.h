#pragma once

#include "comun/U_modelopdf.h"

#include <QString>
#include <QVariant>
#include <QVector>

// Excel's code for money as the suite shows it ("$ #,###,##0.00").
inline const QString kFormatoMonedaXlsx = QStringLiteral("\"$ \"#,##0.00");

// Writes a one-sheet workbook: the title, a subtitle line (business and date), the headers and
// the rows. Cells are typed by column (RECexportar::tipos) or, where a column has no type, by
// their text: "$ 1,234.50" is money, "12.5" a number, anything else (keys like "00123" too) text.
// The file appears whole or not at all; on failure *error says why.
bool u_escribeXlsx(const QString &ruta, const RECexportar &datos, const QString &subtitulo, QString *error);

// A cell of a sheet laid out by hand (the detail exports). Rows and columns from 0; a cell whose
// columnaFinal lies right of its column is merged over that span. A double value is written as a
// number (with `formato` when given, e.g. "$#,##0.00"), anything else as text.
struct TceldaHojaXlsx {
    int fila = 0;
    int columna = 0;
    int columnaFinal = -1;
    QVariant valor;
    QString formato;
    bool negrita = false;
    double tamano = 0; // font size; 0 keeps the default
};

struct ThojaXlsx {
    QString nombre;
    QVector<TceldaHojaXlsx> celdas;
    // Column widths in characters, from column A; the rest keep the default.
    QVector<double> anchos;
};

// Writes a one-sheet workbook cell by cell; same whole-or-nothing rule as u_escribeXlsx.
bool u_escribeHojaXlsx(const QString &ruta, const ThojaXlsx &hoja, QString *error);

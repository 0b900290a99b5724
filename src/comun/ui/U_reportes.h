#pragma once

#include "comun/U_modelopdf.h"

class TGridControl;
struct TsistemaDatos;

// What varies between the PDF reports of the screens.
struct TopcionesPDF {
    // Body text scale (100 normal; 50 for the wide receipt and lot lists).
    double escala = 100.0;
    // The date range of screens that have one ("Del: desde Al: hasta"); both empty for none.
    QString desde;
    QString hasta;
    // The file name the save dialog proposes; the title when empty.
    QString nombreArchivo;
};

// A report column: header, content type, width, alignment and the grid alias its cells come from.
struct TcolumnaReporte {
    const char *cabecera;
    int tipo;
    int ancho;
    int alineacion;
    const char *alias;
};
// The report table of those columns, with the grid's rows taken by alias in the report's order.
cTabla u_tablaReporte(const TcolumnaReporte *columnas, int cuantas, const TGridControl &grid);
template <int N> cTabla u_tablaReporte(const TcolumnaReporte (&columnas)[N], const TGridControl &grid) {
    return u_tablaReporte(columnas, N, grid);
}

// PDF export of a list: with no column or no row nothing happens. Otherwise the save dialog
// proposes the file name + ".pdf" (added when the chosen name lacks it); the description is the
// suite's (u_descripcionReporte) and the file is opened when written. True when written.
bool u_exportaPDF(const QString &titulo, const cTabla &tabla, const TsistemaDatos &sistema,
                  const TopcionesPDF &opciones = {});

// Spreadsheet export of a grid as the user sees it: its shown columns with their headers, money
// columns as money and quantities as numbers. Same dialog rules as exportarREC.
bool exportarGridExcelUNI(const TGridControl &grid, const QString &titulo, const TsistemaDatos &sistema);

// Installs the desktop's handlers: QFileDialog for the paths to write and read, the default
// application to open.
void u_instalaArchivosQt();

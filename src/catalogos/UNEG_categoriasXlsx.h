#pragma once

#include "comun/U_escritorXlsx.h"
#include "comun/U_lectorXlsx.h"
#include "comun/U_modelopdf.h"
#include "datos/UconexionSesion.h"

#include <functional>

// The category tree as a spreadsheet, both ways: a header row of "Nivel 1" … "Nivel n", then one
// category per row in the column of its level, depth-first, each cell " > " + name for a folder
// or " - " + name for a subcategory.

inline const QString kTituloCatalogoCategorias = QStringLiteral("Catálogo de Categorías");
inline const QString kMensajePlantillaInvalida =
    QStringLiteral("¡Plantilla inválida! \rNo se realizó ninguna acción");
inline const QString kMensajeArchivoNoExcel = QStringLiteral("seleccione un archivo de excel válido");

// The export matrix of the business's tree (title, level headers, rows); false when unreadable.
bool u_matrizCategorias(TConexionSesion *sesion, int idNegocio, RECexportar &matriz);
// The same matrix as a report table, one "Nivel n" column per level.
cTabla u_tablaCategorias(const RECexportar &matriz);
// Writes the business's tree to an .xlsx without asking anything (the command line's export).
bool u_escribeCategoriasXlsx(TConexionSesion *sesion, int idNegocio, const QString &ruta, QString *error);

// The import template: a header and a small example tree.
ThojaXlsx u_hojaPlantillaCategorias();
// Writes "Plantilla Categorías.xlsx" into `carpeta` (created when missing) unless it is there;
// answers its path, empty (with *error) when it could not be written.
QString u_preparaPlantillaCategorias(const QString &carpeta, QString *error);

// The outcome of an import: committed or not, and the message to show when not.
struct TresultadoImportacion {
    bool confirmada = false;
    QString mensaje;
    int insertadas = 0;
};
// Progress in percent, called while rows are read; a screen repaints there.
using TavanceImportacion = std::function<void(int porcentaje)>;

// Imports the first sheet of a workbook into the business's tree, all or nothing: the root
// category takes the "Nivel 1" name, and the rows below become its descendants.
TresultadoImportacion u_importaCategorias(TConexionSesion *sesion, int idNegocio,
                                          const QVector<QVector<TceldaXlsx>> &hoja,
                                          const TavanceImportacion &avance = {});
// The same from a file: the extension (any letter case), its size and its format are checked first.
TresultadoImportacion u_importaArchivoCategorias(TConexionSesion *sesion, int idNegocio, const QString &ruta,
                                                 const TavanceImportacion &avance = {});

// "A" for column 1, "Z" for 26, "AA" for 27: how a message names a cell's column.
QString u_letraColumna(int columna);

#pragma once

#include "datos/UconexionSesion.h"

#include <QTextStream>

// The category export and import without a window (inventario --exportar-categorias /
// --importar-categorias archivo.xlsx), for administrators and scripts. Progress and the same
// messages as the dialog go to `salida` (carriage returns as line breaks). The exit status is 0
// only when the file was written or the import committed.
int exportaCategoriasEnConsola(TConexionSesion *sesion, int idNegocio, const QString &ruta,
                               QTextStream &salida);
int importaCategoriasEnConsola(TConexionSesion *sesion, int idNegocio, const QString &ruta,
                               QTextStream &salida);

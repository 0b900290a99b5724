#pragma once

#include "datos/UconexionSesion.h"
#include "existencias/UNEG_importacionMovimientos.h"

#include <QTextStream>

// The movement import without a window (inventario --importar-movimientos archivo [--simular]
// [--crear-productos] [--informe salida.csv]): progress every tenth, the documents posted, the
// summary, and the reason with its row when it stopped. Exit status 0 only when every document
// was posted (and, outside a trial run, committed) and the report, when asked, was written.
int importaMovimientosEnConsola(TConexionSesion *sesion, int idNegocio, const QString &ruta,
                                const TopcionesImportacion &opciones, const QString &informe,
                                QTextStream &salida);

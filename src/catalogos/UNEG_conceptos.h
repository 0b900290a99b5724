#pragma once

#include "datos/UcodigosInventario.h"
#include "datos/UconexionSesion.h"

#include <QString>
#include <QVariant>

// The stored method of the business; 0 when none is stored or it could not be read.
int u_metodoValuacion(TConexionSesion *sesion, int idNegocio);
// "Guardar" of the method: warns when none is chosen, asks for confirmation, then stores it once.
// True when the business now has a method stored.
bool u_guardaMetodoValuacion(TConexionSesion *sesion, int idNegocio, int metodo);

// The accounting module prefix a concept keeps: the first three digits of the module number of
// its entry (6101 -> 610), 0 for shorter numbers (61 -> 0) and for none.
int u_prefijoModulo(int modulo);

// Saves a new concept of a direction; idAsiento 0 means none was picked. False when the label
// is blank (nothing is said: the dialog stays open) or the statement failed.
bool u_guardaConceptoNuevo(TConexionSesion *sesion, const QString &etiqueta, int direccion, int idAsiento,
                           int modulo, int idNegocio);
// Relabels a concept; with idAsiento 0 (no entry picked while editing) its entry is kept.
bool u_guardaConceptoEditado(TConexionSesion *sesion, int id, const QString &etiqueta, int idAsiento,
                             int modulo, int idNegocio);

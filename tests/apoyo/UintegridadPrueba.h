#pragma once

#include "datos/UconexionSesion.h"

#include <QStringList>

// Every posted document whole or absent, across every business: each receipt and issue row has
// its ledger row, each ledger movement row its receipt or issue row, each issue row names its
// layer's warehouse, product and business, and what a layer keeps is what it received less what
// left it. One line per finding; a failed read is a finding too.
QStringList u_documentosIncompletos(TConexionSesion *sesion);

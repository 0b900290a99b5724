#pragma once

#include <QStringList>

class TConexionSesion;

// The consistency check for administrators and tests (`inventario --verificar`). Per business it
// reports every warehouse and product whose stock row differs from the sum of its open layers,
// every layer below zero, every ledger whose newest balance disagrees with the layers (per layer
// under PEPS, per warehouse and product under the average), and every serial number marked issued
// without an issue row. One Spanish line per finding; none when everything agrees. `ok` false
// when a read failed (the check then proves nothing).
QStringList u_verificaInventario(TConexionSesion *sesion, bool &ok);

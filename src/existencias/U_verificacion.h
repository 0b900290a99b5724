#pragma once

#include <QStringList>

class TConexionSesion;

// The consistency check for administrators and tests (`inventario --verificar`). On SQLite the
// file itself first (PRAGMA quick_check). Then per business: every layer against what it received
// less its issue rows, layers below zero, stock rows against the sum of open layers, the ledger
// against the layers and movements (PEPS: the newest row of each layer carries its remainder and
// cost, and the stock value of each warehouse and product is that of its layers; Promedio
// Ponderado: the newest row of each warehouse and product carries the stock, average and value
// of its newest movement), issue rows against their layer's warehouse, product and business, and
// serial numbers marked issued without an issue row. One Spanish line
// per finding, naming business, warehouse, product and the figures; none when everything agrees.
// `ok` false when a read failed (the check then proves nothing).
QStringList u_verificaInventario(TConexionSesion *sesion, bool &ok);

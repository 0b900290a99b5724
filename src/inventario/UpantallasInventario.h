#pragma once

#include "comun/ui/UpantallaInventario.h"

#include <functional>

// The module's screen slots, one live instance per screen class.
enum class Tpantalla {
    Almacenes,
    Catalogo,
    Productos,
    NoSerie,
    Entradas,
    Salidas,
    Traspasos,
    Existencias,
    CapturarExistencias,
    InventarioFisico,
    Kardex,
    Opciones,
};
constexpr int kNumeroPantallas = int(Tpantalla::Opciones) + 1;

// Makes a screen of the slot's class; empty while that screen is not part of the program yet,
// and then its side-bar entry does nothing.
using TfabricaPantalla = std::function<QWidget *()>;
TfabricaPantalla fabricaPantalla(Tpantalla pantalla);
// Replaces a slot's factory (tests put their own screens in); an empty one restores the program's.
void setFabricaPantalla(Tpantalla pantalla, TfabricaPantalla fabrica);

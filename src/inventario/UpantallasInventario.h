#pragma once

#include <QWidget>
#include <functional>

// A screen the main screen can place in its content area.
class IPantallaInventario {
public:
    virtual ~IPantallaInventario() = default;
    // The panel placed in the content area (the screen itself, or its top container).
    virtual QWidget *panelPrincipal() = 0;
    // Reloads the screen on every visit; false when it cannot be shown.
    virtual bool init() = 0;
};

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

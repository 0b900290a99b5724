#pragma once

#include <QWidget>

// A screen the main screen can place in its content area.
class IPantallaInventario {
public:
    virtual ~IPantallaInventario() = default;
    // The panel placed in the content area (the screen itself, or its top container).
    virtual QWidget *panelPrincipal() = 0;
    // Reloads the screen on every visit; false when it cannot be shown.
    virtual bool init() = 0;
};

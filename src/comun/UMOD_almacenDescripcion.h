#pragma once

#include <QString>

// A warehouse as the warehouse picker returns it and the warehouse dialogs fill it.
struct TalmacenDescripcion {
    bool seleccionado = false;
    int id = 0;
    int sucursalId = 0;
    QString sucursalNombre;
    QString nombre;
    QString direccion;
    QString nota;
    int idNegocio = 0;
};

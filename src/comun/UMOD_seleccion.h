#pragma once

#include "comun/U_utilerias.h"

#include <QString>

// What the shared pickers hand back. The first field of each says whether the user chose
// something; everything else is meaningful only then.

// A product as the product picker returns it. On the way in, categoriaId is the caller's current
// category key, which the picker starts filtered by.
struct TproductoSeleccionadoDescripcion {
    bool seleccionado = false;
    int productoId = 0;
    QString clave;
    QString nombre;
    // The text screens show for the product: its key and name.
    QString descripcion;
    QString codigoBarras;
    QString categoriaId;
    QString categoriaEtiqueta;
    // The storage unit: stock of the product is kept in it.
    int unidadMedidaId = 0;
    QString unidadMedidaEtiqueta;
    int unidadMedidaConjunto = 0;
    double unidadMedidaRelacion = 1;
    // 1: every unit received carries a serial number.
    int opControladoNoSerie = 0;
    // 1: the product may be received (an active product).
    int estatus = 0;
    int estado = 0;
    QString estadoEtiqueta;

    QString unidadMedidaRelacionTexto() const { return FloatToStr(unidadMedidaRelacion); }
};

// A unit as the unit picker returns it: the set it belongs to and its ratio to the set's base.
struct REC_unidadMedidacomunicacion {
    bool aceptado = false;
    int id = -1;
    QString etiqueta;
    int conjunto = 0;
    double relacion = 1;

    QString relacionTexto() const { return FloatToStr(relacion); }
};

// A provider chosen by hand (id 0 when none).
struct Rproveedor {
    bool aceptado = false;
    int id = 0;
    QString nombre;
    QString rfc;
};

// A node of the category tree.
struct TcategoriaSeleccionada {
    bool seleccionado = false;
    QString identidad;
    QString etiqueta;
    bool carpeta = false;
};

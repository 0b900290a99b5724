#pragma once

#include <QString>
#include <QVector>

// What the catalogue dialogs hand to the logic that checks and saves them. Texts are as typed;
// the logic trims them and cuts them at the column limits. An id of 0 is a new row.

// Minimum and maximum stock of the product in one warehouse; an empty text is "not set".
struct TlimiteStock {
    int almacenId = 0;
    QString almacenNombre;
    QString minimo;
    QString maximo;
};

struct TproductoCaptura {
    int id = 0;
    QString clave;
    QString nombre;
    QString descripcion;
    QString codigoBarras;
    QString categoria;
    int unidadMedidaId = 0;
    bool controladoNoSerie = false;
    // inventarioProductoEstado: 1 active (may be received), 2 inactive.
    int estado = 1;
    QVector<TlimiteStock> limites;
};

struct TunidadCaptura {
    int id = 0;
    QString descripcion;
    QString abreviatura;
    int conjunto = 0;
    QString relacion;
};

struct TproveedorCaptura {
    int id = 0;
    QString nombre;
    QString rfc;
    QString direccion;
    QString telefono;
    QString correo;
};

// Column limits of the catalogue tables.
namespace limites {
constexpr int kClave = 50;
constexpr int kNombreProducto = 150;
constexpr int kDescripcionProducto = 500;
constexpr int kCodigoBarras = 50;
constexpr int kUnidadDescripcion = 50;
constexpr int kUnidadAbreviatura = 10;
constexpr int kConjuntoNombre = 50;
constexpr int kProveedorNombre = 250;
constexpr int kRfc = 13;
constexpr int kProveedorDireccion = 250;
constexpr int kTelefono = 30;
constexpr int kCorreo = 100;
constexpr int kValorPropiedad = 250;
} // namespace limites

// What saving a catalogue row gives back: the row's id, or 0 and the reason in Spanish.
struct TresultadoCaptura {
    int id = 0;
    QString mensaje;
    bool ok() const { return id > 0; }
};

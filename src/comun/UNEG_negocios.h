#pragma once

#include "comun/UsistemaDatos.h"

#include <QList>
#include <QPair>
#include <QString>

// What the first run asks of a new business.
struct TnegocioNuevo {
    QString nombre;
    QString rfc;
    QString razonSocial;
    TdomicilioFiscal domicilio;
    QString sucursal;
};

namespace negocios {
// Column limits of the fiscal address; the first-run dialog caps its fields with them.
constexpr int kLargoCalle = 150;
constexpr int kLargoNumero = 30;
constexpr int kLargoColonia = 100;
constexpr int kLargoMunicipio = 100;
constexpr int kLargoEstado = 50;

// Empty when the data can be stored; otherwise the message for the user.
QString valida(const TnegocioNuevo &datos);
// Stores the business and its first branch in one transaction; its id, or 0 on failure.
int crea(TConexionSesion *sesion, const TnegocioNuevo &datos);
// Every business of the database: id and name, by name.
QList<QPair<int, QString>> lista(TConexionSesion *sesion);
} // namespace negocios

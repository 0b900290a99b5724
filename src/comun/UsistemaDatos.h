#pragma once

#include "datos/UconexionSesion.h"

#include <QString>

// The fiscal address in its parts, declared in the order the report header prints them.
struct TdomicilioFiscal {
    QString calle;
    QString numeroExterior;
    QString numeroInterior;
    QString colonia;
    QString codigoPostal;
    QString municipio;
    QString estado;

    // Every part in order, joined with single blanks; empty parts leave no gap.
    QString enUnaLinea() const;
};

struct TdatosFiscales {
    QString rfc;
    QString razonSocial;
    TdomicilioFiscal domicilio;
    QString regimenFiscal;
};

// The business (tenant) of the session: every row the module reads or writes belongs to it.
class TNegocio {
public:
    TNegocio() = default;
    TNegocio(int id, QString nombre, TdatosFiscales fiscales)
        : uId(id), uNombre(std::move(nombre)), uFiscales(std::move(fiscales)) {}

    int getIdNegocio() const { return uId; }
    QString getNombre() const { return uNombre; }
    const TdatosFiscales &getDatosFiscales() const { return uFiscales; }
    bool valido() const { return uId > 0; }

    // Reads a business; an invalid TNegocio when the id does not exist.
    static TNegocio carga(TConexionSesion *sesion, int id);

private:
    int uId = 0;
    QString uNombre;
    TdatosFiscales uFiscales;
};

// Permission levels: 1 is a restricted user (no export, create or save).
constexpr int kNivelRestringido = 1;

// The session the host hands to the module.
struct TsistemaDatos {
    TConexionSesion *conexion = nullptr;
    TNegocio negocio;
    int nivel = 2;

    TConexionSesion *getConexion() const { return conexion; }
    const TNegocio &getNegocio() const { return negocio; }
    bool esRestringido() const { return nivel == kNivelRestringido; }
};

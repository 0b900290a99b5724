#pragma once

#include "comun/UsistemaDatos.h"
#include "datos/UconexionSesion.h"

#include <QString>
#include <memory>

// A fresh database for one test case, on the engine the run asks for
// (INVENTARIO_MOTOR_PRUEBA = sqlite | mysql). SQLite: a new file in a temporary folder.
// MariaDB (server at INVENTARIO_MYSQL_SOCKET): DDL costs tens of milliseconds a table there, so a
// case that asks for the schema before touching the session gets the process's schema database,
// emptied of every row and seeded again (a case that changed its tables gets it rebuilt). Ids
// then do not restart at 1: tests never assume them. A case that uses the session first gets an
// empty database of its own.
class TbasePrueba {
public:
    TbasePrueba();
    ~TbasePrueba();

    bool valida() const { return uError.isEmpty(); }
    QString error() const { return uError; }
    TConexionSesion *sesion();
    bool esMySQL() const;
    // Creates the schema; returns false (with error()) when it cannot.
    bool creaEsquema();
    // A business with one branch; returns its id.
    int creaNegocio(const QString &nombre);
    // The session record the module receives from the host.
    TsistemaDatos sistema(int idNegocio, int nivel = 2);

    static QString motor();
    // Folder for PNG and report files the tests leave for review.
    static QString carpetaSalida();

private:
    bool abreSesion(const TparametrosConexion &parametros);
    bool abreBaseVaciaMySQL();
    bool preparaEsquemaCompartido();

    std::unique_ptr<TConexionSesion> uSesion;
    QString uArchivo;
    QString uBaseMySQL;
    QString uError;
};

// Gives a case its fresh database with the schema: false (with base->error()) when it cannot.
bool u_baseConEsquema(std::unique_ptr<TbasePrueba> &base);

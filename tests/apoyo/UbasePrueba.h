#pragma once

#include "comun/UsistemaDatos.h"
#include "datos/UconexionSesion.h"

#include <QString>
#include <memory>

// A fresh, empty database for one test case, on the engine the run asks for
// (INVENTARIO_MOTOR_PRUEBA = sqlite | mysql). SQLite: a new file in a temporary folder.
// MariaDB: a new database on the server at INVENTARIO_MYSQL_SOCKET, dropped with the object.
class TbasePrueba {
public:
    TbasePrueba();
    ~TbasePrueba();

    bool valida() const { return uSesion != nullptr; }
    QString error() const { return uError; }
    TConexionSesion *sesion() const { return uSesion.get(); }
    bool esMySQL() const;
    // Creates the schema; returns false (with error()) when it cannot.
    bool creaEsquema();
    // A business with one branch; returns its id.
    int creaNegocio(const QString &nombre);
    // The session record the module receives from the host.
    TsistemaDatos sistema(int idNegocio, int nivel = 2) const;

    static QString motor();
    // Folder for PNG and report files the tests leave for review.
    static QString carpetaSalida();

private:
    std::unique_ptr<TConexionSesion> uSesion;
    QString uArchivo;
    QString uBaseMySQL;
    QString uError;
};

#pragma once

#include "datos/UconexionSesion.h"

#include <QString>
#include <memory>

// What the command line asks of the host.
struct TopcionesHost {
    TparametrosConexion conexion;
    int nivel = 2;
    int idNegocio = 0;
    bool demo = false;
    bool verificar = false;         // report inconsistencies and exit
    QString abrir;                  // side-bar entry to click at start
    QString captura;                // PNG to save once the window is shown
    bool reconstruirKardex = false; // rebuild the ledger without a window and leave
    QString exportarCategorias;     // write the category tree to this .xlsx and leave
    QString importarCategorias;     // import this .xlsx into the category tree and leave
};

// Opening the database the host was pointed at, with every check that keeps a file that is not
// ours, or one from a newer program, exactly as it was.
struct TaperturaHost {
    std::unique_ptr<TConexionSesion> sesion;
    QString error;  // the user's message when sesion is empty
    int salida = 0; // the process exit status for that failure
};

QString rutaSQLitePredeterminada();
// Empty when the file may be opened as ours; otherwise the reason, in Spanish.
QString revisaArchivoSQLite(const QString &ruta);
TaperturaHost abreBaseDatos(const TparametrosConexion &parametros);

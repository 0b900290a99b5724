#pragma once

#include "datos/UconexionSesion.h"
#include "existencias/UNEG_importacionMovimientos.h"

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
    QString importarMovimientos;    // post the movements of this .csv / .xlsx and leave
    TopcionesImportacion importacion;
    QString informeImportacion; // the import's issue lines to this .csv

    // Only an opening that will show the program, or one that fills the demo, makes a new
    // database; the administrator's console work alone needs an existing one.
    bool puedeCrear() const {
        return demo || (!verificar && !reconstruirKardex && exportarCategorias.isEmpty() &&
                        importarCategorias.isEmpty() && importarMovimientos.isEmpty());
    }
};

// Opening the database the host was pointed at, with every check that keeps a file that is not
// ours, or one from a newer program, exactly as it was.
struct TaperturaHost {
    std::unique_ptr<TConexionSesion> sesion;
    QString error;  // the user's message when sesion is empty
    int salida = 0; // the process exit status for that failure
};

QString rutaSQLitePredeterminada();
// Empty when the file may be opened; otherwise the reason, in Spanish. Looks at the path, the
// folder and the file's header only: nothing is opened through SQLite yet.
QString revisaArchivoSQLite(const QString &ruta, bool puedeCrear);
// Order: the file's header, a read-only look at what the database holds (empty, ours and of
// which version, or not ours), and only then the read-write connection, its pragmas and the
// schema steps. Every refusal leaves the database as it was.
TaperturaHost abreBaseDatos(const TparametrosConexion &parametros, bool puedeCrear);

#pragma once

#include <QString>
#include <functional>

// Where reports go. Logic never opens a file dialog itself: the choice of the path and the
// opening of the finished file go through two handlers the program installs (a QFileDialog and
// the desktop's default application); tests install their own. Without a handler nothing is
// chosen, so nothing is written.

// Returns the chosen path, or empty when the user cancelled. `propuesto` is the file name the
// dialog proposes, `filtro` its file-type filter ("PDF (*.pdf)").
using TdialogoGuardar = std::function<QString(const QString &propuesto, const QString &filtro)>;
using TabridorArchivo = std::function<void(const QString &ruta)>;
// Returns the path of an existing file the user chose to read, or empty when cancelled.
using TdialogoAbrir = std::function<QString(const QString &titulo, const QString &filtro)>;

// Install a handler and return the one replaced.
TdialogoGuardar u_instalaDialogoGuardar(TdialogoGuardar dialogo);
TabridorArchivo u_instalaAbridorArchivo(TabridorArchivo abridor);
TdialogoAbrir u_instalaDialogoAbrir(TdialogoAbrir dialogo);

// Asks for a file to read (an import). Empty when cancelled or when no handler is installed.
QString u_eligeArchivoAbrir(const QString &titulo, const QString &filtro);

// Asks for the path of a new file: proposes nombre + extension and appends the extension when
// the chosen name lacks it (".pdf"). Empty when cancelled.
QString u_eligeArchivoGuardar(const QString &nombre, const QString &extension, const QString &filtro);
// Opens a produced file with the desktop's default application when it exists.
void u_abreArchivo(const QString &ruta);

// Writes a report file: asks the path, runs the writer on it and opens the result. The writer
// must leave nothing behind when it fails; its reason is shown as an error. Returns the path
// written, empty when cancelled or failed.
using TescritorArchivo = std::function<bool(const QString &ruta, QString *error)>;
QString u_guardaReporte(const QString &nombre, const QString &extension, const QString &filtro,
                        const TescritorArchivo &escritor);

#pragma once

#include <QString>

#include <functional>

// Why a statement failed, in the terms a user can act on. The engine's own numbers are told apart
// here, once, for both engines.
enum class TtipoFalla {
    Ninguna,
    Conexion,      // the server is gone or the database could not be reached
    Bloqueo,       // another workstation held the lock longer than the wait allows
    DiscoLleno,    // no room left on the disk (or in the table space)
    ArchivoDanado, // the database file or a table is damaged
    EntradaSalida, // the file could not be read or written
    SoloLectura,   // the database does not accept writes
    Otra
};

// The last failed statement of the calling thread: the engine's number and text (for the log), and
// whether the connection was open at all.
struct TfallaSentencia {
    bool hay = false;
    int codigo = 0;
    QString texto;
    bool sinConexion = false;
    bool mysql = false;

    TtipoFalla tipo() const;
};

// The last statement of the calling thread that failed (transaction control included), so that
// the user can be told why in a few words; u_olvidaFalla() clears it.
TfallaSentencia u_ultimaFalla();
void u_olvidaFalla();

// Test hook: every statement from now on (transaction control included) whose text `cumple`
// accepts fails, as the engine would with its error number `codigo`, until an empty function
// switches it off.
void u_fallaCuando(std::function<bool(const QString &sentencia)> cumple, int codigo);

// For TmiddleTier: records a failure of this thread / asks the hook about a statement.
void u_registraFalla(const TfallaSentencia &falla);
bool u_fallaPorTexto(const QString &sentencia, int &codigo);

#pragma once

#include "datos/UmiddleTier.h"

// One transaction around many documents on this thread's connection of a session: while it is
// open, every transaction a TmiddleTier of that session begins on this thread becomes a savepoint
// inside it (its commit a release, its rollback a return to the savepoint). A document that fails
// still leaves nothing of its own, and the caller decides for the whole: commit what went well,
// or roll everything back (a trial run). One commit for many documents is also what makes a bulk
// load fast.
//
// When the engine itself ended the transaction (a MariaDB deadlock rolls back all of it), the
// savepoints are gone: the envelope is then broken, every transaction begun inside it refuses to
// start and confirma() fails, so nothing is ever written outside it.
class TtransaccionEnvolvente {
public:
    explicit TtransaccionEnvolvente(TConexionSesion *sesion);
    ~TtransaccionEnvolvente(); // rolls back when still open
    TtransaccionEnvolvente(const TtransaccionEnvolvente &) = delete;
    TtransaccionEnvolvente &operator=(const TtransaccionEnvolvente &) = delete;

    // Opens the transaction (false when it cannot, or another envelope is open on the session).
    bool inicia();
    // Commits everything inside it; false (and rolled back) when it cannot.
    bool confirma();
    void revierte();
    bool abierta() const { return uAbierta; }

private:
    void suelta();

    TmiddleTier uMt;
    bool uAbierta = false;
};

namespace envolvente {
// What TmiddleTier asks: whether this thread's connection of `sesion` is inside an envelope, and
// the depth of the savepoints open in it.
struct Testado {
    const TConexionSesion *sesion = nullptr;
    int profundidad = 0;
    bool rota = false;
};
// The open envelope of the session on this thread; null when there is none.
Testado *activo(const TConexionSesion *sesion);
} // namespace envolvente

#pragma once

#include "comun/U_mensajes.h"

// The user of work that runs without anyone at the screen (the demo history, benchmarks, test
// helpers): while it lives every question is accepted and the last warning or error is kept as the
// reason of a refusal; the handler it replaced comes back when it goes.
class TinteraccionAutomatica {
public:
    TinteraccionAutomatica();
    ~TinteraccionAutomatica();
    TinteraccionAutomatica(const TinteraccionAutomatica &) = delete;
    TinteraccionAutomatica &operator=(const TinteraccionAutomatica &) = delete;

    QString ultimoAviso() const;

private:
    class Tacepta;
    std::shared_ptr<Tacepta> uAcepta;
    std::shared_ptr<TInteraccion> uPrevio;
};

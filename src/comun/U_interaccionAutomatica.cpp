#include "comun/U_interaccionAutomatica.h"

class TinteraccionAutomatica::Tacepta : public TInteraccion {
public:
    void mensaje(const QString &texto, int tipo) override {
        if (tipo != kInformacion)
            ultimo = texto;
    }
    bool confirmaAceptarCancelar(const QString &) override { return true; }
    bool confirmaSiNo(const QString &) override { return true; }
    QString ultimo;
};

TinteraccionAutomatica::TinteraccionAutomatica()
    : uAcepta(std::make_shared<Tacepta>()), uPrevio(u_instalaInteraccion(uAcepta)) {}

TinteraccionAutomatica::~TinteraccionAutomatica() {
    u_instalaInteraccion(uPrevio);
}

QString TinteraccionAutomatica::ultimoAviso() const {
    return uAcepta->ultimo;
}

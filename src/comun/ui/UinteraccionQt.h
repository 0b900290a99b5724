#pragma once

#include "comun/U_mensajes.h"

// The module's message and question handler on QMessageBox, parented to the active window.
class TinteraccionQt : public TInteraccion {
public:
    void mensaje(const QString &texto, int tipo) override;
    bool confirmaAceptarCancelar(const QString &texto) override;
    bool confirmaSiNo(const QString &texto) override;
    // The stock alert dialog.
    bool alertaStock(const TalertaStock &alerta) override;
};

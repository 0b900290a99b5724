#pragma once

#include <QString>
#include <memory>

// Message types of u_mensaje.
enum TtipoMensaje { kAdvertencia = 0, kError = 1, kInformacion = 2 };

// The seam through which logic tells and asks the user. The module installs one on message
// boxes; tests install a scripted one. Without a handler messages go to the log and every
// question is answered "no" (nothing is written on a guess).
class TInteraccion {
public:
    virtual ~TInteraccion() = default;
    virtual void mensaje(const QString &texto, int tipo) = 0;
    // OK/Cancel: true on OK.
    virtual bool confirmaAceptarCancelar(const QString &texto) = 0;
    // Yes/No: true on Yes.
    virtual bool confirmaSiNo(const QString &texto) = 0;
};

// Installs the handler and returns the one it replaces.
std::shared_ptr<TInteraccion> u_instalaInteraccion(std::shared_ptr<TInteraccion> manejador);
std::shared_ptr<TInteraccion> u_interaccion();

void u_mensaje(const QString &texto, int tipo);
bool u_confirmaAceptarCancelar(const QString &texto);
bool u_confirmaSiNo(const QString &texto);

#pragma once

#include <QString>
#include <memory>

// Message types of u_mensaje; kPersonalizado is the plain box, without an icon of its own.
enum TtipoMensaje { kAdvertencia = 0, kError = 1, kInformacion = 2, kPersonalizado = 4 };

// The minimum/maximum stock question: a movement would take the stock of a product in a warehouse
// below its minimum or above its maximum. Values come as the caller formatted them.
struct TalertaStock {
    bool maximo = false;
    QString almacen;
    QString producto;
    QString cantidad;
    QString limite;
};

inline const QString kTextoAlertaStock = QStringLiteral(
    "¿Completar la operación?\r\nDe continuar la operación con la cantidad seleccionada la existencia "
    "rebasará el stock mínimo/máximo para el producto y almacen seleccionados.\r\n");

// "¡Alerta Stock Mínimo!" / "¡Alerta Stock Máximo!" and "Mínimo" / "Máximo".
QString u_encabezadoAlertaStock(bool maximo);
QString u_etiquetaAlertaStock(bool maximo);
// The question as one text, for handlers that have no dialog of their own.
QString u_textoAlertaStock(const TalertaStock &alerta);

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
    // True when the user lets the movement go on; asked as an OK/Cancel question unless the
    // handler has a dialog for it.
    virtual bool alertaStock(const TalertaStock &alerta) {
        return confirmaAceptarCancelar(u_textoAlertaStock(alerta));
    }
};

// Installs the handler and returns the one it replaces.
std::shared_ptr<TInteraccion> u_instalaInteraccion(std::shared_ptr<TInteraccion> manejador);
std::shared_ptr<TInteraccion> u_interaccion();

void u_mensaje(const QString &texto, int tipo);
bool u_confirmaAceptarCancelar(const QString &texto);
bool u_confirmaSiNo(const QString &texto);
bool u_alertaStock(const TalertaStock &alerta);

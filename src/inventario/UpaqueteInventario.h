#pragma once

#include <QString>
#include <QWidget>
#include <functional>

// The toolkit-side class registry the host looks screens up in by class name.
namespace registroClases {
using Tfabrica = std::function<QWidget *()>;
void registra(const QString &clase, Tfabrica fabrica);
void desregistra(const QString &clase);
bool registrada(const QString &clase);
} // namespace registroClases

// Hooks the suite calls around a package's life; this module needs nothing in them.
void inicializaBPL();
void finalizaBPL();

// Package load and unload. Loading registers TFRM_inventario once however many times the
// package is initialised; the last unload unregisters it. Both run by themselves when the
// library is loaded and unloaded.
extern "C" {
void inventario_cargaPaquete();
void inventario_descargaPaquete();
int inventario_cargasPaquete();
}

#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

// Drives the next modal dialog of type T: once it is shown, runs `accion` on it; a dialog still
// open afterwards is recorded and closed, so a test never hangs on a dialog that refused.
struct TdialogoModal {
    bool abierto = false;
    bool quedoAbierto = false;

    template <typename T> void alAbrir(QObject *contexto, std::function<void(T *)> accion) {
        abierto = quedoAbierto = false;
        QTimer::singleShot(0, contexto, [this, accion] {
            auto *d = qobject_cast<T *>(QApplication::activeModalWidget());
            if (!d)
                return;
            abierto = true;
            accion(d);
            if (d->isVisible()) {
                quedoAbierto = true;
                d->reject();
            }
        });
    }
};

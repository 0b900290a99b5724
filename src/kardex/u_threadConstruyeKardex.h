#pragma once

#include "comun/UsistemaDatos.h"

#include <QAtomicInt>
#include <QPointer>
#include <QThread>

// The worker that rebuilds the ledger behind the progress screen, on its own connection. The
// bars are only touched on the UI thread: their values are set through a blocking call queued
// to the thread the bars live in (only when a value changes, so a walk over thousands of
// products does not wait on the UI for every one).
class TthreadConstruyeKardex : public QThread {
    Q_OBJECT
public:
    // The bars are any objects with an int "value" property (QProgressBar): products of the
    // current warehouse, warehouses.
    TthreadConstruyeKardex(QObject *progressBar1, QObject *progressBar2, const TsistemaDatos &sistema);

    // Copies u_valorProgressBar1/2 into the bars; runs on the UI thread.
    void actualizaProgresBar();
    bool resultado() const { return uResultado; }
    // Workers started in this process (a second show of the screen must not start another).
    static int trabajadoresIniciados() { return gIniciados.loadRelaxed(); }

protected:
    void run() override;

private:
    void fijaValores(int productos, int almacenes);

    QPointer<QObject> progressBar1;
    QPointer<QObject> progressBar2;
    int u_valorProgressBar1 = 0;
    int u_valorProgressBar2 = 0;
    TsistemaDatos uSistema;
    bool uResultado = false;
    static QAtomicInt gIniciados;
};

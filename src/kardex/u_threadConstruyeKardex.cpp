#include "kardex/u_threadConstruyeKardex.h"

#include "kardex/UNEG_construccionKardex.h"

#include <QMetaObject>

QAtomicInt TthreadConstruyeKardex::gIniciados{0};

TthreadConstruyeKardex::TthreadConstruyeKardex(QObject *barra1, QObject *barra2, const TsistemaDatos &sistema)
    : progressBar1(barra1), progressBar2(barra2), uSistema(sistema) {}

void TthreadConstruyeKardex::actualizaProgresBar() {
    if (progressBar1)
        progressBar1->setProperty("value", u_valorProgressBar1);
    if (progressBar2)
        progressBar2->setProperty("value", u_valorProgressBar2);
}

void TthreadConstruyeKardex::fijaValores(int productos, int almacenes) {
    if (productos == u_valorProgressBar1 && almacenes == u_valorProgressBar2)
        return;
    u_valorProgressBar1 = productos;
    u_valorProgressBar2 = almacenes;
    QObject *contexto = progressBar1 ? progressBar1.data() : progressBar2.data();
    if (contexto)
        QMetaObject::invokeMethod(
            contexto, [this] { actualizaProgresBar(); }, Qt::BlockingQueuedConnection);
}

void TthreadConstruyeKardex::run() {
    gIniciados.fetchAndAddRelaxed(1);
    u_valorProgressBar1 = u_valorProgressBar2 = -1;
    fijaValores(0, 0);
    msleep(1000);
    TconstruccionKardex construccion(uSistema.conexion, uSistema.negocio.getIdNegocio());
    construccion.setAvance([this](int productos, int almacenes) { fijaValores(productos, almacenes); });
    uResultado = construccion.construye();
    msleep(2000);
    fijaValores(100, 100);
    uSistema.conexion->cierraHiloActual();
}

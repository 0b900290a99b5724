#pragma once

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>

// Screens driven by their controls' names.
template <typename T = QWidget> T *u_hijo(const QWidget *raiz, const QString &nombre) {
    T *w = raiz->findChild<T *>(nombre);
    if (!w)
        qWarning() << "no existe el control" << nombre;
    return w;
}
inline void u_clicBoton(const QWidget *raiz, const QString &nombre) {
    QTest::mouseClick(u_hijo<QPushButton>(raiz, nombre), Qt::LeftButton);
}
// Mouse-up on a grid cell, as a user clicks it.
inline void u_clicCelda(QTableView *grid, int fila, int columna) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(fila, columna)).center());
}

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

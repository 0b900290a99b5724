#include "comun/ui/UmarcoClic.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

TmarcoClic::TmarcoClic(const QString &nombre, QLabel *etiqueta, std::function<void()> accion)
    : QFrame(etiqueta->parentWidget()), uAccion(std::move(accion)) {
    setObjectName(nombre);
    setFrameShape(QFrame::StyledPanel);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumHeight(26);
    etiqueta->setParent(this);
    auto *capa = new QHBoxLayout(this);
    capa->setContentsMargins(6, 2, 6, 2);
    capa->addWidget(etiqueta);
}

void TmarcoClic::mouseReleaseEvent(QMouseEvent *evento) {
    if (evento->button() == Qt::LeftButton && rect().contains(evento->position().toPoint()))
        uAccion();
    else
        QFrame::mouseReleaseEvent(evento);
}

void TmarcoClic::keyPressEvent(QKeyEvent *evento) {
    const int tecla = evento->key();
    if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter || tecla == Qt::Key_Space)
        uAccion();
    else
        QFrame::keyPressEvent(evento);
}

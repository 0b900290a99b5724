#include "comun/ui/UdialogoModal.h"

#include <QBoxLayout>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TdialogoModal::TdialogoModal(const QString &titulo, QWidget *padre) : QDialog(padre) {
    setWindowTitle(titulo);
    setModal(true);
}

void TdialogoModal::reject() {
    uAceptar = false;
    QDialog::reject();
}

void TdialogoModal::agregaBotones(QBoxLayout *destino) {
    auto *fila = new QHBoxLayout;
    fila->addStretch();
    BTN_aceptar = u_boton(this, QStringLiteral("BTN_aceptar"), QStringLiteral("Aceptar"));
    BTN_cancelar = u_boton(this, QStringLiteral("BTN_cancelar"), QStringLiteral("Cancelar"));
    fila->addWidget(BTN_aceptar);
    fila->addWidget(BTN_cancelar);
    destino->addLayout(fila);
    connect(BTN_aceptar, &QPushButton::clicked, this, [this] { alAceptar(); });
    connect(BTN_cancelar, &QPushButton::clicked, this, &TdialogoModal::reject);
}

void TdialogoModal::alAceptar() {
    acepta();
}

void TdialogoModal::acepta() {
    uAceptar = true;
    accept();
}

void TdialogoModal::modoConsulta() {
    for (QWidget *w : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (w != BTN_cancelar && !qobject_cast<QLabel *>(w))
            w->setEnabled(false);
    BTN_cancelar->setText(QStringLiteral("Cerrar"));
}

QPushButton *u_boton(QWidget *padre, const QString &nombre, const QString &texto) {
    auto *b = new QPushButton(texto, padre);
    b->setObjectName(nombre);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

QLabel *u_etiqueta(QWidget *padre, const QString &nombre, const QString &texto) {
    auto *l = new QLabel(texto, padre);
    l->setObjectName(nombre);
    return l;
}

QLineEdit *u_campo(QWidget *padre, const QString &nombre, int largoMaximo) {
    auto *t = new QLineEdit(padre);
    t->setObjectName(nombre);
    t->setMaxLength(largoMaximo);
    return t;
}

QDateEdit *u_fecha(QWidget *padre, const QString &nombre, const QDate &fecha) {
    auto *d = new QDateEdit(fecha, padre);
    d->setObjectName(nombre);
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    return d;
}

#include "comun/ui/UFRM_capturarCodigoBarras.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TFRM_capturarCodigoBarras::TFRM_capturarCodigoBarras(QWidget *padre)
    : TdialogoModal(QStringLiteral("Código de Barras"), padre) {
    auto *principal = new QVBoxLayout(this);
    auto *fila = new QHBoxLayout;
    TXT_codigoBarras = u_campo(this, QStringLiteral("TXT_codigoBarras"), 40);
    fila->addWidget(u_etiqueta(this, QStringLiteral("LBL_codigoBarras"), QStringLiteral("Código de Barras")));
    fila->addWidget(TXT_codigoBarras, 1);
    principal->addLayout(fila);
    agregaBotones(principal);
    connect(TXT_codigoBarras, &QLineEdit::returnPressed, this, &TFRM_capturarCodigoBarras::acepta);
}

void TFRM_capturarCodigoBarras::prepara(const QString &codigoActual) {
    TXT_codigoBarras->setText(codigoActual);
    TXT_codigoBarras->selectAll();
    TXT_codigoBarras->setFocus();
}

TcodigoBarras TFRM_capturarCodigoBarras::resultado() const {
    return {uAceptar, TXT_codigoBarras->text()};
}

TcodigoBarras TFRM_capturarCodigoBarras::init(const QString &codigoActual) {
    prepara(codigoActual);
    exec();
    return resultado();
}

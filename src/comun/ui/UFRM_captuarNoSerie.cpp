#include "comun/ui/UFRM_captuarNoSerie.h"

#include "comun/UNEG_numerosSerie.h"
#include "comun/ui/U_bplpanelcontrol.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TFRM_captuarNoSerie::TFRM_captuarNoSerie(QWidget *padre)
    : TdialogoModal(QStringLiteral("Capturar No. de Serie"), padre) {
    auto *principal = new QVBoxLayout(this);
    auto *formulario = new QFormLayout;
    LBL_producto = u_etiqueta(this, QStringLiteral("LBL_producto"));
    TXT_numeroSerie = u_campo(this, QStringLiteral("TXT_numeroSerie"), noSerie::kLargoMaximo);
    formulario->addRow(QStringLiteral("Producto"), LBL_producto);
    formulario->addRow(QStringLiteral("No. Serie"), TXT_numeroSerie);
    principal->addLayout(formulario);
    agregaBotones(principal);
    connect(TXT_numeroSerie, &QLineEdit::returnPressed, this, &TFRM_captuarNoSerie::alAceptar);
}

void TFRM_captuarNoSerie::prepara(const QString &producto, int idEntrada) {
    LBL_producto->setText(producto);
    uEntrada = idEntrada;
    TXT_numeroSerie->clear();
    TXT_numeroSerie->setFocus();
}

void TFRM_captuarNoSerie::alAceptar() {
    if (u_capturaNoSerieEnEntrada(sesionActual(), uEntrada, TXT_numeroSerie->text(), negocioActual()))
        acepta();
}

bool TFRM_captuarNoSerie::init(const QString &producto, int idEntrada) {
    prepara(producto, idEntrada);
    exec();
    return uAceptar;
}

#include "host/UFRM_nuevoNegocio.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFRM_nuevoNegocio::TFRM_nuevoNegocio(TConexionSesion *sesion, QWidget *padre)
    : QDialog(padre), uSesion(sesion) {
    setObjectName(QStringLiteral("FRM_nuevoNegocio"));
    setWindowTitle(QStringLiteral("Nuevo negocio"));
    auto *columna = new QVBoxLayout(this);
    auto *aviso =
        new QLabel(QStringLiteral("La base de datos no tiene ningún negocio. Escriba los datos del negocio "
                                  "que llevará su inventario."),
                   this);
    aviso->setWordWrap(true);
    columna->addWidget(aviso);
    auto *forma = new QFormLayout();
    TXT_nombre = campo(QStringLiteral("TXT_nombre"), 150);
    TXT_rfc = campo(QStringLiteral("TXT_rfc"), 13);
    TXT_razonSocial = campo(QStringLiteral("TXT_razonSocial"), 250);
    TXT_direccionFiscal = campo(QStringLiteral("TXT_direccionFiscal"), 400);
    TXT_codigoPostal = campo(QStringLiteral("TXT_codigoPostal"), 5);
    TXT_sucursal = campo(QStringLiteral("TXT_sucursal"), 100);
    TXT_sucursal->setText(QStringLiteral("Matriz"));
    forma->addRow(QStringLiteral("Nombre"), TXT_nombre);
    forma->addRow(QStringLiteral("RFC"), TXT_rfc);
    forma->addRow(QStringLiteral("Razón social"), TXT_razonSocial);
    forma->addRow(QStringLiteral("Domicilio fiscal"), TXT_direccionFiscal);
    forma->addRow(QStringLiteral("Código postal"), TXT_codigoPostal);
    forma->addRow(QStringLiteral("Sucursal"), TXT_sucursal);
    columna->addLayout(forma);
    LBL_msg = new QLabel(this);
    LBL_msg->setObjectName(QStringLiteral("LBL_msg"));
    LBL_msg->setStyleSheet(QStringLiteral("color: #d32f2f;"));
    columna->addWidget(LBL_msg);
    auto *botones = new QDialogButtonBox(this);
    auto *aceptar = botones->addButton(QStringLiteral("Aceptar"), QDialogButtonBox::AcceptRole);
    aceptar->setObjectName(QStringLiteral("BTN_aceptar"));
    auto *cancelar = botones->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    cancelar->setObjectName(QStringLiteral("BTN_cancelar"));
    connect(aceptar, &QPushButton::clicked, this, &TFRM_nuevoNegocio::BTN_aceptarClick);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    columna->addWidget(botones);
    resize(520, sizeHint().height());
}

QLineEdit *TFRM_nuevoNegocio::campo(const QString &nombre, int limite) {
    auto *t = new QLineEdit(this);
    t->setObjectName(nombre);
    t->setMaxLength(limite);
    return t;
}

void TFRM_nuevoNegocio::BTN_aceptarClick() {
    const TnegocioNuevo datos{TXT_nombre->text(),          TXT_rfc->text(),          TXT_razonSocial->text(),
                              TXT_direccionFiscal->text(), TXT_codigoPostal->text(), TXT_sucursal->text()};
    const QString error = negocios::valida(datos);
    if (!error.isEmpty()) {
        LBL_msg->setText(error);
        return;
    }
    uIdNegocio = negocios::crea(uSesion, datos);
    if (uIdNegocio <= 0) {
        LBL_msg->setText(QStringLiteral("No se pudo guardar el negocio. Intente de nuevo."));
        return;
    }
    accept();
}

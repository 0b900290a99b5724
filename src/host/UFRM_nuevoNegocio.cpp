#include "host/UFRM_nuevoNegocio.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
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
    TXT_calle = campo(QStringLiteral("TXT_calle"), negocios::kLargoCalle);
    TXT_numeroExterior = campo(QStringLiteral("TXT_numeroExterior"), negocios::kLargoNumero);
    TXT_numeroInterior = campo(QStringLiteral("TXT_numeroInterior"), negocios::kLargoNumero);
    TXT_colonia = campo(QStringLiteral("TXT_colonia"), negocios::kLargoColonia);
    TXT_codigoPostal = campo(QStringLiteral("TXT_codigoPostal"), 5);
    TXT_municipio = campo(QStringLiteral("TXT_municipio"), negocios::kLargoMunicipio);
    TXT_estado = campo(QStringLiteral("TXT_estado"), negocios::kLargoEstado);
    TXT_sucursal = campo(QStringLiteral("TXT_sucursal"), 100);
    TXT_sucursal->setText(QStringLiteral("Matriz"));
    forma->addRow(QStringLiteral("Nombre"), TXT_nombre);
    forma->addRow(QStringLiteral("RFC"), TXT_rfc);
    forma->addRow(QStringLiteral("Razón social"), TXT_razonSocial);
    forma->addRow(QStringLiteral("Sucursal"), TXT_sucursal);
    columna->addLayout(forma);
    auto *grupoDomicilio = new QGroupBox(QStringLiteral("Domicilio fiscal"), this);
    auto *domicilio = new QFormLayout(grupoDomicilio);
    domicilio->addRow(QStringLiteral("Calle"), TXT_calle);
    auto *numeros = new QHBoxLayout();
    numeros->addWidget(TXT_numeroExterior);
    numeros->addWidget(new QLabel(QStringLiteral("Interior"), grupoDomicilio));
    numeros->addWidget(TXT_numeroInterior);
    domicilio->addRow(QStringLiteral("Exterior"), numeros);
    domicilio->addRow(QStringLiteral("Colonia"), TXT_colonia);
    domicilio->addRow(QStringLiteral("Código postal"), TXT_codigoPostal);
    domicilio->addRow(QStringLiteral("Municipio"), TXT_municipio);
    domicilio->addRow(QStringLiteral("Estado"), TXT_estado);
    columna->addWidget(grupoDomicilio);
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
    const TdomicilioFiscal domicilio{
        TXT_calle->text(),        TXT_numeroExterior->text(), TXT_numeroInterior->text(), TXT_colonia->text(),
        TXT_codigoPostal->text(), TXT_municipio->text(),      TXT_estado->text()};
    const TnegocioNuevo datos{TXT_nombre->text(), TXT_rfc->text(), TXT_razonSocial->text(), domicilio,
                              TXT_sucursal->text()};
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

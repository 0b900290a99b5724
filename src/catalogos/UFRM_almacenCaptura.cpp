#include "catalogos/UFRM_almacenCaptura.h"

#include "catalogos/UNEG_almacenes.h"
#include "comun/ui/U_controles.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFRM_almacenCaptura::TFRM_almacenCaptura(const TsistemaDatos &sistema, QWidget *padre)
    : QDialog(padre), uSistema(sistema) {
    FormCreate();
}

void TFRM_almacenCaptura::FormCreate() {
    setObjectName(QStringLiteral("FRM_almacenCaptura"));
    setWindowTitle(QStringLiteral("Almacén"));
    setModal(true);
    u_aplicaEstilo(this);
    uEncabezado = u_creaTitulo(QString(), this);
    uSucursal = new QComboBox(this);
    uSucursal->setObjectName(QStringLiteral("CBOX_sucursal"));
    uNombre = new QLineEdit(this);
    uNombre->setObjectName(QStringLiteral("TXT_nombre"));
    uNombre->setMaxLength(Talmacen::kLargoNombre);
    uDireccion = new QLineEdit(this);
    uDireccion->setObjectName(QStringLiteral("TXT_direccion"));
    uDireccion->setMaxLength(Talmacen::kLargoDireccion);
    uNota = new QPlainTextEdit(this);
    uNota->setObjectName(QStringLiteral("TXT_nota"));
    uNota->setFixedHeight(80);
    connect(uNota, &QPlainTextEdit::textChanged, this, &TFRM_almacenCaptura::limitaNota);

    auto *campos = new QFormLayout;
    campos->addRow(u_creaEtiqueta(QStringLiteral("LBL_sucursal"), QStringLiteral("Sucursal"), this),
                   uSucursal);
    campos->addRow(u_creaEtiqueta(QStringLiteral("LBL_nombre"), QStringLiteral("Nombre *"), this), uNombre);
    campos->addRow(u_creaEtiqueta(QStringLiteral("LBL_direccion"), QStringLiteral("Dirección"), this),
                   uDireccion);
    campos->addRow(u_creaEtiqueta(QStringLiteral("LBL_nota"), QStringLiteral("Nota"), this), uNota);

    uAceptar = u_creaBoton(QStringLiteral("BTN_aceptar"), QStringLiteral("Aceptar"), this);
    QPushButton *cancelar = u_creaBoton(QStringLiteral("BTN_cancelar"), QStringLiteral("Cancelar"), this);
    uAceptar->setAutoDefault(false);
    cancelar->setAutoDefault(false);
    connect(uAceptar, &QPushButton::clicked, this, &TFRM_almacenCaptura::BTN_aceptarClick);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    auto *botones = new QHBoxLayout;
    botones->addWidget(
        u_creaEtiqueta(QStringLiteral("LBL_requeridos"), QStringLiteral("* Campos requeridos"), this));
    botones->addStretch();
    botones->addWidget(uAceptar);
    botones->addWidget(cancelar);

    auto *raiz = new QVBoxLayout(this);
    raiz->addWidget(uEncabezado);
    raiz->addLayout(campos);
    raiz->addLayout(botones);
    resize(460, 320);
}

void TFRM_almacenCaptura::initPermisos() {
    uAceptar->setEnabled(!uSistema.esRestringido());
}

bool TFRM_almacenCaptura::cargaSucursales() {
    Talmacen datos(uSistema.getConexion());
    const CmidTierResponse r = datos.selectSucursales(uSistema.getNegocio().getIdNegocio());
    if (!r.isSuccess())
        return false;
    uSucursal->clear();
    uValueMember_CBOX_sucursal.clear();
    for (int f = 0; f < r.getRowCount(); ++f) {
        uSucursal->addItem(r.getCelda(f, 1));
        uValueMember_CBOX_sucursal.append(int(r.getCeldaAsInt(f, 0)));
    }
    return true;
}

bool TFRM_almacenCaptura::initNuevo() {
    initPermisos();
    if (!cargaSucursales())
        return false;
    uSucursal->setCurrentIndex(uSucursal->count() > 0 ? 0 : -1);
    uNombre->clear();
    uNota->clear();
    uRegistroNuevo = true;
    uEncabezado->setText(QStringLiteral("Almacén Nuevo"));
    uSucursal->setFocus();
    exec();
    return true;
}

bool TFRM_almacenCaptura::initEdicion(const TalmacenDescripcion &almacen) {
    initPermisos();
    if (!cargaSucursales())
        return false;
    uAlmacenID = almacen.id;
    uSucursal->setCurrentIndex(int(uValueMember_CBOX_sucursal.indexOf(almacen.sucursalId)));
    uNombre->setText(almacen.nombre);
    uNota->setPlainText(almacen.nota);
    uDireccion->setText(almacen.direccion);
    uEncabezado->setText(QStringLiteral("Editar Almacén"));
    uRegistroNuevo = false;
    uSucursal->setFocus();
    return true;
}

void TFRM_almacenCaptura::limitaNota() {
    const QString texto = uNota->toPlainText();
    if (texto.size() <= Talmacen::kLargoNota)
        return;
    // A paste past the limit keeps what fits, the cursor at the end.
    uNota->setPlainText(texto.left(Talmacen::kLargoNota));
    uNota->moveCursor(QTextCursor::End);
}

void TFRM_almacenCaptura::BTN_aceptarClick() {
    const int indice = uSucursal->currentIndex();
    TalmacenDescripcion almacen;
    almacen.id = uAlmacenID;
    almacen.sucursalId = indice >= 0 ? uValueMember_CBOX_sucursal.value(indice) : 0;
    almacen.nombre = uNombre->text();
    almacen.direccion = uDireccion->text();
    almacen.nota = uNota->toPlainText();
    almacen.idNegocio = uSistema.getNegocio().getIdNegocio();
    if (u_guardaAlmacen(uSistema.getConexion(), almacen, uRegistroNuevo))
        accept();
}

#include "catalogos/UFRM_propiedadesCaptura.h"

#include "catalogos/UNEG_categorias.h"
#include "comun/ui/U_controles.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFRM_propiedadesCaptura::TFRM_propiedadesCaptura(const TsistemaDatos &sistema, QWidget *padre)
    : TdialogoModal(QStringLiteral("Propiedades"), padre), uSistema(sistema) {
    setObjectName(QStringLiteral("FRM_propiedadesCaptura"));
    u_aplicaEstilo(this);
    LBL_encabezado = u_creaTitulo(QString(), this, QStringLiteral("LBL_encabezado"));
    CBOX_tipo = new QComboBox(this);
    CBOX_tipo->setObjectName(QStringLiteral("CBOX_tipo"));
    TXT_nombre = u_campo(this, QStringLiteral("TXT_nombre"), Tcatalogo::kLargoPropiedad);
    auto *raiz = new QVBoxLayout(this);
    raiz->addWidget(LBL_encabezado);
    raiz->addWidget(u_etiqueta(this, QStringLiteral("LBL_tipo"), QStringLiteral("Tipo")));
    raiz->addWidget(CBOX_tipo);
    raiz->addWidget(u_etiqueta(this, QStringLiteral("LBL_nombre"), QStringLiteral("Nombre")));
    raiz->addWidget(TXT_nombre);
    agregaBotones(raiz);
    BTN_aceptar->setEnabled(!uSistema.esRestringido());
    resize(320, 200);
}

bool TFRM_propiedadesCaptura::cargaTipos() {
    const CmidTierResponse r = Tcatalogo(uSistema.getConexion()).selectTipos();
    if (!r.isSuccess())
        return false;
    CBOX_tipo->clear();
    uValueMember_CBOX_tipo.clear();
    for (int f = 0; f < r.getRowCount(); ++f) {
        CBOX_tipo->addItem(r.getCelda(f, 1));
        uValueMember_CBOX_tipo.append(int(r.getCeldaAsInt(f, 0)));
    }
    return true;
}

bool TFRM_propiedadesCaptura::preparaNuevo() {
    uRegistroNuevo = true;
    uIdEditar = 0;
    LBL_encabezado->setText(QStringLiteral("Propiedad Nueva"));
    TXT_nombre->clear();
    const bool ok = cargaTipos();
    CBOX_tipo->setCurrentIndex(-1);
    return ok;
}

bool TFRM_propiedadesCaptura::preparaEdita(int id, const QString &nombre, int tipoId) {
    uRegistroNuevo = false;
    uIdEditar = id;
    LBL_encabezado->setText(QStringLiteral("Editar Propiedad"));
    const bool ok = cargaTipos();
    CBOX_tipo->setCurrentIndex(int(uValueMember_CBOX_tipo.indexOf(tipoId)));
    TXT_nombre->setText(nombre);
    return ok;
}

bool TFRM_propiedadesCaptura::initNuevo() {
    if (!preparaNuevo())
        return false;
    exec();
    return uAceptar;
}

bool TFRM_propiedadesCaptura::initEdita(int id, const QString &nombre, int tipoId) {
    if (!preparaEdita(id, nombre, tipoId))
        return false;
    exec();
    return uAceptar;
}

void TFRM_propiedadesCaptura::alAceptar() {
    const int indice = CBOX_tipo->currentIndex();
    const int tipo = indice >= 0 ? uValueMember_CBOX_tipo.value(indice) : 0;
    if (u_guardaPropiedad(uSistema.getConexion(), uSistema.getNegocio().getIdNegocio(),
                          uRegistroNuevo ? 0 : uIdEditar, TXT_nombre->text(), tipo))
        acepta();
}

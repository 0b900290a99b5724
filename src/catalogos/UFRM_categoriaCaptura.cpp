#include "catalogos/UFRM_categoriaCaptura.h"

#include "catalogos/UNEG_categorias.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/U_filtrosEntrada.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int kLargoClaveSat = 8;
} // namespace

TFRM_categoriaCaptura::TFRM_categoriaCaptura(const TsistemaDatos &sistema, QWidget *padre)
    : TdialogoModal(QStringLiteral("Categoría"), padre), uSistema(sistema) {
    setObjectName(QStringLiteral("FRM_categoriaCaptura"));
    u_aplicaEstilo(this);
    LBL_encabezado = u_creaTitulo(QString(), this, QStringLiteral("LBL_encabezado"));
    TXT_nombre = u_campo(this, QStringLiteral("TXT_nombre"), Tcatalogo::kLargoEtiqueta);
    RBT_carpeta = new QRadioButton(QStringLiteral("Carpeta"), this);
    RBT_carpeta->setObjectName(QStringLiteral("RBT_carpeta"));
    RBT_subcategoria = new QRadioButton(QStringLiteral("Subcategoría (con propiedades)"), this);
    RBT_subcategoria->setObjectName(QStringLiteral("RBT_subcategoria"));
    TXT_claveSat = u_campo(this, QStringLiteral("TXT_claveSat"), kLargoClaveSat);
    u_soloNumeros(TXT_claveSat);
    TXT_claveSat->setPlaceholderText(QStringLiteral("Heredada de la carpeta"));

    auto *tipo = new QHBoxLayout;
    tipo->addWidget(RBT_carpeta);
    tipo->addWidget(RBT_subcategoria);
    auto *campos = new QFormLayout;
    campos->addRow(u_etiqueta(this, QStringLiteral("LBL_nombre"), QStringLiteral("Nombre")), TXT_nombre);
    campos->addRow(u_etiqueta(this, QStringLiteral("LBL_tipo"), QStringLiteral("Tipo")), tipo);
    campos->addRow(u_etiqueta(this, QStringLiteral("LBL_claveSat"), QStringLiteral("Clave SAT 3.3")),
                   TXT_claveSat);
    auto *raiz = new QVBoxLayout(this);
    raiz->addWidget(LBL_encabezado);
    raiz->addLayout(campos);
    agregaBotones(raiz);
    BTN_aceptar->setEnabled(!uSistema.esRestringido());
    resize(420, 200);
}

void TFRM_categoriaCaptura::preparaNuevo(const QString &padre) {
    uRegistroNuevo = true;
    uIdentidad = padre;
    LBL_encabezado->setText(QStringLiteral("Categoría Nueva"));
    TXT_nombre->clear();
    RBT_subcategoria->setChecked(true);
    TXT_claveSat->clear();
    TXT_nombre->setFocus();
}

void TFRM_categoriaCaptura::preparaEditar(const QString &identidad, const QString &nombre, bool carpeta) {
    uRegistroNuevo = false;
    uIdentidad = identidad;
    LBL_encabezado->setText(QStringLiteral("Editar Categoría"));
    TXT_nombre->setText(nombre);
    (carpeta ? RBT_carpeta : RBT_subcategoria)->setChecked(true);
    // The root holds everything: it stays a folder.
    RBT_subcategoria->setEnabled(identidad.size() > 1);
    Tcatalogo datos(uSistema.getConexion());
    const CmidTierResponse sat =
        datos.selectCategoriaRelacionSAT33(identidad, uSistema.getNegocio().getIdNegocio());
    TXT_claveSat->setText(sat.getRowCount() > 0 ? sat.getCelda(0, 2) : QString());
    TXT_nombre->setFocus();
}

void TFRM_categoriaCaptura::alAceptar() {
    TdatosCategoria datos;
    datos.nombre = TXT_nombre->text();
    datos.carpeta = RBT_carpeta->isChecked();
    datos.claveSat = TXT_claveSat->text();
    const int negocio = uSistema.getNegocio().getIdNegocio();
    QString identidad = uIdentidad;
    const bool guardado =
        uRegistroNuevo ? u_creaCategoria(uSistema.getConexion(), negocio, uIdentidad, datos, &identidad)
                       : u_editaCategoria(uSistema.getConexion(), negocio, uIdentidad, datos);
    if (!guardado)
        return;
    uGuardada = identidad;
    acepta();
}

bool TFRM_categoriaCaptura::initNuevo(const QString &padre, const TsistemaDatos &sistema, QWidget *ventana) {
    TFRM_categoriaCaptura dialogo(sistema, ventana);
    dialogo.preparaNuevo(padre);
    dialogo.exec();
    return dialogo.uAceptar;
}

bool TFRM_categoriaCaptura::initEditar(const QString &identidad, const QString &nombre, bool carpeta,
                                       const TsistemaDatos &sistema, QWidget *ventana) {
    TFRM_categoriaCaptura dialogo(sistema, ventana);
    dialogo.preparaEditar(identidad, nombre, carpeta);
    dialogo.exec();
    return dialogo.uAceptar;
}

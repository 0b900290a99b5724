#include "comun/ui/UFRM_proveedores.h"

#include "comun/UMOD_capturaCatalogos.h"
#include "comun/UNEG_proveedores.h"
#include "comun/U_mensajes.h"
#include "comun/U_proveedorCaptura.h"
#include "comun/ui/UFRM_selectorBase.h"
#include "comun/ui/UgridControl.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TFRM_proveedores::TFRM_proveedores(const TsistemaDatos &sistema, QWidget *padre)
    : QDialog(padre), uSistema(sistema) {
    setObjectName(QStringLiteral("FRM_proveedores"));
    setWindowTitle(QStringLiteral("Proveedores"));
    auto *columna = new QVBoxLayout(this);
    auto *titulo = new QLabel(QStringLiteral("Proveedores"), this);
    titulo->setObjectName(QStringLiteral("LBL_titulo"));
    columna->addWidget(titulo);
    TXT_buscar = u_campoTexto(this, QStringLiteral("TXT_buscar"), 100);
    TXT_buscar->setPlaceholderText(QStringLiteral("Nombre o RFC"));
    TXT_buscar->setClearButtonEnabled(true);
    columna->addWidget(TXT_buscar);
    GRD_main = new QTableView(this);
    GRD_main->setObjectName(QStringLiteral("GRD_main"));
    GRD_main->verticalHeader()->hide();
    GRD_main->setAlternatingRowColors(true);
    uGrid = new TGridControl(GRD_main);
    uGrid->agregaColumna(QStringLiteral("proveedor_id"), QStringLiteral("ID"), 40, false);
    uGrid->agregaColumna(QStringLiteral("proveedor_nombre"), QStringLiteral("Proveedor"), 260);
    uGrid->agregaColumna(QStringLiteral("proveedor_rfc"), QStringLiteral("RFC"), 120);
    uGrid->agregaColumna(QStringLiteral("proveedor_telefono"), QStringLiteral("Teléfono"), 110);
    uGrid->agregaColumna(QStringLiteral("proveedor_correo"), QStringLiteral("Correo"), 160);
    uGrid->setColumnaEstirada(QStringLiteral("proveedor_nombre"));
    columna->addWidget(GRD_main, 1);

    auto *datos = new QGroupBox(QStringLiteral("Datos del proveedor"), this);
    auto *forma = new QFormLayout(datos);
    TXT_nombre = u_campoTexto(datos, QStringLiteral("TXT_nombre"), limites::kProveedorNombre);
    TXT_rfc = u_campoTexto(datos, QStringLiteral("TXT_rfc"), limites::kRfc);
    TXT_direccion = u_campoTexto(datos, QStringLiteral("TXT_direccion"), limites::kProveedorDireccion);
    TXT_telefono = u_campoTexto(datos, QStringLiteral("TXT_telefono"), limites::kTelefono);
    TXT_correo = u_campoTexto(datos, QStringLiteral("TXT_correo"), limites::kCorreo);
    forma->addRow(QStringLiteral("Nombre"), TXT_nombre);
    forma->addRow(QStringLiteral("RFC"), TXT_rfc);
    forma->addRow(QStringLiteral("Dirección"), TXT_direccion);
    forma->addRow(QStringLiteral("Teléfono"), TXT_telefono);
    forma->addRow(QStringLiteral("Correo"), TXT_correo);
    columna->addWidget(datos);

    LBL_msg = new QLabel(this);
    LBL_msg->setObjectName(QStringLiteral("LBL_msg"));
    columna->addWidget(LBL_msg);
    auto *pie = new QHBoxLayout();
    BTN_nuevo = u_boton(this, QStringLiteral("BTN_nuevo"), QStringLiteral("Nuevo"));
    BTN_guardar = u_boton(this, QStringLiteral("BTN_guardar"), QStringLiteral("Guardar"));
    BTN_cerrar = u_boton(this, QStringLiteral("BTN_cerrar"), QStringLiteral("Cerrar"));
    pie->addWidget(BTN_nuevo);
    pie->addWidget(BTN_guardar);
    pie->addStretch(1);
    pie->addWidget(BTN_cerrar);
    columna->addLayout(pie);
    BTN_nuevo->setEnabled(!uSistema.esRestringido());
    BTN_guardar->setEnabled(!uSistema.esRestringido());

    connect(TXT_buscar, &QLineEdit::textChanged, this, [this] { buscar(0); });
    connect(GRD_main->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TFRM_proveedores::GRD_mainSeleccion);
    connect(BTN_nuevo, &QPushButton::clicked, this, &TFRM_proveedores::BTN_nuevoClick);
    connect(BTN_guardar, &QPushButton::clicked, this, &TFRM_proveedores::BTN_guardarClick);
    connect(BTN_cerrar, &QPushButton::clicked, this, &QDialog::accept);
    u_aplicaEstiloDialogo(this);
    resize(760, 600);
}

void TFRM_proveedores::prepara() {
    uUltimoGuardado = 0;
    buscar(0);
}

int TFRM_proveedores::init() {
    prepara();
    exec();
    return uUltimoGuardado;
}

void TFRM_proveedores::buscar(int seleccionar) {
    uGrid->carga(Tproveedores(uSistema.conexion)
                     .selectProveedores(TXT_buscar->text(), uSistema.negocio.getIdNegocio()));
    LBL_msg->setText(uGrid->filas() == 0 ? QStringLiteral("No hay elementos que mostrar") : QString());
    for (int f = 0; f < uGrid->filas(); ++f) {
        if (uGrid->getCeldaAsInt(f, QStringLiteral("proveedor_id")) == seleccionar)
            GRD_main->selectRow(f);
    }
    if (seleccionar == 0)
        BTN_nuevoClick();
}

void TFRM_proveedores::GRD_mainSeleccion() {
    const int f = uGrid->filaSeleccionada();
    if (f < 0)
        return;
    uEditado = int(uGrid->getCeldaAsInt(f, QStringLiteral("proveedor_id")));
    TXT_nombre->setText(uGrid->getCelda(f, QStringLiteral("proveedor_nombre")));
    TXT_rfc->setText(uGrid->getCelda(f, QStringLiteral("proveedor_rfc")));
    TXT_direccion->setText(uGrid->getCelda(f, QStringLiteral("proveedor_direccion")));
    TXT_telefono->setText(uGrid->getCelda(f, QStringLiteral("proveedor_telefono")));
    TXT_correo->setText(uGrid->getCelda(f, QStringLiteral("proveedor_correo")));
}

void TFRM_proveedores::BTN_nuevoClick() {
    uEditado = 0;
    GRD_main->clearSelection();
    for (QLineEdit *t : {TXT_nombre, TXT_rfc, TXT_direccion, TXT_telefono, TXT_correo})
        t->clear();
}

void TFRM_proveedores::BTN_guardarClick() {
    if (uSistema.esRestringido())
        return;
    const TproveedorCaptura p{
        uEditado,          TXT_nombre->text(), TXT_rfc->text(), TXT_direccion->text(), TXT_telefono->text(),
        TXT_correo->text()};
    const TresultadoCaptura r =
        proveedorCaptura::guarda(uSistema.conexion, p, uSistema.negocio.getIdNegocio());
    LBL_msg->setText(r.mensaje);
    if (!r.ok()) {
        u_mensaje(r.mensaje, kAdvertencia);
        return;
    }
    uUltimoGuardado = r.id;
    const QSignalBlocker bloqueo(TXT_buscar);
    TXT_buscar->clear();
    buscar(r.id);
    LBL_msg->setText(QStringLiteral("Proveedor guardado."));
}

#include "comun/ui/UFRM_seleccionarProveedor.h"

#include "comun/UNEG_proveedores.h"
#include "comun/ui/UFRM_proveedores.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

TFRM_seleccionarProveedor::TFRM_seleccionarProveedor(const TsistemaDatos &sistema, QWidget *padre)
    : TFRM_selectorBase(QStringLiteral("Seleccionar Proveedor"), padre), uSistema(sistema) {
    setObjectName(QStringLiteral("FRM_seleccionarProveedor"));
    TXT_buscar->setPlaceholderText(QStringLiteral("Nombre o RFC"));
    BTN_proveedores =
        agregaBoton(barraAcciones(), QStringLiteral("BTN_proveedores"), QStringLiteral("Proveedores..."));
    TGridControl *g = gridControl();
    g->agregaColumna(QStringLiteral("proveedor_id"), QStringLiteral("ID"), 40, false);
    g->agregaColumna(QStringLiteral("proveedor_nombre"), QStringLiteral("Proveedor"), 280);
    g->agregaColumna(QStringLiteral("proveedor_rfc"), QStringLiteral("RFC"), 120);
    g->agregaColumna(QStringLiteral("proveedor_telefono"), QStringLiteral("Teléfono"), 110);
    g->setColumnaEstirada(QStringLiteral("proveedor_nombre"));
    connect(BTN_proveedores, &QPushButton::clicked, this, &TFRM_seleccionarProveedor::BTN_proveedoresClick);
}

void TFRM_seleccionarProveedor::prepara() {
    uResultado = {};
    buscar();
    TXT_buscar->setFocus();
}

void TFRM_seleccionarProveedor::init(Rproveedor &proveedor) {
    prepara();
    if (exec() == QDialog::Accepted)
        proveedor = uResultado;
    else
        proveedor.aceptado = false;
}

bool TFRM_seleccionarProveedor::cargaFilas(const QString &texto) {
    return gridControl()->carga(
        Tproveedores(uSistema.conexion).selectProveedores(texto, uSistema.negocio.getIdNegocio()));
}

bool TFRM_seleccionarProveedor::tomaFila(int fila) {
    uResultado.aceptado = true;
    uResultado.id = int(gridControl()->getCeldaAsInt(fila, QStringLiteral("proveedor_id")));
    uResultado.nombre = gridControl()->getCelda(fila, QStringLiteral("proveedor_nombre"));
    uResultado.rfc = gridControl()->getCelda(fila, QStringLiteral("proveedor_rfc"));
    return true;
}

void TFRM_seleccionarProveedor::BTN_proveedoresClick() {
    TFRM_proveedores catalogo(uSistema, this);
    const int nuevo = catalogo.init();
    const QSignalBlocker bloqueo(TXT_buscar);
    TXT_buscar->clear();
    buscar();
    for (int f = 0; f < gridControl()->filas() && nuevo > 0; ++f) {
        if (gridControl()->getCeldaAsInt(f, QStringLiteral("proveedor_id")) == nuevo)
            GRD_main->selectRow(f);
    }
}

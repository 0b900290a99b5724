#include "comun/ui/UFRM_seleccionarAlmacen.h"

#include "comun/UNEG_almacenesLista.h"

#include <QLineEdit>

TFRM_seleccionarAlmacen::TFRM_seleccionarAlmacen(const TsistemaDatos &sistema, QWidget *padre)
    : TFRM_selectorBase(QStringLiteral("Seleccionar Almacén"), padre), uSistema(sistema) {
    setObjectName(QStringLiteral("FRM_seleccionarAlmacen"));
    TXT_buscar->setPlaceholderText(QStringLiteral("Nombre del almacén"));
    TGridControl *g = gridControl();
    g->agregaColumna(QStringLiteral("almacen_id"), QStringLiteral("ID"), 40, false);
    g->agregaColumna(QStringLiteral("almacen_nombre"), QStringLiteral("Almacén"), 200);
    g->agregaColumna(QStringLiteral("sucursal_nombre"), QStringLiteral("Sucursal"), 140);
    g->agregaColumna(QStringLiteral("almacen_direccion"), QStringLiteral("Dirección"), 240);
    g->setColumnaEstirada(QStringLiteral("almacen_direccion"));
    resize(700, 420);
}

void TFRM_seleccionarAlmacen::prepara() {
    uResultado = {};
    buscar();
    TXT_buscar->setFocus();
}

void TFRM_seleccionarAlmacen::init(TalmacenDescripcion &almacen) {
    prepara();
    if (exec() == QDialog::Accepted)
        almacen = uResultado;
    else
        almacen.seleccionado = false;
}

bool TFRM_seleccionarAlmacen::cargaFilas(const QString &texto) {
    return gridControl()->carga(
        TalmacenesLista(uSistema.conexion).selectAlmacenesSeleccion(texto, uSistema.negocio.getIdNegocio()));
}

bool TFRM_seleccionarAlmacen::tomaFila(int fila) {
    const TGridControl *g = gridControl();
    uResultado.seleccionado = true;
    uResultado.id = int(g->getCeldaAsInt(fila, QStringLiteral("almacen_id")));
    uResultado.sucursalId = int(g->getCeldaAsInt(fila, QStringLiteral("sucursal_id")));
    uResultado.sucursalNombre = g->getCelda(fila, QStringLiteral("sucursal_nombre"));
    uResultado.nombre = g->getCelda(fila, QStringLiteral("almacen_nombre"));
    uResultado.direccion = g->getCelda(fila, QStringLiteral("almacen_direccion"));
    uResultado.nota = g->getCelda(fila, QStringLiteral("almacen_nota"));
    uResultado.idNegocio = uSistema.negocio.getIdNegocio();
    return true;
}

#include "inventario/UNEG_arranqueInventario.h"

#include "comun/UNEG_conceptosMovimiento.h"
#include "comun/UNEG_opciones.h"
#include "comun/U_mensajes.h"
#include "comun/U_semillas.h"
#include "datos/UcodigosInventario.h"
#include "inventario/UNEG_estadoTablas.h"

const QString TarranqueInventario::kMensajeSinMetodo = QStringLiteral(
    "Antes de acceder a este módulo ingrese a la ventana de 'Opciones' y seleccione un Método de Valoración "
    "para el inventario.");

void TarranqueInventario::aseguraPublicoGeneral() {
    u_rfcPublicoGeneralExiste(sesion(), negocio());
}

void TarranqueInventario::compruebaEstadoTabla() {
    TestadoTablas opciones(sesion());
    if (opciones.selectTablaEstado().getRowCount() == 0)
        opciones.insertTablaEstado();
    const CmidTierResponse snap = opciones.selectColumnaSnap();
    const bool pendiente =
        snap.getRowCount() == 0 || snap.getCeldaAsInt(0, 0) < TestadoTablas::kEstadoTablasActual;
    if (!pendiente)
        return;
    actualizaTablas();
    opciones.insertTablaEstadoSnap();
}

void TarranqueInventario::actualizaTablas() {
    // MariaDB databases never had the older product table.
    if (sesion()->getProvider() == QLatin1String("MySQL"))
        return;
    TestadoTablas opciones(sesion());
    opciones.actualizaTablaProducto();
}

void TarranqueInventario::compruebaSemillas() {
    compruebaCategoriaInicialExiste(sesion(), negocio());
    compruebaMovimientoConceptoDummyExiste(sesion(), negocio());
    compruebaUnidadesMedidaDummyExiste(sesion(), negocio());
    compruebaPropiedadListadoDummyExiste(sesion(), negocio());
}

void TarranqueInventario::agregaConceptoSalidaMuestras() {
    TconceptosMovimiento opciones(sesion());
    const CmidTierResponse existente =
        opciones.selectMovimientoConceptoPorNombre(QStringLiteral("muestras"), negocio());
    if (!existente.isSuccess() || existente.getRowCount() > 0)
        return;
    opciones.insertMovimientoConcepto(QStringLiteral("Muestras"), kConceptoSalida, QVariant(), 1, negocio());
}

bool TarranqueInventario::compruebaMetodoValuacionInventario() {
    Topciones opciones(sesion());
    const CmidTierResponse r = opciones.selectMetodoValoracionInventario(negocio());
    if (r.isSuccess() && r.isScalarNull()) {
        u_mensaje(kMensajeSinMetodo, kInformacion);
        return false;
    }
    return true;
}

bool TarranqueInventario::preparaRegistroOpciones() {
    Topciones opciones(sesion());
    if (opciones.selectRegistroOpciones(negocio()).getScalarAsInt() <= 0)
        opciones.insertRegistroOpciones(negocio());
    return true;
}

bool TarranqueInventario::insertaVersionTablaSalida(int version) {
    Topciones opciones(sesion());
    return opciones.updateVersionTablaSalidas(version, negocio()).isSuccess();
}

int TarranqueInventario::bsucaVersionTablaSalida() {
    Topciones opciones(sesion());
    return int(opciones.selectVersionTablaSalidas(negocio()).getScalarAsInt());
}

bool TarranqueInventario::agregaColumnaOpciones() {
    TestadoTablas opciones(sesion());
    return opciones.alterAgregaColumnaOpciones().isSuccess();
}

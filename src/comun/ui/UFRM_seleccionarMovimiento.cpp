#include "comun/ui/UFRM_seleccionarMovimiento.h"

#include "comun/UMOD_seleccion.h"
#include "comun/ui/UFRM_seleccionarProducto.h"
#include "comun/ui/U_filtrosEntrada.h"
#include "comun/ui/UgridControl.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TFRM_seleccionarMovimiento::TFRM_seleccionarMovimiento(const TsistemaDatos &sistema, QWidget *padre)
    : TdialogoModal(QStringLiteral("Seleccionar Movimiento"), padre), uSistema(sistema) {
    auto *principal = new QVBoxLayout(this);
    auto *filtros = new QGridLayout;
    DTP_inicial = u_fecha(this, QStringLiteral("DTP_inicial"));
    DTP_final = u_fecha(this, QStringLiteral("DTP_final"));
    auto *contenedorProducto =
        u_boton(this, QStringLiteral("contenedor_producto"), QStringLiteral("Producto…"));
    LBL_producto = u_etiqueta(this, QStringLiteral("LBL_producto"));
    auto *reiniciaProducto =
        u_boton(this, QStringLiteral("BTN_reiniciarLBLproducto"), QStringLiteral("Limpiar"));
    TXT_documento = u_campo(this, QStringLiteral("TXT_documento"), 12);
    u_soloNumeros(TXT_documento);
    auto *reiniciaDocumento =
        u_boton(this, QStringLiteral("BTN_reiniciarTXTdocumento"), QStringLiteral("Limpiar"));
    TXT_comprobante = u_campo(this, QStringLiteral("TXT_comprobante"), 36);
    auto *reiniciaComprobante =
        u_boton(this, QStringLiteral("BTN_reiniciarTXTcomprobante"), QStringLiteral("Limpiar"));
    auto *busca = u_boton(this, QStringLiteral("BTN_buscar"), QStringLiteral("Buscar"));
    filtros->addWidget(u_etiqueta(this, QStringLiteral("LBL_inicial"), QStringLiteral("Fecha Inicial")), 0,
                       0);
    filtros->addWidget(DTP_inicial, 0, 1);
    filtros->addWidget(u_etiqueta(this, QStringLiteral("LBL_final"), QStringLiteral("Fecha Final")), 0, 2);
    filtros->addWidget(DTP_final, 0, 3);
    filtros->addWidget(contenedorProducto, 1, 0);
    filtros->addWidget(LBL_producto, 1, 1, 1, 2);
    filtros->addWidget(reiniciaProducto, 1, 3);
    filtros->addWidget(u_etiqueta(this, QStringLiteral("LBL_documento"), QStringLiteral("Documento")), 2, 0);
    filtros->addWidget(TXT_documento, 2, 1);
    filtros->addWidget(reiniciaDocumento, 2, 2);
    filtros->addWidget(u_etiqueta(this, QStringLiteral("LBL_comprobante"), QStringLiteral("Comprobante")), 3,
                       0);
    filtros->addWidget(TXT_comprobante, 3, 1, 1, 2);
    filtros->addWidget(reiniciaComprobante, 3, 3);
    filtros->addWidget(busca, 3, 4);
    principal->addLayout(filtros);

    GRD_movimiento = new QTableView(this);
    GRD_movimiento->setObjectName(QStringLiteral("GRD_movimiento"));
    uGrid = new TGridControl(GRD_movimiento);
    uGrid->agregaColumna(QStringLiteral("inventarioSalida_id"), QStringLiteral("No"), 0, false);
    uGrid->agregaColumna(QStringLiteral("inventarioSalida_documento"), QStringLiteral("Documento"), 80);
    uGrid->agregaColumna(QStringLiteral("inventarioSalida_fechaHora"), QStringLiteral("Fecha\\Hora"), 120,
                         true, kColFecha);
    uGrid->agregaColumna(QStringLiteral("inventarioProducto_id"), QStringLiteral("producto_id"), 0, false);
    uGrid->agregaColumna(QStringLiteral("inventarioProducto_nombre"), QStringLiteral("Producto"), 200);
    uGrid->agregaColumna(QStringLiteral("inventarioSalida_cantidad"), QStringLiteral("Cantidad"), 80, true,
                         kColNumero);
    uGrid->agregaColumna(QStringLiteral("_restante"), QStringLiteral("Restante"), 80, true, kColNumero);
    uGrid->agregaColumna(QStringLiteral("inventarioEntrada_existencia"), QStringLiteral("Existencia"), 80,
                         true, kColNumero);
    uGrid->agregaColumna(QStringLiteral("inventarioEntrada_salidaCostoUnitario"),
                         QStringLiteral("Costo Unitario"), 100, true, kColMoneda);
    uGrid->agregaColumna(QStringLiteral("inventarioUnidadesMedida_descripcion"),
                         QStringLiteral("Unidades Medida"), 0, false);
    uGrid->agregaColumna(QStringLiteral("inventarioSalida_idComprobante"), QStringLiteral("comprobante_id"),
                         0, false);
    uGrid->agregaColumna(QStringLiteral("comprobante_uuid"), QStringLiteral("Comprobante"), 260);
    uGrid->agregaColumna(QStringLiteral("inventarioEntrada_id"), QStringLiteral("_movimientoRelacionado"), 0,
                         false);
    uGrid->agregaColumna(QStringLiteral("inventarioProducto_opControladoNoSerie"),
                         QStringLiteral("_opControlNoSerie"), 0, false);
    uGrid->setColumnaEstirada(QStringLiteral("inventarioProducto_nombre"));
    principal->addWidget(GRD_movimiento, 1);
    LBL_msgGRD = u_etiqueta(this, QStringLiteral("LBL_msgGRD"));
    LBL_msgGRD->setAlignment(Qt::AlignCenter);
    principal->addWidget(LBL_msgGRD);
    agregaBotones(principal);
    resize(1000, 480);

    connect(busca, &QPushButton::clicked, this, &TFRM_seleccionarMovimiento::buscar);
    connect(TXT_documento, &QLineEdit::returnPressed, this, &TFRM_seleccionarMovimiento::buscar);
    connect(TXT_comprobante, &QLineEdit::returnPressed, this, &TFRM_seleccionarMovimiento::buscar);
    connect(reiniciaDocumento, &QPushButton::clicked, this, [this] {
        TXT_documento->clear();
        buscar();
    });
    connect(reiniciaComprobante, &QPushButton::clicked, this, [this] {
        TXT_comprobante->clear();
        buscar();
    });
    connect(reiniciaProducto, &QPushButton::clicked, this, [this] {
        uSolicitud.productoID = 0;
        uSolicitud.productoNombre.clear();
        muestraProducto();
        buscar();
    });
    connect(contenedorProducto, &QPushButton::clicked, this, &TFRM_seleccionarMovimiento::eligeProducto);
    connect(uGrid, &TGridControl::filaActivada, this, [this] { alAceptar(); });
}

void TFRM_seleccionarMovimiento::prepara(TmodoMovimiento modo, const UREC_seleccionarMovimiento &solicitud) {
    uModo = modo;
    uSolicitud = solicitud;
    uRespuesta = solicitud;
    uRespuesta.aceptar = false;
    DTP_final->setDate(QDate::currentDate());
    DTP_inicial->setDate(QDate::currentDate().addMonths(-1));
    TXT_documento->clear();
    TXT_comprobante->clear();
    muestraColumnasDelModo();
    muestraProducto();
    buscar();
}

// Loading rows shows every column again, so the mode's columns are set after each load.
void TFRM_seleccionarMovimiento::muestraColumnasDelModo() {
    const bool entradas = uModo == TmodoMovimiento::Entradas;
    uGrid->grid()->setColumnHidden(uGrid->indiceColumna(QStringLiteral("inventarioSalida_cantidad")),
                                   entradas);
    uGrid->grid()->setColumnHidden(
        uGrid->indiceColumna(QStringLiteral("inventarioEntrada_salidaCostoUnitario")), entradas);
    uGrid->grid()->setColumnHidden(uGrid->indiceColumna(QStringLiteral("inventarioEntrada_existencia")),
                                   !entradas);
}

void TFRM_seleccionarMovimiento::muestraProducto() {
    LBL_producto->setText(uSolicitud.productoID > 0 ? uSolicitud.productoNombre : QString());
}

void TFRM_seleccionarMovimiento::eligeProducto() {
    TproductoSeleccionadoDescripcion producto;
    TFRM_seleccionarProducto selector(uSistema, this);
    selector.init(producto, uSistema);
    if (!producto.seleccionado)
        return;
    uSolicitud.productoID = producto.productoId;
    uSolicitud.productoNombre = producto.nombre;
    muestraProducto();
    buscar();
}

void TFRM_seleccionarMovimiento::buscar() {
    if (uSolicitud.almacenID <= 0)
        return;
    TbusquedaMovimiento b;
    b.inicial = DTP_inicial->date();
    b.final = DTP_final->date();
    b.productoID = uSolicitud.productoID;
    b.documento = TXT_documento->text();
    b.comprobante = TXT_comprobante->text();
    const CmidTierResponse filas = u_buscaMovimientos(
        uSistema.getConexion(), uSistema.getNegocio().getIdNegocio(), uModo, uSolicitud.almacenID, b);
    if (!filas.isSuccess())
        return;
    uFilas = filas;
    uGrid->carga(filas);
    muestraColumnasDelModo();
    LBL_msgGRD->setText(filas.getRowCount() == 0 ? QStringLiteral("No hay elementos que mostrar")
                                                 : QString());
}

void TFRM_seleccionarMovimiento::alAceptar() {
    const int fila = uGrid->filaSeleccionada();
    if (uFilas.getRowCount() == 0 || fila < 0)
        return;
    uRespuesta = u_leeMovimiento(uFilas, fila, uModo, uSolicitud);
    acepta();
}

UREC_seleccionarMovimiento TFRM_seleccionarMovimiento::ejecuta(TmodoMovimiento modo,
                                                               const UREC_seleccionarMovimiento &solicitud) {
    prepara(modo, solicitud);
    exec();
    if (!uAceptar)
        uRespuesta.aceptar = false;
    return uRespuesta;
}

UREC_seleccionarMovimiento
TFRM_seleccionarMovimiento::initbuscaEntradas(const UREC_seleccionarMovimiento &s) {
    return ejecuta(TmodoMovimiento::Entradas, s);
}

UREC_seleccionarMovimiento TFRM_seleccionarMovimiento::initbuscaSalidas(const UREC_seleccionarMovimiento &s) {
    return ejecuta(TmodoMovimiento::Salidas, s);
}

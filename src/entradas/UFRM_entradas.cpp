#include "entradas/UFRM_entradas.h"

#include "comun/UNEG_conceptosMovimiento.h"
#include "comun/U_busquedaTexto.h"
#include "comun/ui/UFRM_seleccionarProducto.h"
#include "comun/ui/UFRM_seleccionarProveedor.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/U_filtrosEntrada.h"
#include "comun/ui/U_imagenes.h"
#include "comun/ui/U_listaIds.h"
#include "comun/ui/U_pantallaLista.h"
#include "comun/ui/U_reportes.h"
#include "comun/ui/UdialogoModal.h"
#include "comun/ui/UgridControl.h"
#include "datos/UcodigosInventario.h"
#include "datos/UfechaHora.h"
#include "entradas/UFRM_entradasDetalle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString kTitulo = QStringLiteral("Entradas");
const QString kSinProducto = QStringLiteral("Seleccionar... ");
const QString kSinProveedor = QStringLiteral("Todos");
// The search panel closed hides the lot filters.
constexpr int kAltoBusqueda = 73;
constexpr int kAltoBusquedaCompleta = 118;

TFRM_entradas::TcapturaEntrada &capturaGeneral() {
    static TFRM_entradas::TcapturaEntrada captura;
    return captura;
}
TFRM_entradas::TcapturaEntrada &capturaOrdenCompra() {
    static TFRM_entradas::TcapturaEntrada captura;
    return captura;
}
} // namespace

void TFRM_entradas::setCapturaGeneral(TcapturaEntrada captura) {
    capturaGeneral() = std::move(captura);
}

void TFRM_entradas::setCapturaOrdenCompra(TcapturaEntrada captura) {
    capturaOrdenCompra() = std::move(captura);
}

TFRM_entradas::TFRM_entradas(QWidget *padre) : QWidget(padre) {
    FormCreate();
}

void TFRM_entradas::FormCreate() {
    setObjectName(QStringLiteral("FRM_entradas"));
    setWindowTitle(kTitulo);
    PNL_busqueda = creaBusqueda();

    BTN_nuevaEntrada =
        u_creaBoton(QStringLiteral("BTN_nuevaEntrada"), QStringLiteral("Nueva Entrada General"), this);
    BTN_nuevaEntradaOrdenCompra = u_creaBoton(QStringLiteral("BTN_nuevaEntradaOrdenCompra"),
                                              QStringLiteral("Nueva Recepción Orden de Compra"), this);
    TbotonesExportar exportar;
    QHBoxLayout *acciones = u_filaAcciones(this, {BTN_nuevaEntrada, BTN_nuevaEntradaOrdenCompra}, exportar);
    BTN_exportarExcel = exportar.excel;
    BTN_exportarPDF = exportar.pdf;
    BTN_exportarPDFlote = exportar.pdfLote;

    creaGrid();
    auto *raiz = new QVBoxLayout(this);
    raiz->addWidget(u_creaTitulo(kTitulo, this));
    raiz->addWidget(PNL_busqueda);
    raiz->addLayout(acciones);
    raiz->addWidget(GRD_main, 1);

    connect(BTN_nuevaEntrada, &QPushButton::clicked, this, [this] {
        if (u_abreCaptura(capturaGeneral(), this,
                          QStringLiteral("La captura de entradas generales no está disponible.")))
            buscar();
    });
    connect(BTN_nuevaEntradaOrdenCompra, &QPushButton::clicked, this, [this] {
        if (u_abreCaptura(capturaOrdenCompra(), this,
                          QStringLiteral("La recepción de órdenes de compra no está disponible.")))
            buscar();
    });
    connect(BTN_exportarExcel, &QPushButton::clicked, this, [this] {
        if (u_hayElementos(*uGRD_entradasControl))
            exportarGridExcelUNI(*uGRD_entradasControl, kTitulo, uSistema);
    });
    connect(BTN_exportarPDF, &QPushButton::clicked, this, &TFRM_entradas::exportaGridGeneraPDF);
    connect(BTN_exportarPDFlote, &QPushButton::clicked, this, &TFRM_entradas::exportaGridGeneraPDFlote);
}

QFrame *TFRM_entradas::creaBusqueda() {
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("PNL_busqueda"));
    uMasFiltros = new TdespliegueFiltros(panel, kAltoBusqueda, kAltoBusquedaCompleta);
    const QDate hoy = QDate::currentDate();
    DTP_fechaInicial = u_fecha(panel, QStringLiteral("DTP_fechaInicial"), hoy.addMonths(-1));
    DTP_fechaFinal = u_fecha(panel, QStringLiteral("DTP_fechaFinal"), hoy);
    CMB_almacen = new QComboBox(panel);
    CMB_almacen->setObjectName(QStringLiteral("CMB_almacen"));
    CMB_almacen->setMinimumWidth(140);
    CMB_concepto = new QComboBox(panel);
    CMB_concepto->setObjectName(QStringLiteral("CMB_concepto"));
    CMB_concepto->setMinimumWidth(140);
    LBL_producto = u_creaEtiqueta(QStringLiteral("LBL_producto"), kSinProducto, panel);
    LBL_producto->setMinimumWidth(150);
    LBL_proveedor = u_creaEtiqueta(QStringLiteral("LBL_proveedor"), kSinProveedor, panel);
    LBL_proveedor->setMinimumWidth(120);
    TXT_documento = u_campo(panel, QStringLiteral("TXT_documento"), 12);
    u_soloNumeros(TXT_documento);
    TXT_documento->setMaximumWidth(90);
    TXT_lote = u_campo(panel, QStringLiteral("TXT_lote"), 50);
    CHK_produccion = new QCheckBox(QStringLiteral("Producción"), panel);
    CHK_produccion->setObjectName(QStringLiteral("CHK_produccion"));
    CHK_caducidad = new QCheckBox(QStringLiteral("Caducidad"), panel);
    CHK_caducidad->setObjectName(QStringLiteral("CHK_caducidad"));
    DTP_produccionInicial = u_fecha(panel, QStringLiteral("DTP_produccionInicial"), hoy.addMonths(-1));
    DTP_produccionFinal = u_fecha(panel, QStringLiteral("DTP_produccionFinal"), hoy);
    DTP_caducidadInicial = u_fecha(panel, QStringLiteral("DTP_caducidadInicial"), hoy.addMonths(-1));
    DTP_caducidadFinal = u_fecha(panel, QStringLiteral("DTP_caducidadFinal"), hoy);
    for (QDateEdit *d :
         {DTP_produccionInicial, DTP_produccionFinal, DTP_caducidadInicial, DTP_caducidadFinal})
        d->setEnabled(false);

    QPushButton *producto = u_creaBoton(QStringLiteral("BTN_producto"), QStringLiteral("..."), panel);
    QPushButton *limpiaProductoB = u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarProducto"), panel);
    QPushButton *proveedor = u_creaBoton(QStringLiteral("BTN_proveedor"), QStringLiteral("..."), panel);
    QPushButton *limpiaProveedorB = u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarProveedor"), panel);
    QPushButton *buscarB = u_creaBoton(QStringLiteral("BTN_buscar"), QStringLiteral("Buscar"), panel);
    QPushButton *verTodos = u_creaBoton(QStringLiteral("BTN_verTodos"), QStringLiteral("Ver Todos"), panel);
    QPushButton *masFiltros =
        u_creaBoton(QStringLiteral("BTN_masFiltros"), QStringLiteral("Más Filtros"), panel);

    auto *g = new QGridLayout(panel);
    g->setContentsMargins(0, 0, 0, 0);
    int c = 0;
    const auto columna = [&](const QString &nombre, const QString &texto, QWidget *w,
                             QWidget *extra = nullptr, QWidget *extra2 = nullptr) {
        g->addWidget(u_creaEtiqueta(nombre, texto, panel), 0, c);
        auto *fila = new QHBoxLayout;
        fila->addWidget(w, 1);
        if (extra)
            fila->addWidget(extra);
        if (extra2)
            fila->addWidget(extra2);
        g->addLayout(fila, 1, c++);
    };
    columna(QStringLiteral("LBL_fechaInicialTitulo"), QStringLiteral("Desde"), DTP_fechaInicial);
    columna(QStringLiteral("LBL_fechaFinalTitulo"), QStringLiteral("Hasta"), DTP_fechaFinal);
    columna(QStringLiteral("LBL_almacenTitulo"), QStringLiteral("Almacén"), CMB_almacen);
    columna(QStringLiteral("LBL_conceptoTitulo"), QStringLiteral("Concepto"), CMB_concepto);
    columna(QStringLiteral("LBL_documentoTitulo"), QStringLiteral("Documento"), TXT_documento);
    columna(QStringLiteral("LBL_productoTitulo"), QStringLiteral("Producto"), LBL_producto, producto,
            limpiaProductoB);
    columna(QStringLiteral("LBL_proveedorTitulo"), QStringLiteral("Proveedor"), LBL_proveedor, proveedor,
            limpiaProveedorB);
    auto *botones = new QHBoxLayout;
    botones->addWidget(buscarB);
    botones->addWidget(verTodos);
    botones->addWidget(masFiltros);
    g->addLayout(botones, 1, c);
    // The lot filters, shown by "Más Filtros".
    auto *lotes = new QHBoxLayout;
    lotes->addWidget(u_creaEtiqueta(QStringLiteral("LBL_loteTitulo"), QStringLiteral("Lote"), panel));
    lotes->addWidget(TXT_lote);
    lotes->addSpacing(12);
    lotes->addWidget(CHK_produccion);
    lotes->addWidget(DTP_produccionInicial);
    lotes->addWidget(DTP_produccionFinal);
    lotes->addSpacing(12);
    lotes->addWidget(CHK_caducidad);
    lotes->addWidget(DTP_caducidadInicial);
    lotes->addWidget(DTP_caducidadFinal);
    lotes->addStretch();
    g->addLayout(lotes, 2, 0, 1, c + 1);

    connect(buscarB, &QPushButton::clicked, this, &TFRM_entradas::buscar);
    connect(verTodos, &QPushButton::clicked, this, &TFRM_entradas::BTN_verTodosClick);
    connect(masFiltros, &QPushButton::clicked, uMasFiltros, &TdespliegueFiltros::alterna);
    connect(producto, &QPushButton::clicked, this, &TFRM_entradas::BTN_productoClick);
    connect(proveedor, &QPushButton::clicked, this, &TFRM_entradas::BTN_proveedorClick);
    connect(limpiaProductoB, &QPushButton::clicked, this, [this] {
        limpiaProducto();
        buscar();
    });
    connect(limpiaProveedorB, &QPushButton::clicked, this, [this] {
        limpiaProveedor();
        buscar();
    });
    connect(CMB_almacen, &QComboBox::activated, this, &TFRM_entradas::buscar);
    connect(CMB_concepto, &QComboBox::activated, this, &TFRM_entradas::buscar);
    connect(TXT_documento, &QLineEdit::returnPressed, this, &TFRM_entradas::buscar);
    connect(TXT_lote, &QLineEdit::returnPressed, this, &TFRM_entradas::buscar);
    const auto casilla = [this](QCheckBox *chk, QDateEdit *a, QDateEdit *b) {
        connect(chk, &QCheckBox::toggled, this, [this, a, b](bool activa) {
            a->setEnabled(activa);
            b->setEnabled(activa);
            buscar();
        });
    };
    casilla(CHK_produccion, DTP_produccionInicial, DTP_produccionFinal);
    casilla(CHK_caducidad, DTP_caducidadInicial, DTP_caducidadFinal);
    for (QDateEdit *d : {DTP_fechaInicial, DTP_fechaFinal, DTP_produccionInicial, DTP_produccionFinal,
                         DTP_caducidadInicial, DTP_caducidadFinal})
        d->installEventFilter(this);
    return panel;
}

void TFRM_entradas::creaGrid() {
    GRD_main = new QTableView(this);
    GRD_main->setObjectName(QStringLiteral("GRD_main"));
    TGridControl *g = uGRD_entradasControl = new TGridControl(GRD_main);
    g->agregaColumnaIcono(QStringLiteral("edita"), mini_cargaImage(QStringLiteral("Edita")), 40);
    g->agregaColumna(QStringLiteral("inventarioEntrada_id"), QStringLiteral("_id"), 0, false);
    g->agregaColumna(QStringLiteral("inventarioEntrada_documento"), QStringLiteral("No"), 40);
    g->agregaColumna(QStringLiteral("inventarioEntrada_fechaHora"), QStringLiteral("Fecha\\Hora"), 150, true,
                     kColFecha);
    g->agregaColumna(QStringLiteral("inventarioAlmacen_id"), QStringLiteral("almacen_id"), 0, false);
    g->agregaColumna(QStringLiteral("inventarioAlmacen_nombre"), QStringLiteral("Almacén"), 100);
    g->agregaColumna(QStringLiteral("inventarioProducto_id"), QStringLiteral("producto_id"), 0, false);
    g->agregaColumna(QStringLiteral("inventarioProducto_nombre"), QStringLiteral("Producto"), 200);
    g->agregaColumna(QStringLiteral("inventarioEntrada_cantidad"), QStringLiteral("Cantidad"), 60, true,
                     kColNumero);
    g->agregaColumna(QStringLiteral("inventarioEntrada_existencia"), QStringLiteral("Existencia"), 60, true,
                     kColNumero);
    g->agregaColumna(QStringLiteral("inventarioEntrada_existenciaCostoUnitario"),
                     QStringLiteral("Costo Unitario"), 100, true, kColMoneda);
    g->agregaColumna(QStringLiteral("inventarioEntrada_idComprobante"), QStringLiteral("comprobante_id"), 0,
                     false);
    g->agregaColumna(QStringLiteral("inventarioEntrada_numeroOrden"), QStringLiteral("Orden Compra"), 100);
    g->agregaColumna(QStringLiteral("comprobante_uuid"), QStringLiteral("Comprobante"), 250);
    g->agregaColumna(QStringLiteral("inventarioMovimientoConcepto_etiqueta"), QStringLiteral("Concepto"),
                     150);
    g->agregaColumna(QStringLiteral("emisor_nombre"), QStringLiteral("Proveedor"), 150);
    g->agregaColumna(QStringLiteral("inventarioLote_numero"), QStringLiteral("Lote"), 150);
    g->agregaColumna(QStringLiteral("inventarioLote_fechaProduccion"), QStringLiteral("Producción"), 150,
                     true, kColDia);
    g->agregaColumna(QStringLiteral("inventarioLote_fechaCaducidad"), QStringLiteral("Caducidad"), 150, true,
                     kColDia);
    g->setColumnaEstirada(QStringLiteral("inventarioProducto_nombre"));
    uAviso = new TavisoListaVacia(GRD_main);
    connect(g, &TGridControl::celdaClic, this, [this](int fila, int columna, const QString &) {
        if (columna == 0)
            abreDetalle(fila);
    });
    connect(g, &TGridControl::filaActivada, this, &TFRM_entradas::abreDetalle);
}

bool TFRM_entradas::eventFilter(QObject *objeto, QEvent *evento) {
    if (qobject_cast<QDateEdit *>(objeto) && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent *>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            buscar();
            return true;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

void TFRM_entradas::initPermisos() {
    const bool permitido = !uSistema.esRestringido();
    for (QPushButton *b : {BTN_exportarExcel, BTN_exportarPDF, BTN_exportarPDFlote, BTN_nuevaEntrada,
                           BTN_nuevaEntradaOrdenCompra})
        b->setEnabled(permitido);
}

bool TFRM_entradas::init() {
    uSistema = localSYS;
    initPermisos();
    if (!cargaAlmacenes())
        return false;
    if (!uBusquedaInicial) {
        uBusquedaInicial = true;
        buscar();
    }
    return true;
}

bool TFRM_entradas::cargaAlmacenes() {
    const CmidTierResponse conceptos =
        TconceptosMovimiento(uSistema.getConexion())
            .selectMovimientoConcepto(kConceptoEntrada, uSistema.getNegocio().getIdNegocio());
    // Reloading keeps the choices that still exist.
    if (!conceptos.isSuccess() ||
        !u_llenaAlmacenes(CMB_almacen, uValueMember_CMB_almacen, uSistema, QStringLiteral("Todos")))
        return false;
    const QVariant concepto = CMB_concepto->currentData();
    CMB_concepto->clear();
    CMB_concepto->addItem(QStringLiteral("Todos"));
    for (int f = 0; f < conceptos.getRowCount(); ++f)
        CMB_concepto->addItem(conceptos.getCelda(f, QStringLiteral("inventarioMovimientoConcepto_etiqueta")),
                              conceptos.getCeldaAsInt(f, QStringLiteral("inventarioMovimientoConcepto_id")));
    CMB_concepto->setCurrentIndex(qMax(0, CMB_concepto->findData(concepto)));
    return true;
}

TentradasConsulta::TfiltroEntradas TFRM_entradas::filtro() const {
    TentradasConsulta::TfiltroEntradas f;
    f.inicial = fechaHora::inicioDelDia(DTP_fechaInicial->date());
    f.final_ = fechaHora::finDelDia(DTP_fechaFinal->date());
    if (CMB_almacen->currentIndex() > 0)
        f.almacen = uValueMember_CMB_almacen.value(CMB_almacen->currentIndex());
    if (CMB_concepto->currentIndex() > 0)
        f.concepto = CMB_concepto->currentData();
    if (uProductoSeleccionado.seleccionado)
        f.producto = uProductoSeleccionado.productoId;
    if (!TXT_documento->text().trimmed().isEmpty()) {
        bool ok = false;
        const qint64 documento = TXT_documento->text().trimmed().toLongLong(&ok);
        f.documento = ok ? documento : -1; // not a document number: nothing matches
    }
    if (uProveedor.id > 0) {
        f.proveedor = uProveedor.id;
        if (!uProveedor.rfc.trimmed().isEmpty())
            f.proveedorRfc = uProveedor.rfc.trimmed();
    }
    if (!TXT_lote->text().trimmed().isEmpty())
        f.lote = u_patronContiene(TXT_lote->text());
    if (CHK_produccion->isChecked()) {
        f.produccionInicial = fechaHora::inicioDelDia(DTP_produccionInicial->date());
        f.produccionFinal = fechaHora::finDelDia(DTP_produccionFinal->date());
    }
    if (CHK_caducidad->isChecked()) {
        f.caducidadInicial = fechaHora::inicioDelDia(DTP_caducidadInicial->date());
        f.caducidadFinal = fechaHora::finDelDia(DTP_caducidadFinal->date());
    }
    return f;
}

void TFRM_entradas::buscar() {
    TentradasConsulta datos(uSistema.getConexion());
    if (!uGRD_entradasControl->carga(datos.selectEntradas(filtro(), uSistema.getNegocio().getIdNegocio())))
        return;
    uAviso->muestra(uGRD_entradasControl->filas() == 0);
}

bool TFRM_entradas::masFiltrosVisibles() const {
    return uMasFiltros->abierto();
}

void TFRM_entradas::BTN_verTodosClick() {
    const QDate hoy = QDate::currentDate();
    CMB_almacen->setCurrentIndex(0);
    CMB_concepto->setCurrentIndex(0);
    limpiaProducto();
    limpiaProveedor();
    TXT_documento->clear();
    TXT_lote->clear();
    for (QDateEdit *d :
         {DTP_produccionInicial, DTP_produccionFinal, DTP_caducidadInicial, DTP_caducidadFinal})
        d->setDate(hoy);
    for (QCheckBox *chk : {CHK_produccion, CHK_caducidad}) {
        const QSignalBlocker callado(chk);
        chk->setChecked(false);
    }
    for (QDateEdit *d :
         {DTP_produccionInicial, DTP_produccionFinal, DTP_caducidadInicial, DTP_caducidadFinal})
        d->setEnabled(false);
    buscar();
}

void TFRM_entradas::BTN_productoClick() {
    TproductoSeleccionadoDescripcion producto = uProductoSeleccionado;
    TFRM_seleccionarProducto selector(uSistema, this);
    selector.init(producto, uSistema);
    if (!producto.seleccionado)
        return;
    uProductoSeleccionado = producto;
    LBL_producto->setText(producto.nombre);
    buscar();
}

void TFRM_entradas::BTN_proveedorClick() {
    Rproveedor proveedor;
    TFRM_seleccionarProveedor selector(uSistema, this);
    selector.init(proveedor);
    if (!proveedor.aceptado || proveedor.id < 1)
        return;
    uProveedor = proveedor;
    LBL_proveedor->setText(proveedor.nombre);
    buscar();
}

void TFRM_entradas::limpiaProducto() {
    uProductoSeleccionado = {};
    LBL_producto->setText(kSinProducto);
}

void TFRM_entradas::limpiaProveedor() {
    uProveedor = {};
    LBL_proveedor->setText(kSinProveedor);
}

void TFRM_entradas::abreDetalle(int fila) {
    const int id = int(uGRD_entradasControl->getCeldaAsInt(fila, QStringLiteral("inventarioEntrada_id")));
    if (id <= 0)
        return;
    TFRM_entradasDetalle detalle(uSistema, this);
    detalle.init(id);
    buscar();
}

namespace {
const TcolumnaReporte kColumnasEntradas[] = {
    {"Doc.", kContenidoTexto, 30, kAlineaCentro, "inventarioEntrada_documento"},
    {"Fecha/Hora", kContenidoTexto, 80, kAlineaCentro, "inventarioEntrada_fechaHora"},
    {"Almacén", kContenidoTexto, 90, kAlineaCentro, "inventarioAlmacen_nombre"},
    {"Producto", kContenidoTexto, 160, kAlineaIzquierda, "inventarioProducto_nombre"},
    {"Cantidad", kContenidoTexto, 40, kAlineaDerecha, "inventarioEntrada_cantidad"},
    {"Existencia", kContenidoTexto, 40, kAlineaDerecha, "inventarioEntrada_existencia"},
    {"C.Unitario", kContenidoMoneda, 45, kAlineaDerecha, "inventarioEntrada_existenciaCostoUnitario"},
    {"O. Compra", kContenidoTexto, 45, kAlineaCentro, "inventarioEntrada_numeroOrden"},
    {"Comprobante", kContenidoTexto, 120, kAlineaCentro, "comprobante_uuid"},
    {"Concepto", kContenidoTexto, 60, kAlineaCentro, "inventarioMovimientoConcepto_etiqueta"},
    {"Proveedor", kContenidoTexto, 80, kAlineaCentro, "emisor_nombre"},
};

const TcolumnaReporte kColumnasLote[] = {
    {"Doc.", kContenidoTexto, 30, kAlineaCentro, "inventarioEntrada_documento"},
    {"Fecha\\Hora", kContenidoTexto, 80, kAlineaCentro, "inventarioEntrada_fechaHora"},
    {"Almacén", kContenidoTexto, 90, kAlineaCentro, "inventarioAlmacen_nombre"},
    {"Producto", kContenidoTexto, 160, kAlineaIzquierda, "inventarioProducto_nombre"},
    {"Cantidad", kContenidoTexto, 40, kAlineaDerecha, "inventarioEntrada_cantidad"},
    {"Existencia", kContenidoTexto, 40, kAlineaDerecha, "inventarioEntrada_existencia"},
    {"Costo Unitario", kContenidoMoneda, 60, kAlineaDerecha, "inventarioEntrada_existenciaCostoUnitario"},
    {"Lote", kContenidoTexto, 80, kAlineaCentro, "inventarioLote_numero"},
    {"Producción", kContenidoTexto, 80, kAlineaCentro, "inventarioLote_fechaProduccion"},
    {"Caducidad", kContenidoTexto, 80, kAlineaCentro, "inventarioLote_fechaCaducidad"},
};

} // namespace

void TFRM_entradas::exportaGridGeneraPDF() {
    // An empty list prints nothing, without a word: the button does nothing.
    if (uGRD_entradasControl->filas() > 0)
        u_exportaPDF(kTitulo, u_tablaReporte(kColumnasEntradas, *uGRD_entradasControl), uSistema,
                     u_opcionesRangoPDF(DTP_fechaInicial, DTP_fechaFinal, 50.0));
}

void TFRM_entradas::exportaGridGeneraPDFlote() {
    const QString titulo = QStringLiteral("Entradas (Lote)");
    if (uGRD_entradasControl->filas() > 0)
        u_exportaPDF(titulo, u_tablaReporte(kColumnasLote, *uGRD_entradasControl), uSistema,
                     u_opcionesRangoPDF(DTP_fechaInicial, DTP_fechaFinal, 50.0, titulo));
}

#include "entradas/UFRM_EntradaInventarioOrdenCompra.h"

#include "comun/U_mensajes.h"
#include "comun/U_utilerias.h"
#include "comun/ui/UFRM_capturarCodigoBarras.h"
#include "comun/ui/UFRM_capturarPropiedadesAdicionales.h"
#include "comun/ui/UFRM_seleccionarComprobante.h"
#include "comun/ui/UFRM_seleccionarProducto.h"
#include "comun/ui/UFRM_seleccionarUnidadMedida.h"
#include "comun/ui/UFRM_selectorBase.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/U_filtrosEntrada.h"
#include "comun/ui/U_imagenes.h"
#include "comun/ui/U_listaIds.h"
#include "comun/ui/UgridControl.h"
#include "datos/UfechaHora.h"
#include "entradas/UFRM_lote.h"
#include "entradas/UFRM_noSerie.h"
#include "entradas/UFRM_pedimento.h"
#include "entradas/UFRM_seleccionarOrdenCompra.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableView>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {
const QString kHagaClic = QStringLiteral("Haga clic aquí");
const QString kConDatos = QStringLiteral("Con Datos Capturados");
constexpr int kLargoNumero = 20;

QLabel *valor(QWidget *padre, const QString &nombre) {
    QLabel *l = u_etiqueta(padre, nombre);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

// A caption and its value in a two-column grid.
void agregaPar(QGridLayout *g, int fila, int columna, const QString &caption, QWidget *campo) {
    auto *c = new QLabel(caption);
    c->setStyleSheet(QStringLiteral("font-weight: 600;"));
    g->addWidget(c, fila, columna * 2);
    g->addWidget(campo, fila, columna * 2 + 1);
}

QString estado(bool capturado) {
    return capturado ? kConDatos : QString();
}

// The quantity as the line editor shows it: empty while nothing is received.
QString textoRecibido(const TlineaOrdenCompra &o) {
    return u_esCero(o.recibido) ? QString() : FloatToStr(o.recibido);
}
} // namespace

TFRM_EntradaInventarioOrdenCompra::TFRM_EntradaInventarioOrdenCompra(const TsistemaDatos &sistema,
                                                                     QWidget *padre)
    : TdialogoModal(QStringLiteral("Recepción de Orden de Compra"), padre), uSistema(sistema),
      uRecepcion(sistema.getConexion(), sistema.getNegocio().getIdNegocio()) {
    FormCreate();
}

bool TFRM_EntradaInventarioOrdenCompra::captura(QWidget *padre) {
    TFRM_EntradaInventarioOrdenCompra pantalla(localSYS, padre);
    return pantalla.init();
}

void TFRM_EntradaInventarioOrdenCompra::FormCreate() {
    setObjectName(QStringLiteral("FRM_EntradaInventarioOrdenCompra"));
    auto *raiz = new QVBoxLayout(this);
    raiz->addWidget(u_creaTitulo(QStringLiteral("Recepción de Orden de Compra"), this));
    PGC_main = new QTabWidget(this);
    PGC_main->setObjectName(QStringLiteral("PGC_main"));
    PGC_main->addTab(creaPestanaInicial(), QStringLiteral("Inicial"));
    PGC_main->addTab(creaPestanaComprobante(), QStringLiteral("Comprobante"));
    raiz->addWidget(PGC_main);
    GRD_main = new QTableView(this);
    GRD_main->setObjectName(QStringLiteral("GRD_main"));
    raiz->addWidget(GRD_main, 1);
    LBL_msgGRDarticulos = u_etiqueta(this, QStringLiteral("LBL_msgGRDarticulos"));
    raiz->addWidget(LBL_msgGRDarticulos);
    raiz->addWidget(creaEditorLinea());
    raiz->addWidget(creaDatosOpcionales());
    agregaBotones(raiz);
    creaGrid();
    u_aplicaEstiloDialogo(this);
    resize(1100, 760);
}

QWidget *TFRM_EntradaInventarioOrdenCompra::creaPestanaInicial() {
    auto *panel = new QWidget(this);
    auto *g = new QGridLayout(panel);
    CMB_almacenes = new QComboBox(panel);
    CMB_almacenes->setObjectName(QStringLiteral("CMB_almacenes"));
    LBL_fechaHoraUltimo = valor(panel, QStringLiteral("LBL_fechaHoraUltimo"));
    DTP_fecha = u_fecha(panel, QStringLiteral("DTP_fecha"));
    DTP_hora = new QTimeEdit(panel);
    DTP_hora->setObjectName(QStringLiteral("DTP_hora"));
    DTP_hora->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    agregaPar(g, 0, 0, QStringLiteral("Almacén"), CMB_almacenes);
    agregaPar(g, 1, 0, QStringLiteral("Último Movimiento"), LBL_fechaHoraUltimo);
    agregaPar(g, 2, 0, QStringLiteral("Fecha de Entrada"), DTP_fecha);
    agregaPar(g, 3, 0, QStringLiteral("Hora de Entrada"), DTP_hora);

    contenedor_noOrden = creaContenedor(panel, QStringLiteral("contenedor_noOrden"),
                                        {{LBL_noOrden, "LBL_noOrden", "O. Compra"},
                                         {LBL_proveedor, "LBL_proveedor", "Proveedor"},
                                         {LBL_proveedorRfc, "LBL_proveedorRfc", "RFC"},
                                         {LBL_fechaPedido, "LBL_fechaPedido", "Fecha Pedido"},
                                         {LBL_fechaEntrega, "LBL_fechaEntrega", "Fecha Entrega"},
                                         {LBL_ordenCompraTotal, "LBL_ordenCompraTotal", "Total"}});
    QPushButton *orden = u_boton(contenedor_noOrden, QStringLiteral("BTN_ordenCompra"),
                                 QStringLiteral("Seleccionar Orden de Compra"));
    static_cast<QGridLayout *>(contenedor_noOrden->layout())->addWidget(orden, 3, 0, 1, 4);
    g->addWidget(contenedor_noOrden, 0, 2, 4, 1);
    g->setColumnStretch(2, 1);

    connect(CMB_almacenes, &QComboBox::currentIndexChanged, this,
            &TFRM_EntradaInventarioOrdenCompra::CMB_almacenesChange);
    connect(orden, &QPushButton::clicked, this, &TFRM_EntradaInventarioOrdenCompra::contenedor_noOrdenClick);
    return panel;
}

// A clickable panel of caption / value pairs, three rows to a column.
QFrame *TFRM_EntradaInventarioOrdenCompra::creaContenedor(QWidget *padre, const QString &nombre,
                                                          std::initializer_list<Tvalor> valores) {
    auto *c = new QFrame(padre);
    c->setObjectName(nombre);
    c->setFrameShape(QFrame::StyledPanel);
    c->setCursor(Qt::PointingHandCursor);
    c->installEventFilter(this);
    auto *g = new QGridLayout(c);
    int i = 0;
    for (const Tvalor &v : valores) {
        v.etiqueta = valor(c, QString::fromLatin1(v.nombre));
        agregaPar(g, i % 3, i / 3, QString::fromUtf8(v.caption), v.etiqueta);
        ++i;
    }
    return c;
}

QWidget *TFRM_EntradaInventarioOrdenCompra::creaPestanaComprobante() {
    auto *panel = new QWidget(this);
    auto *v = new QVBoxLayout(panel);
    contenedor_comprobante = creaContenedor(panel, QStringLiteral("contenedor_comprobante"),
                                            {{LBL_comprobante, "LBL_comprobante", "Comprobante"},
                                             {LBL_emisor, "LBL_emisor", "Emisor/Proveedor"},
                                             {LBL_emisorRFC, "LBL_emisorRFC", "RFC"},
                                             {LBL_fechaHora, "LBL_fechaHora", "Fecha/Hora"},
                                             {LBL_total, "LBL_total", "Total"}});
    auto *botones = new QHBoxLayout;
    QPushButton *elegir =
        u_boton(panel, QStringLiteral("BTN_comprobante"), QStringLiteral("Seleccionar Comprobante"));
    QPushButton *limpiar =
        u_boton(panel, QStringLiteral("BTN_reiniciarLBLcomprobante"), QStringLiteral("Quitar"));
    botones->addWidget(elegir);
    botones->addWidget(limpiar);
    botones->addStretch();
    v->addWidget(contenedor_comprobante);
    v->addLayout(botones);
    v->addStretch();
    connect(elegir, &QPushButton::clicked, this,
            &TFRM_EntradaInventarioOrdenCompra::contenedor_comprobanteClick);
    connect(limpiar, &QPushButton::clicked, this, &TFRM_EntradaInventarioOrdenCompra::limpiaComprobante);
    return panel;
}

QFrame *TFRM_EntradaInventarioOrdenCompra::creaEditorLinea() {
    contenedor_foot = new QFrame(this);
    contenedor_foot->setObjectName(QStringLiteral("contenedor_foot"));
    contenedor_foot->setFrameShape(QFrame::StyledPanel);
    auto *g = new QGridLayout(contenedor_foot);
    LBL_descripcion = valor(contenedor_foot, QStringLiteral("LBL_descripcion"));
    LBL_producto = valor(contenedor_foot, QStringLiteral("LBL_producto"));
    LBL_codigoBarras = valor(contenedor_foot, QStringLiteral("LBL_codigoBarras"));
    LBL_unidadEntrada = valor(contenedor_foot, QStringLiteral("LBL_unidadEntrada"));
    LBL_unidadAlmacenaje = valor(contenedor_foot, QStringLiteral("LBL_unidadAlmacenaje"));
    LBL_cantidadRegistrada = valor(contenedor_foot, QStringLiteral("LBL_cantidadRegistrada"));
    TXT_factorConversion = u_campo(contenedor_foot, QStringLiteral("TXT_factorConversion"), kLargoNumero);
    TXT_cantidad = u_campo(contenedor_foot, QStringLiteral("TXT_cantidad"), kLargoNumero);
    for (QLineEdit *t : {TXT_factorConversion, TXT_cantidad})
        u_soloDecimales(t);
    QPushButton *producto =
        u_boton(contenedor_foot, QStringLiteral("BTN_seleccionarProducto"), QStringLiteral("..."));
    QPushButton *barras = u_boton(contenedor_foot, QStringLiteral("BTN_codigoBarras"), QStringLiteral("..."));
    QPushButton *unidad =
        u_boton(contenedor_foot, QStringLiteral("BTN_unidadEntrada"), QStringLiteral("..."));
    QPushButton *confirma =
        u_boton(contenedor_foot, QStringLiteral("BTN_confirmarCantidad"), QStringLiteral("Confirmar"));
    const auto conBoton = [this](QWidget *campo, QPushButton *boton) {
        auto *w = new QWidget(contenedor_foot);
        auto *h = new QHBoxLayout(w);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(campo, 1);
        h->addWidget(boton);
        return w;
    };
    agregaPar(g, 0, 0, QStringLiteral("Artículo"), LBL_descripcion);
    agregaPar(g, 1, 0, QStringLiteral("Producto Catálogo"), conBoton(LBL_producto, producto));
    agregaPar(g, 2, 0, QStringLiteral("Código de Barras"), conBoton(LBL_codigoBarras, barras));
    agregaPar(g, 0, 1, QStringLiteral("Unidad Recibida"), conBoton(LBL_unidadEntrada, unidad));
    agregaPar(g, 1, 1, QStringLiteral("Unidad Almacén"), LBL_unidadAlmacenaje);
    agregaPar(g, 2, 1, QStringLiteral("Factor de Conversión"), TXT_factorConversion);
    agregaPar(g, 0, 2, QStringLiteral("Recibido"), conBoton(TXT_cantidad, confirma));
    agregaPar(g, 1, 2, QStringLiteral("Cantidad Registrada"), LBL_cantidadRegistrada);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);

    connect(producto, &QPushButton::clicked, this,
            &TFRM_EntradaInventarioOrdenCompra::BTN_seleccionarProductoClick);
    connect(barras, &QPushButton::clicked, this,
            &TFRM_EntradaInventarioOrdenCompra::contenedor_codigoBarrasClick);
    connect(unidad, &QPushButton::clicked, this,
            &TFRM_EntradaInventarioOrdenCompra::contenedor_unidadEntradaClick);
    connect(confirma, &QPushButton::clicked, this, &TFRM_EntradaInventarioOrdenCompra::setCantidadRecibida);
    connect(TXT_factorConversion, &QLineEdit::returnPressed, this,
            &TFRM_EntradaInventarioOrdenCompra::TXT_factorConversionEnter);
    connect(TXT_cantidad, &QLineEdit::returnPressed, this,
            &TFRM_EntradaInventarioOrdenCompra::TXT_cantidadEnter);
    connect(TXT_factorConversion, &QLineEdit::editingFinished, this, [this] {
        if (TXT_factorConversion->text().trimmed().isEmpty())
            TXT_factorConversion->setText(QStringLiteral("1.000"));
    });
    return contenedor_foot;
}

QFrame *TFRM_EntradaInventarioOrdenCompra::creaDatosOpcionales() {
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("hold_propiedadesAdicionales"));
    auto *h = new QHBoxLayout(panel);
    h->addWidget(u_etiqueta(panel, QStringLiteral("LBL_propiedadesTitulo"),
                            QStringLiteral("* Propiedades Adicionales:")));
    const auto parte = [&](const QString &nombre, const QString &caption, QLabel *&estadoParte,
                           void (TFRM_EntradaInventarioOrdenCompra::*accion)()) {
        h->addWidget(new QLabel(caption, panel));
        estadoParte = u_etiqueta(panel, QStringLiteral("LBL_") + nombre);
        estadoParte->setMinimumWidth(estadoParte->fontMetrics().horizontalAdvance(kConDatos) + 24);
        h->addWidget(estadoParte);
        QPushButton *ver = u_boton(panel, QStringLiteral("BTN_") + nombre, QStringLiteral("Ver"));
        h->addWidget(ver);
        connect(ver, &QPushButton::clicked, this, accion);
        return ver;
    };
    parte(QStringLiteral("pedimento"), QStringLiteral("Pedimento"), LBL_pedimento,
          &TFRM_EntradaInventarioOrdenCompra::BTN_pedimentoClick);
    parte(QStringLiteral("lote"), QStringLiteral("Lote"), LBL_lote,
          &TFRM_EntradaInventarioOrdenCompra::BTN_loteClick);
    BTN_noSerie = parte(QStringLiteral("noSerie"), QStringLiteral("No. Serie"), LBL_noSerie,
                        &TFRM_EntradaInventarioOrdenCompra::BTN_noSerieClick);
    parte(QStringLiteral("propiedades"), QStringLiteral("P. Adicionales"), LBL_propiedades,
          &TFRM_EntradaInventarioOrdenCompra::BTN_propiedadesClick);
    h->addStretch();
    return panel;
}

void TFRM_EntradaInventarioOrdenCompra::creaGrid() {
    uGRD_articulosControl = new TGridControl(GRD_main);
    TGridControl *g = uGRD_articulosControl;
    g->agregaColumna(QStringLiteral("_estado"), QStringLiteral("estado"), 0, false);
    QHash<QString, QPixmap> iconos;
    for (const QString &nombre :
         {QStringLiteral("sinCambio"), QStringLiteral("exclamation"), QStringLiteral("activo")})
        iconos.insert(nombre, mini_cargaImage(nombre));
    g->agregaColumnaIconoPorValor(QStringLiteral("_estado"), iconos, 50);
    g->agregaColumna(QStringLiteral("articulosOrdenesCompra_id"), QStringLiteral("_registroID"), 0, false);
    g->agregaColumna(QStringLiteral("articulosOrdenesCompra_descripcionArticulo"),
                     QStringLiteral("Descripción"), 220);
    g->agregaColumna(QStringLiteral("articulosOrdenesCompra_cantidadSolicitada"),
                     QStringLiteral("Solicitado"), 80, true, kColNumero);
    g->agregaColumna(QStringLiteral("inventarioOrdenesCompraArticulos_cantidadAcumulada"),
                     QStringLiteral("Acumulado"), 80, true, kColNumero);
    g->agregaColumna(QStringLiteral("_recibido"), QStringLiteral("Recibido"), 80, true, kColNumero);
    g->agregaColumna(QStringLiteral("unidadMedidaRecibido_descripcion"), QStringLiteral("UdM a."), 50);
    g->agregaColumna(QStringLiteral("_registrado"), QStringLiteral("Rec. Almacén"), 80, true, kColNumero);
    g->agregaColumna(QStringLiteral("unidadMedidaCatalogo_descripcion"), QStringLiteral("UdM r."), 50);
    g->agregaColumna(QStringLiteral("_costoRecibido"), QStringLiteral("Costo U. rec"), 95, true, kColMoneda);
    g->agregaColumna(QStringLiteral("articulosOrdenesCompra_precioTotal"), QStringLiteral("Total"), 95, true,
                     kColMoneda);
    g->agregaColumna(QStringLiteral("inventario_nombre"), QStringLiteral("_productoLabel"), 0, false);
    g->setColumnaEstirada(QStringLiteral("articulosOrdenesCompra_descripcionArticulo"));
    GRD_main->setSelectionBehavior(QAbstractItemView::SelectRows);
    GRD_main->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(GRD_main->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &actual) { alCambiarFila(actual.isValid() ? actual.row() : -1); });
}

bool TFRM_EntradaInventarioOrdenCompra::init() {
    prepara();
    exec();
    return uAceptar;
}

void TFRM_EntradaInventarioOrdenCompra::prepara() {
    uAceptar = false;
    uFilaSeleccionada = -1;
    uRecepcion = TrecepcionOrdenCompra(uSistema.getConexion(), uSistema.getNegocio().getIdNegocio());
    for (QLabel *l : {LBL_noOrden, LBL_proveedor, LBL_proveedorRfc, LBL_fechaPedido, LBL_fechaEntrega,
                      LBL_ordenCompraTotal, LBL_fechaHoraUltimo})
        l->clear();
    limpiaComprobante();
    uGRD_articulosControl->limpia();
    LBL_msgGRDarticulos->clear();
    const QDateTime ahora = QDateTime::currentDateTime();
    DTP_fecha->setDate(ahora.date());
    DTP_hora->setTime(ahora.time());
    cargaAlmacenes();
    muestraLinea();
    PGC_main->setCurrentIndex(0);
    BTN_aceptar->setEnabled(!uSistema.esRestringido());
}

void TFRM_EntradaInventarioOrdenCompra::cargaAlmacenes() {
    u_llenaAlmacenes(CMB_almacenes, uValueMember_CMB_almacenes, uSistema);
    const QSignalBlocker bloqueo(CMB_almacenes);
    CMB_almacenes->setCurrentIndex(-1);
    uRecepcion.eligeAlmacen(0);
}

void TFRM_EntradaInventarioOrdenCompra::CMB_almacenesChange() {
    uRecepcion.eligeAlmacen(uValueMember_CMB_almacenes.value(CMB_almacenes->currentIndex()));
    LBL_fechaHoraUltimo->setText(uRecepcion.textoUltimoMovimiento());
}

void TFRM_EntradaInventarioOrdenCompra::contenedor_noOrdenClick() {
    TFRM_seleccionarOrdenCompra selector(uSistema, this);
    const UREC_ordenCompra orden = selector.init();
    if (!orden.aceptar)
        return;
    if (hayCapturaSinGuardar() &&
        !u_confirmaAceptarCancelar(
            QStringLiteral("Se perderán las cantidades capturadas de la orden actual.\r¿Desea continuar?")))
        return;
    if (!uRecepcion.cargaOrden(orden))
        return;
    LBL_noOrden->setText(QString::number(orden.numeroDeOrden));
    LBL_proveedor->setText(orden.proveedorNombre);
    LBL_proveedorRfc->setText(orden.proveedorRFC);
    LBL_fechaPedido->setText(orden.fechaPedido);
    LBL_fechaEntrega->setText(orden.fechaEntrega);
    LBL_ordenCompraTotal->setText(orden.total);
    cargaLineas();
}

void TFRM_EntradaInventarioOrdenCompra::cargaLineas() {
    // The editor's text belonged to the lines replaced: nothing is taken from it while the grid empties.
    uFilaSeleccionada = -1;
    uGRD_articulosControl->limpia();
    const QVector<TlineaRecepcion> &lineas = uRecepcion.lineas();
    for (int i = 0; i < lineas.size(); ++i) {
        uGRD_articulosControl->agregaFila({});
        pintaFila(i);
    }
    LBL_msgGRDarticulos->setText(lineas.isEmpty() ? QStringLiteral("No hay elementos que mostrar")
                                                  : QString());
    if (lineas.isEmpty()) {
        muestraLinea();
        return;
    }
    seleccionaFila(0);
    TXT_cantidad->setFocus();
}

void TFRM_EntradaInventarioOrdenCompra::seleccionaFila(int fila) {
    GRD_main->selectRow(fila);
    seleccionaLinea(fila);
}

void TFRM_EntradaInventarioOrdenCompra::pintaFila(int fila) {
    const TlineaRecepcion &l = uRecepcion.lineas()[fila];
    const TlineaOrdenCompra &o = l.orden;
    TGridControl *g = uGRD_articulosControl;
    g->setCelda(fila, QStringLiteral("_estado"), o.estado());
    g->setCelda(fila, QStringLiteral("articulosOrdenesCompra_id"), o.idLinea);
    g->setCelda(fila, QStringLiteral("articulosOrdenesCompra_descripcionArticulo"), o.descripcion);
    g->setCelda(fila, QStringLiteral("articulosOrdenesCompra_cantidadSolicitada"), o.solicitado);
    g->setCelda(fila, QStringLiteral("inventarioOrdenesCompraArticulos_cantidadAcumulada"), o.acumulado);
    g->setCelda(fila, QStringLiteral("_recibido"), o.recibido);
    g->setCelda(fila, QStringLiteral("unidadMedidaRecibido_descripcion"), l.unidadRecibida);
    g->setCelda(fila, QStringLiteral("_registrado"), o.registrado());
    g->setCelda(fila, QStringLiteral("unidadMedidaCatalogo_descripcion"), l.producto.unidadMedidaEtiqueta);
    g->setCelda(fila, QStringLiteral("_costoRecibido"), o.costoUnitarioRecibido());
    g->setCelda(fila, QStringLiteral("articulosOrdenesCompra_precioTotal"), o.precioTotal);
    g->setCelda(fila, QStringLiteral("inventario_nombre"), l.producto.nombre);
}

void TFRM_EntradaInventarioOrdenCompra::seleccionaLinea(int fila) {
    uFilaSeleccionada = fila;
    muestraLinea();
}

void TFRM_EntradaInventarioOrdenCompra::alCambiarFila(int fila) {
    if (fila == uFilaSeleccionada)
        return;
    const QString mensaje = tomaSinConfirmar();
    if (mensaje.isEmpty()) {
        seleccionaLinea(fila);
        return;
    }
    // Refused: back to the line, with what was typed, once the grid has finished its own move (a
    // click selects the row after making it current).
    const int anterior = uFilaSeleccionada;
    QMetaObject::invokeMethod(
        this,
        [this, anterior, mensaje] {
            GRD_main->selectRow(anterior);
            u_mensaje(mensaje, kAdvertencia);
            TXT_cantidad->setFocus();
        },
        Qt::QueuedConnection);
}

// The line editor shows the selected line; without one it is disabled.
void TFRM_EntradaInventarioOrdenCompra::muestraLinea() {
    const bool hay = uFilaSeleccionada >= 0 && uFilaSeleccionada < uRecepcion.lineas().size();
    contenedor_foot->setEnabled(hay);
    findChild<QFrame *>(QStringLiteral("hold_propiedadesAdicionales"))->setEnabled(hay);
    if (!hay) {
        for (QLabel *l : {LBL_descripcion, LBL_producto, LBL_codigoBarras, LBL_cantidadRegistrada,
                          LBL_pedimento, LBL_lote, LBL_noSerie, LBL_propiedades})
            l->clear();
        LBL_unidadEntrada->setText(kHagaClic);
        LBL_unidadAlmacenaje->setText(kHagaClic);
        TXT_factorConversion->setText(QStringLiteral("1.000"));
        TXT_cantidad->clear();
        return;
    }
    const TlineaRecepcion &l = uRecepcion.lineas()[uFilaSeleccionada];
    LBL_descripcion->setText(l.orden.descripcion);
    LBL_producto->setText(l.producto.nombre.isEmpty() ? kHagaClic : l.producto.nombre);
    LBL_codigoBarras->setText(l.producto.codigoBarras);
    LBL_unidadEntrada->setText(l.unidadRecibida.isEmpty() ? kHagaClic : l.unidadRecibida);
    LBL_unidadAlmacenaje->setText(
        l.producto.unidadMedidaEtiqueta.isEmpty() ? kHagaClic : l.producto.unidadMedidaEtiqueta);
    TXT_factorConversion->setText(FloatToStr(l.orden.factor));
    TXT_cantidad->setText(textoRecibido(l.orden));
    LBL_cantidadRegistrada->setText(FloatToStr(l.orden.registrado()));
    LBL_pedimento->setText(estado(l.informacion.pedimento.capturado()));
    LBL_lote->setText(estado(l.informacion.lote.capturado()));
    LBL_noSerie->setText(estado(!l.informacion.noSerie.isEmpty()));
    LBL_propiedades->setText(estado(!l.informacion.propiedadesAdicionales.isEmpty()));
    BTN_noSerie->setEnabled(l.orden.controlNoSerie);
}

void TFRM_EntradaInventarioOrdenCompra::avisaProducto(const QString &mensaje) {
    if (!mensaje.isEmpty())
        u_mensaje(mensaje, kAdvertencia);
    pintaFila(uFilaSeleccionada);
    muestraLinea();
    TXT_cantidad->setFocus();
}

void TFRM_EntradaInventarioOrdenCompra::BTN_seleccionarProductoClick() {
    if (uFilaSeleccionada < 0)
        return;
    TproductoSeleccionadoDescripcion p;
    p.categoriaId = uRecepcion.lineas()[uFilaSeleccionada].producto.categoriaId;
    TFRM_seleccionarProducto(uSistema, this).init(p, uSistema);
    if (p.seleccionado)
        conservandoCaptura([&] { avisaProducto(uRecepcion.relacionaProducto(uFilaSeleccionada, p)); }, true);
}

void TFRM_EntradaInventarioOrdenCompra::contenedor_codigoBarrasClick() {
    if (uFilaSeleccionada < 0)
        return;
    const TcodigoBarras codigo = TFRM_capturarCodigoBarras(this).init(LBL_codigoBarras->text());
    if (codigo.ok)
        conservandoCaptura(
            [&] { avisaProducto(uRecepcion.relacionaCodigoBarras(uFilaSeleccionada, codigo.codigo_barras)); },
            true);
}

void TFRM_EntradaInventarioOrdenCompra::contenedor_unidadEntradaClick() {
    if (uFilaSeleccionada < 0)
        return;
    REC_unidadMedidacomunicacion u;
    TFRM_seleccionarUnidadMedida(uSistema, this)
        .initCustomMensaje(
            QStringLiteral("Seleccione la unidad de medida a utilizar con el factor de conversión."), u);
    if (!u.aceptado)
        return;
    conservandoCaptura(
        [&] {
            uRecepcion.setUnidadRecibida(uFilaSeleccionada, u);
            avisaProducto({});
        },
        true);
}

void TFRM_EntradaInventarioOrdenCompra::TXT_factorConversionEnter() {
    if (setCantidadRecibida() || TXT_cantidad->text().trimmed().isEmpty()) {
        TXT_cantidad->setFocus();
        TXT_cantidad->selectAll();
    }
}

// Confirms the typed factor and quantity; a refusal shows its message and the line's stored
// values again.
bool TFRM_EntradaInventarioOrdenCompra::setCantidadRecibida() {
    if (uFilaSeleccionada < 0)
        return false;
    const QString mensaje = tomaCaptura();
    if (!mensaje.isEmpty())
        u_mensaje(mensaje, kAdvertencia);
    muestraLinea();
    return mensaje.isEmpty();
}

QString TFRM_EntradaInventarioOrdenCompra::tomaCaptura() {
    const QString recibido =
        TXT_cantidad->text().trimmed().isEmpty() ? QStringLiteral("0") : TXT_cantidad->text();
    const QString mensaje =
        uRecepcion.setCantidadRecibida(uFilaSeleccionada, recibido, TXT_factorConversion->text());
    if (mensaje.isEmpty())
        pintaFila(uFilaSeleccionada);
    return mensaje;
}

bool TFRM_EntradaInventarioOrdenCompra::sinConfirmar() const {
    if (uFilaSeleccionada < 0 || uFilaSeleccionada >= uRecepcion.lineas().size())
        return false;
    const TlineaOrdenCompra &o = uRecepcion.lineas()[uFilaSeleccionada].orden;
    return TXT_cantidad->text().trimmed() != textoRecibido(o) ||
           TXT_factorConversion->text().trimmed() != FloatToStr(o.factor);
}

QString TFRM_EntradaInventarioOrdenCompra::tomaSinConfirmar() {
    return sinConfirmar() ? tomaCaptura() : QString();
}

bool TFRM_EntradaInventarioOrdenCompra::hayCapturaSinGuardar() const {
    return uRecepcion.sinGuardar() || sinConfirmar();
}

// Enter in the quantity: the line takes it and the next line is ready for its quantity.
void TFRM_EntradaInventarioOrdenCompra::TXT_cantidadEnter() {
    const bool tomada = setCantidadRecibida();
    if (tomada && uFilaSeleccionada + 1 < uRecepcion.lineas().size())
        seleccionaFila(uFilaSeleccionada + 1);
    TXT_cantidad->setFocus();
    TXT_cantidad->selectAll();
}

void TFRM_EntradaInventarioOrdenCompra::contenedor_comprobanteClick() {
    TFRM_seleccionarComprobante selector(this);
    const UREC_comprobante r = selector.initEgresos(fechaHora::aTDateTime(fechaHora()));
    if (!r.aceptar)
        return;
    uRecepcion.comprobante = r.comprobante;
    LBL_comprobante->setText(r.serie + QLatin1Char(' ') + r.folio);
    LBL_emisor->setText(r.emisorNombre);
    LBL_emisorRFC->setText(r.emisorRFC);
    LBL_fechaHora->setText(r.fechaHora);
    LBL_total->setText(r.total);
}

void TFRM_EntradaInventarioOrdenCompra::limpiaComprobante() {
    uRecepcion.comprobante = TComprobante();
    LBL_comprobante->setText(kHagaClic);
    for (QLabel *l : {LBL_emisor, LBL_emisorRFC, LBL_fechaHora, LBL_total})
        l->clear();
}

void TFRM_EntradaInventarioOrdenCompra::conLineaSeleccionada(
    const std::function<void(TlineaRecepcion &)> &edita) {
    if (uFilaSeleccionada < 0)
        return;
    conservandoCaptura(
        [&] {
            edita(uRecepcion.linea(uFilaSeleccionada));
            muestraLinea();
        },
        false);
}

void TFRM_EntradaInventarioOrdenCompra::conservandoCaptura(const std::function<void()> &edicion,
                                                           bool fijaFactor) {
    const bool tecleado = sinConfirmar();
    const QString cantidad = TXT_cantidad->text(), factor = TXT_factorConversion->text();
    edicion();
    if (!tecleado)
        return;
    TXT_cantidad->setText(cantidad);
    if (!fijaFactor)
        TXT_factorConversion->setText(factor);
}

void TFRM_EntradaInventarioOrdenCompra::BTN_pedimentoClick() {
    conLineaSeleccionada([this](TlineaRecepcion &l) {
        l.informacion.pedimento = TFRM_pedimento(this).init(l.informacion.pedimento);
    });
}

void TFRM_EntradaInventarioOrdenCompra::BTN_loteClick() {
    conLineaSeleccionada(
        [this](TlineaRecepcion &l) { l.informacion.lote = TFRM_lote(this).init(l.informacion.lote); });
}

void TFRM_EntradaInventarioOrdenCompra::BTN_noSerieClick() {
    conLineaSeleccionada([this](TlineaRecepcion &l) {
        // One serial number per unit stored.
        const int limite = int(l.orden.registrado() + kToleranciaCantidad);
        l.informacion.noSerie = TFRM_noSerie(this).init(l.informacion.noSerie, limite, l.orden.idProducto);
    });
}

void TFRM_EntradaInventarioOrdenCompra::BTN_propiedadesClick() {
    conLineaSeleccionada([this](TlineaRecepcion &l) {
        if (l.orden.idProducto <= 0)
            u_mensaje(QStringLiteral("Relacione el artículo recibido a un producto del catálogo para ver sus "
                                     "propiedades."),
                      kAdvertencia);
        else
            TFRM_capturarPropiedadesAdicionales(uSistema, this)
                .init(l.producto.categoriaId, l.producto.nombre, l.informacion.propiedadesAdicionales);
    });
}

QDateTime TFRM_EntradaInventarioOrdenCompra::fechaHora() const {
    return QDateTime(DTP_fecha->date(), DTP_hora->time());
}

void TFRM_EntradaInventarioOrdenCompra::alAceptar() {
    const QString mensaje = tomaSinConfirmar();
    if (!mensaje.isEmpty()) {
        u_mensaje(mensaje, kAdvertencia);
        TXT_cantidad->setFocus();
        return;
    }
    uRecepcion.fechaHora = fechaHora();
    if (uRecepcion.guardar())
        acepta();
}

// Leaving with quantities received but not saved asks first, so a stray Escape loses nothing.
void TFRM_EntradaInventarioOrdenCompra::reject() {
    if (hayCapturaSinGuardar() && !u_confirmaAceptarCancelar(QStringLiteral(
                                      "Se perderán las cantidades capturadas.\r¿Desea salir sin guardar?")))
        return;
    TdialogoModal::reject();
}

bool TFRM_EntradaInventarioOrdenCompra::eventFilter(QObject *objeto, QEvent *evento) {
    if (evento->type() == QEvent::MouseButtonRelease) {
        if (objeto == contenedor_noOrden) {
            contenedor_noOrdenClick();
            return true;
        }
        if (objeto == contenedor_comprobante) {
            contenedor_comprobanteClick();
            return true;
        }
    }
    return TdialogoModal::eventFilter(objeto, evento);
}

#include "kardex/UFRM_kardex.h"

#include "comun/U_mensajes.h"
#include "comun/U_utilerias.h"
#include "comun/ui/UFRM_seleccionarProducto.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/U_listaIds.h"
#include "comun/ui/U_reportes.h"
#include "comun/ui/UdialogoModal.h"
#include "comun/ui/UgridControl.h"
#include "kardex/UpintorGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
using namespace aliasKardex;

const QString kTitulo = QStringLiteral("Kardex");
const QString kSinElementos = QStringLiteral("No hay elementos que mostrar");
const QString kSinAlmacenYProducto = QStringLiteral("Seleccione un Almacén y Producto");

struct TcolumnaKardex {
    const QString *alias;
    const char *cabecera;
    int ancho;
    TtipoColumnaGrid tipo;
};
const TcolumnaKardex kColumnas[] = {
    {&kFecha, "Fecha\\Hora", 150, kColFecha},
    {&kDetalle, "Detalle", 200, kColTexto},
    {&kSerieFolio, "Serie Folio", 70, kColTexto},
    {&kUuid, "UUID", 250, kColTexto},
    {&kCapa, "Capa", 70, kColTexto},
    {&kEntradaCantidad, "Entradas", 80, kColNumero},
    {&kEntradaCosto, "Costo U.", 80, kColMoneda},
    {&kEntradaTotal, "Total", 80, kColMoneda},
    {&kSalidaCantidad, "Salidas", 80, kColNumero},
    {&kSalidaCosto, "Costo U.", 80, kColMoneda},
    {&kSalidaTotal, "Total", 80, kColMoneda},
    {&kTotalCantidad, "Existencias", 80, kColNumero},
    {&kTotalCosto, "Costo U.", 80, kColMoneda},
    {&kTotal, "Total", 80, kColMoneda},
};

// The PDF's columns by the grid alias each one prints, so the layer column the PDF leaves out
// shifts nothing.
const TcolumnaReporte kReporteKardex[] = {
    {"Fecha/Hora", kContenidoTexto, 70, kAlineaIzquierda, "inventarioKardex_fechaHora"},
    {"Detalle", kContenidoTexto, 120, kAlineaIzquierda, "inventarioMovimientoConcepto_etiqueta"},
    {"SerieFolio", kContenidoTexto, 46, kAlineaCentro, "comprobante_serieFolio"},
    {"UUID", kContenidoTexto, 70, kAlineaIzquierda, "comprobante_uuid"},
    {"Entrada", kContenidoTexto, 38, kAlineaDerecha, "inventarioKardex_entradaCantidad"},
    {"Costo U.", kContenidoMoneda, 62, kAlineaDerecha, "inventarioKardex_entradaCostoUnitario"},
    {"Total", kContenidoMoneda, 62, kAlineaDerecha, "_entradaCalculado"},
    {"Salida", kContenidoTexto, 38, kAlineaDerecha, "inventarioKardex_salidaCantidad"},
    {"Costo U.", kContenidoMoneda, 62, kAlineaDerecha, "inventarioKardex_salidaCostoUnitario"},
    {"Total", kContenidoMoneda, 62, kAlineaDerecha, "_salidaCalculado"},
    {"Existencia", kContenidoTexto, 38, kAlineaDerecha, "inventarioKardex_totalCantidad"},
    {"Costo U.", kContenidoMoneda, 62, kAlineaDerecha, "inventarioKardex_totalCostoUnitario"},
    {"Total", kContenidoMoneda, 62, kAlineaDerecha, "_total_calculado"},
};

// Tints of the receipt, issue and stock column groups (grid columns 5-7, 8-10, 11-13).
QColor tintaGrupo(int columna) {
    if (columna >= 5 && columna <= 7)
        return QColor(0xE8, 0xF5, 0xE9);
    if (columna >= 8 && columna <= 10)
        return QColor(0xFF, 0xF3, 0xE0);
    if (columna >= 11 && columna <= 13)
        return QColor(0xE3, 0xF2, 0xFD);
    return {};
}

QDate ayer() {
    return QDate::currentDate().addDays(-1);
}
QDate hoy() {
    return QDate::currentDate();
}
} // namespace

TFRM_kardex::TFRM_kardex(QWidget *padre) : QWidget(padre) {
    FormCreate();
}

void TFRM_kardex::FormCreate() {
    setObjectName(QStringLiteral("FRM_kardex"));
    setWindowTitle(kTitulo);
    GRD_main = new QTableView(this);
    GRD_main->setObjectName(QStringLiteral("GRD_main"));
    GRD_main->setSelectionBehavior(QAbstractItemView::SelectRows);
    uGRD_mainControl = new TGridControl(GRD_main);
    LBL_msgGRDkardex = u_creaEtiqueta(QStringLiteral("LBL_msgGRDkardex"), QString(), GRD_main);
    LBL_msgGRDkardex->setAlignment(Qt::AlignCenter);
    LBL_msgGRDkardex->hide();
    GRD_main->viewport()->installEventFilter(this);
    preparaGrid();

    BTN_exportarExcel = u_creaBoton(QStringLiteral("BTN_exportarExcel"), QStringLiteral("Excel"), this);
    BTN_exportarPDF = u_creaBoton(QStringLiteral("BTN_exportarPDF"), QStringLiteral("PDF"), this);
    auto *acciones = new QHBoxLayout;
    acciones->setObjectName(QStringLiteral("contenedor_acciones"));
    acciones->addStretch();
    acciones->addWidget(BTN_exportarExcel);
    acciones->addWidget(BTN_exportarPDF);

    auto *raiz = new QVBoxLayout(this);
    raiz->setObjectName(QStringLiteral("contenedor_kardex"));
    raiz->addWidget(u_creaTitulo(kTitulo, this, QStringLiteral("titulo1texto")));
    raiz->addWidget(creaCriterios());
    raiz->addLayout(acciones);
    raiz->addWidget(GRD_main, 1);
    raiz->addWidget(creaResumen());
    for (const char *nota : {"* El costo unitario se toma de la última entrada registrada",
                             "* Cuando se registran devoluciones y/o cancelaciones en movimientos "
                             "posteriores a otros registros, genera costos estimados."})
        raiz->addWidget(u_creaEtiqueta(QStringLiteral("LBL_nota"), QString::fromUtf8(nota), this));
    conecta();
}

QWidget *TFRM_kardex::creaCriterios() {
    auto *criterios = new QGroupBox(QStringLiteral("Criterios de Búsqueda"), this);
    criterios->setObjectName(QStringLiteral("contenedor_busqueda"));
    DTP_fechaInicial = u_fecha(criterios, QStringLiteral("DTP_fechaInicial"), ayer());
    DTP_fechaInicial->installEventFilter(this);
    DTP_fechaFinal = u_fecha(criterios, QStringLiteral("DTP_fechaFinal"), hoy());
    CMB_almacen = new QComboBox(criterios);
    CMB_almacen->setObjectName(QStringLiteral("CMB_almacen"));
    CMB_almacen->setMinimumWidth(160);
    auto *marco = new QFrame(criterios);
    marco->setFrameShape(QFrame::StyledPanel);
    marco->setMinimumWidth(260);
    contenedor_producto = marco;
    contenedor_producto->setObjectName(QStringLiteral("contenedor_producto"));
    contenedor_producto->setCursor(Qt::PointingHandCursor);
    contenedor_producto->installEventFilter(this);
    LBL_articulo = u_creaEtiqueta(QStringLiteral("LBL_articulo"), QString(), contenedor_producto);
    auto *capaProducto = new QHBoxLayout(contenedor_producto);
    capaProducto->setContentsMargins(6, 2, 6, 2);
    capaProducto->addWidget(LBL_articulo);
    LBL_existenciaMaxima = u_creaEtiqueta(QStringLiteral("LBL_existenciaMaxima"), QString(), criterios);
    LBL_existenciaMinima = u_creaEtiqueta(QStringLiteral("LBL_existenciaMinima"), QString(), criterios);
    for (QLabel *limite : {LBL_existenciaMaxima, LBL_existenciaMinima})
        limite->setMinimumWidth(110);

    const auto etiqueta = [criterios](const char *nombre, const char *texto) {
        return u_creaEtiqueta(QString::fromLatin1(nombre), QString::fromUtf8(texto), criterios);
    };
    auto *capa = new QGridLayout(criterios);
    capa->addWidget(etiqueta("LBL_fechaInicial", "Fecha Inicial"), 0, 0);
    capa->addWidget(etiqueta("LBL_fechaFinal", "Fecha Final"), 0, 2);
    capa->addWidget(etiqueta("LBL_almacen", "Almacén"), 0, 4);
    capa->addWidget(etiqueta("LBL_producto", "Producto"), 0, 6);
    capa->addWidget(etiqueta("LBL_maximo", "S. Máximo"), 0, 7);
    capa->addWidget(etiqueta("LBL_minimo", "S. Mínimo"), 0, 8);
    capa->addWidget(DTP_fechaInicial, 1, 0);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarFechaInicial"), criterios), 1, 1);
    capa->addWidget(DTP_fechaFinal, 1, 2);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarFechaFinal"), criterios), 1, 3);
    capa->addWidget(CMB_almacen, 1, 4);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarCMBalmacen"), criterios), 1, 5);
    capa->addWidget(contenedor_producto, 1, 6);
    capa->addWidget(LBL_existenciaMaxima, 1, 7);
    capa->addWidget(LBL_existenciaMinima, 1, 8);
    capa->addWidget(u_creaBoton(QStringLiteral("BTN_buscar"), QStringLiteral("Buscar"), criterios), 1, 9);
    capa->setColumnStretch(10, 1);
    return criterios;
}

QWidget *TFRM_kardex::creaResumen() {
    auto *resumen = new QWidget(this);
    resumen->setObjectName(QStringLiteral("TXT_totales"));
    auto *capa = new QGridLayout(resumen);
    capa->setContentsMargins(0, 0, 0, 0);
    const auto cifra = [&](const char *nombre, const char *titulo, int columna) {
        capa->addWidget(u_creaEtiqueta(QStringLiteral("LBL_titulo_") + QString::fromLatin1(nombre),
                                       QString::fromUtf8(titulo), resumen),
                        0, columna);
        QLabel *valor = u_creaEtiqueta(QString::fromLatin1(nombre), QString(), resumen);
        valor->setMinimumWidth(130);
        capa->addWidget(valor, 1, columna);
        return valor;
    };
    LBL_productoSeleccionado = cifra("LBL_productoSeleccionado", "Producto", 0);
    LBL_inventarioInicial = cifra("LBL_inventarioInicial", "Inventario Inicial", 1);
    LBL_inventarioEntradas = cifra("LBL_inventarioEntradas", "Entradas", 2);
    LBL_inventarioSalidas = cifra("LBL_inventarioSalidas", "Salidas", 3);
    LBL_inventarioFinal = cifra("LBL_inventarioFinal", "Inventario Final", 4);
    capa->setColumnStretch(0, 1);
    capa->setHorizontalSpacing(16);
    return resumen;
}

void TFRM_kardex::preparaGrid() {
    for (const TcolumnaKardex &c : kColumnas)
        uGRD_mainControl->agregaColumna(*c.alias, QString::fromUtf8(c.cabecera), c.ancho, true, c.tipo);
    uGRD_mainControl->agregaColumna(kDivision, QStringLiteral("div"), 20, false);
    uGRD_mainControl->setColumnaEstirada(kDetalle);
    new TpintorGrid(
        GRD_main, [](int, int columna) { return tintaGrupo(columna); },
        [this](int fila) { return uGRD_mainControl->getValor(fila, kDivision).toInt() == 1; });
}

void TFRM_kardex::conecta() {
    const auto boton = [this](const char *nombre) {
        return findChild<QPushButton *>(QString::fromLatin1(nombre));
    };
    connect(boton("BTN_buscar"), &QPushButton::clicked, this, &TFRM_kardex::BTN_buscarClick);
    connect(boton("BTN_reiniciarFechaInicial"), &QPushButton::clicked, this,
            [this] { DTP_fechaInicial->setDate(ayer()); });
    connect(boton("BTN_reiniciarFechaFinal"), &QPushButton::clicked, this,
            [this] { DTP_fechaFinal->setDate(hoy()); });
    connect(boton("BTN_reiniciarCMBalmacen"), &QPushButton::clicked, this,
            [this] { CMB_almacen->setCurrentIndex(-1); });
    connect(CMB_almacen, &QComboBox::currentIndexChanged, this, &TFRM_kardex::buscar);
    connect(BTN_exportarExcel, &QPushButton::clicked, this,
            [this] { exportarGridExcelUNI(*uGRD_mainControl, kTitulo, uSistema); });
    connect(BTN_exportarPDF, &QPushButton::clicked, this, &TFRM_kardex::BTN_exportarPDFClick);
}

bool TFRM_kardex::eventFilter(QObject *objeto, QEvent *evento) {
    if (objeto == GRD_main->viewport() && evento->type() == QEvent::Resize)
        LBL_msgGRDkardex->setGeometry(GRD_main->viewport()->geometry());
    else if (objeto == contenedor_producto && evento->type() == QEvent::MouseButtonRelease &&
             static_cast<QMouseEvent *>(evento)->button() == Qt::LeftButton)
        contenedor_productoClick();
    else if (objeto == DTP_fechaInicial && evento->type() == QEvent::KeyRelease) {
        const int tecla = static_cast<QKeyEvent *>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter)
            cargaGridKardex();
    }
    return QWidget::eventFilter(objeto, evento);
}

void TFRM_kardex::initPermisos() {
    const bool permitido = !uSistema.esRestringido();
    BTN_exportarExcel->setEnabled(permitido);
    BTN_exportarPDF->setEnabled(permitido);
}

bool TFRM_kardex::init() {
    uSistema = localSYS;
    initPermisos();
    uResumen = TresumenKardex();
    muestraResumen();
    LBL_msgGRDkardex->hide();
    cargaAlmacenes();
    return true;
}

void TFRM_kardex::cargaAlmacenes() {
    u_llenaAlmacenes(CMB_almacen, uValueMember_CMB_almacen, uSistema);
}

int TFRM_kardex::almacenElegido() const {
    return u_idElegido(CMB_almacen, uValueMember_CMB_almacen).toInt();
}

TfiltroKardex TFRM_kardex::filtro() const {
    return {DTP_fechaInicial->date(), DTP_fechaFinal->date(), almacenElegido(),
            uProductoSeleccionado.productoId, uSistema.getNegocio().getIdNegocio()};
}

void TFRM_kardex::BTN_buscarClick() {
    if (almacenElegido() == 0)
        u_mensaje(QStringLiteral("Seleccione un almacén"), kAdvertencia);
    else if (!uProductoSeleccionado.seleccionado)
        u_mensaje(QStringLiteral("Seleccione un producto"), kAdvertencia);
    else
        buscar();
}

void TFRM_kardex::buscar() {
    if (almacenElegido() == 0) {
        muestraMensaje(kSinAlmacenYProducto);
        return;
    }
    // Without a product the grid keeps what it shows.
    if (!uProductoSeleccionado.seleccionado)
        return;
    muestra(TreporteKardex(uSistema.getConexion()).kardex(filtro()));
}

void TFRM_kardex::cargaGridKardex() {
    if (almacenElegido() == 0) {
        muestraMensaje(kSinAlmacenYProducto);
        return;
    }
    if (!uProductoSeleccionado.seleccionado)
        return;
    muestra(TreporteKardex(uSistema.getConexion()).kardexAnterior(filtro()));
}

void TFRM_kardex::muestra(const TresultadoKardex &resultado) {
    uGRD_mainControl->limpia();
    for (const QVariantHash &fila : resultado.filas)
        uGRD_mainControl->agregaFila(fila);
    LBL_existenciaMaxima->setText(resultado.limites.maximo);
    LBL_existenciaMinima->setText(resultado.limites.minimo);
    uResumen = resultado.resumen;
    muestraResumen();
    LBL_msgGRDkardex->hide();
    LBL_msgGRDkardex->clear();
    if (uGRD_mainControl->filas() == 0)
        muestraMensaje(kSinElementos);
}

void TFRM_kardex::muestraResumen() {
    LBL_inventarioInicial->setText(u_formatoMoneda(uResumen.inicial));
    LBL_inventarioEntradas->setText(u_formatoMoneda(uResumen.entradas));
    LBL_inventarioSalidas->setText(u_formatoMoneda(uResumen.salidas));
    LBL_inventarioFinal->setText(u_formatoMoneda(uResumen.final_));
}

void TFRM_kardex::muestraMensaje(const QString &texto) {
    LBL_msgGRDkardex->setText(texto);
    LBL_msgGRDkardex->setGeometry(GRD_main->viewport()->geometry());
    LBL_msgGRDkardex->show();
    LBL_msgGRDkardex->raise();
}

void TFRM_kardex::setProducto(const TproductoSeleccionadoDescripcion &producto) {
    if (!producto.seleccionado)
        return;
    uProductoSeleccionado = producto;
    LBL_articulo->setText(producto.descripcion);
    LBL_productoSeleccionado->setText(producto.descripcion);
    buscar();
}

void TFRM_kardex::contenedor_productoClick() {
    TproductoSeleccionadoDescripcion producto = uProductoSeleccionado;
    TFRM_seleccionarProducto selector(uSistema, this);
    selector.init(producto, uSistema);
    setProducto(producto);
}

void TFRM_kardex::BTN_exportarPDFClick() {
    TopcionesPDF opciones;
    opciones.desde = DTP_fechaInicial->date().toString(QStringLiteral("dd/MM/yyyy"));
    opciones.hasta = DTP_fechaFinal->date().toString(QStringLiteral("dd/MM/yyyy"));
    u_exportaPDF(kTitulo, u_tablaReporte(kReporteKardex, *uGRD_mainControl), uSistema, opciones);
}

#include "existencias/UFRM_existencias.h"

#include "comun/UMOD_seleccion.h"
#include "comun/UNEG_productos.h"
#include "comun/U_mensajes.h"
#include "comun/ui/UFRM_seleccionarCategoria.h"
#include "comun/ui/UFRM_seleccionarProducto.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/U_filtrosEntrada.h"
#include "comun/ui/U_listaIds.h"
#include "comun/ui/U_pantallaLista.h"
#include "comun/ui/U_reportes.h"
#include "comun/ui/UdialogoModal.h"
#include "comun/ui/UgridControl.h"
#include "kardex/UNEG_valuacion.h"
#include "kardex/UpintorGrid.h"

#include <QComboBox>
#include <QCursor>
#include <QDateEdit>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString kTitulo = QStringLiteral("Existencias");
const QString kExistencia = QStringLiteral("inventarioExistencias_existencia");
constexpr int kColumnaExistenciaConsolidado = 3;

struct TcolumnaLista {
    const char *alias;
    const char *cabecera;
    int ancho; // 0: hidden, carries an id
    TtipoColumnaGrid tipo;
};

const TcolumnaLista kColumnasGeneral[] = {
    {"inventarioProducto_id", "_productoID", 0, kColTexto},
    {"producto_titulo", "Producto", 350, kColTexto},
    {"inventarioAlmacen_id", "_almacenID", 0, kColTexto},
    {"inventarioAlmacen_nombre", "Almacen", 150, kColTexto},
    {"inventarioExistencias_existencia", "Existencia", 70, kColNumero},
};
const TcolumnaLista kColumnasConsolidado[] = {
    {"inventarioCategoria_etiqueta", "Categoría", 350, kColTexto},
    {"inventarioProducto_id", "_productoID", 0, kColTexto},
    {"inventarioProducto_nombre", "Producto", 350, kColTexto},
    {"inventarioExistencias_existencia", "Existencia", 70, kColNumero},
    {"inventarioProductoEstado_etiqueta", "Estado", 80, kColTexto},
};
const TcolumnaLista kColumnasValuacion[] = {
    {"inventarioAlmacen_nombre", "Almacen", 150, kColTexto},
    {"inventarioProducto_id", "_productoID", 0, kColTexto},
    {"inventarioProducto_nombre", "Producto", 350, kColTexto},
    {"valuacion_cantidad", "Existencia", 70, kColNumero},
    {"valuacion_costoUnitario", "Costo U.", 90, kColMoneda},
    {"valuacion_valor", "Valor", 110, kColMoneda},
};

const TcolumnaReporte kReporteGeneral[] = {
    {"Producto", kContenidoTexto, 150, kAlineaIzquierda, "producto_titulo"},
    {"Almacen", kContenidoTexto, 100, kAlineaIzquierda, "inventarioAlmacen_nombre"},
    {"Existencia", kContenidoTexto, 70, kAlineaDerecha, "inventarioExistencias_existencia"},
};
const TcolumnaReporte kReporteConsolidado[] = {
    {"Categoría", kContenidoTexto, 110, kAlineaIzquierda, "inventarioCategoria_etiqueta"},
    {"Producto", kContenidoTexto, 150, kAlineaIzquierda, "inventarioProducto_nombre"},
    {"Existencia", kContenidoTexto, 70, kAlineaDerecha, "inventarioExistencias_existencia"},
    {"Estado", kContenidoTexto, 60, kAlineaCentro, "inventarioProductoEstado_etiqueta"},
};
const TcolumnaReporte kReporteValuacion[] = {
    {"Almacen", kContenidoTexto, 100, kAlineaIzquierda, "inventarioAlmacen_nombre"},
    {"Producto", kContenidoTexto, 150, kAlineaIzquierda, "inventarioProducto_nombre"},
    {"Existencia", kContenidoTexto, 60, kAlineaDerecha, "valuacion_cantidad"},
    {"Costo U.", kContenidoMoneda, 70, kAlineaDerecha, "valuacion_costoUnitario"},
    {"Valor", kContenidoMoneda, 80, kAlineaDerecha, "valuacion_valor"},
};

template <size_t N> void columnas(TGridControl *grid, const TcolumnaLista (&lista)[N]) {
    grid->quitaColumnas();
    for (const TcolumnaLista &c : lista)
        grid->agregaColumna(QString::fromLatin1(c.alias), QString::fromUtf8(c.cabecera), c.ancho, c.ancho > 0,
                            c.tipo);
    grid->agregaColumna(kAliasTipoRenglon, QStringLiteral("_tipo"), 0, false);
    // An empty filler column takes the free width.
    grid->agregaColumna(QStringLiteral("_relleno"), QString(), 10);
    grid->setColumnaEstirada(QStringLiteral("_relleno"));
}

QFrame *panelClic(QWidget *padre, const QString &nombre, QObject *filtro) {
    auto *marco = new QFrame(padre);
    marco->setObjectName(nombre);
    marco->setFrameShape(QFrame::StyledPanel);
    marco->setMinimumWidth(220);
    marco->setCursor(Qt::PointingHandCursor);
    marco->installEventFilter(filtro);
    auto *capa = new QHBoxLayout(marco);
    capa->setContentsMargins(6, 2, 6, 2);
    return marco;
}

QComboBox *lista(QWidget *padre, const QString &nombre) {
    auto *c = new QComboBox(padre);
    c->setObjectName(nombre);
    c->setMinimumWidth(150);
    return c;
}

} // namespace

TFRM_existencias::TFRM_existencias(QWidget *padre) : QWidget(padre) {
    FormCreate();
}

void TFRM_existencias::FormCreate() {
    setObjectName(QStringLiteral("FRM_existencias"));
    setWindowTitle(kTitulo);
    GRD_main = new QTableView(this);
    GRD_main->setObjectName(QStringLiteral("GRD_main"));
    GRD_main->setSelectionBehavior(QAbstractItemView::SelectRows);
    uGRD_existenciaControl = new TGridControl(GRD_main);
    new TpintorGrid(GRD_main, [this](int fila, int) {
        switch (uGRD_existenciaControl->getValor(fila, kAliasTipoRenglon).toInt()) {
        case kRenglonGrupo:
            return QColor(0xE3, 0xF2, 0xFD);
        case kRenglonTotal:
            return QColor(0xFF, 0xF3, 0xE0);
        default:
            return QColor();
        }
    });
    uAviso = new TavisoListaVacia(GRD_main);

    titulo1texto = u_creaTitulo(kTitulo, this, QStringLiteral("titulo1texto"));
    auto *raiz = new QVBoxLayout(this);
    raiz->addWidget(titulo1texto);
    raiz->addWidget(creaEleccion());
    raiz->addWidget(creaAcciones());
    raiz->addWidget(GRD_main, 1);
    creaPopup();
    uCategoriaID.clear();
    uProductoID = 0;
    RAD_reporteGeneral->setChecked(true);
    muestraFiltros();
    columnas(uGRD_existenciaControl, kColumnasGeneral);
    conecta();
}

QWidget *TFRM_existencias::creaEleccion() {
    auto *caja = new QGroupBox(QStringLiteral("Criterios de Búsqueda"), this);
    caja->setObjectName(QStringLiteral("contenedor_criterios"));
    RAD_reporteGeneral = new QRadioButton(QStringLiteral("Reporte General"), caja);
    RAD_reporteGeneral->setObjectName(QStringLiteral("RAD_reporteGeneral"));
    RAD_reporteConsolidado = new QRadioButton(QStringLiteral("Reporte Consolidado"), caja);
    RAD_reporteConsolidado->setObjectName(QStringLiteral("RAD_reporteConsolidado"));
    auto *capa = new QVBoxLayout(caja);
    auto *radios = new QHBoxLayout;
    radios->addWidget(RAD_reporteGeneral);
    radios->addWidget(RAD_reporteConsolidado);
    radios->addStretch();
    capa->addLayout(radios);
    capa->addWidget(creaFiltrosGeneral());
    capa->addWidget(creaFiltrosConsolidado());
    return caja;
}

QWidget *TFRM_existencias::creaFiltrosGeneral() {
    auto *p = new QWidget(this);
    contenedor_filtrosReporteGeneral = p;
    p->setObjectName(QStringLiteral("contenedor_filtrosReporteGeneral"));
    CMB_almacen = lista(p, QStringLiteral("CMB_almacen"));
    contenedor_producto = panelClic(p, QStringLiteral("contenedor_producto"), this);
    LBL_producto = u_creaEtiqueta(QStringLiteral("LBL_producto"), QString(), contenedor_producto);
    contenedor_producto->layout()->addWidget(LBL_producto);
    EdStock = u_campo(p, QStringLiteral("EdStock"), 12);
    u_soloNumeros(EdStock);
    auto *capa = new QGridLayout(p);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(u_creaEtiqueta(QStringLiteral("LBL_almacen"), QStringLiteral("Almacen"), p), 0, 0);
    capa->addWidget(u_creaEtiqueta(QStringLiteral("LBL_productoTitulo"), QStringLiteral("Producto"), p), 0,
                    2);
    capa->addWidget(u_creaEtiqueta(QStringLiteral("LBL_stock"), QStringLiteral("No. Stock"), p), 0, 4);
    capa->addWidget(CMB_almacen, 1, 0);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarCMBalmacen"), p), 1, 1);
    capa->addWidget(contenedor_producto, 1, 2);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarLBLproducto"), p), 1, 3);
    capa->addWidget(EdStock, 1, 4);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("BTN_Stock"), p), 1, 5);
    capa->addWidget(u_creaBoton(QStringLiteral("BTN_reporteGeneral"), QStringLiteral("Buscar"), p), 1, 6);
    capa->setColumnStretch(7, 1);
    return p;
}

QWidget *TFRM_existencias::creaFiltrosConsolidado() {
    auto *p = new QWidget(this);
    contenedor_filtrosReporteConsolidado = p;
    p->setObjectName(QStringLiteral("contenedor_filtrosReporteConsolidado"));
    contenedor_categoria = panelClic(p, QStringLiteral("contenedor_categoria"), this);
    LBL_categoria = u_creaEtiqueta(QStringLiteral("LBL_categoria"), QString(), contenedor_categoria);
    contenedor_categoria->layout()->addWidget(LBL_categoria);
    contenedorProductoReporteConsolidado =
        panelClic(p, QStringLiteral("contenedorProductoReporteConsolidado"), this);
    LBL_productoReporteConsolidaqdo = u_creaEtiqueta(QStringLiteral("LBL_productoReporteConsolidaqdo"),
                                                     QString(), contenedorProductoReporteConsolidado);
    contenedorProductoReporteConsolidado->layout()->addWidget(LBL_productoReporteConsolidaqdo);
    CMB_productoEstado = lista(p, QStringLiteral("CMB_productoEstado"));
    auto *capa = new QGridLayout(p);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(u_creaEtiqueta(QStringLiteral("LBL_categoriaTitulo"), QStringLiteral("Categoría"), p), 0,
                    0);
    capa->addWidget(u_creaEtiqueta(QStringLiteral("LBL_productoConsolidado"), QStringLiteral("Producto"), p),
                    0, 2);
    capa->addWidget(u_creaEtiqueta(QStringLiteral("LBL_estado"), QStringLiteral("Estado"), p), 0, 4);
    capa->addWidget(contenedor_categoria, 1, 0);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarCategoria"), p), 1, 1);
    capa->addWidget(contenedorProductoReporteConsolidado, 1, 2);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarLBLproductoReporteConsolidado"), p), 1,
                    3);
    capa->addWidget(CMB_productoEstado, 1, 4);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarCMBestado"), p), 1, 5);
    capa->addWidget(u_creaBoton(QStringLiteral("BTN_reporteConsolidado"), QStringLiteral("Buscar"), p), 1, 6);
    capa->setColumnStretch(7, 1);
    return p;
}

QWidget *TFRM_existencias::creaAcciones() {
    auto *p = new QWidget(this);
    p->setObjectName(QStringLiteral("contenedor_acciones"));
    BTN_capturarExistencias = u_creaBoton(QStringLiteral("BTN_capturarExistencias"), QString(), p);
    BTN_capturarExistencias->hide();
    DTP_valuacion = u_fecha(p, QStringLiteral("DTP_valuacion"), QDate::currentDate());
    BTN_exportarExcelExistencias =
        u_creaBoton(QStringLiteral("BTN_exportarExcelExistencias"), QStringLiteral("Excel"), p);
    BTN_exportarExistenciasPDF =
        u_creaBoton(QStringLiteral("BTN_exportarExistenciasPDF"), QStringLiteral("PDF"), p);
    auto *capa = new QHBoxLayout(p);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(BTN_capturarExistencias);
    capa->addWidget(u_creaEtiqueta(QStringLiteral("LBL_valuacion"), QStringLiteral("Valuación al"), p));
    capa->addWidget(DTP_valuacion);
    capa->addWidget(u_creaBoton(QStringLiteral("BTN_valuacion"), QStringLiteral("Valuación"), p));
    capa->addStretch();
    capa->addWidget(BTN_exportarExcelExistencias);
    capa->addWidget(BTN_exportarExistenciasPDF);
    return p;
}

void TFRM_existencias::creaPopup() {
    PNL_small = new QFrame(this);
    PNL_small->setObjectName(QStringLiteral("PNL_small"));
    static_cast<QFrame *>(PNL_small)->setFrameShape(QFrame::Box);
    GRD_small = new QTableView(PNL_small);
    GRD_small->setObjectName(QStringLiteral("GRD_small"));
    GRD_small->installEventFilter(this);
    uGRD_smallControl = new TGridControl(GRD_small);
    uGRD_smallControl->agregaColumna(QStringLiteral("inventarioAlmacen_nombre"), QStringLiteral("Almacen"),
                                     150);
    uGRD_smallControl->agregaColumna(QStringLiteral("inventarioExisencias_existencia"),
                                     QStringLiteral("Existencia"), 66, true, kColNumero);
    auto *capa = new QVBoxLayout(PNL_small);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(GRD_small);
    PNL_small->hide();
}

void TFRM_existencias::conecta() {
    const auto boton = [this](const char *nombre) {
        return findChild<QPushButton *>(QString::fromLatin1(nombre));
    };
    connect(RAD_reporteGeneral, &QRadioButton::toggled, this, &TFRM_existencias::muestraFiltros);
    connect(RAD_reporteConsolidado, &QRadioButton::toggled, this, &TFRM_existencias::muestraFiltros);
    connect(boton("BTN_reporteGeneral"), &QPushButton::clicked, this,
            &TFRM_existencias::buscarReporteGeneral);
    connect(boton("BTN_reporteConsolidado"), &QPushButton::clicked, this,
            &TFRM_existencias::buscarReporteConsolidado);
    connect(boton("BTN_valuacion"), &QPushButton::clicked, this, &TFRM_existencias::buscarValuacion);
    connect(boton("BTN_reiniciarCMBalmacen"), &QPushButton::clicked, this,
            [this] { CMB_almacen->setCurrentIndex(-1); });
    connect(boton("BTN_reiniciarCMBestado"), &QPushButton::clicked, this,
            [this] { CMB_productoEstado->setCurrentIndex(-1); });
    connect(boton("BTN_reiniciarCategoria"), &QPushButton::clicked, this,
            [this] { setCategoria(QString(), QString()); });
    for (const char *nombre : {"BTN_reiniciarLBLproducto", "BTN_reiniciarLBLproductoReporteConsolidado"})
        connect(boton(nombre), &QPushButton::clicked, this, [this] {
            LBL_producto->clear();
            LBL_productoReporteConsolidaqdo->clear();
            uProductoID = 0;
        });
    connect(boton("BTN_Stock"), &QPushButton::clicked, this, [this] {
        EdStock->clear();
        EdStock->setFocus();
    });
    connect(EdStock, &QLineEdit::returnPressed, this, &TFRM_existencias::buscarReporteGeneral);
    connect(BTN_exportarExcelExistencias, &QPushButton::clicked, this, &TFRM_existencias::exportaExcel);
    connect(BTN_exportarExistenciasPDF, &QPushButton::clicked, this, &TFRM_existencias::exportaGridGeneraPDF);
    connect(uGRD_existenciaControl, &TGridControl::celdaClic, this,
            [this](int fila, int columna, const QString &) {
                clicCelda(fila, columna, mapFromGlobal(QCursor::pos()));
            });
}

bool TFRM_existencias::eventFilter(QObject *objeto, QEvent *evento) {
    const bool clic = evento->type() == QEvent::MouseButtonRelease &&
                      static_cast<QMouseEvent *>(evento)->button() == Qt::LeftButton;
    if (objeto == GRD_small && evento->type() == QEvent::Leave)
        PNL_small->hide();
    else if (clic && (objeto == contenedor_producto || objeto == contenedorProductoReporteConsolidado))
        eligeProducto();
    else if (clic && objeto == contenedor_categoria)
        eligeCategoria();
    return QWidget::eventFilter(objeto, evento);
}

void TFRM_existencias::initPermisos() {
    const bool permitido = !uSistema.esRestringido();
    BTN_exportarExcelExistencias->setEnabled(permitido);
    BTN_exportarExistenciasPDF->setEnabled(permitido);
}

bool TFRM_existencias::init() {
    uSistema = localSYS;
    initPermisos();
    if (!cargaEstados() || !cargaAlmacenes())
        return false;
    buscarReporteGeneral();
    BTN_capturarExistencias->setText(QStringLiteral("Capturar Existencias"));
    titulo1texto->setText(kTitulo);
    GRD_main->show();
    GRD_main->setFocus();
    return true;
}

bool TFRM_existencias::cargaEstados() {
    Tproductos datos(uSistema.getConexion());
    return u_llenaListaIds(CMB_productoEstado, uValueMember_CMBproductoEstado, datos.selectProductoEstados(),
                           QStringLiteral("productoEstado_id"), QStringLiteral("productoEstado_etiqueta"));
}

bool TFRM_existencias::cargaAlmacenes() {
    return u_llenaAlmacenes(CMB_almacen, uValueMember_CMBalmacen, uSistema);
}

TfiltroExistencias TFRM_existencias::filtro() const {
    TfiltroExistencias f;
    f.almacenID = u_idElegido(CMB_almacen, uValueMember_CMBalmacen).toInt();
    f.productoID = uProductoID;
    f.stock = EdStock->text();
    f.categoria = uCategoriaID;
    f.estadoID = u_idElegido(CMB_productoEstado, uValueMember_CMBproductoEstado).toInt();
    f.negocioID = uSistema.getNegocio().getIdNegocio();
    return f;
}

void TFRM_existencias::muestraFiltros() {
    contenedor_filtrosReporteGeneral->hide();
    contenedor_filtrosReporteConsolidado->hide();
    if (RAD_reporteGeneral->isChecked())
        contenedor_filtrosReporteGeneral->show();
    else if (RAD_reporteConsolidado->isChecked())
        contenedor_filtrosReporteConsolidado->show();
}

void TFRM_existencias::buscarReporteGeneral() {
    carga(Treporte::General, u_reporteGeneral(uSistema.getConexion(), filtro()));
}

void TFRM_existencias::buscarReporteConsolidado() {
    carga(Treporte::Consolidado, u_reporteConsolidado(uSistema.getConexion(), filtro()));
}

void TFRM_existencias::buscarValuacion() {
    uDiaValuacion = DTP_valuacion->date();
    carga(Treporte::Valuacion, u_reporteValuacion(u_valuacion(uSistema.getConexion(), uDiaValuacion,
                                                              uSistema.getNegocio().getIdNegocio())));
}

void TFRM_existencias::carga(Treporte reporte, const TreporteExistencias &resultado) {
    // A failed statement leaves the previous report as it was.
    if (!resultado.exito)
        return;
    PNL_small->hide();
    uReporte = reporte;
    switch (reporte) {
    case Treporte::General:
        columnas(uGRD_existenciaControl, kColumnasGeneral);
        break;
    case Treporte::Consolidado:
        columnas(uGRD_existenciaControl, kColumnasConsolidado);
        break;
    case Treporte::Valuacion:
        columnas(uGRD_existenciaControl, kColumnasValuacion);
        break;
    }
    for (const QVariantHash &fila : resultado.filas)
        uGRD_existenciaControl->agregaFila(fila);
    titulo1texto->setText(reporte == Treporte::Valuacion ? u_tituloValuacion(uDiaValuacion) : kTitulo);
    uAviso->muestra(uGRD_existenciaControl->filas() == 0);
}

void TFRM_existencias::clicCelda(int fila, int columna, const QPoint &donde) {
    if (uReporte != Treporte::Consolidado || columna != kColumnaExistenciaConsolidado ||
        uGRD_existenciaControl->getValor(fila, kAliasTipoRenglon).toInt() != kRenglonDetalle)
        return;
    const int producto =
        int(uGRD_existenciaControl->getCeldaAsInt(fila, QStringLiteral("inventarioProducto_id")));
    if (uGRD_existenciaControl->getCeldaAsFloat(fila, kExistencia) <= 0)
        return;
    Texistencias datos(uSistema.getConexion());
    if (!uGRD_smallControl->carga(
            datos.selectExistenciaSmall(producto, uSistema.getNegocio().getIdNegocio())))
        return;
    PNL_small->setGeometry(donde.x() + 8, donde.y(), 220, qMax(66, 22 * (uGRD_smallControl->filas() + 1)));
    PNL_small->show();
    PNL_small->raise();
}

void TFRM_existencias::setProducto(const TproductoSeleccionadoDescripcion &producto) {
    if (!producto.seleccionado)
        return;
    LBL_producto->setText(producto.descripcion);
    LBL_productoReporteConsolidaqdo->setText(producto.descripcion);
    uProductoID = producto.productoId;
    buscarReporteGeneral();
}

void TFRM_existencias::setCategoria(const QString &identidad, const QString &etiqueta) {
    uCategoriaID = identidad;
    LBL_categoria->setText(etiqueta);
}

void TFRM_existencias::eligeProducto() {
    TproductoSeleccionadoDescripcion producto;
    producto.categoriaId = uCategoriaID;
    TFRM_seleccionarProducto selector(uSistema, this);
    selector.init(producto, uSistema);
    setProducto(producto);
}

void TFRM_existencias::eligeCategoria() {
    TcategoriaSeleccionada categoria;
    TFRM_seleccionarCategoria selector(uSistema, this);
    selector.init(categoria);
    if (categoria.seleccionado)
        setCategoria(categoria.identidad, categoria.etiqueta);
}

void TFRM_existencias::exportaExcel() {
    exportarGridExcelUNI(*uGRD_existenciaControl,
                         uReporte == Treporte::Valuacion ? u_tituloValuacion(uDiaValuacion) : kTitulo,
                         uSistema);
}

void TFRM_existencias::exportaGridGeneraPDF() {
    TopcionesPDF opciones;
    switch (uReporte) {
    case Treporte::General:
        u_exportaPDF(kTitulo, u_tablaReporte(kReporteGeneral, *uGRD_existenciaControl), uSistema, opciones);
        break;
    case Treporte::Consolidado:
        u_exportaPDF(kTitulo, u_tablaReporte(kReporteConsolidado, *uGRD_existenciaControl), uSistema,
                     opciones);
        break;
    case Treporte::Valuacion:
        u_exportaPDF(u_tituloValuacion(uDiaValuacion),
                     u_tablaReporte(kReporteValuacion, *uGRD_existenciaControl), uSistema, opciones);
        break;
    }
}

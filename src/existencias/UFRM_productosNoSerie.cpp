#include "existencias/UFRM_productosNoSerie.h"

#include "comun/UMOD_seleccion.h"
#include "comun/ui/UFRM_seleccionarProducto.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/U_listaIds.h"
#include "comun/ui/U_pantallaLista.h"
#include "comun/ui/U_reportes.h"
#include "comun/ui/UdialogoModal.h"
#include "comun/ui/UgridControl.h"
#include "existencias/UNEG_productosNoSerie.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString kTitulo = QStringLiteral("No Serie");
const QString kSinProducto = QStringLiteral("Haga clic aquí");
constexpr int kLargoNumero = 50;

struct TcolumnaLista {
    const char *alias;
    const char *cabecera;
    int ancho;
    bool visible;
    TtipoColumnaGrid tipo;
};
const TcolumnaLista kColumnas[] = {
    {"inventarioNoSerie_id", "_id", 40, false, kColTexto},
    {"inventarioNoSerie_numero", "No. Serie", 120, true, kColTexto},
    {"inventarioNoSerieEstado_id", "_estado", 40, false, kColTexto},
    {"inventarioNoSerieEstado_etiqueta", "Estado", 100, true, kColTexto},
    {"inventarioProducto_nombre", "Producto", 150, true, kColTexto},
    {"inventarioCategoria_etiqueta", "Categoria", 150, true, kColTexto},
    {"inventarioAlmacen_nombre", "Almacen", 150, true, kColTexto},
    {"inventarioEntrada_id", "_entradaID", 100, false, kColTexto},
    {"inventarioEntrada_documento", "Documento", 100, true, kColTexto},
    {"inventarioEntrada_fechaHora", "Entrada", 150, true, kColFecha},
    {"conceptoEntrada_etiqueta", "Concepto", 150, true, kColTexto},
    {"inventarioSalida_fechahora", "Salida", 150, true, kColFecha},
    {"conceptoSalida_etiqueta", "Concepto", 150, true, kColTexto},
};

} // namespace

TFRM_productosNoSerie::TFRM_productosNoSerie(QWidget *padre) : QWidget(padre) {
    FormCreate();
}

void TFRM_productosNoSerie::FormCreate() {
    setObjectName(QStringLiteral("FRM_productosNoSerie"));
    setWindowTitle(kTitulo);
    GRD_main = new QTableView(this);
    GRD_main->setObjectName(QStringLiteral("GRD_main"));
    GRD_main->setSelectionBehavior(QAbstractItemView::SelectRows);
    uGRD_productosNoSerie = new TGridControl(GRD_main);
    for (const TcolumnaLista &c : kColumnas)
        uGRD_productosNoSerie->agregaColumna(QString::fromLatin1(c.alias), QString::fromUtf8(c.cabecera),
                                             c.ancho, c.visible, c.tipo);
    uAviso = new TavisoListaVacia(GRD_main);

    BTN_exportarExcelNoSerie =
        u_creaBoton(QStringLiteral("BTN_exportarExcelNoSerie"), QStringLiteral("Exportar"), this);
    auto *acciones = new QHBoxLayout;
    acciones->addStretch();
    acciones->addWidget(BTN_exportarExcelNoSerie);
    auto *raiz = new QVBoxLayout(this);
    raiz->addWidget(u_creaTitulo(kTitulo, this, QStringLiteral("LBL_formularioTitulo")));
    raiz->addWidget(creaFiltros());
    raiz->addLayout(acciones);
    raiz->addWidget(GRD_main, 1);
    conecta();
}

QWidget *TFRM_productosNoSerie::creaFiltros() {
    auto *p = new QGroupBox(QStringLiteral("Criterios de Búsqueda"), this);
    p->setObjectName(QStringLiteral("contenedor_busqueda"));
    CMB_almacen = new QComboBox(p);
    CMB_almacen->setObjectName(QStringLiteral("CMB_almacen"));
    CMB_almacen->setMinimumWidth(150);
    CMB_estadoNoSerie = new QComboBox(p);
    CMB_estadoNoSerie->setObjectName(QStringLiteral("CMB_estadoNoSerie"));
    CMB_estadoNoSerie->setMinimumWidth(120);
    auto *marco = new QFrame(p);
    marco->setFrameShape(QFrame::StyledPanel);
    marco->setMinimumWidth(220);
    PNL_seleccionarProducto = marco;
    PNL_seleccionarProducto->setObjectName(QStringLiteral("PNL_seleccionarProducto"));
    PNL_seleccionarProducto->setCursor(Qt::PointingHandCursor);
    PNL_seleccionarProducto->installEventFilter(this);
    LBL_producto = u_creaEtiqueta(QStringLiteral("LBL_producto"), kSinProducto, PNL_seleccionarProducto);
    auto *capaProducto = new QHBoxLayout(PNL_seleccionarProducto);
    capaProducto->setContentsMargins(6, 2, 6, 2);
    capaProducto->addWidget(LBL_producto);
    TXT_numero = u_campo(p, QStringLiteral("TXT_numero"), kLargoNumero);
    TXT_documento = u_campo(p, QStringLiteral("TXT_documento"), 12);

    const auto etiqueta = [p](const char *nombre, const char *texto) {
        return u_creaEtiqueta(QString::fromLatin1(nombre), QString::fromUtf8(texto), p);
    };
    auto *capa = new QGridLayout(p);
    capa->addWidget(etiqueta("LBL_almacen", "Almacen"), 0, 0);
    capa->addWidget(etiqueta("LBL_estado", "Estado"), 0, 2);
    capa->addWidget(etiqueta("LBL_productoTitulo", "Producto"), 0, 4);
    capa->addWidget(etiqueta("LBL_numero", "No. Serie"), 0, 6);
    capa->addWidget(etiqueta("LBL_documento", "Documento"), 0, 8);
    capa->addWidget(CMB_almacen, 1, 0);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarCMBalmacen"), p), 1, 1);
    capa->addWidget(CMB_estadoNoSerie, 1, 2);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarCMBestado"), p), 1, 3);
    capa->addWidget(PNL_seleccionarProducto, 1, 4);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("BTN_seleccionarProducto"), p), 1, 5);
    capa->addWidget(TXT_numero, 1, 6);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("BTN_resetTXTNumero"), p), 1, 7);
    capa->addWidget(TXT_documento, 1, 8);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("BTN_resetTXTDocumento"), p), 1, 9);
    capa->addWidget(u_creaBoton(QStringLiteral("BTN_buscarNoSerie"), QStringLiteral("Buscar"), p), 1, 10);
    capa->addWidget(u_creaBoton(QStringLiteral("BTN_verTodosNoSerie"), QStringLiteral("Ver Todos"), p), 1,
                    11);
    capa->setColumnStretch(12, 1);
    return p;
}

void TFRM_productosNoSerie::conecta() {
    const auto boton = [this](const char *nombre) {
        return findChild<QPushButton *>(QString::fromLatin1(nombre));
    };
    connect(boton("BTN_buscarNoSerie"), &QPushButton::clicked, this, &TFRM_productosNoSerie::buscar);
    connect(boton("BTN_verTodosNoSerie"), &QPushButton::clicked, this,
            &TFRM_productosNoSerie::BTN_verTodosNoSerieClick);
    for (QComboBox *combo : {CMB_almacen, CMB_estadoNoSerie})
        connect(combo, &QComboBox::currentIndexChanged, this, &TFRM_productosNoSerie::buscar);
    connect(boton("BTN_reiniciarCMBalmacen"), &QPushButton::clicked, this,
            [this] { CMB_almacen->setCurrentIndex(-1); });
    connect(boton("BTN_reiniciarCMBestado"), &QPushButton::clicked, this,
            [this] { CMB_estadoNoSerie->setCurrentIndex(-1); });
    connect(boton("BTN_seleccionarProducto"), &QPushButton::clicked, this, [this] {
        reiniciaProducto();
        buscar();
    });
    const auto reinicio = [&](const char *nombre, QLineEdit *campo) {
        connect(boton(nombre), &QPushButton::clicked, this, [this, campo] {
            campo->clear();
            campo->setFocus();
            buscar();
        });
        connect(campo, &QLineEdit::returnPressed, this, &TFRM_productosNoSerie::buscar);
    };
    reinicio("BTN_resetTXTNumero", TXT_numero);
    reinicio("BTN_resetTXTDocumento", TXT_documento);
    connect(BTN_exportarExcelNoSerie, &QPushButton::clicked, this, [this] {
        exportarGridExcelUNI(*uGRD_productosNoSerie, QStringLiteral("No de Serie"), uSistema);
    });
}

bool TFRM_productosNoSerie::eventFilter(QObject *objeto, QEvent *evento) {
    if (objeto == PNL_seleccionarProducto && evento->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(evento)->button() == Qt::LeftButton)
        eligeProducto();
    return QWidget::eventFilter(objeto, evento);
}

bool TFRM_productosNoSerie::init() {
    uSistema = localSYS;
    BTN_exportarExcelNoSerie->setEnabled(!uSistema.esRestringido());
    cargaAlmacenes();
    if (uBusquedaInicial) {
        cargaEstados();
        reiniciaProducto();
        TXT_numero->clear();
        TXT_documento->clear();
        buscar();
        uBusquedaInicial = false;
    }
    return true;
}

void TFRM_productosNoSerie::cargaAlmacenes() {
    u_llenaAlmacenes(CMB_almacen, uValueMember_CMB_almacen, uSistema);
}

void TFRM_productosNoSerie::cargaEstados() {
    TproductosNoSerie datos(uSistema.getConexion());
    u_llenaListaIds(CMB_estadoNoSerie, uValueMember_CMB_estadoNoSerie, datos.selectNoSerieEstados(),
                    QStringLiteral("inventarioNoSerieEstado_id"),
                    QStringLiteral("inventarioNoSerieEstado_etiqueta"));
}

void TFRM_productosNoSerie::buscar() {
    TproductosNoSerie datos(uSistema.getConexion());
    const CmidTierResponse r =
        datos.selectNoSerie(u_idElegido(CMB_almacen, uValueMember_CMB_almacen),
                            uProductoID == -1 ? QVariant() : QVariant(uProductoID),
                            u_idElegido(CMB_estadoNoSerie, uValueMember_CMB_estadoNoSerie),
                            TXT_numero->text(), TXT_documento->text(), uSistema.getNegocio().getIdNegocio());
    if (!uGRD_productosNoSerie->carga(r))
        return;
    uAviso->muestra(uGRD_productosNoSerie->filas() == 0);
}

void TFRM_productosNoSerie::reiniciaProducto() {
    uProductoID = -1;
    LBL_producto->setText(kSinProducto);
}

void TFRM_productosNoSerie::BTN_verTodosNoSerieClick() {
    reiniciaProducto();
    TXT_numero->clear();
    for (QComboBox *lista : {CMB_estadoNoSerie, CMB_almacen}) {
        const QSignalBlocker bloqueo(lista);
        lista->setCurrentIndex(-1);
    }
    buscar();
}

void TFRM_productosNoSerie::setProducto(const TproductoSeleccionadoDescripcion &producto) {
    if (!producto.seleccionado)
        return;
    LBL_producto->setText(producto.descripcion);
    uCategoriaID = producto.categoriaId;
    uProductoID = producto.productoId;
    buscar();
}

void TFRM_productosNoSerie::eligeProducto() {
    TproductoSeleccionadoDescripcion producto;
    producto.categoriaId = uCategoriaID;
    TFRM_seleccionarProducto selector(uSistema, this);
    selector.init(producto, uSistema);
    setProducto(producto);
}

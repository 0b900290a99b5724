#include "existencias/UFRM_capturarExistencias.h"

#include "comun/ui/UFRM_seleccionarAlmacen.h"
#include "comun/ui/UFRM_seleccionarProducto.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/U_filtrosEntrada.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kLargoNumero = 20;
} // namespace

TFRM_capturarExistencias::TFRM_capturarExistencias(QWidget *padre) : QWidget(padre) {
    FormCreate();
}

void TFRM_capturarExistencias::FormCreate() {
    setObjectName(QStringLiteral("FRM_capturarExistencias"));
    setWindowTitle(QStringLiteral("Capturar Existencias"));
    auto *capa = new QVBoxLayout(this);
    capa->addWidget(u_creaTitulo(QStringLiteral("Capturar Existencias"), this));

    auto *rejilla = new QGridLayout;
    rejilla->addWidget(
        u_creaEtiqueta(QStringLiteral("LBL_almacen"), QStringLiteral("Seleccionar Almacen"), this), 0, 0);
    LBL_almacenSeleccionado = u_creaEtiqueta(QStringLiteral("LBL_almacenSeleccionado"), QString(), this);
    rejilla->addWidget(LBL_almacenSeleccionado, 0, 1);
    auto *buscarAlmacen = u_creaBoton(QStringLiteral("BTN_buscarAlmacen"), QStringLiteral("Buscar"), this);
    rejilla->addWidget(buscarAlmacen, 0, 2);

    rejilla->addWidget(
        u_creaEtiqueta(QStringLiteral("LBL_producto"), QStringLiteral("Seleccionar Producto"), this), 1, 0);
    LBL_productoSeleccionado = u_creaEtiqueta(QStringLiteral("LBL_productoSeleccionado"), QString(), this);
    rejilla->addWidget(LBL_productoSeleccionado, 1, 1);
    auto *buscarProducto = u_creaBoton(QStringLiteral("BTN_buscarProducto"), QStringLiteral("Buscar"), this);
    rejilla->addWidget(buscarProducto, 1, 2);

    rejilla->addWidget(u_creaEtiqueta(QStringLiteral("LBL_cantidad"), QStringLiteral("Cantidad"), this), 2,
                       0);
    TXT_cantidad = new QLineEdit(this);
    TXT_cantidad->setObjectName(QStringLiteral("TXT_cantidad"));
    TXT_cantidad->setMaxLength(kLargoNumero);
    u_soloDecimales(TXT_cantidad);
    rejilla->addWidget(TXT_cantidad, 2, 1);
    LBL_unidadMedida = u_creaEtiqueta(QStringLiteral("LBL_unidadMedida"), QString(), this);
    rejilla->addWidget(LBL_unidadMedida, 2, 2);

    rejilla->addWidget(
        u_creaEtiqueta(QStringLiteral("LBL_costoUnitario"), QStringLiteral("Costo Unitario"), this), 3, 0);
    TXT_costoUnitario = new QLineEdit(this);
    TXT_costoUnitario->setObjectName(QStringLiteral("TXT_costoUnitario"));
    TXT_costoUnitario->setMaxLength(kLargoNumero);
    u_soloDecimales(TXT_costoUnitario);
    rejilla->addWidget(TXT_costoUnitario, 3, 1);
    capa->addLayout(rejilla);

    BTN_guardarExistencia =
        u_creaBoton(QStringLiteral("BTN_guardarExistencia"), QStringLiteral("Guardar"), this);
    capa->addWidget(BTN_guardarExistencia, 0, Qt::AlignLeft);
    LBL_msgGRDexistencias = u_creaEtiqueta(QStringLiteral("LBL_msgGRDexistencias"), QString(), this);
    LBL_msgGRDexistencias->hide();
    capa->addWidget(LBL_msgGRDexistencias);
    auto *nota = u_creaEtiqueta(QStringLiteral("LBL_nota"),
                                QStringLiteral("Para capturar inventario inicial de forma masiva utilice la "
                                               "opción Importar/Exportar desde el módulo 'Productos'."),
                                this);
    nota->setWordWrap(true);
    capa->addWidget(nota);
    capa->addStretch();

    connect(buscarAlmacen, &QPushButton::clicked, this, [this] {
        TalmacenDescripcion almacen;
        TFRM_seleccionarAlmacen(uSistema, this).init(almacen);
        tomaAlmacen(almacen);
    });
    connect(buscarProducto, &QPushButton::clicked, this, [this] {
        TproductoSeleccionadoDescripcion producto;
        TFRM_seleccionarProducto(uSistema, this).init(producto, uSistema);
        tomaProducto(producto);
    });
    connect(TXT_cantidad, &QLineEdit::returnPressed, TXT_costoUnitario,
            [this] { TXT_costoUnitario->setFocus(); });
    // Enter goes through the button, so a read-only user cannot save with the keyboard.
    connect(TXT_costoUnitario, &QLineEdit::returnPressed, BTN_guardarExistencia, &QPushButton::click);
    connect(BTN_guardarExistencia, &QPushButton::clicked, this,
            &TFRM_capturarExistencias::BTN_guardarExistenciaClick);
    u_aplicaEstilo(this);
}

bool TFRM_capturarExistencias::init() {
    uSistema = localSYS;
    uCaptura = std::make_unique<TcapturaExistencias>(uSistema);
    BTN_guardarExistencia->setEnabled(!uSistema.esRestringido());
    LBL_msgGRDexistencias->clear();
    LBL_msgGRDexistencias->hide();
    bootDatosCaptura();
    return true;
}

void TFRM_capturarExistencias::tomaAlmacen(const TalmacenDescripcion &almacen) {
    uCaptura->tomaAlmacen(almacen);
    muestraEleccion();
}

void TFRM_capturarExistencias::tomaProducto(const TproductoSeleccionadoDescripcion &producto) {
    uCaptura->tomaProducto(producto);
    muestraEleccion();
}

void TFRM_capturarExistencias::muestraEleccion() {
    LBL_almacenSeleccionado->setText(uCaptura->almacen().nombre);
    LBL_productoSeleccionado->setText(uCaptura->producto().descripcion);
    LBL_unidadMedida->setText(uCaptura->producto().unidadMedidaEtiqueta);
}

void TFRM_capturarExistencias::BTN_guardarExistenciaClick() {
    switch (uCaptura->guardar(TXT_cantidad->text(), TXT_costoUnitario->text())) {
    case TfinCapturaExistencia::Guardada:
    case TfinCapturaExistencia::Duplicada:
        bootDatosCaptura();
        break;
    case TfinCapturaExistencia::Rechazada:
    case TfinCapturaExistencia::Fallida:
        break;
    }
}

void TFRM_capturarExistencias::bootDatosCaptura() {
    uCaptura->limpia();
    muestraEleccion();
    TXT_cantidad->clear();
    TXT_costoUnitario->clear();
}

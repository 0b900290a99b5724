#include "comun/ui/UFRM_productos.h"

#include "comun/UNEG_productos.h"
#include "comun/U_bplpanelcontrol.h"
#include "comun/U_mensajes.h"
#include "comun/ui/UFRM_productoCaptura.h"
#include "comun/ui/UFRM_proveedores.h"
#include "comun/ui/UFRM_seleccionarCategoria.h"
#include "comun/ui/UFRM_selectorBase.h"
#include "comun/ui/UFRM_unidadesMedida.h"
#include "comun/ui/UgridControl.h"
#include "existencias/UFRM_importacionMovimientos.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString kTodas = QStringLiteral("Todas las categorías");

} // namespace

TFRM_productos::TFRM_productos(QWidget *padre) : QWidget(padre) {
    setObjectName(QStringLiteral("FRM_productos"));
    auto *columna = new QVBoxLayout(this);
    auto *titulo = new QLabel(QStringLiteral("Productos"), this);
    titulo->setObjectName(QStringLiteral("LBL_titulo"));
    columna->addWidget(titulo);

    auto *filtros = new QHBoxLayout();
    TXT_buscar = new QLineEdit(this);
    TXT_buscar->setObjectName(QStringLiteral("TXT_buscar"));
    TXT_buscar->setMaxLength(100);
    TXT_buscar->setPlaceholderText(QStringLiteral("Nombre, clave o código de barras"));
    TXT_buscar->setClearButtonEnabled(true);
    LBL_categoria = new QLabel(kTodas, this);
    LBL_categoria->setObjectName(QStringLiteral("LBL_categoria"));
    BTN_categoria = u_boton(this, QStringLiteral("BTN_categoria"), QStringLiteral("Categoría..."));
    BTN_reiniciarCategoria = u_boton(this, QStringLiteral("BTN_reiniciarCategoria"), QStringLiteral("Todas"));
    BTN_buscar = u_boton(this, QStringLiteral("BTN_buscar"), QStringLiteral("Buscar"));
    filtros->addWidget(TXT_buscar, 1);
    filtros->addWidget(LBL_categoria);
    filtros->addWidget(BTN_categoria);
    filtros->addWidget(BTN_reiniciarCategoria);
    filtros->addWidget(BTN_buscar);
    columna->addLayout(filtros);

    auto *acciones = new QHBoxLayout();
    BTN_nuevo = u_boton(this, QStringLiteral("BTN_nuevo"), QStringLiteral("Nuevo"));
    BTN_editar = u_boton(this, QStringLiteral("BTN_editar"), QStringLiteral("Editar"));
    BTN_unidades = u_boton(this, QStringLiteral("BTN_unidades"), QStringLiteral("Unidades de Medida"));
    BTN_proveedores = u_boton(this, QStringLiteral("BTN_proveedores"), QStringLiteral("Proveedores"));
    BTN_importarMovimientos =
        u_boton(this, QStringLiteral("BTN_importarMovimientos"), QStringLiteral("Importar Movimientos"));
    acciones->addWidget(BTN_nuevo);
    acciones->addWidget(BTN_editar);
    acciones->addStretch(1);
    acciones->addWidget(BTN_unidades);
    acciones->addWidget(BTN_proveedores);
    acciones->addWidget(BTN_importarMovimientos);
    columna->addLayout(acciones);

    GRD_main = new QTableView(this);
    GRD_main->setObjectName(QStringLiteral("GRD_main"));
    GRD_main->verticalHeader()->hide();
    GRD_main->setAlternatingRowColors(true);
    uGrid = new TGridControl(GRD_main);
    uGrid->agregaColumna(QStringLiteral("producto_id"), QStringLiteral("ID"), 40, false);
    uGrid->agregaColumna(QStringLiteral("inventarioProducto_clave"), QStringLiteral("Clave"), 90);
    uGrid->agregaColumna(QStringLiteral("producto_nombre"), QStringLiteral("Producto"), 260);
    uGrid->agregaColumna(QStringLiteral("producto_codigoBarras"), QStringLiteral("Código de Barras"), 120);
    uGrid->agregaColumna(QStringLiteral("categoria_etiqueta"), QStringLiteral("Categoría"), 150);
    uGrid->agregaColumna(QStringLiteral("unidadesMedida_descripcion"), QStringLiteral("Unidad"), 100);
    uGrid->agregaColumna(QStringLiteral("_noSerie"), QStringLiteral("No. Serie"), 70);
    uGrid->agregaColumna(QStringLiteral("productoEstado_etiqueta"), QStringLiteral("Estado"), 80);
    uGrid->setColumnaEstirada(QStringLiteral("producto_nombre"));
    columna->addWidget(GRD_main, 1);

    auto *pie = new QHBoxLayout();
    LBL_msg = new QLabel(this);
    LBL_msg->setObjectName(QStringLiteral("LBL_msg"));
    LBL_total = new QLabel(this);
    LBL_total->setObjectName(QStringLiteral("LBL_total"));
    pie->addWidget(LBL_msg, 1);
    pie->addWidget(LBL_total);
    columna->addLayout(pie);

    connect(TXT_buscar, &QLineEdit::returnPressed, this, &TFRM_productos::buscar);
    connect(BTN_buscar, &QPushButton::clicked, this, &TFRM_productos::buscar);
    connect(BTN_categoria, &QPushButton::clicked, this, &TFRM_productos::BTN_categoriaClick);
    connect(BTN_reiniciarCategoria, &QPushButton::clicked, this, [this] { setCategoria({}, kTodas); });
    connect(BTN_nuevo, &QPushButton::clicked, this, &TFRM_productos::BTN_nuevoClick);
    connect(BTN_editar, &QPushButton::clicked, this, &TFRM_productos::BTN_editarClick);
    connect(uGrid, &TGridControl::filaActivada, this, &TFRM_productos::BTN_editarClick);
    connect(BTN_unidades, &QPushButton::clicked, this, &TFRM_productos::BTN_unidadesClick);
    connect(BTN_proveedores, &QPushButton::clicked, this, &TFRM_productos::BTN_proveedoresClick);
    connect(BTN_importarMovimientos, &QPushButton::clicked, this,
            &TFRM_productos::BTN_importarMovimientosClick);
    u_aplicaEstiloDialogo(this);
}

bool TFRM_productos::init() {
    return init(localSYS, true, false);
}

bool TFRM_productos::init(const TsistemaDatos &sistema, bool permiteCaptura, bool soloActivos) {
    uSistema = sistema;
    uPermiteCaptura = permiteCaptura;
    uSoloActivos = soloActivos;
    initPermisos();
    BTN_reiniciarCategoria->setEnabled(!uCategoria.isEmpty());
    buscar();
    return true;
}

void TFRM_productos::initPermisos() {
    BTN_nuevo->setVisible(uPermiteCaptura);
    BTN_editar->setVisible(uPermiteCaptura);
    BTN_nuevo->setEnabled(!uSistema.esRestringido());
    BTN_importarMovimientos->setVisible(uPermiteCaptura);
    BTN_importarMovimientos->setEnabled(!uSistema.esRestringido());
    // A read-only user may open a product to look at it; the dialog saves nothing for them.
    BTN_editar->setText(uSistema.esRestringido() ? QStringLiteral("Ver") : QStringLiteral("Editar"));
}

void TFRM_productos::buscar() {
    const CmidTierResponse r =
        Tproductos(uSistema.conexion)
            .selectProductos(TXT_buscar->text(), uCategoria, uSistema.negocio.getIdNegocio());
    if (!uGrid->carga(r)) {
        LBL_msg->setText(QStringLiteral("No se pudo consultar los productos."));
        return;
    }
    for (int f = uGrid->filas() - 1; f >= 0; --f) {
        if (uSoloActivos && uGrid->getCeldaAsInt(f, QStringLiteral("producto_estatus")) != 1) {
            uGrid->eliminaFila(f);
            continue;
        }
        uGrid->setCelda(f, QStringLiteral("_noSerie"),
                        uGrid->getCeldaAsInt(f, QStringLiteral("inventarioProducto_opControlnoSerie")) == 1
                            ? QStringLiteral("Sí")
                            : QStringLiteral("No"));
    }
    LBL_msg->setText(uGrid->filas() == 0 ? QStringLiteral("No hay elementos que mostrar") : QString());
    LBL_total->setText(QStringLiteral("%1 productos").arg(uGrid->filas()));
}

void TFRM_productos::setCategoria(const QString &identidad, const QString &etiqueta) {
    uCategoria = identidad;
    LBL_categoria->setText(etiqueta);
    BTN_reiniciarCategoria->setEnabled(!identidad.isEmpty());
    buscar();
}

void TFRM_productos::seleccionaProducto(int id) {
    for (int f = 0; f < uGrid->filas(); ++f) {
        if (uGrid->getCeldaAsInt(f, QStringLiteral("producto_id")) == id)
            GRD_main->selectRow(f);
    }
}

void TFRM_productos::BTN_nuevoClick() {
    TFRM_productoCaptura captura(uSistema, this);
    const int id = captura.initNuevo();
    if (id <= 0)
        return;
    buscar();
    seleccionaProducto(id);
}

void TFRM_productos::BTN_editarClick() {
    if (!uPermiteCaptura)
        return;
    const int f = uGrid->filaSeleccionada();
    if (f < 0) {
        u_mensaje(QStringLiteral("Seleccione un producto."), kAdvertencia);
        return;
    }
    const int id = int(uGrid->getCeldaAsInt(f, QStringLiteral("producto_id")));
    TFRM_productoCaptura captura(uSistema, this);
    if (captura.initEdicion(id) <= 0)
        return;
    buscar();
    seleccionaProducto(id);
}

void TFRM_productos::BTN_categoriaClick() {
    const TcategoriaSeleccionada categoria = TFRM_seleccionarCategoria::elige(uSistema, this, uCategoria);
    if (categoria.seleccionado)
        setCategoria(categoria.identidad, categoria.etiqueta);
}

void TFRM_productos::BTN_unidadesClick() {
    TFRM_unidadesMedida(uSistema, this).init();
    buscar();
}

void TFRM_productos::BTN_proveedoresClick() {
    TFRM_proveedores(uSistema, this).init();
}

void TFRM_productos::BTN_importarMovimientosClick() {
    TFRM_importacionMovimientos(uSistema, this).init();
    buscar(); // products may have been created
}

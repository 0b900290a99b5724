#include "comun/ui/UFRM_seleccionarProducto.h"

#include "comun/UNEG_catalogo.h"
#include "comun/UNEG_productos.h"
#include "comun/U_productoSeleccionado.h"
#include "comun/ui/UFRM_productoCaptura.h"
#include "comun/ui/UFRM_seleccionarCategoria.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString kTodas = QStringLiteral("Todas las categorías");
}

TFRM_seleccionarProducto::TFRM_seleccionarProducto(const TsistemaDatos &sistema, QWidget *padre)
    : TFRM_selectorBase(QStringLiteral("Seleccionar Producto"), padre), uSistema(sistema) {
    setObjectName(QStringLiteral("FRM_seleccionarProducto"));
    TXT_buscar->setPlaceholderText(QStringLiteral("Nombre, clave o código de barras"));
    LBL_categoria = new QLabel(kTodas, this);
    LBL_categoria->setObjectName(QStringLiteral("LBL_categoria"));
    barraFiltros()->addWidget(LBL_categoria);
    BTN_categoria =
        agregaBoton(barraFiltros(), QStringLiteral("BTN_categoria"), QStringLiteral("Categoría..."));
    BTN_reiniciarCategoria =
        agregaBoton(barraFiltros(), QStringLiteral("BTN_reiniciarCategoria"), QStringLiteral("Todas"));
    BTN_nuevo = agregaBoton(barraAcciones(), QStringLiteral("BTN_nuevo"), QStringLiteral("Nuevo producto"));
    BTN_nuevo->setEnabled(!uSistema.esRestringido());

    TGridControl *g = gridControl();
    g->agregaColumna(QStringLiteral("producto_id"), QStringLiteral("ID"), 40, false);
    g->agregaColumna(QStringLiteral("inventarioProducto_clave"), QStringLiteral("Clave"), 90);
    g->agregaColumna(QStringLiteral("producto_nombre"), QStringLiteral("Producto"), 240);
    g->agregaColumna(QStringLiteral("producto_codigoBarras"), QStringLiteral("Código de Barras"), 120);
    g->agregaColumna(QStringLiteral("categoria_etiqueta"), QStringLiteral("Categoría"), 130);
    g->agregaColumna(QStringLiteral("unidadesMedida_descripcion"), QStringLiteral("Unidad"), 90);
    g->agregaColumna(QStringLiteral("productoEstado_etiqueta"), QStringLiteral("Estado"), 70);
    g->setColumnaEstirada(QStringLiteral("producto_nombre"));
    resize(900, 520);

    connect(BTN_categoria, &QPushButton::clicked, this, &TFRM_seleccionarProducto::BTN_categoriaClick);
    connect(BTN_reiniciarCategoria, &QPushButton::clicked, this, [this] { setCategoria({}, kTodas); });
    connect(BTN_nuevo, &QPushButton::clicked, this, &TFRM_seleccionarProducto::BTN_nuevoClick);
}

void TFRM_seleccionarProducto::prepara(const TproductoSeleccionadoDescripcion &producto) {
    uResultado = {};
    QString etiqueta = kTodas;
    if (!producto.categoriaId.isEmpty()) {
        const CmidTierResponse r =
            Tcatalogo(uSistema.conexion)
                .selectCategoriaPorIdentidad(producto.categoriaId, uSistema.negocio.getIdNegocio());
        if (r.getRowCount() == 1)
            etiqueta = r.getCelda(0, QStringLiteral("categoria_etiqueta"));
    }
    setCategoria(etiqueta == kTodas ? QString() : producto.categoriaId, etiqueta);
    TXT_buscar->setFocus();
}

void TFRM_seleccionarProducto::init(TproductoSeleccionadoDescripcion &producto,
                                    const TsistemaDatos &sistema) {
    uSistema = sistema;
    BTN_nuevo->setEnabled(!uSistema.esRestringido());
    prepara(producto);
    if (exec() == QDialog::Accepted)
        producto = uResultado;
    else
        producto.seleccionado = false;
}

void TFRM_seleccionarProducto::setCategoria(const QString &identidad, const QString &etiqueta) {
    uCategoria = identidad;
    LBL_categoria->setText(etiqueta);
    BTN_reiniciarCategoria->setEnabled(!identidad.isEmpty());
    buscar();
}

bool TFRM_seleccionarProducto::cargaFilas(const QString &texto) {
    return gridControl()->carga(
        Tproductos(uSistema.conexion).selectProductos(texto, uCategoria, uSistema.negocio.getIdNegocio()));
}

bool TFRM_seleccionarProducto::tomaFila(int fila) {
    // Read again by id: the row may have changed since the list was loaded.
    uResultado = u_productoPorId(uSistema.conexion,
                                 int(gridControl()->getCeldaAsInt(fila, QStringLiteral("producto_id"))),
                                 uSistema.negocio.getIdNegocio());
    return uResultado.seleccionado;
}

void TFRM_seleccionarProducto::BTN_categoriaClick() {
    const TcategoriaSeleccionada categoria = TFRM_seleccionarCategoria::elige(uSistema, this, uCategoria);
    if (categoria.seleccionado)
        setCategoria(categoria.identidad, categoria.etiqueta);
}

void TFRM_seleccionarProducto::BTN_nuevoClick() {
    TFRM_productoCaptura captura(uSistema, this);
    const int id = captura.initNuevo();
    if (id <= 0)
        return;
    TXT_buscar->clear();
    setCategoria({}, kTodas);
    for (int f = 0; f < gridControl()->filas(); ++f) {
        if (gridControl()->getCeldaAsInt(f, QStringLiteral("producto_id")) == id)
            GRD_main->selectRow(f);
    }
}

#include "comun/ui/UFRM_productoCaptura.h"

#include "comun/UNEG_catalogo.h"
#include "comun/UNEG_productos.h"
#include "comun/UNEG_unidadesMedida.h"
#include "comun/U_mensajes.h"
#include "comun/U_productoCaptura.h"
#include "comun/U_productoSeleccionado.h"
#include "comun/ui/UFRM_seleccionarCategoria.h"
#include "comun/ui/UFRM_seleccionarUnidadMedida.h"
#include "comun/ui/UFRM_selectorBase.h"
#include "comun/ui/U_filtrosEntrada.h"
#include "comun/ui/UgridControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString kMinimo = QStringLiteral("inventarioStock_minimo");
const QString kMaximo = QStringLiteral("inventarioStock_maximo");

// A label with its "Seleccionar" button on one row.
QWidget *conBoton(QWidget *padre, QLabel *etiqueta, QPushButton *b) {
    auto *fila = new QWidget(padre);
    auto *capa = new QHBoxLayout(fila);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(etiqueta, 1);
    capa->addWidget(b);
    return fila;
}
} // namespace

TFRM_productoCaptura::TFRM_productoCaptura(const TsistemaDatos &sistema, QWidget *padre)
    : QDialog(padre), uSistema(sistema) {
    setObjectName(QStringLiteral("FRM_productoCaptura"));
    setWindowTitle(QStringLiteral("Producto"));
    auto *columna = new QVBoxLayout(this);
    LBL_titulo = new QLabel(QStringLiteral("Producto Nuevo"), this);
    LBL_titulo->setObjectName(QStringLiteral("LBL_titulo"));
    columna->addWidget(LBL_titulo);

    auto *forma = new QFormLayout();
    TXT_clave = u_campoTexto(this, QStringLiteral("TXT_clave"), limites::kClave);
    TXT_nombre = u_campoTexto(this, QStringLiteral("TXT_nombre"), limites::kNombreProducto);
    TXT_descripcion = u_campoTexto(this, QStringLiteral("TXT_descripcion"), limites::kDescripcionProducto);
    TXT_codigoBarras = u_campoTexto(this, QStringLiteral("TXT_codigoBarras"), limites::kCodigoBarras);
    LBL_categoria = new QLabel(this);
    LBL_categoria->setObjectName(QStringLiteral("LBL_categoria"));
    BTN_categoria = u_boton(this, QStringLiteral("BTN_categoria"), QStringLiteral("Seleccionar"));
    LBL_unidadMedida = new QLabel(this);
    LBL_unidadMedida->setObjectName(QStringLiteral("LBL_unidadMedida"));
    BTN_unidadMedida = u_boton(this, QStringLiteral("BTN_unidadMedida"), QStringLiteral("Seleccionar"));
    CHK_noSerie = new QCheckBox(QStringLiteral("Controlado por número de serie"), this);
    CHK_noSerie->setObjectName(QStringLiteral("CHK_noSerie"));
    CMB_estado = new QComboBox(this);
    CMB_estado->setObjectName(QStringLiteral("CMB_estado"));
    forma->addRow(QStringLiteral("Clave"), TXT_clave);
    forma->addRow(QStringLiteral("Nombre"), TXT_nombre);
    forma->addRow(QStringLiteral("Descripción"), TXT_descripcion);
    forma->addRow(QStringLiteral("Código de Barras"), TXT_codigoBarras);
    forma->addRow(QStringLiteral("Categoría"), conBoton(this, LBL_categoria, BTN_categoria));
    forma->addRow(QStringLiteral("Unidad de Medida"), conBoton(this, LBL_unidadMedida, BTN_unidadMedida));
    forma->addRow(QString(), CHK_noSerie);
    forma->addRow(QStringLiteral("Estado"), CMB_estado);
    columna->addLayout(forma);

    auto *stock = new QGroupBox(QStringLiteral("Stock mínimo y máximo por almacén"), this);
    auto *capaStock = new QVBoxLayout(stock);
    GRD_stock = new QTableView(stock);
    GRD_stock->setObjectName(QStringLiteral("GRD_stock"));
    GRD_stock->verticalHeader()->hide();
    GRD_stock->setAlternatingRowColors(true);
    uGrdStock = new TGridControl(GRD_stock);
    uGrdStock->agregaColumna(QStringLiteral("almacen_id"), QStringLiteral("ID"), 40, false);
    uGrdStock->agregaColumna(QStringLiteral("almacen_nombre"), QStringLiteral("Almacén"), 200);
    uGrdStock->agregaColumna(kMinimo, QStringLiteral("Mínimo"), 90);
    uGrdStock->agregaColumna(kMaximo, QStringLiteral("Máximo"), 90);
    uGrdStock->setColumnaEstirada(QStringLiteral("almacen_nombre"));
    capaStock->addWidget(GRD_stock);
    auto *edicion = new QHBoxLayout();
    TXT_minimo = u_campoTexto(stock, QStringLiteral("TXT_minimo"), 20);
    TXT_maximo = u_campoTexto(stock, QStringLiteral("TXT_maximo"), 20);
    u_soloDecimales(TXT_minimo);
    u_soloDecimales(TXT_maximo);
    BTN_aplicarStock = u_boton(stock, QStringLiteral("BTN_aplicarStock"), QStringLiteral("Aplicar"));
    edicion->addWidget(new QLabel(QStringLiteral("Mínimo"), stock));
    edicion->addWidget(TXT_minimo);
    edicion->addWidget(new QLabel(QStringLiteral("Máximo"), stock));
    edicion->addWidget(TXT_maximo);
    edicion->addWidget(BTN_aplicarStock);
    capaStock->addLayout(edicion);
    columna->addWidget(stock, 1);

    LBL_msg = new QLabel(this);
    LBL_msg->setObjectName(QStringLiteral("LBL_msg"));
    LBL_msg->setWordWrap(true);
    columna->addWidget(LBL_msg);
    u_botonesAceptarCancelar(this, columna, BTN_aceptar, BTN_cancelar);

    connect(GRD_stock->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TFRM_productoCaptura::GRD_stockSeleccion);
    connect(BTN_aplicarStock, &QPushButton::clicked, this, &TFRM_productoCaptura::BTN_aplicarStockClick);
    connect(BTN_categoria, &QPushButton::clicked, this, &TFRM_productoCaptura::BTN_categoriaClick);
    connect(BTN_unidadMedida, &QPushButton::clicked, this, &TFRM_productoCaptura::BTN_unidadMedidaClick);
    connect(BTN_aceptar, &QPushButton::clicked, this, &TFRM_productoCaptura::BTN_aceptarClick);
    u_aplicaEstiloDialogo(this);
    resize(620, 640);
}

bool TFRM_productoCaptura::cargaListas(int idProducto) {
    const int negocio = uSistema.negocio.getIdNegocio();
    const CmidTierResponse estados = Tproductos(uSistema.conexion).selectProductoEstados();
    const CmidTierResponse stock = Tproductos(uSistema.conexion).selectStockProducto(idProducto, negocio);
    if (!estados.isSuccess() || !uGrdStock->carga(stock))
        return false;
    CMB_estado->clear();
    for (int f = 0; f < estados.getRowCount(); ++f)
        CMB_estado->addItem(estados.getCelda(f, 1), int(estados.getCeldaAsInt(f, 0)));
    // Read-only users see the product but change nothing.
    const bool puedeEscribir = !uSistema.esRestringido();
    for (QWidget *w : std::initializer_list<QWidget *>{BTN_aceptar, BTN_aplicarStock, BTN_categoria,
                                                       BTN_unidadMedida, CHK_noSerie, CMB_estado})
        w->setEnabled(puedeEscribir);
    for (QLineEdit *t : {TXT_clave, TXT_nombre, TXT_descripcion, TXT_codigoBarras, TXT_minimo, TXT_maximo})
        t->setReadOnly(!puedeEscribir);
    return true;
}

bool TFRM_productoCaptura::preparaNuevo() {
    uProductoId = 0;
    uIdGuardado = 0;
    LBL_titulo->setText(QStringLiteral("Producto Nuevo"));
    if (!cargaListas(0))
        return false;
    // A new product starts in the tree's first category and the first unit, both changeable.
    const int negocio = uSistema.negocio.getIdNegocio();
    const CmidTierResponse categorias = Tcatalogo(uSistema.conexion).selectCategorias(negocio);
    setCategoria(categorias.getCelda(0, QStringLiteral("categoria_identidad")),
                 categorias.getCelda(0, QStringLiteral("categoria_etiqueta")));
    const CmidTierResponse unidades = TunidadesMedida(uSistema.conexion).selectUnidades(0, negocio);
    setUnidadMedida(int(unidades.getCeldaAsInt(0, QStringLiteral("unidadMedida_id"))),
                    unidades.getCelda(0, QStringLiteral("unidadMedida_descripcion")));
    CMB_estado->setCurrentIndex(CMB_estado->findData(1));
    return true;
}

bool TFRM_productoCaptura::preparaEdicion(int idProducto) {
    const TproductoSeleccionadoDescripcion p =
        u_productoPorId(uSistema.conexion, idProducto, uSistema.negocio.getIdNegocio());
    if (!p.seleccionado || !cargaListas(idProducto))
        return false;
    uProductoId = idProducto;
    uIdGuardado = 0;
    LBL_titulo->setText(QStringLiteral("Editar Producto"));
    const CmidTierResponse fila =
        Tproductos(uSistema.conexion).selectProductoPorId(idProducto, uSistema.negocio.getIdNegocio());
    TXT_clave->setText(p.clave);
    TXT_nombre->setText(p.nombre);
    TXT_descripcion->setText(fila.getCelda(0, QStringLiteral("inventarioProducto_descripcion")));
    TXT_codigoBarras->setText(p.codigoBarras);
    setCategoria(p.categoriaId, p.categoriaEtiqueta);
    setUnidadMedida(p.unidadMedidaId, p.unidadMedidaEtiqueta);
    CHK_noSerie->setChecked(p.opControladoNoSerie == 1);
    CMB_estado->setCurrentIndex(CMB_estado->findData(p.estado));
    // Stock is kept in the unit and serials were captured under the flag: fixed once moved.
    if (Tproductos(uSistema.conexion)
            .selectMovimientosProducto(idProducto, uSistema.negocio.getIdNegocio())
            .getScalarAsInt() > 0) {
        BTN_unidadMedida->setEnabled(false);
        CHK_noSerie->setEnabled(false);
        LBL_msg->setText(QStringLiteral("El producto tiene movimientos: su unidad de medida y el control de "
                                        "números de serie no pueden cambiar."));
    }
    return true;
}

int TFRM_productoCaptura::initNuevo() {
    if (!preparaNuevo())
        return 0;
    exec();
    return uIdGuardado;
}

int TFRM_productoCaptura::initEdicion(int idProducto) {
    if (!preparaEdicion(idProducto))
        return 0;
    exec();
    return uIdGuardado;
}

void TFRM_productoCaptura::setCategoria(const QString &identidad, const QString &etiqueta) {
    uCategoria = identidad;
    LBL_categoria->setText(identidad.isEmpty() ? QStringLiteral("Sin categoría") : etiqueta);
}

void TFRM_productoCaptura::setUnidadMedida(int id, const QString &etiqueta) {
    uUnidadMedidaId = id;
    LBL_unidadMedida->setText(id > 0 ? etiqueta : QStringLiteral("Sin unidad de medida"));
}

void TFRM_productoCaptura::GRD_stockSeleccion() {
    const int f = uGrdStock->filaSeleccionada();
    TXT_minimo->setText(f < 0 ? QString() : uGrdStock->getCelda(f, kMinimo));
    TXT_maximo->setText(f < 0 ? QString() : uGrdStock->getCelda(f, kMaximo));
}

void TFRM_productoCaptura::BTN_aplicarStockClick() {
    const int f = uGrdStock->filaSeleccionada();
    if (f < 0) {
        u_mensaje(QStringLiteral("Seleccione un almacén."), kAdvertencia);
        return;
    }
    // Kept as typed; the save checks them with everything else.
    uGrdStock->setCelda(f, kMinimo, TXT_minimo->text().trimmed());
    uGrdStock->setCelda(f, kMaximo, TXT_maximo->text().trimmed());
}

void TFRM_productoCaptura::BTN_categoriaClick() {
    const TcategoriaSeleccionada categoria = TFRM_seleccionarCategoria::elige(uSistema, this, uCategoria);
    if (categoria.seleccionado)
        setCategoria(categoria.identidad, categoria.etiqueta);
}

void TFRM_productoCaptura::BTN_unidadMedidaClick() {
    TFRM_seleccionarUnidadMedida selector(uSistema, this);
    REC_unidadMedidacomunicacion unidad;
    selector.initCustomMensaje(QStringLiteral("Seleccione la unidad en que se guardan las existencias del "
                                              "producto."),
                               unidad);
    if (unidad.aceptado)
        setUnidadMedida(unidad.id, unidad.etiqueta);
}

TproductoCaptura TFRM_productoCaptura::captura() const {
    TproductoCaptura p;
    p.id = uProductoId;
    p.clave = TXT_clave->text();
    p.nombre = TXT_nombre->text();
    p.descripcion = TXT_descripcion->text();
    p.codigoBarras = TXT_codigoBarras->text();
    p.categoria = uCategoria;
    p.unidadMedidaId = uUnidadMedidaId;
    p.controladoNoSerie = CHK_noSerie->isChecked();
    p.estado = CMB_estado->currentData().toInt();
    for (int f = 0; f < uGrdStock->filas(); ++f)
        p.limites.append({int(uGrdStock->getCeldaAsInt(f, QStringLiteral("almacen_id"))),
                          uGrdStock->getCelda(f, QStringLiteral("almacen_nombre")),
                          uGrdStock->getCelda(f, kMinimo), uGrdStock->getCelda(f, kMaximo)});
    return p;
}

void TFRM_productoCaptura::BTN_aceptarClick() {
    if (uSistema.esRestringido())
        return;
    const TresultadoCaptura r =
        productoCaptura::guarda(uSistema.conexion, captura(), uSistema.negocio.getIdNegocio());
    if (!r.ok()) {
        LBL_msg->setText(r.mensaje);
        u_mensaje(r.mensaje, kAdvertencia);
        return;
    }
    uIdGuardado = r.id;
    accept();
}

#include "catalogos/UFRM_catalogo.h"

#include "catalogos/UFRM_categoriaCaptura.h"
#include "catalogos/UFRM_exportarImportar.h"
#include "catalogos/UFRM_propiedades.h"
#include "catalogos/UNEG_categorias.h"
#include "comun/U_mensajes.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/U_imagenes.h"
#include "comun/ui/UgridControl.h"
#include "datos/ULog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kRolIdentidad = Qt::UserRole;
constexpr int kRolCarpeta = Qt::UserRole + 1;
const QString kCargando = QStringLiteral("Cargando...");
const QString kSeleccione = QStringLiteral("¡Seleccione una categoría!");
} // namespace

TFRM_catalogo::TFRM_catalogo(QWidget *padre) : QWidget(padre) {
    FormCreate();
}

void TFRM_catalogo::FormCreate() {
    setObjectName(QStringLiteral("FRM_catalogo"));
    setWindowTitle(QStringLiteral("Catálogo"));
    TRV_categorias = new QTreeWidget(this);
    TRV_categorias->setObjectName(QStringLiteral("TRV_categorias"));
    TRV_categorias->setHeaderHidden(true);
    BTN_categoriaNuevo = u_creaBoton(QStringLiteral("BTN_categoriaNuevo"), QStringLiteral("Nuevo"), this);
    BTN_editar = u_creaBoton(QStringLiteral("BTN_editar"), QStringLiteral("Editar"), this);
    BTN_eliminar = u_creaBoton(QStringLiteral("BTN_eliminar"), QStringLiteral("Eliminar"), this);
    BTN_exportarExcel =
        u_creaBoton(QStringLiteral("BTN_exportarExcel"), QStringLiteral("Exportar / Importar"), this);
    auto *acciones = new QHBoxLayout;
    for (QPushButton *b : {BTN_categoriaNuevo, BTN_editar, BTN_eliminar})
        acciones->addWidget(b);
    acciones->addStretch();
    acciones->addWidget(BTN_exportarExcel);

    auto *detalles = new QGroupBox(this);
    detalles->setObjectName(QStringLiteral("PNL_detalles"));
    LBL_categoriaNombre = u_creaEtiqueta(QStringLiteral("LBL_categoriaNombre"), QString(), detalles);
    LBL_propiedadesTotales =
        u_creaEtiqueta(QStringLiteral("LBL_propiedadesTotales"), QStringLiteral("0"), detalles);
    LBL_subcategoriasTotales =
        u_creaEtiqueta(QStringLiteral("LBL_subcategoriasTotales"), QStringLiteral("0"), detalles);
    BTN_propiedades = u_creaBoton(QStringLiteral("BTN_propiedades"), QStringLiteral("Propiedades"), detalles);
    GRD_propiedades = new QTableView(detalles);
    GRD_propiedades->setObjectName(QStringLiteral("GRD_propiedades"));
    uGRD_propiedadesControl = new TGridControl(GRD_propiedades);
    uGRD_propiedadesControl->agregaColumna(QStringLiteral("propiedadListado_id"),
                                           QStringLiteral("Propiedad ID"), 30, false);
    uGRD_propiedadesControl->agregaColumna(QStringLiteral("propiedadListado_nombre"),
                                           QStringLiteral("Propiedad"), 150);
    uGRD_propiedadesControl->agregaColumna(QStringLiteral("propiedadTipo_id"), QStringLiteral("Tipo ID"), 0,
                                           false);
    uGRD_propiedadesControl->agregaColumna(QStringLiteral("propiedadTipo_tipo"), QStringLiteral("Tipo"), 150);
    uGRD_propiedadesControl->setColumnaEstirada(QStringLiteral("propiedadTipo_tipo"));
    LBL_loading = u_creaEtiqueta(QStringLiteral("LBL_loading"), kCargando, detalles);
    LBL_loading->setAlignment(Qt::AlignCenter);
    auto *capaDetalles = new QGridLayout(detalles);
    capaDetalles->addWidget(LBL_categoriaNombre, 0, 0, 1, 4);
    capaDetalles->addWidget(
        u_creaEtiqueta(QStringLiteral("LBL_propiedades"), QStringLiteral("Propiedades"), detalles), 1, 0);
    capaDetalles->addWidget(LBL_propiedadesTotales, 1, 1);
    capaDetalles->addWidget(
        u_creaEtiqueta(QStringLiteral("LBL_subcategorias"), QStringLiteral("Subcategorías"), detalles), 1, 2);
    capaDetalles->addWidget(LBL_subcategoriasTotales, 1, 3);
    capaDetalles->addWidget(BTN_propiedades, 2, 0, 1, 4, Qt::AlignLeft);
    capaDetalles->addWidget(GRD_propiedades, 3, 0, 1, 4);
    capaDetalles->addWidget(LBL_loading, 4, 0, 1, 4);
    capaDetalles->setRowStretch(3, 1);

    auto *sat = new QGroupBox(QStringLiteral("Catálogo de Productos / Servicios  SAT 3.3"), this);
    sat->setObjectName(QStringLiteral("PNL_sat33"));
    LBL_catSat33 = u_creaEtiqueta(QStringLiteral("LBL_catSat33"), QString(), sat);
    LBL_catSat33->setWordWrap(true);
    LBL_claveSat33 = u_creaEtiqueta(QStringLiteral("LBL_claveSat33"), QString(), sat);
    LBL_origen = u_creaEtiqueta(QStringLiteral("LBL_origen"), QString(), sat);
    auto *capaSat = new QGridLayout(sat);
    capaSat->addWidget(u_creaEtiqueta(QStringLiteral("LBL_nombreSat"), QStringLiteral("Nombre"), sat), 0, 0);
    capaSat->addWidget(LBL_catSat33, 0, 1);
    capaSat->addWidget(u_creaEtiqueta(QStringLiteral("LBL_claveSat"), QStringLiteral("Clave"), sat), 1, 0);
    capaSat->addWidget(LBL_claveSat33, 1, 1);
    capaSat->addWidget(LBL_origen, 2, 0, 1, 2);
    capaSat->setColumnStretch(1, 1);

    auto *derecha = new QVBoxLayout;
    derecha->addWidget(detalles, 1);
    derecha->addWidget(sat);
    auto *cuerpo = new QHBoxLayout;
    cuerpo->addWidget(TRV_categorias, 1);
    cuerpo->addLayout(derecha, 1);
    auto *raiz = new QVBoxLayout(this);
    raiz->addWidget(u_creaTitulo(QStringLiteral("Categorías"), this));
    raiz->addLayout(acciones);
    raiz->addLayout(cuerpo, 1);

    TMR_1 = new QTimer(this);
    TMR_1->setObjectName(QStringLiteral("TMR_1"));
    TMR_1->setInterval(800);
    TMR_1->setSingleShot(true);
    connect(TMR_1, &QTimer::timeout, this, &TFRM_catalogo::TMR_1Timer);
    connect(TRV_categorias, &QTreeWidget::currentItemChanged, this, &TFRM_catalogo::detallesCategoria);
    connect(BTN_categoriaNuevo, &QPushButton::clicked, this, &TFRM_catalogo::BTN_categoriaNuevoClick);
    connect(BTN_editar, &QPushButton::clicked, this, &TFRM_catalogo::BTN_editarClick);
    connect(BTN_eliminar, &QPushButton::clicked, this, &TFRM_catalogo::BTN_eliminarClick);
    connect(BTN_propiedades, &QPushButton::clicked, this, &TFRM_catalogo::BTN_propiedadesClick);
    connect(BTN_exportarExcel, &QPushButton::clicked, this, &TFRM_catalogo::BTN_exportarExcelClick);
}

void TFRM_catalogo::initPermisos() {
    const bool permitido = !uSistema.esRestringido();
    for (QPushButton *b : {BTN_exportarExcel, BTN_eliminar, BTN_editar, BTN_categoriaNuevo, BTN_propiedades})
        b->setEnabled(permitido);
}

bool TFRM_catalogo::init() {
    uSistema = localSYS;
    initPermisos();
    mostrarCategorias();
    return true;
}

void TFRM_catalogo::mostrarCategorias(const QString &seleccion) {
    const CmidTierResponse r =
        Tcatalogo(uSistema.getConexion()).selectCategorias(uSistema.getNegocio().getIdNegocio());
    if (!r.isSuccess())
        return;
    if (r.getRowCount() == 0) {
        Log::log(QStringLiteral("tabla catalogo sin datos"), 1);
        return;
    }
    TRV_categorias->clear();
    QVector<QTreeWidgetItem *> items;
    for (const TnodoCategoria &n : u_arbolCategorias(r)) {
        auto *item = n.padre < 0 ? new QTreeWidgetItem(TRV_categorias) : new QTreeWidgetItem(items[n.padre]);
        item->setText(0, n.etiqueta);
        item->setIcon(0,
                      mini_cargaImage(n.carpeta ? QStringLiteral("folder") : QStringLiteral("folderBlue")));
        item->setData(0, kRolIdentidad, n.identidad);
        item->setData(0, kRolCarpeta, n.carpeta);
        items.append(item);
    }
    QTreeWidgetItem *elegido = nodo(seleccion);
    if (!elegido)
        elegido = TRV_categorias->topLevelItem(0);
    TRV_categorias->topLevelItem(0)->setExpanded(true);
    for (QTreeWidgetItem *p = elegido->parent(); p; p = p->parent())
        p->setExpanded(true);
    TRV_categorias->setCurrentItem(elegido);
}

QTreeWidgetItem *TFRM_catalogo::nodo(const QString &identidad) const {
    if (identidad.isEmpty())
        return nullptr;
    for (QTreeWidgetItemIterator it(TRV_categorias); *it; ++it) {
        if ((*it)->data(0, kRolIdentidad).toString() == identidad)
            return *it;
    }
    return nullptr;
}

QTreeWidgetItem *TFRM_catalogo::nodoSeleccionado() const {
    return TRV_categorias->currentItem();
}

void TFRM_catalogo::detallesCategoria() {
    TMR_1->stop();
    uGRD_propiedadesControl->limpia();
    const QTreeWidgetItem *item = nodoSeleccionado();
    if (!item)
        return;
    uElementosContenidosEnCarpeta = item->childCount();
    LBL_categoriaNombre->setText(QStringLiteral("Categoría: ") + item->text(0));
    LBL_subcategoriasTotales->setText(QString::number(uElementosContenidosEnCarpeta));
    LBL_propiedadesTotales->setText(QStringLiteral("0"));
    LBL_loading->setText(kCargando);
    LBL_catSat33->setText(kCargando);
    LBL_claveSat33->setText(kCargando);
    LBL_origen->clear();
    uTimerBuscaPropiedades = !item->data(0, kRolCarpeta).toBool();
    if (!uTimerBuscaPropiedades)
        LBL_loading->setText(QStringLiteral("Únicamente las subcategorías poseen propiedades"));
    LBL_loading->show();
    TMR_1->start();
}

void TFRM_catalogo::TMR_1Timer() {
    TMR_1->stop();
    const QTreeWidgetItem *item = nodoSeleccionado();
    if (!item)
        return;
    const QString identidad = item->data(0, kRolIdentidad).toString();
    if (uTimerBuscaPropiedades)
        cargaPropiedades(identidad);
    consultaCATsat33(identidad);
}

void TFRM_catalogo::cargaPropiedades(const QString &identidad) {
    if (!uGRD_propiedadesControl->carga(
            Tcatalogo(uSistema.getConexion())
                .selectCategoriaPropiedades(identidad, uSistema.getNegocio().getIdNegocio())))
        return;
    if (uGRD_propiedadesControl->filas() > 0) {
        LBL_loading->hide();
        LBL_propiedadesTotales->setText(QString::number(uGRD_propiedadesControl->filas()));
    } else {
        LBL_loading->setText(QStringLiteral("No hay elementos que mostrar"));
    }
}

void TFRM_catalogo::consultaCATsat33(const QString &identidad) {
    Tcatalogo datos(uSistema.getConexion());
    const TclaveSatCategoria sat =
        u_claveSatCategoria(datos, identidad, uSistema.getNegocio().getIdNegocio());
    LBL_catSat33->setText(sat.encontrada ? sat.nombre : QStringLiteral("Sin establecer"));
    LBL_claveSat33->setText(sat.encontrada ? sat.clave : QStringLiteral("Sin establecer"));
    LBL_origen->setText(sat.heredada ? QStringLiteral("* Nombre y clave heredados") : QString());
}

void TFRM_catalogo::BTN_categoriaNuevoClick() {
    const QTreeWidgetItem *item = nodoSeleccionado();
    if (!item) {
        u_mensaje(kSeleccione, kAdvertencia);
        return;
    }
    if (!item->data(0, kRolCarpeta).toBool()) {
        u_mensaje(QStringLiteral("Las Categorías con Propiedades no pueden tener Subcategorías"),
                  kInformacion);
        return;
    }
    TFRM_categoriaCaptura dialogo(uSistema, this);
    dialogo.preparaNuevo(item->data(0, kRolIdentidad).toString());
    dialogo.exec();
    if (dialogo.uAceptar)
        mostrarCategorias(dialogo.identidadGuardada());
}

void TFRM_catalogo::BTN_editarClick() {
    const QTreeWidgetItem *item = nodoSeleccionado();
    if (!item) {
        u_mensaje(kSeleccione, kAdvertencia);
        return;
    }
    const QString identidad = item->data(0, kRolIdentidad).toString();
    if (TFRM_categoriaCaptura::initEditar(identidad, item->text(0), item->data(0, kRolCarpeta).toBool(),
                                          uSistema, this))
        mostrarCategorias(identidad);
}

void TFRM_catalogo::BTN_eliminarClick() {
    const QTreeWidgetItem *item = nodoSeleccionado();
    if (!item) {
        u_mensaje(kSeleccione, kAdvertencia);
    } else {
        const QString padre = item->parent() ? item->parent()->data(0, kRolIdentidad).toString() : QString();
        if (u_eliminaCategoria(uSistema.getConexion(), uSistema.getNegocio().getIdNegocio(),
                               item->data(0, kRolIdentidad).toString()))
            mostrarCategorias(padre);
    }
    LBL_catSat33->clear();
    LBL_claveSat33->clear();
    LBL_origen->clear();
}

void TFRM_catalogo::BTN_propiedadesClick() {
    const QTreeWidgetItem *item = nodoSeleccionado();
    if (TMR_1->isActive() || !item || item->data(0, kRolCarpeta).toBool())
        return;
    const QString identidad = item->data(0, kRolIdentidad).toString();
    TFRM_propiedades dialogo(uSistema, this);
    dialogo.init(identidad);
    detallesCategoria();
    TMR_1Timer();
}

void TFRM_catalogo::BTN_exportarExcelClick() {
    const QTreeWidgetItem *item = nodoSeleccionado();
    const QString seleccion = item ? item->data(0, kRolIdentidad).toString() : QString();
    TFRM_exportarImportar dialogo(uSistema, this);
    dialogo.init();
    mostrarCategorias(seleccion);
}

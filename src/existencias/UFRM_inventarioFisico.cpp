#include "existencias/UFRM_inventarioFisico.h"

#include "comun/U_mensajes.h"
#include "comun/ui/UFRM_seleccionarCategoria.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/U_filtrosEntrada.h"
#include "comun/ui/U_reportes.h"
#include "comun/ui/UgridControl.h"
#include "existencias/UFRM_dialogosInventarioFisico.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString kFisica = QStringLiteral("inventarioFisicoDetalle_existenciaFisica");
constexpr int kLargoCaptura = 20;
} // namespace

TFRM_inventarioFisico::TFRM_inventarioFisico(QWidget *padre) : QWidget(padre) {
    FormCreate();
}

void TFRM_inventarioFisico::FormCreate() {
    setObjectName(QStringLiteral("FRM_inventarioFisico"));
    setWindowTitle(QStringLiteral("Inventario Físico"));
    auto *capa = new QVBoxLayout(this);
    capa->addWidget(u_creaTitulo(QStringLiteral("Inventario Físico"), this));

    auto *criterios = new QGroupBox(QStringLiteral("Criterios de Búsqueda"), this);
    auto *fila = new QHBoxLayout(criterios);
    fila->addWidget(u_creaEtiqueta(QStringLiteral("LBL_almacen"), QStringLiteral("Almacen"), criterios));
    CMB_almacenInventarioFisico = new QComboBox(criterios);
    CMB_almacenInventarioFisico->setObjectName(QStringLiteral("CMB_almacenInventarioFisico"));
    CMB_almacenInventarioFisico->setMinimumWidth(180);
    fila->addWidget(CMB_almacenInventarioFisico);
    auto *reiniciaAlmacen = u_creaBotonLimpiar(QStringLiteral("Button2"), criterios);
    fila->addWidget(reiniciaAlmacen);
    fila->addWidget(u_creaEtiqueta(QStringLiteral("LBL_categoria"), QStringLiteral("Categoría"), criterios));
    auto *panelCategoria = u_creaBoton(QStringLiteral("Panel2"), QString(), criterios);
    LBL_categoriaInventarioFisico =
        u_creaEtiqueta(QStringLiteral("LBL_categoriaInventarioFisico"), QString(), panelCategoria);
    auto *capaCategoria = new QHBoxLayout(panelCategoria);
    capaCategoria->setContentsMargins(4, 0, 4, 0);
    capaCategoria->addWidget(LBL_categoriaInventarioFisico);
    panelCategoria->setMinimumWidth(160);
    fila->addWidget(panelCategoria);
    auto *reiniciaCategoria =
        u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarCategoriaInventarioFisico"), criterios);
    fila->addWidget(reiniciaCategoria);
    auto *buscar =
        u_creaBoton(QStringLiteral("BTN_buscarInventarioFisico"), QStringLiteral("Buscar"), criterios);
    fila->addWidget(buscar);
    fila->addStretch();
    BTN_exportar =
        u_creaBoton(QStringLiteral("BTN_exportarInventarioFísico"), QStringLiteral("Excel"), criterios);
    BTN_guardar = u_creaBoton(QStringLiteral("BTN_guardar"), QStringLiteral("Guardar"), criterios);
    auto *abrir = u_creaBoton(QStringLiteral("BTN_abrir"), QStringLiteral("Abrir"), criterios);
    fila->addWidget(BTN_exportar);
    fila->addWidget(BTN_guardar);
    fila->addWidget(abrir);
    BTN_aplicarAjustes =
        u_creaBoton(QStringLiteral("BTN_aplicarAjustes"), QStringLiteral("Aplicar ajustes"), criterios);
    fila->addWidget(BTN_aplicarAjustes);
    capa->addWidget(criterios);
    LBL_aplicacion = u_creaEtiqueta(QStringLiteral("LBL_aplicacion"), QString(), this);
    capa->addWidget(LBL_aplicacion);

    auto *vista = new QTableView(this);
    vista->setObjectName(QStringLiteral("GRD_main"));
    uGRD_inventarioFisico = new TGridControl(vista);
    TGridControl *g = uGRD_inventarioFisico;
    g->agregaColumna(QStringLiteral("inventarioProducto_id"), QStringLiteral("_producto_id"), 40, false);
    g->agregaColumna(QStringLiteral("inventarioProducto_clave"), QStringLiteral("Clave"), 80);
    g->agregaColumna(QStringLiteral("inventarioProducto_nombre"), QStringLiteral("Nombre"), 180);
    g->agregaColumna(QStringLiteral("inventarioProducto_descripcion"), QStringLiteral("Descripción"), 150);
    g->agregaColumna(QStringLiteral("unidadesMedida_descripcion"), QStringLiteral("U. Medida"), 80);
    g->agregaColumna(QStringLiteral("inventarioExistencias_existencia"), QStringLiteral("Existencia"), 80);
    g->agregaColumna(kFisica, QStringLiteral("E. Física"), 80);
    g->agregaColumna(QStringLiteral("diferencia"), QStringLiteral("Diferencia"), 80);
    g->setColumnaEstirada(QStringLiteral("inventarioProducto_descripcion"));
    capa->addWidget(vista, 1);
    LBL_msg = u_creaEtiqueta(QStringLiteral("LBL_msg"), QString(), this);
    LBL_msg->hide();
    capa->addWidget(LBL_msg);

    PNL_captura = new QFrame(vista->viewport());
    PNL_captura->setObjectName(QStringLiteral("PNL_captura"));
    PNL_captura->setFrameShape(QFrame::Box);
    PNL_captura->setAutoFillBackground(true);
    auto *capaCaptura = new QHBoxLayout(PNL_captura);
    capaCaptura->setContentsMargins(2, 2, 2, 2);
    TXT_capturarExistencia = new QLineEdit(PNL_captura);
    TXT_capturarExistencia->setObjectName(QStringLiteral("TXT_capturarExistencia"));
    TXT_capturarExistencia->setMaxLength(kLargoCaptura);
    u_soloDecimales(TXT_capturarExistencia);
    auto *confirma =
        u_creaBoton(QStringLiteral("BTN_confirmarTXTcapturarExistencia"), QStringLiteral("✓"), PNL_captura);
    auto *limpia = u_creaBotonLimpiar(QStringLiteral("BTN_cancelarTXTcapturarExistencia"), PNL_captura);
    capaCaptura->addWidget(TXT_capturarExistencia);
    capaCaptura->addWidget(confirma);
    capaCaptura->addWidget(limpia);
    PNL_captura->hide();

    connect(reiniciaAlmacen, &QPushButton::clicked, this,
            [this] { CMB_almacenInventarioFisico->setCurrentIndex(-1); });
    connect(CMB_almacenInventarioFisico, &QComboBox::currentIndexChanged, this, [this](int i) {
        uConteo->setAlmacen(i < 0 ? 0 : CMB_almacenInventarioFisico->itemData(i).toInt(),
                            CMB_almacenInventarioFisico->itemText(i));
    });
    connect(panelCategoria, &QPushButton::clicked, this, [this] {
        const TcategoriaSeleccionada c =
            TFRM_seleccionarCategoria::elige(uSistema, this, uConteo->categoriaID());
        if (c.seleccionado)
            tomaCategoria(c.identidad, c.etiqueta);
    });
    connect(reiniciaCategoria, &QPushButton::clicked, this, [this] { tomaCategoria(QString(), QString()); });
    connect(buscar, &QPushButton::clicked, this, &TFRM_inventarioFisico::cargaInventarioFisico);
    connect(BTN_exportar, &QPushButton::clicked, this, [this] {
        if (uGRD_inventarioFisico->filas() == 0)
            return u_mensaje(QStringLiteral("No hay elementos que mostrar"), kAdvertencia);
        exportarGridExcelUNI(*uGRD_inventarioFisico, QStringLiteral("Inventario Físico"), uSistema);
    });
    connect(BTN_guardar, &QPushButton::clicked, this, &TFRM_inventarioFisico::BTN_guardarClick);
    connect(abrir, &QPushButton::clicked, this, &TFRM_inventarioFisico::BTN_abrirClick);
    connect(BTN_aplicarAjustes, &QPushButton::clicked, this, &TFRM_inventarioFisico::BTN_aplicarAjustesClick);
    connect(g, &TGridControl::celdaClic, this,
            [this](int fila, int, const QString &alias) { celdaClic(fila, alias); });
    connect(TXT_capturarExistencia, &QLineEdit::returnPressed, this, &TFRM_inventarioFisico::confirmaCaptura);
    connect(confirma, &QPushButton::clicked, this, &TFRM_inventarioFisico::confirmaCaptura);
    connect(limpia, &QPushButton::clicked, TXT_capturarExistencia, &QLineEdit::clear);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), TXT_capturarExistencia);
    escape->setContext(Qt::WidgetShortcut);
    connect(escape, &QShortcut::activated, PNL_captura, &QWidget::hide);
    u_aplicaEstilo(this);
}

bool TFRM_inventarioFisico::init() {
    uSistema = localSYS;
    uConteo = std::make_unique<TconteoFisico>(uSistema);
    const bool lectura = uSistema.esRestringido();
    BTN_guardar->setEnabled(!lectura);
    BTN_exportar->setEnabled(!lectura);
    LBL_msg->clear();
    LBL_msg->hide();
    PNL_captura->hide();
    if (!uConteo->cargaAlmacenes())
        return false;
    {
        const QSignalBlocker bloqueo(CMB_almacenInventarioFisico);
        CMB_almacenInventarioFisico->clear();
        for (const auto &a : uConteo->almacenes())
            CMB_almacenInventarioFisico->addItem(a.second, a.first);
        CMB_almacenInventarioFisico->setCurrentIndex(-1);
    }
    LBL_categoriaInventarioFisico->clear();
    uGRD_inventarioFisico->limpia();
    muestraAplicacion();
    return true;
}

void TFRM_inventarioFisico::tomaCategoria(const QString &clave, const QString &etiqueta) {
    uConteo->setCategoria(clave, etiqueta);
    LBL_categoriaInventarioFisico->setText(uConteo->categoriaEtiqueta());
}

void TFRM_inventarioFisico::cargaInventarioFisico() {
    PNL_captura->hide();
    if (!uConteo->busca())
        return u_mensaje(QStringLiteral("No se pudo leer la existencia; intente de nuevo."), kError);
    muestraLineas();
}

void TFRM_inventarioFisico::muestraLineas() {
    TGridControl *g = uGRD_inventarioFisico;
    g->limpia();
    for (const TlineaConteo &l : uConteo->lineas())
        g->agregaFila({{QStringLiteral("inventarioProducto_id"), l.productoID},
                       {QStringLiteral("inventarioProducto_clave"), l.clave},
                       {QStringLiteral("inventarioProducto_nombre"), l.nombre},
                       {QStringLiteral("inventarioProducto_descripcion"), l.descripcion},
                       {QStringLiteral("unidadesMedida_descripcion"), l.unidad},
                       {QStringLiteral("inventarioExistencias_existencia"), l.existencia},
                       {kFisica, l.existenciaFisica},
                       {QStringLiteral("diferencia"), l.diferencia()}});
    LBL_msg->setText(QStringLiteral("No hay elementos que mostrar"));
    LBL_msg->setVisible(g->filas() == 0);
    muestraAplicacion();
}

void TFRM_inventarioFisico::muestraAplicacion() {
    BTN_aplicarAjustes->setEnabled(uConteo->puedeAplicar());
    LBL_aplicacion->setText(uConteo->estadoAplicacion());
    LBL_aplicacion->setVisible(!LBL_aplicacion->text().isEmpty());
}

void TFRM_inventarioFisico::muestraFiltros() {
    const QSignalBlocker bloqueo(CMB_almacenInventarioFisico);
    CMB_almacenInventarioFisico->setCurrentIndex(CMB_almacenInventarioFisico->findData(uConteo->almacenID()));
    LBL_categoriaInventarioFisico->setText(uConteo->categoriaEtiqueta());
}

void TFRM_inventarioFisico::celdaClic(int fila, const QString &alias) {
    if (alias != kFisica || fila < 0)
        return;
    uPNLcapturaFila = fila;
    QTableView *vista = uGRD_inventarioFisico->grid();
    const int columna = uGRD_inventarioFisico->indiceColumna(kFisica);
    const QRect celda = vista->visualRect(vista->model()->index(fila, columna));
    TXT_capturarExistencia->setText(uGRD_inventarioFisico->getCelda(fila, kFisica));
    PNL_captura->adjustSize();
    PNL_captura->move(celda.left(), celda.top());
    PNL_captura->show();
    PNL_captura->raise();
    TXT_capturarExistencia->setFocus();
    TXT_capturarExistencia->selectAll();
}

void TFRM_inventarioFisico::confirmaCaptura() {
    const int fila = uPNLcapturaFila;
    PNL_captura->hide();
    if (fila < 0 || fila >= uConteo->lineas().size())
        return;
    uConteo->fijaConteo(fila, TXT_capturarExistencia->text());
    const TlineaConteo &l = uConteo->lineas()[fila];
    uGRD_inventarioFisico->setCelda(fila, kFisica, l.existenciaFisica);
    uGRD_inventarioFisico->setCelda(fila, QStringLiteral("diferencia"), l.diferencia());
}

void TFRM_inventarioFisico::BTN_guardarClick() {
    if (uConteo->lineas().isEmpty())
        return;
    UREC_inventarioFisicoIndice indice = uConteo->encabezado();
    TFRM_dialogoGuardarInventarioFisico(uSistema, this).init(indice);
    guarda(indice);
}

void TFRM_inventarioFisico::guarda(const UREC_inventarioFisicoIndice &indice) {
    if (indice.aceptado)
        uConteo->guarda(indice);
    muestraAplicacion();
}

void TFRM_inventarioFisico::BTN_aplicarAjustesClick() {
    PNL_captura->hide();
    // The work runs here; the dialog shows which step it is on once it lasts past a second.
    QProgressDialog progreso(QStringLiteral("Aplicando ajustes…"), QString(), 0, 0, this);
    progreso.setObjectName(QStringLiteral("PRG_aplicarAjustes"));
    progreso.setWindowTitle(QStringLiteral("Aplicar ajustes"));
    progreso.setWindowModality(Qt::WindowModal);
    progreso.setMinimumDuration(1000);
    QElapsedTimer reloj;
    reloj.start();
    uConteo->aplica([&](const QString &paso) {
        progreso.setLabelText(paso);
        if (reloj.elapsed() >= 1000)
            progreso.show();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    progreso.close();
    muestraAplicacion();
}

void TFRM_inventarioFisico::BTN_abrirClick() {
    UREC_inventarioFisicoIndice archivo;
    TFRM_dialogoAbrirInventarioFisico(uSistema, this).init(archivo);
    abre(archivo);
}

void TFRM_inventarioFisico::abre(const UREC_inventarioFisicoIndice &archivo) {
    if (!archivo.aceptado || !uConteo->abre(archivo.id))
        return;
    PNL_captura->hide();
    muestraFiltros();
    muestraLineas();
}

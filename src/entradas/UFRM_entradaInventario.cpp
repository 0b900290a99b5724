#include "entradas/UFRM_entradaInventario.h"

#include "comun/U_bplpanelcontrol.h"
#include "comun/U_mensajes.h"
#include "comun/U_utilerias.h"
#include "comun/ui/UFRM_capturarPropiedadesAdicionales.h"
#include "comun/ui/UFRM_editar.h"
#include "comun/ui/UFRM_seleccionarProducto.h"
#include "comun/ui/UFRM_seleccionarProveedor.h"
#include "comun/ui/UFRM_seleccionarUnidadMedida.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/U_filtrosEntrada.h"
#include "comun/ui/U_imagenes.h"
#include "comun/ui/UgridControl.h"
#include "datos/UfechaHora.h"
#include "entradas/UFRM_capturarCodigoBarras.h"
#include "entradas/UFRM_lote.h"
#include "entradas/UFRM_noSerie.h"
#include "entradas/UFRM_pedimento.h"
#include "entradas/UFRM_seleccionarComprobante.h"
#include "entradas/UNEG_documentoEntrada.h"
#include "salidas/UFRM_seleccionarMovimiento.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <functional>
#include <tuple>

namespace {
const QString kHagaClic = QStringLiteral("Haga clic aquí");
const QString kConDatos = QStringLiteral("Con Datos Capturados");
const QString kFactorInicial = QStringLiteral("1.0000");
constexpr QRgb kRojoSeries = 0xFFFADEE2;
constexpr QRgb kVerdeSeries = 0xFFE1F7E4;
constexpr int kTabComprobante = 1;

// Paints each row's background with the colour the screen gives it.
class TdelegadoColorFila : public QStyledItemDelegate {
public:
    TdelegadoColorFila(std::function<QColor(int)> color, QObject *padre)
        : QStyledItemDelegate(padre), uColor(std::move(color)) {}

protected:
    void initStyleOption(QStyleOptionViewItem *opcion, const QModelIndex &indice) const override {
        QStyledItemDelegate::initStyleOption(opcion, indice);
        const QColor c = uColor(indice.row());
        if (c.isValid())
            opcion->backgroundBrush = c;
    }

private:
    std::function<QColor(int)> uColor;
};

// A flat button holding a label: clicking the label clicks the button.
QPushButton *contenedor(QWidget *padre, const QString &nombre, QLabel *etiqueta) {
    auto *b = u_boton(padre, nombre, {});
    b->setFlat(true);
    b->setMinimumHeight(26);
    auto *l = new QHBoxLayout(b);
    l->setContentsMargins(4, 0, 4, 0);
    l->addWidget(etiqueta);
    return b;
}

// The small confirm / clear / search buttons beside a field.
QPushButton *botonChico(QWidget *padre, const QString &nombre, const QString &texto) {
    auto *b = u_boton(padre, nombre, texto);
    b->setFixedWidth(30);
    return b;
}

// A decimal field of at most 20 characters with its confirm and clear buttons.
QWidget *campoDecimal(QWidget *padre, QLineEdit *&campo, const QString &nombre, const QString &sufijo,
                      QPushButton *&confirma, QPushButton *&limpia) {
    auto *hold = new QWidget(padre);
    campo = u_campo(hold, nombre, 20);
    u_soloDecimales(campo);
    confirma = botonChico(hold, QStringLiteral("BTN_confirmar") + sufijo, QStringLiteral("✓"));
    limpia = botonChico(hold, QStringLiteral("BTN_reiniciarTXT") + sufijo, QStringLiteral("×"));
    auto *l = new QHBoxLayout(hold);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(campo, 1);
    l->addWidget(confirma);
    l->addWidget(limpia);
    return hold;
}
} // namespace

TFRM_entradaInventario::TFRM_entradaInventario(const TsistemaDatos &sistema, QWidget *padre)
    : TdialogoModal(QStringLiteral("Entrada al Inventario"), padre), uSistema(sistema),
      uCaptura(sistema.getConexion(), sistema.getNegocio().getIdNegocio()) {
    FormCreate();
}

bool TFRM_entradaInventario::captura(QWidget *padre) {
    TFRM_entradaInventario pantalla(localSYS, padre);
    return pantalla.init();
}

void TFRM_entradaInventario::FormCreate() {
    setObjectName(QStringLiteral("FRM_entradaInventario"));
    resize(1180, 680);
    TAB_entrada = new QTabWidget(this);
    TAB_entrada->setObjectName(QStringLiteral("TAB_entrada"));
    TAB_entrada->addTab(creaInicial(), QStringLiteral("Inicial"));
    TAB_entrada->addTab(creaComprobante(), QStringLiteral("Comprobante"));
    TAB_entrada->setMaximumHeight(190);
    creaGrid();
    auto *raiz = new QVBoxLayout(this);
    raiz->addWidget(u_creaTitulo(QStringLiteral("Entrada al Inventario"), this));
    raiz->addWidget(TAB_entrada);
    auto *centro = new QHBoxLayout;
    centro->addWidget(GRD_main, 1);
    centro->addWidget(creaPropiedades());
    raiz->addLayout(centro, 1);
    raiz->addWidget(creaPie());
    raiz->addWidget(u_etiqueta(this, QStringLiteral("LBL_notaPropiedades"),
                               QStringLiteral("* Seleccione un producto para habilitar apartado 'Propiedades "
                                              "Adicionales'")));
    raiz->addWidget(
        u_etiqueta(this, QStringLiteral("LBL_notaSeries"),
                   QStringLiteral("* Productos resaltados en rojo: capture no. de serie faltantes")));
    agregaBotones(raiz);
    u_aplicaEstilo(this);
    conecta();
}

QWidget *TFRM_entradaInventario::creaInicial() {
    auto *tab = new QWidget(this);
    tab->setObjectName(QStringLiteral("TAB_inicial"));
    CMB_almacenes = new QComboBox(tab);
    CMB_almacenes->setObjectName(QStringLiteral("CMB_almacenes"));
    CMB_concepto = new QComboBox(tab);
    CMB_concepto->setObjectName(QStringLiteral("CMB_concepto"));
    LBL_direccion = u_etiqueta(tab, QStringLiteral("LBL_direccion"));
    LBL_nota = u_etiqueta(tab, QStringLiteral("LBL_nota"));
    LBL_fechaHoraUltimo = u_etiqueta(tab, QStringLiteral("LBL_fechaHoraUltimo"));
    DTP_fecha = u_fecha(tab, QStringLiteral("DTP_fecha"));
    DTP_hora = new QTimeEdit(QTime::currentTime(), tab);
    DTP_hora->setObjectName(QStringLiteral("DTP_hora"));
    DTP_hora->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    _seleccionCapa = new QGroupBox(tab);
    _seleccionCapa->setObjectName(QStringLiteral("_seleccionCapa"));
    RAD_capaSalida = new QRadioButton(QStringLiteral("Agregar existencia a capa de salida"), _seleccionCapa);
    RAD_capaSalida->setObjectName(QStringLiteral("RAD_capaSalida"));
    RAD_capaDevolucion =
        new QRadioButton(QStringLiteral("Insertar existencia en capa devolución"), _seleccionCapa);
    RAD_capaDevolucion->setObjectName(QStringLiteral("RAD_capaDevolucion"));
    auto *capas = new QVBoxLayout(_seleccionCapa);
    capas->addWidget(RAD_capaSalida);
    capas->addWidget(RAD_capaDevolucion);

    auto *g = new QGridLayout(tab);
    const auto titulo = [tab](const QString &nombre, const QString &texto) {
        return u_etiqueta(tab, nombre, texto);
    };
    g->addWidget(titulo(QStringLiteral("LBL_almacenTitulo"), QStringLiteral("Almacén")), 0, 0);
    g->addWidget(CMB_almacenes, 0, 1);
    g->addWidget(titulo(QStringLiteral("LBL_direccionTitulo"), QStringLiteral("Dirección")), 1, 0);
    g->addWidget(LBL_direccion, 1, 1);
    g->addWidget(titulo(QStringLiteral("LBL_notaTitulo"), QStringLiteral("Nota")), 2, 0);
    g->addWidget(LBL_nota, 2, 1);
    g->addWidget(titulo(QStringLiteral("LBL_ultimoTitulo"), QStringLiteral("Último Movimiento")), 3, 0);
    g->addWidget(LBL_fechaHoraUltimo, 3, 1);
    g->addWidget(titulo(QStringLiteral("LBL_fechaTitulo"), QStringLiteral("Fecha de Entrada")), 0, 2);
    g->addWidget(DTP_fecha, 0, 3);
    auto *reiniciaFecha = u_boton(tab, QStringLiteral("BTN_reiniciarFecha"), QStringLiteral("Hoy"));
    g->addWidget(reiniciaFecha, 0, 4);
    g->addWidget(titulo(QStringLiteral("LBL_horaTitulo"), QStringLiteral("Hora de Entrada")), 1, 2);
    g->addWidget(DTP_hora, 1, 3);
    auto *reiniciaHora = u_boton(tab, QStringLiteral("BTN_reiniciarHora"), QStringLiteral("Ahora"));
    g->addWidget(reiniciaHora, 1, 4);
    g->addWidget(titulo(QStringLiteral("LBL_conceptoTitulo"), QStringLiteral("Concepto")), 2, 2);
    g->addWidget(CMB_concepto, 2, 3, 1, 2);
    g->addWidget(_seleccionCapa, 0, 5, 4, 1);
    g->setColumnStretch(1, 1);
    connect(reiniciaFecha, &QPushButton::clicked, this, [this] {
        ocultaPropiedades();
        DTP_fecha->setDate(QDate::currentDate());
    });
    connect(reiniciaHora, &QPushButton::clicked, this, [this] {
        ocultaPropiedades();
        DTP_hora->setTime(QTime::currentTime());
    });
    return tab;
}

QWidget *TFRM_entradaInventario::creaComprobante() {
    auto *tab = new QWidget(this);
    tab->setObjectName(QStringLiteral("TAB_comprobante"));
    LBL_comprobante = u_etiqueta(tab, QStringLiteral("LBL_comprobante"), kHagaClic);
    LBL_proveedor = u_etiqueta(tab, QStringLiteral("LBL_proveedor"), kHagaClic);
    LBL_emisorRFC = u_etiqueta(tab, QStringLiteral("LBL_emisorRFC"));
    LBL_fechaHora = u_etiqueta(tab, QStringLiteral("LBL_fechaHora"));
    LBL_total = u_etiqueta(tab, QStringLiteral("LBL_total"));
    auto *comprobante = contenedor(tab, QStringLiteral("contenedor_comprobante"), LBL_comprobante);
    auto *proveedor = contenedor(tab, QStringLiteral("contenedor_proveedor"), LBL_proveedor);
    auto *limpiaComprobante =
        botonChico(tab, QStringLiteral("BTN_reiniciarLBLcomprobante"), QStringLiteral("×"));
    auto *limpiaProveedor = botonChico(tab, QStringLiteral("BTN_seleccionarProveedor"), QStringLiteral("×"));
    auto *g = new QGridLayout(tab);
    int fila = 0;
    const std::tuple<QString, QWidget *, QWidget *> filas[] = {
        {QStringLiteral("Comprobante"), comprobante, limpiaComprobante},
        {QStringLiteral("Emisor/Proveedor"), proveedor, limpiaProveedor},
        {QStringLiteral("RFC"), LBL_emisorRFC, nullptr},
        {QStringLiteral("Fecha/Hora"), LBL_fechaHora, nullptr},
        {QStringLiteral("Total"), LBL_total, nullptr}};
    for (const auto &[titulo, control, boton] : filas) {
        g->addWidget(new QLabel(titulo, tab), fila, 0);
        g->addWidget(control, fila, 1);
        if (boton)
            g->addWidget(boton, fila, 2);
        ++fila;
    }
    g->setColumnStretch(1, 1);
    connect(comprobante, &QPushButton::clicked, this, &TFRM_entradaInventario::contenedor_comprobanteClick);
    connect(proveedor, &QPushButton::clicked, this, &TFRM_entradaInventario::contenedor_proveedorClick);
    for (QPushButton *b : {limpiaComprobante, limpiaProveedor})
        connect(b, &QPushButton::clicked, this, [this] {
            ocultaPropiedades();
            limpiaComprobanteYProveedor();
        });
    return tab;
}

QFrame *TFRM_entradaInventario::creaPie() {
    contenedor_foot = new QFrame(this);
    contenedor_foot->setObjectName(QStringLiteral("contenedor_foot"));
    auto *f = contenedor_foot;
    _hold_bProducto = new QWidget(f);
    _hold_bProducto->setObjectName(QStringLiteral("_hold_bProducto"));
    LBL_producto = u_etiqueta(_hold_bProducto, QStringLiteral("LBL_producto"), kHagaClic);
    auto *producto = contenedor(_hold_bProducto, QStringLiteral("contenedor_producto"), LBL_producto);
    auto *buscaProducto =
        botonChico(_hold_bProducto, QStringLiteral("BTN_seleccionarProducto"), QStringLiteral("…"));
    auto *limpiaProducto =
        botonChico(_hold_bProducto, QStringLiteral("BTN_reiniciarLBLproducto"), QStringLiteral("×"));
    auto *lp = new QHBoxLayout(_hold_bProducto);
    lp->setContentsMargins(0, 0, 0, 0);
    lp->addWidget(producto, 1);
    lp->addWidget(buscaProducto);
    lp->addWidget(limpiaProducto);
    LBL_codigoBarras = u_etiqueta(f, QStringLiteral("LBL_codigoBarras"), kHagaClic);
    contenedor_codigoBarras = contenedor(f, QStringLiteral("contenedor_codigoBarras"), LBL_codigoBarras);
    LBL_unidadEntrada = u_etiqueta(f, QStringLiteral("LBL_unidadEntrada"), kHagaClic);
    contenedor_unidadEntrada = contenedor(f, QStringLiteral("contenedor_unidadEntrada"), LBL_unidadEntrada);
    LBL_unidadSalida = u_etiqueta(f, QStringLiteral("LBL_unidadSalida"));
    LBL_cantidadRegistrada = u_etiqueta(f, QStringLiteral("LBL_cantidadRegistrada"));
    LBL_unidadAlmacenaje = u_etiqueta(f, QStringLiteral("LBL_unidadAlmacenaje"));
    QPushButton *confirmaCosto, *limpiaCosto, *confirmaCantidad, *limpiaCantidad, *confirmaFactor,
        *limpiaFactor;
    QWidget *costo = campoDecimal(f, TXT_costoUnitario, QStringLiteral("TXT_costoUnitario"),
                                  QStringLiteral("CostoUnitario"), confirmaCosto, limpiaCosto);
    QWidget *cantidad = campoDecimal(f, TXT_cantidad, QStringLiteral("TXT_cantidad"),
                                     QStringLiteral("Cantidad"), confirmaCantidad, limpiaCantidad);
    _hold_bFactorConversion = campoDecimal(f, TXT_factorConversion, QStringLiteral("TXT_factorConversion"),
                                           QStringLiteral("FactorConversion"), confirmaFactor, limpiaFactor);
    _hold_bFactorConversion->setObjectName(QStringLiteral("_hold_bFactorConversion"));
    BTN_agregar = u_boton(f, QStringLiteral("BTN_agregar"), QStringLiteral("Agregar Producto"));
    BTN_agregar->installEventFilter(this); // Enter on it adds the line

    auto *g = new QGridLayout(f);
    const auto titulo = [f](const QString &texto) { return new QLabel(texto, f); };
    g->addWidget(titulo(QStringLiteral("Producto")), 0, 0);
    g->addWidget(_hold_bProducto, 0, 1, 1, 3);
    g->addWidget(titulo(QStringLiteral("Código de Barras")), 0, 4);
    g->addWidget(contenedor_codigoBarras, 0, 5);
    g->addWidget(titulo(QStringLiteral("Cantidad")), 1, 0);
    g->addWidget(cantidad, 1, 1);
    g->addWidget(contenedor_unidadEntrada, 1, 2);
    g->addWidget(LBL_unidadSalida, 1, 3);
    g->addWidget(titulo(QStringLiteral("Factor de Conversión")), 1, 4);
    g->addWidget(_hold_bFactorConversion, 1, 5);
    g->addWidget(titulo(QStringLiteral("Costo Unitario")), 2, 0);
    g->addWidget(costo, 2, 1);
    g->addWidget(titulo(QStringLiteral("Cantidad Registrada")), 2, 2);
    g->addWidget(LBL_cantidadRegistrada, 2, 3);
    g->addWidget(LBL_unidadAlmacenaje, 2, 4);
    g->addWidget(BTN_agregar, 2, 5);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);

    connect(producto, &QPushButton::clicked, this, &TFRM_entradaInventario::contenedor_productoClick);
    connect(buscaProducto, &QPushButton::clicked, this, &TFRM_entradaInventario::contenedor_productoClick);
    connect(limpiaProducto, &QPushButton::clicked, this, [this] {
        ocultaPropiedades();
        limpiaProductoActual();
    });
    connect(contenedor_codigoBarras, &QPushButton::clicked, this,
            &TFRM_entradaInventario::contenedor_codigoBarrasClick);
    connect(contenedor_unidadEntrada, &QPushButton::clicked, this,
            &TFRM_entradaInventario::contenedor_unidadEntradaClick);
    connect(confirmaFactor, &QPushButton::clicked, this, &TFRM_entradaInventario::setCantidadRecibida);
    connect(confirmaCantidad, &QPushButton::clicked, this, &TFRM_entradaInventario::setCantidadRecibida);
    connect(confirmaCosto, &QPushButton::clicked, this, &TFRM_entradaInventario::setCantidadRecibida);
    connect(limpiaCosto, &QPushButton::clicked, this, [this] {
        ocultaPropiedades();
        TXT_costoUnitario->clear();
    });
    for (auto [boton, campo] :
         {std::pair{limpiaCantidad, TXT_cantidad}, std::pair{limpiaFactor, TXT_factorConversion}})
        connect(boton, &QPushButton::clicked, this, [this, campo] {
            ocultaPropiedades();
            campo->clear();
            setCantidadRecibida();
        });
    // Enter runs the registered quantity and moves on: quantity, factor, cost, "Agregar Producto".
    const auto avanza = [this](QLineEdit *campo, const QList<QWidget *> &siguientes) {
        connect(campo, &QLineEdit::returnPressed, this, [this, siguientes] {
            if (!setCantidadRecibida())
                return;
            for (QWidget *w : siguientes)
                if (w->isEnabled()) {
                    w->setFocus();
                    return;
                }
        });
    };
    avanza(TXT_cantidad, {TXT_factorConversion, TXT_costoUnitario, BTN_agregar});
    avanza(TXT_factorConversion, {TXT_costoUnitario, BTN_agregar});
    avanza(TXT_costoUnitario, {BTN_agregar});
    connect(TXT_factorConversion, &QLineEdit::editingFinished, this, [this] {
        if (TXT_factorConversion->text().trimmed().isEmpty())
            TXT_factorConversion->setText(QStringLiteral("1.000"));
    });
    connect(BTN_agregar, &QPushButton::clicked, this, &TFRM_entradaInventario::BTN_agregarClick);
    return f;
}

QFrame *TFRM_entradaInventario::creaPropiedades() {
    hold_propiedadesAdicionales = new QFrame(this);
    hold_propiedadesAdicionales->setObjectName(QStringLiteral("hold_propiedadesAdicionales"));
    hold_propiedadesAdicionales->setFixedWidth(300);
    auto *v = new QGridLayout(hold_propiedadesAdicionales);
    v->addWidget(new QLabel(QStringLiteral("* Propiedades Adicionales:"), hold_propiedadesAdicionales), 0, 0,
                 1, 3);
    LBL_productoSeleccionado =
        u_etiqueta(hold_propiedadesAdicionales, QStringLiteral("LBL_productoSeleccionado"));
    LBL_productoSeleccionado->setWordWrap(true);
    v->addWidget(LBL_productoSeleccionado, 1, 0, 1, 3);
    const struct {
        const char *titulo, *sufijo;
        QLabel *&estado;
        void (TFRM_entradaInventario::*ver)();
    } partes[] = {{"Pedimento", "Pedimento", LBL_pedimento, &TFRM_entradaInventario::verPedimento},
                  {"Lote", "Lote", LBL_lote, &TFRM_entradaInventario::verLote},
                  {"No. Serie", "NoSerie", LBL_noSerie, &TFRM_entradaInventario::verNoSerie},
                  {"P. Adicionales", "PropiedadesAdicionales", LBL_propiedadesAdicionales,
                   &TFRM_entradaInventario::verPropiedades}};
    int fila = 2;
    for (const auto &p : partes) {
        const QString sufijo = QString::fromLatin1(p.sufijo);
        p.estado = u_etiqueta(hold_propiedadesAdicionales,
                              QStringLiteral("LBL_") + sufijo.at(0).toLower() + sufijo.mid(1));
        auto *ver =
            u_boton(hold_propiedadesAdicionales, QStringLiteral("BTN_ver") + sufijo, QStringLiteral("Ver"));
        ver->setFixedWidth(44);
        v->addWidget(new QLabel(QString::fromUtf8(p.titulo), hold_propiedadesAdicionales), fila, 0);
        v->addWidget(p.estado, fila, 1);
        v->addWidget(ver, fila, 2);
        connect(ver, &QPushButton::clicked, this, p.ver);
        if (sufijo == QLatin1String("NoSerie"))
            BTN_verNoSerie = ver;
        else if (sufijo == QLatin1String("PropiedadesAdicionales"))
            BTN_verPropiedades = ver;
        ++fila;
    }
    v->setRowStretch(fila, 1);
    return hold_propiedadesAdicionales;
}

void TFRM_entradaInventario::creaGrid() {
    GRD_main = new QTableView(this);
    GRD_main->setObjectName(QStringLiteral("GRD_main"));
    auto *g = uGRD_articulosControl = new TGridControl(GRD_main);
    g->agregaColumnaIcono(QStringLiteral("Elimina"), mini_cargaImage(QStringLiteral("Elimina")));
    g->agregaColumnaIcono(QStringLiteral("Edita"), mini_cargaImage(QStringLiteral("Edita")));
    g->agregaColumna(QStringLiteral("Producto_id"), QStringLiteral("Producto_id"), 0, false);
    g->agregaColumna(QStringLiteral("Producto"), QStringLiteral("Producto"), 230);
    g->agregaColumna(QStringLiteral("Cantidad"), QStringLiteral("Cantidad"), 70);
    g->agregaColumna(QStringLiteral("Costo U."), QStringLiteral("Costo U."), 90, true, kColMoneda);
    g->agregaColumna(QStringLiteral("Total"), QStringLiteral("Total"), 90, true, kColMoneda);
    g->agregaColumna(QStringLiteral("_uniMedidaRecibido_id"), QStringLiteral("_uniMedidaRecibido_id"), 0,
                     false);
    g->agregaColumna(QStringLiteral("_uniMedidaCatalogo_id"), QStringLiteral("_uniMedidaCatalogo_id"), 0,
                     false);
    g->agregaColumna(QStringLiteral("U. Medida"), QStringLiteral("U. Medida"), 120);
    g->agregaColumna(QStringLiteral("Categoria_id"), QStringLiteral("Categoria_id"), 0, false);
    g->agregaColumna(QStringLiteral("Categoría"), QStringLiteral("Categoría"), 100);
    g->agregaColumna(QStringLiteral("C. Barras"), QStringLiteral("C. Barras"), 80);
    g->agregaColumna(QStringLiteral("_propiedadesAdicionales_ID"),
                     QStringLiteral("_propiedadesAdicionales_ID"), 0, false);
    g->agregaColumna(QStringLiteral("Factor Conversión"), QStringLiteral("Factor Conversión"), 0, false);
    g->agregaColumna(QStringLiteral("_opControlNoSerie"), QStringLiteral("_opControlNoSerie"), 0, false);
    g->setColumnaEstirada(QStringLiteral("Producto"));
    GRD_main->setItemDelegate(new TdelegadoColorFila([this](int fila) { return colorFila(fila); }, GRD_main));
    connect(g, &TGridControl::celdaClic, this,
            [this](int fila, int, const QString &alias) { celdaClic(fila, alias); });
}

// Enter on "Agregar Producto" presses it; no button is the dialog's default, so Enter in a field
// never adds a line by itself.
bool TFRM_entradaInventario::eventFilter(QObject *objeto, QEvent *evento) {
    if (objeto == BTN_agregar && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent *>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            BTN_agregar->click();
            return true;
        }
    }
    return TdialogoModal::eventFilter(objeto, evento);
}

void TFRM_entradaInventario::conecta() {
    connect(CMB_almacenes, &QComboBox::currentIndexChanged, this,
            &TFRM_entradaInventario::CMB_almacenesChange);
    connect(CMB_concepto, &QComboBox::currentIndexChanged, this, &TFRM_entradaInventario::CMB_conceptoChange);
    connect(TAB_entrada, &QTabWidget::tabBarClicked, this, &TFRM_entradaInventario::ocultaPropiedades);
    for (QAbstractSpinBox *fecha :
         {static_cast<QAbstractSpinBox *>(DTP_fecha), static_cast<QAbstractSpinBox *>(DTP_hora)})
        connect(fecha, &QAbstractSpinBox::editingFinished, this, &TFRM_entradaInventario::ocultaPropiedades);
}

bool TFRM_entradaInventario::init() {
    prepara();
    exec();
    return uAceptar;
}

void TFRM_entradaInventario::prepara() {
    uAceptar = false;
    cargaCombos();
    DTP_fecha->setDate(QDate::currentDate());
    DTP_hora->setTime(QTime::currentTime());
    for (QLabel *l : {LBL_direccion, LBL_nota, LBL_fechaHoraUltimo, LBL_cantidadRegistrada,
                      LBL_unidadAlmacenaje, LBL_unidadSalida, LBL_productoSeleccionado})
        l->clear();
    limpiaComprobanteYProveedor();
    uFilaSeleccionada = -1;
    RAD_capaDevolucion->setChecked(true);
    _seleccionCapa->hide();
    hold_propiedadesAdicionales->hide();
    limpiaProductoActual();
    contenedor_foot->setEnabled(false);
    TAB_entrada->setCurrentIndex(0);
}

void TFRM_entradaInventario::cargaCombos() {
    uConceptos = uCaptura.conceptos();
    uAlmacenes = uCaptura.almacenes();
    const QSignalBlocker bloqueaConcepto(CMB_concepto);
    const QSignalBlocker bloqueaAlmacen(CMB_almacenes);
    CMB_concepto->clear();
    for (const TopcionCaptura &c : uConceptos)
        CMB_concepto->addItem(c.etiqueta);
    CMB_almacenes->clear();
    for (const TopcionCaptura &a : uAlmacenes)
        CMB_almacenes->addItem(a.etiqueta);
    CMB_concepto->setCurrentIndex(-1);
    CMB_almacenes->setCurrentIndex(-1);
}

int TFRM_entradaInventario::almacenID() const {
    return uAlmacenes.value(CMB_almacenes->currentIndex()).id;
}

TopcionCaptura TFRM_entradaInventario::conceptoActual() const {
    return uConceptos.value(CMB_concepto->currentIndex());
}

bool TFRM_entradaInventario::esDevolucion() const {
    const TopcionCaptura c = conceptoActual();
    return c.id > 0 && c.familia != kFamiliaOrdinaria;
}

void TFRM_entradaInventario::habilitaPie() {
    contenedor_foot->setEnabled(almacenID() > 0 && conceptoActual().id > 0);
}

void TFRM_entradaInventario::CMB_almacenesChange() {
    ocultaPropiedades();
    LBL_fechaHoraUltimo->clear();
    contenedor_foot->setEnabled(false);
    const TopcionCaptura a = uAlmacenes.value(CMB_almacenes->currentIndex());
    LBL_direccion->setText(a.direccion);
    LBL_nota->setText(a.nota);
    uFechaHoraUltimoMovimiento = a.id > 0 ? uCaptura.ultimoMovimiento(a.id) : QDateTime();
    if (uFechaHoraUltimoMovimiento.isValid())
        LBL_fechaHoraUltimo->setText(
            uFechaHoraUltimoMovimiento.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
    habilitaPie();
}

void TFRM_entradaInventario::CMB_conceptoChange() {
    TAB_entrada->setTabEnabled(kTabComprobante, true);
    _hold_bFactorConversion->setEnabled(true);
    contenedor_codigoBarras->setEnabled(true);
    TXT_costoUnitario->setEnabled(true);
    const bool eraDevolucion = uSeleccionarMovimiento;
    uSeleccionarMovimiento = false;
    habilitaPie();
    if (uBloop) {
        // The screen's own reset of the combo: the concept put back keeps its mode.
        uBloop = false;
        uSeleccionarMovimiento = esDevolucion() && eraDevolucion;
        contenedor_codigoBarras->setEnabled(!uSeleccionarMovimiento);
        habilitaAgregarUnico();
        return;
    }
    const TopcionCaptura c = conceptoActual();
    if (c.etiqueta == QLatin1String("ajustes") || c.etiqueta == QStringLiteral("entrada de fabricación")) {
        TAB_entrada->setTabEnabled(kTabComprobante, false);
        limpiaComprobanteYProveedor();
    }
    _seleccionCapa->hide();
    if (eraDevolucion)
        limpiaProductoActual(); // a product taken from an issue belongs to that return only
    if (c.id <= 0 || c.familia == kFamiliaOrdinaria) {
        uUltimaPosiciondelComboConcepto = CMB_concepto->currentIndex();
        habilitaAgregarUnico();
        return;
    }
    if (almacenID() <= 0) {
        u_mensaje(QStringLiteral("Seleccione un almacén"), kAdvertencia);
        uBloop = true;
        CMB_concepto->setCurrentIndex(-1);
        return;
    }
    if (!uCaptura.renglones().isEmpty()) {
        if (!u_confirmaAceptarCancelar(QStringLiteral(
                "Se eliminarán los productos capturados, unicamente es posible agregar un producto "
                "para este concepto.\n\r¿Desea continuar?"))) {
            uBloop = true;
            uSeleccionarMovimiento = eraDevolucion;
            CMB_concepto->setCurrentIndex(uUltimaPosiciondelComboConcepto);
            return;
        }
        uCaptura.limpia();
        uGRD_articulosControl->limpia();
        uFilaSeleccionada = -1;
    }
    uSeleccionarMovimiento = true;
    contenedor_codigoBarras->setEnabled(false);
    limpiaProductoActual();
    TXT_cantidad->clear();
    TXT_costoUnitario->clear();
    LBL_cantidadRegistrada->clear();
    uUltimaPosiciondelComboConcepto = CMB_concepto->currentIndex();
    _hold_bProducto->setEnabled(true);
    BTN_agregar->setEnabled(true);
}

void TFRM_entradaInventario::contenedor_productoClick() {
    if (uSeleccionarMovimiento) {
        UREC_seleccionarMovimiento solicitud;
        solicitud.almacenID = almacenID();
        TFRM_seleccionarMovimiento selector(uSistema, this);
        tomaMovimiento(selector.initbuscaSalidas(solicitud));
        return;
    }
    TproductoSeleccionadoDescripcion producto;
    producto.categoriaId = uProducto.categoriaId;
    TFRM_seleccionarProducto selector(uSistema, this);
    selector.init(producto, uSistema);
    tomaProducto(producto);
}

void TFRM_entradaInventario::tomaProducto(const TproductoSeleccionadoDescripcion &producto) {
    if (!producto.seleccionado)
        return;
    if (producto.estatus != 1) {
        u_mensaje(QStringLiteral("¡Producto ") + producto.nombre + QStringLiteral("!") +
                      QStringLiteral("\r") + QStringLiteral("No se puede agregar este producto"),
                  kAdvertencia);
        return;
    }
    uProducto = producto;
    LBL_producto->setText(producto.nombre);
    LBL_codigoBarras->setText(producto.codigoBarras.isEmpty() ? kHagaClic : producto.codigoBarras);
    LBL_unidadAlmacenaje->setText(producto.unidadMedidaEtiqueta);
    LBL_unidadSalida->setText(producto.unidadMedidaEtiqueta);
    setFactorConversion();
    TXT_cantidad->setFocus();
}

void TFRM_entradaInventario::contenedor_codigoBarrasClick() {
    TFRM_capturarCodigoBarras dialogo(this);
    const TcodigoBarras codigo = dialogo.init(uProducto.codigoBarras);
    if (codigo.ok)
        tomaCodigoBarras(codigo.codigo_barras);
}

void TFRM_entradaInventario::tomaCodigoBarras(const QString &codigo) {
    const TproductoSeleccionadoDescripcion producto = uCaptura.productoPorCodigo(codigo);
    if (!producto.seleccionado) {
        limpiaProductoActual();
        u_mensaje(QStringLiteral("No se encontro coincidencia"), kAdvertencia);
        return;
    }
    tomaProducto(producto);
}

void TFRM_entradaInventario::tomaMovimiento(const UREC_seleccionarMovimiento &movimiento) {
    if (!movimiento.aceptar || movimiento.productoID <= 0)
        return;
    const TproductoSeleccionadoDescripcion producto = uCaptura.productoPorId(movimiento.productoID);
    if (!producto.seleccionado)
        return;
    uProducto = producto;
    uProducto.opControladoNoSerie = movimiento.controlNoSerie;
    uUnidadRecibida = {true, producto.unidadMedidaId, producto.unidadMedidaEtiqueta,
                       producto.unidadMedidaConjunto, producto.unidadMedidaRelacion};
    uCantidadMaximaDevolucion = movimiento.cantidadMaxima;
    uMovimientoSalidaIDdevolucion = movimiento.movimientoID;
    LBL_producto->setText(producto.nombre);
    LBL_unidadEntrada->setText(producto.unidadMedidaEtiqueta);
    LBL_unidadAlmacenaje->setText(producto.unidadMedidaEtiqueta);
    LBL_unidadSalida->setText(producto.unidadMedidaEtiqueta);
    TXT_cantidad->setText(FloatToStr(movimiento.cantidadMaxima));
    TXT_costoUnitario->setText(FloatToStr(movimiento.costoUnitario));
    TXT_costoUnitario->setEnabled(false);
    _hold_bFactorConversion->setEnabled(false);
    contenedor_codigoBarras->setEnabled(false);
    TXT_factorConversion->setText(kFactorInicial);
    setCantidadRecibida();
    TXT_cantidad->setFocus();
}

void TFRM_entradaInventario::contenedor_unidadEntradaClick() {
    REC_unidadMedidacomunicacion unidad;
    TFRM_seleccionarUnidadMedida selector(uSistema, this);
    selector.initCustomMensaje(
        QStringLiteral("Seleccione la unidad de medida a utilizar con el factor de conversión."), unidad);
    tomaUnidadRecibida(unidad);
}

void TFRM_entradaInventario::tomaUnidadRecibida(const REC_unidadMedidacomunicacion &unidad) {
    if (!unidad.aceptado)
        return;
    uUnidadRecibida = unidad;
    LBL_unidadEntrada->setText(unidad.etiqueta);
    setFactorConversion();
}

void TFRM_entradaInventario::setFactorConversion() {
    TXT_factorConversion->setText(
        u_factorConversion(uProducto, uUnidadRecibida, TXT_factorConversion->text()));
}

bool TFRM_entradaInventario::setCantidadRecibida() {
    const TnumeroCapturado registrada =
        u_cantidadRegistrada(TXT_cantidad->text(), TXT_factorConversion->text());
    LBL_cantidadRegistrada->setText(registrada.ok ? FloatToStr(registrada.valor) : QString());
    if (!registrada.ok)
        u_mensaje(registrada.mensaje, kAdvertencia);
    return registrada.ok;
}

void TFRM_entradaInventario::BTN_agregarClick() {
    ocultaPropiedades();
    if (!TXT_cantidad->text().trimmed().isEmpty() && esDevolucion() &&
        u_esPositivo(uCantidadMaximaDevolucion) &&
        u_excedeDevolucion(TXT_cantidad->text(), uCantidadMaximaDevolucion)) {
        u_mensaje(QStringLiteral("Capture una cantidad igual o menor a ") +
                      FloatToStr(uCantidadMaximaDevolucion),
                  kAdvertencia);
        TXT_cantidad->setText(FloatToStr(uCantidadMaximaDevolucion));
        return;
    }
    LBL_productoSeleccionado->clear();
    if (setCantidadRecibida())
        agregarConcepto();
}

bool TFRM_entradaInventario::pideValor(const QString &titulo, QLineEdit *campo) {
    TFRM_editar editor(this);
    bool aceptado = false;
    QString valor = campo->text();
    editor.initNumericoFraccion(titulo, aceptado, valor);
    if (aceptado)
        campo->setText(valor);
    return aceptado;
}

void TFRM_entradaInventario::agregarConcepto() {
    if (uProducto.productoId <= 0)
        return;
    if (uUnidadRecibida.id < 0) {
        u_mensaje(QStringLiteral("Seleccione unidad de medida recibido."), kAdvertencia);
        return;
    }
    if (TXT_costoUnitario->text().trimmed().isEmpty() &&
        !pideValor(QStringLiteral("Costo Unitario"), TXT_costoUnitario))
        return;
    if (TXT_factorConversion->text().trimmed().isEmpty())
        TXT_factorConversion->setText(kFactorInicial);
    const TrenglonArmado armado =
        u_armaRenglon(uProducto, uUnidadRecibida,
                      {TXT_cantidad->text(), TXT_factorConversion->text(), TXT_costoUnitario->text()});
    if (!armado.ok) {
        u_mensaje(armado.mensaje, kAdvertencia);
        return;
    }
    if (!uCaptura.aceptaStockMaximo(almacenID(), CMB_almacenes->currentText(), armado.renglon))
        return;
    uCaptura.agrega(armado.renglon);
    agregaFilaGrid(armado.renglon);
    limpiaProductoActual();
    TXT_cantidad->clear();
    TXT_costoUnitario->clear();
    LBL_cantidadRegistrada->clear();
    habilitaAgregarUnico();
    (contenedor_codigoBarras->isEnabled() ? static_cast<QWidget *>(contenedor_codigoBarras) : GRD_main)
        ->setFocus();
}

void TFRM_entradaInventario::agregaFilaGrid(const TrenglonCaptura &r) {
    uGRD_articulosControl->agregaFila(
        {{QStringLiteral("Producto_id"), QString::number(r.productoID)},
         {QStringLiteral("Producto"), r.producto},
         {QStringLiteral("Cantidad"), FloatToStr(r.cantidad)},
         {QStringLiteral("Costo U."), FloatToStr(r.costoUnitario)},
         {QStringLiteral("Total"), FloatToStr(r.total)},
         {QStringLiteral("_uniMedidaRecibido_id"), QString::number(r.unidadRecibidaID)},
         {QStringLiteral("_uniMedidaCatalogo_id"), QString::number(r.unidadCatalogoID)},
         {QStringLiteral("U. Medida"), r.unidadEtiqueta},
         {QStringLiteral("Categoria_id"), r.categoriaID},
         {QStringLiteral("Categoría"), r.categoriaEtiqueta},
         {QStringLiteral("C. Barras"), r.codigoBarras},
         {QStringLiteral("Factor Conversión"), r.factor},
         {QStringLiteral("_opControlNoSerie"), QString::number(r.controlNoSerie)}});
}

// A return of an issue takes one line: once it has it, no other product may be added.
void TFRM_entradaInventario::habilitaAgregarUnico() {
    const bool libre =
        !(conceptoActual().familia == kFamiliaDevolucionSalida && !uCaptura.renglones().isEmpty());
    BTN_agregar->setEnabled(libre);
    _hold_bProducto->setEnabled(libre);
    LBL_codigoBarras->setEnabled(libre);
}

void TFRM_entradaInventario::limpiaProductoActual() {
    uProducto = {};
    uUnidadRecibida = {};
    uCantidadMaximaDevolucion = 0;
    for (QLabel *l : {LBL_producto, LBL_codigoBarras, LBL_unidadEntrada})
        l->setText(kHagaClic);
    LBL_unidadAlmacenaje->clear();
    LBL_unidadSalida->clear();
    TXT_factorConversion->setText(kFactorInicial);
    _hold_bFactorConversion->setEnabled(true);
    TXT_costoUnitario->setEnabled(true);
    contenedor_codigoBarras->setEnabled(!uSeleccionarMovimiento);
}

void TFRM_entradaInventario::contenedor_comprobanteClick() {
    ocultaPropiedades();
    if (uProveedor.id > 0 &&
        !u_confirmaAceptarCancelar(QStringLiteral(
            "Seleccionar un comprobante eliminará la selección del proveedor actual.\r¿Desea continuar?")))
        return;
    limpiaComprobanteYProveedor();
    TFRM_seleccionarComprobante selector(this);
    tomaComprobante(
        selector.initEgresos(fechaHora::aTDateTime(QDateTime(DTP_fecha->date(), DTP_hora->time()))));
}

void TFRM_entradaInventario::tomaComprobante(const UREC_comprobante &comprobante) {
    if (!comprobante.aceptar)
        return;
    limpiaComprobanteYProveedor();
    uComprobante = comprobante;
    LBL_comprobante->setText(comprobante.serie + QStringLiteral(" ") + comprobante.folio);
    LBL_proveedor->setText(comprobante.emisorNombre);
    LBL_emisorRFC->setText(comprobante.emisorRFC);
    LBL_fechaHora->setText(comprobante.fechaHora);
    LBL_total->setText(comprobante.total);
}

void TFRM_entradaInventario::contenedor_proveedorClick() {
    ocultaPropiedades();
    if (uComprobante.id > 0 &&
        !u_confirmaAceptarCancelar(QStringLiteral("Seleccionar un proveedor manualmente eliminará la "
                                                  "selección del comprobante actual.\r¿Desea continuar?")))
        return;
    limpiaComprobanteYProveedor();
    Rproveedor proveedor;
    TFRM_seleccionarProveedor selector(uSistema, this);
    selector.init(proveedor);
    tomaProveedor(proveedor);
}

void TFRM_entradaInventario::tomaProveedor(const Rproveedor &proveedor) {
    if (!proveedor.aceptado)
        return;
    limpiaComprobanteYProveedor();
    uProveedor = proveedor;
    LBL_proveedor->setText(proveedor.nombre);
    LBL_emisorRFC->setText(proveedor.rfc);
}

void TFRM_entradaInventario::limpiaComprobanteYProveedor() {
    uComprobante = {};
    uProveedor = {};
    LBL_comprobante->setText(kHagaClic);
    LBL_proveedor->setText(kHagaClic);
    for (QLabel *l : {LBL_emisorRFC, LBL_fechaHora, LBL_total})
        l->clear();
}

void TFRM_entradaInventario::celdaClic(int fila, const QString &alias) {
    if (alias == QLatin1String("Elimina")) {
        eliminaRenglon(fila);
    } else if (alias == QLatin1String("Edita")) {
        hold_propiedadesAdicionales->show();
        seleccionaRenglon(fila);
    } else if (hold_propiedadesAdicionales->isVisible()) {
        seleccionaRenglon(fila);
    }
}

void TFRM_entradaInventario::eliminaRenglon(int fila) {
    if (fila < 0 || fila >= uCaptura.renglones().size())
        return;
    uCaptura.elimina(fila);
    uGRD_articulosControl->eliminaFila(fila);
    BTN_verPropiedades->setEnabled(false);
    uFilaSeleccionada =
        uCaptura.renglones().isEmpty() ? -1 : qMin(fila, int(uCaptura.renglones().size()) - 1);
    if (uCaptura.renglones().isEmpty()) {
        habilitaAgregarUnico();
        ocultaPropiedades();
    } else if (hold_propiedadesAdicionales->isVisible()) {
        seleccionaRenglon(uFilaSeleccionada);
    }
}

void TFRM_entradaInventario::seleccionaRenglon(int fila) {
    if (fila < 0 || fila >= uCaptura.renglones().size())
        return;
    uFilaSeleccionada = fila;
    const TrenglonCaptura &r = uCaptura.renglones()[fila];
    BTN_verPropiedades->setEnabled(uCaptura.categoriaConPropiedades(r.categoriaID));
    BTN_verNoSerie->setEnabled(r.controlNoSerie == 1);
    LBL_productoSeleccionado->setText(r.producto);
    muestraEstadoRenglon();
}

void TFRM_entradaInventario::muestraEstadoRenglon() {
    const TEntradaInformacionOpcional &i = uCaptura.renglones()[uFilaSeleccionada].informacion;
    bool propiedades = false;
    for (const QString &valor : i.propiedadesAdicionales)
        propiedades = propiedades || !valor.isEmpty();
    const auto estado = [](bool capturado) { return capturado ? kConDatos : QString(); };
    LBL_pedimento->setText(estado(i.pedimento.capturado()));
    LBL_lote->setText(estado(i.lote.capturado()));
    LBL_noSerie->setText(estado(!i.noSerie.isEmpty()));
    LBL_propiedadesAdicionales->setText(estado(propiedades));
}

void TFRM_entradaInventario::ocultaPropiedades() {
    hold_propiedadesAdicionales->hide();
}

void TFRM_entradaInventario::verPedimento() {
    if (uFilaSeleccionada < 0)
        return;
    Tpedimento &p = uCaptura.renglon(uFilaSeleccionada).informacion.pedimento;
    TFRM_pedimento dialogo(this);
    p = dialogo.init(p);
    muestraEstadoRenglon();
}

void TFRM_entradaInventario::verLote() {
    if (uFilaSeleccionada < 0)
        return;
    Tlote &l = uCaptura.renglon(uFilaSeleccionada).informacion.lote;
    TFRM_lote dialogo(this);
    l = dialogo.init(l);
    muestraEstadoRenglon();
}

void TFRM_entradaInventario::verNoSerie() {
    if (uFilaSeleccionada < 0)
        return;
    TrenglonCaptura &r = uCaptura.renglon(uFilaSeleccionada);
    TFRM_noSerie dialogo(this);
    r.informacion.noSerie = dialogo.init(r.informacion.noSerie, r.seriesRequeridas(), r.productoID);
    muestraEstadoRenglon();
    GRD_main->viewport()->update();
}

void TFRM_entradaInventario::verPropiedades() {
    if (uFilaSeleccionada < 0)
        return;
    TrenglonCaptura &r = uCaptura.renglon(uFilaSeleccionada);
    TFRM_capturarPropiedadesAdicionales dialogo(uSistema, this);
    dialogo.init(r.categoriaID, r.producto, r.informacion.propiedadesAdicionales);
    muestraEstadoRenglon();
}

QColor TFRM_entradaInventario::colorFila(int fila) const {
    if (fila < 0 || fila >= uCaptura.renglones().size() || uCaptura.renglones()[fila].controlNoSerie != 1)
        return {};
    return QColor::fromRgba(uCaptura.renglones()[fila].seriesCompletas() ? kVerdeSeries : kRojoSeries);
}

bool TFRM_entradaInventario::guardar() {
    TdatosEntrada cabecera;
    cabecera.almacenID = almacenID();
    cabecera.conceptoID = conceptoActual().id;
    cabecera.fechaHora = QDateTime(DTP_fecha->date(), DTP_hora->time());
    cabecera.comprobante = uComprobante.id > 0 ? uComprobante.comprobante : TComprobante();
    cabecera.proveedorID = uProveedor.id;
    cabecera.movimientoSalidaIDdevolucion = esDevolucion() ? uMovimientoSalidaIDdevolucion : 0;
    TdocumentoEntrada documento(uSistema.getConexion(), uSistema.getNegocio().getIdNegocio());
    documento.datos() = uCaptura.documento(cabecera);
    return documento.guardar();
}

void TFRM_entradaInventario::alAceptar() {
    if (guardar())
        acepta();
}

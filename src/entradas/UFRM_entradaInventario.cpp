#include "entradas/UFRM_entradaInventario.h"

#include "comun/U_archivosSalida.h"
#include "comun/U_bplpanelcontrol.h"
#include "comun/U_mensajes.h"
#include "comun/U_utilerias.h"
#include "comun/ui/UFRM_capturarPropiedadesAdicionales.h"
#include "comun/ui/UFRM_editar.h"
#include "comun/ui/UFRM_seleccionarProducto.h"
#include "comun/ui/UFRM_seleccionarProveedor.h"
#include "comun/ui/UFRM_seleccionarUnidadMedida.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/UgridControl.h"
#include "datos/UfechaHora.h"
#include "entradas/UFRM_capturarCodigoBarras.h"
#include "entradas/UFRM_lote.h"
#include "entradas/UFRM_noSerie.h"
#include "entradas/UFRM_pedimento.h"
#include "entradas/UFRM_seleccionarComprobante.h"
#include "entradas/UNEG_documentoEntrada.h"
#include "entradas/UNEG_entradaCfdi.h"
#include "salidas/UFRM_seleccionarMovimiento.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
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

namespace {
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

// Only an active product may be received; otherwise the user is told.
bool recibible(const TproductoSeleccionadoDescripcion &producto) {
    if (producto.estatus == 1)
        return true;
    u_mensaje(QStringLiteral("¡Producto ") + producto.nombre + QStringLiteral("!") + QStringLiteral("\r") +
                  QStringLiteral("No se puede agregar este producto"),
              kAdvertencia);
    return false;
}

QVariantHash celdasRenglon(const TrenglonCaptura &r) {
    return {{QStringLiteral("Producto_id"), QString::number(r.productoID)},
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
            {QStringLiteral("_opControlNoSerie"), QString::number(r.controlNoSerie)}};
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
    QVBoxLayout *raiz = construyeControles(this);
    agregaBotones(raiz);
    GRD_main->setItemDelegate(new TdelegadoColorFila([this](int fila) { return colorFila(fila); }, GRD_main));
    for (QPushButton *b :
         {BTN_agregar, contenedor_producto, contenedor_codigoBarras, contenedor_unidadEntrada})
        b->installEventFilter(this);
    u_aplicaEstilo(this);
    conecta();
}

// Enter on "Agregar Producto" and on the product, barcode and unit boxes presses them, so a clerk
// works from the keyboard; no button is the dialog's default, so Enter in a field never adds a
// line by itself.
bool TFRM_entradaInventario::eventFilter(QObject *objeto, QEvent *evento) {
    auto *boton = qobject_cast<QPushButton *>(objeto);
    if (boton && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent *>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            boton->click();
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
    // Clearing buttons hide the optional data too.
    const auto alClic = [this](QPushButton *boton, std::function<void()> accion) {
        connect(boton, &QPushButton::clicked, this, [this, accion] {
            ocultaPropiedades();
            accion();
        });
    };
    alClic(BTN_reiniciarFecha, [this] { DTP_fecha->setDate(QDate::currentDate()); });
    alClic(BTN_reiniciarHora, [this] { DTP_hora->setTime(QTime::currentTime()); });
    alClic(BTN_reiniciarLBLcomprobante, [this] { limpiaComprobanteYProveedor(); });
    alClic(BTN_seleccionarProveedor, [this] { limpiaComprobanteYProveedor(); });
    alClic(BTN_reiniciarLBLproducto, [this] { limpiaProductoActual(); });
    alClic(BTN_reiniciarTXTcostoUnitario, [this] { TXT_costoUnitario->clear(); });
    for (auto [boton, campo] : {std::pair{BTN_reiniciarTXTcantidad, TXT_cantidad},
                                std::pair{BTN_reiniciarTXTfactorConversion, TXT_factorConversion}})
        alClic(boton, [this, campo] {
            campo->clear();
            setCantidadRecibida();
        });
    connect(contenedor_comprobante, &QPushButton::clicked, this,
            &TFRM_entradaInventario::contenedor_comprobanteClick);
    connect(contenedor_proveedor, &QPushButton::clicked, this,
            &TFRM_entradaInventario::contenedor_proveedorClick);
    for (QPushButton *b : {contenedor_producto, BTN_seleccionarProducto})
        connect(b, &QPushButton::clicked, this, &TFRM_entradaInventario::contenedor_productoClick);
    connect(contenedor_codigoBarras, &QPushButton::clicked, this,
            &TFRM_entradaInventario::contenedor_codigoBarrasClick);
    connect(contenedor_unidadEntrada, &QPushButton::clicked, this,
            &TFRM_entradaInventario::contenedor_unidadEntradaClick);
    for (QPushButton *b : {BTN_confirmarFactorConversion, BTN_confirmarCantidad, BTN_confirmarCostoUnitario})
        connect(b, &QPushButton::clicked, this, &TFRM_entradaInventario::setCantidadRecibida);
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
    connect(BTN_desdeCfdi, &QPushButton::clicked, this, &TFRM_entradaInventario::desdeCfdiClick);
    connect(BTN_verPedimento, &QPushButton::clicked, this,
            [this] { editaParte<TFRM_pedimento>(&TEntradaInformacionOpcional::pedimento); });
    connect(BTN_verLote, &QPushButton::clicked, this,
            [this] { editaParte<TFRM_lote>(&TEntradaInformacionOpcional::lote); });
    connect(BTN_verNoSerie, &QPushButton::clicked, this, &TFRM_entradaInventario::verNoSerie);
    connect(BTN_verPropiedadesAdicionales, &QPushButton::clicked, this,
            &TFRM_entradaInventario::verPropiedades);
    connect(uGRD_articulosControl, &TGridControl::celdaClic, this,
            [this](int fila, int, const QString &alias) { celdaClic(fila, alias); });
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
    uRfcCfdi.clear();
    uComprobanteCfdi = 0;
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
    if (!producto.seleccionado || !recibible(producto))
        return;
    uProducto = producto;
    LBL_producto->setText(producto.nombre);
    LBL_codigoBarras->setText(producto.codigoBarras.isEmpty() ? kHagaClic : producto.codigoBarras);
    LBL_unidadAlmacenaje->setText(producto.unidadMedidaEtiqueta);
    LBL_unidadSalida->setText(producto.unidadMedidaEtiqueta);
    setFactorConversion();
    (uUnidadRecibida.id < 0 ? static_cast<QWidget *>(contenedor_unidadEntrada) : TXT_cantidad)->setFocus();
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
    TXT_cantidad->setFocus();
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
    // An empty quantity is asked for, as an empty cost is, before the registered quantity is worked out.
    if (uProducto.productoId > 0 && uUnidadRecibida.id >= 0 && TXT_cantidad->text().trimmed().isEmpty() &&
        !pideValor(QStringLiteral("Cantidad"), TXT_cantidad))
        return;
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
    uGRD_articulosControl->agregaFila(celdasRenglon(r));
}

void TFRM_entradaInventario::muestraFilaGrid(int fila) {
    const QVariantHash celdas = celdasRenglon(uCaptura.renglones()[fila]);
    for (auto it = celdas.cbegin(); it != celdas.cend(); ++it)
        uGRD_articulosControl->setCelda(fila, it.key(), it.value());
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
    // The chooser opens on today's invoices whatever the receipt's date; the user widens the range.
    TFRM_seleccionarComprobante selector(this);
    tomaComprobante(selector.initEgresos(fechaHora::aTDateTime(QDateTime::currentDateTime())));
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
    } else if (alias == QLatin1String("Producto") && fila >= 0 && fila < uCaptura.renglones().size() &&
               (uCaptura.renglones()[fila].productoID <= 0 ||
                !uCaptura.renglones()[fila].claveProveedor.isEmpty())) {
        // A line read from a CFDI takes its product from the picker.
        TproductoSeleccionadoDescripcion producto;
        TFRM_seleccionarProducto selector(uSistema, this);
        selector.init(producto, uSistema);
        tomaProductoRenglon(fila, producto);
    } else if (hold_propiedadesAdicionales->isVisible()) {
        seleccionaRenglon(fila);
    }
}

void TFRM_entradaInventario::eliminaRenglon(int fila) {
    if (fila < 0 || fila >= uCaptura.renglones().size())
        return;
    uCaptura.elimina(fila);
    uGRD_articulosControl->eliminaFila(fila);
    BTN_verPropiedadesAdicionales->setEnabled(false);
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
    BTN_verPropiedadesAdicionales->setEnabled(uCaptura.categoriaConPropiedades(r.categoriaID));
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

// The declaration and lot dialogs edit their part of the selected line and hand it back.
template <typename Dialogo, typename Parte>
void TFRM_entradaInventario::editaParte(Parte TEntradaInformacionOpcional::*parte) {
    if (uFilaSeleccionada < 0)
        return;
    Parte &valor = uCaptura.renglon(uFilaSeleccionada).informacion.*parte;
    Dialogo dialogo(this);
    valor = dialogo.init(valor);
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
    if (!uRfcCfdi.isEmpty())
        documento.setEscrituraAdicional(u_escrituraCfdi(
            uSistema.getNegocio().getIdNegocio(), uComprobante.id == uComprobanteCfdi ? uComprobanteCfdi : 0,
            uRfcCfdi, uCaptura.renglones()));
    return documento.guardar();
}

void TFRM_entradaInventario::alAceptar() {
    if (guardar())
        acepta();
}

void TFRM_entradaInventario::desdeCfdiClick() {
    ocultaPropiedades();
    const QString ruta =
        u_eligeArchivoAbrir(QStringLiteral("Desde CFDI"), QStringLiteral("CFDI (*.xml *.XML)"));
    if (!ruta.isEmpty())
        tomaCfdi(ruta);
}

void TFRM_entradaInventario::tomaCfdi(const QString &ruta) {
    if (uSeleccionarMovimiento || !contenedor_foot->isEnabled() ||
        !TAB_entrada->isTabEnabled(kTabComprobante)) {
        u_mensaje(QStringLiteral("Seleccione un almacén y un concepto de compra antes de leer un CFDI."),
                  kAdvertencia);
        return;
    }
    const TlecturaCfdi lectura = u_leeCfdiArchivo(ruta);
    if (!lectura.ok()) {
        u_mensaje(lectura.error, kAdvertencia);
        return;
    }
    const TentradaCfdi cfdi(uSistema.getConexion(), uSistema.getNegocio().getIdNegocio());
    TllenadoCfdi llenado = cfdi.llena(lectura.cfdi);
    if (!llenado.error.isEmpty()) {
        u_mensaje(llenado.error, kAdvertencia);
        return;
    }
    if (!uCaptura.renglones().isEmpty() &&
        !u_confirmaAceptarCancelar(
            QStringLiteral("Los productos capturados se reemplazarán por los del CFDI.\r¿Desea continuar?")))
        return;
    uCaptura.limpia();
    uGRD_articulosControl->limpia();
    uFilaSeleccionada = -1;
    limpiaComprobanteYProveedor();
    if (llenado.proveedor.id <= 0 &&
        u_confirmaSiNo(
            QStringLiteral("El proveedor \"%1\" (RFC %2) no está registrado.\r¿Desea darlo de alta?")
                .arg(llenado.proveedor.nombre, llenado.proveedor.rfc))) {
        QString error;
        llenado.proveedor.id = cfdi.creaProveedor(llenado.proveedor, error);
        if (!error.isEmpty())
            u_mensaje(error, kAdvertencia);
    }
    if (llenado.comprobante.valido())
        tomaComprobante(u_recComprobante(llenado.comprobante));
    else if (llenado.proveedor.id > 0)
        tomaProveedor({true, llenado.proveedor.id, llenado.proveedor.nombre, llenado.proveedor.rfc});
    uRfcCfdi = lectura.cfdi.emisorRfc;
    uComprobanteCfdi = llenado.comprobante.idComprobante;
    for (const TrenglonCaptura &r : llenado.renglones) {
        if (r.productoID > 0 && !uCaptura.aceptaStockMaximo(almacenID(), CMB_almacenes->currentText(), r))
            continue;
        uCaptura.agrega(r);
        agregaFilaGrid(r);
    }
    if (!llenado.aviso().isEmpty())
        u_mensaje(llenado.aviso(), kInformacion);
}

void TFRM_entradaInventario::tomaProductoRenglon(int fila, const TproductoSeleccionadoDescripcion &producto) {
    if (fila < 0 || fila >= uCaptura.renglones().size() || !producto.seleccionado || !recibible(producto))
        return;
    const TrenglonArmado armado = u_relacionaRenglonCfdi(uCaptura.renglones()[fila], producto);
    if (!armado.ok) {
        u_mensaje(armado.mensaje, kAdvertencia);
        return;
    }
    if (!uCaptura.aceptaStockMaximo(almacenID(), CMB_almacenes->currentText(), armado.renglon))
        return;
    uCaptura.renglon(fila) = armado.renglon;
    muestraFilaGrid(fila);
    GRD_main->viewport()->update();
}

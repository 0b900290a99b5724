#include "entradas/UFRM_entradaInventario.h"

#include "comun/U_archivosSalida.h"
#include "comun/U_utilerias.h"
#include "comun/ui/UFRM_capturarCodigoBarras.h"
#include "comun/ui/UFRM_capturarPropiedadesAdicionales.h"
#include "comun/ui/UFRM_editar.h"
#include "comun/ui/UFRM_seleccionarComprobante.h"
#include "comun/ui/UFRM_seleccionarMovimiento.h"
#include "comun/ui/UFRM_seleccionarProducto.h"
#include "comun/ui/UFRM_seleccionarProveedor.h"
#include "comun/ui/UFRM_seleccionarUnidadMedida.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/UgridControl.h"
#include "datos/UfechaHora.h"
#include "entradas/UFRM_lote.h"
#include "entradas/UFRM_noSerie.h"
#include "entradas/UFRM_pedimento.h"

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
    connect(CMB_almacenes, &QComboBox::currentIndexChanged, this, [this](int indice) {
        ocultaPropiedades();
        reenvia([&] { uCaptura.eligeAlmacen(indice); });
    });
    connect(CMB_concepto, &QComboBox::currentIndexChanged, this,
            [this](int indice) { reenvia([&] { uCaptura.eligeConcepto(indice); }); });
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
    for (QPushButton *b : {BTN_reiniciarLBLcomprobante, BTN_seleccionarProveedor})
        alClic(b, [this] { reenvia([this] { uCaptura.limpiaComprobanteYProveedor(); }); });
    alClic(BTN_reiniciarLBLproducto, [this] { reenvia([this] { uCaptura.limpiaProducto(); }); });
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

template <typename Evento> void TFRM_entradaInventario::reenvia(Evento evento) {
    uCaptura.setPie(leePie());
    evento();
    muestra();
}

TpieCaptura TFRM_entradaInventario::leePie() const {
    return {TXT_cantidad->text(), TXT_factorConversion->text(), TXT_costoUnitario->text()};
}

bool TFRM_entradaInventario::init() {
    prepara();
    exec();
    return uAceptar;
}

void TFRM_entradaInventario::prepara() {
    uAceptar = false;
    uCaptura.reinicia();
    {
        const QSignalBlocker bloqueaConcepto(CMB_concepto);
        const QSignalBlocker bloqueaAlmacen(CMB_almacenes);
        CMB_concepto->clear();
        for (const TopcionCaptura &c : uCaptura.conceptos())
            CMB_concepto->addItem(c.etiqueta);
        CMB_almacenes->clear();
        for (const TopcionCaptura &a : uCaptura.almacenes())
            CMB_almacenes->addItem(a.etiqueta);
    }
    DTP_fecha->setDate(QDate::currentDate());
    DTP_hora->setTime(QTime::currentTime());
    LBL_productoSeleccionado->clear();
    RAD_capaDevolucion->setChecked(true);
    _seleccionCapa->hide();
    hold_propiedadesAdicionales->hide();
    TAB_entrada->setCurrentIndex(0);
    muestra();
}

// Shows the state of the capture: every control follows it, nothing else is kept here.
void TFRM_entradaInventario::muestra() {
    {
        const QSignalBlocker bloqueaConcepto(CMB_concepto);
        const QSignalBlocker bloqueaAlmacen(CMB_almacenes);
        CMB_almacenes->setCurrentIndex(uCaptura.indiceAlmacen());
        CMB_concepto->setCurrentIndex(uCaptura.indiceConcepto());
    }
    const TopcionCaptura almacen = uCaptura.almacen();
    LBL_direccion->setText(almacen.direccion);
    LBL_nota->setText(almacen.nota);
    LBL_fechaHoraUltimo->setText(uCaptura.textoUltimoMovimiento());
    TAB_entrada->setTabEnabled(kTabComprobante, uCaptura.admiteComprobante());

    const UREC_comprobante &comprobante = uCaptura.comprobante();
    const Rproveedor &proveedor = uCaptura.proveedor();
    const bool hayComprobante = comprobante.aceptar;
    LBL_comprobante->setText(hayComprobante ? comprobante.serie + QStringLiteral(" ") + comprobante.folio
                                            : kHagaClic);
    LBL_proveedor->setText(hayComprobante       ? comprobante.emisorNombre
                           : proveedor.aceptado ? proveedor.nombre
                                                : kHagaClic);
    LBL_emisorRFC->setText(hayComprobante ? comprobante.emisorRFC : proveedor.rfc);
    LBL_fechaHora->setText(hayComprobante ? comprobante.fechaHora : QString());
    LBL_total->setText(hayComprobante ? comprobante.total : QString());

    const TproductoSeleccionadoDescripcion &producto = uCaptura.producto();
    const REC_unidadMedidacomunicacion &unidad = uCaptura.unidadRecibida();
    LBL_producto->setText(producto.seleccionado ? producto.nombre : kHagaClic);
    LBL_codigoBarras->setText(
        uCaptura.modoDevolucion() || producto.codigoBarras.isEmpty() ? kHagaClic : producto.codigoBarras);
    LBL_unidadEntrada->setText(unidad.id >= 0 ? unidad.etiqueta : kHagaClic);
    LBL_unidadAlmacenaje->setText(producto.unidadMedidaEtiqueta);
    LBL_unidadSalida->setText(producto.unidadMedidaEtiqueta);
    const TpieCaptura &pie = uCaptura.pie();
    for (auto [campo, texto] :
         {std::pair{TXT_cantidad, pie.cantidad}, std::pair{TXT_factorConversion, pie.factor},
          std::pair{TXT_costoUnitario, pie.costo}})
        if (campo->text() != texto)
            campo->setText(texto);
    LBL_cantidadRegistrada->setText(uCaptura.textoCantidadRegistrada());

    contenedor_foot->setEnabled(uCaptura.areaProductoHabilitada());
    const bool costoEditable = uCaptura.costoEditable();
    _hold_bFactorConversion->setEnabled(costoEditable);
    TXT_costoUnitario->setEnabled(costoEditable);
    contenedor_codigoBarras->setEnabled(!uCaptura.modoDevolucion());
    const bool libre = uCaptura.agregarLibre();
    BTN_agregar->setEnabled(libre);
    _hold_bProducto->setEnabled(libre);
    LBL_codigoBarras->setEnabled(libre);
    muestraRenglones();
}

void TFRM_entradaInventario::muestraRenglones() {
    const QVector<TrenglonCaptura> &renglones = uCaptura.renglones();
    if (uGRD_articulosControl->filas() != renglones.size()) {
        uGRD_articulosControl->limpia();
        for (const TrenglonCaptura &r : renglones)
            uGRD_articulosControl->agregaFila(celdasRenglon(r));
    } else {
        for (int fila = 0; fila < renglones.size(); ++fila) {
            const QVariantHash celdas = celdasRenglon(renglones[fila]);
            for (auto it = celdas.cbegin(); it != celdas.cend(); ++it)
                if (uGRD_articulosControl->getCelda(fila, it.key()) != it.value().toString())
                    uGRD_articulosControl->setCelda(fila, it.key(), it.value());
        }
    }
    GRD_main->viewport()->update();
}

void TFRM_entradaInventario::contenedor_productoClick() {
    if (uCaptura.modoDevolucion()) {
        TFRM_seleccionarMovimiento selector(uSistema, this);
        tomaMovimiento(selector.initbuscaSalidas(uCaptura.solicitudDevolucion()));
        return;
    }
    TproductoSeleccionadoDescripcion producto;
    producto.categoriaId = uCaptura.producto().categoriaId;
    TFRM_seleccionarProducto selector(uSistema, this);
    selector.init(producto, uSistema);
    tomaProducto(producto);
}

void TFRM_entradaInventario::tomaProducto(const TproductoSeleccionadoDescripcion &producto) {
    bool tomado = false;
    reenvia([&] { tomado = uCaptura.tomaProducto(producto); });
    if (tomado)
        (uCaptura.unidadRecibida().id < 0 ? static_cast<QWidget *>(contenedor_unidadEntrada) : TXT_cantidad)
            ->setFocus();
}

void TFRM_entradaInventario::contenedor_codigoBarrasClick() {
    TFRM_capturarCodigoBarras dialogo(this);
    const TcodigoBarras codigo = dialogo.init(uCaptura.producto().codigoBarras);
    if (codigo.ok)
        tomaCodigoBarras(codigo.codigo_barras);
}

void TFRM_entradaInventario::tomaCodigoBarras(const QString &codigo) {
    bool tomado = false;
    reenvia([&] { tomado = uCaptura.tomaCodigoBarras(codigo); });
    if (tomado)
        (uCaptura.unidadRecibida().id < 0 ? static_cast<QWidget *>(contenedor_unidadEntrada) : TXT_cantidad)
            ->setFocus();
}

void TFRM_entradaInventario::tomaMovimiento(const UREC_seleccionarMovimiento &movimiento) {
    bool tomado = false;
    reenvia([&] { tomado = uCaptura.tomaMovimiento(movimiento); });
    if (tomado)
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
    bool tomada = false;
    reenvia([&] { tomada = uCaptura.tomaUnidadRecibida(unidad); });
    if (tomada)
        TXT_cantidad->setFocus();
}

bool TFRM_entradaInventario::setCantidadRecibida() {
    bool ok = false;
    reenvia([&] { ok = uCaptura.calculaCantidadRegistrada(); });
    return ok;
}

void TFRM_entradaInventario::BTN_agregarClick() {
    ocultaPropiedades();
    LBL_productoSeleccionado->clear();
    // The editor is opened at most once for each value the capture asks for.
    bool cantidadPedida = false, costoPedido = false;
    for (;;) {
        TpasoAgregar paso = TpasoAgregar::Rechazado;
        reenvia([&] { paso = uCaptura.agrega(); });
        if (paso == TpasoAgregar::PideCantidad && !cantidadPedida) {
            cantidadPedida = true;
            if (pideValor(QStringLiteral("Cantidad"), TXT_cantidad))
                continue;
        } else if (paso == TpasoAgregar::PideCosto && !costoPedido) {
            costoPedido = true;
            if (pideValor(QStringLiteral("Costo Unitario"), TXT_costoUnitario))
                continue;
        } else if (paso == TpasoAgregar::Agregado) {
            (contenedor_codigoBarras->isEnabled() ? static_cast<QWidget *>(contenedor_codigoBarras)
                                                  : GRD_main)
                ->setFocus();
        }
        return;
    }
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

void TFRM_entradaInventario::contenedor_comprobanteClick() {
    ocultaPropiedades();
    bool preparado = false;
    reenvia([&] { preparado = uCaptura.preparaComprobante(); });
    if (!preparado)
        return;
    // The chooser opens on today's invoices whatever the receipt's date; the user widens the range.
    TFRM_seleccionarComprobante selector(this);
    tomaComprobante(selector.initEgresos(fechaHora::aTDateTime(QDateTime::currentDateTime())));
}

void TFRM_entradaInventario::tomaComprobante(const UREC_comprobante &comprobante) {
    reenvia([&] { uCaptura.tomaComprobante(comprobante); });
}

void TFRM_entradaInventario::contenedor_proveedorClick() {
    ocultaPropiedades();
    bool preparado = false;
    reenvia([&] { preparado = uCaptura.preparaProveedor(); });
    if (!preparado)
        return;
    Rproveedor proveedor;
    TFRM_seleccionarProveedor selector(uSistema, this);
    selector.init(proveedor);
    tomaProveedor(proveedor);
}

void TFRM_entradaInventario::tomaProveedor(const Rproveedor &proveedor) {
    reenvia([&] { uCaptura.tomaProveedor(proveedor); });
}

void TFRM_entradaInventario::celdaClic(int fila, const QString &alias) {
    if (alias == QLatin1String("Elimina")) {
        eliminaRenglon(fila);
    } else if (alias == QLatin1String("Edita")) {
        hold_propiedadesAdicionales->show();
        seleccionaRenglon(fila);
    } else if (alias == QLatin1String("Producto") && uCaptura.renglonPorRelacionar(fila)) {
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
    reenvia([&] { uCaptura.elimina(fila); });
    BTN_verPropiedadesAdicionales->setEnabled(false);
    if (uCaptura.renglones().isEmpty())
        ocultaPropiedades();
    else if (hold_propiedadesAdicionales->isVisible())
        seleccionaRenglon(uCaptura.seleccion());
}

void TFRM_entradaInventario::seleccionaRenglon(int fila) {
    if (fila < 0 || fila >= uCaptura.renglones().size())
        return;
    uCaptura.selecciona(fila);
    const TrenglonCaptura &r = uCaptura.renglones()[fila];
    BTN_verPropiedadesAdicionales->setEnabled(uCaptura.categoriaConPropiedades(r.categoriaID));
    BTN_verNoSerie->setEnabled(r.controlNoSerie == 1);
    LBL_productoSeleccionado->setText(r.producto);
    muestraEstadoRenglon();
}

void TFRM_entradaInventario::muestraEstadoRenglon() {
    const TestadoRenglon e = uCaptura.estadoSeleccion();
    const auto estado = [](bool capturado) { return capturado ? kConDatos : QString(); };
    LBL_pedimento->setText(estado(e.pedimento));
    LBL_lote->setText(estado(e.lote));
    LBL_noSerie->setText(estado(e.noSerie));
    LBL_propiedadesAdicionales->setText(estado(e.propiedades));
}

void TFRM_entradaInventario::ocultaPropiedades() {
    hold_propiedadesAdicionales->hide();
}

// The declaration and lot dialogs edit their part of the selected line and hand it back.
template <typename Dialogo, typename Parte>
void TFRM_entradaInventario::editaParte(Parte TEntradaInformacionOpcional::*parte) {
    const int fila = uCaptura.seleccion();
    if (fila < 0)
        return;
    TEntradaInformacionOpcional informacion = uCaptura.renglones()[fila].informacion;
    Dialogo dialogo(this);
    informacion.*parte = dialogo.init(informacion.*parte);
    uCaptura.setInformacion(informacion);
    muestraEstadoRenglon();
}

void TFRM_entradaInventario::verNoSerie() {
    const int fila = uCaptura.seleccion();
    if (fila < 0)
        return;
    const TrenglonCaptura &r = uCaptura.renglones()[fila];
    TEntradaInformacionOpcional informacion = r.informacion;
    TFRM_noSerie dialogo(this);
    informacion.noSerie = dialogo.init(informacion.noSerie, r.seriesRequeridas(), r.productoID);
    uCaptura.setInformacion(informacion);
    muestraEstadoRenglon();
    GRD_main->viewport()->update();
}

void TFRM_entradaInventario::verPropiedades() {
    const int fila = uCaptura.seleccion();
    if (fila < 0)
        return;
    const TrenglonCaptura &r = uCaptura.renglones()[fila];
    TEntradaInformacionOpcional informacion = r.informacion;
    TFRM_capturarPropiedadesAdicionales dialogo(uSistema, this);
    dialogo.init(r.categoriaID, r.producto, informacion.propiedadesAdicionales);
    uCaptura.setInformacion(informacion);
    muestraEstadoRenglon();
}

QColor TFRM_entradaInventario::colorFila(int fila) const {
    if (fila < 0 || fila >= uCaptura.renglones().size() || uCaptura.renglones()[fila].controlNoSerie != 1)
        return {};
    return QColor::fromRgba(uCaptura.renglones()[fila].seriesCompletas() ? kVerdeSeries : kRojoSeries);
}

bool TFRM_entradaInventario::guardar() {
    return uCaptura.guardar(QDateTime(DTP_fecha->date(), DTP_hora->time()));
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
    reenvia([&] { uCaptura.tomaCfdi(ruta); });
}

void TFRM_entradaInventario::tomaProductoRenglon(int fila, const TproductoSeleccionadoDescripcion &producto) {
    reenvia([&] { uCaptura.relacionaRenglon(fila, producto); });
}

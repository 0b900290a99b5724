#include "salidas/UFRM_salidasAlmacen.h"

#include "comun/U_bplpanelcontrol.h"
#include "comun/U_utilerias.h"
#include "comun/ui/UFRM_seleccionarProducto.h"
#include "comun/ui/UFRM_selectorBase.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/U_filtrosEntrada.h"
#include "comun/ui/U_formaCaptura.h"
#include "comun/ui/U_imagenes.h"
#include "comun/ui/UgridControl.h"
#include "comun/ui/UmarcoClic.h"
#include "entradas/UFRM_capturarCodigoBarras.h"
#include "entradas/UFRM_seleccionarComprobante.h"
#include "salidas/UFRM_seleccionarMovimiento.h"
#include "salidas/UFRM_seleccionarNoSerie.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableView>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {
const QString kAliasElimina = QStringLiteral("elimina");

// After the delete column, in the order the lines show.
const TcolumnaCaptura kColumnas[] = {
    {"Producto_id", "Producto_id", 0, kColTexto},
    {"Producto", "Producto", 220, kColTexto},
    {"Cantidad", "Cantidad", 70, kColNumero},
    {"CostoU", "Costo U.", 90, kColMoneda},
    {"Total", "Total", 100, kColMoneda},
    {"_uniMedidaCatalogo_id", "_uniMedidaCatalogo_id", 0, kColTexto},
    {"UMedida", "U. Medida", 90, kColTexto},
    {"Categoria_id", "Categoria_id", 0, kColTexto},
    {"Categoria", "Categoría", 120, kColTexto},
    {"CBarras", "C. Barras", 110, kColTexto},
    {"_entradasID", "_entradasID", 0, kColTexto},
    {"_salidasCostoUnitario", "_salidasCostoUnitario", 0, kColMoneda},
    {"_existencia", "_existencia", 0, kColNumero},
    {"_existenciaTotal", "_existenciaTotal", 0, kColNumero},
    {"_existenciaCostoTotal", "_existenciaCostoTotal", 0, kColMoneda},
    {"_productoControlNumeroSerie", "_productoControlNumeroSerie", 0, kColTexto},
    {"_documentoID", "_documentoID", 0, kColTexto},
};

} // namespace

TFRM_salidasAlmacen::TFRM_salidasAlmacen(const TsistemaDatos &sistema, QWidget *padre)
    : TdialogoModal(QStringLiteral("Salida del Almacén"), padre), uSistema(sistema), uCaptura(sistema) {
    setObjectName(QStringLiteral("FRM_salidasAlmacen"));
    auto *raiz = new QVBoxLayout(this);
    raiz->addWidget(creaPestanas());
    raiz->addWidget(creaPie());
    GRD_main = new QTableView(this);
    GRD_main->setObjectName(QStringLiteral("GRD_main"));
    uGRD_mainControl = new TGridControl(GRD_main);
    raiz->addWidget(GRD_main, 1);
    agregaBotones(raiz);
    creaColumnas();
    conecta();
    u_aplicaEstiloDialogo(this);
    resize(1000, 640);
}

QWidget *TFRM_salidasAlmacen::creaPestanas() {
    PGC_salida = new QTabWidget(this);
    PGC_salida->setObjectName(QStringLiteral("PGC_salida"));
    PGC_salida->addTab(creaInicial(PGC_salida), QStringLiteral("Inicial"));
    PGC_salida->addTab(creaComprobante(PGC_salida), QStringLiteral("Comprobante"));
    return PGC_salida;
}

QWidget *TFRM_salidasAlmacen::creaInicial(QWidget *padre) {
    auto *p = new QWidget(padre);
    p->setObjectName(QStringLiteral("TAB_inicial"));
    CMB_almacenes = new QComboBox(p);
    CMB_almacenes->setObjectName(QStringLiteral("CMB_almacenes"));
    CMB_almacenes->setMinimumWidth(200);
    CMB_concepto = new QComboBox(p);
    CMB_concepto->setObjectName(QStringLiteral("CMB_concepto"));
    CMB_concepto->setMinimumWidth(200);
    LBL_descripcion = u_valorCaptura(p, "LBL_descripcion");
    LBL_direccion = u_valorCaptura(p, "LBL_direccion");
    LBL_fechaHoraUltimo = u_valorCaptura(p, "LBL_fechaHoraUltimo");
    DTP_fecha = u_fecha(p, QStringLiteral("DTP_fecha"));
    DTP_hora = new QTimeEdit(p);
    DTP_hora->setObjectName(QStringLiteral("DTP_hora"));
    DTP_hora->setDisplayFormat(QStringLiteral("HH:mm:ss"));

    auto *capa = new QGridLayout(p);
    capa->addWidget(u_tituloCaptura(p, "LBL_almacenesTitulo", "Almacén"), 0, 0);
    capa->addWidget(CMB_almacenes, 0, 1, 1, 2);
    capa->addWidget(u_tituloCaptura(p, "LBL_descripcionTitulo", "Descripción"), 0, 3);
    capa->addWidget(LBL_descripcion, 0, 4);
    capa->addWidget(u_tituloCaptura(p, "LBL_direccionTitulo", "Dirección"), 1, 0);
    capa->addWidget(LBL_direccion, 1, 1, 1, 2);
    capa->addWidget(u_tituloCaptura(p, "LBL_fechaHoraUltimoTitulo", "Último Movimiento"), 1, 3);
    capa->addWidget(LBL_fechaHoraUltimo, 1, 4);
    capa->addWidget(u_tituloCaptura(p, "LBL_fechaTitulo", "Fecha de Salida"), 2, 0);
    capa->addWidget(DTP_fecha, 2, 1);
    capa->addWidget(u_reinicioCaptura(p, "BTN_reiniciarFecha"), 2, 2);
    capa->addWidget(u_tituloCaptura(p, "LBL_horaTitulo", "Hora de Salida"), 2, 3);
    auto *hora = new QHBoxLayout;
    hora->addWidget(DTP_hora);
    hora->addWidget(u_reinicioCaptura(p, "BTN_reiniciarHora"));
    hora->addStretch();
    capa->addLayout(hora, 2, 4);
    capa->addWidget(u_tituloCaptura(p, "LBL_conceptoTitulo", "Concepto"), 3, 0);
    capa->addWidget(CMB_concepto, 3, 1, 1, 2);
    capa->setColumnStretch(4, 1);
    return p;
}

QWidget *TFRM_salidasAlmacen::creaComprobante(QWidget *padre) {
    TAB_comprobante = new QWidget(padre);
    QWidget *p = TAB_comprobante;
    p->setObjectName(QStringLiteral("TAB_comprobante"));
    LBL_comprobante = u_valorCaptura(p, "LBL_comprobante");
    LBL_fechaHora = u_valorCaptura(p, "LBL_fechaHora");
    LBL_total = u_valorCaptura(p, "LBL_total");
    LBL_emisor = u_valorCaptura(p, "LBL_emisor");
    LBL_emisorRFC = u_valorCaptura(p, "LBL_emisorRFC");
    auto *capa = new QGridLayout(p);
    capa->addWidget(u_tituloCaptura(p, "LBL_comprobanteTitulo", "Comprobante"), 0, 0);
    capa->addWidget(new TmarcoClic(QStringLiteral("contenedor_comprobante"), LBL_comprobante,
                                   [this] { eligeComprobante(); }),
                    0, 1);
    capa->addWidget(u_reinicioCaptura(p, "BTN_reiniciarLBLcomprobante"), 0, 2);
    capa->addWidget(u_tituloCaptura(p, "LBL_fechaHoraTitulo", "Fecha/Hora"), 1, 0);
    capa->addWidget(LBL_fechaHora, 1, 1);
    capa->addWidget(u_tituloCaptura(p, "LBL_totalTitulo", "Total"), 2, 0);
    capa->addWidget(LBL_total, 2, 1);
    capa->addWidget(u_tituloCaptura(p, "LBL_emisorTitulo", "Emisor"), 3, 0);
    capa->addWidget(LBL_emisor, 3, 1);
    capa->addWidget(u_tituloCaptura(p, "LBL_emisorRFCTitulo", "RFC"), 4, 0);
    capa->addWidget(LBL_emisorRFC, 4, 1);
    capa->setColumnStretch(1, 1);
    return p;
}

QWidget *TFRM_salidasAlmacen::creaPie() {
    auto *pie = new QWidget(this);
    contenedor_foot = new QWidget(pie);
    QWidget *p = contenedor_foot;
    p->setObjectName(QStringLiteral("contenedor_foot"));
    LBL_codigoBarras = u_valorCaptura(p, "LBL_codigoBarras");
    LBL_producto = u_valorCaptura(p, "LBL_producto");
    LBL_producto->setMinimumWidth(220);
    TXT_cantidad = u_campo(p, QStringLiteral("TXT_cantidad"), 20);
    u_soloDecimales(TXT_cantidad);
    LBL_unidadMedida = u_valorCaptura(p, "LBL_unidadMedida");
    LBL_existencia = u_valorCaptura(p, "LBL_existencia");
    BTN_reiniciarLBLproducto = u_reinicioCaptura(p, "BTN_reiniciarLBLproducto");
    contenedor_codigoBarras = new TmarcoClic(QStringLiteral("contenedor_codigoBarras"), LBL_codigoBarras,
                                             [this] { capturaCodigoBarras(); });
    contenedor_producto =
        new TmarcoClic(QStringLiteral("contenedor_producto"), LBL_producto, [this] { eligeProducto(); });
    auto *capa = new QGridLayout(p);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(u_tituloCaptura(p, "LBL_codigoBarrasTitulo", "Código de Barras"), 0, 0);
    capa->addWidget(contenedor_codigoBarras, 1, 0);
    capa->addWidget(u_tituloCaptura(p, "LBL_productoTitulo", "Producto"), 0, 1);
    capa->addWidget(contenedor_producto, 1, 1);
    capa->addWidget(BTN_reiniciarLBLproducto, 1, 2);
    capa->addWidget(u_tituloCaptura(p, "LBL_cantidadTitulo", "Cantidad"), 0, 3);
    capa->addWidget(TXT_cantidad, 1, 3);
    capa->addWidget(u_reinicioCaptura(p, "BTN_reiniciaTXTcantidad"), 1, 4);
    capa->addWidget(u_boton(p, QStringLiteral("BTN_agregar"), QStringLiteral("Agregar")), 1, 5);
    capa->addWidget(u_tituloCaptura(p, "LBL_unidadMedidaTitulo", "Unidad de Medida"), 0, 6);
    capa->addWidget(LBL_unidadMedida, 1, 6);
    capa->addWidget(u_tituloCaptura(p, "LBL_existenciaTitulo", "Existencia"), 0, 7);
    capa->addWidget(LBL_existencia, 1, 7);
    capa->setColumnStretch(1, 1);

    // The serial numbers and the total stay usable while the product area is off (the one line
    // of a purchase return still needs its serial numbers).
    LBL_noSerieCaptura = u_valorCaptura(pie, "LBL_noSerieCaptura");
    LBL_totalSalida = u_valorCaptura(pie, "LBL_totalSalida");
    auto *resumen = new QGridLayout;
    resumen->addWidget(u_tituloCaptura(pie, "LBL_noSerieTitulo", "No. Serie"), 0, 0, 1, 2);
    resumen->addWidget(LBL_noSerieCaptura, 1, 0);
    resumen->addWidget(u_boton(pie, QStringLiteral("BTN_verNoSerie"), QStringLiteral("Ver")), 1, 1);
    resumen->addWidget(u_tituloCaptura(pie, "LBL_totalSalidaTitulo", "Total"), 0, 2);
    resumen->addWidget(LBL_totalSalida, 1, 2);
    auto *fila = new QHBoxLayout(pie);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->addWidget(contenedor_foot, 1);
    fila->addLayout(resumen);
    return pie;
}

void TFRM_salidasAlmacen::creaColumnas() {
    uGRD_mainControl->agregaColumnaIcono(kAliasElimina, mini_cargaImage(QStringLiteral("Elimina")), 40);
    u_agregaColumnasCaptura(uGRD_mainControl, kColumnas);
    uGRD_mainControl->setColumnaEstirada(QStringLiteral("Producto"));
}

void TFRM_salidasAlmacen::conecta() {
    const auto boton = [this](const char *nombre) {
        return findChild<QPushButton *>(QString::fromLatin1(nombre));
    };
    connect(CMB_almacenes, &QComboBox::currentIndexChanged, this, &TFRM_salidasAlmacen::CMB_almacenesChange);
    connect(CMB_concepto, &QComboBox::currentIndexChanged, this, &TFRM_salidasAlmacen::CMB_conceptoChange);
    connect(boton("BTN_reiniciarFecha"), &QPushButton::clicked, this,
            [this] { DTP_fecha->setDate(QDate::currentDate()); });
    connect(boton("BTN_reiniciarHora"), &QPushButton::clicked, this,
            [this] { DTP_hora->setTime(QTime::currentTime()); });
    connect(boton("BTN_reiniciarLBLcomprobante"), &QPushButton::clicked, this, [this] {
        uCaptura.quitaComprobante();
        muestra();
    });
    connect(BTN_reiniciarLBLproducto, &QPushButton::clicked, this, [this] {
        uCaptura.limpiaProducto();
        muestra();
    });
    connect(boton("BTN_reiniciaTXTcantidad"), &QPushButton::clicked, this, [this] {
        TXT_cantidad->clear();
        TXT_cantidad->setFocus();
    });
    connect(boton("BTN_agregar"), &QPushButton::clicked, this, &TFRM_salidasAlmacen::agregar);
    connect(TXT_cantidad, &QLineEdit::returnPressed, this, &TFRM_salidasAlmacen::agregar);
    connect(boton("BTN_verNoSerie"), &QPushButton::clicked, this, &TFRM_salidasAlmacen::BTN_verNoSerieClick);
    connect(uGRD_mainControl, &TGridControl::celdaClic, this,
            [this](int fila, int, const QString &alias) { GRDmouseUP(fila, alias); });
}

bool TFRM_salidasAlmacen::prepara() {
    PGC_salida->setCurrentIndex(0);
    uFilaSeleccionada = -1;
    TXT_cantidad->clear();
    ahora();
    const bool cargado = uCaptura.cargaCatalogos();
    {
        const QSignalBlocker a(CMB_almacenes);
        const QSignalBlocker c(CMB_concepto);
        CMB_almacenes->clear();
        for (const TalmacenSalida &almacen : uCaptura.almacenes())
            CMB_almacenes->addItem(almacen.nombre);
        CMB_concepto->clear();
        for (const TconceptoSalida &concepto : uCaptura.conceptos())
            CMB_concepto->addItem(concepto.etiqueta);
    }
    // A read-only user may look, never post.
    BTN_aceptar->setEnabled(!uSistema.esRestringido());
    muestra();
    return cargado;
}

bool TFRM_salidasAlmacen::init() {
    prepara();
    exec();
    return uAceptar;
}

void TFRM_salidasAlmacen::ahora() {
    const QDateTime momento = QDateTime::currentDateTime();
    DTP_fecha->setDate(momento.date());
    DTP_hora->setTime(momento.time());
}

QDateTime TFRM_salidasAlmacen::fechaHora() const {
    const QTime hora = DTP_hora->time();
    return QDateTime(DTP_fecha->date(), QTime(hora.hour(), hora.minute(), hora.second()));
}

void TFRM_salidasAlmacen::CMB_almacenesChange(int indice) {
    uCaptura.eligeAlmacen(indice);
    muestra();
}

void TFRM_salidasAlmacen::CMB_conceptoChange(int indice) {
    const TcambioConcepto cambio = uCaptura.eligeConcepto(indice);
    muestra();
    if (cambio == TcambioConcepto::Devolucion)
        seleccionarMovimientoDevolucion();
}

void TFRM_salidasAlmacen::seleccionarMovimientoDevolucion() {
    TFRM_seleccionarMovimiento selector(uSistema, this);
    const UREC_seleccionarMovimiento respuesta = selector.initbuscaEntradas(uCaptura.solicitudDevolucion());
    if (uCaptura.tomaDevolucion(respuesta))
        TXT_cantidad->setText(FloatToStr(uCaptura.cantidadMaximaDevolucion()));
    muestra();
    TXT_cantidad->setFocus();
}

TproductoSeleccionadoDescripcion u_pideProducto(const TsistemaDatos &sistema, QWidget *padre) {
    TproductoSeleccionadoDescripcion producto;
    TFRM_seleccionarProducto selector(sistema, padre);
    selector.init(producto, sistema);
    return producto;
}

QString u_pideCodigoBarras(const QString &actual, QWidget *padre) {
    TFRM_capturarCodigoBarras dialogo(padre);
    const TcodigoBarras codigo = dialogo.init(actual);
    return codigo.ok ? codigo.codigo_barras : QString();
}

void TFRM_salidasAlmacen::eligeProducto() {
    if (!uCaptura.compruebaAlmacen())
        return;
    const bool elegido = uCaptura.eligeProducto(u_pideProducto(uSistema, this));
    muestra();
    if (elegido)
        TXT_cantidad->setFocus();
}

void TFRM_salidasAlmacen::capturaCodigoBarras() {
    const bool encontrado =
        uCaptura.buscaCodigoBarras(u_pideCodigoBarras(uCaptura.producto().codigoBarras, this));
    muestra();
    if (encontrado)
        TXT_cantidad->setFocus();
}

void TFRM_salidasAlmacen::eligeComprobante() {
    TFRM_seleccionarComprobante selector(this);
    uCaptura.setComprobante(selector.initIngresos(fechaHora::aTDateTime(QDateTime::currentDateTime())));
    muestra();
}

void TFRM_salidasAlmacen::agregar() {
    const bool agregado = uCaptura.agrega(TXT_cantidad->text());
    if (agregado)
        TXT_cantidad->clear();
    muestra();
    // Ready for the next scan: Enter opens the barcode dialog again.
    if (agregado && contenedor_codigoBarras->isEnabled())
        contenedor_codigoBarras->setFocus();
}

void TFRM_salidasAlmacen::GRDmouseUP(int fila, const QString &alias) {
    if (alias == kAliasElimina) {
        uCaptura.eliminaLinea(fila);
        fila = std::min(fila, int(uCaptura.lineas().size()) - 1);
    }
    uFilaSeleccionada = fila;
    muestra();
}

void TFRM_salidasAlmacen::BTN_verNoSerieClick() {
    RECnumerosSerie solicitud;
    if (!uCaptura.solicitudSeries(uFilaSeleccionada, solicitud))
        return;
    TFRM_seleccionarNoSerie selector(uSistema, this);
    uCaptura.setSeries(uFilaSeleccionada, selector.init(solicitud));
    muestra();
}

void TFRM_salidasAlmacen::alAceptar() {
    if (!uSistema.esRestringido() && uCaptura.guardar(fechaHora()))
        acepta();
    else
        muestra(); // a posting that found the stock changed dropped the lines
}

// Shows the state of the capture: every control follows it, nothing else is kept here.
void TFRM_salidasAlmacen::muestra() {
    {
        const QSignalBlocker a(CMB_almacenes);
        const QSignalBlocker c(CMB_concepto);
        CMB_almacenes->setCurrentIndex(uCaptura.indiceAlmacen());
        CMB_concepto->setCurrentIndex(uCaptura.indiceConcepto());
    }
    const TalmacenSalida *almacen = uCaptura.almacen();
    LBL_descripcion->setText(almacen ? almacen->nota : QString());
    LBL_direccion->setText(almacen ? almacen->direccion : QString());
    LBL_fechaHoraUltimo->setText(uCaptura.textoUltimoMovimiento());

    PGC_salida->setTabEnabled(PGC_salida->indexOf(TAB_comprobante), uCaptura.admiteComprobante());
    const UREC_comprobante &comprobante = uCaptura.comprobante();
    const bool hayComprobante = uCaptura.hayComprobante();
    LBL_comprobante->setText(hayComprobante ? comprobante.serie + QLatin1Char(' ') + comprobante.folio
                                            : QString());
    LBL_emisor->setText(hayComprobante ? comprobante.emisorNombre : QString());
    LBL_emisorRFC->setText(hayComprobante ? comprobante.emisorRFC : QString());
    LBL_fechaHora->setText(hayComprobante ? comprobante.fechaHora : QString());
    LBL_total->setText(hayComprobante ? comprobante.total : QString());

    const TproductoSeleccionadoDescripcion &producto = uCaptura.producto();
    LBL_producto->setText(producto.nombre);
    LBL_codigoBarras->setText(producto.codigoBarras);
    LBL_unidadMedida->setText(producto.unidadMedidaEtiqueta);
    LBL_existencia->setText(uCaptura.textoExistencia());

    const bool libre = uCaptura.eleccionLibre();
    contenedor_foot->setEnabled(uCaptura.areaProductoHabilitada());
    CMB_concepto->setEnabled(libre);
    contenedor_producto->setEnabled(libre);
    contenedor_codigoBarras->setEnabled(libre);
    BTN_reiniciarLBLproducto->setEnabled(libre);
    muestraLineas();
}

void TFRM_salidasAlmacen::muestraLineas() {
    uGRD_mainControl->limpia();
    for (const QVariantHash &fila : uCaptura.filasGrid())
        uGRD_mainControl->agregaFila(fila);
    if (uFilaSeleccionada >= uGRD_mainControl->filas())
        uFilaSeleccionada = -1;
    if (uFilaSeleccionada >= 0)
        GRD_main->selectRow(uFilaSeleccionada);
    LBL_noSerieCaptura->setText(uCaptura.textoSeries(uFilaSeleccionada));
    LBL_totalSalida->setText(uCaptura.textoTotal());
}

bool u_capturaSalidaAlmacen(QWidget *padre) {
    TFRM_salidasAlmacen captura(localSYS, padre);
    return captura.init();
}

#include "traspasos/UFRM_nuevoTraspaso.h"

#include "comun/U_utilerias.h"
#include "comun/ui/UFRM_capturarPropiedadesAdicionales.h"
#include "comun/ui/UFRM_selectorBase.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/U_filtrosEntrada.h"
#include "comun/ui/U_formaCaptura.h"
#include "comun/ui/U_imagenes.h"
#include "comun/ui/UgridControl.h"
#include "comun/ui/UmarcoClic.h"
#include "entradas/UFRM_lote.h"
#include "entradas/UFRM_pedimento.h"
#include "salidas/UFRM_salidasAlmacen.h"
#include "salidas/UFRM_seleccionarNoSerie.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {
const QString kAliasElimina = QStringLiteral("elimina");

// After the delete column, in the order the lines show.
const TcolumnaCaptura kColumnas[] = {
    {"_productoID", "_productoID", 0, kColTexto},
    {"Categoria", "Categoría", 90, kColTexto},
    {"Producto", "Producto", 350, kColTexto},
    {"Cantidad", "Cantidad", 90, kColNumero},
    {"CostoU", "Costo U.", 90, kColMoneda},
    {"Total", "Total", 90, kColMoneda},
    {"UMedida", "U. Medida", 90, kColTexto},
    {"CBarras", "C. Barras", 90, kColTexto},
    {"_entradasID", "_entradasID", 40, kColTexto},
    {"_existencia", "_existencia", 0, kColNumero},
    {"_existenciaTotal", "_existenciaTotal", 0, kColNumero},
    {"_existenciaCostoTotal", "_existenciaCostoTotal", 0, kColMoneda},
    {"_noSerie", "_noSerie", 0, kColTexto},
    {"_noSerieControlado", "_noSerieControlado", 0, kColTexto},
    {"_disponiblePorCapa", "_disponiblePorCapa", 40, kColNumero},
};

QTimeEdit *hora(QWidget *padre, const char *nombre) {
    auto *h = new QTimeEdit(QTime::currentTime(), padre);
    h->setObjectName(QString::fromLatin1(nombre));
    h->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    return h;
}

// A date and its time side by side.
QHBoxLayout *fechaYHora(QDateEdit *fecha, QTimeEdit *hora) {
    auto *fila = new QHBoxLayout;
    fila->addWidget(fecha);
    fila->addWidget(hora);
    fila->addStretch();
    return fila;
}
} // namespace

TFRM_nuevoTraspaso::TFRM_nuevoTraspaso(const TsistemaDatos &sistema, QWidget *padre)
    : TdialogoModal(QStringLiteral("Nuevo Traspaso"), padre), uSistema(sistema), uCaptura(sistema) {
    setObjectName(QStringLiteral("FRM_nuevoTraspaso"));
    auto *raiz = new QVBoxLayout(this);
    auto *almacenes = new QHBoxLayout;
    almacenes->addWidget(creaOrigen(), 1);
    almacenes->addWidget(creaDestino(), 1);
    raiz->addLayout(almacenes);
    raiz->addWidget(creaCantidad());
    GRD_main = new QTableView(this);
    GRD_main->setObjectName(QStringLiteral("GRD_main"));
    uGRD_mainControl = new TGridControl(GRD_main);
    raiz->addWidget(GRD_main, 1);
    raiz->addWidget(creaPie());
    agregaBotones(raiz);
    creaColumnas();
    conecta();
    u_aplicaEstiloDialogo(this);
    resize(1100, 680);
}

QWidget *TFRM_nuevoTraspaso::creaOrigen() {
    auto *p = new QGroupBox(QStringLiteral("Origen"), this);
    p->setObjectName(QStringLiteral("GBX_origen"));
    CMB_almacenOrigen = new QComboBox(p);
    CMB_almacenOrigen->setObjectName(QStringLiteral("CMB_almacenOrigen"));
    CMB_almacenOrigen->setMinimumWidth(200);
    LBL_codigoBarras = u_valorCaptura(p, "LBL_codigoBarras");
    LBL_producto = u_valorCaptura(p, "LBL_producto", 260);
    contenedor_codigoBarras = new TmarcoClic(QStringLiteral("contenedor_codigoBarras"), LBL_codigoBarras,
                                             [this] { capturaCodigoBarras(); });
    contenedor_producto =
        new TmarcoClic(QStringLiteral("contenedor_producto"), LBL_producto, [this] { eligeProducto(); });
    LBL_existenciaOrigen = u_valorCaptura(p, "LBL_existenciaOrigen");
    DTP_fechaOrigen = u_fecha(p, QStringLiteral("DTP_fechaOrigen"));
    DTP_horaOrigen = hora(p, "DTP_horaOrigen");
    LBL_fechaHoraUltimo = u_valorCaptura(p, "LBL_fechaHoraUltimo");

    auto *capa = new QGridLayout(p);
    capa->addWidget(u_tituloCaptura(p, "LBL_almacenOrigenTitulo", "Almacen"), 0, 0);
    capa->addWidget(CMB_almacenOrigen, 0, 1);
    capa->addWidget(u_tituloCaptura(p, "LBL_codigoBarrasTitulo", "Código de Barras"), 1, 0);
    capa->addWidget(contenedor_codigoBarras, 1, 1);
    capa->addWidget(u_tituloCaptura(p, "LBL_productoTitulo", "Producto"), 2, 0);
    capa->addWidget(contenedor_producto, 2, 1);
    capa->addWidget(u_tituloCaptura(p, "LBL_existenciaOrigenTitulo", "Existencia"), 3, 0);
    capa->addWidget(LBL_existenciaOrigen, 3, 1);
    capa->addWidget(u_tituloCaptura(p, "LBL_fechaOrigenTitulo", "Fecha/Hora"), 4, 0);
    capa->addLayout(fechaYHora(DTP_fechaOrigen, DTP_horaOrigen), 4, 1);
    capa->addWidget(u_tituloCaptura(p, "LBL_fechaHoraUltimoTitulo", "Último Movimiento"), 5, 0);
    capa->addWidget(LBL_fechaHoraUltimo, 5, 1);
    capa->setColumnStretch(1, 1);
    return p;
}

QWidget *TFRM_nuevoTraspaso::creaDestino() {
    auto *p = new QGroupBox(QStringLiteral("Destino"), this);
    p->setObjectName(QStringLiteral("GBX_destino"));
    CMB_almacenDestino = new QComboBox(p);
    CMB_almacenDestino->setObjectName(QStringLiteral("CMB_almacenDestino"));
    CMB_almacenDestino->setMinimumWidth(200);
    LBL_codigoBarrasDestino = u_valorCaptura(p, "LBL_codigoBarrasDestino");
    LBL_productoDestino = u_valorCaptura(p, "LBL_productoDestino", 260);
    LBL_existenciaDestino = u_valorCaptura(p, "LBL_existenciaDestino");
    LBL_cantidadDestino = u_valorCaptura(p, "LBL_cantidadDestino");
    DTP_fechaDestino = u_fecha(p, QStringLiteral("DTP_fechaDestino"));
    DTP_horaDestino = hora(p, "DTP_horaDestino");

    auto *capa = new QGridLayout(p);
    capa->addWidget(u_tituloCaptura(p, "LBL_almacenDestinoTitulo", "Almacen"), 0, 0);
    capa->addWidget(CMB_almacenDestino, 0, 1);
    capa->addWidget(u_tituloCaptura(p, "LBL_codigoBarrasDestinoTitulo", "Código de Barras"), 1, 0);
    capa->addWidget(LBL_codigoBarrasDestino, 1, 1);
    capa->addWidget(u_tituloCaptura(p, "LBL_productoDestinoTitulo", "Producto"), 2, 0);
    capa->addWidget(LBL_productoDestino, 2, 1);
    capa->addWidget(u_tituloCaptura(p, "LBL_existenciaDestinoTitulo", "Existencia"), 3, 0);
    auto *existencias = new QHBoxLayout;
    existencias->addWidget(LBL_existenciaDestino);
    existencias->addWidget(u_tituloCaptura(p, "LBL_cantidadDestinoTitulo", "Después del traspaso"));
    existencias->addWidget(LBL_cantidadDestino);
    existencias->addStretch();
    capa->addLayout(existencias, 3, 1);
    capa->addWidget(u_tituloCaptura(p, "LBL_fechaDestinoTitulo", "Fecha/Hora"), 4, 0);
    capa->addLayout(fechaYHora(DTP_fechaDestino, DTP_horaDestino), 4, 1);
    capa->setRowStretch(5, 1);
    capa->setColumnStretch(1, 1);
    return p;
}

QWidget *TFRM_nuevoTraspaso::creaCantidad() {
    auto *p = new QWidget(this);
    p->setObjectName(QStringLiteral("contenedor_cantidad"));
    TXT_cantidad = u_campo(p, QStringLiteral("TXT_cantidad"), 20);
    TXT_cantidad->setMaximumWidth(160);
    u_soloDecimales(TXT_cantidad);
    LBL_mensajeTraspaso = u_etiqueta(p, QStringLiteral("LBL_mensajeTraspaso"));
    LBL_mensajeTraspaso->setStyleSheet(QStringLiteral("color: #c0392b; font-weight: bold;"));
    auto *limpiar = u_reinicioCaptura(p, "BTN_reiniciaTXTcantidad");
    auto *capa = new QHBoxLayout(p);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(u_tituloCaptura(p, "LBL_cantidadTitulo", "Cantidad"));
    capa->addWidget(TXT_cantidad);
    capa->addWidget(limpiar);
    capa->addWidget(u_boton(p, QStringLiteral("BTN_agregar"), QStringLiteral("Agregar")));
    capa->addSpacing(12);
    capa->addWidget(LBL_mensajeTraspaso);
    capa->addStretch(1);
    return p;
}

QWidget *TFRM_nuevoTraspaso::creaPie() {
    auto *pie = new QWidget(this);
    contenedor_noSerie = new QWidget(pie);
    contenedor_noSerie->setObjectName(QStringLiteral("contenedor_noSerie"));
    LBL_noSerieCaptura = u_valorCaptura(contenedor_noSerie, "LBL_noSerieCaptura", 160);
    BTN_verNoSerie = u_boton(contenedor_noSerie, QStringLiteral("BTN_verNoSerie"), QStringLiteral("Ver"));
    auto *series = new QHBoxLayout(contenedor_noSerie);
    series->setContentsMargins(0, 0, 0, 0);
    series->addWidget(u_tituloCaptura(contenedor_noSerie, "LBL_noSerie", "No. Serie"));
    series->addWidget(LBL_noSerieCaptura);
    series->addWidget(BTN_verNoSerie);

    PNL_propiedades = new QWidget(pie);
    PNL_propiedades->setObjectName(QStringLiteral("PNL_propiedades"));
    auto *propiedades = new QHBoxLayout(PNL_propiedades);
    propiedades->setContentsMargins(0, 0, 0, 0);
    propiedades->addWidget(
        u_tituloCaptura(PNL_propiedades, "LBL_propiedadesTitulo", "* Propiedades Adicionales:"));
    const auto ver = [&](const char *etiqueta, const char *texto, const char *boton) {
        propiedades->addWidget(u_tituloCaptura(PNL_propiedades, etiqueta, texto));
        propiedades->addWidget(u_boton(PNL_propiedades, QString::fromLatin1(boton), QStringLiteral("Ver")));
    };
    ver("LBL_lote", "Lote", "BTN_verLote");
    ver("LBL_pedimento", "Pedimento", "BTN_verPedimento");
    ver("LBL_propiedades", "P. Adicionales", "BTN_verPropiedades");

    auto *fila = new QHBoxLayout(pie);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->addWidget(contenedor_noSerie);
    fila->addStretch();
    fila->addWidget(PNL_propiedades);
    return pie;
}

void TFRM_nuevoTraspaso::creaColumnas() {
    uGRD_mainControl->agregaColumnaIcono(kAliasElimina, mini_cargaImage(QStringLiteral("Elimina")), 40);
    u_agregaColumnasCaptura(uGRD_mainControl, kColumnas);
    uGRD_mainControl->setColumnaEstirada(QStringLiteral("Producto"));
}

void TFRM_nuevoTraspaso::conecta() {
    const auto boton = [this](const char *nombre) {
        return findChild<QPushButton *>(QString::fromLatin1(nombre));
    };
    connect(CMB_almacenOrigen, &QComboBox::currentIndexChanged, this,
            &TFRM_nuevoTraspaso::CMB_almacenOrigenChange);
    connect(CMB_almacenDestino, &QComboBox::currentIndexChanged, this,
            &TFRM_nuevoTraspaso::CMB_almacenDestinoChange);
    connect(boton("BTN_reiniciaTXTcantidad"), &QPushButton::clicked, this, [this] {
        TXT_cantidad->clear();
        TXT_cantidad->setFocus();
    });
    connect(TXT_cantidad, &QLineEdit::textChanged, this, &TFRM_nuevoTraspaso::muestraVista);
    connect(boton("BTN_agregar"), &QPushButton::clicked, this, &TFRM_nuevoTraspaso::agregar);
    connect(TXT_cantidad, &QLineEdit::returnPressed, this, &TFRM_nuevoTraspaso::agregar);
    connect(BTN_verNoSerie, &QPushButton::clicked, this, &TFRM_nuevoTraspaso::BTN_verNoSerieClick);
    connect(boton("BTN_verLote"), &QPushButton::clicked, this, &TFRM_nuevoTraspaso::BTN_verLoteClick);
    connect(boton("BTN_verPedimento"), &QPushButton::clicked, this,
            &TFRM_nuevoTraspaso::BTN_verPedimentoClick);
    connect(boton("BTN_verPropiedades"), &QPushButton::clicked, this,
            &TFRM_nuevoTraspaso::BTN_verPropiedadesClick);
    connect(uGRD_mainControl, &TGridControl::celdaClic, this,
            [this](int fila, int, const QString &alias) { GRDmouseUP(fila, alias); });
}

bool TFRM_nuevoTraspaso::prepara() {
    uFilaSeleccionada = -1;
    TXT_cantidad->clear();
    const QDateTime ahora = QDateTime::currentDateTime();
    for (QDateEdit *fecha : {DTP_fechaOrigen, DTP_fechaDestino})
        fecha->setDate(ahora.date());
    for (QTimeEdit *h : {DTP_horaOrigen, DTP_horaDestino})
        h->setTime(ahora.time());
    const bool cargado = uCaptura.cargaAlmacenes();
    {
        const QSignalBlocker o(CMB_almacenOrigen);
        const QSignalBlocker d(CMB_almacenDestino);
        CMB_almacenOrigen->clear();
        CMB_almacenDestino->clear();
        for (const TalmacenSalida &almacen : uCaptura.almacenes()) {
            CMB_almacenOrigen->addItem(almacen.nombre);
            CMB_almacenDestino->addItem(almacen.nombre);
        }
    }
    // A read-only user may look, never ship.
    BTN_aceptar->setEnabled(!uSistema.esRestringido());
    muestra();
    return cargado;
}

bool TFRM_nuevoTraspaso::init() {
    prepara();
    exec();
    return uAceptar;
}

QDateTime TFRM_nuevoTraspaso::fechaHora(const QDateEdit *fecha, const QTimeEdit *hora) {
    const QTime t = hora->time();
    return QDateTime(fecha->date(), QTime(t.hour(), t.minute(), t.second()));
}

void TFRM_nuevoTraspaso::CMB_almacenOrigenChange(int indice) {
    uCaptura.eligeOrigen(indice);
    muestra();
}

void TFRM_nuevoTraspaso::CMB_almacenDestinoChange(int indice) {
    uCaptura.eligeDestino(indice);
    muestra();
}

void TFRM_nuevoTraspaso::eligeProducto() {
    const bool elegido = uCaptura.eligeProducto(u_pideProducto(uSistema, this));
    muestra();
    if (elegido)
        TXT_cantidad->setFocus();
}

void TFRM_nuevoTraspaso::capturaCodigoBarras() {
    const bool encontrado =
        uCaptura.buscaCodigoBarras(u_pideCodigoBarras(uCaptura.producto().codigoBarras, this));
    muestra();
    if (encontrado)
        TXT_cantidad->setFocus();
}

void TFRM_nuevoTraspaso::agregar() {
    const bool agregado = uCaptura.agrega(TXT_cantidad->text(), fechaHora(DTP_fechaOrigen, DTP_horaOrigen));
    if (agregado) {
        TXT_cantidad->clear();
        uFilaSeleccionada = -1;
    }
    muestra();
    // Ready for the next scan: Enter opens the barcode dialog again.
    if (agregado)
        contenedor_codigoBarras->setFocus();
}

void TFRM_nuevoTraspaso::GRDmouseUP(int fila, const QString &alias) {
    if (alias == kAliasElimina) {
        uCaptura.eliminaProducto(fila);
        fila = -1;
    }
    uFilaSeleccionada = fila;
    muestra();
}

void TFRM_nuevoTraspaso::BTN_verNoSerieClick() {
    RECnumerosSerie solicitud;
    if (!uCaptura.solicitudSeries(uFilaSeleccionada, solicitud))
        return;
    TFRM_seleccionarNoSerie selector(uSistema, this);
    uCaptura.setSeries(uFilaSeleccionada, selector.init(solicitud));
    muestra();
}

void TFRM_nuevoTraspaso::BTN_verLoteClick() {
    const TdatosCapaTraspaso datos = uCaptura.datosCapa(uFilaSeleccionada);
    if (!datos.leido)
        return;
    TFRM_lote dialogo(this);
    dialogo.initConsulta(datos.lote);
}

void TFRM_nuevoTraspaso::BTN_verPedimentoClick() {
    const TdatosCapaTraspaso datos = uCaptura.datosCapa(uFilaSeleccionada);
    if (!datos.leido)
        return;
    TFRM_pedimento dialogo(this);
    dialogo.initConsulta(datos.pedimento);
}

void TFRM_nuevoTraspaso::BTN_verPropiedadesClick() {
    const TdatosCapaTraspaso datos = uCaptura.datosCapa(uFilaSeleccionada);
    if (!datos.leido)
        return;
    TFRM_capturarPropiedadesAdicionales dialogo(uSistema, this);
    if (!dialogo.prepara(datos.categoria, datos.producto, datos.propiedades))
        return;
    // The values travel with the layer as they are: shown, never edited here.
    for (QLineEdit *campo : dialogo.findChildren<QLineEdit *>())
        campo->setReadOnly(true);
    dialogo.exec();
}

void TFRM_nuevoTraspaso::alAceptar() {
    if (!uSistema.esRestringido() && uCaptura.guardar(fechaHora(DTP_fechaOrigen, DTP_horaOrigen),
                                                      fechaHora(DTP_fechaDestino, DTP_horaDestino)))
        acepta();
    else
        muestra(); // a shipment that found the stock changed dropped the lines
}

// Shows the state of the capture: every control follows it, nothing else is kept here.
void TFRM_nuevoTraspaso::muestra() {
    {
        const QSignalBlocker o(CMB_almacenOrigen);
        const QSignalBlocker d(CMB_almacenDestino);
        CMB_almacenOrigen->setCurrentIndex(uCaptura.indiceOrigen());
        CMB_almacenDestino->setCurrentIndex(uCaptura.indiceDestino());
    }
    LBL_fechaHoraUltimo->setText(uCaptura.textoUltimoMovimiento());
    const TproductoSeleccionadoDescripcion &producto = uCaptura.producto();
    for (QLabel *l : {LBL_producto, LBL_productoDestino})
        l->setText(producto.nombre);
    for (QLabel *l : {LBL_codigoBarras, LBL_codigoBarrasDestino})
        l->setText(producto.codigoBarras);
    LBL_existenciaOrigen->setText(uCaptura.textoExistenciaOrigen());
    LBL_existenciaDestino->setText(uCaptura.textoExistenciaDestino());
    muestraVista();
    muestraLineas();
}

// The preview of the typed quantity.
void TFRM_nuevoTraspaso::muestraVista() {
    const QString cantidad = TXT_cantidad->text();
    LBL_cantidadDestino->setText(uCaptura.textoCantidadDestino(cantidad));
    const QString mensaje = uCaptura.mensajeTraspaso(cantidad);
    LBL_mensajeTraspaso->setText(mensaje);
    LBL_mensajeTraspaso->setVisible(!mensaje.isEmpty());
}

void TFRM_nuevoTraspaso::muestraLineas() {
    uGRD_mainControl->limpia();
    for (const QVariantHash &fila : uCaptura.filasGrid())
        uGRD_mainControl->agregaFila(fila);
    if (uFilaSeleccionada >= uGRD_mainControl->filas())
        uFilaSeleccionada = -1;
    if (uFilaSeleccionada >= 0)
        GRD_main->selectRow(uFilaSeleccionada);
    LBL_noSerieCaptura->setText(uCaptura.textoSeries(uFilaSeleccionada));
    const bool series = uCaptura.controlaSeries(uFilaSeleccionada);
    contenedor_noSerie->setEnabled(series);
    PNL_propiedades->setEnabled(uFilaSeleccionada >= 0);
}

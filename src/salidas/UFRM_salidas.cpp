#include "salidas/UFRM_salidas.h"

#include "comun/ui/UFRM_seleccionarProducto.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/U_filtrosEntrada.h"
#include "comun/ui/U_imagenes.h"
#include "comun/ui/U_listaIds.h"
#include "comun/ui/U_pantallaLista.h"
#include "comun/ui/U_reportes.h"
#include "comun/ui/UdialogoModal.h"
#include "comun/ui/UgridControl.h"
#include "salidas/UFRM_salidasDetalle.h"
#include "salidas/UNEG_salidasConsulta.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <utility>

namespace {
const QString kTitulo = QStringLiteral("Salidas");
const QString kTituloExcel = QStringLiteral("Salida de Producto del Almacén");
const QString kSinProducto = QStringLiteral("Seleccionar... ");
const QString kSinCaptura = QStringLiteral("La captura de salidas no está disponible en esta versión.");

TcapturaSalida &capturaInstalada() {
    static TcapturaSalida captura;
    return captura;
}

struct TcolumnaLista {
    const char *alias;
    const char *cabecera;
    int ancho; // 0: hidden, carries an id
    TtipoColumnaGrid tipo;
};

const TcolumnaLista kColumnasSalidas[] = {
    {"inventarioSalida_id", "_id", 0, kColTexto},
    {"inventarioSalida_documento", "No", 40, kColTexto},
    {"inventarioSalida_fechaHora", "Fecha\\Hora", 150, kColFecha},
    {"inventarioAlmacen_id", "almacen_id", 0, kColTexto},
    {"inventarioAlmacen_nombre", "Almacén", 100, kColTexto},
    {"inventarioProducto_id", "producto_id", 0, kColTexto},
    {"inventarioProducto_nombre", "Producto", 200, kColTexto},
    {"inventarioSalida_cantidad", "Cantidad", 60, kColNumero},
    {"inventarioEntrada_salidaCostoUnitario", "Costo Unitario", 100, kColMoneda},
    {"inventarioSalida_idComprobante", "comprobante_id", 0, kColTexto},
    {"comprobante_uuid", "Comprobante", 250, kColTexto},
    {"inventarioMovimientoConcepto_etiqueta", "Concepto", 150, kColTexto},
    {"receptor_nombre", "Cliente", 150, kColTexto},
    {"inventarioLote_numero", "Lote", 150, kColTexto},
    {"inventarioLote_fechaProduccion", "Producción", 150, kColFecha},
    {"inventarioLote_fechaCaducidad", "Caducidad", 150, kColFecha},
};

const TcolumnaLista kColumnasDesglose[] = {
    {"productoID", "productoID", 0, kColTexto},
    {"kitID", "kitID", 0, kColTexto},
    {"claveSAT", "Clave SAT", 90, kColTexto},
    {"nombre", "Nombre", 250, kColTexto},
    {"unidades", "Cantidad", 80, kColNumero},
    {"precioLista", "Precio Lista", 100, kColMoneda},
    {"descuento", "Descuento", 100, kColMoneda},
    {"importe", "Importe", 100, kColMoneda},
    {"totalTrasladados", "Impuestos T", 100, kColMoneda},
    {"totalRetenidos", "Impuestos R", 100, kColMoneda},
    {"total", "Total", 100, kColMoneda},
};

const TcolumnaReporte kReporteSalidas[] = {
    {"Doc.", kContenidoTexto, 25, kAlineaCentro, "inventarioSalida_documento"},
    {"Fecha/Hora", kContenidoTexto, 90, kAlineaCentro, "inventarioSalida_fechaHora"},
    {"Almacén", kContenidoTexto, 70, kAlineaCentro, "inventarioAlmacen_nombre"},
    {"Producto", kContenidoTexto, 150, kAlineaIzquierda, "inventarioProducto_nombre"},
    {"Cant.", kContenidoTexto, 30, kAlineaDerecha, "inventarioSalida_cantidad"},
    {"C.Unitario", kContenidoMoneda, 60, kAlineaDerecha, "inventarioEntrada_salidaCostoUnitario"},
    {"Comprobante", kContenidoTexto, 160, kAlineaCentro, "comprobante_uuid"},
    {"Concepto", kContenidoTexto, 100, kAlineaCentro, "inventarioMovimientoConcepto_etiqueta"},
    {"Cliente", kContenidoTexto, 90, kAlineaCentro, "receptor_nombre"},
};

const TcolumnaReporte kReporteDesglose[] = {
    {"Clave SAT", kContenidoTexto, 70, kAlineaCentro, "claveSAT"},
    {"Nombre", kContenidoTexto, 200, kAlineaCentro, "nombre"},
    {"Cantidad", kContenidoTexto, 70, kAlineaDerecha, "unidades"},
    {"Precio Lista", kContenidoMoneda, 70, kAlineaDerecha, "precioLista"},
    {"Descuento", kContenidoMoneda, 70, kAlineaDerecha, "descuento"},
    {"Importe", kContenidoMoneda, 70, kAlineaDerecha, "importe"},
    {"Impuestos T", kContenidoMoneda, 70, kAlineaDerecha, "totalTrasladados"},
    {"Impuestos R", kContenidoMoneda, 70, kAlineaDerecha, "totalRetenidos"},
    {"Total", kContenidoMoneda, 70, kAlineaDerecha, "total"},
};

const TcolumnaReporte kReporteLotes[] = {
    {"Doc.", kContenidoTexto, 30, kAlineaCentro, "inventarioSalida_documento"},
    {"Fecha\\Hora", kContenidoTexto, 80, kAlineaCentro, "inventarioSalida_fechaHora"},
    {"Almacén", kContenidoTexto, 90, kAlineaCentro, "inventarioAlmacen_nombre"},
    {"Producto", kContenidoTexto, 160, kAlineaIzquierda, "inventarioProducto_nombre"},
    {"Cantidad", kContenidoTexto, 40, kAlineaDerecha, "inventarioSalida_cantidad"},
    {"Costo Unitario", kContenidoMoneda, 60, kAlineaDerecha, "inventarioEntrada_salidaCostoUnitario"},
    {"Lote", kContenidoTexto, 80, kAlineaCentro, "inventarioLote_numero"},
    {"Producción", kContenidoTexto, 80, kAlineaCentro, "inventarioLote_fechaProduccion"},
    {"Caducidad", kContenidoTexto, 80, kAlineaCentro, "inventarioLote_fechaCaducidad"},
};

template <size_t N> void agregaColumnas(TGridControl *grid, const TcolumnaLista (&columnas)[N]) {
    for (const TcolumnaLista &c : columnas)
        grid->agregaColumna(QString::fromLatin1(c.alias), QString::fromUtf8(c.cabecera), c.ancho, c.ancho > 0,
                            c.tipo);
}

QDate ayer() {
    return QDate::currentDate().addDays(-1);
}
QDate haceUnMes() {
    return QDate::currentDate().addMonths(-1);
}
QDate hoy() {
    return QDate::currentDate();
}

} // namespace

TcapturaSalida setCapturaSalida(TcapturaSalida captura) {
    return std::exchange(capturaInstalada(), std::move(captura));
}

TFRM_salidas::TFRM_salidas(QWidget *padre) : QWidget(padre) {
    FormCreate();
}

void TFRM_salidas::FormCreate() {
    setObjectName(QStringLiteral("FRM_salidas"));
    setWindowTitle(kTitulo);
    GRD_main = new QTableView(this);
    GRD_main->setObjectName(QStringLiteral("GRD_main"));
    uGRD_salidasControl = new TGridControl(GRD_main);
    uAviso = new TavisoListaVacia(GRD_main);

    auto *raiz = new QVBoxLayout(this);
    raiz->addWidget(u_creaTitulo(kTitulo, this));
    raiz->addWidget(creaCriterios());
    raiz->addLayout(creaAcciones());
    raiz->addWidget(GRD_main, 1);
    columnasSalidas();
    conecta();
}

QWidget *TFRM_salidas::creaCriterios() {
    auto *criterios = new QGroupBox(QStringLiteral("Criterios de Búsqueda"), this);
    criterios->setObjectName(QStringLiteral("contenedor_busqueda"));
    DTP_fechaInicial = u_fecha(criterios, QStringLiteral("DTP_fechaInicial"), ayer());
    DTP_fechaFinal = u_fecha(criterios, QStringLiteral("DTP_fechaFinal"), hoy());
    CMB_almacen = new QComboBox(criterios);
    CMB_almacen->setObjectName(QStringLiteral("CMB_almacen"));
    CMB_almacen->setPlaceholderText(QStringLiteral("Todos"));
    CMB_almacen->setMinimumWidth(160);
    auto *marco = new QFrame(criterios);
    marco->setFrameShape(QFrame::StyledPanel);
    marco->setMinimumWidth(240);
    contenedor_producto = marco;
    contenedor_producto->setObjectName(QStringLiteral("contenedor_producto"));
    contenedor_producto->setCursor(Qt::PointingHandCursor);
    contenedor_producto->installEventFilter(this);
    LBL_producto = u_creaEtiqueta(QStringLiteral("LBL_producto"), kSinProducto, contenedor_producto);
    auto *capaProducto = new QHBoxLayout(contenedor_producto);
    capaProducto->setContentsMargins(6, 2, 6, 2);
    capaProducto->addWidget(LBL_producto);
    TXT_documento = u_campo(criterios, QStringLiteral("TXT_documento"), 12);
    u_soloNumeros(TXT_documento);

    const auto etiqueta = [criterios](const char *nombre, const char *texto) {
        return u_creaEtiqueta(QString::fromLatin1(nombre), QString::fromUtf8(texto), criterios);
    };
    auto *capa = new QGridLayout(criterios);
    capa->addWidget(etiqueta("LBL_fechaInicial", "Fecha Inicial"), 0, 0);
    capa->addWidget(etiqueta("LBL_fechaFinal", "Fecha Final"), 0, 2);
    capa->addWidget(etiqueta("LBL_almacen", "Almacen"), 0, 4);
    capa->addWidget(etiqueta("LBL_productoTitulo", "Producto"), 0, 6);
    capa->addWidget(etiqueta("LBL_documento", "Documento"), 0, 8);
    capa->addWidget(DTP_fechaInicial, 1, 0);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarDTPfechaInicial"), criterios), 1, 1);
    capa->addWidget(DTP_fechaFinal, 1, 2);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarDTPfechaFinal"), criterios), 1, 3);
    capa->addWidget(CMB_almacen, 1, 4);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarCMBalmacen"), criterios), 1, 5);
    capa->addWidget(contenedor_producto, 1, 6);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarTXTproducto"), criterios), 1, 7);
    capa->addWidget(TXT_documento, 1, 8);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarTXTdocumento"), criterios), 1, 9);
    capa->addWidget(u_creaBoton(QStringLiteral("BTN_buscar"), QStringLiteral("Buscar"), criterios), 1, 10);
    capa->addWidget(u_creaBoton(QStringLiteral("BTN_desglose"), QStringLiteral("Desglose"), criterios), 1,
                    11);
    capa->addWidget(u_creaBoton(QStringLiteral("BTN_masFiltros"), QStringLiteral("Más Filtros"), criterios),
                    1, 12);
    capa->addWidget(creaMasFiltros(), 2, 0, 1, 14);
    capa->setColumnStretch(13, 1);
    return criterios;
}

QWidget *TFRM_salidas::creaMasFiltros() {
    contenedor_masFiltros = new QWidget(this);
    contenedor_masFiltros->setObjectName(QStringLiteral("contenedor_masFiltros"));
    uMasFiltros = new TdespliegueFiltros(contenedor_masFiltros, 0);
    QWidget *p = contenedor_masFiltros;
    TXT_lote = u_campo(p, QStringLiteral("TXT_lote"), 50);
    CHK_produccion = new QCheckBox(QStringLiteral("Producción"), p);
    CHK_produccion->setObjectName(QStringLiteral("CHK_produccion"));
    DTP_produccionInicial = u_fecha(p, QStringLiteral("DTP_produccionInicial"), haceUnMes());
    DTP_produccionFinal = u_fecha(p, QStringLiteral("DTP_produccionFinal"), hoy());
    CHK_caducidad = new QCheckBox(QStringLiteral("Caducidad"), p);
    CHK_caducidad->setObjectName(QStringLiteral("CHK_caducidad"));
    DTP_caducidadInicial = u_fecha(p, QStringLiteral("DTP_caducidadInicial"), haceUnMes());
    DTP_caducidadFinal = u_fecha(p, QStringLiteral("DTP_caducidadFinal"), hoy());
    TXT_clienteNombre = u_campo(p, QStringLiteral("TXT_clienteNombre"), 250);
    EdStock = u_campo(p, QStringLiteral("EdStock"), 12);
    u_soloNumeros(EdStock);

    const auto etiqueta = [p](const char *nombre, const char *texto) {
        return u_creaEtiqueta(QString::fromLatin1(nombre), QString::fromUtf8(texto), p);
    };
    auto *capa = new QGridLayout(p);
    capa->setContentsMargins(0, 6, 0, 0);
    capa->addWidget(etiqueta("LBL_lote", "Lote"), 0, 0);
    capa->addWidget(TXT_lote, 1, 0);
    // Each range: its box, then "Inicial" and "Final" with their reset buttons.
    const auto rango = [&](int columna, QCheckBox *casilla, QDateEdit *inicial, QDateEdit *final_,
                           const QString &nombre) {
        capa->addWidget(casilla, 0, columna, 1, 6);
        capa->addWidget(u_creaEtiqueta(QStringLiteral("LBL_") + nombre + QStringLiteral("Inicial"),
                                       QStringLiteral("Inicial"), p),
                        1, columna);
        capa->addWidget(inicial, 1, columna + 1);
        capa->addWidget(
            u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarDTP") + nombre + QStringLiteral("Inicial"), p), 1,
            columna + 2);
        capa->addWidget(u_creaEtiqueta(QStringLiteral("LBL_") + nombre + QStringLiteral("Final"),
                                       QStringLiteral("Final"), p),
                        1, columna + 3);
        capa->addWidget(final_, 1, columna + 4);
        capa->addWidget(
            u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarDTP") + nombre + QStringLiteral("Final"), p), 1,
            columna + 5);
    };
    rango(1, CHK_produccion, DTP_produccionInicial, DTP_produccionFinal, QStringLiteral("produccion"));
    rango(7, CHK_caducidad, DTP_caducidadInicial, DTP_caducidadFinal, QStringLiteral("caducidad"));
    capa->addWidget(etiqueta("LBL_clienteNombre", "Cliente"), 0, 13);
    capa->addWidget(TXT_clienteNombre, 1, 13);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("Button1"), p), 1, 14);
    capa->addWidget(etiqueta("LBL_stock", "Stock mínimo"), 0, 15);
    capa->addWidget(EdStock, 1, 15);
    capa->addWidget(u_creaBotonLimpiar(QStringLiteral("BTN_Stock"), p), 1, 16);
    capa->setColumnStretch(13, 1);
    return p;
}

QLayout *TFRM_salidas::creaAcciones() {
    BTN_salida = u_creaBoton(QStringLiteral("BTN_salida"), QStringLiteral("Nueva Salida"), this);
    TbotonesExportar exportar;
    QHBoxLayout *acciones = u_filaAcciones(this, {BTN_salida}, exportar);
    BTN_exportarExcel = exportar.excel;
    BTN_exportarPDF = exportar.pdf;
    BTN_exportarPDFlote = exportar.pdfLote;
    return acciones;
}

void TFRM_salidas::conecta() {
    const auto boton = [this](const char *nombre) {
        return findChild<QPushButton *>(QString::fromLatin1(nombre));
    };
    // A date reset puts its field back to the value the screen opens with.
    const auto reinicio = [&](const char *nombre, QDateEdit *fecha, QDate (*valor)(), bool busca) {
        connect(boton(nombre), &QPushButton::clicked, this, [this, fecha, valor, busca] {
            fecha->setDate(valor());
            if (busca)
                buscar();
        });
    };
    reinicio("BTN_reiniciarDTPfechaInicial", DTP_fechaInicial, &ayer, false);
    reinicio("BTN_reiniciarDTPfechaFinal", DTP_fechaFinal, &hoy, false);
    reinicio("BTN_reiniciarDTPproduccionInicial", DTP_produccionInicial, &haceUnMes, true);
    reinicio("BTN_reiniciarDTPproduccionFinal", DTP_produccionFinal, &hoy, true);
    reinicio("BTN_reiniciarDTPcaducidadInicial", DTP_caducidadInicial, &haceUnMes, true);
    reinicio("BTN_reiniciarDTPcaducidadFinal", DTP_caducidadFinal, &hoy, true);
    connect(boton("BTN_buscar"), &QPushButton::clicked, this, &TFRM_salidas::buscar);
    connect(boton("BTN_desglose"), &QPushButton::clicked, this, &TFRM_salidas::desglose);
    connect(boton("BTN_masFiltros"), &QPushButton::clicked, this, &TFRM_salidas::BTN_masFiltrosClick);
    connect(boton("BTN_reiniciarCMBalmacen"), &QPushButton::clicked, this, [this] {
        CMB_almacen->setCurrentIndex(-1);
        repiteBusqueda();
    });
    connect(CMB_almacen, &QComboBox::currentIndexChanged, this, &TFRM_salidas::repiteBusqueda);
    connect(boton("BTN_reiniciarTXTproducto"), &QPushButton::clicked, this,
            [this] { setProducto(TproductoSeleccionadoDescripcion()); });
    connect(boton("BTN_reiniciarTXTdocumento"), &QPushButton::clicked, this, [this] {
        TXT_documento->clear();
        TXT_documento->setFocus();
    });
    for (QLineEdit *campo : {TXT_documento, TXT_lote, TXT_clienteNombre})
        connect(campo, &QLineEdit::returnPressed, this, &TFRM_salidas::buscar);
    connect(boton("Button1"), &QPushButton::clicked, this, [this] {
        TXT_clienteNombre->clear();
        buscar();
    });
    connect(boton("BTN_Stock"), &QPushButton::clicked, this, [this] { EdStock->clear(); });
    // A range's dates and resets work only while its box is ticked.
    const auto enlazaRango = [&](QCheckBox *casilla, const QString &nombre) {
        QList<QWidget *> controles;
        for (const char *parte :
             {"DTP_%1Inicial", "DTP_%1Final", "BTN_reiniciarDTP%1Inicial", "BTN_reiniciarDTP%1Final"})
            controles.append(findChild<QWidget *>(QString::fromLatin1(parte).arg(nombre)));
        for (QWidget *w : controles)
            w->setEnabled(false);
        connect(casilla, &QCheckBox::toggled, this, [controles](bool marcado) {
            for (QWidget *w : controles)
                w->setEnabled(marcado);
        });
    };
    enlazaRango(CHK_produccion, QStringLiteral("produccion"));
    enlazaRango(CHK_caducidad, QStringLiteral("caducidad"));
    connect(BTN_salida, &QPushButton::clicked, this, &TFRM_salidas::BTN_salidaClick);
    connect(BTN_exportarExcel, &QPushButton::clicked, this, [this] {
        if (u_hayElementos(*uGRD_salidasControl))
            exportarGridExcelUNI(*uGRD_salidasControl, kTituloExcel, uSistema);
    });
    connect(BTN_exportarPDF, &QPushButton::clicked, this, &TFRM_salidas::BTN_exportarPDFClick);
    connect(BTN_exportarPDFlote, &QPushButton::clicked, this, &TFRM_salidas::BTN_exportarPDFloteClick);
    connect(uGRD_salidasControl, &TGridControl::celdaClic, this,
            [this](int fila, int columna, const QString &) {
                if (columna == 0 && !uDesglose)
                    abreDetalle(fila);
            });
}

bool TFRM_salidas::eventFilter(QObject *objeto, QEvent *evento) {
    if (objeto == contenedor_producto && evento->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(evento)->button() == Qt::LeftButton)
        eligeProducto();
    return QWidget::eventFilter(objeto, evento);
}

void TFRM_salidas::initPermisos() {
    const bool permitido = !uSistema.esRestringido();
    BTN_exportarExcel->setEnabled(permitido);
    BTN_exportarPDF->setEnabled(permitido);
    BTN_exportarPDFlote->setEnabled(permitido && !uDesglose);
    BTN_salida->setEnabled(permitido);
}

bool TFRM_salidas::init() {
    uSistema = localSYS;
    initPermisos();
    cargaAlmacenes();
    if (!uBusquedaInicial) {
        uBusquedaInicial = true;
        buscar();
    }
    return true;
}

void TFRM_salidas::cargaAlmacenes() {
    // Reloading keeps the warehouse chosen while it still exists, without searching again.
    u_llenaAlmacenes(CMB_almacen, uValueMember_CMB_almacen, uSistema);
}

QVariant TFRM_salidas::almacenElegido() const {
    return u_idElegido(CMB_almacen, uValueMember_CMB_almacen);
}

void TFRM_salidas::columnasSalidas() {
    uGRD_salidasControl->quitaColumnas();
    uGRD_salidasControl->agregaColumnaIcono(QStringLiteral("edita"), mini_cargaImage(QStringLiteral("Edita")),
                                            40);
    agregaColumnas(uGRD_salidasControl, kColumnasSalidas);
    uGRD_salidasControl->setColumnaEstirada(QStringLiteral("inventarioProducto_nombre"));
}

void TFRM_salidas::columnasDesglose() {
    uGRD_salidasControl->quitaColumnas();
    agregaColumnas(uGRD_salidasControl, kColumnasDesglose);
    uGRD_salidasControl->setColumnaEstirada(QStringLiteral("nombre"));
}

TfiltroSalidas TFRM_salidas::filtro() const {
    TfiltroSalidas f;
    f.fechaInicial = DTP_fechaInicial->date();
    f.fechaFinal = DTP_fechaFinal->date();
    f.almacenID = almacenElegido().toInt();
    if (uProductoSeleccionado.seleccionado)
        f.productoNombre = uProductoSeleccionado.nombre;
    f.documento = TXT_documento->text();
    f.loteNumero = TXT_lote->text();
    f.clienteNombre = TXT_clienteNombre->text();
    f.existencia = EdStock->text();
    f.produccion = CHK_produccion->isChecked();
    f.produccionInicial = DTP_produccionInicial->date();
    f.produccionFinal = DTP_produccionFinal->date();
    f.caducidad = CHK_caducidad->isChecked();
    f.caducidadInicial = DTP_caducidadInicial->date();
    f.caducidadFinal = DTP_caducidadFinal->date();
    f.negocioID = uSistema.getNegocio().getIdNegocio();
    return f;
}

void TFRM_salidas::buscar() {
    uDesglose = false;
    initPermisos();
    columnasSalidas();
    TsalidasConsulta datos(uSistema.getConexion());
    muestraResultado(uGRD_salidasControl->carga(datos.selectSalidasTodo(filtro())));
}

void TFRM_salidas::desglose() {
    uDesglose = true;
    initPermisos();
    columnasDesglose();
    const QVariant producto =
        uProductoSeleccionado.seleccionado ? QVariant(uProductoSeleccionado.productoId) : QVariant();
    TsalidasConsulta datos(uSistema.getConexion());
    muestraResultado(uGRD_salidasControl->carga(
        datos.selectDesgloceEntreFechas(DTP_fechaInicial->date(), DTP_fechaFinal->date(), producto,
                                        almacenElegido(), QVariant(), uSistema.getNegocio().getIdNegocio())));
}

void TFRM_salidas::repiteBusqueda() {
    if (uDesglose)
        desglose();
    else
        buscar();
}

void TFRM_salidas::muestraResultado(bool exito) {
    // A failed statement leaves the grid rebuilt and empty, without a message of its own.
    uAviso->muestra(exito && uGRD_salidasControl->filas() == 0);
}

void TFRM_salidas::BTN_masFiltrosClick() {
    uAviso->oculta();
    uMasFiltros->alterna();
}

void TFRM_salidas::setProducto(const TproductoSeleccionadoDescripcion &producto) {
    uProductoSeleccionado = producto.seleccionado ? producto : TproductoSeleccionadoDescripcion();
    LBL_producto->setText(uProductoSeleccionado.seleccionado ? uProductoSeleccionado.nombre : kSinProducto);
    repiteBusqueda();
}

void TFRM_salidas::eligeProducto() {
    TproductoSeleccionadoDescripcion producto = uProductoSeleccionado;
    TFRM_seleccionarProducto selector(uSistema, this);
    selector.init(producto, uSistema);
    if (producto.seleccionado)
        setProducto(producto);
}

void TFRM_salidas::BTN_salidaClick() {
    if (u_abreCaptura(capturaInstalada(), this, kSinCaptura))
        buscar();
}

void TFRM_salidas::abreDetalle(int fila) {
    const int id = int(uGRD_salidasControl->getCeldaAsInt(fila, QStringLiteral("inventarioSalida_id")));
    TFRM_salidasDetalle detalle(uSistema, this);
    detalle.init(id);
    // An invoice linked there shows in the list.
    repiteBusqueda();
}

void TFRM_salidas::BTN_exportarPDFClick() {
    if (!u_hayElementos(*uGRD_salidasControl))
        return;
    const TopcionesPDF opciones = u_opcionesRangoPDF(DTP_fechaInicial, DTP_fechaFinal);
    if (uDesglose)
        u_exportaPDF(QStringLiteral("Salidas (Desglose)"),
                     u_tablaReporte(kReporteDesglose, *uGRD_salidasControl), uSistema, opciones);
    else
        u_exportaPDF(kTitulo, u_tablaReporte(kReporteSalidas, *uGRD_salidasControl), uSistema, opciones);
}

void TFRM_salidas::BTN_exportarPDFloteClick() {
    if (uDesglose || !u_hayElementos(*uGRD_salidasControl))
        return;
    u_exportaPDF(QStringLiteral("Salidas (Lote)"), u_tablaReporte(kReporteLotes, *uGRD_salidasControl),
                 uSistema, u_opcionesRangoPDF(DTP_fechaInicial, DTP_fechaFinal, 50.0));
}

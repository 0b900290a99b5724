#include "entradas/UFRM_entradasDetalle.h"

#include "comun/UMOD_capturaCatalogos.h"
#include "comun/UNEG_numerosSerie.h"
#include "comun/U_exportarExcel.h"
#include "comun/U_mensajes.h"
#include "comun/ui/UFRM_seleccionarComprobante.h"
#include "comun/ui/UFRM_seleccionarProveedor.h"
#include "comun/ui/UFRM_selectorBase.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/U_imagenes.h"
#include "comun/ui/U_reportes.h"
#include "comun/ui/UgridControl.h"

#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QStringList kValores = {QStringLiteral("LBL_entradaNo"),
                              QStringLiteral("LBL_fechaHora"),
                              QStringLiteral("LBL_almacen"),
                              QStringLiteral("LBL_categoria"),
                              QStringLiteral("LBL_producto"),
                              QStringLiteral("LBL_precioUnitario"),
                              QStringLiteral("LBL_cantidad"),
                              QStringLiteral("LBL_existencia"),
                              QStringLiteral("LBL_uuid"),
                              QStringLiteral("LBL_serieFolio"),
                              QStringLiteral("LBL_ordenCompra"),
                              QStringLiteral("LBL_unidadCompra"),
                              QStringLiteral("LBL_factorConversion"),
                              QStringLiteral("LBL_unidadAlmacenamiento"),
                              QStringLiteral("LBL_proveedor")};
const QStringList kCaptionsValores = {QStringLiteral("Entrada No."),
                                      QStringLiteral("Fecha/Hora"),
                                      QStringLiteral("Almacén"),
                                      QStringLiteral("Categoría"),
                                      QStringLiteral("Producto"),
                                      QStringLiteral("Precio Unitario"),
                                      QStringLiteral("Cantidad"),
                                      QStringLiteral("Existencia"),
                                      QStringLiteral("UUID Comprobante"),
                                      QStringLiteral("Serie - Folio"),
                                      QStringLiteral("Orden de Compra"),
                                      QStringLiteral("Unidad de Compra"),
                                      QStringLiteral("Factor de Conversión"),
                                      QStringLiteral("Unidad de Almacenamiento"),
                                      QStringLiteral("Proveedor")};
const QStringList kPedimento = {QStringLiteral("LBL_pedimentoFecha"), QStringLiteral("LBL_pedimentoNumero"),
                                QStringLiteral("LBL_pedimentoAduana"), QStringLiteral("LBL_pedimentoPais")};
const QStringList kCaptionsPedimento = {QStringLiteral("Fecha Expedición"),
                                        QStringLiteral("Número Pedimento"), QStringLiteral("Aduana"),
                                        QStringLiteral("País de Orígen")};
const QStringList kLote = {QStringLiteral("LBL_loteNumero"), QStringLiteral("LBL_loteProduccion"),
                           QStringLiteral("LBL_loteCaducidad")};
const QStringList kCaptionsLote = {QStringLiteral("No. Lote"), QStringLiteral("Fecha de Producción"),
                                   QStringLiteral("Fecha de Caducidad")};
const QString kPrefijoCampo = QStringLiteral("control");
const QString kPrefijoEtiqueta = QStringLiteral("aLBL_");
} // namespace

TFRM_entradasDetalle::TFRM_entradasDetalle(const TsistemaDatos &sistema, QWidget *padre)
    : TdialogoModal(QStringLiteral("Detalle Entrada"), padre), uSistema(sistema) {
    FormCreate();
}

void TFRM_entradasDetalle::FormCreate() {
    setObjectName(QStringLiteral("FRM_entradasDetalle"));
    auto *raiz = new QVBoxLayout(this);
    raiz->addWidget(u_creaTitulo(QStringLiteral("Detalle Entrada"), this));
    raiz->addWidget(creaPares(kValores, kCaptionsValores, 3));
    BTN_comprobante = u_boton(this, QStringLiteral("BTN_comprobante"), QStringLiteral("Buscar"));
    BTN_proveedor = u_boton(this, QStringLiteral("BTN_proveedor"), QStringLiteral("Buscar"));
    auto *vinculos = new QHBoxLayout;
    vinculos->addWidget(
        u_etiqueta(this, QStringLiteral("LBL_comprobanteTitulo"), QStringLiteral("Comprobante:")));
    vinculos->addWidget(BTN_comprobante);
    vinculos->addSpacing(16);
    vinculos->addWidget(
        u_etiqueta(this, QStringLiteral("LBL_proveedorTitulo"), QStringLiteral("Proveedor:")));
    vinculos->addWidget(BTN_proveedor);
    vinculos->addStretch();
    raiz->addLayout(vinculos);

    PGC_detalle = new QTabWidget(this);
    PGC_detalle->setObjectName(QStringLiteral("PGC_detalle"));
    PGC_detalle->addTab(creaPares(kPedimento, kCaptionsPedimento, 1), QStringLiteral("Pedimento"));
    PGC_detalle->addTab(creaPares(kLote, kCaptionsLote, 1), QStringLiteral("Lote"));
    PGC_detalle->addTab(creaPestanaNoSerie(), QStringLiteral("No. Serie"));
    PGC_detalle->addTab(creaPestanaPropiedades(), QStringLiteral("Propiedades Adicionales"));
    raiz->addWidget(PGC_detalle, 1);

    BTN_exportarExcel = u_boton(this, QStringLiteral("BTN_exportarExcel"), QStringLiteral("Excel"));
    BTN_exportarPDF = u_boton(this, QStringLiteral("BTN_exportarPDF"), QStringLiteral("PDF"));
    QPushButton *cerrar = u_boton(this, QStringLiteral("BTN_cerrar"), QStringLiteral("Cerrar"));
    auto *pie = new QHBoxLayout;
    pie->addWidget(BTN_exportarExcel);
    pie->addWidget(BTN_exportarPDF);
    pie->addStretch();
    pie->addWidget(cerrar);
    raiz->addLayout(pie);

    connect(BTN_comprobante, &QPushButton::clicked, this, &TFRM_entradasDetalle::BTN_comprobanteClick);
    connect(BTN_proveedor, &QPushButton::clicked, this, &TFRM_entradasDetalle::BTN_proveedorClick);
    connect(BTN_exportarExcel, &QPushButton::clicked, this, &TFRM_entradasDetalle::exportaExcel);
    connect(BTN_exportarPDF, &QPushButton::clicked, this, &TFRM_entradasDetalle::exportaPDF);
    connect(cerrar, &QPushButton::clicked, this, &TFRM_entradasDetalle::reject);
    u_aplicaEstiloDialogo(this);
    resize(860, 640);
}

QWidget *TFRM_entradasDetalle::creaPares(const QStringList &nombres, const QStringList &captions,
                                         int columnas) {
    auto *panel = new QWidget(this);
    auto *g = new QGridLayout(panel);
    const int filas = int((nombres.size() + columnas - 1) / columnas);
    for (int i = 0; i < nombres.size(); ++i) {
        const int fila = i % filas;
        const int col = (i / filas) * 2;
        QLabel *caption = u_etiqueta(panel, nombres[i] + QStringLiteral("Titulo"), captions[i]);
        caption->setStyleSheet(QStringLiteral("font-weight: 600;"));
        QLabel *valor = u_etiqueta(panel, nombres[i]);
        valor->setTextInteractionFlags(Qt::TextSelectableByMouse);
        g->addWidget(caption, fila, col);
        g->addWidget(valor, fila, col + 1);
    }
    for (int c = 0; c < columnas; ++c)
        g->setColumnStretch(c * 2 + 1, 1);
    g->setRowStretch(filas, 1);
    return panel;
}

QWidget *TFRM_entradasDetalle::creaPestanaNoSerie() {
    auto *panel = new QWidget(this);
    TXT_noSerie = u_campo(panel, QStringLiteral("TXT_noSerie"), noSerie::kLargoMaximo);
    BTN_agregarNoSerie = u_boton(panel, QStringLiteral("BTN_agregarNoSerie"), QStringLiteral("Agregar"));
    BTN_listado = u_boton(panel, QStringLiteral("BTN_listado"), QStringLiteral("Listado"));
    LBL_noSerieTotalPorCapa = u_etiqueta(panel, QStringLiteral("LBL_noSerieTotalPorCapa"));
    auto *captura = new QHBoxLayout;
    captura->addWidget(TXT_noSerie, 1);
    captura->addWidget(BTN_agregarNoSerie);
    captura->addWidget(BTN_listado);
    captura->addWidget(LBL_noSerieTotalPorCapa);

    PNL_listado = new QFrame(panel);
    PNL_listado->setObjectName(QStringLiteral("PNL_listado"));
    MEM_listado = new QPlainTextEdit(PNL_listado);
    MEM_listado->setObjectName(QStringLiteral("MEM_listado"));
    MEM_listado->setPlaceholderText(QStringLiteral("Pegue un número de serie por renglón"));
    QPushButton *insertar =
        u_boton(PNL_listado, QStringLiteral("BTN_insertarListado"), QStringLiteral("Insertar"));
    auto *listado = new QVBoxLayout(PNL_listado);
    listado->setContentsMargins(0, 0, 0, 0);
    listado->addWidget(MEM_listado);
    listado->addWidget(insertar, 0, Qt::AlignRight);
    PNL_listado->hide();

    GRD_noSerie = new QTableView(panel);
    GRD_noSerie->setObjectName(QStringLiteral("GRD_noSerie"));
    uGRD_noSerieControl = new TGridControl(GRD_noSerie);
    uGRD_noSerieControl->agregaColumnaIcono(QStringLiteral("elimina"),
                                            mini_cargaImage(QStringLiteral("Elimina")));
    uGRD_noSerieControl->agregaColumna(QStringLiteral("inventarioNoSerie_id"), QStringLiteral("_id"), 0,
                                       false);
    uGRD_noSerieControl->agregaColumna(QStringLiteral("inventarioNoSerie_numero"),
                                       QStringLiteral("No. Serie"), 250);
    uGRD_noSerieControl->agregaColumna(QStringLiteral("inventarioNoSeriEstado_etiqueta"),
                                       QStringLiteral("Estatus"), 150);
    uGRD_noSerieControl->setColumnaEstirada(QStringLiteral("inventarioNoSerie_numero"));

    auto *columna = new QVBoxLayout(panel);
    columna->addLayout(captura);
    columna->addWidget(PNL_listado);
    columna->addWidget(GRD_noSerie, 1);

    connect(TXT_noSerie, &QLineEdit::returnPressed, this, &TFRM_entradasDetalle::agregarNoSerie);
    connect(BTN_agregarNoSerie, &QPushButton::clicked, this, &TFRM_entradasDetalle::agregarNoSerie);
    connect(BTN_listado, &QPushButton::clicked, this, [this] {
        PNL_listado->setVisible(!PNL_listado->isVisible());
        if (PNL_listado->isVisible())
            MEM_listado->setFocus();
    });
    connect(insertar, &QPushButton::clicked, this, &TFRM_entradasDetalle::insertarListado);
    connect(uGRD_noSerieControl, &TGridControl::celdaClic, this,
            [this](int fila, int columna, const QString &) {
                if (columna == 0)
                    eliminaNoSerie(fila);
            });
    return panel;
}

QWidget *TFRM_entradasDetalle::creaPestanaPropiedades() {
    auto *panel = new QWidget(this);
    auto *desplazable = new QScrollArea(panel);
    desplazable->setWidgetResizable(true);
    desplazable->setFrameShape(QFrame::NoFrame);
    uContenedorPropiedades = new QWidget(desplazable);
    uFormaPropiedades = new QFormLayout(uContenedorPropiedades);
    desplazable->setWidget(uContenedorPropiedades);
    LBL_sinPropiedades =
        u_etiqueta(panel, QStringLiteral("LBL_sinPropiedades"), QStringLiteral("Sin propiedades"));
    BTN_guardarPropiedades =
        u_boton(panel, QStringLiteral("BTN_guardarPropiedades"), QStringLiteral("Guardar"));
    auto *columna = new QVBoxLayout(panel);
    columna->addWidget(LBL_sinPropiedades);
    columna->addWidget(desplazable, 1);
    columna->addWidget(BTN_guardarPropiedades, 0, Qt::AlignRight);
    connect(BTN_guardarPropiedades, &QPushButton::clicked, this, &TFRM_entradasDetalle::guardaPropiedades);
    return panel;
}

bool TFRM_entradasDetalle::init(int idEntrada) {
    if (!prepara(idEntrada))
        return false;
    exec();
    return true;
}

bool TFRM_entradasDetalle::prepara(int idEntrada) {
    uEntradaID = idEntrada;
    PNL_listado->hide();
    PGC_detalle->setCurrentIndex(0);
    if (!cargaTodo()) {
        u_mensaje(noSerie::kEntradaInexistente, kAdvertencia);
        return false;
    }
    return true;
}

void TFRM_entradasDetalle::initPermisos() {
    // A read-only user consults: no export and no change of any kind.
    const bool permitido = !uSistema.esRestringido();
    BTN_exportarExcel->setEnabled(permitido);
    BTN_exportarPDF->setEnabled(permitido);
    BTN_comprobante->setEnabled(permitido);
    BTN_proveedor->setEnabled(permitido && !uDetalle.tieneComprobante());
    BTN_guardarPropiedades->setEnabled(permitido && !uDetalle.propiedades.isEmpty());
    const bool series = permitido && uDetalle.admiteNoSerie();
    TXT_noSerie->setEnabled(series);
    BTN_agregarNoSerie->setEnabled(series);
    BTN_listado->setEnabled(series);
    if (!series)
        PNL_listado->hide();
}

bool TFRM_entradasDetalle::cargaTodo() {
    uDetalle =
        u_cargaDetalleEntrada(uSistema.getConexion(), uEntradaID, uSistema.getNegocio().getIdNegocio());
    if (!uDetalle.existe)
        return false;
    muestraPares(kValores, uDetalle.valores);
    muestraPares(kPedimento, uDetalle.pedimento);
    muestraPares(kLote, uDetalle.lote);
    muestraNoSerie();
    muestraPropiedades();
    initPermisos();
    return true;
}

void TFRM_entradasDetalle::muestraPares(const QStringList &nombres, const TparesDetalle &pares) {
    for (int i = 0; i < nombres.size() && i < pares.size(); ++i)
        if (auto *l = findChild<QLabel *>(nombres[i]))
            l->setText(pares[i].second);
}

void TFRM_entradasDetalle::muestraNoSerie() {
    uGRD_noSerieControl->limpia();
    for (const TnoSerieDetalle &s : std::as_const(uDetalle.series))
        uGRD_noSerieControl->agregaFila({{QStringLiteral("inventarioNoSerie_id"), s.id},
                                         {QStringLiteral("inventarioNoSerie_numero"), s.numero},
                                         {QStringLiteral("inventarioNoSeriEstado_etiqueta"), s.estado}});
    LBL_noSerieTotalPorCapa->setText(QString::number(uDetalle.series.size()) + QLatin1Char('\\') +
                                     QString::number(uDetalle.elementosPorCapa));
}

void TFRM_entradasDetalle::muestraPropiedades() {
    while (uFormaPropiedades->rowCount() > 0)
        uFormaPropiedades->removeRow(0);
    _valores.clear();
    for (const TpropiedadDetalle &p : std::as_const(uDetalle.propiedades)) {
        const QString clave = QString::number(p.id);
        auto *campo = u_campo(uContenedorPropiedades, kPrefijoCampo + clave, limites::kValorPropiedad);
        campo->setText(p.valor);
        uFormaPropiedades->addRow(u_etiqueta(uContenedorPropiedades, kPrefijoEtiqueta + clave, p.nombre),
                                  campo);
        _valores.insert(campo->objectName(), p.id);
    }
    LBL_sinPropiedades->setVisible(uDetalle.propiedades.isEmpty());
}

void TFRM_entradasDetalle::BTN_proveedorClick() {
    if (uDetalle.tieneComprobante())
        return;
    Rproveedor proveedor;
    TFRM_seleccionarProveedor selector(uSistema, this);
    selector.init(proveedor);
    if (!proveedor.aceptado || proveedor.id < 1)
        return;
    if (!u_cambiaProveedorEntrada(uSistema.getConexion(), uDetalle, proveedor.id,
                                  uSistema.getNegocio().getIdNegocio()))
        u_mensaje(QStringLiteral("No se pudo cambiar el proveedor de la entrada."), kError);
    cargaTodo();
}

void TFRM_entradasDetalle::BTN_comprobanteClick() {
    if (uDetalle.idRelacionProveedor > 0 && !u_confirmaAceptarCancelar(detalleEntrada::kConfirmaComprobante))
        return;
    TFRM_seleccionarComprobante selector(this);
    const UREC_comprobante comprobante = selector.initEgresos(fechaHora::aTDateTime(uDetalle.fechaHora));
    if (!comprobante.aceptar || comprobante.id < 1)
        return;
    if (!u_vinculaComprobanteEntrada(uSistema.getConexion(), uDetalle, comprobante.id,
                                     uSistema.getNegocio().getIdNegocio()))
        u_mensaje(QStringLiteral("No se pudo vincular el comprobante a la entrada."), kError);
    cargaTodo();
}

void TFRM_entradasDetalle::agregarNoSerie() {
    if (!uDetalle.admiteNoSerie() || uSistema.esRestringido())
        return;
    if (u_capturaNoSerieEnEntrada(uSistema.getConexion(), uDetalle.id, TXT_noSerie->text(),
                                  uSistema.getNegocio().getIdNegocio()))
        TXT_noSerie->clear();
    cargaTodo();
    if (TXT_noSerie->isEnabled())
        TXT_noSerie->setFocus();
}

void TFRM_entradasDetalle::insertarListado() {
    if (uSistema.esRestringido())
        return;
    if (u_insertaListadoNoSerieEntrada(uSistema.getConexion(), uDetalle, MEM_listado->toPlainText(),
                                       uSistema.getNegocio().getIdNegocio())) {
        MEM_listado->clear();
        PNL_listado->hide();
    }
    cargaTodo();
}

void TFRM_entradasDetalle::eliminaNoSerie(int fila) {
    if (uSistema.esRestringido() || fila < 0 || fila >= uDetalle.series.size())
        return;
    if (u_eliminaNoSerieEntrada(uSistema.getConexion(), uDetalle, uDetalle.series[fila],
                                uSistema.getNegocio().getIdNegocio()))
        cargaTodo();
}

void TFRM_entradasDetalle::guardaPropiedades() {
    if (uSistema.esRestringido())
        return;
    TpropiedadesAdicionales valores;
    for (auto it = _valores.cbegin(); it != _valores.cend(); ++it)
        if (auto *campo = findChild<QLineEdit *>(it.key()))
            valores.insert(u_clavePropiedad(it.value()), campo->text());
    if (u_guardaPropiedadesEntrada(uSistema.getConexion(), uDetalle.id, valores,
                                   uSistema.getNegocio().getIdNegocio()))
        u_mensaje(detalleEntrada::kCompletado, kInformacion);
    else
        u_mensaje(QStringLiteral("No se pudieron guardar las propiedades adicionales."), kError);
    cargaTodo();
}

void TFRM_entradasDetalle::exportaPDF() {
    u_exportaPDF(QStringLiteral("Detalle Entrada"), u_tablaDetalleEntrada(uDetalle), uSistema);
}

void TFRM_entradasDetalle::exportaExcel() {
    exportarFicha(u_fichaDetalleEntrada(uDetalle), uSistema);
}

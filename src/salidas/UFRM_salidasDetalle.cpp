#include "salidas/UFRM_salidasDetalle.h"

#include "comun/U_exportarExcel.h"
#include "comun/U_utilerias.h"
#include "comun/ui/UFRM_seleccionarComprobante.h"
#include "comun/ui/U_reportes.h"
#include "salidas/UNEG_salidasConsulta.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const QString kTituloPDF = QStringLiteral("Detalle Salida");
const QString kTituloArchivo = QStringLiteral("Salida de Producto del Almacén");
} // namespace

TFRM_salidasDetalle::TFRM_salidasDetalle(const TsistemaDatos &sistema, QWidget *padre)
    : TdialogoModal(QStringLiteral("Detalle"), padre), uSistema(sistema) {
    setObjectName(QStringLiteral("FRM_salidasDetalle"));
    auto *raiz = new QVBoxLayout(this);
    auto *pestanas = new QTabWidget(this);
    pestanas->setObjectName(QStringLiteral("PGC_detalle"));
    auto *salida = new QWidget(pestanas);
    salida->setObjectName(QStringLiteral("TAB_salida"));
    pestanas->addTab(salida, QStringLiteral("Salida"));
    raiz->addWidget(pestanas, 1);

    auto *forma = new QFormLayout(salida);
    const auto fila = [&](const char *titulo, const char *nombre) {
        QLabel *valor = u_etiqueta(salida, QString::fromLatin1(nombre));
        valor->setTextInteractionFlags(Qt::TextSelectableByMouse);
        forma->addRow(u_etiqueta(salida, QString::fromLatin1(nombre) + QStringLiteral("Titulo"),
                                 QString::fromUtf8(titulo)),
                      valor);
        return valor;
    };
    LBL_no = fila("Salida No.", "LBL_no");
    LBL_fechaHora = fila("Fecha/Hora", "LBL_fechaHora");
    LBL_almacen = fila("Almacén", "LBL_almacen");
    LBL_categoria = fila("Categoría", "LBL_categoria");
    LBL_producto = fila("Producto", "LBL_producto");
    LBL_precioUnitario = fila("Precio Unitario", "LBL_precioUnitario");
    LBL_cantidad = fila("Cantidad", "LBL_cantidad");
    LBL_unidadMedida = fila("Unidad de Medida", "LBL_unidadMedida");

    auto *comprobante = new QGroupBox(QStringLiteral("Comprobante"), salida);
    comprobante->setObjectName(QStringLiteral("LBL_comprobanteTitulo"));
    auto *capaComprobante = new QFormLayout(comprobante);
    LBL_serieFolio = u_etiqueta(comprobante, QStringLiteral("LBL_serieFolio"));
    LBL_uuid = u_etiqueta(comprobante, QStringLiteral("LBL_uuid"));
    LBL_uuid->setTextInteractionFlags(Qt::TextSelectableByMouse);
    BTN_buscarComprobante =
        u_boton(comprobante, QStringLiteral("BTN_buscarComprobante"), QStringLiteral("Buscar"));
    capaComprobante->addRow(
        u_etiqueta(comprobante, QStringLiteral("LBL_serieFolioTitulo"), QStringLiteral("Serie - Folio")),
        LBL_serieFolio);
    capaComprobante->addRow(u_etiqueta(comprobante, QStringLiteral("LBL_uuidTitulo"), QStringLiteral("UUID")),
                            LBL_uuid);
    auto *filaBuscar = new QHBoxLayout;
    filaBuscar->addWidget(BTN_buscarComprobante);
    filaBuscar->addStretch();
    capaComprobante->addRow(QString(), filaBuscar);
    forma->addRow(comprobante);

    auto *exportar = new QGroupBox(QStringLiteral("Exportar"), this);
    exportar->setObjectName(QStringLiteral("GBX_exportar"));
    auto *capaExportar = new QHBoxLayout(exportar);
    BTN_exportarExcel = u_boton(exportar, QStringLiteral("BTN_exportarExcel"), QStringLiteral("Excel"));
    BTN_exportarPDF = u_boton(exportar, QStringLiteral("BTN_exportarPDF"), QStringLiteral("PDF"));
    capaExportar->addWidget(BTN_exportarExcel);
    capaExportar->addWidget(BTN_exportarPDF);
    capaExportar->addStretch();
    raiz->addWidget(exportar);
    agregaBotones(raiz);
    // Only "Aceptar" closes it (Escape too): nothing here waits for a confirmation.
    BTN_cancelar->hide();
    resize(560, 520);

    connect(BTN_buscarComprobante, &QPushButton::clicked, this,
            &TFRM_salidasDetalle::BTN_buscarComprobanteClick);
    connect(BTN_exportarPDF, &QPushButton::clicked, this, &TFRM_salidasDetalle::BTN_exportarPDFClick);
    connect(BTN_exportarExcel, &QPushButton::clicked, this, &TFRM_salidasDetalle::BTN_exportarExcelClick);
}

void TFRM_salidasDetalle::init(int salidaID) {
    // A row that cannot be read still shows the screen with its captions; nothing else happens.
    prepara(salidaID);
    exec();
}

bool TFRM_salidasDetalle::prepara(int salidaID) {
    uSalidaID = salidaID;
    const bool leido = cargaDetalle();
    initPermisos();
    return leido;
}

void TFRM_salidasDetalle::initPermisos() {
    // Linking an invoice writes, so a read-only user may not do it either; nor may anyone while no
    // row was read, since there is nothing to link it to.
    const bool permitido = !uSistema.esRestringido();
    BTN_exportarExcel->setEnabled(permitido);
    BTN_exportarPDF->setEnabled(permitido);
    BTN_buscarComprobante->setEnabled(permitido && uInventarioSalidaID > 0);
}

bool TFRM_salidasDetalle::cargaDetalle() {
    TsalidasConsulta datos(uSistema.getConexion());
    const CmidTierResponse r = datos.selectSalida(uSalidaID, uSistema.getNegocio().getIdNegocio());
    if (!r.isSuccess() || r.getRowCount() == 0)
        return false;
    const auto celda = [&r](const char *alias) { return r.getCelda(0, QString::fromLatin1(alias)); };
    uInventarioSalidaID = int(r.getCeldaAsInt(0, QStringLiteral("inventarioSalida_id")));
    uInventarioSalidaDocumento = int(r.getCeldaAsInt(0, QStringLiteral("inventarioSalida_documento")));
    uCategoriaIdentidad = celda("inventarioCategoria_identidad");
    uCostoUnitario = r.getCeldaAsFloat(0, QStringLiteral("inventarioSalida_costoUnitario"));
    LBL_no->setText(QString::number(uInventarioSalidaDocumento));
    LBL_fechaHora->setText(r.getCeldaAsDate(0, QStringLiteral("inventarioSalida_fechaHora"))
                               .toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
    LBL_almacen->setText(celda("inventarioAlmacen_nombre"));
    LBL_categoria->setText(celda("inventarioCategoria_etiqueta"));
    LBL_producto->setText(celda("inventarioProducto_nombre"));
    LBL_precioUnitario->setText(u_formatoMoneda(uCostoUnitario));
    LBL_cantidad->setText(FloatToStr(r.getCeldaAsFloat(0, QStringLiteral("inventarioSalida_cantidad"))));
    LBL_serieFolio->setText(celda("comprobantes_serie") + QLatin1Char('-') + celda("comprobantes_folio"));
    LBL_uuid->setText(celda("comprobante_uuid"));
    LBL_unidadMedida->setText(celda("uniadesMedidaCatalogo_descripcion"));
    return true;
}

bool TFRM_salidasDetalle::vinculaComprobante(int comprobanteID) {
    TsalidasConsulta datos(uSistema.getConexion());
    const CmidTierResponse r = datos.updateSalidaComprobanteID(uInventarioSalidaID, comprobanteID,
                                                               uSistema.getNegocio().getIdNegocio());
    return r.isSuccess() && r.getFilasAfectadas() == 1 && cargaDetalle();
}

void TFRM_salidasDetalle::BTN_buscarComprobanteClick() {
    TFRM_seleccionarComprobante selector(this);
    uComprobante = selector.initIngresos(fechaHora::aTDateTime(QDateTime::currentDateTime()));
    if (uComprobante.aceptar)
        vinculaComprobante(uComprobante.id);
}

QVector<TparDetalle> TFRM_salidasDetalle::pares() const {
    return {
        {QStringLiteral("Salida No."), LBL_no->text(), {}},
        {QStringLiteral("Fecha/Hora"), LBL_fechaHora->text(), {}},
        {QStringLiteral("Almacén"), LBL_almacen->text(), {}},
        {QStringLiteral("Categoría"), LBL_categoria->text(), {}},
        {QStringLiteral("Producto"), LBL_producto->text(), {}},
        {QStringLiteral("Precio Unitario"), LBL_precioUnitario->text(), uCostoUnitario},
        {QStringLiteral("Cantidad"), LBL_cantidad->text(), {}},
        {QStringLiteral("Unidad de Medida"), LBL_unidadMedida->text(), {}},
        {QStringLiteral("Comprobante"), LBL_serieFolio->text() + QLatin1Char(' ') + LBL_uuid->text(), {}},
    };
}

QString TFRM_salidasDetalle::nombreArchivo() const {
    const QLocale espanol(QLocale::Spanish, QLocale::Mexico);
    return kTituloArchivo + QStringLiteral(" - ") +
           espanol.toString(QDate::currentDate(), QLocale::LongFormat);
}

void TFRM_salidasDetalle::BTN_exportarPDFClick() {
    cTabla tabla;
    tabla.addCabecera(QString(), kContenidoTexto, 150, kAlineaCentro);
    tabla.addCabecera(QString(), kContenidoTexto, 150, kAlineaCentro);
    TTabla filas;
    for (const TparDetalle &par : pares())
        filas.append({par.etiqueta, par.texto});
    tabla.setFilas(filas);
    TopcionesPDF opciones;
    opciones.nombreArchivo = nombreArchivo();
    u_exportaPDF(kTituloPDF, tabla, uSistema, opciones);
}

void TFRM_salidasDetalle::BTN_exportarExcelClick() {
    exportarHojaXlsx(u_hojaDetalle(kTituloArchivo, pares(), uSistema, QDateTime::currentDateTime()),
                     nombreArchivo());
}

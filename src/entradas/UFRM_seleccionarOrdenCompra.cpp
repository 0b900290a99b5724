#include "entradas/UFRM_seleccionarOrdenCompra.h"

#include "comun/U_utilerias.h"
#include "comun/ui/U_imagenes.h"
#include "datos/UfechaHora.h"
#include "entradas/UNEG_ordenCompra.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QVariant patron(const QLineEdit *campo) {
    return campo->text().isEmpty() ? QVariant() : QVariant(campo->text());
}
} // namespace

TFRM_seleccionarOrdenCompra::TFRM_seleccionarOrdenCompra(const TsistemaDatos &sistema, QWidget *padre)
    : TFRM_selectorBase(QStringLiteral("Órdenes de Compra"), padre), uSistema(sistema) {
    setObjectName(QStringLiteral("FRM_seleccionarOrdenCompra"));
    TXT_buscar->setObjectName(QStringLiteral("TXT_proveedor"));
    TXT_buscar->setPlaceholderText(QStringLiteral("Proveedor"));
    LBL_msg->setObjectName(QStringLiteral("LBL_msgGRDordenCompra"));
    TXT_proveedorRfc = u_campoTexto(this, QStringLiteral("TXT_proveedorRfc"), 13);
    TXT_proveedorRfc->setPlaceholderText(QStringLiteral("RFC"));
    TXT_proveedorRfc->setClearButtonEnabled(true);
    const QDate hoy = QDate::currentDate();
    DTP_inicial = u_fecha(this, QStringLiteral("DTP_inicial"), hoy.addMonths(-1));
    DTP_final = u_fecha(this, QStringLiteral("DTP_final"), hoy.addMonths(1));
    barraFiltros()->addWidget(TXT_proveedorRfc);
    barraFiltros()->addWidget(DTP_inicial);
    barraFiltros()->addWidget(DTP_final);
    QPushButton *buscarB =
        agregaBoton(barraFiltros(), QStringLiteral("BTN_buscar"), QStringLiteral("Buscar"));
    for (QDateEdit *d : {DTP_inicial, DTP_final})
        d->installEventFilter(this);

    // An order's progress: its icon in the grid, and the legend beside the buttons.
    struct Testado {
        int estado;
        const char *imagen;
        const char *nombre;
        const char *leyenda;
    };
    static const Testado kEstados[] = {
        {TordenCompra::kSinCaptura, "sinCambio", "LBL_sinCaptura", "Sin Captura"},
        {TordenCompra::kCapturaParcial, "exclamation", "LBL_capturaParcial", "Captura Parcial"},
        {TordenCompra::kCapturaCompleta, "activo", "LBL_capturaCompleta", "Captura Completa"},
    };
    QHash<QString, QPixmap> iconos;
    auto *leyenda = new QHBoxLayout;
    for (const Testado &e : kEstados) {
        const QPixmap icono = mini_cargaImage(QString::fromLatin1(e.imagen));
        iconos.insert(QString::number(e.estado), icono);
        auto *imagen = new QLabel(this);
        imagen->setPixmap(icono);
        leyenda->addWidget(imagen);
        leyenda->addWidget(u_etiqueta(this, QString::fromLatin1(e.nombre), QString::fromUtf8(e.leyenda)));
        leyenda->addSpacing(12);
    }
    barraAcciones()->insertLayout(0, leyenda);

    TGridControl *g = gridControl();
    g->agregaColumna(QStringLiteral("ordenesCompra_ordenPendiente"), QStringLiteral("estado"), 0, false);
    g->agregaColumnaIconoPorValor(QStringLiteral("ordenesCompra_ordenPendiente"), iconos, 50);
    g->agregaColumna(QStringLiteral("ordenesCompra_numeroOrden"), QStringLiteral("O Compra"), 70);
    g->agregaColumna(QStringLiteral("ordenesCompra_idProveedor"), QStringLiteral("_proveedorID"), 0, false);
    g->agregaColumna(QStringLiteral("ordenesCompra_nombreProveedor"), QStringLiteral("Proveedor"), 300);
    g->agregaColumna(QStringLiteral("ordenesCompra_rfcProveedor"), QStringLiteral("RFC"), 110);
    g->agregaColumna(QStringLiteral("ordenesCompra_fechaPedido"), QStringLiteral("Fecha Pedido"), 100, true,
                     kColDia);
    g->agregaColumna(QStringLiteral("ordenesCompra_fechaEntrega"), QStringLiteral("Fecha Entrega"), 100, true,
                     kColDia);
    g->agregaColumna(QStringLiteral("ordenesCompra_montoIva"), QStringLiteral("IVA"), 90, true, kColMoneda);
    g->agregaColumna(QStringLiteral("ordenesCompra_totalOrden"), QStringLiteral("Total"), 100, true,
                     kColMoneda);
    g->setColumnaEstirada(QStringLiteral("ordenesCompra_nombreProveedor"));

    connect(buscarB, &QPushButton::clicked, this, &TFRM_seleccionarOrdenCompra::buscar);
    connect(TXT_proveedorRfc, &QLineEdit::returnPressed, this, &TFRM_seleccionarOrdenCompra::buscar);
    connect(TXT_proveedorRfc, &QLineEdit::textChanged, this, [this](const QString &texto) {
        if (texto.isEmpty())
            buscar();
    });
    resize(900, 480);
}

bool TFRM_seleccionarOrdenCompra::eventFilter(QObject *objeto, QEvent *evento) {
    if (evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent *>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            buscar();
            return true;
        }
    }
    return TFRM_selectorBase::eventFilter(objeto, evento);
}

void TFRM_seleccionarOrdenCompra::prepara() {
    uResultado = UREC_ordenCompra();
    buscar();
}

UREC_ordenCompra TFRM_seleccionarOrdenCompra::init() {
    prepara();
    if (exec() != QDialog::Accepted)
        uResultado = UREC_ordenCompra();
    return uResultado;
}

bool TFRM_seleccionarOrdenCompra::cargaFilas(const QString &) {
    TordenCompra consulta(uSistema.getConexion());
    return gridControl()->carga(consulta.selectOrdenCompra(
        patron(TXT_buscar), patron(TXT_proveedorRfc), fechaHora::inicioDelDia(DTP_inicial->date()),
        fechaHora::finDelDia(DTP_final->date()), uSistema.getNegocio().getIdNegocio()));
}

bool TFRM_seleccionarOrdenCompra::tomaFila(int fila) {
    const TGridControl *g = gridControl();
    const auto texto = [&](const QString &alias) {
        const int c = g->indiceColumna(alias);
        return c < 0 ? g->getCelda(fila, alias) : g->getTexto(fila, c);
    };
    UREC_ordenCompra r;
    r.aceptar = true;
    r.numeroDeOrden = int(g->getCeldaAsInt(fila, QStringLiteral("ordenesCompra_numeroOrden")));
    r.proveedorID = int(g->getCeldaAsInt(fila, QStringLiteral("ordenesCompra_idProveedor")));
    r.proveedorNombre = texto(QStringLiteral("ordenesCompra_nombreProveedor"));
    r.proveedorRFC = texto(QStringLiteral("ordenesCompra_rfcProveedor"));
    r.fechaPedido = texto(QStringLiteral("ordenesCompra_fechaPedido"));
    r.fechaEntrega = texto(QStringLiteral("ordenesCompra_fechaEntrega"));
    r.iva = texto(QStringLiteral("ordenesCompra_montoIva"));
    r.total = texto(QStringLiteral("ordenesCompra_totalOrden"));
    r.estado = int(g->getCeldaAsInt(fila, QStringLiteral("ordenesCompra_ordenPendiente")));
    uResultado = r;
    return true;
}

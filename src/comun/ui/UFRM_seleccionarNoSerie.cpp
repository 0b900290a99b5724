#include "comun/ui/UFRM_seleccionarNoSerie.h"

#include "comun/U_mensajes.h"
#include "comun/ui/UFRM_captuarNoSerie.h"
#include "comun/ui/U_imagenes.h"
#include "comun/ui/UgridControl.h"
#include "datos/UcodigosInventario.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
constexpr int kModoCapturaEnSalidas = 3;

// The mark column: a box for the numbers in stock, nothing for the issued ones, which cannot be marked.
QString marca(const TfilaNoSerie &f) {
    if (f.estado == kSerieConSalida)
        return {};
    return f.marcado ? QStringLiteral("checked") : QStringLiteral("unchecked");
}
// The icon column: why a number cannot be marked.
QString icono(const TfilaNoSerie &f) {
    return f.estado == kSerieConSalida ? QStringLiteral("blocked") : QString();
}
QHash<QString, QPixmap> imagenes(const QStringList &nombres) {
    QHash<QString, QPixmap> h;
    for (const QString &n : nombres)
        h.insert(n, mini_cargaImage(n));
    return h;
}
} // namespace

TFRM_seleccionarNoSerie::TFRM_seleccionarNoSerie(const TsistemaDatos &sistema, QWidget *padre)
    : TdialogoModal(QStringLiteral("Quiroval"), padre), uSistema(sistema) {
    auto *principal = new QVBoxLayout(this);
    LBL_titulo = u_etiqueta(this, QStringLiteral("LBL_titulo"), QStringLiteral("Seleccionar No. de Serie"));
    LBL_titulo->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 14px;"));
    principal->addWidget(LBL_titulo);
    auto *encabezado = new QGridLayout;
    LBL_articuloNombre = u_etiqueta(this, QStringLiteral("LBL_articuloNombre"));
    LBL_monitor = u_etiqueta(this, QStringLiteral("LBL_monitor"));
    LBL_elementos = u_etiqueta(this, QStringLiteral("LBL_elementos"));
    TXT_numero = u_campo(this, QStringLiteral("TXT_numero"), 50);
    auto *reinicia = u_boton(this, QStringLiteral("BTN_reiniciarCMBalmacen"), QStringLiteral("Limpiar"));
    auto *busca = u_boton(this, QStringLiteral("BTN_buscar"), QStringLiteral("Buscar"));
    BTN_capturarNoSerie = u_boton(this, QStringLiteral("BTN_capturarNoSerie"), QStringLiteral("Nuevo"));
    encabezado->addWidget(LBL_articuloNombre, 0, 0, 1, 3);
    encabezado->addWidget(LBL_monitor, 0, 3);
    encabezado->addWidget(LBL_elementos, 0, 4);
    encabezado->addWidget(u_etiqueta(this, QStringLiteral("LBL_numero"), QStringLiteral("No. Serie")), 1, 0);
    encabezado->addWidget(TXT_numero, 1, 1);
    encabezado->addWidget(reinicia, 1, 2);
    encabezado->addWidget(busca, 1, 3);
    encabezado->addWidget(BTN_capturarNoSerie, 1, 4);
    principal->addLayout(encabezado);
    auto *grupo = new QGroupBox(QStringLiteral("Seleccionar"), this);
    auto *botones = new QHBoxLayout(grupo);
    auto *todos = u_boton(grupo, QStringLiteral("BTN_todos"), QStringLiteral("Todos"));
    auto *ninguno = u_boton(grupo, QStringLiteral("BTN_ninguno"), QStringLiteral("Ninguno"));
    botones->addWidget(todos);
    botones->addWidget(ninguno);
    botones->addStretch();
    principal->addWidget(grupo);
    GRD_noSerie = new QTableView(this);
    GRD_noSerie->setObjectName(QStringLiteral("GRD_noSerie"));
    uGrid = new TGridControl(GRD_noSerie);
    uGrid->agregaColumnaIconoPorValor(QStringLiteral("_seleccionado"),
                                      imagenes({QStringLiteral("checked"), QStringLiteral("unchecked")}), 30);
    uGrid->agregaColumnaIconoPorValor(QStringLiteral("_icono"), imagenes({QStringLiteral("blocked")}), 30);
    uGrid->agregaColumna(QStringLiteral("_id"), QStringLiteral("_id"), 0, false);
    uGrid->agregaColumna(QStringLiteral("inventarioNoSerie_numero"), QStringLiteral("No. Serie"), 200);
    uGrid->agregaColumna(QStringLiteral("_estatusID"), QStringLiteral("_estatusID"), 0, false);
    uGrid->agregaColumna(QStringLiteral("inventarioNoSeriEstado_etiqueta"), QStringLiteral("Estatus"), 120);
    uGrid->setColumnaEstirada(QStringLiteral("inventarioNoSerie_numero"));
    principal->addWidget(GRD_noSerie, 1);
    agregaBotones(principal);
    resize(520, 460);

    connect(busca, &QPushButton::clicked, this, &TFRM_seleccionarNoSerie::buscar);
    connect(TXT_numero, &QLineEdit::returnPressed, this, &TFRM_seleccionarNoSerie::buscar);
    connect(reinicia, &QPushButton::clicked, this, [this] {
        TXT_numero->clear();
        buscar();
    });
    connect(todos, &QPushButton::clicked, this, [this] {
        uMarcas.todos();
        muestraMarcas();
    });
    connect(ninguno, &QPushButton::clicked, this, [this] {
        uMarcas.ninguno();
        muestraMarcas();
    });
    connect(uGrid, &TGridControl::celdaClic, this, [this](int fila, int, const QString &alias) {
        if (alias == QLatin1String("_seleccionado") && uMarcas.alterna(fila))
            muestraMarcas();
    });
    connect(BTN_capturarNoSerie, &QPushButton::clicked, this, &TFRM_seleccionarNoSerie::capturaNuevos);
}

void TFRM_seleccionarNoSerie::prepara(const RECnumerosSerie &solicitud) {
    setWindowTitle(QStringLiteral("Quiroval"));
    uSolicitud = solicitud;
    uCargado = false;
    LBL_articuloNombre->setText(solicitud.productoNombre);
    LBL_monitor->setText(QString::number(solicitud.entradaID));
    buscar();
}

void TFRM_seleccionarNoSerie::buscar() {
    // Marks survive a narrower search: they are kept for the numbers shown again. A failed lookup
    // leaves the grid and its marks as they were.
    const int negocio = uSistema.getNegocio().getIdNegocio();
    QVector<TfilaNoSerie> filas;
    if (!u_leeNumerosSerie(uSistema.getConexion(), negocio, uSolicitud.entradaID, TXT_numero->text(), filas))
        return;
    uMarcas.carga(filas, uCargado ? uMarcas.seleccion() : uSolicitud.seleccionados,
                  int(uSolicitud.cantidad + 1e-9));
    uCargado = true;
    const int admitidos = u_numerosSerieAdmitidos(uSistema.getConexion(), negocio, uSolicitud.entradaID);
    BTN_capturarNoSerie->setEnabled(uMarcas.filas().size() < admitidos);
    muestraMarcas();
}

void TFRM_seleccionarNoSerie::muestraMarcas() {
    uGrid->limpia();
    for (const TfilaNoSerie &f : uMarcas.filas())
        uGrid->agregaFila({{QStringLiteral("_seleccionado"), marca(f)},
                           {QStringLiteral("_icono"), icono(f)},
                           {QStringLiteral("_id"), f.id},
                           {QStringLiteral("inventarioNoSerie_numero"), f.numero},
                           {QStringLiteral("_estatusID"), f.estado},
                           {QStringLiteral("inventarioNoSeriEstado_etiqueta"), f.etiqueta}});
    LBL_elementos->setText(uMarcas.texto());
}

void TFRM_seleccionarNoSerie::capturaNuevos() {
    if (uSolicitud.controlNoSerie < kModoCapturaEnSalidas) {
        u_mensaje(
            QStringLiteral("No esta permitido capturar números de serie en el registro de salidas \rPara "
                           "habilitar esta funcionalidad utilice la ventana 'Productos'"),
            kAdvertencia);
        return;
    }
    TFRM_captuarNoSerie captura(this);
    if (captura.init(uSolicitud.productoNombre, uSolicitud.entradaID))
        buscar();
}

Tespacios TFRM_seleccionarNoSerie::resultado() const {
    // Never read means nothing was chosen here: the line keeps its numbers.
    return uAceptar && uCargado ? uMarcas.seleccion() : uSolicitud.seleccionados;
}

Tespacios TFRM_seleccionarNoSerie::init(const RECnumerosSerie &solicitud) {
    prepara(solicitud);
    exec();
    return resultado();
}

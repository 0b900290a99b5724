#include "traspasos/UFRM_traspasos.h"

#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/U_filtrosEntrada.h"
#include "comun/ui/U_formaCaptura.h"
#include "comun/ui/U_imagenes.h"
#include "comun/ui/U_listaIds.h"
#include "comun/ui/U_pantallaLista.h"
#include "comun/ui/U_reportes.h"
#include "comun/ui/UdialogoModal.h"
#include "comun/ui/UgridControl.h"
#include "traspasos/UFRM_nuevoTraspaso.h"
#include "traspasos/UFRM_traspasoDetalle.h"
#include "traspasos/UNEG_traspasos.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString kTitulo = QStringLiteral("Traspasos");
const QString kAliasEdita = QStringLiteral("edita");

const TcolumnaCaptura kColumnas[] = {
    {"inventarioTraspaso_id", "no.", 0, kColTexto},
    {"inventarioTraspaso_documento", "Doc.", 60, kColTexto},
    {"ORIGENinventarioAlmacen_id", "_almacenOrigenID", 0, kColTexto},
    {"origen_nombre", "Origen", 150, kColTexto},
    {"inventarioTraspaso_fechaSalida", "Salida", 150, kColFecha},
    {"DESTINOinventarioAlmacen_id", "_almacenDestinoID", 0, kColTexto},
    {"destino_nombre", "Destino", 150, kColTexto},
    {"inventarioTraspaso_fechaRecepcion", "Recepción", 150, kColFecha},
    {"inventarioTraspasoEstado_id", "_estadoID", 0, kColTexto},
    {"inventarioTraspasoEstado_etiqueta", "Estatus", 150, kColTexto},
};

const TcolumnaReporte kReporte[] = {
    {"Documento", kContenidoTexto, 50, kAlineaCentro, "inventarioTraspaso_documento"},
    {"Origen", kContenidoTexto, 100, kAlineaCentro, "origen_nombre"},
    {"Salida", kContenidoTexto, 90, kAlineaCentro, "inventarioTraspaso_fechaSalida"},
    {"Destino", kContenidoTexto, 100, kAlineaCentro, "destino_nombre"},
    {"Recepción", kContenidoTexto, 90, kAlineaCentro, "inventarioTraspaso_fechaRecepcion"},
    {"Estado", kContenidoTexto, 90, kAlineaCentro, "inventarioTraspasoEstado_etiqueta"},
};

} // namespace

TFRM_traspasos::TFRM_traspasos(QWidget *padre) : QWidget(padre) {
    FormCreate();
}

void TFRM_traspasos::FormCreate() {
    setObjectName(QStringLiteral("FRM_traspasos"));
    setWindowTitle(kTitulo);
    GRD_main = new QTableView(this);
    GRD_main->setObjectName(QStringLiteral("GRD_main"));
    uGRD_traspasosControl = new TGridControl(GRD_main);
    uAviso = new TavisoListaVacia(GRD_main);

    BTN_nuevoTraspaso =
        u_creaBoton(QStringLiteral("BTN_nuevoTraspaso"), QStringLiteral("Nuevo Traspaso"), this);
    BTN_excel = u_creaBoton(QStringLiteral("BTN_excel"), QStringLiteral("Excel"), this);
    BTN_exportarPDF = u_creaBoton(QStringLiteral("BTN_exportarPDF"), QStringLiteral("PDF"), this);
    auto *acciones = new QHBoxLayout;
    acciones->addWidget(BTN_nuevoTraspaso);
    acciones->addStretch();
    acciones->addWidget(BTN_excel);
    acciones->addWidget(BTN_exportarPDF);

    auto *raiz = new QVBoxLayout(this);
    raiz->addWidget(u_creaTitulo(kTitulo, this));
    raiz->addWidget(creaCriterios());
    raiz->addLayout(acciones);
    raiz->addWidget(GRD_main, 1);
    creaColumnas();
    conecta();
}

QWidget *TFRM_traspasos::creaCriterios() {
    auto *criterios = new QGroupBox(QStringLiteral("Criterios de Búsqueda"), this);
    criterios->setObjectName(QStringLiteral("contenedor_busqueda"));
    const auto combo = [criterios](const char *nombre) {
        auto *c = new QComboBox(criterios);
        c->setObjectName(QString::fromLatin1(nombre));
        c->setPlaceholderText(QStringLiteral("Todos"));
        c->setMinimumWidth(160);
        return c;
    };
    CMB_almacenOrigen = combo("CMB_almacenOrigen");
    CMB_almacenDestino = combo("CMB_almacenDestino");
    CMB_status = combo("CMB_status");
    TXT_documento = u_campo(criterios, QStringLiteral("TXT_documento"), 12);
    u_soloNumeros(TXT_documento);

    auto *capa = new QGridLayout(criterios);
    int columna = 0;
    const auto filtro = [&](const char *etiqueta, const char *texto, QWidget *control, const char *limpiar) {
        capa->addWidget(u_creaEtiqueta(QString::fromLatin1(etiqueta), QString::fromUtf8(texto), criterios), 0,
                        columna);
        capa->addWidget(control, 1, columna);
        capa->addWidget(u_creaBotonLimpiar(QString::fromLatin1(limpiar), criterios), 1, columna + 1);
        columna += 2;
    };
    filtro("LBL_almacenOrigen", "Almacen Origen", CMB_almacenOrigen, "BTN_reiniciaCMBorigen");
    filtro("LBL_almacenDestino", "Almacen Destino", CMB_almacenDestino, "BTN_reiniciaCMBdestino");
    filtro("LBL_status", "Estado", CMB_status, "BTN_reiniciaCMBestado");
    filtro("LBL_documento", "Documento", TXT_documento, "BTN_resetClave");
    capa->addWidget(u_creaBoton(QStringLiteral("BTN_buscar"), QStringLiteral("Buscar"), criterios), 1,
                    columna);
    capa->setColumnStretch(columna + 1, 1);
    return criterios;
}

void TFRM_traspasos::creaColumnas() {
    uGRD_traspasosControl->agregaColumnaIcono(kAliasEdita, mini_cargaImage(QStringLiteral("Edita")), 40);
    u_agregaColumnasCaptura(uGRD_traspasosControl, kColumnas);
    uGRD_traspasosControl->setColumnaEstirada(QStringLiteral("inventarioTraspasoEstado_etiqueta"));
}

void TFRM_traspasos::conecta() {
    const auto boton = [this](const char *nombre) {
        return findChild<QPushButton *>(QString::fromLatin1(nombre));
    };
    connect(boton("BTN_buscar"), &QPushButton::clicked, this, &TFRM_traspasos::buscar);
    // The destination applies with "Buscar" only; the origin and the state search at once.
    connect(CMB_almacenOrigen, &QComboBox::currentIndexChanged, this, &TFRM_traspasos::buscar);
    connect(CMB_status, &QComboBox::currentIndexChanged, this, &TFRM_traspasos::buscar);
    connect(TXT_documento, &QLineEdit::returnPressed, this, &TFRM_traspasos::buscar);
    for (const auto &[nombre, combo] : {std::pair{"BTN_reiniciaCMBorigen", CMB_almacenOrigen},
                                        std::pair{"BTN_reiniciaCMBdestino", CMB_almacenDestino},
                                        std::pair{"BTN_reiniciaCMBestado", CMB_status}})
        connect(boton(nombre), &QPushButton::clicked, this, [this, combo] {
            const QSignalBlocker bloqueo(combo);
            combo->setCurrentIndex(-1);
            buscar();
        });
    connect(boton("BTN_resetClave"), &QPushButton::clicked, this, [this] {
        TXT_documento->clear();
        TXT_documento->setFocus();
        buscar();
    });
    connect(BTN_nuevoTraspaso, &QPushButton::clicked, this, &TFRM_traspasos::BTN_nuevoTraspasoClick);
    connect(BTN_excel, &QPushButton::clicked, this, [this] {
        if (u_hayElementos(*uGRD_traspasosControl))
            exportarGridExcelUNI(*uGRD_traspasosControl, kTitulo, uSistema);
    });
    connect(BTN_exportarPDF, &QPushButton::clicked, this, &TFRM_traspasos::BTN_exportarPDFClick);
    connect(uGRD_traspasosControl, &TGridControl::celdaClic, this,
            [this](int fila, int, const QString &alias) {
                if (alias == kAliasEdita)
                    abreDetalle(fila);
            });
}

void TFRM_traspasos::initPermisos() {
    const bool permitido = !uSistema.esRestringido();
    BTN_excel->setEnabled(permitido);
    BTN_exportarPDF->setEnabled(permitido);
    BTN_nuevoTraspaso->setEnabled(permitido);
}

bool TFRM_traspasos::init() {
    uSistema = localSYS;
    initPermisos();
    const bool cargados = cargaAlmacenes() && cargaEstados();
    if (cargados)
        buscar();
    return cargados;
}

bool TFRM_traspasos::cargaAlmacenes() {
    return u_llenaAlmacenes(CMB_almacenOrigen, uValueMember_CMB_almacenOrigen, uSistema) &&
           u_llenaAlmacenes(CMB_almacenDestino, uValueMember_CMB_almacenDestino, uSistema);
}

bool TFRM_traspasos::cargaEstados() {
    Ttraspaso datos(uSistema.getConexion());
    return u_llenaListaIds(CMB_status, uValueMember_CMB_status, datos.selectTraspasoEstados(),
                           QStringLiteral("inventarioTraspasoEstado_id"),
                           QStringLiteral("inventarioTraspasoEstado_etiqueta"));
}

void TFRM_traspasos::buscar() {
    Ttraspaso datos(uSistema.getConexion());
    const bool exito = uGRD_traspasosControl->carga(datos.selectTraspaso(
        u_idElegido(CMB_almacenOrigen, uValueMember_CMB_almacenOrigen),
        u_idElegido(CMB_almacenDestino, uValueMember_CMB_almacenDestino),
        u_idElegido(CMB_status, uValueMember_CMB_status), Ttraspaso::filtroDocumento(TXT_documento->text()),
        uSistema.getNegocio().getIdNegocio()));
    // A failed statement keeps the rows shown, without a message of its own.
    if (!exito)
        return;
    uAviso->muestra(uGRD_traspasosControl->filas() == 0);
}

void TFRM_traspasos::BTN_nuevoTraspasoClick() {
    if (uSistema.esRestringido())
        return;
    TFRM_nuevoTraspaso captura(uSistema, this);
    if (captura.init())
        buscar();
}

void TFRM_traspasos::abreDetalle(int fila) {
    if (fila < 0 || fila >= uGRD_traspasosControl->filas())
        return;
    const TGridControl &g = *uGRD_traspasosControl;
    Rtraspaso traspaso;
    traspaso.id = int(g.getCeldaAsInt(fila, QStringLiteral("inventarioTraspaso_id")));
    traspaso.almacenOrigenID = int(g.getCeldaAsInt(fila, QStringLiteral("ORIGENinventarioAlmacen_id")));
    traspaso.almacenOrigen = g.getCelda(fila, QStringLiteral("origen_nombre"));
    traspaso.almacenDestinoID = int(g.getCeldaAsInt(fila, QStringLiteral("DESTINOinventarioAlmacen_id")));
    traspaso.almacenDestino = g.getCelda(fila, QStringLiteral("destino_nombre"));
    traspaso.estadoID = int(g.getCeldaAsInt(fila, QStringLiteral("inventarioTraspasoEstado_id")));
    traspaso.estado = g.getCelda(fila, QStringLiteral("inventarioTraspasoEstado_etiqueta"));
    TFRM_traspasoDetalle detalle(uSistema, this);
    if (detalle.init(traspaso))
        buscar();
}

void TFRM_traspasos::BTN_exportarPDFClick() {
    if (u_hayElementos(*uGRD_traspasosControl))
        u_exportaPDF(kTitulo, u_tablaReporte(kReporte, *uGRD_traspasosControl), uSistema);
}

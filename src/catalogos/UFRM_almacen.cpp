#include "catalogos/UFRM_almacen.h"

#include "catalogos/UFRM_almacenCaptura.h"
#include "comun/UNEG_almacen.h"
#include "comun/U_mensajes.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/U_imagenes.h"
#include "comun/ui/U_reportes.h"
#include "comun/ui/UgridControl.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString kTitulo = QStringLiteral("Almacenes");
const QString kSinElementos = QStringLiteral("No hay elementos que mostrar");
} // namespace

TFRM_almacenes::TFRM_almacenes(QWidget *padre) : QWidget(padre) {
    FormCreate();
}

void TFRM_almacenes::FormCreate() {
    setObjectName(QStringLiteral("FRM_almacenes"));
    setWindowTitle(QStringLiteral("Alamcenes"));

    auto *criterios = new QGroupBox(QStringLiteral("Criterios de Búsqueda"), this);
    criterios->setObjectName(QStringLiteral("GBX_criterios"));
    uSucursal = new QComboBox(criterios);
    uSucursal->setObjectName(QStringLiteral("CBOX_sucursal"));
    uSucursal->setPlaceholderText(QStringLiteral("Todas"));
    uSucursal->setMinimumWidth(180);
    uSucursal->installEventFilter(this);
    uNombre = new QLineEdit(criterios);
    uNombre->setObjectName(QStringLiteral("TXT_nombre"));
    uNombre->setMaxLength(Talmacen::kLargoNombre);
    QPushButton *limpiaSucursal = u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarCBOXsucursal"), criterios);
    QPushButton *limpiaNombre = u_creaBotonLimpiar(QStringLiteral("BTN_reiniciarTXTnombre"), criterios);
    QPushButton *buscar = u_creaBoton(QStringLiteral("BTN_buscar"), QStringLiteral("Buscar"), criterios);
    QPushButton *verTodos =
        u_creaBoton(QStringLiteral("BTN_verTodos"), QStringLiteral("Ver Todos"), criterios);

    auto *capaCriterios = new QGridLayout(criterios);
    capaCriterios->addWidget(
        u_creaEtiqueta(QStringLiteral("LBL_sucursal"), QStringLiteral("Sucursal"), criterios), 0, 0);
    capaCriterios->addWidget(
        u_creaEtiqueta(QStringLiteral("LBL_nombre"), QStringLiteral("Nombre"), criterios), 0, 2);
    capaCriterios->addWidget(uSucursal, 1, 0);
    capaCriterios->addWidget(limpiaSucursal, 1, 1);
    capaCriterios->addWidget(uNombre, 1, 2);
    capaCriterios->addWidget(limpiaNombre, 1, 3);
    capaCriterios->addWidget(buscar, 1, 4);
    capaCriterios->addWidget(verTodos, 1, 5);
    capaCriterios->setColumnStretch(2, 1);

    uNuevo = u_creaBoton(QStringLiteral("BTN_nuevo"), QStringLiteral("Nuevo Almacén"), this);
    uExcel = u_creaBoton(QStringLiteral("BTN_exportarExcel"), QStringLiteral("Excel"), this);
    uPDF = u_creaBoton(QStringLiteral("BTN_exportarPDF"), QStringLiteral("PDF"), this);
    auto *acciones = new QHBoxLayout;
    acciones->addWidget(uNuevo);
    acciones->addStretch();
    acciones->addWidget(uExcel);
    acciones->addWidget(uPDF);

    uGrid = new QTableView(this);
    uGrid->setObjectName(QStringLiteral("GRD_main"));
    uGRD_almacenesControl = new TGridControl(uGrid);
    uGRD_almacenesControl->agregaColumnaIcono(QStringLiteral("edita"),
                                              mini_cargaImage(QStringLiteral("Edita")), 40);
    uGRD_almacenesControl->agregaColumna(QStringLiteral("almacen_id"), QStringLiteral("ID Almacen"), 0,
                                         false);
    uGRD_almacenesControl->agregaColumna(QStringLiteral("sucursal_id"), QStringLiteral("ID Sucursal"), 0,
                                         false);
    uGRD_almacenesControl->agregaColumna(QStringLiteral("sucursal_nombre"), QStringLiteral("Sucursal"), 150);
    uGRD_almacenesControl->agregaColumna(QStringLiteral("almacen_nombre"), QStringLiteral("Nombre"), 150);
    uGRD_almacenesControl->agregaColumna(QStringLiteral("almacen_direccion"), QStringLiteral("Dirección"),
                                         150);
    uGRD_almacenesControl->agregaColumna(QStringLiteral("almacen_nota"), QStringLiteral("Nota"), 150);
    uGRD_almacenesControl->setColumnaEstirada(QStringLiteral("almacen_nota"));
    uMensaje = u_creaEtiqueta(QStringLiteral("LBL_msg"), QString(), uGrid);
    uMensaje->setAlignment(Qt::AlignCenter);
    uMensaje->hide();
    uGrid->installEventFilter(this);

    auto *raiz = new QVBoxLayout(this);
    raiz->addWidget(u_creaTitulo(kTitulo, this));
    raiz->addWidget(criterios);
    raiz->addLayout(acciones);
    raiz->addWidget(uGrid, 1);

    connect(buscar, &QPushButton::clicked, this, [this] { busca(true); });
    connect(uNombre, &QLineEdit::returnPressed, this, [this] {
        busca(true);
        uNombre->setFocus();
    });
    connect(verTodos, &QPushButton::clicked, this, &TFRM_almacenes::BTN_verTodosClick);
    connect(limpiaSucursal, &QPushButton::clicked, this, [this] { uSucursal->setCurrentIndex(-1); });
    connect(limpiaNombre, &QPushButton::clicked, this, [this] {
        uNombre->clear();
        uNombre->setFocus();
    });
    connect(uNuevo, &QPushButton::clicked, this, &TFRM_almacenes::BTN_nuevoClick);
    connect(uPDF, &QPushButton::clicked, this, &TFRM_almacenes::BTN_exportarPDFClick);
    connect(uExcel, &QPushButton::clicked, this, &TFRM_almacenes::BTN_exportarExcelClick);
    connect(uGRD_almacenesControl, &TGridControl::celdaClic, this,
            [this](int fila, int columna, const QString &) {
                if (columna == 0)
                    editaFila(fila);
            });
}

bool TFRM_almacenes::eventFilter(QObject *objeto, QEvent *evento) {
    if (objeto == uSucursal && evento->type() == QEvent::FocusIn)
        cargaSucursales(false); // branches made elsewhere since the last look appear; choose again
    else if (objeto == uGrid && evento->type() == QEvent::Resize)
        acomodaMensaje();
    return QWidget::eventFilter(objeto, evento);
}

void TFRM_almacenes::initPermisos() {
    const bool permitido = !uSistema.esRestringido();
    uNuevo->setEnabled(permitido);
    uExcel->setEnabled(permitido);
    uPDF->setEnabled(permitido);
}

bool TFRM_almacenes::init() {
    uSistema = localSYS;
    initPermisos();
    uNombre->clear();
    if (!cargaSucursales())
        return false;
    busca(true);
    return true;
}

bool TFRM_almacenes::cargaSucursales(bool conservaEleccion) {
    Talmacen datos(uSistema.getConexion());
    const CmidTierResponse r = datos.selectSucursales(uSistema.getNegocio().getIdNegocio());
    if (!r.isSuccess())
        return false;
    const int elegida = conservaEleccion && uSucursal->currentIndex() >= 0
                            ? uValueMember_CMB_sucursal.value(uSucursal->currentIndex())
                            : 0;
    uSucursal->clear();
    uValueMember_CMB_sucursal.clear();
    for (int f = 0; f < r.getRowCount(); ++f) {
        uSucursal->addItem(r.getCelda(f, 1));
        uValueMember_CMB_sucursal.append(int(r.getCeldaAsInt(f, 0)));
    }
    uSucursal->setCurrentIndex(int(uValueMember_CMB_sucursal.indexOf(elegida)));
    return true;
}

void TFRM_almacenes::busca(bool filtrando) {
    QVariant sucursal;
    QVariant nombre;
    if (filtrando) {
        if (!uNombre->text().isEmpty())
            nombre = uNombre->text();
        if (uSucursal->currentIndex() > -1)
            sucursal = uValueMember_CMB_sucursal.value(uSucursal->currentIndex());
    }
    Talmacen datos(uSistema.getConexion());
    if (!uGRD_almacenesControl->carga(
            datos.selectAlmacenes(sucursal, nombre, uSistema.getNegocio().getIdNegocio())))
        return;
    uMensaje->clear();
    uMensaje->hide();
    if (uGRD_almacenesControl->filas() == 0) {
        uMensaje->setText(kSinElementos);
        acomodaMensaje();
        uMensaje->show();
        uMensaje->raise();
    }
}

void TFRM_almacenes::acomodaMensaje() {
    uMensaje->setGeometry(uGrid->viewport()->geometry());
}

void TFRM_almacenes::BTN_verTodosClick() {
    uSucursal->setCurrentIndex(-1);
    uNombre->clear();
    busca(false);
}

void TFRM_almacenes::BTN_nuevoClick() {
    // Branches that cannot be read are, for creating a warehouse, no branches.
    if (!cargaSucursales() || uSucursal->count() == 0) {
        u_mensaje(QStringLiteral("No existen sucursales. Es necesario crear una sucursal."), kError);
        return;
    }
    TFRM_almacenCaptura dialogo(uSistema, this);
    if (!dialogo.initNuevo()) {
        u_mensaje(QStringLiteral("No se logro crear el formulario."), kError);
        return;
    }
    busca(true);
}

void TFRM_almacenes::editaFila(int fila) {
    const TGridControl &g = *uGRD_almacenesControl;
    const auto celda = [&](const QString &cabecera) {
        const int c = g.indiceColumnaPorCabecera(cabecera);
        return c < 0 ? QString() : g.getCelda(fila, g.columna(c).alias);
    };
    TalmacenDescripcion almacen;
    almacen.id = celda(QStringLiteral("ID Almacen")).toInt();
    almacen.sucursalId = celda(QStringLiteral("ID Sucursal")).toInt();
    almacen.nombre = celda(QStringLiteral("Nombre"));
    almacen.nota = celda(QStringLiteral("Nota"));
    almacen.direccion = celda(QStringLiteral("Dirección"));
    almacen.idNegocio = uSistema.getNegocio().getIdNegocio();
    TFRM_almacenCaptura dialogo(uSistema, this);
    if (dialogo.initEdicion(almacen))
        dialogo.exec();
    busca(true);
}

bool TFRM_almacenes::hayElementos() {
    if (uGRD_almacenesControl->filas() > 0)
        return true;
    u_mensaje(kSinElementos, kInformacion);
    return false;
}

void TFRM_almacenes::BTN_exportarPDFClick() {
    if (!hayElementos())
        return;
    cTabla tabla;
    tabla.addCabecera(QStringLiteral("Sucursal"), kContenidoTexto, 100, kAlineaIzquierda);
    tabla.addCabecera(QStringLiteral("Nombre"), kContenidoTexto, 100, kAlineaIzquierda);
    tabla.addCabecera(QStringLiteral("Dirección"), kContenidoTexto, 160, kAlineaIzquierda);
    tabla.addCabecera(QStringLiteral("Nota"), kContenidoTexto, 200, kAlineaIzquierda);
    tabla.setFilas(uGRD_almacenesControl->getTTablaPDF());
    u_exportaPDF(kTitulo, tabla, uSistema);
}

void TFRM_almacenes::BTN_exportarExcelClick() {
    if (hayElementos())
        exportarGridExcelUNI(*uGRD_almacenesControl, QStringLiteral("Almacén"), uSistema);
}

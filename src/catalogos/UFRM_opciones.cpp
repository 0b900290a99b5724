#include "catalogos/UFRM_opciones.h"

#include "catalogos/UFRM_capturaConcepto.h"
#include "catalogos/UNEG_conceptos.h"
#include "comun/UNEG_conceptosMovimiento.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/U_imagenes.h"
#include "comun/ui/UgridControl.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

TFRM_opciones::TFRM_opciones(QWidget *padre) : QWidget(padre) {
    FormCreate();
}

TGridControl *TFRM_opciones::creaGridConceptos(const QString &nombre, QWidget *padre) {
    auto *vista = new QTableView(padre);
    vista->setObjectName(nombre);
    auto *grid = new TGridControl(vista);
    grid->agregaColumnaIcono(QStringLiteral("edita"), mini_cargaImage(QStringLiteral("Edita")), 40);
    grid->agregaColumna(QStringLiteral("inventarioMovimientoConcepto_id"), QStringLiteral("id"), 60, false);
    grid->agregaColumna(QStringLiteral("inventarioMovimientoConcepto_etiqueta"), QStringLiteral("Movimiento"),
                        150);
    grid->agregaColumna(QStringLiteral("AsientosContables_nombre"), QStringLiteral("Asiento Básico"), 150);
    grid->agregaColumna(QStringLiteral("AsientosContables_id"), QStringLiteral("Asiento"), 60, false);
    grid->agregaColumna(QStringLiteral("ModuloAsientosContables_modulo"), QStringLiteral("Módulo"), 60,
                        false);
    grid->setColumnaEstirada(QStringLiteral("inventarioMovimientoConcepto_etiqueta"));
    return grid;
}

void TFRM_opciones::FormCreate() {
    setObjectName(QStringLiteral("contenedor_opciones"));
    setWindowTitle(QStringLiteral("Opciones"));

    auto *kardex = new QGroupBox(QStringLiteral("Kardex"), this);
    kardex->setObjectName(QStringLiteral("GBX_kardex"));
    uPeps = new QRadioButton(QStringLiteral("Primeras Entradas Primeras Salidas"), kardex);
    uPeps->setObjectName(QStringLiteral("RAD_peps"));
    uPromedio = new QRadioButton(QStringLiteral("Promedio Ponderado"), kardex);
    uPromedio->setObjectName(QStringLiteral("RAD_promedioPonderado"));
    // Grouped so that both can show unchecked at once.
    auto *grupo = new QButtonGroup(kardex);
    grupo->addButton(uPeps);
    grupo->addButton(uPromedio);
    uGuardarMetodo =
        u_creaBoton(QStringLiteral("BTN_kardexGuardarMetodo"), QStringLiteral("Guardar"), kardex);
    auto *capaKardex = new QVBoxLayout(kardex);
    capaKardex->addWidget(u_creaEtiqueta(QStringLiteral("LBL_metodo"),
                                         QStringLiteral("Método de valuación de inventario"), kardex));
    auto *opciones = new QHBoxLayout;
    opciones->addWidget(uPeps);
    opciones->addWidget(uPromedio);
    opciones->addStretch();
    opciones->addWidget(uGuardarMetodo);
    capaKardex->addLayout(opciones);

    const auto seccion = [this](const QString &titulo, const QString &grid, const QString &boton,
                                TGridControl **control, QPushButton **nuevo) {
        auto *caja = new QGroupBox(titulo, this);
        *control = creaGridConceptos(grid, caja);
        *nuevo = u_creaBoton(boton, QStringLiteral("Nuevo"), caja);
        auto *capa = new QVBoxLayout(caja);
        auto *fila = new QHBoxLayout;
        fila->addStretch();
        fila->addWidget(*nuevo);
        capa->addLayout(fila);
        capa->addWidget((*control)->grid(), 1);
        return caja;
    };
    QGroupBox *entradas =
        seccion(QStringLiteral("Conceptos para Movimientos de Almacén (Entradas)"),
                QStringLiteral("GRD_conceptosEntrada"), QStringLiteral("BTN_nuevoConceptoEntrada"),
                &uGRD_conceptosEntradasControl, &uNuevoEntrada);
    QGroupBox *salidas =
        seccion(QStringLiteral("Conceptos para Movimientos de Almacén (Salidas)"),
                QStringLiteral("GRD_conceptosSalida"), QStringLiteral("BTN_nuevoConceptoSalida"),
                &uGRD_conceptosSalidasControl, &uNuevoSalida);

    auto *raiz = new QVBoxLayout(this);
    raiz->addWidget(u_creaTitulo(QStringLiteral("Opciones"), this));
    raiz->addWidget(kardex);
    raiz->addWidget(entradas, 1);
    raiz->addWidget(salidas, 1);

    connect(uGuardarMetodo, &QPushButton::clicked, this, &TFRM_opciones::BTN_kardexGuardarMetodoClick);
    connect(uNuevoEntrada, &QPushButton::clicked, this, [this] { nuevoConcepto(kConceptoEntrada); });
    connect(uNuevoSalida, &QPushButton::clicked, this, [this] { nuevoConcepto(kConceptoSalida); });
    connect(uGRD_conceptosEntradasControl, &TGridControl::celdaClic, this, [this](int fila, int columna) {
        if (columna == 0)
            editaConcepto(uGRD_conceptosEntradasControl, kConceptoEntrada, fila);
    });
    connect(uGRD_conceptosSalidasControl, &TGridControl::celdaClic, this, [this](int fila, int columna) {
        if (columna == 0)
            editaConcepto(uGRD_conceptosSalidasControl, kConceptoSalida, fila);
    });
}

void TFRM_opciones::initPermisos() {
    const bool permitido = !uSistema.esRestringido();
    uGuardarMetodo->setEnabled(permitido);
    uNuevoEntrada->setEnabled(permitido);
    uNuevoSalida->setEnabled(permitido);
}

bool TFRM_opciones::init() {
    uSistema = localSYS;
    initPermisos();
    cargaConceptos(uGRD_conceptosEntradasControl, kConceptoEntrada);
    cargaConceptos(uGRD_conceptosSalidasControl, kConceptoSalida);
    cargaMetodo();
    return true;
}

void TFRM_opciones::cargaConceptos(TGridControl *grid, int direccion) {
    grid->carga(TconceptosMovimiento(uSistema.getConexion())
                    .selectMovimientoConcepto(direccion, uSistema.getNegocio().getIdNegocio()));
}

void TFRM_opciones::cargaMetodo() {
    const int metodo = u_metodoValuacion(uSistema.getConexion(), uSistema.getNegocio().getIdNegocio());
    // Unchecking both takes leaving the exclusive group for a moment.
    uPeps->group()->setExclusive(false);
    uPeps->setChecked(metodo == kMetodoPEPS);
    uPromedio->setChecked(metodo == kMetodoPromedioPonderado);
    uPeps->group()->setExclusive(true);
    // Chosen once: a stored method fixes all three controls. With none stored "Guardar" is
    // enabled even for a read-only user, so the module can be used at all.
    const bool libre = metodo <= 0;
    uPeps->setEnabled(libre);
    uPromedio->setEnabled(libre);
    uGuardarMetodo->setEnabled(libre);
}

void TFRM_opciones::BTN_kardexGuardarMetodoClick() {
    const int metodo = uPeps->isChecked()       ? kMetodoPEPS
                       : uPromedio->isChecked() ? kMetodoPromedioPonderado
                                                : kMetodoNinguno;
    if (u_guardaMetodoValuacion(uSistema.getConexion(), uSistema.getNegocio().getIdNegocio(), metodo))
        cargaMetodo();
}

void TFRM_opciones::nuevoConcepto(int direccion) {
    TFRM_capturaConcepto dialogo(uSistema, this);
    const bool guardado = direccion == kConceptoEntrada ? dialogo.initNuevoConceptoEntrada()
                                                        : dialogo.initNuevoConceptoSalida();
    if (guardado)
        cargaConceptos(direccion == kConceptoEntrada ? uGRD_conceptosEntradasControl
                                                     : uGRD_conceptosSalidasControl,
                       direccion);
}

void TFRM_opciones::editaConcepto(TGridControl *grid, int direccion, int fila) {
    const int id = int(grid->getCeldaAsInt(fila, QStringLiteral("inventarioMovimientoConcepto_id")));
    const QString etiqueta = grid->getCelda(fila, QStringLiteral("inventarioMovimientoConcepto_etiqueta"));
    TFRM_capturaConcepto dialogo(uSistema, this);
    const bool guardado = direccion == kConceptoEntrada ? dialogo.initEditaConceptoEntrada(id, etiqueta)
                                                        : dialogo.initEditaConceptoSalida(id, etiqueta);
    if (guardado)
        cargaConceptos(grid, direccion);
}

#include "catalogos/UFRM_capturaConcepto.h"

#include "catalogos/UNEG_conceptos.h"
#include "comun/UNEG_conceptosMovimiento.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/UgridControl.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TFRM_capturaConcepto::TFRM_capturaConcepto(const TsistemaDatos &sistema, QWidget *padre)
    : QDialog(padre), uSistema(sistema) {
    FormCreate();
}

void TFRM_capturaConcepto::FormCreate() {
    setObjectName(QStringLiteral("FRM_capturaConcepto"));
    setModal(true);
    u_aplicaEstilo(this);
    uEncabezado = u_creaTitulo(QString(), this);
    uConcepto = new QLineEdit(this);
    uConcepto->setObjectName(QStringLiteral("TXT_concepto"));
    uConcepto->setMaxLength(100);
    auto *grid = new QTableView(this);
    grid->setObjectName(QStringLiteral("GRD_main"));
    uGRD_asientosControl = new TGridControl(grid);
    uGRD_asientosControl->agregaColumna(QStringLiteral("AsientosContables_id"), QStringLiteral("id"), 60,
                                        false);
    uGRD_asientosControl->agregaColumna(QStringLiteral("AsientosContables_nombre"), QStringLiteral("Nombre"),
                                        100);
    uGRD_asientosControl->agregaColumna(QStringLiteral("ModuloAsientosContables_modulo"),
                                        QStringLiteral("Modulo"), 60, false);
    uGRD_asientosControl->setColumnaEstirada(QStringLiteral("AsientosContables_nombre"));
    connect(uGRD_asientosControl, &TGridControl::celdaClic, this, [this](int fila, int, const QString &) {
        uAsientoBasico =
            int(uGRD_asientosControl->getCeldaAsInt(fila, QStringLiteral("AsientosContables_id")));
        uModulo =
            int(uGRD_asientosControl->getCeldaAsInt(fila, QStringLiteral("ModuloAsientosContables_modulo")));
    });

    uBotonAceptar = u_creaBoton(QStringLiteral("BTN_aceptar"), QStringLiteral("Aceptar"), this);
    QPushButton *cancelar = u_creaBoton(QStringLiteral("BTN_cancelar"), QStringLiteral("Cancelar"), this);
    uBotonAceptar->setAutoDefault(false);
    cancelar->setAutoDefault(false);
    connect(uBotonAceptar, &QPushButton::clicked, this, &TFRM_capturaConcepto::aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(uConcepto, &QLineEdit::returnPressed, this, [this] {
        if (uBotonAceptar->isEnabled())
            aceptar();
    });

    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(uBotonAceptar);
    botones->addWidget(cancelar);
    auto *raiz = new QVBoxLayout(this);
    raiz->addWidget(u_creaEtiqueta(QStringLiteral("LBL_captura"), QStringLiteral("Captura Concepto"), this));
    raiz->addWidget(uEncabezado);
    raiz->addWidget(u_creaEtiqueta(QStringLiteral("LBL_concepto"), QStringLiteral("Concepto"), this));
    raiz->addWidget(uConcepto);
    raiz->addWidget(u_creaEtiqueta(QStringLiteral("LBL_asiento"), QStringLiteral("Asiento Básico"), this));
    raiz->addWidget(grid, 1);
    raiz->addLayout(botones);
    resize(440, 420);
}

bool TFRM_capturaConcepto::initNuevoConceptoEntrada() {
    return abre(kConceptoEntrada, kNuevo, 0, QString());
}

bool TFRM_capturaConcepto::initNuevoConceptoSalida() {
    return abre(kConceptoSalida, kNuevo, 0, QString());
}

bool TFRM_capturaConcepto::initEditaConceptoEntrada(int id, const QString &etiqueta) {
    return abre(kConceptoEntrada, kEdita, id, etiqueta);
}

bool TFRM_capturaConcepto::initEditaConceptoSalida(int id, const QString &etiqueta) {
    return abre(kConceptoSalida, kEdita, id, etiqueta);
}

bool TFRM_capturaConcepto::abre(int direccion, Taccion accion, int id, const QString &etiqueta) {
    uBotonAceptar->setEnabled(!uSistema.esRestringido());
    const bool entrada = direccion == kConceptoEntrada;
    uEncabezado->setText(accion == kNuevo ? QStringLiteral("Nuevo") : QStringLiteral("Editar"));
    setWindowTitle(entrada ? QStringLiteral("Conceptos de Entrada") : QStringLiteral("Conceptos de Salida"));
    uDireccion = direccion;
    uAccion = accion;
    uConcepto_id = id;
    uAsientoBasico = 0;
    uModulo = 0;
    uConcepto->setText(etiqueta);
    uGRD_asientosControl->carga(TconceptosMovimiento(uSistema.getConexion())
                                    .selectAsientos(entrada ? QStringLiteral("61%") : QStringLiteral("62%"),
                                                    uSistema.getNegocio().getIdNegocio()));
    uConcepto->setFocus();
    exec();
    return uAceptar;
}

void TFRM_capturaConcepto::aceptar() {
    uAceptar = false;
    TConexionSesion *sesion = uSistema.getConexion();
    const int negocio = uSistema.getNegocio().getIdNegocio();
    const QString etiqueta = uConcepto->text();
    const bool guardado =
        uAccion == kNuevo
            ? u_guardaConceptoNuevo(sesion, etiqueta, uDireccion, uAsientoBasico, uModulo, negocio)
            : u_guardaConceptoEditado(sesion, uConcepto_id, etiqueta, uAsientoBasico, uModulo, negocio);
    if (!guardado)
        return;
    uAceptar = true;
    accept();
}

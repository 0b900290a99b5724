#include "catalogos/UFRM_propiedades.h"

#include "catalogos/UFRM_propiedadesCaptura.h"
#include "catalogos/UNEG_categorias.h"
#include "comun/U_mensajes.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/U_imagenes.h"
#include "comun/ui/UgridControl.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString kActivo = QStringLiteral("activo");
const QString kId = QStringLiteral("propiedadListado_id");
} // namespace

TFRM_propiedades::TFRM_propiedades(const TsistemaDatos &sistema, QWidget *padre)
    : TdialogoModal(QStringLiteral("Propiedades"), padre), uSistema(sistema) {
    setObjectName(QStringLiteral("FRM_propiedades"));
    u_aplicaEstilo(this);
    QPushButton *nuevo = u_boton(this, QStringLiteral("BTN_nuevo"), QStringLiteral("Nuevo"));
    nuevo->setEnabled(!uSistema.esRestringido());
    GRD_main = new QTableView(this);
    GRD_main->setObjectName(QStringLiteral("GRD_main"));
    uGRD_mainControl = new TGridControl(GRD_main);
    uGRD_mainControl->agregaColumna(kActivo, QStringLiteral("Seleccionado"), 0, false);
    uGRD_mainControl->agregaColumnaIconoPorValor(
        kActivo,
        {{QStringLiteral("1"), mini_cargaImage(QStringLiteral("checked"))},
         {QStringLiteral("0"), mini_cargaImage(QStringLiteral("unchecked"))}},
        45);
    uGRD_mainControl->agregaColumnaIcono(QStringLiteral("edita"), mini_cargaImage(QStringLiteral("Edita")),
                                         45);
    uGRD_mainControl->agregaColumna(kId, QStringLiteral("Propiedad ID"), 0, false);
    uGRD_mainControl->agregaColumna(QStringLiteral("propiedadListado_nombre"), QStringLiteral("Propiedad"),
                                    213);
    uGRD_mainControl->agregaColumna(QStringLiteral("propiedadTipo_id"), QStringLiteral("Tipo ID"), 0, false);
    uGRD_mainControl->agregaColumna(QStringLiteral("propiedadTipo_tipo"), QStringLiteral("Tipo"), 0, false);
    uGRD_mainControl->setColumnaEstirada(QStringLiteral("propiedadListado_nombre"));
    connect(uGRD_mainControl, &TGridControl::celdaClic, this,
            [this](int fila, int, const QString &alias) { celdaClic(fila, alias); });
    connect(nuevo, &QPushButton::clicked, this, &TFRM_propiedades::BTN_nuevoClick);

    auto *raiz = new QVBoxLayout(this);
    raiz->addWidget(
        u_creaTitulo(QStringLiteral("Propiedad Captura"), this, QStringLiteral("LBL_encabezado")));
    raiz->addWidget(nuevo, 0, Qt::AlignLeft);
    raiz->addWidget(GRD_main, 1);
    agregaBotones(raiz);
    BTN_aceptar->setEnabled(!uSistema.esRestringido());
    resize(380, 420);
}

bool TFRM_propiedades::prepara(const QString &identidad) {
    uCategoriaIdentidad = identidad;
    const CmidTierResponse r =
        Tcatalogo(uSistema.getConexion())
            .selectPropiedadesSeleccionadas(identidad, uSistema.getNegocio().getIdNegocio());
    if (!r.isSuccess())
        return false;
    uSeleccionInicial.clear();
    for (int f = 0; f < r.getRowCount(); ++f)
        uSeleccionInicial.insert(int(r.getCeldaAsInt(f, 0)), true);
    uSeleccionActual = uSeleccionInicial;
    return cargaPropiedades();
}

bool TFRM_propiedades::cargaPropiedades() {
    if (!uGRD_mainControl->carga(
            Tcatalogo(uSistema.getConexion()).selectPropiedades(uSistema.getNegocio().getIdNegocio())))
        return false;
    for (int f = 0; f < uGRD_mainControl->filas(); ++f) {
        const bool marcada = uSeleccionActual.value(int(uGRD_mainControl->getCeldaAsInt(f, kId)));
        uGRD_mainControl->setCelda(f, kActivo, marcada ? QStringLiteral("1") : QStringLiteral("0"));
    }
    return true;
}

bool TFRM_propiedades::init(const QString &identidad) {
    if (!prepara(identidad))
        return false;
    exec();
    return uAceptar;
}

void TFRM_propiedades::celdaClic(int fila, const QString &alias) {
    const int id = int(uGRD_mainControl->getCeldaAsInt(fila, kId));
    if (alias == QLatin1String("edita")) {
        if (uSistema.esRestringido())
            return;
        TFRM_propiedadesCaptura captura(uSistema, this);
        if (captura.initEdita(id, uGRD_mainControl->getCelda(fila, QStringLiteral("propiedadListado_nombre")),
                              int(uGRD_mainControl->getCeldaAsInt(fila, QStringLiteral("propiedadTipo_id")))))
            cargaPropiedades();
        return;
    }
    const QString valor = uGRD_mainControl->getCelda(fila, kActivo);
    if (valor.isEmpty())
        return;
    const bool marcada = valor != QLatin1String("1");
    uGRD_mainControl->setCelda(fila, kActivo, marcada ? QStringLiteral("1") : QStringLiteral("0"));
    uSeleccionActual.insert(id, marcada);
}

void TFRM_propiedades::BTN_nuevoClick() {
    TFRM_propiedadesCaptura captura(uSistema, this);
    if (captura.initNuevo())
        cargaPropiedades();
}

void TFRM_propiedades::alAceptar() {
    QVector<int> elegidas;
    for (int f = 0; f < uGRD_mainControl->filas(); ++f) {
        if (uGRD_mainControl->getCelda(f, kActivo) == QLatin1String("1"))
            elegidas.append(int(uGRD_mainControl->getCeldaAsInt(f, kId)));
    }
    if (!u_guardaSeleccionPropiedades(uSistema.getConexion(), uSistema.getNegocio().getIdNegocio(),
                                      uCategoriaIdentidad, elegidas)) {
        u_mensaje(QStringLiteral("No se pudieron guardar las propiedades de la categoría."), kError);
        return;
    }
    acepta();
}

#include "comun/ui/UFRM_seleccionarUnidadMedida.h"

#include "comun/UNEG_unidadesMedida.h"
#include "comun/ui/UFRM_unidadesMedida.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFRM_seleccionarUnidadMedida::TFRM_seleccionarUnidadMedida(const TsistemaDatos &sistema, QWidget *padre)
    : TFRM_selectorBase(QStringLiteral("Unidad de Medida"), padre), uSistema(sistema) {
    setObjectName(QStringLiteral("FRM_seleccionarUnidadMedida"));
    LBL_mensaje = new QLabel(this);
    LBL_mensaje->setObjectName(QStringLiteral("LBL_mensaje"));
    LBL_mensaje->setWordWrap(true);
    static_cast<QVBoxLayout *>(layout())->insertWidget(1, LBL_mensaje);
    TXT_buscar->setPlaceholderText(QStringLiteral("Nombre de la unidad"));
    CMB_conjunto = new QComboBox(this);
    CMB_conjunto->setObjectName(QStringLiteral("CMB_conjunto"));
    CMB_conjunto->setMinimumWidth(160);
    barraFiltros()->addWidget(CMB_conjunto);
    BTN_unidades =
        agregaBoton(barraAcciones(), QStringLiteral("BTN_unidades"), QStringLiteral("Unidades de Medida..."));

    TGridControl *g = gridControl();
    g->agregaColumna(QStringLiteral("unidadMedida_id"), QStringLiteral("ID"), 40, false);
    g->agregaColumna(QStringLiteral("unidadMedida_descripcion"), QStringLiteral("Unidad"), 200);
    g->agregaColumna(QStringLiteral("unidadMedida_abreviatura"), QStringLiteral("Abreviatura"), 90);
    g->agregaColumna(QStringLiteral("conjunto_nombre"), QStringLiteral("Conjunto"), 140);
    g->agregaColumna(QStringLiteral("unidadMedida_relacion"), QStringLiteral("Relación"), 90, true,
                     kColNumero);
    g->setColumnaEstirada(QStringLiteral("unidadMedida_descripcion"));
    resize(640, 460);

    connect(CMB_conjunto, &QComboBox::currentIndexChanged, this, &TFRM_seleccionarUnidadMedida::buscar);
    connect(BTN_unidades, &QPushButton::clicked, this, &TFRM_seleccionarUnidadMedida::BTN_unidadesClick);
}

void TFRM_seleccionarUnidadMedida::cargaConjuntos() {
    const QSignalBlocker bloqueo(CMB_conjunto);
    const QVariant actual = CMB_conjunto->currentData();
    CMB_conjunto->clear();
    CMB_conjunto->addItem(QStringLiteral("Todos los conjuntos"), 0);
    const CmidTierResponse r =
        TunidadesMedida(uSistema.conexion).selectConjuntos(uSistema.negocio.getIdNegocio());
    for (int f = 0; f < r.getRowCount(); ++f)
        CMB_conjunto->addItem(r.getCelda(f, QStringLiteral("conjunto_nombre")),
                              int(r.getCeldaAsInt(f, QStringLiteral("conjunto_id"))));
    CMB_conjunto->setCurrentIndex(qMax(0, CMB_conjunto->findData(actual)));
}

void TFRM_seleccionarUnidadMedida::prepara(const QString &mensaje) {
    uResultado = {};
    LBL_mensaje->setText(mensaje);
    LBL_mensaje->setVisible(!mensaje.isEmpty());
    cargaConjuntos();
    buscar();
    TXT_buscar->setFocus();
}

void TFRM_seleccionarUnidadMedida::initCustomMensaje(const QString &mensaje,
                                                     REC_unidadMedidacomunicacion &unidad) {
    prepara(mensaje);
    if (exec() == QDialog::Accepted)
        unidad = uResultado;
    else
        unidad.aceptado = false;
}

void TFRM_seleccionarUnidadMedida::init(REC_unidadMedidacomunicacion &unidad) {
    initCustomMensaje(QStringLiteral("Seleccione la unidad de medida."), unidad);
}

bool TFRM_seleccionarUnidadMedida::cargaFilas(const QString &texto) {
    const CmidTierResponse r =
        TunidadesMedida(uSistema.conexion)
            .selectUnidades(CMB_conjunto->currentData().toInt(), uSistema.negocio.getIdNegocio());
    if (!gridControl()->carga(r))
        return false;
    // Few units per business: the name filter runs on the loaded rows.
    const QString buscado = texto.trimmed();
    for (int f = gridControl()->filas() - 1; f >= 0 && !buscado.isEmpty(); --f) {
        if (!gridControl()
                 ->getCelda(f, QStringLiteral("unidadMedida_descripcion"))
                 .contains(buscado, Qt::CaseInsensitive) &&
            !gridControl()
                 ->getCelda(f, QStringLiteral("unidadMedida_abreviatura"))
                 .contains(buscado, Qt::CaseInsensitive))
            gridControl()->eliminaFila(f);
    }
    return true;
}

bool TFRM_seleccionarUnidadMedida::tomaFila(int fila) {
    const TGridControl *g = gridControl();
    uResultado.aceptado = true;
    uResultado.id = int(g->getCeldaAsInt(fila, QStringLiteral("unidadMedida_id")));
    uResultado.etiqueta = g->getCelda(fila, QStringLiteral("unidadMedida_descripcion"));
    uResultado.conjunto = int(g->getCeldaAsInt(fila, QStringLiteral("unidadMedida_conjunto")));
    uResultado.relacion = g->getCeldaAsFloat(fila, QStringLiteral("unidadMedida_relacion"));
    return true;
}

void TFRM_seleccionarUnidadMedida::BTN_unidadesClick() {
    TFRM_unidadesMedida catalogo(uSistema, this);
    catalogo.init();
    cargaConjuntos();
    buscar();
}

#include "comun/ui/UFRM_unidadesMedida.h"

#include "comun/UMOD_capturaCatalogos.h"
#include "comun/UNEG_unidadesMedida.h"
#include "comun/U_mensajes.h"
#include "comun/U_unidadCaptura.h"
#include "comun/ui/UFRM_selectorBase.h"
#include "comun/ui/U_filtrosEntrada.h"
#include "comun/ui/UgridControl.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
QTableView *grid(QWidget *padre, const QString &nombre) {
    auto *g = new QTableView(padre);
    g->setObjectName(nombre);
    g->verticalHeader()->hide();
    g->setAlternatingRowColors(true);
    return g;
}

void seleccionaPorId(TGridControl *g, const QString &alias, int id) {
    for (int f = 0; f < g->filas(); ++f) {
        if (g->getCeldaAsInt(f, alias) == id) {
            g->grid()->selectRow(f);
            return;
        }
    }
    if (g->filas() > 0)
        g->grid()->selectRow(0);
}
} // namespace

TFRM_unidadesMedida::TFRM_unidadesMedida(const TsistemaDatos &sistema, QWidget *padre)
    : QDialog(padre), uSistema(sistema) {
    setObjectName(QStringLiteral("FRM_unidadesMedida"));
    setWindowTitle(QStringLiteral("Unidades de Medida"));
    auto *columna = new QVBoxLayout(this);
    auto *titulo = new QLabel(QStringLiteral("Unidades de Medida"), this);
    titulo->setObjectName(QStringLiteral("LBL_titulo"));
    columna->addWidget(titulo);
    auto *ayuda = new QLabel(QStringLiteral("Cada unidad pertenece a un conjunto y su relación dice cuántas "
                                            "unidades base del conjunto contiene (Caja de 12 = 12 piezas)."),
                             this);
    ayuda->setWordWrap(true);
    columna->addWidget(ayuda);
    auto *paneles = new QHBoxLayout();
    columna->addLayout(paneles, 1);

    auto *conjuntos = new QGroupBox(QStringLiteral("Conjuntos"), this);
    auto *capaConjuntos = new QVBoxLayout(conjuntos);
    GRD_conjuntos = grid(conjuntos, QStringLiteral("GRD_conjuntos"));
    uGrdConjuntos = new TGridControl(GRD_conjuntos);
    uGrdConjuntos->agregaColumna(QStringLiteral("conjunto_id"), QStringLiteral("ID"), 40, false);
    uGrdConjuntos->agregaColumna(QStringLiteral("conjunto_nombre"), QStringLiteral("Conjunto"), 150);
    uGrdConjuntos->agregaColumna(QStringLiteral("conjunto_unidades"), QStringLiteral("Unidades"), 70);
    uGrdConjuntos->setColumnaEstirada(QStringLiteral("conjunto_nombre"));
    capaConjuntos->addWidget(GRD_conjuntos, 1);
    auto *formaConjunto = new QFormLayout();
    TXT_conjunto = u_campoTexto(conjuntos, QStringLiteral("TXT_conjunto"), limites::kConjuntoNombre);
    formaConjunto->addRow(QStringLiteral("Nombre"), TXT_conjunto);
    capaConjuntos->addLayout(formaConjunto);
    auto *botonesConjunto = new QHBoxLayout();
    BTN_nuevoConjunto = u_boton(conjuntos, QStringLiteral("BTN_nuevoConjunto"), QStringLiteral("Nuevo"));
    BTN_guardarConjunto =
        u_boton(conjuntos, QStringLiteral("BTN_guardarConjunto"), QStringLiteral("Guardar"));
    botonesConjunto->addStretch(1);
    botonesConjunto->addWidget(BTN_nuevoConjunto);
    botonesConjunto->addWidget(BTN_guardarConjunto);
    capaConjuntos->addLayout(botonesConjunto);
    paneles->addWidget(conjuntos, 2);

    auto *unidades = new QGroupBox(QStringLiteral("Unidades del conjunto"), this);
    auto *capaUnidades = new QVBoxLayout(unidades);
    GRD_unidades = grid(unidades, QStringLiteral("GRD_unidades"));
    uGrdUnidades = new TGridControl(GRD_unidades);
    uGrdUnidades->agregaColumna(QStringLiteral("unidadMedida_id"), QStringLiteral("ID"), 40, false);
    uGrdUnidades->agregaColumna(QStringLiteral("unidadMedida_descripcion"), QStringLiteral("Unidad"), 160);
    uGrdUnidades->agregaColumna(QStringLiteral("unidadMedida_abreviatura"), QStringLiteral("Abreviatura"),
                                90);
    uGrdUnidades->agregaColumna(QStringLiteral("unidadMedida_relacion"), QStringLiteral("Relación"), 80, true,
                                kColNumero);
    uGrdUnidades->setColumnaEstirada(QStringLiteral("unidadMedida_descripcion"));
    capaUnidades->addWidget(GRD_unidades, 1);
    auto *formaUnidad = new QFormLayout();
    TXT_descripcion = u_campoTexto(unidades, QStringLiteral("TXT_descripcion"), limites::kUnidadDescripcion);
    TXT_abreviatura = u_campoTexto(unidades, QStringLiteral("TXT_abreviatura"), limites::kUnidadAbreviatura);
    TXT_relacion = u_campoTexto(unidades, QStringLiteral("TXT_relacion"), 20);
    u_soloDecimales(TXT_relacion);
    formaUnidad->addRow(QStringLiteral("Nombre"), TXT_descripcion);
    formaUnidad->addRow(QStringLiteral("Abreviatura"), TXT_abreviatura);
    formaUnidad->addRow(QStringLiteral("Relación"), TXT_relacion);
    capaUnidades->addLayout(formaUnidad);
    auto *botonesUnidad = new QHBoxLayout();
    BTN_nuevaUnidad = u_boton(unidades, QStringLiteral("BTN_nuevaUnidad"), QStringLiteral("Nueva"));
    BTN_guardarUnidad = u_boton(unidades, QStringLiteral("BTN_guardarUnidad"), QStringLiteral("Guardar"));
    botonesUnidad->addStretch(1);
    botonesUnidad->addWidget(BTN_nuevaUnidad);
    botonesUnidad->addWidget(BTN_guardarUnidad);
    capaUnidades->addLayout(botonesUnidad);
    paneles->addWidget(unidades, 3);

    LBL_msg = new QLabel(this);
    LBL_msg->setObjectName(QStringLiteral("LBL_msg"));
    columna->addWidget(LBL_msg);
    auto *pie = new QHBoxLayout();
    pie->addStretch(1);
    BTN_cerrar = u_boton(this, QStringLiteral("BTN_cerrar"), QStringLiteral("Cerrar"));
    pie->addWidget(BTN_cerrar);
    columna->addLayout(pie);

    const bool puedeEscribir = !uSistema.esRestringido();
    for (QPushButton *b : {BTN_nuevoConjunto, BTN_guardarConjunto, BTN_nuevaUnidad, BTN_guardarUnidad})
        b->setEnabled(puedeEscribir);

    connect(GRD_conjuntos->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TFRM_unidadesMedida::GRD_conjuntosSeleccion);
    connect(GRD_unidades->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TFRM_unidadesMedida::GRD_unidadesSeleccion);
    connect(BTN_nuevoConjunto, &QPushButton::clicked, this, &TFRM_unidadesMedida::BTN_nuevoConjuntoClick);
    connect(BTN_guardarConjunto, &QPushButton::clicked, this, &TFRM_unidadesMedida::BTN_guardarConjuntoClick);
    connect(BTN_nuevaUnidad, &QPushButton::clicked, this, &TFRM_unidadesMedida::BTN_nuevaUnidadClick);
    connect(BTN_guardarUnidad, &QPushButton::clicked, this, &TFRM_unidadesMedida::BTN_guardarUnidadClick);
    connect(BTN_cerrar, &QPushButton::clicked, this, &QDialog::accept);
    u_aplicaEstiloDialogo(this);
    resize(820, 520);
}

bool TFRM_unidadesMedida::prepara() {
    cargaConjuntos(0);
    return true;
}

void TFRM_unidadesMedida::init() {
    prepara();
    exec();
}

void TFRM_unidadesMedida::avisa(const QString &texto) {
    LBL_msg->setText(texto);
    if (!texto.isEmpty())
        u_mensaje(texto, kAdvertencia);
}

int TFRM_unidadesMedida::conjuntoSeleccionado() const {
    const int f = uGrdConjuntos->filaSeleccionada();
    return f < 0 ? 0 : int(uGrdConjuntos->getCeldaAsInt(f, QStringLiteral("conjunto_id")));
}

void TFRM_unidadesMedida::cargaConjuntos(int seleccionar) {
    uGrdConjuntos->carga(TunidadesMedida(uSistema.conexion).selectConjuntos(uSistema.negocio.getIdNegocio()));
    seleccionaPorId(uGrdConjuntos, QStringLiteral("conjunto_id"), seleccionar);
    GRD_conjuntosSeleccion();
}

void TFRM_unidadesMedida::cargaUnidades(int seleccionar) {
    const int conjunto = conjuntoSeleccionado();
    if (conjunto <= 0)
        uGrdUnidades->limpia();
    else
        uGrdUnidades->carga(
            TunidadesMedida(uSistema.conexion).selectUnidades(conjunto, uSistema.negocio.getIdNegocio()));
    seleccionaPorId(uGrdUnidades, QStringLiteral("unidadMedida_id"), seleccionar);
    GRD_unidadesSeleccion();
}

void TFRM_unidadesMedida::GRD_conjuntosSeleccion() {
    const int f = uGrdConjuntos->filaSeleccionada();
    uConjuntoEditado = conjuntoSeleccionado();
    TXT_conjunto->setText(f < 0 ? QString() : uGrdConjuntos->getCelda(f, QStringLiteral("conjunto_nombre")));
    cargaUnidades(0);
}

void TFRM_unidadesMedida::GRD_unidadesSeleccion() {
    const int f = uGrdUnidades->filaSeleccionada();
    uUnidadEditada = f < 0 ? 0 : int(uGrdUnidades->getCeldaAsInt(f, QStringLiteral("unidadMedida_id")));
    TXT_descripcion->setText(f < 0 ? QString()
                                   : uGrdUnidades->getCelda(f, QStringLiteral("unidadMedida_descripcion")));
    TXT_abreviatura->setText(f < 0 ? QString()
                                   : uGrdUnidades->getCelda(f, QStringLiteral("unidadMedida_abreviatura")));
    // The first unit of a new set is usually its base.
    TXT_relacion->setText(f < 0 ? QStringLiteral("1")
                                : uGrdUnidades->getCelda(f, QStringLiteral("unidadMedida_relacion")));
}

void TFRM_unidadesMedida::BTN_nuevoConjuntoClick() {
    // No row stays current, so choosing any row afterwards loads it.
    GRD_conjuntos->setCurrentIndex({});
    uConjuntoEditado = 0;
    TXT_conjunto->clear();
    TXT_conjunto->setFocus();
}

void TFRM_unidadesMedida::BTN_guardarConjuntoClick() {
    const TresultadoCaptura r = unidadCaptura::guardaConjunto(
        uSistema.conexion, uConjuntoEditado, TXT_conjunto->text(), uSistema.negocio.getIdNegocio());
    avisa(r.mensaje);
    if (r.ok())
        cargaConjuntos(r.id);
}

void TFRM_unidadesMedida::BTN_nuevaUnidadClick() {
    GRD_unidades->setCurrentIndex({});
    uUnidadEditada = 0;
    TXT_descripcion->clear();
    TXT_abreviatura->clear();
    TXT_relacion->setText(QStringLiteral("1"));
    TXT_descripcion->setFocus();
}

void TFRM_unidadesMedida::BTN_guardarUnidadClick() {
    const TunidadCaptura u{uUnidadEditada, TXT_descripcion->text(), TXT_abreviatura->text(),
                           conjuntoSeleccionado(), TXT_relacion->text()};
    const TresultadoCaptura r = unidadCaptura::guarda(uSistema.conexion, u, uSistema.negocio.getIdNegocio());
    avisa(r.mensaje);
    if (!r.ok())
        return;
    // The set's unit count changed: reload the sets, keeping this one and the new unit selected.
    const int conjunto = conjuntoSeleccionado();
    uGrdConjuntos->carga(TunidadesMedida(uSistema.conexion).selectConjuntos(uSistema.negocio.getIdNegocio()));
    seleccionaPorId(uGrdConjuntos, QStringLiteral("conjunto_id"), conjunto);
    uConjuntoEditado = conjunto;
    cargaUnidades(r.id);
}

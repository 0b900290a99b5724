#include "comun/ui/UFRM_selectorBase.h"

#include "comun/U_mensajes.h"
#include "comun/ui/UestiloComponentes.h"

#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

void u_aplicaEstiloDialogo(QWidget *dialogo) {
    const QString hoja = EstiloComponentesBPLFrm ? EstiloComponentesBPLFrm->hojaEstilo()
                                                 : TEstiloComponentesBPLFrm(getColores()).hojaEstilo();
    const TlistaColores colores = getColores();
    dialogo->setStyleSheet(
        hoja + QStringLiteral("QDialog { background: %1; } QLabel#LBL_titulo { font-size: 13pt; font-weight: "
                              "bold; color: %2; } QLabel#LBL_msg { color: %3; }")
                   .arg(QColor::fromRgba(colorOGris(colores, QStringLiteral("fondoSolido"))).name(),
                        QColor::fromRgba(colorOGris(colores, QStringLiteral("tituloFormulario"))).name(),
                        QColor::fromRgba(colorOGris(colores, QStringLiteral("alerta"))).name()));
}

QLineEdit *u_campoTexto(QWidget *padre, const QString &nombre, int limite) {
    auto *t = new QLineEdit(padre);
    t->setObjectName(nombre);
    t->setMaxLength(limite);
    return t;
}

void u_botonesAceptarCancelar(QDialog *dialogo, QBoxLayout *columna, QPushButton *&aceptar,
                              QPushButton *&cancelar) {
    auto *botones = new QHBoxLayout();
    botones->addStretch(1);
    aceptar = u_boton(dialogo, QStringLiteral("BTN_aceptar"), QStringLiteral("Aceptar"));
    cancelar = u_boton(dialogo, QStringLiteral("BTN_cancelar"), QStringLiteral("Cancelar"));
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    columna->addLayout(botones);
    QObject::connect(cancelar, &QPushButton::clicked, dialogo, &QDialog::reject);
}

TFRM_selectorBase::TFRM_selectorBase(const QString &titulo, QWidget *padre) : QDialog(padre) {
    setWindowTitle(titulo);
    auto *columna = new QVBoxLayout(this);
    LBL_titulo = new QLabel(titulo, this);
    LBL_titulo->setObjectName(QStringLiteral("LBL_titulo"));
    columna->addWidget(LBL_titulo);

    uBarraFiltros = new QHBoxLayout();
    TXT_buscar = u_campoTexto(this, QStringLiteral("TXT_buscar"), 100);
    TXT_buscar->setPlaceholderText(QStringLiteral("Buscar..."));
    TXT_buscar->setClearButtonEnabled(true);
    uBarraFiltros->addWidget(TXT_buscar, 1);
    columna->addLayout(uBarraFiltros);

    GRD_main = new QTableView(this);
    GRD_main->setObjectName(QStringLiteral("GRD_main"));
    GRD_main->setAlternatingRowColors(true);
    GRD_main->verticalHeader()->hide();
    uGrid = new TGridControl(GRD_main);
    columna->addWidget(GRD_main, 1);

    LBL_msg = new QLabel(this);
    LBL_msg->setObjectName(QStringLiteral("LBL_msg"));
    columna->addWidget(LBL_msg);

    uBarraAcciones = new QHBoxLayout();
    columna->addLayout(uBarraAcciones);
    u_botonesAceptarCancelar(this, uBarraAcciones, BTN_aceptar, BTN_cancelar);

    connect(TXT_buscar, &QLineEdit::textChanged, this, &TFRM_selectorBase::buscar);
    connect(TXT_buscar, &QLineEdit::returnPressed, this, &TFRM_selectorBase::buscar);
    connect(uGrid, &TGridControl::filaActivada, this, &TFRM_selectorBase::BTN_aceptarClick);
    connect(BTN_aceptar, &QPushButton::clicked, this, &TFRM_selectorBase::BTN_aceptarClick);
    u_aplicaEstiloDialogo(this);
    resize(760, 480);
}

QPushButton *TFRM_selectorBase::agregaBoton(QHBoxLayout *barra, const QString &nombre, const QString &texto) {
    QPushButton *b = u_boton(this, nombre, texto);
    // On the action bar, extra actions line up on the left and Aceptar / Cancelar on the right.
    if (barra == uBarraAcciones && BTN_cancelar)
        barra->insertWidget(uAccionesExtra++, b);
    else
        barra->addWidget(b);
    return b;
}

void TFRM_selectorBase::setAviso(const QString &texto) {
    LBL_msg->setText(texto);
}

void TFRM_selectorBase::buscar() {
    if (!cargaFilas(TXT_buscar->text())) {
        setAviso(QStringLiteral("No se pudo consultar la lista."));
        return;
    }
    setAviso(uGrid->filas() == 0 ? QStringLiteral("No hay elementos que mostrar") : QString());
    if (uGrid->filas() > 0)
        GRD_main->selectRow(0);
}

void TFRM_selectorBase::BTN_aceptarClick() {
    const int fila = uGrid->filaSeleccionada();
    if (fila < 0) {
        u_mensaje(QStringLiteral("Seleccione un elemento de la lista."), kAdvertencia);
        return;
    }
    if (tomaFila(fila))
        accept();
}

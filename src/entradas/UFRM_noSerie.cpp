#include "entradas/UFRM_noSerie.h"

#include "comun/UNEG_numerosSerie.h"
#include "comun/U_mensajes.h"
#include "comun/ui/U_bplpanelcontrol.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int kColElimina = 0;
constexpr int kColNumero = 1;
} // namespace

TFRM_noSerie::TFRM_noSerie(QWidget *padre) : TdialogoModal(QStringLiteral("No. de Serie"), padre) {
    auto *principal = new QVBoxLayout(this);

    auto *captura = new QHBoxLayout;
    TXT_noSerie = u_campo(this, QStringLiteral("TXT_noSerie"), noSerie::kLargoMaximo);
    BTN_agregarNoSerie = u_boton(this, QStringLiteral("BTN_agregarNoSerie"), QStringLiteral("Agregar"));
    BTN_listado = u_boton(this, QStringLiteral("BTN_listado"), QStringLiteral("Insertar Lista de Números"));
    LBL_seriesCapturadas = u_etiqueta(this, QStringLiteral("LBL_seriesCapturadas"));
    captura->addWidget(u_etiqueta(this, QStringLiteral("LBL_noSerie"), QStringLiteral("No. Serie")));
    captura->addWidget(TXT_noSerie, 1);
    captura->addWidget(BTN_agregarNoSerie);
    captura->addWidget(BTN_listado);
    captura->addWidget(LBL_seriesCapturadas);
    principal->addLayout(captura);

    GRD_noSerie = new QTableWidget(0, 2, this);
    GRD_noSerie->setObjectName(QStringLiteral("GRD_noSerie"));
    GRD_noSerie->setHorizontalHeaderLabels({QStringLiteral("Elimina"), QStringLiteral("No. Serie")});
    GRD_noSerie->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GRD_noSerie->setSelectionBehavior(QAbstractItemView::SelectRows);
    GRD_noSerie->verticalHeader()->hide();
    GRD_noSerie->setColumnWidth(kColElimina, 60);
    GRD_noSerie->horizontalHeader()->setStretchLastSection(true);
    principal->addWidget(GRD_noSerie, 1);

    PNL_listado = new QFrame(this);
    PNL_listado->setObjectName(QStringLiteral("PNL_listado"));
    PNL_listado->setFrameShape(QFrame::StyledPanel);
    auto *listado = new QVBoxLayout(PNL_listado);
    listado->addWidget(u_etiqueta(PNL_listado, QStringLiteral("LBL_listado"),
                                  QStringLiteral("Pegue en este recuadro un listado de números de serie.")));
    MEM_listado = new QPlainTextEdit(PNL_listado);
    MEM_listado->setObjectName(QStringLiteral("MEM_listado"));
    listado->addWidget(MEM_listado);
    auto *botonesListado = new QHBoxLayout;
    auto *insertar = u_boton(PNL_listado, QStringLiteral("BTN_insertarListado"), QStringLiteral("Insertar"));
    auto *cerrar = u_boton(PNL_listado, QStringLiteral("BTN_cerrarListado"), QStringLiteral("Cerrar"));
    botonesListado->addStretch();
    botonesListado->addWidget(insertar);
    botonesListado->addWidget(cerrar);
    listado->addLayout(botonesListado);
    principal->addWidget(PNL_listado, 1);
    agregaBotones(principal);
    resize(520, 420);

    connect(BTN_agregarNoSerie, &QPushButton::clicked, this, &TFRM_noSerie::agregarNoSerie);
    connect(TXT_noSerie, &QLineEdit::returnPressed, this, &TFRM_noSerie::agregarNoSerie);
    connect(BTN_listado, &QPushButton::clicked, this, [this] { muestraListado(true); });
    connect(insertar, &QPushButton::clicked, this, &TFRM_noSerie::insertarListado);
    connect(cerrar, &QPushButton::clicked, this, [this] { muestraListado(false); });
    connect(GRD_noSerie, &QTableWidget::cellClicked, this, [this](int fila, int columna) {
        if (columna == kColElimina) {
            GRD_noSerie->removeRow(fila);
            validaCapturaMaxima();
        }
    });
}

void TFRM_noSerie::prepara(const TnoSerie &lista, int cantidadLimite, int idProducto) {
    uEntrada = lista;
    uCantidadLimite = cantidadLimite;
    uProducto = idProducto;
    GRD_noSerie->setRowCount(0);
    for (const QString &n : lista)
        agregaFila(n);
    muestraListado(false);
    validaCapturaMaxima();
}

void TFRM_noSerie::agregaFila(const QString &numero) {
    const int fila = GRD_noSerie->rowCount();
    GRD_noSerie->insertRow(fila);
    auto *elimina = new QTableWidgetItem(QStringLiteral("✕"));
    elimina->setTextAlignment(Qt::AlignCenter);
    elimina->setForeground(QColor(0xC6, 0x28, 0x28));
    elimina->setToolTip(QStringLiteral("Elimina"));
    GRD_noSerie->setItem(fila, kColElimina, elimina);
    GRD_noSerie->setItem(fila, kColNumero, new QTableWidgetItem(numero));
}

TnoSerie TFRM_noSerie::numerosEnGrid() const {
    TnoSerie lista;
    for (int i = 0; i < GRD_noSerie->rowCount(); ++i)
        lista << GRD_noSerie->item(i, kColNumero)->text();
    return lista;
}

void TFRM_noSerie::validaCapturaMaxima(const QString &separador) {
    const int filas = GRD_noSerie->rowCount();
    const bool caben = filas < uCantidadLimite;
    TXT_noSerie->setEnabled(caben);
    BTN_agregarNoSerie->setEnabled(caben);
    BTN_listado->setEnabled(caben);
    LBL_seriesCapturadas->setText(QString::number(filas) + separador + QString::number(uCantidadLimite));
}

void TFRM_noSerie::muestraListado(bool visible) {
    if (visible)
        MEM_listado->clear();
    PNL_listado->setVisible(visible);
    GRD_noSerie->setVisible(!visible);
}

void TFRM_noSerie::agregarNoSerie() {
    const QString numero = TXT_noSerie->text().trimmed();
    if (numero.isEmpty() || GRD_noSerie->rowCount() >= uCantidadLimite)
        return;
    const QString aviso =
        TcapturaNoSerie(sesionActual(), uProducto, negocioActual()).validaNumero(numero, numerosEnGrid());
    if (!aviso.isEmpty()) {
        u_mensaje(aviso, kAdvertencia);
        return;
    }
    agregaFila(numero);
    TXT_noSerie->clear();
    validaCapturaMaxima(QStringLiteral("\\"));
}

void TFRM_noSerie::insertarListado() {
    const noSerie::Tlistado listado =
        TcapturaNoSerie(sesionActual(), uProducto, negocioActual())
            .analizaListado(MEM_listado->toPlainText(), numerosEnGrid(), uCantidadLimite);
    if (!listado.mensaje.isEmpty()) {
        u_mensaje(listado.mensaje, kAdvertencia);
        return;
    }
    if (listado.numeros.isEmpty() ||
        !u_confirmaAceptarCancelar(noSerie::confirmacionListado(listado.numeros.size())))
        return;
    for (const QString &n : listado.numeros)
        agregaFila(n);
    muestraListado(false);
    validaCapturaMaxima();
}

TnoSerie TFRM_noSerie::resultado() const {
    return uAceptar ? numerosEnGrid() : uEntrada;
}

TnoSerie TFRM_noSerie::init(const TnoSerie &lista, int cantidadLimite, int idProducto) {
    prepara(lista, cantidadLimite, idProducto);
    exec();
    return resultado();
}

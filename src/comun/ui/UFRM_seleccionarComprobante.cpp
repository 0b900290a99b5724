#include "comun/ui/UFRM_seleccionarComprobante.h"

#include "comun/UNEG_seleccionarComprobante.h"
#include "comun/U_utilerias.h"
#include "comun/ui/U_bplpanelcontrol.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
enum class Tformato { Texto, Fecha, Moneda };

struct Tcolumna {
    const char *encabezado;
    const char *alias;
    int ancho; // 0: hidden
    Tformato formato;
};

const Tcolumna kColumnas[] = {
    {"_comorobante_id", "comprobante_idComprobante", 0, Tformato::Texto},
    {"UUID", "comprobante_uuid", 260, Tformato::Texto},
    {"Fecha", "comprobante_fecha", 130, Tformato::Fecha},
    {"_serie", "comprobante_serie", 0, Tformato::Texto},
    {"_folio", "comprobante_folio", 0, Tformato::Texto},
    {"Serie\\folio", "comprobante_serie_folio", 100, Tformato::Texto},
    {"RFC", "_rfc", 110, Tformato::Texto},
    {"Nombre", "_nombre", 120, Tformato::Texto},
    {"Subtotal", "comprobante_subtotal", 90, Tformato::Moneda},
    {"Total", "comprobante_total", 90, Tformato::Moneda},
    {"Metodo Pago", "comprobante_metodoDePago", 120, Tformato::Texto},
};
constexpr int kColNombre = 7;

// The cell as listed (kept for the answer) and as drawn.
QTableWidgetItem *elemento(const CmidTierResponse &filas, int fila, const Tcolumna &c) {
    const QString alias = QString::fromLatin1(c.alias);
    QString valor = filas.getCelda(fila, alias);
    QString dibujo = valor;
    if (c.formato == Tformato::Fecha) {
        const QDateTime fecha = filas.getCeldaAsDate(fila, alias);
        valor = fecha.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        dibujo = fecha.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    } else if (c.formato == Tformato::Moneda) {
        valor = FloatToStr(filas.getCeldaAsFloat(fila, alias));
        dibujo = u_formatoMoneda(filas.getCeldaAsFloat(fila, alias));
    }
    auto *item = new QTableWidgetItem(dibujo);
    item->setData(Qt::UserRole, valor);
    if (c.formato == Tformato::Moneda)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

bool esEnter(const QKeyEvent *tecla) {
    return tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter;
}
} // namespace

TFRM_seleccionarComprobante::TFRM_seleccionarComprobante(QWidget *padre)
    : TdialogoModal(QStringLiteral("Seleccionar Comprobante"), padre) {
    auto *principal = new QVBoxLayout(this);
    auto *filtros = new QGridLayout;
    RAD_egresos = new QRadioButton(QStringLiteral("Egresos"), this);
    RAD_egresos->setObjectName(QStringLiteral("RAD_egresos"));
    RAD_ingresos = new QRadioButton(QStringLiteral("Ingresos"), this);
    RAD_ingresos->setObjectName(QStringLiteral("RAD_ingresos"));
    auto *grupo = new QButtonGroup(this);
    grupo->addButton(RAD_egresos);
    grupo->addButton(RAD_ingresos);
    TXT_comprobante = u_campo(this, QStringLiteral("TXT_comprobante"), 36);
    auto *reiniciaComprobante =
        u_boton(this, QStringLiteral("BTN_reiniciarTXTcomprobante"), QStringLiteral("Limpiar"));
    DTP_inicial = u_fecha(this, QStringLiteral("DTP_inicial"));
    DTP_final = u_fecha(this, QStringLiteral("DTP_final"));
    auto *busca = u_boton(this, QStringLiteral("BTN_buscar"), QStringLiteral("Buscar"));

    filtros->addWidget(RAD_egresos, 0, 0);
    filtros->addWidget(RAD_ingresos, 0, 1);
    filtros->addWidget(u_etiqueta(this, QStringLiteral("LBL_inicial"), QStringLiteral("Fecha Inicial")), 1,
                       0);
    filtros->addWidget(DTP_inicial, 1, 1);
    filtros->addWidget(u_etiqueta(this, QStringLiteral("LBL_final"), QStringLiteral("Fecha Final")), 1, 2);
    filtros->addWidget(DTP_final, 1, 3);
    filtros->addWidget(u_etiqueta(this, QStringLiteral("LBL_comprobante"), QStringLiteral("UUID")), 0, 2);
    filtros->addWidget(TXT_comprobante, 0, 3, 1, 3);
    filtros->addWidget(reiniciaComprobante, 0, 6);
    filtros->addWidget(busca, 1, 6);
    filtros->setColumnStretch(5, 1);
    principal->addLayout(filtros);

    GRD_comprobantes = new QTableWidget(0, int(std::size(kColumnas)), this);
    GRD_comprobantes->setObjectName(QStringLiteral("GRD_comprobantes"));
    GRD_comprobantes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GRD_comprobantes->setSelectionBehavior(QAbstractItemView::SelectRows);
    GRD_comprobantes->setSelectionMode(QAbstractItemView::SingleSelection);
    GRD_comprobantes->verticalHeader()->hide();
    GRD_comprobantes->setWordWrap(false);
    for (int i = 0; i < int(std::size(kColumnas)); ++i) {
        GRD_comprobantes->setHorizontalHeaderItem(
            i, new QTableWidgetItem(QString::fromUtf8(kColumnas[i].encabezado)));
        GRD_comprobantes->setColumnWidth(i, kColumnas[i].ancho);
        GRD_comprobantes->setColumnHidden(i, kColumnas[i].ancho == 0);
    }
    GRD_comprobantes->horizontalHeader()->setSectionResizeMode(kColNombre, QHeaderView::Stretch);
    principal->addWidget(GRD_comprobantes, 1);
    LBL_msgGRDcomprobantes = u_etiqueta(this, QStringLiteral("LBL_msgGRDcomprobantes"));
    LBL_msgGRDcomprobantes->setAlignment(Qt::AlignCenter);
    principal->addWidget(LBL_msgGRDcomprobantes);
    agregaBotones(principal);
    resize(1100, 480);

    connect(busca, &QPushButton::clicked, this, &TFRM_seleccionarComprobante::buscar);
    connect(TXT_comprobante, &QLineEdit::returnPressed, this, &TFRM_seleccionarComprobante::buscar);
    connect(reiniciaComprobante, &QPushButton::clicked, this, [this] {
        TXT_comprobante->clear();
        buscar();
    });
    connect(RAD_egresos, &QRadioButton::toggled, this, [this](bool marcado) {
        if (marcado && !uPreparando)
            buscar();
    });
    connect(RAD_ingresos, &QRadioButton::toggled, this, [this](bool marcado) {
        if (marcado && !uPreparando)
            buscar();
    });
    connect(GRD_comprobantes, &QTableWidget::cellDoubleClicked, this, [this] { alAceptar(); });
    for (QObject *o : {static_cast<QObject *>(DTP_inicial), static_cast<QObject *>(DTP_final),
                       static_cast<QObject *>(GRD_comprobantes)})
        o->installEventFilter(this);
}

bool TFRM_seleccionarComprobante::eventFilter(QObject *objeto, QEvent *evento) {
    if (evento->type() != QEvent::KeyPress)
        return TdialogoModal::eventFilter(objeto, evento);
    const auto *tecla = static_cast<QKeyEvent *>(evento);
    if (objeto == GRD_comprobantes && esEnter(tecla)) {
        alAceptar();
        return true;
    }
    if (objeto == GRD_comprobantes && tecla->key() == Qt::Key_Escape) {
        DTP_inicial->setFocus();
        return true;
    }
    if ((objeto == DTP_inicial || objeto == DTP_final) && esEnter(tecla)) {
        buscar();
        return true;
    }
    return TdialogoModal::eventFilter(objeto, evento);
}

void TFRM_seleccionarComprobante::prepara(bool ingresos, TDateTime fecha) {
    uPreparando = true;
    uRespuesta = UREC_comprobante();
    uAceptar = false;
    RAD_ingresos->setChecked(ingresos);
    RAD_egresos->setChecked(!ingresos);
    TXT_comprobante->clear();
    LBL_msgGRDcomprobantes->clear();
    const QDate dia = fechaHora::deTDateTime(fecha).date();
    DTP_inicial->setDate(dia);
    DTP_final->setDate(dia);
    uPreparando = false;
    buscar();
}

void TFRM_seleccionarComprobante::buscar() {
    // Whole days: the pickers show dates, and an invoice of the last day counts until its end.
    const QDateTime inicial = fechaHora::inicioDelDia(DTP_inicial->date());
    const QDateTime final_ = fechaHora::finDelDia(DTP_final->date());
    const QVariant uuid = Tcomprobante::patronUuid(TXT_comprobante->text());
    Tcomprobante consulta(sesionActual());
    const CmidTierResponse filas =
        RAD_ingresos->isChecked()
            ? consulta.selectComprobantesEgresos(negocioActual(), Tcomprobante::kIngreso,
                                                 Tcomprobante::kIngresoNota, uuid, inicial, final_)
            : consulta.selectComprobantesIngresos(negocioActual(), Tcomprobante::kEgreso,
                                                  Tcomprobante::kEgresoNota, uuid, inicial, final_);
    if (filas.isSuccess())
        llenaGrid(filas);
}

void TFRM_seleccionarComprobante::llenaGrid(const CmidTierResponse &filas) {
    GRD_comprobantes->setRowCount(0);
    GRD_comprobantes->setRowCount(filas.getRowCount());
    for (int f = 0; f < filas.getRowCount(); ++f)
        for (int c = 0; c < int(std::size(kColumnas)); ++c)
            GRD_comprobantes->setItem(f, c, elemento(filas, f, kColumnas[c]));
    if (filas.getRowCount() == 0) {
        LBL_msgGRDcomprobantes->setText(QStringLiteral("No hay elementos que mostrar"));
        LBL_msgGRDcomprobantes->show();
        return;
    }
    LBL_msgGRDcomprobantes->hide();
    GRD_comprobantes->selectRow(0);
    GRD_comprobantes->setFocus();
}

QString TFRM_seleccionarComprobante::celda(int fila, const QString &encabezado) const {
    for (int c = 0; c < int(std::size(kColumnas)); ++c)
        if (QString::fromUtf8(kColumnas[c].encabezado) == encabezado)
            return GRD_comprobantes->item(fila, c)->data(Qt::UserRole).toString();
    return {};
}

void TFRM_seleccionarComprobante::alAceptar() {
    const int fila = GRD_comprobantes->currentRow();
    if (GRD_comprobantes->rowCount() == 0 || fila < 0)
        return;
    UREC_comprobante r;
    r.aceptar = true;
    r.id = celda(fila, QStringLiteral("_comorobante_id")).toInt();
    r.emisorRFC = celda(fila, QStringLiteral("RFC"));
    r.emisorNombre = celda(fila, QStringLiteral("Nombre"));
    r.fechaHora = celda(fila, QStringLiteral("Fecha"));
    r.total = celda(fila, QStringLiteral("Total"));
    r.serie = celda(fila, QStringLiteral("_serie"));
    r.folio = celda(fila, QStringLiteral("_folio"));
    r.comprobante = getComprobanteById(r.id, negocioActual(), sesionActual());
    uRespuesta = r;
    acepta();
}

UREC_comprobante TFRM_seleccionarComprobante::initEgresos(TDateTime fecha) {
    prepara(false, fecha);
    exec();
    return uRespuesta;
}

UREC_comprobante TFRM_seleccionarComprobante::initIngresos(TDateTime fecha) {
    prepara(true, fecha);
    exec();
    return uRespuesta;
}

#include "comun/ui/U_pantallaLista.h"

#include "comun/U_mensajes.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/U_reportes.h"
#include "comun/ui/UgridControl.h"

#include <QDateEdit>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QTableView>

namespace {
constexpr int kDuracionAnimacion = 200;
}

TavisoListaVacia::TavisoListaVacia(QTableView *grid, const QString &nombre)
    : QObject(grid), uVista(grid->viewport()), uEtiqueta(u_creaEtiqueta(nombre, QString(), grid)) {
    uEtiqueta->setAlignment(Qt::AlignCenter);
    uEtiqueta->hide();
    // The viewport is laid out by the time its own resize arrives (the grid's comes first).
    uVista->installEventFilter(this);
}

void TavisoListaVacia::muestra(bool vacia) {
    uEtiqueta->setVisible(vacia);
    if (!vacia)
        return;
    uEtiqueta->setText(kSinElementos);
    acomoda();
    uEtiqueta->raise();
}

void TavisoListaVacia::oculta() {
    uEtiqueta->hide();
}

bool TavisoListaVacia::eventFilter(QObject *objeto, QEvent *evento) {
    if (objeto == uVista && evento->type() == QEvent::Resize)
        acomoda();
    return QObject::eventFilter(objeto, evento);
}

void TavisoListaVacia::acomoda() {
    uEtiqueta->setGeometry(uVista->geometry());
}

TdespliegueFiltros::TdespliegueFiltros(QWidget *panel, int cerrado, int abierto)
    : QObject(panel), uPanel(panel), uCerrado(cerrado), uAbiertoAlto(abierto) {
    panel->setMaximumHeight(cerrado);
}

bool TdespliegueFiltros::alterna() {
    uAbierto = !uAbierto;
    const int alto = uAbierto ? (uAbiertoAlto > 0 ? uAbiertoAlto : uPanel->sizeHint().height()) : uCerrado;
    auto *animacion = new QPropertyAnimation(uPanel, "maximumHeight", this);
    animacion->setDuration(kDuracionAnimacion);
    animacion->setStartValue(uPanel->maximumHeight());
    animacion->setEndValue(alto);
    animacion->start(QAbstractAnimation::DeleteWhenStopped);
    return uAbierto;
}

QHBoxLayout *u_filaAcciones(QWidget *padre, std::initializer_list<QPushButton *> capturas,
                            TbotonesExportar &exportar) {
    exportar.excel = u_creaBoton(QStringLiteral("BTN_exportarExcel"), QStringLiteral("Excel"), padre);
    exportar.pdf = u_creaBoton(QStringLiteral("BTN_exportarPDF"), QStringLiteral("PDF"), padre);
    exportar.pdfLote = u_creaBoton(QStringLiteral("BTN_exportarPDFlote"), QStringLiteral("PDF Lote"), padre);
    auto *fila = new QHBoxLayout;
    for (QPushButton *b : capturas)
        fila->addWidget(b);
    fila->addStretch();
    for (QPushButton *b : {exportar.excel, exportar.pdf, exportar.pdfLote})
        fila->addWidget(b);
    return fila;
}

bool u_abreCaptura(const std::function<bool(QWidget *padre)> &captura, QWidget *padre,
                   const QString &ausente) {
    if (!captura) {
        u_mensaje(ausente, kInformacion);
        return false;
    }
    return captura(padre);
}

bool u_hayElementos(const TGridControl &grid) {
    if (grid.filas() > 0)
        return true;
    u_mensaje(kSinElementos, kInformacion);
    return false;
}

TopcionesPDF u_opcionesRangoPDF(const QDateEdit *desde, const QDateEdit *hasta, double escala,
                                const QString &nombreArchivo) {
    TopcionesPDF opciones;
    opciones.escala = escala;
    opciones.desde = desde->date().toString(QStringLiteral("dd/MM/yyyy"));
    opciones.hasta = hasta->date().toString(QStringLiteral("dd/MM/yyyy"));
    opciones.nombreArchivo = nombreArchivo;
    return opciones;
}

#include "inventario/UbarraLateral.h"

#include "comun/ui/U_imagenes.h"

#include <QColor>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace {
QString nombreSinPrefijo(const QString &nombre) {
    return nombre.mid(4); // after "BTN_"
}
} // namespace

TentradaLateral::TentradaLateral(const QString &nombre, const QString &texto, const QString &nombreEtiqueta,
                                 QWidget *padre)
    : QFrame(padre) {
    setObjectName(nombre);
    setFixedHeight(kAltura);
    setCursor(Qt::PointingHandCursor);
    setAutoFillBackground(true);
    auto *fila = new QHBoxLayout(this);
    fila->setContentsMargins(14, 0, 10, 0);
    fila->setSpacing(10);
    uImagen = new QLabel(this);
    uImagen->setObjectName(QStringLiteral("IMG_") + nombreSinPrefijo(nombre));
    uImagen->setFixedSize(16, 16);
    uEtiqueta = new QLabel(texto, this);
    uEtiqueta->setObjectName(nombreEtiqueta);
    fila->addWidget(uImagen);
    fila->addWidget(uEtiqueta, 1);
}

void TentradaLateral::pinta(quint32 fondo, const QString &nombreFondo, quint32 texto,
                            const QString &nombreTexto) {
    setProperty("colorFondo", nombreFondo);
    uEtiqueta->setProperty("colorTexto", nombreTexto);
    setStyleSheet(QStringLiteral("TentradaLateral { background-color: %1; } QLabel { color: %2; background: "
                                 "transparent; }")
                      .arg(QColor::fromRgba(fondo).name(), QColor::fromRgba(texto).name()));
}

void TentradaLateral::muestraImagen(const QString &nombre) {
    uImagen->setProperty("imagen", nombre);
    uImagen->setPixmap(nombre.isEmpty() ? QPixmap() : mini_cargaImage(nombre));
}

void TentradaLateral::mouseReleaseEvent(QMouseEvent *evento) {
    if (evento->button() == Qt::LeftButton && rect().contains(evento->position().toPoint()))
        emit clic();
    QFrame::mouseReleaseEvent(evento);
}

TgrupoLateral::TgrupoLateral(const QString &nombre, QWidget *padre) : QFrame(padre) {
    setObjectName(nombre);
    setFixedHeight(TentradaLateral::kAltura);
}

void TgrupoLateral::agrega(TentradaLateral *entrada) {
    uEntradas.append(entrada);
    colocaEntradas();
}

// Entries stand one under the other at their full height; the group's own height clips them,
// which is what the accordion animates.
void TgrupoLateral::colocaEntradas() {
    for (int i = 0; i < uEntradas.size(); ++i)
        uEntradas[i]->setGeometry(0, i * (TentradaLateral::kAltura + 1), width(), TentradaLateral::kAltura);
}

void TgrupoLateral::resizeEvent(QResizeEvent *evento) {
    QFrame::resizeEvent(evento);
    colocaEntradas();
}

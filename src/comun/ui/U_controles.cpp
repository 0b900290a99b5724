#include "comun/ui/U_controles.h"

#include "comun/U_colores.h"
#include "comun/ui/UestiloComponentes.h"

#include <QColor>
#include <QLabel>
#include <QPushButton>

QLabel *u_creaTitulo(const QString &texto, QWidget *padre, const QString &nombre) {
    QLabel *titulo = u_creaEtiqueta(nombre, texto, padre);
    const QColor color = QColor::fromRgba(colorOGris(getColores(), QStringLiteral("tituloFormulario1")));
    titulo->setStyleSheet(QStringLiteral("font-size: 16pt; font-weight: 600; color: %1;").arg(color.name()));
    return titulo;
}

QLabel *u_creaEtiqueta(const QString &nombre, const QString &texto, QWidget *padre) {
    auto *etiqueta = new QLabel(texto, padre);
    etiqueta->setObjectName(nombre);
    return etiqueta;
}

QPushButton *u_creaBoton(const QString &nombre, const QString &texto, QWidget *padre) {
    auto *boton = new QPushButton(texto, padre);
    boton->setObjectName(nombre);
    boton->setCursor(Qt::PointingHandCursor);
    return boton;
}

QPushButton *u_creaBotonLimpiar(const QString &nombre, QWidget *padre) {
    QPushButton *boton = u_creaBoton(nombre, QStringLiteral("✕"), padre);
    boton->setToolTip(QStringLiteral("Limpiar"));
    boton->setFixedWidth(30);
    boton->setStyleSheet(QStringLiteral("padding: 4px 0px;"));
    return boton;
}

void u_aplicaEstilo(QWidget *ventana) {
    if (EstiloComponentesBPLFrm)
        ventana->setStyleSheet(EstiloComponentesBPLFrm->hojaEstilo());
}

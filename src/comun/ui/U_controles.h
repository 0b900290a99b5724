#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// Controls every screen builds the same way: named, captioned and styled from the theme.

// The screen's title (LBL_titulo) in the theme's title colour.
QLabel *u_creaTitulo(const QString &texto, QWidget *padre,
                     const QString &nombre = QStringLiteral("LBL_titulo"));
QLabel *u_creaEtiqueta(const QString &nombre, const QString &texto, QWidget *padre);
QPushButton *u_creaBoton(const QString &nombre, const QString &texto, QWidget *padre);
// The small clear button beside a search field.
QPushButton *u_creaBotonLimpiar(const QString &nombre, QWidget *padre);
// A dialog outside the module's panel takes the shared style sheet itself.
void u_aplicaEstilo(QWidget *ventana);

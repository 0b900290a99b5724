#pragma once

#include <QDate>
#include <QDialog>
#include <QString>

class QBoxLayout;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

// The suite's small modal dialogs: a title, their controls, and "Aceptar" / "Cancelar" at the
// bottom. `uAceptar` is set by "Aceptar" and cleared by "Cancelar", Escape or closing. Buttons
// are never "default", so Enter in a field does what that field says, not "Aceptar".
class TdialogoModal : public QDialog {
    Q_OBJECT
public:
    explicit TdialogoModal(const QString &titulo, QWidget *padre = nullptr);

    bool uAceptar = false;

    void reject() override;

protected:
    // Adds the button row to `destino`.
    void agregaBotones(QBoxLayout *destino);
    // "Aceptar": by default accepts; a dialog that checks first overrides it.
    virtual void alAceptar();
    void acepta();
    // Read-only consultation: the cancel button reads "Cerrar" and every other control is off.
    void modoConsulta();

    QPushButton *BTN_aceptar = nullptr;
    QPushButton *BTN_cancelar = nullptr;
};

// Controls carry their given names as object names.
QPushButton *u_boton(QWidget *padre, const QString &nombre, const QString &texto);
QLabel *u_etiqueta(QWidget *padre, const QString &nombre, const QString &texto = {});
QLineEdit *u_campo(QWidget *padre, const QString &nombre, int largoMaximo);
QDateEdit *u_fecha(QWidget *padre, const QString &nombre, const QDate &fecha = QDate::currentDate());

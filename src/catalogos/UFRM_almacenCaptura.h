#pragma once

#include "comun/UNEG_almacen.h"
#include "comun/UsistemaDatos.h"

#include <QDialog>
#include <QVector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The warehouse capture dialog: a new warehouse or the edit of one, under the list screen.
class TFRM_almacenCaptura : public QDialog {
    Q_OBJECT
public:
    TFRM_almacenCaptura(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Prepares a new warehouse and shows the dialog modally; false (nothing shown) when the
    // branches could not be loaded.
    bool initNuevo();
    // Prepares the edit of a warehouse without showing the dialog; false when the branches
    // could not be loaded.
    bool initEdicion(const TalmacenDescripcion &almacen);

    QComboBox *CBOX_sucursal() const { return uSucursal; }
    QLineEdit *TXT_nombre() const { return uNombre; }
    QLineEdit *TXT_direccion() const { return uDireccion; }
    QPlainTextEdit *TXT_nota() const { return uNota; }

private:
    void FormCreate();
    void initPermisos();
    bool cargaSucursales();
    void BTN_aceptarClick();
    void limitaNota();

    TsistemaDatos uSistema;
    QVector<int> uValueMember_CBOX_sucursal;
    bool uRegistroNuevo = true;
    int uAlmacenID = 0;

    QLabel *uEncabezado = nullptr;
    QComboBox *uSucursal = nullptr;
    QLineEdit *uNombre = nullptr;
    QLineEdit *uDireccion = nullptr;
    QPlainTextEdit *uNota = nullptr;
    QPushButton *uAceptar = nullptr;
};

#pragma once

#include "comun/UsistemaDatos.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TGridControl;

// The providers catalogue: a searchable list and, below it, the form that adds a provider or
// corrects the selected one.
class TFRM_proveedores : public QDialog {
    Q_OBJECT
public:
    explicit TFRM_proveedores(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Modal; the id of the last provider saved, 0 when none was.
    int init();
    void prepara();
    int ultimoGuardado() const { return uUltimoGuardado; }
    TGridControl *gridControl() const { return uGrid; }

private:
    void buscar(int seleccionar);
    void GRD_mainSeleccion();
    void BTN_nuevoClick();
    void BTN_guardarClick();

    TsistemaDatos uSistema;
    int uEditado = 0;
    int uUltimoGuardado = 0;
    QLineEdit *TXT_buscar;
    QTableView *GRD_main;
    TGridControl *uGrid;
    QLineEdit *TXT_nombre;
    QLineEdit *TXT_rfc;
    QLineEdit *TXT_direccion;
    QLineEdit *TXT_telefono;
    QLineEdit *TXT_correo;
    QLabel *LBL_msg;
    QPushButton *BTN_nuevo;
    QPushButton *BTN_guardar;
    QPushButton *BTN_cerrar;
};

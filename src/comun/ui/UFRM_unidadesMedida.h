#pragma once

#include "comun/UsistemaDatos.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TGridControl;

// The units-of-measure catalogue: sets on the left, the selected set's units on the right, each
// with a small form below its list to add a row or correct the selected one.
class TFRM_unidadesMedida : public QDialog {
    Q_OBJECT
public:
    explicit TFRM_unidadesMedida(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Modal.
    void init();
    // Loads the sets and selects the first, without showing the dialog.
    bool prepara();
    TGridControl *gridConjuntos() const { return uGrdConjuntos; }
    TGridControl *gridUnidades() const { return uGrdUnidades; }

private:
    void cargaConjuntos(int seleccionar);
    void cargaUnidades(int seleccionar);
    int conjuntoSeleccionado() const;
    void GRD_conjuntosSeleccion();
    void GRD_unidadesSeleccion();
    void BTN_nuevoConjuntoClick();
    void BTN_guardarConjuntoClick();
    void BTN_nuevaUnidadClick();
    void BTN_guardarUnidadClick();
    void avisa(const QString &texto);

    TsistemaDatos uSistema;
    int uConjuntoEditado = 0;
    int uUnidadEditada = 0;
    QTableView *GRD_conjuntos;
    TGridControl *uGrdConjuntos;
    QLineEdit *TXT_conjunto;
    QPushButton *BTN_nuevoConjunto;
    QPushButton *BTN_guardarConjunto;
    QTableView *GRD_unidades;
    TGridControl *uGrdUnidades;
    QLineEdit *TXT_descripcion;
    QLineEdit *TXT_abreviatura;
    QLineEdit *TXT_relacion;
    QPushButton *BTN_nuevaUnidad;
    QPushButton *BTN_guardarUnidad;
    QLabel *LBL_msg;
    QPushButton *BTN_cerrar;
};

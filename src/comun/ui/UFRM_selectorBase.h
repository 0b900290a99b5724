#pragma once

#include "comun/ui/UdialogoModal.h"

#include "comun/ui/UgridControl.h"

#include <QDialog>

class QBoxLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// Gives a dialog the suite's style sheet (the module's shared one when the main screen made it).
void u_aplicaEstiloDialogo(QWidget *dialogo);
// An edit box with its control name and the column's length limit.
QLineEdit *u_campoTexto(QWidget *padre, const QString &nombre, int limite);
// A button with its control name that Enter in a field does not press.
// The dialog's closing row, Aceptar then Cancelar on the right; Cancelar rejects the dialog.
void u_botonesAceptarCancelar(QDialog *dialogo, QBoxLayout *columna, QPushButton *&aceptar,
                              QPushButton *&cancelar);

// The shape every list picker shares: a title, a search field with room for more filters, a
// grid, a message line and Aceptar / Cancelar. Typing or Enter searches; a double click or Enter
// on a row, or "Aceptar" with a row selected, chooses it.
//
// Tests prepare a picker with its prepara... call, act on its widgets by name and click
// BTN_aceptar; the init... calls do the same around a modal exec().
class TFRM_selectorBase : public QDialog {
    Q_OBJECT
public:
    explicit TFRM_selectorBase(const QString &titulo, QWidget *padre = nullptr);

    TGridControl *gridControl() const { return uGrid; }
    // Runs the search with the current filters.
    void buscar();

protected:
    // Loads the grid for the filter text; false when the statement failed.
    virtual bool cargaFilas(const QString &texto) = 0;
    // Takes the grid's row as the answer; false keeps the dialog open.
    virtual bool tomaFila(int fila) = 0;

    QHBoxLayout *barraFiltros() const { return uBarraFiltros; }
    QHBoxLayout *barraAcciones() const { return uBarraAcciones; }
    QPushButton *agregaBoton(QHBoxLayout *barra, const QString &nombre, const QString &texto);
    void setAviso(const QString &texto);

    QLabel *LBL_titulo = nullptr;
    QLineEdit *TXT_buscar = nullptr;
    QTableView *GRD_main = nullptr;
    QLabel *LBL_msg = nullptr;
    QPushButton *BTN_aceptar = nullptr;
    QPushButton *BTN_cancelar = nullptr;

private:
    void BTN_aceptarClick();

    TGridControl *uGrid;
    QHBoxLayout *uBarraFiltros;
    QHBoxLayout *uBarraAcciones;
    int uAccionesExtra = 0;
};

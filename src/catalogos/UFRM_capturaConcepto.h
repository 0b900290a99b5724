#pragma once

#include "comun/UsistemaDatos.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TGridControl;

// The movement-concept dialog: a new receipt or issue concept, or the label and accounting entry
// of an existing one. Each init shows the dialog modally and returns whether it saved.
class TFRM_capturaConcepto : public QDialog {
    Q_OBJECT
public:
    explicit TFRM_capturaConcepto(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    bool initNuevoConceptoEntrada();
    bool initNuevoConceptoSalida();
    bool initEditaConceptoEntrada(int id, const QString &etiqueta);
    bool initEditaConceptoSalida(int id, const QString &etiqueta);

    QLineEdit *TXT_concepto() const { return uConcepto; }
    TGridControl *gridControl() const { return uGRD_asientosControl; }

private:
    enum Taccion { kNuevo = 1, kEdita = 2 };
    void FormCreate();
    bool abre(int direccion, Taccion accion, int id, const QString &etiqueta);
    void aceptar();

    TsistemaDatos uSistema;
    bool uAceptar = false;
    int uConcepto_id = 0;
    int uDireccion = 1;
    Taccion uAccion = kNuevo;
    int uAsientoBasico = 0;
    int uModulo = 0;

    TGridControl *uGRD_asientosControl = nullptr;
    QLabel *uEncabezado = nullptr;
    QLineEdit *uConcepto = nullptr;
    QPushButton *uBotonAceptar = nullptr;
};

#pragma once

#include "comun/UREC_comprobante.h"
#include "comun/ui/UdialogoModal.h"

class CmidTierResponse;
class QRadioButton;
class QTableWidget;

// Chooses an invoice of a date range: the expense side for receipts, the income side for issues,
// optionally narrowed by a piece of the UUID.
class TFRM_seleccionarComprobante : public TdialogoModal {
    Q_OBJECT
public:
    explicit TFRM_seleccionarComprobante(QWidget *padre = nullptr);

    UREC_comprobante initEgresos(TDateTime fecha);
    UREC_comprobante initIngresos(TDateTime fecha);

    // Without showing: the side, both dates, an empty filter and the first list / the answer.
    void prepara(bool ingresos, TDateTime fecha);
    const UREC_comprobante &respuesta() const { return uRespuesta; }

    void buscar();

protected:
    void alAceptar() override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void llenaGrid(const CmidTierResponse &filas);
    QString celda(int fila, const QString &encabezado) const;

    QRadioButton *RAD_egresos;
    QRadioButton *RAD_ingresos;
    QLineEdit *TXT_comprobante;
    QDateEdit *DTP_inicial;
    QDateEdit *DTP_final;
    QTableWidget *GRD_comprobantes;
    QLabel *LBL_msgGRDcomprobantes;
    UREC_comprobante uRespuesta;
    bool uPreparando = false;
};

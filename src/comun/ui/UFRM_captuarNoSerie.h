#pragma once

#include "comun/ui/UdialogoModal.h"

// One serial number written straight to a stored receipt row (from the serial-number chooser).
class TFRM_captuarNoSerie : public TdialogoModal {
    Q_OBJECT
public:
    explicit TFRM_captuarNoSerie(QWidget *padre = nullptr);

    // Shows the dialog modally; true when a serial number was written for the receipt row.
    bool init(const QString &producto, int idEntrada);
    // Without showing: the product shown and the receipt row written to.
    void prepara(const QString &producto, int idEntrada);

protected:
    void alAceptar() override;

private:
    QLineEdit *TXT_numeroSerie;
    QLabel *LBL_producto;
    int uEntrada = 0;
};

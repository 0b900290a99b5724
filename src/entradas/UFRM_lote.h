#pragma once

#include "comun/UMOD_entradaInformacionOpcional.h"
#include "comun/ui/UdialogoModal.h"

class QCheckBox;

// Lot number with its production and expiry dates. Nothing is validated: the lot is the user's.
class TFRM_lote : public TdialogoModal {
    Q_OBJECT
public:
    explicit TFRM_lote(QWidget *padre = nullptr);

    // Shows the lot modally: the edited lot when accepted, else the input unchanged.
    Tlote init(const Tlote &lote);
    // Shows a stored lot read-only.
    void initConsulta(const Tlote &lote);

    // Without showing: puts the lot in the controls / reads what they hold.
    void prepara(const Tlote &lote);
    Tlote resultado() const;

private:
    QLineEdit *TXT_lote;
    QCheckBox *CHKBOX_fechaProduccion;
    QDateEdit *DTP_fechaProduccion;
    QCheckBox *CHKBOX_fechaCaducidad;
    QDateEdit *DTP_fechaCaducidad;
    Tlote uEntrada;
};

#pragma once

#include "comun/UMOD_entradaInformacionOpcional.h"
#include "comun/ui/UdialogoModal.h"
#include "entradas/UNEG_pedimento.h"

#include <QStringList>
#include <QVector>

class QCheckBox;
class QComboBox;

// Customs declaration (pedimento): number, issue date, customs office and country of origin, the
// last two from the XML catalogues read each time the dialog opens.
class TFRM_pedimento : public TdialogoModal {
    Q_OBJECT
public:
    explicit TFRM_pedimento(QWidget *padre = nullptr);

    // Shows the declaration modally: the edited one when accepted, else the input unchanged.
    Tpedimento init(const Tpedimento &pedimento);
    // Shows a stored declaration read-only.
    void initConsulta(const Tpedimento &pedimento);

    // Without showing: loads the catalogues and puts the declaration in the controls / the
    // result the dialog gives.
    void prepara(const Tpedimento &pedimento);
    void preparaConsulta(const Tpedimento &pedimento);
    Tpedimento resultado() const;

    // Values of the combo entries, index for index.
    QVector<int> valueMember_CBOX_aduana;
    QStringList valueMember_CBOX_paisOrigen;

protected:
    void alAceptar() override;

private:
    void cargaCatalogos();
    TcapturaPedimento captura() const;
    void muestra(const Tpedimento &pedimento);

    QLineEdit *TXT_numeroPedimento;
    QCheckBox *CHK_fechaExpedicion;
    QDateEdit *DTP_fechaExpedicion;
    QComboBox *CBOX_aduana;
    QComboBox *CBOX_paisOrigen;
    Tpedimento uEntrada;
};

#pragma once

#include "comun/UMOD_seleccion.h"
#include "comun/UsistemaDatos.h"
#include "comun/ui/UFRM_selectorBase.h"

class QComboBox;

// The unit-of-measure picker: the business's units with their set and ratio, filtered by set;
// "Unidades de Medida..." opens the catalogue to add or correct units.
class TFRM_seleccionarUnidadMedida : public TFRM_selectorBase {
    Q_OBJECT
public:
    explicit TFRM_seleccionarUnidadMedida(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Modal with the caller's instruction above the list; the record goes out with the chosen unit
    // or with aceptado false when cancelled.
    void initCustomMensaje(const QString &mensaje, REC_unidadMedidacomunicacion &unidad);
    void init(REC_unidadMedidacomunicacion &unidad);
    // The same without showing the dialog.
    void prepara(const QString &mensaje);
    const REC_unidadMedidacomunicacion &resultado() const { return uResultado; }

protected:
    bool cargaFilas(const QString &texto) override;
    bool tomaFila(int fila) override;

private:
    void cargaConjuntos();
    void BTN_unidadesClick();

    TsistemaDatos uSistema;
    REC_unidadMedidacomunicacion uResultado;
    QLabel *LBL_mensaje;
    QComboBox *CMB_conjunto;
    QPushButton *BTN_unidades;
};

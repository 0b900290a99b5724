#pragma once

#include "comun/U_mensajes.h"
#include "comun/ui/UdialogoModal.h"

// The question asked when a movement would take a product's stock below its minimum or above its
// maximum in a warehouse. The caller decides when to ask; the answer decides whether it goes on.
class TFRM_alertaStockMinimoMaximo : public TdialogoModal {
    Q_OBJECT
public:
    explicit TFRM_alertaStockMinimoMaximo(QWidget *padre = nullptr);

    // True when the user accepts; every value is shown as the caller formatted it.
    bool initAlertaMinimo(const QString &almacen, const QString &producto, const QString &cantidad,
                          const QString &minimo);
    bool initAlertaMaximo(const QString &almacen, const QString &producto, const QString &cantidad,
                          const QString &maximo);

    // Without showing: puts the case in the labels.
    void prepara(const TalertaStock &alerta);
    bool pregunta(const TalertaStock &alerta);

private:
    QLabel *LBL_formularioTitulo;
    QLabel *LBL_almacen;
    QLabel *LBL_producto;
    QLabel *LBL_cantidad;
    QLabel *LBL_minimoMaximoEtiqueta;
    QLabel *LBL_minimoMaximoValor;
};

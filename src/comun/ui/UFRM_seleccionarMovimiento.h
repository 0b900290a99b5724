#pragma once

#include "comun/UNEG_seleccionarMovimiento.h"
#include "comun/UsistemaDatos.h"
#include "comun/ui/UdialogoModal.h"
#include "datos/UmidTierResponse.h"

class QTableView;
class TGridControl;

// Chooses a past movement of the caller's warehouse: a receipt that still holds stock (receipt
// mode, for a purchase return) or an issue row not yet wholly taken back (issue mode, for a
// reversing receipt).
class TFRM_seleccionarMovimiento : public TdialogoModal {
    Q_OBJECT
public:
    explicit TFRM_seleccionarMovimiento(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    UREC_seleccionarMovimiento initbuscaEntradas(const UREC_seleccionarMovimiento &solicitud);
    UREC_seleccionarMovimiento initbuscaSalidas(const UREC_seleccionarMovimiento &solicitud);

    // Without showing: the mode, the last month, the request's product, and the first list.
    void prepara(TmodoMovimiento modo, const UREC_seleccionarMovimiento &solicitud);
    const UREC_seleccionarMovimiento &respuesta() const { return uRespuesta; }
    void buscar();

protected:
    void alAceptar() override;

private:
    UREC_seleccionarMovimiento ejecuta(TmodoMovimiento modo, const UREC_seleccionarMovimiento &solicitud);
    void eligeProducto();
    void muestraProducto();
    void muestraColumnasDelModo();

    TsistemaDatos uSistema;
    TmodoMovimiento uModo = TmodoMovimiento::Entradas;
    UREC_seleccionarMovimiento uSolicitud;
    UREC_seleccionarMovimiento uRespuesta;
    CmidTierResponse uFilas;
    QDateEdit *DTP_inicial;
    QDateEdit *DTP_final;
    QLabel *LBL_producto;
    QLineEdit *TXT_documento;
    QLineEdit *TXT_comprobante;
    QTableView *GRD_movimiento;
    QLabel *LBL_msgGRD;
    TGridControl *uGrid;
};

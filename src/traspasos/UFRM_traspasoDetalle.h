#pragma once

#include "comun/UsistemaDatos.h"
#include "comun/ui/UdialogoModal.h"
#include "traspasos/UNEG_cierreTraspaso.h"

class QDateEdit;
class QRadioButton;
class QTableView;
class QTimeEdit;
class TGridControl;

// "Detalle" of one transfer: its lines as shipped and, while it is in transit, its closing: either
// "Recibir Traspaso" into the destination or "Cancelar Traspaso" back into the origin. The state is
// read again when it opens; a read-only user consults only.
class TFRM_traspasoDetalle : public TdialogoModal {
    Q_OBJECT
public:
    explicit TFRM_traspasoDetalle(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Shows the transfer modally; true when it was closed here.
    bool init(const Rtraspaso &traspaso);
    // Without showing: the transfer read again with its lines; false when the business has no such
    // transfer or a read failed (the captions then show what the list handed in).
    bool prepara(const Rtraspaso &traspaso);

    TGridControl *gridControl() const { return uGRD_detalleControl; }
    const TcierreTraspaso &cierre() const { return uCierre; }

protected:
    void alAceptar() override;

private:
    QWidget *creaCierre(QWidget *padre);
    void creaColumnas();
    void cargaLineas();
    void RAD_cambio();
    void muestra();
    bool accion(TaccionCierre &elegida) const;

    TsistemaDatos uSistema;
    TcierreTraspaso uCierre;
    Rtraspaso uTraspaso;

    QLabel *LBL_no = nullptr;
    QLabel *LBL_origen = nullptr;
    QLabel *LBL_destino = nullptr;
    QLabel *LBL_estatus = nullptr;
    QTableView *GRD_detalle = nullptr;
    TGridControl *uGRD_detalleControl = nullptr;
    QWidget *contenedor_cierre = nullptr;
    QRadioButton *RAD_recibirTraspaso = nullptr;
    QRadioButton *RAD_cancelarTraspaso = nullptr;
    QDateEdit *DTP_fechaRecepcion = nullptr;
    QTimeEdit *DTP_horaRecepcion = nullptr;
    QLabel *LBL_fechaHoraUltimo = nullptr;
};

#pragma once

#include "comun/UsistemaDatos.h"
#include "comun/ui/UdialogoModal.h"
#include "traspasos/UNEG_capturaTraspaso.h"

class QComboBox;
class QDateEdit;
class QFrame;
class QTableView;
class QTimeEdit;
class TGridControl;

// "Nuevo Traspaso": captures one transfer (origin and destination, the products split over the
// origin's layers, their serial numbers, the shipping and planned reception date-times) and ships
// it. Its rules live in TcapturaTraspaso; this form shows them and opens the choosers.
class TFRM_nuevoTraspaso : public TdialogoModal {
    Q_OBJECT
public:
    explicit TFRM_nuevoTraspaso(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Prepares the screen and shows it modally; true when a transfer was shipped.
    bool init();
    // Without showing: everything reset, the warehouses loaded; false when they could not be read.
    bool prepara();

    const TcapturaTraspaso &captura() const { return uCaptura; }
    TGridControl *gridControl() const { return uGRD_mainControl; }

protected:
    void alAceptar() override;

private:
    QWidget *creaOrigen();
    QWidget *creaDestino();
    QWidget *creaCantidad();
    QWidget *creaPie();
    void creaColumnas();
    void conecta();
    static QDateTime fechaHora(const QDateEdit *fecha, const QTimeEdit *hora);

    void CMB_almacenOrigenChange(int indice);
    void CMB_almacenDestinoChange(int indice);
    void eligeProducto();
    void capturaCodigoBarras();
    void agregar();
    void GRDmouseUP(int fila, const QString &alias);
    void BTN_verNoSerieClick();
    void BTN_verLoteClick();
    void BTN_verPedimentoClick();
    void BTN_verPropiedadesClick();
    void muestra();
    void muestraVista();
    void muestraLineas();

    TsistemaDatos uSistema;
    TcapturaTraspaso uCaptura;
    int uFilaSeleccionada = -1;

    QComboBox *CMB_almacenOrigen = nullptr;
    QComboBox *CMB_almacenDestino = nullptr;
    QFrame *contenedor_codigoBarras = nullptr;
    QFrame *contenedor_producto = nullptr;
    QLabel *LBL_codigoBarras = nullptr;
    QLabel *LBL_producto = nullptr;
    QLabel *LBL_existenciaOrigen = nullptr;
    QDateEdit *DTP_fechaOrigen = nullptr;
    QTimeEdit *DTP_horaOrigen = nullptr;
    QLabel *LBL_fechaHoraUltimo = nullptr;
    QLabel *LBL_codigoBarrasDestino = nullptr;
    QLabel *LBL_productoDestino = nullptr;
    QLabel *LBL_existenciaDestino = nullptr;
    QLabel *LBL_cantidadDestino = nullptr;
    QDateEdit *DTP_fechaDestino = nullptr;
    QTimeEdit *DTP_horaDestino = nullptr;
    QLineEdit *TXT_cantidad = nullptr;
    QLabel *LBL_mensajeTraspaso = nullptr;
    QTableView *GRD_main = nullptr;
    TGridControl *uGRD_mainControl = nullptr;
    QWidget *contenedor_noSerie = nullptr;
    QLabel *LBL_noSerieCaptura = nullptr;
    QPushButton *BTN_verNoSerie = nullptr;
    QWidget *PNL_propiedades = nullptr;
};

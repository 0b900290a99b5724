#pragma once

#include "comun/UsistemaDatos.h"
#include "comun/ui/UdialogoModal.h"
#include "salidas/UNEG_capturaSalida.h"

class QComboBox;
class QFrame;
class QTabWidget;
class QTableView;
class QTimeEdit;
class TGridControl;

// "Salida del Almacén": captures one issue document (warehouse, concept, date and time, an
// optional invoice, the products split over their layers and their serial numbers) and posts it.
// Its rules live in TcapturaSalidaAlmacen; this form shows them and opens the choosers.
class TFRM_salidasAlmacen : public TdialogoModal {
    Q_OBJECT
public:
    explicit TFRM_salidasAlmacen(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Prepares the screen and shows it modally; true when an issue was posted.
    bool init();
    // Without showing: everything reset, the warehouses and concepts loaded.
    bool prepara();

    const TcapturaSalidaAlmacen &captura() const { return uCaptura; }
    TGridControl *gridControl() const { return uGRD_mainControl; }
    int filaSeleccionada() const { return uFilaSeleccionada; }

protected:
    void alAceptar() override;

private:
    QWidget *creaPestanas();
    QWidget *creaInicial(QWidget *padre);
    QWidget *creaComprobante(QWidget *padre);
    QWidget *creaPie();
    void creaColumnas();
    void conecta();
    void ahora();
    QDateTime fechaHora() const;

    void CMB_almacenesChange(int indice);
    void CMB_conceptoChange(int indice);
    void seleccionarMovimientoDevolucion();
    void eligeProducto();
    void capturaCodigoBarras();
    void eligeComprobante();
    void agregar();
    void GRDmouseUP(int fila, const QString &alias);
    void BTN_verNoSerieClick();
    void muestra();
    void muestraLineas();

    TsistemaDatos uSistema;
    TcapturaSalidaAlmacen uCaptura;
    int uFilaSeleccionada = -1;

    QTabWidget *PGC_salida = nullptr;
    QComboBox *CMB_almacenes = nullptr;
    QLabel *LBL_descripcion = nullptr;
    QLabel *LBL_direccion = nullptr;
    QLabel *LBL_fechaHoraUltimo = nullptr;
    QDateEdit *DTP_fecha = nullptr;
    QTimeEdit *DTP_hora = nullptr;
    QComboBox *CMB_concepto = nullptr;
    QWidget *TAB_comprobante = nullptr;
    QLabel *LBL_comprobante = nullptr;
    QLabel *LBL_fechaHora = nullptr;
    QLabel *LBL_total = nullptr;
    QLabel *LBL_emisor = nullptr;
    QLabel *LBL_emisorRFC = nullptr;
    QWidget *contenedor_foot = nullptr;
    QFrame *contenedor_codigoBarras = nullptr;
    QLabel *LBL_codigoBarras = nullptr;
    QFrame *contenedor_producto = nullptr;
    QLabel *LBL_producto = nullptr;
    QPushButton *BTN_reiniciarLBLproducto = nullptr;
    QLineEdit *TXT_cantidad = nullptr;
    QLabel *LBL_unidadMedida = nullptr;
    QLabel *LBL_existencia = nullptr;
    QLabel *LBL_noSerieCaptura = nullptr;
    QLabel *LBL_totalSalida = nullptr;
    QTableView *GRD_main = nullptr;
    TGridControl *uGRD_mainControl = nullptr;
};

// The choosers a capture's product area opens: the product picker's answer (not chosen when
// cancelled), and the code the barcode dialog answers starting from `actual` (empty when cancelled).
TproductoSeleccionadoDescripcion u_pideProducto(const TsistemaDatos &sistema, QWidget *padre);
QString u_pideCodigoBarras(const QString &actual, QWidget *padre);

// The capture the issues list runs for "Nueva Salida", on the module's session.
bool u_capturaSalidaAlmacen(QWidget *padre);

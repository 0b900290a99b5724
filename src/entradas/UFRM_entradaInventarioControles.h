#pragma once

#include <QString>

class QBoxLayout;
class QComboBox;
class QDateEdit;
class QDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class QTimeEdit;
class QVBoxLayout;
class QWidget;
class TGridControl;

// The controls of the receipt capture screen, named and laid out, without behaviour: the screen
// derives from it and connects them.
class TcontrolesEntradaInventario {
protected:
    // Builds every control on the dialog; the caller adds its closing buttons to the layout returned.
    QVBoxLayout *construyeControles(QDialog *dialogo);

    static const QString kHagaClic;

    QTabWidget *TAB_entrada;
    QComboBox *CMB_almacenes;
    QLabel *LBL_direccion;
    QLabel *LBL_nota;
    QLabel *LBL_fechaHoraUltimo;
    QDateEdit *DTP_fecha;
    QPushButton *BTN_reiniciarFecha;
    QTimeEdit *DTP_hora;
    QPushButton *BTN_reiniciarHora;
    QComboBox *CMB_concepto;
    QGroupBox *_seleccionCapa;
    QRadioButton *RAD_capaSalida;
    QRadioButton *RAD_capaDevolucion;
    QPushButton *contenedor_comprobante;
    QLabel *LBL_comprobante;
    QPushButton *contenedor_proveedor;
    QLabel *LBL_proveedor;
    QLabel *LBL_emisorRFC;
    QLabel *LBL_fechaHora;
    QLabel *LBL_total;
    QPushButton *BTN_reiniciarLBLcomprobante;
    QPushButton *BTN_seleccionarProveedor;
    QTableView *GRD_main;
    TGridControl *uGRD_articulosControl;
    QFrame *contenedor_foot;
    QWidget *_hold_bProducto;
    QPushButton *contenedor_producto;
    QLabel *LBL_producto;
    QPushButton *BTN_seleccionarProducto;
    QPushButton *BTN_reiniciarLBLproducto;
    QPushButton *contenedor_codigoBarras;
    QLabel *LBL_codigoBarras;
    QLineEdit *TXT_costoUnitario;
    QPushButton *BTN_confirmarCostoUnitario;
    QPushButton *BTN_reiniciarTXTcostoUnitario;
    QLabel *LBL_cantidadRegistrada;
    QLabel *LBL_unidadAlmacenaje;
    QLineEdit *TXT_cantidad;
    QPushButton *BTN_confirmarCantidad;
    QPushButton *BTN_reiniciarTXTcantidad;
    QWidget *_hold_bFactorConversion;
    QLineEdit *TXT_factorConversion;
    QPushButton *BTN_confirmarFactorConversion;
    QPushButton *BTN_reiniciarTXTfactorConversion;
    QPushButton *contenedor_unidadEntrada;
    QLabel *LBL_unidadEntrada;
    QLabel *LBL_unidadSalida;
    QPushButton *BTN_agregar;
    QPushButton *BTN_desdeCfdi;
    QFrame *hold_propiedadesAdicionales;
    QLabel *LBL_productoSeleccionado;
    QLabel *LBL_pedimento;
    QPushButton *BTN_verPedimento;
    QLabel *LBL_lote;
    QPushButton *BTN_verLote;
    QLabel *LBL_noSerie;
    QPushButton *BTN_verNoSerie;
    QLabel *LBL_propiedadesAdicionales;
    QPushButton *BTN_verPropiedadesAdicionales;

private:
    QWidget *creaInicial(QWidget *padre);
    QWidget *creaComprobante(QWidget *padre);
    QFrame *creaPie(QWidget *padre);
    QFrame *creaPropiedades(QWidget *padre);
    void creaGrid(QWidget *padre);
};

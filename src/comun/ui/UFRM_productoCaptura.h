#pragma once

#include "comun/UMOD_capturaCatalogos.h"
#include "comun/UsistemaDatos.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TGridControl;

// Creating or editing one product: key, name, description, barcode, category, storage unit,
// serial-number control, state, and its minimum and maximum stock in each warehouse.
class TFRM_productoCaptura : public QDialog {
    Q_OBJECT
public:
    explicit TFRM_productoCaptura(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Modal; the id of the product saved, 0 when nothing was saved.
    int initNuevo();
    int initEdicion(int idProducto);
    // The same without showing the dialog; false when the product or the lists cannot be read.
    bool preparaNuevo();
    bool preparaEdicion(int idProducto);
    int idGuardado() const { return uIdGuardado; }

    void setCategoria(const QString &identidad, const QString &etiqueta);
    void setUnidadMedida(int id, const QString &etiqueta);

private:
    bool cargaListas(int idProducto);
    void GRD_stockSeleccion();
    void BTN_aplicarStockClick();
    void BTN_categoriaClick();
    void BTN_unidadMedidaClick();
    void BTN_aceptarClick();
    TproductoCaptura captura() const;

    TsistemaDatos uSistema;
    int uProductoId = 0;
    int uIdGuardado = 0;
    QString uCategoria;
    int uUnidadMedidaId = 0;
    QLabel *LBL_titulo;
    QLineEdit *TXT_clave;
    QLineEdit *TXT_nombre;
    QLineEdit *TXT_descripcion;
    QLineEdit *TXT_codigoBarras;
    QLabel *LBL_categoria;
    QPushButton *BTN_categoria;
    QLabel *LBL_unidadMedida;
    QPushButton *BTN_unidadMedida;
    QCheckBox *CHK_noSerie;
    QComboBox *CMB_estado;
    QTableView *GRD_stock;
    TGridControl *uGrdStock;
    QLineEdit *TXT_minimo;
    QLineEdit *TXT_maximo;
    QPushButton *BTN_aplicarStock;
    QLabel *LBL_msg;
    QPushButton *BTN_aceptar;
    QPushButton *BTN_cancelar;
};

#pragma once

#include "comun/UsistemaDatos.h"
#include "comun/ui/UpantallaInventario.h"

#include <QVector>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TGridControl;
class TavisoListaVacia;
struct TproductoSeleccionadoDescripcion;

// The serial-number search: each number with its state, product, category, warehouse, the receipt
// that brought it in and the issue that took it out; exported to a workbook.
class TFRM_productosNoSerie : public QWidget, public IPantallaInventario {
    Q_OBJECT
public:
    explicit TFRM_productosNoSerie(QWidget *padre = nullptr);

    QWidget *panelPrincipal() override { return this; }
    // Reloads the warehouses; the first opening also loads the states, clears the filters and
    // searches.
    bool init() override;

    TGridControl *gridControl() const { return uGRD_productosNoSerie; }
    // The product as the picker answers it; a chosen one filters the search.
    void setProducto(const TproductoSeleccionadoDescripcion &producto);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void FormCreate();
    QWidget *creaFiltros();
    void conecta();
    void cargaAlmacenes();
    void cargaEstados();
    void buscar();
    void reiniciaProducto();
    void BTN_verTodosNoSerieClick();
    void eligeProducto();

    TsistemaDatos uSistema;
    TGridControl *uGRD_productosNoSerie = nullptr;
    QVector<int> uValueMember_CMB_almacen;
    QVector<int> uValueMember_CMB_estadoNoSerie;
    int uProductoID = -1;
    QString uCategoriaID;
    bool uBusquedaInicial = true;

    QComboBox *CMB_almacen = nullptr;
    QComboBox *CMB_estadoNoSerie = nullptr;
    QWidget *PNL_seleccionarProducto = nullptr;
    QLabel *LBL_producto = nullptr;
    QLineEdit *TXT_numero = nullptr;
    QLineEdit *TXT_documento = nullptr;
    QPushButton *BTN_exportarExcelNoSerie = nullptr;
    QTableView *GRD_main = nullptr;
    TavisoListaVacia *uAviso = nullptr;
};

#pragma once

#include "comun/UMOD_seleccion.h"
#include "comun/UsistemaDatos.h"
#include "comun/ui/UpantallaInventario.h"
#include "entradas/UNEG_entradasConsulta.h"

#include <QVector>
#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TGridControl;
class TavisoListaVacia;
class TdespliegueFiltros;

// The receipts area: the receipt rows of a date range with their filters, the two captures, the
// detail of a row and the list's exports (spreadsheet, PDF and PDF by lot).
class TFRM_entradas : public QWidget, public IPantallaInventario {
    Q_OBJECT
public:
    explicit TFRM_entradas(QWidget *padre = nullptr);

    QWidget *panelPrincipal() override { return this; }
    // Takes the session from localSYS, reloads the warehouses; the first call searches.
    bool init() override;

    // The capture screens plug in here: each runs its screen modally and answers whether a
    // receipt was saved. Until one is set, its button says the capture is not available.
    using TcapturaEntrada = std::function<bool(QWidget *padre)>;
    static void setCapturaGeneral(TcapturaEntrada captura);
    static void setCapturaOrdenCompra(TcapturaEntrada captura);

    TGridControl *gridControl() const { return uGRD_entradasControl; }
    bool masFiltrosVisibles() const;
    void buscar();

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void FormCreate();
    QFrame *creaBusqueda();
    void creaGrid();
    void initPermisos();
    bool cargaAlmacenes();
    TentradasConsulta::TfiltroEntradas filtro() const;
    void BTN_verTodosClick();
    void BTN_productoClick();
    void BTN_proveedorClick();
    void limpiaProducto();
    void limpiaProveedor();
    void abreDetalle(int fila);
    void exportaGridGeneraPDF();
    void exportaGridGeneraPDFlote();

    TsistemaDatos uSistema;
    TGridControl *uGRD_entradasControl = nullptr;
    QVector<int> uValueMember_CMB_almacen;
    Rproveedor uProveedor;
    TproductoSeleccionadoDescripcion uProductoSeleccionado;
    bool uBusquedaInicial = false;
    TdespliegueFiltros *uMasFiltros = nullptr;
    TavisoListaVacia *uAviso = nullptr;

    QFrame *PNL_busqueda = nullptr;
    QDateEdit *DTP_fechaInicial = nullptr;
    QDateEdit *DTP_fechaFinal = nullptr;
    QComboBox *CMB_almacen = nullptr;
    QComboBox *CMB_concepto = nullptr;
    QLabel *LBL_producto = nullptr;
    QLabel *LBL_proveedor = nullptr;
    QLineEdit *TXT_documento = nullptr;
    QLineEdit *TXT_lote = nullptr;
    QCheckBox *CHK_produccion = nullptr;
    QDateEdit *DTP_produccionInicial = nullptr;
    QDateEdit *DTP_produccionFinal = nullptr;
    QCheckBox *CHK_caducidad = nullptr;
    QDateEdit *DTP_caducidadInicial = nullptr;
    QDateEdit *DTP_caducidadFinal = nullptr;
    QPushButton *BTN_nuevaEntrada = nullptr;
    QPushButton *BTN_nuevaEntradaOrdenCompra = nullptr;
    QPushButton *BTN_exportarExcel = nullptr;
    QPushButton *BTN_exportarPDF = nullptr;
    QPushButton *BTN_exportarPDFlote = nullptr;
    QTableView *GRD_main = nullptr;
};

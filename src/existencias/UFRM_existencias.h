#pragma once

#include "comun/UsistemaDatos.h"
#include "comun/ui/UpantallaInventario.h"
#include "existencias/UNEG_existencias.h"

#include <QDate>
#include <QVector>
#include <QWidget>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class TGridControl;
class TavisoListaVacia;
struct TproductoSeleccionadoDescripcion;

// The stock view: the general report (stock per product and warehouse), the consolidated report
// (per product, with its category and state) with its per-warehouse pop-up, and the valuation at
// the end of a chosen day; each exported to a workbook or a PDF.
class TFRM_existencias : public QWidget, public IPantallaInventario {
    Q_OBJECT
public:
    enum class Treporte { General, Consolidado, Valuacion };

    explicit TFRM_existencias(QWidget *padre = nullptr);

    QWidget *panelPrincipal() override { return this; }
    // Takes the session from localSYS, reloads the lists and the general report; false when a
    // list cannot be read.
    bool init() override;

    TGridControl *gridControl() const { return uGRD_existenciaControl; }
    TGridControl *gridSmall() const { return uGRD_smallControl; }
    Treporte reporte() const { return uReporte; }
    // The product as the picker answers it: shown in both product filters, then the general
    // report is loaded.
    void setProducto(const TproductoSeleccionadoDescripcion &producto);
    void setCategoria(const QString &identidad, const QString &etiqueta);
    // What a click on a cell of the main grid does (the pop-up of the consolidated report).
    void clicCelda(int fila, int columna, const QPoint &donde);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void FormCreate();
    QWidget *creaEleccion();
    QWidget *creaFiltrosGeneral();
    QWidget *creaFiltrosConsolidado();
    QWidget *creaAcciones();
    void creaPopup();
    void conecta();
    void initPermisos();
    bool cargaEstados();
    bool cargaAlmacenes();
    TfiltroExistencias filtro() const;
    void muestraFiltros();
    void buscarReporteGeneral();
    void buscarReporteConsolidado();
    void buscarValuacion();
    void carga(Treporte reporte, const TreporteExistencias &resultado);
    void eligeProducto();
    void eligeCategoria();
    void exportaExcel();
    void exportaGridGeneraPDF();

    TsistemaDatos uSistema;
    TGridControl *uGRD_existenciaControl = nullptr;
    TGridControl *uGRD_smallControl = nullptr;
    QVector<int> uValueMember_CMBalmacen;
    QVector<int> uValueMember_CMBproductoEstado;
    QString uCategoriaID;
    int uProductoID = 0;
    Treporte uReporte = Treporte::General;
    QDate uDiaValuacion;

    QRadioButton *RAD_reporteGeneral = nullptr;
    QRadioButton *RAD_reporteConsolidado = nullptr;
    QWidget *contenedor_filtrosReporteGeneral = nullptr;
    QWidget *contenedor_filtrosReporteConsolidado = nullptr;
    QComboBox *CMB_almacen = nullptr;
    QWidget *contenedor_producto = nullptr;
    QLabel *LBL_producto = nullptr;
    QLineEdit *EdStock = nullptr;
    QWidget *contenedor_categoria = nullptr;
    QLabel *LBL_categoria = nullptr;
    QWidget *contenedorProductoReporteConsolidado = nullptr;
    QLabel *LBL_productoReporteConsolidaqdo = nullptr;
    QComboBox *CMB_productoEstado = nullptr;
    QDateEdit *DTP_valuacion = nullptr;
    QPushButton *BTN_exportarExcelExistencias = nullptr;
    QPushButton *BTN_exportarExistenciasPDF = nullptr;
    QPushButton *BTN_capturarExistencias = nullptr;
    QLabel *titulo1texto = nullptr;
    QTableView *GRD_main = nullptr;
    TavisoListaVacia *uAviso = nullptr;
    QWidget *PNL_small = nullptr;
    QTableView *GRD_small = nullptr;
};

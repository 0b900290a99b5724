#pragma once

#include "comun/UMOD_seleccion.h"
#include "comun/UsistemaDatos.h"
#include "comun/ui/UpantallaInventario.h"

#include <QVector>
#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QTableView;
class TGridControl;
class TavisoListaVacia;
class TdespliegueFiltros;
struct TfiltroSalidas;

// The issue capture, plugged in by its own unit: runs modally over `padre` and answers true when
// it posted an issue. Until one is installed "Nueva Salida" only says so.
using TcapturaSalida = std::function<bool(QWidget *padre)>;
// Installs the capture and returns the one it replaces.
TcapturaSalida setCapturaSalida(TcapturaSalida captura);

// The issues area: issue rows of a date range with their filters, the breakdown of what was sold
// in the range, the detail of a row, a new issue, and the spreadsheet and PDF exports.
class TFRM_salidas : public QWidget, public IPantallaInventario {
    Q_OBJECT
public:
    explicit TFRM_salidas(QWidget *padre = nullptr);

    QWidget *panelPrincipal() override { return this; }
    // Takes the session from localSYS, reloads the warehouses; the first call searches.
    bool init() override;

    TGridControl *gridControl() const { return uGRD_salidasControl; }
    bool enDesglose() const { return uDesglose; }
    // The product filter as the product picker answers it (not chosen clears it), then the search
    // of the current view.
    void setProducto(const TproductoSeleccionadoDescripcion &producto);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void FormCreate();
    QWidget *creaCriterios();
    QWidget *creaMasFiltros();
    QLayout *creaAcciones();
    void conecta();
    void initPermisos();
    void cargaAlmacenes();
    void columnasSalidas();
    void columnasDesglose();
    TfiltroSalidas filtro() const;
    QVariant almacenElegido() const;
    void buscar();
    void desglose();
    void repiteBusqueda();
    void muestraResultado(bool exito);
    void BTN_masFiltrosClick();
    void BTN_salidaClick();
    void abreDetalle(int fila);
    void eligeProducto();
    void BTN_exportarPDFClick();
    void BTN_exportarPDFloteClick();

    TsistemaDatos uSistema;
    QVector<int> uValueMember_CMB_almacen;
    TGridControl *uGRD_salidasControl = nullptr;
    TproductoSeleccionadoDescripcion uProductoSeleccionado;
    bool uDesglose = false;
    bool uBusquedaInicial = false;
    TavisoListaVacia *uAviso = nullptr;
    TdespliegueFiltros *uMasFiltros = nullptr;

    QDateEdit *DTP_fechaInicial = nullptr;
    QDateEdit *DTP_fechaFinal = nullptr;
    QComboBox *CMB_almacen = nullptr;
    QWidget *contenedor_producto = nullptr;
    QLabel *LBL_producto = nullptr;
    QLineEdit *TXT_documento = nullptr;
    QWidget *contenedor_masFiltros = nullptr;
    QLineEdit *TXT_lote = nullptr;
    QCheckBox *CHK_produccion = nullptr;
    QDateEdit *DTP_produccionInicial = nullptr;
    QDateEdit *DTP_produccionFinal = nullptr;
    QCheckBox *CHK_caducidad = nullptr;
    QDateEdit *DTP_caducidadInicial = nullptr;
    QDateEdit *DTP_caducidadFinal = nullptr;
    QLineEdit *TXT_clienteNombre = nullptr;
    QLineEdit *EdStock = nullptr;
    QPushButton *BTN_salida = nullptr;
    QPushButton *BTN_exportarExcel = nullptr;
    QPushButton *BTN_exportarPDF = nullptr;
    QPushButton *BTN_exportarPDFlote = nullptr;
    QTableView *GRD_main = nullptr;
};

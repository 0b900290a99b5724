#pragma once

#include "comun/UMOD_seleccion.h"
#include "comun/UsistemaDatos.h"
#include "comun/ui/UpantallaInventario.h"
#include "kardex/UNEG_reporteKardex.h"

#include <QVector>
#include <QWidget>

class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTableView;
class TGridControl;

// The kardex report: the ledger of one product in one warehouse between two days, its stock
// limits and summary, exported to a workbook or a PDF.
class TFRM_kardex : public QWidget, public IPantallaInventario {
    Q_OBJECT
public:
    explicit TFRM_kardex(QWidget *padre = nullptr);

    QWidget *panelPrincipal() override { return this; }
    // Takes the session from localSYS; summary at zero; reloads the warehouses keeping the chosen one.
    bool init() override;

    TGridControl *gridControl() const { return uGRD_mainControl; }
    const TresumenKardex &resumen() const { return uResumen; }
    // The product as the picker answers it; a chosen one is shown and searched.
    void setProducto(const TproductoSeleccionadoDescripcion &producto);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void FormCreate();
    QWidget *creaCriterios();
    QWidget *creaResumen();
    void preparaGrid();
    void conecta();
    void initPermisos();
    void cargaAlmacenes();
    int almacenElegido() const;
    TfiltroKardex filtro() const;
    void buscar();
    void BTN_buscarClick();
    void cargaGridKardex();
    void muestra(const TresultadoKardex &resultado);
    void muestraResumen();
    void muestraMensaje(const QString &texto);
    void contenedor_productoClick();
    void BTN_exportarPDFClick();

    TsistemaDatos uSistema;
    TGridControl *uGRD_mainControl = nullptr;
    QVector<int> uValueMember_CMB_almacen;
    TproductoSeleccionadoDescripcion uProductoSeleccionado;
    TresumenKardex uResumen;

    QDateEdit *DTP_fechaInicial = nullptr;
    QDateEdit *DTP_fechaFinal = nullptr;
    QComboBox *CMB_almacen = nullptr;
    QWidget *contenedor_producto = nullptr;
    QLabel *LBL_articulo = nullptr;
    QLabel *LBL_existenciaMaxima = nullptr;
    QLabel *LBL_existenciaMinima = nullptr;
    QPushButton *BTN_exportarExcel = nullptr;
    QPushButton *BTN_exportarPDF = nullptr;
    QTableView *GRD_main = nullptr;
    QLabel *LBL_msgGRDkardex = nullptr;
    QLabel *LBL_inventarioInicial = nullptr;
    QLabel *LBL_inventarioEntradas = nullptr;
    QLabel *LBL_inventarioSalidas = nullptr;
    QLabel *LBL_inventarioFinal = nullptr;
    QLabel *LBL_productoSeleccionado = nullptr;
};

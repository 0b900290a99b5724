#pragma once

#include "comun/UsistemaDatos.h"
#include "comun/ui/UdialogoModal.h"
#include "entradas/UNEG_entradaDetalle.h"

#include <QHash>

class QFormLayout;
class QFrame;
class QPlainTextEdit;
class QTabWidget;
class QTableView;
class TGridControl;

// One saved receipt row: its values, declaration, lot, serial numbers and additional properties.
// Allows linking an invoice or a provider, completing or removing serial numbers of units still
// in stock and filling the properties; exports the receipt as PDF and spreadsheet.
class TFRM_entradasDetalle : public TdialogoModal {
    Q_OBJECT
public:
    TFRM_entradasDetalle(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Modal; false (with a message) when the receipt row cannot be read.
    bool init(int idEntrada);
    // The same without showing the dialog.
    bool prepara(int idEntrada);

    const TdetalleEntrada &detalle() const { return uDetalle; }
    TGridControl *gridNoSerie() const { return uGRD_noSerieControl; }

private:
    void FormCreate();
    // A form of captions and value labels (named as given).
    QWidget *creaPares(const QStringList &nombres, const QStringList &captions, int columnas);
    QWidget *creaPestanaNoSerie();
    QWidget *creaPestanaPropiedades();
    void initPermisos();
    bool cargaTodo();
    void muestraPares(const QStringList &nombres, const TparesDetalle &pares);
    void muestraNoSerie();
    void muestraPropiedades();
    void BTN_proveedorClick();
    void BTN_comprobanteClick();
    void agregarNoSerie();
    void insertarListado();
    void eliminaNoSerie(int fila);
    void guardaPropiedades();
    void exportaPDF();
    void exportaExcel();

    TsistemaDatos uSistema;
    int uEntradaID = 0;
    TdetalleEntrada uDetalle;
    TGridControl *uGRD_noSerieControl = nullptr;
    // Property field name -> property id.
    QHash<QString, int> _valores;

    QTabWidget *PGC_detalle = nullptr;
    QPushButton *BTN_proveedor = nullptr;
    QPushButton *BTN_comprobante = nullptr;
    QLineEdit *TXT_noSerie = nullptr;
    QPushButton *BTN_agregarNoSerie = nullptr;
    QPushButton *BTN_listado = nullptr;
    QFrame *PNL_listado = nullptr;
    QPlainTextEdit *MEM_listado = nullptr;
    QLabel *LBL_noSerieTotalPorCapa = nullptr;
    QTableView *GRD_noSerie = nullptr;
    QWidget *uContenedorPropiedades = nullptr;
    QFormLayout *uFormaPropiedades = nullptr;
    QLabel *LBL_sinPropiedades = nullptr;
    QPushButton *BTN_guardarPropiedades = nullptr;
    QPushButton *BTN_exportarExcel = nullptr;
    QPushButton *BTN_exportarPDF = nullptr;
};

#pragma once

#include "comun/UREC_comprobante.h"
#include "comun/UsistemaDatos.h"
#include "comun/ui/UdialogoModal.h"
#include "entradas/UNEG_recepcionOrdenCompra.h"

#include <functional>

class QComboBox;
class QDateEdit;
class QFrame;
class QTabWidget;
class QTableView;
class QTimeEdit;
class TGridControl;

// Receives the goods of a purchase order into a warehouse: the user picks the order, relates each
// line to a catalogue product, states the unit received, the factor and the quantity received
// now, and saves. The rules and the save live in TrecepcionOrdenCompra.
class TFRM_EntradaInventarioOrdenCompra : public TdialogoModal {
    Q_OBJECT
public:
    explicit TFRM_EntradaInventarioOrdenCompra(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Modal; true when a receipt was saved.
    bool init();
    // Without showing: clears the screen and loads the warehouses.
    void prepara();
    // The receipts list's hook: runs the screen modally on the module's session.
    static bool captura(QWidget *padre);

    TGridControl *gridControl() const { return uGRD_articulosControl; }
    const TrecepcionOrdenCompra &recepcion() const { return uRecepcion; }
    // Leaving with quantities received but not saved asks first.
    void reject() override;

protected:
    void alAceptar() override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void FormCreate();
    QWidget *creaPestanaInicial();
    QWidget *creaPestanaComprobante();
    struct Tvalor {
        QLabel *&etiqueta;
        const char *nombre;
        const char *caption;
    };
    QFrame *creaContenedor(QWidget *padre, const QString &nombre, std::initializer_list<Tvalor> valores);
    QFrame *creaEditorLinea();
    QFrame *creaDatosOpcionales();
    void creaGrid();
    void cargaAlmacenes();
    void CMB_almacenesChange();
    void contenedor_noOrdenClick();
    void contenedor_comprobanteClick();
    void limpiaComprobante();
    void cargaLineas();
    void seleccionaFila(int fila);
    void seleccionaLinea(int fila);
    // The grid moved to `fila`: what was typed for the line it leaves is taken first.
    void alCambiarFila(int fila);
    void muestraLinea();
    void pintaFila(int fila);
    void BTN_seleccionarProductoClick();
    void contenedor_codigoBarrasClick();
    void contenedor_unidadEntradaClick();
    void TXT_factorConversionEnter();
    bool setCantidadRecibida();
    // The editor's factor or quantity differ from the selected line's: typed, not confirmed.
    bool sinConfirmar() const;
    // Takes the typed factor and quantity into the selected line as a confirmation does, leaving the
    // editor as typed; the refusal, empty when taken.
    QString tomaCaptura();
    // What was typed and not confirmed, taken; the refusal, empty when taken or nothing was typed.
    QString tomaSinConfirmar();
    // Quantities captured, confirmed or just typed, that are not saved.
    bool hayCapturaSinGuardar() const;
    void TXT_cantidadEnter();
    // Runs an edit of the selected line (it shows the line again), keeping a quantity typed and not
    // confirmed yet; the typed factor too, unless the edit chose the product or unit, which set it.
    void conservandoCaptura(const std::function<void()> &edicion, bool fijaFactor);
    // Runs `edita` on the selected line, then shows the line again.
    void conLineaSeleccionada(const std::function<void(TlineaRecepcion &)> &edita);
    void BTN_pedimentoClick();
    void BTN_loteClick();
    void BTN_noSerieClick();
    void BTN_propiedadesClick();
    void avisaProducto(const QString &mensaje);
    QDateTime fechaHora() const;

    TsistemaDatos uSistema;
    TrecepcionOrdenCompra uRecepcion;
    TGridControl *uGRD_articulosControl = nullptr;
    QVector<int> uValueMember_CMB_almacenes;
    int uFilaSeleccionada = -1;

    QTabWidget *PGC_main = nullptr;
    QComboBox *CMB_almacenes = nullptr;
    QLabel *LBL_fechaHoraUltimo = nullptr;
    QDateEdit *DTP_fecha = nullptr;
    QTimeEdit *DTP_hora = nullptr;
    QFrame *contenedor_noOrden = nullptr;
    QLabel *LBL_noOrden = nullptr;
    QLabel *LBL_proveedor = nullptr;
    QLabel *LBL_proveedorRfc = nullptr;
    QLabel *LBL_fechaPedido = nullptr;
    QLabel *LBL_fechaEntrega = nullptr;
    QLabel *LBL_ordenCompraTotal = nullptr;
    QFrame *contenedor_comprobante = nullptr;
    QLabel *LBL_comprobante = nullptr;
    QLabel *LBL_emisor = nullptr;
    QLabel *LBL_emisorRFC = nullptr;
    QLabel *LBL_fechaHora = nullptr;
    QLabel *LBL_total = nullptr;
    QTableView *GRD_main = nullptr;
    QLabel *LBL_msgGRDarticulos = nullptr;
    QFrame *contenedor_foot = nullptr;
    QLabel *LBL_descripcion = nullptr;
    QLabel *LBL_producto = nullptr;
    QLabel *LBL_codigoBarras = nullptr;
    QLabel *LBL_unidadEntrada = nullptr;
    QLabel *LBL_unidadAlmacenaje = nullptr;
    QLineEdit *TXT_factorConversion = nullptr;
    QLineEdit *TXT_cantidad = nullptr;
    QLabel *LBL_cantidadRegistrada = nullptr;
    QLabel *LBL_pedimento = nullptr;
    QLabel *LBL_lote = nullptr;
    QLabel *LBL_noSerie = nullptr;
    QLabel *LBL_propiedades = nullptr;
    QPushButton *BTN_noSerie = nullptr;
};

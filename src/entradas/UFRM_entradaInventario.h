#pragma once

#include "comun/UMOD_seleccion.h"
#include "comun/UsistemaDatos.h"
#include "comun/ui/UdialogoModal.h"
#include "entradas/UFRM_entradaInventarioControles.h"
#include "entradas/UNEG_capturaEntrada.h"
#include "entradas/UREC_comprobante.h"
#include "salidas/UNEG_seleccionarMovimiento.h"

#include <QColor>
#include <QVector>

// "Entrada al Inventario": one receipt document captured line by line (products by picker,
// barcode or, for a return, from an earlier issue), with each line's optional data, an invoice
// or a provider; "Aceptar" hands it to the receipt posting and closes only when it was saved.
class TFRM_entradaInventario : public TdialogoModal, protected TcontrolesEntradaInventario {
    Q_OBJECT
public:
    explicit TFRM_entradaInventario(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Modal; true when a receipt was saved.
    bool init();
    // The same without showing: combos loaded, everything cleared.
    void prepara();
    // The receipts list's capture hook.
    static bool captura(QWidget *padre);

    // What the pickers hand back, as the screen takes it.
    void tomaProducto(const TproductoSeleccionadoDescripcion &producto);
    void tomaCodigoBarras(const QString &codigo);
    void tomaMovimiento(const UREC_seleccionarMovimiento &movimiento);
    void tomaUnidadRecibida(const REC_unidadMedidacomunicacion &unidad);
    void tomaComprobante(const UREC_comprobante &comprobante);
    void tomaProveedor(const Rproveedor &proveedor);
    // "Desde CFDI…": the supplier's invoice read and applied to the screen.
    void tomaCfdi(const QString &ruta);
    // The product picked for a line read from a CFDI.
    void tomaProductoRenglon(int fila, const TproductoSeleccionadoDescripcion &producto);

    bool guardar();
    void BTN_agregarClick();
    // Step on Enter in quantity, factor and cost: the registered quantity, or false with the
    // warning shown.
    bool setCantidadRecibida();

    TGridControl *gridControl() const { return uGRD_articulosControl; }
    const TcapturaEntrada &capturaActual() const { return uCaptura; }
    // The line's colour: red while a serial-numbered line lacks numbers, green once complete,
    // none for other products.
    QColor colorFila(int fila) const;

protected:
    void alAceptar() override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void FormCreate();
    void conecta();
    void cargaCombos();

    void CMB_almacenesChange();
    void CMB_conceptoChange();
    void contenedor_productoClick();
    void contenedor_codigoBarrasClick();
    void contenedor_unidadEntradaClick();
    void contenedor_comprobanteClick();
    void contenedor_proveedorClick();
    void celdaClic(int fila, const QString &alias);
    template <typename Dialogo, typename Parte> void editaParte(Parte TEntradaInformacionOpcional::*parte);
    void verNoSerie();
    void verPropiedades();

    void setFactorConversion();
    void agregarConcepto();
    bool pideValor(const QString &titulo, QLineEdit *campo);
    void agregaFilaGrid(const TrenglonCaptura &renglon);
    void muestraFilaGrid(int fila);
    void desdeCfdiClick();
    void eliminaRenglon(int fila);
    void seleccionaRenglon(int fila);
    void muestraEstadoRenglon();
    void limpiaProductoActual();
    void limpiaComprobanteYProveedor();
    void habilitaPie();
    void habilitaAgregarUnico();
    void ocultaPropiedades();
    int almacenID() const;
    TopcionCaptura conceptoActual() const;
    bool esDevolucion() const;

    TsistemaDatos uSistema;
    TcapturaEntrada uCaptura;
    QVector<TopcionCaptura> uAlmacenes;
    QVector<TopcionCaptura> uConceptos;

    TproductoSeleccionadoDescripcion uProducto; // the product being prepared for "Agregar Producto"
    REC_unidadMedidacomunicacion uUnidadRecibida;
    int uFilaSeleccionada = -1;
    UREC_comprobante uComprobante;
    Rproveedor uProveedor;
    QDateTime uFechaHoraUltimoMovimiento;
    bool uSeleccionarMovimiento = false;
    double uCantidadMaximaDevolucion = 0;
    int uMovimientoSalidaIDdevolucion = 0;
    int uUltimaPosiciondelComboConcepto = -1;
    bool uBloop = false;
    QString uRfcCfdi;         // the supplier of the CFDI the lines came from; empty: none
    int uComprobanteCfdi = 0; // the registered invoice of that CFDI; 0: none
};

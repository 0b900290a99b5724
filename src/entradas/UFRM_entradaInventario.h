#pragma once

#include "comun/UMOD_seleccion.h"
#include "comun/UNEG_seleccionarMovimiento.h"
#include "comun/UREC_comprobante.h"
#include "comun/UsistemaDatos.h"
#include "comun/ui/UdialogoModal.h"
#include "entradas/UFRM_entradaInventarioControles.h"
#include "entradas/UNEG_capturaEntrada.h"

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
    // Runs an event of the screen on the capture: the footer as typed goes in first, and the
    // screen is redrawn from the capture after.
    template <typename Evento> void reenvia(Evento evento);
    TpieCaptura leePie() const;

    void contenedor_productoClick();
    void contenedor_codigoBarrasClick();
    void contenedor_unidadEntradaClick();
    void contenedor_comprobanteClick();
    void contenedor_proveedorClick();
    void celdaClic(int fila, const QString &alias);
    template <typename Dialogo, typename Parte> void editaParte(Parte TEntradaInformacionOpcional::*parte);
    void verNoSerie();
    void verPropiedades();
    bool pideValor(const QString &titulo, QLineEdit *campo);
    void desdeCfdiClick();
    void eliminaRenglon(int fila);
    void seleccionaRenglon(int fila);
    void muestraEstadoRenglon();
    void ocultaPropiedades();

    // Shows the state of the capture: every control follows it.
    void muestra();
    void muestraRenglones();

    TsistemaDatos uSistema;
    TcapturaEntrada uCaptura;
};

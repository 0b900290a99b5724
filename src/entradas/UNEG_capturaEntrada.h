#pragma once

#include "comun/UMOD_entradaInformacionOpcional.h"
#include "comun/UMOD_seleccion.h"
#include "comun/UNEG_seleccionarMovimiento.h"
#include "comun/UREC_comprobante.h"
#include "comun/U_numeroCapturado.h"
#include "datos/UcodigosInventario.h"
#include "entradas/UMOD_entrada.h"

#include <QDateTime>
#include <QHash>
#include <QVariant>
#include <QVector>

class TConexionSesion;

// The receipt capture's rules without widgets: the unit conversion, the registered quantity,
// the line a footer makes, and the capture model the screen redraws from.

// An entry of the warehouse or concept combo.
struct TopcionCaptura {
    int id = 0;
    QString etiqueta;
    int familia = 0;   // concepts
    QString direccion; // warehouses
    QString nota;      // warehouses
};

// One line of the document as the grid shows it.
struct TrenglonCaptura {
    int productoID = 0;
    QString producto;
    double cantidad = 0;      // registered: received × factor, in the storage unit
    double costoUnitario = 0; // per storage unit
    double total = 0;
    int unidadRecibidaID = -1;
    int unidadCatalogoID = 0;
    QString unidadEtiqueta;
    QString categoriaID;
    QString categoriaEtiqueta;
    QString codigoBarras;
    QString factor; // as typed
    int controlNoSerie = 0;
    TEntradaInformacionOpcional informacion;
    // A line read from a supplier's CFDI: the supplier's key of the product, and whether the user
    // linked the product by hand (a link remembered for the next CFDI of that supplier).
    QString claveProveedor;
    bool relacionManual = false;

    // Units that must carry a serial number: the integer part of the quantity.
    int seriesRequeridas() const;
    // False while a serial-numbered line lacks numbers (the grid paints it red).
    bool seriesCompletas() const;
};

// The footer's texts when "Agregar Producto" is pressed.
struct TpieCaptura {
    QString cantidad;
    QString factor;
    QString costo;
};

// A line made from the footer, or the reason it cannot be made (already worded for the user).
struct TrenglonArmado {
    bool ok = false;
    QString mensaje;
    TrenglonCaptura renglon;
};

// The factor from the unit received to the product's storage unit: received ratio ÷ product
// ratio when both units are of the same set; otherwise the factor as typed.
QString u_factorConversion(const TproductoSeleccionadoDescripcion &producto,
                           const REC_unidadMedidacomunicacion &recibida, const QString &actual);
// Quantity typed × factor (an empty factor counts as 1). Refused, with the message to show,
// when it is not a number, not above 0 or beyond what a quantity may hold.
TnumeroCapturado u_cantidadRegistrada(const QString &cantidad, const QString &factor);
// A quantity above what is left of the issue being taken back.
bool u_excedeDevolucion(const QString &cantidad, double maximo);
// The line the footer makes: unit cost per storage unit = cost ÷ factor, total = unit cost ×
// registered quantity.
TrenglonArmado u_armaRenglon(const TproductoSeleccionadoDescripcion &producto,
                             const REC_unidadMedidacomunicacion &recibida, const TpieCaptura &pie);
// The posting's line.
TlineaEntrada u_lineaDocumento(const TrenglonCaptura &renglon);
// A warehouse's newest movement as the receipt captures show it ("dd/MM/yyyy HH:mm:ss"); "" when
// it has none or the read failed.
QString u_textoUltimoMovimiento(TConexionSesion *sesion, int idAlmacen, int idNegocio);

// What "Agregar Producto" led to: the line added, refused (the reason told), or a value the
// screen asks for in its editor before it tries again.
enum class TpasoAgregar { Agregado, Rechazado, PideCantidad, PideCosto };

// What the selected line carries, for the optional-data panel.
struct TestadoRenglon {
    bool pedimento = false;
    bool lote = false;
    bool noSerie = false;
    bool propiedades = false;
};

// The rules of the receipt capture screen and all its state: the warehouse and concept chosen,
// the warehouse's newest movement, the product area and its footer, the issue taken back, the
// invoice or provider, the lines read from a CFDI, the lines and the selected one, and what
// "Aceptar" posts. The screen forwards its controls' events here, opens the choosers and editors
// this asks for, and redraws from this state. Everything is of one business.
class TcapturaEntrada {
public:
    TcapturaEntrada(TConexionSesion *sesion, int idNegocio);

    // Everything cleared and the catalogues read again: the receipt concepts a user may capture
    // here (ordinary ones and returns of issues; the system concepts have screens of their own)
    // and the business's warehouses. False when a read failed (that list is empty).
    bool reinicia();
    const QVector<TopcionCaptura> &conceptos() const { return uConceptos; }
    const QVector<TopcionCaptura> &almacenes() const { return uAlmacenes; }

    // The warehouse at `indice` of almacenes() (-1: none); its newest movement is read.
    void eligeAlmacen(int indice);
    int indiceAlmacen() const { return uIndiceAlmacen; }
    TopcionCaptura almacen() const { return uAlmacenes.value(uIndiceAlmacen); }
    // The chosen warehouse's newest movement as shown ("dd/MM/yyyy HH:mm:ss"; "" when none).
    QString textoUltimoMovimiento() const { return uTextoUltimoMovimiento; }

    // The concept at `indice` of conceptos() (-1: none). A return of an issue needs a warehouse
    // ("Seleccione un almacén", no concept chosen) and takes one line: with lines captured the
    // user is asked first, and Cancel puts the previous concept back. False when not taken.
    bool eligeConcepto(int indice);
    int indiceConcepto() const { return uIndiceConcepto; }
    TopcionCaptura concepto() const { return uConceptos.value(uIndiceConcepto); }
    bool esDevolucion() const;
    // In a return the product comes from an issue chosen with the movement chooser.
    bool modoDevolucion() const { return uModoDevolucion; }
    // False for adjustments and production receipts, which carry no invoice nor provider.
    bool admiteComprobante() const;
    // The product area works once a warehouse and a concept are chosen.
    bool areaProductoHabilitada() const { return almacen().id > 0 && concepto().id > 0; }
    // A return of an issue takes one line: once it has it, no other product may be added.
    bool agregarLibre() const;
    // The cost and the factor of a line taken from an issue are that issue's.
    bool costoEditable() const { return !(uModoDevolucion && uProducto.seleccionado); }

    // The product area. Each answer of a chooser; false when it is not taken (an inactive product
    // is refused with the reason told; a barcode without product clears the area and says so).
    bool tomaProducto(const TproductoSeleccionadoDescripcion &producto);
    bool tomaCodigoBarras(const QString &codigo);
    bool tomaUnidadRecibida(const REC_unidadMedidacomunicacion &unidad);
    UREC_seleccionarMovimiento solicitudDevolucion() const;
    bool tomaMovimiento(const UREC_seleccionarMovimiento &movimiento);
    void limpiaProducto();
    const TproductoSeleccionadoDescripcion &producto() const { return uProducto; }
    const REC_unidadMedidacomunicacion &unidadRecibida() const { return uUnidadRecibida; }

    // The footer's texts as typed, and as the area leaves them.
    void setPie(const TpieCaptura &pie) { uPie = pie; }
    const TpieCaptura &pie() const { return uPie; }
    // The registered quantity of the footer, or false with the warning told.
    bool calculaCantidadRegistrada();
    QString textoCantidadRegistrada() const { return uTextoCantidadRegistrada; }
    // "Agregar Producto" with the footer as set.
    TpasoAgregar agrega();

    // Not chosen when the business has no such product.
    TproductoSeleccionadoDescripcion productoPorCodigo(const QString &codigo) const;
    TproductoSeleccionadoDescripcion productoPorId(int idProducto) const;
    // Whether the category has additional properties (asked once per category).
    bool categoriaConPropiedades(const QString &categoria);

    // Asks the maximum-stock question when the line takes the product's stock in the warehouse
    // above its maximum; true when the line may be added.
    bool aceptaStockMaximo(const TrenglonCaptura &renglon) const;

    const QVector<TrenglonCaptura> &renglones() const { return uRenglones; }
    // The row removed; the selection stays on the row that takes its place.
    void elimina(int fila);
    void selecciona(int fila);
    int seleccion() const { return uSeleccion; }
    TestadoRenglon estadoSeleccion() const;
    // The optional data of the selected line, as its dialogs hand it back.
    void setInformacion(const TEntradaInformacionOpcional &informacion);
    // The product picked for a line read from a CFDI.
    bool relacionaRenglon(int fila, const TproductoSeleccionadoDescripcion &producto);
    // Whether a click on the line's product opens the product picker (a line read from a CFDI).
    bool renglonPorRelacionar(int fila) const;

    // The invoice and the provider exclude each other. Before choosing one the user is asked when
    // the other is there (false: keep it); then both are cleared.
    bool preparaComprobante();
    bool preparaProveedor();
    void tomaComprobante(const UREC_comprobante &comprobante);
    void tomaProveedor(const Rproveedor &proveedor);
    void limpiaComprobanteYProveedor();
    const UREC_comprobante &comprobante() const { return uComprobante; }
    const Rproveedor &proveedor() const { return uProveedor; }

    // "Desde CFDI…": the supplier's invoice read, its provider and invoice taken, its lines in
    // place of the ones captured (after asking). False when refused, with the reason told.
    bool tomaCfdi(const QString &ruta);

    // The document with these lines, ready for the posting.
    TdatosEntrada documento(TdatosEntrada cabecera) const;
    // "Aceptar": dated as the screen shows, the document checks, asks and posts itself. Nothing
    // of the capture changes when it is not saved.
    bool guardar(const QDateTime &fechaHora) const;

private:
    void vaciaRenglones();

    TConexionSesion *uSesion;
    int uNegocio;
    QVector<TopcionCaptura> uAlmacenes;
    QVector<TopcionCaptura> uConceptos;
    int uIndiceAlmacen = -1;
    int uIndiceConcepto = -1;
    int uConceptoAnterior = -1; // put back when a change to a return is cancelled
    QString uTextoUltimoMovimiento;
    bool uModoDevolucion = false;
    TproductoSeleccionadoDescripcion uProducto;
    REC_unidadMedidacomunicacion uUnidadRecibida;
    double uCantidadMaximaDevolucion = 0;
    int uMovimientoSalidaDevolucion = 0;
    TpieCaptura uPie;
    QString uTextoCantidadRegistrada;
    UREC_comprobante uComprobante;
    Rproveedor uProveedor;
    QString uRfcCfdi;         // the supplier of the CFDI the lines came from; empty: none
    int uComprobanteCfdi = 0; // the registered invoice of that CFDI; 0: none
    QVector<TrenglonCaptura> uRenglones;
    int uSeleccion = -1;
    QHash<QString, bool> uPropiedadesAdicionales;
};

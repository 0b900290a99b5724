#pragma once

#include "comun/UMOD_seleccion.h"
#include "comun/UsistemaDatos.h"
#include "entradas/UREC_comprobante.h"
#include "salidas/UNEG_documentoSalida.h"
#include "salidas/UNEG_seleccionarMovimiento.h"
#include "salidas/UNEG_seleccionarNoSerie.h"

#include <QHash>
#include <QString>
#include <QVariantHash>
#include <QVector>

// A warehouse as the issue screen lists it.
struct TalmacenSalida {
    int id = 0;
    QString nombre;
    QString direccion;
    QString nota;
};

// An issue concept as the issue screen lists it.
struct TconceptoSalida {
    int id = 0;
    QString etiqueta;
    int familia = 0;
};

// Pieces the transfer capture shares with the issue capture.
// The business's warehouses by branch and name; false when the read failed.
bool u_almacenesCaptura(TConexionSesion *sesion, int idNegocio, QVector<TalmacenSalida> &almacenes);
// The warehouse's newest movement as shown ("dd/MM/yyyy HH:mm:ss", "" when none or unread) and as a
// date-time (invalid then).
QString u_ultimoMovimientoAlmacen(TConexionSesion *sesion, int idAlmacen, int idNegocio,
                                  QDateTime &fechaHora);
// The business's product with that barcode (trimmed); false, after "No se encontro coincidencia"
// when nothing matched (a failed read has been logged and says nothing more).
bool u_productoPorCodigoBarras(TConexionSesion *sesion, const QString &codigo, int idNegocio,
                               TproductoSeleccionadoDescripcion &producto);
// The chosen product as an issue line carries it.
TproductoSalida u_productoSalida(const TproductoSeleccionadoDescripcion &producto);
// The serial chooser's request for a line of a serial-numbered product.
RECnumerosSerie u_solicitudSeriesLinea(const TlineaSalida &linea);
// Asked before a warehouse change drops the lines split over the previous warehouse's layers.
inline const QString kPreguntaCambioAlmacen =
    QStringLiteral("Se eliminarán los productos capturados, ya que se tomaron de las existencias del almacén "
                   "anterior.\n\r¿Desea continuar?");

// What choosing a concept led to, for the screen to follow.
enum class TcambioConcepto {
    Elegido,    // taken (an ordinary concept, or none)
    Rechazado,  // not taken: the screen shows no concept again
    Devolucion, // a purchase return: the screen opens the receipt chooser next
};

// The rules of the issue capture screen: what each choice of the user does to the document being
// captured, which questions and messages it raises, and what the screen shows. The screen only
// forwards its controls' events here and opens the choosers this asks for.
class TcapturaSalidaAlmacen {
public:
    explicit TcapturaSalidaAlmacen(const TsistemaDatos &sistema);

    // The business's warehouses and issue concepts (the transfer concept is the transfers' own);
    // false when either read failed.
    bool cargaCatalogos();
    const QVector<TalmacenSalida> &almacenes() const { return uAlmacenes; }
    const QVector<TconceptoSalida> &conceptos() const { return uConceptos; }
    int metodoKardex() const { return uDocumento.metodoKardex(); }

    // The warehouse at `indice` of almacenes(). With lines captured the user is asked first: they
    // were split over the current warehouse's layers. False when the user keeps the current one.
    bool eligeAlmacen(int indice);
    int indiceAlmacen() const { return uIndiceAlmacen; }
    const TalmacenSalida *almacen() const;
    // The warehouse's last movement as shown ("" when none); the invalid date-time when none.
    QString textoUltimoMovimiento() const { return uTextoUltimoMovimiento; }
    QDateTime fechaHoraUltimoMovimiento() const { return uFechaHoraUltimoMovimiento; }

    // The concept at `indice` of conceptos(), -1 for none.
    TcambioConcepto eligeConcepto(int indice);
    int indiceConcepto() const { return uIndiceConcepto; }
    bool esDevolucionCompra() const { return uDocumento.esDevolucionCompra(); }
    // False for the samples concept, which never carries an invoice.
    bool admiteComprobante() const { return !uDocumento.esMuestras(); }
    // The product area works with a warehouse and a concept, and in a purchase return only until
    // its one line is added.
    bool areaProductoHabilitada() const;
    // In a purchase return the concept and the product choosers stay off once a receipt is chosen.
    bool eleccionLibre() const { return !uDevolucion.aceptar; }

    // The receipt chooser's request for a purchase return / its answer. An answer not accepted
    // gives the return up: no concept is chosen any longer.
    UREC_seleccionarMovimiento solicitudDevolucion() const;
    bool tomaDevolucion(const UREC_seleccionarMovimiento &respuesta);
    double cantidadMaximaDevolucion() const { return uDevolucion.cantidadMaxima; }

    // False, after "Seleccione un almacén", while no warehouse is chosen.
    bool compruebaAlmacen() const;
    // The product area. eligeProducto: the product chooser's answer. buscaCodigoBarras: the
    // barcode dialog's code; false (with the screen's message) when nothing was found.
    bool eligeProducto(const TproductoSeleccionadoDescripcion &producto);
    bool buscaCodigoBarras(const QString &codigo);
    void limpiaProducto();
    bool hayProducto() const { return uProducto.seleccionado; }
    const TproductoSeleccionadoDescripcion &producto() const { return uProducto; }
    // The product's stock in the warehouse as shown ("0" when not above 0).
    QString textoExistencia() const;

    // "Agregar": the typed quantity of the product in the area. A text that is not a positive
    // number adds nothing and says why; a refused line leaves the document as it was.
    bool agrega(const QString &cantidad);

    const QVector<TlineaSalida> &lineas() const { return uDocumento.lineas(); }
    // The grid's row for each line, by the grid's aliases.
    QVector<QVariantHash> filasGrid() const;
    // The sum of the lines as money; "$ 0.00" without lines.
    QString textoTotal() const;
    void eliminaLinea(int fila);
    // "capturados n de q", "No esta controlado", or "" for no line.
    QString textoSeries(int fila) const;
    // The serial chooser's request for the line; false (after the message for a product without
    // serial numbers) when there is nothing to choose.
    bool solicitudSeries(int fila, RECnumerosSerie &solicitud) const;
    void setSeries(int fila, const Tespacios &series);

    // The invoice chooser's answer (ignored for samples) / no invoice.
    bool setComprobante(const UREC_comprobante &comprobante);
    void quitaComprobante();
    bool hayComprobante() const { return uDocumento.comprobante().valido(); }
    const UREC_comprobante &comprobante() const { return uComprobante; }

    // Dated and timed as the screen shows, the document checks, asks and posts itself. When it is not
    // saved the capture stays as it was (a conflict drops the lines) and the warehouse's newest
    // movement is read again.
    bool guardar(const QDateTime &fechaHora);
    const TdocumentoSalida &documento() const { return uDocumento; }

private:
    void leeUltimoMovimiento();
    bool tomaProducto(const TproductoSeleccionadoDescripcion &producto);

    TsistemaDatos uSistema;
    TdocumentoSalida uDocumento;
    QVector<TalmacenSalida> uAlmacenes;
    QVector<TconceptoSalida> uConceptos;
    int uIndiceAlmacen = -1;
    int uIndiceConcepto = -1;
    QString uTextoUltimoMovimiento;
    QDateTime uFechaHoraUltimoMovimiento;
    TproductoSeleccionadoDescripcion uProducto;
    double uExistencia = 0;
    UREC_seleccionarMovimiento uDevolucion;
    UREC_comprobante uComprobante;
    // The products of the lines as chosen: the grid shows their unit and category.
    QHash<int, TproductoSeleccionadoDescripcion> uProductos;
};

#pragma once

#include "comun/UMOD_entradaInformacionOpcional.h"
#include "comun/UMOD_seleccion.h"
#include "comun/UsistemaDatos.h"
#include "salidas/UNEG_capturaSalida.h"
#include "traspasos/UNEG_documentoTraspaso.h"

#include <QHash>
#include <QString>
#include <QVariantHash>
#include <QVector>

// The optional data of the layer a transfer line was taken from, for the "Ver" buttons.
struct TdatosCapaTraspaso {
    bool leido = false;
    Tlote lote;
    Tpedimento pedimento;
    QString producto;
    QString categoria; // the product's category, whose properties the values belong to
    TpropiedadesAdicionales propiedades;
};

// The rules of the new-transfer screen: what each choice of the user does to the transfer being
// captured and what the screen shows. The screen forwards its controls' events here and opens the
// choosers; the transfer document below checks, splits, asks and ships.
class TcapturaTraspaso {
public:
    explicit TcapturaTraspaso(const TsistemaDatos &sistema);

    // The business's warehouses, for both combos; false when the read failed.
    bool cargaAlmacenes();
    const QVector<TalmacenSalida> &almacenes() const { return uAlmacenes; }

    // The origin at `indice` of almacenes(). With lines captured the user is asked first: they were
    // split over the current origin's layers. False when the user keeps the current one.
    bool eligeOrigen(int indice);
    bool eligeDestino(int indice);
    int indiceOrigen() const { return uIndiceOrigen; }
    int indiceDestino() const { return uIndiceDestino; }
    // The origin's newest movement as shown ("" when none).
    QString textoUltimoMovimiento() const { return uTextoUltimoMovimiento; }

    // The product area: the picker's answer, or the barcode dialog's code (false, with the screen's
    // message, when nothing was found).
    bool eligeProducto(const TproductoSeleccionadoDescripcion &producto);
    bool buscaCodigoBarras(const QString &codigo);
    void limpiaProducto();
    bool hayProducto() const { return uProducto.seleccionado; }
    const TproductoSeleccionadoDescripcion &producto() const { return uProducto; }
    // The origin's stock of the product less what the lines already take; the destination's stock.
    QString textoExistenciaOrigen() const;
    QString textoExistenciaDestino() const;
    // The preview of the typed quantity: the destination's stock after it (empty when it cannot be
    // worked out) and the message line ("El almacen de origen y destino es el mismo", "Existencia
    // Insuficiente", or empty).
    QString textoCantidadDestino(const QString &cantidad) const;
    QString mensajeTraspaso(const QString &cantidad) const;

    // "Agregar" dated as the screen shows the shipment. Every refusal says why and leaves the lines
    // as they were.
    bool agrega(const QString &cantidad, const QDateTime &fechaSalida);

    const QVector<TlineaSalida> &lineas() const { return uDocumento.lineas(); }
    // The grid's row for each line, by the grid's aliases.
    QVector<QVariantHash> filasGrid() const;
    // Deletes every line of that row's product.
    void eliminaProducto(int fila);
    // "capturados: n/q", " no controlado", or "" for no line.
    QString textoSeries(int fila) const;
    bool controlaSeries(int fila) const;
    // The serial chooser's request for the line; false when there is nothing to choose.
    bool solicitudSeries(int fila, RECnumerosSerie &solicitud) const;
    void setSeries(int fila, const Tespacios &series);
    // What the line's layer carries; not leido when a read failed.
    TdatosCapaTraspaso datosCapa(int fila) const;

    // "Aceptar": the origin and destination are checked again, then the document checks, asks and
    // ships. When it is not shipped the capture stays as it was (a conflict drops the lines) and the
    // origin's newest movement is read again.
    bool guardar(const QDateTime &fechaSalida, const QDateTime &fechaRecepcion);
    const TdocumentoTraspaso &documento() const { return uDocumento; }

private:
    void leeUltimoMovimiento();
    bool tomaProducto(const TproductoSeleccionadoDescripcion &producto);
    bool almacenesDistintos() const;

    TsistemaDatos uSistema;
    TdocumentoTraspaso uDocumento;
    QVector<TalmacenSalida> uAlmacenes;
    int uIndiceOrigen = -1;
    int uIndiceDestino = -1;
    QString uTextoUltimoMovimiento;
    TproductoSeleccionadoDescripcion uProducto;
    // The products of the lines as chosen: the grid shows their unit and category.
    QHash<int, TproductoSeleccionadoDescripcion> uProductos;
};

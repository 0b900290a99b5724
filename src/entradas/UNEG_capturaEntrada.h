#pragma once

#include "comun/UMOD_entradaInformacionOpcional.h"
#include "comun/UMOD_seleccion.h"
#include "comun/U_numeroCapturado.h"
#include "entradas/UMOD_entrada.h"

#include <QDateTime>
#include <QHash>
#include <QVariant>
#include <QVector>

class TConexionSesion;

// The receipt capture's rules without widgets: the unit conversion, the registered quantity,
// the line a footer makes, the maximum-stock question and the document handed to the posting.

constexpr int kFamiliaOrdinaria = 1;
constexpr int kFamiliaDevolucionSalida = 2;

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

// The document being captured and the lookups its screen needs, all of one business.
class TcapturaEntrada {
public:
    TcapturaEntrada(TConexionSesion *sesion, int idNegocio);

    // Receipt concepts a user may capture here (ordinary ones and returns of issues; the system
    // concepts have screens of their own) and the business's warehouses. Empty when the read
    // failed.
    QVector<TopcionCaptura> conceptos() const;
    QVector<TopcionCaptura> almacenes() const;
    // The warehouse's newest movement; null when none (or when the read failed).
    QDateTime ultimoMovimiento(int idAlmacen) const;

    // Not chosen when the business has no such product.
    TproductoSeleccionadoDescripcion productoPorCodigo(const QString &codigo) const;
    TproductoSeleccionadoDescripcion productoPorId(int idProducto) const;
    // Whether the category has additional properties (asked once per category).
    bool categoriaConPropiedades(const QString &categoria);

    // Asks the maximum-stock question when the line takes the product's stock in the warehouse
    // above its maximum; true when the line may be added.
    bool aceptaStockMaximo(int idAlmacen, const QString &almacen, const TrenglonCaptura &renglon) const;

    const QVector<TrenglonCaptura> &renglones() const { return uRenglones; }
    TrenglonCaptura &renglon(int fila) { return uRenglones[fila]; }
    void agrega(const TrenglonCaptura &renglon) { uRenglones.append(renglon); }
    void elimina(int fila);
    void limpia() { uRenglones.clear(); }

    // The document with these lines, ready for the posting.
    TdatosEntrada documento(TdatosEntrada cabecera) const;

private:
    TConexionSesion *uSesion;
    int uNegocio;
    QVector<TrenglonCaptura> uRenglones;
    QHash<QString, bool> uPropiedadesAdicionales;
};

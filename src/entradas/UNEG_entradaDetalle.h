#pragma once

#include "comun/UMOD_propiedadesAdicionales.h"
#include "comun/U_escritorXlsx.h"
#include "comun/U_modelopdf.h"
#include "datos/UconexionSesion.h"

#include <QDateTime>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

struct TsistemaDatos;

// One saved receipt row as its detail shows it, and the few changes allowed after saving: the
// invoice or provider link, serial numbers of units still in stock, additional properties.
// Quantities and costs are never touched here.

using TparesDetalle = QVector<QPair<QString, QString>>; // caption, shown value

struct TnoSerieDetalle {
    int id = 0;
    QString numero;
    QString estado;
    bool enAlmacen = false;
};

struct TpropiedadDetalle {
    int id = 0;
    QString nombre;
    QString valor;
};

struct TdetalleEntrada {
    bool existe = false;
    int id = 0;
    int documento = 0;
    QDateTime fechaHora;
    QString producto;
    QString categoriaIdentidad;
    double costoUnitario = 0;
    bool controladoNoSerie = false;
    // Units received in the layer: the most serial numbers it can hold.
    int elementosPorCapa = 0;
    int idComprobante = 0;
    int idRelacionProveedor = 0;
    TparesDetalle valores; // the receipt's captions and values, in the order shown
    TparesDetalle pedimento;
    TparesDetalle lote;
    QVector<TnoSerieDetalle> series;
    QVector<TpropiedadDetalle> propiedades;

    bool tieneComprobante() const { return idComprobante > 0; }
    // More serial numbers may be added: a serial-numbered product below the layer's units.
    bool admiteNoSerie() const { return controladoNoSerie && series.size() < elementosPorCapa; }
};

namespace detalleEntrada {
inline const QString kEnAlmacen = QStringLiteral("en almacén");
inline const QString kNoEliminable =
    QStringLiteral("No se puede eliminar este numero de serie, ya ha registrado salida");
inline const QString kConfirmaEliminar =
    QStringLiteral("¿Desea eliminar el no. de serie?\rEsta acción no se puede deshacer.");
inline const QString kConfirmaComprobante = QStringLiteral(
    "Seleccionar un comprobante eliminará la selección del proveedor actual.\r¿Desea continuar?");
inline const QString kCompletado = QStringLiteral("operación completada!");
inline const QString kSeparador = QString(137, QLatin1Char('-'));
} // namespace detalleEntrada

// Reads everything the detail shows; `existe` false when the row is not the business's or a read
// failed.
TdetalleEntrada u_cargaDetalleEntrada(TConexionSesion *sesion, int idEntrada, int idNegocio);

// Replaces the receipt's provider link, in one transaction; refused while it has an invoice.
bool u_cambiaProveedorEntrada(TConexionSesion *sesion, const TdetalleEntrada &detalle, int idProveedor,
                              int idNegocio);
// Links an invoice of the business and drops the provider link, in one transaction.
bool u_vinculaComprobanteEntrada(TConexionSesion *sesion, const TdetalleEntrada &detalle, int idComprobante,
                                 int idNegocio);
// Removes a serial number still in the warehouse after the user confirms; says why it refuses.
bool u_eliminaNoSerieEntrada(TConexionSesion *sesion, const TdetalleEntrada &detalle,
                             const TnoSerieDetalle &serie, int idNegocio);
// A pasted list of serial numbers: checked as a whole (duplicates, recorded numbers, the layer's
// room), confirmed, then written in one transaction, all or nothing.
bool u_insertaListadoNoSerieEntrada(TConexionSesion *sesion, const TdetalleEntrada &detalle,
                                    const QString &texto, int idNegocio);
// Writes every property value (update when stored, insert otherwise), all or nothing.
bool u_guardaPropiedadesEntrada(TConexionSesion *sesion, int idEntrada,
                                const TpropiedadesAdicionales &valores, int idNegocio);

// The report table: caption and value rows with the section titles and separators.
cTabla u_tablaDetalleEntrada(const TdetalleEntrada &detalle);
// The spreadsheet blocks below the business block.
RECficha u_fichaDetalleEntrada(const TdetalleEntrada &detalle);

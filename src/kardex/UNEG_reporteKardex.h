#pragma once

#include "datos/UconexionSesion.h"

#include <QDate>
#include <QString>
#include <QVariantHash>
#include <QVector>

// What the kardex report asks: one product in one warehouse over whole days.
struct TfiltroKardex {
    QDate inicio;
    QDate fin;
    int almacenID = 0;
    int productoID = 0;
    int negocioID = 0;
};

// The four figures under the grid.
struct TresumenKardex {
    double inicial = 0;
    double entradas = 0;
    double salidas = 0;
    double final_ = 0;
};

// The product's stock limits in the warehouse as shown: a number, or " - sin establecer -".
struct TlimitesStock {
    QString maximo;
    QString minimo;
};

// One load of the report: the grid's rows by the grid's aliases, the limits and the summary, so
// that the figures shown always belong to the rows shown.
struct TresultadoKardex {
    bool exito = false;
    QVector<QVariantHash> filas;
    TlimitesStock limites;
    TresumenKardex resumen;
};

// The grid's aliases, in the order of its columns.
namespace aliasKardex {
inline const QString kFecha = QStringLiteral("inventarioKardex_fechaHora");
inline const QString kDetalle = QStringLiteral("inventarioMovimientoConcepto_etiqueta");
inline const QString kSerieFolio = QStringLiteral("comprobante_serieFolio");
inline const QString kUuid = QStringLiteral("comprobante_uuid");
inline const QString kCapa = QStringLiteral("_capa");
inline const QString kEntradaCantidad = QStringLiteral("inventarioKardex_entradaCantidad");
inline const QString kEntradaCosto = QStringLiteral("inventarioKardex_entradaCostoUnitario");
inline const QString kEntradaTotal = QStringLiteral("_entradaCalculado");
inline const QString kSalidaCantidad = QStringLiteral("inventarioKardex_salidaCantidad");
inline const QString kSalidaCosto = QStringLiteral("inventarioKardex_salidaCostoUnitario");
inline const QString kSalidaTotal = QStringLiteral("_salidaCalculado");
inline const QString kTotalCantidad = QStringLiteral("inventarioKardex_totalCantidad");
inline const QString kTotalCosto = QStringLiteral("inventarioKardex_totalCostoUnitario");
inline const QString kTotal = QStringLiteral("_total_calculado");
inline const QString kDivision = QStringLiteral("inventarioKardex_division");
inline const QString kFamilia = QStringLiteral("inventarioMovimientoConcepto_familia");
} // namespace aliasKardex

// The kardex report below its screen.
class TreporteKardex {
public:
    explicit TreporteKardex(TConexionSesion *sesion) : uSesion(sesion) {}

    // The ledger as stored. Summary: entries and issues are the sums of the rows' receipt and
    // issue totals; initial and final are the stock values at the end of the day before the range
    // and at the end of its last day.
    TresultadoKardex kardex(const TfiltroKardex &filtro) const;
    // The older view built from receipts and issues, carried onto the grid's aliases (every row is
    // a movement of its own). Summary: initial is the first row's value when it is an initial
    // stock row, entries and issues the sums of the receipt and issue totals, final the last row's
    // value.
    TresultadoKardex kardexAnterior(const TfiltroKardex &filtro) const;

private:
    TlimitesStock limites(const TfiltroKardex &filtro) const;
    double valorAlCierre(const TfiltroKardex &filtro, const QDate &dia) const;

    TConexionSesion *uSesion;
};

// Entries and issues of loaded rows: sums of their receipt and issue totals.
void u_sumaMovimientosKardex(const QVector<QVariantHash> &filas, TresumenKardex &resumen);

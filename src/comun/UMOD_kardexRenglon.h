#pragma once

#include <QDateTime>
#include <QStringList>
#include <QVariant>
#include <QVector>

class TmiddleTier;

// One ledger row (inventarioKardex), copied by value. Variant fields hold an integer, a double
// or null; a null stores NULL.
struct TkardexRenglon {
    QDateTime fechaHora;
    int movimientoConceptoID = 0; // movement kind of the source row; not stored
    int productoID = 0;
    int almacenID = 0;
    QVariant entradaID;
    QVariant documentoEntrada;
    QVariant entradaCantidad;
    QVariant entradaCostoUnitario;
    QVariant devolucionVentasID; // layer a customer return goes back to; not stored
    QVariant documentoSalida;
    QVariant salidaEntradaRelacionada;
    QVariant salidaCantidad;
    QVariant salidaCostoUnitario;
    QVariant totalCantidad;
    QVariant totalCostoUnitario;
    QVariant totalExistencia;
    int negocioID = 0;
    QVariant revision;
    QVariant division;
    QVariant grupo;
};

// One open FIFO cost layer.
struct tCapa {
    int almacenID = 0;
    int productoID = 0;
    int negocioID = 0;
    double cantidad = 0.0;
    double costoUnitario = 0.0;
    int entradaID = 0;
};

namespace renglonKardex {
// The 18 stored columns, in the order of the insert, and the parameter bound to each.
const QStringList &columnas();
const QStringList &parametros();
// The row's values for those columns, as they are bound: the date as stored text, the two
// totals as the text of their value (up to 15 digits), nulls as NULL.
QVector<QVariant> valores(const TkardexRenglon &renglon);
// The revision row of an open layer: its remainder and cost, in the given group.
TkardexRenglon revisionDeCapa(const tCapa &capa, const QDateTime &fechaHora, int grupo);
// Sets the one INSERT of a ledger row on a data-access object, every value bound.
void preparaInsercion(TmiddleTier &mt, const TkardexRenglon &renglon);
} // namespace renglonKardex

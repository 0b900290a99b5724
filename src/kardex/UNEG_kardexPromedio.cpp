#include "kardex/UNEG_kardexPromedio.h"

#include "comun/U_utilerias.h"
#include "datos/UcodigosInventario.h"
#include "kardex/UMOD_movimientoKardex.h"
#include "kardex/UNEG_escritorKardex.h"
#include "kardex/U_saldoPromedio.h"

#include <cmath>

namespace {
// A stored running figure that already is what the walk gives (to the last digits the stored
// text keeps) is left alone, so a rebuild of an in-order history writes no movement row.
bool igual(const QVariant &guardado, double calculado) {
    if (guardado.isNull() || guardado.toString().isEmpty())
        return false;
    const double g = guardado.toDouble();
    return std::fabs(g - calculado) <= 1e-9 * std::max(1.0, std::max(std::fabs(g), std::fabs(calculado)));
}

QVariant identificador(const CmidTierResponse &l, int fila, int columna) {
    const qint64 id = l.getCeldaAsInt(fila, columna);
    return id == 0 ? QVariant() : QVariant(id);
}
} // namespace

bool TkardexPromedio::construye(const CmidTierResponse &l, int idAlmacen) {
    const TcolumnasMovimiento c(l);
    TsaldoPromedio saldo;
    bool ok = true;
    for (int f = 0; ok && f < l.getRowCount(); ++f) {
        const int tipo = int(l.getCeldaAsInt(f, c.tipo));
        const bool esSalida = tipo == kMovimientoSalida || tipo == kMovimientoDevolucionCompra;
        TkardexRenglon r;
        r.fechaHora = TcolumnasMovimiento::fecha(l, f, c.fechaHora);
        r.productoID = int(l.getCeldaAsInt(f, c.productoID));
        r.almacenID = idAlmacen;
        r.negocioID = int(l.getCeldaAsInt(f, c.negocioID));
        double costo = 0.0;
        if (esSalida) {
            const double cantidad = l.getCeldaAsFloat(f, c.salidaCantidad);
            r.documentoSalida = identificador(l, f, c.salidaDocumento);
            r.salidaEntradaRelacionada = identificador(l, f, c.entradaRelacionada);
            if (tipo == kMovimientoDevolucionCompra) {
                // A purchase return leaves at its receipt's cost and shows as a negative receipt.
                costo = l.getCeldaAsFloat(f, c.capaCostoUnitario);
                saldo.devuelve(cantidad, costo);
                r.entradaCantidad = -cantidad;
                r.entradaCostoUnitario = costo;
            } else {
                costo = saldo.costoUnitario;
                saldo.entrega(cantidad);
                r.salidaCantidad = cantidad;
                r.salidaCostoUnitario = costo;
            }
        } else {
            const double cantidad = l.getCeldaAsFloat(f, c.entradaCantidad);
            costo = l.getCeldaAsFloat(f, c.capaCostoUnitario);
            saldo.recibe(cantidad, costo);
            r.entradaID = identificador(l, f, c.entradaID);
            r.documentoEntrada = identificador(l, f, c.entradaDocumento);
            if (tipo == kMovimientoDevolucionVenta) {
                // A customer return shows as a negative issue.
                r.salidaCantidad = -cantidad;
                r.salidaCostoUnitario = costo;
            } else {
                r.entradaCantidad = cantidad;
                r.entradaCostoUnitario = costo;
            }
        }
        r.totalCantidad = saldo.existencia;
        r.totalCostoUnitario = saldo.costoUnitario;
        r.totalExistencia = saldo.costoTotal;

        const bool vigente = igual(l.getValor(f, c.existenciaTotal), saldo.existencia) &&
                             igual(l.getValor(f, c.existenciaCostoUnitario), saldo.costoUnitario) &&
                             igual(l.getValor(f, c.existenciaCostoTotal), saldo.costoTotal) &&
                             (!esSalida || igual(l.getValor(f, c.salidaSalidaCostoUnitario), costo));
        if (!vigente && esSalida)
            ok = uEscritor.actualizaSalida(l.getCeldaAsInt(f, c.salidaID), FloatToStr(costo),
                                           FloatToStr(saldo.costoUnitario), FloatToStr(saldo.costoTotal),
                                           FloatToStr(saldo.existencia));
        else if (!vigente)
            ok = uEscritor.actualizaEntrada(l.getCeldaAsInt(f, c.entradaID), FloatToStr(saldo.costoUnitario),
                                            FloatToStr(saldo.costoTotal), FloatToStr(saldo.existencia));
        ok = ok && uEscritor.escribeRenglon(r);
    }
    return ok;
}

#include "kardex/UNEG_kardexPromedio.h"

#include "comun/U_utilerias.h"
#include "kardex/UMOD_movimientoKardex.h"
#include "kardex/UNEG_escritorKardex.h"

#include <cmath>
#include <limits>

namespace {
enum Tipo { kDevolucionVenta = 5, kDevolucionCompra = 7 };

// rnd(): nearest integer, ties to even; beyond 64 bits it saturates instead of overflowing.
qint64 redondea(double x) {
    constexpr double kLimite = 9.2e18;
    if (std::isnan(x))
        return 0;
    if (x >= kLimite)
        return std::numeric_limits<qint64>::max();
    if (x <= -kLimite)
        return std::numeric_limits<qint64>::min();
    return qint64(std::nearbyint(x));
}

double trunc2(double x) {
    return u_truncaDecimales(x, 2);
}

QString texto(qint64 fijo) {
    return FloatToStr(TkardexPromedio::deFijo(fijo));
}

// An identifier, or null when it is 0.
QVariant identificador(const CmidTierResponse &l, int fila, int columna) {
    const qint64 id = l.getCeldaAsInt(fila, columna);
    return id == 0 ? QVariant() : QVariant(id);
}

// An amount truncated to cents, or null when that is 0.
QVariant importe(const CmidTierResponse &l, int fila, int columna) {
    const double valor = trunc2(l.getCeldaAsFloat(fila, columna));
    return valor == 0.0 ? QVariant() : QVariant(valor);
}
} // namespace

qint64 TkardexPromedio::aFijo(double valor) {
    return redondea(valor * 10000.0);
}

bool TkardexPromedio::recalculaTablasEntradaSalidas(const CmidTierResponse &l) {
    const int n = l.getRowCount();
    if (n == 0)
        return true;
    const TcolumnasMovimiento c(l);
    double existencia = l.getCeldaAsFloat(0, c.existenciaTotal);
    qint64 costoTotal = aFijo(l.getCeldaAsFloat(0, c.existenciaCostoTotal));
    // The average before row 1 is the one row 0 leaves, so an issue right after the first
    // receipt leaves at its cost, not at 0.
    qint64 costoUnitario =
        u_esPositivo(existencia) ? aFijo(trunc2(deFijo(redondea(double(costoTotal) / existencia)))) : 0;
    bool ok = true;
    for (int f = 1; ok && f < n; ++f) {
        const double qEntrada = l.getCeldaAsFloat(f, c.entradaCantidad);
        const qint64 tEntrada =
            redondea(qEntrada * double(aFijo(l.getCeldaAsFloat(f, c.entradaCostoUnitario))));
        const double qSalida = l.getCeldaAsFloat(f, c.salidaCantidad);
        const qint64 cSalida = costoUnitario;
        const qint64 tSalida = redondea(qSalida * double(cSalida));
        const qint64 valor = redondea(double(costoTotal) + double(tEntrada) - double(tSalida));
        existencia += qEntrada - qSalida;
        if (u_esCero(existencia))
            existencia = 0.0;
        costoUnitario = u_esPositivo(existencia) ? redondea(double(valor) / existencia) : 0;
        costoUnitario = aFijo(trunc2(deFijo(costoUnitario)));
        costoTotal = redondea(existencia * double(costoUnitario));
        const qint64 idEntrada = l.getCeldaAsInt(f, c.entradaID);
        const qint64 idSalida = l.getCeldaAsInt(f, c.salidaID);
        if (idEntrada >= 1)
            ok = uEscritor.actualizaEntrada(idEntrada, texto(costoUnitario), texto(costoTotal),
                                            FloatToStr(existencia));
        else if (idSalida >= 1)
            ok = uEscritor.actualizaSalida(idSalida, texto(cSalida), texto(costoUnitario), texto(costoTotal),
                                           FloatToStr(existencia));
    }
    return ok;
}

bool TkardexPromedio::creaKardexPromedio(const CmidTierResponse &l, int idAlmacen) {
    const TcolumnasMovimiento c(l);
    bool ok = true;
    for (int f = 0; ok && f < l.getRowCount(); ++f) {
        TkardexRenglon r;
        r.fechaHora = TcolumnasMovimiento::fecha(l, f, c.fechaHora);
        r.movimientoConceptoID = int(l.getCeldaAsInt(f, c.tipo));
        r.productoID = int(l.getCeldaAsInt(f, c.productoID));
        r.almacenID = idAlmacen;
        r.negocioID = int(l.getCeldaAsInt(f, c.negocioID));
        r.existenciaCostoTotal = trunc2(l.getCeldaAsFloat(f, c.existenciaCostoTotal));
        r.entradaID = identificador(l, f, c.entradaID);
        r.documentoEntrada = identificador(l, f, c.entradaDocumento);
        r.documentoSalida = identificador(l, f, c.salidaDocumento);
        r.salidaEntradaRelacionada = identificador(l, f, c.entradaRelacionada);
        r.devolucionVentasID = identificador(l, f, c.devolucionVentasID);
        r.entradaCantidad = importe(l, f, c.entradaCantidad);
        r.entradaCostoUnitario = importe(l, f, c.entradaCostoUnitario);
        r.salidaCantidad = importe(l, f, c.salidaCantidad);
        r.salidaCostoUnitario = importe(l, f, c.salidaSalidaCostoUnitario);
        r.totalCantidad = trunc2(l.getCeldaAsFloat(f, c.existenciaTotal));
        const double costoUnitario = trunc2(l.getCeldaAsFloat(f, c.existenciaCostoUnitario));
        r.totalCostoUnitario = costoUnitario == 0.0 ? QVariant(QStringLiteral("0")) : QVariant(costoUnitario);
        if (r.movimientoConceptoID == kDevolucionVenta) {
            // A customer return shows as a negative issue.
            r.salidaCantidad =
                r.entradaCantidad.isNull() ? QVariant() : QVariant(-r.entradaCantidad.toDouble());
            r.salidaCostoUnitario = r.entradaCostoUnitario;
            r.entradaCantidad = r.entradaCostoUnitario = QVariant();
        } else if (r.movimientoConceptoID == kDevolucionCompra) {
            // A purchase return shows as a negative receipt.
            r.entradaCantidad =
                r.salidaCantidad.isNull() ? QVariant() : QVariant(-r.salidaCantidad.toDouble());
            r.entradaCostoUnitario = r.salidaCostoUnitario;
            r.salidaCantidad = r.salidaCostoUnitario = QVariant();
        }
        ok = uEscritor.escribeRenglon(r);
    }
    return ok;
}

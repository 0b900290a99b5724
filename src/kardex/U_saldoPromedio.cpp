#include "kardex/U_saldoPromedio.h"

#include "comun/U_utilerias.h"

#include <cmath>
#include <limits>

namespace {
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

// a − b, held at the ends of the range instead of wrapping (absurd figures stay absurd, not negated).
qint64 restaSaturada(qint64 a, qint64 b) {
    qint64 r;
    if (!__builtin_sub_overflow(a, b, &r))
        return r;
    return b < 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
}

double limpia(double cantidad) {
    return u_esCero(cantidad) ? 0.0 : cantidad;
}
} // namespace

qint64 TsaldoPromedio::aFijo(double valor) {
    return redondea(valor * 10000.0);
}

double TsaldoPromedio::resta(double valor, double cantidad, double costo) {
    return deFijo(restaSaturada(aFijo(valor), redondea(cantidad * double(aFijo(costo)))));
}

void TsaldoPromedio::fijaPromedio() {
    costoUnitario = u_esPositivo(existencia)
                        ? u_truncaDecimales(deFijo(redondea(double(aFijo(costoTotal)) / existencia)), 2)
                        : 0.0;
}

void TsaldoPromedio::recibe(double cantidad, double costo) {
    existencia += cantidad;
    costoTotal = resta(costoTotal, -cantidad, costo);
    fijaPromedio();
}

void TsaldoPromedio::entrega(double cantidad) {
    existencia = limpia(existencia - cantidad);
    costoTotal = resta(costoTotal, cantidad, costoUnitario);
}

void TsaldoPromedio::devuelve(double cantidad, double costo) {
    existencia = limpia(existencia - cantidad);
    costoTotal = resta(costoTotal, cantidad, costo);
    fijaPromedio();
}

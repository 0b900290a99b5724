#pragma once

#include <QtGlobal>

// The running balance of one warehouse and product under Promedio Ponderado: the one rule the
// receipt and issue postings and the kardex rebuild all follow, so a rebuild of what was posted
// in date order restates nothing.
//
// Money is carried in fixed point (1/10000, ties to even), so the value read back from a stored
// column continues the chain exactly; quantities stay doubles, a remainder within the quantity
// tolerance being 0. The average is the value over the stock, truncated to cents (0 when there
// is no stock); the value is carried, never restated from the average, so cost of sales plus the
// closing value always equals what came in.
struct TsaldoPromedio {
    double existencia = 0.0;
    double costoUnitario = 0.0; // the average, truncated to cents
    double costoTotal = 0.0;    // the running value

    // A receipt (or a customer return) of `cantidad` at `costo`: the value grows by cantidad ×
    // costo and the average is set again.
    void recibe(double cantidad, double costo);
    // An issue at the average: the value drops by cantidad × average; the average stays.
    void entrega(double cantidad);
    // A purchase return at the cost of the receipt it returns: the value drops by cantidad ×
    // costo and the average is set again from what is left.
    void devuelve(double cantidad, double costo);

    // Fixed point: value × 10000 rounded to the nearest integer, ties to even (saturating).
    static qint64 aFijo(double valor);
    static double deFijo(qint64 fijo) { return double(fijo) / 10000.0; }
    // The value after `cantidad` leaves (or, negative, comes in) at `costo`.
    static double resta(double valor, double cantidad, double costo);

private:
    void fijaPromedio();
};

#include "UgeneradorMovimientos.h"

#include "UapoyoBench.h"

#include "comun/UNEG_opciones.h"
#include "datos/UfechaHora.h"
#include "datos/UinsercionMultiple.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <deque>

namespace {
struct Tcapa {
    qint64 id;
    double restante;
    double costo;
};
} // namespace

int TgeneradorMovimientos::genera(TConexionSesion *sesion, qint64 &escritos) const {
    Topciones mt(sesion);
    if (!mt.transaccionInicia())
        return 0;
    const int negocio =
        int(u_inserta(mt, QStringLiteral("INSERT INTO negocio (nombre) VALUES ('Banco de pruebas')"), {}));
    auto concepto = [&](int direccion, int familia) {
        return u_inserta(
            mt,
            QStringLiteral("INSERT INTO inventarioMovimientoConcepto (etiqueta, direccion, familia, "
                           "idNegocioFk) VALUES (:e, :d, :f, :n)"),
            {{QStringLiteral("e"), QStringLiteral("Concepto %1 %2").arg(direccion).arg(familia)},
             {QStringLiteral("d"), direccion},
             {QStringLiteral("f"), familia},
             {QStringLiteral("n"), negocio}});
    };
    const qint64 cInicial = concepto(1, -4), cEntrada = concepto(1, 1), cDevolucion = concepto(1, 2);
    const qint64 cSalida = concepto(2, 1), cDevCompra = concepto(2, 3);
    const int pares = int(qMax<qint64>(1, movimientos / movimientosPorPar));
    const int productos = qMax(1, pares / almacenes);
    QList<qint64> idsAlmacen, idsProducto;
    for (int a = 0; a < almacenes; ++a)
        idsAlmacen << u_inserta(
            mt,
            QStringLiteral("INSERT INTO inventarioAlmacen (nombre, sucursal_id, idNegocioFk) "
                           "VALUES (:x, 1, :n)"),
            {{QStringLiteral("x"), QStringLiteral("Almacén %1").arg(a)}, {QStringLiteral("n"), negocio}});
    for (int p = 0; p < productos; ++p)
        idsProducto << u_inserta(
            mt, QStringLiteral("INSERT INTO inventarioProducto (nombre, idNegocioFk) VALUES (:x, :n)"),
            {{QStringLiteral("x"), QStringLiteral("Producto %1").arg(p)}, {QStringLiteral("n"), negocio}});

    TinsercionMultiple entradas(
        mt, QStringLiteral("inventarioEntrada"),
        {QStringLiteral("id"), QStringLiteral("documento"), QStringLiteral("fechaHora"),
         QStringLiteral("inventarioAlmacen_id"), QStringLiteral("inventarioProducto_id"),
         QStringLiteral("inventarioMovimientoConcepto_id"), QStringLiteral("cantidad"),
         QStringLiteral("costoUnitario"), QStringLiteral("existencia"), QStringLiteral("existenciaTotal"),
         QStringLiteral("existenciaCostoUnitario"), QStringLiteral("existenciaCostoTotal"),
         QStringLiteral("idNegocioFk")});
    TinsercionMultiple salidas(
        mt, QStringLiteral("inventarioSalida"),
        {QStringLiteral("id"), QStringLiteral("documento"), QStringLiteral("fechaHora"),
         QStringLiteral("inventarioEntrada_id"), QStringLiteral("inventarioMovimientoConcepto_id"),
         QStringLiteral("cantidad"), QStringLiteral("salidaCostoUnitario"), QStringLiteral("existenciaTotal"),
         QStringLiteral("existenciaCostoUnitario"), QStringLiteral("existenciaCostoTotal"),
         QStringLiteral("inventarioAlmacen_id"), QStringLiteral("inventarioProducto_id"),
         QStringLiteral("idNegocioFk")});
    TinsercionMultiple adicionales(
        mt, QStringLiteral("inventarioEntradaAdicional"),
        {QStringLiteral("inventarioEntrada_id"), QStringLiteral("inventarioSalida_id")});
    QRandomGenerator azar(semilla);
    qint64 idEntrada = 0, idSalida = 0, documentoEntrada = 0, documentoSalida = 0;
    escritos = 0;
    bool ok = true;
    // Each pair's history spans about three years, as a shop's would, so a day or a month of the
    // business holds a day's or a month's share of its movements whatever the size asked for.
    const QDateTime inicio(QDate(2022, 1, 1), QTime(8, 0));
    const int paso = qMax(600, int(3 * 365 * 86400LL / qMax(1, movimientosPorPar)));
    for (qint64 almacen : idsAlmacen) {
        for (qint64 producto : idsProducto) {
            std::deque<Tcapa> capas;
            double existencia = 0, valor = 0;
            QDateTime momento = inicio.addSecs(azar.bounded(paso));
            QList<QPair<qint64, qint64>> devolvibles; // issue id, its layer
            auto corrida = [&](double delta, double costo) {
                existencia += delta;
                valor += delta * costo;
                if (existencia <= 1e-9)
                    valor = 0;
                return existencia > 1e-9 ? valor / existencia : 0.0;
            };
            auto recibe = [&](qint64 concepto, double cantidad, double costo) {
                const double promedio = corrida(cantidad, costo);
                ++idEntrada;
                ok = ok && entradas.agrega({idEntrada, ++documentoEntrada, fechaHora::aTextoBD(momento),
                                            almacen, producto, concepto, cantidad, costo, cantidad,
                                            existencia, promedio, valor, negocio});
                capas.push_back({idEntrada, cantidad, costo});
                ++escritos;
                return idEntrada;
            };
            auto emite = [&](qint64 concepto, const Tcapa &capa, double cantidad, qint64 documento) {
                const double promedio = corrida(-cantidad, capa.costo);
                ++idSalida;
                ok = ok && salidas.agrega({idSalida, documento, fechaHora::aTextoBD(momento), capa.id,
                                           concepto, cantidad, capa.costo, existencia, promedio, valor,
                                           almacen, producto, negocio});
                ++escritos;
                return idSalida;
            };
            recibe(cInicial, 20 + azar.bounded(80), 10 + azar.bounded(5000) / 100.0);
            for (int m = 1; m < movimientosPorPar; ++m) {
                momento = momento.addSecs(paso / 2 + azar.bounded(paso));
                const int tipo = azar.bounded(100);
                if (tipo < 30 || capas.empty()) {
                    recibe(cEntrada, 5 + azar.bounded(60), 10 + azar.bounded(5000) / 100.0);
                } else if (tipo < 85) {
                    // Oldest layers first; a large issue spans two.
                    double pedido = 1 + azar.bounded(int(capas.front().restante) + 10);
                    ++documentoSalida;
                    for (int tramo = 0; tramo < 2 && pedido > 0 && !capas.empty(); ++tramo) {
                        Tcapa &capa = capas.front();
                        const double toma = qMin(pedido, capa.restante);
                        devolvibles << qMakePair(emite(cSalida, capa, toma, documentoSalida), capa.id);
                        capa.restante -= toma;
                        pedido -= toma;
                        if (capa.restante <= 1e-9)
                            capas.pop_front();
                    }
                } else if (tipo < 93 && !devolvibles.isEmpty()) {
                    const auto devuelta = devolvibles.takeLast();
                    const qint64 id = recibe(cDevolucion, 1, 10);
                    capas.pop_back(); // the returned unit goes back to the layer, not a new one
                    ok = ok && adicionales.agrega({id, devuelta.first});
                } else {
                    Tcapa &capa = capas.back();
                    emite(cDevCompra, capa, qMin(1.0, capa.restante), ++documentoSalida);
                    capa.restante -= qMin(1.0, capa.restante);
                    if (capa.restante <= 1e-9)
                        capas.pop_back();
                }
            }
        }
    }
    ok = ok && entradas.vacia() && salidas.vacia() && adicionales.vacia() && mt.transaccionTermina();
    return ok ? negocio : 0;
}

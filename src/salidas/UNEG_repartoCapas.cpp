#include "salidas/UNEG_repartoCapas.h"

#include "comun/U_utilerias.h"
#include "kardex/U_saldoPromedio.h"
#include "salidas/UNEG_salidas.h"

namespace {
double limpia(double cantidad) {
    return u_esCero(cantidad) ? 0.0 : cantidad;
}

// A line taking `toma` of `capa`, the stock and its value (`existencia`, `valor`) running down;
// under the average (`saldo`) the value follows the running-balance rule.
TlineaSalida lineaDeCapa(const TproductoSalida &producto, const TexistenciaProducto::Tcapa &capa, double toma,
                         double costo, double &existencia, double &valor, TsaldoPromedio *saldo) {
    existencia = limpia(existencia - toma);
    if (saldo) {
        saldo->entrega(toma);
        valor = saldo->costoTotal;
    } else {
        valor -= costo * toma;
    }
    TlineaSalida l;
    l.producto = producto;
    l.cantidad = toma;
    l.costoUnitario = costo;
    l.total = costo * toma;
    l.entradaID = capa.entradaID;
    l.documentoEntrada = capa.documento;
    l.existenciaPrevia = capa.existencia;
    l.existencia = limpia(capa.existencia - toma);
    l.salidasCostoUnitario = costo;
    l.existenciaTotal = existencia;
    l.existenciaCostoTotal = valor;
    return l;
}
} // namespace

const TexistenciaProducto::Tcapa *TexistenciaProducto::capa(int entradaID) const {
    for (const Tcapa &c : capas)
        if (c.entradaID == entradaID)
            return &c;
    return nullptr;
}

bool u_leeExistenciasProductos(TmovimientosInventario &salidas, int idAlmacen, const QVector<int> &productos,
                               int idNegocio, bool promedio, QHash<int, TexistenciaProducto> &existencias) {
    QHash<int, TestadoProducto> estados;
    QHash<int, QVector<TcapaAbierta>> capas;
    if (!salidas.leeEstados(idAlmacen, productos, idNegocio, estados) ||
        !salidas.leeCapasAbiertas(idAlmacen, productos, idNegocio, capas))
        return false;
    for (const int producto : productos) {
        const TestadoProducto e = estados.value(producto);
        TexistenciaProducto &x = existencias[producto];
        x = TexistenciaProducto();
        x.capas = capas.value(producto);
        x.instantanea = {e.existencia.existe, e.existencia.existencia, e.costoTotal};
        x.costoPromedio = promedio ? e.costoUnitario : 0.0;
        x.idExistencia = e.idExistencia;
        x.grupo = e.grupo;
    }
    return true;
}

bool u_leeExistenciaProducto(TmovimientosInventario &salidas, int idAlmacen, int idProducto, int idNegocio,
                             bool promedio, TexistenciaProducto &x) {
    QHash<int, TexistenciaProducto> leidas;
    if (!u_leeExistenciasProductos(salidas, idAlmacen, {idProducto}, idNegocio, promedio, leidas))
        return false;
    x = leidas.value(idProducto);
    return true;
}

bool u_reparteEnCapas(const TproductoSalida &producto, double cantidad, const TexistenciaProducto &x,
                      bool promedio, QVector<TlineaSalida> &lineas) {
    double existencia = x.instantanea.existencia;
    double valor = x.instantanea.costoTotal;
    TsaldoPromedio saldo{existencia, x.costoPromedio, valor};
    double resta = cantidad;
    QVector<TlineaSalida> nuevas;
    for (int i = 0; i < x.capas.size() && u_esPositivo(resta); ++i) {
        const TexistenciaProducto::Tcapa &capa = x.capas[i];
        // A remainder within the tolerance of the layer closes it instead of leaving a sliver.
        const double toma = u_esPositivo(resta - capa.existencia) ? capa.existencia : resta;
        resta = limpia(resta - toma);
        nuevas.append(lineaDeCapa(producto, capa, toma, promedio ? x.costoPromedio : capa.costo, existencia,
                                  valor, promedio ? &saldo : nullptr));
    }
    if (u_esPositivo(resta))
        return false;
    lineas = nuevas;
    return true;
}

bool u_recalculaEnSusCapas(QVector<TlineaSalida> &lineas, const TexistenciaProducto &x, bool promedio) {
    double existencia = x.instantanea.existencia;
    double valor = x.instantanea.costoTotal;
    TsaldoPromedio saldo{existencia, x.costoPromedio, valor};
    QVector<TlineaSalida> nuevas;
    for (const TlineaSalida &l : std::as_const(lineas)) {
        const TexistenciaProducto::Tcapa *capa = x.capa(l.entradaID);
        if (!capa || u_esPositivo(l.cantidad - capa->existencia))
            return false;
        TlineaSalida n = lineaDeCapa(l.producto, *capa, l.cantidad, promedio ? x.costoPromedio : capa->costo,
                                     existencia, valor, promedio ? &saldo : nullptr);
        n.series = l.series;
        nuevas.append(n);
    }
    lineas = nuevas;
    return true;
}

TlineaSalida u_lineaDevolucion(const TproductoSalida &producto, double cantidad, double costo, int idEntrada,
                               double maximo, const TinstantaneaExistencia &x, bool promedio) {
    TlineaSalida l;
    l.producto = producto;
    l.cantidad = cantidad;
    l.costoUnitario = costo;
    l.total = costo * cantidad;
    l.entradaID = idEntrada;
    l.existenciaPrevia = maximo;
    l.existencia = limpia(maximo - cantidad);
    l.existenciaTotal = limpia(x.existencia - cantidad);
    if (!promedio) {
        l.existenciaCostoTotal = x.costoTotal - costo * cantidad;
        l.salidasCostoUnitario = costo;
    } else {
        // A purchase return leaves at its receipt's cost; the average is set again from what stays.
        TsaldoPromedio saldo{x.existencia, 0.0, x.costoTotal};
        saldo.devuelve(cantidad, costo);
        l.existenciaCostoTotal = saldo.costoTotal;
        l.salidasCostoUnitario = saldo.costoUnitario;
    }
    return l;
}

#include "entradas/U_lineaOrdenCompra.h"

#include "comun/U_numeroCapturado.h"
#include "comun/U_utilerias.h"

#include <cmath>

double TlineaOrdenCompra::costoUnitarioRecibido() const {
    const double divisor = solicitado * factor;
    return u_esPositivo(divisor) ? precioTotal / divisor : 0;
}

QString TlineaOrdenCompra::estado() const {
    if (u_esCero(acumulado) && idProducto <= 0 && u_esCero(recibido))
        return QStringLiteral("sinCambio");
    if (idProducto > 0 && u_esCero(acumulado + recibido - solicitado))
        return QStringLiteral("activo");
    return QStringLiteral("exclamation");
}

TestadoOrdenCompra::TinventarioOrdenesCompraArticulos TlineaOrdenCompra::estadoDespues() const {
    return {idLinea, acumulado + recibido, idProducto, idUnidadRecibido, factor};
}

bool TlineaOrdenCompra::estadoNuevo() const {
    return u_esCero(acumulado);
}

TlineaOrdenCompra u_lineaOrdenDeFila(const CmidTierResponse &r, int f) {
    TlineaOrdenCompra l;
    l.idLinea = int(r.getCeldaAsInt(f, QStringLiteral("articulosOrdenesCompra_id")));
    l.descripcion = r.getCelda(f, QStringLiteral("articulosOrdenesCompra_descripcionArticulo"));
    l.solicitado = r.getCeldaAsFloat(f, QStringLiteral("articulosOrdenesCompra_cantidadSolicitada"));
    l.acumulado = r.getCeldaAsFloat(f, QStringLiteral("inventarioOrdenesCompraArticulos_cantidadAcumulada"));
    l.precioUnitario = r.getCeldaAsFloat(f, QStringLiteral("articulosOrdenesCompra_precioUnitario"));
    l.precioTotal = r.getCeldaAsFloat(f, QStringLiteral("articulosOrdenesCompra_precioTotal"));
    l.idProducto = int(r.getCeldaAsInt(f, QStringLiteral("inventarioProducto_id")));
    l.idUnidadRecibido = int(r.getCeldaAsInt(f, QStringLiteral("unidadMedidaRecibido_id")));
    l.controlNoSerie = r.getCeldaAsInt(f, QStringLiteral("inventarioProducto_opControladoNoSerie")) == 1;
    // A line never matched has no stored factor: it starts at 1.
    if (!r.esNulo(f, QStringLiteral("inventarioOrdenesCompraArticulos_factorConversion")))
        l.factor = r.getCeldaAsFloat(f, QStringLiteral("inventarioOrdenesCompraArticulos_factorConversion"));
    return l;
}

QString u_fijaCantidadRecibida(TlineaOrdenCompra &linea, const QString &recibido, const QString &factor) {
    const TnumeroCapturado f =
        u_leeNumeroCapturado(factor, QStringLiteral("Factor Conversión"), TreglaNumero::Positivo);
    if (!f.ok)
        return f.mensaje;
    const TnumeroCapturado r =
        u_leeNumeroCapturado(recibido, QStringLiteral("Recibido"), TreglaNumero::CeroOPositivo);
    if (!r.ok)
        return r.mensaje;
    if (linea.solicitado - linea.acumulado - r.valor < -kToleranciaCantidad)
        return ordenCompra::kRebasa;
    // Received x factor is what the stock grows by: it must stay a quantity a user could type.
    if (r.valor * f.valor > kNumeroCapturadoMaximo)
        return QStringLiteral("La cantidad registrada (Recibido × Factor Conversión) es demasiado grande.");
    linea.factor = f.valor;
    linea.recibido = r.valor;
    return {};
}

QString u_revisaLineasOrden(const QVector<TlineaOrdenCompra> &lineas, const QVector<int> &series) {
    const auto articulo = [](int i, const QString &texto) {
        return QStringLiteral("Artículo ") + QString::number(i + 1) + QLatin1Char(' ') + texto;
    };
    double total = 0;
    for (int i = 0; i < lineas.size(); ++i) {
        const TlineaOrdenCompra &l = lineas[i];
        if (!u_esCero(l.acumulado + l.recibido) && l.idProducto <= 0)
            return articulo(i, QStringLiteral("revisar: Producto Catálogo"));
        if (u_esPositivo(l.recibido) && l.idUnidadRecibido <= 0)
            return articulo(i, QStringLiteral("revisar: unidad de medida recibido"));
        total += l.recibido;
    }
    if (!u_esPositivo(total))
        return ordenCompra::kNadaRecibido;
    for (int i = 0; i < lineas.size(); ++i) {
        if (!lineas[i].controlNoSerie)
            continue;
        // One serial number per unit stored: the units arrive in the storage unit.
        const qint64 requeridos = qint64(std::floor(lineas[i].registrado() + kToleranciaCantidad));
        const int capturados = series.value(i);
        if (capturados < requeridos)
            return articulo(i, QStringLiteral("capturar todos los números de serie"));
        if (capturados > requeridos)
            return articulo(
                i, QStringLiteral("ha capturado mas números de serie de los registrados en la entrada"));
    }
    return {};
}

CmidTierResponse u_guardaEstadoLineaOrden(TestadoOrdenCompra &t, const TlineaOrdenCompra &linea,
                                          int idNegocio) {
    const TestadoOrdenCompra::TinventarioOrdenesCompraArticulos estado = linea.estadoDespues();
    return linea.estadoNuevo() ? t.insertOrdenArticuloEstado(estado, idNegocio)
                               : t.updateOrdenArticuloEstado(estado, idNegocio);
}

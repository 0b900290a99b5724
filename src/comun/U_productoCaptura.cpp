#include "comun/U_productoCaptura.h"

#include "comun/UNEG_almacenesLista.h"
#include "comun/UNEG_catalogo.h"
#include "comun/UNEG_productos.h"
#include "comun/UNEG_unidadesMedida.h"
#include "comun/U_numeroCapturado.h"

#include <QSet>

namespace {

QString corta(const QString &texto, int limite) {
    return texto.trimmed().left(limite);
}

// Parsed limit: null when the text is empty.
struct TlimiteLeido {
    QVariant minimo;
    QVariant maximo;
};

QString leeLimite(const QString &texto, const QString &campo, QVariant &valor) {
    if (texto.trimmed().isEmpty()) {
        valor = QVariant();
        return {};
    }
    const TnumeroCapturado n = u_leeNumeroCapturado(texto, campo, TreglaNumero::CeroOPositivo);
    if (!n.ok)
        return n.mensaje;
    valor = n.valor;
    return {};
}

QString leeLimites(const TlimiteStock &l, TlimiteLeido &leido) {
    QString error = leeLimite(l.minimo, QStringLiteral("mínimo en ") + l.almacenNombre, leido.minimo);
    if (error.isEmpty())
        error = leeLimite(l.maximo, QStringLiteral("máximo en ") + l.almacenNombre, leido.maximo);
    if (error.isEmpty() && leido.minimo.isValid() && leido.maximo.isValid() &&
        leido.minimo.toDouble() > leido.maximo.toDouble())
        error = QStringLiteral("En %1 el mínimo no puede ser mayor que el máximo.").arg(l.almacenNombre);
    return error;
}

QString validaUnicos(TConexionSesion *sesion, const TproductoCaptura &p, int idNegocio) {
    Tproductos productos(sesion);
    const CmidTierResponse clave = productos.selectClaveRepetida(p.clave, p.id, idNegocio);
    if (!clave.isSuccess())
        return QStringLiteral("No se pudo comprobar la clave del producto.");
    if (clave.getRowCount() > 0)
        return QStringLiteral("Ya existe un producto con la clave %1: %2.")
            .arg(p.clave, clave.getCelda(0, QStringLiteral("producto_nombre")));
    if (p.codigoBarras.isEmpty())
        return {};
    const CmidTierResponse barras = productos.selectCodigoBarrasRepetido(p.codigoBarras, p.id, idNegocio);
    if (!barras.isSuccess())
        return QStringLiteral("No se pudo comprobar el código de barras.");
    if (barras.getRowCount() > 0)
        return QStringLiteral("El código de barras %1 ya pertenece al producto %2.")
            .arg(p.codigoBarras, barras.getCelda(0, QStringLiteral("producto_nombre")));
    return {};
}

QString validaReferencias(TConexionSesion *sesion, const TproductoCaptura &p, int idNegocio,
                          productoCaptura::Tcategoria categoria) {
    const bool sinCategoria = p.categoria.isEmpty() && categoria == productoCaptura::Tcategoria::Opcional;
    if (!sinCategoria &&
        (p.categoria.isEmpty() ||
         Tcatalogo(sesion).selectCategoriaPorIdentidad(p.categoria, idNegocio).getRowCount() != 1))
        return QStringLiteral("Seleccione la categoría del producto.");
    if (p.unidadMedidaId <= 0 ||
        TunidadesMedida(sesion).selectUnidadPorId(p.unidadMedidaId, idNegocio).getRowCount() != 1)
        return QStringLiteral("Seleccione la unidad de medida del producto.");
    if (p.estado != 1 && p.estado != 2)
        return QStringLiteral("Seleccione el estado del producto.");
    return {};
}

// Stock is kept in the product's unit and its serial numbers were captured under its flag:
// once receipts exist, changing either would misread what is stored.
QString validaCambiosConMovimientos(TConexionSesion *sesion, const TproductoCaptura &p, int idNegocio) {
    if (p.id <= 0)
        return {};
    Tproductos productos(sesion);
    const CmidTierResponse actual = productos.selectProductoPorId(p.id, idNegocio);
    if (!actual.isSuccess() || actual.getRowCount() != 1)
        return QStringLiteral("El producto ya no existe.");
    const bool cambiaUnidad =
        actual.getCeldaAsInt(0, QStringLiteral("unidadesMedida_id")) != p.unidadMedidaId;
    const bool cambiaSerie =
        (actual.getCeldaAsInt(0, QStringLiteral("inventarioProducto_opControlnoSerie")) == 1) !=
        p.controladoNoSerie;
    if (!cambiaUnidad && !cambiaSerie)
        return {};
    if (productos.selectMovimientosProducto(p.id, idNegocio).getScalarAsInt() == 0)
        return {};
    return QStringLiteral("El producto ya tiene movimientos: no es posible cambiar su unidad de medida ni el "
                          "control de números de serie.");
}

QString validaAlmacenes(TConexionSesion *sesion, const TproductoCaptura &p, int idNegocio) {
    if (p.limites.isEmpty())
        return {};
    const CmidTierResponse almacenes = TalmacenesLista(sesion).selectAlmacenesSeleccion({}, idNegocio);
    QSet<int> propios;
    for (int f = 0; f < almacenes.getRowCount(); ++f)
        propios.insert(int(almacenes.getCeldaAsInt(f, QStringLiteral("almacen_id"))));
    for (const TlimiteStock &l : p.limites) {
        if (!propios.contains(l.almacenId))
            return QStringLiteral("El almacén %1 no pertenece al negocio.").arg(l.almacenNombre);
        TlimiteLeido leido;
        const QString error = leeLimites(l, leido);
        if (!error.isEmpty())
            return error;
    }
    return {};
}

bool escribeLimites(Tproductos &productos, int idProducto, const TproductoCaptura &p, int idNegocio) {
    for (const TlimiteStock &l : p.limites) {
        TlimiteLeido leido;
        leeLimites(l, leido);
        if (!productos.deleteStockProducto(idProducto, l.almacenId, idNegocio).isSuccess())
            return false;
        if (!leido.minimo.isValid() && !leido.maximo.isValid())
            continue;
        if (!productos.insertStockProducto(idProducto, l.almacenId, leido.minimo, leido.maximo, idNegocio)
                 .isSuccess())
            return false;
    }
    return true;
}

} // namespace

TproductoCaptura productoCaptura::normaliza(TproductoCaptura p) {
    p.clave = corta(p.clave, limites::kClave);
    p.nombre = corta(p.nombre, limites::kNombreProducto);
    p.descripcion = corta(p.descripcion, limites::kDescripcionProducto);
    p.codigoBarras = corta(p.codigoBarras, limites::kCodigoBarras);
    p.categoria = p.categoria.trimmed();
    return p;
}

QString productoCaptura::valida(TConexionSesion *sesion, const TproductoCaptura &p, int idNegocio,
                                Tcategoria categoria) {
    if (p.clave.isEmpty())
        return QStringLiteral("Capture la clave del producto.");
    if (p.nombre.isEmpty())
        return QStringLiteral("Capture el nombre del producto.");
    QString error = validaUnicos(sesion, p, idNegocio);
    if (error.isEmpty())
        error = validaReferencias(sesion, p, idNegocio, categoria);
    if (!error.isEmpty())
        return error;
    for (const auto &regla : {validaCambiosConMovimientos, validaAlmacenes}) {
        const QString error = regla(sesion, p, idNegocio);
        if (!error.isEmpty())
            return error;
    }
    return {};
}

TresultadoCaptura productoCaptura::guarda(TConexionSesion *sesion, const TproductoCaptura &captura,
                                          int idNegocio, Tcategoria categoria) {
    const TproductoCaptura p = normaliza(captura);
    TresultadoCaptura r;
    r.mensaje = valida(sesion, p, idNegocio, categoria);
    if (!r.mensaje.isEmpty())
        return r;
    Tproductos productos(sesion);
    const QString falla = QStringLiteral("No se pudo guardar el producto. Intente de nuevo.");
    if (!productos.transaccionInicia()) {
        r.mensaje = falla;
        return r;
    }
    int id = p.id;
    if (id > 0) {
        if (!productos.updateProducto(p, idNegocio).isSuccess())
            id = 0;
    } else {
        const CmidTierResponse alta = productos.insertProducto(p, idNegocio);
        id = alta.isSuccess() ? int(alta.getIdInsertado()) : 0;
    }
    if (id <= 0 || !escribeLimites(productos, id, p, idNegocio) || !productos.transaccionTermina()) {
        productos.transaccionRollback();
        r.mensaje = falla;
        return r;
    }
    r.id = id;
    return r;
}

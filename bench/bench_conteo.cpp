// A physical count at size: the sheet of a warehouse of N products is read, saved as a new count
// (multi-row inserts), saved over (lines replaced) and reopened. The raw multi-row insert of the
// same lines is the yardstick (ratio = save ÷ raw).
#include "UapoyoBench.h"
#include "datos/UinsercionMultiple.h"
#include "existencias/UNEG_inventarioFisico.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {
int inserta(TConexionSesion *sesion, const QString &sentencia,
            const QVector<QPair<QString, QVariant>> &valores) {
    TmiddleTier mt(sesion);
    mt.setQuery(sentencia);
    for (const auto &v : valores)
        mt.setParametroVariant(v.first, v.second);
    return int(mt.nonQuery().getIdInsertado());
}

// A business with one warehouse holding `productos` products (a stock row each).
bool generaAlmacen(TConexionSesion *sesion, int productos, int &negocio, int &almacen) {
    negocio = inserta(sesion, QStringLiteral("INSERT INTO negocio (nombre) VALUES ('Conteo')"), {});
    almacen =
        inserta(sesion,
                QStringLiteral("INSERT INTO inventarioAlmacen (nombre, sucursal_id, idNegocioFk) VALUES "
                               "('Matriz', 1, :n)"),
                {{QStringLiteral("n"), negocio}});
    TmiddleTier mt(sesion);
    if (!mt.transaccionInicia())
        return false;
    TinsercionMultiple p(mt, QStringLiteral("inventarioProducto"),
                         {QStringLiteral("id"), QStringLiteral("clave"), QStringLiteral("nombre"),
                          QStringLiteral("idNegocioFk")});
    TinsercionMultiple x(mt, QStringLiteral("inventarioExistencias"),
                         {QStringLiteral("inventarioAlmacen_id"), QStringLiteral("inventarioProducto_id"),
                          QStringLiteral("existencia")});
    for (int i = 1; i <= productos; ++i)
        if (!p.agrega({i, QStringLiteral("P%1").arg(i, 5, 10, QLatin1Char('0')),
                       QStringLiteral("Producto %1").arg(i), negocio}) ||
            !x.agrega({almacen, i, double(i % 37)}))
            return false;
    return p.vacia() && x.vacia() && mt.transaccionTermina();
}

double segundos(const QElapsedTimer &reloj) {
    return reloj.nsecsElapsed() / 1e9;
}
} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    TbaseBench base(p, 10000);
    p.process(app);
    if (!base.prepara(p))
        return 1;
    TConexionSesion *sesion = base.sesion();
    int negocio = 0, almacen = 0;
    if (!generaAlmacen(sesion, int(base.movimientos()), negocio, almacen))
        return 1;
    u_figura(QStringLiteral("motor"), base.motor());
    u_figura(QStringLiteral("productos"), base.movimientos());

    QElapsedTimer reloj;
    reloj.start();
    QVector<TlineaConteo> lineas;
    if (!u_cargaHojaConteo(sesion, QString(), almacen, negocio, lineas))
        return 1;
    u_figura(QStringLiteral("carga_s"), segundos(reloj));
    for (int i = 0; i < lineas.size(); ++i)
        lineas[i].existenciaFisica = QString::number(i % 41);

    UREC_inventarioFisicoIndice indice;
    indice.resultado = 1;
    indice.nombre = QStringLiteral("Conteo");
    indice.almacenID = almacen;
    indice.creacion = indice.modificacion = QDateTime::currentDateTime();
    indice.negocioID = negocio;
    reloj.restart();
    if (u_guardaConteo(sesion, indice, lineas) != TfinGuardadoConteo::Guardado)
        return 1;
    const double guardado = segundos(reloj);
    u_figura(QStringLiteral("guardado_s"), guardado);

    indice.resultado = 2;
    reloj.restart();
    if (u_guardaConteo(sesion, indice, lineas) != TfinGuardadoConteo::Guardado)
        return 1;
    u_figura(QStringLiteral("sobreescritura_s"), segundos(reloj));

    reloj.restart();
    UREC_inventarioFisicoIndice abierto;
    QVector<TlineaConteo> leidas;
    if (!u_abreConteo(sesion, indice.id, negocio, abierto, leidas) || leidas.size() != lineas.size())
        return 1;
    u_figura(QStringLiteral("apertura_s"), segundos(reloj));

    // Yardstick: the same lines written straight under a header of their own.
    reloj.restart();
    TinventarioFisico datos(sesion);
    datos.transaccionInicia();
    if (!datos.insertInventarioFisicoDetalle(indice.id + 1000000, lineas) || !datos.transaccionTermina())
        return 1;
    const double crudo = segundos(reloj);
    u_figura(QStringLiteral("inserciones_crudas_s"), crudo);
    u_figura(QStringLiteral("ratio"), crudo > 0 ? guardado / crudo : 0.0);
    return 0;
}

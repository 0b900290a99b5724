// A physical count at size: the sheet of a warehouse of N products is read, saved as a new count
// (multi-row inserts), saved over (lines replaced), reopened and applied (nearly every product
// differs: one receipt and one issue of thousands of lines each). The raw multi-row insert of the
// same lines is the yardstick (ratio = save ÷ raw; aplicacion_ratio = application ÷ raw).
#include "UapoyoBench.h"
#include "comun/UNEG_opciones.h"
#include "comun/U_interaccionAutomatica.h"
#include "datos/UinsercionMultiple.h"
#include "existencias/UNEG_aplicacionConteo.h"
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

// A business valued by `metodo` with one warehouse holding `productos` products, each received
// once (a layer with the stock row's quantity, at a cost of its own) and with its stock row.
bool generaAlmacen(TConexionSesion *sesion, int productos, int metodo, int &negocio, int &almacen) {
    negocio = inserta(sesion, QStringLiteral("INSERT INTO negocio (nombre) VALUES ('Conteo')"), {});
    almacen =
        inserta(sesion,
                QStringLiteral("INSERT INTO inventarioAlmacen (nombre, sucursal_id, idNegocioFk) VALUES "
                               "('Matriz', 1, :n)"),
                {{QStringLiteral("n"), negocio}});
    if (!Topciones(sesion).insertMetodoValoracionInventario(negocio, metodo).isSuccess())
        return false;
    TmiddleTier mt(sesion);
    if (!mt.transaccionInicia())
        return false;
    TinsercionMultiple e(mt, QStringLiteral("inventarioEntrada"),
                         {QStringLiteral("documento"), QStringLiteral("fechaHora"),
                          QStringLiteral("inventarioAlmacen_id"), QStringLiteral("inventarioProducto_id"),
                          QStringLiteral("cantidad"), QStringLiteral("costoUnitario"),
                          QStringLiteral("existencia"), QStringLiteral("existenciaTotal"),
                          QStringLiteral("existenciaCostoUnitario"), QStringLiteral("existenciaCostoTotal"),
                          QStringLiteral("idNegocioFk")});
    TinsercionMultiple p(mt, QStringLiteral("inventarioProducto"),
                         {QStringLiteral("id"), QStringLiteral("clave"), QStringLiteral("nombre"),
                          QStringLiteral("idNegocioFk")});
    TinsercionMultiple x(mt, QStringLiteral("inventarioExistencias"),
                         {QStringLiteral("inventarioAlmacen_id"), QStringLiteral("inventarioProducto_id"),
                          QStringLiteral("existencia")});
    for (int i = 1; i <= productos; ++i)
        if (!p.agrega({i, QStringLiteral("P%1").arg(i, 5, 10, QLatin1Char('0')),
                       QStringLiteral("Producto %1").arg(i), negocio}) ||
            !x.agrega({almacen, i, double(i % 37)}) ||
            !e.agrega({1, QStringLiteral("2024-01-02 09:00:00.000"), almacen, i, 40.0, 1.0 + i % 13,
                       double(i % 37), double(i % 37), 1.0 + i % 13, (i % 37) * (1.0 + i % 13), negocio}))
            return false;
    return p.vacia() && x.vacia() && e.vacia() && mt.transaccionTermina();
}

double segundos(const QElapsedTimer &reloj) {
    return reloj.nsecsElapsed() / 1e9;
}
} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    TbaseBench base(p, 10000);
    const QCommandLineOption opMetodo(QStringLiteral("metodo"), QStringLiteral("peps | promedio"),
                                      QStringLiteral("metodo"), QStringLiteral("peps"));
    const QCommandLineOption opDiferencias(QStringLiteral("diferencias"),
                                           QStringLiteral("Cada cuántos productos uno difiere (1: todos)."),
                                           QStringLiteral("n"), QStringLiteral("1"));
    p.addOptions({opMetodo, opDiferencias});
    p.process(app);
    if (!base.prepara(p))
        return 1;
    TConexionSesion *sesion = base.sesion();
    const int metodo = p.value(opMetodo) == QLatin1String("promedio") ? 2 : 1;
    int negocio = 0, almacen = 0;
    if (!generaAlmacen(sesion, int(base.movimientos()), metodo, negocio, almacen))
        return 1;
    u_figura(QStringLiteral("motor"), base.motor());
    u_figura(QStringLiteral("metodo"), p.value(opMetodo));
    u_figura(QStringLiteral("productos"), base.movimientos());

    QElapsedTimer reloj;
    reloj.start();
    QVector<TlineaConteo> lineas;
    if (!u_cargaHojaConteo(sesion, QString(), almacen, negocio, lineas))
        return 1;
    u_figura(QStringLiteral("carga_s"), segundos(reloj));
    // Every `cada`-th product counted otherwise (i % 41), the rest as recorded.
    const int cada = qMax(1, p.value(opDiferencias).toInt());
    for (int i = 0; i < lineas.size(); ++i)
        lineas[i].existenciaFisica = i % cada == 0 ? QString::number(i % 41) : lineas[i].existencia;

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

    // The application: planned and asked (accepted), then posted in one transaction.
    TinteraccionAutomatica usuario;
    TsistemaDatos sistema;
    sistema.conexion = sesion;
    sistema.negocio = TNegocio::carga(sesion, negocio);
    // When each step began: the plan read before the question, the same read again under the lock,
    // the receipt, the issue (the record and the commit last).
    QElapsedTimer fase;
    QVector<double> pasos;
    TaplicacionConteo aplicacion(sistema, indice.id);
    aplicacion.setAvance([&](const QString &) { pasos << segundos(fase); });
    fase.start();
    if (aplicacion.aplica() != TfinAplicacion::Aplicada || pasos.size() != 4)
        return 1;
    const double aplicado = segundos(fase);
    u_figura(QStringLiteral("productos_ajustados"),
             aplicacion.plan().sobrantes.size() + aplicacion.plan().faltantes.size());
    u_figura(QStringLiteral("aplicacion_plan_s"), pasos[1] - pasos[0]);
    u_figura(QStringLiteral("aplicacion_revision_s"), pasos[2] - pasos[1]);
    u_figura(QStringLiteral("aplicacion_entrada_s"), pasos[3] - pasos[2]);
    u_figura(QStringLiteral("aplicacion_salida_s"), aplicado - pasos[3]);
    u_figura(QStringLiteral("aplicacion_s"), aplicado);

    // Yardstick: the same lines written straight under a header of their own.
    reloj.restart();
    TinventarioFisico datos(sesion);
    datos.transaccionInicia();
    if (!datos.insertInventarioFisicoDetalle(indice.id + 1000000, lineas) || !datos.transaccionTermina())
        return 1;
    const double crudo = segundos(reloj);
    u_figura(QStringLiteral("inserciones_crudas_s"), crudo);
    u_figura(QStringLiteral("aplicacion_ratio"), crudo > 0 ? aplicado / crudo : 0.0);
    u_figura(QStringLiteral("ratio"), crudo > 0 ? guardado / crudo : 0.0);
    return 0;
}

// Query benchmark of the report screens: generates the deterministic business of the size asked
// for with its ledger, its stock rows and a serial number on every twentieth receipt, then times
// what each screen waits for (median of --repeticiones runs): the kardex of the busiest product
// for one day and for one month, the stock view's general and consolidated reports, the
// serial-number view's first opening, the valuation at today, and the receipts and issues lists
// of one day. Beside each, the cost of reading the same rows by primary key (one prepared
// statement run per row), and their ratio. Figures print as clave=valor.
//
//   bench_consultas --movimientos 10000 --motor sqlite|mysql [--metodo peps|promedio]
//                   [--pares 2000] [--repeticiones 5] [--planes] [--archivo f.db]
//                   [--mysql-socket s | --mysql-host h --mysql-port p] [--mysql-user u]
//
// --pares fixes the shop's size (10 warehouses × pares/10 products), so that a larger figure of
// movements is a longer history of the same shop; 0 grows the shop with the movements instead.
// --planes prints to stderr every statement the engine answers with a full scan of a table.
#include "UapoyoBench.h"
#include "datos/UinsercionMultiple.h"
#include "datos/UmiddleTier.h"
#include "entradas/UNEG_entradasConsulta.h"
#include "existencias/UNEG_existencias.h"
#include "existencias/UNEG_productosNoSerie.h"
#include "kardex/UNEG_construccionKardex.h"
#include "kardex/UNEG_reporteKardex.h"
#include "kardex/UNEG_valuacion.h"
#include "salidas/UNEG_salidasConsulta.h"

#include <QCoreApplication>
#include <QSqlRecord>
#include <QTextStream>

#include <algorithm>
#include <functional>

namespace {

// What a screen's load answers: the keys of its rows, each one or two values of a key read by
// primary (or unique) key.
using Tclaves = QVector<QVariantList>;

struct Tconsulta {
    QString nombre;
    std::function<Tclaves()> carga;
    // The keyed read of one row: its statement, bound with one key of the load.
    QString lectura;
};

Tclaves clavesDe(const QVector<QVariantHash> &filas, const QStringList &alias) {
    Tclaves claves;
    for (const QVariantHash &f : filas) {
        QVariantList clave;
        for (const QString &a : alias)
            clave << f.value(a);
        if (!clave.first().isNull())
            claves << clave;
    }
    return claves;
}

Tclaves clavesDe(const CmidTierResponse &r, const QString &alias) {
    Tclaves claves;
    for (int f = 0; f < r.getRowCount(); ++f)
        claves << QVariantList{r.getValor(f, alias)};
    return claves;
}

double mediana(QVector<double> v) {
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}

// Seconds to read every row by its key, one prepared statement run per row.
double lecturaPorClave(TConexionSesion *sesion, const QString &sentencia, const Tclaves &claves) {
    QSqlQuery q(sesion->conexion());
    q.setForwardOnly(true);
    q.prepare(sentencia);
    QElapsedTimer reloj;
    reloj.start();
    for (const QVariantList &clave : claves) {
        for (int i = 0; i < clave.size(); ++i)
            q.bindValue(i, clave[i]);
        q.exec();
        const int columnas = q.record().count();
        while (q.next())
            for (int c = 0; c < columnas; ++c)
                q.value(c);
    }
    return reloj.nsecsElapsed() / 1e9;
}

class Tbanco {
public:
    Tbanco(TConexionSesion *sesion, int negocio) : uSesion(sesion), uNegocio(negocio) {}

    // The business's current stock rows (from the valuation at a far day) and the serial numbers.
    bool completa() {
        TmiddleTier mt(uSesion);
        if (!mt.transaccionInicia())
            return false;
        TinsercionMultiple existencias(mt, QStringLiteral("inventarioExistencias"),
                                       {QStringLiteral("inventarioAlmacen_id"),
                                        QStringLiteral("inventarioProducto_id"), QStringLiteral("existencia"),
                                        QStringLiteral("costoUnitario")});
        bool ok = true;
        for (const TvaluacionRenglon &r : u_valuacion(uSesion, QDate(2100, 1, 1), uNegocio).renglones)
            ok = ok && existencias.agrega({r.almacenID, r.productoID, r.cantidad, r.costoUnitario});
        ok = ok && existencias.vacia();
        mt.setQuery(
            QStringLiteral("INSERT INTO inventarioNoSerie (inventarioEntrada_id, numero, "
                           "inventarioNoSerieEstado_id) SELECT id, %1, 1 FROM inventarioEntrada WHERE "
                           "idNegocioFk = :negocio AND id % 20 = 0")
                .arg(mt.segunProveedor(QStringLiteral("CONCAT('NS-', id)"), QStringLiteral("'NS-' || id"))));
        mt.setParametroEntero(QStringLiteral("negocio"), uNegocio);
        ok = ok && mt.nonQuery().isSuccess();
        return ok && mt.transaccionTermina();
    }

    // The warehouse and product with the most ledger rows, and the day of its middle movement.
    void eligeProductoOcupado() {
        TmiddleTier mt(uSesion);
        mt.setQuery(
            QStringLiteral("SELECT inventarioAlmacen_id, inventarioProducto_id, COUNT(*) AS n FROM "
                           "inventarioKardex WHERE idNegocioFk = :negocio GROUP BY inventarioAlmacen_id, "
                           "inventarioProducto_id ORDER BY n DESC, inventarioAlmacen_id, "
                           "inventarioProducto_id LIMIT 1"));
        mt.setParametroEntero(QStringLiteral("negocio"), uNegocio);
        const CmidTierResponse par = mt.reader();
        uAlmacen = int(par.getCeldaAsInt(0, 0));
        uProducto = int(par.getCeldaAsInt(0, 1));
        mt.setQuery(
            QStringLiteral("SELECT fechaHora FROM inventarioEntrada WHERE idNegocioFk = :negocio AND "
                           "inventarioAlmacen_id = :a AND inventarioProducto_id = :p ORDER BY fechaHora"));
        mt.setParametroEntero(QStringLiteral("negocio"), uNegocio);
        mt.setParametroEntero(QStringLiteral("a"), uAlmacen);
        mt.setParametroEntero(QStringLiteral("p"), uProducto);
        const CmidTierResponse fechas = mt.reader();
        uDia = fechas.getCeldaAsDate(fechas.getRowCount() / 2, 0).date();
        u_figura(QStringLiteral("dia"), uDia.toString(Qt::ISODate));
    }

    QVector<Tconsulta> consultas() const {
        const QString kardexPorId = QStringLiteral("SELECT * FROM inventarioKardex WHERE id = ?");
        const QString existenciaPorPar =
            QStringLiteral("SELECT * FROM inventarioExistencias WHERE inventarioAlmacen_id = ? AND "
                           "inventarioProducto_id = ?");
        const QStringList par = {QStringLiteral("inventarioAlmacen_id"),
                                 QStringLiteral("inventarioProducto_id")};
        const auto kardex = [this](const QDate &desde, const QDate &hasta) {
            return clavesDe(
                TreporteKardex(uSesion).kardex({desde, hasta, uAlmacen, uProducto, uNegocio}).filas,
                {QStringLiteral("inventarioKardex_id")});
        };
        TfiltroExistencias todas;
        todas.negocioID = uNegocio;
        return {
            {QStringLiteral("kardex_dia"), [=, this] { return kardex(uDia, uDia); }, kardexPorId},
            {QStringLiteral("kardex_mes"),
             [=, this] {
                 return kardex(QDate(uDia.year(), uDia.month(), 1),
                               QDate(uDia.year(), uDia.month(), 1).addMonths(1).addDays(-1));
             },
             kardexPorId},
            {QStringLiteral("existencias_general"),
             [=, this] { return clavesDe(u_reporteGeneral(uSesion, todas).filas, par); }, existenciaPorPar},
            {QStringLiteral("existencias_consolidado"),
             [=, this] {
                 return clavesDe(u_reporteConsolidado(uSesion, todas).filas,
                                 {QStringLiteral("inventarioProducto_id")});
             },
             QStringLiteral("SELECT * FROM inventarioProducto WHERE id = ?")},
            {QStringLiteral("noserie_apertura"),
             [=, this] {
                 TproductosNoSerie datos(uSesion);
                 return clavesDe(datos.selectNoSerie({}, {}, {}, QString(), QString(), uNegocio),
                                 QStringLiteral("inventarioNoSerie_id"));
             },
             QStringLiteral("SELECT * FROM inventarioNoSerie WHERE id = ?")},
            {QStringLiteral("valuacion_hoy"),
             [=, this] {
                 Tclaves claves;
                 for (const TvaluacionRenglon &r :
                      u_valuacion(uSesion, QDate::currentDate(), uNegocio).renglones)
                     claves << QVariantList{r.almacenID, r.productoID};
                 return claves;
             },
             existenciaPorPar},
            {QStringLiteral("entradas_dia"),
             [=, this] {
                 TentradasConsulta::TfiltroEntradas f;
                 f.inicial = QDateTime(uDia, QTime(0, 0));
                 f.final_ = QDateTime(uDia, QTime(23, 59, 59, 999));
                 TentradasConsulta datos(uSesion);
                 return clavesDe(datos.selectEntradas(f, uNegocio), QStringLiteral("inventarioEntrada_id"));
             },
             QStringLiteral("SELECT * FROM inventarioEntrada WHERE id = ?")},
            {QStringLiteral("salidas_dia"),
             [=, this] {
                 TfiltroSalidas f;
                 f.fechaInicial = f.fechaFinal = uDia;
                 f.negocioID = uNegocio;
                 TsalidasConsulta datos(uSesion);
                 return clavesDe(datos.selectSalidasTodo(f), QStringLiteral("inventarioSalida_id"));
             },
             QStringLiteral("SELECT * FROM inventarioSalida WHERE id = ?")},
        };
    }

    void mide(const Tconsulta &c, int repeticiones, bool planes) {
        // A first run, recorded for the plans when asked, warms the caches.
        if (planes) {
            Tgrabadora grabadora;
            c.carga();
            muestraPlanes(uSesion, grabadora.toma(), uVistas);
        } else {
            c.carga();
        }
        Tclaves claves;
        QVector<double> consulta, clave;
        for (int i = 0; i < repeticiones; ++i) {
            QElapsedTimer reloj;
            reloj.start();
            claves = c.carga();
            consulta << reloj.nsecsElapsed() / 1e9;
            clave << lecturaPorClave(uSesion, c.lectura, claves);
        }
        const double ms = mediana(consulta) * 1000, msClave = mediana(clave) * 1000;
        u_figura(c.nombre + QStringLiteral("_filas"), claves.size());
        u_figura(c.nombre + QStringLiteral("_ms"), ms);
        u_figura(c.nombre + QStringLiteral("_clave_ms"), msClave);
        u_figura(c.nombre + QStringLiteral("_ratio"),
                 msClave > 0 ? QString::number(ms / msClave, 'f', 2) : QStringLiteral("-"));
    }

private:
    TConexionSesion *uSesion;
    int uNegocio;
    int uAlmacen = 0;
    int uProducto = 0;
    QDate uDia;
    QSet<QString> uVistas;
};
} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    TbaseBench base(p, 10000);
    const QCommandLineOption metodo(QStringLiteral("metodo"), QStringLiteral("peps o promedio."),
                                    QStringLiteral("metodo"), QStringLiteral("peps"));
    const QCommandLineOption repeticiones(QStringLiteral("repeticiones"),
                                          QStringLiteral("Corridas de cada consulta."), QStringLiteral("n"),
                                          QStringLiteral("5"));
    const QCommandLineOption planes(QStringLiteral("planes"),
                                    QStringLiteral("Muestra las sentencias que recorren una tabla."));
    const QCommandLineOption pares(
        QStringLiteral("pares"), QStringLiteral("Pares almacén × producto (0: crecen con los movimientos)."),
        QStringLiteral("n"), QStringLiteral("2000"));
    p.addOptions({metodo, repeticiones, planes, pares});
    p.process(app);
    if (!base.prepara(p))
        return 3;
    const int negocio =
        base.generaNegocio(p.value(metodo) == QLatin1String("promedio") ? 2 : 1, p.value(pares).toInt());
    TConexionSesion *sesion = base.sesion();
    if (negocio <= 0 || !TconstruccionKardex(sesion, negocio).construye())
        return 4;
    Tbanco banco(sesion, negocio);
    if (!banco.completa())
        return 4;
    banco.eligeProductoOcupado();
    for (const Tconsulta &c : banco.consultas())
        banco.mide(c, qMax(1, p.value(repeticiones).toInt()), p.isSet(planes));
    return 0;
}

#include "existencias/U_verificacion.h"

#include "comun/U_utilerias.h"
#include "datos/UcodigosInventario.h"
#include "datos/UmiddleTier.h"

#include <QHash>
#include <QPair>
#include <cmath>

namespace {
// Money and unit costs agree when they differ by less than half a cent.
constexpr double kToleranciaImporte = 0.005;

using Tpar = QPair<int, int>; // warehouse, product

bool distintos(double a, double b) {
    return std::fabs(a - b) > 1e-6 * std::max(1.0, std::max(std::fabs(a), std::fabs(b)));
}

bool importesDistintos(double a, double b) {
    return std::fabs(a - b) >= kToleranciaImporte;
}

QString cifra(double valor) {
    return FloatToStr(valor);
}

// One layer as stored and as its issue rows leave it.
struct Tcapa {
    Tpar par;
    double cantidad = 0.0;
    double existencia = 0.0;
    double costoUnitario = 0.0;
    double salidas = 0.0;
};

// The running balance a ledger row or a movement carries.
struct Tsaldo {
    double existencia = 0.0;
    double costoUnitario = 0.0;
    double costoTotal = 0.0;
};

class Tverificacion {
public:
    explicit Tverificacion(TConexionSesion *sesion) : uMt(sesion) {}

    QStringList revisa(bool &ok) {
        revisaArchivo();
        const CmidTierResponse negocios =
            lee(QStringLiteral("SELECT n.id, n.nombre, o.metodoValoracionInventario FROM negocio n LEFT JOIN "
                               "inventarioOpciones o ON "
                               "o.idNegocioFk = n.id ORDER BY n.id"));
        for (int f = 0; uOk && f < negocios.getRowCount(); ++f)
            revisaNegocio(int(negocios.getCeldaAsInt(f, 0)), negocios.getCelda(f, 1),
                          int(negocios.getCeldaAsInt(f, 2)));
        ok = uOk;
        return uHallazgos;
    }

private:
    CmidTierResponse lee(const QString &sentencia, int idNegocio = 0) {
        uMt.setQuery(sentencia);
        if (sentencia.contains(QLatin1String(":negocio")))
            uMt.setParametroEntero(QStringLiteral("negocio"), idNegocio);
        if (sentencia.contains(QLatin1String(":otroNegocio")))
            uMt.setParametroEntero(QStringLiteral("otroNegocio"), idNegocio);
        const CmidTierResponse r = uMt.reader();
        uOk = uOk && r.isSuccess();
        return r;
    }

    void hallazgo(const QString &texto) { uHallazgos << uPrefijo + texto; }

    // A damaged SQLite file is a finding of its own, before anything read from it is trusted.
    void revisaArchivo() {
        if (uMt.getProvider() != QLatin1String("SQLITE"))
            return;
        const CmidTierResponse r = lee(QStringLiteral("PRAGMA quick_check"));
        QStringList errores;
        for (int f = 0; f < r.getRowCount(); ++f)
            if (r.getCelda(f, 0) != QLatin1String("ok"))
                errores << r.getCelda(f, 0);
        if (!r.isSuccess())
            errores << r.getError();
        if (!errores.isEmpty())
            uHallazgos << QStringLiteral(
                              "El archivo de la base de datos está dañado (PRAGMA quick_check): ") +
                              errores.mid(0, 5).join(QStringLiteral("; "));
    }

    // "almacén 3 (Matriz), producto 7 (Martillo)".
    QString donde(const Tpar &par) const {
        return QStringLiteral("almacén %1 (%2), producto %3 (%4)")
            .arg(par.first)
            .arg(uAlmacenes.value(par.first), QString::number(par.second), uProductos.value(par.second));
    }

    void leeNombres(int idNegocio) {
        uAlmacenes.clear();
        uProductos.clear();
        const CmidTierResponse a =
            lee(QStringLiteral("SELECT id, nombre FROM inventarioAlmacen WHERE idNegocioFk = :negocio"),
                idNegocio);
        for (int f = 0; f < a.getRowCount(); ++f)
            uAlmacenes.insert(int(a.getCeldaAsInt(f, 0)), a.getCelda(f, 1));
        const CmidTierResponse p =
            lee(QStringLiteral("SELECT id, nombre FROM inventarioProducto WHERE idNegocioFk = :negocio"),
                idNegocio);
        for (int f = 0; f < p.getRowCount(); ++f)
            uProductos.insert(int(p.getCeldaAsInt(f, 0)), p.getCelda(f, 1));
    }

    QHash<int, Tcapa> leeCapas(int idNegocio) {
        QHash<int, Tcapa> capas;
        const CmidTierResponse r = lee(
            QStringLiteral("SELECT id, inventarioAlmacen_id, inventarioProducto_id, cantidad, existencia, "
                           "costoUnitario FROM inventarioEntrada WHERE idNegocioFk = :negocio"),
            idNegocio);
        for (int f = 0; f < r.getRowCount(); ++f)
            capas.insert(int(r.getCeldaAsInt(f, 0)),
                         {{int(r.getCeldaAsInt(f, 1)), int(r.getCeldaAsInt(f, 2))},
                          r.getCeldaAsFloat(f, 3),
                          r.getCeldaAsFloat(f, 4),
                          r.getCeldaAsFloat(f, 5),
                          0.0});
        const CmidTierResponse s =
            lee(QStringLiteral("SELECT s.inventarioEntrada_id, SUM(s.cantidad) FROM inventarioSalida s JOIN "
                               "inventarioEntrada e ON e.id = s.inventarioEntrada_id WHERE e.idNegocioFk = "
                               ":negocio GROUP BY s.inventarioEntrada_id"),
                idNegocio);
        for (int f = 0; f < s.getRowCount(); ++f)
            capas[int(s.getCeldaAsInt(f, 0))].salidas = s.getCeldaAsFloat(f, 1);
        return capas;
    }

    void revisaNegocio(int idNegocio, const QString &nombre, int metodo) {
        uPrefijo = QStringLiteral("Negocio %1 (%2): ").arg(idNegocio).arg(nombre);
        leeNombres(idNegocio);
        const QHash<int, Tcapa> capas = leeCapas(idNegocio);
        QHash<Tpar, double> sumas;
        for (auto it = capas.cbegin(); it != capas.cend(); ++it) {
            const Tcapa &c = it.value();
            if (c.existencia < -kToleranciaCantidad)
                hallazgo(QStringLiteral("%1: la capa %2 quedó bajo cero (%3).")
                             .arg(donde(c.par))
                             .arg(it.key())
                             .arg(cifra(c.existencia)));
            if (distintos(c.existencia, c.cantidad - c.salidas))
                hallazgo(QStringLiteral("%1: la capa %2 tiene %3, pero recibió %4 y sus salidas suman %5.")
                             .arg(donde(c.par))
                             .arg(it.key())
                             .arg(cifra(c.existencia), cifra(c.cantidad), cifra(c.salidas)));
            if (c.existencia > 0)
                sumas[c.par] += c.existencia;
        }
        revisaSalidasContraCapas(idNegocio);
        revisaExistencias(idNegocio, sumas);
        if (metodo == kMetodoPEPS)
            revisaKardexPEPS(idNegocio, capas);
        else
            revisaKardexPromedio(idNegocio, sumas);
        const CmidTierResponse series = lee(
            QStringLiteral(
                "SELECT s.numero FROM inventarioNoSerie s JOIN inventarioEntrada e ON e.id = "
                "s.inventarioEntrada_id WHERE e.idNegocioFk = :negocio AND s.inventarioNoSerieEstado_id = %1 "
                "AND NOT EXISTS (SELECT 1 FROM inventarioSalida x WHERE x.id = s.inventarioSalida_id)")
                .arg(int(kSerieConSalida)),
            idNegocio);
        for (int f = 0; f < series.getRowCount(); ++f)
            hallazgo(QStringLiteral("el número de serie \"%1\" figura con salida sin renglón de salida.")
                         .arg(series.getCelda(f, 0)));
        revisaTraspasos(idNegocio);
    }

    // An issue row carries the warehouse, product and business of the layer it consumed: a row of
    // the business, or one drawing on a layer of the business, that says otherwise (or whose layer
    // is gone) would be valued and numbered in the wrong place.
    void revisaSalidasContraCapas(int idNegocio) {
        const CmidTierResponse r = lee(
            QStringLiteral(
                "SELECT s.id, s.inventarioEntrada_id, s.inventarioAlmacen_id, s.inventarioProducto_id, "
                "s.idNegocioFk, e.inventarioAlmacen_id, e.inventarioProducto_id, e.idNegocioFk FROM "
                "inventarioSalida s LEFT JOIN inventarioEntrada e ON e.id = s.inventarioEntrada_id WHERE "
                "s.idNegocioFk = :negocio AND (e.id IS NULL OR e.idNegocioFk <> s.idNegocioFk OR "
                "e.inventarioAlmacen_id <> s.inventarioAlmacen_id OR e.inventarioProducto_id <> "
                "s.inventarioProducto_id) UNION ALL SELECT s.id, s.inventarioEntrada_id, "
                "s.inventarioAlmacen_id, s.inventarioProducto_id, s.idNegocioFk, e.inventarioAlmacen_id, "
                "e.inventarioProducto_id, e.idNegocioFk FROM inventarioEntrada e JOIN inventarioSalida s ON "
                "s.inventarioEntrada_id = e.id WHERE e.idNegocioFk = :otroNegocio AND s.idNegocioFk <> "
                "e.idNegocioFk ORDER BY 1"),
            idNegocio);
        for (int f = 0; f < r.getRowCount(); ++f) {
            const QString salida = QStringLiteral("%1: la salida %2 (negocio %3)")
                                       .arg(donde({int(r.getCeldaAsInt(f, 2)), int(r.getCeldaAsInt(f, 3))}),
                                            r.getCelda(f, 0), r.getCelda(f, 4));
            if (r.getValor(f, 5).isNull())
                hallazgo(salida +
                         QStringLiteral(" consumió la capa %1, que no existe.").arg(r.getCelda(f, 1)));
            else
                hallazgo(salida +
                         QStringLiteral(" no coincide con su capa %1: almacén %2, producto %3, negocio %4.")
                             .arg(r.getCelda(f, 1), r.getCelda(f, 5), r.getCelda(f, 6), r.getCelda(f, 7)));
        }
    }

    // Quantities by warehouse and product from rows of (warehouse, product, quantity).
    QHash<Tpar, double> sumasPorPar(const CmidTierResponse &r) const {
        QHash<Tpar, double> s;
        for (int f = 0; f < r.getRowCount(); ++f)
            s[{int(r.getCeldaAsInt(f, 0)), int(r.getCeldaAsInt(f, 1))}] += r.getCeldaAsFloat(f, 2);
        return s;
    }

    void comparaSumas(const QHash<Tpar, double> &traspasos, QHash<Tpar, double> movimientos,
                      const QString &texto) {
        for (auto it = traspasos.cbegin(); it != traspasos.cend(); ++it) {
            const double movido = movimientos.take(it.key());
            if (distintos(it.value(), movido))
                hallazgo(texto.arg(donde(it.key()), cifra(it.value()), cifra(movido)));
        }
        for (auto it = movimientos.cbegin(); it != movimientos.cend(); ++it)
            hallazgo(texto.arg(donde(it.key()), cifra(0), cifra(it.value())));
    }

    // Every transfer line left its origin as an issue of the shipping concept (family -1); a closed
    // one came in as a receipt of the closing concept (family -2) at the destination (received) or
    // the origin (cancelled), an open one nowhere; its serial numbers left the line's layer and,
    // once closed, are at the receiving warehouse again.
    void revisaTraspasos(int idNegocio) {
        const QString lineas = QStringLiteral(
            "FROM inventarioTraspasoDetalle d JOIN inventarioTraspaso t ON t.id = d.inventarioTraspaso_id "
            "WHERE t.idNegocioFk = :negocio");
        const QString receptor =
            QStringLiteral("CASE WHEN t.inventarioTraspasoEstado_id = 2 THEN "
                           "t.DESTINOinventarioAlmacen_id ELSE t.ORIGENinventarioAlmacen_id END");
        comparaSumas(
            sumasPorPar(lee(
                QStringLiteral("SELECT t.ORIGENinventarioAlmacen_id, d.inventarioProducto_id, d.cantidad ") +
                    lineas,
                idNegocio)),
            sumasPorPar(lee(
                QStringLiteral("SELECT e.inventarioAlmacen_id, e.inventarioProducto_id, s.cantidad FROM "
                               "inventarioSalida s JOIN inventarioEntrada e ON e.id = s.inventarioEntrada_id "
                               "JOIN inventarioMovimientoConcepto c ON c.id = "
                               "s.inventarioMovimientoConcepto_id WHERE e.idNegocioFk = :negocio AND "
                               "c.familia = -1"),
                idNegocio)),
            QStringLiteral("%1: los traspasos enviados suman %2 y las salidas por traspaso %3."));
        comparaSumas(
            sumasPorPar(lee(QStringLiteral("SELECT %1, d.inventarioProducto_id, d.cantidad ").arg(receptor) +
                                lineas + QStringLiteral(" AND t.inventarioTraspasoEstado_id IN (2, 3)"),
                            idNegocio)),
            sumasPorPar(
                lee(QStringLiteral("SELECT e.inventarioAlmacen_id, e.inventarioProducto_id, e.cantidad FROM "
                                   "inventarioEntrada e JOIN inventarioMovimientoConcepto c ON c.id = "
                                   "e.inventarioMovimientoConcepto_id WHERE e.idNegocioFk = :negocio AND "
                                   "c.familia = -2"),
                    idNegocio)),
            QStringLiteral("%1: los traspasos cerrados suman %2 y las entradas por traspaso %3."));
        const QString series =
            QStringLiteral("SELECT s.numero, t.documento FROM inventarioTraspasoNoSerie ts JOIN "
                           "inventarioTraspasoDetalle d ON "
                           "d.id = ts.inventarioTraspasoDetalle_id JOIN inventarioTraspaso t ON t.id = "
                           "d.inventarioTraspaso_id "
                           "JOIN inventarioNoSerie s ON s.id = ts.inventarioNoSerie_id LEFT JOIN "
                           "inventarioTraspasoDetalleAdicional a ON a.inventarioTraspasoDetalle_id = d.id "
                           "WHERE t.idNegocioFk = "
                           ":negocio AND ");
        const CmidTierResponse salidas = lee(
            series + QStringLiteral("(s.inventarioNoSerieEstado_id <> 2 OR a.inventarioEntrada_id IS NULL OR "
                                    "s.inventarioEntrada_id <> a.inventarioEntrada_id)"),
            idNegocio);
        for (int f = 0; f < salidas.getRowCount(); ++f)
            hallazgo(QStringLiteral("el número de serie \"%1\" del traspaso %2 no salió de su capa.")
                         .arg(salidas.getCelda(f, 0), salidas.getCelda(f, 1)));
        const CmidTierResponse llegadas = lee(
            series + QStringLiteral("t.inventarioTraspasoEstado_id IN (2, 3) AND NOT EXISTS (SELECT 1 FROM "
                                    "inventarioNoSerie n JOIN inventarioEntrada e ON e.id = "
                                    "n.inventarioEntrada_id WHERE n.numero = s.numero AND e.idNegocioFk = "
                                    "t.idNegocioFk AND e.inventarioProducto_id = d.inventarioProducto_id AND "
                                    "e.inventarioAlmacen_id = %1 AND e.id <> s.inventarioEntrada_id)")
                         .arg(receptor),
            idNegocio);
        for (int f = 0; f < llegadas.getRowCount(); ++f)
            hallazgo(QStringLiteral("el número de serie \"%1\" del traspaso %2 no llegó a su almacén.")
                         .arg(llegadas.getCelda(f, 0), llegadas.getCelda(f, 1)));
    }

    void revisaExistencias(int idNegocio, QHash<Tpar, double> sumas) {
        const CmidTierResponse filas =
            lee(QStringLiteral(
                    "SELECT x.inventarioAlmacen_id, x.inventarioProducto_id, x.existencia FROM "
                    "inventarioExistencias x JOIN inventarioAlmacen a ON a.id = x.inventarioAlmacen_id WHERE "
                    "a.idNegocioFk = :negocio"),
                idNegocio);
        for (int f = 0; f < filas.getRowCount(); ++f) {
            const Tpar par{int(filas.getCeldaAsInt(f, 0)), int(filas.getCeldaAsInt(f, 1))};
            const double capas = sumas.take(par);
            if (distintos(filas.getCeldaAsFloat(f, 2), capas))
                hallazgo(QStringLiteral("%1: la existencia %2 no es la suma de sus capas (%3).")
                             .arg(donde(par), cifra(filas.getCeldaAsFloat(f, 2)), cifra(capas)));
        }
        for (auto it = sumas.cbegin(); it != sumas.cend(); ++it)
            hallazgo(QStringLiteral("%1: hay capas abiertas (%2) sin renglón de existencia.")
                         .arg(donde(it.key()), cifra(it.value())));
    }

    // The ledger's rows in the order they were written.
    CmidTierResponse leeKardex(int idNegocio) {
        return lee(QStringLiteral("SELECT inventarioAlmacen_id, inventarioProducto_id, "
                                  "COALESCE(inventarioEntrada_id, salidaEntradaRelacionada), totalCantidad, "
                                  "totalCostoUnitario, totalExistencia FROM inventarioKardex WHERE "
                                  "idNegocioFk = :negocio ORDER BY id"),
                   idNegocio);
    }

    // Under PEPS the newest row of each layer carries what is left of it and its cost, and the
    // stock value of each warehouse and product is the sum of its layers at their cost.
    void revisaKardexPEPS(int idNegocio, const QHash<int, Tcapa> &capas) {
        const CmidTierResponse filas = leeKardex(idNegocio);
        QHash<int, Tsaldo> ultimaPorCapa;
        for (int f = 0; f < filas.getRowCount(); ++f)
            ultimaPorCapa.insert(int(filas.getCeldaAsInt(f, 2)),
                                 {filas.getCeldaAsFloat(f, 3), filas.getCeldaAsFloat(f, 4), 0.0});
        QHash<Tpar, double> valorKardex;
        QHash<Tpar, double> valorCapas;
        for (auto it = capas.cbegin(); it != capas.cend(); ++it) {
            const Tcapa &c = it.value();
            valorCapas[c.par] += c.existencia * c.costoUnitario;
            if (!ultimaPorCapa.contains(it.key()))
                continue;
            const Tsaldo k = ultimaPorCapa.value(it.key());
            valorKardex[c.par] += k.existencia * k.costoUnitario;
            if (distintos(k.existencia, c.existencia) || importesDistintos(k.costoUnitario, c.costoUnitario))
                hallazgo(
                    QStringLiteral("%1: el kardex termina la capa %2 en %3 a %4 y la capa tiene %5 a %6.")
                        .arg(donde(c.par))
                        .arg(it.key())
                        .arg(cifra(k.existencia), cifra(k.costoUnitario), cifra(c.existencia),
                             cifra(c.costoUnitario)));
        }
        for (auto it = valorCapas.cbegin(); it != valorCapas.cend(); ++it)
            if (importesDistintos(it.value(), valorKardex.value(it.key())))
                hallazgo(QStringLiteral("%1: el valor del kardex es %2 y el de las capas %3.")
                             .arg(donde(it.key()), cifra(valorKardex.value(it.key())), cifra(it.value())));
    }

    // Under the average the newest ledger row of each warehouse and product carries the stock,
    // the average and the value of the newest movement, and that stock is the sum of its layers.
    void revisaKardexPromedio(int idNegocio, const QHash<Tpar, double> &sumas) {
        const CmidTierResponse filas = leeKardex(idNegocio);
        QHash<Tpar, Tsaldo> kardex;
        for (int f = 0; f < filas.getRowCount(); ++f)
            kardex.insert(
                {int(filas.getCeldaAsInt(f, 0)), int(filas.getCeldaAsInt(f, 1))},
                {filas.getCeldaAsFloat(f, 3), filas.getCeldaAsFloat(f, 4), filas.getCeldaAsFloat(f, 5)});
        // The movements in the order the postings and the rebuild walk them: by date-time, at one
        // instant receipts before issues, then by id.
        const CmidTierResponse m = lee(
            QStringLiteral("SELECT * FROM (SELECT e.inventarioAlmacen_id AS a, e.inventarioProducto_id AS p, "
                           "e.fechaHora "
                           "AS f, 0 AS t, e.id AS i, e.existenciaTotal AS x, e.existenciaCostoUnitario AS u, "
                           "e.existenciaCostoTotal AS v FROM inventarioEntrada e WHERE e.idNegocioFk = "
                           ":negocio UNION ALL "
                           "SELECT l.inventarioAlmacen_id, l.inventarioProducto_id, s.fechaHora, 1, s.id, "
                           "s.existenciaTotal, s.existenciaCostoUnitario, s.existenciaCostoTotal FROM "
                           "inventarioSalida s "
                           "JOIN inventarioEntrada l ON l.id = s.inventarioEntrada_id WHERE l.idNegocioFk = "
                           ":otroNegocio) m "
                           "ORDER BY f, t, i"),
            idNegocio);
        QHash<Tpar, Tsaldo> movimientos;
        for (int f = 0; f < m.getRowCount(); ++f)
            movimientos.insert({int(m.getCeldaAsInt(f, 0)), int(m.getCeldaAsInt(f, 1))},
                               {m.getCeldaAsFloat(f, 5), m.getCeldaAsFloat(f, 6), m.getCeldaAsFloat(f, 7)});
        for (auto it = sumas.cbegin(); it != sumas.cend(); ++it)
            if (!kardex.contains(it.key()))
                hallazgo(QStringLiteral("%1: hay existencia (%2) sin renglones de kardex.")
                             .arg(donde(it.key()), cifra(it.value())));
        for (auto it = kardex.cbegin(); it != kardex.cend(); ++it) {
            const Tsaldo &k = it.value();
            if (distintos(k.existencia, sumas.value(it.key())))
                hallazgo(QStringLiteral("%1: el kardex termina en %2 y las capas suman %3.")
                             .arg(donde(it.key()), cifra(k.existencia), cifra(sumas.value(it.key()))));
            const Tsaldo u = movimientos.value(it.key());
            if (distintos(k.existencia, u.existencia) ||
                importesDistintos(k.costoUnitario, u.costoUnitario) ||
                importesDistintos(k.costoTotal, u.costoTotal))
                hallazgo(
                    QStringLiteral("%1: el kardex termina en %2 a %3 con valor %4 y el último movimiento "
                                   "deja %5 a %6 con valor %7.")
                        .arg(donde(it.key()), cifra(k.existencia), cifra(k.costoUnitario),
                             cifra(k.costoTotal), cifra(u.existencia), cifra(u.costoUnitario),
                             cifra(u.costoTotal)));
        }
    }

    TmiddleTier uMt;
    QStringList uHallazgos;
    QString uPrefijo;
    QHash<int, QString> uAlmacenes;
    QHash<int, QString> uProductos;
    bool uOk = true;
};
} // namespace

QStringList u_verificaInventario(TConexionSesion *sesion, bool &ok) {
    return Tverificacion(sesion).revisa(ok);
}

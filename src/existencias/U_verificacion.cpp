#include "existencias/U_verificacion.h"

#include "comun/U_utilerias.h"
#include "datos/UmiddleTier.h"

#include <QHash>
#include <QPair>
#include <cmath>

namespace {
constexpr int kPEPS = 1;

using Tpar = QPair<int, int>; // warehouse, product

bool distintos(double a, double b) {
    return std::fabs(a - b) > 1e-6 * std::max(1.0, std::max(std::fabs(a), std::fabs(b)));
}

class Tverificacion {
public:
    explicit Tverificacion(TConexionSesion *sesion) : uMt(sesion) {}

    QStringList revisa(bool &ok) {
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
        const CmidTierResponse r = uMt.reader();
        uOk = uOk && r.isSuccess();
        return r;
    }

    void hallazgo(const QString &texto) { uHallazgos << uPrefijo + texto; }

    void revisaNegocio(int idNegocio, const QString &nombre, int metodo) {
        uPrefijo = QStringLiteral("Negocio %1 (%2): ").arg(idNegocio).arg(nombre);
        const CmidTierResponse capas = lee(
            QStringLiteral(
                "SELECT id, inventarioAlmacen_id, inventarioProducto_id, existencia FROM inventarioEntrada "
                "WHERE idNegocioFk = :negocio"),
            idNegocio);
        QHash<Tpar, double> sumas;
        QHash<int, double> porCapa;
        for (int f = 0; f < capas.getRowCount(); ++f) {
            const int id = int(capas.getCeldaAsInt(f, 0));
            const double e = capas.getCeldaAsFloat(f, 3);
            porCapa.insert(id, e);
            if (e < -kToleranciaCantidad)
                hallazgo(QStringLiteral("la capa %1 quedó bajo cero (%2).").arg(id).arg(FloatToStr(e)));
            if (e > 0)
                sumas[{int(capas.getCeldaAsInt(f, 1)), int(capas.getCeldaAsInt(f, 2))}] += e;
        }
        revisaExistencias(idNegocio, sumas);
        revisaKardex(idNegocio, metodo, sumas, porCapa);
        const CmidTierResponse series = lee(
            QStringLiteral(
                "SELECT s.numero FROM inventarioNoSerie s JOIN inventarioEntrada e ON e.id = "
                "s.inventarioEntrada_id WHERE e.idNegocioFk = :negocio AND s.inventarioNoSerieEstado_id = 2 "
                "AND NOT EXISTS (SELECT 1 FROM inventarioSalida x WHERE x.id = s.inventarioSalida_id)"),
            idNegocio);
        for (int f = 0; f < series.getRowCount(); ++f)
            hallazgo(QStringLiteral("el número de serie \"%1\" figura con salida sin renglón de salida.")
                         .arg(series.getCelda(f, 0)));
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
                hallazgo(QStringLiteral(
                             "almacén %1, producto %2: la existencia %3 no es la suma de sus capas (%4).")
                             .arg(par.first)
                             .arg(par.second)
                             .arg(FloatToStr(filas.getCeldaAsFloat(f, 2)), FloatToStr(capas)));
        }
        for (auto it = sumas.cbegin(); it != sumas.cend(); ++it)
            hallazgo(
                QStringLiteral("almacén %1, producto %2: hay capas abiertas (%3) sin renglón de existencia.")
                    .arg(it.key().first)
                    .arg(it.key().second)
                    .arg(FloatToStr(it.value())));
    }

    // The newest ledger row of each layer (PEPS) or of each warehouse and product (average).
    void revisaKardex(int idNegocio, int metodo, const QHash<Tpar, double> &sumas,
                      const QHash<int, double> &porCapa) {
        const CmidTierResponse filas =
            lee(QStringLiteral(
                    "SELECT inventarioAlmacen_id, inventarioProducto_id, COALESCE(inventarioEntrada_id, "
                    "salidaEntradaRelacionada), totalCantidad FROM inventarioKardex WHERE idNegocioFk = "
                    ":negocio ORDER BY id"),
                idNegocio);
        QHash<int, double> ultimaPorCapa;
        QHash<Tpar, double> ultimaPorPar;
        for (int f = 0; f < filas.getRowCount(); ++f) {
            ultimaPorCapa.insert(int(filas.getCeldaAsInt(f, 2)), filas.getCeldaAsFloat(f, 3));
            ultimaPorPar.insert({int(filas.getCeldaAsInt(f, 0)), int(filas.getCeldaAsInt(f, 1))},
                                filas.getCeldaAsFloat(f, 3));
        }
        if (metodo == kPEPS) {
            for (auto it = ultimaPorCapa.cbegin(); it != ultimaPorCapa.cend(); ++it)
                if (porCapa.contains(it.key()) && distintos(it.value(), porCapa.value(it.key())))
                    hallazgo(QStringLiteral("capa %1: el kardex termina en %2 y la capa tiene %3.")
                                 .arg(it.key())
                                 .arg(FloatToStr(it.value()), FloatToStr(porCapa.value(it.key()))));
            return;
        }
        for (auto it = ultimaPorPar.cbegin(); it != ultimaPorPar.cend(); ++it)
            if (distintos(it.value(), sumas.value(it.key())))
                hallazgo(
                    QStringLiteral("almacén %1, producto %2: el kardex termina en %3 y las capas suman %4.")
                        .arg(it.key().first)
                        .arg(it.key().second)
                        .arg(FloatToStr(it.value()), FloatToStr(sumas.value(it.key()))));
    }

    TmiddleTier uMt;
    QStringList uHallazgos;
    QString uPrefijo;
    bool uOk = true;
};
} // namespace

QStringList u_verificaInventario(TConexionSesion *sesion, bool &ok) {
    return Tverificacion(sesion).revisa(ok);
}

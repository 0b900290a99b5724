#include "UnegocioKardex.h"

#include "comun/UNEG_opciones.h"
#include "comun/U_utilerias.h"
#include "datos/UfechaHora.h"
#include "datos/UmiddleTier.h"

#include <QRandomGenerator>
#include <QtTest>

TnegocioKardex::TnegocioKardex(TbasePrueba &base, int metodo, const QString &nombre)
    : uBase(base), uNegocio(base.creaNegocio(nombre)) {
    if (metodo > 0)
        Topciones(base.sesion()).insertMetodoValoracionInventario(uNegocio, metodo);
}

QDateTime TnegocioKardex::fecha(const QString &texto) {
    return fechaHora::deValorBD(QVariant(texto));
}

int TnegocioKardex::almacen(const QString &nombre) {
    TmiddleTier mt(uBase.sesion());
    mt.setQuery(QStringLiteral("INSERT INTO inventarioAlmacen (nombre, sucursal_id, idNegocioFk) VALUES "
                               "(:nombre, 1, :negocio)"));
    mt.setParametroTexto(QStringLiteral("nombre"), nombre);
    mt.setParametroEntero(QStringLiteral("negocio"), uNegocio);
    return int(mt.nonQuery().getIdInsertado());
}

int TnegocioKardex::producto(const QString &nombre) {
    TmiddleTier mt(uBase.sesion());
    mt.setQuery(
        QStringLiteral("INSERT INTO inventarioProducto (nombre, idNegocioFk) VALUES (:nombre, :negocio)"));
    mt.setParametroTexto(QStringLiteral("nombre"), nombre);
    mt.setParametroEntero(QStringLiteral("negocio"), uNegocio);
    return int(mt.nonQuery().getIdInsertado());
}

int TnegocioKardex::concepto(int direccion, int familia) {
    const QString clave = QStringLiteral("%1/%2").arg(direccion).arg(familia);
    if (uConceptos.contains(clave))
        return uConceptos.value(clave);
    TmiddleTier mt(uBase.sesion());
    mt.setQuery(QStringLiteral("INSERT INTO inventarioMovimientoConcepto (etiqueta, direccion, familia, "
                               "idNegocioFk) VALUES (:etiqueta, :direccion, :familia, :negocio)"));
    mt.setParametroTexto(QStringLiteral("etiqueta"),
                         QStringLiteral("%1 %2")
                             .arg(direccion == 1 ? QStringLiteral("Entrada") : QStringLiteral("Salida"))
                             .arg(familia));
    mt.setParametroEntero(QStringLiteral("direccion"), direccion);
    mt.setParametroEntero(QStringLiteral("familia"), familia);
    mt.setParametroEntero(QStringLiteral("negocio"), uNegocio);
    const int id = int(mt.nonQuery().getIdInsertado());
    uConceptos.insert(clave, id);
    return id;
}

int TnegocioKardex::entrada(const QString &nombre, int almacen, int producto, const QString &fecha,
                            double cantidad, double costo, int familia, const Tcorrida &c, int documento) {
    const int idConcepto = concepto(1, familia);
    TmiddleTier mt(uBase.sesion());
    mt.setQuery(QStringLiteral(
        "INSERT INTO inventarioEntrada (documento, fechaHora, inventarioAlmacen_id, inventarioProducto_id, "
        "inventarioMovimientoConcepto_id, cantidad, costoUnitario, existencia, existenciaTotal, "
        "existenciaCostoUnitario, existenciaCostoTotal, idNegocioFk) VALUES (:documento, :fecha, :almacen, "
        ":producto, :concepto, :cantidad, :costo, :cantidad, :total, :costoUnitario, :costoTotal, "
        ":negocio)"));
    mt.setParametroEntero(QStringLiteral("documento"), documento > 0 ? documento : ++uDocumentoEntrada);
    mt.setParametroFechaHora(QStringLiteral("fecha"), TnegocioKardex::fecha(fecha));
    mt.setParametroEntero(QStringLiteral("almacen"), almacen);
    mt.setParametroEntero(QStringLiteral("producto"), producto);
    mt.setParametroEntero(QStringLiteral("concepto"), idConcepto);
    mt.setParametroFlotante(QStringLiteral("cantidad"), cantidad);
    mt.setParametroFlotante(QStringLiteral("costo"), costo);
    mt.setParametroVariant(QStringLiteral("total"), c.existenciaTotal);
    mt.setParametroVariant(QStringLiteral("costoUnitario"), c.existenciaCostoUnitario);
    mt.setParametroVariant(QStringLiteral("costoTotal"), c.existenciaCostoTotal);
    mt.setParametroEntero(QStringLiteral("negocio"), uNegocio);
    const CmidTierResponse r = mt.nonQuery();
    if (!r.isSuccess())
        qWarning() << r.getError();
    uNombres.insert(r.getIdInsertado(), nombre);
    return int(r.getIdInsertado());
}

int TnegocioKardex::salida(int capa, const QString &fecha, double cantidad, double costo, int documento,
                           int familia, const Tcorrida &c) {
    const int idConcepto = concepto(2, familia);
    TmiddleTier mt(uBase.sesion());
    mt.setQuery(QStringLiteral(
        "INSERT INTO inventarioSalida (documento, fechaHora, inventarioEntrada_id, "
        "inventarioMovimientoConcepto_id, cantidad, salidaCostoUnitario, existenciaTotal, "
        "existenciaCostoUnitario, existenciaCostoTotal, inventarioAlmacen_id, inventarioProducto_id, "
        "idNegocioFk) SELECT :documento, :fecha, e.id, :concepto, :cantidad, :costo, :total, "
        ":costoUnitario, :costoTotal, e.inventarioAlmacen_id, e.inventarioProducto_id, e.idNegocioFk FROM "
        "inventarioEntrada e WHERE e.id = :capa"));
    mt.setParametroEntero(QStringLiteral("documento"), documento);
    mt.setParametroFechaHora(QStringLiteral("fecha"), TnegocioKardex::fecha(fecha));
    mt.setParametroEntero(QStringLiteral("capa"), capa);
    mt.setParametroEntero(QStringLiteral("concepto"), idConcepto);
    mt.setParametroFlotante(QStringLiteral("cantidad"), cantidad);
    mt.setParametroFlotante(QStringLiteral("costo"), costo);
    mt.setParametroVariant(QStringLiteral("total"), c.existenciaTotal);
    mt.setParametroVariant(QStringLiteral("costoUnitario"),
                           c.existenciaCostoUnitario.isNull() ? QVariant(costo) : c.existenciaCostoUnitario);
    mt.setParametroVariant(QStringLiteral("costoTotal"), c.existenciaCostoTotal);
    const CmidTierResponse r = mt.nonQuery();
    if (!r.isSuccess())
        qWarning() << r.getError();
    return int(r.getIdInsertado());
}

void TnegocioKardex::devuelve(int entrada, int salida) {
    TmiddleTier mt(uBase.sesion());
    mt.setQuery(
        QStringLiteral("INSERT INTO inventarioEntradaAdicional (inventarioEntrada_id, inventarioSalida_id) "
                       "VALUES (:entrada, :salida)"));
    mt.setParametroEntero(QStringLiteral("entrada"), entrada);
    mt.setParametroEntero(QStringLiteral("salida"), salida);
    mt.nonQuery();
}

QString TnegocioKardex::nombreDe(const QVariant &id) const {
    if (id.isNull())
        return QStringLiteral("-");
    return uNombres.value(id.toLongLong(), id.toString());
}

QStringList TnegocioKardex::kardex() const {
    TmiddleTier mt(uBase.sesion());
    mt.setQuery(QStringLiteral(
        "SELECT inventarioEntrada_id, documentoEntrada, entradaCantidad, entradaCostoUnitario, "
        "documentoSalida, "
        "salidaEntradaRelacionada, salidaCantidad, salidaCostoUnitario, totalCantidad, totalCostoUnitario, "
        "revision, division, grupo FROM inventarioKardex WHERE idNegocioFk = :negocio ORDER BY id"));
    mt.setParametroEntero(QStringLiteral("negocio"), uNegocio);
    const CmidTierResponse r = mt.reader();
    auto celda = [&r](int f, int c) {
        const QVariant v = r.getValor(f, c);
        return v.isNull() ? QStringLiteral("-") : FloatToStr(v.toDouble());
    };
    QStringList filas;
    for (int f = 0; f < r.getRowCount(); ++f) {
        filas << QStringLiteral("%1 %2 %3 %4 | %5 %6 %7 %8 | %9 %10 | %11 %12 %13")
                     .arg(nombreDe(r.getValor(f, 0)), celda(f, 1), celda(f, 2), celda(f, 3), celda(f, 4),
                          nombreDe(r.getValor(f, 5)), celda(f, 6), celda(f, 7), celda(f, 8))
                     .arg(celda(f, 9), celda(f, 10), celda(f, 11), celda(f, 12));
    }
    return filas;
}

qint64 TnegocioKardex::cuenta(const QString &sentencia) const {
    TmiddleTier mt(uBase.sesion());
    mt.setQuery(sentencia);
    if (sentencia.contains(QLatin1String(":negocio")))
        mt.setParametroEntero(QStringLiteral("negocio"), uNegocio);
    return mt.getScalarAsInt();
}

void TnegocioKardex::ejecuta(const QString &sentencia) const {
    TmiddleTier mt(uBase.sesion());
    mt.setQuery(sentencia);
    if (sentencia.contains(QLatin1String(":negocio")))
        mt.setParametroEntero(QStringLiteral("negocio"), uNegocio);
    QVERIFY2(mt.nonQuery().isSuccess(), qPrintable(sentencia));
}

void TnegocioKardex::rechazaKardex(bool rechaza) const {
    if (!rechaza)
        ejecuta(QStringLiteral("DROP TRIGGER rechazaKardex"));
    else if (uBase.esMySQL())
        ejecuta(QStringLiteral(
            "CREATE TRIGGER rechazaKardex BEFORE INSERT ON inventarioKardex FOR EACH ROW SIGNAL "
            "SQLSTATE '45000' SET MESSAGE_TEXT = 'rechazado'"));
    else
        ejecuta(QStringLiteral("CREATE TRIGGER rechazaKardex BEFORE INSERT ON inventarioKardex BEGIN SELECT "
                               "RAISE(ABORT, 'rechazado'); END"));
}

void TnegocioKardex::llenaAlAzar(quint32 semilla, int nAlmacenes, int nProductos, int movimientos) {
    QRandomGenerator azar(semilla);
    QList<int> almacenes, productos;
    for (int i = 0; i < nAlmacenes; ++i)
        almacenes << almacen(QStringLiteral("A%1").arg(i));
    for (int i = 0; i < nProductos; ++i)
        productos << producto(QStringLiteral("P%1").arg(i));
    auto corrida = [&azar] {
        return Tcorrida{azar.bounded(30), azar.bounded(1000) / 100.0, azar.bounded(300)};
    };
    int documento = 0;
    for (int a : almacenes) {
        for (int p : productos) {
            if (azar.bounded(5) == 0)
                continue;
            QList<int> capas;
            QDateTime momento = fecha(QStringLiteral("2024-01-01 08:00:00"));
            auto siguiente = [&] {
                momento = momento.addSecs(azar.bounded(3) * 3600); // some movements share an instant
                return momento.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            };
            capas << entrada(QString(), a, p, siguiente(), 5 + azar.bounded(20),
                             1 + azar.bounded(900) / 100.0, azar.bounded(3) == 0 ? -4 : 1,
                             Tcorrida{10, 5, 50});
            for (int m = 0; m < movimientos; ++m) {
                const int tipo = azar.bounded(10);
                const double costo = 1 + azar.bounded(900) / 100.0;
                const Tcorrida c = corrida();
                if (tipo < 3) {
                    capas << entrada(QString(), a, p, siguiente(), azar.bounded(15), costo, 1, c);
                } else if (tipo < 7) {
                    const QString f = siguiente();
                    ++documento;
                    salida(capas[azar.bounded(capas.size())], f, 1 + azar.bounded(6), costo, documento, 1, c);
                    if (azar.bounded(3) == 0)
                        salida(capas[azar.bounded(capas.size())], f, 1 + azar.bounded(4), costo, documento, 1,
                               c);
                } else if (tipo < 9) {
                    const QString f = siguiente();
                    const int devuelta =
                        salida(capas[azar.bounded(capas.size())], f, 2, costo, ++documento, 1, c);
                    devuelve(entrada(QString(), a, p, siguiente(), 1, costo, 2, c), devuelta);
                } else {
                    salida(capas[azar.bounded(capas.size())], siguiente(), 1, costo, ++documento, 3, c);
                }
            }
        }
    }
}

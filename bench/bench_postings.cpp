// Posting benchmark: grows a database to the size asked for with fast bulk inserts (the
// deterministic business of the rebuild benchmark and its ledger), then times, through the
// postings themselves, an issue of one product spanning 1, 10 and 100 open layers (median and
// 99th percentile), a transfer of such a product shipped and received, and receipts posted per
// second. Each posting's statements are recorded as
// they run and replayed raw on the same connection (bind, run, read every row), which
// is the cost of the same statements without the logic around them (each prepared once on the
// connection, as the postings' own statements are); the ratio compares both. Before an issue's
// or a shipment's replay, the layers it emptied are filled again, so its statements find the rows
// the posting found and write them as it did.
// Figures print as clave=valor, the ratio of the 10-layer issue last.
//
//   bench_postings --movimientos 10000 --motor sqlite|mysql [--repeticiones 40] [--entradas 200]
//                  [--planes] [--archivo f.db] [--mysql-socket s | --mysql-host h --mysql-port p]
//                  [--mysql-user u]   (password in INVENTARIO_MYSQL_PASSWORD)
//
// --planes prints to stderr every recorded statement the engine answers with a full scan, and the
// statements that took longest.
#include "UapoyoBench.h"
#include "comun/U_interaccionAutomatica.h"
#include "comun/U_utilerias.h"
#include "datos/UcacheSentencias.h"
#include "datos/UfechaHora.h"
#include "datos/UinsercionMultiple.h"
#include "datos/UmiddleTier.h"
#include "datos/UobservadorSentencias.h"
#include "entradas/UNEG_documentoEntrada.h"
#include "kardex/UNEG_construccionKardex.h"
#include "salidas/UNEG_documentoSalida.h"
#include "traspasos/UNEG_cierreTraspaso.h"
#include "traspasos/UNEG_documentoTraspaso.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>

namespace {

struct Tmuestra {
    QVector<double> posteo; // seconds
    QVector<double> crudo;
    int sentencias = 0;
    int fallidas = 0;
};

double percentil(QVector<double> valores, double p) {
    if (valores.isEmpty())
        return 0;
    std::sort(valores.begin(), valores.end());
    const int rango = std::max(1, int(std::ceil(p * valores.size())));
    return valores[rango - 1];
}

class Tbanco {
public:
    Tbanco(TConexionSesion *sesion, int negocio, bool planes)
        : uSesion(sesion), uNegocio(negocio), uPlanes(planes), uMomento(QDate(2030, 1, 1), QTime(8, 0)) {}

    bool prepara() {
        TmiddleTier mt(uSesion);
        mt.setQuery(QStringLiteral("SELECT MIN(id) FROM inventarioAlmacen WHERE idNegocioFk = :negocio"));
        mt.setParametroEntero(QStringLiteral("negocio"), uNegocio);
        uAlmacen = int(mt.getScalarAsInt());
        const int plantilla = inserta(QStringLiteral("INSERT INTO AsientosContables (nombre, "
                                                     "ModuloAsientosContables_id, idNegocioFk) VALUES "
                                                     "('Banco', 1, :negocio)"),
                                      {});
        auto concepto = [&](const QString &etiqueta, int direccion, int familia) {
            return inserta(
                QStringLiteral("INSERT INTO inventarioMovimientoConcepto (etiqueta, direccion, familia, "
                               "AsientosContables_id, idNegocioFk) VALUES (:e, :d, :f, :a, :negocio)"),
                {{QStringLiteral("e"), etiqueta},
                 {QStringLiteral("d"), direccion},
                 {QStringLiteral("f"), familia},
                 {QStringLiteral("a"), plantilla}});
        };
        uCompra = concepto(QStringLiteral("Compra banco"), 1, 1);
        uVenta = concepto(QStringLiteral("Venta banco"), 2, 1);
        // The business's first concept of each transfer family is the one transfers use.
        const bool traspasos = concepto(QStringLiteral("Salida por traspaso banco"), 2, -1) > 0 &&
                               concepto(QStringLiteral("Entrada por traspaso banco"), 1, -2) > 0;
        // Transfers go to another warehouse of the business with its own history (receiving into
        // a warehouse that never issued anything walks every issue for its newest movement).
        mt.setQuery(
            QStringLiteral("SELECT MIN(id) FROM inventarioAlmacen WHERE idNegocioFk = :negocio AND id > :a"));
        mt.setParametroEntero(QStringLiteral("negocio"), uNegocio);
        mt.setParametroEntero(QStringLiteral("a"), uAlmacen);
        uDestino = int(mt.getScalarAsInt());
        return uAlmacen > 0 && plantilla > 0 && uCompra > 0 && uVenta > 0 && traspasos && uDestino > 0;
    }

    // A new product of the warehouse holding `capas` open layers of 2 units each, and its stock row.
    int productoConCapas(int capas) {
        TmiddleTier mt(uSesion);
        mt.transaccionInicia();
        const int producto = inserta(
            QStringLiteral(
                "INSERT INTO inventarioProducto (nombre, estatus, estado, idNegocioFk) VALUES (:x, 1, 1, "
                ":negocio)"),
            {{QStringLiteral("x"), QStringLiteral("Banco %1").arg(++uProductos)}});
        TinsercionMultiple entradas(
            mt, QStringLiteral("inventarioEntrada"),
            {QStringLiteral("documento"), QStringLiteral("fechaHora"), QStringLiteral("inventarioAlmacen_id"),
             QStringLiteral("inventarioProducto_id"), QStringLiteral("inventarioMovimientoConcepto_id"),
             QStringLiteral("cantidad"), QStringLiteral("costoUnitario"), QStringLiteral("existencia"),
             QStringLiteral("existenciaTotal"), QStringLiteral("existenciaCostoUnitario"),
             QStringLiteral("existenciaCostoTotal"), QStringLiteral("idNegocioFk")});
        double valor = 0;
        bool ok = producto > 0;
        for (int c = 0; c < capas; ++c) {
            const double costo = 10.0 + c % 7;
            valor += 2 * costo;
            ok = ok && entradas.agrega({0, fechaHora::aTextoBD(siguiente()), uAlmacen, producto, uCompra, 2.0,
                                        costo, 2.0, 2.0 * (c + 1), valor / (2.0 * (c + 1)), valor, uNegocio});
        }
        ok = ok && entradas.vacia() &&
             inserta(
                 QStringLiteral("INSERT INTO inventarioExistencias (inventarioAlmacen_id, "
                                "inventarioProducto_id, existencia, costoUnitario) VALUES (:a, :p, :x, :c)"),
                 {{QStringLiteral("a"), uAlmacen},
                  {QStringLiteral("p"), producto},
                  {QStringLiteral("x"), 2.0 * capas},
                  {QStringLiteral("c"), valor / (2.0 * capas)}}) > 0;
        return ok && mt.transaccionTermina() ? producto : 0;
    }

    // Issues of a product spanning `capas` layers, each on a product set up for it.
    bool salidas(int capas, int repeticiones, Tmuestra &m) {
        for (int i = 0; i < repeticiones; ++i) {
            const int id = productoConCapas(capas);
            const bool ok =
                id > 0 && mideDocumento(
                              m,
                              [&] {
                                  TdocumentoSalida doc(uSesion, uNegocio);
                                  doc.setAlmacen(uAlmacen);
                                  doc.setConcepto(uVenta);
                                  doc.setFechaHora(siguiente());
                                  return doc.agregarProducto(producto(id), 2.0 * capas) && doc.guardar();
                              },
                              [&] { return reponeCapas(id, capas); });
            if (!ok)
                return false;
        }
        return true;
    }

    // Transfers of a product spanning `capas` layers to the other warehouse, shipped and received.
    bool traspasos(int capas, int repeticiones, Tmuestra &envio, Tmuestra &recepcion) {
        for (int i = 0; i < repeticiones; ++i) {
            const int id = productoConCapas(capas);
            int traspaso = 0;
            const bool ok =
                id > 0 && existenciaEnDestino(id) &&
                mideDocumento(
                    envio,
                    [&] {
                        TdocumentoTraspaso doc(uSesion, uNegocio);
                        doc.setOrigen(uAlmacen);
                        doc.setDestino(uDestino);
                        doc.setFechaSalida(siguiente());
                        doc.setFechaRecepcion(uMomento);
                        const bool guardado =
                            doc.agregaAlDocumento(producto(id), 2.0 * capas) && doc.guardar();
                        traspaso = doc.traspaso();
                        return guardado;
                    },
                    [&] { return reponeCapas(id, capas); }) &&
                mideDocumento(recepcion, [&] {
                    TcierreTraspaso cierre(uSesion, uNegocio);
                    return cierre.carga(traspaso) && cierre.cierra(TaccionCierre::Recibir, siguiente());
                });
            if (!ok)
                return false;
        }
        return true;
    }

    // One-line receipts of one product that already has stock.
    bool entradas(int cuantas, Tmuestra &m) {
        const int producto = productoConCapas(1);
        for (int i = 0; producto > 0 && i < cuantas; ++i) {
            const bool ok = mideDocumento(m, [&] {
                TdocumentoEntrada doc(uSesion, uNegocio);
                TdatosEntrada &d = doc.datos();
                d.almacenID = uAlmacen;
                d.conceptoID = uCompra;
                d.fechaHora = siguiente();
                TlineaEntrada l;
                l.productoID = producto;
                l.producto = QStringLiteral("Banco");
                l.cantidad = QStringLiteral("5");
                l.costoUnitario = 10.0 + i % 7;
                d.lineas << l;
                return doc.guardar();
            });
            if (!ok)
                return false;
        }
        return producto > 0;
    }

private:
    static TproductoSalida producto(int id) {
        TproductoSalida p;
        p.id = id;
        p.nombre = QStringLiteral("Banco");
        return p;
    }

    // The destination already stocks the product (none on hand): the reception then updates its
    // stock row, and the raw replay of that update runs as it did, where replaying the insert of a
    // first stock row would fail on the row the posting left.
    bool existenciaEnDestino(int producto) {
        return inserta(QStringLiteral("INSERT INTO inventarioExistencias (inventarioAlmacen_id, "
                                      "inventarioProducto_id, existencia) VALUES (:a, :p, 0)"),
                       {{QStringLiteral("a"), uDestino}, {QStringLiteral("p"), producto}}) > 0;
    }

    // Times one posting and replays its statements raw; false when it was not posted.
    // `repone`, when given, puts back before the replay what the posting took, so the replayed
    // statements find what the posting's found and do the same work (a layer update whose layer
    // is already empty reads and writes nothing).
    bool mideDocumento(Tmuestra &m, const std::function<bool()> &postea,
                       const std::function<bool()> &repone = {}) {
        Tgrabacion grabacion;
        {
            Tgrabadora grabadora;
            QElapsedTimer reloj;
            reloj.start();
            if (!postea())
                return false;
            m.posteo << reloj.nsecsElapsed() / 1e9;
            grabacion = grabadora.toma();
        }
        if (repone && !repone())
            return false;
        mide(grabacion, m);
        return true;
    }

    // The layers of a product made by productoConCapas, full again, and its stock row with them.
    bool reponeCapas(int producto, int capas) {
        TmiddleTier mt(uSesion);
        mt.setQuery(
            QStringLiteral("UPDATE inventarioEntrada SET existencia = 2.0 WHERE idNegocioFk = :negocio AND "
                           "inventarioAlmacen_id = :a AND inventarioProducto_id = :p"));
        mt.setParametroEntero(QStringLiteral("negocio"), uNegocio);
        mt.setParametroEntero(QStringLiteral("a"), uAlmacen);
        mt.setParametroEntero(QStringLiteral("p"), producto);
        if (mt.nonQuery().getFilasAfectadas() != capas)
            return false;
        mt.setQuery(
            QStringLiteral("UPDATE inventarioExistencias SET existencia = :x WHERE inventarioAlmacen_id = "
                           ":a AND inventarioProducto_id = :p"));
        mt.setParametroFlotante(QStringLiteral("x"), 2.0 * capas);
        mt.setParametroEntero(QStringLiteral("a"), uAlmacen);
        mt.setParametroEntero(QStringLiteral("p"), producto);
        return mt.nonQuery().getFilasAfectadas() == 1;
    }

    void mide(const Tgrabacion &grabacion, Tmuestra &m) {
        for (int i = 0; uPlanes && i + 1 < grabacion.size(); ++i)
            uTiemposPosteo[grabacion[i].texto] += (grabacion[i + 1].inicio - grabacion[i].inicio) / 1e9;
        m.sentencias = int(grabacion.size());
        m.crudo << u_reproduce(uSesion, grabacion, m.fallidas, uPlanes ? &uTiempos : nullptr);
        if (uPlanes)
            muestraPlanes(uSesion, grabacion, uVistas);
    }

public:
    // With --planes: the statements that took longest over every replay, slowest first.
    void muestraLentas(int cuantas) const {
        muestraLentas(uTiempos, QStringLiteral("lenta cruda: "), cuantas);
        muestraLentas(uTiemposPosteo, QStringLiteral("lenta en el posteo: "), cuantas);
    }
    static void muestraLentas(const QHash<QString, double> &tiempos, const QString &etiqueta, int cuantas) {
        QVector<QPair<double, QString>> lista;
        for (auto it = tiempos.cbegin(); it != tiempos.cend(); ++it)
            lista.append({it.value(), it.key()});
        std::sort(lista.begin(), lista.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
        for (int i = 0; i < std::min(cuantas, int(lista.size())); ++i)
            QTextStream(stderr) << etiqueta << QString::number(lista[i].first, 'f', 3) << " s | "
                                << lista[i].second.simplified().left(300) << Qt::endl;
    }

private:
    QDateTime siguiente() {
        uMomento = uMomento.addSecs(60);
        return uMomento;
    }

    int inserta(const QString &sentencia, const QVector<QPair<QString, QVariant>> &valores) {
        TmiddleTier mt(uSesion);
        mt.setQuery(sentencia);
        mt.setParametroEntero(QStringLiteral("negocio"), uNegocio);
        for (const auto &v : valores)
            mt.setParametroVariant(v.first, v.second);
        const CmidTierResponse r = mt.nonQuery();
        return r.isSuccess() ? int(r.getIdInsertado()) : 0;
    }

    TConexionSesion *uSesion;
    int uNegocio;
    bool uPlanes;
    QDateTime uMomento;
    int uAlmacen = 0, uDestino = 0, uCompra = 0, uVenta = 0, uProductos = 0;
    QSet<QString> uVistas;
    QHash<QString, double> uTiempos;
    QHash<QString, double> uTiemposPosteo; // from each statement to the next, in the postings
};

double ms(double segundos) {
    return segundos * 1000.0;
}

// The figures of one kind of posting; answers its ratio (median posting / median raw).
double imprime(const QString &nombre, const Tmuestra &m) {
    const double mediana = percentil(m.posteo, 0.5), medianaCruda = percentil(m.crudo, 0.5);
    u_figura(nombre + QStringLiteral("_sentencias"), m.sentencias);
    u_figura(nombre + QStringLiteral("_mediana_ms"), ms(mediana));
    u_figura(nombre + QStringLiteral("_p99_ms"), ms(percentil(m.posteo, 0.99)));
    u_figura(nombre + QStringLiteral("_crudo_mediana_ms"), ms(medianaCruda));
    u_figura(nombre + QStringLiteral("_crudo_p99_ms"), ms(percentil(m.crudo, 0.99)));
    if (m.fallidas > 0)
        u_figura(nombre + QStringLiteral("_crudo_fallidas"), m.fallidas);
    const double ratio = medianaCruda > 0 ? mediana / medianaCruda : 0;
    u_figura(nombre + QStringLiteral("_ratio"), ratio);
    return ratio;
}

double suma(const QVector<double> &valores) {
    return std::accumulate(valores.begin(), valores.end(), 0.0);
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    TbaseBench base(p, 10000);
    const QCommandLineOption repeticiones(QStringLiteral("repeticiones"),
                                          QStringLiteral("Salidas por número de capas."), QStringLiteral("n"),
                                          QStringLiteral("40"));
    const QCommandLineOption entradas(QStringLiteral("entradas"), QStringLiteral("Entradas a postear."),
                                      QStringLiteral("n"), QStringLiteral("200"));
    const QCommandLineOption planes(QStringLiteral("planes"),
                                    QStringLiteral("Muestra las sentencias que recorren una tabla entera."));
    p.addOptions({repeticiones, entradas, planes});
    p.process(app);
    if (!base.prepara(p))
        return 3;
    const int veces = std::max(1, p.value(repeticiones).toInt());
    const int cuantasEntradas = std::max(1, p.value(entradas).toInt());
    TConexionSesion *sesion = base.sesion();

    QElapsedTimer reloj;
    reloj.start();
    const int negocio = base.generaNegocio(1);
    if (negocio <= 0 || !TconstruccionKardex(sesion, negocio).construye())
        return 4;
    u_figura(QStringLiteral("preparacion_s"), reloj.elapsed() / 1000.0);

    TinteraccionAutomatica usuario;
    Tbanco banco(sesion, negocio, p.isSet(planes));
    if (!banco.prepara())
        return 4;
    double ratio10 = 0;
    for (int capas : {1, 10, 100}) {
        Tmuestra m;
        if (!banco.salidas(capas, capas == 100 ? std::max(1, veces / 2) : veces, m)) {
            QTextStream(stderr) << "la salida no se guardó: " << usuario.ultimoAviso() << Qt::endl;
            return 5;
        }
        const double r = imprime(QStringLiteral("salida_%1_capas").arg(capas), m);
        if (capas == 10)
            ratio10 = r;
    }
    for (int capas : {1, 10, 100}) {
        Tmuestra envio, recepcion;
        if (!banco.traspasos(capas, capas == 100 ? std::max(1, veces / 2) : veces, envio, recepcion)) {
            QTextStream(stderr) << "el traspaso no se guardó: " << usuario.ultimoAviso() << Qt::endl;
            return 5;
        }
        imprime(QStringLiteral("traspaso_envio_%1_capas").arg(capas), envio);
        imprime(QStringLiteral("traspaso_recepcion_%1_capas").arg(capas), recepcion);
    }
    Tmuestra m;
    if (!banco.entradas(cuantasEntradas, m)) {
        QTextStream(stderr) << "la entrada no se guardó: " << usuario.ultimoAviso() << Qt::endl;
        return 5;
    }
    imprime(QStringLiteral("entrada"), m);
    if (p.isSet(planes))
        banco.muestraLentas(6);
    u_figura(QStringLiteral("entradas_por_segundo"), m.posteo.size() / suma(m.posteo));
    u_figura(QStringLiteral("entradas_por_segundo_crudo"), m.crudo.size() / suma(m.crudo));
    u_figura(QStringLiteral("ratio"), QString::number(ratio10, 'f', 2));
    return 0;
}

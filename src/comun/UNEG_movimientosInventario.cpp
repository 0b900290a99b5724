#include "comun/UNEG_movimientosInventario.h"

#include "datos/UfechaHora.h"

namespace {
const QString kNegocio = QStringLiteral("negocioID");
const QString kAlmacen = QStringLiteral("almacenID");
const QString kProducto = QStringLiteral("productoID");

// A document's products go to a read in tramos of a power of two (at most kTramoMaximo), the last
// one padded with product 0 (which no row has): a read of any size runs a few statements of at most
// eight texts, each prepared once on the connection.
constexpr int kTramoMaximo = 128;

int tamanoTramo(int pendientes) {
    int n = 1;
    while (n < pendientes && n < kTramoMaximo)
        n *= 2;
    return n;
}

// The placeholder of a tramo's i-th product (:p0, :p1…), named once.
const QString &marcadorProducto(int i) {
    static const QVector<QString> kMarcadores = [] {
        QVector<QString> marcadores(kTramoMaximo);
        for (int m = 0; m < kTramoMaximo; ++m)
            marcadores[m] = QStringLiteral(":p") + QString::number(m);
        return marcadores;
    }();
    return kMarcadores.at(i);
}

// A read's text for a tramo of `n` products: `plantilla` with its %1 replaced by the tramo's
// placeholders. Built once per size and thread, as a posting runs its reads on every document.
const QString &textoTramo(QHash<int, QString> &textos, const QString &plantilla, int n) {
    QString &texto = textos[n];
    if (texto.isEmpty()) {
        QStringList lista;
        for (int i = 0; i < n; ++i)
            lista << marcadorProducto(i);
        texto = plantilla.arg(lista.join(QStringLiteral(", ")));
    }
    return texto;
}

// Runs `lee(tramo, n)` over the products tramo by tramo, having bound :p0… (padding included).
template <typename Flee> bool porTramos(TmiddleTier &mt, const QVector<int> &productos, Flee lee) {
    for (int desde = 0; desde < productos.size();) {
        const int n = tamanoTramo(int(productos.size()) - desde);
        if (!lee(n, [&] {
                for (int i = 0; i < n; ++i)
                    mt.setParametroEntero(marcadorProducto(i),
                                          desde + i < productos.size() ? productos[desde + i] : 0);
            }))
            return false;
        desde += n;
    }
    return true;
}

// Of a warehouse's (or a product's) newest receipt and newest issue date-times, null when there is
// none: the issue is the newest movement unless the receipt is newer (the ledger tells an
// instant's receipts first, so an issue of the same instant came after them).
bool salidaEsLaUltima(const QVariant &entrada, const QVariant &salida) {
    return !salida.isNull() && (entrada.isNull() || !fechaHora::anteriorBD(salida, entrada));
}

// The newest of the two; `ultimaSalida`, when given, gets the when it is that one.
QVariant ultimoDe(const QVariant &entrada, const QVariant &salida, QVariant *ultimaSalida) {
    const bool esSalida = salidaEsLaUltima(entrada, salida);
    if (ultimaSalida)
        *ultimaSalida = esSalida ? salida : QVariant();
    return esSalida ? salida : entrada;
}

// A warehouse's newest receipt and newest issue date-times as two columns, each one seek down its
// (business, warehouse, date) index. Plain scalar reads: MariaDB builds temporary tables for every
// run of a statement with derived tables. The placeholders of each side take its suffix.
QString ultimasFechas(const QString &sufijoEntrada, const QString &sufijoSalida) {
    return QStringLiteral(
               "(SELECT MAX(e.fechaHora) FROM inventarioEntrada e WHERE e.idNegocioFk = :negocioID%1 "
               "AND e.inventarioAlmacen_id = :almacenID%1) AS ultima_entrada, (SELECT "
               "MAX(s.fechaHora) FROM inventarioSalida s WHERE s.idNegocioFk = :negocioID%2 AND "
               "s.inventarioAlmacen_id = :almacenID%2) AS ultima_salida")
        .arg(sufijoEntrada, sufijoSalida);
}

// A concept with its accounting template (only one of the business): the journal entry written
// after the posting then needs no read of its own.
const QString kColumnasConcepto = QStringLiteral(
    "c.id, c.etiqueta, c.direccion, c.familia, a.id AS asiento_id, a.nombre AS asiento_nombre, "
    "a.descripcion AS asiento_descripcion, a.cuentaCargo, a.cuentaAbono, m.modulo");
const QString kPlantillaConcepto = QStringLiteral(
    " LEFT JOIN AsientosContables a ON a.id = c.AsientosContables_id AND a.idNegocioFk = c.idNegocioFk "
    "LEFT JOIN ModuloAsientosContables m ON m.id = a.ModuloAsientosContables_id");

// The concept of the first row read with kColumnasConcepto; an invalid one when there is none or
// its columns are null.
TconceptoMovimiento conceptoLeido(const CmidTierResponse &r, int idNegocio) {
    TconceptoMovimiento c;
    if (r.getRowCount() == 0)
        return c;
    c.id = int(r.getCeldaAsInt(0, QStringLiteral("id")));
    c.etiqueta = r.getCelda(0, QStringLiteral("etiqueta"));
    c.direccion = int(r.getCeldaAsInt(0, QStringLiteral("direccion")));
    c.familia = int(r.getCeldaAsInt(0, QStringLiteral("familia")));
    if (const int asiento = int(r.getCeldaAsInt(0, QStringLiteral("asiento_id"))); asiento > 0)
        c.asiento = {asiento,
                     r.getCelda(0, QStringLiteral("asiento_nombre")),
                     r.getCelda(0, QStringLiteral("asiento_descripcion")),
                     int(r.getCeldaAsInt(0, QStringLiteral("modulo"))),
                     r.getCelda(0, QStringLiteral("cuentaCargo")),
                     r.getCelda(0, QStringLiteral("cuentaAbono")),
                     idNegocio};
    return c;
}
} // namespace

TconceptoMovimiento TmovimientosInventario::selectConcepto(int idConcepto, int idNegocio) {
    static const QString sentencia = QStringLiteral("SELECT ") + kColumnasConcepto +
                                     QStringLiteral(" FROM inventarioMovimientoConcepto c") +
                                     kPlantillaConcepto +
                                     QStringLiteral(" WHERE c.id = :id AND c.idNegocioFk = :negocioID");
    setQuery(sentencia);
    setParametroEntero(QStringLiteral("id"), idConcepto);
    setParametroEntero(kNegocio, idNegocio);
    const CmidTierResponse r = reader();
    return r.isSuccess() ? conceptoLeido(r, idNegocio) : TconceptoMovimiento();
}

bool TmovimientosInventario::selectContextoDocumento(int idConcepto, int idAlmacen, int idNegocio,
                                                     const QVector<int> &productos,
                                                     TcontextoDocumento &contexto) {
    // The business's options row carries the rest: the concept and the products asked about join
    // it, the warehouse and its newest movement are scalar columns. A document of more products
    // than a tramo reads the few columns of its context again with each further tramo. The unary
    // plus keeps SQLite from walking all the business's products down a (business, …) index: each
    // product is found by its key.
    static const QString plantilla =
        QStringLiteral("SELECT o.metodoValoracionInventario AS metodo, ") + kColumnasConcepto +
        QStringLiteral(", (SELECT nombre FROM inventarioAlmacen WHERE id = :almacenID AND idNegocioFk = "
                       ":negocioID2) AS almacen_nombre, ") +
        ultimasFechas(QStringLiteral("3"), QStringLiteral("4")) +
        QStringLiteral(", p.id AS producto_id FROM inventarioOpciones o LEFT JOIN "
                       "inventarioMovimientoConcepto c ON c.id = :id AND c.idNegocioFk = o.idNegocioFk") +
        kPlantillaConcepto +
        QStringLiteral(" LEFT JOIN inventarioProducto p ON p.id IN (%1) AND +p.idNegocioFk = o.idNegocioFk "
                       "WHERE o.idNegocioFk = :negocioID");
    contexto = {};
    bool primero = true;
    const auto lee = [&](int n, const auto &enlazaProductos) {
        thread_local QHash<int, QString> textos;
        setQuery(textoTramo(textos, plantilla, n));
        setParametroEntero(QStringLiteral("id"), idConcepto);
        setParametroEntero(kNegocio, idNegocio);
        setParametroEntero(kAlmacen, idAlmacen);
        for (const QString &sufijo : {QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}) {
            setParametroEntero(kNegocio + sufijo, idNegocio);
            if (sufijo != QLatin1String("2"))
                setParametroEntero(kAlmacen + sufijo, idAlmacen);
        }
        enlazaProductos();
        const CmidTierResponse r = reader();
        if (!r.isSuccess())
            return false;
        if (primero && r.getRowCount() > 0) {
            contexto.metodo = int(r.getCeldaAsInt(0, QStringLiteral("metodo")));
            contexto.concepto = conceptoLeido(r, idNegocio);
            contexto.nombreAlmacen = r.getValor(0, QStringLiteral("almacen_nombre"));
            contexto.ultimo = ultimoDe(r.getValor(0, QStringLiteral("ultima_entrada")),
                                       r.getValor(0, QStringLiteral("ultima_salida")), nullptr);
        }
        primero = false;
        for (int f = 0; f < r.getRowCount(); ++f)
            if (const QVariant producto = r.getValor(f, QStringLiteral("producto_id")); !producto.isNull())
                contexto.productos.insert(producto.toInt());
        return true;
    };
    // With no products the context is still read, for a tramo of product 0 alone.
    return porTramos(*this, productos.isEmpty() ? QVector<int>{0} : productos, lee);
}

QVariant TmovimientosInventario::selectNombreAlmacen(int idAlmacen, int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT nombre FROM inventarioAlmacen WHERE id = :almacenID AND idNegocioFk = :negocioID"));
    setParametroEntero(kAlmacen, idAlmacen);
    setParametroEntero(kNegocio, idNegocio);
    const CmidTierResponse r = reader();
    if (!r.isSuccess() || r.getRowCount() == 0)
        return {};
    return r.getCelda(0, 0);
}

CmidTierResponse TmovimientosInventario::selectFechaHoraUltimoMovimiento(int idAlmacen, int idNegocio,
                                                                         QVariant &ultimo,
                                                                         QVariant *ultimaSalida) {
    static const QString sentencia =
        QStringLiteral("SELECT ") + ultimasFechas(QString(), QStringLiteral("2"));
    setQuery(sentencia);
    for (const QString &sufijo : {QString(), QStringLiteral("2")}) {
        setParametroEntero(kAlmacen + sufijo, idAlmacen);
        setParametroEntero(kNegocio + sufijo, idNegocio);
    }
    const CmidTierResponse r = reader();
    const bool leido = r.isSuccess() && r.getRowCount() == 1;
    ultimo =
        ultimoDe(leido ? r.getValor(0, 0) : QVariant(), leido ? r.getValor(0, 1) : QVariant(), ultimaSalida);
    return r;
}

CmidTierResponse TmovimientosInventario::selectEntradasPorProductosPorAlmacen(int idProducto, int idAlmacen,
                                                                              int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT inventarioEntrada.id AS inventarioEntrada_id, inventarioEntrada.documento AS "
        "inventarioEntrada_documento, inventarioEntrada.existencia AS inventarioEntrada_existencia, "
        "inventarioEntrada.existenciaCostoUnitario AS inventarioEntrada_existenciaCostoUnitario FROM "
        "inventarioEntrada WHERE inventarioProducto_id = :inventarioProducto_id AND existencia > 0 AND "
        "inventarioAlmacen_id = :inventarioAlmacen_id AND idNegocioFk = :negocioID "
        "ORDER BY fechaHora ASC, inventarioEntrada.id ASC"));
    setParametroEntero(QStringLiteral("inventarioProducto_id"), idProducto);
    setParametroEntero(QStringLiteral("inventarioAlmacen_id"), idAlmacen);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse TmovimientosInventario::capasAbiertas(int idProducto, int idAlmacen, int idNegocio,
                                                       QMap<int, tCapa> &capas) {
    const CmidTierResponse r = selectEntradasPorProductosPorAlmacen(idProducto, idAlmacen, idNegocio);
    capas.clear();
    for (int f = 0; r.isSuccess() && f < r.getRowCount(); ++f) {
        tCapa c;
        c.almacenID = idAlmacen;
        c.productoID = idProducto;
        c.negocioID = idNegocio;
        c.entradaID = int(r.getCeldaAsInt(f, QStringLiteral("inventarioEntrada_id")));
        c.cantidad = r.getCeldaAsFloat(f, QStringLiteral("inventarioEntrada_existencia"));
        c.costoUnitario = r.getCeldaAsFloat(f, QStringLiteral("inventarioEntrada_existenciaCostoUnitario"));
        capas.insert(c.entradaID, c);
    }
    return r;
}

CmidTierResponse TmovimientosInventario::selectExistencia(int idAlmacen, int idProducto, int idNegocio,
                                                          TexistenciaAlmacen &x) {
    setQuery(QStringLiteral(
        "SELECT x.existencia AS inventarioExistencias_existencia FROM inventarioExistencias x JOIN "
        "inventarioAlmacen a ON a.id = x.inventarioAlmacen_id WHERE x.inventarioAlmacen_id = :almacenID "
        "AND x.inventarioProducto_id = :productoID AND a.idNegocioFk = :negocioID"));
    setParametroEntero(kAlmacen, idAlmacen);
    setParametroEntero(kProducto, idProducto);
    setParametroEntero(kNegocio, idNegocio);
    const CmidTierResponse r = reader();
    x = TexistenciaAlmacen();
    if (r.isSuccess() && r.getRowCount() > 0) {
        x.existe = true;
        x.existencia = r.getCeldaAsFloat(0, 0);
    }
    return r;
}

CmidTierResponse TmovimientosInventario::selectSaldoUltimoMovimiento(int idProducto, int idAlmacen,
                                                                     int idNegocio, TsaldoMovimiento &saldo) {
    // The newest movement in the order the rebuild walks them (at one instant receipts before
    // issues), open layer or not: a purchase return that emptied its layer set the average the
    // next issue leaves at. Each side is the top of its own index.
    setQuery(QStringLiteral(
        "SELECT t.existenciaCostoTotal AS _existenciaCostoTotal, t.existenciaCostoUnitario AS "
        "_existenciaCostoUnitario FROM ("
        "SELECT * FROM (SELECT e.fechaHora, 1 AS tipo, e.id, e.existenciaCostoTotal, "
        "e.existenciaCostoUnitario FROM inventarioEntrada e "
        "WHERE e.idNegocioFk = :negocioID AND e.inventarioAlmacen_id = :almacenID AND "
        "e.inventarioProducto_id = :productoID ORDER BY e.fechaHora DESC, e.id DESC LIMIT 1) r "
        "UNION ALL SELECT * FROM (SELECT s.fechaHora, 2 AS tipo, s.id, s.existenciaCostoTotal, "
        "s.existenciaCostoUnitario FROM inventarioSalida s WHERE s.idNegocioFk = :negocioID2 AND "
        "s.inventarioAlmacen_id = :almacenID2 AND s.inventarioProducto_id = :productoID2 "
        "ORDER BY s.fechaHora DESC, s.id DESC LIMIT 1) s) t ORDER BY t.fechaHora DESC, t.tipo DESC, t.id "
        "DESC LIMIT 1"));
    fijaParDosVeces(idAlmacen, idProducto, idNegocio);
    const CmidTierResponse r = reader();
    saldo = TsaldoMovimiento();
    if (r.isSuccess() && r.getRowCount() > 0)
        saldo = {r.getCeldaAsFloat(0, QStringLiteral("_existenciaCostoTotal")),
                 r.getCeldaAsFloat(0, QStringLiteral("_existenciaCostoUnitario"))};
    return r;
}

void TmovimientosInventario::fijaParDosVeces(int idAlmacen, int idProducto, int idNegocio) {
    for (const QString &sufijo : {QString(), QStringLiteral("2")}) {
        setParametroEntero(kAlmacen + sufijo, idAlmacen);
        setParametroEntero(kProducto + sufijo, idProducto);
        setParametroEntero(kNegocio + sufijo, idNegocio);
    }
}

CmidTierResponse TmovimientosInventario::stockMinimo(int idAlmacen, int idProducto, int idNegocio,
                                                     double &minimo) {
    double existencia = 0;
    return existenciaYMinimo(idAlmacen, idProducto, idNegocio, existencia, minimo);
}

CmidTierResponse TmovimientosInventario::existenciaYMinimo(int idAlmacen, int idProducto, int idNegocio,
                                                           double &existencia, double &minimo) {
    // One row whatever exists: each side is a scalar read that is NULL without its row.
    setQuery(QStringLiteral(
        "SELECT (SELECT x.existencia FROM inventarioExistencias x JOIN inventarioAlmacen a ON a.id = "
        "x.inventarioAlmacen_id WHERE x.inventarioAlmacen_id = :almacenID AND x.inventarioProducto_id = "
        ":productoID AND a.idNegocioFk = :negocioID) AS existencia, (SELECT minimo FROM "
        "inventarioStock WHERE inventarioAlmacen_id = :almacenID2 AND inventarioProducto_id = "
        ":productoID2 AND idNegocioFk = :negocioID2 AND minimo IS NOT NULL ORDER BY id LIMIT 1) AS minimo"));
    fijaParDosVeces(idAlmacen, idProducto, idNegocio);
    const CmidTierResponse r = reader();
    const bool leida = r.isSuccess() && r.getRowCount() > 0;
    existencia = leida ? r.getCeldaAsFloat(0, 0) : 0.0;
    minimo = leida && !r.getValor(0, 1).isNull() ? r.getCeldaAsFloat(0, 1) : -1.0;
    return r;
}

bool TmovimientosInventario::leeEstados(int idAlmacen, const QVector<int> &productos, int idNegocio,
                                        QHash<int, TestadoProducto> &estados) {
    // In one statement, each product's stock row, newest group and the figures of its newest
    // receipt and newest issue (each found by its own index walk, as the one-product reads do, and
    // joined by its key): the later of the two (an issue after a receipt of the same instant) gives
    // the running cost and value. No derived tables: MariaDB 10.11 runs a prepared statement with a
    // derived table of bound values wrongly the second time.
    static const QString kNegocios[] = {QStringLiteral(":negocio1"), QStringLiteral(":negocio2"),
                                        QStringLiteral(":negocio3"), QStringLiteral(":negocio4"),
                                        QStringLiteral(":negocio5")};
    static const QString kAlmacenes[] = {QStringLiteral(":almacen1"), QStringLiteral(":almacen2"),
                                         QStringLiteral(":almacen3"), QStringLiteral(":almacen4")};
    const auto lee = [&](int n, const auto &enlazaProductos) {
        thread_local QHash<int, QString> textos;
        setQuery(textoTramo(
            textos,
            QStringLiteral(
                "SELECT p.id, a.id, x.id, x.existencia, "
                "(SELECT MAX(k.grupo) FROM inventarioKardex k WHERE k.idNegocioFk = :negocio1 AND "
                "k.inventarioAlmacen_id = :almacen1 AND k.inventarioProducto_id = p.id), "
                "re.fechaHora, re.existenciaCostoUnitario, re.existenciaCostoTotal, "
                "se.fechaHora, se.existenciaCostoUnitario, se.existenciaCostoTotal "
                "FROM inventarioProducto p LEFT JOIN inventarioAlmacen a ON a.id = :almacen2 AND "
                "a.idNegocioFk = :negocio2 LEFT JOIN inventarioExistencias x ON x.inventarioAlmacen_id = "
                "a.id AND x.inventarioProducto_id = p.id "
                "LEFT JOIN inventarioEntrada re ON re.id = (SELECT r.id FROM inventarioEntrada r "
                "WHERE r.idNegocioFk = :negocio3 AND r.inventarioAlmacen_id = :almacen3 AND "
                "r.inventarioProducto_id = p.id ORDER BY r.fechaHora DESC, r.id DESC LIMIT 1) "
                "LEFT JOIN inventarioSalida se ON se.id = (SELECT s.id FROM inventarioSalida s "
                "WHERE s.idNegocioFk = :negocio4 AND s.inventarioAlmacen_id = :almacen4 AND "
                "s.inventarioProducto_id = p.id ORDER BY s.fechaHora DESC, s.id DESC LIMIT 1) "
                "WHERE p.idNegocioFk = :negocio5 AND p.id IN (%1)"),
            n));
        for (const QString &negocio : kNegocios)
            setParametroEntero(negocio, idNegocio);
        for (const QString &almacen : kAlmacenes)
            setParametroEntero(almacen, idAlmacen);
        enlazaProductos();
        const CmidTierResponse r = reader();
        if (!r.isSuccess())
            return false;
        for (int f = 0; f < r.getRowCount(); ++f) {
            // A warehouse not of the business: nothing may be posted to it.
            if (r.getValor(f, 1).isNull())
                return false;
            TestadoProducto e;
            e.existencia.existe = !r.getValor(f, 2).isNull();
            e.idExistencia = int(r.getCeldaAsInt(f, 2));
            e.existencia.existencia = e.existencia.existe ? r.getCeldaAsFloat(f, 3) : 0.0;
            e.grupo = int(r.getCeldaAsInt(f, 4));
            const QVariant entrada = r.getValor(f, 5), salida = r.getValor(f, 8);
            const bool deSalida = salidaEsLaUltima(entrada, salida);
            const int columna = deSalida ? 8 : 5;
            if (deSalida || !entrada.isNull()) {
                e.costoUnitario = r.getCeldaAsFloat(f, columna + 1);
                e.costoTotal = r.getCeldaAsFloat(f, columna + 2);
            }
            estados.insert(int(r.getCeldaAsInt(f, 0)), e);
        }
        return true;
    };
    if (!porTramos(*this, productos, lee))
        return false;
    // A product that is not the business's is never posted.
    for (const int producto : productos)
        if (!estados.contains(producto))
            return false;
    return true;
}

bool TmovimientosInventario::leeCapasAbiertas(int idAlmacen, const QVector<int> &productos, int idNegocio,
                                              QHash<int, QVector<TcapaAbierta>> &capas) {
    const auto lee = [&](int n, const auto &enlazaProductos) {
        thread_local QHash<int, QString> textos;
        setQuery(textoTramo(
            textos,
            QStringLiteral("SELECT inventarioProducto_id, id, documento, existencia, existenciaCostoUnitario "
                           "FROM inventarioEntrada WHERE idNegocioFk = :negocioID AND inventarioAlmacen_id "
                           "= :almacenID AND existencia > 0 AND inventarioProducto_id IN (%1) "
                           "ORDER BY inventarioProducto_id, fechaHora, id"),
            n));
        setParametroEntero(kNegocio, idNegocio);
        setParametroEntero(kAlmacen, idAlmacen);
        enlazaProductos();
        const CmidTierResponse r = reader();
        for (int f = 0; f < r.getRowCount(); ++f)
            capas[int(r.getCeldaAsInt(f, 0))].append({int(r.getCeldaAsInt(f, 1)), r.getValor(f, 2),
                                                      r.getCeldaAsFloat(f, 3), r.getCeldaAsFloat(f, 4)});
        return r.isSuccess();
    };
    return porTramos(*this, productos, lee);
}

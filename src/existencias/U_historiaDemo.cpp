#include "existencias/U_historiaDemo.h"

#include "comun/UNEG_opciones.h"
#include "comun/U_interaccionAutomatica.h"
#include "comun/U_utilerias.h"
#include "comun/UdatosDemo.h"
#include "comun/UsistemaDatos.h"
#include "datos/UfechaHora.h"
#include "datos/UmiddleTier.h"
#include "entradas/UNEG_documentoEntrada.h"
#include "inventario/UNEG_arranqueInventario.h"
#include "salidas/UNEG_documentoSalida.h"
#include "traspasos/UNEG_cierreTraspaso.h"
#include "traspasos/UNEG_documentoTraspaso.h"

#include <QHash>

#include <cmath>
#include <random>

namespace {

constexpr int kSemanas = 13;
constexpr int kPeps = 1;
constexpr int kPromedio = 2;

// A product the history moves, by its demo key, with what a receipt of it looks like.
struct Tarticulo {
    const char *clave;
    double costo;       // first purchase cost per storage unit
    int minimo, maximo; // units of a weekly purchase
    bool lote;          // paints and varnishes carry a lot with production and expiry dates
    bool importado;     // arrives with a customs declaration
};

const Tarticulo kGeneral[] = {
    {"TOR-001", 0.85, 400, 800, false, false}, {"CLA-001", 32.00, 20, 45, false, false},
    {"TAL-001", 1150.00, 3, 5, false, true},   {"MAR-001", 95.00, 12, 24, false, false},
    {"PVI-001", 34.00, 76, 152, true, false},  {"CAB-001", 13.50, 200, 400, false, false},
};
const Tarticulo kBodega[] = {
    {"PVI-001", 34.00, 95, 190, true, false},
    {"CAB-001", 13.50, 300, 500, false, false},
    {"ESM-101", 95.00, 20, 40, true, false},
    {"ESM-001", 890.00, 2, 4, false, true},
};

struct Tproducto {
    int id = 0;
    QString nombre;
    int serie = 0;
};

class Thistoria {
public:
    Thistoria(TConexionSesion *sesion, int negocio, int metodo, const QDate &hoy)
        : uSesion(sesion), uNegocio(negocio), uMetodo(metodo), uInicio(hoy.addDays(-7 * kSemanas - 4)),
          uHoy(hoy), uAzar(20240601u + unsigned(metodo)) {}

    bool escribe(QString &error) {
        TinteraccionAutomatica usuario;
        const bool ok = preparaNegocio() && semanas() && ordenParcial() && traspasos();
        if (!ok)
            error = uError.isEmpty() ? usuario.ultimoAviso() : uError;
        if (!ok && error.isEmpty())
            error = QStringLiteral("Un movimiento de demostración no se pudo guardar.");
        return ok;
    }

private:
    // ---- lookups ----------------------------------------------------------------------------

    CmidTierResponse lee(const QString &sentencia, const QVariantMap &parametros = {}) {
        TmiddleTier mt(uSesion);
        mt.setQuery(sentencia);
        mt.setParametroEntero(QStringLiteral("negocio"), uNegocio);
        for (auto it = parametros.cbegin(); it != parametros.cend(); ++it)
            mt.setParametroVariant(it.key(), it.value());
        return mt.reader();
    }

    QVector<int> ids(const QString &sentencia, const QVariantMap &parametros = {}) {
        const CmidTierResponse r = lee(sentencia, parametros);
        QVector<int> lista;
        for (int f = 0; f < r.getRowCount(); ++f)
            lista << int(r.getCeldaAsInt(f, 0));
        return lista;
    }

    // The business's first concept of the direction and family, with that label when one is given.
    int concepto(int direccion, int familia, const QString &etiqueta = QString()) {
        QString sentencia = QStringLiteral("SELECT id FROM inventarioMovimientoConcepto WHERE idNegocioFk = "
                                           ":negocio AND direccion = :direccion AND familia = :familia");
        QVariantMap parametros = {{QStringLiteral("direccion"), direccion},
                                  {QStringLiteral("familia"), familia}};
        if (!etiqueta.isEmpty()) {
            sentencia += QStringLiteral(" AND LOWER(etiqueta) = LOWER(:etiqueta)");
            parametros.insert(QStringLiteral("etiqueta"), etiqueta);
        }
        return ids(sentencia + QStringLiteral(" ORDER BY id"), parametros).value(0);
    }

    bool preparaNegocio() {
        if (!Topciones(uSesion).insertMetodoValoracionInventario(uNegocio, uMetodo).isSuccess())
            return falla(QStringLiteral("No se pudo fijar el método de valuación."));
        TsistemaDatos sistema;
        sistema.conexion = uSesion;
        sistema.negocio = TNegocio::carga(uSesion, uNegocio);
        TarranqueInventario(sistema).agregaConceptoSalidaMuestras();

        uAlmacenes = ids(QStringLiteral("SELECT id FROM inventarioAlmacen WHERE idNegocioFk = :negocio ORDER "
                                        "BY id"));
        uProveedores =
            ids(QStringLiteral("SELECT id FROM proveedor WHERE idNegocioFk = :negocio ORDER BY id"));
        uFacturasCompra =
            ids(QStringLiteral("SELECT idComprobante FROM Comprobante WHERE idNegocioFk = :negocio AND "
                               "tipo = 1 ORDER BY idComprobante"));
        uFacturasVenta =
            ids(QStringLiteral("SELECT idComprobante FROM Comprobante WHERE idNegocioFk = :negocio AND "
                               "tipo = 0 ORDER BY idComprobante"));
        const CmidTierResponse p =
            lee(QStringLiteral("SELECT id, clave, nombre, opControladoNoSerie FROM inventarioProducto WHERE "
                               "idNegocioFk = :negocio"));
        for (int f = 0; f < p.getRowCount(); ++f)
            uProductos.insert(p.getCelda(f, 1),
                              {int(p.getCeldaAsInt(f, 0)), p.getCelda(f, 2), int(p.getCeldaAsInt(f, 3))});
        uCompra = concepto(1, 1, QStringLiteral("Compra"));
        uInicial = concepto(1, -4);
        uOrdenCompra = concepto(1, -3);
        uDevolucionVenta = concepto(1, 2);
        uVenta = concepto(2, 1, QStringLiteral("Venta"));
        uMuestras = concepto(2, 1, QStringLiteral("Muestras"));
        uDevolucionCompra = concepto(2, 3);
        if (uAlmacenes.size() < 3 || uProveedores.isEmpty() || uFacturasCompra.isEmpty() ||
            uFacturasVenta.isEmpty() || !uCompra || !uInicial || !uOrdenCompra || !uDevolucionVenta ||
            !uVenta || !uMuestras || !uDevolucionCompra)
            return falla(QStringLiteral("El negocio no tiene los catálogos de demostración."));
        for (const Tarticulo &a : uGeneral + uBodega) {
            if (!uProductos.contains(QString::fromLatin1(a.clave)))
                return falla(QStringLiteral("Falta el producto ") + QString::fromLatin1(a.clave));
        }
        return true;
    }

    bool falla(const QString &texto) {
        uError = texto;
        return false;
    }

    // ---- chance ---------------------------------------------------------------------------

    // mt19937's output is fixed by the standard; the distributions are not, so they are made here.
    int entre(int minimo, int maximo) { return minimo + int(uAzar() % unsigned(maximo - minimo + 1)); }
    double fraccion() { return double(uAzar() % 10000u) / 10000.0; }

    QDateTime momento(int semana, int dia, int hora, int minuto) const {
        return QDateTime(uInicio.addDays(7 * semana + dia), QTime(hora, minuto));
    }

    // ---- the weeks --------------------------------------------------------------------------

    bool semanas() {
        for (int semana = 0; semana < kSemanas; ++semana) {
            if (!semanaDe(uAlmacenes[0], uGeneral, semana) || !semanaDe(uAlmacenes[2], uBodega, semana))
                return false;
        }
        return true;
    }

    // A week of one warehouse: Monday's purchase (the opening stock the first week), sales from
    // Tuesday to Friday, and now and then a sample, a customer return or a purchase return.
    bool semanaDe(int almacen, const QVector<Tarticulo> &articulos, int semana) {
        const int n = int(articulos.size());
        bool ok = semana == 0
                      ? recibe(almacen, articulos, momento(0, 0, 9, 15), uInicial, semana)
                      : recibe(almacen, {articulos[(2 * semana) % n], articulos[(2 * semana + 1) % n]},
                               momento(semana, 0, 9, entre(0, 50)), uCompra, semana);
        for (int dia = 1; ok && dia <= 4; ++dia) {
            QVector<Tarticulo> vendidos = {articulos[entre(0, n - 1)]};
            if (entre(0, 2) == 0)
                vendidos << articulos[entre(0, n - 1)];
            ok = vende(almacen, vendidos, momento(semana, dia, entre(10, 11), entre(0, 59)), uVenta,
                       dia == 2 && semana % 2 == 0);
            if (ok && dia == 2 && semana % 3 == 1)
                ok = vende(almacen, {articulos[semana % n]}, momento(semana, dia, 16, 30), uMuestras, false,
                           1);
            if (ok && dia == 3 && semana % 4 == 2)
                ok = devuelveCliente(almacen, momento(semana, dia, 17, 0));
            if (ok && dia == 4 && semana % 4 == 3)
                ok = devuelveProveedor(almacen, momento(semana, dia, 17, 30));
        }
        return ok;
    }

    TlineaEntrada lineaEntrada(const Tarticulo &a, int semana, double cantidad, double costo,
                               const QDateTime &cuando) {
        const Tproducto &p = uProductos[QString::fromLatin1(a.clave)];
        TlineaEntrada l;
        l.productoID = p.id;
        l.producto = p.nombre;
        l.cantidad = FloatToStr(cantidad);
        l.costoUnitario = costo;
        l.controlNoSerie = p.serie;
        TEntradaInformacionOpcional &info = l.informacion;
        const QString sello = cuando.toString(QStringLiteral("yyMMdd"));
        if (a.lote) {
            info.lote.numero = QStringLiteral("L%1-%2").arg(sello).arg(entre(10, 99));
            info.lote.fechaProduccionEstablecida = true;
            info.lote.fechaProduccion = fechaHora::aTDateTime(QDateTime(cuando.date().addDays(-25), QTime()));
            info.lote.fechaCaducidadEstablecida = true;
            info.lote.fechaCaducidad = fechaHora::aTDateTime(QDateTime(cuando.date().addYears(2), QTime()));
        }
        if (a.importado) {
            info.pedimento.fechaDeAduana =
                fechaHora::aTDateTime(QDateTime(cuando.date().addDays(-6), QTime()));
            info.pedimento.numeroPedimento = QStringLiteral("%1  16  3126  %2")
                                                 .arg(cuando.toString(QStringLiteral("yy")))
                                                 .arg(6000000 + 1000 * semana + entre(0, 999));
            info.pedimento.aduana = 16; // Manzanillo
            info.pedimento.paisOrigen = QStringLiteral("CHN");
        }
        for (int i = 1; p.serie > 0 && i <= int(cantidad); ++i)
            info.noSerie << QStringLiteral("%1-%2-%3")
                                .arg(QString::fromLatin1(a.clave), sello)
                                .arg(i, 2, 10, QLatin1Char('0'));
        return l;
    }

    // Costs rise about 1.5 % a month with a little noise, in cents.
    double costoDe(const Tarticulo &a, int semana) {
        const double factor = 1.0 + 0.0035 * semana + (fraccion() - 0.5) * 0.03;
        return std::round(a.costo * factor * 100.0) / 100.0;
    }

    bool recibe(int almacen, const QVector<Tarticulo> &articulos, const QDateTime &cuando, int concepto,
                int semana) {
        TdocumentoEntrada doc(uSesion, uNegocio);
        TdatosEntrada &d = doc.datos();
        d.almacenID = almacen;
        d.conceptoID = concepto;
        d.fechaHora = cuando;
        d.proveedorID = uProveedores[(semana + almacen) % uProveedores.size()];
        if (semana % 2 == 1)
            d.comprobante =
                getComprobanteById(uFacturasCompra[(semana / 2) % uFacturasCompra.size()], uNegocio, uSesion);
        for (const Tarticulo &a : articulos)
            d.lineas << lineaEntrada(a, semana, entre(a.minimo, a.maximo), costoDe(a, semana), cuando);
        return doc.guardar();
    }

    TproductoSalida productoSalida(const QString &clave) const {
        const Tproducto &p = uProductos[clave];
        TproductoSalida s;
        s.id = p.id;
        s.nombre = p.nombre;
        s.controlNoSerie = p.serie;
        return s;
    }

    // Sells a share of each product's stock (or `cantidadFija`); a product without stock is
    // skipped, and a document left without lines is not posted.
    bool vende(int almacen, const QVector<Tarticulo> &articulos, const QDateTime &cuando, int concepto,
               bool conFactura, double cantidadFija = 0) {
        TdocumentoSalida doc(uSesion, uNegocio);
        if (!doc.setAlmacen(almacen) || !doc.setConcepto(concepto))
            return falla(QStringLiteral("Almacén o concepto de salida no válido."));
        doc.setFechaHora(cuando);
        if (conFactura)
            doc.setComprobante(getComprobanteById(uFacturasVenta[entre(0, int(uFacturasVenta.size()) - 1)],
                                                  uNegocio, uSesion));
        for (const Tarticulo &a : articulos) {
            const TproductoSalida p = productoSalida(QString::fromLatin1(a.clave));
            bool repetido = false;
            for (const TlineaSalida &l : doc.lineas())
                repetido = repetido || l.producto.id == p.id;
            const double existencia = doc.consultaExistenciaArticulo(p.id);
            double cantidad =
                cantidadFija > 0 ? cantidadFija : std::floor(existencia * (0.08 + 0.2 * fraccion()));
            if (p.controlNoSerie > 0)
                cantidad = std::min(existencia, double(entre(1, 2)));
            if (repetido || cantidad < 1 || cantidad > existencia)
                continue;
            const int desde = int(doc.lineas().size());
            if (!doc.agregarProducto(p, cantidad) || !asignaSeries(doc, desde))
                return false;
        }
        return doc.lineas().isEmpty() || doc.guardar();
    }

    // The serial numbers in stock of each new line's layer, as many as the line takes (an issue or a
    // transfer).
    template <class Tdocumento> bool asignaSeries(Tdocumento &doc, int desde) {
        for (int i = desde; i < doc.lineas().size(); ++i) {
            const TlineaSalida &l = doc.lineas()[i];
            if (l.producto.controlNoSerie <= 0)
                continue;
            const QVector<int> series = ids(
                QStringLiteral("SELECT s.id FROM inventarioNoSerie s JOIN inventarioEntrada e ON e.id = "
                               "s.inventarioEntrada_id WHERE e.idNegocioFk = :negocio AND e.id = :capa AND "
                               "s.inventarioNoSerieEstado_id = 1 AND s.inventarioSalida_id IS NULL ORDER "
                               "BY s.id"),
                {{QStringLiteral("capa"), l.entradaID}});
            if (!doc.setSeries(i, series.mid(0, int(l.cantidad + 0.5))))
                return falla(QStringLiteral("No se pudieron elegir los números de serie."));
        }
        return true;
    }

    // A customer brings back a third of the warehouse's newest sale of a product without serial
    // numbers, at the cost it left with.
    bool devuelveCliente(int almacen, const QDateTime &cuando) {
        const CmidTierResponse r =
            lee(QStringLiteral(
                    "SELECT s.id, s.cantidad, s.salidaCostoUnitario, e.inventarioProducto_id, p.nombre "
                    "FROM inventarioSalida s JOIN inventarioEntrada e ON e.id = s.inventarioEntrada_id "
                    "JOIN inventarioProducto p ON p.id = e.inventarioProducto_id AND p.idNegocioFk = "
                    "e.idNegocioFk WHERE e.idNegocioFk = :negocio AND e.inventarioAlmacen_id = :almacen "
                    "AND s.inventarioMovimientoConcepto_id = :venta AND p.opControladoNoSerie = 0 AND "
                    "s.cantidad >= 3 ORDER BY s.id DESC"),
                {{QStringLiteral("almacen"), almacen}, {QStringLiteral("venta"), uVenta}});
        if (r.getRowCount() == 0)
            return r.isSuccess();
        TdocumentoEntrada doc(uSesion, uNegocio);
        TdatosEntrada &d = doc.datos();
        d.almacenID = almacen;
        d.conceptoID = uDevolucionVenta;
        d.fechaHora = cuando;
        d.movimientoSalidaIDdevolucion = int(r.getCeldaAsInt(0, 0));
        TlineaEntrada l;
        l.productoID = int(r.getCeldaAsInt(0, 3));
        l.producto = r.getCelda(0, 4);
        l.cantidad = FloatToStr(std::floor(r.getCeldaAsFloat(0, 1) / 3.0));
        l.costoUnitario = r.getCeldaAsFloat(0, 2);
        d.lineas << l;
        return doc.guardar();
    }

    // A quarter of the warehouse's newest purchase still in stock goes back to its provider.
    bool devuelveProveedor(int almacen, const QDateTime &cuando) {
        const CmidTierResponse r =
            lee(QStringLiteral(
                    "SELECT e.id, e.existencia, e.costoUnitario, p.clave FROM inventarioEntrada e JOIN "
                    "inventarioProducto p ON p.id = e.inventarioProducto_id AND p.idNegocioFk = "
                    "e.idNegocioFk WHERE e.idNegocioFk = :negocio AND e.inventarioAlmacen_id = :almacen "
                    "AND e.inventarioMovimientoConcepto_id = :compra AND p.opControladoNoSerie = 0 AND "
                    "e.existencia >= 4 ORDER BY e.id DESC"),
                {{QStringLiteral("almacen"), almacen}, {QStringLiteral("compra"), uCompra}});
        if (r.getRowCount() == 0)
            return r.isSuccess();
        TdocumentoSalida doc(uSesion, uNegocio);
        if (!doc.setAlmacen(almacen) || !doc.setConcepto(uDevolucionCompra))
            return falla(QStringLiteral("Almacén o concepto de devolución no válido."));
        doc.setFechaHora(cuando);
        const double existencia = r.getCeldaAsFloat(0, 1);
        return doc.agregaProductoValoresExplicitos(productoSalida(r.getCelda(0, 3)),
                                                   std::floor(existencia / 4.0), r.getCeldaAsFloat(0, 2),
                                                   int(r.getCeldaAsInt(0, 0)), existencia) &&
               doc.guardar();
    }

    // Yesterday's transfers from the store room to the main warehouse, after a morning purchase of
    // grinders: paint with its lot received within the hour, a grinder with its serial number and
    // cables sent back, another grinder and more cables still on their way.
    bool traspasos() {
        const int general = uAlmacenes[0], bodega = uAlmacenes[2];
        const QDate ayer = uHoy.addDays(-1);
        if (!recibe(bodega, {uBodega[3]}, QDateTime(ayer, QTime(9, 0)), uCompra, kSemanas))
            return false;
        const int recibido = envia(bodega, general, {{"PVI-001", 10}}, QDateTime(ayer, QTime(12, 0)));
        if (recibido <= 0 || !cierra(recibido, TaccionCierre::Recibir, QDateTime(ayer, QTime(13, 0))))
            return false;
        const int cancelado =
            envia(bodega, general, {{"ESM-001", 1}, {"CAB-001", 5}}, QDateTime(ayer, QTime(14, 0)));
        return cancelado > 0 && cierra(cancelado, TaccionCierre::Cancelar, QDateTime(ayer, QTime(15, 0))) &&
               envia(bodega, general, {{"ESM-001", 1}, {"CAB-001", 20}}, QDateTime(ayer, QTime(16, 0))) > 0;
    }

    // Ships up to each quantity of what the origin holds; the transfer's id, 0 when refused.
    int envia(int origen, int destino, const QVector<std::pair<const char *, double>> &articulos,
              const QDateTime &cuando) {
        TdocumentoTraspaso doc(uSesion, uNegocio);
        if (!doc.setOrigen(origen) || !doc.setDestino(destino)) {
            falla(QStringLiteral("Almacén de traspaso no válido."));
            return 0;
        }
        doc.setFechaSalida(cuando);
        doc.setFechaRecepcion(cuando.addDays(1));
        for (const auto &[clave, cantidad] : articulos) {
            const TproductoSalida p = productoSalida(QString::fromLatin1(clave));
            const double q = std::min(cantidad, std::floor(doc.existenciaOrigen(p.id)));
            const int desde = int(doc.lineas().size());
            if (q >= 1 && (!doc.agregaAlDocumento(p, q) || !asignaSeries(doc, desde)))
                return 0;
        }
        return doc.guardar() ? doc.traspaso() : 0;
    }

    bool cierra(int traspaso, TaccionCierre accion, const QDateTime &cuando) {
        TcierreTraspaso cierre(uSesion, uNegocio);
        return cierre.carga(traspaso) && cierre.cierra(accion, cuando);
    }

    // The part of the open purchase order that arrived three days ago (two drills and twelve
    // hammers), then a sale of a hammer.
    bool ordenParcial() {
        const QDateTime llegada(uHoy.addDays(-3), QTime(12, 0));
        TdocumentoEntrada doc(uSesion, uNegocio);
        TdatosEntrada &d = doc.datos();
        d.almacenID = uAlmacenes[0];
        d.conceptoID = uOrdenCompra;
        d.fechaHora = llegada;
        d.proveedorID = uProveedores[0];
        d.lineas << lineaEntrada(uGeneral[2], kSemanas, 2, uGeneral[2].costo, llegada)
                 << lineaEntrada(uGeneral[3], kSemanas, 12, uGeneral[3].costo, llegada);
        return doc.guardar() && vende(uAlmacenes[0], {uGeneral[3]},
                                      QDateTime(uHoy.addDays(-1), QTime(10, 40)), uVenta, false, 1);
    }

    TConexionSesion *uSesion;
    int uNegocio;
    int uMetodo;
    QDate uInicio;
    QDate uHoy;
    std::mt19937 uAzar;
    QString uError;
    QVector<int> uAlmacenes, uProveedores, uFacturasCompra, uFacturasVenta;
    QHash<QString, Tproducto> uProductos; // by key
    const QVector<Tarticulo> uGeneral{std::begin(kGeneral), std::end(kGeneral)};
    const QVector<Tarticulo> uBodega{std::begin(kBodega), std::end(kBodega)};
    int uCompra = 0, uInicial = 0, uOrdenCompra = 0, uDevolucionVenta = 0;
    int uVenta = 0, uMuestras = 0, uDevolucionCompra = 0;
};

datosDemo::Tidentidad identidadSegunda() {
    return {QStringLiteral("Tlapalería El Nogal"),
            QStringLiteral("TNO030917BR6"),
            QStringLiteral("Tlapalería El Nogal, S. de R.L. de C.V."),
            {QStringLiteral("Calle Hidalgo"), QStringLiteral("218"), QStringLiteral("B"),
             QStringLiteral("Centro"), QStringLiteral("45500"), QStringLiteral("San Pedro Tlaquepaque"),
             QStringLiteral("Jalisco")}};
}

} // namespace

bool historiaDemo::escribeHistoria(TConexionSesion *sesion, int idNegocio, int metodo, const QDate &hoy,
                                   QString &error) {
    return Thistoria(sesion, idNegocio, metodo, hoy).escribe(error);
}

historiaDemo::Tnegocios historiaDemo::crea(TConexionSesion *sesion, const QDate &hoy, QString &error) {
    Tnegocios n;
    n.peps = datosDemo::crea(sesion, hoy);
    n.promedio = n.peps > 0 ? datosDemo::crea(sesion, hoy, identidadSegunda()) : 0;
    if (n.promedio <= 0) {
        error = QStringLiteral("No se pudieron crear los catálogos de demostración.");
        return {};
    }
    if (escribeHistoria(sesion, n.peps, kPeps, hoy, error))
        escribeHistoria(sesion, n.promedio, kPromedio, hoy, error);
    return n;
}

#include "existencias/UNEG_aplicacionConteo.h"

#include "comun/UNEG_almacen.h"
#include "comun/U_mensajes.h"
#include "comun/U_numeroCapturado.h"
#include "comun/U_semillas.h"
#include "comun/U_utilerias.h"
#include "entradas/UNEG_posteoEntrada.h"
#include "salidas/UNEG_posteoSalida.h"
#include "salidas/UNEG_repartoCapas.h"

#include <QHash>
#include <QSet>
#include <cmath>

namespace {
constexpr int kFueraMostrados = 20;
const QString kNegocio = QStringLiteral("negocio");
const QString kAlmacen = QStringLiteral("almacen");
const QString kFormatoFecha = QStringLiteral("dd/MM/yyyy HH:mm");

// The reads of a warehouse that a count is applied against.
class TdatosAplicacion : public TmovimientosInventario {
public:
    using TmovimientosInventario::TmovimientosInventario;

    // The products with a stock row in the warehouse, when warehouse and product are the business's.
    CmidTierResponse selectExistenciasAlmacen(int idAlmacen, int idNegocio) {
        setQuery(QStringLiteral(
            "SELECT p.id, p.nombre, p.unidadesMedida_id, p.opControladoNoSerie, x.existencia "
            "FROM inventarioAlmacen a JOIN inventarioExistencias x ON x.inventarioAlmacen_id = a.id "
            "JOIN inventarioProducto p ON p.id = x.inventarioProducto_id AND p.idNegocioFk = a.idNegocioFk "
            "WHERE a.id = :almacen AND a.idNegocioFk = :negocio"));
        setParametroEntero(kAlmacen, idAlmacen);
        setParametroEntero(kNegocio, idNegocio);
        return reader();
    }

    // The products of the warehouse with a receipt or an issue dated after `desde`.
    CmidTierResponse selectMovidosDesde(int idAlmacen, const QDateTime &desde, int idNegocio) {
        setQuery(QStringLiteral(
            "SELECT inventarioProducto_id FROM inventarioEntrada WHERE idNegocioFk = :negocio AND "
            "inventarioAlmacen_id = :almacen AND fechaHora > :desde UNION SELECT inventarioProducto_id FROM "
            "inventarioSalida WHERE idNegocioFk = :negocio2 AND inventarioAlmacen_id = :almacen2 AND "
            "fechaHora > :desde2"));
        for (const QString &sufijo : {QString(), QStringLiteral("2")}) {
            setParametroEntero(kAlmacen + sufijo, idAlmacen);
            setParametroEntero(kNegocio + sufijo, idNegocio);
            setParametroFechaHora(QStringLiteral("desde") + sufijo, desde);
        }
        return reader();
    }

    // The open layers of the warehouse, each product's oldest first.
    CmidTierResponse selectCapasAbiertas(int idAlmacen, int idNegocio) {
        setQuery(
            QStringLiteral("SELECT inventarioProducto_id, id, documento, existencia, existenciaCostoUnitario "
                           "FROM inventarioEntrada WHERE idNegocioFk = :negocio AND inventarioAlmacen_id = "
                           ":almacen AND existencia > 0 ORDER BY inventarioProducto_id, fechaHora, id"));
        setParametroEntero(kNegocio, idNegocio);
        setParametroEntero(kAlmacen, idAlmacen);
        return reader();
    }

    // The average unit cost each product's newest movement in the warehouse left (product, cost),
    // in the order the rebuild walks them (at one instant receipts before issues), open layer or
    // not, as the issue posting reads it for one product.
    CmidTierResponse selectCostosPromedio(int idAlmacen, int idNegocio) {
        setQuery(QStringLiteral(
            "SELECT producto, costo FROM (SELECT producto, costo, ROW_NUMBER() OVER (PARTITION BY producto "
            "ORDER BY fechaHora DESC, tipo DESC, id DESC) AS orden FROM ("
            "SELECT e.inventarioProducto_id AS producto, e.fechaHora AS fechaHora, 1 AS tipo, e.id AS id, "
            "e.existenciaCostoUnitario AS costo FROM inventarioEntrada e WHERE e.idNegocioFk = :negocio "
            "AND e.inventarioAlmacen_id = :almacen "
            "UNION ALL SELECT e.inventarioProducto_id, s.fechaHora, 2, s.id, s.existenciaCostoUnitario "
            "FROM inventarioSalida s JOIN inventarioEntrada e ON e.id = s.inventarioEntrada_id "
            "WHERE e.idNegocioFk = :negocio2 AND e.inventarioAlmacen_id = :almacen2) movimientos) m "
            "WHERE orden = 1"));
        for (const QString &sufijo : {QString(), QStringLiteral("2")}) {
            setParametroEntero(kNegocio + sufijo, idNegocio);
            setParametroEntero(kAlmacen + sufijo, idAlmacen);
        }
        return reader();
    }

    // The unit cost of each product's newest receipt in the warehouse (product, cost).
    CmidTierResponse selectCostosUltimaEntrada(int idAlmacen, int idNegocio) {
        setQuery(QStringLiteral(
            "SELECT producto, costo FROM (SELECT inventarioProducto_id AS producto, costoUnitario AS costo, "
            "ROW_NUMBER() OVER (PARTITION BY inventarioProducto_id ORDER BY fechaHora DESC, id DESC) AS "
            "orden "
            "FROM inventarioEntrada WHERE idNegocioFk = :negocio AND inventarioAlmacen_id = :almacen) m "
            "WHERE orden = 1"));
        setParametroEntero(kNegocio, idNegocio);
        setParametroEntero(kAlmacen, idAlmacen);
        return reader();
    }
};

// A product's stock row in the warehouse.
struct Texistente {
    QString nombre;
    int unidadID = 0;
    bool conSerie = false;
    double existencia = 0;
};

// A stored figure read back: a plain number, no sign, within twelve digits.
bool leeCifra(const QString &texto, double &valor) {
    const TnumeroCapturado n = u_leeNumeroCapturado(texto, QString(), TreglaNumero::CeroOPositivo);
    valor = n.valor;
    return n.ok;
}

using TcapasAlmacen = QHash<int, QVector<TexistenciaProducto::Tcapa>>;

// The warehouse's open layers by product, read at once.
bool leeCapas(TdatosAplicacion &datos, int idAlmacen, int idNegocio, TcapasAlmacen &capas) {
    const CmidTierResponse r = datos.selectCapasAbiertas(idAlmacen, idNegocio);
    for (int f = 0; f < r.getRowCount(); ++f)
        capas[int(r.getCeldaAsInt(f, 0))].append(
            {int(r.getCeldaAsInt(f, 1)), r.getValor(f, 2), r.getCeldaAsFloat(f, 3), r.getCeldaAsFloat(f, 4)});
    return r.isSuccess();
}

// What a shortage takes out: its split over the open layers, oldest first, at each layer's cost or
// the current average (`costoPromedio`; only the lines' totals are used: the running value is not
// needed). False when the layers do not hold it.
bool valorFaltante(const TcapasAlmacen &capas, double existencia, bool promedio, double costoPromedio,
                   TajusteConteo &a) {
    TexistenciaProducto x;
    x.capas = capas.value(a.productoID);
    x.instantanea = {true, existencia, 0.0};
    x.costoPromedio = costoPromedio;
    TproductoSalida producto;
    producto.id = a.productoID;
    producto.nombre = a.nombre;
    QVector<TlineaSalida> lineas;
    const bool cuadra = u_reparteEnCapas(producto, a.cantidad, x, promedio, lineas);
    a.valor = 0;
    for (const TlineaSalida &l : std::as_const(lineas))
        a.valor += l.total;
    return cuadra;
}

QString motivo(TmotivoFuera m) {
    switch (m) {
    case TmotivoFuera::Movido:
        return QStringLiteral("su existencia cambió después del conteo");
    case TmotivoFuera::ConSerie:
        return QStringLiteral("se controla por número de serie; ajústelo con una entrada o salida con sus "
                              "números");
    case TmotivoFuera::SinCosto:
        return QStringLiteral("no tiene una entrada en el almacén de la cual tomar su costo");
    case TmotivoFuera::Inconsistente:
        break;
    }
    return QStringLiteral("sus cifras no pueden leerse o no corresponden al almacén");
}

// The products left out, at most kFueraMostrados by name.
QString listaFuera(const QVector<TproductoFuera> &fuera) {
    if (fuera.isEmpty())
        return QString();
    const QString fin = QStringLiteral("\n\r");
    QString texto = QStringLiteral("Se dejan fuera %1 productos (ajústelos a mano):").arg(fuera.size()) + fin;
    for (int i = 0; i < fuera.size() && i < kFueraMostrados; ++i)
        texto += QStringLiteral("- %1: %2").arg(fuera[i].nombre, motivo(fuera[i].motivo)) + fin;
    if (fuera.size() > kFueraMostrados)
        texto += QStringLiteral("… y %1 más").arg(fuera.size() - kFueraMostrados) + fin;
    return texto;
}

// A posted adjustment document with its accounting hand-over.
class TajustePosteado : public TdocumentoPosteado {
public:
    void registra(int numero, const QString &movimiento, const std::function<bool(QString &)> &contabiliza) {
        registraPosteo(numero, movimiento, contabiliza);
    }
};
} // namespace

double TplanAjuste::valor(const QVector<TajusteConteo> &ajustes) {
    double total = 0;
    for (const TajusteConteo &a : ajustes)
        total += a.valor;
    return total;
}

bool TplanAjuste::mismosAjustes(const TplanAjuste &otro) const {
    const auto iguales = [](const QVector<TajusteConteo> &a, const QVector<TajusteConteo> &b) {
        if (a.size() != b.size())
            return false;
        for (int i = 0; i < a.size(); ++i)
            if (a[i].productoID != b[i].productoID || !u_esCero(a[i].cantidad - b[i].cantidad))
                return false;
        return true;
    };
    return iguales(sobrantes, otro.sobrantes) && iguales(faltantes, otro.faltantes);
}

namespace {
// The warehouse as a plan reads it: stock rows, products moved after the count, open layers (to
// value shortages), the current averages (under the average) and the costs the user confirmed.
struct TlecturaAlmacen {
    QHash<int, Texistente> existentes;
    QSet<int> movidos;
    TcapasAlmacen capas;
    QHash<int, double> promedios;
    QHash<int, double> costos;
    QHash<int, double> ultimosCostos; // each product's newest receipt cost, read when first needed
    bool ultimosCostosLeidos = false;
};

// Each product's cost as read at once: false when the read failed.
bool leeCostos(const CmidTierResponse &r, QHash<int, double> &costos) {
    for (int f = 0; f < r.getRowCount(); ++f)
        costos.insert(int(r.getCeldaAsInt(f, 0)), r.getCeldaAsFloat(f, 1));
    return r.isSuccess();
}

// The unit cost of a surplus's new layer: the current average while there is stock under the
// average (`promedios`, read under the average only), else the newest receipt's (read for the whole
// warehouse the first time one is needed); 0 when there is nothing to take it from.
bool costoSobrante(TdatosAplicacion &datos, TlecturaAlmacen &l, const TajusteConteo &a, double existencia,
                   int idAlmacen, int idNegocio, double &costo) {
    costo = u_esPositivo(existencia) ? l.promedios.value(a.productoID) : 0.0;
    if (u_esPositivo(costo))
        return true;
    if (!l.ultimosCostosLeidos &&
        !leeCostos(datos.selectCostosUltimaEntrada(idAlmacen, idNegocio), l.ultimosCostos))
        return false;
    l.ultimosCostosLeidos = true;
    costo = l.ultimosCostos.value(a.productoID);
    return true;
}

bool leePromedios(TdatosAplicacion &datos, int idAlmacen, int idNegocio, QHash<int, double> &promedios) {
    return leeCostos(datos.selectCostosPromedio(idAlmacen, idNegocio), promedios);
}

bool leeAlmacen(TdatosAplicacion &datos, const UREC_inventarioFisicoIndice &conteo, bool promedio,
                const TplanAjuste *confirmado, TlecturaAlmacen &l) {
    const CmidTierResponse x = datos.selectExistenciasAlmacen(conteo.almacenID, conteo.negocioID);
    const CmidTierResponse m = datos.selectMovidosDesde(
        conteo.almacenID, conteo.modificacion.isValid() ? conteo.modificacion : conteo.creacion,
        conteo.negocioID);
    if (!x.isSuccess() || !m.isSuccess())
        return false;
    for (int f = 0; f < x.getRowCount(); ++f)
        l.existentes.insert(int(x.getCeldaAsInt(f, 0)), {x.getCelda(f, 1), int(x.getCeldaAsInt(f, 2)),
                                                         x.getCeldaAsInt(f, 3) > 0, x.getCeldaAsFloat(f, 4)});
    for (int f = 0; f < m.getRowCount(); ++f)
        l.movidos.insert(int(m.getCeldaAsInt(f, 0)));
    if (promedio && !leePromedios(datos, conteo.almacenID, conteo.negocioID, l.promedios))
        return false;
    if (confirmado) {
        for (const TajusteConteo &a : confirmado->sobrantes)
            l.costos.insert(a.productoID, a.costo);
        return true;
    }
    return leeCapas(datos, conteo.almacenID, conteo.negocioID, l.capas);
}
} // namespace

bool u_planAjusteConteo(TConexionSesion *sesion, const UREC_inventarioFisicoIndice &conteo,
                        const QVector<TlineaConteo> &lineas, int metodoKardex, const TplanAjuste *confirmado,
                        TplanAjuste &plan) {
    plan = TplanAjuste();
    const int negocio = conteo.negocioID;
    const int almacen = conteo.almacenID;
    const bool promedio = metodoKardex != kMetodoPEPS;
    TdatosAplicacion datos(sesion);
    TlecturaAlmacen leido;
    if (!leeAlmacen(datos, conteo, promedio, confirmado, leido))
        return false;
    const QHash<int, Texistente> &existentes = leido.existentes;
    QHash<int, int> veces;
    for (const TlineaConteo &l : lineas)
        ++veces[l.productoID];

    for (const TlineaConteo &l : lineas) {
        if (!l.contado())
            continue;
        const auto existente = existentes.constFind(l.productoID);
        const QString nombre = existente != existentes.cend() ? existente->nombre : l.nombre;
        double registrada = 0;
        double contada = 0;
        if (existente == existentes.cend() || veces.value(l.productoID) > 1 ||
            !leeCifra(l.existencia, registrada) || !leeCifra(l.existenciaFisica, contada)) {
            plan.fuera.append({nombre, TmotivoFuera::Inconsistente});
            continue;
        }
        if (u_esCero(contada - registrada))
            continue;
        if (existente->conSerie) {
            plan.fuera.append({nombre, TmotivoFuera::ConSerie});
            continue;
        }
        if (!u_esCero(existente->existencia - registrada) || leido.movidos.contains(l.productoID)) {
            plan.fuera.append({nombre, TmotivoFuera::Movido});
            continue;
        }
        TajusteConteo a{l.productoID, nombre, existente->unidadID, std::fabs(contada - registrada), 0, 0};
        if (contada > registrada) {
            a.costo = leido.costos.value(a.productoID);
            if (!leido.costos.contains(a.productoID) &&
                !costoSobrante(datos, leido, a, existente->existencia, almacen, negocio, a.costo))
                return false;
            a.valor = a.cantidad * a.costo;
            if (!u_esPositivo(a.costo) || a.valor > kNumeroCapturadoMaximo)
                plan.fuera.append(
                    {nombre, u_esPositivo(a.costo) ? TmotivoFuera::Inconsistente : TmotivoFuera::SinCosto});
            else
                plan.sobrantes.append(a);
            continue;
        }
        if (confirmado || valorFaltante(leido.capas, existente->existencia, promedio,
                                        leido.promedios.value(a.productoID), a))
            plan.faltantes.append(a);
        else
            plan.fuera.append({nombre, TmotivoFuera::Inconsistente});
    }
    return true;
}

TaplicacionConteo::TaplicacionConteo(const TsistemaDatos &sistema, int conteoID)
    : uSistema(sistema), uNegocio(sistema.getNegocio().getIdNegocio()) {
    uConteo.id = conteoID;
}

void TaplicacionConteo::avanza(const QString &paso) const {
    if (uAvance)
        uAvance(paso);
}

TfinAplicacion TaplicacionConteo::rechaza(const QString &mensaje) {
    u_mensaje(mensaje, kAdvertencia);
    return TfinAplicacion::Rechazada;
}

bool TaplicacionConteo::leeConceptos() {
    TConexionSesion *sesion = uSistema.getConexion();
    // A business created before the concepts existed gets them now.
    if (!compruebaMovimientoConceptoDummyExiste(sesion, uNegocio))
        return false;
    Talmacen almacen(sesion);
    const auto concepto = [&](int familia) {
        const CmidTierResponse id = almacen.selectIDfamiliaUnica(familia, uNegocio);
        return id.isSuccess() ? almacen.selectConcepto(int(id.getScalarAsInt()), uNegocio)
                              : TconceptoMovimiento();
    };
    uConceptoEntrada = concepto(kFamiliaAjusteConteoEntrada);
    uConceptoSalida = concepto(kFamiliaAjusteConteoSalida);
    return uConceptoEntrada.valido() && uConceptoSalida.valido();
}

QString TaplicacionConteo::pregunta() const {
    const QString fin = QStringLiteral("\n\r");
    return QStringLiteral("Aplicar los ajustes del inventario físico \"%1\" en el almacén %2:")
               .arg(uConteo.nombre, uConteo.almacenNombre) +
           fin +
           QStringLiteral("Suben %1 productos, con valor de %2 (una entrada).")
               .arg(uPlan.sobrantes.size())
               .arg(u_formatoMoneda(TplanAjuste::valor(uPlan.sobrantes))) +
           fin +
           QStringLiteral("Bajan %1 productos, con valor de %2 (una salida).")
               .arg(uPlan.faltantes.size())
               .arg(u_formatoMoneda(TplanAjuste::valor(uPlan.faltantes))) +
           fin + listaFuera(uPlan.fuera) + fin +
           QStringLiteral(
               "¿Desea aplicar los ajustes?\rSe registran en el kardex como movimientos del almacén y "
               "el inventario físico no podrá aplicarse de nuevo.");
}

TfinAplicacion TaplicacionConteo::aplica() {
    TConexionSesion *sesion = uSistema.getConexion();
    if (uSistema.esRestringido())
        return rechaza(aplicacionConteo::kRestringido);
    if (!u_abreConteo(sesion, uConteo.id, uNegocio, uConteo, uLineas))
        return rechaza(aplicacionConteo::kNoLeido);
    if (uConteo.aplicado())
        return rechaza(aplicacionConteo::kYaAplicado.arg(uConteo.aplicacion.toString(kFormatoFecha)));
    if (uConteo.almacenID <= 0)
        return rechaza(aplicacionConteo::kSinAlmacen);
    uMetodo = int(Talmacen(sesion).selectMetodoKardex(uNegocio).getScalarAsInt());
    if (uMetodo < 1)
        return rechaza(posteoEntrada::kSinMetodo);
    if (!leeConceptos())
        return rechaza(aplicacionConteo::kSinConceptos);
    avanza(QStringLiteral("Leyendo las existencias del almacén…"));
    if (!u_planAjusteConteo(sesion, uConteo, uLineas, uMetodo, nullptr, uPlan)) {
        u_mensaje(aplicacionConteo::kNoLeido, kError);
        return TfinAplicacion::Fallida;
    }
    if (uPlan.vacio())
        return rechaza(aplicacionConteo::kSinDiferencias + QStringLiteral("\n\r") + listaFuera(uPlan.fuera));
    if (!u_confirmaAceptarCancelar(pregunta()))
        return TfinAplicacion::Rechazada;

    uFecha = QDateTime::currentDateTime();
    const TfechaPosteo fecha{
        uConteo.almacenID, uFecha,
        QStringLiteral("El almacén tiene movimientos con fecha posterior a este momento; "
                       "revise la fecha y hora del equipo."),
        true};
    TinventarioFisico transaccion(sesion);
    const TfinPosteo fin = u_posteaEnTransaccion(
        transaccion, uNegocio, [this](TintentoPosteo &intento) { return escribe(intento); }, &fecha);
    if (fin != TfinPosteo::Confirmado) {
        uConteo.aplicacion = QDateTime();
        uConteo.documentoEntradaAjuste = uConteo.documentoSalidaAjuste = 0;
        if (uYaAplicado) {
            // Applied by another workstation meanwhile: say when.
            QVector<TlineaConteo> lineas;
            u_abreConteo(sesion, uConteo.id, uNegocio, uConteo, lineas);
            return rechaza(aplicacionConteo::kYaAplicado.arg(uConteo.aplicacion.toString(kFormatoFecha)));
        }
        if (uCambio)
            return rechaza(aplicacionConteo::kCambio);
        return fin == TfinPosteo::Fallido ? TfinAplicacion::Fallida : TfinAplicacion::Rechazada;
    }
    contabiliza();
    QStringList documentos;
    if (uConteo.documentoEntradaAjuste > 0)
        documentos << QStringLiteral("entrada con el documento %1").arg(uConteo.documentoEntradaAjuste);
    if (uConteo.documentoSalidaAjuste > 0)
        documentos << QStringLiteral("salida con el documento %1").arg(uConteo.documentoSalidaAjuste);
    u_mensaje(QStringLiteral("Se aplicaron los ajustes del inventario físico: %1.")
                  .arg(documentos.join(QStringLiteral(" y "))),
              kInformacion);
    return TfinAplicacion::Aplicada;
}

bool TaplicacionConteo::escribe(TintentoPosteo &intento) {
    TConexionSesion *sesion = uSistema.getConexion();
    uYaAplicado = uCambio = false;
    uConteo.documentoEntradaAjuste = uConteo.documentoSalidaAjuste = 0;
    // Under the lock: applied meanwhile, or its lines or stock changed since the confirmation.
    UREC_inventarioFisicoIndice vigenteIndice;
    QVector<TlineaConteo> lineas;
    if (!u_abreConteo(sesion, uConteo.id, uNegocio, vigenteIndice, lineas))
        return false;
    if (vigenteIndice.aplicado()) {
        uYaAplicado = true;
        return false;
    }
    avanza(QStringLiteral("Revisando que nada se haya movido…"));
    TplanAjuste vigente;
    if (!u_planAjusteConteo(sesion, vigenteIndice, lineas, uMetodo, &uPlan, vigente))
        return false;
    if (!vigente.mismosAjustes(uPlan)) {
        uCambio = true;
        return false;
    }

    uEntrada = TdatosEntrada();
    uEntrada.almacenID = uConteo.almacenID;
    uEntrada.conceptoID = uConceptoEntrada.id;
    uEntrada.fechaHora = uFecha;
    uCantidadesEntrada.clear();
    for (const TajusteConteo &a : std::as_const(vigente.sobrantes)) {
        TlineaEntrada l;
        l.productoID = a.productoID;
        l.producto = a.nombre;
        l.cantidad = FloatToStr(a.cantidad);
        l.costoUnitario = a.costo;
        l.unidadRecibidaID = a.unidadID;
        uEntrada.lineas.append(l);
        uCantidadesEntrada.append(a.cantidad);
    }
    uSalida = TdatosSalida();
    uSalida.negocioID = uNegocio;
    uSalida.metodoKardex = uMetodo;
    uSalida.almacenID = uConteo.almacenID;
    uSalida.almacenNombre = uConteo.almacenNombre;
    uSalida.concepto = uConceptoSalida;
    uSalida.fechaHora = uFecha;
    for (const TajusteConteo &a : std::as_const(vigente.faltantes)) {
        TlineaSalida l;
        l.producto.id = a.productoID;
        l.producto.nombre = a.nombre;
        l.cantidad = a.cantidad;
        uSalida.lineas.append(l);
    }

    if (!uEntrada.lineas.isEmpty()) {
        avanza(QStringLiteral("Registrando la entrada de %1 productos…").arg(uEntrada.lineas.size()));
        TposteoEntrada entrada(sesion, uNegocio, uMetodo, uConceptoEntrada, uEntrada, uCantidadesEntrada);
        if (!entrada.escribeDocumento(intento))
            return false;
        uConteo.documentoEntradaAjuste = entrada.documento();
    }
    if (!uSalida.lineas.isEmpty()) {
        avanza(QStringLiteral("Registrando la salida de %1 productos…").arg(uSalida.lineas.size()));
        TposteoSalida salida(sesion, uSalida);
        if (!salida.escribeDocumento(intento))
            return false;
        uConteo.documentoSalidaAjuste = salida.documento();
        // The journal entry carries the lines as split over the layers.
        const QVector<TlineaSalida> escritas = salida.lineasEscritas();
        uSalida.lineas = escritas;
    }
    uConteo.aplicacion = uFecha;
    const CmidTierResponse registro = TinventarioFisico(sesion).updateAplicacion(uConteo);
    if (!intento.ok(registro))
        return false;
    if (registro.getFilasAfectadas() != 1) {
        uYaAplicado = true;
        return false;
    }
    return true;
}

void TaplicacionConteo::contabiliza() {
    TConexionSesion *sesion = uSistema.getConexion();
    if (uConteo.documentoEntradaAjuste > 0)
        TajustePosteado().registra(
            uConteo.documentoEntradaAjuste, QStringLiteral("entrada"), [&](QString &error) {
                return u_contabilizaEntrada(uEntrada, uCantidadesEntrada, uConceptoEntrada.asiento, sesion,
                                            uNegocio, error);
            });
    if (uConteo.documentoSalidaAjuste > 0)
        TajustePosteado().registra(
            uConteo.documentoSalidaAjuste, QStringLiteral("salida"),
            [&](QString &error) { return u_contabilizaSalida(uSalida, sesion, error); });
}

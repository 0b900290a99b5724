#include "kardex/UNEG_kardexPEPS.h"

#include "comun/U_utilerias.h"
#include "datos/ULog.h"
#include "datos/UcodigosInventario.h"
#include "kardex/UNEG_escritorKardex.h"

#include <QSet>

namespace {
// A remainder within the quantity tolerance is stored as 0, not as 5.6e-17.
double limpia(double cantidad) {
    return u_esCero(cantidad) ? 0.0 : cantidad;
}

void registraOmitida(const TkardexRenglon &r) {
    Log::log(QStringLiteral("kardex: salida sobre una capa que no está abierta; se omite"), 1,
             QStringLiteral("almacén %1, producto %2, documento de salida %3, capa %4")
                 .arg(r.almacenID)
                 .arg(r.productoID)
                 .arg(r.documentoSalida.toString(), r.salidaEntradaRelacionada.toString()));
}
} // namespace

TkardexRenglon TkardexPEPS::renglonDe(const CmidTierResponse &l, const TcolumnasMovimiento &c, int f) const {
    TkardexRenglon r;
    r.fechaHora = TcolumnasMovimiento::fecha(l, f, c.fechaHora);
    r.movimientoConceptoID = int(l.getCeldaAsInt(f, c.tipo));
    r.productoID = int(l.getCeldaAsInt(f, c.productoID));
    r.almacenID = int(l.getCeldaAsInt(f, c.almacenID));
    r.entradaID = l.getValor(f, c.entradaID);
    r.documentoEntrada = l.getValor(f, c.entradaDocumento);
    r.entradaCantidad = l.getValor(f, c.entradaCantidad);
    r.entradaCostoUnitario = l.getValor(f, c.entradaExistenciaCostoUnitario);
    r.documentoSalida = l.getValor(f, c.salidaDocumento);
    r.salidaEntradaRelacionada = l.getValor(f, c.entradaRelacionada);
    r.salidaCantidad = l.getValor(f, c.salidaCantidad);
    r.salidaCostoUnitario = l.getValor(f, c.salidaExistenciaCostoUnitario);
    r.devolucionVentasID = l.getValor(f, c.devolucionVentasID);
    r.negocioID = int(l.getCeldaAsInt(f, c.negocioID));
    r.grupo = uGrupo;
    return r;
}

bool TkardexPEPS::creaKardexPEPS(const CmidTierResponse &lista, int idAlmacen) {
    Q_UNUSED(idAlmacen); // every row names its warehouse
    uCapas.clear();
    uPendientes.clear();
    uGrupo = 0;
    uFechaCapas = QDateTime();
    const TcolumnasMovimiento c(lista);
    const int n = lista.getRowCount();
    for (int f = 0; f < n; ++f) {
        TkardexRenglon r = renglonDe(lista, c, f);
        const bool ultimo = f == n - 1;
        const int siguiente = ultimo ? 0 : int(lista.getCeldaAsInt(f + 1, c.tipo));
        const bool cierra = ultimo || siguiente != kMovimientoEntrada;
        switch (r.movimientoConceptoID) {
        case kMovimientoInicial:
            recepcion(r);
            reemplazaPendientes(r);
            uGrupo = 0;
            if (ultimo)
                vacia();
            break;
        case kMovimientoEntrada:
            r.division = uPendientes.isEmpty() ? QVariant(1) : QVariant();
            recepcion(r);
            uPendientes.append(r);
            if (cierra)
                vacia();
            break;
        case kMovimientoSalida:
            salida(r, ultimo, lista, c, f);
            break;
        case kMovimientoDevolucionVenta:
            devolucionDeVenta(r);
            if (cierra)
                vacia();
            break;
        case kMovimientoDevolucionCompra:
            // A skipped return closes nothing: its neighbours keep their group.
            if (devolucionDeCompra(r) && cierra)
                vacia();
            break;
        default:
            break;
        }
    }
    // Rows still pending (the last row was skipped) are written, never dropped.
    vacia();
    return !uEscritor.fallo();
}

void TkardexPEPS::recepcion(TkardexRenglon &r) {
    r.documentoSalida = r.salidaEntradaRelacionada = r.salidaCantidad = r.salidaCostoUnitario = QVariant();
    const int id = r.entradaID.toInt();
    uCapas.insert(id, {r.almacenID, r.productoID, r.negocioID, r.entradaCantidad.toDouble(),
                       r.entradaCostoUnitario.toDouble(), id});
    r.totalCantidad = r.entradaCantidad;
    r.totalCostoUnitario = r.entradaCostoUnitario;
}

void TkardexPEPS::salida(TkardexRenglon &r, bool ultimo, const CmidTierResponse &lista,
                         const TcolumnasMovimiento &c, int fila) {
    r.division = uPendientes.isEmpty() ? QVariant(1) : QVariant();
    r.entradaID = r.documentoEntrada = r.entradaCantidad = r.entradaCostoUnitario = QVariant();
    const auto capa = uCapas.find(r.salidaEntradaRelacionada.toInt());
    if (capa != uCapas.end()) {
        const double nueva = limpia(capa->cantidad - r.salidaCantidad.toDouble());
        r.totalCantidad = nueva;
        r.totalCostoUnitario = r.salidaCostoUnitario;
        capa->cantidad = nueva;
        if (!u_esPositivo(nueva))
            uCapas.erase(capa);
        uPendientes.append(r);
        uFechaCapas = r.fechaHora;
    } else {
        registraOmitida(r);
    }
    // The document's group closes where the document ends, even when its last row was skipped.
    if (uPendientes.isEmpty() || uPendientes.last().documentoSalida != r.documentoSalida)
        return;
    if (ultimo) {
        agregaCapasRestantes();
        vacia();
        return;
    }
    if (lista.getValor(fila + 1, c.salidaDocumento) == r.documentoSalida && !r.documentoSalida.isNull())
        return;
    agregaCapasRestantes();
    if (lista.getCeldaAsInt(fila + 1, c.tipo) != kMovimientoEntrada)
        vacia();
}

void TkardexPEPS::devolucionDeVenta(TkardexRenglon &r) {
    r.salidaCantidad = r.entradaCantidad.isNull() ? QVariant() : QVariant(-r.entradaCantidad.toDouble());
    r.salidaCostoUnitario = r.entradaCostoUnitario;
    r.entradaCantidad = r.entradaCostoUnitario = QVariant();
    const int clave = r.devolucionVentasID.toInt();
    auto capa = uCapas.find(clave);
    if (capa == uCapas.end())
        capa = uCapas.insert(
            clave, {r.almacenID, r.productoID, r.negocioID, 0.0, r.salidaCostoUnitario.toDouble(), clave});
    const double nueva = limpia(capa->cantidad - r.salidaCantidad.toDouble());
    r.totalCantidad = nueva;
    r.totalCostoUnitario = r.salidaCostoUnitario;
    capa->cantidad = nueva;
    r.division = 1;
    reemplazaPendientes(r);
    uFechaCapas = r.fechaHora;
    // The layer that took the goods back is the row itself: it gets no snapshot row.
    const tCapa devuelta = *capa;
    uCapas.erase(capa);
    agregaCapasRestantes();
    uCapas.insert(clave, devuelta);
}

bool TkardexPEPS::devolucionDeCompra(TkardexRenglon &r) {
    const auto capa = uCapas.find(r.salidaEntradaRelacionada.toInt());
    if (capa == uCapas.end()) {
        registraOmitida(r);
        return false;
    }
    r.entradaID = r.documentoEntrada = QVariant();
    r.entradaCantidad = r.salidaCantidad.isNull() ? QVariant() : QVariant(-r.salidaCantidad.toDouble());
    r.entradaCostoUnitario = r.salidaCostoUnitario;
    r.salidaCantidad = r.salidaCostoUnitario = QVariant();
    const double nueva = limpia(capa->cantidad + r.entradaCantidad.toDouble());
    r.totalCantidad = nueva;
    r.totalCostoUnitario = r.entradaCostoUnitario;
    capa->cantidad = nueva;
    r.division = 1;
    reemplazaPendientes(r);
    uFechaCapas = r.fechaHora;
    agregaCapasRestantes();
    return true;
}

void TkardexPEPS::reemplazaPendientes(TkardexRenglon &r) {
    vacia();
    r.grupo = uGrupo;
    uPendientes = {r};
}

void TkardexPEPS::agregaCapasRestantes() {
    QSet<int> tocadas;
    for (const TkardexRenglon &p : std::as_const(uPendientes)) {
        if (!p.salidaEntradaRelacionada.isNull())
            tocadas.insert(p.salidaEntradaRelacionada.toInt());
    }
    // QMap keeps the layers in ascending receipt id.
    for (auto capa = uCapas.cbegin(); capa != uCapas.cend(); ++capa) {
        if (tocadas.contains(capa.key()))
            continue;
        TkardexRenglon s;
        s.fechaHora = uFechaCapas;
        s.productoID = capa->productoID;
        s.almacenID = capa->almacenID;
        s.negocioID = capa->negocioID;
        s.entradaID = capa->entradaID;
        s.totalCantidad = capa->cantidad;
        s.totalCostoUnitario = capa->costoUnitario;
        s.revision = 1;
        s.grupo = uGrupo;
        uPendientes.append(s);
    }
}

void TkardexPEPS::vacia() {
    if (uPendientes.isEmpty())
        return;
    uEscritor.escribeGrupo(uPendientes);
    uPendientes.clear();
    ++uGrupo;
}

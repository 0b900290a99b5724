#include "salidas/UNEG_posteoSalida.h"

#include "comun/U_utilerias.h"
#include "datos/ULog.h"

#include <cmath>

namespace {
constexpr int kPEPS = 1;

// Stored figures read back may differ from the captured ones in the last bits only.
bool igual(double a, double b) {
    return std::fabs(a - b) <= kToleranciaCantidad * std::max(1.0, std::max(std::fabs(a), std::fabs(b)));
}
} // namespace

TposteoSalida::TposteoSalida(TConexionSesion *sesion, const TdatosSalida &datos)
    : uSalidas(sesion), uDatos(datos) {}

TfinPosteo TposteoSalida::escribe() {
    return u_posteaEnTransaccion(uSalidas, uDatos.negocioID,
                                 [this](TintentoPosteo &intento) { return escribeDocumento(intento); });
}

bool TposteoSalida::escribeDocumento(TintentoPosteo &intento) {
    uCapas.clear();
    const CmidTierResponse ultimo = uSalidas.selectUltimoIdDocumentoSalida(uDatos.negocioID);
    if (!intento.ok(ultimo))
        return false;
    uDocumento = int(ultimo.getScalarAsInt()) + 1;
    const bool peps = uDatos.metodoKardex == kPEPS;
    QHash<int, int> grupos; // product -> last ledger group written by the document
    const QVector<TlineaSalida> &lineas = uDatos.lineas;
    for (int i = 0; i < lineas.size(); ++i) {
        const TlineaSalida &linea = lineas[i];
        const int producto = linea.producto.id;
        const bool primera = i == 0 || lineas[i - 1].producto.id != producto;
        if (primera) {
            if (!compruebaInstantanea(intento, producto))
                return false;
            if (peps) {
                const int g = uSalidas.ultimoGrupo(uDatos.almacenID, producto, uDatos.negocioID);
                if (g < 0)
                    return false;
                grupos.insert(producto, g);
            }
        }
        const int grupo = peps ? ++grupos[producto] : 0;
        if (!escribeLinea(intento, linea, primera, grupo))
            return false;
        const bool ultimaDelProducto = i + 1 == lineas.size() || lineas[i + 1].producto.id != producto;
        if (ultimaDelProducto && !escribeExistencia(intento, producto, linea.existenciaTotal))
            return false;
    }
    return !peps || escribeRenglonesCapasRestantes(uCapas, uDatos.fechaHora, grupos);
}

bool TposteoSalida::compruebaInstantanea(TintentoPosteo &intento, int idProducto) {
    const TinstantaneaExistencia capturada = uDatos.instantaneas.value(idProducto);
    bool ok = false;
    const TexistenciaAlmacen actual =
        uSalidas.selectExistencia(uDatos.almacenID, idProducto, uDatos.negocioID, ok);
    if (!ok)
        return false;
    const double valor = uSalidas.existenciaCostoTotal(idProducto, uDatos.almacenID, uDatos.negocioID, ok);
    if (!ok)
        return false;
    if (actual.existe != capturada.existeRenglon || !igual(actual.existencia, capturada.existencia) ||
        !igual(valor, capturada.costoTotal))
        return intento.conflicto();
    return true;
}

bool TposteoSalida::escribeLinea(TintentoPosteo &intento, const TlineaSalida &linea, bool primera,
                                 int grupo) {
    const CmidTierResponse capa =
        uSalidas.updateEntrada(linea, linea.existenciaPrevia, uDatos.almacenID, uDatos.negocioID);
    if (!intento.ok(capa))
        return false;
    if (capa.getFilasAfectadas() != 1)
        return intento.conflicto();
    const bool peps = uDatos.metodoKardex == kPEPS;
    if (peps && !getCapas(uCapas, uDatos.almacenID, linea.producto.id))
        return false;

    TinventarioSalida s;
    s.documento = uDocumento;
    s.fechaHora = uDatos.fechaHora;
    s.inventarioEntrada_id = linea.entradaID;
    s.cantidad = linea.cantidad;
    s.idComprobante = uDatos.comprobante.valido() ? uDatos.comprobante.idComprobante : -1;
    s.inventarioMovimientoConcepto_id = uDatos.concepto.id;
    s.salidaCostoUnitario = linea.costoUnitario;
    s.existenciaTotal = linea.existenciaTotal;
    s.existenciaCostoUnitario = linea.salidasCostoUnitario;
    s.existenciaCostoTotal = linea.existenciaCostoTotal;
    const CmidTierResponse salida = uSalidas.insertSalida(s);
    if (!intento.ok(salida))
        return false;
    const int idSalida = int(salida.getIdInsertado());

    if (!intento.ok(uSalidas.insertRenglonKardex(renglonKardex(linea, primera, grupo))))
        return false;
    if (peps)
        capaEliminaRevision(uCapas, linea.producto.id, linea.entradaID);

    for (const int serie : linea.series) {
        const CmidTierResponse r = uSalidas.updateNoSerieSalidaFecha(serie, idSalida, linea.entradaID);
        if (!intento.ok(r))
            return false;
        if (r.getFilasAfectadas() != 1)
            return intento.conflicto();
    }
    return true;
}

TkardexRenglon TposteoSalida::renglonKardex(const TlineaSalida &linea, bool primera, int grupo) const {
    TkardexRenglon r;
    r.fechaHora = uDatos.fechaHora;
    r.almacenID = uDatos.almacenID;
    r.productoID = linea.producto.id;
    r.negocioID = uDatos.negocioID;
    r.documentoSalida = uDocumento;
    r.salidaEntradaRelacionada = linea.entradaID;
    const bool peps = uDatos.metodoKardex == kPEPS;
    // Under PEPS the row follows its layer; under the average it follows the whole stock.
    const double costo = peps ? linea.salidasCostoUnitario : linea.costoUnitario;
    if (uDatos.esDevolucionCompra()) {
        r.entradaCantidad = -linea.cantidad;
        r.entradaCostoUnitario = costo;
    } else {
        r.salidaCantidad = linea.cantidad;
        r.salidaCostoUnitario = costo;
    }
    r.totalCostoUnitario = linea.salidasCostoUnitario;
    if (peps) {
        r.totalCantidad = linea.existencia;
        r.division = primera ? QVariant(1) : QVariant();
        r.grupo = grupo;
    } else {
        r.totalCantidad = linea.existenciaTotal;
        r.totalExistencia = linea.existenciaCostoTotal;
    }
    return r;
}

bool TposteoSalida::escribeExistencia(TintentoPosteo &intento, int idProducto, double existencia) {
    const double valor = u_esCero(existencia) ? 0.0 : existencia;
    if (uDatos.instantaneas.value(idProducto).existeRenglon)
        return intento.ok(uSalidas.updateExistencia(uDatos.almacenID, idProducto, valor, uDatos.negocioID));
    return intento.ok(uSalidas.insertExistencia(uDatos.almacenID, idProducto, valor, uDatos.negocioID));
}

bool TposteoSalida::getCapas(TmapaCapas &mapa, int idAlmacen, int idProducto) {
    if (mapa.contains(idProducto))
        return true;
    bool ok = false;
    const QMap<int, tCapa> capas = uSalidas.capasAbiertas(idProducto, idAlmacen, uDatos.negocioID, ok);
    if (ok)
        mapa.insert(idProducto, capas);
    return ok;
}

void TposteoSalida::capaEliminaRevision(TmapaCapas &mapa, int idProducto, int idEntrada) {
    const auto producto = mapa.find(idProducto);
    if (producto != mapa.end())
        producto->remove(idEntrada);
}

bool TposteoSalida::escribeRenglonesCapasRestantes(const TmapaCapas &mapa, const QDateTime &fechaHora,
                                                   const QHash<int, int> &grupos) {
    Log::log(QStringLiteral("entro a esta sección escribeRenglonesCapasRestantes"), 1);
    for (auto producto = mapa.cbegin(); producto != mapa.cend(); ++producto) {
        const int grupo = grupos.value(producto.key()) + 1;
        Log::log(QStringLiteral("valor grupo: ") + QString::number(grupo), 1);
        for (const tCapa &capa : producto.value())
            if (!uSalidas.insertRenglonKardex(renglonKardex::revisionDeCapa(capa, fechaHora, grupo))
                     .isSuccess())
                return false;
    }
    return true;
}

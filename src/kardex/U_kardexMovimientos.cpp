#include "kardex/U_kardexMovimientos.h"

#include "comun/U_utilerias.h"
#include "kardex/UNEG_escrituraKardex.h"
#include "kardex/UNEG_kardex.h"

namespace {
bool inserta(const TsistemaDatos &sistema, const TkardexRenglon &renglon) {
    return TescrituraKardex(sistema.conexion).insertRenglonKardex(renglon).isSuccess();
}
} // namespace

int kardexGetUltimoGrupoPorAlmacenPorProducto(const TsistemaDatos &sistema, int idAlmacen, int idProducto) {
    Tkardex kardex(sistema.conexion);
    return int(
        kardex.selectUltimoGrupoPorAlmacenPorProducto(idAlmacen, idProducto, sistema.negocio.getIdNegocio())
            .getCeldaAsInt(0, QStringLiteral("inventarioKardex_grupo")));
}

int kardexGetUltimoSalidaDocumentoID(const TsistemaDatos &sistema, int idAlmacen, int idProducto) {
    Tkardex kardex(sistema.conexion);
    return int(kardex.selectUltimoDocumentoSalidaID(idAlmacen, idProducto, sistema.negocio.getIdNegocio())
                   .getCeldaAsInt(0, QStringLiteral("documentoSalida")));
}

bool kardexEntrada(const TsistemaDatos &sistema, const TkardexRenglon &renglon) {
    TkardexRenglon r = renglon;
    r.documentoSalida = r.salidaEntradaRelacionada = r.salidaCantidad = r.salidaCostoUnitario = QVariant();
    r.totalCantidad = r.entradaCantidad;
    r.totalCostoUnitario = r.entradaCostoUnitario;
    r.revision = r.division = QVariant();
    r.grupo = kardexGetUltimoGrupoPorAlmacenPorProducto(sistema, r.almacenID, r.productoID);
    return inserta(sistema, r);
}

bool kardexSalida(const TsistemaDatos &sistema, const TkardexRenglon &renglon) {
    TkardexRenglon r = renglon;
    r.entradaID = r.documentoEntrada = r.entradaCantidad = r.entradaCostoUnitario = QVariant();
    r.totalCostoUnitario = r.salidaCostoUnitario;
    r.revision = QVariant();
    const int ultimoGrupo = kardexGetUltimoGrupoPorAlmacenPorProducto(sistema, r.almacenID, r.productoID);
    if (r.documentoSalida.toInt() != kardexGetUltimoSalidaDocumentoID(sistema, r.almacenID, r.productoID)) {
        r.division = 1;
        r.grupo = ultimoGrupo + 1;
    } else {
        r.division = QVariant();
        r.grupo = ultimoGrupo;
    }
    Tkardex kardex(sistema.conexion);
    const CmidTierResponse capa =
        kardex.selectExistenciaCapa(r.salidaEntradaRelacionada.toInt(), sistema.negocio.getIdNegocio());
    if (!capa.isSuccess())
        return false;
    const double restante = capa.getCeldaAsFloat(0, QStringLiteral("inventarioKardex_totalCantidad")) -
                            r.salidaCantidad.toString().toDouble();
    r.totalCantidad = u_esCero(restante) ? 0.0 : restante;
    return inserta(sistema, r);
}

#include "kardex/U_kardexMovimientos.h"

#include "comun/UNEG_opciones.h"
#include "comun/U_bplpanelcontrol.h"
#include "comun/U_utilerias.h"
#include "kardex/UNEG_kardex.h"

namespace {
bool inserta(const TkardexRenglon &renglon) {
    Topciones opciones(sesionActual());
    return opciones.insertRenglonKardex(renglon).isSuccess();
}
} // namespace

int kardexGetUltimoGrupoPorAlmacenPorProducto(int idAlmacen, int idProducto) {
    Tkardex kardex(sesionActual());
    return int(kardex.selectUltimoGrupoPorAlmacenPorProducto(idAlmacen, idProducto, negocioActual())
                   .getCeldaAsInt(0, QStringLiteral("inventarioKardex_grupo")));
}

int kardexGetUltimoSalidaDocumentoID(int idAlmacen, int idProducto) {
    Tkardex kardex(sesionActual());
    return int(kardex.selectUltimoDocumentoSalidaID(idAlmacen, idProducto, negocioActual())
                   .getCeldaAsInt(0, QStringLiteral("documentoSalida")));
}

bool kardexEntrada(const TkardexRenglon &renglon) {
    TkardexRenglon r = renglon;
    r.documentoSalida = r.salidaEntradaRelacionada = r.salidaCantidad = r.salidaCostoUnitario = QVariant();
    r.totalCantidad = r.entradaCantidad;
    r.totalCostoUnitario = r.entradaCostoUnitario;
    r.revision = r.division = QVariant();
    r.grupo = kardexGetUltimoGrupoPorAlmacenPorProducto(r.almacenID, r.productoID);
    return inserta(r);
}

bool kardexSalida(const TkardexRenglon &renglon) {
    TkardexRenglon r = renglon;
    r.entradaID = r.documentoEntrada = r.entradaCantidad = r.entradaCostoUnitario = QVariant();
    r.totalCostoUnitario = r.salidaCostoUnitario;
    r.revision = QVariant();
    const int ultimoGrupo = kardexGetUltimoGrupoPorAlmacenPorProducto(r.almacenID, r.productoID);
    if (r.documentoSalida.toInt() != kardexGetUltimoSalidaDocumentoID(r.almacenID, r.productoID)) {
        r.division = 1;
        r.grupo = ultimoGrupo + 1;
    } else {
        r.division = QVariant();
        r.grupo = ultimoGrupo;
    }
    Tkardex kardex(sesionActual());
    const CmidTierResponse capa =
        kardex.selectExistenciaCapa(r.salidaEntradaRelacionada.toInt(), negocioActual());
    if (!capa.isSuccess())
        return false;
    const double restante = capa.getCeldaAsFloat(0, QStringLiteral("inventarioKardex_totalCantidad")) -
                            r.salidaCantidad.toString().toDouble();
    r.totalCantidad = u_esCero(restante) ? 0.0 : restante;
    return inserta(r);
}

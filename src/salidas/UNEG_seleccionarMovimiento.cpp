#include "salidas/UNEG_seleccionarMovimiento.h"

#include "comun/U_busquedaTexto.h"
#include "datos/UfechaHora.h"
#include "salidas/UNEG_salidas.h"

CmidTierResponse u_buscaMovimientos(TConexionSesion *sesion, int idNegocio, TmodoMovimiento modo,
                                    int idAlmacen, const TbusquedaMovimiento &b) {
    if (idAlmacen <= 0)
        return {};
    tFiltroBuscarComprobante f;
    f.negocioID = idNegocio;
    f.almacenID = idAlmacen;
    if (b.inicial.isValid())
        f.fechaInicial = fechaHora::inicioDelDia(b.inicial);
    if (b.final.isValid())
        f.fechaFinal = fechaHora::finDelDia(b.final);
    if (b.productoID > 0)
        f.productoID = b.productoID;
    bool numero = false;
    const qint64 documento = b.documento.trimmed().toLongLong(&numero);
    if (!b.documento.trimmed().isEmpty())
        f.documentoNum = numero ? QVariant(documento) : QVariant(-1); // not a number: nothing matches
    if (!b.comprobante.trimmed().isEmpty())
        f.comprobante = u_patronContiene(b.comprobante.trimmed());
    Tsalidas salidas(sesion);
    if (modo == TmodoMovimiento::Entradas) {
        f.existenciaMinima = 0.0;
        return salidas.selectEntradasTodoPorIDPorDocumentoNum(f);
    }
    return salidas.selectSalidasTodoPorIDPorDocumentoNum(f);
}

UREC_seleccionarMovimiento u_leeMovimiento(const CmidTierResponse &filas, int fila, TmodoMovimiento modo,
                                           const UREC_seleccionarMovimiento &solicitud) {
    UREC_seleccionarMovimiento r = solicitud;
    r.aceptar = false;
    if (fila < 0 || fila >= filas.getRowCount())
        return r;
    r.aceptar = true;
    r.productoID = int(filas.getCeldaAsInt(fila, QStringLiteral("inventarioProducto_id")));
    r.productoNombre = filas.getCelda(fila, QStringLiteral("inventarioProducto_nombre"));
    r.cantidadMaxima = filas.getCeldaAsFloat(fila, QStringLiteral("_restante"));
    // A purchase return leaves at the receipt's own cost; a taken-back issue at the cost it left at.
    r.costoUnitario = filas.getCeldaAsFloat(
        fila, modo == TmodoMovimiento::Entradas ? QStringLiteral("inventarioEntrada_costoUnitario")
                                                : QStringLiteral("inventarioEntrada_salidaCostoUnitario"));
    r.movimientoID = int(filas.getCeldaAsInt(fila, QStringLiteral("inventarioSalida_id")));
    r.existencia = filas.getCeldaAsFloat(fila, QStringLiteral("inventarioEntrada_existencia"));
    r.unidadMedida = filas.getCelda(fila, QStringLiteral("inventarioUnidadesMedida_descripcion"));
    r.relacionadoID = int(filas.getCeldaAsInt(fila, QStringLiteral("inventarioEntrada_id")));
    r.controlNoSerie =
        int(filas.getCeldaAsInt(fila, QStringLiteral("inventarioProducto_opControladoNoSerie")));
    return r;
}

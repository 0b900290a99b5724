#include "kardex/UNEG_reporteKardex.h"

#include "comun/U_utilerias.h"
#include "datos/UcodigosInventario.h"
#include "kardex/UNEG_kardex.h"
#include "kardex/UNEG_valuacion.h"

namespace {
const QString kSinEstablecer = QStringLiteral(" - sin establecer -");

QVector<QVariantHash> filasDe(const CmidTierResponse &r) {
    QVector<QVariantHash> filas;
    const QStringList alias = r.getAlias();
    filas.reserve(r.getRowCount());
    for (int f = 0; f < r.getRowCount(); ++f) {
        QVariantHash fila;
        for (int c = 0; c < alias.size(); ++c)
            fila.insert(alias[c], r.getValor(f, c));
        filas.append(fila);
    }
    return filas;
}

// The older view's aliases, each beside the grid's alias it is shown under.
const QPair<const char *, const QString *> kMapaAnterior[] = {
    {"inventario_fechaHora", &aliasKardex::kFecha},
    {"inventarioMovimientoEtiqueta", &aliasKardex::kDetalle},
    {"comprobante_serieFolio", &aliasKardex::kSerieFolio},
    {"comprobante_uuid", &aliasKardex::kUuid},
    {"inventarioEntrada_cantidad", &aliasKardex::kEntradaCantidad},
    {"inventarioEntrada_costoUnitario", &aliasKardex::kEntradaCosto},
    {"entradaTotal", &aliasKardex::kEntradaTotal},
    {"salida_cantidad", &aliasKardex::kSalidaCantidad},
    {"salida_costoUnitario", &aliasKardex::kSalidaCosto},
    {"salida_total", &aliasKardex::kSalidaTotal},
    {"inventarioEntrada_existenciaTotal", &aliasKardex::kTotalCantidad},
    {"inventarioEntrada_existenciaCostoUnitario", &aliasKardex::kTotalCosto},
    {"total", &aliasKardex::kTotal},
    {"inventarioMovimientoConcepto_familia", &aliasKardex::kFamilia},
};

QString limite(const CmidTierResponse &r, const QString &alias) {
    if (r.getRowCount() == 0 || r.esNulo(0, alias))
        return kSinEstablecer;
    return FloatToStr(r.getCeldaAsFloat(0, alias));
}
} // namespace

void u_sumaMovimientosKardex(const QVector<QVariantHash> &filas, TresumenKardex &resumen) {
    resumen.entradas = 0;
    resumen.salidas = 0;
    for (const QVariantHash &fila : filas) {
        resumen.entradas += fila.value(aliasKardex::kEntradaTotal).toDouble();
        resumen.salidas += fila.value(aliasKardex::kSalidaTotal).toDouble();
    }
}

TlimitesStock TreporteKardex::limites(const TfiltroKardex &filtro) const {
    Tkardex datos(uSesion);
    const CmidTierResponse r =
        datos.selectProductoMaximoMinimo(filtro.almacenID, filtro.productoID, filtro.negocioID);
    return {limite(r, QStringLiteral("inventarioStock_maximo")),
            limite(r, QStringLiteral("inventarioStock_minimo"))};
}

double TreporteKardex::valorAlCierre(const TfiltroKardex &filtro, const QDate &dia) const {
    return u_valuacion(uSesion, dia, filtro.negocioID, filtro.almacenID, filtro.productoID).total;
}

TresultadoKardex TreporteKardex::kardex(const TfiltroKardex &filtro) const {
    TresultadoKardex resultado;
    resultado.limites = limites(filtro);
    Tkardex datos(uSesion);
    const CmidTierResponse r =
        datos.selectKardex2(filtro.inicio, filtro.fin, filtro.almacenID, filtro.productoID, filtro.negocioID);
    resultado.exito = r.isSuccess();
    if (!resultado.exito)
        return resultado;
    resultado.filas = filasDe(r);
    u_sumaMovimientosKardex(resultado.filas, resultado.resumen);
    resultado.resumen.inicial = valorAlCierre(filtro, filtro.inicio.addDays(-1));
    resultado.resumen.final_ = valorAlCierre(filtro, filtro.fin);
    return resultado;
}

TresultadoKardex TreporteKardex::kardexAnterior(const TfiltroKardex &filtro) const {
    TresultadoKardex resultado;
    resultado.limites = limites(filtro);
    Tkardex datos(uSesion);
    const CmidTierResponse r =
        datos.selectKardex(filtro.inicio, filtro.fin, filtro.almacenID, filtro.productoID, filtro.negocioID);
    resultado.exito = r.isSuccess();
    if (!resultado.exito)
        return resultado;
    for (int f = 0; f < r.getRowCount(); ++f) {
        QVariantHash fila;
        for (const auto &[origen, destino] : kMapaAnterior)
            fila.insert(*destino, r.getValor(f, QString::fromLatin1(origen)));
        fila.insert(aliasKardex::kDivision, 1);
        resultado.filas.append(fila);
    }
    if (resultado.filas.isEmpty())
        return resultado;
    TresumenKardex &resumen = resultado.resumen;
    u_sumaMovimientosKardex(resultado.filas, resumen);
    const QVariantHash &primera = resultado.filas.first();
    if (primera.value(aliasKardex::kFamilia).toInt() == kFamiliaExistenciaInicial)
        resumen.inicial = primera.value(aliasKardex::kTotal).toDouble();
    resumen.final_ = resultado.filas.last().value(aliasKardex::kTotal).toDouble();
    return resultado;
}

#include "comun/UMOD_kardexRenglon.h"

#include "comun/U_utilerias.h"
#include "datos/UfechaHora.h"
#include "datos/UmiddleTier.h"

namespace {
QVariant textoDe(const QVariant &valor) {
    if (valor.isNull())
        return {};
    if (valor.typeId() == QMetaType::Double)
        return FloatToStr(valor.toDouble());
    return valor.toString();
}
} // namespace

const QStringList &renglonKardex::columnas() {
    static const QStringList kColumnas = {QStringLiteral("fechaHora"),
                                          QStringLiteral("inventarioEntrada_id"),
                                          QStringLiteral("inventarioAlmacen_id"),
                                          QStringLiteral("inventarioProducto_id"),
                                          QStringLiteral("documentoEntrada"),
                                          QStringLiteral("documentoSalida"),
                                          QStringLiteral("entradaCantidad"),
                                          QStringLiteral("entradaCostoUnitario"),
                                          QStringLiteral("salidaEntradaRelacionada"),
                                          QStringLiteral("salidaCantidad"),
                                          QStringLiteral("salidaCostoUnitario"),
                                          QStringLiteral("totalCantidad"),
                                          QStringLiteral("totalCostoUnitario"),
                                          QStringLiteral("totalExistencia"),
                                          QStringLiteral("idNegocioFk"),
                                          QStringLiteral("revision"),
                                          QStringLiteral("division"),
                                          QStringLiteral("grupo")};
    return kColumnas;
}

const QStringList &renglonKardex::parametros() {
    static const QStringList kParametros = {QStringLiteral("fechaHora"),
                                            QStringLiteral("entradaID"),
                                            QStringLiteral("almacenID"),
                                            QStringLiteral("productoID"),
                                            QStringLiteral("documentoEntrada"),
                                            QStringLiteral("documentoSalida"),
                                            QStringLiteral("entradaCantidad"),
                                            QStringLiteral("entradaCostoUnitario"),
                                            QStringLiteral("salidaEntradaRelacionada"),
                                            QStringLiteral("salidaCantidad"),
                                            QStringLiteral("salidaCostoUnitario"),
                                            QStringLiteral("totalCantidad"),
                                            QStringLiteral("totalCostoUnitario"),
                                            QStringLiteral("totalExistencia"),
                                            QStringLiteral("negocioID"),
                                            QStringLiteral("revision"),
                                            QStringLiteral("division"),
                                            QStringLiteral("grupo")};
    return kParametros;
}

QVector<QVariant> renglonKardex::valores(const TkardexRenglon &r) {
    return {r.fechaHora.isValid() ? QVariant(fechaHora::aTextoBD(r.fechaHora)) : QVariant(),
            r.entradaID,
            r.almacenID,
            r.productoID,
            r.documentoEntrada,
            r.documentoSalida,
            r.entradaCantidad,
            r.entradaCostoUnitario,
            r.salidaEntradaRelacionada,
            r.salidaCantidad,
            r.salidaCostoUnitario,
            textoDe(r.totalCantidad),
            textoDe(r.totalCostoUnitario),
            r.totalExistencia,
            r.negocioID,
            r.revision,
            r.division,
            r.grupo};
}

TkardexRenglon renglonKardex::revisionDeCapa(const tCapa &capa, const QDateTime &fechaHora, int grupo) {
    TkardexRenglon r;
    r.fechaHora = fechaHora;
    r.productoID = capa.productoID;
    r.almacenID = capa.almacenID;
    r.negocioID = capa.negocioID;
    r.entradaID = capa.entradaID;
    r.totalCantidad = capa.cantidad;
    r.totalCostoUnitario = capa.costoUnitario;
    r.revision = 1;
    r.grupo = grupo;
    return r;
}

void renglonKardex::preparaInsercion(TmiddleTier &mt, const TkardexRenglon &renglon) {
    const QStringList &nombres = parametros();
    mt.setQuery(QStringLiteral("INSERT INTO inventarioKardex (%1) VALUES (:%2)")
                    .arg(columnas().join(QStringLiteral(", ")), nombres.join(QStringLiteral(", :"))));
    const QVector<QVariant> datos = valores(renglon);
    for (int i = 0; i < nombres.size(); ++i)
        mt.setParametroVariant(nombres[i], datos[i]);
}

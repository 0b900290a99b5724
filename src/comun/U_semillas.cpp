#include "comun/U_semillas.h"

#include "comun/UNEG_opciones.h"
#include "datos/UcodigosInventario.h"
#include "datos/UmiddleTier.h"

namespace {

// Runs the insert only when the count query finds nothing. Both statements take :idNegocio.
bool aseguraFila(TConexionSesion *sesion, int idNegocio, const QString &cuenta, const QString &inserta,
                 const QList<QPair<QString, QVariant>> &parametros = {}) {
    TmiddleTier mt(sesion);
    auto prepara = [&](const QString &sentencia) {
        mt.setQuery(sentencia);
        mt.setParametroEntero(QStringLiteral("idNegocio"), idNegocio);
        for (const auto &p : parametros)
            mt.setParametroVariant(p.first, p.second);
    };
    prepara(cuenta);
    const CmidTierResponse r = mt.scalar();
    if (!r.isSuccess())
        return false;
    if (r.getScalarAsInt() > 0)
        return true;
    prepara(inserta);
    return mt.nonQuery().isSuccess();
}

} // namespace

bool u_rfcPublicoGeneralExiste(TConexionSesion *sesion, int idNegocio) {
    return aseguraFila(
        sesion, idNegocio,
        QStringLiteral("SELECT COUNT(*) FROM cliente WHERE rfc = :rfc AND idNegocioFk = :idNegocio"),
        QStringLiteral("INSERT INTO cliente (nombre, rfc, idNegocioFk) VALUES ('PUBLICO EN GENERAL', "
                       ":rfc, :idNegocio)"),
        {{QStringLiteral("rfc"), QString::fromLatin1(semillas::kRfcPublicoGeneral)}});
}

bool compruebaCategoriaInicialExiste(TConexionSesion *sesion, int idNegocio) {
    return aseguraFila(sesion, idNegocio,
                       QStringLiteral("SELECT COUNT(*) FROM inventarioCategoria WHERE identidad = :identidad "
                                      "AND idNegocioFk = :idNegocio"),
                       QStringLiteral("INSERT INTO inventarioCategoria (identidad, etiqueta, idNegocioFk) "
                                      "VALUES (:identidad, 'General', :idNegocio)"),
                       {{QStringLiteral("identidad"), QString::fromLatin1(semillas::kCategoriaInicial)}});
}

bool compruebaMovimientoConceptoDummyExiste(TConexionSesion *sesion, int idNegocio) {
    struct Tsistema {
        int familia;
        int direccion;
        const char *etiqueta;
    };
    static const Tsistema kConceptos[] = {
        {kFamiliaSalidaTraspaso, kConceptoSalida, "Salida por traspaso"},
        {kFamiliaEntradaTraspaso, kConceptoEntrada, "Entrada por traspaso"},
        {kFamiliaOrdenCompra, kConceptoEntrada, "Entrada por orden de compra"},
        {kFamiliaExistenciaInicial, kConceptoEntrada, "Existencia inicial"},
        {kFamiliaAjusteConteoEntrada, kConceptoEntrada, "Ajuste por inventario físico (entrada)"},
        {kFamiliaAjusteConteoSalida, kConceptoSalida, "Ajuste por inventario físico (salida)"},
    };
    bool ok = true;
    for (const auto &c : kConceptos) {
        ok = aseguraFila(
                 sesion, idNegocio,
                 QStringLiteral("SELECT COUNT(*) FROM inventarioMovimientoConcepto WHERE familia = :familia "
                                "AND idNegocioFk = :idNegocio"),
                 QStringLiteral("INSERT INTO inventarioMovimientoConcepto (etiqueta, direccion, "
                                "AsientosContables_id, familia, idNegocioFk) VALUES (:etiqueta, :direccion, "
                                "NULL, :familia, :idNegocio)"),
                 {{QStringLiteral("familia"), c.familia},
                  {QStringLiteral("direccion"), c.direccion},
                  {QStringLiteral("etiqueta"), QString::fromUtf8(c.etiqueta)}}) &&
             ok;
    }
    return ok;
}

bool compruebaUnidadesMedidaDummyExiste(TConexionSesion *sesion, int idNegocio) {
    TmiddleTier mt(sesion);
    mt.setQuery(
        QStringLiteral("SELECT COUNT(*) FROM inventarioUnidadesMedida WHERE idNegocioFk = :idNegocio"));
    mt.setParametroEntero(QStringLiteral("idNegocio"), idNegocio);
    const CmidTierResponse cuenta = mt.scalar();
    if (!cuenta.isSuccess())
        return false;
    if (cuenta.getScalarAsInt() > 0)
        return true;
    // The piece and its set go in together or not at all.
    if (!mt.transaccionInicia())
        return false;
    mt.setQuery(QStringLiteral("INSERT INTO inventarioUnidadesMedidaConjunto (nombre, idNegocioFk) "
                               "VALUES ('Unidad', :idNegocio)"));
    mt.setParametroEntero(QStringLiteral("idNegocio"), idNegocio);
    const CmidTierResponse conjunto = mt.nonQuery();
    if (!conjunto.isSuccess())
        return mt.transaccionRollback() && false;
    mt.setQuery(
        QStringLiteral("INSERT INTO inventarioUnidadesMedida (descripcion, abreviatura, conjunto, razon, "
                       "idNegocioFk) VALUES ('Pieza', 'pza', :conjunto, 1, :idNegocio)"));
    mt.setParametroEntero(QStringLiteral("conjunto"), conjunto.getIdInsertado());
    mt.setParametroEntero(QStringLiteral("idNegocio"), idNegocio);
    if (!mt.nonQuery().isSuccess())
        return mt.transaccionRollback() && false;
    return mt.transaccionTermina();
}

bool compruebaPropiedadListadoDummyExiste(TConexionSesion *sesion, int idNegocio) {
    return aseguraFila(
        sesion, idNegocio,
        QStringLiteral("SELECT COUNT(*) FROM inventarioPropiedadListado WHERE nombre = 'Ninguna' "
                       "AND idNegocioFk = :idNegocio"),
        QStringLiteral("INSERT INTO inventarioPropiedadListado (nombre, idNegocioFk) "
                       "VALUES ('Ninguna', :idNegocio)"));
}

#include "entradas/UNEG_propiedadesEntrada.h"

#include "comun/U_entradaDelNegocio.h"

namespace {
const QString kNegocio = QStringLiteral("negocio");
const QString kEntrada = QStringLiteral("entrada");
const QString kPropiedad = QStringLiteral("propiedad");
} // namespace

CmidTierResponse TpropiedadesEntrada::selectAdicionales(const QString &categoria, int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT pl.id AS inventarioPropiedadListado_id, pl.nombre AS inventarioPropiedadListado_nombre, "
        "pl.propiedadTipo_id AS propiedadTipo_id FROM inventarioCategoriaPropiedad cp "
        "JOIN inventarioPropiedadListado pl ON pl.id = cp.inventarioPropiedadListado_id "
        "AND pl.idNegocioFk = cp.idNegocioFk WHERE cp.inventarioCategoria_identidad = :categoria "
        "AND cp.idNegocioFk = :negocio ORDER BY pl.nombre, pl.id"));
    setParametroTexto(QStringLiteral("categoria"), categoria);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse TpropiedadesEntrada::selectValores(int idEntrada, int idNegocio) {
    setQuery(
        QStringLiteral("SELECT v.inventarioPropiedadListado_id AS inventarioPropiedadListado_id, v.valor "
                       "AS inventarioProductoPropiedad_valor FROM inventarioProductoPropiedad v "
                       "WHERE v.inventarioEntrada_id IN ") +
        kEntradaDelNegocio + QStringLiteral(" ORDER BY v.id"));
    enlazaEntrada(*this, idEntrada, idNegocio);
    return reader();
}

CmidTierResponse TpropiedadesEntrada::selectPropiedad(int idEntrada, int idPropiedad, int idNegocio) {
    setQuery(
        QStringLiteral("SELECT v.id AS inventarioProductoPropiedad_id FROM inventarioProductoPropiedad v "
                       "WHERE v.inventarioPropiedadListado_id = :propiedad AND v.inventarioEntrada_id IN ") +
        kEntradaDelNegocio);
    setParametroEntero(kEntrada, idEntrada);
    setParametroEntero(kPropiedad, idPropiedad);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse TpropiedadesEntrada::insertPropiedad(int idEntrada, int idPropiedad, const QString &valor,
                                                      int idNegocio) {
    setQuery(QStringLiteral(
        "INSERT INTO inventarioProductoPropiedad (inventarioEntrada_id, inventarioPropiedadListado_id, "
        "valor) "
        "SELECT e.id, pl.id, :valor FROM inventarioEntrada e JOIN inventarioPropiedadListado pl ON "
        "pl.id = :propiedad AND pl.idNegocioFk = e.idNegocioFk WHERE e.id = :entrada AND e.idNegocioFk = "
        ":negocio"));
    setParametroTexto(QStringLiteral("valor"), valor);
    setParametroEntero(kPropiedad, idPropiedad);
    enlazaEntrada(*this, idEntrada, idNegocio);
    return unaFila(nonQuery());
}

CmidTierResponse TpropiedadesEntrada::updatePropiedad(int idEntrada, int idPropiedad, const QString &valor,
                                                      int idNegocio) {
    setQuery(QStringLiteral("UPDATE inventarioProductoPropiedad SET valor = :valor WHERE "
                            "inventarioPropiedadListado_id = :propiedad AND inventarioEntrada_id IN ") +
             kEntradaDelNegocio);
    setParametroTexto(QStringLiteral("valor"), valor);
    setParametroEntero(kPropiedad, idPropiedad);
    enlazaEntrada(*this, idEntrada, idNegocio);
    return nonQuery();
}

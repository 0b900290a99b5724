#include "existencias/UNEG_productosNoSerie.h"

#include "comun/U_busquedaTexto.h"

namespace {
QVariant patron(const QString &texto) {
    return texto.trimmed().isEmpty() ? QVariant() : QVariant(u_patronContiene(texto));
}
} // namespace

CmidTierResponse TproductosNoSerie::selectNoSerie(const QVariant &almacenID, const QVariant &productoID,
                                                  const QVariant &estadoID, const QString &numero,
                                                  const QString &documento, int negocioID) {
    setQuery(QStringLiteral(
                 "SELECT ns.id AS inventarioNoSerie_id, ns.numero AS inventarioNoSerie_numero, "
                 "ns.inventarioNoSerieEstado_id AS inventarioNoSerieEstado_id, est.etiqueta AS "
                 "inventarioNoSerieEstado_etiqueta, p.nombre AS inventarioProducto_nombre, c.etiqueta AS "
                 "inventarioCategoria_etiqueta, a.nombre AS inventarioAlmacen_nombre, e.id AS "
                 "inventarioEntrada_id, e.documento AS inventarioEntrada_documento, e.fechaHora AS "
                 "inventarioEntrada_fechaHora, ce.etiqueta AS conceptoEntrada_etiqueta, s.fechaHora AS "
                 "inventarioSalida_fechahora, cs.etiqueta AS conceptoSalida_etiqueta "
                 "FROM inventarioEntrada e "
                 "JOIN inventarioNoSerie ns ON ns.inventarioEntrada_id = e.id "
                 "LEFT JOIN inventarioNoSerieEstado est ON est.id = ns.inventarioNoSerieEstado_id "
                 "LEFT JOIN inventarioProducto p ON p.id = e.inventarioProducto_id "
                 "LEFT JOIN inventarioCategoria c ON c.identidad = p.inventarioCategoria_identidad AND "
                 "c.idNegocioFk = e.idNegocioFk "
                 "LEFT JOIN inventarioAlmacen a ON a.id = e.inventarioAlmacen_id "
                 "LEFT JOIN inventarioMovimientoConcepto ce ON ce.id = e.inventarioMovimientoConcepto_id "
                 "LEFT JOIN inventarioSalida s ON s.id = ns.inventarioSalida_id "
                 "LEFT JOIN inventarioMovimientoConcepto cs ON cs.id = s.inventarioMovimientoConcepto_id "
                 "WHERE e.idNegocioFk = :negocio AND (:almacen IS NULL OR e.inventarioAlmacen_id = :almacen) "
                 "AND (:producto IS NULL OR e.inventarioProducto_id = :producto) AND (:estado IS NULL OR "
                 "ns.inventarioNoSerieEstado_id = :estado) AND (:numero IS NULL OR ns.numero LIKE :numero "
                 "ESCAPE '!') AND (:documento IS NULL OR CAST(e.documento AS %1) LIKE :documento ESCAPE '!') "
                 "ORDER BY e.fechaHora, e.id, ns.id")
                 .arg(segunProveedor(QStringLiteral("CHAR"), QStringLiteral("TEXT"))));
    setParametroEntero(QStringLiteral("negocio"), negocioID);
    setParametroVariant(QStringLiteral("almacen"), almacenID);
    setParametroVariant(QStringLiteral("producto"), productoID);
    setParametroVariant(QStringLiteral("estado"), estadoID);
    setParametroVariant(QStringLiteral("numero"), patron(numero));
    setParametroVariant(QStringLiteral("documento"), patron(documento));
    return reader();
}

CmidTierResponse TproductosNoSerie::selectNoSerieEstados() {
    setQuery(QStringLiteral(
        "SELECT id AS inventarioNoSerieEstado_id, etiqueta AS inventarioNoSerieEstado_etiqueta "
        "FROM inventarioNoSerieEstado ORDER BY id"));
    return reader();
}

#include "comun/UNEG_seleccionarComprobante.h"

CmidTierResponse Tcomprobante::selectComprobantesIngresos(int idNegocio, int tipo1, int tipo2,
                                                          const QVariant &uuid, const QDateTime &inicial,
                                                          const QDateTime &final_) {
    return selectComprobantes(true, idNegocio, tipo1, tipo2, uuid, inicial, final_);
}

CmidTierResponse Tcomprobante::selectComprobantesEgresos(int idNegocio, int tipo1, int tipo2,
                                                         const QVariant &uuid, const QDateTime &inicial,
                                                         const QDateTime &final_) {
    return selectComprobantes(false, idNegocio, tipo1, tipo2, uuid, inicial, final_);
}

CmidTierResponse Tcomprobante::selectComprobantes(bool porEmisor, int idNegocio, int tipo1, int tipo2,
                                                  const QVariant &uuid, const QDateTime &inicial,
                                                  const QDateTime &final_) {
    // '||' is a logical OR on MariaDB: the serie-folio text is built with CONCAT there.
    const QString serieFolio = segunProveedor(QStringLiteral("CONCAT(c.serie, ' ', c.folio)"),
                                              QStringLiteral("c.serie || ' ' || c.folio"));
    const QString contraparte = porEmisor
                                    ? QStringLiteral("LEFT JOIN Emisor p ON p.idEmisor = c.emisor")
                                    : QStringLiteral("LEFT JOIN Receptor p ON p.idReceptor = c.receptor");
    setQuery(
        QStringLiteral(
            "SELECT c.idComprobante AS comprobante_idComprobante, c.uuid AS comprobante_uuid, "
            "c.serie AS comprobante_serie, c.folio AS comprobante_folio, %1 AS comprobante_serie_folio, "
            "c.fecha AS comprobante_fecha, p.rfc AS _rfc, p.nombre AS _nombre, "
            "c.subTotal AS comprobante_subtotal, c.total AS comprobante_total, "
            "c.metodoDePago AS comprobante_metodoDePago FROM Comprobante c %2 "
            "WHERE c.idNegocioFk = :negocio AND (c.tipo = :tipo1 OR c.tipo = :tipo2) "
            "AND (:comprobante IS NULL OR c.uuid LIKE :comprobante ESCAPE '!') "
            "AND c.fecha BETWEEN :fechaInicial AND :fechaFinal ORDER BY c.fecha ASC, c.idComprobante ASC")
            .arg(serieFolio, contraparte));
    setParametroEntero(QStringLiteral("negocio"), idNegocio);
    setParametroEntero(QStringLiteral("tipo1"), tipo1);
    setParametroEntero(QStringLiteral("tipo2"), tipo2);
    setParametroVariant(QStringLiteral("comprobante"), uuid);
    setParametroFechaHora(QStringLiteral("fechaInicial"), inicial);
    setParametroFechaHora(QStringLiteral("fechaFinal"), final_);
    return reader();
}

QVariant Tcomprobante::patronUuid(const QString &texto) {
    QString pieza = texto.trimmed();
    if (pieza.isEmpty())
        return {};
    pieza.replace(QLatin1Char('!'), QStringLiteral("!!"))
        .replace(QLatin1Char('%'), QStringLiteral("!%"))
        .replace(QLatin1Char('_'), QStringLiteral("!_"));
    return QVariant(QLatin1Char('%') + pieza + QLatin1Char('%'));
}

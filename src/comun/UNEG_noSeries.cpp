#include "comun/UNEG_noSeries.h"

#include "comun/U_entradaDelNegocio.h"
#include "datos/UcodigosInventario.h"
#include "datos/UtablaValores.h"

#include <algorithm>

namespace {
const QString kNegocio = QStringLiteral("idNegocio");
const QString kNumero = QStringLiteral("numero");
const QString kEntrada = QStringLiteral("entrada");
} // namespace

CmidTierResponse TnoSeries::selectNoSeriePorNumeroPorProducto(const QString &numero, int idProducto,
                                                              int idNegocio) {
    setQuery(QStringLiteral("SELECT s.id AS inventarioNoSerie_id FROM inventarioNoSerie s "
                            "JOIN inventarioEntrada e ON e.id = s.inventarioEntrada_id "
                            "WHERE s.numero = :numero AND e.inventarioProducto_id = :producto "
                            "AND e.idNegocioFk = :idNegocio"));
    setParametroTexto(kNumero, numero);
    setParametroEntero(QStringLiteral("producto"), idProducto);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse TnoSeries::selectNoSeriePorEntradaYNumero(int idEntrada, const QString &numero,
                                                           int idNegocio) {
    setQuery(QStringLiteral("SELECT s.id AS inventarioNoSerie_id FROM inventarioNoSerie s "
                            "JOIN inventarioEntrada e ON e.id = s.inventarioEntrada_id "
                            "WHERE s.inventarioEntrada_id = :entrada AND s.numero = :numero "
                            "AND e.idNegocioFk = :idNegocio"));
    setParametroEntero(kEntrada, idEntrada);
    setParametroTexto(kNumero, numero);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse TnoSeries::selectEntradaParaNoSerie(int idEntrada, int idNegocio) {
    setQuery(
        QStringLiteral("SELECT e.inventarioProducto_id AS inventarioProducto_id, e.cantidad AS cantidad, "
                       "(SELECT COUNT(*) FROM inventarioNoSerie s WHERE s.inventarioEntrada_id = e.id) "
                       "AS noSeries FROM inventarioEntrada e "
                       "WHERE e.id = :entrada AND e.idNegocioFk = :idNegocio"));
    setParametroEntero(kEntrada, idEntrada);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse TnoSeries::insertNoSerie(int idEntrada, const QString &numero, int idNegocio) {
    const TnoSerieNuevo serie{idEntrada, numero};
    return insertNoSeries(std::span(&serie, 1), idNegocio);
}

CmidTierResponse TnoSeries::insertNoSeries(std::span<const TnoSerieNuevo> series, int idNegocio) {
    CmidTierResponse r;
    u_enTramos(series, kSeriesPorSentencia, [&](std::span<const TnoSerieNuevo> tramo) {
        setQuery(QStringLiteral("INSERT INTO inventarioNoSerie (inventarioEntrada_id, numero) SELECT e.id, "
                                "v.numero FROM (") +
                 u_tablaDeValores({{'e', QStringLiteral("entrada")}, {'n', QStringLiteral("numero")}},
                                  tramo.size()) +
                 QStringLiteral(") v JOIN inventarioEntrada e ON e.id = v.entrada AND e.idNegocioFk = "
                                ":idNegocio ORDER BY v.orden"));
        for (std::size_t i = 0; i < tramo.size(); ++i) {
            const QString n = QString::number(i);
            setParametroEntero(QLatin1Char('e') + n, tramo[i].idEntrada);
            setParametroTexto(QLatin1Char('n') + n, tramo[i].numero);
        }
        setParametroEntero(kNegocio, idNegocio);
        r = nonQuery();
        if (r.isSuccess() && r.getFilasAfectadas() != int(tramo.size()))
            r = CmidTierResponse();
        return r.isSuccess();
    });
    return r;
}

CmidTierResponse TnoSeries::selectNoSeriePorEntradaLikeNumero(int idEntrada, const QString &patron,
                                                              int idNegocio) {
    setQuery(QStringLiteral(
        "SELECT s.id AS inventarioNoSerie_id, s.numero AS inventarioNoSerie_numero, "
        "s.inventarioNoSerieEstado_id "
        "AS inventarioNoSerieEstado_id, x.etiqueta AS inventarioNoSeriEstado_etiqueta FROM inventarioNoSerie "
        "s "
        "JOIN inventarioEntrada e ON e.id = s.inventarioEntrada_id LEFT JOIN inventarioNoSerieEstado x ON "
        "x.id = "
        "s.inventarioNoSerieEstado_id WHERE s.inventarioEntrada_id = :entrada AND e.idNegocioFk = :idNegocio "
        "AND s.numero LIKE :patron ESCAPE '!' ORDER BY s.numero, s.id"));
    setParametroEntero(kEntrada, idEntrada);
    setParametroEntero(kNegocio, idNegocio);
    setParametroTexto(QStringLiteral("patron"), patron);
    return reader();
}

CmidTierResponse TnoSeries::selectElementosEntrantesPorCapa(int idEntrada, int idNegocio) {
    setQuery(QStringLiteral("SELECT cantidad AS _admitidos FROM inventarioEntrada "
                            "WHERE id = :entrada AND idNegocioFk = :idNegocio"));
    setParametroEntero(kEntrada, idEntrada);
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

CmidTierResponse TnoSeries::selectNoSeriePorEntrada(int idEntrada, int idNegocio) {
    setQuery(QStringLiteral("SELECT s.id AS inventarioNoSerie_id, s.numero AS inventarioNoSerie_numero, "
                            "s.inventarioNoSerieEstado_id AS inventarioNoSerieEstado_id, "
                            "st.etiqueta AS inventarioNoSeriEstado_etiqueta FROM inventarioNoSerie s "
                            "LEFT JOIN inventarioNoSerieEstado st ON st.id = s.inventarioNoSerieEstado_id "
                            "WHERE s.inventarioEntrada_id IN ") +
             kEntradaDelNegocio + QStringLiteral(" ORDER BY s.id"));
    enlazaEntrada(*this, idEntrada, idNegocio);
    return reader();
}

CmidTierResponse TnoSeries::deleteNoSerie(int idNoSerie, int idEntrada, int idNegocio) {
    // Only a number still in the warehouse goes: one that left with an issue stays.
    setQuery(QStringLiteral("DELETE FROM inventarioNoSerie WHERE id = :id AND inventarioNoSerieEstado_id = "
                            ":enAlmacen AND inventarioSalida_id IS NULL AND inventarioEntrada_id IN ") +
             kEntradaDelNegocio);
    setParametroEntero(QStringLiteral("id"), idNoSerie);
    setParametroEntero(QStringLiteral("enAlmacen"), kSerieEnAlmacen);
    enlazaEntrada(*this, idEntrada, idNegocio);
    return unaFila(nonQuery());
}

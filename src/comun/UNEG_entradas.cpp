#include "comun/UNEG_entradas.h"

namespace {
const QString kNegocio = QStringLiteral("idNegocio");
const QString kNumero = QStringLiteral("numero");
const QString kEntrada = QStringLiteral("entrada");
} // namespace

CmidTierResponse Tentradas::selectNoSeriePorNumeroPorProducto(const QString &numero, int idProducto,
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

CmidTierResponse Tentradas::selectNoSeriePorEntradaYNumero(int idEntrada, const QString &numero,
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

CmidTierResponse Tentradas::selectEntradaParaNoSerie(int idEntrada, int idNegocio) {
    setQuery(
        QStringLiteral("SELECT e.inventarioProducto_id AS inventarioProducto_id, e.cantidad AS cantidad, "
                       "(SELECT COUNT(*) FROM inventarioNoSerie s WHERE s.inventarioEntrada_id = e.id) "
                       "AS noSeries FROM inventarioEntrada e "
                       "WHERE e.id = :entrada AND e.idNegocioFk = :idNegocio"));
    setParametroEntero(kEntrada, idEntrada);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tentradas::insertNoSerie(int idEntrada, const QString &numero, int idNegocio) {
    setQuery(QStringLiteral("INSERT INTO inventarioNoSerie (inventarioEntrada_id, numero) "
                            "SELECT e.id, :numero FROM inventarioEntrada e "
                            "WHERE e.id = :entrada AND e.idNegocioFk = :idNegocio"));
    setParametroEntero(kEntrada, idEntrada);
    setParametroTexto(kNumero, numero);
    setParametroEntero(kNegocio, idNegocio);
    CmidTierResponse r = nonQuery();
    if (r.isSuccess() && r.getFilasAfectadas() != 1)
        return CmidTierResponse();
    return r;
}

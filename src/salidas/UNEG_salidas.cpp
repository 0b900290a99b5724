#include "salidas/UNEG_salidas.h"

#include "comun/U_utilerias.h"
#include "datos/UcodigosInventario.h"
#include "datos/UfechaHora.h"

#include <QHash>

#include <cmath>

namespace {
const QString kNegocio = QStringLiteral("negocioID");
const QString kAlmacen = QStringLiteral("almacenID");

// Values of a line of updateEntradas, after the business (:v0) and the warehouse (:v1).
constexpr int kValoresPorCapa = 8;

// The text of updateEntradas for `n` lines, built once per size: a long issue runs it once per
// layer. Each layer's value and check are chosen by its id; the id list lets both engines find
// the rows by key. Every value has a name of its own: a name bound twice is not portable.
const QString &sentenciaCapas(int n) {
    thread_local QHash<int, QString> textos;
    QString &texto = textos[n];
    if (!texto.isEmpty())
        return texto;
    QString nuevas, ids, vigentes;
    for (int i = 0; i < n; ++i) {
        const auto v = [i](int k) { return TmiddleTier::marcadorValor(2 + kValoresPorCapa * i + k); };
        nuevas += QStringLiteral(" WHEN ") + v(0) + QStringLiteral(" THEN ") + v(1);
        ids += (i ? QStringLiteral(", ") : QString()) + v(2);
        vigentes += QStringLiteral(" WHEN ") + v(3) + QStringLiteral(" THEN inventarioProducto_id = ") +
                    v(4) + QStringLiteral(" AND existencia >= ") + v(5) +
                    QStringLiteral(" AND ABS(existencia - ") + v(6) + QStringLiteral(") <= ") + v(7);
    }
    texto = QStringLiteral("UPDATE inventarioEntrada SET existencia = CASE id") + nuevas +
            QStringLiteral(" END WHERE idNegocioFk = :v0 AND inventarioAlmacen_id = :v1 AND id IN (") + ids +
            QStringLiteral(") AND CASE id") + vigentes + QStringLiteral(" END");
    return texto;
}
} // namespace

CmidTierResponse Tsalidas::updateEntradas(std::span<const TlineaSalida> lineas, int idAlmacen,
                                          int idNegocio) {
    const int n = int(lineas.size());
    QVector<QVariant> valores;
    valores.reserve(2 + kValoresPorCapa * n);
    valores << QVariant::fromValue(qint64(idNegocio)) << QVariant::fromValue(qint64(idAlmacen));
    for (const TlineaSalida &l : lineas) {
        const QVariant id = QVariant::fromValue(qint64(l.entradaID));
        // The tolerance grows with the magnitude, so a remainder read back from its text still matches.
        const double tolerancia = kToleranciaCantidad * std::max(1.0, std::fabs(l.existenciaPrevia));
        valores << id << QVariant(FloatToStr(l.existencia)) << id << id
                << QVariant::fromValue(qint64(l.producto.id)) << QVariant(l.cantidad - tolerancia)
                << QVariant(l.existenciaPrevia) << QVariant(tolerancia);
    }
    setQuery(sentenciaCapas(n));
    setValoresEnOrden(valores, int(valores.size()));
    return nonQuery();
}

const QStringList &Tsalidas::columnasSalida() {
    static const QStringList kColumnas = {QStringLiteral("documento"),
                                          QStringLiteral("fechaHora"),
                                          QStringLiteral("inventarioEntrada_id"),
                                          QStringLiteral("idReceptor"),
                                          QStringLiteral("idComprobante"),
                                          QStringLiteral("inventarioMovimientoConcepto_id"),
                                          QStringLiteral("cantidad"),
                                          QStringLiteral("salidaCostoUnitario"),
                                          QStringLiteral("existenciaTotal"),
                                          QStringLiteral("existenciaCostoUnitario"),
                                          QStringLiteral("existenciaCostoTotal"),
                                          QStringLiteral("inventarioAlmacen_id"),
                                          QStringLiteral("inventarioProducto_id"),
                                          QStringLiteral("idNegocioFk")};
    return kColumnas;
}

QVector<QVariant> Tsalidas::valoresSalida(const TinventarioSalida &s) {
    return {s.documento,
            fechaHora::aTextoBD(s.fechaHora),
            s.inventarioEntrada_id,
            s.idReceptor,
            s.idComprobante,
            s.inventarioMovimientoConcepto_id,
            FloatToStr(s.cantidad),
            FloatToStr(s.salidaCostoUnitario),
            FloatToStr(s.existenciaTotal),
            FloatToStr(s.existenciaCostoUnitario),
            FloatToStr(s.existenciaCostoTotal),
            s.inventarioAlmacen_id,
            s.inventarioProducto_id,
            s.negocioID};
}

CmidTierResponse Tsalidas::selectIdsDocumento(int documento, int idNegocio) {
    setQuery(QStringLiteral("SELECT id FROM inventarioSalida WHERE idNegocioFk = :negocioID AND documento = "
                            ":documento ORDER BY id"));
    setParametroEntero(QStringLiteral("documento"), documento);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tsalidas::updateNoSeriesSalida(std::span<const TserieSalida> series, int idNegocio) {
    QString salidas, entradas, ids;
    for (std::size_t i = 0; i < series.size(); ++i) {
        const QString n = QString::number(i);
        salidas += QStringLiteral(" WHEN :i%1 THEN :s%1").arg(n);
        entradas += QStringLiteral(" WHEN :i%1 THEN :e%1").arg(n);
        ids += (i ? QStringLiteral(", :i") : QStringLiteral(":i")) + n;
    }
    setQuery(
        QStringLiteral("UPDATE inventarioNoSerie SET inventarioNoSerieEstado_id = :conSalida, "
                       "inventarioSalida_id = CASE id%1 END WHERE id IN (%2) AND "
                       "inventarioNoSerieEstado_id = :enAlmacen AND inventarioEntrada_id = CASE id%3 END "
                       "AND EXISTS (SELECT 1 FROM inventarioEntrada e WHERE e.id = "
                       "inventarioNoSerie.inventarioEntrada_id AND e.idNegocioFk = :negocioID)")
            .arg(salidas, ids, entradas));
    setParametroEntero(QStringLiteral("conSalida"), kSerieConSalida);
    setParametroEntero(QStringLiteral("enAlmacen"), kSerieEnAlmacen);
    for (std::size_t i = 0; i < series.size(); ++i) {
        const QString n = QString::number(i);
        setParametroEntero(QLatin1Char('i') + n, series[i].idNoSerie);
        setParametroEntero(QLatin1Char('s') + n, series[i].idSalida);
        setParametroEntero(QLatin1Char('e') + n, series[i].idEntrada);
    }
    setParametroEntero(QStringLiteral("negocioID"), idNegocio);
    return nonQuery();
}

CmidTierResponse Tsalidas::selectUltimoIdDocumentoSalida(int idNegocio) {
    setQuery(QStringLiteral("SELECT documento AS inventarioSalida_documento FROM inventarioSalida WHERE "
                            "idNegocioFk = :negocioID ORDER BY documento DESC LIMIT 1"));
    setParametroEntero(kNegocio, idNegocio);
    return scalar();
}

#include "comun/UNEG_numerosSerie.h"

#include "comun/UNEG_noSeries.h"
#include "comun/U_mensajes.h"
#include "comun/U_utilerias.h"

#include <QSet>
#include <algorithm>

QString noSerie::mensajeFila(int fila, const QString &mensaje) {
    return QStringLiteral("Fila: ") + QString::number(fila) + QStringLiteral("‚") + QStringLiteral("\n") +
           mensaje;
}

QString noSerie::confirmacionListado(int cantidad) {
    return QStringLiteral("Se detectaron ") + QString::number(cantidad) +
           QStringLiteral(" números de serie, ¿continuar?");
}

bool TcapturaNoSerie::registrado(const QString &numero) const {
    TnoSeries t(uSesion);
    const CmidTierResponse r = t.selectNoSeriePorNumeroPorProducto(numero, uProducto, uNegocio);
    // A failed lookup cannot prove the number new: it is refused like a recorded one.
    return !r.isSuccess() || r.getRowCount() > 0;
}

QString TcapturaNoSerie::validaNumero(const QString &numero, const QStringList &capturados) const {
    const QString n = numero.trimmed();
    if (n.size() > noSerie::kLargoMaximo)
        return noSerie::kDemasiadoLargo;
    if (capturados.contains(n))
        return noSerie::kDuplicadoEnLista;
    if (registrado(n))
        return noSerie::kRegistrado;
    return {};
}

noSerie::Tlistado TcapturaNoSerie::analizaListado(const QString &texto, const QStringList &capturados,
                                                  int requeridos) const {
    noSerie::Tlistado r;
    QSet<QString> vistos;
    const QStringList lineas = texto.split(QLatin1Char('\n'));
    for (int i = 0; i < lineas.size(); ++i) {
        const QString n = lineas[i].trimmed();
        if (n.isEmpty())
            continue;
        QString motivo;
        if (n.size() > noSerie::kLargoMaximo)
            motivo = noSerie::kDemasiadoLargo;
        else if (registrado(n))
            motivo = noSerie::kRegistrado;
        else if (vistos.contains(n))
            motivo = noSerie::kDuplicado;
        else if (capturados.contains(n))
            motivo = noSerie::kDuplicadoEnLista;
        if (!motivo.isEmpty())
            return {{}, noSerie::mensajeFila(i + 1, motivo)};
        vistos.insert(n);
        r.numeros.append(n);
    }
    if (r.numeros.size() + capturados.size() > requeridos)
        return {{}, noSerie::kExcedeCantidad};
    return r;
}

bool u_capturaNoSerieEnEntrada(TConexionSesion *sesion, int idEntrada, const QString &numero, int idNegocio) {
    const QString n = numero.trimmed();
    if (n.isEmpty())
        return false;
    TnoSeries t(sesion);
    auto rechaza = [&t](const QString &mensaje, int tipo = kAdvertencia) {
        if (t.enTransaccion())
            t.transaccionRollback();
        u_mensaje(mensaje, tipo);
        return false;
    };
    if (n.size() > noSerie::kLargoMaximo)
        return rechaza(noSerie::kDemasiadoLargo);
    // Checks and insert in one transaction, so two workstations cannot both add the last one.
    if (!t.transaccionInicia())
        return rechaza(noSerie::kNoGuardado, kError);
    const CmidTierResponse fila = t.selectEntradaParaNoSerie(idEntrada, idNegocio);
    if (!fila.isSuccess())
        return rechaza(noSerie::kNoGuardado, kError);
    if (fila.getRowCount() == 0)
        return rechaza(noSerie::kEntradaInexistente);
    const CmidTierResponse enFila = t.selectNoSeriePorEntradaYNumero(idEntrada, n, idNegocio);
    if (!enFila.isSuccess())
        return rechaza(noSerie::kNoGuardado, kError);
    if (enFila.getRowCount() > 0)
        return rechaza(noSerie::kDuplicado);
    const int idProducto = int(fila.getCeldaAsInt(0, QStringLiteral("inventarioProducto_id")));
    const CmidTierResponse enProducto = t.selectNoSeriePorNumeroPorProducto(n, idProducto, idNegocio);
    if (!enProducto.isSuccess())
        return rechaza(noSerie::kNoGuardado, kError);
    if (enProducto.getRowCount() > 0)
        return rechaza(noSerie::kRegistrado);
    const double cantidad = fila.getCeldaAsFloat(0, QStringLiteral("cantidad"));
    const qint64 admitidos = cantidad > 0 ? qint64(std::min(cantidad + kToleranciaCantidad, 1e15)) : 0;
    if (fila.getCeldaAsInt(0, QStringLiteral("noSeries")) >= admitidos)
        return rechaza(noSerie::kExcedeCantidad);
    if (!t.insertNoSerie(idEntrada, n, idNegocio).isSuccess() || !t.transaccionTermina())
        return rechaza(noSerie::kNoGuardado, kError);
    return true;
}

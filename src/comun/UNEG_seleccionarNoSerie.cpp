#include "comun/UNEG_seleccionarNoSerie.h"

#include "comun/UNEG_noSeries.h"
#include "comun/U_utilerias.h"
#include "datos/UcodigosInventario.h"

#include <cmath>

void TmarcasNoSerie::carga(const QVector<TfilaNoSerie> &filas, const Tespacios &seleccionados,
                           int requeridos) {
    uFilas = filas;
    uRequeridos = requeridos;
    for (TfilaNoSerie &f : uFilas)
        f.marcado = seleccionados.contains(f.id);
}

bool TmarcasNoSerie::alterna(int fila) {
    if (fila < 0 || fila >= uFilas.size())
        return false;
    TfilaNoSerie &f = uFilas[fila];
    if (f.marcado) {
        f.marcado = false;
        return true;
    }
    if (f.estado != kSerieEnAlmacen || marcados() >= uRequeridos)
        return false;
    f.marcado = true;
    return true;
}

void TmarcasNoSerie::todos() {
    for (TfilaNoSerie &f : uFilas)
        f.marcado = false;
    int marcadas = 0;
    for (TfilaNoSerie &f : uFilas) {
        if (marcadas >= uRequeridos)
            break;
        if (f.estado == kSerieEnAlmacen) {
            f.marcado = true;
            ++marcadas;
        }
    }
}

void TmarcasNoSerie::ninguno() {
    for (TfilaNoSerie &f : uFilas)
        if (f.estado == kSerieEnAlmacen)
            f.marcado = false;
}

int TmarcasNoSerie::marcados() const {
    int n = 0;
    for (const TfilaNoSerie &f : uFilas)
        n += f.marcado ? 1 : 0;
    return n;
}

QString TmarcasNoSerie::texto() const {
    return QStringLiteral("%1/%2").arg(marcados()).arg(uRequeridos);
}

Tespacios TmarcasNoSerie::seleccion() const {
    Tespacios ids;
    for (const TfilaNoSerie &f : uFilas)
        if (f.marcado)
            ids.append(f.id);
    return ids;
}

bool u_leeNumerosSerie(TConexionSesion *sesion, int idNegocio, int idEntrada, const QString &prefijo,
                       QVector<TfilaNoSerie> &filas) {
    QString patron = prefijo.trimmed();
    patron.replace(QLatin1Char('!'), QStringLiteral("!!"))
        .replace(QLatin1Char('%'), QStringLiteral("!%"))
        .replace(QLatin1Char('_'), QStringLiteral("!_"));
    TnoSeries entradas(sesion);
    const CmidTierResponse r =
        entradas.selectNoSeriePorEntradaLikeNumero(idEntrada, patron + QLatin1Char('%'), idNegocio);
    if (!r.isSuccess())
        return false;
    filas.clear();
    for (int i = 0; i < r.getRowCount(); ++i) {
        TfilaNoSerie f;
        f.id = int(r.getCeldaAsInt(i, QStringLiteral("inventarioNoSerie_id")));
        f.numero = r.getCelda(i, QStringLiteral("inventarioNoSerie_numero"));
        f.estado = int(r.getCeldaAsInt(i, QStringLiteral("inventarioNoSerieEstado_id")));
        f.etiqueta = r.getCelda(i, QStringLiteral("inventarioNoSeriEstado_etiqueta"));
        filas.append(f);
    }
    return true;
}

int u_numerosSerieAdmitidos(TConexionSesion *sesion, int idNegocio, int idEntrada) {
    TnoSeries entradas(sesion);
    const double cantidad =
        entradas.selectElementosEntrantesPorCapa(idEntrada, idNegocio).getScalar().toDouble();
    return int(std::floor(cantidad + kToleranciaCantidad));
}

#include "kardex/UNEG_escritorKardex.h"

#include "datos/ULog.h"

namespace {
// Rows held before a batch of groups is written.
constexpr int kRenglonesPorLote = 1000;
const QString kPuntoLote = QStringLiteral("kardex_lote");
const QString kPuntoGrupo = QStringLiteral("kardex_grupo");
} // namespace

TescritorKardex::TescritorKardex(Topciones &opciones)
    : uOpciones(opciones), uInsercion(opciones.insercionRenglonesKardex()),
      uEntradas(opciones.updateTablaEntradas()), uSalidas(opciones.updateTablaSalidas()) {}

TescritorKardex::~TescritorKardex() = default;

bool TescritorKardex::inserta(const TkardexRenglon &renglon) {
    return uInsercion->agrega(renglonKardex::valores(renglon));
}

void TescritorKardex::escribeGrupo(const QVector<TkardexRenglon> &grupo) {
    if (grupo.isEmpty())
        return;
    uGrupos.append(grupo);
    uRenglonesRetenidos += int(grupo.size());
    if (uRenglonesRetenidos >= kRenglonesPorLote)
        escribeLote();
}

bool TescritorKardex::escribeConPunto(const QString &punto, int desde, int hasta) {
    if (!uOpciones.puntoGuardado(punto))
        return false;
    bool ok = true;
    for (int g = desde; ok && g < hasta; ++g) {
        for (const TkardexRenglon &r : uGrupos[g]) {
            ok = inserta(r);
            if (!ok)
                break;
        }
    }
    ok = ok && uInsercion->vacia();
    if (!ok) {
        uInsercion->descarta();
        uOpciones.regresaAPunto(punto);
    }
    uOpciones.liberaPunto(punto);
    return ok;
}

void TescritorKardex::escribeLote() {
    const int grupos = int(uGrupos.size());
    if (!escribeConPunto(kPuntoLote, 0, grupos)) {
        for (int g = 0; g < grupos; ++g) {
            if (escribeConPunto(kPuntoGrupo, g, g + 1))
                continue;
            ++uGruposFallidos;
            const TkardexRenglon &primero = uGrupos[g].first();
            Log::log(QStringLiteral("kardex: grupo no escrito"), 1,
                     QStringLiteral("almacén %1, producto %2, grupo %3, %4 renglones")
                         .arg(primero.almacenID)
                         .arg(primero.productoID)
                         .arg(primero.grupo.toString())
                         .arg(uGrupos[g].size()));
        }
    }
    uRenglones = uInsercion->filasEscritas();
    uGrupos.clear();
    uRenglonesRetenidos = 0;
}

bool TescritorKardex::escribeRenglon(const TkardexRenglon &renglon) {
    uFallo = uFallo || !inserta(renglon);
    uRenglones = uInsercion->filasEscritas();
    return !uFallo;
}

bool TescritorKardex::actualizaEntrada(qint64 id, const QString &costoUnitario, const QString &costoTotal,
                                       const QString &existencia) {
    uFallo = uFallo || !uEntradas->agrega({costoUnitario, costoTotal, existencia, id});
    ++uActualizaciones;
    return !uFallo;
}

bool TescritorKardex::actualizaSalida(qint64 id, const QString &salidaCostoUnitario,
                                      const QString &costoUnitario, const QString &costoTotal,
                                      const QString &existencia) {
    uFallo = uFallo || !uSalidas->agrega({salidaCostoUnitario, costoUnitario, costoTotal, existencia, id});
    ++uActualizaciones;
    return !uFallo;
}

bool TescritorKardex::termina() {
    if (!uGrupos.isEmpty())
        escribeLote();
    if (!uFallo)
        uFallo = !uInsercion->vacia() || !uEntradas->vacia() || !uSalidas->vacia();
    uRenglones = uInsercion->filasEscritas();
    return !uFallo;
}

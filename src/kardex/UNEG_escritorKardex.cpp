#include "kardex/UNEG_escritorKardex.h"

TescritorKardex::TescritorKardex(TescrituraKardex &escritura)
    : uInsercion(escritura.insercionRenglonesKardex()), uEntradas(escritura.updateTablaEntradas()),
      uSalidas(escritura.updateTablaSalidas()) {}

TescritorKardex::~TescritorKardex() = default;

bool TescritorKardex::escribeGrupo(const QVector<TkardexRenglon> &grupo) {
    for (const TkardexRenglon &r : grupo)
        if (!escribeRenglon(r))
            return false;
    return true;
}

bool TescritorKardex::escribeRenglon(const TkardexRenglon &renglon) {
    uFallo = uFallo || !uInsercion->agrega(renglonKardex::valores(renglon));
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
    if (!uFallo)
        uFallo = !uInsercion->vacia() || !uEntradas->vacia() || !uSalidas->vacia();
    return !uFallo;
}

#include "comun/U_existenciasDocumento.h"

#include "datos/UactualizacionMultiple.h"
#include "datos/UinsercionMultiple.h"

#include <utility>

void TexistenciasDocumento::fija(int idProducto, int idExistencia, double existencia) {
    const auto i = uIndice.constFind(idProducto);
    if (i != uIndice.cend()) {
        uFilas[*i].existencia = existencia;
        return;
    }
    uIndice.insert(idProducto, int(uFilas.size()));
    uFilas.append({idProducto, idExistencia, existencia});
}

bool TexistenciasDocumento::escribe() {
    const QVector<Tfila> filas = std::exchange(uFilas, {});
    uIndice.clear();
    TinsercionMultiple nuevas(uMt, QStringLiteral("inventarioExistencias"),
                              {QStringLiteral("inventarioAlmacen_id"),
                               QStringLiteral("inventarioProducto_id"), QStringLiteral("existencia")});
    TactualizacionMultiple cambiadas(uMt, QStringLiteral("inventarioExistencias"),
                                     {QStringLiteral("existencia")});
    for (const Tfila &f : filas) {
        const bool ok = f.id > 0 ? cambiadas.agrega({f.existencia, f.id})
                                 : nuevas.agrega({uAlmacen, f.producto, f.existencia});
        if (!ok)
            return false;
    }
    return nuevas.vacia() && cambiadas.vacia();
}

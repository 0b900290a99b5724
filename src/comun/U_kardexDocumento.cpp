#include "comun/U_kardexDocumento.h"

#include "datos/UinsercionMultiple.h"

#include <utility>

namespace {
// Rows to a statement: a small document's rows (most are) in one statement of their own number,
// a larger one's in powers of two up to kFilasMaximas, so a document's rows take a few statements
// of at most a dozen sizes, each prepared once on the connection. 128 rows of 18 values stay well
// under the bound parameters either engine accepts in one statement.
constexpr int kFilasJuntas = 8;
constexpr int kFilasMaximas = 128;

int filasDelTramo(int pendientes) {
    if (pendientes <= kFilasJuntas)
        return pendientes;
    int filas = kFilasMaximas;
    while (filas > pendientes)
        filas /= 2;
    return filas;
}
} // namespace

bool TkardexDocumento::escribe() {
    const QVector<TkardexRenglon> renglones = std::exchange(uRenglones, {});
    for (int desde = 0; desde < renglones.size();) {
        const int filas = filasDelTramo(int(renglones.size()) - desde);
        TinsercionMultiple insercion(uMt, QStringLiteral("inventarioKardex"), renglonKardex::columnas(),
                                     filas);
        for (int i = desde; i < desde + filas; ++i)
            if (!insercion.agrega(renglonKardex::valores(renglones[i])))
                return false;
        // The writer may hold fewer rows to a statement than asked (SQLite): what is left goes now.
        if (!insercion.vacia())
            return false;
        desde += filas;
    }
    return true;
}

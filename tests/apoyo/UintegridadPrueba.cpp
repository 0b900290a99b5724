#include "apoyo/UintegridadPrueba.h"

#include "datos/UmiddleTier.h"

namespace {

struct Tregla {
    const char *hallazgo;
    const char *sentencia; // answers the ids that break the rule
};

const Tregla kReglas[] = {
    {"entrada sin renglón de kardex",
     "SELECT e.id FROM inventarioEntrada e WHERE NOT EXISTS (SELECT 1 FROM inventarioKardex k WHERE "
     "k.inventarioEntrada_id = e.id AND k.documentoEntrada = e.documento AND k.idNegocioFk = e.idNegocioFk)"},
    {"salida sin renglón de kardex",
     "SELECT s.id FROM inventarioSalida s JOIN inventarioEntrada e ON e.id = s.inventarioEntrada_id WHERE "
     "NOT "
     "EXISTS (SELECT 1 FROM inventarioKardex k WHERE k.documentoSalida = s.documento AND "
     "k.salidaEntradaRelacionada = s.inventarioEntrada_id AND k.idNegocioFk = e.idNegocioFk)"},
    {"renglón de kardex de una entrada que no existe",
     "SELECT k.id FROM inventarioKardex k WHERE k.documentoEntrada IS NOT NULL AND NOT EXISTS (SELECT 1 FROM "
     "inventarioEntrada e WHERE e.documento = k.documentoEntrada AND e.idNegocioFk = k.idNegocioFk)"},
    {"renglón de kardex de una salida que no existe",
     "SELECT k.id FROM inventarioKardex k WHERE k.documentoSalida IS NOT NULL AND NOT EXISTS (SELECT 1 FROM "
     "inventarioSalida s JOIN inventarioEntrada e ON e.id = s.inventarioEntrada_id WHERE s.documento = "
     "k.documentoSalida AND e.idNegocioFk = k.idNegocioFk)"},
    {"salida que no dice el almacén, producto y negocio de su capa",
     "SELECT s.id FROM inventarioSalida s LEFT JOIN inventarioEntrada e ON e.id = s.inventarioEntrada_id "
     "WHERE e.id IS NULL OR e.inventarioAlmacen_id <> s.inventarioAlmacen_id OR e.inventarioProducto_id <> "
     "s.inventarioProducto_id OR e.idNegocioFk <> s.idNegocioFk"},
    {"capa que no cuadra con sus salidas",
     "SELECT e.id FROM inventarioEntrada e LEFT JOIN inventarioSalida s ON s.inventarioEntrada_id = e.id "
     "GROUP BY e.id, e.existencia, e.cantidad "
     "HAVING ABS(e.existencia - (e.cantidad - COALESCE(SUM(s.cantidad), 0))) > 0.000001"},
};

} // namespace

QStringList u_documentosIncompletos(TConexionSesion *sesion) {
    QStringList hallazgos;
    for (const Tregla &regla : kReglas) {
        TmiddleTier mt(sesion);
        mt.setQuery(QString::fromLatin1(regla.sentencia));
        const CmidTierResponse r = mt.reader();
        if (!r.isSuccess())
            hallazgos << QStringLiteral("no se pudo leer: ") + QString::fromUtf8(regla.hallazgo);
        for (int f = 0; f < r.getRowCount(); ++f)
            hallazgos
                << QStringLiteral("%1 (id %2)").arg(QString::fromUtf8(regla.hallazgo), r.getCelda(f, 0));
    }
    return hallazgos;
}

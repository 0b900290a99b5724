#pragma once

#include "datos/UmiddleTier.h"

// The start-up check's table state and the table changes it makes on older databases: the
// table-state record, the options column and the product columns the module reads.
class TestadoTablas : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // The table-state record (value 170610 and up means the upgrades of that state are in).
    static constexpr int kEstadoTablasActual = 170610;

    CmidTierResponse selectTablaEstado();
    CmidTierResponse insertTablaEstado();
    CmidTierResponse selectColumnaSnap();
    CmidTierResponse insertTablaEstadoSnap();
    CmidTierResponse alterAgregaColumnaOpciones();
    // Brings an older product table up to the columns the module reads (SQLite databases only:
    // MariaDB databases were always created whole).
    CmidTierResponse actualizaTablaProducto();

private:
    bool columnaExiste(const QString &tabla, const QString &columna);
};

#pragma once

#include "datos/UfechaHora.h"
#include "datos/UmiddleTier.h"

// The suite's options data class: the business's options record, the table-state record the
// start-up check reads, the valuation method and the movement concepts.
class Topciones : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // The table-state record (value 170610 and up means the upgrades of that state are in).
    static constexpr int kEstadoTablasActual = 170610;

    CmidTierResponse selectRegistroOpciones(int idNegocio);
    CmidTierResponse insertRegistroOpciones(int idNegocio);
    CmidTierResponse updateVersionTablaSalidas(int version, int idNegocio);
    CmidTierResponse selectVersionTablaSalidas(int idNegocio);
    CmidTierResponse alterAgregaColumnaOpciones();
    CmidTierResponse selectCapasPorProductoNegocioFecha(TDateTime desde, TDateTime hasta, int idProducto,
                                                        int idNegocio);

    CmidTierResponse selectTablaEstado();
    CmidTierResponse insertTablaEstado();
    CmidTierResponse selectColumnaSnap();
    CmidTierResponse insertTablaEstadoSnap();
    // Brings an older product table up to the columns the module reads (SQLite databases only:
    // MariaDB databases were always created whole).
    CmidTierResponse actualizaTablaProducto();

    CmidTierResponse selectMetodoValoracionInventario(int idNegocio);
    CmidTierResponse insertMetodoValoracionInventario(int idNegocio, int metodo);

    CmidTierResponse selectMovimientoConcepto(int direccion, int idNegocio);
    CmidTierResponse selectMovimientoConceptoPorNombre(const QString &nombre, int idNegocio);
    // A concept the user creates is an ordinary one (family 1); modulo is the accounting module
    // prefix of its entry (610, 620…, 0 without one).
    CmidTierResponse insertMovimientoConcepto(const QString &etiqueta, int direccion,
                                              const QVariant &idAsiento, int modulo, int idNegocio);
    // Relabels a concept of the business; a null idAsiento keeps its accounting entry (and module
    // prefix), otherwise both are replaced.
    CmidTierResponse updateMovimientoConcepto(int id, const QString &etiqueta, const QVariant &idAsiento,
                                              int modulo, int idNegocio);
    // The business's basic accounting entries whose module number matches the LIKE pattern
    // ("61%" receipt entries, "62%" issue entries).
    CmidTierResponse selectAsientos(const QString &filtro, int idNegocio);

private:
    bool columnaExiste(const QString &tabla, const QString &columna);
};

#pragma once

#include "comun/UMOD_kardexRenglon.h"
#include "datos/UactualizacionMultiple.h"
#include "datos/UinsercionMultiple.h"
#include "datos/UmiddleTier.h"

#include <memory>

// The ledger's writes outside the postings: one ledger row, the rebuild's rows several to a
// statement, emptying the business's ledger, and the running stock columns the rebuild restates.
class TescrituraKardex : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    CmidTierResponse insertRenglonKardex(const TkardexRenglon &renglon);
    // Ledger rows written several to a statement (the rebuild).
    std::unique_ptr<TinsercionMultiple> insercionRenglonesKardex();
    CmidTierResponse deleteInventarioKardex(int idNegocio);
    // The running stock columns of receipts (existenciaCostoUnitario, existenciaCostoTotal,
    // existenciaTotal, then the id) and of issues (salidaCostoUnitario, existenciaCostoUnitario,
    // existenciaCostoTotal, existenciaTotal, then the id), several rows to a statement.
    std::unique_ptr<TactualizacionMultiple> updateTablaEntradas();
    std::unique_ptr<TactualizacionMultiple> updateTablaSalidas();
};

#pragma once

#include "comun/UMOD_entradaInformacionOpcional.h"
#include "comun/UMOD_inventarioEntrada.h"
#include "comun/UNEG_movimientosInventario.h"

// The receipt posting's statements: the document number, the receipt row and what a line carries
// with it (returned-issue link, provider link, declaration, lot, property values). The shared
// checks and the stock row come from TmovimientosInventario.
class Tentradas : public TmovimientosInventario {
public:
    using TmovimientosInventario::TmovimientosInventario;

    // Column sizes of the optional data, so long texts are cut instead of refused by MariaDB.
    static constexpr int kLargoNumero = 50;
    static constexpr int kLargoPais = 150;
    static constexpr int kLargoValorPropiedad = 250;

    // Scalar: the business's highest receipt document number (null when there is none).
    CmidTierResponse selectUltimoIdDocumentoEntrada(int idNegocio);
    // A receipt row's columns and the values it stores, for the posting's multi-row inserts.
    static const QStringList &columnasEntrada();
    static QVector<QVariant> valoresEntrada(const TinventarioEntrada &entrada);
    // The ids of a receipt document's rows, in the order they were written.
    CmidTierResponse selectIdsDocumento(int documento, int idNegocio);
    // Ties a receipt that takes goods back to the issue row it returns.
    CmidTierResponse insertEntradaAdicional(int idEntrada, int idSalida);
    CmidTierResponse insertPedimento(const Tpedimento &pedimento);
    CmidTierResponse insertLote(const Tlote &lote);
    CmidTierResponse insertProductoPropiedad(int idEntrada, int idPropiedad, const QString &valor);
    // The issue row a return takes goods back from, when it is the business's: "producto_id",
    // "almacen_id" and "_restante" (its quantity less what earlier returns took back).
    CmidTierResponse selectSalidaParaDevolucion(int idSalida, int idNegocio);
};

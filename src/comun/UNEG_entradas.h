#pragma once

#include "comun/UMOD_entradaInformacionOpcional.h"
#include "comun/UMOD_inventarioEntrada.h"
#include "comun/UNEG_movimientosInventario.h"

// The suite's receipts data class. Every statement is confined to the business: a receipt row of
// another business is invisible and cannot take serial numbers.
class Tentradas : public TmovimientosInventario {
public:
    using TmovimientosInventario::TmovimientosInventario;

    // Column sizes of the optional data, so long texts are cut instead of refused by MariaDB.
    static constexpr int kLargoNumero = 50;
    static constexpr int kLargoPais = 150;
    static constexpr int kLargoValorPropiedad = 250;

    // Scalar: the business's highest receipt document number (null when there is none).
    CmidTierResponse selectUltimoIdDocumentoEntrada(int idNegocio);
    // The new row's id in getIdInsertado().
    CmidTierResponse insertEntrada(const TinventarioEntrada &entrada);
    // Ties a receipt that takes goods back to the issue row it returns.
    CmidTierResponse insertEntradaAdicional(int idEntrada, int idSalida);
    CmidTierResponse insertProveedor(int idEntrada, int idProveedor);
    CmidTierResponse insertPedimento(const Tpedimento &pedimento);
    CmidTierResponse insertLote(const Tlote &lote);
    CmidTierResponse insertProductoPropiedad(int idEntrada, int idPropiedad, const QString &valor);
    // The issue row a return takes goods back from, when it is the business's: "producto_id",
    // "almacen_id" and "_restante" (its quantity less what earlier returns took back).
    CmidTierResponse selectSalidaParaDevolucion(int idSalida, int idNegocio);

    // The serial numbers of a receipt row whose number matches the LIKE pattern, by number:
    // "inventarioNoSerie_id", "inventarioNoSerie_numero", "inventarioNoSerieEstado_id",
    // "inventarioNoSeriEstado_etiqueta".
    CmidTierResponse selectNoSeriePorEntradaLikeNumero(int idEntrada, const QString &patron, int idNegocio);
    // Scalar: the receipt row's quantity, whose whole units are the serial numbers it admits.
    CmidTierResponse selectElementosEntrantesPorCapa(int idEntrada, int idNegocio);

    // Any row: the serial number is already recorded for the product.
    CmidTierResponse selectNoSeriePorNumeroPorProducto(const QString &numero, int idProducto, int idNegocio);
    // Any row: the receipt row already carries that serial number.
    CmidTierResponse selectNoSeriePorEntradaYNumero(int idEntrada, const QString &numero, int idNegocio);
    // One row with the receipt row's "inventarioProducto_id", "cantidad" and "noSeries" (how many
    // serial numbers it carries); no row when it is not the business's.
    CmidTierResponse selectEntradaParaNoSerie(int idEntrada, int idNegocio);
    // Inserts nothing (and reports failure) when the receipt row is not the business's.
    CmidTierResponse insertNoSerie(int idEntrada, const QString &numero, int idNegocio);
};

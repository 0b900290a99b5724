#pragma once

#include "comun/UMOD_entradaInformacionOpcional.h"
#include "comun/UMOD_inventarioEntrada.h"
#include "comun/UNEG_movimientosInventario.h"

#include <QDateTime>
#include <QVariant>

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

    // The serial numbers of a receipt row whose number matches the LIKE pattern, by number:
    // "inventarioNoSerie_id", "inventarioNoSerie_numero", "inventarioNoSerieEstado_id",
    // "inventarioNoSeriEstado_etiqueta".
    CmidTierResponse selectNoSeriePorEntradaLikeNumero(int idEntrada, const QString &patron, int idNegocio);
    // Scalar: the receipt row's quantity, whose whole units are the serial numbers it admits.
    CmidTierResponse selectElementosEntrantesPorCapa(int idEntrada, int idNegocio);

    // --- Receipts list and detail (UNEG_entradasConsultas.cpp) ---

    // Filters of the receipts list; a null value does not filter.
    struct TfiltroEntradas {
        QDateTime inicial;
        QDateTime final_;
        QVariant almacen;
        QVariant concepto;
        QVariant producto;
        QVariant documento;
        QVariant proveedor;
        QVariant proveedorRfc; // also the receipts invoiced by that RFC
        QVariant lote;         // a LIKE pattern (ESCAPE '!')
        // Lot dates; an invalid date-time does not filter.
        QDateTime produccionInicial, produccionFinal;
        QDateTime caducidadInicial, caducidadFinal;
    };
    // One row per receipt row of the business, newest document first, with the aliases of the list.
    CmidTierResponse selectEntradas(const TfiltroEntradas &filtro, int idNegocio);
    // The receipt row with its warehouse, product, units, invoice and provider; no row when it is
    // not the business's.
    CmidTierResponse selectEntrada(int idEntrada, int idNegocio);
    CmidTierResponse selectPedimento(int idEntrada, int idNegocio);
    CmidTierResponse selectLote(int idEntrada, int idNegocio);
    CmidTierResponse selectNoSeriePorEntrada(int idEntrada, int idNegocio);
    // The properties of a category (id, name) and the values a receipt row holds for them.
    CmidTierResponse selectAdicionales(const QString &categoria, int idNegocio);
    // Every value the receipt row holds: "inventarioPropiedadListado_id",
    // "inventarioProductoPropiedad_valor".
    CmidTierResponse selectValores(int idEntrada, int idNegocio);
    // Deletes a serial number of the receipt row only while it is in the warehouse.
    CmidTierResponse deleteNoSerie(int idNoSerie, int idEntrada, int idNegocio);
    CmidTierResponse selectPropiedad(int idEntrada, int idPropiedad, int idNegocio);
    CmidTierResponse insertPropiedad(int idEntrada, int idPropiedad, const QString &valor, int idNegocio);
    CmidTierResponse updatePropiedad(int idEntrada, int idPropiedad, const QString &valor, int idNegocio);
    // The provider link of a receipt row: removed whole, or one new link (provider of the business).
    CmidTierResponse deleteEntradaProveedor(int idEntrada, int idNegocio);
    CmidTierResponse insertEntradaProveedor(int idEntrada, int idProveedor, int idNegocio);
    // Links the receipt row to an invoice of the business; no row changes otherwise.
    CmidTierResponse updateEntradaComprobanteID(int idEntrada, int idComprobante, int idNegocio);

    // --- Purchase-order line state (UNEG_entradasConsultas.cpp) ---

    // What a purchase-order line was matched to and how much of it arrived so far.
    struct TinventarioOrdenesCompraArticulos {
        int idLinea = 0; // AF_ID
        double cantidadAcumulada = 0;
        int idProducto = 0;
        int idUnidadRecibido = 0;
        double factorConversion = 1;
    };
    // Both write only for a line of an order of the business.
    CmidTierResponse insertOrdenArticuloEstado(const TinventarioOrdenesCompraArticulos &estado,
                                               int idNegocio);
    CmidTierResponse updateOrdenArticuloEstado(const TinventarioOrdenesCompraArticulos &estado,
                                               int idNegocio);
    // Marks the order 1 (partly received) or 2 (every line complete) from its lines' state.
    CmidTierResponse updateAFOrdenesCompras(int numeroOrden, int idNegocio);

    // --- Serial numbers ---

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

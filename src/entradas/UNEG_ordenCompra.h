#pragma once

#include "datos/UmiddleTier.h"

#include <QDateTime>
#include <QVariant>

// The suite's purchase orders as receipts see them: the open orders to receive and their lines
// with what each line was matched to and how much of it arrived so far.
class TordenCompra : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // Order states (AF_OrdenPendiente, null read as 0) and the icon names the lists show.
    static constexpr int kSinCaptura = 0, kCapturaParcial = 1, kCapturaCompleta = 2;
    static QString iconoEstado(int estado);

    // Uncancelled orders for the warehouse (AF_Destino 1) delivered in the range. A non-null
    // name or RFC is a LIKE pattern as typed (the user writes any % wildcards).
    CmidTierResponse selectOrdenCompra(const QVariant &proveedorNombre, const QVariant &proveedorRfc,
                                       const QDateTime &inicial, const QDateTime &final_, int idNegocio);
    // The order's lines with their state; nothing for another business's order.
    CmidTierResponse selectOrdenCompraArticulos(int numeroOrden, int idNegocio);
};

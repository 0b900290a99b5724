#pragma once

#include "datos/UmiddleTier.h"

#include <QDate>
#include <QVariant>

// The invoice lists of the invoice selection. Both give the grid's aliases: the invoice, its
// counterpart's RFC and name ("_rfc", "_nombre"), amounts and payment method, oldest first.
class Tcomprobante : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // Invoice types of each side: expense 1 and its credit note 11, income 0 and its credit note 12.
    static constexpr int kEgreso = 1, kEgresoNota = 11, kIngreso = 0, kIngresoNota = 12;

    // Invoices whose counterpart is the issuer (the expense side, tipos 1 and 11).
    CmidTierResponse selectComprobantesIngresos(int idNegocio, int tipo1, int tipo2, const QVariant &uuid,
                                                const QDateTime &inicial, const QDateTime &final_);
    // Invoices whose counterpart is the receiver (the income side, tipos 0 and 12).
    CmidTierResponse selectComprobantesEgresos(int idNegocio, int tipo1, int tipo2, const QVariant &uuid,
                                               const QDateTime &inicial, const QDateTime &final_);

    // The UUID condition for a typed piece: null (no condition) when it is blank, otherwise a
    // LIKE pattern that takes the piece literally.
    static QVariant patronUuid(const QString &texto);

private:
    CmidTierResponse selectComprobantes(bool porEmisor, int idNegocio, int tipo1, int tipo2,
                                        const QVariant &uuid, const QDateTime &inicial,
                                        const QDateTime &final_);
};

#pragma once

#include "datos/UmiddleTier.h"

#include <QDate>
#include <QString>

// The issues list's criteria as the screen gathers them: dates are whole days, texts as typed,
// empty or zero for "no filter". The statement turns them into bound parameters.
struct TfiltroSalidas {
    QDate fechaInicial;
    QDate fechaFinal;
    int almacenID = 0;
    QString productoNombre;
    QString documento;
    QString loteNumero;
    QString clienteNombre;
    // The highest stock (as an integer) of the product in the layer's warehouse.
    QString existencia;
    bool produccion = false;
    QDate produccionInicial;
    QDate produccionFinal;
    bool caducidad = false;
    QDate caducidadInicial;
    QDate caducidadFinal;
    int negocioID = 0;
};

// The statements of the issues list and the issue detail. An issue row has no business of its
// own: every read and write goes through the layer it consumed (inventarioEntrada.idNegocioFk).
class TsalidasConsulta : public TmiddleTier {
public:
    using TmiddleTier::TmiddleTier;

    // Issue rows of the range, oldest first, with their layer, warehouse, product, invoice,
    // concept, lot, receiver and the product's stock in the warehouse. Lot dates come only when
    // established. A document or stock filter that is not a number matches nothing.
    CmidTierResponse selectSalidasTodo(const TfiltroSalidas &filtro);

    // Sold lines of quotations (with a sale date) and point-of-sale tickets of the range, summed
    // per product, kit and list price; kit components are left out (their kit line counts).
    // Null product, warehouse or kit: every one.
    CmidTierResponse selectDesgloceEntreFechas(const QDate &fechaInicial, const QDate &fechaFinal,
                                               const QVariant &productoID, const QVariant &almacenID,
                                               const QVariant &kitID, int negocioID);

    // One issue row of the business with its layer, product, category, unit, invoice and receiver;
    // no row when it belongs to another business.
    CmidTierResponse selectSalida(int salidaID, int negocioID);

    // Links the invoice to this one issue row; affects nothing unless both belong to the business.
    CmidTierResponse updateSalidaComprobanteID(int salidaID, int comprobanteID, int negocioID);
};

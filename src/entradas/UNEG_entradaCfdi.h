#pragma once

#include "comun/UMOD_capturaCatalogos.h"
#include "comun/U_comprobante.h"
#include "entradas/UNEG_capturaEntrada.h"
#include "entradas/UNEG_posteoEntrada.h"
#include "entradas/UREC_comprobante.h"
#include "entradas/U_lectorCfdi.h"

#include <QPair>

class TConexionSesion;

// What a supplier's CFDI fills the receipt capture with, worked out against the business's data:
// the provider (by RFC), the invoice (by UUID), one line per concept with the product matched by
// the link the user made the last time this supplier sent that key, else by product key, else by
// barcode; unmatched lines carry no product until the user links one.
struct TllenadoCfdi {
    QString error;               // the refusal, worded for the user; empty when usable
    TproveedorCaptura proveedor; // id 0: not registered (name and RFC from the CFDI)
    TComprobante comprobante;    // not valid: the invoice is not registered
    QString uuid;
    QVector<TrenglonCaptura> renglones; // productoID 0: still to link

    int sinRelacionar() const;
    // What the user should know once the screen is filled (invoice not registered, lines to
    // link); empty when nothing.
    QString aviso() const;
};

class TentradaCfdi {
public:
    TentradaCfdi(TConexionSesion *sesion, int idNegocio);

    // Refused when the CFDI is not addressed to the business, is not an income voucher (the
    // supplier's sale) or its UUID already went into a receipt of the business.
    TllenadoCfdi llena(const Tcfdi &cfdi) const;
    // Registers the provider the CFDI names; the new id, or 0 with the reason in `error`.
    int creaProveedor(const TproveedorCaptura &proveedor, QString &error) const;

private:
    TrenglonCaptura renglon(const Tcfdi &cfdi, const TconceptoCfdi &concepto) const;
    TproductoSeleccionadoDescripcion producto(const QString &rfc, const QString &clave) const;

    TConexionSesion *uSesion;
    int uNegocio;
};

// The registered invoice as the invoice chooser hands it over.
UREC_comprobante u_recComprobante(const TComprobante &comprobante);

// The line of a CFDI concept taken by a product the user picked: same quantity, cost and
// customs data in the product's own unit; the link is remembered when the receipt is saved.
TrenglonArmado u_relacionaRenglonCfdi(const TrenglonCaptura &renglon,
                                      const TproductoSeleccionadoDescripcion &producto);

// The writes a receipt filled from a CFDI adds to its posting, in its transaction: the invoice
// may be in one receipt only (another workstation may have received it meanwhile), and the links
// the user made are remembered for the supplier's RFC.
TposteoEntrada::TescrituraAdicional u_escrituraCfdi(int idNegocio, int idComprobante, const QString &rfc,
                                                    const QVector<TrenglonCaptura> &renglones);

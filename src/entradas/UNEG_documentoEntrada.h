#pragma once

#include "comun/U_posteoMovimientos.h"
#include "entradas/UMOD_entrada.h"
#include "entradas/UNEG_posteoEntrada.h"

class TConexionSesion;

// A receipt document ready to post: the capture screen fills datos() and calls guardar(), which
// checks the document in the order the user expects, asks through the message seam, writes it in
// one transaction and then hands it to accounting.
class TdocumentoEntrada : public TdocumentoPosteado {
public:
    TdocumentoEntrada(TConexionSesion *sesion, int idNegocio);

    TdatosEntrada &datos() { return uDatos; }
    const TdatosEntrada &datos() const { return uDatos; }

    // True when the receipt was written (once: a posted document is never written again). The
    // journal entry may still be pending (asientoPendiente()); the user has been told.
    bool guardar();
    // Writes of the caller that belong to the same document (see TposteoEntrada).
    void setEscrituraAdicional(TposteoEntrada::TescrituraAdicional escritura) {
        uAdicional = std::move(escritura);
    }

    // The accounting hand-over of the posted receipt; false (with the reason) when the entry was
    // not posted.
    bool contabiliza(QString &error) const;

private:
    bool compruebaDocumento();
    bool compruebaCantidades(const QSet<int> &delNegocio); // the lines' products that are the business's
    bool compruebaDevolucion();

    TConexionSesion *uSesion;
    int uNegocio;
    int uMetodo = 0;
    TdatosEntrada uDatos;
    TconceptoMovimiento uConcepto;
    QVector<double> uCantidades; // each line's quantity, as read by the checks
    TposteoEntrada::TescrituraAdicional uAdicional;
};

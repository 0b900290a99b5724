#pragma once

#include "comun/U_posteoMovimientos.h"
#include "salidas/UMOD_salida.h"
#include "salidas/UNEG_salidas.h"

// Writes one checked issue document in one transaction: the layers it takes from, one issue row
// and one ledger row per line, the stock rows, the serial numbers that leave and, under PEPS, the
// revision rows of the layers it left untouched. The document number is taken inside the
// transaction. Nothing here asks or tells the user, except the conflict message.
class TposteoSalida {
public:
    TposteoSalida(TConexionSesion *sesion, const TdatosSalida &datos);

    TfinPosteo escribe();
    // The document number written (valid after Confirmado).
    int documento() const { return uDocumento; }

    // Layer-map operations of the posting (PEPS).
    // Reads the product's open layers into the map the first time the product is met.
    bool getCapas(TmapaCapas &mapa, int idAlmacen, int idProducto);
    // The layer was written by the document: it needs no revision row.
    static void capaEliminaRevision(TmapaCapas &mapa, int idProducto, int idEntrada);
    // One revision row per layer left in the map, each product's rows in the group after its
    // document rows (`grupos`: the product's last group written by the document).
    bool escribeRenglonesCapasRestantes(const TmapaCapas &mapa, const QDateTime &fechaHora,
                                        const QHash<int, int> &grupos);

private:
    bool escribeDocumento(TintentoPosteo &intento);
    bool compruebaInstantanea(TintentoPosteo &intento, int idProducto);
    bool escribeLinea(TintentoPosteo &intento, const TlineaSalida &linea, bool primeraDelProducto, int grupo);
    TkardexRenglon renglonKardex(const TlineaSalida &linea, bool primeraDelProducto, int grupo) const;
    bool escribeExistencia(TintentoPosteo &intento, int idProducto, double existencia);

    Tsalidas uSalidas;
    const TdatosSalida &uDatos;
    int uDocumento = 0;
    TmapaCapas uCapas;
};

#pragma once

#include "comun/U_existenciasDocumento.h"
#include "comun/U_kardexDocumento.h"
#include "comun/U_posteoMovimientos.h"
#include "salidas/UMOD_salida.h"
#include "salidas/UNEG_repartoCapas.h"
#include "salidas/UNEG_salidas.h"

#include <functional>

class TinsercionMultiple;

// Writes one checked issue document in one transaction: the layers it takes from, one issue row
// and one ledger row per line, the stock rows, the serial numbers that leave and, under PEPS, the
// revision rows of the layers it left untouched. The document number, the date check and each
// product's stock are read inside the transaction: a product whose layers moved since the capture
// is split again over the layers as they are (a serial-numbered one keeps its units' layers), and
// only stock no longer enough, serial numbers gone or a returned layer changed refuse it. Nothing
// here asks the user; the ends of the posting are told by u_posteaEnTransaccion.
class TposteoSalida {
public:
    TposteoSalida(TConexionSesion *sesion, const TdatosSalida &datos);

    // Writes of the caller that belong to the same document (a transfer's rows): run last, inside
    // the transaction, with the lines as written; false rolls everything back.
    using TescrituraAdicional = std::function<bool(TintentoPosteo &intento, const TposteoSalida &posteo)>;
    void setEscrituraAdicional(TescrituraAdicional escritura) { uAdicional = std::move(escritura); }

    TfinPosteo escribe();
    // The document's writes alone, for a caller that posts it together with other writes in one
    // transaction it opened, locked and date-checked through u_posteaEnTransaccion.
    bool escribeDocumento(TintentoPosteo &intento);
    // The document number written (valid after Confirmado).
    int documento() const { return uDocumento; }
    // The lines as written, and whether any of them differs from the captured ones in layer,
    // quantity or cost (valid after Confirmado).
    const QVector<TlineaSalida> &lineasEscritas() const { return uEscritas; }
    bool repartida() const { return uRepartida; }
    TmotivoConflicto motivo() const { return uMotivo; }

    // Layer-map operations of the posting (PEPS).
    // The layer was written by the document: it needs no revision row.
    static void capaEliminaRevision(TmapaCapas &mapa, int idProducto, int idEntrada);
    // One revision row per layer left in the map, each product's rows in the group after its
    // document rows (`grupos`: the product's last group written by the document), held with the
    // document's other ledger rows.
    void escribeRenglonesCapasRestantes(const TmapaCapas &mapa, const QDateTime &fechaHora,
                                        const QHash<int, int> &grupos);

private:
    // Every product's stock, layers and newest group, read at once.
    bool leeProductos();
    // A product met again further down the document (lines added apart) is read again, once what
    // the document wrote so far is stored.
    bool releeProducto(TintentoPosteo &intento, TinsercionMultiple &filas, int idProducto);
    // The product's captured lines as they can be written against its stock now; false (with the
    // conflict's reason when the stock refuses them) otherwise.
    bool lineasVigentes(TintentoPosteo &intento, QVector<TlineaSalida> &lineas);
    // One product's lines (their issue rows into `filas`) and its stock; `grupos` gets its last
    // ledger group (PEPS).
    bool escribeProducto(TintentoPosteo &intento, const QVector<TlineaSalida> &lineas,
                         TinsercionMultiple &filas, QHash<int, int> &grupos);
    // Takes the held lines (uTomas) from their layers, a statement's worth at a time (`todas`: the
    // last ones too); a conflict when a layer no longer holds what its line was split on.
    bool tomaDeCapas(TintentoPosteo &intento, bool todas);
    bool escribeLinea(TintentoPosteo &intento, const TlineaSalida &linea, TinsercionMultiple &filas,
                      bool primeraDelProducto, int grupo);
    bool escribeSeries(TintentoPosteo &intento);
    TkardexRenglon renglonKardex(const TlineaSalida &linea, bool primeraDelProducto, int grupo) const;
    // The product's open layers as read for the split, the first time the product is met: the
    // revision rows need them as they were before the document (the ones it takes from drop out).
    void recuerdaCapas(int idProducto, const TexistenciaProducto &existencia);

    Tsalidas uSalidas;
    TkardexDocumento uKardex{uSalidas};
    TexistenciasDocumento uExistencias;
    const TdatosSalida &uDatos;
    int uDocumento = 0;
    TmapaCapas uCapas;
    QHash<int, TexistenciaProducto> uLeidas;
    QVector<TlineaSalida> uEscritas;
    // Lines written whose layers are still to take: several products' go to one statement. They
    // are taken before a product met again is read back and before the document ends.
    QVector<TlineaSalida> uTomas;
    bool uRepartida = false;
    TmotivoConflicto uMotivo = TmotivoConflicto::Ninguno;
    TescrituraAdicional uAdicional;
};

// The accounting hand-over of a posted issue: one journal line per written line (product, its
// value) under the concept's template. False (with the reason) when the entry was not posted.
bool u_contabilizaSalida(const TdatosSalida &datos, TConexionSesion *sesion, QString &error);

#pragma once

#include "datos/UconexionSesion.h"
#include "datos/UmidTierResponse.h"

#include <functional>

class TescrituraKardex;
class TlecturaReconstruccion;

// What the console and the progress screen say when a rebuild fails.
inline const QString kReconstruccionFallida =
    QStringLiteral("La reconstrucción del kardex falló; el kardex quedó como estaba.");

// The rebuild of a business's whole ledger from its stored receipts and issues: every warehouse
// crossed with every product, in ascending ids, by FIFO layers (PEPS) or by weighted average
// (Promedio Ponderado). Runs on the calling thread's connection, in one transaction: a failed or
// interrupted rebuild leaves the ledger and the running columns as they were.
class TconstruccionKardex {
public:
    // How the movements are read: one query per warehouse and product, or one ordered query for
    // a block of products of a warehouse at a time (the same rows, far fewer statements).
    enum class Tlectura { PorPar, PorBloques };
    // The two bars: products of the current warehouse, warehouses; 0..100.
    using Tavance = std::function<void(int productos, int almacenes)>;

    TconstruccionKardex(TConexionSesion *sesion, int idNegocio);

    void setAvance(Tavance avance) { uAvance = std::move(avance); }
    void setLectura(Tlectura lectura) { uLectura = lectura; }
    // The administrator's rebuild: the business's ledger is emptied first, in the same transaction.
    void setVaciaPrimero(bool vacia) { uVaciaPrimero = vacia; }

    // False without touching anything when the business already has ledger rows (or another
    // workstation holds the rebuild), and when the rebuild failed (everything rolled back).
    bool construye();

    // The start-up check: the ledger is empty and there are receipts or issues.
    static bool hayQueConstruir(TConexionSesion *sesion, int idNegocio);

    qint64 movimientosLeidos() const { return uMovimientos; }
    qint64 renglonesEscritos() const { return uRenglones; }
    qint64 actualizaciones() const { return uActualizaciones; }

private:
    class Tlector;
    bool recorre(TlecturaReconstruccion &lectura, TescrituraKardex &escritura,
                 const CmidTierResponse &almacenes, const CmidTierResponse &productos, int metodo);
    void avance(int productos, int almacenes);

    TConexionSesion *uSesion;
    int uNegocio;
    Tavance uAvance;
    Tlectura uLectura = Tlectura::PorBloques;
    bool uVaciaPrimero = false;
    qint64 uMovimientos = 0;
    qint64 uRenglones = 0;
    qint64 uActualizaciones = 0;
};

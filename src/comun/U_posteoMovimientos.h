#pragma once

#include "comun/UNEG_movimientosInventario.h"
#include "comun/U_asientosContables.h"

#include <QDate>
#include <QList>
#include <functional>

// What a posting ends in.
enum class TfinPosteo {
    Confirmado, // everything written and committed
    Fallido,    // a statement failed: nothing of the document remains
    Conflicto   // another workstation changed what the document was captured against
};

// One run of a posting's writes inside its transaction: records why a statement failed.
class TintentoPosteo {
public:
    // True when the statement succeeded; a failure caused by a lock conflict asks for a retry.
    bool ok(const CmidTierResponse &r) {
        if (!r.isSuccess() && TmovimientosInventario::esConflictoDeBloqueo(r))
            uBloqueo = true;
        return r.isSuccess();
    }
    // The stored stock is no longer what the document was captured against.
    bool conflicto() {
        uConflicto = true;
        return false;
    }
    bool hayConflicto() const { return uConflicto; }
    bool hayBloqueo() const { return uBloqueo; }

private:
    bool uConflicto = false;
    bool uBloqueo = false;
};

inline const QString kMensajeConflictoPosteo = QStringLiteral(
    "Otra estación registró movimientos de estos productos mientras capturaba el documento, por lo que "
    "no se guardó nada. Capture el documento de nuevo.");

// Inside a transaction: takes the business's row lock on MariaDB, so that two workstations write
// one after the other and each reads what the other committed. SQLite's BEGIN IMMEDIATE already
// serialises writers; nothing runs there.
bool u_bloqueaNegocio(TmiddleTier &mt, int idNegocio);

// Opens the transaction, takes the business's lock, runs `escribe` and commits when it returns
// true; otherwise rolls back. A MariaDB deadlock or lock timeout runs the whole posting again (a
// few times); a conflict is told to the user with kMensajeConflictoPosteo. Postings and the
// catalogue writes that allocate codes (categories) run through it.
TfinPosteo u_posteaEnTransaccion(TmiddleTier &mt, int idNegocio,
                                 const std::function<bool(TintentoPosteo &)> &escribe);

// The accounting hand-over after a commit: one journal entry with one line per concept. False
// (with the reason) when the entry could not be posted; the movement stays committed.
bool u_contabiliza(const QList<TActivoconcepto> &conceptos, const QDate &fecha, TConexionSesion *conexion,
                   int idNegocio, QString &error);

// What a document keeps once posted: its number and whether its journal entry is still pending.
// The number is set once, so a posted document is never written again.
class TdocumentoPosteado {
public:
    bool guardado() const { return uDocumento > 0; }
    int documento() const { return uDocumento; }
    bool asientoPendiente() const { return uAsientoPendiente; }

protected:
    // Records the posted `numero`, then hands the document to accounting (`contabiliza` answers false
    // with the reason). A failed hand-over leaves the document posted and tells the user that the
    // `movimiento`'s ("entrada", "salida") journal entry must be posted again.
    void registraPosteo(int numero, const QString &movimiento,
                        const std::function<bool(QString &error)> &contabiliza);

private:
    int uDocumento = 0;
    bool uAsientoPendiente = false;
};

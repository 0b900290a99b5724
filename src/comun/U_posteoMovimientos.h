#pragma once

#include "comun/UNEG_movimientosInventario.h"
#include "comun/U_asientosContables.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <functional>

// What a posting ends in. Every end but Confirmado has been told to the user and left nothing.
enum class TfinPosteo {
    Confirmado,   // everything written and committed
    Fallido,      // a statement failed (a technical reason)
    Conflicto,    // what the document takes is no longer there (TmotivoConflicto says what)
    FechaAnterior // dated before a movement of its warehouse committed meanwhile
};

// Why a document could not take what it was captured with.
enum class TmotivoConflicto {
    Ninguno,
    Existencia, // the warehouse no longer has enough of a product
    Series,     // a serial number chosen for a line has left
    Otro        // a layer tied to the line (a purchase return) changed, or an order was received
};

// One run of a posting's writes inside its transaction: records why it stopped. Every statement a
// posting runs is checked here and nowhere else, so that a failed one (a lock conflict above all,
// which the runner answers by running the whole posting again) always stops the run.
class TintentoPosteo {
public:
    bool ok(const CmidTierResponse &r) { return escrito(r.isSuccess()); }
    // A bulk write (several rows to a statement), whose failed statement's reason is the thread's
    // last failure.
    bool escrito(bool exito) {
        uFallida = uFallida || !exito;
        return exito;
    }
    // A statement of the run failed: the run is never committed, whatever it answered.
    bool fallida() const { return uFallida; }
    // The stored stock no longer allows the document.
    bool conflicto(TmotivoConflicto motivo = TmotivoConflicto::Otro) {
        uMotivo = motivo;
        return false;
    }
    bool hayConflicto() const { return uMotivo != TmotivoConflicto::Ninguno; }
    TmotivoConflicto motivo() const { return uMotivo; }

private:
    TmotivoConflicto uMotivo = TmotivoConflicto::Ninguno;
    bool uFallida = false;
};

inline const QString kMensajeConflictoPosteo = QStringLiteral(
    "Otra estación registró movimientos de estos productos mientras capturaba el documento, por lo que "
    "no se guardó nada. Capture el documento de nuevo.");

// Where and when a document happens: checked again under the lock against the warehouse's newest
// movement, so that the ledger's stored order never disagrees with its dates.
struct TfechaPosteo {
    int almacenID = 0;
    QDateTime fechaHora;
    QString aviso; // "Revise fecha/hora de entrada" / "Revise fecha/hora de salida"
    // A receipt may not share the instant of the warehouse's newest issue either: the ledger tells
    // an instant's receipts before its issues, so it would be told before the issue it followed.
    bool entrada = false;
};

// Inside a transaction: takes the business's row lock on MariaDB, so that two workstations write
// one after the other and each reads what the other committed. SQLite's BEGIN IMMEDIATE already
// serialises writers; nothing runs there.
bool u_bloqueaNegocio(TmiddleTier &mt, int idNegocio);

// Opens the transaction, takes the business's lock, refuses a movement dated before its
// warehouse's newest movement (`fecha`, when given), runs `escribe` and commits when it returns
// true; otherwise rolls back. A MariaDB deadlock or lock timeout runs the whole posting again (a
// few times). Every end but Confirmado is told to the user: the date with `fecha->aviso`, a
// conflict with kMensajeConflictoPosteo, a failed statement with u_avisaNoGuardado(). `motivo`,
// when given, gets the conflict's reason. Postings and the catalogue writes that allocate codes
// (categories) run through it.
TfinPosteo u_posteaEnTransaccion(TmiddleTier &mt, int idNegocio,
                                 const std::function<bool(TintentoPosteo &)> &escribe,
                                 const TfechaPosteo *fecha = nullptr, TmotivoConflicto *motivo = nullptr);

// Tells the user that nothing was saved and why, in a few words, from the thread's last failed
// statement (its engine text went to the log). A lost server connection is dropped, so the next
// try opens a new one.
void u_avisaNoGuardado(TConexionSesion *sesion);

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

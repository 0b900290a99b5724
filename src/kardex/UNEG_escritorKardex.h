#pragma once

#include "kardex/UNEG_escrituraKardex.h"

#include <QVector>
#include <memory>

// Everything the rebuild writes, through the TescrituraKardex given (inside the rebuild's
// transaction): ledger rows
// several to a statement, and the running columns of receipts and issues. The rebuild replaces
// the whole ledger, so any failed write is the rebuild's failure (and its rollback): a ledger
// with a group left out would not be the postings' story.
class TescritorKardex {
public:
    explicit TescritorKardex(TescrituraKardex &escritura);
    ~TescritorKardex();

    bool escribeGrupo(const QVector<TkardexRenglon> &grupo);
    bool escribeRenglon(const TkardexRenglon &renglon);
    // Values as text (the stored running columns of a receipt or an issue).
    bool actualizaEntrada(qint64 id, const QString &costoUnitario, const QString &costoTotal,
                          const QString &existencia);
    bool actualizaSalida(qint64 id, const QString &salidaCostoUnitario, const QString &costoUnitario,
                         const QString &costoTotal, const QString &existencia);
    // Writes whatever is held; false when any write failed.
    bool termina();
    bool fallo() const { return uFallo; }

    qint64 renglonesEscritos() const { return uInsercion->filasEscritas(); }
    qint64 actualizaciones() const { return uActualizaciones; }

private:
    std::unique_ptr<TinsercionMultiple> uInsercion;
    std::unique_ptr<TactualizacionMultiple> uEntradas;
    std::unique_ptr<TactualizacionMultiple> uSalidas;
    qint64 uActualizaciones = 0;
    bool uFallo = false;
};

#pragma once

#include "comun/UNEG_opciones.h"

#include <QVector>
#include <memory>

// Everything the rebuild writes, inside the transaction of the Topciones given. Rows are held
// and written several to a statement. A FIFO group is written whole or not at all: groups go in
// batches under one savepoint, and when a batch fails it is rolled back and its groups are
// written again one by one, each under its own savepoint, so that only a group that fails by
// itself is left out (and logged). Average rows and the running-column updates have no groups:
// any failure there is the rebuild's failure.
class TescritorKardex {
public:
    explicit TescritorKardex(Topciones &opciones);
    ~TescritorKardex();

    void escribeGrupo(const QVector<TkardexRenglon> &grupo);
    bool escribeRenglon(const TkardexRenglon &renglon);
    // Values as text (the stored running columns of a receipt or an issue).
    bool actualizaEntrada(qint64 id, const QString &costoUnitario, const QString &costoTotal,
                          const QString &existencia);
    bool actualizaSalida(qint64 id, const QString &salidaCostoUnitario, const QString &costoUnitario,
                         const QString &costoTotal, const QString &existencia);
    // Writes whatever is held; false when a write that may not fail failed.
    bool termina();
    bool fallo() const { return uFallo; }

    qint64 renglonesEscritos() const { return uRenglones; }
    qint64 actualizaciones() const { return uActualizaciones; }
    int gruposFallidos() const { return uGruposFallidos; }

private:
    void escribeLote();
    bool escribeConPunto(const QString &punto, int desde, int hasta);
    bool inserta(const TkardexRenglon &renglon);

    Topciones &uOpciones;
    std::unique_ptr<TinsercionMultiple> uInsercion;
    std::unique_ptr<TactualizacionMultiple> uEntradas;
    std::unique_ptr<TactualizacionMultiple> uSalidas;
    QVector<QVector<TkardexRenglon>> uGrupos;
    int uRenglonesRetenidos = 0;
    qint64 uRenglones = 0;
    qint64 uActualizaciones = 0;
    int uGruposFallidos = 0;
    bool uFallo = false;
};

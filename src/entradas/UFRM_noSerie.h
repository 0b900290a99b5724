#pragma once

#include "comun/UMOD_entradaInformacionOpcional.h"
#include "comun/ui/UdialogoModal.h"

class QFrame;
class QPlainTextEdit;
class QTableWidget;

// The serial numbers of a receipt line, typed one by one or pasted as a list, up to the line's
// quantity. Writes nothing: the caller keeps the list and the posting stores it.
class TFRM_noSerie : public TdialogoModal {
    Q_OBJECT
public:
    explicit TFRM_noSerie(QWidget *padre = nullptr);

    // Shows the list modally: the grid's numbers when accepted, else the input unchanged.
    TnoSerie init(const TnoSerie &lista, int cantidadLimite, int idProducto);

    // Without showing: loads the list / the result the dialog gives.
    void prepara(const TnoSerie &lista, int cantidadLimite, int idProducto);
    TnoSerie resultado() const;

    void agregarNoSerie();
    void insertarListado();

private:
    void agregaFila(const QString &numero);
    TnoSerie numerosEnGrid() const;
    void validaCapturaMaxima(const QString &separador = QStringLiteral("/"));
    void muestraListado(bool visible);

    QLineEdit *TXT_noSerie;
    QPushButton *BTN_agregarNoSerie;
    QPushButton *BTN_listado;
    QLabel *LBL_seriesCapturadas;
    QTableWidget *GRD_noSerie;
    QFrame *PNL_listado;
    QPlainTextEdit *MEM_listado;
    TnoSerie uEntrada;
    int uCantidadLimite = 0;
    int uProducto = 0;
};

#pragma once

#include "comun/UNEG_seleccionarNoSerie.h"
#include "comun/UsistemaDatos.h"
#include "comun/ui/UdialogoModal.h"

class QTableView;
class TGridControl;

// Marks the serial numbers that leave with an issue line, among those that came in with its layer.
class TFRM_seleccionarNoSerie : public TdialogoModal {
    Q_OBJECT
public:
    explicit TFRM_seleccionarNoSerie(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // The marked ids when accepted; otherwise the list it was given.
    Tespacios init(const RECnumerosSerie &solicitud);
    // Without showing: the labels, the layer's numbers with the given ones marked.
    void prepara(const RECnumerosSerie &solicitud);
    Tespacios resultado() const;
    void buscar();

private:
    void muestraMarcas();
    void capturaNuevos();

    TsistemaDatos uSistema;
    RECnumerosSerie uSolicitud;
    TmarcasNoSerie uMarcas;
    bool uCargado = false; // the layer's numbers were read once: the marks are the grid's from then on
    QLabel *LBL_titulo;
    QLabel *LBL_articuloNombre;
    QLabel *LBL_monitor;
    QLabel *LBL_elementos;
    QLineEdit *TXT_numero;
    QPushButton *BTN_capturarNoSerie;
    QTableView *GRD_noSerie;
    TGridControl *uGrid;
};

#pragma once

#include "comun/UsistemaDatos.h"
#include "comun/ui/UFRM_selectorBase.h"
#include "comun/ui/UdialogoModal.h"
#include "existencias/UNEG_inventarioFisico.h"

class QLabel;
class QLineEdit;

// "Guardar Reporte Inventario Físico": the name and note of a count. An existing name is saved
// over only after the user says so (resultado 2); a new one gives resultado 1.
class TFRM_dialogoGuardarInventarioFisico : public TdialogoModal {
    Q_OBJECT
public:
    TFRM_dialogoGuardarInventarioFisico(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    void prepara(const UREC_inventarioFisicoIndice &indice);
    const UREC_inventarioFisicoIndice &resultado() const { return uIndice; }
    // Modal: the header goes out with the name, note and result code.
    void init(UREC_inventarioFisicoIndice &indice);

protected:
    void alAceptar() override;

private:
    TsistemaDatos uSistema;
    UREC_inventarioFisicoIndice uIndice;
    QLabel *LBL_fechaHora;
    QLabel *LBL_almacen;
    QLabel *LBL_categoria;
    QLineEdit *TXT_nombre;
    QLineEdit *TXT_nota;
};

// The saved counts of the business; the chosen one's id, name, dates and note.
class TFRM_dialogoAbrirInventarioFisico : public TFRM_selectorBase {
    Q_OBJECT
public:
    TFRM_dialogoAbrirInventarioFisico(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    void prepara();
    const UREC_inventarioFisicoIndice &resultado() const { return uResultado; }
    void init(UREC_inventarioFisicoIndice &indice);

protected:
    bool cargaFilas(const QString &texto) override;
    bool tomaFila(int fila) override;

private:
    TsistemaDatos uSistema;
    UREC_inventarioFisicoIndice uResultado;
};

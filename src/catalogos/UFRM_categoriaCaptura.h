#pragma once

#include "comun/UsistemaDatos.h"
#include "comun/ui/UdialogoModal.h"

class QLineEdit;
class QRadioButton;

// The suite's small category dialog: name, folder or subcategory, and the SAT 3.3 product/service
// code. New categories hang from a folder; the save (identity, checks, SAT link) is below the
// screens. `uAceptar` is true once saved.
class TFRM_categoriaCaptura : public TdialogoModal {
    Q_OBJECT
public:
    explicit TFRM_categoriaCaptura(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Modal; true when a new child of `padre` was saved.
    static bool initNuevo(const QString &padre, const TsistemaDatos &sistema, QWidget *ventana = nullptr);
    // Modal; true when the category was saved.
    static bool initEditar(const QString &identidad, const QString &nombre, bool carpeta,
                           const TsistemaDatos &sistema, QWidget *ventana = nullptr);

    // The same without showing the dialog (tests act on its widgets and press BTN_aceptar).
    void preparaNuevo(const QString &padre);
    void preparaEditar(const QString &identidad, const QString &nombre, bool carpeta);
    // The identity saved (new or edited); empty until saved.
    QString identidadGuardada() const { return uGuardada; }

protected:
    void alAceptar() override;

private:
    TsistemaDatos uSistema;
    bool uRegistroNuevo = true;
    QString uIdentidad; // the parent when new, the category when editing
    QString uGuardada;
    QLabel *LBL_encabezado = nullptr;
    QLineEdit *TXT_nombre = nullptr;
    QRadioButton *RBT_carpeta = nullptr;
    QRadioButton *RBT_subcategoria = nullptr;
    QLineEdit *TXT_claveSat = nullptr;
};

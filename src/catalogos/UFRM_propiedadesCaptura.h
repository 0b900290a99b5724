#pragma once

#include "comun/UsistemaDatos.h"
#include "comun/ui/UdialogoModal.h"

#include <QVector>

class QComboBox;
class QLineEdit;

// Capture of one property of the business: its type and its name (at most 25 characters).
class TFRM_propiedadesCaptura : public TdialogoModal {
    Q_OBJECT
public:
    explicit TFRM_propiedadesCaptura(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Modal; true when saved.
    bool initNuevo();
    bool initEdita(int id, const QString &nombre, int tipoId);
    // The same without showing the dialog; false when the types could not be read.
    bool preparaNuevo();
    bool preparaEdita(int id, const QString &nombre, int tipoId);

protected:
    void alAceptar() override;

private:
    bool cargaTipos();

    TsistemaDatos uSistema;
    QVector<int> uValueMember_CBOX_tipo;
    bool uRegistroNuevo = true;
    int uIdEditar = 0;
    QLabel *LBL_encabezado = nullptr;
    QComboBox *CBOX_tipo = nullptr;
    QLineEdit *TXT_nombre = nullptr;
};

#pragma once

#include "comun/UMOD_propiedadesAdicionales.h"
#include "comun/UsistemaDatos.h"

#include <QDialog>
#include <QHash>

class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// The additional properties of a receipt line: one field per property of the product's category,
// named by its key (TXT_propiedadListadoID + id). Numbers and dates are checked; text is kept as
// typed up to the column's limit.
class TFRM_capturarPropiedadesAdicionales : public QDialog {
    Q_OBJECT
public:
    explicit TFRM_capturarPropiedadesAdicionales(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Modal. valores comes in with what the line holds and goes out with every field's trimmed
    // text when accepted; it is left alone when cancelled.
    void init(const QString &categoria, const QString &producto, TpropiedadesAdicionales &valores);
    // Builds the fields without showing the dialog; false when the properties cannot be read.
    bool prepara(const QString &categoria, const QString &producto, const TpropiedadesAdicionales &valores);
    bool aceptado() const { return uAceptar; }
    const TpropiedadesAdicionales &resultado() const { return uResultado; }
    int propiedades() const { return uCampos.size(); }

private:
    void BTN_aceptarClick();
    QString revisaCampo(const QString &clave) const;

    struct Tcampo {
        QLineEdit *edit;
        QString nombre;
        int tipo;
    };

    TsistemaDatos uSistema;
    bool uAceptar = false;
    TpropiedadesAdicionales uResultado;
    QHash<QString, Tcampo> uCampos;
    QStringList uOrden;
    QLabel *LBL_producto;
    QWidget *uContenedor;
    QFormLayout *uForma;
    QLabel *LBL_msg;
    QPushButton *BTN_aceptar;
    QPushButton *BTN_cancelar;
};

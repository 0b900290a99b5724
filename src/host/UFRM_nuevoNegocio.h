#pragma once

#include "comun/UNEG_negocios.h"

#include <QDialog>

class QLineEdit;
class QLabel;

// First run: the business the database will hold, with its fiscal data and first branch.
class TFRM_nuevoNegocio : public QDialog {
    Q_OBJECT
public:
    explicit TFRM_nuevoNegocio(TConexionSesion *sesion, QWidget *padre = nullptr);
    int idNegocio() const { return uIdNegocio; }

private:
    void BTN_aceptarClick();
    QLineEdit *campo(const QString &nombre, int limite);

    TConexionSesion *uSesion;
    int uIdNegocio = 0;
    QLineEdit *TXT_nombre;
    QLineEdit *TXT_rfc;
    QLineEdit *TXT_razonSocial;
    // The fiscal address, part by part.
    QLineEdit *TXT_calle;
    QLineEdit *TXT_numeroExterior;
    QLineEdit *TXT_numeroInterior;
    QLineEdit *TXT_colonia;
    QLineEdit *TXT_codigoPostal;
    QLineEdit *TXT_municipio;
    QLineEdit *TXT_estado;
    QLineEdit *TXT_sucursal;
    QLabel *LBL_msg;
};

#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The numeric editor: one number, with decimals, under a caption ("Cantidad", "Costo Unitario").
class TFRM_editar : public QDialog {
    Q_OBJECT
public:
    explicit TFRM_editar(QWidget *padre = nullptr);

    // Modal. valor comes in as the starting text and, when aceptado, goes out as the number typed
    // (standard float-to-text form); it is left alone otherwise.
    void initNumericoFraccion(const QString &titulo, bool &aceptado, QString &valor);
    void preparaNumericoFraccion(const QString &titulo, const QString &valor);
    bool aceptado() const { return uAceptar; }
    QString valor() const { return uValor; }

private:
    void BTN_aceptarClick();

    bool uAceptar = false;
    QString uValor;
    QString uTitulo;
    QLabel *LBL_titulo;
    QLineEdit *TXT_valor;
    QLabel *LBL_msg;
    QPushButton *BTN_aceptar;
    QPushButton *BTN_cancelar;
};

#pragma once

#include "comun/ui/UdialogoModal.h"

// The barcode dialog's answer: use `codigo_barras` only when `ok`.
struct TcodigoBarras {
    bool ok = false;
    QString codigo_barras;
};

// Reads one barcode, typically from a scanner that types the code and Enter.
class TFRM_capturarCodigoBarras : public TdialogoModal {
    Q_OBJECT
public:
    explicit TFRM_capturarCodigoBarras(QWidget *padre = nullptr);

    TcodigoBarras init(const QString &codigoActual);
    // Without showing: the current text in the focused field / the answer.
    void prepara(const QString &codigoActual);
    TcodigoBarras resultado() const;

private:
    QLineEdit *TXT_codigoBarras;
};

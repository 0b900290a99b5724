#pragma once

#include "comun/UsistemaDatos.h"
#include "existencias/UNEG_importacionMovimientos.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// "Importar Movimientos" (from "Productos"): a CSV or workbook of receipts and issues, a trial
// run or the real one, products created or not; the progress while it posts and then what was
// posted, the summary and where it stopped; the issue lines by layer saved as a CSV report.
// While an import runs only the progress moves and nothing closes the window.
class TFRM_importacionMovimientos : public QDialog {
    Q_OBJECT
public:
    explicit TFRM_importacionMovimientos(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Modal.
    void init();
    void reject() override;

    // The import of the file chosen, with the options checked (what "Importar" does).
    void importa();
    const TresultadoImportacionMovimientos &resultado() const { return uResultado; }

private:
    void BTN_examinarClick();
    void BTN_informeClick();
    void habilita(bool habilitado);

    TsistemaDatos uSistema;
    bool uImportando = false;
    bool uSimulada = false;
    TresultadoImportacionMovimientos uResultado;
    QLineEdit *TXT_archivo = nullptr;
    QPushButton *BTN_examinar = nullptr;
    QCheckBox *CHK_simular = nullptr;
    QCheckBox *CHK_crearProductos = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QPlainTextEdit *TXT_resumen = nullptr;
    QPushButton *BTN_importar = nullptr;
    QPushButton *BTN_informe = nullptr;
    QPushButton *BTN_cerrar = nullptr;
};

#pragma once

#include "comun/UsistemaDatos.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// "Exportar / Importar": the category tree to an .xlsx or a PDF, and the import of such a
// workbook with its progress; the template and the guide. While an import runs the window keeps
// repainting and only the progress moves; nothing can close it.
class TFRM_exportarImportar : public QDialog {
    Q_OBJECT
public:
    explicit TFRM_exportarImportar(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Modal.
    void init();
    // True once an import committed (the dialog then closes).
    bool importado() const { return uImportado; }

    void reject() override;

private:
    void BTN_exportarExcelClick();
    void BTN_exportarPDFClick();
    void BTN_importarExcelClick();
    void LBL_mostrarGuiaClick();
    void LBL_mostrarPlantillaClick();
    void avance(int porcentaje);
    void habilita(bool habilitado);

    TsistemaDatos uSistema;
    bool uImportando = false;
    bool uImportado = false;
    QPushButton *BTN_exportarExcel = nullptr;
    QPushButton *BTN_exportarPDF = nullptr;
    QPushButton *BTN_importarExcel = nullptr;
    QPushButton *BTN_cancelar = nullptr;
    QLabel *LBL_mostrarGuia = nullptr;
    QLabel *LBL_mostrarPlantilla = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
};

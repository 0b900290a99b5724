#pragma once

#include "comun/UsistemaDatos.h"
#include "comun/ui/UpantallaInventario.h"

#include <QVector>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TGridControl;
class TavisoListaVacia;

// "Traspasos": the transfers of the business filtered by origin, destination, state and document
// number, newest first; a new transfer, the detail of a row (with its reception or cancellation),
// and the spreadsheet and PDF exports.
class TFRM_traspasos : public QWidget, public IPantallaInventario {
    Q_OBJECT
public:
    explicit TFRM_traspasos(QWidget *padre = nullptr);

    QWidget *panelPrincipal() override { return this; }
    // Takes the session from localSYS: permissions, the three combos, then the search; false when a
    // combo could not be loaded.
    bool init() override;

    TGridControl *gridControl() const { return uGRD_traspasosControl; }
    void buscar();

private:
    void FormCreate();
    QWidget *creaCriterios();
    void creaColumnas();
    void conecta();
    void initPermisos();
    bool cargaAlmacenes();
    bool cargaEstados();
    void BTN_nuevoTraspasoClick();
    void abreDetalle(int fila);
    void BTN_exportarPDFClick();

    TsistemaDatos uSistema;
    TGridControl *uGRD_traspasosControl = nullptr;
    QVector<int> uValueMember_CMB_almacenOrigen;
    QVector<int> uValueMember_CMB_almacenDestino;
    QVector<int> uValueMember_CMB_status;

    QComboBox *CMB_almacenOrigen = nullptr;
    QComboBox *CMB_almacenDestino = nullptr;
    QComboBox *CMB_status = nullptr;
    QLineEdit *TXT_documento = nullptr;
    QPushButton *BTN_nuevoTraspaso = nullptr;
    QPushButton *BTN_excel = nullptr;
    QPushButton *BTN_exportarPDF = nullptr;
    QTableView *GRD_main = nullptr;
    TavisoListaVacia *uAviso = nullptr;
};

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

// The warehouse catalogue: search by branch and name, new and edit through the capture dialog,
// PDF and spreadsheet export of the list.
class TFRM_almacenes : public QWidget, public IPantallaInventario {
    Q_OBJECT
public:
    explicit TFRM_almacenes(QWidget *padre = nullptr);

    QWidget *panelPrincipal() override { return this; }
    // Takes the session from localSYS; false when the branches could not be loaded.
    bool init() override;

    TGridControl *gridControl() const { return uGRD_almacenesControl; }

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void FormCreate();
    void initPermisos();
    // Reloads the branch combo; the chosen branch stays chosen while it exists when asked to.
    bool cargaSucursales(bool conservaEleccion = true);
    // Lists with the search criteria, or everything when not filtering.
    void busca(bool filtrando);
    void BTN_verTodosClick();
    void BTN_nuevoClick();
    void editaFila(int fila);
    void BTN_exportarPDFClick();
    void BTN_exportarExcelClick();
    bool hayElementos();
    void acomodaMensaje();

    TsistemaDatos uSistema;
    TGridControl *uGRD_almacenesControl = nullptr;
    QVector<int> uValueMember_CMB_sucursal;

    QComboBox *uSucursal = nullptr;
    QLineEdit *uNombre = nullptr;
    QPushButton *uNuevo = nullptr;
    QPushButton *uExcel = nullptr;
    QPushButton *uPDF = nullptr;
    QTableView *uGrid = nullptr;
    QLabel *uMensaje = nullptr;
};

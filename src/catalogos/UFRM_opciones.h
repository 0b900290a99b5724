#pragma once

#include "comun/UsistemaDatos.h"
#include "comun/ui/UpantallaInventario.h"

#include <QWidget>

class QPushButton;
class QRadioButton;
class QTableView;
class TGridControl;

// The options screen: the valuation method, chosen once, and the receipt and issue concepts.
class TFRM_opciones : public QWidget, public IPantallaInventario {
    Q_OBJECT
public:
    explicit TFRM_opciones(QWidget *padre = nullptr);

    QWidget *panelPrincipal() override { return this; }
    // Takes the session from localSYS and reloads everything; always true.
    bool init() override;

    TGridControl *gridEntradas() const { return uGRD_conceptosEntradasControl; }
    TGridControl *gridSalidas() const { return uGRD_conceptosSalidasControl; }

private:
    void FormCreate();
    void initPermisos();
    TGridControl *creaGridConceptos(const QString &nombre, QWidget *padre);
    void cargaConceptos(TGridControl *grid, int direccion);
    void cargaMetodo();
    void BTN_kardexGuardarMetodoClick();
    void nuevoConcepto(int direccion);
    void editaConcepto(TGridControl *grid, int direccion, int fila);

    TsistemaDatos uSistema;
    TGridControl *uGRD_conceptosEntradasControl = nullptr;
    TGridControl *uGRD_conceptosSalidasControl = nullptr;
    QRadioButton *uPeps = nullptr;
    QRadioButton *uPromedio = nullptr;
    QPushButton *uGuardarMetodo = nullptr;
    QPushButton *uNuevoEntrada = nullptr;
    QPushButton *uNuevoSalida = nullptr;
};

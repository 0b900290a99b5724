#pragma once

#include "comun/UsistemaDatos.h"
#include "inventario/UpantallasInventario.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TGridControl;

// The products catalogue: the business's products searched by name, key or barcode and by
// category, created and edited through the product dialog; units of measure and providers are
// kept from here too, and a history of receipts and issues is imported from a file.
class TFRM_productos : public QWidget, public IPantallaInventario {
    Q_OBJECT
public:
    explicit TFRM_productos(QWidget *padre = nullptr);

    QWidget *panelPrincipal() override { return this; }
    // The main screen's call: the session copy, with editing and every state.
    bool init() override;
    // permiteCaptura: show "Nuevo" and "Editar" (disabled anyway for a read-only user);
    // soloActivos: list only products that may be received.
    bool init(const TsistemaDatos &sistema, bool permiteCaptura, bool soloActivos);

    TGridControl *gridControl() const { return uGrid; }
    void buscar();
    // Opens the selected product's dialog (modal).
    void BTN_editarClick();

private:
    void initPermisos();
    void setCategoria(const QString &identidad, const QString &etiqueta);
    void BTN_nuevoClick();
    void BTN_categoriaClick();
    void BTN_unidadesClick();
    void BTN_proveedoresClick();
    void BTN_importarMovimientosClick();
    void seleccionaProducto(int id);

    TsistemaDatos uSistema;
    bool uPermiteCaptura = true;
    bool uSoloActivos = false;
    QString uCategoria;
    TGridControl *uGrid;
    QLineEdit *TXT_buscar;
    QLabel *LBL_categoria;
    QPushButton *BTN_categoria;
    QPushButton *BTN_reiniciarCategoria;
    QPushButton *BTN_buscar;
    QPushButton *BTN_nuevo;
    QPushButton *BTN_editar;
    QPushButton *BTN_unidades;
    QPushButton *BTN_proveedores;
    QPushButton *BTN_importarMovimientos;
    QTableView *GRD_main;
    QLabel *LBL_msg;
    QLabel *LBL_total;
};

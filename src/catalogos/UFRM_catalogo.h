#pragma once

#include "comun/UsistemaDatos.h"
#include "comun/ui/UpantallaInventario.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableView;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class TGridControl;

// The category screen: the business's tree of folders and subcategories, the details of the
// selected node (its properties, its SAT 3.3 code, its own or inherited), new / edit / delete
// through the shared capture dialog, the property selection and the spreadsheet exchange.
class TFRM_catalogo : public QWidget, public IPantallaInventario {
    Q_OBJECT
public:
    explicit TFRM_catalogo(QWidget *padre = nullptr);

    QWidget *panelPrincipal() override { return this; }
    // Takes the session from localSYS and builds the tree.
    bool init() override;

    QTreeWidget *arbol() const { return TRV_categorias; }
    TGridControl *gridControl() const { return uGRD_propiedadesControl; }
    // The node of an identity, or none.
    QTreeWidgetItem *nodo(const QString &identidad) const;
    // Runs the pending detail load now (what the 800 ms timer does).
    void TMR_1Timer();

private:
    void FormCreate();
    void initPermisos();
    // Rebuilds the tree and selects `seleccion` (else the root).
    void mostrarCategorias(const QString &seleccion = {});
    void detallesCategoria();
    void cargaPropiedades(const QString &identidad);
    void consultaCATsat33(const QString &identidad);
    QTreeWidgetItem *nodoSeleccionado() const;
    void BTN_categoriaNuevoClick();
    void BTN_editarClick();
    void BTN_eliminarClick();
    void BTN_propiedadesClick();
    void BTN_exportarExcelClick();

    TsistemaDatos uSistema;
    TGridControl *uGRD_propiedadesControl = nullptr;
    int uElementosContenidosEnCarpeta = 0;
    bool uTimerBuscaPropiedades = false;

    QTreeWidget *TRV_categorias = nullptr;
    QPushButton *BTN_categoriaNuevo = nullptr;
    QPushButton *BTN_editar = nullptr;
    QPushButton *BTN_eliminar = nullptr;
    QPushButton *BTN_exportarExcel = nullptr;
    QPushButton *BTN_propiedades = nullptr;
    QLabel *LBL_categoriaNombre = nullptr;
    QLabel *LBL_propiedadesTotales = nullptr;
    QLabel *LBL_subcategoriasTotales = nullptr;
    QLabel *LBL_loading = nullptr;
    QLabel *LBL_catSat33 = nullptr;
    QLabel *LBL_claveSat33 = nullptr;
    QLabel *LBL_origen = nullptr;
    QTableView *GRD_propiedades = nullptr;
    QTimer *TMR_1 = nullptr;
};

#pragma once

#include "comun/UsistemaDatos.h"
#include "comun/ui/UpantallaInventario.h"
#include "existencias/UNEG_conteoFisico.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TGridControl;

// "Inventario Físico": the count sheet of a warehouse (and category). A click on an "E. Física"
// cell opens the callout to type the counted quantity; the sheet is saved under a name and
// reopened later; "Aplicar ajustes" posts a saved count's differences. The rules live in
// TconteoFisico.
class TFRM_inventarioFisico : public QWidget, public IPantallaInventario {
    Q_OBJECT
public:
    explicit TFRM_inventarioFisico(QWidget *padre = nullptr);

    QWidget *panelPrincipal() override { return this; }
    // Session from localSYS, permissions, the warehouse list; false when it cannot be read.
    bool init() override;

    TGridControl *grid() const { return uGRD_inventarioFisico; }
    const TconteoFisico &conteo() const { return *uConteo; }
    // What the category picker, the save dialog and the open dialog hand back.
    void tomaCategoria(const QString &clave, const QString &etiqueta);
    void guarda(const UREC_inventarioFisicoIndice &indice);
    void abre(const UREC_inventarioFisicoIndice &archivo);

private:
    void FormCreate();
    void cargaInventarioFisico();
    void muestraLineas();
    void muestraFiltros();
    void celdaClic(int fila, const QString &alias);
    void confirmaCaptura();
    void BTN_guardarClick();
    void BTN_abrirClick();
    void BTN_aplicarAjustesClick();
    void muestraAplicacion();

    TsistemaDatos uSistema;
    std::unique_ptr<TconteoFisico> uConteo;
    TGridControl *uGRD_inventarioFisico = nullptr;
    int uPNLcapturaFila = -1;
    QComboBox *CMB_almacenInventarioFisico = nullptr;
    QLabel *LBL_categoriaInventarioFisico = nullptr;
    QLabel *LBL_msg = nullptr;
    QPushButton *BTN_guardar = nullptr;
    QPushButton *BTN_exportar = nullptr;
    QPushButton *BTN_aplicarAjustes = nullptr;
    QLabel *LBL_aplicacion = nullptr;
    QFrame *PNL_captura = nullptr;
    QLineEdit *TXT_capturarExistencia = nullptr;
};

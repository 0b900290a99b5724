#pragma once

#include "comun/UsistemaDatos.h"
#include "comun/ui/UpantallaInventario.h"
#include "existencias/UNEG_capturarExistencias.h"

#include <QWidget>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

// "Capturar Existencias": the opening stock of one product in one warehouse. The screen gathers
// the choices and the typed figures; TcapturaExistencias checks, asks and posts.
class TFRM_capturarExistencias : public QWidget, public IPantallaInventario {
    Q_OBJECT
public:
    explicit TFRM_capturarExistencias(QWidget *padre = nullptr);

    QWidget *panelPrincipal() override { return this; }
    // Takes the session from localSYS, applies the permissions and clears the form; always true.
    bool init() override;

    // What the pickers hand back (the buttons open them and call these).
    void tomaAlmacen(const TalmacenDescripcion &almacen);
    void tomaProducto(const TproductoSeleccionadoDescripcion &producto);
    const TcapturaExistencias &captura() const { return *uCaptura; }

private:
    void FormCreate();
    void BTN_guardarExistenciaClick();
    void bootDatosCaptura();
    void muestraEleccion();

    TsistemaDatos uSistema;
    std::unique_ptr<TcapturaExistencias> uCaptura;
    QLabel *LBL_almacenSeleccionado = nullptr;
    QLabel *LBL_productoSeleccionado = nullptr;
    QLabel *LBL_unidadMedida = nullptr;
    QLabel *LBL_msgGRDexistencias = nullptr;
    QLineEdit *TXT_cantidad = nullptr;
    QLineEdit *TXT_costoUnitario = nullptr;
    QPushButton *BTN_guardarExistencia = nullptr;
};

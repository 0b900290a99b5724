#pragma once

#include "comun/UMOD_seleccion.h"
#include "comun/UsistemaDatos.h"
#include "comun/ui/UFRM_selectorBase.h"

// The product picker: search by name, key or barcode inside a category subtree; "Nuevo producto"
// creates one on the spot. Products that may not be received are listed too (their state shows):
// the caller decides what a product's status allows.
class TFRM_seleccionarProducto : public TFRM_selectorBase {
    Q_OBJECT
public:
    explicit TFRM_seleccionarProducto(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Modal. The record comes in with the caller's category key (the list starts filtered by it)
    // and goes out with the chosen product, or with seleccionado false when cancelled.
    void init(TproductoSeleccionadoDescripcion &producto, const TsistemaDatos &sistema);
    // The same without showing the dialog.
    void prepara(const TproductoSeleccionadoDescripcion &producto);
    const TproductoSeleccionadoDescripcion &resultado() const { return uResultado; }
    // The category filter: a key ("" for every category) and the label shown for it.
    void setCategoria(const QString &identidad, const QString &etiqueta);

protected:
    bool cargaFilas(const QString &texto) override;
    bool tomaFila(int fila) override;

private:
    void BTN_categoriaClick();
    void BTN_nuevoClick();

    TsistemaDatos uSistema;
    QString uCategoria;
    TproductoSeleccionadoDescripcion uResultado;
    QLabel *LBL_categoria;
    QPushButton *BTN_categoria;
    QPushButton *BTN_reiniciarCategoria;
    QPushButton *BTN_nuevo;
};

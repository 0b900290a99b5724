#pragma once

#include "comun/UMOD_seleccion.h"
#include "comun/UsistemaDatos.h"
#include "comun/ui/UFRM_selectorBase.h"

// The provider picker: search by name or RFC; "Proveedores..." opens the catalogue, and a
// provider saved there comes back selected.
class TFRM_seleccionarProveedor : public TFRM_selectorBase {
    Q_OBJECT
public:
    explicit TFRM_seleccionarProveedor(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Modal; the record goes out with the chosen provider or with aceptado false.
    void init(Rproveedor &proveedor);
    void prepara();
    const Rproveedor &resultado() const { return uResultado; }

protected:
    bool cargaFilas(const QString &texto) override;
    bool tomaFila(int fila) override;

private:
    void BTN_proveedoresClick();

    TsistemaDatos uSistema;
    Rproveedor uResultado;
    QPushButton *BTN_proveedores;
};

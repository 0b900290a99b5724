#pragma once

#include "comun/UMOD_almacenDescripcion.h"
#include "comun/UsistemaDatos.h"
#include "comun/ui/UFRM_selectorBase.h"

// The warehouse picker: the business's warehouses with their branch, searched by name.
class TFRM_seleccionarAlmacen : public TFRM_selectorBase {
    Q_OBJECT
public:
    explicit TFRM_seleccionarAlmacen(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Modal; the record goes out with the chosen warehouse or with seleccionado false.
    void init(TalmacenDescripcion &almacen);
    void prepara();
    const TalmacenDescripcion &resultado() const { return uResultado; }

protected:
    bool cargaFilas(const QString &texto) override;
    bool tomaFila(int fila) override;

private:
    TsistemaDatos uSistema;
    TalmacenDescripcion uResultado;
};

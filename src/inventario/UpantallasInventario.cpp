#include "inventario/UpantallasInventario.h"

#include "catalogos/UFRM_almacen.h"
#include "catalogos/UFRM_catalogo.h"
#include "catalogos/UFRM_opciones.h"
#include "comun/ui/UFRM_productos.h"
#include "entradas/UFRM_EntradaInventarioOrdenCompra.h"
#include "entradas/UFRM_entradaInventario.h"
#include "entradas/UFRM_entradas.h"
#include "existencias/UFRM_capturarExistencias.h"
#include "existencias/UFRM_existencias.h"
#include "existencias/UFRM_inventarioFisico.h"
#include "existencias/UFRM_productosNoSerie.h"
#include "kardex/UFRM_kardex.h"
#include "salidas/UFRM_salidas.h"
#include "salidas/UFRM_salidasAlmacen.h"
#include "traspasos/UFRM_traspasos.h"

#include <array>

namespace {
std::array<TfabricaPantalla, kNumeroPantallas> &sustitutas() {
    static std::array<TfabricaPantalla, kNumeroPantallas> fabricas;
    return fabricas;
}

// The program's own screens, as they arrive.
TfabricaPantalla fabricaDelPrograma(Tpantalla pantalla) {
    switch (pantalla) {
    case Tpantalla::Almacenes:
        return [] { return new TFRM_almacenes; };
    case Tpantalla::Catalogo:
        return [] { return new TFRM_catalogo; };
    case Tpantalla::Productos:
        return [] { return new TFRM_productos(); };
    case Tpantalla::Entradas:
        TFRM_entradas::setCapturaGeneral(&TFRM_entradaInventario::captura);
        TFRM_entradas::setCapturaOrdenCompra(&TFRM_EntradaInventarioOrdenCompra::captura);
        return [] { return new TFRM_entradas; };
    case Tpantalla::Opciones:
        return [] { return new TFRM_opciones; };
    case Tpantalla::Kardex:
        return [] { return new TFRM_kardex; };
    case Tpantalla::Existencias:
        return [] { return new TFRM_existencias; };
    case Tpantalla::NoSerie:
        return [] { return new TFRM_productosNoSerie; };
    case Tpantalla::Salidas:
        return [] {
            setCapturaSalida(&u_capturaSalidaAlmacen);
            return new TFRM_salidas;
        };
    case Tpantalla::Traspasos:
        return [] { return new TFRM_traspasos; };
    case Tpantalla::CapturarExistencias:
        return [] { return new TFRM_capturarExistencias; };
    case Tpantalla::InventarioFisico:
        return [] { return new TFRM_inventarioFisico; };
    default:
        return {};
    }
}
} // namespace

TfabricaPantalla fabricaPantalla(Tpantalla pantalla) {
    const TfabricaPantalla &sustituta = sustitutas()[size_t(pantalla)];
    return sustituta ? sustituta : fabricaDelPrograma(pantalla);
}

void setFabricaPantalla(Tpantalla pantalla, TfabricaPantalla fabrica) {
    sustitutas()[size_t(pantalla)] = std::move(fabrica);
}

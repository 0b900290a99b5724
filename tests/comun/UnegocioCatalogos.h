#pragma once

// A small shop for the catalogue tests: the seeded root category and piece, a box of 12 in the
// pieces' set, two subcategories (one with three properties), two warehouses in two branches.
#include "apoyo/UbasePrueba.h"
#include "apoyo/UfilasPrueba.h"
#include "comun/UMOD_capturaCatalogos.h"
#include "comun/U_semillas.h"

struct TnegocioCatalogos {
    int id = 0;
    int conjuntoPiezas = 0;
    int pieza = 0;
    int caja = 0;
    int matriz = 0;
    int bodega = 0;
    int propiedadColor = 0;
    int propiedadLargo = 0;
    int propiedadCaducidad = 0;
    QString raiz = QStringLiteral("0");
    QString tornillos = QStringLiteral("0A");
    QString pinturas = QStringLiteral("0B");
};

inline TnegocioCatalogos creaNegocioCatalogos(TbasePrueba &base, const QString &nombre) {
    TnegocioCatalogos n;
    n.id = base.creaNegocio(nombre);
    compruebaCategoriaInicialExiste(base.sesion(), n.id);
    compruebaUnidadesMedidaDummyExiste(base.sesion(), n.id);
    const QVariant negocio = n.id;
    n.pieza =
        int(u_valorConsulta(base.sesion(),
                            QStringLiteral("SELECT id FROM inventarioUnidadesMedida WHERE idNegocioFk = :n"),
                            {{QStringLiteral("n"), negocio}})
                .toLongLong());
    n.conjuntoPiezas =
        int(u_valorConsulta(base.sesion(),
                            QStringLiteral("SELECT conjunto FROM inventarioUnidadesMedida WHERE id = :u"),
                            {{QStringLiteral("u"), n.pieza}})
                .toLongLong());
    n.caja = u_insertaFila(base.sesion(), QStringLiteral("inventarioUnidadesMedida"),
                           {{QStringLiteral("descripcion"), QStringLiteral("Caja de 12")},
                            {QStringLiteral("abreviatura"), QStringLiteral("cja")},
                            {QStringLiteral("conjunto"), n.conjuntoPiezas},
                            {QStringLiteral("razon"), 12.0},
                            {QStringLiteral("idNegocioFk"), negocio}});
    for (const auto &c : {std::pair{n.tornillos, QStringLiteral("Tornillos")},
                          std::pair{n.pinturas, QStringLiteral("Pinturas")}})
        u_insertaFila(base.sesion(), QStringLiteral("inventarioCategoria"),
                      {{QStringLiteral("identidad"), c.first},
                       {QStringLiteral("etiqueta"), c.second},
                       {QStringLiteral("identidadPadre"), n.raiz},
                       {QStringLiteral("nivel"), 2},
                       {QStringLiteral("idNegocioFk"), negocio}});
    auto propiedad = [&](const QString &nombrePropiedad, int tipo) {
        const int id = u_insertaFila(base.sesion(), QStringLiteral("inventarioPropiedadListado"),
                                     {{QStringLiteral("nombre"), nombrePropiedad},
                                      {QStringLiteral("propiedadTipo_id"), tipo},
                                      {QStringLiteral("idNegocioFk"), negocio}});
        u_insertaFila(base.sesion(), QStringLiteral("inventarioCategoriaPropiedad"),
                      {{QStringLiteral("inventarioCategoria_identidad"), n.pinturas},
                       {QStringLiteral("inventarioPropiedadListado_id"), id},
                       {QStringLiteral("idNegocioFk"), negocio}});
        return id;
    };
    n.propiedadColor = propiedad(QStringLiteral("Color"), 1);
    n.propiedadLargo = propiedad(QStringLiteral("Largo"), 2);
    n.propiedadCaducidad = propiedad(QStringLiteral("Caducidad"), 3);
    const int sucursal =
        int(u_valorConsulta(base.sesion(), QStringLiteral("SELECT id FROM sucursal WHERE idNegocioFk = :n"),
                            {{QStringLiteral("n"), negocio}})
                .toLongLong());
    const int norte = u_insertaFila(base.sesion(), QStringLiteral("sucursal"),
                                    {{QStringLiteral("nombre"), QStringLiteral("Sucursal Norte")},
                                     {QStringLiteral("idNegocioFk"), negocio}});
    n.matriz = u_insertaFila(base.sesion(), QStringLiteral("inventarioAlmacen"),
                             {{QStringLiteral("nombre"), QStringLiteral("Almacén General")},
                              {QStringLiteral("direccion"), QStringLiteral("Av. Juárez 120")},
                              {QStringLiteral("sucursal_id"), sucursal},
                              {QStringLiteral("idNegocioFk"), negocio}});
    n.bodega = u_insertaFila(base.sesion(), QStringLiteral("inventarioAlmacen"),
                             {{QStringLiteral("nombre"), QStringLiteral("Bodega Norte")},
                              {QStringLiteral("sucursal_id"), norte},
                              {QStringLiteral("idNegocioFk"), negocio}});
    return n;
}

// A valid product of the shop, with limits in both warehouses (empty texts: not set).
inline TproductoCaptura productoValido(const TnegocioCatalogos &n,
                                       const QString &clave = QStringLiteral("TOR-001")) {
    TproductoCaptura p;
    p.clave = clave;
    p.nombre = QStringLiteral("Tornillo para madera 1/4\"");
    p.descripcion = QStringLiteral("Cabeza plana, acero zincado");
    p.codigoBarras = QStringLiteral("7501234000011");
    p.categoria = n.tornillos;
    p.unidadMedidaId = n.caja;
    p.estado = 1;
    p.limites = {{n.matriz, QStringLiteral("Almacén General"), QStringLiteral("5"), QStringLiteral("50")},
                 {n.bodega, QStringLiteral("Bodega Norte"), QString(), QString()}};
    return p;
}

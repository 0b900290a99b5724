#pragma once

// A small shop for the catalogue tests: the seeded root category and piece, a box of 12 in the
// pieces' set, two subcategories (one with three properties), two warehouses in two branches.
#include "apoyo/UbasePrueba.h"
#include "comun/UMOD_capturaCatalogos.h"
#include "comun/U_semillas.h"
#include "datos/UmiddleTier.h"

#include <QVariantHash>

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

inline int insertaFila(TbasePrueba &base, const QString &tabla, const QVariantHash &valores) {
    TmiddleTier mt(base.sesion());
    QStringList columnas, marcas;
    for (auto it = valores.cbegin(); it != valores.cend(); ++it) {
        columnas << it.key();
        marcas << QLatin1Char(':') + it.key();
    }
    mt.setQuery(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                    .arg(tabla, columnas.join(QStringLiteral(", ")), marcas.join(QStringLiteral(", "))));
    for (auto it = valores.cbegin(); it != valores.cend(); ++it)
        mt.setParametroVariant(it.key(), it.value());
    return int(mt.nonQuery().getIdInsertado());
}

inline qint64 cuenta(TbasePrueba &base, const QString &sql, const QVariantHash &parametros = {}) {
    TmiddleTier mt(base.sesion());
    mt.setQuery(sql);
    for (auto it = parametros.cbegin(); it != parametros.cend(); ++it)
        mt.setParametroVariant(it.key(), it.value());
    return mt.getScalarAsInt();
}

inline TnegocioCatalogos creaNegocioCatalogos(TbasePrueba &base, const QString &nombre) {
    TnegocioCatalogos n;
    n.id = base.creaNegocio(nombre);
    compruebaCategoriaInicialExiste(base.sesion(), n.id);
    compruebaUnidadesMedidaDummyExiste(base.sesion(), n.id);
    const QVariant negocio = n.id;
    n.pieza =
        int(cuenta(base, QStringLiteral("SELECT id FROM inventarioUnidadesMedida WHERE idNegocioFk = :n"),
                   {{QStringLiteral("n"), negocio}}));
    n.conjuntoPiezas =
        int(cuenta(base, QStringLiteral("SELECT conjunto FROM inventarioUnidadesMedida WHERE id = :u"),
                   {{QStringLiteral("u"), n.pieza}}));
    n.caja = insertaFila(base, QStringLiteral("inventarioUnidadesMedida"),
                         {{QStringLiteral("descripcion"), QStringLiteral("Caja de 12")},
                          {QStringLiteral("abreviatura"), QStringLiteral("cja")},
                          {QStringLiteral("conjunto"), n.conjuntoPiezas},
                          {QStringLiteral("razon"), 12.0},
                          {QStringLiteral("idNegocioFk"), negocio}});
    for (const auto &c : {std::pair{n.tornillos, QStringLiteral("Tornillos")},
                          std::pair{n.pinturas, QStringLiteral("Pinturas")}})
        insertaFila(base, QStringLiteral("inventarioCategoria"),
                    {{QStringLiteral("identidad"), c.first},
                     {QStringLiteral("etiqueta"), c.second},
                     {QStringLiteral("identidadPadre"), n.raiz},
                     {QStringLiteral("nivel"), 2},
                     {QStringLiteral("idNegocioFk"), negocio}});
    auto propiedad = [&](const QString &nombrePropiedad, int tipo) {
        const int id = insertaFila(base, QStringLiteral("inventarioPropiedadListado"),
                                   {{QStringLiteral("nombre"), nombrePropiedad},
                                    {QStringLiteral("propiedadTipo_id"), tipo},
                                    {QStringLiteral("idNegocioFk"), negocio}});
        insertaFila(base, QStringLiteral("inventarioCategoriaPropiedad"),
                    {{QStringLiteral("inventarioCategoria_identidad"), n.pinturas},
                     {QStringLiteral("inventarioPropiedadListado_id"), id},
                     {QStringLiteral("idNegocioFk"), negocio}});
        return id;
    };
    n.propiedadColor = propiedad(QStringLiteral("Color"), 1);
    n.propiedadLargo = propiedad(QStringLiteral("Largo"), 2);
    n.propiedadCaducidad = propiedad(QStringLiteral("Caducidad"), 3);
    const int sucursal = int(cuenta(base, QStringLiteral("SELECT id FROM sucursal WHERE idNegocioFk = :n"),
                                    {{QStringLiteral("n"), negocio}}));
    const int norte = insertaFila(base, QStringLiteral("sucursal"),
                                  {{QStringLiteral("nombre"), QStringLiteral("Sucursal Norte")},
                                   {QStringLiteral("idNegocioFk"), negocio}});
    n.matriz = insertaFila(base, QStringLiteral("inventarioAlmacen"),
                           {{QStringLiteral("nombre"), QStringLiteral("Almacén General")},
                            {QStringLiteral("direccion"), QStringLiteral("Av. Juárez 120")},
                            {QStringLiteral("sucursal_id"), sucursal},
                            {QStringLiteral("idNegocioFk"), negocio}});
    n.bodega = insertaFila(base, QStringLiteral("inventarioAlmacen"),
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

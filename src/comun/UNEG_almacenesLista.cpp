#include "comun/UNEG_almacenesLista.h"

#include "comun/U_busquedaTexto.h"

CmidTierResponse TalmacenesLista::selectAlmacenesSeleccion(const QString &texto, int idNegocio) {
    const bool conTexto = !texto.trimmed().isEmpty();
    setQuery(QStringLiteral("SELECT a.id AS almacen_id, a.nombre AS almacen_nombre, a.direccion AS "
                            "almacen_direccion, a.nota AS almacen_nota, a.sucursal_id AS sucursal_id, "
                            "s.nombre AS sucursal_nombre FROM inventarioAlmacen a "
                            "LEFT JOIN sucursal s ON s.id = a.sucursal_id AND s.idNegocioFk = a.idNegocioFk "
                            "WHERE a.idNegocioFk = :idNegocio") +
             (conTexto ? QStringLiteral(" AND a.nombre LIKE :patron ESCAPE '!'") : QString()) +
             QStringLiteral(" ORDER BY s.nombre, a.nombre, a.id"));
    setParametroEntero(QStringLiteral("idNegocio"), idNegocio);
    if (conTexto)
        setParametroTexto(QStringLiteral("patron"), u_patronContiene(texto));
    return reader();
}

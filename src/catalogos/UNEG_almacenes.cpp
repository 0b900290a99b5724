#include "catalogos/UNEG_almacenes.h"

#include "comun/U_mensajes.h"

bool u_guardaAlmacen(TConexionSesion *sesion, const TalmacenDescripcion &almacen, bool nuevo) {
    Talmacen datos(sesion);
    if (datos.selectAlmacenPorNombre(almacen.nombre, almacen.idNegocio, nuevo ? 0 : almacen.id) > 0) {
        u_mensaje(QStringLiteral("El nombre capturado esta duplicado, intente nuevamente."), kInformacion);
        return false;
    }
    if (almacen.sucursalId <= 0) {
        u_mensaje(QStringLiteral("Seleccione una sucursal"), kInformacion);
        return false;
    }
    if (almacen.nombre.trimmed().isEmpty()) {
        u_mensaje(QStringLiteral("Capture el nombre del Alamcén"), kInformacion);
        return false;
    }
    const CmidTierResponse r = nuevo ? datos.insertAlmacen(almacen) : datos.updateAlmacen(almacen);
    return r.isSuccess() && (!nuevo || r.getFilasAfectadas() > 0);
}

#include "comun/U_proveedorCaptura.h"

#include "comun/UNEG_proveedores.h"

#include <QRegularExpression>

namespace {
bool esRfcGenerico(const QString &rfc) {
    return rfc == QLatin1String("XAXX010101000") || rfc == QLatin1String("XEXX010101000");
}
} // namespace

TproveedorCaptura proveedorCaptura::normaliza(TproveedorCaptura p) {
    p.nombre = p.nombre.trimmed().left(limites::kProveedorNombre);
    p.rfc = p.rfc.trimmed().toUpper().left(limites::kRfc);
    p.direccion = p.direccion.trimmed().left(limites::kProveedorDireccion);
    p.telefono = p.telefono.trimmed().left(limites::kTelefono);
    p.correo = p.correo.trimmed().left(limites::kCorreo);
    return p;
}

QString proveedorCaptura::valida(TConexionSesion *sesion, const TproveedorCaptura &p, int idNegocio) {
    static const QRegularExpression kRfc(QStringLiteral("^[A-ZÑ&]{3,4}\\d{6}[A-Z0-9]{3}$"));
    static const QRegularExpression kCorreo(QStringLiteral("^[^@\\s]+@[^@\\s]+\\.[^@\\s]+$"));
    Tproveedores proveedores(sesion);
    if (p.nombre.isEmpty())
        return QStringLiteral("Capture el nombre del proveedor.");
    if (!p.rfc.isEmpty() && !kRfc.match(p.rfc).hasMatch())
        return QStringLiteral("El RFC %1 no es válido.").arg(p.rfc);
    if (!p.correo.isEmpty() && !kCorreo.match(p.correo).hasMatch())
        return QStringLiteral("El correo electrónico %1 no es válido.").arg(p.correo);
    if (proveedores.selectNombreRepetido(p.nombre, p.id, idNegocio).getScalarAsInt() > 0)
        return QStringLiteral("Ya existe un proveedor con el nombre %1.").arg(p.nombre);
    if (!p.rfc.isEmpty() && !esRfcGenerico(p.rfc) &&
        proveedores.selectRfcRepetido(p.rfc, p.id, idNegocio).getScalarAsInt() > 0)
        return QStringLiteral("Ya existe un proveedor con el RFC %1.").arg(p.rfc);
    if (p.id > 0 && proveedores.selectProveedorPorId(p.id, idNegocio).getRowCount() != 1)
        return QStringLiteral("El proveedor ya no existe.");
    return {};
}

TresultadoCaptura proveedorCaptura::guarda(TConexionSesion *sesion, const TproveedorCaptura &captura,
                                           int idNegocio) {
    const TproveedorCaptura p = normaliza(captura);
    TresultadoCaptura r;
    r.mensaje = valida(sesion, p, idNegocio);
    if (!r.mensaje.isEmpty())
        return r;
    Tproveedores proveedores(sesion);
    const CmidTierResponse escrito =
        p.id > 0 ? proveedores.updateProveedor(p, idNegocio) : proveedores.insertProveedor(p, idNegocio);
    if (!escrito.isSuccess())
        r.mensaje = QStringLiteral("No se pudo guardar el proveedor. Intente de nuevo.");
    else
        r.id = p.id > 0 ? p.id : int(escrito.getIdInsertado());
    return r;
}

#include "comun/UNEG_negocios.h"

#include "datos/UmiddleTier.h"

#include <QRegularExpression>

QString negocios::valida(const TnegocioNuevo &d) {
    if (d.nombre.trimmed().isEmpty())
        return QStringLiteral("Escriba el nombre del negocio.");
    if (d.nombre.trimmed().size() > 150)
        return QStringLiteral("El nombre del negocio admite como máximo 150 caracteres.");
    // Persons carry 13 characters, companies 12: letters (with Ñ and &), birth or founding date, homoclave.
    static const QRegularExpression kRfc(QStringLiteral("^[A-ZÑ&]{3,4}[0-9]{6}[A-Z0-9]{3}$"));
    if (!kRfc.match(d.rfc.trimmed().toUpper()).hasMatch())
        return QStringLiteral(
            "El RFC no es válido: debe tener 12 o 13 caracteres (por ejemplo XAXX010101000).");
    if (d.razonSocial.trimmed().isEmpty())
        return QStringLiteral("Escriba la razón social.");
    static const QRegularExpression kCodigoPostal(QStringLiteral("^[0-9]{5}$"));
    const QString cp = d.domicilio.codigoPostal.trimmed();
    if (!cp.isEmpty() && !kCodigoPostal.match(cp).hasMatch())
        return QStringLiteral("El código postal debe tener 5 dígitos.");
    if (d.sucursal.trimmed().isEmpty())
        return QStringLiteral("Escriba el nombre de la sucursal.");
    return {};
}

int negocios::crea(TConexionSesion *sesion, const TnegocioNuevo &d) {
    if (!valida(d).isEmpty())
        return 0;
    TmiddleTier mt(sesion);
    if (!mt.transaccionInicia())
        return 0;
    mt.setQuery(QStringLiteral(
        "INSERT INTO negocio (nombre, rfc, razonSocial, calle, numeroExterior, numeroInterior, colonia, "
        "codigoPostal, municipio, estado) VALUES (:nombre, :rfc, :razon, :calle, :exterior, :interior, "
        ":colonia, :cp, :municipio, :estado)"));
    mt.setParametroTexto(QStringLiteral("nombre"), d.nombre.trimmed().left(150));
    mt.setParametroTexto(QStringLiteral("rfc"), d.rfc.trimmed().toUpper());
    mt.setParametroTexto(QStringLiteral("razon"), d.razonSocial.trimmed().left(250));
    const TdomicilioFiscal &dom = d.domicilio;
    mt.setParametroTexto(QStringLiteral("calle"), dom.calle.trimmed().left(kLargoCalle));
    mt.setParametroTexto(QStringLiteral("exterior"), dom.numeroExterior.trimmed().left(kLargoNumero));
    mt.setParametroTexto(QStringLiteral("interior"), dom.numeroInterior.trimmed().left(kLargoNumero));
    mt.setParametroTexto(QStringLiteral("colonia"), dom.colonia.trimmed().left(kLargoColonia));
    mt.setParametroTexto(QStringLiteral("cp"), dom.codigoPostal.trimmed());
    mt.setParametroTexto(QStringLiteral("municipio"), dom.municipio.trimmed().left(kLargoMunicipio));
    mt.setParametroTexto(QStringLiteral("estado"), dom.estado.trimmed().left(kLargoEstado));
    const CmidTierResponse negocio = mt.nonQuery();
    if (!negocio.isSuccess()) {
        mt.transaccionRollback();
        return 0;
    }
    mt.setQuery(QStringLiteral("INSERT INTO sucursal (nombre, idNegocioFk) VALUES (:nombre, :negocio)"));
    mt.setParametroTexto(QStringLiteral("nombre"), d.sucursal.trimmed().left(100));
    mt.setParametroEntero(QStringLiteral("negocio"), negocio.getIdInsertado());
    if (!mt.nonQuery().isSuccess() || !mt.transaccionTermina()) {
        mt.transaccionRollback();
        return 0;
    }
    return int(negocio.getIdInsertado());
}

QList<QPair<int, QString>> negocios::lista(TConexionSesion *sesion) {
    TmiddleTier mt(sesion);
    mt.setQuery(QStringLiteral("SELECT id, nombre FROM negocio ORDER BY nombre, id"));
    const CmidTierResponse r = mt.reader();
    QList<QPair<int, QString>> resultado;
    for (int i = 0; i < r.getRowCount(); ++i)
        resultado.append({int(r.getCeldaAsInt(i, 0)), r.getCelda(i, 1)});
    return resultado;
}

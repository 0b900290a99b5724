#include "comun/U_unidadCaptura.h"

#include "comun/UNEG_unidadesMedida.h"
#include "comun/U_numeroCapturado.h"

namespace {

TunidadCaptura normaliza(TunidadCaptura u) {
    u.descripcion = u.descripcion.trimmed().left(limites::kUnidadDescripcion);
    u.abreviatura = u.abreviatura.trimmed().left(limites::kUnidadAbreviatura);
    return u;
}

TnumeroCapturado leeRelacion(const TunidadCaptura &u) {
    return u_leeNumeroCapturado(u.relacion, QStringLiteral("la relación"), TreglaNumero::Positivo);
}

TresultadoCaptura resultado(const CmidTierResponse &r, int idExistente, const QString &falla) {
    TresultadoCaptura res;
    if (!r.isSuccess())
        res.mensaje = falla;
    else
        res.id = idExistente > 0 ? idExistente : int(r.getIdInsertado());
    return res;
}

} // namespace

TresultadoCaptura unidadCaptura::guardaConjunto(TConexionSesion *sesion, int id, const QString &nombre,
                                                int idNegocio) {
    const QString n = nombre.trimmed().left(limites::kConjuntoNombre);
    TresultadoCaptura r;
    TunidadesMedida unidades(sesion);
    if (n.isEmpty())
        r.mensaje = QStringLiteral("Capture el nombre del conjunto.");
    else if (unidades.selectConjuntoRepetido(n, id, idNegocio).getScalarAsInt() > 0)
        r.mensaje = QStringLiteral("Ya existe el conjunto %1.").arg(n);
    else if (id > 0 && unidades.selectConjuntoPorId(id, idNegocio).getRowCount() != 1)
        r.mensaje = QStringLiteral("El conjunto ya no existe.");
    if (!r.mensaje.isEmpty())
        return r;
    const QString falla = QStringLiteral("No se pudo guardar el conjunto. Intente de nuevo.");
    return resultado(id > 0 ? unidades.updateConjunto(id, n, idNegocio)
                            : unidades.insertConjunto(n, idNegocio),
                     id, falla);
}

QString unidadCaptura::valida(TConexionSesion *sesion, const TunidadCaptura &captura, int idNegocio) {
    const TunidadCaptura u = normaliza(captura);
    TunidadesMedida unidades(sesion);
    if (u.descripcion.isEmpty())
        return QStringLiteral("Capture el nombre de la unidad de medida.");
    if (unidades.selectUnidadRepetida(u.descripcion, u.id, idNegocio).getScalarAsInt() > 0)
        return QStringLiteral("Ya existe la unidad de medida %1.").arg(u.descripcion);
    if (u.conjunto <= 0 || unidades.selectConjuntoPorId(u.conjunto, idNegocio).getRowCount() != 1)
        return QStringLiteral("Seleccione el conjunto de la unidad de medida.");
    if (u.id > 0 && unidades.selectUnidadPorId(u.id, idNegocio).getRowCount() != 1)
        return QStringLiteral("La unidad de medida ya no existe.");
    return leeRelacion(u).mensaje;
}

TresultadoCaptura unidadCaptura::guarda(TConexionSesion *sesion, const TunidadCaptura &captura,
                                        int idNegocio) {
    const TunidadCaptura u = normaliza(captura);
    TresultadoCaptura r;
    r.mensaje = valida(sesion, u, idNegocio);
    if (!r.mensaje.isEmpty())
        return r;
    const double relacion = leeRelacion(u).valor;
    TunidadesMedida unidades(sesion);
    const QString falla = QStringLiteral("No se pudo guardar la unidad de medida. Intente de nuevo.");
    return resultado(u.id > 0 ? unidades.updateUnidad(u, relacion, idNegocio)
                              : unidades.insertUnidad(u, relacion, idNegocio),
                     u.id, falla);
}

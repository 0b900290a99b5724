#include "catalogos/UNEG_conceptos.h"

#include "comun/UNEG_conceptosMovimiento.h"
#include "comun/UNEG_opciones.h"
#include "comun/U_mensajes.h"

int u_metodoValuacion(TConexionSesion *sesion, int idNegocio) {
    const CmidTierResponse r = Topciones(sesion).selectMetodoValoracionInventario(idNegocio);
    return r.isSuccess() ? int(r.getScalarAsInt()) : kMetodoNinguno;
}

bool u_guardaMetodoValuacion(TConexionSesion *sesion, int idNegocio, int metodo) {
    if (metodo != kMetodoPEPS && metodo != kMetodoPromedioPonderado) {
        u_mensaje(QStringLiteral("Seleccione un metodo de valuación"), kAdvertencia);
        return false;
    }
    if (!u_confirmaAceptarCancelar(QStringLiteral(
            "¿Desea guardar esta información?\rVerifique que la información capturada sea "
            "correcta, una vez guardados estos datos no es posible realizar cambios al kardex del "
            "artículo.")))
        return false;
    if (!Topciones(sesion).insertMetodoValoracionInventario(idNegocio, metodo).isSuccess())
        return false;
    // Another workstation may have chosen first: what counts is what is stored.
    return u_metodoValuacion(sesion, idNegocio) > 0;
}

int u_prefijoModulo(int modulo) {
    const QString digitos = QString::number(modulo);
    return digitos.size() >= 3 ? digitos.left(3).toInt() : 0;
}

bool u_guardaConceptoNuevo(TConexionSesion *sesion, const QString &etiqueta, int direccion, int idAsiento,
                           int modulo, int idNegocio) {
    if (etiqueta.trimmed().isEmpty())
        return false;
    return TconceptosMovimiento(sesion)
        .insertMovimientoConcepto(etiqueta, direccion, QVariant(idAsiento), u_prefijoModulo(modulo),
                                  idNegocio)
        .isSuccess();
}

bool u_guardaConceptoEditado(TConexionSesion *sesion, int id, const QString &etiqueta, int idAsiento,
                             int modulo, int idNegocio) {
    if (etiqueta.trimmed().isEmpty())
        return false;
    const QVariant asiento = idAsiento > 0 ? QVariant(idAsiento) : QVariant();
    const CmidTierResponse r = TconceptosMovimiento(sesion).updateMovimientoConcepto(
        id, etiqueta, asiento, u_prefijoModulo(modulo), idNegocio);
    return r.isSuccess();
}

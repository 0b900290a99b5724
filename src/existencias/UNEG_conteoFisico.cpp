#include "existencias/UNEG_conteoFisico.h"

#include "comun/UNEG_almacen.h"
#include "comun/U_mensajes.h"

TconteoFisico::TconteoFisico(const TsistemaDatos &sistema) : uSistema(sistema) {}

bool TconteoFisico::cargaAlmacenes() {
    const CmidTierResponse r =
        Talmacen(uSistema.getConexion())
            .selectAlmacenes(QVariant(), QVariant(), uSistema.getNegocio().getIdNegocio());
    if (!r.isSuccess())
        return false;
    uAlmacenes.clear();
    for (int f = 0; f < r.getRowCount(); ++f)
        uAlmacenes.append({int(r.getCeldaAsInt(f, QStringLiteral("almacen_id"))),
                           r.getCelda(f, QStringLiteral("almacen_nombre"))});
    return true;
}

void TconteoFisico::setAlmacen(int id, const QString &nombre) {
    uAlmacenID = id > 0 ? id : 0;
    uAlmacenNombre = id > 0 ? nombre : QString();
}

void TconteoFisico::setCategoria(const QString &clave, const QString &etiqueta) {
    uCategoriaID = clave;
    uCategoriaEtiqueta = clave.isEmpty() ? QString() : etiqueta;
}

bool TconteoFisico::busca() {
    QVector<TlineaConteo> lineas;
    if (!u_cargaHojaConteo(uSistema.getConexion(), uCategoriaID, uAlmacenID,
                           uSistema.getNegocio().getIdNegocio(), lineas))
        return false;
    uLineas = std::move(lineas);
    uArchivo = UREC_inventarioFisicoIndice();
    uModificado = false;
    return true;
}

void TconteoFisico::fijaConteo(int fila, const QString &texto) {
    if (fila < 0 || fila >= uLineas.size())
        return;
    // An emptied cell is a count of nothing, told apart from a product not counted yet.
    const QString t = texto.trimmed();
    uLineas[fila].existenciaFisica = t.isEmpty() ? QStringLiteral("0") : t;
    uModificado = true;
}

UREC_inventarioFisicoIndice TconteoFisico::encabezado() const {
    UREC_inventarioFisicoIndice i;
    i.almacenID = uAlmacenID;
    i.almacenNombre = uAlmacenNombre;
    i.categoriaID = uCategoriaID;
    i.categoriaEtiqueta = uCategoriaEtiqueta;
    i.creacion = i.modificacion = QDateTime::currentDateTime();
    i.nombre = uArchivo.nombre;
    i.nota = uArchivo.nota;
    i.negocioID = uSistema.getNegocio().getIdNegocio();
    return i;
}

TfinGuardadoConteo TconteoFisico::guarda(UREC_inventarioFisicoIndice indice) {
    if (indice.resultado != 1 && indice.resultado != 2)
        return TfinGuardadoConteo::SinNombre;
    const TfinGuardadoConteo fin = u_guardaConteo(uSistema.getConexion(), indice, uLineas);
    switch (fin) {
    case TfinGuardadoConteo::Guardado:
        uArchivo = indice;
        uModificado = false;
        u_mensaje(conteoFisico::kGuardado, kInformacion);
        break;
    case TfinGuardadoConteo::NombreExistente:
        u_mensaje(conteoFisico::kNombreTomado, kAdvertencia);
        break;
    case TfinGuardadoConteo::Fallido:
        u_mensaje(conteoFisico::kNoGuardado, kError);
        break;
    case TfinGuardadoConteo::Aplicado:
        u_mensaje(conteoFisico::kAplicadoNoSeSobreescribe, kAdvertencia);
        break;
    case TfinGuardadoConteo::SinNombre:
        break;
    }
    return fin;
}

bool TconteoFisico::abre(int id) {
    UREC_inventarioFisicoIndice indice;
    QVector<TlineaConteo> lineas;
    if (!u_abreConteo(uSistema.getConexion(), id, uSistema.getNegocio().getIdNegocio(), indice, lineas)) {
        u_mensaje(conteoFisico::kNoAbierto, kAdvertencia);
        return false;
    }
    uArchivo = indice;
    uLineas = std::move(lineas);
    uModificado = false;
    // The count's own filters, so that saving it again never stores it under other ones.
    setAlmacen(indice.almacenID, indice.almacenNombre);
    setCategoria(indice.categoriaID, indice.categoriaEtiqueta);
    return true;
}

bool TconteoFisico::puedeAplicar() const {
    return !uSistema.esRestringido() && uArchivo.id > 0 && !uArchivo.aplicado();
}

TfinAplicacion TconteoFisico::aplica(const TaplicacionConteo::Tavance &avance) {
    // What is applied is the count as saved, read again from the database.
    if (uArchivo.id <= 0 || uModificado) {
        u_mensaje(aplicacionConteo::kSinGuardar, kAdvertencia);
        return TfinAplicacion::Rechazada;
    }
    TaplicacionConteo aplicacion(uSistema, uArchivo.id);
    aplicacion.setAvance(avance);
    const TfinAplicacion fin = aplicacion.aplica();
    if (fin == TfinAplicacion::Aplicada || aplicacion.conteo().aplicado())
        uArchivo = aplicacion.conteo();
    return fin;
}

QString TconteoFisico::estadoAplicacion() const {
    if (!uArchivo.aplicado())
        return QString();
    QStringList documentos;
    if (uArchivo.documentoEntradaAjuste > 0)
        documentos << QStringLiteral("entrada %1").arg(uArchivo.documentoEntradaAjuste);
    if (uArchivo.documentoSalidaAjuste > 0)
        documentos << QStringLiteral("salida %1").arg(uArchivo.documentoSalidaAjuste);
    return QStringLiteral("Ajustes aplicados el %1 (%2).")
        .arg(uArchivo.aplicacion.toString(QStringLiteral("dd/MM/yyyy HH:mm")),
             documentos.join(QStringLiteral(", ")));
}

#include "existencias/UNEG_inventarioFisico.h"

#include "comun/U_busquedaTexto.h"
#include "comun/U_posteoMovimientos.h"
#include "comun/U_utilerias.h"
#include "datos/UinsercionMultiple.h"

namespace {
const QString kNegocio = QStringLiteral("negocio");

// The sheet's columns after the product id, shared by the live sheet and a saved count.
const QString kColumnasProducto = QStringLiteral(
    "p.clave AS inventarioProducto_clave, p.nombre AS inventarioProducto_nombre, p.descripcion AS "
    "inventarioProducto_descripcion, u.descripcion AS unidadesMedida_descripcion");

QVector<TlineaConteo> lineasDe(const CmidTierResponse &r) {
    QVector<TlineaConteo> lineas;
    lineas.reserve(r.getRowCount());
    const int id = r.getIndiceColumnaPorNombre(QStringLiteral("inventarioProducto_id"));
    const int clave = r.getIndiceColumnaPorNombre(QStringLiteral("inventarioProducto_clave"));
    const int nombre = r.getIndiceColumnaPorNombre(QStringLiteral("inventarioProducto_nombre"));
    const int descripcion = r.getIndiceColumnaPorNombre(QStringLiteral("inventarioProducto_descripcion"));
    const int unidad = r.getIndiceColumnaPorNombre(QStringLiteral("unidadesMedida_descripcion"));
    const int existencia = r.getIndiceColumnaPorNombre(QStringLiteral("inventarioExistencias_existencia"));
    const int fisica =
        r.getIndiceColumnaPorNombre(QStringLiteral("inventarioFisicoDetalle_existenciaFisica"));
    for (int f = 0; f < r.getRowCount(); ++f) {
        TlineaConteo l;
        l.productoID = int(r.getCeldaAsInt(f, id));
        l.clave = r.getCelda(f, clave);
        l.nombre = r.getCelda(f, nombre);
        l.descripcion = r.getCelda(f, descripcion);
        l.unidad = r.getCelda(f, unidad);
        // The live sheet's stock is a number; a saved one is the text as it was shown.
        l.existencia = fisica < 0 ? FloatToStr(r.getCeldaAsFloat(f, existencia)) : r.getCelda(f, existencia);
        if (fisica >= 0)
            l.existenciaFisica = r.getCelda(f, fisica);
        lineas.append(l);
    }
    return lineas;
}

bool escribeLineas(TinventarioFisico &datos, UREC_inventarioFisicoIndice &indice,
                   const QVector<TlineaConteo> &lineas, TfinGuardadoConteo &rechazo) {
    const qint64 existente = datos.selectArchivoNombre(indice.nombre, indice.negocioID);
    if (existente < 0)
        return false;
    if (indice.resultado == 2 && existente > 0) {
        const CmidTierResponse previo = datos.selectIndice(int(existente), indice.negocioID);
        if (!previo.isSuccess() || previo.getRowCount() != 1)
            return false;
        if (!previo.esNulo(0, QStringLiteral("fechaHoraAplicacion"))) {
            rechazo = TfinGuardadoConteo::Aplicado;
            return false;
        }
        indice.id = int(existente);
        // Found under the lock: the update reaches it (MariaDB counts an unchanged row as 0).
        return datos.updateInventarioFisicoIndice(indice).isSuccess() &&
               datos.deleteInventarioFisicoDetalle(indice.id, indice.negocioID).isSuccess() &&
               datos.insertInventarioFisicoDetalle(indice.id, lineas);
    }
    if (existente > 0) {
        rechazo = TfinGuardadoConteo::NombreExistente;
        return false;
    }
    const CmidTierResponse nuevo = datos.insertInventarioFisicoIndice(indice);
    if (!nuevo.isSuccess())
        return false;
    indice.id = int(nuevo.getIdInsertado());
    return datos.insertInventarioFisicoDetalle(indice.id, lineas);
}
} // namespace

QString TlineaConteo::diferencia() const {
    if (!contado())
        return QString();
    return FloatToStr(existenciaFisica.toDouble() - existencia.toDouble());
}

CmidTierResponse TinventarioFisico::selectHojaConteo(const QVariant &categoria, const QVariant &almacenID,
                                                     int negocioID) {
    setQuery(QStringLiteral("SELECT p.id AS inventarioProducto_id, ") + kColumnasProducto +
             QStringLiteral(", SUM(x.existencia) AS inventarioExistencias_existencia "
                            "FROM inventarioAlmacen a "
                            "JOIN inventarioExistencias x ON x.inventarioAlmacen_id = a.id "
                            "JOIN inventarioProducto p ON p.id = x.inventarioProducto_id AND p.idNegocioFk = "
                            "a.idNegocioFk "
                            "LEFT JOIN inventarioUnidadesMedida u ON u.id = p.unidadesMedida_id AND "
                            "u.idNegocioFk = a.idNegocioFk "
                            "WHERE a.idNegocioFk = :negocio AND (:almacen1 IS NULL OR a.id = :almacen2) AND "
                            "(:categoria1 IS NULL OR p.inventarioCategoria_identidad LIKE :categoria2 ESCAPE "
                            "'!') "
                            "GROUP BY p.id, p.clave, p.nombre, p.descripcion, u.descripcion "
                            "ORDER BY p.nombre, p.id"));
    setParametroEntero(kNegocio, negocioID);
    setParametroVariant(QStringLiteral("almacen1"), almacenID);
    setParametroVariant(QStringLiteral("almacen2"), almacenID);
    setParametroVariant(QStringLiteral("categoria1"), categoria);
    setParametroVariant(QStringLiteral("categoria2"), categoria);
    return reader();
}

CmidTierResponse TinventarioFisico::selectArchivosInventarioFisico(int negocioID, const QString &texto) {
    setQuery(
        QStringLiteral("SELECT id AS _id, nombre AS Reporte, fechasHora AS creacion, "
                       "fechaHoraActualizacion AS modificacion, nota AS Nota "
                       "FROM inventarioFisicoIndice WHERE idNegocioFk = :negocio AND nombre LIKE :patron "
                       "ESCAPE '!' ORDER BY COALESCE(fechaHoraActualizacion, fechasHora) DESC, id DESC"));
    setParametroEntero(kNegocio, negocioID);
    setParametroTexto(QStringLiteral("patron"), u_patronContiene(texto.trimmed()));
    return reader();
}

qint64 TinventarioFisico::selectArchivoNombre(const QString &nombre, int negocioID) {
    // Compared here, not in SQL: SQLite lowers only ASCII and MariaDB pads spaces.
    setQuery(QStringLiteral("SELECT id, nombre FROM inventarioFisicoIndice WHERE idNegocioFk = :negocio"));
    setParametroEntero(kNegocio, negocioID);
    const CmidTierResponse r = reader();
    if (!r.isSuccess())
        return -1;
    const QString buscado = nombre.trimmed().left(UREC_inventarioFisicoIndice::kLargoNombre);
    for (int f = 0; f < r.getRowCount(); ++f)
        if (r.getCelda(f, 1).trimmed().compare(buscado, Qt::CaseInsensitive) == 0)
            return r.getCeldaAsInt(f, 0);
    return 0;
}

CmidTierResponse TinventarioFisico::selectIndice(int id, int negocioID) {
    setQuery(QStringLiteral(
        "SELECT i.id, i.nombre, i.nota, i.fechasHora, i.fechaHoraActualizacion, i.inventarioAlmacen_id, "
        "a.nombre AS almacen_nombre, i.inventarioCategoria_identidad, c.etiqueta AS categoria_etiqueta, "
        "i.fechaHoraAplicacion, i.documentoEntradaAjuste, i.documentoSalidaAjuste "
        "FROM inventarioFisicoIndice i "
        "LEFT JOIN inventarioAlmacen a ON a.id = i.inventarioAlmacen_id AND a.idNegocioFk = i.idNegocioFk "
        "LEFT JOIN inventarioCategoria c ON c.identidad = i.inventarioCategoria_identidad AND "
        "c.idNegocioFk = i.idNegocioFk "
        "WHERE i.id = :id AND i.idNegocioFk = :negocio"));
    setParametroEntero(QStringLiteral("id"), id);
    setParametroEntero(kNegocio, negocioID);
    return reader();
}

CmidTierResponse TinventarioFisico::selectInventarioFisicoDetalle(int indiceID, int negocioID) {
    setQuery(QStringLiteral("SELECT d.inventarioProducto_id AS inventarioProducto_id, ") + kColumnasProducto +
             QStringLiteral(", d.existencia AS inventarioExistencias_existencia, d.existenciaFisica AS "
                            "inventarioFisicoDetalle_existenciaFisica "
                            "FROM inventarioFisicoIndice i "
                            "JOIN inventarioFisicoDetalle d ON d.inventarioFisicoIndice_id = i.id "
                            "LEFT JOIN inventarioProducto p ON p.id = d.inventarioProducto_id AND "
                            "p.idNegocioFk = i.idNegocioFk "
                            "LEFT JOIN inventarioUnidadesMedida u ON u.id = p.unidadesMedida_id AND "
                            "u.idNegocioFk = i.idNegocioFk "
                            "WHERE i.id = :indice AND i.idNegocioFk = :negocio ORDER BY d.id"));
    setParametroEntero(QStringLiteral("indice"), indiceID);
    setParametroEntero(kNegocio, negocioID);
    return reader();
}

CmidTierResponse TinventarioFisico::escribeIndice(const UREC_inventarioFisicoIndice &indice) {
    setParametroTexto(QStringLiteral("nota"), indice.nota.left(indice.kLargoNota));
    setParametroFechaHora(QStringLiteral("modificacion"), indice.modificacion);
    setParametroEntero(QStringLiteral("almacen"), indice.almacenID);
    setParametroTexto(QStringLiteral("categoria"), indice.categoriaID);
    setParametroEntero(kNegocio, indice.negocioID);
    return nonQuery();
}

CmidTierResponse TinventarioFisico::insertInventarioFisicoIndice(const UREC_inventarioFisicoIndice &indice) {
    setQuery(QStringLiteral(
        "INSERT INTO inventarioFisicoIndice (nombre, nota, fechasHora, fechaHoraActualizacion, "
        "inventarioAlmacen_id, inventarioCategoria_identidad, idNegocioFk) VALUES (:nombre, :nota, "
        ":creacion, "
        ":modificacion, :almacen, :categoria, :negocio)"));
    setParametroTexto(QStringLiteral("nombre"), indice.nombre.trimmed().left(indice.kLargoNombre));
    setParametroFechaHora(QStringLiteral("creacion"), indice.creacion);
    return escribeIndice(indice);
}

CmidTierResponse TinventarioFisico::updateInventarioFisicoIndice(const UREC_inventarioFisicoIndice &indice) {
    setQuery(QStringLiteral(
        "UPDATE inventarioFisicoIndice SET nota = :nota, fechaHoraActualizacion = :modificacion, "
        "inventarioAlmacen_id = :almacen, inventarioCategoria_identidad = :categoria "
        "WHERE id = :id AND idNegocioFk = :negocio"));
    setParametroEntero(QStringLiteral("id"), indice.id);
    return escribeIndice(indice);
}

CmidTierResponse TinventarioFisico::deleteInventarioFisicoDetalle(int indiceID, int negocioID) {
    setQuery(
        QStringLiteral("DELETE FROM inventarioFisicoDetalle WHERE inventarioFisicoIndice_id IN (SELECT id "
                       "FROM inventarioFisicoIndice WHERE id = :indice AND idNegocioFk = :negocio)"));
    setParametroEntero(QStringLiteral("indice"), indiceID);
    setParametroEntero(kNegocio, negocioID);
    return nonQuery();
}

CmidTierResponse TinventarioFisico::updateAplicacion(const UREC_inventarioFisicoIndice &indice) {
    setQuery(
        QStringLiteral("UPDATE inventarioFisicoIndice SET fechaHoraAplicacion = :aplicacion, "
                       "documentoEntradaAjuste = :entrada, documentoSalidaAjuste = :salida WHERE id = :id "
                       "AND idNegocioFk = :negocio AND fechaHoraAplicacion IS NULL"));
    setParametroFechaHora(QStringLiteral("aplicacion"), indice.aplicacion);
    setParametroEntero(QStringLiteral("entrada"), indice.documentoEntradaAjuste);
    setParametroEntero(QStringLiteral("salida"), indice.documentoSalidaAjuste);
    setParametroEntero(QStringLiteral("id"), indice.id);
    setParametroEntero(kNegocio, indice.negocioID);
    return nonQuery();
}

bool TinventarioFisico::insertInventarioFisicoDetalle(int indiceID, const QVector<TlineaConteo> &lineas) {
    TinsercionMultiple lote(*this, QStringLiteral("inventarioFisicoDetalle"),
                            {QStringLiteral("inventarioFisicoIndice_id"),
                             QStringLiteral("inventarioProducto_id"), QStringLiteral("existencia"),
                             QStringLiteral("existenciaFisica")});
    // A product not counted stores '' (a null text would bind NULL).
    auto texto = [](const QString &t) { return QVariant(t.isNull() ? QStringLiteral("") : t.left(30)); };
    for (const TlineaConteo &l : lineas)
        if (!lote.agrega({indiceID, l.productoID, texto(l.existencia), texto(l.existenciaFisica)}))
            return false;
    return lote.vacia();
}

bool u_cargaHojaConteo(TConexionSesion *sesion, const QString &categoria, int almacenID, int negocioID,
                       QVector<TlineaConteo> &lineas) {
    TinventarioFisico datos(sesion);
    const QVariant patron = categoria.isEmpty() ? QVariant() : QVariant(u_patronContiene(categoria).mid(1));
    const CmidTierResponse r =
        datos.selectHojaConteo(patron, almacenID > 0 ? QVariant(almacenID) : QVariant(), negocioID);
    if (!r.isSuccess())
        return false;
    lineas = lineasDe(r);
    return true;
}

TfinGuardadoConteo u_guardaConteo(TConexionSesion *sesion, UREC_inventarioFisicoIndice &indice,
                                  const QVector<TlineaConteo> &lineas) {
    if (indice.nombre.trimmed().isEmpty())
        return TfinGuardadoConteo::SinNombre;
    TinventarioFisico datos(sesion);
    if (!datos.transaccionInicia())
        return TfinGuardadoConteo::Fallido;
    // Under the business's lock, so that two workstations saving the same new name never both
    // pass the name check.
    const int idPrevio = indice.id;
    TfinGuardadoConteo rechazo = TfinGuardadoConteo::Fallido;
    if (u_bloqueaNegocio(datos, indice.negocioID) && escribeLineas(datos, indice, lineas, rechazo) &&
        datos.transaccionTermina())
        return TfinGuardadoConteo::Guardado;
    datos.transaccionRollback();
    indice.id = idPrevio;
    return rechazo;
}

bool u_abreConteo(TConexionSesion *sesion, int id, int negocioID, UREC_inventarioFisicoIndice &indice,
                  QVector<TlineaConteo> &lineas) {
    TinventarioFisico datos(sesion);
    const CmidTierResponse h = datos.selectIndice(id, negocioID);
    if (!h.isSuccess() || h.getRowCount() != 1)
        return false;
    const CmidTierResponse d = datos.selectInventarioFisicoDetalle(id, negocioID);
    if (!d.isSuccess())
        return false;
    UREC_inventarioFisicoIndice i;
    i.aceptado = true;
    i.id = id;
    i.nombre = h.getCelda(0, QStringLiteral("nombre"));
    i.nota = h.getCelda(0, QStringLiteral("nota"));
    i.creacion = h.getCeldaAsDate(0, QStringLiteral("fechasHora"));
    i.modificacion = h.getCeldaAsDate(0, QStringLiteral("fechaHoraActualizacion"));
    i.almacenID = int(h.getCeldaAsInt(0, QStringLiteral("inventarioAlmacen_id")));
    i.almacenNombre = h.getCelda(0, QStringLiteral("almacen_nombre"));
    i.categoriaID = h.getCelda(0, QStringLiteral("inventarioCategoria_identidad"));
    i.categoriaEtiqueta = h.getCelda(0, QStringLiteral("categoria_etiqueta"));
    i.negocioID = negocioID;
    if (!h.esNulo(0, QStringLiteral("fechaHoraAplicacion")))
        i.aplicacion = h.getCeldaAsDate(0, QStringLiteral("fechaHoraAplicacion"));
    i.documentoEntradaAjuste = int(h.getCeldaAsInt(0, QStringLiteral("documentoEntradaAjuste")));
    i.documentoSalidaAjuste = int(h.getCeldaAsInt(0, QStringLiteral("documentoSalidaAjuste")));
    indice = i;
    lineas = lineasDe(d);
    return true;
}

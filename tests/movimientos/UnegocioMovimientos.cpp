#include "UnegocioMovimientos.h"

#include "apoyo/UfilasPrueba.h"
#include "comun/UNEG_opciones.h"
#include "comun/U_utilerias.h"
#include "datos/UfechaHora.h"

TnegocioMovimientos::TnegocioMovimientos(TbasePrueba &base, int metodo, const QString &nombre,
                                         TConexionSesion *sesion)
    : uBase(base), uSesion(sesion ? sesion : base.sesion()), uNegocio(base.creaNegocio(nombre)) {
    Topciones(uSesion).insertMetodoValoracionInventario(uNegocio, metodo);
}

TnegocioMovimientos::TnegocioMovimientos(TbasePrueba &base, Texistente existente)
    : uBase(base), uSesion(base.sesion()), uNegocio(existente.negocio) {}

QDateTime TnegocioMovimientos::fecha(const QString &texto) {
    return fechaHora::deValorBD(QVariant(texto));
}

int TnegocioMovimientos::almacen(const QString &nombre) {
    return u_insertaFila(uSesion, QStringLiteral("inventarioAlmacen"),
                         {{QStringLiteral("nombre"), nombre},
                          {QStringLiteral("sucursal_id"), 1},
                          {QStringLiteral("idNegocioFk"), uNegocio}});
}

int TnegocioMovimientos::producto(const QString &nombre, int controlNoSerie) {
    return u_insertaFila(uSesion, QStringLiteral("inventarioProducto"),
                         {{QStringLiteral("nombre"), nombre},
                          {QStringLiteral("opControladoNoSerie"), controlNoSerie},
                          {QStringLiteral("idNegocioFk"), uNegocio}});
}

int TnegocioMovimientos::productoEnCatalogo(const QString &nombre, const QString &codigoBarras,
                                            int controlNoSerie) {
    if (uPieza == 0) {
        uPieza = u_insertaFila(uSesion, QStringLiteral("inventarioUnidadesMedida"),
                               {{QStringLiteral("descripcion"), QStringLiteral("Pieza")},
                                {QStringLiteral("idNegocioFk"), uNegocio}});
        u_insertaFila(uSesion, QStringLiteral("inventarioCategoria"),
                      {{QStringLiteral("identidad"), QStringLiteral("A")},
                       {QStringLiteral("etiqueta"), QStringLiteral("Papelería")},
                       {QStringLiteral("idNegocioFk"), uNegocio}});
    }
    return u_insertaFila(uSesion, QStringLiteral("inventarioProducto"),
                         {{QStringLiteral("nombre"), nombre},
                          {QStringLiteral("codigoBarras"), codigoBarras},
                          {QStringLiteral("unidadesMedida_id"), uPieza},
                          {QStringLiteral("inventarioCategoria_identidad"), QStringLiteral("A")},
                          {QStringLiteral("opControladoNoSerie"), controlNoSerie},
                          {QStringLiteral("idNegocioFk"), uNegocio}});
}

int TnegocioMovimientos::plantilla(const QString &nombre) {
    return u_insertaFila(uSesion, QStringLiteral("AsientosContables"),
                         {{QStringLiteral("nombre"), nombre},
                          {QStringLiteral("ModuloAsientosContables_id"), 1},
                          {QStringLiteral("idNegocioFk"), uNegocio}});
}

int TnegocioMovimientos::concepto(int direccion, int familia, const QString &etiqueta) {
    const QString texto =
        etiqueta.isEmpty() ? QStringLiteral("%1 %2")
                                 .arg(direccion == 1 ? QStringLiteral("Entrada") : QStringLiteral("Salida"))
                                 .arg(familia)
                           : etiqueta;
    if (uConceptos.contains(texto))
        return uConceptos.value(texto);
    const int id = u_insertaFila(uSesion, QStringLiteral("inventarioMovimientoConcepto"),
                                 {{QStringLiteral("etiqueta"), texto},
                                  {QStringLiteral("direccion"), direccion},
                                  {QStringLiteral("familia"), familia},
                                  {QStringLiteral("AsientosContables_id"), plantilla(texto)},
                                  {QStringLiteral("idNegocioFk"), uNegocio}});
    uConceptos.insert(texto, id);
    return id;
}

void TnegocioMovimientos::acepta(int n) const {
    for (int i = 0; i < n; ++i)
        guion().respuestas({true});
}

TdocumentoEntrada TnegocioMovimientos::entrada(int almacen, int producto, const QString &fecha,
                                               double cantidad, double costo, int familia) {
    TdocumentoEntrada doc(uSesion, uNegocio);
    TdatosEntrada &d = doc.datos();
    d.almacenID = almacen;
    d.conceptoID = concepto(1, familia);
    d.fechaHora = TnegocioMovimientos::fecha(fecha);
    TlineaEntrada l;
    l.productoID = producto;
    l.producto = QStringLiteral("Producto %1").arg(producto);
    l.cantidad = FloatToStr(cantidad);
    l.costoUnitario = costo;
    d.lineas.append(l);
    return doc;
}

int TnegocioMovimientos::recibe(const QString &nombre, int almacen, int producto, const QString &fecha,
                                double cantidad, double costo, const QStringList &series) {
    TdocumentoEntrada doc = entrada(almacen, producto, fecha, cantidad, costo);
    doc.datos().proveedorID = 1;
    doc.datos().lineas[0].controlNoSerie = series.isEmpty() ? 0 : 1;
    doc.datos().lineas[0].informacion.noSerie = series;
    guion().limpia();
    acepta();
    if (!doc.guardar())
        return 0;
    const int id =
        int(u_valorConsulta(uSesion,
                            QStringLiteral("SELECT MAX(id) FROM inventarioEntrada WHERE idNegocioFk = "
                                           ":negocio"),
                            {{QStringLiteral("negocio"), uNegocio}})
                .toLongLong());
    uNombres.insert(id, nombre);
    return id;
}

std::unique_ptr<TdocumentoSalida> TnegocioMovimientos::salida(int almacen, const QString &fecha,
                                                              int familia) {
    auto doc = std::make_unique<TdocumentoSalida>(uSesion, uNegocio);
    doc->setAlmacen(almacen);
    doc->setConcepto(concepto(2, familia));
    doc->setFechaHora(TnegocioMovimientos::fecha(fecha));
    return doc;
}

int TnegocioMovimientos::entrega(int almacen, int producto, const QString &fecha, double cantidad) {
    auto doc = salida(almacen, fecha);
    TproductoSalida p;
    p.id = producto;
    p.nombre = QStringLiteral("Producto %1").arg(producto);
    guion().limpia();
    acepta();
    if (!doc->agregarProducto(p, cantidad) || !doc->guardar())
        return 0;
    return doc->documento();
}

double TnegocioMovimientos::existenciaCapa(int entrada) const {
    return u_valorConsulta(uSesion, QStringLiteral("SELECT existencia FROM inventarioEntrada WHERE id = :id"),
                           {{QStringLiteral("id"), entrada}})
        .toDouble();
}

double TnegocioMovimientos::existencia(int almacen, int producto) const {
    const QVariant v = u_valorConsulta(
        uSesion,
        QStringLiteral("SELECT existencia FROM inventarioExistencias WHERE inventarioAlmacen_id = :a AND "
                       "inventarioProducto_id = :p"),
        {{QStringLiteral("a"), almacen}, {QStringLiteral("p"), producto}});
    return v.isNull() ? -1.0 : v.toDouble();
}

QStringList TnegocioMovimientos::kardex() const {
    TmiddleTier mt(uSesion);
    mt.setQuery(QStringLiteral(
        "SELECT inventarioEntrada_id, entradaCantidad, salidaEntradaRelacionada, salidaCantidad, "
        "salidaCostoUnitario, totalCantidad, totalCostoUnitario, revision, division, grupo FROM "
        "inventarioKardex "
        "WHERE idNegocioFk = :negocio ORDER BY id"));
    mt.setParametroEntero(QStringLiteral("negocio"), uNegocio);
    const CmidTierResponse r = mt.reader();
    auto texto = [&](int f, int c) {
        const QVariant v = r.getValor(f, c);
        if (v.isNull())
            return QStringLiteral("-");
        if (c == 0 || c == 2)
            return uNombres.value(v.toLongLong(), v.toString());
        return FloatToStr(v.toDouble());
    };
    QStringList filas;
    for (int f = 0; f < r.getRowCount(); ++f)
        filas << QStringLiteral("%1 %2 | %3 %4 %5 | %6 %7 | %8 %9 %10")
                     .arg(texto(f, 0), texto(f, 1), texto(f, 2), texto(f, 3), texto(f, 4), texto(f, 5),
                          texto(f, 6), texto(f, 7), texto(f, 8))
                     .arg(texto(f, 9));
    return filas;
}

qint64 TnegocioMovimientos::cuenta(const QString &sentencia) const {
    return u_valorConsulta(uSesion, sentencia, {{QStringLiteral("negocio"), uNegocio}}).toLongLong();
}

QStringList TnegocioMovimientos::estadoSalidas() const {
    QStringList s;
    for (const char *sql :
         {"SELECT COUNT(*) FROM inventarioSalida s JOIN inventarioEntrada e ON e.id = "
          "s.inventarioEntrada_id WHERE e.idNegocioFk = :negocio",
          "SELECT COUNT(*) FROM inventarioKardex WHERE idNegocioFk = :negocio",
          "SELECT SUM(existencia) * 1000 FROM inventarioEntrada WHERE idNegocioFk = :negocio",
          "SELECT SUM(x.existencia) * 1000 FROM inventarioExistencias x JOIN inventarioAlmacen a "
          "ON a.id = x.inventarioAlmacen_id WHERE a.idNegocioFk = :negocio",
          "SELECT COUNT(*) FROM inventarioNoSerie s JOIN inventarioEntrada e ON e.id = "
          "s.inventarioEntrada_id WHERE e.idNegocioFk = :negocio AND "
          "s.inventarioNoSerieEstado_id = 2",
          "SELECT COUNT(*) FROM AsientosAplicados WHERE idNegocioFk = :negocio"})
        s << QString::number(cuenta(QString::fromLatin1(sql)));
    return s;
}

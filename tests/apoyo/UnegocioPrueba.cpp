#include "apoyo/UnegocioPrueba.h"

#include "comun/UNEG_opciones.h"
#include "comun/U_utilerias.h"
#include "datos/UfallaBaseDatos.h"
#include "datos/UfechaHora.h"
#include "datos/UmiddleTier.h"

#include <QRandomGenerator>
#include <QtTest>

TnegocioPrueba::TnegocioPrueba(TbasePrueba &base, int metodo, const QString &nombre, TConexionSesion *sesion)
    : uBase(base), uSesion(sesion ? sesion : base.sesion()), uGuion(std::in_place),
      uNegocio(base.creaNegocio(nombre)) {
    if (metodo != kMetodoNinguno)
        Topciones(uSesion).insertMetodoValoracionInventario(uNegocio, metodo);
}

TnegocioPrueba::TnegocioPrueba(TbasePrueba &base, Texistente existente)
    : uBase(base), uSesion(base.sesion()), uGuion(std::in_place), uNegocio(existente.negocio) {}

TnegocioPrueba::TnegocioPrueba(TbasePrueba &base, Tlectura lectura)
    : uBase(base), uSesion(base.sesion()), uNegocio(base.creaNegocio(lectura.nombre)) {}

QDateTime TnegocioPrueba::fecha(const QString &texto) {
    return fechaHora::deValorBD(QVariant(texto));
}

QString TnegocioPrueba::dia(int dias, const char *hora) {
    return QDate::currentDate().addDays(dias).toString(QStringLiteral("yyyy-MM-dd ")) +
           QString::fromLatin1(hora);
}

int TnegocioPrueba::fila(const QString &tabla, TcamposPrueba campos) const {
    campos.append({QStringLiteral("idNegocioFk"), uNegocio});
    return u_insertaFila(uSesion, tabla, campos);
}

int TnegocioPrueba::almacen(const QString &nombre) {
    if (uSucursal == 0)
        uSucursal =
            valor(QStringLiteral("SELECT MIN(id) FROM sucursal WHERE idNegocioFk = :negocio")).toInt();
    return fila(QStringLiteral("inventarioAlmacen"),
                {{QStringLiteral("nombre"), nombre}, {QStringLiteral("sucursal_id"), uSucursal}});
}

int TnegocioPrueba::producto(const QString &nombre, int controlNoSerie) {
    return fila(
        QStringLiteral("inventarioProducto"),
        {{QStringLiteral("nombre"), nombre}, {QStringLiteral("opControladoNoSerie"), controlNoSerie}});
}

int TnegocioPrueba::productoEnCatalogo(const QString &nombre, const QString &codigoBarras,
                                       int controlNoSerie) {
    if (uPieza == 0) {
        uPieza = fila(QStringLiteral("inventarioUnidadesMedida"),
                      {{QStringLiteral("descripcion"), QStringLiteral("Pieza")}});
        fila(QStringLiteral("inventarioCategoria"),
             {{QStringLiteral("identidad"), QStringLiteral("A")},
              {QStringLiteral("etiqueta"), QStringLiteral("Papelería")}});
    }
    return fila(QStringLiteral("inventarioProducto"),
                {{QStringLiteral("nombre"), nombre},
                 {QStringLiteral("codigoBarras"), codigoBarras},
                 {QStringLiteral("unidadesMedida_id"), uPieza},
                 {QStringLiteral("inventarioCategoria_identidad"), QStringLiteral("A")},
                 {QStringLiteral("opControladoNoSerie"), controlNoSerie}});
}

int TnegocioPrueba::plantilla(const QString &nombre) const {
    return fila(QStringLiteral("AsientosContables"),
                {{QStringLiteral("nombre"), nombre}, {QStringLiteral("ModuloAsientosContables_id"), 1}});
}

int TnegocioPrueba::concepto(int direccion, int familia, const QString &etiqueta) {
    const QString texto =
        etiqueta.isEmpty()
            ? QStringLiteral("%1 %2")
                  .arg(direccion == kConceptoEntrada ? QStringLiteral("Entrada") : QStringLiteral("Salida"))
                  .arg(familia)
            : etiqueta;
    if (uConceptos.contains(texto))
        return uConceptos.value(texto);
    const int id = fila(QStringLiteral("inventarioMovimientoConcepto"),
                        {{QStringLiteral("etiqueta"), texto},
                         {QStringLiteral("direccion"), direccion},
                         {QStringLiteral("familia"), familia},
                         {QStringLiteral("AsientosContables_id"), plantilla(texto)}});
    uConceptos.insert(texto, id);
    return id;
}

int TnegocioPrueba::filaEntrada(const QString &nombre, int almacen, int producto, const QString &fechaHora,
                                double cantidad, double costo, int familia, const Tcorrida &c,
                                int documento) {
    const int id =
        fila(QStringLiteral("inventarioEntrada"),
             {{QStringLiteral("documento"), documento > 0 ? documento : ++uDocumentoEntrada},
              {QStringLiteral("fechaHora"), fecha(fechaHora)},
              {QStringLiteral("inventarioAlmacen_id"), almacen},
              {QStringLiteral("inventarioProducto_id"), producto},
              {QStringLiteral("inventarioMovimientoConcepto_id"), concepto(kConceptoEntrada, familia)},
              {QStringLiteral("cantidad"), cantidad},
              {QStringLiteral("costoUnitario"), costo},
              {QStringLiteral("existencia"), cantidad},
              {QStringLiteral("existenciaTotal"), c.existenciaTotal},
              {QStringLiteral("existenciaCostoUnitario"), c.existenciaCostoUnitario},
              {QStringLiteral("existenciaCostoTotal"), c.existenciaCostoTotal}});
    if (id == 0)
        qWarning() << "filaEntrada:" << u_ultimaFalla().texto;
    uNombres.insert(id, nombre);
    return id;
}

int TnegocioPrueba::filaSalida(int capa, const QString &fechaHora, double cantidad, double costo,
                               int documento, int familia, const Tcorrida &c) {
    // The warehouse, product and business come from the layer, as the posting writes them.
    const int id = u_insertaSalida(
        uSesion, {{QStringLiteral("documento"), documento},
                  {QStringLiteral("fechaHora"), fecha(fechaHora)},
                  {QStringLiteral("inventarioEntrada_id"), capa},
                  {QStringLiteral("inventarioMovimientoConcepto_id"), concepto(kConceptoSalida, familia)},
                  {QStringLiteral("cantidad"), cantidad},
                  {QStringLiteral("salidaCostoUnitario"), costo},
                  {QStringLiteral("existenciaTotal"), c.existenciaTotal},
                  {QStringLiteral("existenciaCostoUnitario"),
                   c.existenciaCostoUnitario.isNull() ? QVariant(costo) : c.existenciaCostoUnitario},
                  {QStringLiteral("existenciaCostoTotal"), c.existenciaCostoTotal}});
    if (id == 0)
        qWarning() << "filaSalida:" << u_ultimaFalla().texto;
    return id;
}

void TnegocioPrueba::devuelve(int entrada, int salida) const {
    u_insertaFila(
        uSesion, QStringLiteral("inventarioEntradaAdicional"),
        {{QStringLiteral("inventarioEntrada_id"), entrada}, {QStringLiteral("inventarioSalida_id"), salida}});
}

void TnegocioPrueba::llenaAlAzar(quint32 semilla, int nAlmacenes, int nProductos, int movimientos) {
    QRandomGenerator azar(semilla);
    QList<int> almacenes, productos;
    for (int i = 0; i < nAlmacenes; ++i)
        almacenes << almacen(QStringLiteral("A%1").arg(i));
    for (int i = 0; i < nProductos; ++i)
        productos << producto(QStringLiteral("P%1").arg(i));
    auto corrida = [&azar] {
        return Tcorrida{azar.bounded(30), azar.bounded(1000) / 100.0, azar.bounded(300)};
    };
    int documento = 0;
    for (int a : almacenes) {
        for (int p : productos) {
            if (azar.bounded(5) == 0)
                continue;
            QList<int> capas;
            QDateTime momento = fecha(QStringLiteral("2024-01-01 08:00:00"));
            auto siguiente = [&] {
                momento = momento.addSecs(azar.bounded(3) * 3600); // some movements share an instant
                return momento.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            };
            capas << filaEntrada(
                QString(), a, p, siguiente(), 5 + azar.bounded(20), 1 + azar.bounded(900) / 100.0,
                azar.bounded(3) == 0 ? kFamiliaExistenciaInicial : kFamiliaOrdinaria, Tcorrida{10, 5, 50});
            for (int m = 0; m < movimientos; ++m) {
                const int tipo = azar.bounded(10);
                const double costo = 1 + azar.bounded(900) / 100.0;
                const Tcorrida c = corrida();
                if (tipo < 3) {
                    capas << filaEntrada(QString(), a, p, siguiente(), azar.bounded(15), costo,
                                         kFamiliaOrdinaria, c);
                } else if (tipo < 7) {
                    const QString f = siguiente();
                    ++documento;
                    filaSalida(capas[azar.bounded(capas.size())], f, 1 + azar.bounded(6), costo, documento,
                               kFamiliaOrdinaria, c);
                    if (azar.bounded(3) == 0)
                        filaSalida(capas[azar.bounded(capas.size())], f, 1 + azar.bounded(4), costo,
                                   documento, kFamiliaOrdinaria, c);
                } else if (tipo < 9) {
                    const QString f = siguiente();
                    const int devuelta = filaSalida(capas[azar.bounded(capas.size())], f, 2, costo,
                                                    ++documento, kFamiliaOrdinaria, c);
                    devuelve(filaEntrada(QString(), a, p, siguiente(), 1, costo, kFamiliaDevolucionSalida, c),
                             devuelta);
                } else {
                    filaSalida(capas[azar.bounded(capas.size())], siguiente(), 1, costo, ++documento,
                               kFamiliaDevolucionCompra, c);
                }
            }
        }
    }
}

void TnegocioPrueba::acepta(int n) const {
    for (int i = 0; i < n; ++i)
        guion().respuestas({true});
}

TdocumentoEntrada TnegocioPrueba::documentoEntrada(int almacen, int producto, const QString &fechaHora,
                                                   double cantidad, double costo, int familia) {
    TdocumentoEntrada doc(uSesion, uNegocio);
    TdatosEntrada &d = doc.datos();
    d.almacenID = almacen;
    d.conceptoID = concepto(kConceptoEntrada, familia);
    d.fechaHora = fecha(fechaHora);
    TlineaEntrada l;
    l.productoID = producto;
    l.producto = QStringLiteral("Producto %1").arg(producto);
    l.cantidad = FloatToStr(cantidad);
    l.costoUnitario = costo;
    d.lineas.append(l);
    return doc;
}

int TnegocioPrueba::recibe(const QString &nombre, int almacen, int producto, const QString &fechaHora,
                           double cantidad, double costo, const QStringList &series) {
    TdocumentoEntrada doc = documentoEntrada(almacen, producto, fechaHora, cantidad, costo);
    doc.datos().proveedorID = 1;
    doc.datos().lineas[0].controlNoSerie = series.isEmpty() ? 0 : 1;
    doc.datos().lineas[0].informacion.noSerie = series;
    guion().limpia();
    acepta();
    if (!doc.guardar())
        return 0;
    const int id =
        valor(QStringLiteral("SELECT MAX(id) FROM inventarioEntrada WHERE idNegocioFk = :negocio")).toInt();
    uNombres.insert(id, nombre);
    return id;
}

std::unique_ptr<TdocumentoSalida> TnegocioPrueba::documentoSalida(int almacen, const QString &fechaHora,
                                                                  int familia) {
    auto doc = std::make_unique<TdocumentoSalida>(uSesion, uNegocio);
    doc->setAlmacen(almacen);
    doc->setConcepto(concepto(kConceptoSalida, familia));
    doc->setFechaHora(fecha(fechaHora));
    return doc;
}

int TnegocioPrueba::entrega(int almacen, int producto, const QString &fechaHora, double cantidad) {
    auto doc = documentoSalida(almacen, fechaHora);
    TproductoSalida p;
    p.id = producto;
    p.nombre = QStringLiteral("Producto %1").arg(producto);
    guion().limpia();
    acepta();
    if (!doc->agregarProducto(p, cantidad) || !doc->guardar())
        return 0;
    return doc->documento();
}

void TnegocioPrueba::nombraCapas(const QHash<int, QString> &porProducto) {
    TmiddleTier mt(uSesion);
    mt.setQuery(QStringLiteral(
        "SELECT id, inventarioProducto_id FROM inventarioEntrada WHERE idNegocioFk = :negocio"));
    mt.setParametroEntero(QStringLiteral("negocio"), uNegocio);
    const CmidTierResponse r = mt.reader();
    for (int f = 0; f < r.getRowCount(); ++f)
        if (porProducto.contains(r.getCeldaAsInt(f, 1)))
            uNombres.insert(r.getCeldaAsInt(f, 0), porProducto.value(r.getCeldaAsInt(f, 1)));
}

QString TnegocioPrueba::nombreDe(const QVariant &id) const {
    if (id.isNull())
        return QStringLiteral("-");
    return uNombres.value(id.toLongLong(), id.toString());
}

QStringList TnegocioPrueba::kardex() const {
    TmiddleTier mt(uSesion);
    mt.setQuery(
        QStringLiteral("SELECT inventarioEntrada_id, documentoEntrada, entradaCantidad, "
                       "entradaCostoUnitario, documentoSalida, "
                       "salidaEntradaRelacionada, salidaCantidad, salidaCostoUnitario, totalCantidad, "
                       "totalCostoUnitario, revision, "
                       "division, grupo FROM inventarioKardex WHERE idNegocioFk = :negocio ORDER BY id"));
    mt.setParametroEntero(QStringLiteral("negocio"), uNegocio);
    const CmidTierResponse r = mt.reader();
    auto celda = [&r](int f, int c) {
        const QVariant v = r.getValor(f, c);
        return v.isNull() ? QStringLiteral("-") : FloatToStr(v.toDouble());
    };
    QStringList filas;
    for (int f = 0; f < r.getRowCount(); ++f)
        filas << QStringLiteral("%1 %2 %3 %4 | %5 %6 %7 %8 | %9 %10 | %11 %12 %13")
                     .arg(nombreDe(r.getValor(f, 0)), celda(f, 1), celda(f, 2), celda(f, 3), celda(f, 4),
                          nombreDe(r.getValor(f, 5)), celda(f, 6), celda(f, 7), celda(f, 8))
                     .arg(celda(f, 9), celda(f, 10), celda(f, 11), celda(f, 12));
    return filas;
}

double TnegocioPrueba::existenciaCapa(int entrada) const {
    return valor(QStringLiteral(
                     "SELECT existencia FROM inventarioEntrada WHERE id = :id AND idNegocioFk = :negocio"),
                 {{QStringLiteral("id"), entrada}})
        .toDouble();
}

double TnegocioPrueba::existencia(int almacen, int producto) const {
    const QVariant v = valor(QStringLiteral("SELECT existencia FROM inventarioExistencias WHERE "
                                            "inventarioAlmacen_id = :a AND inventarioProducto_id = :p"),
                             {{QStringLiteral("a"), almacen}, {QStringLiteral("p"), producto}});
    return v.isNull() ? -1.0 : v.toDouble();
}

QVariant TnegocioPrueba::valor(const QString &sentencia, TcamposPrueba parametros) const {
    if (sentencia.contains(QLatin1String(":negocio")))
        parametros.append({QStringLiteral("negocio"), uNegocio});
    return u_valorConsulta(uSesion, sentencia, parametros);
}

void TnegocioPrueba::ejecuta(const QString &sentencia) const {
    TmiddleTier mt(uSesion);
    mt.setQuery(sentencia);
    if (sentencia.contains(QLatin1String(":negocio")))
        mt.setParametroEntero(QStringLiteral("negocio"), uNegocio);
    QVERIFY2(mt.nonQuery().isSuccess(), qPrintable(sentencia));
}

QStringList TnegocioPrueba::estadoSalidas() const {
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

void TnegocioPrueba::rechazaKardex(bool rechaza) const {
    if (!rechaza)
        ejecuta(QStringLiteral("DROP TRIGGER rechazaKardex"));
    else if (uBase.esMySQL())
        ejecuta(QStringLiteral(
            "CREATE TRIGGER rechazaKardex BEFORE INSERT ON inventarioKardex FOR EACH ROW SIGNAL "
            "SQLSTATE '45000' SET MESSAGE_TEXT = 'rechazado'"));
    else
        ejecuta(QStringLiteral("CREATE TRIGGER rechazaKardex BEFORE INSERT ON inventarioKardex BEGIN SELECT "
                               "RAISE(ABORT, 'rechazado'); END"));
}

#include "kardex/UNEG_kardex.h"

#include "datos/UcodigosInventario.h"
#include "datos/UfechaHora.h"

#include <QStringList>

namespace {
const QString kNegocio = QStringLiteral("negocioID");
const QString kAlmacen = QStringLiteral("almacenID");
const QString kProducto = QStringLiteral("productoID");

// A movement's concept family; a movement without a concept counts as ordinary.
const QString kFamilia = u_conCodigos(QStringLiteral("COALESCE(c.familia, %1)"), {kFamiliaOrdinaria});

// "family <comparison>", e.g. familiaEs("NOT IN (%1, %2)", {kFamiliaDevolucionSalida, …}).
QString familiaEs(const QString &comparacion, std::initializer_list<int> codigos) {
    return kFamilia + QLatin1Char(' ') + u_conCodigos(comparacion, codigos);
}
} // namespace

bool Tkardex::proveedorConocido() const {
    return getProvider() == QLatin1String("MySQL") || getProvider() == QLatin1String("SQLITE");
}

QString Tkardex::concatena(const QStringList &partes) const {
    return segunProveedor(QStringLiteral("CONCAT(") + partes.join(QStringLiteral(", ")) + QLatin1Char(')'),
                          partes.join(QStringLiteral(" || ")));
}

void Tkardex::fijaRango(const QDate &inicio, const QDate &fin) {
    setParametroFechaHora(QStringLiteral("fechaInicial"), fechaHora::inicioDelDia(inicio));
    setParametroFechaHora(QStringLiteral("fechaFinal"), fechaHora::finDelDia(fin));
}

CmidTierResponse Tkardex::selectKardex2(const QDate &inicio, const QDate &fin, int idAlmacen, int idProducto,
                                        int idNegocio) {
    if (!proveedorConocido())
        return {};
    // An issue document number is shared by the issues of every business and warehouse: only the
    // issues of this row's business and warehouse describe it. The rows are found by date; "+k.id"
    // keeps SQLite from walking the product's whole ledger in id order instead.
    const QString etiqueta =
        QStringLiteral("CASE WHEN k.revision = 1 THEN '' WHEN conceptoEntrada.etiqueta IS NOT NULL THEN %1 "
                       "WHEN k.documentoSalida IS NOT NULL THEN %2 ELSE '' END")
            .arg(concatena({QStringLiteral("'Doc. Entrada '"), QStringLiteral("inventarioEntrada.documento"),
                            QStringLiteral("' - '"), QStringLiteral("conceptoEntrada.etiqueta")}),
                 concatena({QStringLiteral("'Doc. Salida '"), QStringLiteral("k.documentoSalida"),
                            QStringLiteral("' - '"),
                            QStringLiteral("COALESCE(conceptoSalida.etiqueta, '')")}));
    setQuery(
        QStringLiteral(
            "SELECT DISTINCT k.id AS inventarioKardex_id, "
            "CASE WHEN k.revision = 1 THEN '' ELSE k.fechaHora END AS inventarioKardex_fechaHora, "
            "k.inventarioProducto_id AS inventarioProducto_id, "
            "k.documentoEntrada AS inventarioKardex_documentoEntrada, "
            "k.documentoSalida AS inventarioKardex_documentoSalida, "
            "%1 AS inventarioMovimientoConcepto_etiqueta, "
            "%2 AS comprobante_serieFolio, Comprobante.uuid AS comprobante_uuid, "
            "k.entradaCantidad AS inventarioKardex_entradaCantidad, "
            "k.entradaCostoUnitario AS inventarioKardex_entradaCostoUnitario, "
            "k.entradaCantidad * k.entradaCostoUnitario AS _entradaCalculado, "
            "k.salidaCantidad AS inventarioKardex_salidaCantidad, "
            "k.salidaCostoUnitario AS inventarioKardex_salidaCostoUnitario, "
            "k.salidaCantidad * k.salidaCostoUnitario AS _salidaCalculado, "
            "k.totalCantidad AS inventarioKardex_totalCantidad, "
            "k.totalCostoUnitario AS inventarioKardex_totalCostoUnitario, "
            "COALESCE(k.totalExistencia, k.totalCantidad * k.totalCostoUnitario) AS _total_calculado, "
            "k.division AS inventarioKardex_division, "
            "CASE WHEN inventarioEntradaAdicional.inventarioSalida_id IS NOT NULL THEN "
            "inventarioEntradaAdicional.inventarioSalida_id WHEN conceptoEntrada.etiqueta IS NOT NULL THEN "
            "inventarioEntrada.id WHEN k.documentoSalida IS NOT NULL THEN k.salidaEntradaRelacionada END AS "
            "_capa "
            "FROM inventarioKardex k "
            "LEFT JOIN inventarioEntrada ON inventarioEntrada.id = k.inventarioEntrada_id "
            "LEFT JOIN inventarioMovimientoConcepto conceptoEntrada ON conceptoEntrada.id = "
            "inventarioEntrada.inventarioMovimientoConcepto_id "
            "LEFT JOIN inventarioSalida ON inventarioSalida.idNegocioFk = k.idNegocioFk AND "
            "inventarioSalida.documento = k.documentoSalida AND inventarioSalida.inventarioAlmacen_id = "
            "k.inventarioAlmacen_id "
            "LEFT JOIN inventarioMovimientoConcepto conceptoSalida ON conceptoSalida.id = "
            "inventarioSalida.inventarioMovimientoConcepto_id "
            "LEFT JOIN Comprobante ON Comprobante.idComprobante = inventarioEntrada.idComprobante "
            "LEFT JOIN inventarioEntradaAdicional ON inventarioEntradaAdicional.inventarioEntrada_id = "
            "inventarioEntrada.id "
            "WHERE k.inventarioProducto_id = :productoID AND k.inventarioAlmacen_id = :almacenID AND "
            "k.fechaHora BETWEEN :fechaInicial AND :fechaFinal AND k.idNegocioFk = :negocioID "
            "ORDER BY +k.id")
            .arg(etiqueta, concatena({QStringLiteral("Comprobante.serie"), QStringLiteral("'-'"),
                                      QStringLiteral("Comprobante.folio")})));
    fijaRango(inicio, fin);
    setParametroEntero(kAlmacen, idAlmacen);
    setParametroEntero(kProducto, idProducto);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tkardex::selectKardex(const QDate &inicio, const QDate &fin, int idAlmacen, int idProducto,
                                       int idNegocio) {
    if (!proveedorConocido())
        return {};
    const QString folio = concatena(
        {QStringLiteral("Comprobante.serie"), QStringLiteral("'-'"), QStringLiteral("Comprobante.folio")});
    // Branches 1-3: receipts of the range; 4-5: issues of the range drawn on this warehouse and
    // product. A receipt or issue without a concept counts as an ordinary one (family 1).
    const QString entradas =
        QStringLiteral(
            "SELECT inventarioEntrada1.id AS inventario_id, {familia} AS "
            "inventarioMovimientoConcepto_familia, inventarioEntrada1.fechaHora AS inventario_fechaHora, "
            "inventarioEntrada1.inventarioMovimientoConcepto_id AS inventarioMovimientoConcepto_id, "
            "%1 AS inventarioMovimientoEtiqueta, %2 AS comprobante_serieFolio, Comprobante.uuid AS "
            "comprobante_uuid, inventarioEntrada1.inventarioProducto_id AS inventarioPrducto_id, p.nombre AS "
            "inventarioProducto_nombre, %3, inventarioEntrada1.existenciaTotal AS "
            "inventarioEntrada_existenciaTotal, inventarioEntrada1.existenciaCostoUnitario AS "
            "inventarioEntrada_existenciaCostoUnitario, inventarioEntrada1.existenciaCostoTotal AS total "
            "FROM inventarioEntrada inventarioEntrada1 "
            "LEFT JOIN inventarioProducto p ON p.id = inventarioEntrada1.inventarioProducto_id "
            "LEFT JOIN AF_ArticulosOrdenesCompra af ON af.AF_NumeroOrden = inventarioEntrada1.AF_numeroOrden "
            "LEFT JOIN inventarioMovimientoConcepto c ON c.id = "
            "inventarioEntrada1.inventarioMovimientoConcepto_id "
            "LEFT JOIN Comprobante ON Comprobante.idComprobante = inventarioEntrada1.idComprobante "
            "WHERE %4 AND inventarioEntrada1.fechaHora BETWEEN :fechaInicial AND :fechaFinal AND "
            "inventarioEntrada1.inventarioAlmacen_id = :inventarioAlmacen_id AND "
            "inventarioEntrada1.inventarioProducto_id = :inventarioProducto_id AND "
            "inventarioEntrada1.idNegocioFk = :negocioID")
            .replace(QStringLiteral("{familia}"), kFamilia);
    const QString salidas =
        QStringLiteral(
            "SELECT s.id, {familia}, s.fechaHora, "
            "inventarioEntrada2.inventarioMovimientoConcepto_id, "
            "%1, %2, Comprobante.uuid, inventarioEntrada2.inventarioProducto_id, p.nombre, %3, "
            "s.existenciaTotal, "
            "s.existenciaCostoUnitario, s.existenciaCostoTotal "
            "FROM inventarioSalida s "
            "LEFT JOIN inventarioEntrada inventarioEntrada2 ON inventarioEntrada2.id = "
            "s.inventarioEntrada_id "
            "LEFT JOIN inventarioProducto p ON p.id = inventarioEntrada2.inventarioProducto_id "
            "LEFT JOIN inventarioMovimientoConcepto c ON c.id = s.inventarioMovimientoConcepto_id "
            "LEFT JOIN Comprobante ON Comprobante.idComprobante = inventarioEntrada2.idComprobante "
            "WHERE %4 AND s.idNegocioFk = :negocioID AND s.inventarioAlmacen_id = :inventarioAlmacen_id AND "
            "s.inventarioProducto_id = :inventarioProducto_id AND s.fechaHora BETWEEN :fechaInicial AND "
            ":fechaFinal AND inventarioEntrada2.idNegocioFk = :negocioID")
            .replace(QStringLiteral("{familia}"), kFamilia);
    const QString etiquetaEntrada =
        concatena({QStringLiteral("COALESCE(c.etiqueta, '')"), QStringLiteral("', documento de entrada '"),
                   QStringLiteral("inventarioEntrada1.documento")});
    const QString etiquetaSalida =
        concatena({QStringLiteral("COALESCE(c.etiqueta, '')"), QStringLiteral("', documento de salida '"),
                   QStringLiteral("s.documento")});
    const QString vacias = QStringLiteral("NULL, NULL, NULL");
    const QString columnasEntrada =
        QStringLiteral("%1 AS inventarioEntrada_cantidad, %2 AS inventarioEntrada_costoUnitario, %3 AS "
                       "entradaTotal, %4 AS salida_cantidad, %5 AS salida_costoUnitario, %6 AS salida_total");
    const QStringList ramas = {
        entradas.arg(etiquetaEntrada, folio,
                     columnasEntrada.arg(QStringLiteral("NULL"), QStringLiteral("NULL"),
                                         QStringLiteral("NULL"), QStringLiteral("NULL"),
                                         QStringLiteral("NULL"), QStringLiteral("NULL")),
                     familiaEs(QStringLiteral("= %1"), {kFamiliaExistenciaInicial})),
        entradas.arg(etiquetaEntrada, folio,
                     columnasEntrada.arg(QStringLiteral("inventarioEntrada1.cantidad"),
                                         QStringLiteral("inventarioEntrada1.costoUnitario"),
                                         QStringLiteral("inventarioEntrada1.cantidad * "
                                                        "inventarioEntrada1.costoUnitario"),
                                         QStringLiteral("NULL"), QStringLiteral("NULL"),
                                         QStringLiteral("NULL")),
                     familiaEs(QStringLiteral("NOT IN (%1, %2)"),
                               {kFamiliaDevolucionSalida, kFamiliaExistenciaInicial})),
        entradas.arg(etiquetaEntrada, folio,
                     columnasEntrada.arg(QStringLiteral("NULL"), QStringLiteral("NULL"),
                                         QStringLiteral("NULL"),
                                         QStringLiteral("-inventarioEntrada1.cantidad"),
                                         QStringLiteral("inventarioEntrada1.costoUnitario"),
                                         QStringLiteral("-(inventarioEntrada1.cantidad * "
                                                        "inventarioEntrada1.costoUnitario)")),
                     familiaEs(QStringLiteral("= %1"), {kFamiliaDevolucionSalida})),
        salidas.arg(etiquetaSalida, folio,
                    vacias + QStringLiteral(", s.cantidad, s.existenciaCostoUnitario, s.cantidad * "
                                            "s.existenciaCostoUnitario"),
                    familiaEs(QStringLiteral("<> %1"), {kFamiliaDevolucionCompra})),
        salidas.arg(
            etiquetaSalida, folio,
            QStringLiteral("-s.cantidad, s.salidaCostoUnitario, -(s.cantidad * s.salidaCostoUnitario), ") +
                vacias,
            familiaEs(QStringLiteral("= %1"), {kFamiliaDevolucionCompra})),
    };
    setQuery(ramas.join(QStringLiteral(" UNION ")) +
             QStringLiteral(" ORDER BY inventario_fechaHora, inventario_id"));
    fijaRango(inicio, fin);
    setParametroEntero(QStringLiteral("inventarioAlmacen_id"), idAlmacen);
    setParametroEntero(QStringLiteral("inventarioProducto_id"), idProducto);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tkardex::selectProductoMaximoMinimo(int idAlmacen, int idProducto, int idNegocio) {
    setQuery(
        QStringLiteral("SELECT inventarioStock.maximo AS inventarioStock_maximo, inventarioStock.minimo AS "
                       "inventarioStock_minimo FROM inventarioStock WHERE inventarioAlmacen_id = "
                       ":inventarioAlmacen_id AND inventarioProducto_id = :inventarioProducto_id AND "
                       "idNegocioFk = :negocioID"));
    setParametroEntero(QStringLiteral("inventarioAlmacen_id"), idAlmacen);
    setParametroEntero(QStringLiteral("inventarioProducto_id"), idProducto);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tkardex::selectExistenciaCapa(int idEntrada, int idNegocio) {
    setQuery(QStringLiteral("SELECT inventarioKardex.totalCantidad AS inventarioKardex_totalCantidad FROM "
                            "inventarioKardex WHERE (inventarioEntrada_id = :entradaID OR "
                            "salidaEntradaRelacionada = :entradaID) AND idNegocioFk = :negocioID ORDER BY "
                            "inventarioKardex.id DESC LIMIT 1"));
    setParametroEntero(QStringLiteral("entradaID"), idEntrada);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tkardex::selectUltimoGrupoPorAlmacenPorProducto(int idAlmacen, int idProducto,
                                                                 int idNegocio) {
    setQuery(
        QStringLiteral("SELECT MAX(inventarioKardex.grupo) AS inventarioKardex_grupo FROM inventarioKardex "
                       "WHERE inventarioAlmacen_id = :almacenID AND inventarioProducto_id = :productoID AND "
                       "idNegocioFk = :negocioID"));
    setParametroEntero(kAlmacen, idAlmacen);
    setParametroEntero(kProducto, idProducto);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tkardex::selectUltimoDocumentoSalidaID(int idAlmacen, int idProducto, int idNegocio) {
    setQuery(
        QStringLiteral("SELECT inventarioKardex.documentoSalida AS documentoSalida FROM inventarioKardex "
                       "WHERE inventarioAlmacen_id = :almacenID AND inventarioProducto_id = :productoID AND "
                       "idNegocioFk = :negocioID ORDER BY inventarioKardex.id DESC LIMIT 1"));
    setParametroEntero(kAlmacen, idAlmacen);
    setParametroEntero(kProducto, idProducto);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tkardex::selectRenglonLimite(const QString &agregado, const QString &comparacion,
                                              const QDateTime &fecha, int idProducto, int idAlmacen,
                                              int idNegocio) {
    setQuery(
        QStringLiteral("SELECT %1(inventarioKardex.id) AS _fila FROM inventarioKardex WHERE fechaHora %2 "
                       ":fecha AND inventarioProducto_id = :productoID AND inventarioAlmacen_id = :almacenID "
                       "AND idNegocioFk = :negocioID")
            .arg(agregado, comparacion));
    setParametroFechaHora(QStringLiteral("fecha"), fecha);
    setParametroEntero(kProducto, idProducto);
    setParametroEntero(kAlmacen, idAlmacen);
    setParametroEntero(kNegocio, idNegocio);
    return reader();
}

CmidTierResponse Tkardex::selectKardexRenglonInicial(const QDateTime &fecha, int idProducto, int idAlmacen,
                                                     int idNegocio) {
    return selectRenglonLimite(QStringLiteral("MIN"), QStringLiteral(">="), fecha, idProducto, idAlmacen,
                               idNegocio);
}

CmidTierResponse Tkardex::selectKardexRenglonFinal(const QDateTime &fecha, int idProducto, int idAlmacen,
                                                   int idNegocio) {
    return selectRenglonLimite(QStringLiteral("MAX"), QStringLiteral("<="), fecha, idProducto, idAlmacen,
                               idNegocio);
}

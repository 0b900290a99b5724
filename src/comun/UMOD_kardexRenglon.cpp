#include "comun/UMOD_kardexRenglon.h"

#include "comun/U_utilerias.h"
#include "datos/UfechaHora.h"
#include "datos/UmiddleTier.h"

#include <iterator>

namespace {
QVariant textoDe(const QVariant &valor) {
    if (valor.isNull())
        return {};
    if (valor.typeId() == QMetaType::Double)
        return FloatToStr(valor.toDouble());
    return valor.toString();
}

// The ledger row as stored: column, the parameter bound to it and the value it takes from a row.
// The two totals go as text of 15 significant digits; nulls bind NULL.
struct Tcampo {
    const char *columna;
    const char *parametro;
    QVariant (*valor)(const TkardexRenglon &);
};
const Tcampo kCampos[] = {
    {"fechaHora", "fechaHora",
     [](const TkardexRenglon &r) -> QVariant {
         return r.fechaHora.isValid() ? QVariant(fechaHora::aTextoBD(r.fechaHora)) : QVariant();
     }},
    {"inventarioEntrada_id", "entradaID", [](const TkardexRenglon &r) -> QVariant { return r.entradaID; }},
    {"inventarioAlmacen_id", "almacenID", [](const TkardexRenglon &r) -> QVariant { return r.almacenID; }},
    {"inventarioProducto_id", "productoID", [](const TkardexRenglon &r) -> QVariant { return r.productoID; }},
    {"documentoEntrada", "documentoEntrada",
     [](const TkardexRenglon &r) -> QVariant { return r.documentoEntrada; }},
    {"documentoSalida", "documentoSalida",
     [](const TkardexRenglon &r) -> QVariant { return r.documentoSalida; }},
    {"entradaCantidad", "entradaCantidad",
     [](const TkardexRenglon &r) -> QVariant { return r.entradaCantidad; }},
    {"entradaCostoUnitario", "entradaCostoUnitario",
     [](const TkardexRenglon &r) -> QVariant { return r.entradaCostoUnitario; }},
    {"salidaEntradaRelacionada", "salidaEntradaRelacionada",
     [](const TkardexRenglon &r) -> QVariant { return r.salidaEntradaRelacionada; }},
    {"salidaCantidad", "salidaCantidad",
     [](const TkardexRenglon &r) -> QVariant { return r.salidaCantidad; }},
    {"salidaCostoUnitario", "salidaCostoUnitario",
     [](const TkardexRenglon &r) -> QVariant { return r.salidaCostoUnitario; }},
    {"totalCantidad", "totalCantidad",
     [](const TkardexRenglon &r) -> QVariant { return textoDe(r.totalCantidad); }},
    {"totalCostoUnitario", "totalCostoUnitario",
     [](const TkardexRenglon &r) -> QVariant { return textoDe(r.totalCostoUnitario); }},
    {"totalExistencia", "totalExistencia",
     [](const TkardexRenglon &r) -> QVariant { return r.totalExistencia; }},
    {"idNegocioFk", "negocioID", [](const TkardexRenglon &r) -> QVariant { return r.negocioID; }},
    {"revision", "revision", [](const TkardexRenglon &r) -> QVariant { return r.revision; }},
    {"division", "division", [](const TkardexRenglon &r) -> QVariant { return r.division; }},
    {"grupo", "grupo", [](const TkardexRenglon &r) -> QVariant { return r.grupo; }},
};

QStringList nombres(const char *Tcampo::*nombre) {
    QStringList lista;
    for (const Tcampo &c : kCampos)
        lista << QString::fromLatin1(c.*nombre);
    return lista;
}
} // namespace

const QStringList &renglonKardex::columnas() {
    static const QStringList kColumnas = nombres(&Tcampo::columna);
    return kColumnas;
}

const QStringList &renglonKardex::parametros() {
    static const QStringList kParametros = nombres(&Tcampo::parametro);
    return kParametros;
}

QVector<QVariant> renglonKardex::valores(const TkardexRenglon &r) {
    QVector<QVariant> lista;
    lista.reserve(std::size(kCampos));
    for (const Tcampo &c : kCampos)
        lista << c.valor(r);
    return lista;
}

TkardexRenglon renglonKardex::revisionDeCapa(const tCapa &capa, const QDateTime &fechaHora, int grupo) {
    TkardexRenglon r;
    r.fechaHora = fechaHora;
    r.productoID = capa.productoID;
    r.almacenID = capa.almacenID;
    r.negocioID = capa.negocioID;
    r.entradaID = capa.entradaID;
    r.totalCantidad = capa.cantidad;
    r.totalCostoUnitario = capa.costoUnitario;
    r.revision = 1;
    r.grupo = grupo;
    return r;
}

void renglonKardex::preparaInsercion(TmiddleTier &mt, const TkardexRenglon &renglon) {
    const QStringList &nombres = parametros();
    mt.setQuery(QStringLiteral("INSERT INTO inventarioKardex (%1) VALUES (:%2)")
                    .arg(columnas().join(QStringLiteral(", ")), nombres.join(QStringLiteral(", :"))));
    const QVector<QVariant> datos = valores(renglon);
    for (int i = 0; i < nombres.size(); ++i)
        mt.setParametroVariant(nombres[i], datos[i]);
}

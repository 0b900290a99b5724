#include "comun/U_asientosContables.h"

#include "datos/UinsercionMultiple.h"
#include "datos/UmiddleTier.h"

#include <cmath>

namespace {
const QString kNegocio = QStringLiteral("idNegocio");
// Width of the description columns of both journal tables.
constexpr int kLargoDescripcion = 250;

[[noreturn]] void falla(const QString &motivo) {
    throw TerrorAsiento(QStringLiteral("No se registró el asiento contable: %1").arg(motivo).toStdString());
}

QVariant idOnulo(int id) {
    return id > 0 ? QVariant(id) : QVariant();
}
} // namespace

TAplicacionAsientoBPL::TAplicacionAsientoBPL(QList<TActivoconcepto> conceptos, const QDate &fecha,
                                             TConexionSesion *conexion, int idNegocio)
    : uConceptos(std::move(conceptos)), uFecha(fecha), uConexion(conexion), uNegocio(idNegocio) {}

void TAplicacionAsientoBPL::valida() const {
    if (uConexion == nullptr || uNegocio <= 0)
        falla(QStringLiteral("no hay sesión o negocio."));
    if (!uFecha.isValid())
        falla(QStringLiteral("la fecha no es válida."));
    if (uConceptos.isEmpty())
        falla(QStringLiteral("no hay conceptos que contabilizar."));
    double total = 0;
    for (const TActivoconcepto &c : uConceptos) {
        if (!std::isfinite(c.getSubtotal()))
            falla(QStringLiteral("el importe de «%1» no es un número.").arg(c.getDescripcion()));
        if (c.getAsientoBasico().valido() && c.getAsientoBasico().idNegocio != uNegocio)
            falla(QStringLiteral("la plantilla contable no pertenece al negocio."));
        if (c.getComprobante().valido() && c.getComprobante().idNegocio != uNegocio)
            falla(QStringLiteral("el comprobante no pertenece al negocio."));
        total += c.getSubtotal();
    }
    if (!std::isfinite(total))
        falla(QStringLiteral("el total excede el intervalo representable."));
}

// The template every line shares; 0 when there is none or the lines differ.
int TAplicacionAsientoBPL::asientoComun() const {
    const int primero = uConceptos.first().getAsientoBasico().id;
    for (const TActivoconcepto &c : uConceptos)
        if (c.getAsientoBasico().id != primero)
            return 0;
    return primero;
}

int TAplicacionAsientoBPL::aplica() {
    valida();
    double total = 0;
    for (const TActivoconcepto &c : uConceptos)
        total += c.getSubtotal();
    const TAsientoBasico &plantilla = uConceptos.first().getAsientoBasico();
    const int idPlantilla = asientoComun();

    TmiddleTier mt(uConexion);
    if (!mt.transaccionInicia())
        falla(QStringLiteral("no se pudo abrir la transacción."));
    mt.setQuery(
        QStringLiteral("INSERT INTO AsientosAplicados (fecha, AsientosContables_id, descripcion, total, "
                       "idNegocioFk) VALUES (:fecha, :asiento, :descripcion, :total, :idNegocio)"));
    mt.setParametroFechaHora(QStringLiteral("fecha"), uFecha.startOfDay());
    mt.setParametroVariant(QStringLiteral("asiento"), idOnulo(idPlantilla));
    mt.setParametroTexto(
        QStringLiteral("descripcion"),
        (idPlantilla > 0 ? plantilla.nombre : uConceptos.first().getDescripcion()).left(kLargoDescripcion));
    mt.setParametroFlotante(QStringLiteral("total"), total);
    mt.setParametroEntero(kNegocio, uNegocio);
    const CmidTierResponse encabezado = mt.nonQuery();
    if (!encabezado.isSuccess()) {
        mt.transaccionRollback();
        falla(encabezado.getError());
    }
    const int idAsiento = int(encabezado.getIdInsertado());
    // The lines go several to a statement: an issue has one per layer it took from.
    TinsercionMultiple lineas(mt, QStringLiteral("AsientosAplicadosDetalle"),
                              {QStringLiteral("AsientosAplicados_id"), QStringLiteral("AsientosContables_id"),
                               QStringLiteral("descripcion"), QStringLiteral("subtotal"),
                               QStringLiteral("idComprobante"), QStringLiteral("idNegocioFk")});
    bool escritas = true;
    for (const TActivoconcepto &c : uConceptos)
        escritas = escritas && lineas.agrega({idAsiento, idOnulo(c.getAsientoBasico().id),
                                              c.getDescripcion().left(kLargoDescripcion), c.getSubtotal(),
                                              idOnulo(c.getComprobante().idComprobante), uNegocio});
    if (!escritas || !lineas.vacia()) {
        mt.transaccionRollback();
        falla(lineas.error());
    }
    if (!mt.transaccionTermina()) {
        mt.transaccionRollback();
        falla(QStringLiteral("no se pudo confirmar la transacción."));
    }
    return idAsiento;
}

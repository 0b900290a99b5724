#include "comun/U_posteoMovimientos.h"

#include "comun/U_mensajes.h"
#include "datos/ULog.h"

namespace {
constexpr int kIntentos = 3;
} // namespace

bool u_bloqueaNegocio(TmiddleTier &mt, int idNegocio) {
    if (!mt.esMySQL())
        return true;
    mt.setQuery(QStringLiteral("SELECT id FROM negocio WHERE id = :negocioID FOR UPDATE"));
    mt.setParametroEntero(QStringLiteral("negocioID"), idNegocio);
    const CmidTierResponse r = mt.reader();
    return r.isSuccess() && r.getRowCount() == 1;
}

TfinPosteo u_posteaEnTransaccion(TmiddleTier &mt, int idNegocio,
                                 const std::function<bool(TintentoPosteo &)> &escribe) {
    for (int intento = 1; intento <= kIntentos; ++intento) {
        if (!mt.transaccionInicia())
            return TfinPosteo::Fallido;
        TintentoPosteo corrida;
        if (u_bloqueaNegocio(mt, idNegocio) && escribe(corrida) && mt.transaccionTermina())
            return TfinPosteo::Confirmado;
        mt.transaccionRollback();
        if (corrida.hayConflicto()) {
            u_mensaje(kMensajeConflictoPosteo, kAdvertencia);
            return TfinPosteo::Conflicto;
        }
        if (!corrida.hayBloqueo())
            return TfinPosteo::Fallido;
        Log::log(QStringLiteral("posteo: conflicto de bloqueo; se intenta de nuevo"), 1,
                 QString::number(intento));
    }
    return TfinPosteo::Fallido;
}

bool u_contabiliza(const QList<TActivoconcepto> &conceptos, const QDate &fecha, TConexionSesion *conexion,
                   int idNegocio, QString &error) {
    try {
        TAplicacionAsientoBPL(conceptos, fecha, conexion, idNegocio).aplica();
        return true;
    } catch (const TerrorAsiento &e) {
        error = QString::fromStdString(e.what());
        Log::log(QStringLiteral("contabiliza: el asiento no se registró"), 1, error);
        return false;
    }
}

void TdocumentoPosteado::registraPosteo(int numero, const QString &movimiento,
                                        const std::function<bool(QString &error)> &contabiliza) {
    uDocumento = numero;
    QString error;
    uAsientoPendiente = !contabiliza(error);
    if (!uAsientoPendiente)
        return;
    u_mensaje(QStringLiteral("La %1 quedó guardada con el documento %2, pero su asiento contable no se "
                             "registró (%3). Registre el asiento contable de nuevo.")
                  .arg(movimiento)
                  .arg(uDocumento)
                  .arg(error),
              kAdvertencia);
}

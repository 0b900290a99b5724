#include "comun/U_posteoMovimientos.h"

#include "comun/U_mensajes.h"
#include "datos/ULog.h"
#include "datos/UfallaBaseDatos.h"
#include "datos/UfechaHora.h"

namespace {
constexpr int kIntentos = 3;

// Under the lock: the document is not dated before the warehouse's newest movement.
bool enOrden(TmiddleTier &mt, TintentoPosteo &intento, int idNegocio, const TfechaPosteo &fecha,
             bool &anterior) {
    TmovimientosInventario lectura(mt.sesion()); // the same connection, inside the same transaction
    QVariant ultimo, salida;
    if (!intento.ok(lectura.selectFechaHoraUltimoMovimiento(fecha.almacenID, idNegocio, ultimo, &salida)))
        return false;
    anterior = !fecha.fechaHora.isValid() ||
               (!ultimo.isNull() && fecha.fechaHora < fechaHora::deValorBD(ultimo)) ||
               (fecha.entrada && !salida.isNull() && fecha.fechaHora == fechaHora::deValorBD(salida));
    return !anterior;
}

// The business's row lock (MariaDB; SQLite's BEGIN IMMEDIATE already holds the write lock).
bool bloquea(TmiddleTier &mt, TintentoPosteo &intento, int idNegocio) {
    if (!mt.esMySQL())
        return true;
    mt.setQuery(QStringLiteral("SELECT id FROM negocio WHERE id = :negocioID FOR UPDATE"));
    mt.setParametroEntero(QStringLiteral("negocioID"), idNegocio);
    const CmidTierResponse r = mt.reader();
    return intento.ok(r) && r.getRowCount() == 1;
}

// A MariaDB deadlock or lock timeout: the whole posting may run again.
bool reintentable() {
    const TfallaSentencia falla = u_ultimaFalla();
    return falla.mysql && !falla.sinConexion && falla.tipo() == TtipoFalla::Bloqueo;
}

QString razon(TtipoFalla tipo) {
    switch (tipo) {
    case TtipoFalla::Conexion:
        return QStringLiteral("se perdió la conexión con el servidor de la base de datos");
    case TtipoFalla::Bloqueo:
        return QStringLiteral("otra estación mantuvo ocupada la base de datos demasiado tiempo");
    case TtipoFalla::DiscoLleno:
        return QStringLiteral("el disco está lleno");
    case TtipoFalla::ArchivoDanado:
        return QStringLiteral("la base de datos está dañada");
    case TtipoFalla::EntradaSalida:
        return QStringLiteral("no se pudo leer o escribir el archivo de la base de datos");
    case TtipoFalla::SoloLectura:
        return QStringLiteral("la base de datos no admite cambios");
    case TtipoFalla::Ninguna:
    case TtipoFalla::Otra:
        break;
    }
    return QStringLiteral("la base de datos rechazó la operación");
}
} // namespace

bool u_bloqueaNegocio(TmiddleTier &mt, int idNegocio) {
    TintentoPosteo intento;
    return bloquea(mt, intento, idNegocio);
}

TfinPosteo u_posteaEnTransaccion(TmiddleTier &mt, int idNegocio,
                                 const std::function<bool(TintentoPosteo &)> &escribe,
                                 const TfechaPosteo *fecha, TmotivoConflicto *motivo) {
    for (int intento = 1; intento <= kIntentos; ++intento) {
        u_olvidaFalla();
        TintentoPosteo corrida;
        bool anterior = false;
        if (!mt.transaccionInicia())
            break;
        if (bloquea(mt, corrida, idNegocio) &&
            (!fecha || enOrden(mt, corrida, idNegocio, *fecha, anterior)) && escribe(corrida) &&
            !corrida.fallida() && mt.transaccionTermina())
            return TfinPosteo::Confirmado;
        const TfallaSentencia falla = u_ultimaFalla();
        mt.transaccionRollback();
        u_registraFalla(falla); // the reason is the statement that stopped the posting
        if (anterior) {
            u_mensaje(fecha->aviso, kAdvertencia);
            return TfinPosteo::FechaAnterior;
        }
        if (corrida.hayConflicto()) {
            if (motivo)
                *motivo = corrida.motivo();
            u_mensaje(kMensajeConflictoPosteo, kAdvertencia);
            return TfinPosteo::Conflicto;
        }
        if (!reintentable())
            break;
        Log::log(QStringLiteral("posteo: conflicto de bloqueo; se intenta de nuevo"), 1,
                 QString::number(intento));
    }
    // A write refused by the caller's own checks has been told by the caller.
    if (u_ultimaFalla().hay)
        u_avisaNoGuardado(mt.sesion());
    return TfinPosteo::Fallido;
}

void u_avisaNoGuardado(TConexionSesion *sesion) {
    const TfallaSentencia falla = u_ultimaFalla();
    Log::log(QStringLiteral("posteo: no se guardó"), 1,
             QString::number(falla.codigo) + QStringLiteral(" | ") + falla.texto);
    if (falla.tipo() == TtipoFalla::Conexion)
        sesion->cierraHiloActual();
    u_mensaje(QStringLiteral("No se guardó nada: %1. Lo capturado se conserva; intente guardar de nuevo.")
                  .arg(razon(falla.tipo())),
              kError);
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

#include "host/UaperturaHost.h"

#include "datos/Uesquema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtEndian>

namespace {

bool enServidor(const TparametrosConexion &p) {
    return p.proveedor == QLatin1String("MySQL");
}

const QByteArray kFirmaSQLite("SQLite format 3\0", 16);
constexpr int kCabeceraSQLite = 100;

// The page count a header vouches for, times its page size; 0 when the header does not say.
qint64 tamanoDeclarado(const QByteArray &cabecera) {
    const auto *b = reinterpret_cast<const uchar *>(cabecera.constData());
    qint64 pagina = qFromBigEndian<quint16>(b + 16);
    if (pagina == 1)
        pagina = 65536;
    const quint32 paginas = qFromBigEndian<quint32>(b + 28);
    // The count is only valid when written by the same change as the counter beside it.
    if (qFromBigEndian<quint32>(b + 24) != qFromBigEndian<quint32>(b + 92))
        return 0;
    return pagina * paginas;
}

// While another workstation copies the write-ahead log back into the file, the first page already
// counts pages the file has not reached yet: SQLite reads them from the log meanwhile, so the file
// is only short of its header when no log stands beside it. The log goes only once the copy is
// done, so the file's size is taken after looking for it.
bool conRegistroPendiente(const QString &ruta) {
    return QFileInfo(ruta + QLatin1String("-wal")).size() > 0;
}

bool paginaValida(const QByteArray &cabecera) {
    const auto *b = reinterpret_cast<const uchar *>(cabecera.constData());
    const quint32 pagina = qFromBigEndian<quint16>(b + 16);
    return pagina == 1 || (pagina >= 512 && (pagina & (pagina - 1)) == 0);
}

QString mensajeArchivo(const QString &ruta, const QString &motivo) {
    return QStringLiteral("No se pudo abrir la base de datos «%1»: %2.")
        .arg(QDir::toNativeSeparators(ruta), motivo);
}

QString mensajeVacia(const QString &base) {
    return QStringLiteral("La base de datos «%1» está vacía: no tiene datos de Inventario que revisar.")
        .arg(base);
}

QString rutaDe(const TparametrosConexion &p) {
    return enServidor(p) ? p.baseDatos : QDir::toNativeSeparators(p.archivo);
}

QString mensajeConexion(const TparametrosConexion &p, const QString &motivo) {
    if (!enServidor(p))
        return mensajeArchivo(p.archivo, motivo);
    const QString servidor =
        p.socket.isEmpty() ? QStringLiteral("%1:%2").arg(p.servidor).arg(p.puerto) : p.socket;
    return QStringLiteral("No se pudo conectar con el servidor «%1» (base de datos «%2»): %3.")
        .arg(servidor, p.baseDatos, motivo);
}

// What keeps a database from being opened, from what a read-only look found; empty when it may.
QString rechazo(const esquema::Texamen &examen, const TparametrosConexion &p, bool puedeCrear) {
    const QString base = rutaDe(p);
    switch (examen.contenido) {
    case esquema::Contenido::Propia:
        return {};
    case esquema::Contenido::Vacia:
        return puedeCrear
                   ? QString()
                   : QStringLiteral("La base de datos «%1» está vacía: no tiene datos de Inventario que "
                                    "revisar.")
                         .arg(base);
    case esquema::Contenido::Ajena:
        return QStringLiteral("«%1» no es una base de datos de Inventario: tiene tablas de otra aplicación y "
                              "se deja como está.")
            .arg(base);
    case esquema::Contenido::SinVersion:
    case esquema::Contenido::VersionInvalida:
        return QStringLiteral("La base de datos «%1» no tiene una versión de Inventario válida registrada: "
                              "puede estar dañada o venir de otra aplicación, y se deja como está.")
            .arg(base);
    case esquema::Contenido::VersionMasNueva:
        return QStringLiteral("La base de datos fue creada por una versión más reciente de Inventario. "
                              "Actualice el programa para abrirla.");
    case esquema::Contenido::Ilegible:
        break;
    }
    return mensajeConexion(p, examen.error);
}

// A read-only look at a WAL database leaves empty -wal and -shm files beside it. When the file is
// refused, the ones that were not there before are taken away: its folder stays as it was too.
class TcompanerosSQLite {
public:
    explicit TcompanerosSQLite(const QString &archivo) : uArchivo(archivo) {
        for (const char *sufijo : kSufijos)
            uExistian << (!archivo.isEmpty() && QFileInfo::exists(archivo + QLatin1String(sufijo)));
    }
    void quitaLosNuevos() const {
        if (uArchivo.isEmpty() || uExistian.value(0) ||
            QFileInfo(uArchivo + QLatin1String(kSufijos[0])).size() != 0)
            return;
        for (int i = 0; i < 2; ++i) {
            if (!uExistian.value(i))
                QFile::remove(uArchivo + QLatin1String(kSufijos[i]));
        }
    }

private:
    static constexpr const char *kSufijos[2] = {"-wal", "-shm"};
    QString uArchivo;
    QList<bool> uExistian;
};

esquema::Texamen examinaSoloLectura(const TparametrosConexion &parametros) {
    // A missing or zero-length file is a new database: SQLite has not written it yet.
    if (!enServidor(parametros) && QFileInfo(parametros.archivo).size() == 0)
        return {esquema::Contenido::Vacia, 0, {}};
    TparametrosConexion lectura = parametros;
    lectura.soloLectura = true;
    TConexionSesion sesion(lectura);
    if (!sesion.abre())
        return {esquema::Contenido::Ilegible, 0, sesion.ultimoError()};
    return esquema::examina(&sesion);
}

} // namespace

QString rutaSQLitePredeterminada() {
    const QString carpeta = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(carpeta);
    return QDir(carpeta).filePath(QStringLiteral("inventario.db"));
}

QString revisaArchivoSQLite(const QString &ruta, bool puedeCrear) {
    const QFileInfo info(ruta);
    const QFileInfo carpeta(info.absolutePath());
    if (!info.exists()) {
        if (!puedeCrear)
            return mensajeArchivo(ruta, QStringLiteral("el archivo no existe; revise la ruta"));
        if (!carpeta.isDir())
            return QStringLiteral("No se puede crear la base de datos en «%1»: la carpeta no existe.")
                .arg(QDir::toNativeSeparators(ruta));
        if (!carpeta.isWritable())
            return QStringLiteral(
                       "No se puede crear la base de datos en «%1»: la carpeta es de solo lectura.")
                .arg(QDir::toNativeSeparators(ruta));
        return {};
    }
    if (info.isDir())
        return QStringLiteral("«%1» es una carpeta, no una base de datos.")
            .arg(QDir::toNativeSeparators(ruta));
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return mensajeArchivo(ruta, QStringLiteral("no se puede leer el archivo; revise sus permisos"));
    // An empty file is a database SQLite has not written yet; anything else must carry its header.
    const QByteArray cabecera = archivo.read(kCabeceraSQLite);
    if (cabecera.isEmpty() && !puedeCrear)
        return mensajeVacia(QDir::toNativeSeparators(ruta));
    if (!cabecera.isEmpty() && !cabecera.startsWith(kFirmaSQLite))
        return QStringLiteral("El archivo «%1» no es una base de datos de Inventario.")
            .arg(QDir::toNativeSeparators(ruta));
    if (!cabecera.isEmpty() && (cabecera.size() < kCabeceraSQLite || !paginaValida(cabecera) ||
                                (!conRegistroPendiente(ruta) && archivo.size() < tamanoDeclarado(cabecera))))
        return mensajeArchivo(ruta,
                              QStringLiteral("el archivo está dañado o incompleto; recupere una copia de "
                                             "respaldo"));
    if (!info.isWritable())
        return QStringLiteral("El archivo «%1» es de solo lectura: Inventario necesita poder escribir en él.")
            .arg(QDir::toNativeSeparators(ruta));
    // SQLite writes its journal beside the file.
    if (!carpeta.isWritable())
        return QStringLiteral(
                   "La carpeta de «%1» es de solo lectura: Inventario necesita poder escribir en ella.")
            .arg(QDir::toNativeSeparators(ruta));
    return {};
}

TaperturaHost abreBaseDatos(const TparametrosConexion &parametros, bool puedeCrear) {
    TaperturaHost apertura;
    apertura.salida = 2;
    if (!enServidor(parametros)) {
        apertura.error = revisaArchivoSQLite(parametros.archivo, puedeCrear);
        if (!apertura.error.isEmpty())
            return apertura;
    }
    const TcompanerosSQLite companeros(enServidor(parametros) ? QString() : parametros.archivo);
    const esquema::Texamen examen = examinaSoloLectura(parametros);
    apertura.error = rechazo(examen, parametros, puedeCrear);
    if (!apertura.error.isEmpty()) {
        companeros.quitaLosNuevos();
        if (examen.contenido == esquema::Contenido::VersionMasNueva)
            apertura.salida = 3;
        return apertura;
    }
    auto sesion = std::make_unique<TConexionSesion>(parametros);
    if (!sesion->abre()) {
        apertura.error = mensajeConexion(parametros, sesion->ultimoError());
        return apertura;
    }
    const esquema::TresultadoEsquema r = esquema::creaOActualiza(sesion.get());
    if (r.estado != esquema::Estado::Listo) {
        // Only a database changed between the look and the opening gets here.
        apertura.error =
            r.error.isEmpty()
                ? QStringLiteral("La base de datos «%1» cambió mientras se abría; intente de nuevo.")
                      .arg(rutaDe(parametros))
                : QStringLiteral("No se pudo preparar la base de datos «%1»: %2.")
                      .arg(rutaDe(parametros), r.error);
        return apertura;
    }
    apertura.sesion = std::move(sesion);
    apertura.salida = 0;
    return apertura;
}

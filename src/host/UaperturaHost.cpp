#include "host/UaperturaHost.h"

#include "datos/Uesquema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

QString rutaSQLitePredeterminada() {
    const QString carpeta = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(carpeta);
    return QDir(carpeta).filePath(QStringLiteral("inventario.db"));
}

QString revisaArchivoSQLite(const QString &ruta) {
    const QFileInfo info(ruta);
    if (!info.exists()) {
        const QFileInfo carpeta(info.absolutePath());
        if (!carpeta.isDir() || !carpeta.isWritable())
            return QStringLiteral(
                       "No se puede crear la base de datos en «%1»: la carpeta no existe o no permite "
                       "escribir.")
                .arg(ruta);
        return {};
    }
    if (info.isDir())
        return QStringLiteral("«%1» es una carpeta, no una base de datos.").arg(ruta);
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return QStringLiteral("No se puede leer el archivo «%1».").arg(ruta);
    // An empty file is a database SQLite has not written yet; anything else must carry its header.
    const QByteArray cabecera = archivo.read(16);
    if (!cabecera.isEmpty() && cabecera != QByteArray("SQLite format 3\0", 16))
        return QStringLiteral("El archivo «%1» no es una base de datos de Inventario.").arg(ruta);
    if (!info.isWritable())
        return QStringLiteral("El archivo «%1» es de solo lectura: Inventario necesita poder escribir en él.")
            .arg(ruta);
    return {};
}

TaperturaHost abreBaseDatos(const TparametrosConexion &parametros) {
    TaperturaHost apertura;
    const bool mysql = parametros.proveedor == QLatin1String("MySQL");
    if (!mysql) {
        apertura.error = revisaArchivoSQLite(parametros.archivo);
        if (!apertura.error.isEmpty()) {
            apertura.salida = 2;
            return apertura;
        }
    }
    auto sesion = std::make_unique<TConexionSesion>(parametros);
    if (!sesion->abre()) {
        apertura.error =
            mysql ? QStringLiteral("No se pudo conectar al servidor MariaDB: %1").arg(sesion->ultimoError())
                  : QStringLiteral("No se pudo abrir la base de datos «%1»: %2")
                        .arg(parametros.archivo, sesion->ultimoError());
        apertura.salida = 2;
        return apertura;
    }
    const esquema::TresultadoEsquema r = esquema::creaOActualiza(sesion.get());
    switch (r.estado) {
    case esquema::Estado::Listo:
        apertura.sesion = std::move(sesion);
        break;
    case esquema::Estado::VersionMasNueva:
        apertura.error =
            QStringLiteral("La base de datos fue creada por una versión más reciente de Inventario. "
                           "Actualice el programa para abrirla.");
        apertura.salida = 3;
        break;
    case esquema::Estado::Error:
        apertura.error =
            QStringLiteral("No se pudo preparar la base de datos (puede estar en uso o bloqueada): %1")
                .arg(r.error);
        apertura.salida = 2;
        break;
    }
    return apertura;
}

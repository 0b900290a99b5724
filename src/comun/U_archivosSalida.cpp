#include "comun/U_archivosSalida.h"

#include "comun/U_mensajes.h"
#include "datos/ULog.h"

#include <QFileInfo>

namespace {
TdialogoGuardar gDialogo;
TabridorArchivo gAbridor;
TdialogoAbrir gDialogoAbrir;
} // namespace

TdialogoAbrir u_instalaDialogoAbrir(TdialogoAbrir dialogo) {
    std::swap(gDialogoAbrir, dialogo);
    return dialogo;
}

QString u_eligeArchivoAbrir(const QString &titulo, const QString &filtro) {
    return gDialogoAbrir ? gDialogoAbrir(titulo, filtro).trimmed() : QString();
}

TdialogoGuardar u_instalaDialogoGuardar(TdialogoGuardar dialogo) {
    std::swap(gDialogo, dialogo);
    return dialogo;
}

TabridorArchivo u_instalaAbridorArchivo(TabridorArchivo abridor) {
    std::swap(gAbridor, abridor);
    return abridor;
}

QString u_eligeArchivoGuardar(const QString &nombre, const QString &extension, const QString &filtro) {
    if (!gDialogo)
        return {};
    QString ruta = gDialogo(nombre + extension, filtro).trimmed();
    if (ruta.isEmpty())
        return {};
    if (!ruta.endsWith(extension, Qt::CaseInsensitive))
        ruta += extension;
    return ruta;
}

void u_abreArchivo(const QString &ruta) {
    if (!QFileInfo::exists(ruta))
        return;
    if (gAbridor)
        gAbridor(ruta);
    else
        Log::log(QStringLiteral("archivo generado: ") + ruta, 0);
}

QString u_guardaReporte(const QString &nombre, const QString &extension, const QString &filtro,
                        const TescritorArchivo &escritor) {
    const QString ruta = u_eligeArchivoGuardar(nombre, extension, filtro);
    if (ruta.isEmpty())
        return {};
    QString error;
    if (!escritor(ruta, &error)) {
        u_mensaje(QStringLiteral("No se pudo guardar el archivo \"%1\".\n%2").arg(ruta, error), kError);
        return {};
    }
    u_abreArchivo(ruta);
    return ruta;
}

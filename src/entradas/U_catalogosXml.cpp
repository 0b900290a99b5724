#include "entradas/U_catalogosXml.h"

#include "comun/U_mensajes.h"
#include "datos/ULog.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QPair>
#include <QXmlStreamReader>
#include <optional>

namespace catalogosXml {
namespace {
using Tpar = QPair<QString, QString>;

// Walks the document token by token (no recursion, whatever the nesting) and keeps the first
// two child texts of every root child named `entrada`, each with the text of its descendants.
class TlectorPares {
public:
    TlectorPares(QIODevice *dispositivo, const QString &entrada) : uXml(dispositivo), uEntrada(entrada) {}

    // Empty on success; otherwise why the file was refused.
    QString lee(const QString &archivo, QVector<Tpar> &pares) {
        while (!uXml.atEnd()) {
            const QString error = paso(archivo, pares);
            if (!error.isEmpty())
                return error;
        }
        if (uXml.hasError()) {
            Log::log(QStringLiteral("Catálogo %1 dañado").arg(archivo), 1, uXml.errorString());
            return QStringLiteral("El catálogo %1 está dañado (línea %2): no es un XML bien formado. "
                                  "Reinstale el programa para recuperarlo.")
                .arg(archivo)
                .arg(uXml.lineNumber());
        }
        if (!uRaizVista)
            return formatoInesperado(archivo);
        return {};
    }

private:
    static QString formatoInesperado(const QString &archivo) {
        return QStringLiteral("El catálogo %1 no tiene el formato esperado.").arg(archivo);
    }

    QString paso(const QString &archivo, QVector<Tpar> &pares) {
        switch (uXml.readNext()) {
        case QXmlStreamReader::DTD:
            // A catalogue declares nothing; a DTD is only a way to expand entities.
            return formatoInesperado(archivo);
        case QXmlStreamReader::StartElement:
            ++uProfundidad;
            if (uProfundidad > kProfundidadMaxima)
                return QStringLiteral("El catálogo %1 tiene demasiados niveles anidados.").arg(archivo);
            if (uProfundidad == 1) {
                if (uXml.name() != QLatin1String("Catalogo"))
                    return formatoInesperado(archivo);
                uRaizVista = true;
            } else if (uProfundidad == 2 && uXml.name() == uEntrada) {
                uTextos.emplace();
            } else if (uProfundidad == 3 && uTextos) {
                uTextos->append(QString());
            }
            break;
        case QXmlStreamReader::Characters:
            if (uProfundidad >= 3 && uTextos && !uTextos->isEmpty())
                uTextos->last() += uXml.text();
            break;
        case QXmlStreamReader::EndElement:
            if (uProfundidad == 2 && uTextos) {
                pares.append({uTextos->value(0).trimmed(), uTextos->value(1).trimmed()});
                uTextos.reset();
            }
            --uProfundidad;
            break;
        default:
            break;
        }
        return {};
    }

    QXmlStreamReader uXml;
    const QString uEntrada;
    int uProfundidad = 0;
    bool uRaizVista = false;
    std::optional<QStringList> uTextos; // the texts of the entry being read
};

// The first two child texts of every root child named `entrada`; an entry with fewer children
// gives empty texts. Any error fails the whole file: no half catalogue is shown.
Tlectura<Tpar> leePares(const QString &ruta, const QString &entrada) {
    Tlectura<Tpar> r;
    const QString archivo = QFileInfo(ruta).fileName();
    QFile f(ruta);
    if (!QFileInfo(ruta).isFile()) {
        r.error =
            QStringLiteral("No se encontró el catálogo %1 (%2). Reinstale el programa para recuperarlo.")
                .arg(archivo, QDir::toNativeSeparators(ruta));
        return r;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        r.error =
            QStringLiteral("No se pudo leer el catálogo %1: revise los permisos del archivo.").arg(archivo);
        return r;
    }
    // Read with the limit itself, so a file that grows meanwhile cannot pass it.
    QByteArray contenido = f.read(kTamanoMaximo + 1);
    if (contenido.size() > kTamanoMaximo) {
        r.error = QStringLiteral("El catálogo %1 es demasiado grande (%2 KB; el máximo es %3 KB).")
                      .arg(archivo)
                      .arg(qMax(f.size(), qint64(contenido.size())) / 1024)
                      .arg(kTamanoMaximo / 1024);
        return r;
    }
    QBuffer datos(&contenido);
    datos.open(QIODevice::ReadOnly);
    r.error = TlectorPares(&datos, entrada).lee(archivo, r.elementos);
    if (!r.error.isEmpty())
        r.elementos.clear();
    return r;
}

struct Tcache {
    QMutex candado;
    QString carpeta; // empty: the installed one
    std::optional<QVector<Taduana>> aduanas;
    std::optional<QVector<Tpais>> paises;
};

Tcache &cache() {
    static Tcache c;
    return c;
}

QString rutaEn(const Tcache &c, const QString &archivo) {
    return QDir(c.carpeta.isEmpty() ? carpetaInstalada() : c.carpeta).filePath(archivo);
}

template <typename T> QVector<T> avisa(const Tlectura<T> &lectura) {
    if (!lectura.error.isEmpty())
        u_mensaje(lectura.error, kAdvertencia);
    return lectura.elementos;
}

// Read on first use and kept for the rest of the run; the warning is shown outside the lock.
template <typename T>
QVector<T> unaVez(std::optional<QVector<T>> Tcache::*miembro, Tlectura<T> (*lee)(const QString &),
                  const QString &archivo) {
    Tlectura<T> lectura;
    {
        Tcache &c = cache();
        QMutexLocker bloqueo(&c.candado);
        if (c.*miembro)
            return *(c.*miembro);
        lectura = lee(rutaEn(c, archivo));
        c.*miembro = lectura.elementos;
    }
    return avisa(lectura);
}
} // namespace

Tlectura<Taduana> leeAduanas(const QString &ruta) {
    const Tlectura<Tpar> pares = leePares(ruta, QStringLiteral("Par"));
    Tlectura<Taduana> r{{}, pares.error};
    for (const Tpar &p : pares.elementos) {
        bool entero = false;
        const int codigo = p.second.toInt(&entero);
        if (entero && !p.first.isEmpty())
            r.elementos.append({p.first, codigo});
    }
    return r;
}

Tlectura<Tpais> leePaises(const QString &ruta) {
    const Tlectura<Tpar> pares = leePares(ruta, QStringLiteral("Datos"));
    Tlectura<Tpais> r{{}, pares.error};
    for (const Tpar &p : pares.elementos) {
        if (p.first.isEmpty())
            continue;
        const QString valor = p.first + QStringLiteral(", ") + p.second;
        r.elementos.append({valor, valor + QStringLiteral(", ") + p.second});
    }
    return r;
}

QString carpetaInstalada() {
    if (!QCoreApplication::instance())
        return {};
    const QDir programa(QCoreApplication::applicationDirPath());
    const QString junto = programa.filePath(kCarpeta);
    if (QFileInfo(junto).isDir())
        return junto;
    return QDir::cleanPath(programa.filePath(QStringLiteral("../share/inventario/") + kCarpeta));
}

void usaCarpeta(const QString &carpeta) {
    Tcache &c = cache();
    QMutexLocker bloqueo(&c.candado);
    c.carpeta = carpeta;
    c.aduanas.reset();
    c.paises.reset();
}

QString rutaCatalogo(const QString &archivo) {
    Tcache &c = cache();
    QMutexLocker bloqueo(&c.candado);
    return rutaEn(c, archivo);
}

QVector<Taduana> u_cargaAduanas() {
    return unaVez(&Tcache::aduanas, &leeAduanas, kAduanas);
}

QVector<Tpais> u_cargaPaises() {
    return unaVez(&Tcache::paises, &leePaises, kPaises);
}
} // namespace catalogosXml

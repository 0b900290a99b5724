#include "entradas/U_catalogosXml.h"

#include "comun/U_mensajes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPair>
#include <QXmlStreamReader>

namespace catalogosXml {
namespace {
using Tpar = QPair<QString, QString>;

// The first two child texts of every root child named `entrada`; an entry with fewer children
// gives empty texts. Any XML error, or a root other than "Catalogo", fails the whole file.
Tlectura<Tpar> leePares(const QString &ruta, const QString &entrada) {
    Tlectura<Tpar> r;
    const QString archivo = QFileInfo(ruta).fileName();
    QFile f(ruta);
    if (!f.exists()) {
        r.error = QStringLiteral("No se encontró el catálogo %1 (%2).")
                      .arg(archivo, QDir::toNativeSeparators(ruta));
        return r;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        r.error = QStringLiteral("No se pudo leer el catálogo %1.").arg(archivo);
        return r;
    }
    QXmlStreamReader xml(&f);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("Catalogo")) {
        r.error = QStringLiteral("El catálogo %1 no tiene el formato esperado.").arg(archivo);
        return r;
    }
    while (xml.readNextStartElement()) {
        if (xml.name() != entrada) {
            xml.skipCurrentElement();
            continue;
        }
        QStringList textos;
        while (xml.readNextStartElement())
            textos << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        r.elementos.append({textos.value(0), textos.value(1)});
    }
    if (xml.hasError()) {
        r.elementos.clear();
        r.error = QStringLiteral("El catálogo %1 está dañado (línea %2): %3")
                      .arg(archivo)
                      .arg(xml.lineNumber())
                      .arg(xml.errorString());
    }
    return r;
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

QString rutaCatalogo(const QString &archivo) {
    const QString enActual = QDir::current().filePath(kCarpeta + QLatin1Char('/') + archivo);
    if (QFileInfo::exists(enActual) || QCoreApplication::instance() == nullptr)
        return enActual;
    const QString junto =
        QDir(QCoreApplication::applicationDirPath()).filePath(kCarpeta + QLatin1Char('/') + archivo);
    return QFileInfo::exists(junto) ? junto : enActual;
}

namespace {
template <typename T> QVector<T> avisa(const Tlectura<T> &lectura) {
    if (!lectura.error.isEmpty())
        u_mensaje(lectura.error, kAdvertencia);
    return lectura.elementos;
}
} // namespace

QVector<Taduana> u_cargaAduanas() {
    return avisa(leeAduanas(rutaCatalogo(kAduanas)));
}

QVector<Tpais> u_cargaPaises() {
    return avisa(leePaises(rutaCatalogo(kPaises)));
}
} // namespace catalogosXml

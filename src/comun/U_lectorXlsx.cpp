#include "comun/U_lectorXlsx.h"

#include <QFile>
#include <QXmlStreamReader>
#include <unzip.h>

namespace {
// The archive's entries by name, read whole (sheets of a shop's workbook are small).
class Tzip {
public:
    explicit Tzip(const QString &ruta) : uZip(unzOpen64(QFile::encodeName(ruta).constData())) {}
    ~Tzip() {
        if (uZip)
            unzClose(uZip);
    }
    bool valido() const { return uZip != nullptr; }
    bool lee(const QString &nombre, QByteArray *contenido) {
        if (unzLocateFile(uZip, nombre.toUtf8().constData(), 0) != UNZ_OK ||
            unzOpenCurrentFile(uZip) != UNZ_OK)
            return false;
        contenido->clear();
        char bloque[16384];
        int n = 0;
        while ((n = unzReadCurrentFile(uZip, bloque, sizeof bloque)) > 0)
            contenido->append(bloque, n);
        return unzCloseCurrentFile(uZip) == UNZ_OK && n == 0;
    }

private:
    unzFile uZip;
};

QString atributo(const QXmlStreamReader &xml, const char *nombre) {
    return xml.attributes().value(QLatin1String(nombre)).toString();
}

// Text of <t> elements (rich text runs joined) up to the end of the element `fin`.
QString textoHasta(QXmlStreamReader &xml, const QString &fin) {
    QString texto;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("t"))
            texto += xml.readElementText();
        else if (xml.isEndElement() && xml.name() == fin)
            break;
    }
    return texto;
}

QStringList cadenasCompartidas(const QByteArray &contenido) {
    QStringList cadenas;
    QXmlStreamReader xml(contenido);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("si"))
            cadenas.append(textoHasta(xml, QStringLiteral("si")));
    }
    return cadenas;
}

// Number format code of each cell style (index into cellXfs).
QStringList formatosDeEstilo(const QByteArray &contenido) {
    static const QHash<int, QString> kIntegrados = {
        {0, QStringLiteral("General")}, {1, QStringLiteral("0")},         {2, QStringLiteral("0.00")},
        {3, QStringLiteral("#,##0")},   {4, QStringLiteral("#,##0.00")},  {9, QStringLiteral("0%")},
        {10, QStringLiteral("0.00%")},  {14, QStringLiteral("mm-dd-yy")}, {49, QStringLiteral("@")}};
    QHash<int, QString> propios;
    QStringList formatos;
    bool enCeldas = false;
    QXmlStreamReader xml(contenido);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("numFmt"))
                propios.insert(atributo(xml, "numFmtId").toInt(), atributo(xml, "formatCode"));
            else if (xml.name() == QLatin1String("cellXfs"))
                enCeldas = true;
            else if (enCeldas && xml.name() == QLatin1String("xf")) {
                const int id = atributo(xml, "numFmtId").toInt();
                formatos.append(propios.value(id, kIntegrados.value(id, QStringLiteral("General"))));
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("cellXfs")) {
            enCeldas = false;
        }
    }
    return formatos;
}

// Sheet names and their paths inside the archive, in workbook order.
QList<QPair<QString, QString>> hojasDelLibro(const QByteArray &libro, const QByteArray &relaciones) {
    QHash<QString, QString> destinos;
    QXmlStreamReader rels(relaciones);
    while (!rels.atEnd()) {
        rels.readNext();
        if (rels.isStartElement() && rels.name() == QLatin1String("Relationship")) {
            QString destino = atributo(rels, "Target");
            destino = destino.startsWith(QLatin1Char('/')) ? destino.mid(1) : QStringLiteral("xl/") + destino;
            destinos.insert(atributo(rels, "Id"), destino);
        }
    }
    QList<QPair<QString, QString>> hojas;
    QXmlStreamReader xml(libro);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("sheet")) {
            QString id;
            for (const QXmlStreamAttribute &a : xml.attributes())
                if (a.name() == QLatin1String("id"))
                    id = a.value().toString();
            hojas.append({atributo(xml, "name"), destinos.value(id)});
        }
    }
    return hojas;
}

QStringList rangosCombinados(const QByteArray &contenido) {
    QStringList rangos;
    QXmlStreamReader xml(contenido);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("mergeCell"))
            rangos.append(atributo(xml, "ref"));
    }
    return rangos;
}

QVector<QVector<TceldaXlsx>> celdasDeHoja(const QByteArray &contenido, const QStringList &cadenas,
                                          const QStringList &formatos) {
    QVector<QVector<TceldaXlsx>> filas;
    QXmlStreamReader xml(contenido);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != QLatin1String("c"))
            continue;
        const auto [fila, columna] = TlectorXlsx::posicion(atributo(xml, "r"));
        const QString tipo = atributo(xml, "t");
        const int estilo = atributo(xml, "s").toInt();
        TceldaXlsx celda;
        celda.formato = formatos.value(estilo, QStringLiteral("General"));
        QString valor;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("v"))
                valor = xml.readElementText();
            else if (xml.isStartElement() && xml.name() == QLatin1String("is"))
                valor = textoHasta(xml, QStringLiteral("is"));
            else if (xml.isEndElement() && xml.name() == QLatin1String("c"))
                break;
        }
        if (tipo == QLatin1String("s"))
            celda.valor = cadenas.value(valor.toInt());
        else {
            celda.valor = valor;
            celda.numerica = tipo.isEmpty() || tipo == QLatin1String("n");
            celda.numerica = celda.numerica && !valor.isEmpty();
        }
        if (fila < 0)
            continue;
        if (filas.size() <= fila)
            filas.resize(fila + 1);
        if (filas[fila].size() <= columna)
            filas[fila].resize(columna + 1);
        filas[fila][columna] = celda;
    }
    return filas;
}
} // namespace

QPair<int, int> TlectorXlsx::posicion(const QString &referencia) {
    int columna = 0;
    int i = 0;
    while (i < referencia.size() && referencia[i].isLetter() && referencia[i].unicode() < 128) {
        columna = columna * 26 + (referencia[i].toUpper().unicode() - 'A' + 1);
        ++i;
    }
    bool ok = false;
    const int fila = referencia.mid(i).toInt(&ok);
    if (i == 0 || !ok || fila < 1)
        return {-1, -1};
    return {fila - 1, columna - 1};
}

bool TlectorXlsx::abre(const QString &ruta) {
    uError.clear();
    uNombresHoja.clear();
    uHojas.clear();
    uCombinadas.clear();
    Tzip zip(ruta);
    QByteArray libro, relaciones, compartidas, estilos;
    if (!zip.valido() || !zip.lee(QStringLiteral("xl/workbook.xml"), &libro) ||
        !zip.lee(QStringLiteral("xl/_rels/workbook.xml.rels"), &relaciones)) {
        uError = QStringLiteral("El archivo no es un libro de Excel (.xlsx) válido.");
        return false;
    }
    // Both are optional: a workbook of numbers only has no shared strings.
    zip.lee(QStringLiteral("xl/sharedStrings.xml"), &compartidas);
    zip.lee(QStringLiteral("xl/styles.xml"), &estilos);
    const QStringList cadenas = cadenasCompartidas(compartidas);
    const QStringList formatos = formatosDeEstilo(estilos);
    for (const auto &[nombre, camino] : hojasDelLibro(libro, relaciones)) {
        QByteArray contenido;
        if (!zip.lee(camino, &contenido)) {
            uError = QStringLiteral("No se pudo leer la hoja \"%1\".").arg(nombre);
            return false;
        }
        uNombresHoja.append(nombre);
        uHojas.append(celdasDeHoja(contenido, cadenas, formatos));
        uCombinadas.append(rangosCombinados(contenido));
    }
    return true;
}

TceldaXlsx TlectorXlsx::celda(int indiceHoja, const QString &referencia) const {
    const auto [fila, columna] = posicion(referencia);
    if (indiceHoja < 0 || indiceHoja >= uHojas.size() || fila < 0)
        return {};
    return uHojas[indiceHoja].value(fila).value(columna);
}

QString TlectorXlsx::valor(int indiceHoja, const QString &referencia) const {
    return celda(indiceHoja, referencia).valor;
}

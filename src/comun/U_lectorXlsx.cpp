#include "comun/U_lectorXlsx.h"

#include "datos/ULog.h"

#include <QFile>
#include <QXmlStreamReader>
#include <algorithm>
#include <functional>
#include <unzip.h>

namespace {

// Why a workbook is refused; thrown inside the reader only and turned into error() by abre().
struct Trechazo {
    QString motivo;
};

// The archive's entries by name, each read whole after checking that its size is in proportion.
class Tzip {
public:
    explicit Tzip(const QString &ruta) : uZip(unzOpen64(QFile::encodeName(ruta).constData())) {}
    ~Tzip() {
        if (uZip)
            unzClose(uZip);
    }
    Tzip(const Tzip &) = delete;
    Tzip &operator=(const Tzip &) = delete;
    bool valido() const { return uZip != nullptr; }

    // False when the archive has no such entry; a damaged or disproportionate one is refused.
    bool lee(const QString &nombre, QByteArray *contenido) {
        if (unzLocateFile(uZip, nombre.toUtf8().constData(), 0) != UNZ_OK)
            return false;
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(uZip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
            throw Trechazo{danada(nombre)};
        const qint64 declarado = qint64(info.uncompressed_size);
        const qint64 comprimido = qMax<qint64>(1, qint64(info.compressed_size));
        uTotal += declarado;
        if (declarado > TlectorXlsx::kMaximoParte || uTotal > TlectorXlsx::kMaximoLibro ||
            (declarado > 1024 * 1024 && declarado / comprimido > TlectorXlsx::kRazonMaxima))
            throw Trechazo{QStringLiteral("El libro tiene una parte desproporcionada («%1»: %2 MB al "
                                          "descomprimirla); no se abre por seguridad.")
                               .arg(nombre)
                               .arg(declarado / (1024 * 1024))};
        if (unzOpenCurrentFile(uZip) != UNZ_OK)
            throw Trechazo{danada(nombre)};
        contenido->clear();
        contenido->reserve(int(declarado));
        char bloque[16384];
        int n = 0;
        // Never more than the entry says it holds: a lying header does not buy more memory.
        while ((n = unzReadCurrentFile(uZip, bloque, sizeof bloque)) > 0 &&
               contenido->size() + n <= declarado)
            contenido->append(bloque, n);
        const bool completa = n == 0 && contenido->size() == declarado;
        if (unzCloseCurrentFile(uZip) != UNZ_OK || !completa)
            throw Trechazo{danada(nombre)};
        return true;
    }

private:
    static QString danada(const QString &nombre) {
        return QStringLiteral("El libro está dañado: no se pudo leer su parte «%1».").arg(nombre);
    }

    unzFile uZip;
    qint64 uTotal = 0;
};

QString atributo(const QXmlStreamReader &xml, const char *nombre) {
    return xml.attributes().value(QLatin1String(nombre)).toString();
}

// Walks one XML part, handing every token to `paso`; a malformed part, or one with a DTD (only
// good for expanding entities), refuses the workbook.
void recorre(const QByteArray &contenido, const QString &parte,
             const std::function<void(QXmlStreamReader &)> &paso) {
    QXmlStreamReader xml(contenido);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.tokenType() == QXmlStreamReader::DTD)
            xml.raiseError(QStringLiteral("DTD"));
        else
            paso(xml);
    }
    if (xml.hasError()) {
        Log::log(QStringLiteral("Libro .xlsx: parte dañada %1").arg(parte), 1, xml.errorString());
        throw Trechazo{QStringLiteral("El libro está dañado: su parte «%1» no es un XML válido (línea %2).")
                           .arg(parte)
                           .arg(xml.lineNumber())};
    }
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

const QString kCompartidas = QStringLiteral("xl/sharedStrings.xml");

QStringList cadenasCompartidas(const QByteArray &contenido) {
    QStringList cadenas;
    recorre(contenido, kCompartidas, [&](QXmlStreamReader &xml) {
        if (xml.isStartElement() && xml.name() == QLatin1String("si"))
            cadenas.append(textoHasta(xml, QStringLiteral("si")));
    });
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
    recorre(contenido, QStringLiteral("xl/styles.xml"), [&](QXmlStreamReader &xml) {
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
    });
    return formatos;
}

// Sheet names and their paths inside the archive, in workbook order.
QList<QPair<QString, QString>> hojasDelLibro(const QByteArray &libro, const QByteArray &relaciones) {
    QHash<QString, QString> destinos;
    recorre(relaciones, QStringLiteral("xl/_rels/workbook.xml.rels"), [&](QXmlStreamReader &rels) {
        if (rels.isStartElement() && rels.name() == QLatin1String("Relationship")) {
            QString destino = atributo(rels, "Target");
            destino = destino.startsWith(QLatin1Char('/')) ? destino.mid(1) : QStringLiteral("xl/") + destino;
            destinos.insert(atributo(rels, "Id"), destino);
        }
    });
    QList<QPair<QString, QString>> hojas;
    recorre(libro, QStringLiteral("xl/workbook.xml"), [&](QXmlStreamReader &xml) {
        if (xml.isStartElement() && xml.name() == QLatin1String("sheet")) {
            QString id;
            for (const QXmlStreamAttribute &a : xml.attributes())
                if (a.name() == QLatin1String("id"))
                    id = a.value().toString();
            hojas.append({atributo(xml, "name"), destinos.value(id)});
        }
    });
    return hojas;
}

QStringList rangosCombinados(const QByteArray &contenido, const QString &parte) {
    QStringList rangos;
    recorre(contenido, parte, [&](QXmlStreamReader &xml) {
        if (xml.isStartElement() && xml.name() == QLatin1String("mergeCell"))
            rangos.append(atributo(xml, "ref"));
    });
    return rangos;
}

// Lays the cells of one sheet out by position, counting every slot it allocates (gaps too)
// against the workbook's cap.
class ThojaXlsx {
public:
    ThojaXlsx(const QString &nombre, const QStringList *cadenas, const QStringList &formatos, qint64 &celdas)
        : uNombre(nombre), uCadenas(cadenas), uFormatos(formatos), uCeldas(celdas) {}

    QVector<QVector<TceldaXlsx>> lee(const QByteArray &contenido, const QString &parte) {
        recorre(contenido, parte, [&](QXmlStreamReader &xml) {
            if (xml.isStartElement() && xml.name() == QLatin1String("row"))
                empiezaFila(atributo(xml, "r"));
            else if (xml.isStartElement() && xml.name() == QLatin1String("c"))
                leeCelda(xml);
        });
        return uFilas;
    }

private:
    // A row or a cell may leave out its reference: it then follows the previous one.
    void empiezaFila(const QString &r) {
        bool ok = false;
        uFila = r.isEmpty() ? uFila + 1 : r.toInt(&ok) - 1;
        if ((!r.isEmpty() && !ok) || uFila < 0 || uFila >= TlectorXlsx::kMaximoFilas)
            throw Trechazo{fueraDeLimites(r)};
        uColumna = -1;
    }

    void leeCelda(QXmlStreamReader &xml) {
        const QString referencia = atributo(xml, "r");
        if (referencia.isEmpty()) {
            ++uColumna;
        } else {
            const auto [fila, columna] = TlectorXlsx::posicion(referencia);
            if (fila < 0)
                throw Trechazo{fueraDeLimites(referencia)};
            uFila = fila;
            uColumna = columna;
        }
        if (uFila < 0 || uColumna >= TlectorXlsx::kMaximoColumnas)
            throw Trechazo{fueraDeLimites(referencia)};
        const QString tipo = atributo(xml, "t");
        TceldaXlsx celda;
        celda.formato = uFormatos.value(atributo(xml, "s").toInt(), QStringLiteral("General"));
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
            celda.valor = compartida(valor);
        else {
            celda.valor = valor;
            celda.numerica = (tipo.isEmpty() || tipo == QLatin1String("n")) && !valor.isEmpty();
        }
        coloca(celda);
    }

    QString compartida(const QString &indice) const {
        if (!uCadenas)
            throw Trechazo{
                QStringLiteral("El libro está dañado: la hoja «%1» usa textos compartidos pero falta "
                               "su parte «%2».")
                    .arg(uNombre, kCompartidas)};
        bool ok = false;
        const int i = indice.toInt(&ok);
        if (!ok || i < 0 || i >= uCadenas->size())
            throw Trechazo{QStringLiteral("El libro está dañado: la hoja «%1» pide el texto compartido «%2», "
                                          "que no existe.")
                               .arg(uNombre, indice.left(20))};
        return uCadenas->at(i);
    }

    void coloca(const TceldaXlsx &celda) {
        if (uFilas.size() <= uFila) {
            cuenta(uFila + 1 - uFilas.size());
            uFilas.resize(uFila + 1);
        }
        QVector<TceldaXlsx> &fila = uFilas[uFila];
        if (fila.size() <= uColumna) {
            cuenta(uColumna + 1 - fila.size());
            fila.resize(uColumna + 1);
        }
        fila[uColumna] = celda;
    }

    void cuenta(qint64 nuevas) {
        uCeldas += nuevas;
        if (uCeldas > TlectorXlsx::kMaximoCeldas)
            throw Trechazo{
                QStringLiteral("El libro es demasiado grande para leerlo: sus hojas ocupan más de %L1 "
                               "celdas.")
                    .arg(TlectorXlsx::kMaximoCeldas)};
    }

    QString fueraDeLimites(const QString &referencia) const {
        return QStringLiteral(
                   "La hoja «%1» tiene una referencia de celda que no es válida o está fuera de los "
                   "límites de Excel: «%2».")
            .arg(uNombre, referencia.left(20));
    }

    const QString uNombre;
    const QStringList *uCadenas; // null when the workbook has no shared-strings part
    const QStringList &uFormatos;
    qint64 &uCeldas;
    QVector<QVector<TceldaXlsx>> uFilas;
    int uFila = -1;
    int uColumna = -1;
};
} // namespace

QPair<int, int> TlectorXlsx::posicion(const QString &referencia) {
    int columna = 0;
    int i = 0;
    for (; i < referencia.size() && i < 4; ++i) {
        const QChar c = referencia[i].toUpper();
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            break;
        columna = columna * 26 + (c.unicode() - 'A' + 1);
    }
    const QString digitos = referencia.mid(i);
    const bool soloDigitos =
        !digitos.isEmpty() && digitos.size() <= 7 && !digitos.startsWith(QLatin1Char('0')) &&
        std::all_of(digitos.begin(), digitos.end(),
                    [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
    if (i == 0 || i > 3 || !soloDigitos || columna > kMaximoColumnas)
        return {-1, -1};
    const int fila = digitos.toInt();
    if (fila > kMaximoFilas)
        return {-1, -1};
    return {fila - 1, columna - 1};
}

bool TlectorXlsx::abre(const QString &ruta) {
    uError.clear();
    uNombresHoja.clear();
    uHojas.clear();
    uCombinadas.clear();
    try {
        Tzip zip(ruta);
        QByteArray libro, relaciones, compartidas, estilos;
        if (!zip.valido() || !zip.lee(QStringLiteral("xl/workbook.xml"), &libro) ||
            !zip.lee(QStringLiteral("xl/_rels/workbook.xml.rels"), &relaciones))
            throw Trechazo{QStringLiteral("El archivo no es un libro de Excel (.xlsx) válido.")};
        // Both are optional: a workbook of numbers only has no shared strings.
        const bool hayCompartidas = zip.lee(kCompartidas, &compartidas);
        const QStringList cadenas = hayCompartidas ? cadenasCompartidas(compartidas) : QStringList();
        const QStringList formatos =
            zip.lee(QStringLiteral("xl/styles.xml"), &estilos) ? formatosDeEstilo(estilos) : QStringList();
        const auto hojas = hojasDelLibro(libro, relaciones);
        if (hojas.isEmpty())
            throw Trechazo{QStringLiteral("El libro no tiene hojas.")};
        qint64 celdas = 0;
        for (const auto &[nombre, camino] : hojas) {
            QByteArray contenido;
            if (!zip.lee(camino, &contenido))
                throw Trechazo{
                    QStringLiteral("El libro está dañado: falta la hoja «%1» que anuncia.").arg(nombre)};
            uNombresHoja.append(nombre);
            uHojas.append(ThojaXlsx(nombre, hayCompartidas ? &cadenas : nullptr, formatos, celdas)
                              .lee(contenido, camino));
            uCombinadas.append(rangosCombinados(contenido, camino));
        }
    } catch (const Trechazo &r) {
        uError = r.motivo;
        uNombresHoja.clear();
        uHojas.clear();
        uCombinadas.clear();
        return false;
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

// Hostile catalogues and workbooks of the corpus (tests/hostiles), run through the real readers:
// each is refused whole with a Spanish reason, never a crash or a partial result.
#include "comun/U_lectorXlsx.h"
#include "entradas/U_catalogosXml.h"
#include "entradas/U_lectorCfdi.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>
#include <zip.h>

namespace {

const QString kCorpus = QStringLiteral(INVENTARIO_CORPUS);

QByteArray contenidoDe(const QString &ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void escribe(const QString &ruta, const QByteArray &contenido) {
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(contenido), contenido.size());
}

// One archive entry. `declarado` and `crc` stand for what the entry's header claims; -1 takes
// the true values. Raw deflate is what qCompress writes between its zlib header and trailer.
struct Tparte {
    QString nombre;
    QByteArray datos;
    qint64 declarado = -1;
    qint64 crc = -1;
};

bool escribeZip(const QString &ruta, const QList<Tparte> &partes) {
    zipFile zip = zipOpen64(QFile::encodeName(ruta).constData(), APPEND_STATUS_CREATE);
    if (!zip)
        return false;
    bool ok = true;
    for (const Tparte &p : partes) {
        const QByteArray zlib = qCompress(p.datos, 9);
        const QByteArray crudo = zlib.mid(6, zlib.size() - 10);
        const uLong crc =
            crc32(0, reinterpret_cast<const Bytef *>(p.datos.constData()), uInt(p.datos.size()));
        zip_fileinfo info{};
        ok = ok &&
             zipOpenNewFileInZip2(zip, p.nombre.toUtf8().constData(), &info, nullptr, 0, nullptr, 0, nullptr,
                                  Z_DEFLATED, 9, 1) == ZIP_OK &&
             zipWriteInFileInZip(zip, crudo.constData(), unsigned(crudo.size())) == ZIP_OK &&
             zipCloseFileInZipRaw(zip, uLong(p.declarado < 0 ? p.datos.size() : p.declarado),
                                  p.crc < 0 ? crc : uLong(p.crc)) == ZIP_OK;
    }
    return zipClose(zip, nullptr) == ZIP_OK && ok;
}

// The base workbook's parts with a corpus case's parts laid over them.
QList<Tparte> partesDelCaso(const QString &caso) {
    QMap<QString, QByteArray> partes;
    for (const QString &carpeta : {QStringLiteral("_base"), caso}) {
        const QDir raiz(kCorpus + QStringLiteral("/libros/") + carpeta);
        QDirIterator it(raiz.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString ruta = it.next();
            partes.insert(raiz.relativeFilePath(ruta), contenidoDe(ruta));
        }
    }
    QList<Tparte> lista;
    for (auto it = partes.cbegin(); it != partes.cend(); ++it)
        lista.append({it.key(), it.value()});
    return lista;
}

QByteArray hoja(const QByteArray &filas) {
    return "<?xml version=\"1.0\"?><worksheet "
           "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
           "<sheetData>" +
           filas + "</sheetData></worksheet>";
}

QList<Tparte> conHoja(const QByteArray &contenido, qint64 declarado = -1, qint64 crc = -1) {
    QList<Tparte> partes = partesDelCaso(QStringLiteral("_base"));
    for (Tparte &p : partes) {
        if (p.nombre == QLatin1String("xl/worksheets/sheet1.xml"))
            p = {p.nombre, contenido, declarado, crc};
    }
    return partes;
}

} // namespace

Q_DECLARE_METATYPE(Tparte)

class TpruebaHostiles : public QObject {
    Q_OBJECT

    QTemporaryDir uCarpeta;

    // Refused whole: the reason, and nothing of the workbook left to read.
    void esperaRechazoLibro(const QString &ruta, const QString &motivo) {
        TlectorXlsx libro;
        QVERIFY(!libro.abre(ruta));
        QVERIFY2(libro.error().contains(motivo), qPrintable(libro.error()));
        QVERIFY(libro.hojas().isEmpty());
        QVERIFY(libro.hoja(0).isEmpty());
    }

    template <typename T>
    static void esperaRechazoCatalogo(const catalogosXml::Tlectura<T> &r, const QString &motivo) {
        QVERIFY2(r.error.contains(motivo), qPrintable(r.error));
        QVERIFY(r.elementos.isEmpty());
    }

private slots:
    void initTestCase() { QVERIFY(uCarpeta.isValid()); }

    void catalogoDelCorpus_data() {
        QTest::addColumn<QString>("archivo");
        QTest::addColumn<QString>("motivo");
        const QString danado = QStringLiteral("está dañado");
        const QString formato = QStringLiteral("no tiene el formato esperado");
        QTest::newRow("raíz equivocada") << "raiz_equivocada.xml" << formato;
        QTest::newRow("truncado") << "truncado.xml" << danado;
        QTest::newRow("entidades en cadena") << "entidades_en_cadena.xml" << formato;
        QTest::newRow("entidad externa") << "entidad_externa.xml" << formato;
        QTest::newRow("dos raíces") << "dos_raices.xml" << danado;
        QTest::newRow("entidad mal escrita") << "entidad_mal_escrita.xml" << danado;
        QTest::newRow("binario") << "binario.xml" << danado;
        QTest::newRow("vacío") << "vacio.xml" << danado;
        QTest::newRow("utf-8 inválido") << "utf8_invalido.xml" << danado;
        QTest::newRow("anidado") << "anidado.xml" << QStringLiteral("demasiados niveles anidados");
        QTest::newRow("no existe") << "no_existe.xml" << QStringLiteral("No se encontró el catálogo");
    }
    void catalogoDelCorpus() {
        QFETCH(QString, archivo);
        QFETCH(QString, motivo);
        const QString ruta = kCorpus + QStringLiteral("/catalogos/") + archivo;
        esperaRechazoCatalogo(catalogosXml::leeAduanas(ruta), motivo);
        esperaRechazoCatalogo(catalogosXml::leePaises(ruta), motivo);
    }

    // Too big to keep in the corpus: 60,000 levels (the crash of a recursive reader) and a
    // well-formed catalogue past the size limit.
    void catalogoGenerado_data() {
        QTest::addColumn<QByteArray>("contenido");
        QTest::addColumn<QString>("motivo");
        const int niveles = 60000;
        QTest::newRow("60000 niveles")
            << QByteArray("<Catalogo><Par>" + QByteArray("<N>").repeated(niveles) + "x" +
                          QByteArray("</N>").repeated(niveles) + "</Par></Catalogo>")
            << QStringLiteral("demasiados niveles anidados");
        const QByteArray par("<Par><Nombre>Acapulco, Guerrero</Nombre><Clave>1</Clave></Par>\n");
        QTest::newRow("más grande que el límite")
            << QByteArray("<Catalogo>" + par.repeated(int(catalogosXml::kTamanoMaximo / par.size()) + 1) +
                          "</Catalogo>")
            << QStringLiteral("es demasiado grande");
    }
    void catalogoGenerado() {
        QFETCH(QByteArray, contenido);
        QFETCH(QString, motivo);
        const QString ruta = uCarpeta.filePath(QStringLiteral("CAduanas.xml"));
        escribe(ruta, contenido);
        esperaRechazoCatalogo(catalogosXml::leeAduanas(ruta), motivo);
    }

    // Supplier invoices: refused whole, nothing of them read.
    void cfdiDelCorpus_data() {
        QTest::addColumn<QString>("archivo");
        QTest::addColumn<QString>("motivo");
        const QString valor = QStringLiteral("valor no válido en el concepto 1");
        QTest::newRow("entidades en cadena") << "entidades_en_cadena.xml" << QStringLiteral("DTD");
        QTest::newRow("entidad externa") << "entidad_externa.xml" << QStringLiteral("DTD");
        QTest::newRow("anidado") << "anidado.xml" << QStringLiteral("anidamiento excesivo");
        QTest::newRow("número de 400 dígitos")
            << "numero_enorme.xml" << valor + QStringLiteral(" (Cantidad)");
        QTest::newRow("exponente") << "numero_con_exponente.xml"
                                   << valor + QStringLiteral(" (ValorUnitario)");
        QTest::newRow("cantidad negativa")
            << "cantidad_negativa.xml" << valor + QStringLiteral(" (Cantidad)");
        QTest::newRow("sin timbre") << "sin_timbre.xml" << QStringLiteral("no está timbrado");
        QTest::newRow("truncado") << "truncado.xml" << QStringLiteral("el XML está dañado");
        QTest::newRow("raíz equivocada") << "raiz_equivocada.xml" << QStringLiteral("versión 4.0 o 3.3");
        QTest::newRow("versión 3.2") << "version_32.xml" << QStringLiteral("versión 4.0 o 3.3");
        QTest::newRow("no es XML") << "no_es_xml.xml" << QStringLiteral("no es un documento XML");
        QTest::newRow("RFC con comillas") << "rfc_con_comillas.xml" << QStringLiteral("RFC válido");
        QTest::newRow("no existe") << "no_existe.xml" << QStringLiteral("No se pudo leer el archivo");
    }
    void cfdiDelCorpus() {
        QFETCH(QString, archivo);
        QFETCH(QString, motivo);
        const TlecturaCfdi r = u_leeCfdiArchivo(kCorpus + QStringLiteral("/cfdi/") + archivo);
        QVERIFY2(r.error.contains(motivo), qPrintable(r.error));
        QVERIFY(r.cfdi.conceptos.isEmpty());
        QVERIFY(r.cfdi.uuid.isEmpty());
    }
    // Past the size limit: refused before it is parsed.
    void cfdiDemasiadoGrande() {
        const QString ruta = uCarpeta.filePath(QStringLiteral("grande.xml"));
        escribe(ruta, QByteArray(int(lectorCfdi::kTamanoMaximo) + 1, ' '));
        QVERIFY2(u_leeCfdiArchivo(ruta).error.contains(QStringLiteral("excede 8 MB")),
                 qPrintable(u_leeCfdiArchivo(ruta).error));
    }

    void libroDelCorpus_data() {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QString>("motivo");
        const QString limites = QStringLiteral("fuera de los límites de Excel");
        const QString xml = QStringLiteral("no es un XML válido");
        QTest::newRow("fila de diez dígitos") << "fila_demasiado_grande" << limites;
        QTest::newRow("siete letras") << "columna_de_siete_letras" << limites;
        QTest::newRow("ZZZZZZZ1") << "columna_zzzzzzz" << limites;
        QTest::newRow("pasada de XFD") << "columna_pasada_de_xfd" << limites;
        QTest::newRow("fila 1048577") << "fila_pasada_del_limite" << limites;
        QTest::newRow("referencia con signo") << "referencia_con_signo" << limites;
        QTest::newRow("xml roto") << "xml_roto" << xml;
        QTest::newRow("hoja cortada") << "hoja_cortada" << xml;
        QTest::newRow("textos compartidos rotos") << "textos_compartidos_rotos" << xml;
        QTest::newRow("entidades en cadena") << "entidades_en_cadena" << xml;
        QTest::newRow("sin textos compartidos") << "sin_textos_compartidos"
                                                << "falta su parte «xl/sharedStrings.xml»";
        QTest::newRow("texto compartido inexistente") << "texto_compartido_inexistente"
                                                      << "que no existe";
        QTest::newRow("hoja anunciada que falta") << "hoja_anunciada_que_falta"
                                                  << "falta la hoja «Propiedades»";
        QTest::newRow("sin hojas") << "sin_hojas"
                                   << "no tiene hojas";
        QTest::newRow("celdas dispersas") << "celdas_dispersas"
                                          << "demasiado grande";
    }
    void libroDelCorpus() {
        QFETCH(QString, caso);
        QFETCH(QString, motivo);
        QVERIFY(QFileInfo(kCorpus + QStringLiteral("/libros/") + caso).isDir());
        const QString ruta = uCarpeta.filePath(caso + QStringLiteral(".xlsx"));
        QVERIFY(escribeZip(ruta, partesDelCaso(caso)));
        esperaRechazoLibro(ruta, motivo);
    }

    // The category import's own hostile workbooks, refused by the reader beneath it already.
    void libroDeLaImportacion_data() {
        QTest::addColumn<QString>("archivo");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("bomba") << "bomba.xlsx"
                               << "desproporcionada";
        QTest::newRow("cadena inexistente") << "cadena_inexistente.xlsx"
                                            << "que no existe";
        QTest::newRow("hoja faltante") << "hoja_faltante.xlsx"
                                       << "falta la hoja";
        QTest::newRow("hoja truncada") << "hoja_truncada.xlsx"
                                       << "no es un XML válido";
        QTest::newRow("referencia inválida") << "referencia_invalida.xlsx"
                                             << "fuera de los límites de Excel";
        QTest::newRow("sin relaciones") << "sin_relaciones.xlsx"
                                        << "no es un libro de Excel";
    }
    void libroDeLaImportacion() {
        QFETCH(QString, archivo);
        QFETCH(QString, motivo);
        esperaRechazoLibro(kCorpus + QStringLiteral("/importacion/") + archivo, motivo);
    }

    // Damage to the archive itself.
    void libroGenerado_data() {
        QTest::addColumn<QList<Tparte>>("partes");
        QTest::addColumn<QString>("motivo");
        const QByteArray ceros(5 * 1024 * 1024, '0');
        QTest::newRow("bomba: parte de 40 MB")
            << conHoja(QByteArray(40 * 1024 * 1024, ' ')) << "desproporcionada";
        QTest::newRow("bomba: razón de compresión")
            << conHoja(hoja("<!--" + ceros + "-->")) << "desproporcionada";
        QTest::newRow("tamaño declarado menor") << conHoja(hoja("<!--" + ceros + "-->"), 1000)
                                                << "no se pudo leer su parte «xl/worksheets/sheet1.xml»";
        QTest::newRow("tamaño declarado mayor")
            << conHoja(hoja("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>"), 900000)
            << "no se pudo leer su parte";
        QTest::newRow("crc equivocado")
            << conHoja(hoja("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>"), -1, 12345)
            << "no se pudo leer su parte";
        QTest::newRow("sin workbook.xml")
            << QList<Tparte>{{QStringLiteral("xl/worksheets/sheet1.xml"), hoja("")}}
            << "no es un libro de Excel";
    }
    void libroGenerado() {
        QFETCH(QList<Tparte>, partes);
        QFETCH(QString, motivo);
        const QString ruta = uCarpeta.filePath(QStringLiteral("generado.xlsx"));
        QFile::remove(ruta);
        QVERIFY(escribeZip(ruta, partes));
        esperaRechazoLibro(ruta, motivo);
    }

    void archivoQueNoEsLibro_data() {
        QTest::addColumn<QByteArray>("contenido");
        QTest::newRow("vacío") << QByteArray();
        QTest::newRow("texto") << QByteArray("clave,descripcion\n1,Herramientas\n");
        const QString completo = uCarpeta.filePath(QStringLiteral("completo.xlsx"));
        QVERIFY(escribeZip(completo, partesDelCaso(QStringLiteral("_base"))));
        const QByteArray zip = contenidoDe(completo);
        QTest::newRow("zip cortado a la mitad") << zip.left(zip.size() / 2);
    }
    void archivoQueNoEsLibro() {
        QFETCH(QByteArray, contenido);
        const QString ruta = uCarpeta.filePath(QStringLiteral("no_libro.xlsx"));
        escribe(ruta, contenido);
        esperaRechazoLibro(ruta, QStringLiteral("no es un libro de Excel"));
    }

    // The base of the corpus is itself a sound workbook: what is refused above is the damage.
    void libroBaseSeLee() {
        const QString ruta = uCarpeta.filePath(QStringLiteral("base.xlsx"));
        QVERIFY(escribeZip(ruta, partesDelCaso(QStringLiteral("_base"))));
        TlectorXlsx libro;
        QVERIFY2(libro.abre(ruta), qPrintable(libro.error()));
        QCOMPARE(libro.hojas(), QStringList{QStringLiteral("Categorías")});
        QCOMPARE(libro.valor(0, QStringLiteral("A1")), QStringLiteral("Herramientas"));
        QVERIFY(libro.celda(0, QStringLiteral("B1")).numerica);
    }

    // Rows and cells may leave out their reference: each follows the one before.
    void referenciasImplicitas() {
        const QString ruta = uCarpeta.filePath(QStringLiteral("implicitas.xlsx"));
        QVERIFY(
            escribeZip(ruta, conHoja(hoja("<row><c><v>1</v></c><c><v>2</v></c></row>"
                                          "<row r=\"4\"><c r=\"C4\"><v>3</v></c><c><v>4</v></c></row>"))));
        TlectorXlsx libro;
        QVERIFY2(libro.abre(ruta), qPrintable(libro.error()));
        QCOMPARE(libro.valor(0, QStringLiteral("B1")), QStringLiteral("2"));
        QCOMPARE(libro.valor(0, QStringLiteral("D4")), QStringLiteral("4"));
    }

    void limitesDeReferencia_data() {
        QTest::addColumn<QString>("referencia");
        QTest::addColumn<int>("fila");
        QTest::addColumn<int>("columna");
        QTest::newRow("última celda") << "XFD1048576" << 1048575 << 16383;
        QTest::newRow("minúsculas") << "b3" << 2 << 1;
        QTest::newRow("XFE") << "XFE1" << -1 << -1;
        QTest::newRow("cuatro letras") << "AAAA1" << -1 << -1;
        QTest::newRow("fila 0") << "A0" << -1 << -1;
        QTest::newRow("cero a la izquierda") << "A01" << -1 << -1;
        QTest::newRow("fila 1048577") << "A1048577" << -1 << -1;
        QTest::newRow("espacio") << "A 1" << -1 << -1;
        QTest::newRow("letra no ASCII") << "Ñ1" << -1 << -1;
    }
    void limitesDeReferencia() {
        QFETCH(QString, referencia);
        QFETCH(int, fila);
        QFETCH(int, columna);
        QCOMPARE(TlectorXlsx::posicion(referencia), qMakePair(fila, columna));
    }
};

QTEST_GUILESS_MAIN(TpruebaHostiles)
#include "tst_hostiles.moc"

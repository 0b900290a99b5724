#pragma once

#include <QString>
#include <QVector>

// The customs catalogues of the declaration dialog: "CAduanas.xml" (customs offices) and
// "CPais.xml" (countries), each a "Catalogo" root whose entries hold two child elements.
// They are data files installed with the program and are read defensively: a file that is too
// big, too deeply nested, carries a DTD or is not well formed gives an error and no entries.
namespace catalogosXml {
inline const QString kCarpeta = QStringLiteral("ArchivosXml");
inline const QString kAduanas = QStringLiteral("CAduanas.xml");
inline const QString kPaises = QStringLiteral("CPais.xml");
// The installed catalogues are a few KB; anything near this is not one of them.
constexpr qint64 kTamanoMaximo = 2 * 1024 * 1024;
// Catalogo > entry > child > (formatting inside a text); a few levels to spare.
constexpr int kProfundidadMaxima = 8;

struct Taduana {
    QString nombre; // shown
    int codigo = -1;
};

struct Tpais {
    QString valor; // stored: first text + ", " + second text
    QString texto; // shown: valor + ", " + second text
};

template <typename T> struct Tlectura {
    QVector<T> elementos;
    QString error; // empty when the file was read
};

// "Par" entries: name and integer code; entries without an integer code are skipped.
Tlectura<Taduana> leeAduanas(const QString &ruta);
// "Datos" entries; an entry whose first text is empty is skipped.
Tlectura<Tpais> leePaises(const QString &ruta);

// The installed data folder: ArchivosXml beside the program, else share/inventario/ArchivosXml
// under the install prefix. Never the current directory: starting the program from a folder
// must not change what it reads.
QString carpetaInstalada();
// Where the catalogues are read from from now on (empty: the installed folder); forgets what
// was read. The tests point it at folders of their own.
void usaCarpeta(const QString &carpeta);
QString rutaCatalogo(const QString &archivo);

// Both catalogues as the dialog shows them, read once per run. A missing or unreadable file is
// told to the user once, as a warning, and gives an empty list.
QVector<Taduana> u_cargaAduanas();
QVector<Tpais> u_cargaPaises();
} // namespace catalogosXml

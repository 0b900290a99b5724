#pragma once

#include <QString>
#include <QVector>

// The customs catalogues of the declaration dialog: "CAduanas.xml" (customs offices) and
// "CPais.xml" (countries), each a "Catalogo" root whose entries hold two child elements.
namespace catalogosXml {
inline const QString kCarpeta = QStringLiteral("ArchivosXml");
inline const QString kAduanas = QStringLiteral("CAduanas.xml");
inline const QString kPaises = QStringLiteral("CPais.xml");

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

// The catalogue in ArchivosXml under the current directory, else beside the program.
QString rutaCatalogo(const QString &archivo);

// Both catalogues as the dialog loads them each time it opens: a missing or unreadable file is
// told to the user as a warning and gives an empty list.
QVector<Taduana> u_cargaAduanas();
QVector<Tpais> u_cargaPaises();
} // namespace catalogosXml

#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

// Reads the cells of an .xlsx workbook (what the suite's exports write and what users bring to
// import): values as text, whether a cell is numeric, and its number format code. A workbook
// it cannot read honestly is refused whole, with the reason: a damaged archive or XML part, a
// missing sheet or shared-strings part, a cell reference beyond the format's limits, or a part
// out of proportion (a zip bomb). No partial sheet is ever returned.
struct TceldaXlsx {
    QString valor;
    bool numerica = false;
    QString formato; // "General" when the cell has none
};

class TlectorXlsx {
public:
    // The format's own limits.
    static constexpr int kMaximoFilas = 1048576;
    static constexpr int kMaximoColumnas = 16384; // XFD
    // What a workbook brought to this program may hold: its parts, uncompressed, and the cells
    // the sheets lay out (gaps included).
    static constexpr qint64 kMaximoParte = 32 * 1024 * 1024;
    static constexpr qint64 kMaximoLibro = 128 * 1024 * 1024;
    static constexpr qint64 kRazonMaxima = 100; // uncompressed / compressed, past the first MB
    static constexpr qint64 kMaximoCeldas = 2000000;

    // False (with error()) when the file is not a readable workbook.
    bool abre(const QString &ruta);
    QString error() const { return uError; }
    QStringList hojas() const { return uNombresHoja; }
    // The cells of a sheet by position: rows and columns from 0, gaps filled with empty cells.
    // Empty when the sheet does not exist.
    QVector<QVector<TceldaXlsx>> hoja(int indice) const { return uHojas.value(indice); }
    // A cell's text ("" outside the sheet); `referencia` in A1 style.
    QString valor(int indiceHoja, const QString &referencia) const;
    TceldaXlsx celda(int indiceHoja, const QString &referencia) const;
    // The merged ranges of a sheet ("B1:C1"), in the order the sheet lists them.
    QStringList combinadas(int indiceHoja) const { return uCombinadas.value(indiceHoja); }

    // "C12" -> (11, 2); (-1, -1) when it is not a reference within the format's limits (at most
    // three letters up to XFD, rows 1 to 1,048,576).
    static QPair<int, int> posicion(const QString &referencia);

private:
    QString uError;
    QStringList uNombresHoja;
    QVector<QVector<QVector<TceldaXlsx>>> uHojas;
    QVector<QStringList> uCombinadas;
};

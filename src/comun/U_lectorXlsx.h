#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

// Reads the cells of an .xlsx workbook (what the suite's exports write and what users bring to
// import): values as text, whether a cell is numeric, and its number format code.
struct TceldaXlsx {
    QString valor;
    bool numerica = false;
    QString formato; // "General" when the cell has none
};

class TlectorXlsx {
public:
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

    // "C12" -> (11, 2); (-1, -1) when it is not a reference.
    static QPair<int, int> posicion(const QString &referencia);

private:
    QString uError;
    QStringList uNombresHoja;
    QVector<QVector<QVector<TceldaXlsx>>> uHojas;
    QVector<QStringList> uCombinadas;
};

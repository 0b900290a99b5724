#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// Reads comma-separated UTF-8 text as spreadsheets write it: fields in double quotes may hold
// commas, line breaks and doubled quotes; a byte-order mark is skipped; CR LF and LF both end a
// record. Malformed text is refused whole, with its record number, never half-read: text that is
// not UTF-8, an unterminated quoted field, text after a closing quote, a record of more than
// kMaximoCampos fields or a field longer than kMaximoLargoCampo characters.
class TlectorCsv {
public:
    static constexpr int kMaximoCampos = 64;
    static constexpr int kMaximoLargoCampo = 4096;

    // False (with error()) when the text cannot be read. Records are kept as read (blank records
    // included, as an empty list), so a record's index + 1 is the row a spreadsheet shows.
    bool lee(const QByteArray &datos);
    QString error() const { return uError; }
    const QVector<QStringList> &filas() const { return uFilas; }

private:
    bool falla(const QString &motivo);

    QVector<QStringList> uFilas;
    QString uError;
};

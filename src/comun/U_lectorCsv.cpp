#include "comun/U_lectorCsv.h"

#include <QStringDecoder>

bool TlectorCsv::falla(const QString &motivo) {
    uError = QStringLiteral("Fila %1: %2").arg(uFilas.size() + 1).arg(motivo);
    uFilas.clear();
    return false;
}

bool TlectorCsv::lee(const QByteArray &datos) {
    uFilas.clear();
    uError.clear();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texto = utf8.decode(datos);
    if (utf8.hasError()) {
        uError = QStringLiteral("el archivo no es texto UTF-8.");
        return false;
    }
    if (texto.startsWith(QChar(0xFEFF)))
        texto.remove(0, 1);

    QStringList fila;
    QString campo;
    bool entreComillas = false;
    bool cerrado = false; // the field's closing quote was read: only a separator may follow
    auto terminaCampo = [&]() {
        fila << campo;
        campo.clear();
        cerrado = false;
        return fila.size() <= kMaximoCampos;
    };
    auto terminaFila = [&]() {
        const bool vacia = fila.size() == 1 && fila.first().isEmpty();
        uFilas << (vacia ? QStringList() : fila);
        fila.clear();
    };
    const qsizetype n = texto.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = texto.at(i);
        if (entreComillas) {
            if (c != QLatin1Char('"'))
                campo += c;
            else if (i + 1 < n && texto.at(i + 1) == QLatin1Char('"'))
                campo += texto.at(++i);
            else {
                entreComillas = false;
                cerrado = true;
            }
        } else if (c == QLatin1Char(',')) {
            if (!terminaCampo())
                return falla(QStringLiteral("tiene más de %1 columnas.").arg(kMaximoCampos));
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < n && texto.at(i + 1) == QLatin1Char('\n'))
                ++i;
            if (!terminaCampo())
                return falla(QStringLiteral("tiene más de %1 columnas.").arg(kMaximoCampos));
            terminaFila();
        } else if (cerrado && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
            continue; // blanks between the closing quote and the separator
        } else if (cerrado) {
            return falla(QStringLiteral("hay texto después de las comillas que cierran un campo."));
        } else if (c == QLatin1Char('"') && campo.trimmed().isEmpty()) {
            campo.clear();
            entreComillas = true;
        } else {
            campo += c;
        }
        if (campo.size() > kMaximoLargoCampo)
            return falla(QStringLiteral("un campo pasa de %1 caracteres.").arg(kMaximoLargoCampo));
    }
    if (entreComillas)
        return falla(QStringLiteral("un campo entre comillas no se cierra."));
    if (!campo.isEmpty() || !fila.isEmpty() || cerrado) {
        if (!terminaCampo())
            return falla(QStringLiteral("tiene más de %1 columnas.").arg(kMaximoCampos));
        terminaFila();
    }
    return true;
}

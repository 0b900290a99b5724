#include "comun/U_escritorXlsx.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryDir>
#include <functional>
#include <xlsxwriter.h>

namespace {
constexpr int kFilaTitulo = 0;
constexpr int kFilaSubtitulo = 1;
constexpr int kFilaCabeceras = 3;
constexpr int kMaximoTextoCelda = 32767; // Excel's limit per cell

// Money as the grids show it, or a plain number with its sign.
bool leeMoneda(const QString &texto, double *valor) {
    static const QRegularExpression kMoneda(
        QStringLiteral("^(-?)\\$\\s?(\\d{1,3}(,\\d{3})*|\\d+)(\\.\\d+)?$"));
    const QRegularExpressionMatch m = kMoneda.match(texto.trimmed());
    if (!m.hasMatch())
        return false;
    bool ok = false;
    const QString cifra =
        texto.trimmed().remove(QLatin1Char('$')).remove(QLatin1Char(',')).remove(QLatin1Char(' '));
    *valor = cifra.toDouble(&ok);
    return ok;
}

// A number worth summing: no leading zeros (keys keep them), at most 12 integer digits (longer
// digit runs are barcodes or folios).
bool leeNumero(const QString &texto, double *valor) {
    static const QRegularExpression kNumero(QStringLiteral("^-?(0|[1-9]\\d{0,11})(\\.\\d+)?$"));
    if (!kNumero.match(texto.trimmed()).hasMatch())
        return false;
    bool ok = false;
    *valor = texto.trimmed().toDouble(&ok);
    return ok;
}

int tipoCelda(const RECexportar &datos, int columna, const QString &texto, double *valor) {
    const int tipo = columna < datos.tipos.size() ? datos.tipos[columna] : kCeldaAutomatica;
    switch (tipo) {
    case kCeldaTexto:
        return kCeldaTexto;
    case kCeldaMoneda:
        return leeMoneda(texto, valor) || leeNumero(texto, valor) ? kCeldaMoneda : kCeldaTexto;
    case kCeldaNumero:
        return leeNumero(texto, valor) ? kCeldaNumero : kCeldaTexto;
    default:
        if (leeMoneda(texto, valor))
            return kCeldaMoneda;
        return leeNumero(texto, valor) ? kCeldaNumero : kCeldaTexto;
    }
}

// Sheet names: at most 31 characters, none of []:*?/\ .
QString nombreHoja(const QString &titulo) {
    QString nombre = titulo;
    nombre.remove(QRegularExpression(QStringLiteral("[\\[\\]:*?/\\\\]")));
    nombre = nombre.trimmed().left(31);
    return nombre.isEmpty() ? QStringLiteral("Hoja1") : nombre;
}

QByteArray utf8(const QString &texto) {
    return texto.left(kMaximoTextoCelda).toUtf8();
}

lxw_format *formato(lxw_workbook *libro, bool negrita, double tamano, quint32 color = 0, quint32 fondo = 0) {
    lxw_format *f = workbook_add_format(libro);
    if (negrita)
        format_set_bold(f);
    if (tamano > 0)
        format_set_font_size(f, tamano);
    if (color)
        format_set_font_color(f, color);
    if (fondo) {
        format_set_bg_color(f, fondo);
        format_set_pattern(f, LXW_PATTERN_SOLID);
    }
    return f;
}

bool cierra(lxw_workbook *libro, QString *error) {
    const lxw_error r = workbook_close(libro);
    if (r != LXW_NO_ERROR) {
        *error = QString::fromUtf8(lxw_strerror(r));
        return false;
    }
    return true;
}

bool escribe(const QString &ruta, const RECexportar &datos, const QString &subtitulo, QString *error) {
    lxw_workbook *libro = workbook_new(QFile::encodeName(ruta).constData());
    if (!libro) {
        *error = QStringLiteral("No se pudo crear el libro.");
        return false;
    }
    const QByteArray hojaNombre = utf8(nombreHoja(datos.titulo));
    lxw_worksheet *hoja = workbook_add_worksheet(libro, hojaNombre.constData());
    lxw_format *fTitulo = formato(libro, true, 14);
    lxw_format *fSubtitulo = formato(libro, false, 9, 0x555555);
    lxw_format *fCabecera = formato(libro, true, 0, 0xFFFFFF, 0x2B3A4A);
    lxw_format *fMoneda = workbook_add_format(libro);
    format_set_num_format(fMoneda, kFormatoMonedaXlsx.toUtf8().constData());

    worksheet_write_string(hoja, kFilaTitulo, 0, utf8(datos.titulo).constData(), fTitulo);
    if (!subtitulo.isEmpty())
        worksheet_write_string(hoja, kFilaSubtitulo, 0, utf8(subtitulo).constData(), fSubtitulo);

    QVector<int> anchos(datos.cabeceras.size());
    for (int c = 0; c < datos.cabeceras.size(); ++c) {
        worksheet_write_string(hoja, kFilaCabeceras, lxw_col_t(c), utf8(datos.cabeceras[c]).constData(),
                               fCabecera);
        anchos[c] = int(datos.cabeceras[c].size());
    }
    for (int f = 0; f < datos.celdas.size(); ++f) {
        const lxw_row_t fila = lxw_row_t(kFilaCabeceras + 1 + f);
        const QStringList &celdas = datos.celdas[f];
        for (int c = 0; c < celdas.size() && c < datos.cabeceras.size(); ++c) {
            double valor = 0;
            const int tipo = tipoCelda(datos, c, celdas[c], &valor);
            if (tipo == kCeldaTexto)
                worksheet_write_string(hoja, fila, lxw_col_t(c), utf8(celdas[c]).constData(), nullptr);
            else
                worksheet_write_number(hoja, fila, lxw_col_t(c), valor,
                                       tipo == kCeldaMoneda ? fMoneda : nullptr);
            anchos[c] = qMax(anchos[c], int(celdas[c].size()));
        }
    }
    for (int c = 0; c < anchos.size(); ++c)
        worksheet_set_column(hoja, lxw_col_t(c), lxw_col_t(c), qBound(8, anchos[c] + 2, 60), nullptr);
    if (!datos.cabeceras.isEmpty()) {
        worksheet_freeze_panes(hoja, kFilaCabeceras + 1, 0);
        worksheet_autofilter(hoja, kFilaCabeceras, 0, lxw_row_t(kFilaCabeceras + datos.celdas.size()),
                             lxw_col_t(datos.cabeceras.size() - 1));
    }
    return cierra(libro, error);
}

bool escribeHoja(const QString &ruta, const ThojaXlsx &datos, QString *error) {
    lxw_workbook *libro = workbook_new(QFile::encodeName(ruta).constData());
    if (!libro) {
        *error = QStringLiteral("No se pudo crear el libro.");
        return false;
    }
    lxw_worksheet *hoja = workbook_add_worksheet(libro, utf8(nombreHoja(datos.nombre)).constData());
    for (int c = 0; c < datos.anchos.size(); ++c)
        worksheet_set_column(hoja, lxw_col_t(c), lxw_col_t(c), datos.anchos[c], nullptr);
    // One format per distinct look: libxlsxwriter keeps every format added until the close.
    QHash<QString, lxw_format *> formatos;
    for (const TceldaHojaXlsx &celda : datos.celdas) {
        const QString clave =
            QStringLiteral("%1|%2|%3").arg(celda.formato).arg(celda.negrita).arg(celda.tamano);
        lxw_format *f = formatos.value(clave);
        if (!f) {
            f = formato(libro, celda.negrita, celda.tamano);
            if (!celda.formato.isEmpty())
                format_set_num_format(f, celda.formato.toUtf8().constData());
            formatos.insert(clave, f);
        }
        const lxw_row_t fila = lxw_row_t(celda.fila);
        const lxw_col_t columna = lxw_col_t(celda.columna);
        const bool numero = celda.valor.typeId() == QMetaType::Double;
        if (celda.columnaFinal > celda.columna)
            worksheet_merge_range(hoja, fila, columna, fila, lxw_col_t(celda.columnaFinal), "", f);
        if (numero)
            worksheet_write_number(hoja, fila, columna, celda.valor.toDouble(), f);
        else
            worksheet_write_string(hoja, fila, columna, utf8(celda.valor.toString()).constData(), f);
    }
    return cierra(libro, error);
}

// Runs the writer on a file aside, then moves the result into place whole.
bool escribeAparte(const QString &ruta, QString *error,
                   const std::function<bool(const QString &, QString *)> &escritor) {
    QString sinUso;
    if (!error)
        error = &sinUso;
    QTemporaryDir temporal;
    const QString borrador = temporal.filePath(QStringLiteral("libro.xlsx"));
    if (!temporal.isValid() || !escritor(borrador, error))
        return false;
    QFile origen(borrador);
    QSaveFile destino(ruta);
    if (!origen.open(QIODevice::ReadOnly) || !destino.open(QIODevice::WriteOnly) ||
        destino.write(origen.readAll()) != origen.size() || !destino.commit()) {
        *error = destino.errorString();
        return false;
    }
    return true;
}
} // namespace

bool u_escribeXlsx(const QString &ruta, const RECexportar &datos, const QString &subtitulo, QString *error) {
    return escribeAparte(ruta, error, [&](const QString &borrador, QString *e) {
        return escribe(borrador, datos, subtitulo, e);
    });
}

bool u_escribeHojaXlsx(const QString &ruta, const ThojaXlsx &hoja, QString *error) {
    return escribeAparte(ruta, error,
                         [&](const QString &borrador, QString *e) { return escribeHoja(borrador, hoja, e); });
}

#pragma once

// What the report screens' tests share: save dialogs that answer a path in a temporary folder,
// and readers of what was written (the header a PDF prints over a figure, a workbook's cell under
// a header).

#include "comun/U_archivosSalida.h"
#include "comun/U_lectorXlsx.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>

struct TarchivosPrueba {
    TarchivosPrueba() {
        u_instalaDialogoGuardar([this](const QString &propuesto, const QString &) {
            propuestos << propuesto;
            escritos << carpeta.filePath(propuesto);
            QFile::remove(escritos.last());
            return escritos.last();
        });
        u_instalaAbridorArchivo([](const QString &) {});
    }
    ~TarchivosPrueba() {
        u_instalaDialogoGuardar({});
        u_instalaAbridorArchivo({});
    }
    QTemporaryDir carpeta;
    QStringList propuestos;
    QStringList escritos;
};

// A word of a PDF and its box, as pdftotext -bbox reads them.
struct TpalabraPDF {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    QString texto;
};

inline QVector<TpalabraPDF> u_palabrasPDF(const QString &ruta) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), ruta, QStringLiteral("-")});
    p.waitForFinished(30000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression kPalabra(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QVector<TpalabraPDF> palabras;
    for (auto it = kPalabra.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QString texto = m.captured(5);
        texto.replace(QStringLiteral("&quot;"), QStringLiteral("\""))
            .replace(QStringLiteral("&lt;"), QStringLiteral("<"));
        texto.replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        palabras.append({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                         m.captured(4).toDouble(), texto});
    }
    return palabras;
}

// The header a PDF table prints over a figure: "<column index> <header text>". The headers are
// the words level with `primeraCabecera` (pieces of a wrapped header stacked over each other
// joined, words a blank apart joined with a blank); the figure is the word `cifra` level with the
// first word `ancla` (its row). Empty when a word is missing.
inline QString u_cabeceraSobre(const QVector<TpalabraPDF> &palabras, const QString &primeraCabecera,
                               const QString &ancla, const QString &cifra) {
    const auto busca = [&](const QString &texto, const TpalabraPDF *nivel) -> const TpalabraPDF * {
        for (const TpalabraPDF &w : palabras)
            if (w.texto == texto && (!nivel || qAbs(w.y0 - nivel->y0) < 2))
                return &w;
        return nullptr;
    };
    const TpalabraPDF *primera = busca(primeraCabecera, nullptr);
    const TpalabraPDF *fila = primera ? busca(ancla, nullptr) : nullptr;
    const TpalabraPDF *figura = fila ? busca(cifra, fila) : nullptr;
    if (!figura)
        return {};
    struct Tcolumna {
        double x0, x1;
        QVector<TpalabraPDF> piezas;
    };
    QVector<Tcolumna> columnas;
    for (const TpalabraPDF &w : palabras) {
        if (qAbs((w.y0 + w.y1) / 2 - (primera->y0 + primera->y1) / 2) > 8 || w.y0 > figura->y0)
            continue;
        auto junta = std::find_if(columnas.begin(), columnas.end(), [&](const Tcolumna &c) {
            return w.x0 < c.x1 + 4 && w.x1 > c.x0 - 4 &&
                   !(w.texto == primeraCabecera || c.piezas.first().texto == primeraCabecera);
        });
        if (junta == columnas.end()) {
            columnas.append({w.x0, w.x1, {w}});
            continue;
        }
        junta->x0 = qMin(junta->x0, w.x0);
        junta->x1 = qMax(junta->x1, w.x1);
        junta->piezas.append(w);
    }
    std::sort(columnas.begin(), columnas.end(),
              [](const Tcolumna &a, const Tcolumna &b) { return a.x0 < b.x0; });
    int mejor = -1;
    double distancia = 1e9;
    for (int i = 0; i < columnas.size(); ++i) {
        const double d = qAbs((columnas[i].x0 + columnas[i].x1) - (figura->x0 + figura->x1));
        if (d < distancia) {
            distancia = d;
            mejor = i;
        }
    }
    // Pieces top to bottom; those of one line left to right, a blank apart.
    QVector<TpalabraPDF> piezas = columnas[mejor].piezas;
    std::sort(piezas.begin(), piezas.end(), [](const TpalabraPDF &a, const TpalabraPDF &b) {
        return qAbs(a.y0 - b.y0) > 2 ? a.y0 < b.y0 : a.x0 < b.x0;
    });
    QString texto = piezas.first().texto;
    for (int i = 1; i < piezas.size(); ++i)
        texto +=
            (qAbs(piezas[i].y0 - piezas[i - 1].y0) < 2 ? QStringLiteral(" ") : QString()) + piezas[i].texto;
    return QString::number(mejor) + QLatin1Char(' ') + texto;
}

// The cell of a workbook's first sheet in the column headed `cabecera` (its n-th occurrence on
// the header row) and the first row below whose first cells hold `clave`.
inline TceldaXlsx u_celdaBajo(const TlectorXlsx &libro, const QString &cabecera, const QString &clave,
                              int ocurrencia = 0) {
    const auto filas = libro.hoja(0);
    for (int f = 0; f < filas.size(); ++f) {
        int columna = -1;
        for (int c = 0, vistas = 0; c < filas[f].size() && columna < 0; ++c)
            if (filas[f][c].valor == cabecera && vistas++ == ocurrencia)
                columna = c;
        if (columna < 0)
            continue;
        for (int g = f + 1; g < filas.size(); ++g)
            for (const TceldaXlsx &celda : filas[g])
                if (celda.valor == clave && columna < filas[g].size())
                    return filas[g][columna];
        return {};
    }
    return {};
}

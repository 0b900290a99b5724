#include "comun/U_disenoTabla.h"

#include "comun/U_utilerias.h"

#include <QRegularExpression>

namespace {
constexpr double kHolgura = 0.01; // points: below this a difference is rounding
// A fitted piece keeps this share of the width free: fonts hint, the arithmetic is linear.
constexpr double kMargenAjuste = 0.985;
// Longer runs of digits are not a figure but pasted text: they wrap at their spaces.
constexpr int kLargoIndivisible = 40;

QStringList parrafos(const QString &texto) {
    return texto.split(QLatin1Char('\n'));
}

QStringList palabras(const QString &parrafo) {
    return parrafo.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QStringList palabrasDe(const QString &texto) {
    QStringList todas;
    for (const QString &p : parrafos(texto))
        todas += palabras(p);
    return todas;
}

double masAncha(const QStringList &piezas, double puntos, bool negrita, const TmedidorTexto &m) {
    double ancho = 0;
    for (const QString &p : piezas)
        ancho = qMax(ancho, m.ancho(p, puntos, negrita));
    return ancho;
}

// Cuts a word into lines no wider than the width (at least one character each, a surrogate pair
// never split).
QStringList cortaPalabra(const QString &palabra, double ancho, double puntos, bool negrita,
                         const TmedidorTexto &m) {
    QStringList lineas;
    QString linea;
    for (int i = 0; i < palabra.size(); ++i) {
        const int largo = palabra[i].isHighSurrogate() && i + 1 < palabra.size() ? 2 : 1;
        const QString letra = palabra.mid(i, largo);
        if (!linea.isEmpty() && m.ancho(linea + letra, puntos, negrita) > ancho) {
            lineas.append(linea);
            linea.clear();
        }
        linea += letra;
        i += largo - 1;
    }
    lineas.append(linea);
    return lineas;
}

// What one column needs, measured at the nominal sizes.
struct Tnecesidad {
    double cifra = 0;        // widest figure of its cells
    double palabra = 0;      // widest word of its text cells
    double cabecera = 0;     // widest word of its header
    bool soloCifras = false; // money, or every filled cell a figure: it never lends width first
    double cuerpo() const { return qMax(cifra, palabra); }
};

QVector<Tnecesidad> necesidades(const cTabla &tabla, const TtipografiaTabla &t, const TmedidorTexto &m) {
    const auto &cabeceras = tabla.cabeceras();
    QVector<Tnecesidad> n(cabeceras.size());
    QVector<int> llenas(cabeceras.size(), 0), figuras(cabeceras.size(), 0);
    for (const QStringList &fila : tabla.filas()) {
        if (u_esFilaSeparador(fila))
            continue;
        for (int c = 0; c < cabeceras.size(); ++c) {
            const QString texto = u_textoCeldaReporte(cabeceras[c], fila.value(c));
            if (texto.trimmed().isEmpty())
                continue;
            ++llenas[c];
            if (u_esTextoIndivisible(texto)) {
                ++figuras[c];
                n[c].cifra = qMax(n[c].cifra, m.ancho(texto.trimmed(), t.cuerpo, false));
            } else {
                n[c].palabra = qMax(n[c].palabra, masAncha(palabrasDe(texto), t.cuerpo, false, m));
            }
        }
    }
    for (int c = 0; c < cabeceras.size(); ++c) {
        n[c].cabecera = masAncha(palabrasDe(cabeceras[c].texto), t.cabecera, true, m);
        n[c].soloCifras = cabeceras[c].tipo == kContenidoMoneda || (llenas[c] > 0 && figuras[c] == llenas[c]);
    }
    return n;
}

// The size at which a piece measured `ancho` at `nominal` fits the room, not below the minimum.
double tamanoQueCabe(double nominal, double ancho, double espacio, double minimo) {
    if (ancho <= 0 || ancho <= espacio)
        return nominal;
    return qMin(nominal, qMax(minimo, nominal * kMargenAjuste * espacio / ancho));
}

// Grows every column short of its requirement with width from the others' room to spare: first
// from the text columns, in proportion to their widths, then from any column. The width still
// missing when nobody has room left.
double reparte(QVector<double> &anchos, const QVector<double> &requerido,
               const QVector<bool> &prestaPrimero) {
    double falta = 0;
    for (int i = 0; i < anchos.size(); ++i) {
        if (requerido[i] > anchos[i]) {
            falta += requerido[i] - anchos[i];
            anchos[i] = requerido[i];
        }
    }
    for (const bool soloPrimeros : {true, false}) {
        // Each round either covers the rest or exhausts a lender: at most one round per column.
        for (int ronda = 0; ronda <= anchos.size() && falta > kHolgura; ++ronda) {
            double base = 0;
            for (int j = 0; j < anchos.size(); ++j)
                if ((!soloPrimeros || prestaPrimero[j]) && anchos[j] - requerido[j] > kHolgura)
                    base += anchos[j];
            if (base <= 0)
                break;
            double tomado = 0;
            for (int j = 0; j < anchos.size(); ++j) {
                if ((soloPrimeros && !prestaPrimero[j]) || anchos[j] - requerido[j] <= kHolgura)
                    continue;
                const double parte = qMin(anchos[j] - requerido[j], falta * anchos[j] / base);
                anchos[j] -= parte;
                tomado += parte;
            }
            falta -= tomado;
        }
    }
    return falta > kHolgura ? falta : 0.0;
}
} // namespace

QString u_textoCeldaReporte(const TcabeceraTabla &cabecera, const QString &texto) {
    if (cabecera.tipo != kContenidoMoneda)
        return texto;
    bool ok = false;
    const double valor = texto.trimmed().toDouble(&ok);
    return ok ? u_formatoMoneda(valor) : texto;
}

bool u_esTextoIndivisible(const QString &texto) {
    static const QRegularExpression figura(QStringLiteral("^[-+$#%() ,.:/]*\\d[-+$#%()\\d ,.:/]*$"));
    const QString t = texto.trimmed();
    return t.size() <= kLargoIndivisible && figura.match(t).hasMatch();
}

bool u_esFilaSeparador(const QStringList &fila) {
    static const QRegularExpression raya(QStringLiteral("^(-{3,}|_{3,}|={3,}|—{2,})$"));
    bool hayRaya = false;
    for (const QString &celda : fila) {
        const QString t = celda.trimmed();
        if (t.isEmpty())
            continue;
        if (!raya.match(t).hasMatch())
            return false;
        hayRaya = true;
    }
    return hayRaya;
}

QStringList u_lineasTexto(const QString &texto, double ancho, double puntos, bool negrita,
                          const TmedidorTexto &m, bool cortaPalabras) {
    if (u_esTextoIndivisible(texto))
        return {texto.trimmed()};
    QStringList lineas;
    for (const QString &parrafo : parrafos(texto)) {
        QString linea;
        for (const QString &palabra : palabras(parrafo)) {
            if (cortaPalabras && m.ancho(palabra, puntos, negrita) > ancho) {
                // A cut word starts a line of its own; its last piece may take the next words.
                if (!linea.isEmpty())
                    lineas.append(linea);
                QStringList trozos = cortaPalabra(palabra, ancho, puntos, negrita, m);
                linea = trozos.takeLast();
                lineas += trozos;
                continue;
            }
            const QString junto = linea.isEmpty() ? palabra : linea + QLatin1Char(' ') + palabra;
            if (!linea.isEmpty() && m.ancho(junto, puntos, negrita) > ancho) {
                lineas.append(linea);
                linea = palabra;
            } else {
                linea = junto;
            }
        }
        lineas.append(linea);
    }
    return lineas;
}

TdisenoTabla u_disenaTabla(const cTabla &tabla, double anchoPagina, const TtipografiaTabla &t,
                           const TmedidorTexto &m) {
    const auto &cabeceras = tabla.cabeceras();
    const int n = int(cabeceras.size());
    TdisenoTabla diseno;
    if (n == 0)
        return diseno;
    const QVector<Tnecesidad> necesidad = necesidades(tabla, t, m);
    const double total = tabla.anchoTotal();
    QVector<double> inicial(n);
    for (int i = 0; i < n; ++i)
        inicial[i] = total > 0 ? anchoPagina * qMax(0, cabeceras[i].ancho) / total : anchoPagina / n;

    // Shrink first: each column's font to its widest piece, its header's to its widest word.
    diseno.columnas.resize(n);
    QVector<bool> prestaPrimero(n);
    QVector<double> completo(n), fijo(n);
    for (int i = 0; i < n; ++i) {
        TcolumnaDiseno &c = diseno.columnas[i];
        const Tnecesidad &e = necesidad[i];
        const double espacio = inicial[i] - 2 * t.relleno;
        c.puntos = tamanoQueCabe(t.cuerpo, e.cuerpo(), espacio, t.minimo);
        c.puntosCabecera = tamanoQueCabe(t.cabecera, e.cabecera, espacio, t.minimo);
        // What never breaks (figures and header words) and what breaks only as a last resort.
        fijo[i] =
            2 * t.relleno + qMax(e.cabecera * c.puntosCabecera / t.cabecera, e.cifra * c.puntos / t.cuerpo);
        completo[i] = qMax(fijo[i], 2 * t.relleno + e.palabra * c.puntos / t.cuerpo);
        prestaPrimero[i] = !e.soloCifras;
    }

    // Then widen. When everything cannot fit, text columns give up first their long words beyond
    // their starting width, then all their words; figures and header words never break.
    QVector<double> limitado(n);
    for (int i = 0; i < n; ++i)
        limitado[i] = qMin(completo[i], qMax(inicial[i], fijo[i]));
    QVector<double> anchos;
    bool cabe = false;
    for (const QVector<double> *requerido : {&completo, &limitado, &fijo}) {
        anchos = inicial;
        if (reparte(anchos, *requerido, prestaPrimero) <= 0) {
            cabe = true;
            diseno.holgado = requerido == &completo;
            break;
        }
    }
    if (!cabe) {
        // Even the figures and headers alone are wider than the page: their type shrinks alike,
        // the padding stays.
        diseno.holgado = false;
        double contenido = 0;
        for (double r : fijo)
            contenido += r - 2 * t.relleno;
        const double factor = contenido > 0 ? qMax(0.0, anchoPagina - 2 * t.relleno * n) / contenido : 1.0;
        for (int i = 0; i < n; ++i) {
            anchos[i] = 2 * t.relleno + (fijo[i] - 2 * t.relleno) * factor;
            diseno.columnas[i].puntos *= factor;
            diseno.columnas[i].puntosCabecera *= factor;
        }
    }

    double x = 0;
    for (int i = 0; i < n; ++i) {
        TcolumnaDiseno &c = diseno.columnas[i];
        c.x = x;
        c.ancho = anchos[i];
        c.cortaPalabras = 2 * t.relleno + necesidad[i].palabra * c.puntos / t.cuerpo > c.ancho + kHolgura;
        x += anchos[i];
    }
    return diseno;
}

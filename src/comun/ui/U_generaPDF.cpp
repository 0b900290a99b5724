#include "comun/ui/U_generaPDF.h"

#include "comun/U_colores.h"
#include "comun/U_utilerias.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextLayout>
#include <QTextOption>

namespace {
constexpr double kMargen = 36.0; // points
constexpr double kRelleno = 3.0; // cell padding
constexpr double kAltoLogo = 64.0;
constexpr double kAltoPie = 22.0;
constexpr int kAnchoApaisado = 700; // width units beyond which the table needs landscape
constexpr int kColumnasApaisado = 8;

QColor color(const TlistaColores &lista, const char *nombre) {
    return QColor::fromRgba(colorOGris(lista, QString::fromLatin1(nombre)));
}

// An image element's file: as given, else beside the program.
QImage imagen(const QString &ruta) {
    if (ruta.isEmpty())
        return {};
    QString archivo = ruta;
    if (QFileInfo(ruta).isRelative() && !QFileInfo::exists(ruta))
        archivo = QDir(QCoreApplication::applicationDirPath()).filePath(ruta);
    return QFileInfo::exists(archivo) ? QImage(archivo) : QImage();
}

// The text a cell prints: money columns format plain numbers.
QString textoCelda(const TcabeceraTabla &cabecera, const QString &texto) {
    if (cabecera.tipo != kContenidoMoneda)
        return texto;
    bool ok = false;
    const double valor = texto.trimmed().toDouble(&ok);
    return ok ? u_formatoMoneda(valor) : texto;
}

Qt::Alignment alineacion(const TcabeceraTabla &cabecera) {
    switch (cabecera.alineacion) {
    case kAlineaCentro:
        return Qt::AlignHCenter;
    case kAlineaDerecha:
        return Qt::AlignRight;
    default:
        return Qt::AlignLeft;
    }
}

// Draws in points on a device of any resolution.
class Tlienzo {
public:
    Tlienzo(QPdfWriter &pdf, const cDescripcion &d)
        : uD(d), uDispositivo(&pdf), uK(pdf.resolution() / 72.0), uColores(getColores()),
          uLogo(imagen(d.elemento(QStringLiteral("logo")))),
          uLogoPie(imagen(d.elemento(QStringLiteral("logoSoft")))) {
        const QRectF pagina = pdf.pageLayout().paintRectPoints();
        uAncho = pagina.width();
        uAlto = pagina.height();
        const double tamano = qBound(6.5, 8.5 * d.escala / 100.0, 8.5);
        uCuerpo = fuente(tamano, false);
        uNegrita = fuente(tamano, true);
        calculaColumnas();
    }

    // The painter draws in points (scaled by uK), so the font's size is given in points of the
    // unscaled device and measured on it.
    QFont fuente(double puntos, bool negrita) const {
        QFont f(uD.fuente);
        f.setStyleHint(QFont::SansSerif);
        f.setPointSizeF(puntos / uK);
        f.setBold(negrita);
        return f;
    }

    // Cells wrap at word boundaries, and inside a word only when it is wider than the cell.
    static QTextOption opcionCelda(Qt::Alignment a) {
        QTextOption o(a);
        o.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        return o;
    }

    // Height in points of the text wrapped in the width.
    double altoTexto(const QFont &f, double ancho, const QString &texto) const {
        QTextLayout diseno(texto, f, uDispositivo);
        diseno.setTextOption(opcionCelda(Qt::AlignLeft));
        double alto = 0;
        diseno.beginLayout();
        for (QTextLine linea = diseno.createLine(); linea.isValid(); linea = diseno.createLine()) {
            linea.setLineWidth(ancho);
            alto += linea.height();
        }
        diseno.endLayout();
        return qMax(alto, QFontMetricsF(f, uDispositivo).height());
    }

    double altoFila(const QStringList &fila, const QFont &f, bool cabecera) const {
        double alto = 0;
        const auto &cabeceras = uD.tabla.cabeceras();
        for (int c = 0; c < cabeceras.size(); ++c) {
            const QString texto = cabecera ? cabeceras[c].texto : textoCelda(cabeceras[c], fila.value(c));
            alto = qMax(alto, altoTexto(f, uColumnas[c].width() - 2 * kRelleno, texto));
        }
        return alto + 2 * kRelleno;
    }

    double altoEncabezado(bool primera) const {
        if (!primera)
            return QFontMetricsF(fuente(11, true), uDispositivo).height() + 10;
        double texto = QFontMetricsF(fuente(16, true), uDispositivo).height() + 4 +
                       QFontMetricsF(fuente(10.5, true), uDispositivo).height();
        texto += 4 * QFontMetricsF(fuente(8.5, false), uDispositivo).height();
        return qMax(texto, uLogo.isNull() ? 0.0 : kAltoLogo) + 14;
    }

    // Rows per page: each page holds the header row and as many rows as fit under its header.
    QVector<QPair<int, int>> pagina() const {
        QVector<QPair<int, int>> paginas;
        const TTabla &filas = uD.tabla.filas();
        const double cabecera = uD.tabla.tieneTitulos() ? altoFila({}, uNegrita, true) : 0.0;
        int inicio = 0;
        while (inicio < filas.size()) {
            const bool primera = paginas.isEmpty();
            const double disponible = uAlto - kAltoPie - altoEncabezado(primera) - cabecera;
            double usado = 0;
            int fin = inicio;
            while (fin < filas.size()) {
                const double alto = altoFila(filas[fin], uCuerpo, false);
                if (fin > inicio && usado + alto > disponible)
                    break;
                usado += alto;
                ++fin;
            }
            paginas.append({inicio, fin});
            inicio = fin;
        }
        return paginas;
    }

    void dibuja(QPainter &p, int numero, int total, QPair<int, int> rango) {
        p.save();
        p.scale(uK, uK);
        double y = dibujaEncabezado(p, numero == 1);
        if (uD.tabla.tieneTitulos())
            y = dibujaFila(p, y, {}, uNegrita, true, false);
        for (int f = rango.first; f < rango.second; ++f)
            y = dibujaFila(p, y, uD.tabla.filas()[f], uCuerpo, false, (f - rango.first) % 2 == 1);
        dibujaPie(p, numero + uD.primeraPagina - 1, total + uD.primeraPagina - 1);
        p.restore();
    }

private:
    void calculaColumnas() {
        const auto &cabeceras = uD.tabla.cabeceras();
        const double total = qMax(1, uD.tabla.anchoTotal());
        double x = 0;
        for (const TcabeceraTabla &c : cabeceras) {
            const double ancho = uAncho * qMax(0, c.ancho) / total;
            uColumnas.append(QRectF(x, 0, ancho, 0));
            x += ancho;
        }
    }

    void texto(QPainter &p, const QRectF &r, const QFont &f, const QColor &c, const QString &t,
               Qt::Alignment a = Qt::AlignLeft | Qt::AlignTop) {
        p.setFont(f);
        p.setPen(c);
        p.drawText(r, int(a) | Qt::TextWordWrap, t);
    }

    double dibujaEncabezado(QPainter &p, bool primera) {
        const QColor oscuro = color(uColores, "tituloFormulario");
        const QColor gris = color(uColores, "textoNormal");
        const QColor acento = color(uColores, "tituloFormulario2");
        const double alto = altoEncabezado(primera);
        if (!primera) {
            texto(p, QRectF(0, 0, uAncho, alto), fuente(11, true), oscuro,
                  uD.titulo + QStringLiteral("  —  ") + uD.elemento(QStringLiteral("-empresa")));
        } else {
            double x = 0;
            if (!uLogo.isNull()) {
                const QSizeF tam =
                    QSizeF(uLogo.size()).scaled(kAltoLogo * 1.6, kAltoLogo, Qt::KeepAspectRatio);
                p.drawImage(QRectF(0, 0, tam.width(), tam.height()), uLogo);
                x = tam.width() + 12;
            }
            const double anchoTexto = uAncho - x;
            double y = 0;
            const QFont titulo = fuente(16, true);
            texto(p, QRectF(x, y, anchoTexto * 0.7, 30), titulo, oscuro, uD.titulo);
            QStringList fechas{QStringLiteral("Fecha: ") + uD.elemento(QStringLiteral("-fecha"))};
            if (!uD.elemento(QStringLiteral("-rangoFechas")).isEmpty())
                fechas.append(uD.elemento(QStringLiteral("-rangoFechas")));
            texto(p, QRectF(x, y, anchoTexto, 40), fuente(8.5, false), gris, fechas.join(QLatin1Char('\n')),
                  Qt::AlignRight | Qt::AlignTop);
            y += QFontMetricsF(titulo, uDispositivo).height() + 4;
            const QFont empresa = fuente(10.5, true);
            texto(p, QRectF(x, y, anchoTexto, 20), empresa, oscuro, uD.elemento(QStringLiteral("-empresa")));
            y += QFontMetricsF(empresa, uDispositivo).height();
            const QFont normal = fuente(8.5, false);
            const double linea = QFontMetricsF(normal, uDispositivo).height();
            const QStringList datos{QStringLiteral("RFC: ") + uD.elemento(QStringLiteral("-rfc")),
                                    uD.elemento(QStringLiteral("-razonsocial")),
                                    uD.elemento(QStringLiteral("-direccion1"))};
            for (const QString &d : datos) {
                texto(p, QRectF(x, y, anchoTexto, linea), normal, gris, d);
                y += linea;
            }
        }
        p.setPen(QPen(acento, 1.2));
        p.drawLine(QPointF(0, alto - 6), QPointF(uAncho, alto - 6));
        return alto;
    }

    double dibujaFila(QPainter &p, double y, const QStringList &fila, const QFont &f, bool cabecera,
                      bool alterna) {
        const double alto = altoFila(fila, f, cabecera);
        const QRectF banda(0, y, uColumnas.isEmpty() ? 0 : uColumnas.last().right(), alto);
        if (cabecera)
            p.fillRect(banda, color(uColores, "menuVerticalInactivoFondo"));
        else if (alterna)
            p.fillRect(banda, color(uColores, "filaAlterna"));
        const auto &cabeceras = uD.tabla.cabeceras();
        const QColor tinta =
            cabecera ? color(uColores, "menuSeleccionadoTexto") : color(uColores, "textoNormal");
        for (int c = 0; c < cabeceras.size(); ++c) {
            const QString t = cabecera ? cabeceras[c].texto : textoCelda(cabeceras[c], fila.value(c));
            const double ancho = uColumnas[c].width() - 2 * kRelleno;
            const double altoT = altoTexto(f, ancho, t);
            const QRectF celda(uColumnas[c].left() + kRelleno, y + (alto - altoT) / 2, ancho, altoT);
            p.setFont(f);
            p.setPen(tinta);
            p.drawText(celda, t, opcionCelda(alineacion(cabeceras[c])));
        }
        p.setPen(QPen(color(uColores, "bordeSuave"), 0.5));
        p.drawLine(banda.bottomLeft(), banda.bottomRight());
        return y + alto;
    }

    void dibujaPie(QPainter &p, int numero, int total) {
        const double y = uAlto - kAltoPie + 6;
        p.setPen(QPen(color(uColores, "bordeSuave"), 0.5));
        p.drawLine(QPointF(0, y - 4), QPointF(uAncho, y - 4));
        double x = 0;
        if (!uLogoPie.isNull()) {
            const QSizeF tam = QSizeF(uLogoPie.size()).scaled(80, kAltoPie - 8, Qt::KeepAspectRatio);
            p.drawImage(QRectF(0, y, tam.width(), tam.height()), uLogoPie);
            x = tam.width() + 8;
        }
        const QFont f = fuente(7.5, false);
        const QColor gris = color(uColores, "textoNormal");
        if (!uD.pie.isEmpty())
            texto(p, QRectF(x, y, uAncho / 2, kAltoPie), f, gris, uD.pie);
        if (!uD.sinNumeroPagina)
            texto(p, QRectF(uAncho / 2, y, uAncho / 2, kAltoPie), f, gris,
                  QStringLiteral("Página %1 de %2").arg(numero).arg(total), Qt::AlignRight | Qt::AlignTop);
    }

    const cDescripcion &uD;
    QPaintDevice *uDispositivo;
    double uK;
    TlistaColores uColores;
    QImage uLogo, uLogoPie;
    double uAncho = 0, uAlto = 0;
    QFont uCuerpo, uNegrita;
    QVector<QRectF> uColumnas;
};
} // namespace

bool generaPDF(const cDescripcion &d, QString *error) {
    QString sinUso;
    if (!error)
        error = &sinUso;
    if (!d.tabla.tieneContenido()) {
        *error = QStringLiteral("No hay elementos que mostrar");
        return false;
    }
    QSaveFile archivo(d.ruta);
    if (!archivo.open(QIODevice::WriteOnly)) {
        *error = archivo.errorString();
        return false;
    }
    {
        QPdfWriter pdf(&archivo);
        pdf.setCreator(d.creador);
        pdf.setTitle(d.titulo);
        pdf.setResolution(600);
        const bool apaisado =
            d.tabla.anchoTotal() > kAnchoApaisado || d.tabla.cabeceras().size() > kColumnasApaisado;
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter),
                                      apaisado ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(kMargen, kMargen, kMargen, kMargen), QPageLayout::Point));
        QPainter p;
        if (!p.begin(&pdf)) {
            *error = QStringLiteral("No se pudo iniciar el documento PDF.");
            archivo.cancelWriting();
            return false;
        }
        Tlienzo lienzo(pdf, d);
        const auto paginas = lienzo.pagina();
        for (int i = 0; i < paginas.size(); ++i) {
            if (i > 0)
                pdf.newPage();
            lienzo.dibuja(p, i + 1, int(paginas.size()), paginas[i]);
        }
        p.end();
    }
    if (!archivo.commit()) {
        *error = archivo.errorString();
        return false;
    }
    return true;
}

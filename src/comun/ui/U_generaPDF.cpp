#include "comun/ui/U_generaPDF.h"

#include "comun/U_colores.h"
#include "comun/U_disenoTabla.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <map>

namespace {
constexpr double kMargen = 36.0; // points
constexpr double kAltoLogo = 64.0;
constexpr double kAltoPie = 22.0;
constexpr double kAltoSeparador = 8.0;
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

QPageLayout paginaCarta(bool apaisado) {
    return QPageLayout(QPageSize(QPageSize::Letter),
                       apaisado ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(kMargen, kMargen, kMargen, kMargen), QPageLayout::Point);
}

// Body and header sizes: the scale shrinks the body (50 = compact), never below 6.5 points.
TtipografiaTabla tipografia(const cDescripcion &d) {
    TtipografiaTabla t;
    t.cuerpo = qBound(6.5, 8.5 * d.escala / 100.0, 8.5);
    t.cabecera = t.cuerpo;
    return t;
}

// Fonts and their measures in points on a device of any resolution. The painter draws in points
// (scaled by the device's dots per point), so a font's size is given in points of the unscaled
// device and measured on it.
class TmedidorPdf : public TmedidorTexto {
public:
    TmedidorPdf(QPaintDevice *dispositivo, QString familia)
        : uDispositivo(dispositivo), uK(dispositivo->logicalDpiY() / 72.0), uFamilia(std::move(familia)) {}

    double escalaDispositivo() const { return uK; }
    QPaintDevice *dispositivo() const { return uDispositivo; }

    QFont fuente(double puntos, bool negrita) const {
        QFont f(uFamilia);
        f.setStyleHint(QFont::SansSerif);
        f.setPointSizeF(puntos / uK);
        f.setBold(negrita);
        return f;
    }
    double ancho(const QString &texto, double puntos, bool negrita) const override {
        return metricas(puntos, negrita).horizontalAdvance(texto);
    }
    double alto(double puntos, bool negrita) const { return metricas(puntos, negrita).height(); }

private:
    const QFontMetricsF &metricas(double puntos, bool negrita) const {
        const std::pair<int, bool> clave{qRound(puntos * 1000), negrita};
        auto it = uMetricas.find(clave);
        if (it == uMetricas.end())
            it = uMetricas.emplace(clave, QFontMetricsF(fuente(puntos, negrita), uDispositivo)).first;
        return it->second;
    }

    QPaintDevice *uDispositivo;
    double uK;
    QString uFamilia;
    mutable std::map<std::pair<int, bool>, QFontMetricsF> uMetricas;
};

// Draws the pages of a report whose table is already laid out.
class Tlienzo {
public:
    Tlienzo(QPdfWriter &pdf, const cDescripcion &d, const TmedidorPdf &medidor, TdisenoTabla diseno)
        : uD(d), uM(medidor), uDispositivo(medidor.dispositivo()), uDiseno(std::move(diseno)),
          uRelleno(tipografia(d).relleno), uColores(getColores()),
          uLogo(imagen(d.elemento(QStringLiteral("logo")))),
          uLogoPie(imagen(d.elemento(QStringLiteral("logoSoft")))) {
        const QRectF pagina = pdf.pageLayout().paintRectPoints();
        uAncho = pagina.width();
        uAlto = pagina.height();
        for (const TcolumnaDiseno &c : uDiseno.columnas)
            uAnchoTabla = qMax(uAnchoTabla, c.x + c.ancho);
    }

    // Rows per page: each page holds the header row and as many rows as fit under its header.
    QVector<QPair<int, int>> pagina() const {
        QVector<QPair<int, int>> paginas;
        const TTabla &filas = uD.tabla.filas();
        const double cabecera = uD.tabla.tieneTitulos() ? altoFila({}, true) : 0.0;
        int inicio = 0;
        while (inicio < filas.size()) {
            const bool primera = paginas.isEmpty();
            const double disponible = uAlto - kAltoPie - altoEncabezado(primera) - cabecera;
            double usado = 0;
            int fin = inicio;
            while (fin < filas.size()) {
                const double alto = altoFila(filas[fin], false);
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
        p.scale(uM.escalaDispositivo(), uM.escalaDispositivo());
        double y = dibujaEncabezado(p, numero == 1);
        if (uD.tabla.tieneTitulos())
            y = dibujaFila(p, y, {}, true, false);
        for (int f = rango.first; f < rango.second; ++f)
            y = dibujaFila(p, y, uD.tabla.filas()[f], false, (f - rango.first) % 2 == 1);
        dibujaPie(p, numero + uD.primeraPagina - 1, total + uD.primeraPagina - 1);
        p.restore();
    }

private:
    QFont fuente(double puntos, bool negrita) const { return uM.fuente(puntos, negrita); }

    double tamano(int columna, bool cabecera) const {
        const TcolumnaDiseno &c = uDiseno.columnas[columna];
        return cabecera ? c.puntosCabecera : c.puntos;
    }

    QString textoColumna(const QStringList &fila, int columna, bool cabecera) const {
        const TcabeceraTabla &c = uD.tabla.cabeceras()[columna];
        return cabecera ? c.texto : u_textoCeldaReporte(c, fila.value(columna));
    }

    // The lines a cell prints in its column: headers wrap at spaces only, as does body text; only
    // a column the layout could not make wide enough for its longest word cuts it.
    QStringList lineas(const QStringList &fila, int columna, bool cabecera) const {
        const TcolumnaDiseno &c = uDiseno.columnas[columna];
        return u_lineasTexto(textoColumna(fila, columna, cabecera), c.ancho - 2 * uRelleno,
                             tamano(columna, cabecera), cabecera, uM, c.cortaPalabras && !cabecera);
    }

    double altoFila(const QStringList &fila, bool cabecera) const {
        if (!cabecera && u_esFilaSeparador(fila))
            return kAltoSeparador;
        double alto = 0;
        for (int c = 0; c < uDiseno.columnas.size(); ++c)
            alto = qMax(alto, lineas(fila, c, cabecera).size() * uM.alto(tamano(c, cabecera), cabecera));
        return alto + 2 * uRelleno;
    }

    double altoEncabezado(bool primera) const {
        if (!primera)
            return QFontMetricsF(fuente(11, true), uDispositivo).height() + 10;
        double texto = QFontMetricsF(fuente(16, true), uDispositivo).height() + 4 +
                       QFontMetricsF(fuente(10.5, true), uDispositivo).height();
        texto += 4 * QFontMetricsF(fuente(8.5, false), uDispositivo).height();
        return qMax(texto, uLogo.isNull() ? 0.0 : kAltoLogo) + 14;
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

    double dibujaFila(QPainter &p, double y, const QStringList &fila, bool cabecera, bool alterna) {
        const double alto = altoFila(fila, cabecera);
        const QRectF banda(0, y, uAnchoTabla, alto);
        if (!cabecera && u_esFilaSeparador(fila)) {
            p.setPen(QPen(color(uColores, "tituloFormulario2"), 0.8));
            p.drawLine(QPointF(0, y + alto / 2), QPointF(uAnchoTabla, y + alto / 2));
            return y + alto;
        }
        if (cabecera)
            p.fillRect(banda, color(uColores, "menuVerticalInactivoFondo"));
        else if (alterna)
            p.fillRect(banda, color(uColores, "filaAlterna"));
        const auto &cabeceras = uD.tabla.cabeceras();
        p.setPen(cabecera ? color(uColores, "menuSeleccionadoTexto") : color(uColores, "textoNormal"));
        for (int c = 0; c < cabeceras.size(); ++c) {
            const TcolumnaDiseno &columna = uDiseno.columnas[c];
            const double linea = uM.alto(tamano(c, cabecera), cabecera);
            const QStringList renglones = lineas(fila, c, cabecera);
            double yLinea = y + (alto - renglones.size() * linea) / 2;
            p.setFont(fuente(tamano(c, cabecera), cabecera));
            for (const QString &r : renglones) {
                const QRectF celda(columna.x + uRelleno, yLinea, columna.ancho - 2 * uRelleno, linea);
                p.drawText(celda, int(alineacion(cabeceras[c]) | Qt::AlignVCenter) | Qt::TextDontClip, r);
                yLinea += linea;
            }
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
    const TmedidorPdf &uM;
    QPaintDevice *uDispositivo;
    const TdisenoTabla uDiseno;
    const double uRelleno;
    TlistaColores uColores;
    QImage uLogo, uLogoPie;
    double uAncho = 0, uAlto = 0, uAnchoTabla = 0;
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
        // Landscape for wide tables: many columns or width units, or a table whose figures and
        // words do not fit the portrait width at readable sizes.
        const TmedidorPdf medidor(&pdf, d.fuente);
        bool apaisado =
            d.tabla.anchoTotal() > kAnchoApaisado || d.tabla.cabeceras().size() > kColumnasApaisado;
        TdisenoTabla diseno =
            u_disenaTabla(d.tabla, paginaCarta(apaisado).paintRectPoints().width(), tipografia(d), medidor);
        if (!apaisado && !diseno.holgado) {
            apaisado = true;
            diseno =
                u_disenaTabla(d.tabla, paginaCarta(true).paintRectPoints().width(), tipografia(d), medidor);
        }
        pdf.setPageLayout(paginaCarta(apaisado));
        QPainter p;
        if (!p.begin(&pdf)) {
            *error = QStringLiteral("No se pudo iniciar el documento PDF.");
            archivo.cancelWriting();
            return false;
        }
        Tlienzo lienzo(pdf, d, medidor, std::move(diseno));
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

#include "comun/ui/U_imagenes.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int kLado = 16;
const QColor kGris(0x90, 0x9A, 0xA4);

QPixmap lienzo() {
    QPixmap p(kLado, kLado);
    p.fill(Qt::transparent);
    return p;
}

QPixmap dibuja(const QString &nombre) {
    QPixmap p = lienzo();
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    if (nombre == QLatin1String("checkIconoBlanco")) {
        g.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath trazo;
        trazo.moveTo(3, 8.5);
        trazo.lineTo(6.5, 12);
        trazo.lineTo(13, 4.5);
        g.drawPath(trazo);
    } else if (nombre == QLatin1String("cursorAbajoGris") || nombre == QLatin1String("cursorArribaGris")) {
        const bool abajo = nombre == QLatin1String("cursorAbajoGris");
        g.setPen(QPen(kGris, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath trazo;
        trazo.moveTo(4, abajo ? 6 : 10);
        trazo.lineTo(8, abajo ? 10 : 6);
        trazo.lineTo(12, abajo ? 6 : 10);
        g.drawPath(trazo);
    } else if (nombre == QLatin1String("Edita")) {
        // A pencil: the edit column of list grids.
        g.setPen(QPen(kGris.darker(130), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        g.setBrush(QColor(0x1E, 0x88, 0xE5));
        QPainterPath lapiz;
        lapiz.moveTo(3, 13);
        lapiz.lineTo(4, 10);
        lapiz.lineTo(11, 3);
        lapiz.lineTo(13, 5);
        lapiz.lineTo(6, 12);
        lapiz.closeSubpath();
        g.drawPath(lapiz);
    } else if (nombre == QLatin1String("Elimina")) {
        // A red cross: the delete column of detail grids.
        g.setPen(QPen(QColor(0xD3, 0x2F, 0x2F), 2.2, Qt::SolidLine, Qt::RoundCap));
        g.drawLine(QPointF(4, 4), QPointF(12, 12));
        g.drawLine(QPointF(12, 4), QPointF(4, 12));
    } else if (nombre == QLatin1String("sinCambio") || nombre == QLatin1String("exclamation") ||
               nombre == QLatin1String("activo")) {
        // Progress of a purchase-order line or order: grey nothing yet, amber partial, green complete.
        const QColor color = nombre == QLatin1String("sinCambio")     ? kGris
                             : nombre == QLatin1String("exclamation") ? QColor(0xF5, 0x9E, 0x0B)
                                                                      : QColor(0x2E, 0x9D, 0x4F);
        g.setPen(Qt::NoPen);
        g.setBrush(color);
        g.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        g.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (nombre == QLatin1String("exclamation")) {
            g.drawLine(QPointF(8, 4.5), QPointF(8, 9));
            g.drawPoint(QPointF(8, 11.5));
        } else if (nombre == QLatin1String("activo")) {
            QPainterPath trazo;
            trazo.moveTo(5, 8.5);
            trazo.lineTo(7.2, 10.7);
            trazo.lineTo(11, 5.8);
            g.drawPath(trazo);
        }
    } else if (nombre == QLatin1String("folder") || nombre == QLatin1String("folderBlue")) {
        // Category tree: a yellow folder holds subcategories, a blue one holds properties.
        const QColor color =
            nombre == QLatin1String("folder") ? QColor(0xF2, 0xB7, 0x3A) : QColor(0x42, 0x8B, 0xCA);
        g.setPen(QPen(color.darker(130), 1));
        g.setBrush(color);
        QPainterPath carpeta;
        carpeta.moveTo(1.5, 3.5);
        carpeta.lineTo(6, 3.5);
        carpeta.lineTo(7.5, 5);
        carpeta.lineTo(14.5, 5);
        carpeta.lineTo(14.5, 13.5);
        carpeta.lineTo(1.5, 13.5);
        carpeta.closeSubpath();
        g.drawPath(carpeta);
    } else if (nombre == QLatin1String("checked") || nombre == QLatin1String("unchecked")) {
        // The selection column of the property dialog.
        g.setPen(QPen(kGris.darker(120), 1.2));
        g.setBrush(Qt::white);
        g.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 2, 2);
        if (nombre == QLatin1String("checked")) {
            g.setPen(QPen(QColor(0x2E, 0x9D, 0x4F), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            QPainterPath trazo;
            trazo.moveTo(4.5, 8);
            trazo.lineTo(7, 10.5);
            trazo.lineTo(11.5, 5);
            g.drawPath(trazo);
        }
    } else if (nombre == QLatin1String("puntoGris")) {
        g.setPen(Qt::NoPen);
        g.setBrush(kGris);
        g.drawEllipse(QPointF(8, 8), 2.5, 2.5);
    } else {
        g.end();
        return {};
    }
    return p;
}
} // namespace

QPixmap mini_cargaImage(const QString &nombre) {
    static QHash<QString, QPixmap> cache;
    auto it = cache.find(nombre);
    if (it == cache.end())
        it = cache.insert(nombre, dibuja(nombre));
    return *it;
}

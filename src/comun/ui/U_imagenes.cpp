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

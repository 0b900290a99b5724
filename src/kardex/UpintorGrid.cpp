#include "kardex/UpintorGrid.h"

#include <QPainter>
#include <QTableView>

TpintorGrid::TpintorGrid(QTableView *grid, Tfondo fondo, Tseparador separador)
    : QStyledItemDelegate(grid), uFondo(std::move(fondo)), uSeparador(std::move(separador)) {
    grid->setItemDelegate(this);
}

void TpintorGrid::paint(QPainter *pintor, const QStyleOptionViewItem &opcion,
                        const QModelIndex &indice) const {
    const QColor fondo = uFondo ? uFondo(indice.row(), indice.column()) : QColor();
    if (fondo.isValid() && !(opcion.state & QStyle::State_Selected))
        pintor->fillRect(opcion.rect, fondo);
    QStyledItemDelegate::paint(pintor, opcion, indice);
    if (uSeparador && uSeparador(indice.row())) {
        pintor->save();
        pintor->setPen(QPen(Qt::black, 2));
        pintor->drawLine(opcion.rect.topLeft(), opcion.rect.topRight());
        pintor->restore();
    }
}

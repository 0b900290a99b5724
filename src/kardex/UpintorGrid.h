#pragma once

#include <QColor>
#include <QStyledItemDelegate>
#include <functional>

class QTableView;

// Paints a grid's cells over a background chosen per cell (tinted column groups, row kinds) and,
// where asked, a dark line over a row (the first row of a movement). Only the painting reads
// these; cell texts stay as they are, so reports and exports never see them.
class TpintorGrid : public QStyledItemDelegate {
public:
    // An invalid colour leaves the cell as the view paints it.
    using Tfondo = std::function<QColor(int fila, int columna)>;
    using Tseparador = std::function<bool(int fila)>;

    // Installs itself on the grid.
    TpintorGrid(QTableView *grid, Tfondo fondo, Tseparador separador = {});
    void paint(QPainter *pintor, const QStyleOptionViewItem &opcion,
               const QModelIndex &indice) const override;

private:
    Tfondo uFondo;
    Tseparador uSeparador;
};

#pragma once

#include <QFrame>
#include <functional>

class QLabel;

// A field the user opens by clicking it, or from the keyboard with Enter or the space bar: a framed
// label (a product, a barcode, an invoice) whose action opens its chooser.
class TmarcoClic : public QFrame {
    Q_OBJECT
public:
    // Takes `etiqueta` in, with the label's parent as its own.
    TmarcoClic(const QString &nombre, QLabel *etiqueta, std::function<void()> accion);

protected:
    void mouseReleaseEvent(QMouseEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;

private:
    std::function<void()> uAccion;
};

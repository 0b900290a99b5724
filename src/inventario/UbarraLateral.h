#pragma once

#include <QFrame>
#include <QLabel>

// One clickable rectangle of the side bar: BTN_x holding IMG_x and LBL_x. The colour and image
// names it shows are kept as properties ("colorFondo", "colorTexto", "imagen") for the theme and
// for anyone checking what the bar shows.
class TentradaLateral : public QFrame {
    Q_OBJECT
public:
    static constexpr int kAltura = 39;

    TentradaLateral(const QString &nombre, const QString &texto, const QString &nombreEtiqueta,
                    QWidget *padre);

    QLabel *etiqueta() const { return uEtiqueta; }
    QLabel *imagen() const { return uImagen; }
    void pinta(quint32 fondo, const QString &nombreFondo, quint32 texto, const QString &nombreTexto);
    void muestraImagen(const QString &nombre);

signals:
    void clic();

protected:
    void mouseReleaseEvent(QMouseEvent *evento) override;

private:
    QLabel *uImagen;
    QLabel *uEtiqueta;
};

// A collapsible group of the side bar: its head and sub-entries, clipped by its height. The
// animations drive the "Height" property.
class TgrupoLateral : public QFrame {
    Q_OBJECT
    Q_PROPERTY(int Height READ altura WRITE setAltura)
public:
    TgrupoLateral(const QString &nombre, QWidget *padre);
    int altura() const { return height(); }
    void setAltura(int valor) { setFixedHeight(valor); }
    void agrega(TentradaLateral *entrada);

protected:
    void resizeEvent(QResizeEvent *evento) override;

private:
    void colocaEntradas();
    QList<TentradaLateral *> uEntradas;
};

#pragma once

#include "comun/UMOD_seleccion.h"
#include "comun/UsistemaDatos.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The category picker: the business's category tree; any node may be chosen.
class TFRM_seleccionarCategoria : public QDialog {
    Q_OBJECT
public:
    explicit TFRM_seleccionarCategoria(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Modal. The record's identity, when given, starts selected; it goes out with the chosen node
    // or with seleccionado false when cancelled.
    void init(TcategoriaSeleccionada &categoria);
    // Opens the picker on the current identity and answers the user's choice.
    static TcategoriaSeleccionada elige(const TsistemaDatos &sistema, QWidget *padre, const QString &actual);
    // Builds the tree and selects the identity without showing the dialog; false when the tree
    // could not be read.
    bool prepara(const QString &identidad);
    const TcategoriaSeleccionada &resultado() const { return uResultado; }
    // The node of an identity, or none.
    QTreeWidgetItem *nodo(const QString &identidad) const;

private:
    void BTN_aceptarClick();

    TsistemaDatos uSistema;
    TcategoriaSeleccionada uResultado;
    QTreeWidget *TRV_categorias;
    QLabel *LBL_msg;
    QPushButton *BTN_aceptar;
    QPushButton *BTN_cancelar;
};

#pragma once

#include "comun/UsistemaDatos.h"
#include "comun/ui/UdialogoModal.h"

#include <QHash>

class QTableView;
class TGridControl;

// The properties of one subcategory: every property of the business with a check; a click
// toggles it, the pencil edits the property, "Nuevo" creates one, "Aceptar" stores the selection.
class TFRM_propiedades : public TdialogoModal {
    Q_OBJECT
public:
    explicit TFRM_propiedades(const TsistemaDatos &sistema, QWidget *padre = nullptr);

    // Modal; true when the selection was saved.
    bool init(const QString &identidad);
    // Loads the grid without showing the dialog; false when it could not be read.
    bool prepara(const QString &identidad);
    TGridControl *gridControl() const { return uGRD_mainControl; }

protected:
    void alAceptar() override;

private:
    // Reloads every property and marks the ones in uSeleccionActual.
    bool cargaPropiedades();
    void celdaClic(int fila, const QString &alias);
    void BTN_nuevoClick();

    TsistemaDatos uSistema;
    QString uCategoriaIdentidad;
    QHash<int, bool> uSeleccionInicial;
    QHash<int, bool> uSeleccionActual;
    QTableView *GRD_main = nullptr;
    TGridControl *uGRD_mainControl = nullptr;
};

#pragma once

// The pickers and small dialogs the receipt and issue captures open, answered as a user would.
// Each opens its dialog with the capture's control and returns false when the dialog did not
// open or stayed open.
#include "apoyo/UwidgetsPrueba.h"
#include "comun/ui/UFRM_seleccionarMovimiento.h"
#include "comun/ui/UFRM_seleccionarProducto.h"
#include "comun/ui/UFRM_seleccionarUnidadMedida.h"
#include "comun/ui/UgridControl.h"
#include "entradas/UFRM_noSerie.h"

#include <QLineEdit>
#include <QTableView>

// The product picker searched by `texto`, its first row accepted.
inline bool u_eligeProducto(QWidget *captura, const QString &boton, const QString &texto) {
    TproximoDialogo dialogo;
    dialogo.alAbrir<TFRM_seleccionarProducto>(captura, [texto](TFRM_seleccionarProducto *d) {
        u_hijo<QLineEdit>(d, QStringLiteral("TXT_buscar"))->setText(texto);
        d->buscar();
        u_hijo<QTableView>(d, QStringLiteral("GRD_main"))->selectRow(0);
        u_clicBoton(d, QStringLiteral("BTN_aceptar"));
    });
    u_clicBoton(captura, boton);
    return dialogo.abierto && !dialogo.quedoAbierto;
}

// The unit picker's row of that description accepted.
inline bool u_eligeUnidad(QWidget *captura, const QString &boton, const QString &descripcion) {
    TproximoDialogo dialogo;
    dialogo.alAbrir<TFRM_seleccionarUnidadMedida>(captura, [descripcion](TFRM_seleccionarUnidadMedida *d) {
        const TGridControl *g = d->gridControl();
        for (int f = 0; f < g->filas(); ++f)
            if (g->getCelda(f, QStringLiteral("unidadMedida_descripcion")) == descripcion)
                u_hijo<QTableView>(d, QStringLiteral("GRD_main"))->selectRow(f);
        u_clicBoton(d, QStringLiteral("BTN_aceptar"));
    });
    u_clicBoton(captura, boton);
    return dialogo.abierto && !dialogo.quedoAbierto;
}

// The line's optional data: its row clicked, then the dialog D opened by `boton` gets `texto`
// in its field `campo` and is accepted (the lot, the customs declaration).
template <typename D>
bool u_datoOpcional(QWidget *captura, int fila, const QString &boton, const QString &campo,
                    const QString &texto) {
    u_clicCelda(u_hijo<QTableView>(captura, QStringLiteral("GRD_main")), fila, 1);
    TproximoDialogo dialogo;
    dialogo.alAbrir<D>(captura, [campo, texto](D *d) {
        u_hijo<QLineEdit>(d, campo)->setText(texto);
        u_clicBoton(d, QStringLiteral("BTN_aceptar"));
    });
    u_clicBoton(captura, boton);
    return dialogo.abierto && !dialogo.quedoAbierto;
}

// The serial numbers of the line: each typed and added, then the dialog accepted.
inline bool u_capturaSeries(QWidget *captura, int fila, const QStringList &numeros) {
    u_clicCelda(u_hijo<QTableView>(captura, QStringLiteral("GRD_main")), fila, 1);
    TproximoDialogo dialogo;
    dialogo.alAbrir<TFRM_noSerie>(captura, [numeros](TFRM_noSerie *d) {
        for (const QString &n : numeros) {
            u_hijo<QLineEdit>(d, QStringLiteral("TXT_noSerie"))->setText(n);
            u_clicBoton(d, QStringLiteral("BTN_agregarNoSerie"));
        }
        u_clicBoton(d, QStringLiteral("BTN_aceptar"));
    });
    u_clicBoton(captura, QStringLiteral("BTN_verNoSerie"));
    return dialogo.abierto && !dialogo.quedoAbierto;
}

// Arms `dialogo` for the purchase-return chooser that choosing the return concept opens: the
// receipt with `restante` left is selected and accepted.
inline void u_alAbrirDevolucion(TproximoDialogo &dialogo, QObject *contexto, const QString &restante) {
    dialogo.alAbrir<TFRM_seleccionarMovimiento>(contexto, [restante](TFRM_seleccionarMovimiento *d) {
        auto *tabla = u_hijo<QTableView>(d, QStringLiteral("GRD_movimiento"));
        const QAbstractItemModel *m = tabla->model();
        for (int f = 0; f < m->rowCount(); ++f)
            for (int c = 0; c < m->columnCount(); ++c)
                if (m->headerData(c, Qt::Horizontal).toString() == QStringLiteral("Restante") &&
                    m->index(f, c).data().toString() == restante)
                    tabla->selectRow(f);
        u_clicBoton(d, QStringLiteral("BTN_aceptar"));
    });
}

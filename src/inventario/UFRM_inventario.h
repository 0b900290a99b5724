#pragma once

#include "comun/U_colores.h"
#include "comun/UsistemaDatos.h"
#include "inventario/UpantallasInventario.h"

#include <QFrame>
#include <QList>
#include <QPointer>
#include <QScrollArea>
#include <QWidget>
#include <array>

class TentradaLateral;
class TgrupoLateral;
class QLabel;

// One collapsible group of the side bar as the accordion keeps it.
struct TmoduloLateral {
    TgrupoLateral *contenedor;
    bool expandido;
    int subentradas;
};

// The module's main screen: a side bar of entries beside one content area. The host receives
// PNL_inventario from ExecForm; the form lives as long as that panel.
class TFRM_inventario : public QWidget {
    Q_OBJECT
public:
    static QWidget *ExecForm(const TsistemaDatos &datos);
    // The main screen of the latest opening, while its panel lives.
    static TFRM_inventario *actual();

    explicit TFRM_inventario(QWidget *padre = nullptr);
    ~TFRM_inventario() override;

    void init();
    bool compruebaMetodoValuacionInventario();
    // Start-up step 7: rebuilds the ledger behind the progress screen when it is empty while
    // receipts or issues exist.
    void construyeKardex();

    void resetBarraLateral();
    void colapsaTodo();
    void controlaModulos(QWidget *contenedor);

    QWidget *PNL_inventario() const { return uPanel; }
    QWidget *ventanaActiva() const { return uVentanaActiva; }
    QWidget *CNT_inventarios() const { return uContenido; }
    const QList<TmoduloLateral> &modulos() const { return uModulos; }
    bool arranqueRealizado() const { return uFlagPaintOnce; }
    // The live screen of a slot, or none.
    static QWidget *pantallaEnRanura(Tpantalla pantalla);
    // Clicks the entry whose label reads texto (for --abrir); false when there is none.
    bool abreEntradaPorTexto(const QString &texto);

public slots:
    void BTN_menuAlmacenesClick();
    void BTN_menuCategoriasClick();
    void BTN_menuProductosClick();
    void BTN_subProductosClick();
    void BTN_subNoSerieClick();
    void BTN_menuEntradasClick();
    void BTN_menuSalidasClick();
    void BTN_menuTraspasosClick();
    void BTN_menuExistenciasClick();
    void BTN_subExistenciasClick();
    void BTN_subCapturarExistenciasClick();
    void BTN_subInventarioFisicoClick();
    void BTN_menuKardexClick();
    void BTN_menuOpcionesClick();

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void construyeBarraLateral(QWidget *barra);
    TentradaLateral *agregaEntrada(QWidget *destino, const QString &nombre, const QString &texto,
                                   void (TFRM_inventario::*clic)(), const QString &etiqueta = QString());
    void PNL_inventarioPaint();
    // The click on a screen entry: guard, selection, accordion, screen.
    void clicEntrada(TentradaLateral *entrada, bool vigilada, bool principal, Tpantalla pantalla);
    void clicCabeza(TentradaLateral *cabeza, TgrupoLateral *grupo);
    void marcaSeleccionada(TentradaLateral *entrada);
    TentradaLateral *entrada(const QString &nombre) const;
    void muestraFormulario(Tpantalla pantalla);
    void FormDestroy();
    static void destruyeTodosLosFormularios();

    QPointer<QWidget> uPanel;
    QFrame *uRec = nullptr;
    QFrame *uBarra = nullptr;
    QLabel *uNombreModulo = nullptr;
    QScrollArea *uDesplazable = nullptr;
    QPointer<QWidget> uContenido;
    QPointer<QWidget> uVentanaActiva;
    TlistaColores listaColores;
    bool uFlagPaintOnce = false;
    QList<TmoduloLateral> uModulos;
    QString uBaseDeDatos;
    QList<TentradaLateral *> uEntradas;
    QList<TentradaLateral *> uSubentradas;
    TentradaLateral *uCabezaProductos = nullptr;
    TentradaLateral *uCabezaExistencias = nullptr;
    TgrupoLateral *uGrupoProductos = nullptr;
    TgrupoLateral *uGrupoExistencias = nullptr;
};

#include "inventario/UFRM_inventario.h"

#include "comun/U_mensajes.h"
#include "comun/ui/U_bplpanelcontrol.h"
#include "comun/ui/UestiloComponentes.h"
#include "inventario/UNEG_arranqueInventario.h"
#include "inventario/UbarraLateral.h"
#include "kardex/UFRM_construyendoKardex.h"
#include "kardex/UNEG_construccionKardex.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPropertyAnimation>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kAnchoBarra = 230;
constexpr int kDuracionAnimacion = 200;

// The slots, module-wide as the host may open the module again; the form that owns them is the
// one of the latest opening.
std::array<QPointer<QWidget>, kNumeroPantallas> gRanuras;
QPointer<TFRM_inventario> gFormularioActual;

QPointer<QWidget> &ranura(Tpantalla pantalla) {
    return gRanuras[size_t(pantalla)];
}

IPantallaInventario *comoPantalla(QWidget *w) {
    return dynamic_cast<IPantallaInventario *>(w);
}

void animaAltura(TgrupoLateral *grupo, int altura) {
    auto *animacion = new QPropertyAnimation(grupo, "Height", grupo);
    animacion->setDuration(kDuracionAnimacion);
    animacion->setEasingCurve(QEasingCurve::Linear);
    animacion->setStartValue(grupo->altura());
    animacion->setEndValue(altura);
    animacion->start(QAbstractAnimation::DeleteWhenStopped);
}
} // namespace

QWidget *TFRM_inventario::ExecForm(const TsistemaDatos &datos) {
    destruyeTodosLosFormularios();
    SYS_aliasRutaDB.clear();
    localSYS = datos;
    SYS_aliasRutaDB = datos.conexion ? datos.conexion->getDatabase() : QString();
    auto *formulario = new TFRM_inventario();
    gFormularioActual = formulario;
    formulario->init();
    return formulario->PNL_inventario();
}

TFRM_inventario *TFRM_inventario::actual() {
    return gFormularioActual;
}

QWidget *TFRM_inventario::pantallaEnRanura(Tpantalla pantalla) {
    return ranura(pantalla);
}

TFRM_inventario::TFRM_inventario(QWidget *padre) : QWidget(padre) {
    setObjectName(QStringLiteral("FRM_inventario"));
    uPanel = new QFrame(this);
    uPanel->setObjectName(QStringLiteral("PNL_inventario"));
    uPanel->installEventFilter(this);
    auto *capa = new QVBoxLayout(uPanel);
    capa->setContentsMargins(0, 0, 0, 0);
    uRec = new QFrame(uPanel);
    uRec->setObjectName(QStringLiteral("REC_inventario"));
    capa->addWidget(uRec);

    auto *fila = new QHBoxLayout(uRec);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->setSpacing(0);
    uBarra = new QFrame(uRec);
    uBarra->setObjectName(QStringLiteral("navegador_lateral"));
    uBarra->setFixedWidth(kAnchoBarra);
    fila->addWidget(uBarra);
    uContenido = new QFrame(uRec);
    uContenido->setObjectName(QStringLiteral("CNT_inventarios"));
    auto *capaContenido = new QVBoxLayout(uContenido);
    capaContenido->setContentsMargins(0, 0, 0, 0);
    fila->addWidget(uContenido, 1);
    construyeBarraLateral(uBarra);

    // The panel is what the host keeps; the form goes with it.
    connect(uPanel, &QObject::destroyed, this, &QObject::deleteLater);
}

TFRM_inventario::~TFRM_inventario() {
    FormDestroy();
}

TentradaLateral *TFRM_inventario::agregaEntrada(QWidget *destino, const QString &nombre, const QString &texto,
                                                void (TFRM_inventario::*clic)(), const QString &etiqueta) {
    auto *entrada = new TentradaLateral(
        nombre, texto, etiqueta.isEmpty() ? QStringLiteral("LBL_") + nombre.mid(4) : etiqueta, destino);
    connect(entrada, &TentradaLateral::clic, this, clic);
    if (auto *grupo = qobject_cast<TgrupoLateral *>(destino))
        grupo->agrega(entrada);
    else
        destino->layout()->addWidget(entrada);
    uEntradas.append(entrada);
    return entrada;
}

void TFRM_inventario::construyeBarraLateral(QWidget *barra) {
    auto *columna = new QVBoxLayout(barra);
    columna->setContentsMargins(0, 0, 0, 0);
    columna->setSpacing(0);
    auto *titulo = new QFrame(barra);
    titulo->setObjectName(QStringLiteral("_moduloNombre"));
    titulo->setFixedHeight(56);
    auto *filaTitulo = new QHBoxLayout(titulo);
    auto *imagenModulo = new QLabel(titulo);
    imagenModulo->setObjectName(QStringLiteral("IMG_moduloImagen"));
    imagenModulo->hide();
    uNombreModulo = new QLabel(titulo);
    uNombreModulo->setObjectName(QStringLiteral("LBL_moduloNombre"));
    filaTitulo->addWidget(imagenModulo);
    filaTitulo->addWidget(uNombreModulo, 1);
    columna->addWidget(titulo);

    uDesplazable = new QScrollArea(barra);
    uDesplazable->setObjectName(QStringLiteral("VSB_inventario"));
    uDesplazable->setWidgetResizable(true);
    uDesplazable->setFrameShape(QFrame::NoFrame);
    uDesplazable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *lista = new QWidget();
    auto *capaLista = new QVBoxLayout(lista);
    capaLista->setContentsMargins(0, 0, 0, 0);
    capaLista->setSpacing(1);
    capaLista->setAlignment(Qt::AlignTop);
    uDesplazable->setWidget(lista);
    columna->addWidget(uDesplazable, 1);

    using F = TFRM_inventario;
    agregaEntrada(lista, QStringLiteral("BTN_menuAlmacenes"), QStringLiteral("Almacenes"),
                  &F::BTN_menuAlmacenesClick);
    agregaEntrada(lista, QStringLiteral("BTN_menuCategorias"), QStringLiteral("Categorías"),
                  &F::BTN_menuCategoriasClick, QStringLiteral("LBL_menuCategorías"));
    uGrupoProductos = new TgrupoLateral(QStringLiteral("lateral1_productos"), lista);
    capaLista->addWidget(uGrupoProductos);
    uCabezaProductos = agregaEntrada(uGrupoProductos, QStringLiteral("BTN_menuProductos"),
                                     QStringLiteral("Productos"), &F::BTN_menuProductosClick);
    uSubentradas << agregaEntrada(uGrupoProductos, QStringLiteral("BTN_subProductos"),
                                  QStringLiteral("Productos"), &F::BTN_subProductosClick)
                 << agregaEntrada(uGrupoProductos, QStringLiteral("BTN_subNoSerie"),
                                  QStringLiteral("No Serie"), &F::BTN_subNoSerieClick);
    agregaEntrada(lista, QStringLiteral("BTN_menuEntradas"), QStringLiteral("Entradas"),
                  &F::BTN_menuEntradasClick);
    agregaEntrada(lista, QStringLiteral("BTN_menuSalidas"), QStringLiteral("Salidas"),
                  &F::BTN_menuSalidasClick);
    agregaEntrada(lista, QStringLiteral("BTN_menuTraspasos"), QStringLiteral("Traspasos"),
                  &F::BTN_menuTraspasosClick);
    uGrupoExistencias = new TgrupoLateral(QStringLiteral("lateral2_existencias"), lista);
    capaLista->addWidget(uGrupoExistencias);
    uCabezaExistencias = agregaEntrada(uGrupoExistencias, QStringLiteral("BTN_menuExistencias"),
                                       QStringLiteral("Existencias"), &F::BTN_menuExistenciasClick);
    uSubentradas << agregaEntrada(uGrupoExistencias, QStringLiteral("BTN_subExistencias"),
                                  QStringLiteral("Existencias"), &F::BTN_subExistenciasClick)
                 << agregaEntrada(uGrupoExistencias, QStringLiteral("BTN_subCapturarExistencias"),
                                  QStringLiteral("Capturar Existencias"), &F::BTN_subCapturarExistenciasClick)
                 << agregaEntrada(uGrupoExistencias, QStringLiteral("BTN_subInventarioFisico"),
                                  QStringLiteral("Inventario Físico"), &F::BTN_subInventarioFisicoClick);
    agregaEntrada(lista, QStringLiteral("BTN_menuKardex"), QStringLiteral("Kardex"), &F::BTN_menuKardexClick);
    agregaEntrada(lista, QStringLiteral("BTN_menuOpciones"), QStringLiteral("Opciones"),
                  &F::BTN_menuOpcionesClick);
}

void TFRM_inventario::init() {
    uBaseDeDatos = SYS_aliasRutaDB;
    listaColores = getColores();
    if (!EstiloComponentesBPLFrm)
        EstiloComponentesBPLFrm = new TEstiloComponentesBPLFrm(listaColores);
    uFlagPaintOnce = false;
    uRec->setStyleSheet(QStringLiteral("QFrame#REC_inventario { background: #ffffff; }"));
    const QString fondoBarra =
        QColor::fromRgba(colorOGris(listaColores, QStringLiteral("menuVerticalInactivoFondo"))).name();
    const QString textoBarra =
        QColor::fromRgba(colorOGris(listaColores, QStringLiteral("menuVerticalInactivoTexto"))).name();
    uBarra->setStyleSheet(
        QStringLiteral("QFrame#navegador_lateral, QScrollArea, QScrollArea > QWidget > QWidget "
                       "{ background: %1; } QLabel#LBL_moduloNombre { color: %2; font-weight: bold; "
                       "font-size: 11pt; }")
            .arg(fondoBarra, textoBarra));
    resetBarraLateral();
    uNombreModulo->setText(QStringLiteral("Operaciones\\Inventario"));
}

bool TFRM_inventario::eventFilter(QObject *objeto, QEvent *evento) {
    if (objeto == uPanel && evento->type() == QEvent::Paint && !uFlagPaintOnce &&
        !uPanel->property("arranqueProgramado").toBool()) {
        // Runs right after this paint, never inside it: the checks may ask or show progress.
        uPanel->setProperty("arranqueProgramado", true);
        QTimer::singleShot(0, this, [this] { PNL_inventarioPaint(); });
    }
    return QWidget::eventFilter(objeto, evento);
}

void TFRM_inventario::PNL_inventarioPaint() {
    if (uFlagPaintOnce)
        return;
    TarranqueInventario arranque(localSYS);
    arranque.aseguraPublicoGeneral();
    arranque.compruebaEstadoTabla();
    arranque.compruebaSemillas();
    if (EstiloComponentesBPLFrm)
        uPanel->setStyleSheet(EstiloComponentesBPLFrm->hojaEstilo());
    uModulos = {{uGrupoProductos, false, 2}, {uGrupoExistencias, false, 3}};
    resetBarraLateral();
    colapsaTodo();
    construyeKardex();
    arranque.agregaConceptoSalidaMuestras();
    uFlagPaintOnce = true;
}

bool TFRM_inventario::compruebaMetodoValuacionInventario() {
    return TarranqueInventario(localSYS).compruebaMetodoValuacionInventario();
}

void TFRM_inventario::construyeKardex() {
    if (!TconstruccionKardex::hayQueConstruir(localSYS.conexion, localSYS.negocio.getIdNegocio()))
        return;
    if (!FRM_construyendoKardex)
        FRM_construyendoKardex = new TFRM_construyendoKardex(localSYS);
    FRM_construyendoKardex->init();
    delete FRM_construyendoKardex.data();
    FRM_construyendoKardex = nullptr;
}

void TFRM_inventario::resetBarraLateral() {
    const quint32 fondo = colorOGris(listaColores, QStringLiteral("menuVerticalInactivoFondo"));
    const quint32 texto = colorOGris(listaColores, QStringLiteral("menuVerticalInactivoTexto"));
    for (TentradaLateral *entrada : std::as_const(uEntradas)) {
        entrada->pinta(fondo, QStringLiteral("menuVerticalInactivoFondo"), texto,
                       QStringLiteral("menuVerticalInactivoTexto"));
        if (entrada == uCabezaProductos || entrada == uCabezaExistencias)
            entrada->muestraImagen(QStringLiteral("cursorAbajoGris"));
        else if (uSubentradas.contains(entrada))
            entrada->muestraImagen(QStringLiteral("puntoGris"));
        else
            entrada->muestraImagen(QString());
    }
}

void TFRM_inventario::colapsaTodo() {
    for (TmoduloLateral &modulo : uModulos) {
        if (!modulo.expandido)
            continue;
        animaAltura(modulo.contenedor, TentradaLateral::kAltura);
        modulo.expandido = false;
    }
}

void TFRM_inventario::controlaModulos(QWidget *contenedor) {
    auto elegido = std::find_if(uModulos.begin(), uModulos.end(), [contenedor](const TmoduloLateral &m) {
        return m.contenedor->objectName() == contenedor->objectName();
    });
    if (elegido == uModulos.end() || elegido->subentradas < 1)
        return;
    const int alturaDestino = 40 * (elegido->subentradas + 1) + 4;
    bool estabaAbierto = false;
    for (TmoduloLateral &modulo : uModulos) {
        if (!modulo.expandido)
            continue;
        animaAltura(modulo.contenedor, TentradaLateral::kAltura);
        modulo.expandido = false;
        estabaAbierto = estabaAbierto || &modulo == &*elegido;
    }
    if (estabaAbierto)
        return;
    animaAltura(elegido->contenedor, alturaDestino);
    elegido->expandido = true;
    elegido->contenedor->update();
}

TentradaLateral *TFRM_inventario::entrada(const QString &nombre) const {
    for (TentradaLateral *e : uEntradas) {
        if (e->objectName() == nombre)
            return e;
    }
    return nullptr;
}

void TFRM_inventario::marcaSeleccionada(TentradaLateral *entrada) {
    entrada->pinta(colorOGris(listaColores, QStringLiteral("menuSeleccionadoFondo")),
                   QStringLiteral("menuSeleccionadoFondo"),
                   colorOGris(listaColores, QStringLiteral("menuSeleccionadoTexto")),
                   QStringLiteral("menuSeleccionadoTexto"));
    entrada->muestraImagen(QStringLiteral("checkIconoBlanco"));
}

void TFRM_inventario::clicEntrada(TentradaLateral *entrada, bool vigilada, bool principal,
                                  Tpantalla pantalla) {
    // An entry whose screen is not part of the program yet does nothing.
    if (!ranura(pantalla) && !fabricaPantalla(pantalla))
        return;
    if (vigilada && !compruebaMetodoValuacionInventario())
        return;
    resetBarraLateral();
    marcaSeleccionada(entrada);
    if (principal)
        colapsaTodo();
    muestraFormulario(pantalla);
}

void TFRM_inventario::clicCabeza(TentradaLateral *cabeza, TgrupoLateral *grupo) {
    controlaModulos(grupo);
    cabeza->muestraImagen(grupo->altura() <= TentradaLateral::kAltura ? QStringLiteral("cursorArribaGris")
                                                                      : QStringLiteral("cursorAbajoGris"));
}

void TFRM_inventario::muestraFormulario(Tpantalla pantalla) {
    auto *capa = uContenido->layout();
    if (uVentanaActiva) {
        QWidget *panel = uVentanaActiva;
        capa->removeWidget(panel);
        panel->hide();
        // A screen's own container goes back to its screen; a screen that is its panel floats.
        QWidget *dueno = nullptr;
        for (const auto &r : gRanuras) {
            if (r && comoPantalla(r) && comoPantalla(r)->panelPrincipal() == panel && r != panel)
                dueno = r;
        }
        panel->setParent(dueno);
    }
    QPointer<QWidget> &r = ranura(pantalla);
    if (!r) {
        const TfabricaPantalla fabrica = fabricaPantalla(pantalla);
        if (!fabrica)
            return;
        r = fabrica();
    }
    IPantallaInventario *p = comoPantalla(r);
    if (!p)
        return;
    uVentanaActiva = p->panelPrincipal();
    if (!p->init()) {
        uVentanaActiva = nullptr;
        if (pantalla == Tpantalla::Catalogo) {
            u_mensaje(QStringLiteral("No se logro crear el formulario."), kError);
            delete r.data();
            r = nullptr;
        }
        return;
    }
    capa->addWidget(uVentanaActiva);
    uVentanaActiva->show();
}

bool TFRM_inventario::abreEntradaPorTexto(const QString &texto) {
    // A screen entry wins over a group head of the same label ("Productos", "Existencias"); the
    // group is opened first so the entry shows where the user would have clicked it.
    TentradaLateral *cabeza = nullptr;
    for (TentradaLateral *e : std::as_const(uEntradas)) {
        if (e->etiqueta()->text().compare(texto, Qt::CaseInsensitive) != 0)
            continue;
        if (e == uCabezaProductos || e == uCabezaExistencias) {
            cabeza = e;
            continue;
        }
        if (uSubentradas.contains(e) && cabeza)
            emit cabeza->clic();
        emit e->clic();
        return true;
    }
    if (cabeza)
        emit cabeza->clic();
    return cabeza != nullptr;
}

void TFRM_inventario::BTN_menuAlmacenesClick() {
    clicEntrada(entrada(QStringLiteral("BTN_menuAlmacenes")), false, true, Tpantalla::Almacenes);
}
void TFRM_inventario::BTN_menuCategoriasClick() {
    clicEntrada(entrada(QStringLiteral("BTN_menuCategorias")), false, true, Tpantalla::Catalogo);
}
void TFRM_inventario::BTN_menuProductosClick() {
    clicCabeza(uCabezaProductos, uGrupoProductos);
}
void TFRM_inventario::BTN_subProductosClick() {
    clicEntrada(uSubentradas[0], false, false, Tpantalla::Productos);
}
void TFRM_inventario::BTN_subNoSerieClick() {
    clicEntrada(uSubentradas[1], false, false, Tpantalla::NoSerie);
}
void TFRM_inventario::BTN_menuEntradasClick() {
    clicEntrada(entrada(QStringLiteral("BTN_menuEntradas")), true, true, Tpantalla::Entradas);
}
void TFRM_inventario::BTN_menuSalidasClick() {
    clicEntrada(entrada(QStringLiteral("BTN_menuSalidas")), true, true, Tpantalla::Salidas);
}
void TFRM_inventario::BTN_menuTraspasosClick() {
    clicEntrada(entrada(QStringLiteral("BTN_menuTraspasos")), true, true, Tpantalla::Traspasos);
}
void TFRM_inventario::BTN_menuExistenciasClick() {
    if (!compruebaMetodoValuacionInventario())
        return;
    clicCabeza(uCabezaExistencias, uGrupoExistencias);
}
void TFRM_inventario::BTN_subExistenciasClick() {
    clicEntrada(uSubentradas[2], false, false, Tpantalla::Existencias);
}
void TFRM_inventario::BTN_subCapturarExistenciasClick() {
    clicEntrada(uSubentradas[3], false, false, Tpantalla::CapturarExistencias);
}
void TFRM_inventario::BTN_subInventarioFisicoClick() {
    clicEntrada(uSubentradas[4], false, false, Tpantalla::InventarioFisico);
}
void TFRM_inventario::BTN_menuKardexClick() {
    clicEntrada(entrada(QStringLiteral("BTN_menuKardex")), true, true, Tpantalla::Kardex);
}
void TFRM_inventario::BTN_menuOpcionesClick() {
    clicEntrada(entrada(QStringLiteral("BTN_menuOpciones")), false, true, Tpantalla::Opciones);
}

void TFRM_inventario::destruyeTodosLosFormularios() {
    for (QPointer<QWidget> &r : gRanuras) {
        delete r.data();
        r = nullptr;
    }
}

void TFRM_inventario::FormDestroy() {
    // Only the latest opening owns the slots; an older main screen going away leaves them be.
    if (gFormularioActual && gFormularioActual != this)
        return;
    delete EstiloComponentesBPLFrm;
    EstiloComponentesBPLFrm = nullptr;
    if (uVentanaActiva && uContenido) {
        uContenido->layout()->removeWidget(uVentanaActiva);
        uVentanaActiva->setParent(nullptr);
    }
    destruyeTodosLosFormularios();
    delete uContenido.data();
}

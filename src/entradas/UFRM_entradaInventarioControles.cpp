#include "entradas/UFRM_entradaInventarioControles.h"

#include "comun/ui/U_controles.h"
#include "comun/ui/U_filtrosEntrada.h"
#include "comun/ui/U_imagenes.h"
#include "comun/ui/UdialogoModal.h"
#include "comun/ui/UgridControl.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <tuple>

const QString TcontrolesEntradaInventario::kHagaClic = QStringLiteral("Haga clic aquí");

namespace {
// A flat button holding a label: clicking the label clicks the button.
QPushButton *contenedor(QWidget *padre, const QString &nombre, QLabel *etiqueta) {
    auto *b = u_boton(padre, nombre, {});
    b->setFlat(true);
    b->setMinimumHeight(26);
    auto *l = new QHBoxLayout(b);
    l->setContentsMargins(4, 0, 4, 0);
    l->addWidget(etiqueta);
    return b;
}

// The small confirm / clear / search buttons beside a field.
QPushButton *botonChico(QWidget *padre, const QString &nombre, const QString &texto, int ancho = 30) {
    auto *b = u_boton(padre, nombre, texto);
    b->setFixedWidth(ancho);
    return b;
}

// A decimal field of at most 20 characters with its confirm and clear buttons.
QWidget *campoDecimal(QWidget *padre, const QString &sufijo, QLineEdit *&campo, QPushButton *&confirma,
                      QPushButton *&limpia) {
    auto *hold = new QWidget(padre);
    campo = u_campo(hold, QStringLiteral("TXT_") + sufijo, 20);
    u_soloDecimales(campo);
    const QString nombre = sufijo.at(0).toUpper() + sufijo.mid(1);
    confirma = botonChico(hold, QStringLiteral("BTN_confirmar") + nombre, QStringLiteral("✓"));
    limpia = botonChico(hold, QStringLiteral("BTN_reiniciarTXT") + sufijo, QStringLiteral("×"));
    auto *l = new QHBoxLayout(hold);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(campo, 1);
    l->addWidget(confirma);
    l->addWidget(limpia);
    return hold;
}
} // namespace

QVBoxLayout *TcontrolesEntradaInventario::construyeControles(QDialog *dialogo) {
    dialogo->setObjectName(QStringLiteral("FRM_entradaInventario"));
    dialogo->resize(1180, 680);
    TAB_entrada = new QTabWidget(dialogo);
    TAB_entrada->setObjectName(QStringLiteral("TAB_entrada"));
    TAB_entrada->addTab(creaInicial(dialogo), QStringLiteral("Inicial"));
    TAB_entrada->addTab(creaComprobante(dialogo), QStringLiteral("Comprobante"));
    TAB_entrada->setMaximumHeight(190);
    creaGrid(dialogo);
    auto *raiz = new QVBoxLayout(dialogo);
    raiz->addWidget(u_creaTitulo(dialogo->windowTitle(), dialogo));
    raiz->addWidget(TAB_entrada);
    auto *centro = new QHBoxLayout;
    centro->addWidget(GRD_main, 1);
    centro->addWidget(creaPropiedades(dialogo));
    raiz->addLayout(centro, 1);
    raiz->addWidget(creaPie(dialogo));
    raiz->addWidget(u_etiqueta(dialogo, QStringLiteral("LBL_notaPropiedades"),
                               QStringLiteral("* Seleccione un producto para habilitar apartado 'Propiedades "
                                              "Adicionales'")));
    raiz->addWidget(
        u_etiqueta(dialogo, QStringLiteral("LBL_notaSeries"),
                   QStringLiteral("* Productos resaltados en rojo: capture no. de serie faltantes")));
    return raiz;
}

QWidget *TcontrolesEntradaInventario::creaInicial(QWidget *padre) {
    auto *tab = new QWidget(padre);
    tab->setObjectName(QStringLiteral("TAB_inicial"));
    CMB_almacenes = new QComboBox(tab);
    CMB_almacenes->setObjectName(QStringLiteral("CMB_almacenes"));
    CMB_concepto = new QComboBox(tab);
    CMB_concepto->setObjectName(QStringLiteral("CMB_concepto"));
    LBL_direccion = u_etiqueta(tab, QStringLiteral("LBL_direccion"));
    LBL_nota = u_etiqueta(tab, QStringLiteral("LBL_nota"));
    LBL_fechaHoraUltimo = u_etiqueta(tab, QStringLiteral("LBL_fechaHoraUltimo"));
    DTP_fecha = u_fecha(tab, QStringLiteral("DTP_fecha"));
    BTN_reiniciarFecha = u_boton(tab, QStringLiteral("BTN_reiniciarFecha"), QStringLiteral("Hoy"));
    DTP_hora = new QTimeEdit(QTime::currentTime(), tab);
    DTP_hora->setObjectName(QStringLiteral("DTP_hora"));
    DTP_hora->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    BTN_reiniciarHora = u_boton(tab, QStringLiteral("BTN_reiniciarHora"), QStringLiteral("Ahora"));
    _seleccionCapa = new QGroupBox(tab);
    _seleccionCapa->setObjectName(QStringLiteral("_seleccionCapa"));
    RAD_capaSalida = new QRadioButton(QStringLiteral("Agregar existencia a capa de salida"), _seleccionCapa);
    RAD_capaSalida->setObjectName(QStringLiteral("RAD_capaSalida"));
    RAD_capaDevolucion =
        new QRadioButton(QStringLiteral("Insertar existencia en capa devolución"), _seleccionCapa);
    RAD_capaDevolucion->setObjectName(QStringLiteral("RAD_capaDevolucion"));
    auto *capas = new QVBoxLayout(_seleccionCapa);
    capas->addWidget(RAD_capaSalida);
    capas->addWidget(RAD_capaDevolucion);

    auto *g = new QGridLayout(tab);
    const auto titulo = [tab](const char *nombre, const char *texto) {
        return u_etiqueta(tab, QString::fromLatin1(nombre), QString::fromUtf8(texto));
    };
    g->addWidget(titulo("LBL_almacenTitulo", "Almacén"), 0, 0);
    g->addWidget(CMB_almacenes, 0, 1);
    g->addWidget(titulo("LBL_direccionTitulo", "Dirección"), 1, 0);
    g->addWidget(LBL_direccion, 1, 1);
    g->addWidget(titulo("LBL_notaTitulo", "Nota"), 2, 0);
    g->addWidget(LBL_nota, 2, 1);
    g->addWidget(titulo("LBL_ultimoTitulo", "Último Movimiento"), 3, 0);
    g->addWidget(LBL_fechaHoraUltimo, 3, 1);
    g->addWidget(titulo("LBL_fechaTitulo", "Fecha de Entrada"), 0, 2);
    g->addWidget(DTP_fecha, 0, 3);
    g->addWidget(BTN_reiniciarFecha, 0, 4);
    g->addWidget(titulo("LBL_horaTitulo", "Hora de Entrada"), 1, 2);
    g->addWidget(DTP_hora, 1, 3);
    g->addWidget(BTN_reiniciarHora, 1, 4);
    g->addWidget(titulo("LBL_conceptoTitulo", "Concepto"), 2, 2);
    g->addWidget(CMB_concepto, 2, 3, 1, 2);
    g->addWidget(_seleccionCapa, 0, 5, 4, 1);
    g->setColumnStretch(1, 1);
    return tab;
}

QWidget *TcontrolesEntradaInventario::creaComprobante(QWidget *padre) {
    auto *tab = new QWidget(padre);
    tab->setObjectName(QStringLiteral("TAB_comprobante"));
    LBL_comprobante = u_etiqueta(tab, QStringLiteral("LBL_comprobante"), kHagaClic);
    LBL_proveedor = u_etiqueta(tab, QStringLiteral("LBL_proveedor"), kHagaClic);
    LBL_emisorRFC = u_etiqueta(tab, QStringLiteral("LBL_emisorRFC"));
    LBL_fechaHora = u_etiqueta(tab, QStringLiteral("LBL_fechaHora"));
    LBL_total = u_etiqueta(tab, QStringLiteral("LBL_total"));
    contenedor_comprobante = contenedor(tab, QStringLiteral("contenedor_comprobante"), LBL_comprobante);
    contenedor_proveedor = contenedor(tab, QStringLiteral("contenedor_proveedor"), LBL_proveedor);
    BTN_reiniciarLBLcomprobante =
        botonChico(tab, QStringLiteral("BTN_reiniciarLBLcomprobante"), QStringLiteral("×"));
    BTN_seleccionarProveedor =
        botonChico(tab, QStringLiteral("BTN_seleccionarProveedor"), QStringLiteral("×"));
    auto *g = new QGridLayout(tab);
    int fila = 0;
    const std::tuple<QString, QWidget *, QWidget *> filas[] = {
        {QStringLiteral("Comprobante"), contenedor_comprobante, BTN_reiniciarLBLcomprobante},
        {QStringLiteral("Emisor/Proveedor"), contenedor_proveedor, BTN_seleccionarProveedor},
        {QStringLiteral("RFC"), LBL_emisorRFC, nullptr},
        {QStringLiteral("Fecha/Hora"), LBL_fechaHora, nullptr},
        {QStringLiteral("Total"), LBL_total, nullptr}};
    for (const auto &[titulo, control, boton] : filas) {
        g->addWidget(new QLabel(titulo, tab), fila, 0);
        g->addWidget(control, fila, 1);
        if (boton)
            g->addWidget(boton, fila, 2);
        ++fila;
    }
    g->setColumnStretch(1, 1);
    return tab;
}

QFrame *TcontrolesEntradaInventario::creaPie(QWidget *padre) {
    contenedor_foot = new QFrame(padre);
    contenedor_foot->setObjectName(QStringLiteral("contenedor_foot"));
    auto *f = contenedor_foot;
    _hold_bProducto = new QWidget(f);
    _hold_bProducto->setObjectName(QStringLiteral("_hold_bProducto"));
    LBL_producto = u_etiqueta(_hold_bProducto, QStringLiteral("LBL_producto"), kHagaClic);
    contenedor_producto = contenedor(_hold_bProducto, QStringLiteral("contenedor_producto"), LBL_producto);
    BTN_seleccionarProducto =
        botonChico(_hold_bProducto, QStringLiteral("BTN_seleccionarProducto"), QStringLiteral("…"));
    BTN_reiniciarLBLproducto =
        botonChico(_hold_bProducto, QStringLiteral("BTN_reiniciarLBLproducto"), QStringLiteral("×"));
    auto *lp = new QHBoxLayout(_hold_bProducto);
    lp->setContentsMargins(0, 0, 0, 0);
    lp->addWidget(contenedor_producto, 1);
    lp->addWidget(BTN_seleccionarProducto);
    lp->addWidget(BTN_reiniciarLBLproducto);
    LBL_codigoBarras = u_etiqueta(f, QStringLiteral("LBL_codigoBarras"), kHagaClic);
    contenedor_codigoBarras = contenedor(f, QStringLiteral("contenedor_codigoBarras"), LBL_codigoBarras);
    LBL_unidadEntrada = u_etiqueta(f, QStringLiteral("LBL_unidadEntrada"), kHagaClic);
    contenedor_unidadEntrada = contenedor(f, QStringLiteral("contenedor_unidadEntrada"), LBL_unidadEntrada);
    LBL_unidadSalida = u_etiqueta(f, QStringLiteral("LBL_unidadSalida"));
    LBL_cantidadRegistrada = u_etiqueta(f, QStringLiteral("LBL_cantidadRegistrada"));
    LBL_unidadAlmacenaje = u_etiqueta(f, QStringLiteral("LBL_unidadAlmacenaje"));
    QWidget *costo = campoDecimal(f, QStringLiteral("costoUnitario"), TXT_costoUnitario,
                                  BTN_confirmarCostoUnitario, BTN_reiniciarTXTcostoUnitario);
    QWidget *cantidad = campoDecimal(f, QStringLiteral("cantidad"), TXT_cantidad, BTN_confirmarCantidad,
                                     BTN_reiniciarTXTcantidad);
    _hold_bFactorConversion = campoDecimal(f, QStringLiteral("factorConversion"), TXT_factorConversion,
                                           BTN_confirmarFactorConversion, BTN_reiniciarTXTfactorConversion);
    _hold_bFactorConversion->setObjectName(QStringLiteral("_hold_bFactorConversion"));
    BTN_agregar = u_boton(f, QStringLiteral("BTN_agregar"), QStringLiteral("Agregar Producto"));
    BTN_desdeCfdi = u_boton(f, QStringLiteral("BTN_desdeCfdi"), QStringLiteral("Desde CFDI…"));

    auto *g = new QGridLayout(f);
    const auto titulo = [f](const char *texto) { return new QLabel(QString::fromUtf8(texto), f); };
    g->addWidget(titulo("Producto"), 0, 0);
    g->addWidget(_hold_bProducto, 0, 1, 1, 3);
    g->addWidget(titulo("Código de Barras"), 0, 4);
    g->addWidget(contenedor_codigoBarras, 0, 5);
    g->addWidget(titulo("Cantidad"), 1, 0);
    g->addWidget(cantidad, 1, 1);
    g->addWidget(contenedor_unidadEntrada, 1, 2);
    g->addWidget(LBL_unidadSalida, 1, 3);
    g->addWidget(titulo("Factor de Conversión"), 1, 4);
    g->addWidget(_hold_bFactorConversion, 1, 5);
    g->addWidget(titulo("Costo Unitario"), 2, 0);
    g->addWidget(costo, 2, 1);
    g->addWidget(titulo("Cantidad Registrada"), 2, 2);
    g->addWidget(LBL_cantidadRegistrada, 2, 3);
    g->addWidget(LBL_unidadAlmacenaje, 2, 4);
    g->addWidget(BTN_agregar, 2, 5);
    g->addWidget(BTN_desdeCfdi, 3, 5);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    return f;
}

QFrame *TcontrolesEntradaInventario::creaPropiedades(QWidget *padre) {
    auto *h = hold_propiedadesAdicionales = new QFrame(padre);
    h->setObjectName(QStringLiteral("hold_propiedadesAdicionales"));
    h->setFixedWidth(300);
    auto *v = new QGridLayout(h);
    v->addWidget(new QLabel(QStringLiteral("* Propiedades Adicionales:"), h), 0, 0, 1, 3);
    LBL_productoSeleccionado = u_etiqueta(h, QStringLiteral("LBL_productoSeleccionado"));
    LBL_productoSeleccionado->setWordWrap(true);
    v->addWidget(LBL_productoSeleccionado, 1, 0, 1, 3);
    const struct {
        const char *titulo, *sufijo;
        QLabel *&estado;
        QPushButton *&ver;
    } partes[] = {{"Pedimento", "pedimento", LBL_pedimento, BTN_verPedimento},
                  {"Lote", "lote", LBL_lote, BTN_verLote},
                  {"No. Serie", "noSerie", LBL_noSerie, BTN_verNoSerie},
                  {"P. Adicionales", "propiedadesAdicionales", LBL_propiedadesAdicionales,
                   BTN_verPropiedadesAdicionales}};
    int fila = 2;
    for (const auto &p : partes) {
        const QString sufijo = QString::fromLatin1(p.sufijo);
        p.estado = u_etiqueta(h, QStringLiteral("LBL_") + sufijo);
        p.ver = botonChico(h, QStringLiteral("BTN_ver") + sufijo.at(0).toUpper() + sufijo.mid(1),
                           QStringLiteral("Ver"), 44);
        v->addWidget(new QLabel(QString::fromUtf8(p.titulo), h), fila, 0);
        v->addWidget(p.estado, fila, 1);
        v->addWidget(p.ver, fila, 2);
        ++fila;
    }
    v->setRowStretch(fila, 1);
    return h;
}

void TcontrolesEntradaInventario::creaGrid(QWidget *padre) {
    GRD_main = new QTableView(padre);
    GRD_main->setObjectName(QStringLiteral("GRD_main"));
    auto *g = uGRD_articulosControl = new TGridControl(GRD_main);
    g->agregaColumnaIcono(QStringLiteral("Elimina"), mini_cargaImage(QStringLiteral("Elimina")));
    g->agregaColumnaIcono(QStringLiteral("Edita"), mini_cargaImage(QStringLiteral("Edita")));
    // Alias, width (0: hidden, the line's ids and the factor as typed), how it shows.
    const std::tuple<const char *, int, TtipoColumnaGrid> columnas[] = {
        {"Producto_id", 0, kColTexto},
        {"Producto", 230, kColTexto},
        {"Cantidad", 70, kColTexto},
        {"Costo U.", 90, kColMoneda},
        {"Total", 90, kColMoneda},
        {"_uniMedidaRecibido_id", 0, kColTexto},
        {"_uniMedidaCatalogo_id", 0, kColTexto},
        {"U. Medida", 120, kColTexto},
        {"Categoria_id", 0, kColTexto},
        {"Categoría", 100, kColTexto},
        {"C. Barras", 80, kColTexto},
        {"_propiedadesAdicionales_ID", 0, kColTexto},
        {"Factor Conversión", 0, kColTexto},
        {"_opControlNoSerie", 0, kColTexto}};
    for (const auto &[alias, ancho, tipo] : columnas)
        g->agregaColumna(QString::fromUtf8(alias), QString::fromUtf8(alias), ancho, ancho > 0, tipo);
    g->setColumnaEstirada(QStringLiteral("Producto"));
}

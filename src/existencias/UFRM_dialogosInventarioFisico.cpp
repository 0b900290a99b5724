#include "existencias/UFRM_dialogosInventarioFisico.h"

#include "comun/U_mensajes.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TFRM_dialogoGuardarInventarioFisico::TFRM_dialogoGuardarInventarioFisico(const TsistemaDatos &sistema,
                                                                         QWidget *padre)
    : TdialogoModal(QStringLiteral("Guardar Reporte Inventario Físico"), padre), uSistema(sistema) {
    setObjectName(QStringLiteral("FRM_dialogoGuardarInventarioFisico"));
    auto *capa = new QVBoxLayout(this);
    capa->addWidget(
        u_etiqueta(this, QStringLiteral("LBL_informacion"), QStringLiteral("Información del reporte")));
    auto *info = new QFormLayout;
    LBL_almacen = u_etiqueta(this, QStringLiteral("LBL_almacen"));
    LBL_categoria = u_etiqueta(this, QStringLiteral("LBL_categoria"));
    LBL_fechaHora = u_etiqueta(this, QStringLiteral("LBL_fechaHora"));
    info->addRow(QStringLiteral("Almacén"), LBL_almacen);
    info->addRow(QStringLiteral("Categoría"), LBL_categoria);
    info->addRow(QStringLiteral("Fecha/Hora"), LBL_fechaHora);
    capa->addLayout(info);
    capa->addWidget(u_etiqueta(this, QStringLiteral("LBL_guardarComo"), QStringLiteral("Guardar como ....")));
    auto *datos = new QFormLayout;
    TXT_nombre = u_campo(this, QStringLiteral("TXT_nombre"), UREC_inventarioFisicoIndice::kLargoNombre);
    TXT_nota = u_campo(this, QStringLiteral("TXT_nota"), UREC_inventarioFisicoIndice::kLargoNota);
    datos->addRow(QStringLiteral("Nombre"), TXT_nombre);
    datos->addRow(QStringLiteral("Nota"), TXT_nota);
    capa->addLayout(datos);
    agregaBotones(capa);
    resize(420, 260);
}

void TFRM_dialogoGuardarInventarioFisico::prepara(const UREC_inventarioFisicoIndice &indice) {
    uIndice = indice;
    uIndice.aceptado = false;
    uIndice.resultado = 0;
    LBL_fechaHora->setText(indice.creacion.toString(QStringLiteral("dd/MM/yyyy HH:mm")));
    LBL_almacen->setText(indice.almacenNombre);
    LBL_categoria->setText(indice.categoriaEtiqueta);
    TXT_nombre->setText(indice.nombre);
    TXT_nota->setText(indice.nota);
    TXT_nombre->setFocus();
}

void TFRM_dialogoGuardarInventarioFisico::init(UREC_inventarioFisicoIndice &indice) {
    prepara(indice);
    exec();
    indice = uIndice;
}

void TFRM_dialogoGuardarInventarioFisico::alAceptar() {
    const QString nombre = TXT_nombre->text().trimmed();
    if (nombre.isEmpty())
        return;
    uIndice.nombre = nombre;
    uIndice.nota = TXT_nota->text();
    TinventarioFisico datos(uSistema.getConexion());
    const qint64 existente = datos.selectArchivoNombre(nombre, uSistema.getNegocio().getIdNegocio());
    if (existente < 0)
        return u_mensaje(QStringLiteral("No se pudo consultar los reportes guardados; intente de nuevo."),
                         kError);
    if (existente > 0) {
        if (!u_confirmaSiNo(QStringLiteral("¡El nombre de archivo ya existe! \r¿Desea sobreescribirlo?"))) {
            uIndice.resultado = 0;
            return;
        }
        uIndice.resultado = 2;
    } else {
        uIndice.resultado = 1;
    }
    uIndice.aceptado = true;
    acepta();
}

TFRM_dialogoAbrirInventarioFisico::TFRM_dialogoAbrirInventarioFisico(const TsistemaDatos &sistema,
                                                                     QWidget *padre)
    : TFRM_selectorBase(QStringLiteral("Abrir Reporte Inventario Físico"), padre), uSistema(sistema) {
    setObjectName(QStringLiteral("FRM_dialogoAbrirInventarioFisico"));
    TXT_buscar->setPlaceholderText(QStringLiteral("Nombre del reporte"));
    TGridControl *g = gridControl();
    g->agregaColumna(QStringLiteral("_id"), QStringLiteral("_id"), 40, false);
    g->agregaColumna(QStringLiteral("Reporte"), QStringLiteral("Reporte"), 200);
    g->agregaColumna(QStringLiteral("creacion"), QStringLiteral("Creación"), 120, true, kColFecha);
    g->agregaColumna(QStringLiteral("modificacion"), QStringLiteral("Modificación"), 120, true, kColFecha);
    g->agregaColumna(QStringLiteral("Nota"), QStringLiteral("Nota"), 200);
    g->setColumnaEstirada(QStringLiteral("Nota"));
    resize(720, 420);
}

void TFRM_dialogoAbrirInventarioFisico::prepara() {
    uResultado = {};
    buscar();
    TXT_buscar->setFocus();
}

void TFRM_dialogoAbrirInventarioFisico::init(UREC_inventarioFisicoIndice &indice) {
    prepara();
    exec();
    indice = uResultado;
}

bool TFRM_dialogoAbrirInventarioFisico::cargaFilas(const QString &texto) {
    return gridControl()->carga(
        TinventarioFisico(uSistema.getConexion())
            .selectArchivosInventarioFisico(uSistema.getNegocio().getIdNegocio(), texto));
}

bool TFRM_dialogoAbrirInventarioFisico::tomaFila(int fila) {
    const TGridControl *g = gridControl();
    uResultado.aceptado = true;
    uResultado.id = int(g->getCeldaAsInt(fila, QStringLiteral("_id")));
    uResultado.nombre = g->getCelda(fila, QStringLiteral("Reporte"));
    uResultado.nota = g->getCelda(fila, QStringLiteral("Nota"));
    uResultado.negocioID = uSistema.getNegocio().getIdNegocio();
    return true;
}

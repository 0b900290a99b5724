#include "catalogos/UFRM_exportarImportar.h"

#include "catalogos/UNEG_categoriasXlsx.h"
#include "comun/U_archivosSalida.h"
#include "comun/U_exportarExcel.h"
#include "comun/U_mensajes.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/U_reportes.h"
#include "comun/ui/UdialogoModal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {
const QString kSinElementos = QStringLiteral("No hay elementos que mostrar");

QLabel *enlace(QWidget *padre, const QString &nombre, const QString &texto) {
    QLabel *l = u_etiqueta(padre, nombre, QStringLiteral("<a href=\"#\">%1</a>").arg(texto));
    l->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    return l;
}
} // namespace

TFRM_exportarImportar::TFRM_exportarImportar(const TsistemaDatos &sistema, QWidget *padre)
    : QDialog(padre), uSistema(sistema) {
    setObjectName(QStringLiteral("FRM_exportarImportar"));
    setWindowTitle(QStringLiteral("Exportar / Importar"));
    setModal(true);
    u_aplicaEstilo(this);
    BTN_exportarExcel = u_boton(this, QStringLiteral("BTN_exportarExcel"), QStringLiteral("Exportar Excel"));
    BTN_exportarPDF = u_boton(this, QStringLiteral("BTN_exportarPDF"), QStringLiteral("Exportar PDF"));
    BTN_importarExcel = u_boton(this, QStringLiteral("BTN_importarExcel"), QStringLiteral("Importar Excel"));
    BTN_cancelar = u_boton(this, QStringLiteral("BTN_cancelar"), QStringLiteral("Cerrar"));
    LBL_mostrarGuia = enlace(this, QStringLiteral("LBL_mostrarGuia"), QStringLiteral("Guía de Importación"));
    LBL_mostrarPlantilla =
        enlace(this, QStringLiteral("LBL_mostrarPlantilla"), QStringLiteral("Plantilla de Importación"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->hide();

    auto *botones = new QGridLayout;
    botones->addWidget(BTN_exportarExcel, 0, 0);
    botones->addWidget(BTN_exportarPDF, 0, 1);
    botones->addWidget(BTN_importarExcel, 1, 0);
    botones->addWidget(LBL_mostrarGuia, 2, 0);
    botones->addWidget(LBL_mostrarPlantilla, 2, 1);
    auto *raiz = new QVBoxLayout(this);
    raiz->addWidget(u_creaTitulo(QStringLiteral("Exportar / Importar"), this));
    raiz->addLayout(botones);
    raiz->addWidget(ProgressBar1);
    raiz->addWidget(BTN_cancelar, 0, Qt::AlignRight);

    connect(BTN_exportarExcel, &QPushButton::clicked, this, &TFRM_exportarImportar::BTN_exportarExcelClick);
    connect(BTN_exportarPDF, &QPushButton::clicked, this, &TFRM_exportarImportar::BTN_exportarPDFClick);
    connect(BTN_importarExcel, &QPushButton::clicked, this, &TFRM_exportarImportar::BTN_importarExcelClick);
    connect(BTN_cancelar, &QPushButton::clicked, this, &TFRM_exportarImportar::reject);
    connect(LBL_mostrarGuia, &QLabel::linkActivated, this, &TFRM_exportarImportar::LBL_mostrarGuiaClick);
    connect(LBL_mostrarPlantilla, &QLabel::linkActivated, this,
            &TFRM_exportarImportar::LBL_mostrarPlantillaClick);
    resize(380, 200);
}

void TFRM_exportarImportar::init() {
    exec();
}

void TFRM_exportarImportar::reject() {
    if (!uImportando)
        QDialog::reject();
}

void TFRM_exportarImportar::BTN_exportarExcelClick() {
    RECexportar matriz;
    if (!u_matrizCategorias(uSistema.getConexion(), uSistema.getNegocio().getIdNegocio(), matriz))
        return;
    if (matriz.celdas.isEmpty())
        u_mensaje(kSinElementos, kInformacion);
    else
        exportarREC(matriz, uSistema);
}

void TFRM_exportarImportar::BTN_exportarPDFClick() {
    RECexportar matriz;
    if (!u_matrizCategorias(uSistema.getConexion(), uSistema.getNegocio().getIdNegocio(), matriz))
        return;
    if (matriz.celdas.isEmpty()) {
        u_mensaje(kSinElementos, kInformacion);
        return;
    }
    TopcionesPDF opciones;
    opciones.nombreArchivo = QStringLiteral("Categorías");
    u_exportaPDF(kTituloCatalogoCategorias, u_tablaCategorias(matriz), uSistema, opciones);
}

void TFRM_exportarImportar::habilita(bool habilitado) {
    const std::initializer_list<QWidget *> controles{BTN_exportarExcel, BTN_exportarPDF,
                                                     BTN_importarExcel, BTN_cancelar,
                                                     LBL_mostrarGuia,   LBL_mostrarPlantilla};
    for (QWidget *w : controles)
        w->setEnabled(habilitado);
}

void TFRM_exportarImportar::avance(int porcentaje) {
    ProgressBar1->setValue(porcentaje);
    // The import runs on this thread: let the window repaint between rows.
    QCoreApplication::processEvents();
}

void TFRM_exportarImportar::BTN_importarExcelClick() {
    const QString ruta = u_eligeArchivoAbrir(QStringLiteral("Importar Archivo"),
                                             QStringLiteral("Archivos de Excel / xlsx (*.xlsx)"));
    if (ruta.isEmpty())
        return;
    habilita(false);
    uImportando = true;
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    const TresultadoImportacion r = u_importaArchivoCategorias(
        uSistema.getConexion(), uSistema.getNegocio().getIdNegocio(), ruta, [this](int p) { avance(p); });
    uImportando = false;
    ProgressBar1->hide();
    habilita(true);
    if (!r.confirmada) {
        u_mensaje(r.mensaje, kAdvertencia);
        return;
    }
    uImportado = true;
    u_mensaje(QStringLiteral("Se importaron %1 categorías.").arg(r.insertadas), kInformacion);
    accept();
}

void TFRM_exportarImportar::LBL_mostrarGuiaClick() {
    const QString guia = QCoreApplication::applicationDirPath() +
                         QStringLiteral("/Manual/guiaPlantillaImportarCategorias.pdf");
    if (QFileInfo::exists(guia))
        u_abreArchivo(guia);
    else
        u_mensaje(QStringLiteral("La guía de importación no está instalada."), kInformacion);
}

void TFRM_exportarImportar::LBL_mostrarPlantillaClick() {
    const QString carpeta = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                                .filePath(QStringLiteral("Plantillas"));
    QString error;
    const QString ruta = u_preparaPlantillaCategorias(carpeta, &error);
    if (ruta.isEmpty())
        u_mensaje(QStringLiteral("No se pudo crear la plantilla: ") + error, kError);
    else
        u_abreArchivo(ruta);
}

#include "existencias/UFRM_importacionMovimientos.h"

#include "comun/U_archivosSalida.h"
#include "comun/U_mensajes.h"
#include "comun/ui/U_controles.h"
#include "comun/ui/UdialogoModal.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TFRM_importacionMovimientos::TFRM_importacionMovimientos(const TsistemaDatos &sistema, QWidget *padre)
    : QDialog(padre), uSistema(sistema) {
    setObjectName(QStringLiteral("FRM_importacionMovimientos"));
    setWindowTitle(QStringLiteral("Importar Movimientos"));
    setModal(true);
    u_aplicaEstilo(this);
    TXT_archivo = u_campo(this, QStringLiteral("TXT_archivo"), 1000);
    TXT_archivo->setPlaceholderText(QStringLiteral("Archivo .csv o .xlsx"));
    BTN_examinar = u_boton(this, QStringLiteral("BTN_examinar"), QStringLiteral("Examinar..."));
    CHK_simular = new QCheckBox(QStringLiteral("Solo simular (revisa todo y no guarda nada)"), this);
    CHK_simular->setObjectName(QStringLiteral("CHK_simular"));
    CHK_crearProductos =
        new QCheckBox(QStringLiteral("Dar de alta las claves de producto que no existan"), this);
    CHK_crearProductos->setObjectName(QStringLiteral("CHK_crearProductos"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setValue(0);
    TXT_resumen = new QPlainTextEdit(this);
    TXT_resumen->setObjectName(QStringLiteral("TXT_resumen"));
    TXT_resumen->setReadOnly(true);
    BTN_importar = u_boton(this, QStringLiteral("BTN_importar"), QStringLiteral("Importar"));
    BTN_informe = u_boton(this, QStringLiteral("BTN_informe"), QStringLiteral("Guardar informe de salidas"));
    BTN_informe->setEnabled(false);
    BTN_cerrar = u_boton(this, QStringLiteral("BTN_cerrar"), QStringLiteral("Cerrar"));

    auto *archivo = new QHBoxLayout;
    archivo->addWidget(TXT_archivo, 1);
    archivo->addWidget(BTN_examinar);
    auto *botones = new QHBoxLayout;
    botones->addWidget(BTN_informe);
    botones->addStretch(1);
    botones->addWidget(BTN_importar);
    botones->addWidget(BTN_cerrar);
    auto *raiz = new QVBoxLayout(this);
    raiz->addWidget(u_creaTitulo(QStringLiteral("Importar Movimientos"), this));
    raiz->addLayout(archivo);
    raiz->addWidget(CHK_simular);
    raiz->addWidget(CHK_crearProductos);
    raiz->addWidget(ProgressBar1);
    raiz->addWidget(TXT_resumen, 1);
    raiz->addLayout(botones);

    connect(BTN_examinar, &QPushButton::clicked, this, &TFRM_importacionMovimientos::BTN_examinarClick);
    connect(BTN_importar, &QPushButton::clicked, this, &TFRM_importacionMovimientos::importa);
    connect(BTN_informe, &QPushButton::clicked, this, &TFRM_importacionMovimientos::BTN_informeClick);
    connect(BTN_cerrar, &QPushButton::clicked, this, &TFRM_importacionMovimientos::reject);
    BTN_importar->setEnabled(!uSistema.esRestringido());
    resize(640, 420);
}

void TFRM_importacionMovimientos::init() {
    exec();
}

void TFRM_importacionMovimientos::reject() {
    if (!uImportando)
        QDialog::reject();
}

void TFRM_importacionMovimientos::BTN_examinarClick() {
    const QString ruta = u_eligeArchivoAbrir(QStringLiteral("Importar Movimientos"),
                                             QStringLiteral("Movimientos (*.csv *.xlsx)"));
    if (!ruta.isEmpty())
        TXT_archivo->setText(ruta);
}

void TFRM_importacionMovimientos::habilita(bool habilitado) {
    for (QWidget *w : std::initializer_list<QWidget *>{TXT_archivo, BTN_examinar, CHK_simular,
                                                       CHK_crearProductos, BTN_importar, BTN_cerrar})
        w->setEnabled(habilitado);
    BTN_importar->setEnabled(habilitado && !uSistema.esRestringido());
    BTN_informe->setEnabled(habilitado && !uResultado.lineasSalida.isEmpty());
}

void TFRM_importacionMovimientos::importa() {
    if (uSistema.esRestringido())
        return;
    if (TXT_archivo->text().trimmed().isEmpty()) {
        u_mensaje(QStringLiteral("Seleccione el archivo a importar."), kAdvertencia);
        return;
    }
    uSimulada = CHK_simular->isChecked();
    uResultado = {};
    uImportando = true;
    habilita(false);
    TXT_resumen->clear();
    ProgressBar1->setValue(0);
    uResultado = u_importaArchivoMovimientos(
        uSistema.getConexion(), uSistema.getNegocio().getIdNegocio(), TXT_archivo->text().trimmed(),
        {uSimulada, CHK_crearProductos->isChecked()}, [this](int hechos, int total) {
            ProgressBar1->setMaximum(total);
            ProgressBar1->setValue(hechos);
            // The import runs on this thread: let the window repaint between documents.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    uImportando = false;
    habilita(true);
    TXT_resumen->setPlainText(u_resumenImportacion(uResultado, uSimulada).join(QLatin1Char('\n')));
}

void TFRM_importacionMovimientos::BTN_informeClick() {
    const QString ruta = u_eligeArchivoGuardar(QStringLiteral("Salidas importadas"), QStringLiteral(".csv"),
                                               QStringLiteral("CSV (*.csv)"));
    if (ruta.isEmpty())
        return;
    QString error;
    if (!u_escribeInformeImportacion(ruta, uResultado, error))
        u_mensaje(QStringLiteral("No se pudo guardar el archivo \"%1\".\n%2").arg(ruta, error), kError);
}

#include "kardex/UFRM_construyendoKardex.h"

#include "comun/U_colores.h"
#include "comun/U_mensajes.h"
#include "kardex/UNEG_construccionKardex.h"
#include "kardex/u_threadConstruyeKardex.h"

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QThread>
#include <QVBoxLayout>

QPointer<TFRM_construyendoKardex> FRM_construyendoKardex;

TFRM_construyendoKardex::TFRM_construyendoKardex(const TsistemaDatos &sistema, QWidget *padre)
    : QDialog(padre), uSistema(sistema) {
    setObjectName(QStringLiteral("FRM_construyendoKardex"));
    FormCreate();
}

void TFRM_construyendoKardex::FormCreate() {
    setWindowTitle(QStringLiteral("Quiroval"));
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    setFixedSize(420, 150);
    auto *capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    Rectangle1 = new QFrame(this);
    Rectangle1->setObjectName(QStringLiteral("Rectangle1"));
    capa->addWidget(Rectangle1);
    auto *contenido = new QVBoxLayout(Rectangle1);
    contenido->setContentsMargins(20, 16, 20, 20);
    contenido->setSpacing(10);
    titulo2texto = new QLabel(QStringLiteral("Calculando ...."), Rectangle1);
    titulo2texto->setObjectName(QStringLiteral("titulo2texto"));
    contenido->addWidget(titulo2texto);
    uBarra1 = new QProgressBar(Rectangle1);
    uBarra1->setObjectName(QStringLiteral("ProgressBar1"));
    uBarra2 = new QProgressBar(Rectangle1);
    uBarra2->setObjectName(QStringLiteral("ProgressBar2"));
    contenido->addWidget(uBarra1);
    contenido->addWidget(uBarra2);
    // aplicaColoresMarca: the theme's solid background and second title colour.
    const TlistaColores colores = getColores();
    Rectangle1->setStyleSheet(
        QStringLiteral("QFrame#Rectangle1 { background: %1; }")
            .arg(QColor::fromRgba(colorOGris(colores, QStringLiteral("fondoSolido"))).name()));
    titulo2texto->setStyleSheet(
        QStringLiteral("QLabel#titulo2texto { color: %1; font-size: 13pt; font-weight: bold; }")
            .arg(QColor::fromRgba(colorOGris(colores, QStringLiteral("tituloFormulario2"))).name()));
}

void TFRM_construyendoKardex::init() {
    uInicia = true;
    for (QProgressBar *barra : {uBarra1, uBarra2}) {
        barra->setRange(0, 100);
        barra->setValue(0);
        barra->repaint();
    }
    exec();
}

void TFRM_construyendoKardex::showEvent(QShowEvent *evento) {
    QDialog::showEvent(evento);
    FormShow();
}

void TFRM_construyendoKardex::FormShow() {
    if (!uInicia)
        return;
    uInicia = false;
    uTrabajando = true;
    auto *trabajador = new TthreadConstruyeKardex(uBarra1, uBarra2, uSistema);
    connect(
        trabajador, &QThread::finished, this, [this, trabajador] { uFallida = !trabajador->resultado(); },
        Qt::DirectConnection);
    connect(trabajador, &QThread::finished, trabajador, &QObject::deleteLater);
    connect(trabajador, &QThread::finished, this, &TFRM_construyendoKardex::thread_end);
    trabajador->start();
}

void TFRM_construyendoKardex::thread_end() {
    uTrabajando = false;
    if (uFallida) {
        titulo2texto->setWordWrap(true);
        titulo2texto->setText(kReconstruccionFallida);
        u_mensaje(kReconstruccionFallida, kError);
    }
    QThread::msleep(2500);
    accept();
}

void TFRM_construyendoKardex::reject() {
    if (!uTrabajando)
        QDialog::reject();
}

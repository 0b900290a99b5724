#include "entradas/UFRM_lote.h"

#include "entradas/U_fechasDialogo.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFRM_lote::TFRM_lote(QWidget *padre) : TdialogoModal(QStringLiteral("Lote"), padre) {
    auto *principal = new QVBoxLayout(this);
    auto *rejilla = new QGridLayout;
    principal->addLayout(rejilla);

    TXT_lote = u_campo(this, QStringLiteral("TXT_lote"), 50);
    CHKBOX_fechaProduccion = new QCheckBox(QStringLiteral("Fecha de Producción"), this);
    CHKBOX_fechaProduccion->setObjectName(QStringLiteral("CHKBOX_fechaProduccion"));
    DTP_fechaProduccion = u_fecha(this, QStringLiteral("DTP_fechaProduccion"));
    CHKBOX_fechaCaducidad = new QCheckBox(QStringLiteral("Fecha de Caducidad"), this);
    CHKBOX_fechaCaducidad->setObjectName(QStringLiteral("CHKBOX_fechaCaducidad"));
    DTP_fechaCaducidad = u_fecha(this, QStringLiteral("DTP_fechaCaducidad"));
    auto *reiniciaLote = u_boton(this, QStringLiteral("BTN_reiniciarLote"), QStringLiteral("Limpiar"));
    auto *reiniciaProduccion =
        u_boton(this, QStringLiteral("BTN_reiniciarFechaProduccion"), QStringLiteral("Hoy"));
    auto *reiniciaCaducidad =
        u_boton(this, QStringLiteral("BTN_reiniciarFechaCaducidad"), QStringLiteral("Hoy"));

    rejilla->addWidget(u_etiqueta(this, QStringLiteral("LBL_lote"), QStringLiteral("No. de Lote")), 0, 0);
    rejilla->addWidget(TXT_lote, 0, 1);
    rejilla->addWidget(reiniciaLote, 0, 2);
    rejilla->addWidget(CHKBOX_fechaProduccion, 1, 0);
    rejilla->addWidget(DTP_fechaProduccion, 1, 1);
    rejilla->addWidget(reiniciaProduccion, 1, 2);
    rejilla->addWidget(CHKBOX_fechaCaducidad, 2, 0);
    rejilla->addWidget(DTP_fechaCaducidad, 2, 1);
    rejilla->addWidget(reiniciaCaducidad, 2, 2);
    agregaBotones(principal);

    enlazaFechaConCasilla(CHKBOX_fechaProduccion, DTP_fechaProduccion);
    enlazaFechaConCasilla(CHKBOX_fechaCaducidad, DTP_fechaCaducidad);
    connect(reiniciaLote, &QPushButton::clicked, TXT_lote, &QLineEdit::clear);
    connect(reiniciaProduccion, &QPushButton::clicked, this,
            [this] { DTP_fechaProduccion->setDate(QDate::currentDate()); });
    connect(reiniciaCaducidad, &QPushButton::clicked, this,
            [this] { DTP_fechaCaducidad->setDate(QDate::currentDate()); });
    prepara(Tlote());
}

void TFRM_lote::prepara(const Tlote &lote) {
    uEntrada = lote;
    TXT_lote->setText(lote.numero);
    muestraFecha(CHKBOX_fechaProduccion, DTP_fechaProduccion, lote.fechaProduccionEstablecida,
                 lote.fechaProduccion);
    muestraFecha(CHKBOX_fechaCaducidad, DTP_fechaCaducidad, lote.fechaCaducidadEstablecida,
                 lote.fechaCaducidad);
}

Tlote TFRM_lote::resultado() const {
    if (!uAceptar)
        return uEntrada;
    Tlote l = uEntrada;
    l.numero = TXT_lote->text();
    l.fechaProduccionEstablecida = CHKBOX_fechaProduccion->isChecked();
    l.fechaProduccion = fechaDelSelector(DTP_fechaProduccion);
    l.fechaCaducidadEstablecida = CHKBOX_fechaCaducidad->isChecked();
    l.fechaCaducidad = fechaDelSelector(DTP_fechaCaducidad);
    return l;
}

Tlote TFRM_lote::init(const Tlote &lote) {
    prepara(lote);
    exec();
    return resultado();
}

void TFRM_lote::initConsulta(const Tlote &lote) {
    prepara(lote);
    modoConsulta();
    exec();
}

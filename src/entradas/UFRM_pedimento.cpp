#include "entradas/UFRM_pedimento.h"

#include "comun/U_mensajes.h"
#include "entradas/UNEG_pedimento.h"
#include "entradas/U_catalogosXml.h"
#include "entradas/U_fechasDialogo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QComboBox *combo(QWidget *padre, const QString &nombre) {
    auto *c = new QComboBox(padre);
    c->setObjectName(nombre);
    c->setMinimumContentsLength(30);
    return c;
}
} // namespace

TFRM_pedimento::TFRM_pedimento(QWidget *padre) : TdialogoModal(QStringLiteral("Pedimento"), padre) {
    auto *principal = new QVBoxLayout(this);
    auto *rejilla = new QGridLayout;
    principal->addLayout(rejilla);

    TXT_numeroPedimento = u_campo(this, QStringLiteral("TXT_numeroPedimento"), pedimento::kLargoNumero);
    CHK_fechaExpedicion = new QCheckBox(QStringLiteral("Fecha de Expedición"), this);
    CHK_fechaExpedicion->setObjectName(QStringLiteral("CHK_fechaExpedicion"));
    DTP_fechaExpedicion = u_fecha(this, QStringLiteral("DTP_fechaExpedicion"));
    CBOX_aduana = combo(this, QStringLiteral("CBOX_aduana"));
    CBOX_paisOrigen = combo(this, QStringLiteral("CBOX_paisOrigen"));
    auto *reiniciaNumero = u_boton(this, QStringLiteral("BTN_reiniciarNumero"), QStringLiteral("Limpiar"));
    auto *reiniciaFecha = u_boton(this, QStringLiteral("BTN_reiniciarFecha"), QStringLiteral("Hoy"));
    auto *reiniciaAduana = u_boton(this, QStringLiteral("BTN_reiniciarAduana"), QStringLiteral("Limpiar"));
    auto *reiniciaPais = u_boton(this, QStringLiteral("BTN_reiniciarPais"), QStringLiteral("Limpiar"));

    rejilla->addWidget(
        u_etiqueta(this, QStringLiteral("LBL_numeroPedimento"), QStringLiteral("No. de Pedimento")), 0, 0);
    rejilla->addWidget(TXT_numeroPedimento, 0, 1);
    rejilla->addWidget(reiniciaNumero, 0, 2);
    rejilla->addWidget(CHK_fechaExpedicion, 1, 0);
    rejilla->addWidget(DTP_fechaExpedicion, 1, 1);
    rejilla->addWidget(reiniciaFecha, 1, 2);
    rejilla->addWidget(u_etiqueta(this, QStringLiteral("LBL_aduana"), QStringLiteral("Aduana")), 2, 0);
    rejilla->addWidget(CBOX_aduana, 2, 1);
    rejilla->addWidget(reiniciaAduana, 2, 2);
    rejilla->addWidget(u_etiqueta(this, QStringLiteral("LBL_paisOrigen"), QStringLiteral("País de Origen")),
                       3, 0);
    rejilla->addWidget(CBOX_paisOrigen, 3, 1);
    rejilla->addWidget(reiniciaPais, 3, 2);
    agregaBotones(principal);

    enlazaFechaConCasilla(CHK_fechaExpedicion, DTP_fechaExpedicion, reiniciaFecha);
    connect(reiniciaNumero, &QPushButton::clicked, TXT_numeroPedimento, &QLineEdit::clear);
    connect(reiniciaFecha, &QPushButton::clicked, this,
            [this] { DTP_fechaExpedicion->setDate(QDate::currentDate()); });
    connect(reiniciaAduana, &QPushButton::clicked, this, [this] { CBOX_aduana->setCurrentIndex(-1); });
    connect(reiniciaPais, &QPushButton::clicked, this, [this] { CBOX_paisOrigen->setCurrentIndex(-1); });
}

void TFRM_pedimento::cargaCatalogos() {
    CBOX_aduana->clear();
    valueMember_CBOX_aduana.clear();
    for (const auto &a : catalogosXml::u_cargaAduanas()) {
        CBOX_aduana->addItem(a.nombre);
        valueMember_CBOX_aduana.append(a.codigo);
    }
    CBOX_paisOrigen->clear();
    valueMember_CBOX_paisOrigen.clear();
    for (const auto &p : catalogosXml::u_cargaPaises()) {
        CBOX_paisOrigen->addItem(p.texto);
        valueMember_CBOX_paisOrigen.append(p.valor);
    }
}

void TFRM_pedimento::muestra(const Tpedimento &pedimento) {
    uEntrada = pedimento;
    muestraFecha(CHK_fechaExpedicion, DTP_fechaExpedicion, pedimento.tieneFecha(), pedimento.fechaDeAduana);
    TXT_numeroPedimento->setText(pedimento.numeroPedimento);
    CBOX_aduana->setCurrentIndex(valueMember_CBOX_aduana.indexOf(pedimento.aduana));
    CBOX_paisOrigen->setCurrentIndex(valueMember_CBOX_paisOrigen.indexOf(pedimento.paisOrigen));
}

void TFRM_pedimento::prepara(const Tpedimento &pedimento) {
    cargaCatalogos();
    muestra(pedimento);
}

void TFRM_pedimento::preparaConsulta(const Tpedimento &pedimento) {
    cargaCatalogos();
    // The stored country is shown as it was stored, whatever the catalogue holds today.
    CBOX_paisOrigen->clear();
    valueMember_CBOX_paisOrigen.clear();
    if (!pedimento.paisOrigen.isEmpty()) {
        CBOX_paisOrigen->addItem(pedimento.paisOrigen);
        valueMember_CBOX_paisOrigen.append(pedimento.paisOrigen);
    }
    muestra(pedimento);
    modoConsulta();
}

TcapturaPedimento TFRM_pedimento::captura() const {
    TcapturaPedimento c;
    c.fechaMarcada = CHK_fechaExpedicion->isChecked();
    c.fecha = fechaDelSelector(DTP_fechaExpedicion);
    c.numero = TXT_numeroPedimento->text();
    c.aduana = valueMember_CBOX_aduana.value(CBOX_aduana->currentIndex(), -1);
    c.paisOrigen = valueMember_CBOX_paisOrigen.value(CBOX_paisOrigen->currentIndex());
    return c;
}

void TFRM_pedimento::alAceptar() {
    const QString aviso = u_validaPedimento(captura());
    if (!aviso.isEmpty()) {
        u_mensaje(aviso, kAdvertencia);
        TXT_numeroPedimento->setFocus();
        return;
    }
    acepta();
}

Tpedimento TFRM_pedimento::resultado() const {
    return uAceptar ? u_pedimentoCapturado(uEntrada, captura()) : uEntrada;
}

Tpedimento TFRM_pedimento::init(const Tpedimento &pedimento) {
    prepara(pedimento);
    exec();
    return resultado();
}

void TFRM_pedimento::initConsulta(const Tpedimento &pedimento) {
    preparaConsulta(pedimento);
    exec();
}

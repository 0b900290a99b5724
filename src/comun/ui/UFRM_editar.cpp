#include "comun/ui/UFRM_editar.h"

#include "comun/U_mensajes.h"
#include "comun/U_numeroCapturado.h"
#include "comun/U_utilerias.h"
#include "comun/ui/UFRM_selectorBase.h"
#include "comun/ui/U_filtrosEntrada.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFRM_editar::TFRM_editar(QWidget *padre) : QDialog(padre) {
    setObjectName(QStringLiteral("FRM_editar"));
    setWindowTitle(QStringLiteral("Capturar"));
    auto *columna = new QVBoxLayout(this);
    LBL_titulo = new QLabel(this);
    LBL_titulo->setObjectName(QStringLiteral("LBL_titulo"));
    columna->addWidget(LBL_titulo);
    TXT_valor = new QLineEdit(this);
    TXT_valor->setObjectName(QStringLiteral("TXT_valor"));
    TXT_valor->setMaxLength(20);
    TXT_valor->setAlignment(Qt::AlignRight);
    u_soloDecimales(TXT_valor);
    columna->addWidget(TXT_valor);
    LBL_msg = new QLabel(this);
    LBL_msg->setObjectName(QStringLiteral("LBL_msg"));
    LBL_msg->setWordWrap(true);
    columna->addWidget(LBL_msg);
    u_botonesAceptarCancelar(this, columna, BTN_aceptar, BTN_cancelar);
    connect(TXT_valor, &QLineEdit::returnPressed, this, &TFRM_editar::BTN_aceptarClick);
    connect(BTN_aceptar, &QPushButton::clicked, this, &TFRM_editar::BTN_aceptarClick);
    u_aplicaEstiloDialogo(this);
    resize(320, sizeHint().height());
}

void TFRM_editar::preparaNumericoFraccion(const QString &titulo, const QString &valor) {
    uAceptar = false;
    uTitulo = titulo;
    uValor = valor;
    setWindowTitle(titulo);
    LBL_titulo->setText(titulo);
    LBL_msg->clear();
    TXT_valor->setText(valor);
    TXT_valor->selectAll();
    TXT_valor->setFocus();
}

void TFRM_editar::initNumericoFraccion(const QString &titulo, bool &aceptado, QString &valor) {
    preparaNumericoFraccion(titulo, valor);
    exec();
    aceptado = uAceptar;
    if (uAceptar)
        valor = uValor;
}

void TFRM_editar::BTN_aceptarClick() {
    const TnumeroCapturado n =
        u_leeNumeroCapturado(TXT_valor->text(), uTitulo.toLower(), TreglaNumero::CeroOPositivo);
    if (!n.ok) {
        LBL_msg->setText(n.mensaje);
        u_mensaje(n.mensaje, kAdvertencia);
        TXT_valor->setFocus();
        return;
    }
    uValor = FloatToStr(n.valor);
    uAceptar = true;
    accept();
}

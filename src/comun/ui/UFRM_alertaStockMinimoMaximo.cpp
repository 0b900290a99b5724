#include "comun/ui/UFRM_alertaStockMinimoMaximo.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

TFRM_alertaStockMinimoMaximo::TFRM_alertaStockMinimoMaximo(QWidget *padre)
    : TdialogoModal(QStringLiteral("Stock Mínimo Máximo"), padre) {
    auto *principal = new QVBoxLayout(this);
    LBL_formularioTitulo = u_etiqueta(this, QStringLiteral("LBL_formularioTitulo"));
    QFont grande = LBL_formularioTitulo->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.4);
    grande.setBold(true);
    LBL_formularioTitulo->setFont(grande);
    principal->addWidget(LBL_formularioTitulo);

    auto *datos = new QGridLayout;
    LBL_almacen = u_etiqueta(this, QStringLiteral("LBL_almacen"));
    LBL_producto = u_etiqueta(this, QStringLiteral("LBL_producto"));
    LBL_cantidad = u_etiqueta(this, QStringLiteral("LBL_cantidad"));
    LBL_minimoMaximoEtiqueta = u_etiqueta(this, QStringLiteral("LBL_minimoMaximoEtiqueta"));
    LBL_minimoMaximoValor = u_etiqueta(this, QStringLiteral("LBL_minimoMaximoValor"));
    datos->addWidget(new QLabel(QStringLiteral("Almacen"), this), 0, 0);
    datos->addWidget(LBL_almacen, 0, 1);
    datos->addWidget(new QLabel(QStringLiteral("Producto"), this), 1, 0);
    datos->addWidget(LBL_producto, 1, 1);
    datos->addWidget(new QLabel(QStringLiteral("Cantidad"), this), 2, 0);
    datos->addWidget(LBL_cantidad, 2, 1);
    datos->addWidget(LBL_minimoMaximoEtiqueta, 3, 0);
    datos->addWidget(LBL_minimoMaximoValor, 3, 1);
    datos->setColumnStretch(1, 1);
    principal->addLayout(datos);

    auto *texto = u_etiqueta(this, QStringLiteral("LBL_mensaje"), kTextoAlertaStock);
    texto->setWordWrap(true);
    principal->addWidget(texto);
    agregaBotones(principal);
    setMinimumWidth(420);
}

void TFRM_alertaStockMinimoMaximo::prepara(const TalertaStock &alerta) {
    uAceptar = false;
    LBL_formularioTitulo->setText(u_encabezadoAlertaStock(alerta.maximo));
    LBL_almacen->setText(alerta.almacen);
    LBL_producto->setText(alerta.producto);
    LBL_cantidad->setText(alerta.cantidad);
    LBL_minimoMaximoEtiqueta->setText(u_etiquetaAlertaStock(alerta.maximo));
    LBL_minimoMaximoValor->setText(alerta.limite);
}

bool TFRM_alertaStockMinimoMaximo::pregunta(const TalertaStock &alerta) {
    prepara(alerta);
    exec();
    return uAceptar;
}

bool TFRM_alertaStockMinimoMaximo::initAlertaMinimo(const QString &almacen, const QString &producto,
                                                    const QString &cantidad, const QString &minimo) {
    return pregunta({false, almacen, producto, cantidad, minimo});
}

bool TFRM_alertaStockMinimoMaximo::initAlertaMaximo(const QString &almacen, const QString &producto,
                                                    const QString &cantidad, const QString &maximo) {
    return pregunta({true, almacen, producto, cantidad, maximo});
}

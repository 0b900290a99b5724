#include "comun/ui/UinteraccionQt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include "comun/ui/UFRM_alertaStockMinimoMaximo.h"

namespace {
QWidget *ventanaActual() {
    return QApplication::activeWindow();
}
} // namespace

void TinteraccionQt::mensaje(const QString &texto, int tipo) {
    switch (tipo) {
    case kError:
        QMessageBox::critical(ventanaActual(), QStringLiteral("Error"), texto);
        break;
    case kAdvertencia:
        QMessageBox::warning(ventanaActual(), QStringLiteral("Advertencia"), texto);
        break;
    case kPersonalizado: {
        QMessageBox caja(QMessageBox::NoIcon, QStringLiteral("Inventario"), texto, QMessageBox::Ok,
                         ventanaActual());
        caja.exec();
        break;
    }
    default:
        QMessageBox::information(ventanaActual(), QStringLiteral("Información"), texto);
        break;
    }
}

bool TinteraccionQt::confirmaAceptarCancelar(const QString &texto) {
    QMessageBox caja(QMessageBox::Question, QStringLiteral("Confirmación"), texto,
                     QMessageBox::Ok | QMessageBox::Cancel, ventanaActual());
    caja.button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
    caja.button(QMessageBox::Cancel)->setText(QStringLiteral("Cancelar"));
    caja.setDefaultButton(QMessageBox::Cancel);
    return caja.exec() == QMessageBox::Ok;
}

bool TinteraccionQt::confirmaSiNo(const QString &texto) {
    QMessageBox caja(QMessageBox::Question, QStringLiteral("Confirmación"), texto,
                     QMessageBox::Yes | QMessageBox::No, ventanaActual());
    caja.button(QMessageBox::Yes)->setText(QStringLiteral("Sí"));
    caja.button(QMessageBox::No)->setText(QStringLiteral("No"));
    caja.setDefaultButton(QMessageBox::No);
    return caja.exec() == QMessageBox::Yes;
}

bool TinteraccionQt::alertaStock(const TalertaStock &alerta) {
    TFRM_alertaStockMinimoMaximo dialogo(ventanaActual());
    return dialogo.pregunta(alerta);
}

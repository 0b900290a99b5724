#include "comun/ui/UestiloComponentes.h"

#include <QColor>

TEstiloComponentesBPLFrm *EstiloComponentesBPLFrm = nullptr;

namespace {
QString css(const TlistaColores &c, const char *nombre) {
    return QColor::fromRgba(colorOGris(c, QString::fromLatin1(nombre))).name(QColor::HexRgb);
}
} // namespace

TEstiloComponentesBPLFrm::TEstiloComponentesBPLFrm(const TlistaColores &c) {
    setObjectName(QStringLiteral("EstiloComponentesBPLFrm"));
    uHoja = QStringLiteral(
                "QWidget { font-size: 10pt; color: %1; }"
                "QPushButton { background: %2; color: %3; border: none; border-radius: 4px; "
                "padding: 6px 14px; }"
                "QPushButton:disabled { background: %4; color: #ffffff; }"
                "QLineEdit, QComboBox, QDateEdit, QSpinBox { border: 1px solid %4; border-radius: 3px; "
                "padding: 3px; background: #ffffff; }"
                "QTableView { gridline-color: %4; alternate-background-color: %5; "
                "selection-background-color: %6; selection-color: %1; }")
                .arg(css(c, "textoNormal"), css(c, "botonPrimario"), css(c, "botonPrimarioTexto"),
                     css(c, "bordeSuave"), css(c, "filaAlterna"), css(c, "seleccion"));
}

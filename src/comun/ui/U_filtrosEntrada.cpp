#include "comun/ui/U_filtrosEntrada.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace {
void filtra(QLineEdit *edit, const QString &patron) {
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(patron), edit));
}
} // namespace

void u_soloDecimales(QLineEdit *edit, int decimales) {
    const QString parteDecimal =
        decimales < 0 ? QStringLiteral("\\d*") : QStringLiteral("\\d{0,%1}").arg(decimales);
    filtra(edit, decimales == 0 ? QStringLiteral("\\d{0,12}")
                                : QStringLiteral("\\d{0,12}(\\.%1)?").arg(parteDecimal));
}

void u_soloNumeros(QLineEdit *edit) {
    filtra(edit, QStringLiteral("\\d*"));
}

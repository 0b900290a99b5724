#include "comun/U_numeroCapturado.h"

#include "comun/U_utilerias.h"

#include <QRegularExpression>

TnumeroCapturado u_leeNumeroCapturado(const QString &texto, const QString &campo, TreglaNumero regla) {
    static const QRegularExpression kDecimal(QStringLiteral("^\\d+(\\.\\d*)?$|^\\.\\d+$"));
    TnumeroCapturado r;
    const QString limpio = texto.trimmed();
    if (limpio.isEmpty()) {
        r.mensaje = QStringLiteral("Capture un valor para %1.").arg(campo);
        return r;
    }
    if (!kDecimal.match(limpio).hasMatch()) {
        r.mensaje =
            QStringLiteral("El valor de %1 debe ser un número positivo, sin signos ni letras.").arg(campo);
        return r;
    }
    bool convertido = false;
    const double valor = limpio.toDouble(&convertido);
    if (!convertido || valor > kNumeroCapturadoMaximo) {
        r.mensaje = QStringLiteral("El valor de %1 es demasiado grande.").arg(campo);
        return r;
    }
    if (regla == TreglaNumero::Positivo && !u_esPositivo(valor)) {
        r.mensaje = QStringLiteral("El valor de %1 debe ser mayor a 0.").arg(campo);
        return r;
    }
    r.ok = true;
    r.valor = valor;
    return r;
}

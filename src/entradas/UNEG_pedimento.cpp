#include "entradas/UNEG_pedimento.h"

#include <QRegularExpression>

QString u_validaPedimento(const TcapturaPedimento &captura) {
    if (captura.fechaMarcada && captura.numero.trimmed().isEmpty())
        return pedimento::kSinNumero;
    return {};
}

Tpedimento u_pedimentoCapturado(const Tpedimento &actual, const TcapturaPedimento &captura) {
    Tpedimento p = actual;
    p.fechaDeAduana = captura.fechaMarcada ? captura.fecha : fechaHora::kSinFecha;
    p.numeroPedimento = captura.numero.left(pedimento::kLargoNumero);
    p.aduana = captura.aduana;
    p.paisOrigen = captura.paisOrigen;
    return p;
}

Tpedimento u_pedimentoDeCfdi(const QString &numeroPedimento) {
    Tpedimento p;
    QString digitos = numeroPedimento;
    digitos.remove(QLatin1Char(' '));
    static const QRegularExpression kQuinceDigitos(QStringLiteral("^[0-9]{15}$"));
    if (!kQuinceDigitos.match(digitos).hasMatch()) {
        p.numeroPedimento = numeroPedimento.trimmed().left(pedimento::kLargoNumero);
        return p;
    }
    const QString separador = QStringLiteral("  ");
    p.numeroPedimento = digitos.left(2) + separador + digitos.mid(2, 2) + separador + digitos.mid(4, 4) +
                        separador + digitos.mid(8);
    p.aduana = digitos.mid(2, 2).toInt();
    return p;
}

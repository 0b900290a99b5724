#include "entradas/UNEG_pedimento.h"

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

#include "kardex/UMOD_movimientoKardex.h"

#include "datos/UfechaHora.h"

namespace {
int cifras(const QString &t, int desde, int cuantas) {
    int valor = 0;
    for (int i = desde; i < desde + cuantas; ++i) {
        const int d = t.at(i).unicode() - '0';
        if (d < 0 || d > 9)
            return -1;
        valor = valor * 10 + d;
    }
    return valor;
}
} // namespace

QDateTime TcolumnasMovimiento::fecha(const CmidTierResponse &lista, int fila, int columna) {
    const QVariant v = lista.getValor(fila, columna);
    if (v.typeId() == QMetaType::QString) {
        // 'YYYY-MM-DD HH:MM:SS.zzz' as stored on SQLite.
        const QString t = v.toString();
        if (t.size() == 23 && t.at(4) == QLatin1Char('-') && t.at(10) == QLatin1Char(' ')) {
            const QDate dia(cifras(t, 0, 4), cifras(t, 5, 2), cifras(t, 8, 2));
            const QTime hora(cifras(t, 11, 2), cifras(t, 14, 2), cifras(t, 17, 2), cifras(t, 20, 3));
            if (dia.isValid() && hora.isValid())
                return QDateTime(dia, hora, Qt::UTC);
        }
    }
    const QDateTime leida = fechaHora::deValorBD(v);
    return leida.isValid() ? QDateTime(leida.date(), leida.time(), Qt::UTC) : leida;
}

TcolumnasMovimiento::TcolumnasMovimiento(const CmidTierResponse &l)
    : fechaHora(l.getIndiceColumnaPorNombre(QStringLiteral("inventarioEntrada_fechaHora"))),
      tipo(l.getIndiceColumnaPorNombre(QStringLiteral("inventarioMovimientoConcepto_id"))),
      productoID(l.getIndiceColumnaPorNombre(QStringLiteral("inventarioProducto_id"))),
      almacenID(l.getIndiceColumnaPorNombre(QStringLiteral("inventarioAlmacen_id"))),
      entradaID(l.getIndiceColumnaPorNombre(QStringLiteral("inventarioEntrada_id"))),
      entradaDocumento(l.getIndiceColumnaPorNombre(QStringLiteral("inventarioEntrada_documento"))),
      entradaCantidad(l.getIndiceColumnaPorNombre(QStringLiteral("inventarioEntrada_cantidad"))),
      entradaExistenciaCostoUnitario(
          l.getIndiceColumnaPorNombre(QStringLiteral("inventarioEntrada_existenciaCostoUnitario"))),
      salidaDocumento(l.getIndiceColumnaPorNombre(QStringLiteral("inventarioSalida_documento"))),
      entradaRelacionada(l.getIndiceColumnaPorNombre(QStringLiteral("_id_entradaRelacionada"))),
      salidaCantidad(l.getIndiceColumnaPorNombre(QStringLiteral("inventarioSalida_cantidad"))),
      salidaExistenciaCostoUnitario(
          l.getIndiceColumnaPorNombre(QStringLiteral("inventarioSalida_existenciaCostoUnitario"))),
      devolucionVentasID(
          l.getIndiceColumnaPorNombre(QStringLiteral("_entrada_devolucionVentasIDrelacionado"))),
      negocioID(l.getIndiceColumnaPorNombre(QStringLiteral("inventarioEntrada_idNegocioFk"))),
      existenciaTotal(l.getIndiceColumnaPorNombre(QStringLiteral("_existenciaTotal"))),
      existenciaCostoTotal(l.getIndiceColumnaPorNombre(QStringLiteral("_existenciaCostoTotal"))),
      existenciaCostoUnitario(l.getIndiceColumnaPorNombre(QStringLiteral("_existenciaCostoUnitario"))),
      entradaCostoUnitario(l.getIndiceColumnaPorNombre(QStringLiteral("inventarioEntrada_costoUnitario"))),
      salidaID(l.getIndiceColumnaPorNombre(QStringLiteral("inventarioSalida_id"))),
      salidaSalidaCostoUnitario(
          l.getIndiceColumnaPorNombre(QStringLiteral("inventarioSalida_salidaCostoUnitario"))),
      capaCostoUnitario(l.getIndiceColumnaPorNombre(QStringLiteral("_capa_costoUnitario"))) {}

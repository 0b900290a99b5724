#include "kardex/UMOD_movimientoKardex.h"

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
          l.getIndiceColumnaPorNombre(QStringLiteral("inventarioSalida_salidaCostoUnitario"))) {}

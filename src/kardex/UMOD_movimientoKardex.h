#pragma once

#include "datos/UmidTierResponse.h"

#include <QDateTime>

// Where each column of a movement list (TlecturaReconstruccion::selectEntradasSalidasPorOrdenCronologico…)
// sits, looked up once per list: the rebuild reads every cell of up to millions of rows.
struct TcolumnasMovimiento {
    explicit TcolumnasMovimiento(const CmidTierResponse &lista);

    // The movement's wall-clock date-time, carried without a time zone: the rebuild only copies
    // it into ledger rows, and local-time conversions cost a system call per row.
    static QDateTime fecha(const CmidTierResponse &lista, int fila, int columna);

    int fechaHora;
    int tipo;
    int productoID;
    int almacenID;
    int entradaID;
    int entradaDocumento;
    int entradaCantidad;
    int entradaExistenciaCostoUnitario;
    int salidaDocumento;
    int entradaRelacionada;
    int salidaCantidad;
    int salidaExistenciaCostoUnitario;
    int devolucionVentasID;
    int negocioID;
    int existenciaTotal;
    int existenciaCostoTotal;
    int existenciaCostoUnitario;
    int entradaCostoUnitario;
    int salidaID;
    int salidaSalidaCostoUnitario;
    int capaCostoUnitario;
};

#include "kardex/U_reconstruyeKardex.h"

#include "kardex/UNEG_construccionKardex.h"

#include <QElapsedTimer>

int reconstruyeKardexEnConsola(TConexionSesion *sesion, int idNegocio, QTextStream &salida) {
    TconstruccionKardex construccion(sesion, idNegocio);
    construccion.setVaciaPrimero(true);
    int ultimoAlmacenes = -1;
    int ultimoProductos = -1;
    construccion.setAvance([&](int productos, int almacenes) {
        // A line when the warehouse bar moves or the product bar passes a tenth.
        if (almacenes == ultimoAlmacenes && productos / 10 == ultimoProductos / 10)
            return;
        ultimoAlmacenes = almacenes;
        ultimoProductos = productos;
        salida << QStringLiteral("Reconstruyendo kardex: almacenes %1%, productos del almacén %2%")
                      .arg(almacenes)
                      .arg(productos)
               << Qt::endl;
    });
    QElapsedTimer reloj;
    reloj.start();
    const bool ok = construccion.construye();
    if (!ok) {
        salida << kReconstruccionFallida << Qt::endl;
        return 1;
    }
    salida << QStringLiteral("Kardex reconstruido: %1 movimientos, %2 renglones, %3 s.")
                  .arg(construccion.movimientosLeidos())
                  .arg(construccion.renglonesEscritos())
                  .arg(reloj.elapsed() / 1000.0, 0, 'f', 1)
           << Qt::endl;
    return 0;
}

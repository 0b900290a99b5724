#include "existencias/U_importacionConsola.h"

int importaMovimientosEnConsola(TConexionSesion *sesion, int idNegocio, const QString &ruta,
                                const TopcionesImportacion &opciones, const QString &informe,
                                QTextStream &salida) {
    int decena = -1; // one line every ten percent
    const TresultadoImportacionMovimientos r =
        u_importaArchivoMovimientos(sesion, idNegocio, ruta, opciones, [&](int hechos, int total) {
            const int porcentaje = total > 0 ? hechos * 100 / total : 100;
            if (porcentaje / 10 == decena)
                return;
            decena = porcentaje / 10;
            salida << "Importando: " << porcentaje << " %" << Qt::endl;
        });
    for (const QString &linea : u_resumenImportacion(r, opciones.simular))
        salida << linea << Qt::endl;
    if (!informe.isEmpty()) {
        QString error;
        if (!u_escribeInformeImportacion(informe, r, error)) {
            salida << "No se pudo escribir el informe " << informe << ": " << error << Qt::endl;
            return 1;
        }
    }
    return r.completa ? 0 : 1;
}

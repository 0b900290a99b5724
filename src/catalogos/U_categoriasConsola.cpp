#include "catalogos/U_categoriasConsola.h"

#include "catalogos/UNEG_categoriasXlsx.h"

namespace {
QString enLineas(QString texto) {
    return texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}
} // namespace

int exportaCategoriasEnConsola(TConexionSesion *sesion, int idNegocio, const QString &ruta,
                               QTextStream &salida) {
    QString error;
    if (!u_escribeCategoriasXlsx(sesion, idNegocio, ruta, &error)) {
        salida << "No se exportaron las categorías: " << enLineas(error) << Qt::endl;
        return 1;
    }
    salida << "Categorías exportadas a " << ruta << Qt::endl;
    return 0;
}

int importaCategoriasEnConsola(TConexionSesion *sesion, int idNegocio, const QString &ruta,
                               QTextStream &salida) {
    int decena = -1; // one line every ten percent
    const TresultadoImportacion r = u_importaArchivoCategorias(sesion, idNegocio, ruta, [&](int porcentaje) {
        if (porcentaje / 10 == decena)
            return;
        decena = porcentaje / 10;
        salida << "Importando: " << porcentaje << " %" << Qt::endl;
    });
    if (!r.confirmada) {
        salida << enLineas(r.mensaje) << Qt::endl;
        return 1;
    }
    salida << "Categorías importadas: " << r.insertadas << Qt::endl;
    return 0;
}

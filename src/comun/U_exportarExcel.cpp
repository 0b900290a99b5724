#include "comun/U_exportarExcel.h"

#include "comun/U_archivosSalida.h"
#include "comun/U_escritorXlsx.h"
#include "comun/UsistemaDatos.h"

bool exportarREC(const RECexportar &datos, const TsistemaDatos &sistema) {
    if (datos.cabeceras.isEmpty() || datos.celdas.isEmpty())
        return false;
    const QString subtitulo = u_subtituloReporte(sistema);
    return !u_guardaReporte(datos.titulo, QStringLiteral(".xlsx"), QStringLiteral("Libro de Excel (*.xlsx)"),
                            [&](const QString &ruta, QString *error) {
                                return u_escribeXlsx(ruta, datos, subtitulo, error);
                            })
                .isEmpty();
}

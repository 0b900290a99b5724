#include "comun/ui/U_reportes.h"

#include "comun/U_archivosSalida.h"
#include "comun/U_exportarExcel.h"
#include "comun/UsistemaDatos.h"
#include "comun/ui/U_generaPDF.h"
#include "comun/ui/UgridControl.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <QUrl>

bool u_exportaPDF(const QString &titulo, const cTabla &tabla, const TsistemaDatos &sistema,
                  const TopcionesPDF &opciones) {
    if (!tabla.tieneContenido())
        return false;
    const QString nombre = opciones.nombreArchivo.isEmpty() ? titulo : opciones.nombreArchivo;
    return !u_guardaReporte(nombre, QStringLiteral(".pdf"), QStringLiteral("Documento PDF (*.pdf)"),
                            [&](const QString &ruta, QString *error) {
                                return generaPDF(u_descripcionReporte(titulo, sistema, ruta, tabla,
                                                                      opciones.escala, opciones.desde,
                                                                      opciones.hasta),
                                                 error);
                            })
                .isEmpty();
}

bool exportarGridExcelUNI(const TGridControl &grid, const QString &titulo, const TsistemaDatos &sistema) {
    RECexportar datos;
    for (int c : grid.columnasImprimibles()) {
        const TcolumnaGrid &columna = grid.columna(c);
        datos.cabeceras.append(columna.cabecera);
        datos.tipos.append(columna.tipo == kColMoneda   ? kCeldaMoneda
                           : columna.tipo == kColNumero ? kCeldaNumero
                                                        : kCeldaTexto);
    }
    datos.celdas = grid.getTTablaPDF();
    datos.titulo = titulo;
    return exportarREC(datos, sistema);
}

void u_instalaArchivosQt() {
    u_instalaDialogoGuardar([](const QString &propuesto, const QString &filtro) {
        const QString carpeta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return QFileDialog::getSaveFileName(QApplication::activeWindow(), QStringLiteral("Guardar como"),
                                            QDir(carpeta).filePath(propuesto), filtro);
    });
    u_instalaAbridorArchivo(
        [](const QString &ruta) { QDesktopServices::openUrl(QUrl::fromLocalFile(ruta)); });
    u_instalaDialogoAbrir([](const QString &titulo, const QString &filtro) {
        const QString carpeta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), titulo, carpeta, filtro);
    });
}

cTabla u_tablaReporte(const TcolumnaReporte *columnas, int cuantas, const TGridControl &grid) {
    cTabla tabla;
    QStringList aliases;
    for (int i = 0; i < cuantas; ++i) {
        const TcolumnaReporte &c = columnas[i];
        tabla.addCabecera(QString::fromUtf8(c.cabecera), c.tipo, c.ancho, c.alineacion);
        aliases.append(QString::fromLatin1(c.alias));
    }
    tabla.setFilas(grid.getTTabla(aliases));
    return tabla;
}

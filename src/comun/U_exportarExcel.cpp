#include "comun/U_exportarExcel.h"

#include "comun/U_archivosSalida.h"
#include "comun/U_escritorXlsx.h"
#include "comun/UsistemaDatos.h"

#include <QDateTime>

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

QVector<TfilaFicha> u_bloqueNegocioFicha(const TsistemaDatos &sistema) {
    const TNegocio &n = sistema.getNegocio();
    const TdatosFiscales &f = n.getDatosFiscales();
    const QDateTime ahora = QDateTime::currentDateTime();
    const QList<QPair<QString, QString>> datos = {
        {QStringLiteral("Negocio"), n.getNombre()},
        {QStringLiteral("RFC"), f.rfc},
        {QStringLiteral("Razón Social"), f.razonSocial},
        {QStringLiteral("Dirección Fiscal"), f.direccionFiscal},
        {QStringLiteral("Código Postal"), f.codigoPostal},
        {QStringLiteral("Régimen Fiscal"), f.regimenFiscal},
        {QStringLiteral("Fecha"), ahora.toString(QStringLiteral("dd/MM/yyyy"))},
        {QStringLiteral("Hora"), ahora.toString(QStringLiteral("HH:mm"))},
    };
    QVector<TfilaFicha> filas;
    for (const auto &d : datos)
        filas.append({{d.first, kFichaEtiqueta}, {d.second, kFichaTexto, 2}});
    return filas;
}

bool exportarFicha(const RECficha &ficha, const TsistemaDatos &sistema) {
    if (ficha.filas.isEmpty())
        return false;
    RECficha completa = ficha;
    completa.filas = u_bloqueNegocioFicha(sistema) + QVector<TfilaFicha>{TfilaFicha()} + ficha.filas;
    return !u_guardaReporte(ficha.titulo, QStringLiteral(".xlsx"), QStringLiteral("Libro de Excel (*.xlsx)"),
                            [&](const QString &ruta, QString *error) {
                                return u_escribeXlsxFicha(ruta, completa, error);
                            })
                .isEmpty();
}

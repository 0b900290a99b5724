#include "comun/U_exportarExcel.h"

#include "comun/U_archivosSalida.h"
#include "comun/U_escritorXlsx.h"
#include "comun/UsistemaDatos.h"

namespace {
const QString kExtension = QStringLiteral(".xlsx");
const QString kFiltro = QStringLiteral("Libro de Excel (*.xlsx)");

constexpr int kFilaTituloDetalle = 9;
constexpr int kFilaParesDetalle = 10;

TceldaHojaXlsx celda(int fila, int columna, int columnaFinal, const QVariant &valor, bool negrita = false) {
    TceldaHojaXlsx c;
    c.fila = fila;
    c.columna = columna;
    c.columnaFinal = columnaFinal;
    c.valor = valor;
    c.negrita = negrita;
    return c;
}
} // namespace
#include <QDateTime>

bool exportarREC(const RECexportar &datos, const TsistemaDatos &sistema) {
    if (datos.cabeceras.isEmpty() || datos.celdas.isEmpty())
        return false;
    const QString subtitulo = u_subtituloReporte(sistema);
    return !u_guardaReporte(datos.titulo, kExtension, kFiltro, [&](const QString &ruta, QString *error) {
                return u_escribeXlsx(ruta, datos, subtitulo, error);
            }).isEmpty();
}

ThojaXlsx u_hojaDetalle(const QString &titulo, const QVector<TparDetalle> &pares,
                        const TsistemaDatos &sistema, const QDateTime &momento) {
    const TNegocio &negocio = sistema.getNegocio();
    const TdomicilioFiscal &domicilio = negocio.getDatosFiscales().domicilio;
    const QVector<QPair<QString, QString>> bloque{
        {QStringLiteral("Negocio"), negocio.getNombre()},
        {QStringLiteral("RFC"), negocio.getDatosFiscales().rfc},
        {QStringLiteral("Razón Social"), negocio.getDatosFiscales().razonSocial},
        {QStringLiteral("Estado"), domicilio.estado},
        {QStringLiteral("Colonia"), domicilio.colonia},
        {QStringLiteral("Calle"), domicilio.calle},
        {QStringLiteral("No."), domicilio.numeroExterior},
        {QStringLiteral("Fecha Documento"), momento.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"))},
    };
    ThojaXlsx hoja;
    hoja.nombre = titulo;
    hoja.anchos = {18, 18, 18, 30, 12};
    for (int f = 0; f < bloque.size(); ++f) {
        hoja.celdas.append(celda(f, 0, -1, bloque[f].first, true));
        hoja.celdas.append(celda(f, 1, 2, bloque[f].second));
    }
    TceldaHojaXlsx encabezado = celda(kFilaTituloDetalle, 0, 4, titulo, true);
    encabezado.tamano = 14;
    hoja.celdas.append(encabezado);
    for (int i = 0; i < pares.size(); ++i) {
        const int fila = kFilaParesDetalle + i;
        hoja.celdas.append(celda(fila, 0, 2, pares[i].etiqueta, true));
        TceldaHojaXlsx valor = celda(fila, 3, -1, pares[i].texto);
        if (pares[i].importe.isValid()) {
            valor.valor = pares[i].importe.toDouble();
            valor.formato = kFormatoMonedaDetalle;
        }
        hoja.celdas.append(valor);
    }
    return hoja;
}

bool exportarHojaXlsx(const ThojaXlsx &hoja, const QString &nombre) {
    return !u_guardaReporte(nombre, kExtension, kFiltro, [&](const QString &ruta, QString *error) {
                return u_escribeHojaXlsx(ruta, hoja, error);
            }).isEmpty();
}

QVector<TfilaFicha> u_bloqueNegocioFicha(const TsistemaDatos &sistema) {
    const TNegocio &n = sistema.getNegocio();
    const TdatosFiscales &f = n.getDatosFiscales();
    const QDateTime ahora = QDateTime::currentDateTime();
    const QList<QPair<QString, QString>> datos = {
        {QStringLiteral("Negocio"), n.getNombre()},
        {QStringLiteral("RFC"), f.rfc},
        {QStringLiteral("Razón Social"), f.razonSocial},
        {QStringLiteral("Dirección Fiscal"), f.domicilio.enUnaLinea()},
        {QStringLiteral("Código Postal"), f.domicilio.codigoPostal},
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

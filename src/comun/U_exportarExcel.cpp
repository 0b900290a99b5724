#include "comun/U_exportarExcel.h"

#include "comun/U_archivosSalida.h"
#include "comun/U_escritorXlsx.h"
#include "comun/UsistemaDatos.h"

#include <QRegularExpression>

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

bool exportarREC(const RECexportar &datos, const TsistemaDatos &sistema) {
    if (datos.cabeceras.isEmpty() || datos.celdas.isEmpty())
        return false;
    const QString subtitulo = u_subtituloReporte(sistema);
    return !u_guardaReporte(datos.titulo, kExtension, kFiltro, [&](const QString &ruta, QString *error) {
                return u_escribeXlsx(ruta, datos, subtitulo, error);
            }).isEmpty();
}

TpartesDomicilio u_partesDomicilio(const QString &direccion) {
    static const QRegularExpression kCodigoPostal(QStringLiteral("^(C\\.?\\s?P\\.?\\s*)?\\d{5}$"),
                                                  QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression kPais(QStringLiteral("^M[eé]xico$"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression kColonia(QStringLiteral("^(Col\\.?|Colonia)\\s+(.+)$"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression kInterior(QStringLiteral("\\s+(Int\\.?|Interior)\\s*\\S+$"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression kNumero(
        QStringLiteral("^(.*\\S)\\s+(?:No\\.?\\s*|#\\s*)?(\\d+[A-Za-z]?|S/N)$"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList partes;
    for (const QString &p : direccion.split(QLatin1Char(','))) {
        const QString t = p.simplified();
        if (!t.isEmpty() && !kCodigoPostal.match(t).hasMatch() && !kPais.match(t).hasMatch())
            partes.append(t);
    }
    TpartesDomicilio d;
    for (int i = 0; i < partes.size(); ++i) {
        const QRegularExpressionMatch m = kColonia.match(partes[i]);
        if (m.hasMatch()) {
            d.colonia = m.captured(2);
            partes.removeAt(i);
            break;
        }
    }
    if (partes.isEmpty())
        return d;
    QString calle = partes.takeFirst();
    QString interior;
    const QRegularExpressionMatch mi = kInterior.match(calle);
    if (mi.hasMatch()) {
        interior = mi.captured(0).trimmed();
        calle.chop(mi.capturedLength(0));
    }
    const QRegularExpressionMatch mn = kNumero.match(calle);
    if (mn.hasMatch()) {
        d.calle = mn.captured(1);
        d.numero = (mn.captured(2) + QLatin1Char(' ') + interior).trimmed();
    } else {
        d.calle = (calle + QLatin1Char(' ') + interior).trimmed();
    }
    // What is left is the city and the state, in that order.
    if (partes.size() >= 2)
        d.estado = partes.last();
    return d;
}

ThojaXlsx u_hojaDetalle(const QString &titulo, const QVector<TparDetalle> &pares,
                        const TsistemaDatos &sistema, const QDateTime &momento) {
    const TNegocio &negocio = sistema.getNegocio();
    const TpartesDomicilio domicilio = u_partesDomicilio(negocio.getDatosFiscales().direccionFiscal);
    const QVector<QPair<QString, QString>> bloque{
        {QStringLiteral("Negocio"), negocio.getNombre()},
        {QStringLiteral("RFC"), negocio.getDatosFiscales().rfc},
        {QStringLiteral("Razón Social"), negocio.getDatosFiscales().razonSocial},
        {QStringLiteral("Estado"), domicilio.estado},
        {QStringLiteral("Colonia"), domicilio.colonia},
        {QStringLiteral("Calle"), domicilio.calle},
        {QStringLiteral("No."), domicilio.numero},
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

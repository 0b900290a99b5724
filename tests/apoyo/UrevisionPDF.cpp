#include "apoyo/UrevisionPDF.h"

#include "apoyo/UbasePrueba.h"
#include "comun/U_disenoTabla.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

cTabla u_tablaPrueba(const QVector<TcolumnaPrueba> &columnas, const TTabla &filas) {
    cTabla t;
    for (const TcolumnaPrueba &c : columnas)
        t.addCabecera(QString::fromUtf8(c.cabecera), c.tipo, c.ancho, c.alineacion);
    t.setFilas(filas);
    return t;
}

QString u_textoPDF(const QString &ruta) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), ruta, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

void u_conservaEnSalida(const QString &ruta, const QString &nombre) {
    const QString copia = TbasePrueba::carpetaSalida() + QLatin1Char('/') + nombre;
    QFile::remove(copia);
    QFile::copy(ruta, copia);
}

QStringList u_faltasImpresion(const QString &texto, const QStringList &cabeceras,
                              const QStringList &figuras) {
    const QStringList lineas = texto.split(QLatin1Char('\n'));
    const auto enUnaLinea = [&lineas](const QString &buscado) {
        for (const QString &linea : lineas)
            if (linea.contains(buscado))
                return true;
        return false;
    };
    QStringList faltas;
    for (const QString &cabecera : cabeceras)
        for (const QString &palabra : cabecera.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            if (!enUnaLinea(palabra))
                faltas.append(QStringLiteral("encabezado partido: ") + palabra);
    for (const QString &figura : figuras)
        if (!enUnaLinea(figura.trimmed()))
            faltas.append(QStringLiteral("cifra partida: ") + figura.trimmed());
    // Whatever the table: a "$" always carries its whole amount, and no dash run is printed.
    static const QRegularExpression signoSolo(QStringLiteral("\\$(?! ?\\d[\\d,]*\\.\\d\\d(?!\\d))"));
    static const QRegularExpression rayas(QStringLiteral("-{5,}"));
    for (const QString &linea : lineas) {
        if (signoSolo.match(linea).hasMatch())
            faltas.append(QStringLiteral("importe cortado: ") + linea.trimmed());
        if (rayas.match(linea).hasMatch())
            faltas.append(QStringLiteral("separador como texto: ") + linea.trimmed());
    }
    return faltas;
}

QStringList u_figuras(const TTabla &filas) {
    QStringList figuras;
    for (const QStringList &fila : filas)
        for (const QString &celda : fila)
            if (u_esTextoIndivisible(celda))
                figuras.append(celda);
    figuras.removeDuplicates();
    return figuras;
}

QStringList u_faltasImpresion(const QString &texto, const cTabla &tabla) {
    QStringList cabeceras;
    for (const TcabeceraTabla &c : tabla.cabeceras())
        cabeceras.append(c.texto);
    TTabla impresas;
    for (const QStringList &fila : tabla.filas()) {
        QStringList impresa;
        for (int c = 0; c < tabla.cabeceras().size(); ++c)
            impresa.append(u_textoCeldaReporte(tabla.cabeceras()[c], fila.value(c)));
        impresas.append(impresa);
    }
    return u_faltasImpresion(texto, cabeceras, u_figuras(impresas));
}

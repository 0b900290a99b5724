// The category spreadsheet exchange at size: imports a generated tree of N categories (a root,
// folders of 24 and subcategories below them) from the sheet in memory and from its .xlsx, and
// exports it; the raw multi-row inserts of the same rows are the yardstick (ratio = import ÷ raw).
#include "UapoyoBench.h"
#include "catalogos/UNEG_categoriasXlsx.h"
#include "comun/UNEG_catalogo.h"
#include "comun/U_semillas.h"
#include "datos/UinsercionMultiple.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

namespace {
int creaNegocio(TConexionSesion *sesion, const QString &nombre) {
    TmiddleTier mt(sesion);
    mt.setQuery(
        QStringLiteral("INSERT INTO negocio (nombre, rfc, razonSocial) VALUES (:n, 'XEXX010101000', :n2)"));
    mt.setParametroTexto(QStringLiteral("n"), nombre);
    mt.setParametroTexto(QStringLiteral("n2"), nombre);
    const int id = int(mt.nonQuery().getIdInsertado());
    compruebaCategoriaInicialExiste(sesion, id);
    return id;
}

// Depth-first rows: level-2 and level-3 folders of up to 24 children, subcategories at level 4,
// until `total` categories (the root included). Every name is unique.
QVector<QVector<TceldaXlsx>> generaHoja(int total) {
    QVector<QVector<TceldaXlsx>> hoja(1);
    for (int nivel = 1; nivel <= 4; ++nivel)
        hoja[0].append({QStringLiteral("Nivel %1").arg(nivel), false, {}});
    int n = 0;
    auto fila = [&](int columna, const QString &texto) {
        QVector<TceldaXlsx> celdas(columna + 1);
        celdas[columna].valor = texto;
        hoja.append(celdas);
        ++n;
    };
    fila(0, QStringLiteral(" > Raíz"));
    const int porCarpeta = std::max(1, (total - 1 - 24 - 24 * 24) / (24 * 24) + 1);
    for (int a = 0; a < 24 && n < total; ++a) {
        fila(1, QStringLiteral(" > Familia %1").arg(a));
        for (int b = 0; b < 24 && n < total; ++b) {
            fila(2, QStringLiteral(" > Línea %1.%2").arg(a).arg(b));
            for (int c = 0; c < std::min(24, porCarpeta) && n < total; ++c)
                fila(3, QStringLiteral(" - Artículo %1.%2.%3").arg(a).arg(b).arg(c));
        }
    }
    return hoja;
}

// The same rows written straight, several to a statement, in one transaction.
double insercionesCrudas(TConexionSesion *sesion, int negocio, int filas) {
    QElapsedTimer reloj;
    reloj.start();
    TmiddleTier mt(sesion);
    mt.transaccionInicia();
    TinsercionMultiple lotes(mt, QStringLiteral("inventarioCategoria"),
                             {QStringLiteral("identidad"), QStringLiteral("etiqueta"),
                              QStringLiteral("identidadPadre"), QStringLiteral("nivel"),
                              QStringLiteral("carpeta"), QStringLiteral("idNegocioFk")});
    for (int i = 0; i < filas; ++i) {
        const QString identidad = QStringLiteral("0%1").arg(i, 6, 36, QLatin1Char('0'));
        if (!lotes.agrega({identidad, QStringLiteral("Crudo %1").arg(i), QStringLiteral("0"), 2, 0, negocio}))
            return -1;
    }
    if (!lotes.vacia() || !mt.transaccionTermina())
        return -1;
    return reloj.elapsed() / 1000.0;
}
} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    TbaseBench base(p, 5000);
    p.process(app);
    if (!base.prepara(p))
        return 3;
    TConexionSesion *sesion = base.sesion();
    const int total = int(base.movimientos());
    const QVector<QVector<TceldaXlsx>> hoja = generaHoja(total);
    u_figura(QStringLiteral("motor"), base.motor());
    u_figura(QStringLiteral("categorias"), hoja.size() - 1);

    const int primero = creaNegocio(sesion, QStringLiteral("Importación"));
    QElapsedTimer reloj;
    reloj.start();
    const TresultadoImportacion r = u_importaCategorias(sesion, primero, hoja);
    const double importacion = reloj.elapsed() / 1000.0;
    if (!r.confirmada) {
        QTextStream(stderr) << r.mensaje << Qt::endl;
        return 4;
    }
    u_figura(QStringLiteral("importadas"), r.insertadas);
    u_figura(QStringLiteral("importacion_s"), importacion);

    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath(QStringLiteral("categorias.xlsx"));
    QString error;
    reloj.restart();
    if (!u_escribeCategoriasXlsx(sesion, primero, ruta, &error)) {
        QTextStream(stderr) << error << Qt::endl;
        return 5;
    }
    u_figura(QStringLiteral("exportacion_s"), reloj.elapsed() / 1000.0);

    const int segundo = creaNegocio(sesion, QStringLiteral("Desde archivo"));
    reloj.restart();
    const TresultadoImportacion desdeArchivo = u_importaArchivoCategorias(sesion, segundo, ruta);
    u_figura(QStringLiteral("importacion_archivo_s"), reloj.elapsed() / 1000.0);
    if (!desdeArchivo.confirmada || desdeArchivo.insertadas != r.insertadas)
        return 6;

    const double crudo =
        insercionesCrudas(sesion, creaNegocio(sesion, QStringLiteral("Crudo")), r.insertadas);
    u_figura(QStringLiteral("inserciones_crudas_s"), crudo);
    u_figura(QStringLiteral("ratio"),
             crudo > 0 ? QString::number(importacion / crudo, 'f', 2) : QStringLiteral("-"));
    return crudo > 0 ? 0 : 1;
}

// Movement-import benchmark: writes the whole-document plan (bench_documentos' generator, N
// one-line documents over P products) as an import file, imports it into a new business through
// the import (every document through the receipt and issue documents) and prints documents per
// second. The import's statements are recorded as they run and replayed raw on the same
// connection, as bench_postings does: `ratio` = import time ÷ raw statements, last. A trial run
// (--simular) of the same file is timed first on its own business, and must leave nothing.
//
//   bench_importacion --documentos 4000 --productos 10 --motor sqlite|mysql --metodo peps|promedio
//                     [--archivo f.db] [--mysql-socket s | --mysql-host h --mysql-port p]
//                     [--mysql-user u]   (password in INVENTARIO_MYSQL_PASSWORD)
#include "UapoyoBench.h"
#include "UplanDocumentos.h"
#include "existencias/UNEG_importacionMovimientos.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

struct Tmedida {
    double reloj = 0; // seconds
    double cpu = 0;
    TresultadoImportacionMovimientos resultado;
};

Tmedida importa(TConexionSesion *sesion, int negocio, const QString &ruta, bool simular) {
    Tmedida m;
    QElapsedTimer reloj;
    const double cpu = u_segundosCPU();
    reloj.start();
    m.resultado = u_importaArchivoMovimientos(sesion, negocio, ruta, {simular, false});
    m.reloj = reloj.nsecsElapsed() / 1e9;
    m.cpu = u_segundosCPU() - cpu;
    return m;
}

double porSegundo(qsizetype documentos, double segundos) {
    return segundos > 0 ? documentos / segundos : 0;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    TbaseBench base(p, 0);
    TopcionesPlan opciones(p);
    p.process(app);
    QTextStream errores(stderr);
    if (!opciones.lee(p, true))
        return 2;
    if (!base.prepara(p))
        return 3;
    const Tplan plan = planGenerado(opciones.documentos, opciones.productos);
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath(QStringLiteral("plan.csv"));
    QString error;
    if (!escribePlan(plan, ruta, error)) {
        errores << "plan: " << error << Qt::endl;
        return 2;
    }
    const int idMetodo = opciones.metodo();
    TConexionSesion *sesion = base.sesion();

    Tnegocio ensayo(sesion, QStringLiteral("Simulación"), idMetodo);
    Tnegocio real(sesion, QStringLiteral("Importación"), idMetodo);
    if (!ensayo.prepara(plan) || !real.prepara(plan)) {
        errores << "no se pudo crear el negocio" << Qt::endl;
        return 3;
    }
    const Tmedida simulada = importa(sesion, ensayo.id(), ruta, true);
    Tmedida medida;
    Tgrabacion grabacion;
    {
        Tgrabadora grabadora;
        medida = importa(sesion, real.id(), ruta, false);
        grabacion = grabadora.toma();
    }
    if (!simulada.resultado.completa || !medida.resultado.completa) {
        errores << "importación: " << simulada.resultado.mensaje << medida.resultado.mensaje << Qt::endl;
        return 5;
    }
    TmiddleTier mt(sesion);
    mt.setQuery(QStringLiteral("SELECT COUNT(*) FROM inventarioKardex WHERE idNegocioFk = :negocio"));
    mt.setParametroEntero(QStringLiteral("negocio"), ensayo.id());
    if (mt.getScalarAsInt() != 0) {
        errores << "la simulación dejó filas en el kardex" << Qt::endl;
        return 5;
    }
    int fallidas = 0;
    const double cpuAntes = u_segundosCPU();
    const double crudoReloj = u_reproduce(sesion, grabacion, fallidas);
    const double crudoCpu = u_segundosCPU() - cpuAntes;

    // SQLite does all its work in this process: its processor time is the steady figure on a
    // shared machine. MariaDB works in the server: only the wall clock sees that.
    const bool porCpu = !sesion->esMySQL();
    const double segundos = porCpu ? medida.cpu : medida.reloj;
    const double crudo = porCpu ? crudoCpu : crudoReloj;
    u_figura(QStringLiteral("motor"), base.motor());
    u_figura(QStringLiteral("metodo"), opciones.nombreMetodo);
    u_figura(QStringLiteral("documentos"), int(medida.resultado.documentos.size()));
    u_figura(QStringLiteral("sentencias_por_documento"), double(grabacion.size()) / plan.size());
    u_figura(QStringLiteral("documentos_por_segundo"), porSegundo(plan.size(), segundos));
    u_figura(QStringLiteral("documentos_por_segundo_reloj"), porSegundo(plan.size(), medida.reloj));
    u_figura(QStringLiteral("simulacion_documentos_por_segundo"),
             porSegundo(plan.size(), porCpu ? simulada.cpu : simulada.reloj));
    u_figura(QStringLiteral("crudo_documentos_por_segundo"), porSegundo(plan.size(), crudo));
    u_figura(QStringLiteral("crudo_fallidas"), fallidas);
    u_figura(QStringLiteral("medido_por"), porCpu ? QStringLiteral("cpu") : QStringLiteral("reloj"));
    u_figura(QStringLiteral("ratio"), QString::number(crudo > 0 ? segundos / crudo : 0, 'f', 2));
    return 0;
}

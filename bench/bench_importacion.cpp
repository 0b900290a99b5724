// Movement-import benchmark: writes the whole-document plan (bench_documentos' generator, N
// one-line documents over P products) as an import file, imports it into a new business through
// the import (every document through the receipt and issue documents) and prints documents per
// second. The import's statements are recorded as they run and replayed raw on the same
// connection of a new database brought to the same state, as bench_postings does: `ratio` =
// import time ÷ raw statements, last. A trial run (--simular) of the same file is timed first on
// its own business, and must leave nothing.
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
    // The two businesses and the trial run, the same on the database the raw statements replay on,
    // so that every id they name is where it was.
    struct Tescenario {
        std::unique_ptr<Tnegocio> ensayo, real;
        Tmedida simulada;
    };
    auto prepara = [&](Tescenario &e) {
        e.ensayo = std::make_unique<Tnegocio>(base.sesion(), QStringLiteral("Simulación"), idMetodo);
        e.real = std::make_unique<Tnegocio>(base.sesion(), QStringLiteral("Importación"), idMetodo);
        if (!e.ensayo->prepara(plan) || !e.real->prepara(plan))
            return false;
        e.simulada = importa(base.sesion(), e.ensayo->id(), ruta, true);
        TmiddleTier mt(base.sesion());
        mt.setQuery(QStringLiteral("SELECT COUNT(*) FROM inventarioKardex WHERE idNegocioFk = :negocio"));
        mt.setParametroEntero(QStringLiteral("negocio"), e.ensayo->id());
        return e.simulada.resultado.completa && mt.getScalarAsInt() == 0;
    };
    Tescenario importado;
    if (!prepara(importado)) {
        errores << "no se pudo preparar el negocio, o la simulación falló o dejó filas: "
                << importado.simulada.resultado.mensaje << Qt::endl;
        return 5;
    }
    Tmedida medida;
    Tgrabacion grabacion;
    {
        Tgrabadora grabadora;
        medida = importa(base.sesion(), importado.real->id(), ruta, false);
        grabacion = grabadora.toma();
    }
    if (!medida.resultado.completa) {
        errores << "importación: " << medida.resultado.mensaje << Qt::endl;
        return 5;
    }
    // The raw statements on a new database in the same state: replayed over the imported rows,
    // every layer would be there twice and never consumed, and the reads would grow with them.
    importado.ensayo.reset(); // their statements belong to the database thrown away
    importado.real.reset();
    Tescenario crudoBase;
    if (!base.baseNueva() || !prepara(crudoBase))
        return 3;
    TConexionSesion *sesion = base.sesion();
    int fallidas = 0;
    const double cpuAntes = u_segundosCPU();
    const double crudoReloj = u_reproduce(sesion, grabacion, fallidas);
    const double crudoCpu = u_segundosCPU() - cpuAntes;
    const Tmedida &simulada = importado.simulada;

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

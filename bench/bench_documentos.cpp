// Whole-document benchmark: posts a plan of documents through TdocumentoEntrada and
// TdocumentoSalida, one document per transaction, as a user saving them one by one (checks,
// posting and journal entry). The generated plan is N one-line documents over P products of one
// warehouse, round by round a receipt of each product (its cost varying) and an issue of part of
// its stock (one or a few layers). The plan runs twice on one database, for two businesses whose
// documents alternate a hundred at a time: one with the statement cache switched off, the other
// with it on, so both see the same moments of a shared machine. A third run records each document's
// statements, and a fourth replays them raw on a new database (bind, run, read every row, each
// statement prepared once): the `_crudo` figures are what the same statements cost with nothing
// around them, the ceiling of any posting that runs them. Figures print as clave=valor, `ratio`
// last = documents per second with the cache over without it.
//
//   bench_documentos --documentos 4000 --productos 10 --motor sqlite|mysql --metodo peps|promedio
//                    [--plan plan.csv] [--escribe-plan plan.csv] [--archivo f.db]
//                    [--mysql-socket s | --mysql-host h --mysql-port p] [--mysql-user u]
//                    (password in INVENTARIO_MYSQL_PASSWORD)
//
// A plan file is in the movement-import format: a header naming the columns fecha, tipo, almacen,
// concepto, producto, cantidad, costo_unitario, documento (any order); consecutive rows of the same
// documento, fecha, tipo and almacen are one document.
#include "UapoyoBench.h"
#include "UplanDocumentos.h"
#include "comun/UNEG_opciones.h"
#include "comun/U_interaccionAutomatica.h"
#include "comun/U_utilerias.h"
#include "datos/UcacheSentencias.h"
#include "datos/UmiddleTier.h"
#include "entradas/UNEG_documentoEntrada.h"
#include "salidas/UNEG_documentoSalida.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QTextStream>

#include <optional>
#include <tuple>

#include <sqlite3.h>

namespace {

// Seconds spent on receipts and on issues.
struct Ttiempo {
    double entradas = 0, salidas = 0;
};

struct Tcorrida {
    int entradas = 0, salidas = 0;
    Ttiempo reloj; // wall clock
    Ttiempo cpu;   // this process's processor time: on SQLite all the work, steady on a busy machine
    int sentencias = 0;

    // One document's times.
    void suma(bool entrada, double segundosReloj, double segundosCpu) {
        (entrada ? reloj.entradas : reloj.salidas) += segundosReloj;
        (entrada ? cpu.entradas : cpu.salidas) += segundosCpu;
        ++(entrada ? entradas : salidas);
    }
    static double porSegundo(int documentos, double segundos) {
        return segundos > 0 ? documentos / segundos : 0;
    }
    double documentosPorSegundo(const Ttiempo &t) const {
        return porSegundo(entradas + salidas, t.entradas + t.salidas);
    }
};

bool postea(TConexionSesion *sesion, Tnegocio &negocio, const Tdocumento &d) {
    if (d.entrada) {
        TdocumentoEntrada doc(sesion, negocio.id());
        TdatosEntrada &datos = doc.datos();
        datos.almacenID = negocio.almacen(d.almacen);
        datos.conceptoID = negocio.concepto(d.concepto, true);
        datos.fechaHora = d.fecha;
        for (const Tlinea &l : d.lineas) {
            TlineaEntrada linea;
            linea.productoID = negocio.producto(l.producto);
            linea.producto = QStringLiteral("Artículo ") + l.producto;
            linea.cantidad = FloatToStr(l.cantidad);
            linea.costoUnitario = l.costo;
            datos.lineas << linea;
        }
        return doc.guardar();
    }
    TdocumentoSalida doc(sesion, negocio.id());
    if (!doc.setAlmacen(negocio.almacen(d.almacen)) || !doc.setConcepto(negocio.concepto(d.concepto, false)))
        return false;
    doc.setFechaHora(d.fecha);
    for (const Tlinea &l : d.lineas) {
        TproductoSalida producto;
        producto.id = negocio.producto(l.producto);
        producto.nombre = QStringLiteral("Artículo ") + l.producto;
        if (!doc.agregarProducto(producto, l.cantidad))
            return false;
    }
    return doc.guardar();
}

// One business posting the plan document by document, its times added to a Tcorrida. `usuario`
// answers the postings' questions and keeps their last warning.
class Tpasada {
public:
    Tpasada(TConexionSesion *sesion, const TinteraccionAutomatica &usuario, const QString &nombre, int metodo)
        : uUsuario(usuario), uSesion(sesion), uNegocio(sesion, nombre, metodo) {}

    bool prepara(const Tplan &plan, QString &error) {
        if (!uNegocio.prepara(plan))
            error = QStringLiteral("no se pudo crear el negocio");
        return error.isEmpty();
    }

    // Posts plan[i]; false (with the reason) when it is refused. With `grabaciones`, its statements
    // are recorded (the times then mean nothing).
    bool postea(const Tplan &plan, int i, Tcorrida &c, QString &error, QVector<Tgrabacion> *grabaciones) {
        const Tdocumento &d = plan[i];
        const int sentenciasAntes = TmiddleTier::sentenciasEjecutadas();
        const double cpu = u_segundosCPU();
        QElapsedTimer reloj;
        reloj.start();
        std::optional<Tgrabadora> grabadora;
        if (grabaciones)
            grabadora.emplace();
        if (!::postea(uSesion, uNegocio, d)) {
            error = QStringLiteral("documento %1 (%2) no guardado: %3")
                        .arg(i + 1)
                        .arg(d.entrada ? QStringLiteral("entrada") : QStringLiteral("salida"),
                             uUsuario.ultimoAviso());
            return false;
        }
        if (grabaciones)
            grabaciones->append(grabadora->toma());
        c.suma(d.entrada, reloj.nsecsElapsed() / 1e9, u_segundosCPU() - cpu);
        c.sentencias += TmiddleTier::sentenciasEjecutadas() - sentenciasAntes;
        return true;
    }

private:
    const TinteraccionAutomatica &uUsuario;
    TConexionSesion *uSesion;
    Tnegocio uNegocio;
};

// Posts the whole plan for a new business; false (with the reason) at the first document refused.
bool corre(TConexionSesion *sesion, const Tplan &plan, int metodo, const QString &nombre, Tcorrida &c,
           QString &error, QVector<Tgrabacion> *grabaciones = nullptr) {
    TinteraccionAutomatica usuario;
    Tpasada pasada(sesion, usuario, nombre, metodo);
    if (!pasada.prepara(plan, error))
        return false;
    for (int i = 0; i < plan.size(); ++i)
        if (!pasada.postea(plan, i, c, error, grabaciones))
            return false;
    return true;
}

// The plan posted twice on one database, for two businesses in turn, a block of documents each:
// first without the statement cache, then with it. A machine that slows down for a while slows
// both alike. Each cached block prepares its statements again, and that cost stays in its time.
constexpr int kDocumentosPorTramo = 100;

bool correAlternando(TConexionSesion *sesion, const Tplan &plan, int metodo, Tcorrida &sinCache,
                     Tcorrida &conCache, QString &error) {
    TinteraccionAutomatica usuario;
    Tpasada sin(sesion, usuario, QStringLiteral("Sin caché"), metodo);
    Tpasada con(sesion, usuario, QStringLiteral("Con caché"), metodo);
    if (!sin.prepara(plan, error) || !con.prepara(plan, error))
        return false;
    for (int desde = 0; desde < plan.size(); desde += kDocumentosPorTramo) {
        const int hasta = qMin(int(plan.size()), desde + kDocumentosPorTramo);
        for (auto [pasada, corrida, activo] : {std::tuple{&sin, &sinCache, false}, {&con, &conCache, true}}) {
            cacheSentencias::setActivo(activo);
            for (int i = desde; i < hasta; ++i)
                if (!pasada->postea(plan, i, *corrida, error, nullptr))
                    return false;
        }
    }
    return true;
}

// Replays the recorded documents on a new database where the same business was made first, so
// every id they carry is the same; the statements that failed are counted.
bool reproduce(TConexionSesion *sesion, const Tplan &plan, const QVector<Tgrabacion> &grabaciones, int metodo,
               Tcorrida &c, int &fallidas) {
    Tnegocio negocio(sesion, QStringLiteral("Crudo"), metodo);
    if (!negocio.prepara(plan))
        return false;
    for (int i = 0; i < plan.size(); ++i) {
        const double cpu = u_segundosCPU();
        const double segundos = u_reproduce(sesion, grabaciones[i], fallidas);
        c.suma(plan[i].entrada, segundos, u_segundosCPU() - cpu);
    }
    return true;
}

// Memory the statements hold where they live: SQLite's own allocations in this process; on
// MariaDB the server's memory for this session. Bytes; -1 when it cannot be read.
qint64 memoriaSentencias(TConexionSesion *sesion) {
    if (!sesion->esMySQL())
        return sqlite3_memory_used();
    TmiddleTier mt(sesion);
    mt.setQuery(
        QStringLiteral("SELECT MEMORY_USED FROM information_schema.PROCESSLIST WHERE ID = CONNECTION_ID()"));
    const CmidTierResponse r = mt.scalar();
    return r.isSuccess() ? r.getScalarAsInt() : -1;
}

void imprime(const QString &sufijo, const Tcorrida &c, const Ttiempo &t) {
    u_figura(QStringLiteral("entradas_por_segundo") + sufijo, Tcorrida::porSegundo(c.entradas, t.entradas));
    u_figura(QStringLiteral("salidas_por_segundo") + sufijo, Tcorrida::porSegundo(c.salidas, t.salidas));
    u_figura(QStringLiteral("documentos_por_segundo") + sufijo, c.documentosPorSegundo(t));
}

double ratio(const Tcorrida &con, const Tcorrida &sin, const Ttiempo Tcorrida::*tiempo) {
    const double base = sin.documentosPorSegundo(sin.*tiempo);
    return base > 0 ? con.documentosPorSegundo(con.*tiempo) / base : 0;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    TbaseBench base(p, 0);
    TopcionesPlan opciones(p);
    const QCommandLineOption planCsv(QStringLiteral("plan"), QStringLiteral("Lee el plan de un CSV."),
                                     QStringLiteral("archivo"));
    const QCommandLineOption escribe(QStringLiteral("escribe-plan"),
                                     QStringLiteral("Escribe el plan en un CSV."), QStringLiteral("archivo"));
    p.addOptions({planCsv, escribe});
    p.process(app);
    QTextStream errores(stderr);
    if (!opciones.lee(p, !p.isSet(planCsv)))
        return 2;
    const QString nombreMetodo = opciones.nombreMetodo;
    Tplan plan;
    QString error;
    if (!p.isSet(planCsv))
        plan = planGenerado(opciones.documentos, opciones.productos);
    else if (!leePlan(p.value(planCsv), plan, error) || plan.isEmpty()) {
        errores << "plan: " << (error.isEmpty() ? QStringLiteral("vacío") : error) << Qt::endl;
        return 2;
    }
    if (p.isSet(escribe) && !escribePlan(plan, p.value(escribe), error)) {
        errores << "plan: " << error << Qt::endl;
        return 2;
    }
    if (!base.prepara(p))
        return 3;
    const int idMetodo = opciones.metodo();

    Tcorrida sinCache, conCache;
    TConexionSesion *sesion = base.sesion();
    cacheSentencias::reiniciaEstadisticas();
    if (!correAlternando(sesion, plan, idMetodo, sinCache, conCache, error)) {
        errores << error << Qt::endl;
        return 5;
    }
    const cacheSentencias::Testadisticas cache = cacheSentencias::estadisticas();
    const qint64 conSentencias = memoriaSentencias(sesion);
    cacheSentencias::setActivo(false);
    const qint64 sinSentencias = memoriaSentencias(sesion);
    // SQLite does all its work in this process: its processor time is the steady figure on a shared
    // machine. MariaDB works in the server: only the wall clock sees that.
    const bool porCpu = !sesion->esMySQL();

    // Before the recordings, which hold every statement of the plan.
    const double memoriaPico = u_memoriaPico();
    Tcorrida grabada, cruda;
    QVector<Tgrabacion> grabaciones;
    int fallidas = 0;
    cacheSentencias::setActivo(true);
    if (!base.baseNueva() ||
        !corre(base.sesion(), plan, idMetodo, QStringLiteral("Crudo"), grabada, error, &grabaciones) ||
        !base.baseNueva() || !reproduce(base.sesion(), plan, grabaciones, idMetodo, cruda, fallidas)) {
        errores << (error.isEmpty() ? QStringLiteral("la reproducción cruda no corrió") : error) << Qt::endl;
        return 5;
    }

    u_figura(QStringLiteral("motor"), base.motor());
    u_figura(QStringLiteral("metodo"), nombreMetodo);
    u_figura(QStringLiteral("documentos"), int(plan.size()));
    u_figura(QStringLiteral("entradas"), conCache.entradas);
    u_figura(QStringLiteral("salidas"), conCache.salidas);
    u_figura(QStringLiteral("sentencias_por_documento"), double(conCache.sentencias) / plan.size());
    imprime(QString(), conCache, porCpu ? conCache.cpu : conCache.reloj);
    imprime(QStringLiteral("_sin_cache"), sinCache, porCpu ? sinCache.cpu : sinCache.reloj);
    imprime(QStringLiteral("_crudo"), cruda, porCpu ? cruda.cpu : cruda.reloj);
    u_figura(QStringLiteral("crudo_fallidas"), fallidas);
    if (porCpu) {
        imprime(QStringLiteral("_reloj"), conCache, conCache.reloj);
        imprime(QStringLiteral("_sin_cache_reloj"), sinCache, sinCache.reloj);
        imprime(QStringLiteral("_crudo_reloj"), cruda, cruda.reloj);
    }
    u_figura(QStringLiteral("cache_capacidad"), cacheSentencias::capacidad());
    u_figura(QStringLiteral("cache_sentencias_pico"), cache.sentenciasPico);
    u_figura(QStringLiteral("cache_reutilizadas"), cache.reutilizadas);
    u_figura(QStringLiteral("cache_preparadas"), cache.preparadas);
    if (conSentencias >= 0 && sinSentencias >= 0)
        u_figura(QStringLiteral("cache_memoria_kb"), (conSentencias - sinSentencias) / 1024.0);
    u_figura(QStringLiteral("memoria_pico_mb"), memoriaPico);
    u_figura(QStringLiteral("medido_por"), porCpu ? QStringLiteral("cpu") : QStringLiteral("reloj"));
    if (porCpu)
        u_figura(QStringLiteral("ratio_reloj"),
                 QString::number(ratio(conCache, sinCache, &Tcorrida::reloj), 'f', 2));
    u_figura(QStringLiteral("ratio"),
             QString::number(ratio(conCache, sinCache, porCpu ? &Tcorrida::cpu : &Tcorrida::reloj), 'f', 2));
    return 0;
}

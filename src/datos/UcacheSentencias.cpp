#include "datos/UcacheSentencias.h"

#include "datos/ULog.h"
#include "datos/UsentenciaMariaDB.h"
#include "datos/UsentenciaSQLite.h"

#include <QHash>
#include <QMutex>
#include <QSqlError>
#include <QSqlQuery>

#include <list>
#include <map>
#include <memory>

namespace {

// A posting runs a few dozen statements, the screens and reports some hundreds more: enough to
// keep every statement of a working session without holding the rare ones forever.
constexpr int kCapacidadPorOmision = 256;

struct Tentrada {
    QString texto;
    std::unique_ptr<cacheSentencias::Tpreparada> preparada;
};
using Tlista = std::list<Tentrada>;

// One connection's statements, the most recently used first.
struct Tconexion {
    Tlista orden;
    QHash<QString, Tlista::iterator> indice;
    int generacion = 0;
};

// Every connection's statements. A connection is used by its own thread only, but one thread may
// drop another's (a session closes all its connections), so every access holds the lock; it is
// never contended for long.
struct Tregistro {
    QMutex candado;
    std::map<QString, Tconexion> conexiones;
    bool activo = true;
    int capacidad = kCapacidadPorOmision;
    int generacion = 0;
    int retenidas = 0;
    qint64 textoRetenido = 0;
    cacheSentencias::Testadisticas estadisticas;

    void quita(Tconexion &c, Tlista::iterator it) {
        --retenidas;
        textoRetenido -= it->texto.size() * qint64(sizeof(QChar));
        c.indice.remove(it->texto);
        c.orden.erase(it);
    }
    void vacia(Tconexion &c) {
        while (!c.orden.empty())
            quita(c, std::prev(c.orden.end()));
    }
    void recorta(Tconexion &c) {
        while (int(c.orden.size()) > capacidad) {
            quita(c, std::prev(c.orden.end()));
            ++estadisticas.desalojadas;
        }
    }
    void agrega(Tconexion &c, const QString &texto, std::unique_ptr<cacheSentencias::Tpreparada> preparada) {
        c.orden.push_front({texto, std::move(preparada)});
        c.indice.insert(texto, c.orden.begin());
        ++retenidas;
        textoRetenido += texto.size() * qint64(sizeof(QChar));
        ++estadisticas.preparadas;
        recorta(c);
        if (retenidas > estadisticas.sentenciasPico) {
            estadisticas.sentenciasPico = retenidas;
            estadisticas.textoPico = textoRetenido;
        }
    }
};

Tregistro &registro() {
    static Tregistro r;
    return r;
}

} // namespace

void cacheSentencias::setActivo(bool activo) {
    Tregistro &r = registro();
    QMutexLocker bloqueo(&r.candado);
    r.activo = activo;
    if (!activo) {
        for (auto &[nombre, conexion] : r.conexiones)
            r.vacia(conexion);
    }
}

bool cacheSentencias::activo() {
    Tregistro &r = registro();
    QMutexLocker bloqueo(&r.candado);
    return r.activo;
}

void cacheSentencias::setCapacidad(int sentencias) {
    Tregistro &r = registro();
    QMutexLocker bloqueo(&r.candado);
    r.capacidad = std::max(1, sentencias);
    for (auto &[nombre, conexion] : r.conexiones)
        r.recorta(conexion);
}

int cacheSentencias::capacidad() {
    Tregistro &r = registro();
    QMutexLocker bloqueo(&r.candado);
    return r.capacidad;
}

cacheSentencias::Tpreparada *cacheSentencias::prepara(const QSqlDatabase &db, const QString &sentencia,
                                                      QString &error, int &codigo) {
    Tregistro &r = registro();
    QMutexLocker bloqueo(&r.candado);
    Tconexion &c = r.conexiones[db.connectionName()];
    if (c.generacion != r.generacion) {
        r.vacia(c);
        c.generacion = r.generacion;
    }
    const auto encontrada = c.indice.constFind(sentencia);
    if (encontrada != c.indice.constEnd()) {
        Tentrada &entrada = *encontrada.value();
        // A statement of a connection since closed or replaced is prepared again.
        if (!entrada.preparada->nativa || entrada.preparada->nativa->vigenteEn(db)) {
            c.orden.splice(c.orden.begin(), c.orden, encontrada.value());
            ++r.estadisticas.reutilizadas;
            return c.orden.front().preparada.get();
        }
        r.quita(c, encontrada.value());
    }
    auto preparada = std::make_unique<Tpreparada>();
    const QString motor = db.driverName();
    if (motor == QLatin1String("QMYSQL") || motor == QLatin1String("QSQLITE")) {
        if (motor == QLatin1String("QMYSQL"))
            preparada->nativa = TsentenciaMariaDB::prepara(db, sentencia, error, codigo);
        else
            preparada->nativa = TsentenciaSQLite::prepara(db, sentencia, error, codigo);
        if (!preparada->nativa)
            return nullptr;
    } else {
        preparada->consulta = QSqlQuery(db);
        preparada->consulta.setForwardOnly(true);
        if (!preparada->consulta.prepare(sentencia)) {
            const QSqlError falla = preparada->consulta.lastError();
            error = falla.text();
            codigo = falla.nativeErrorCode().toInt();
            Log::log(QStringLiteral("TmiddleTier: sentencia no preparada"), 1,
                     error + QStringLiteral(" | ") + sentencia);
            return nullptr;
        }
    }
    r.agrega(c, sentencia, std::move(preparada));
    return c.orden.front().preparada.get();
}

void cacheSentencias::descarta(const QSqlDatabase &db, const QString &sentencia) {
    Tregistro &r = registro();
    QMutexLocker bloqueo(&r.candado);
    const auto conexion = r.conexiones.find(db.connectionName());
    if (conexion == r.conexiones.end())
        return;
    const auto entrada = conexion->second.indice.constFind(sentencia);
    if (entrada != conexion->second.indice.constEnd())
        r.quita(conexion->second, entrada.value());
}

void cacheSentencias::descartaConexion(const QString &nombreConexion) {
    Tregistro &r = registro();
    QMutexLocker bloqueo(&r.candado);
    const auto conexion = r.conexiones.find(nombreConexion);
    if (conexion == r.conexiones.end())
        return;
    r.vacia(conexion->second);
    r.conexiones.erase(conexion);
}

void cacheSentencias::invalida() {
    Tregistro &r = registro();
    QMutexLocker bloqueo(&r.candado);
    ++r.generacion;
}

int cacheSentencias::sentenciasRetenidas() {
    Tregistro &r = registro();
    QMutexLocker bloqueo(&r.candado);
    return r.retenidas;
}

cacheSentencias::Testadisticas cacheSentencias::estadisticas() {
    Tregistro &r = registro();
    QMutexLocker bloqueo(&r.candado);
    return r.estadisticas;
}

void cacheSentencias::reiniciaEstadisticas() {
    Tregistro &r = registro();
    QMutexLocker bloqueo(&r.candado);
    r.estadisticas = Testadisticas();
    r.estadisticas.sentenciasPico = r.retenidas;
    r.estadisticas.textoPico = r.textoRetenido;
}

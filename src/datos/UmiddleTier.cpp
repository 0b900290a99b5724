#include "datos/UmiddleTier.h"

#include "datos/ULog.h"
#include "datos/UcacheSentencias.h"
#include "datos/UfallaBaseDatos.h"
#include "datos/UfechaHora.h"
#include "datos/UobservadorSentencias.h"
#include "datos/UtransaccionEnvolvente.h"

#include <QAtomicInt>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringMatcher>

#include <algorithm>

namespace {
QAtomicInt gFallaEn{0};
QAtomicInt gEjecutadas{0};
TobservadorSentencias gObservador;

void observa(const QString &sentencia, const TparametrosSentencia &parametros) {
    if (gObservador)
        gObservador(sentencia, parametros);
}

// True when the fault hook says this statement must fail.
bool debeFallar() {
    gEjecutadas.fetchAndAddRelaxed(1);
    int pendiente = gFallaEn.loadRelaxed();
    while (pendiente > 0) {
        if (gFallaEn.testAndSetRelaxed(pendiente, pendiente - 1))
            return pendiente == 1;
        pendiente = gFallaEn.loadRelaxed();
    }
    return false;
}

// A few names are found fastest one by one; a statement of many (a document's lines bound as :p0,
// :p1…) finds them by hash, where one by one would take n²/2 comparisons.
constexpr int kParametrosSinIndice = 8;

QString conDosPuntos(const QString &nombre) {
    if (nombre.startsWith(QLatin1Char(':')))
        return nombre;
    // One allocation: every value of every statement comes here.
    QString clave;
    clave.reserve(nombre.size() + 1);
    clave += QLatin1Char(':');
    clave += nombre;
    return clave;
}

// Why a statement failed, for the response and the log.
struct Tfalla {
    QString texto;
    int codigo = 0;
};

void anotaFalla(const QString &texto, int codigo, const QString &sentencia, Tfalla &falla) {
    falla.texto = texto;
    falla.codigo = codigo;
    Log::log(QStringLiteral("TmiddleTier: sentencia fallida"), 1,
             falla.texto + QStringLiteral(" | ") + sentencia);
}

void anotaFalla(const QSqlQuery &q, const QString &sentencia, Tfalla &falla) {
    anotaFalla(q.lastError().text(), q.lastError().nativeErrorCode().toInt(), sentencia, falla);
}

// A result read the same way from Qt's query or from a statement the engine's library holds.
int filasAfectadas(QSqlQuery &q) {
    return q.numRowsAffected();
}
int filasAfectadas(TsentenciaNativa &s) {
    return int(s.filasAfectadas());
}
qint64 idInsertado(QSqlQuery &q) {
    return q.lastInsertId().toLongLong();
}
qint64 idInsertado(TsentenciaNativa &s) {
    return s.idInsertado();
}
void tomaColumnas(TcolumnasResultado &memoria, QSqlQuery &q) {
    memoria.toma(q.record());
}
void tomaColumnas(TcolumnasResultado &memoria, TsentenciaNativa &s) {
    memoria.toma(s.columnas());
}
bool siguiente(QSqlQuery &q) {
    return q.next();
}
bool siguiente(TsentenciaNativa &s) {
    return s.siguiente();
}
QVariant valor(QSqlQuery &q, int columna) {
    return q.value(columna);
}
QVariant valor(TsentenciaNativa &s, int columna) {
    return s.valor(columna);
}

// CREATE, ALTER, DROP, RENAME, TRUNCATE: statements that change what others were prepared against.
bool cambiaEsquema(const QString &sentencia) {
    static const QLatin1String kPalabras[] = {QLatin1String("CREATE"), QLatin1String("ALTER"),
                                              QLatin1String("DROP"), QLatin1String("RENAME"),
                                              QLatin1String("TRUNCATE")};
    const QStringView texto = QStringView(sentencia).trimmed();
    for (const QLatin1String &palabra : kPalabras) {
        if (texto.startsWith(palabra, Qt::CaseInsensitive) &&
            (texto.size() == palabra.size() || texto.at(palabra.size()).isSpace()))
            return true;
    }
    return false;
}

// Binds a cached statement's values for this run. A name the last run bound and this one does
// not goes back to NULL, so the statement binds exactly what a fresh one would; the values of
// the names bound again are simply replaced.
void enlaza(cacheSentencias::Tpreparada &p, const TparametrosSentencia &parametros) {
    for (const auto &par : parametros)
        p.consulta.bindValue(par.first, par.second);
    bool mismos = p.enlazados.size() == parametros.size();
    for (int i = 0; mismos && i < parametros.size(); ++i)
        mismos = p.enlazados.at(i) == parametros.at(i).first;
    if (mismos)
        return;
    for (const QString &nombre : std::as_const(p.enlazados)) {
        const bool enlazado = std::any_of(parametros.cbegin(), parametros.cend(),
                                          [&nombre](const auto &par) { return par.first == nombre; });
        if (!enlazado)
            p.consulta.bindValue(nombre, QVariant());
    }
    p.enlazados.clear();
    for (const auto &par : parametros)
        p.enlazados.append(par.first);
}

// A statement run from the connection's cache: bound, run, read and reset for the next run. A
// failed run drops the statement: the driver may have left it unusable.
template <typename Lector>
bool correPreparada(const QSqlDatabase &db, const QString &sentencia, const TparametrosSentencia &parametros,
                    Lector &&lee, Tfalla &falla) {
    cacheSentencias::Tpreparada *p = cacheSentencias::prepara(db, sentencia, falla.texto, falla.codigo);
    // The engine's number travels with the text, so a damaged file is told as one.
    if (!p)
        return false;
    bool ok;
    if (p->nativa) {
        TsentenciaNativa &s = *p->nativa;
        ok = s.ejecuta(parametros);
        if (ok) {
            lee(s, p->columnas);
            ok = !s.fallo();
        }
        if (!ok)
            anotaFalla(s.error(), s.codigo(), sentencia, falla);
        s.termina();
    } else {
        enlaza(*p, parametros);
        ok = p->consulta.exec();
        if (ok) {
            lee(p->consulta, p->columnas);
            ok = !p->consulta.lastError().isValid();
        }
        if (!ok)
            anotaFalla(p->consulta, sentencia, falla);
        p->consulta.finish();
    }
    if (!ok)
        cacheSentencias::descarta(db, sentencia);
    return ok;
}

// A read of the server's catalogue. Asked on every run on MariaDB, of bulk texts of several
// thousand characters too: a matcher skips through them where a case-insensitive contains folds
// every character.
bool leeCatalogo(const QString &sentencia) {
    static const QStringMatcher kCatalogo(QStringLiteral("information_schema"), Qt::CaseInsensitive);
    return kCatalogo.indexIn(sentencia) >= 0;
}

// Runs one statement and hands the query to `lee`, from the cache when it is on. A row that
// fails to come fails the statement: the rows before it are not the whole answer. A statement
// without values stays out of the cache on MariaDB: its text goes in one round trip as a cached
// statement's run does, and the server keeps no statement for it. A schema change
// runs outside the cache and drops every prepared statement. Catalogue reads stay out too on
// MariaDB: the 10.11 server crashed running a prepared statement over information_schema a
// second time.
template <typename Lector>
bool corre(const QSqlDatabase &db, const QString &sentencia, const TparametrosSentencia &parametros,
           Lector &&lee, Tfalla &falla) {
    const bool esquema = cambiaEsquema(sentencia);
    const bool mysql = db.driverName() == QLatin1String("QMYSQL");
    const bool soloTexto = mysql && parametros.isEmpty();
    const bool catalogo = mysql && leeCatalogo(sentencia);
    if (!esquema && !soloTexto && !catalogo && cacheSentencias::activo())
        return correPreparada(db, sentencia, parametros, lee, falla);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    bool ok;
    if (parametros.isEmpty()) {
        ok = q.exec(sentencia);
    } else {
        ok = q.prepare(sentencia);
        if (ok) {
            for (const auto &par : parametros)
                q.bindValue(par.first, par.second);
            ok = q.exec();
        }
    }
    if (esquema)
        cacheSentencias::invalida();
    TcolumnasResultado columnas;
    if (ok) {
        lee(q, columnas);
        ok = !q.lastError().isValid();
    }
    if (!ok)
        anotaFalla(q, sentencia, falla);
    return ok;
}
} // namespace

TmiddleTier::TmiddleTier(TConexionSesion *sesion) : uSesion(sesion) {}

TmiddleTier::~TmiddleTier() {
    if (uEnTransaccion) {
        Log::log(QStringLiteral("TmiddleTier: transacción abierta al destruir; se revierte"), 1);
        transaccionRollback();
    }
}

void TmiddleTier::setQuery(const QString &sentencia) {
    uSentencia = sentencia;
    uParametros.clear();
    uIndiceParametros.clear();
}

void TmiddleTier::setParametroVariant(const QString &nombre, const QVariant &valor) {
    QString clave = conDosPuntos(nombre);
    int lugar = -1;
    if (uParametros.size() <= kParametrosSinIndice) {
        for (int i = 0; i < uParametros.size() && lugar < 0; ++i)
            if (uParametros[i].first == clave)
                lugar = i;
    } else {
        if (uIndiceParametros.isEmpty())
            for (int i = 0; i < uParametros.size(); ++i)
                uIndiceParametros.insert(uParametros[i].first, i);
        lugar = uIndiceParametros.value(clave, -1);
    }
    if (lugar >= 0) {
        uParametros[lugar].second = valor;
        return;
    }
    if (!uIndiceParametros.isEmpty())
        uIndiceParametros.insert(clave, int(uParametros.size()));
    uParametros.append({std::move(clave), valor});
}

void TmiddleTier::setValoresEnOrden(const QVector<QVariant> &valores, int cuantos) {
    cuantos = qMin(cuantos, int(valores.size()));
    if (!uParametros.isEmpty()) {
        for (int i = 0; i < cuantos; ++i)
            setParametroVariant(marcadorValor(i), valores.at(i));
        return;
    }
    uParametros.reserve(cuantos);
    for (int i = 0; i < cuantos; ++i)
        uParametros.append({marcadorValor(i), valores.at(i)});
}

void TmiddleTier::setParametroEntero(const QString &nombre, qint64 valor) {
    setParametroVariant(nombre, QVariant::fromValue(valor));
}

void TmiddleTier::setParametroTexto(const QString &nombre, const QString &valor) {
    // A null QString would bind NULL; text parameters always bind text.
    setParametroVariant(nombre, QVariant(valor.isNull() ? QString(QLatin1String("")) : valor));
}

void TmiddleTier::setParametroFlotante(const QString &nombre, double valor) {
    setParametroVariant(nombre, QVariant(valor));
}

void TmiddleTier::setParametroFechaHora(const QString &nombre, const QDateTime &valor) {
    setParametroVariant(nombre, valor.isValid() ? QVariant(fechaHora::aTextoBD(valor)) : QVariant());
}

QString TmiddleTier::segunProveedor(const QString &textoMySQL, const QString &textoSQLite) const {
    return esMySQL() ? textoMySQL : textoSQLite;
}

CmidTierResponse TmiddleTier::ejecuta(Tipo tipo) {
    CmidTierResponse r;
    int codigo = 0;
    if (debeFallar() || u_fallaPorTexto(uSentencia, codigo)) {
        r.uError = QStringLiteral("falla provocada por la prueba");
        r.uCodigoError = codigo;
        u_registraFalla({true, codigo, r.uError, false, esMySQL()});
        Log::log(QStringLiteral("TmiddleTier: sentencia fallida"), 1,
                 r.uError + QStringLiteral(" | ") + uSentencia);
        return r;
    }
    observa(uSentencia, uParametros);
    QSqlDatabase db = uSesion->conexion();
    if (!db.isOpen()) {
        r.uError = uSesion->ultimoError();
        u_registraFalla({true, 0, r.uError, true, esMySQL()});
        Log::log(QStringLiteral("TmiddleTier: sin conexión"), 1, r.uError);
        return r;
    }
    // The lambda reads the response's fields as this member function may.
    const auto lee = [&r, tipo](auto &q, TcolumnasResultado &memoria) {
        if (tipo == Tipo::Escritura) {
            r.uFilasAfectadas = filasAfectadas(q);
            r.uIdInsertado = idInsertado(q);
            return;
        }
        tomaColumnas(memoria, q);
        r.uColumnas = memoria;
        const int columnas = r.uColumnas.alias.size();
        while (siguiente(q)) {
            QVector<QVariant> fila(columnas);
            for (int c = 0; c < columnas; ++c)
                fila[c] = valor(q, c);
            r.uFilas.append(std::move(fila));
            if (tipo == Tipo::Escalar)
                break;
        }
    };
    Tfalla falla;
    r.uExito = corre(db, uSentencia, uParametros, lee, falla);
    r.uError = falla.texto;
    r.uCodigoError = falla.codigo;
    if (!r.uExito)
        u_registraFalla({true, r.uCodigoError, r.uError, false, esMySQL()});
    return r;
}

QString TmiddleTier::marcadorValor(int i) {
    // Named once for the sizes bulk statements have (200 rows of a few dozen columns).
    static const QVector<QString> kMarcadores = [] {
        QVector<QString> marcadores(8192);
        for (int m = 0; m < marcadores.size(); ++m)
            marcadores[m] = QStringLiteral(":v") + QString::number(m);
        return marcadores;
    }();
    return i >= 0 && i < kMarcadores.size() ? kMarcadores.at(i) : QStringLiteral(":v") + QString::number(i);
}

CmidTierResponse TmiddleTier::reader() {
    return ejecuta(Tipo::Lectura);
}

CmidTierResponse TmiddleTier::scalar() {
    return ejecuta(Tipo::Escalar);
}

CmidTierResponse TmiddleTier::nonQuery() {
    return ejecuta(Tipo::Escritura);
}

qint64 TmiddleTier::getScalarAsInt() {
    return scalar().getScalarAsInt();
}

bool TmiddleTier::ejecutaControl(const QString &sentencia) {
    int codigo = 0;
    if (u_fallaPorTexto(sentencia, codigo)) {
        u_registraFalla({true, codigo, QStringLiteral("falla provocada por la prueba"), false, esMySQL()});
        Log::log(QStringLiteral("TmiddleTier: control de transacción fallido"), 1,
                 sentencia + QStringLiteral(" | falla provocada por la prueba"));
        return false;
    }
    observa(sentencia, {});
    QSqlDatabase db = uSesion->conexion();
    Tfalla falla;
    if (!db.isOpen() || !corre(
                            db, sentencia, {}, [](auto &, TcolumnasResultado &) {}, falla)) {
        const QString texto = db.isOpen() ? falla.texto : uSesion->ultimoError();
        u_registraFalla({true, falla.codigo, texto, !db.isOpen(), esMySQL()});
        Log::log(QStringLiteral("TmiddleTier: control de transacción fallido"), 1,
                 sentencia + QStringLiteral(" | ") + texto);
        return false;
    }
    return true;
}

namespace {
QString nombrePunto(int profundidad) {
    return QStringLiteral("anidada_") + QString::number(profundidad);
}
} // namespace

bool TmiddleTier::transaccionInicia() {
    if (envolvente::Testado *envuelta = envolvente::activo(uSesion)) {
        // Inside an envelope the transaction is a savepoint of it; a broken one starts nothing.
        if (envuelta->rota) {
            u_registraFalla(
                {true, 0, QStringLiteral("la transacción envolvente se interrumpió"), false, esMySQL()});
            return false;
        }
        uEnTransaccion =
            ejecutaControl(QStringLiteral("SAVEPOINT ") + nombrePunto(envuelta->profundidad + 1));
        if (uEnTransaccion)
            ++envuelta->profundidad;
        return uEnTransaccion;
    }
    // BEGIN IMMEDIATE takes SQLite's write lock now, so a second workstation waits its busy
    // timeout instead of failing half-way through a posting.
    uEnTransaccion = ejecutaControl(
        segunProveedor(QStringLiteral("START TRANSACTION"), QStringLiteral("BEGIN IMMEDIATE")));
    return uEnTransaccion;
}

bool TmiddleTier::transaccionTermina() {
    if (!uEnTransaccion)
        return false;
    envolvente::Testado *envuelta = envolvente::activo(uSesion);
    if (envuelta && envuelta->profundidad > 0) {
        if (!ejecutaControl(QStringLiteral("RELEASE SAVEPOINT ") + nombrePunto(envuelta->profundidad)))
            return false;
        --envuelta->profundidad;
    } else if (!ejecutaControl(QStringLiteral("COMMIT"))) {
        return false;
    }
    uEnTransaccion = false;
    return true;
}

bool TmiddleTier::transaccionRollback() {
    if (!uEnTransaccion)
        return false;
    uEnTransaccion = false;
    envolvente::Testado *envuelta = envolvente::activo(uSesion);
    if (!envuelta || envuelta->profundidad == 0)
        return ejecutaControl(QStringLiteral("ROLLBACK"));
    const QString punto = nombrePunto(envuelta->profundidad--);
    // The savepoint is gone when the engine ended the whole transaction: the envelope is broken.
    const bool ok = ejecutaControl(QStringLiteral("ROLLBACK TO SAVEPOINT ") + punto) &&
                    ejecutaControl(QStringLiteral("RELEASE SAVEPOINT ") + punto);
    envuelta->rota = envuelta->rota || !ok;
    return ok;
}

bool TmiddleTier::puntoGuardado(const QString &nombre) {
    return ejecutaControl(QStringLiteral("SAVEPOINT ") + nombre);
}

bool TmiddleTier::regresaAPunto(const QString &nombre) {
    return ejecutaControl(QStringLiteral("ROLLBACK TO SAVEPOINT ") + nombre);
}

bool TmiddleTier::liberaPunto(const QString &nombre) {
    return ejecutaControl(QStringLiteral("RELEASE SAVEPOINT ") + nombre);
}

void TmiddleTier::setFallaEnSentencia(int n) {
    gFallaEn.storeRelaxed(n > 0 ? n : 0);
}

void u_observaSentencias(TobservadorSentencias observador) {
    gObservador = std::move(observador);
}

int TmiddleTier::sentenciasEjecutadas() {
    return gEjecutadas.loadRelaxed();
}

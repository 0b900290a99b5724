#include "datos/UmiddleTier.h"

#include "datos/ULog.h"
#include "datos/UfallaBaseDatos.h"
#include "datos/UfechaHora.h"
#include "datos/UobservadorSentencias.h"

#include <QAtomicInt>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

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

QString conDosPuntos(const QString &nombre) {
    return nombre.startsWith(QLatin1Char(':')) ? nombre : QLatin1Char(':') + nombre;
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
}

void TmiddleTier::setParametroVariant(const QString &nombre, const QVariant &valor) {
    const QString clave = conDosPuntos(nombre);
    for (auto &par : uParametros) {
        if (par.first == clave) {
            par.second = valor;
            return;
        }
    }
    uParametros.append({clave, valor});
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
    QSqlQuery q(db);
    q.setForwardOnly(true);
    bool ok;
    if (uParametros.isEmpty()) {
        ok = q.exec(uSentencia);
    } else {
        ok = q.prepare(uSentencia);
        if (ok) {
            for (const auto &par : uParametros)
                q.bindValue(par.first, par.second);
            ok = q.exec();
        }
    }
    if (!ok) {
        r.uError = q.lastError().text();
        r.uCodigoError = q.lastError().nativeErrorCode().toInt();
        u_registraFalla({true, r.uCodigoError, r.uError, false, esMySQL()});
        Log::log(QStringLiteral("TmiddleTier: sentencia fallida"), 1,
                 r.uError + QStringLiteral(" | ") + uSentencia);
        return r;
    }
    if (tipo == Tipo::Escritura) {
        r.uFilasAfectadas = q.numRowsAffected();
        r.uIdInsertado = q.lastInsertId().toLongLong();
    } else {
        const QSqlRecord registro = q.record();
        const int columnas = registro.count();
        for (int c = 0; c < columnas; ++c) {
            r.uAlias.append(registro.fieldName(c));
            r.uIndice.insert(registro.fieldName(c).toLower(), c);
        }
        while (q.next()) {
            QVector<QVariant> fila(columnas);
            for (int c = 0; c < columnas; ++c)
                fila[c] = q.value(c);
            r.uFilas.append(std::move(fila));
            if (tipo == Tipo::Escalar)
                break;
        }
    }
    r.uExito = true;
    return r;
}

QSqlQuery TmiddleTier::preparaConsulta(const QString &sentencia, QString &error) {
    QSqlDatabase db = uSesion->conexion();
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!db.isOpen()) {
        error = uSesion->ultimoError();
    } else if (!q.prepare(sentencia)) {
        error = q.lastError().text();
        Log::log(QStringLiteral("TmiddleTier: sentencia no preparada"), 1,
                 error + QStringLiteral(" | ") + sentencia);
    }
    return q;
}

CmidTierResponse TmiddleTier::ejecutaPreparada(QSqlQuery &consulta) {
    CmidTierResponse r;
    if (debeFallar()) {
        r.uError = QStringLiteral("falla provocada por la prueba");
        u_registraFalla({true, 0, r.uError, false, esMySQL()});
        Log::log(QStringLiteral("TmiddleTier: sentencia fallida"), 1, r.uError);
        return r;
    }
    if (gObservador) {
        TparametrosSentencia valores;
        for (const QVariant &v : consulta.boundValues())
            valores.append({QString(), v});
        gObservador(consulta.lastQuery(), valores);
    }
    if (!consulta.exec()) {
        r.uError = consulta.lastError().text();
        r.uCodigoError = consulta.lastError().nativeErrorCode().toInt();
        u_registraFalla({true, r.uCodigoError, r.uError, false, esMySQL()});
        Log::log(QStringLiteral("TmiddleTier: sentencia fallida"), 1,
                 r.uError + QStringLiteral(" | ") + consulta.lastQuery().left(200));
        return r;
    }
    r.uFilasAfectadas = consulta.numRowsAffected();
    r.uExito = true;
    return r;
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
    QSqlQuery q(db);
    if (!db.isOpen() || !q.exec(sentencia)) {
        const QString texto = db.isOpen() ? q.lastError().text() : uSesion->ultimoError();
        u_registraFalla({true, q.lastError().nativeErrorCode().toInt(), texto, !db.isOpen(), esMySQL()});
        Log::log(QStringLiteral("TmiddleTier: control de transacción fallido"), 1,
                 sentencia + QStringLiteral(" | ") + texto);
        return false;
    }
    return true;
}

bool TmiddleTier::transaccionInicia() {
    // BEGIN IMMEDIATE takes SQLite's write lock now, so a second workstation waits its busy
    // timeout instead of failing half-way through a posting.
    uEnTransaccion = ejecutaControl(
        segunProveedor(QStringLiteral("START TRANSACTION"), QStringLiteral("BEGIN IMMEDIATE")));
    return uEnTransaccion;
}

bool TmiddleTier::transaccionTermina() {
    if (!uEnTransaccion)
        return false;
    if (!ejecutaControl(QStringLiteral("COMMIT")))
        return false;
    uEnTransaccion = false;
    return true;
}

bool TmiddleTier::transaccionRollback() {
    if (!uEnTransaccion)
        return false;
    uEnTransaccion = false;
    return ejecutaControl(QStringLiteral("ROLLBACK"));
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

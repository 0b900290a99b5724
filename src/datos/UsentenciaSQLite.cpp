#include "datos/UsentenciaSQLite.h"

#include "datos/ULog.h"

#include <QByteArray>
#include <QDateTime>
#include <QSqlDriver>
#include <QTime>

#include <sqlite3.h>

namespace {

// The driver's connection handle.
sqlite3 *manejador(const QSqlDatabase &db) {
    const QVariant v = db.driver() ? db.driver()->handle() : QVariant();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(v.constData());
}

QString textoDeError(sqlite3 *conexion) {
    return QString(reinterpret_cast<const QChar *>(sqlite3_errmsg16(conexion)));
}

int enlazaTexto(sqlite3_stmt *s, int lugar, const QString &texto, void (*destino)(void *)) {
    return sqlite3_bind_text16(s, lugar, texto.utf16(), int(texto.size() * sizeof(QChar)), destino);
}

// Binds one value as Qt's driver does. A text or bytes bound in place must outlive the run: the
// caller's values do.
int enlazaValor(sqlite3_stmt *s, int lugar, const QVariant &v) {
    if (TsentenciaNativa::esNulo(v))
        return sqlite3_bind_null(s, lugar);
    switch (v.typeId()) {
    case QMetaType::QByteArray: {
        const QByteArray *bytes = static_cast<const QByteArray *>(v.constData());
        return sqlite3_bind_blob(s, lugar, bytes->constData(), int(bytes->size()), SQLITE_STATIC);
    }
    case QMetaType::Int:
    case QMetaType::Bool:
        return sqlite3_bind_int(s, lugar, v.toInt());
    case QMetaType::Double:
        return sqlite3_bind_double(s, lugar, v.toDouble());
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return sqlite3_bind_int64(s, lugar, v.toLongLong());
    case QMetaType::QDateTime:
        return enlazaTexto(s, lugar, v.toDateTime().toString(Qt::ISODateWithMs), SQLITE_TRANSIENT);
    case QMetaType::QTime:
        return enlazaTexto(s, lugar, v.toTime().toString(QStringLiteral("hh:mm:ss.zzz")), SQLITE_TRANSIENT);
    case QMetaType::QString:
        return enlazaTexto(s, lugar, *static_cast<const QString *>(v.constData()), SQLITE_STATIC);
    default:
        return enlazaTexto(s, lugar, v.toString(), SQLITE_TRANSIENT);
    }
}

} // namespace

std::unique_ptr<TsentenciaSQLite> TsentenciaSQLite::prepara(const QSqlDatabase &db, const QString &sentencia,
                                                            QString &error, int &codigo) {
    sqlite3 *conexion = manejador(db);
    if (!conexion || !db.isOpen()) {
        error = QStringLiteral("la conexión no está abierta");
        codigo = 0;
        return nullptr;
    }
    sqlite3_stmt *s = nullptr;
    const void *resto = nullptr;
    const int r = sqlite3_prepare16_v3(conexion, sentencia.utf16(), int(sentencia.size() * sizeof(QChar)),
                                       SQLITE_PREPARE_PERSISTENT, &s, &resto);
    // Like Qt's driver, a text of more than one statement is refused, not run in part.
    const bool varias =
        r == SQLITE_OK && s && resto && !QString(static_cast<const QChar *>(resto)).trimmed().isEmpty();
    if (r != SQLITE_OK || !s || varias) {
        error = varias ? QStringLiteral("Unable to execute multiple statements at a time")
                       : textoDeError(conexion) + QStringLiteral(" Unable to execute statement");
        codigo = varias ? SQLITE_MISUSE : r;
        sqlite3_finalize(s);
        Log::log(QStringLiteral("TmiddleTier: sentencia no preparada"), 1,
                 error + QStringLiteral(" | ") + sentencia);
        return nullptr;
    }
    std::unique_ptr<TsentenciaSQLite> nueva(new TsentenciaSQLite(conexion, s));
    nueva->tomaColumnas();
    return nueva;
}

TsentenciaSQLite::TsentenciaSQLite(sqlite3 *conexion, sqlite3_stmt *sentencia)
    : uConexion(conexion), uSentencia(sentencia) {}

TsentenciaSQLite::~TsentenciaSQLite() {
    sqlite3_finalize(uSentencia);
}

void TsentenciaSQLite::tomaColumnas() {
    // Names as Qt's driver gives them: without double quotes.
    uAlias.clear();
    for (int c = 0; c < sqlite3_column_count(uSentencia); ++c)
        uAlias.append(QString(reinterpret_cast<const QChar *>(sqlite3_column_name16(uSentencia, c)))
                          .remove(QLatin1Char('"')));
}

bool TsentenciaSQLite::vigenteEn(const QSqlDatabase &db) const {
    return db.isOpen() && manejador(db) == uConexion;
}

bool TsentenciaSQLite::falla(int codigo) {
    uError = textoDeError(uConexion) + QStringLiteral(" Unable to fetch row");
    uCodigo = codigo;
    return false;
}

bool TsentenciaSQLite::enlaza(const TparametrosSentencia &parametros) {
    // A run binds the names the last one did, in the same order, nearly always: their places are
    // looked up again only when they change.
    bool mismos = uNombres.size() == parametros.size();
    for (int i = 0; mismos && i < parametros.size(); ++i)
        mismos = uNombres.at(i) == parametros.at(i).first;
    if (!mismos) {
        uNombres.clear();
        uLugares.clear();
        for (int i = 0; i < parametros.size(); ++i) {
            const QString &nombre = parametros.at(i).first;
            uNombres.append(nombre);
            uLugares.push_back(nombre.isEmpty()
                                   ? i + 1
                                   : sqlite3_bind_parameter_index(uSentencia, nombre.toUtf8().constData()));
        }
    }
    // Names left out bind NULL, as on a fresh statement.
    sqlite3_clear_bindings(uSentencia);
    for (int i = 0; i < parametros.size(); ++i) {
        if (uLugares[i] <= 0)
            continue; // not in the text: Qt's driver ignores it too
        const int r = enlazaValor(uSentencia, uLugares[i], parametros.at(i).second);
        if (r != SQLITE_OK) {
            uError = textoDeError(uConexion) + QStringLiteral(" Unable to bind parameters");
            uCodigo = r;
            return false;
        }
    }
    return true;
}

bool TsentenciaSQLite::ejecuta(const TparametrosSentencia &parametros) {
    uError.clear();
    uCodigo = 0;
    uFilaPendiente = false;
    uAcabada = true;
    if (!enlaza(parametros))
        return false;
    const int r = sqlite3_step(uSentencia);
    // SQLite prepares a statement again by itself when another connection changed the schema.
    if (sqlite3_column_count(uSentencia) != uAlias.size())
        tomaColumnas();
    if (r == SQLITE_ROW) {
        uFilaPendiente = true;
        uAcabada = false;
        return true;
    }
    if (r == SQLITE_DONE)
        return true;
    // The engine's own number, as Qt's driver reports it: a generic error is told by the reset.
    const int codigo = r == SQLITE_ERROR ? sqlite3_reset(uSentencia) : r;
    falla(codigo);
    sqlite3_reset(uSentencia);
    return false;
}

bool TsentenciaSQLite::siguiente() {
    if (uFilaPendiente) {
        uFilaPendiente = false;
        return true;
    }
    // A statement stepped past its end would run again from the start.
    if (uAcabada)
        return false;
    const int r = sqlite3_step(uSentencia);
    uAcabada = r != SQLITE_ROW;
    if (r != SQLITE_ROW && r != SQLITE_DONE)
        falla(r == SQLITE_ERROR ? sqlite3_reset(uSentencia) : r);
    return !uAcabada;
}

QVariant TsentenciaSQLite::valor(int columna) const {
    // The types Qt's driver gives: whole numbers as 64 bits, reals as double, NULL as a null text.
    switch (sqlite3_column_type(uSentencia, columna)) {
    case SQLITE_INTEGER:
        return QVariant::fromValue(qint64(sqlite3_column_int64(uSentencia, columna)));
    case SQLITE_FLOAT:
        return sqlite3_column_double(uSentencia, columna);
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    case SQLITE_BLOB: {
        // The pointer first, then its size: asking for the size may not come first.
        const char *bytes = static_cast<const char *>(sqlite3_column_blob(uSentencia, columna));
        return QByteArray(bytes, sqlite3_column_bytes(uSentencia, columna));
    }
    default: {
        const QChar *texto = reinterpret_cast<const QChar *>(sqlite3_column_text16(uSentencia, columna));
        return QString(texto, sqlite3_column_bytes16(uSentencia, columna) / int(sizeof(QChar)));
    }
    }
}

void TsentenciaSQLite::termina() {
    uFilaPendiente = false;
    uAcabada = true;
    sqlite3_reset(uSentencia);
    // Texts were bound in place from the caller's values, which go now.
    sqlite3_clear_bindings(uSentencia);
}

qint64 TsentenciaSQLite::filasAfectadas() const {
    return sqlite3_changes(uConexion);
}

qint64 TsentenciaSQLite::idInsertado() const {
    return sqlite3_last_insert_rowid(uConexion);
}

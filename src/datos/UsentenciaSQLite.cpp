#include "datos/UsentenciaSQLite.h"

#include "datos/ULog.h"

#include <QByteArray>
#include <QDateTime>
#include <QSqlDriver>
#include <QTime>

#include <algorithm>

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

template <typename T> T de(const QVariant &v) {
    return *static_cast<const T *>(v.constData());
}

// The same name, told first by where its text lives: the names a statement binds are nearly
// always the same literals run after run.
bool mismoNombre(const QString &a, const QString &b) {
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
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

int TsentenciaSQLite::lugarDe(const QString &nombre) {
    // SQLite finds a name by going through all of them: a statement of a few hundred values
    // would spend longer finding them than running.
    if (!uNombresLeidos) {
        for (int lugar = sqlite3_bind_parameter_count(uSentencia); lugar > 0; --lugar)
            if (const char *n = sqlite3_bind_parameter_name(uSentencia, lugar))
                uLugarDeNombre.insert(QString::fromUtf8(n), lugar); // a repeated name keeps its first place
        uNombresLeidos = true;
    }
    return uLugarDeNombre.value(nombre, 0);
}

// Binds one value as Qt's driver does. Bytes bound in place must outlive the run: the caller's
// values do. Plain values are read where the variant keeps them: this runs for every value of
// every statement.
int TsentenciaSQLite::enlazaValor(int lugar, const QVariant &v) {
    if (esNulo(v))
        return sqlite3_bind_null(uSentencia, lugar);
    switch (v.typeId()) {
    case QMetaType::QByteArray: {
        const QByteArray &bytes = de<QByteArray>(v);
        return sqlite3_bind_blob(uSentencia, lugar, bytes.constData(), int(bytes.size()), SQLITE_STATIC);
    }
    case QMetaType::Int:
        return sqlite3_bind_int(uSentencia, lugar, de<int>(v));
    case QMetaType::Bool:
        return sqlite3_bind_int(uSentencia, lugar, de<bool>(v));
    case QMetaType::Double:
        return sqlite3_bind_double(uSentencia, lugar, de<double>(v));
    case QMetaType::UInt:
        return sqlite3_bind_int64(uSentencia, lugar, de<uint>(v));
    case QMetaType::LongLong:
        return sqlite3_bind_int64(uSentencia, lugar, de<qlonglong>(v));
    case QMetaType::QString:
        return enlazaTexto(lugar, de<QString>(v), true);
    case QMetaType::QDateTime:
        return enlazaTexto(lugar, de<QDateTime>(v).toString(Qt::ISODateWithMs), false);
    case QMetaType::QTime:
        return enlazaTexto(lugar, de<QTime>(v).toString(QStringLiteral("hh:mm:ss.zzz")), false);
    default:
        return enlazaTexto(lugar, v.toString(), false);
    }
}

int TsentenciaSQLite::enlazaTexto(int lugar, const QString &texto, bool perdura) {
    // An ASCII text goes in as the UTF-8 SQLite keeps, copied once into this statement's own
    // buffer; any other one as UTF-16, which SQLite converts itself.
    const std::size_t desde = uTextos.size();
    uTextos.resize(desde + std::size_t(texto.size()));
    const ushort *origen = texto.utf16();
    for (qsizetype i = 0; i < texto.size(); ++i) {
        if (origen[i] >= 0x80) {
            uTextos.resize(desde);
            return sqlite3_bind_text16(uSentencia, lugar, origen, int(texto.size() * sizeof(QChar)),
                                       perdura ? SQLITE_STATIC : SQLITE_TRANSIENT);
        }
        uTextos[desde + std::size_t(i)] = char(origen[i]);
    }
    uTextosPorEnlazar.push_back({lugar, desde, std::size_t(texto.size())});
    return SQLITE_OK;
}

bool TsentenciaSQLite::enlaza(const TparametrosSentencia &parametros) {
    // A run binds the names the last one did, in the same order, nearly always: their places are
    // looked up again only when they change.
    bool mismos = uNombres.size() == parametros.size();
    for (int i = 0; mismos && i < parametros.size(); ++i)
        mismos = mismoNombre(uNombres.at(i), parametros.at(i).first);
    if (!mismos) {
        uNombres.clear();
        uLugares.clear();
        std::vector<bool> enlazados(sqlite3_bind_parameter_count(uSentencia) + 1);
        for (int i = 0; i < parametros.size(); ++i) {
            const QString &nombre = parametros.at(i).first;
            uNombres.append(nombre);
            const int lugar = nombre.isEmpty() ? i + 1 : lugarDe(nombre);
            uLugares.push_back(lugar);
            if (lugar > 0 && lugar < int(enlazados.size()))
                enlazados[lugar] = true;
        }
        uEnlazaTodos = std::count(enlazados.begin() + 1, enlazados.end(), true) == int(enlazados.size()) - 1;
    }
    // Names left out bind NULL, as on a fresh statement; a run that binds every place replaces
    // every value anyway.
    if (!uEnlazaTodos)
        sqlite3_clear_bindings(uSentencia);
    uTextos.clear();
    uTextosPorEnlazar.clear();
    int r = SQLITE_OK;
    for (int i = 0; r == SQLITE_OK && i < parametros.size(); ++i) {
        const int lugar = uLugares[i];
        if (lugar <= 0)
            continue; // not in the text: Qt's driver ignores it too
        r = enlazaValor(lugar, parametros.at(i).second);
    }
    // The buffer holds every text now, so it moves no more.
    for (std::size_t t = 0; r == SQLITE_OK && t < uTextosPorEnlazar.size(); ++t) {
        const TtextoPorEnlazar &e = uTextosPorEnlazar[t];
        r = sqlite3_bind_text(uSentencia, e.lugar, uTextos.data() + e.desde, int(e.largo), SQLITE_STATIC);
    }
    if (r != SQLITE_OK) {
        uError = textoDeError(uConexion) + QStringLiteral(" Unable to bind parameters");
        uCodigo = r;
        return false;
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
    if (uTextos.capacity() > kTextosQueSeGuardan)
        std::string().swap(uTextos);
}

qint64 TsentenciaSQLite::filasAfectadas() const {
    return sqlite3_changes(uConexion);
}

qint64 TsentenciaSQLite::idInsertado() const {
    return sqlite3_last_insert_rowid(uConexion);
}

#include "datos/UsentenciaMariaDB.h"

#include "datos/ULog.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QMetaType>
#include <QSqlDriver>
#include <QTime>

#include <mysql.h>

#include <cstring>
#include <vector>

namespace {

// Text columns start with this much room and grow to the longest value read.
constexpr unsigned long kLargoInicial = 64;

// The driver's connection handle. Qt 6 names its type after the structure behind MYSQL.
MYSQL *manejador(const QSqlDatabase &db) {
    const QVariant v = db.driver() ? db.driver()->handle() : QVariant();
    if (!v.isValid() || (qstrcmp(v.typeName(), "MYSQL*") != 0 && qstrcmp(v.typeName(), "st_mysql*") != 0))
        return nullptr;
    return *static_cast<MYSQL *const *>(v.constData());
}

bool letraDeNombre(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_';
}

// The type Qt's driver gives a column of this server type.
QMetaType tipoDeColumna(enum_field_types tipo, unsigned int banderas) {
    const bool sinSigno = banderas & UNSIGNED_FLAG;
    switch (tipo) {
    case MYSQL_TYPE_TINY:
    case MYSQL_TYPE_LONG:
    case MYSQL_TYPE_INT24:
        return QMetaType(sinSigno ? QMetaType::UInt : QMetaType::Int);
    case MYSQL_TYPE_YEAR:
        return QMetaType(QMetaType::Int);
    case MYSQL_TYPE_SHORT:
        return QMetaType(sinSigno ? QMetaType::UShort : QMetaType::Short);
    case MYSQL_TYPE_LONGLONG:
        return QMetaType(sinSigno ? QMetaType::ULongLong : QMetaType::LongLong);
    case MYSQL_TYPE_FLOAT:
    case MYSQL_TYPE_DOUBLE:
    case MYSQL_TYPE_DECIMAL:
    case MYSQL_TYPE_NEWDECIMAL:
        return QMetaType(QMetaType::Double);
    case MYSQL_TYPE_DATE:
        return QMetaType(QMetaType::QDate);
    case MYSQL_TYPE_DATETIME:
    case MYSQL_TYPE_TIMESTAMP:
        return QMetaType(QMetaType::QDateTime);
    case MYSQL_TYPE_STRING:
    case MYSQL_TYPE_VAR_STRING:
    case MYSQL_TYPE_BLOB:
    case MYSQL_TYPE_TINY_BLOB:
    case MYSQL_TYPE_MEDIUM_BLOB:
    case MYSQL_TYPE_LONG_BLOB:
    case MYSQL_TYPE_GEOMETRY:
        return QMetaType((banderas & BINARY_FLAG) ? QMetaType::QByteArray : QMetaType::QString);
    default: // TIME (its range is wider than QTime's), ENUM, SET, JSON…
        return QMetaType(QMetaType::QString);
    }
}

} // namespace

// Storage behind the bound values and the current row's columns, at fixed addresses: the
// library reads and writes through the pointers in the binds.
struct TsentenciaMariaDB::Tdatos {
    struct Tvalor {
        qint64 entero = 0;
        double flotante = 0;
        my_bool nulo = 0;
        QByteArray texto;
    };
    struct Tcolumna {
        QMetaType tipo;
        enum_field_types tipoServidor = MYSQL_TYPE_NULL;
        qint64 entero = 0;
        double flotante = 0;
        MYSQL_TIME tiempo{};
        std::vector<char> texto;
        unsigned long largo = 0;
        my_bool nulo = 0;
        my_bool truncada = 0;
    };

    MYSQL *conexion = nullptr;
    MYSQL_STMT *sentencia = nullptr;
    QHash<QString, QVector<int>> lugares;
    std::vector<MYSQL_BIND> enlaces;
    std::vector<Tvalor> valores;
    std::vector<char> enlazado; // this run bound the place
    std::vector<MYSQL_BIND> enlacesColumnas;
    std::vector<Tcolumna> columnas;
    bool columnasMovidas = false; // a text column grew: its bind points elsewhere now

    ~Tdatos() {
        if (sentencia)
            mysql_stmt_close(sentencia);
    }

    void enlazaNulo(int lugar) {
        MYSQL_BIND &e = enlaces[lugar];
        e = MYSQL_BIND{};
        e.buffer_type = MYSQL_TYPE_NULL;
        valores[lugar].nulo = 1;
        e.is_null = &valores[lugar].nulo;
    }

    // Binds one value as Qt's driver would: integers, doubles and booleans as such, arrays as
    // blobs, anything else as its text.
    void enlaza(int lugar, const QVariant &v) {
        if (TsentenciaNativa::esNulo(v)) {
            enlazaNulo(lugar);
            return;
        }
        MYSQL_BIND &e = enlaces[lugar];
        Tvalor &valor = valores[lugar];
        e = MYSQL_BIND{};
        valor.nulo = 0;
        e.is_null = &valor.nulo;
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Bool:
            valor.entero = v.toLongLong();
            e.buffer_type = MYSQL_TYPE_LONGLONG;
            e.buffer = &valor.entero;
            e.is_unsigned = v.typeId() == QMetaType::UInt || v.typeId() == QMetaType::ULongLong;
            if (v.typeId() == QMetaType::ULongLong)
                valor.entero = qint64(v.toULongLong());
            break;
        case QMetaType::Double:
            valor.flotante = v.toDouble();
            e.buffer_type = MYSQL_TYPE_DOUBLE;
            e.buffer = &valor.flotante;
            break;
        case QMetaType::QByteArray:
            valor.texto = v.toByteArray();
            e.buffer_type = MYSQL_TYPE_BLOB;
            e.buffer = valor.texto.data();
            e.buffer_length = static_cast<unsigned long>(valor.texto.size());
            break;
        default:
            valor.texto = v.toString().toUtf8();
            e.buffer_type = MYSQL_TYPE_STRING;
            e.buffer = valor.texto.data();
            e.buffer_length = static_cast<unsigned long>(valor.texto.size());
            break;
        }
    }

    // Where the library leaves each column: integers and doubles in place, dates as MYSQL_TIME,
    // the rest (decimals, times, text) as text, converted as Qt's driver converts it.
    void preparaColumna(MYSQL_FIELD &campo, Tcolumna &c, MYSQL_BIND &e) {
        c.tipo = tipoDeColumna(campo.type, campo.flags);
        c.tipoServidor = campo.type;
        e.is_null = &c.nulo;
        e.length = &c.largo;
        e.error = &c.truncada;
        switch (c.tipo.id()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            e.buffer_type = MYSQL_TYPE_LONGLONG;
            e.buffer = &c.entero;
            e.is_unsigned = (campo.flags & UNSIGNED_FLAG) != 0;
            return;
        case QMetaType::QDate:
        case QMetaType::QDateTime:
            e.buffer_type = campo.type;
            e.buffer = &c.tiempo;
            e.buffer_length = sizeof(MYSQL_TIME);
            return;
        default:
            break;
        }
        if (campo.type == MYSQL_TYPE_DOUBLE) {
            e.buffer_type = MYSQL_TYPE_DOUBLE;
            e.buffer = &c.flotante;
            return;
        }
        c.texto.resize(kLargoInicial);
        e.buffer_type = c.tipo.id() == QMetaType::QByteArray ? MYSQL_TYPE_BLOB : MYSQL_TYPE_STRING;
        e.buffer = c.texto.data();
        e.buffer_length = kLargoInicial;
    }
};

TsentenciaMariaDB::TsentenciaMariaDB(std::unique_ptr<Tdatos> datos) : d(std::move(datos)) {}

TsentenciaMariaDB::~TsentenciaMariaDB() = default;

QByteArray TsentenciaMariaDB::aPosiciones(const QString &sentencia, QStringList &nombres) {
    QString texto;
    texto.reserve(sentencia.size());
    QChar comilla;
    const qsizetype n = sentencia.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = sentencia.at(i);
        if (!comilla.isNull()) {
            if (c == comilla)
                comilla = QChar();
        } else if (c == QLatin1Char(':') && (i == 0 || sentencia.at(i - 1) != QLatin1Char(':')) &&
                   i + 1 < n && letraDeNombre(sentencia.at(i + 1))) {
            qsizetype fin = i + 2;
            while (fin < n && letraDeNombre(sentencia.at(fin)))
                ++fin;
            nombres.append(sentencia.mid(i, fin - i));
            texto += QLatin1Char('?');
            i = fin;
            continue;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            comilla = c;
        }
        texto += c;
        ++i;
    }
    return texto.toUtf8();
}

std::unique_ptr<TsentenciaMariaDB>
TsentenciaMariaDB::prepara(const QSqlDatabase &db, const QString &sentencia, QString &error, int &codigo) {
    auto d = std::make_unique<Tdatos>();
    d->conexion = manejador(db);
    d->sentencia = d->conexion ? mysql_stmt_init(d->conexion) : nullptr;
    if (!d->sentencia) {
        error = d->conexion ? QString::fromUtf8(mysql_error(d->conexion))
                            : QStringLiteral("la conexión no es de MariaDB");
        codigo = d->conexion ? int(mysql_errno(d->conexion)) : 0;
        return nullptr;
    }
    QStringList nombres;
    const QByteArray texto = aPosiciones(sentencia, nombres);
    if (mysql_stmt_prepare(d->sentencia, texto.constData(), static_cast<unsigned long>(texto.size())) != 0) {
        error = QString::fromUtf8(mysql_stmt_error(d->sentencia));
        codigo = int(mysql_stmt_errno(d->sentencia));
        Log::log(QStringLiteral("TmiddleTier: sentencia no preparada"), 1,
                 error + QStringLiteral(" | ") + sentencia);
        return nullptr;
    }
    // A place written as '?' has no name to bind it by: the library would read past the values.
    if (mysql_stmt_param_count(d->sentencia) != static_cast<unsigned long>(nombres.size())) {
        error = QStringLiteral("la sentencia tiene lugares sin nombre");
        codigo = 0;
        Log::log(QStringLiteral("TmiddleTier: sentencia no preparada"), 1,
                 error + QStringLiteral(" | ") + sentencia);
        return nullptr;
    }
    for (int lugar = 0; lugar < nombres.size(); ++lugar)
        d->lugares[nombres.at(lugar)].append(lugar);
    d->enlaces.resize(nombres.size());
    d->valores.resize(nombres.size());

    std::unique_ptr<TsentenciaMariaDB> s(new TsentenciaMariaDB(std::move(d)));
    if (MYSQL_RES *meta = mysql_stmt_result_metadata(s->d->sentencia)) {
        const unsigned int cuantas = mysql_num_fields(meta);
        MYSQL_FIELD *campos = mysql_fetch_fields(meta);
        s->d->columnas.resize(cuantas);
        s->d->enlacesColumnas.resize(cuantas);
        for (unsigned int c = 0; c < cuantas; ++c) {
            s->uAlias.append(QString::fromUtf8(campos[c].name));
            s->d->preparaColumna(campos[c], s->d->columnas[c], s->d->enlacesColumnas[c]);
        }
        mysql_free_result(meta);
    }
    return s;
}

bool TsentenciaMariaDB::vigenteEn(const QSqlDatabase &db) const {
    return d->sentencia->mysql == d->conexion && manejador(db) == d->conexion;
}

bool TsentenciaMariaDB::falla() {
    // An error the server sends in the middle of a result is told on the connection, not on the
    // statement.
    const bool deSentencia = mysql_stmt_errno(d->sentencia) != 0;
    uCodigo = int(deSentencia ? mysql_stmt_errno(d->sentencia) : mysql_errno(d->conexion));
    uError = QString::fromUtf8(deSentencia ? mysql_stmt_error(d->sentencia) : mysql_error(d->conexion));
    if (uError.isEmpty())
        uError = QStringLiteral("el servidor no entregó el resultado");
    return false;
}

bool TsentenciaMariaDB::ejecuta(const TparametrosSentencia &parametros) {
    uError.clear();
    uCodigo = 0;
    std::vector<char> &enlazado = d->enlazado;
    enlazado.assign(d->enlaces.size(), 0);
    for (const auto &[nombre, valor] : parametros) {
        const auto lugares = d->lugares.constFind(nombre);
        if (lugares == d->lugares.constEnd())
            continue;
        for (const int lugar : lugares.value()) {
            d->enlaza(lugar, valor);
            enlazado[size_t(lugar)] = 1;
        }
    }
    for (size_t lugar = 0; lugar < enlazado.size(); ++lugar)
        if (!enlazado[lugar])
            d->enlazaNulo(int(lugar));
    if (!d->enlaces.empty() && mysql_stmt_bind_param(d->sentencia, d->enlaces.data()) != 0)
        return falla();
    if (mysql_stmt_execute(d->sentencia) != 0)
        return falla();
    if (d->columnas.empty())
        return true;
    // The server prepares a statement again when a table it reads changed; its columns must still
    // be the ones bound.
    if (mysql_stmt_field_count(d->sentencia) != d->columnas.size()) {
        mysql_stmt_free_result(d->sentencia);
        uError = QStringLiteral("las columnas de la sentencia cambiaron desde que se preparó");
        return false;
    }
    d->columnasMovidas = true;
    return true;
}

bool TsentenciaMariaDB::siguiente() {
    if (d->columnas.empty())
        return false;
    if (d->columnasMovidas) {
        if (mysql_stmt_bind_result(d->sentencia, d->enlacesColumnas.data()) != 0)
            return falla();
        d->columnasMovidas = false;
    }
    const int rc = mysql_stmt_fetch(d->sentencia);
    if (rc == 1)
        return falla();
    if (rc == MYSQL_NO_DATA)
        return false;
    // A text longer than its column's room: the column grows and the value is read again whole.
    for (size_t c = 0; c < d->columnas.size(); ++c) {
        Tdatos::Tcolumna &col = d->columnas[c];
        MYSQL_BIND &e = d->enlacesColumnas[c];
        if (col.texto.empty() || col.nulo || col.largo <= e.buffer_length)
            continue;
        col.texto.resize(col.largo);
        e.buffer = col.texto.data();
        e.buffer_length = col.largo;
        if (mysql_stmt_fetch_column(d->sentencia, &e, static_cast<unsigned int>(c), 0) != 0)
            return falla();
        d->columnasMovidas = true;
    }
    return true;
}

QVariant TsentenciaMariaDB::valor(int columna) const {
    const Tdatos::Tcolumna &c = d->columnas.at(size_t(columna));
    if (c.nulo)
        return QVariant(c.tipo);
    const auto texto = [&c] { return QByteArrayView(c.texto.data(), qsizetype(c.largo)); };
    switch (c.tipo.id()) {
    case QMetaType::Int:
        return QVariant(int(c.entero));
    case QMetaType::UInt:
        return QVariant(uint(c.entero));
    case QMetaType::Short:
        return QVariant::fromValue(short(c.entero));
    case QMetaType::UShort:
        return QVariant::fromValue(ushort(c.entero));
    case QMetaType::LongLong:
        return QVariant(c.entero);
    case QMetaType::ULongLong:
        return QVariant(quint64(c.entero));
    case QMetaType::Double: {
        if (c.tipoServidor == MYSQL_TYPE_DOUBLE)
            return QVariant(c.flotante);
        bool ok = false;
        const double numero = QString::fromUtf8(texto()).toDouble(&ok);
        return ok ? QVariant(numero) : QVariant();
    }
    case QMetaType::QDate:
        return QDate(int(c.tiempo.year), int(c.tiempo.month), int(c.tiempo.day));
    case QMetaType::QDateTime:
        return QDateTime(QDate(int(c.tiempo.year), int(c.tiempo.month), int(c.tiempo.day)),
                         QTime(int(c.tiempo.hour), int(c.tiempo.minute), int(c.tiempo.second),
                               int(c.tiempo.second_part / 1000)));
    case QMetaType::QByteArray:
        return QByteArray(texto().data(), texto().size());
    default:
        return QString::fromUtf8(texto());
    }
}

void TsentenciaMariaDB::termina() {
    if (!d->columnas.empty())
        mysql_stmt_free_result(d->sentencia);
}

qint64 TsentenciaMariaDB::filasAfectadas() const {
    return qint64(mysql_stmt_affected_rows(d->sentencia));
}

qint64 TsentenciaMariaDB::idInsertado() const {
    return qint64(mysql_stmt_insert_id(d->sentencia));
}

#include "datos/Uesquema.h"

#include "datos/ULog.h"
#include "datos/UmiddleTier.h"
#include "datos/UmotivoError.h"

#include <QSet>
#include <algorithm>
#include <climits>

namespace {

const QString kTablaVersion = QStringLiteral("inventarioVersionEsquema");

// Names of the tables and indexes already in the database, read once per step: catalogue
// queries are slow on MariaDB, one per object would dominate a schema creation.
struct Texistentes {
    QSet<QString> tablas;
    QSet<QString> indices; // "tabla.indice", lower case
};

Texistentes leeExistentes(TmiddleTier &mt, CmidTierResponse *lectura = nullptr) {
    Texistentes e;
    mt.setQuery(mt.segunProveedor(
        QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = DATABASE()"),
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")));
    const CmidTierResponse tablas = mt.reader();
    if (lectura)
        *lectura = tablas;
    for (int i = 0; i < tablas.getRowCount(); ++i)
        e.tablas.insert(tablas.getCelda(i, 0).toLower());
    mt.setQuery(
        mt.segunProveedor(QStringLiteral("SELECT DISTINCT table_name, index_name FROM "
                                         "information_schema.statistics WHERE table_schema = DATABASE()"),
                          QStringLiteral("SELECT tbl_name, name FROM sqlite_master WHERE type = 'index'")));
    const CmidTierResponse indices = mt.reader();
    for (int i = 0; i < indices.getRowCount(); ++i)
        e.indices.insert((indices.getCelda(i, 0) + QLatin1Char('.') + indices.getCelda(i, 1)).toLower());
    return e;
}

bool tieneTablaNuestra(const QSet<QString> &tablas) {
    for (const auto &v : esquema::versiones()) {
        for (const auto &t : v.tablas) {
            if (tablas.contains(t.nombre.toLower()))
                return true;
        }
    }
    return false;
}

// The recorded version, read without trusting its type: SQLite keeps text in an INTEGER column.
esquema::Texamen leeVersion(TmiddleTier &mt) {
    esquema::Texamen e;
    mt.setQuery(QStringLiteral("SELECT COUNT(*), SUM(CASE WHEN ") +
                mt.segunProveedor(QStringLiteral("version < 0"),
                                  QStringLiteral("typeof(version) <> 'integer' OR version < 0")) +
                QStringLiteral(" THEN 1 ELSE 0 END), MAX(version) FROM ") + kTablaVersion);
    const CmidTierResponse r = mt.reader();
    if (!r.isSuccess()) {
        e.error = u_motivoErrorBD(r.getCodigoError(), mt.esMySQL());
        return e;
    }
    const qint64 registros = r.getCeldaAsInt(0, 0);
    if (registros > 0 && r.getCeldaAsInt(0, 1) > 0) {
        e.contenido = esquema::Contenido::VersionInvalida;
        return e;
    }
    // No record yet: a first run that stopped right after creating the table.
    e.version = registros == 0 ? 0 : int(std::min<qint64>(r.getCeldaAsInt(0, 2), INT_MAX));
    e.contenido = e.version > esquema::versionActual() ? esquema::Contenido::VersionMasNueva
                                                       : esquema::Contenido::Propia;
    return e;
}

bool existeColumna(TmiddleTier &mt, const QString &tabla, const QString &columna) {
    mt.setQuery(mt.segunProveedor(
        QStringLiteral("SELECT COUNT(*) FROM information_schema.columns WHERE table_schema = DATABASE() "
                       "AND table_name = :tabla AND column_name = :columna"),
        QStringLiteral(
            "SELECT COUNT(*) FROM pragma_table_info(:tabla) WHERE LOWER(name) = LOWER(:columna)")));
    mt.setParametroTexto(QStringLiteral("tabla"), tabla);
    mt.setParametroTexto(QStringLiteral("columna"), columna);
    return mt.getScalarAsInt() > 0;
}

bool ejecuta(TmiddleTier &mt, const QString &sentencia, QString &error) {
    mt.setQuery(sentencia);
    const CmidTierResponse r = mt.nonQuery();
    if (!r.isSuccess())
        error = u_motivoErrorBD(r.getCodigoError(), mt.esMySQL()); // the driver's text is in the log
    return r.isSuccess();
}

// Applies one step. On MariaDB every DDL commits by itself, so each statement stands alone and
// each one is written to be repeatable: a step interrupted half-way is finished by the next run.
bool aplicaVersion(TmiddleTier &mt, const esquema::Tversion &v, QString &error) {
    const bool mysql = mt.esMySQL();
    const Texistentes existentes = leeExistentes(mt);
    for (const auto &tabla : v.tablas) {
        if (!existentes.tablas.contains(tabla.nombre.toLower()) &&
            !ejecuta(mt, esquema::sentenciaCreaTabla(tabla, mysql), error))
            return false;
    }
    // A column already there (a step run again) is left as it is.
    for (const auto &columna : v.columnas) {
        if (!existeColumna(mt, columna.tabla, columna.definicion.section(QLatin1Char(' '), 0, 0)) &&
            !ejecuta(mt,
                     QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                         .arg(columna.tabla, esquema::traduce(columna.definicion, mysql)),
                     error))
            return false;
    }
    // Data fixes run before the new indexes exist: filling a column is cheaper without them.
    for (const auto &sentencia : v.sentencias) {
        if (!ejecuta(mt, esquema::traduce(sentencia, mysql), error))
            return false;
    }
    for (const auto &indice : v.indices) {
        if (existentes.indices.contains((indice.tabla + QLatin1Char('.') + indice.nombre).toLower()))
            continue;
        if (!ejecuta(mt,
                     QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                         .arg(indice.nombre, indice.tabla, indice.columnas),
                     error))
            return false;
    }
    for (const auto &indice : v.retirados) {
        if (!existentes.indices.contains((indice.tabla + QLatin1Char('.') + indice.nombre).toLower()))
            continue;
        if (!ejecuta(mt,
                     QStringLiteral("DROP INDEX ") + indice.nombre +
                         (mysql ? QStringLiteral(" ON ") + indice.tabla : QString()),
                     error))
            return false;
    }
    mt.setQuery(QStringLiteral("UPDATE ") + kTablaVersion + QStringLiteral(" SET version = :version"));
    mt.setParametroEntero(QStringLiteral("version"), v.version);
    const CmidTierResponse r = mt.nonQuery();
    if (!r.isSuccess())
        error = u_motivoErrorBD(r.getCodigoError(), mt.esMySQL()); // the driver's text is in the log
    return r.isSuccess();
}

} // namespace

QString esquema::traduce(const QString &texto, bool mysql) {
    QString t = texto;
    t.replace(QStringLiteral("{ID}"), mysql ? QStringLiteral("INT NOT NULL AUTO_INCREMENT PRIMARY KEY")
                                            : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT"));
    t.replace(QStringLiteral("{FECHA}"), mysql ? QStringLiteral("DATETIME(3)") : QStringLiteral("TEXT"));
    t.replace(QStringLiteral("{BOOL}"), mysql ? QStringLiteral("TINYINT(1)") : QStringLiteral("INTEGER"));
    return t;
}

QString esquema::sentenciaCreaTabla(const Ttabla &tabla, bool mysql) {
    QString s = QStringLiteral("CREATE TABLE IF NOT EXISTS ") + tabla.nombre + QStringLiteral(" (") +
                traduce(tabla.columnas, mysql) + QLatin1Char(')');
    if (mysql)
        s += QStringLiteral(" ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci");
    return s;
}

int esquema::versionActual() {
    return versiones().constLast().version;
}

esquema::Texamen esquema::examina(TConexionSesion *sesion) {
    Texamen e;
    if (!sesion->conexion().isOpen()) {
        e.error = sesion->ultimoError();
        return e;
    }
    TmiddleTier mt(sesion);
    CmidTierResponse lectura;
    const Texistentes existentes = leeExistentes(mt, &lectura);
    if (!lectura.isSuccess()) {
        e.error = u_motivoErrorBD(lectura.getCodigoError(), mt.esMySQL());
        return e;
    }
    if (existentes.tablas.isEmpty())
        e.contenido = Contenido::Vacia;
    else if (existentes.tablas.contains(kTablaVersion.toLower()))
        e = leeVersion(mt);
    else
        e.contenido = tieneTablaNuestra(existentes.tablas) ? Contenido::SinVersion : Contenido::Ajena;
    return e;
}

int esquema::versionRegistrada(TConexionSesion *sesion) {
    const Texamen e = examina(sesion);
    switch (e.contenido) {
    case Contenido::Propia:
    case Contenido::VersionMasNueva:
        return e.version;
    case Contenido::Ilegible:
    case Contenido::VersionInvalida:
        return -1;
    default:
        return 0;
    }
}

esquema::TresultadoEsquema esquema::creaOActualiza(TConexionSesion *sesion, int hasta) {
    TresultadoEsquema resultado;
    const Texamen examen = examina(sesion);
    resultado.versionEncontrada = examen.version;
    switch (examen.contenido) {
    case Contenido::Vacia:
    case Contenido::Propia:
        break;
    case Contenido::VersionMasNueva:
        resultado.estado = Estado::VersionMasNueva;
        return resultado;
    case Contenido::Ajena:
        resultado.estado = Estado::Ajena;
        return resultado;
    case Contenido::SinVersion:
    case Contenido::VersionInvalida:
        resultado.estado = Estado::VersionInvalida;
        return resultado;
    case Contenido::Ilegible:
        resultado.error = examen.error;
        return resultado;
    }
    const int registrada = examen.version;
    TmiddleTier mt(sesion);
    if (registrada == 0) {
        const Ttabla tablaVersion{kTablaVersion, QStringLiteral("version INTEGER NOT NULL")};
        if (!ejecuta(mt, sentenciaCreaTabla(tablaVersion, mt.esMySQL()), resultado.error))
            return resultado;
        mt.setQuery(QStringLiteral("SELECT COUNT(*) FROM ") + kTablaVersion);
        if (mt.getScalarAsInt() == 0 &&
            !ejecuta(mt,
                     QStringLiteral("INSERT INTO ") + kTablaVersion + QStringLiteral(" (version) VALUES (0)"),
                     resultado.error))
            return resultado;
    }
    for (const auto &v : versiones()) {
        if (v.version <= registrada || v.version > hasta)
            continue;
        // On SQLite a whole step is atomic; on MariaDB the repeatable statements stand in for that.
        const bool atomico = !mt.esMySQL();
        if (atomico && !mt.transaccionInicia()) {
            resultado.error = QStringLiteral("No se pudo iniciar la actualización de la base de datos.");
            return resultado;
        }
        if (!aplicaVersion(mt, v, resultado.error)) {
            if (atomico)
                mt.transaccionRollback();
            Log::log(QStringLiteral("Esquema: falló la versión %1").arg(v.version), 1, resultado.error);
            return resultado;
        }
        if (atomico && !mt.transaccionTermina()) {
            resultado.error = QStringLiteral("No se pudo guardar la actualización de la base de datos.");
            return resultado;
        }
    }
    resultado.estado = Estado::Listo;
    return resultado;
}

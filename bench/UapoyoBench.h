#pragma once

#include "datos/UconexionSesion.h"
#include "datos/UmiddleTier.h"
#include "datos/UobservadorSentencias.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <QVariant>

// What every benchmark program shares: the engine and size options, a throwaway database on
// either engine, and the figures printed as clave=valor lines.
class TbaseBench {
public:
    // Adds --movimientos (default `movimientosPorOmision`; none when 0), --motor, --archivo and the
    // host's MariaDB options to the parser.
    explicit TbaseBench(QCommandLineParser &p, qint64 movimientosPorOmision);
    ~TbaseBench();

    // After p.process(): reads the options and creates an empty database with the schema. False
    // (with a message on stderr) when an option is wrong or the database cannot be made.
    bool prepara(const QCommandLineParser &p);
    // Throws the database away and makes a new empty one with the schema (sesion() changes).
    bool baseNueva();

    TConexionSesion *sesion() const { return uSesion.get(); }
    // The deterministic business of the size asked for (UgeneradorMovimientos) with its valuation
    // method (1 PEPS, 2 weighted average); prints motor, movimientos and generacion_s. 0 when a
    // write failed.
    // `pares` > 0 keeps the shop at that many warehouse × product pairs, each with a longer
    // history as the movements grow; 0 grows the shop with them (50 movements a pair).
    int generaNegocio(int metodo, int pares = 0);
    qint64 movimientos() const { return uMovimientos; }
    QString motor() const { return uMotor; }

private:
    bool administraMySQL(const QString &sentencia) const;

    QCommandLineOption uOpMovimientos, uOpMotor, uOpArchivo, uOpHost, uOpPuerto, uOpSocket, uOpUsuario;
    TparametrosConexion uParametros;
    std::unique_ptr<TConexionSesion> uSesion;
    bool uConMovimientos;
    qint64 uMovimientos = 0;
    QString uMotor;
    QString uBaseMySQL;
    bool uArchivoPropio = false;
};

// Runs one INSERT with its values bound; the new row's id, 0 when it failed.
qint64 u_inserta(TmiddleTier &mt, const QString &sentencia, const QList<QPair<QString, QVariant>> &valores);
// One figure as clave=valor; doubles with three decimals.
void u_figura(const QString &clave, const QVariant &valor);
// Processor time of this process so far, in seconds: on SQLite all the work is in-process, so it
// is a steadier figure than the wall clock on a busy machine.
double u_segundosCPU();
// Peak resident memory of the process, in MB.
double u_memoriaPico();

// A statement as it ran, with its bound values.
struct Tsentencia {
    QString texto;
    TparametrosSentencia parametros;
    qint64 inicio = 0; // ns since the recording began
};
using Tgrabacion = QVector<Tsentencia>;

// Records the statements run while it lives.
class Tgrabadora {
public:
    Tgrabadora();
    ~Tgrabadora();
    Tgrabacion toma() { return std::move(uGrabacion); }

private:
    QElapsedTimer uReloj;
    Tgrabacion uGrabacion;
};

// Binds recorded values by name, or by position where the name is empty.
void enlaza(QSqlQuery &q, const TparametrosSentencia &parametros);
// The statement prepared, bound and run again on the connection, the prefix (an EXPLAIN) in front.
QSqlQuery preparada(QSqlDatabase db, const Tsentencia &s, bool &ok, const QString &prefijo = QString());
// The recorded statements run again with nothing around them, each the cheapest way the
// connection offers (prepared once through the statement cache); seconds. Failed statements are
// counted; with `porSentencia` each statement's time is added to it.
double u_reproduce(TConexionSesion *sesion, const Tgrabacion &grabacion, int &fallidas,
                   QHash<QString, double> *porSentencia = nullptr);
// Prints to stderr the statements the engine answers with a full scan of a table, once each.
void muestraPlanes(TConexionSesion *sesion, const Tgrabacion &grabacion, QSet<QString> &vistas);

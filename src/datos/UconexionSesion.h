#pragma once

#include <QHash>
#include <QMutex>
#include <QSqlDatabase>
#include <QString>

#include <memory>

class TpuntoControlWal;

class QSqlError;

// How to reach one database. The same parameters open the connection of every thread.
struct TparametrosConexion {
    QString proveedor; // "SQLITE" or "MySQL"
    QString archivo;   // SQLite file
    QString servidor;  // MariaDB host; empty with a socket
    int puerto = 3306;
    QString socket;
    QString baseDatos;
    QString usuario;
    QString contrasena;
    // A look that must not write: SQLite opens the file read-only and sets no pragma (journal
    // mode among them); MariaDB sessions are read-only.
    bool soloLectura = false;
};

// One named QSqlDatabase per thread on the same database (Qt connections belong to the thread
// that opened them). SQLite connections get foreign keys, WAL and a busy timeout.
class TConexionSesion {
public:
    explicit TConexionSesion(const TparametrosConexion &parametros);
    ~TConexionSesion();
    TConexionSesion(const TConexionSesion &) = delete;
    TConexionSesion &operator=(const TConexionSesion &) = delete;

    // Opens the connection of the calling thread; false with ultimoError() when it cannot.
    bool abre();
    // The connection of the calling thread, opened on first use.
    QSqlDatabase conexion();
    // Closes the calling thread's connection (a worker does this before it ends).
    void cierraHiloActual();

    QString getDatabase() const;
    QString getProvider() const { return uParametros.proveedor; }
    bool esMySQL() const { return uParametros.proveedor == QLatin1String("MySQL"); }
    const TparametrosConexion &parametros() const { return uParametros; }
    // Why the last opening failed, in Spanish (the driver's text goes to the log).
    QString ultimoError() const;

private:
    QString nombreParaHilo() const;
    bool configura(QSqlDatabase &db, QSqlError &error);

    TparametrosConexion uParametros;
    int uNumero; // sessions are numbered from 0 in the order they are made
    QString uPrefijo;
    mutable QMutex uCandado;
    QHash<QString, bool> uAbiertas;
    QString uUltimoError;
    std::unique_ptr<TpuntoControlWal> uPuntoControl;
};

#pragma once

#include "datos/UsentenciaNativa.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <memory>

// A statement prepared on a MariaDB connection through the client library itself, for the
// statement cache. Qt's driver resets a prepared statement on the server before every run, a
// round trip of its own; this one only runs it, so a cached statement costs one round trip.
// Names are turned into positions the way Qt's driver turns them.
class TsentenciaMariaDB : public TsentenciaNativa {
public:
    // Prepares `sentencia` on the connection `db` (a QMYSQL one); nullptr, with the server's text
    // and number in `error` and `codigo`, when it does not prepare.
    static std::unique_ptr<TsentenciaMariaDB> prepara(const QSqlDatabase &db, const QString &sentencia,
                                                      QString &error, int &codigo);
    ~TsentenciaMariaDB() override;
    TsentenciaMariaDB(const TsentenciaMariaDB &) = delete;
    TsentenciaMariaDB &operator=(const TsentenciaMariaDB &) = delete;

    bool vigenteEn(const QSqlDatabase &db) const override;
    bool ejecuta(const TparametrosSentencia &parametros) override;
    bool siguiente() override;
    QVariant valor(int columna) const override;
    void termina() override;
    qint64 filasAfectadas() const override;
    qint64 idInsertado() const override;

    // The statement's text with each :name replaced by a place (?), and the names in place order.
    // Quoted text is left alone; '::' is no name.
    static QByteArray aPosiciones(const QString &sentencia, QStringList &nombres);

private:
    struct Tdatos;
    explicit TsentenciaMariaDB(std::unique_ptr<Tdatos> datos);
    bool falla();

    std::unique_ptr<Tdatos> d;
};

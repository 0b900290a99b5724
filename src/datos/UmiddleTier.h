#pragma once

#include "datos/UconexionSesion.h"
#include "datos/UmidTierResponse.h"

#include <QDateTime>
#include <QHash>
#include <QPair>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVector>

// One statement at a time on the session's connection of the calling thread. Every value is
// bound, never concatenated. Failures come back in the response's flag and in the log; nothing
// throws. An object destroyed with its transaction still open rolls it back.
class TmiddleTier {
public:
    explicit TmiddleTier(TConexionSesion *sesion);
    virtual ~TmiddleTier();
    TmiddleTier(const TmiddleTier &) = delete;
    TmiddleTier &operator=(const TmiddleTier &) = delete;

    void setQuery(const QString &sentencia);
    void setParametroEntero(const QString &nombre, qint64 valor);
    void setParametroTexto(const QString &nombre, const QString &valor);
    void setParametroFlotante(const QString &nombre, double valor);
    // A null QVariant binds SQL NULL, so ':p IS NULL' is true.
    void setParametroVariant(const QString &nombre, const QVariant &valor);
    void setParametroFechaHora(const QString &nombre, const QDateTime &valor);

    CmidTierResponse reader();
    CmidTierResponse scalar();
    CmidTierResponse nonQuery();
    // Shortcut of scalar(): 0 when the statement failed.
    qint64 getScalarAsInt();

    bool transaccionInicia();
    bool transaccionTermina();
    bool transaccionRollback();
    bool enTransaccion() const { return uEnTransaccion; }
    // Savepoints inside an open transaction (one group of a rebuild, for example).
    bool puntoGuardado(const QString &nombre);
    bool regresaAPunto(const QString &nombre);
    bool liberaPunto(const QString &nombre);

    TConexionSesion *sesion() const { return uSesion; }
    QString getProvider() const { return uSesion->getProvider(); }
    bool esMySQL() const { return uSesion->esMySQL(); }
    // Picks the provider's text where the engines differ (CONCAT(...) against ||).
    QString segunProveedor(const QString &textoMySQL, const QString &textoSQLite) const;

    // ":v<i>", the name of a bulk statement's i-th value. Qt binds a name several times faster
    // than a position, which it names anew on every bind.
    static QString marcadorValor(int i);
    // Binds the first `cuantos` of `valores` to :v0, :v1… A bulk statement names each value once,
    // so on a statement with nothing bound yet they go in without looking for a name bound before.
    void setValoresEnOrden(const QVector<QVariant> &valores, int cuantos);

    // Test hook: the n-th statement run from now on (by any TmiddleTier) fails; 0 switches it off.
    static void setFallaEnSentencia(int n);
    // Statements run so far, for tests that look for the statement to break.
    static int sentenciasEjecutadas();

private:
    enum class Tipo { Lectura, Escalar, Escritura };
    CmidTierResponse ejecuta(Tipo tipo);
    bool ejecutaControl(const QString &sentencia);

    TConexionSesion *uSesion;
    QString uSentencia;
    QVector<QPair<QString, QVariant>> uParametros;
    QHash<QString, int> uIndiceParametros; // the names' places, once there are many of them
    bool uEnTransaccion = false;
};

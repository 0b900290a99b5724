#include "datos/UmidTierResponse.h"

#include "datos/UfechaHora.h"

#include <QSqlRecord>

void TcolumnasResultado::toma(const QSqlRecord &registro) {
    const int columnas = registro.count();
    bool iguales = columnas == alias.size();
    for (int c = 0; iguales && c < columnas; ++c)
        iguales = registro.fieldName(c) == alias.at(c);
    if (iguales)
        return;
    alias.clear();
    for (int c = 0; c < columnas; ++c)
        alias.append(registro.fieldName(c));
    indexa();
}

void TcolumnasResultado::toma(const QStringList &nombres) {
    if (nombres == alias)
        return;
    alias = nombres;
    indexa();
}

void TcolumnasResultado::indexa() {
    indice.clear();
    // Each column under its lower-case alias, and under its alias as written, which callers
    // mostly ask for: that lookup lowers nothing.
    for (int c = 0; c < alias.size(); ++c)
        indice.insert(alias.at(c).toLower(), c);
    for (int c = 0; c < alias.size(); ++c)
        indice.insert(alias.at(c), indice.value(alias.at(c).toLower()));
}

int CmidTierResponse::getIndiceColumnaPorNombre(const QString &alias) const {
    const auto exacta = uColumnas.indice.constFind(alias);
    return exacta != uColumnas.indice.cend() ? exacta.value() : uColumnas.indice.value(alias.toLower(), -1);
}

QVariant CmidTierResponse::getValor(int fila, int columna) const {
    if (fila < 0 || fila >= uFilas.size() || columna < 0 || columna >= uFilas[fila].size())
        return {};
    return uFilas[fila][columna];
}

QVariant CmidTierResponse::getValor(int fila, const QString &alias) const {
    return getValor(fila, getIndiceColumnaPorNombre(alias));
}

bool CmidTierResponse::esNulo(int fila, const QString &alias) const {
    return getValor(fila, alias).isNull();
}

QString CmidTierResponse::getCelda(int fila, const QString &alias) const {
    return getCelda(fila, getIndiceColumnaPorNombre(alias));
}

QString CmidTierResponse::getCelda(int fila, int columna) const {
    const QVariant v = getValor(fila, columna);
    // A NULL reads as empty text on both engines (the MariaDB driver hands back a typed null whose
    // text would be "0").
    if (v.isNull())
        return QString();
    if (v.typeId() == QMetaType::QDateTime)
        return fechaHora::aTextoBD(v.toDateTime());
    return v.toString();
}

qint64 CmidTierResponse::getCeldaAsInt(int fila, const QString &alias) const {
    return getCeldaAsInt(fila, getIndiceColumnaPorNombre(alias));
}

qint64 CmidTierResponse::getCeldaAsInt(int fila, int columna) const {
    const QVariant v = getValor(fila, columna);
    bool ok = false;
    const qint64 entero = v.toLongLong(&ok);
    if (ok)
        return entero;
    // Integers computed by the engine may come back as doubles (SUM, AVG).
    return qint64(v.toDouble());
}

double CmidTierResponse::getCeldaAsFloat(int fila, const QString &alias) const {
    return getCeldaAsFloat(fila, getIndiceColumnaPorNombre(alias));
}

double CmidTierResponse::getCeldaAsFloat(int fila, int columna) const {
    return getValor(fila, columna).toDouble();
}

QDateTime CmidTierResponse::getCeldaAsDate(int fila, const QString &alias) const {
    return getCeldaAsDate(fila, getIndiceColumnaPorNombre(alias));
}

QDateTime CmidTierResponse::getCeldaAsDate(int fila, int columna) const {
    return fechaHora::deValorBD(getValor(fila, columna));
}

bool CmidTierResponse::getCeldaAsBool(int fila, const QString &alias) const {
    return getCeldaAsBool(fila, getIndiceColumnaPorNombre(alias));
}

bool CmidTierResponse::getCeldaAsBool(int fila, int columna) const {
    const QVariant v = getValor(fila, columna);
    if (v.typeId() == QMetaType::QString) {
        const QString t = v.toString().trimmed().toLower();
        return t == QLatin1String("true") || t == QLatin1String("1") || t == QLatin1String("t");
    }
    return v.toLongLong() != 0;
}

QVariant CmidTierResponse::getScalar() const {
    return getValor(0, 0);
}

qint64 CmidTierResponse::getScalarAsInt() const {
    if (!uExito)
        return 0;
    return getCeldaAsInt(0, 0);
}

CmidTierResponse CmidTierResponse::filas(int desde, int cuantas) const {
    CmidTierResponse parte;
    parte.uExito = uExito;
    parte.uColumnas = uColumnas;
    parte.uError = uError;
    parte.uCodigoError = uCodigoError;
    desde = qBound(0, desde, int(uFilas.size()));
    cuantas = qBound(0, cuantas, int(uFilas.size()) - desde);
    parte.uFilas = uFilas.mid(desde, cuantas);
    return parte;
}

#include "datos/UsentenciaNativa.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QTime>

bool TsentenciaNativa::esNulo(const QVariant &v) {
    if (v.isNull())
        return true;
    switch (v.typeId()) {
    case QMetaType::QString:
        return static_cast<const QString *>(v.constData())->isNull();
    case QMetaType::QByteArray:
        return static_cast<const QByteArray *>(v.constData())->isNull();
    case QMetaType::QDate:
        return static_cast<const QDate *>(v.constData())->isNull();
    case QMetaType::QTime:
        return static_cast<const QTime *>(v.constData())->isNull();
    case QMetaType::QDateTime:
        return !static_cast<const QDateTime *>(v.constData())->isValid();
    default:
        return false;
    }
}
